-- Tables of the MERSOL database other than the working set (see work.sql).
--
-- Table names are the file names the program has always used; column names,
-- order, types and sizes are the ones stored jobs and reports rely on.
-- Declared types are those of the table engine:
--   SHORT (16-bit), LONG (32-bit), NUMBER (double), ALPHA(n), MEMO(n),
--   LOGICAL, AUTOINC (32-bit, assigned when the row is posted).
-- An index is named "<table>|<index name>"; the primary order of a table is
-- its PRIMARY KEY, or the order rows were added in when it has none.

-- The version of this layout, recorded in the file: raised with every change
-- of the tables below, so that no program writes into a database of a layout
-- newer than its own. A file that records none was made before versions
-- were recorded.
PRAGMA user_version = 1;

-- ---------------------------------------------------------------------------
-- Reference tables
-- ---------------------------------------------------------------------------

-- Pipe sizes and ratings, one row per size of a material and class.
CREATE TABLE "PipeType.DB" (
  "PSize"            SHORT,
  "Pipe Type"        ALPHA(40),
  "Pipe Description" ALPHA(45),
  "ID (in)"          NUMBER,
  "PType"            SHORT,
  "Press Rtng (psi)" NUMBER,
  "NomDiam"          NUMBER,
  "Rating"           NUMBER,
  "Wall Thick (in)"  NUMBER,
  "Nfac"             NUMBER,
  "Comment"          ALPHA(122),
  "Marked"           LOGICAL,
  "WtPerFt"          NUMBER,
  "Modulus"          NUMBER,
  PRIMARY KEY ("PSize", "Pipe Type", "Pipe Description", "ID (in)")
);

CREATE INDEX "PipeType.DB|PTypePSizeIndex"  ON "PipeType.DB" ("Pipe Type" COLLATE NOCASE, "PSize");
CREATE INDEX "PipeType.DB|PipeDescripIndex" ON "PipeType.DB" ("Pipe Description" COLLATE NOCASE, "NomDiam");
CREATE INDEX "PipeType.DB|DiaIndex"         ON "PipeType.DB" ("PSize");
CREATE INDEX "PipeType.DB|PTypeIndex"       ON "PipeType.DB" ("Pipe Type" COLLATE NOCASE);

-- Pipe materials; PType numbers the material and links its pipe sizes.
CREATE TABLE "Pipe Material.DB" (
  "PipeType"     ALPHA(34),
  "Cfactor"      NUMBER,
  "Nfactor"      NUMBER,
  "Efactor"      NUMBER,
  "EModulus"     NUMBER,
  "WtPerCuIn"    NUMBER,
  "CostPerPound" NUMBER,
  "MaxVel"       NUMBER,
  "PType"        AUTOINC,
  PRIMARY KEY ("PipeType")
);

-- Minor-loss items with K by nominal diameter class (2 to 12 in).
CREATE TABLE "MinorLoss.DB" (
  "Loss Item Description" ALPHA(40),
  "K2"                    NUMBER,
  "K3"                    NUMBER,
  "K4"                    NUMBER,
  "K5"                    NUMBER,
  "K6"                    NUMBER,
  "K7"                    NUMBER,
  "K8"                    NUMBER,
  "K10"                   NUMBER,
  "K12"                   NUMBER,
  "KFlag"                 ALPHA(18),
  PRIMARY KEY ("Loss Item Description")
);

-- Water properties by temperature; looked up by nearest Temp.
CREATE TABLE "Water.db" (
  "Temp"   NUMBER,
  "Viscos" NUMBER,
  "SpWt"   NUMBER,
  PRIMARY KEY ("Temp")
);

-- Livestock water use and watering-site spacing.
CREATE TABLE "StockType.db" (
  "LivestockType" ALPHA(25),
  "ConvGpd"       NUMBER,
  "IntGpd"        NUMBER,
  "RoughSpcing"   NUMBER,
  "GentleSpcng"   NUMBER,
  PRIMARY KEY ("LivestockType")
);

-- Energy, fuel and trench unit costs (one row).
CREATE TABLE "UnitCosts.db" (
  "HrsPerDay"       NUMBER,
  "AnSerChgPerHP"   NUMBER,
  "AnSerChgInstall" NUMBER,
  "MoDemandPerHP"   NUMBER,
  "MoDemandFirsKW"  NUMBER,
  "MoFirstKW"       NUMBER,
  "MoDemandAdinKW"  NUMBER,
  "FirstKW"         NUMBER,
  "FirstKWCharge"   NUMBER,
  "AdinKWCharge"    NUMBER,
  "DieselCost"      NUMBER,
  "NatGasCost"      NUMBER,
  "Days1"           NUMBER,
  "Days2"           NUMBER,
  "Days3"           NUMBER,
  "Days4"           NUMBER,
  "Days5"           NUMBER,
  "Days6"           NUMBER,
  "Days7"           NUMBER,
  "Days8"           NUMBER,
  "Days9"           NUMBER,
  "Days10"          NUMBER,
  "Days11"          NUMBER,
  "Days12"          NUMBER,
  "TrenchTo8"       NUMBER,
  "TrenchTo12"      NUMBER,
  "TrenchTo24"      NUMBER,
  "TrenchOvr24"     NUMBER
);

-- ---------------------------------------------------------------------------
-- Defaults (one row each)
-- ---------------------------------------------------------------------------

-- Local defaults.
CREATE TABLE "DefLocal.DB" (
  "InvElMethod"         SHORT,
  "DepthOfCover"        NUMBER,
  "MinorLossDetail"     LOGICAL,
  "GravMinorLossDetail" LOGICAL,
  "LowVel"              NUMBER,
  "HighVel"             NUMBER,
  "CursorVel"           NUMBER,
  "Fitting"             ALPHA(16),
  "Soil"                ALPHA(42),
  "ThBlkSoil"           NUMBER,
  "WaterTemp"           NUMBER,
  "ElevSea"             NUMBER,
  "PumpEff"             NUMBER,
  "ClearHead"           NUMBER,
  "PipeType"            ALPHA(34),
  "StaIncrement"        NUMBER,
  "MinPressure"         NUMBER,
  "MaxVelocity"         NUMBER,
  "MaxFriction"         NUMBER,
  "SmallSize"           NUMBER,
  "LargeSize"           NUMBER,
  "ColumnLoss"          NUMBER,
  "TankRange"           NUMBER,
  "LivestockType"       ALPHA(25),
  "MaxLivestock"        NUMBER,
  "WaterPHead"          NUMBER,
  "HrDelivery"          NUMBER,
  "DateStart"           ALPHA(8),
  "DateEnd"             ALPHA(8),
  "StorageTime"         NUMBER,
  "PctSpill"            NUMBER,
  "SystemType"          ALPHA(30),
  "Terrain"             ALPHA(25),
  "WaterQuality"        ALPHA(20),
  "GatedPipeType"       ALPHA(34),
  "GateSpace"           NUMBER,
  "GateGpm"             NUMBER,
  "AVFillVel"           NUMBER,
  "AVPMaterial"         ALPHA(14),
  "AVAirDen"            NUMBER,
  "AVFlowCoef"          NUMBER,
  "PipeTypePressure"    ALPHA(40),
  "PipeTypeOthers"      ALPHA(40),
  "SysType"             ALPHA(40),
  "SuctionPipeType"     ALPHA(40)
);

-- System defaults, edited behind the password.
CREATE TABLE "DefSystem.db" (
  "CompMethod"     SHORT,
  "Password"       ALPHA(20),
  "DeflectInstall" LOGICAL,
  "AutoPct"        NUMBER
);

-- ---------------------------------------------------------------------------
-- Stored jobs, keyed by job number. The three job headers number their jobs;
-- the child tables carry the header's number in JobNumber (REFERENCES says
-- which header's: not enforced, it tells the layout check that neither table
-- of a pair can be missing while the other holds rows).
-- ---------------------------------------------------------------------------

-- Pipeline, manifold and gated-pipe job headers.
CREATE TABLE "JobPipe.DB" (
  "JobNumber"       AUTOINC,
  "JobName"         ALPHA(50),
  "Designer"        ALPHA(35),
  "Landuser"        ALPHA(24),
  "ID"              ALPHA(12),
  "Date"            ALPHA(12),
  "Location"        ALPHA(40),
  "JobClass"        ALPHA(10),
  "JobNotes"        MEMO(240),
  "NumNodes"        SHORT,
  "SysType"         ALPHA(9),
  "SysHas"          SHORT,
  "WSElev"          NUMBER,
  "DesignFlow"      NUMBER,
  "InletDescip"     ALPHA(40),
  "OutletElev"      NUMBER,
  "OutletPsi"       NUMBER,
  "PlusPsi"         NUMBER,
  "PumpType"        ALPHA(15),
  "NoSucSegs"       SHORT,
  "PsiIn"           NUMBER,
  "ColumnLoss"      NUMBER,
  "PumpEyeElev"     NUMBER,
  "Altitude"        NUMBER,
  "PumpEffic"       NUMBER,
  "ClearHead"       NUMBER,
  "TankRange"       NUMBER,
  "WaterTemp"       NUMBER,
  "EntranceNotes"   MEMO(120),
  "TriclPType"      ALPHA(34),
  "TriclLPsi"       NUMBER,
  "TriclMVel"       NUMBER,
  "TriclMFric"      NUMBER,
  "TriclPipeRating" NUMBER,
  "TriclPresRating" NUMBER,
  "TriclEntQ"       NUMBER,
  "TriclEntPsi"     NUMBER,
  "TriclLowSz"      NUMBER,
  "TriclHiSz"       NUMBER,
  "DetailedML"      LOGICAL,
  "ReqOutletWS"     NUMBER,
  "NoEnd"           LOGICAL,
  PRIMARY KEY ("JobNumber")
);

CREATE INDEX "JobPipe.DB|JobNameIndex" ON "JobPipe.DB" ("JobName");

-- Profile nodes of the stored jobs.
CREATE TABLE "JobProf.DB" (
  "JobNumber"                 LONG REFERENCES "JobPipe.DB",
  "Station"                   NUMBER,
  "PipeType"                  ALPHA(40),
  "ReachType"                 ALPHA(12),
  "DownStreamPipeDescription" ALPHA(45),
  "DiaIn"                     NUMBER,
  "NodeType"                  SHORT,
  "PipeLength"                NUMBER,
  "PipeDepth"                 NUMBER,
  "InvElMethod"               SHORT,
  "InvertElev"                NUMBER,
  "GroundElev"                NUMBER,
  "OutQ"                      NUMBER,
  "InQ"                       NUMBER,
  "PipeQ"                     NUMBER,
  "PsiSet"                    NUMBER,
  "NomDia"                    NUMBER,
  "PipeRating"                ALPHA(10),
  "PressurRating"             NUMBER,
  "WallThick"                 NUMBER,
  "WtPerFt"                   NUMBER,
  "Nfac"                      NUMBER,
  "Cfac"                      NUMBER,
  "Efac"                      NUMBER,
  "Soil"                      ALPHA(42),
  "Fitting"                   ALPHA(30),
  "ThBlkSoil"                 NUMBER,
  "K1"                        NUMBER,
  "K2"                        NUMBER,
  "K3"                        NUMBER,
  "Kid1"                      NUMBER,
  "Kid2"                      NUMBER,
  "Kid3"                      NUMBER,
  "KLocate1"                  ALPHA(6),
  "KLocate2"                  ALPHA(6),
  "KLocate3"                  ALPHA(6),
  "KDescription1"             ALPHA(40),
  "KDescription2"             ALPHA(40),
  "KDescription3"             ALPHA(40),
  "KFlag1"                    ALPHA(18),
  "KFlag2"                    ALPHA(18),
  "KFlag3"                    ALPHA(18),
  "MultiOpenQ"                NUMBER,
  "MultiOpenSpcng"            NUMBER,
  "MultiOpenKm"               NUMBER,
  "Modulus"                   NUMBER,
  "MaxVel"                    NUMBER,
  PRIMARY KEY ("JobNumber", "Station")
);

-- Gated pipe of the stored jobs.
CREATE TABLE "JobGated.db" (
  "JobNumber"       LONG REFERENCES "JobPipe.DB",
  "StartSta"        NUMBER,
  "StartElev"       NUMBER,
  "EndSta"          NUMBER,
  "EndElev"         NUMBER,
  "IsMidSeg"        LOGICAL,
  "MidSta"          NUMBER,
  "MidElev"         NUMBER,
  "NoOfGates"       SHORT,
  "GateSpace"       NUMBER,
  "GateFlow"        NUMBER,
  "K1"              NUMBER,
  "K2"              NUMBER,
  "Kid1"            NUMBER,
  "Kid2"            NUMBER,
  "KDescription1"   ALPHA(40),
  "KDescription2"   ALPHA(40),
  "KFlag1"          ALPHA(18),
  "KFlag2"          ALPHA(18),
  "KLocate1"        ALPHA(4),
  "KLocate2"        ALPHA(4),
  "ML1"             NUMBER,
  "ML2"             NUMBER,
  "PipeDescription" ALPHA(45),
  "DiaIn"           NUMBER,
  "PipeType"        ALPHA(40),
  "Cfac"            NUMBER,
  "Nfac"            NUMBER,
  "Efac"            NUMBER,
  "WtPerFt"         NUMBER,
  "PressureRating"  NUMBER,
  "PipeQ"           NUMBER,
  "PipeVel"         NUMBER,
  "K1State"         ALPHA(3),
  "K2State"         ALPHA(3),
  PRIMARY KEY ("JobNumber")
);

-- Manifold outlets of the stored jobs.
CREATE TABLE "JobTrickle.DB" (
  "JobNumber"                 LONG REFERENCES "JobPipe.DB",
  "Station"                   NUMBER,
  "InvertElev"                NUMBER,
  "GpmAtOutlet"               NUMBER,
  "DownStreamPipeDescription" ALPHA(40),
  "PressurRating"             NUMBER,
  "PipeLength"                NUMBER,
  "PipeQ"                     NUMBER,
  "DiaIn"                     NUMBER,
  "WtPerFt"                   NUMBER,
  "Nfac"                      NUMBER,
  "Cfac"                      NUMBER,
  "Efac"                      NUMBER,
  "RecNo"                     SHORT,
  PRIMARY KEY ("JobNumber", "Station")
);

-- Pump suction segments of the stored jobs.
CREATE TABLE "JobSuction.DB" (
  "JobNumber"                 LONG REFERENCES "JobPipe.DB",
  "SegmentNo"                 SHORT,
  "PipeLength"                NUMBER,
  "PipeQ"                     NUMBER,
  "DownStreamPipeDescription" ALPHA(45),
  "DiaIn"                     NUMBER,
  "WtPerFt"                   NUMBER,
  "Nfac"                      NUMBER,
  "Cfac"                      NUMBER,
  "Efac"                      NUMBER,
  "K1"                        NUMBER,
  "K2"                        NUMBER,
  "K3"                        NUMBER,
  "Kid1"                      NUMBER,
  "Kid2"                      NUMBER,
  "Kid3"                      NUMBER,
  "KLocate1"                  ALPHA(6),
  "KLocate2"                  ALPHA(6),
  "KLocate3"                  ALPHA(6),
  "KDescription1"             ALPHA(40),
  "KDescription2"             ALPHA(40),
  "KDescription3"             ALPHA(40),
  "KFlag1"                    ALPHA(18),
  "KFlag2"                    ALPHA(18),
  "KFlag3"                    ALPHA(18),
  "Kloss"                     NUMBER,
  "Floss"                     NUMBER,
  "Warning"                   ALPHA(60),
  "Vel"                       NUMBER,
  "PipeType"                  ALPHA(40),
  "NodeType"                  SHORT,
  PRIMARY KEY ("JobNumber", "SegmentNo")
);

-- Stock-water calculator jobs.
CREATE TABLE "JobSWater.DB" (
  "JobNumber"     AUTOINC,
  "JobName"       ALPHA(40),
  "Designer"      ALPHA(35),
  "Landuser"      ALPHA(24),
  "ID"            ALPHA(12),
  "Date"          ALPHA(12),
  "Location"      ALPHA(40),
  "JobNotes"      MEMO(240),
  "OtherSources"  MEMO(240),
  "LivestockType" ALPHA(25),
  "MaxLivestock"  NUMBER,
  "DateStart"     ALPHA(8),
  "DateEnd"       ALPHA(8),
  "WaterPHead"    NUMBER,
  "StorageTime"   NUMBER,
  "PctDayUse"     NUMBER,
  "PctSpill"      NUMBER,
  "HrDelivery"    NUMBER,
  "Dependability" MEMO(240),
  "WaterQuality"  ALPHA(20),
  "SystemType"    ALPHA(30),
  "Terrain"       ALPHA(25),
  PRIMARY KEY ("JobNumber")
);

-- Air-vacuum calculator jobs.
CREATE TABLE "JobAirvac.DB" (
  "JobNumber"       AUTOINC,
  "JobName"         ALPHA(50),
  "Designer"        ALPHA(35),
  "Landuser"        ALPHA(24),
  "ID"              ALPHA(12),
  "Date"            ALPHA(12),
  "Location"        ALPHA(40),
  "JobNotes"        MEMO(240),
  "JobClass"        ALPHA(10),
  "PipeDescription" ALPHA(45),
  "DiaIn"           NUMBER,
  "Cfac"            NUMBER,
  "PipeType"        ALPHA(40),
  "PipeMaterial"    ALPHA(8),
  "Modulus"         NUMBER,
  "PoissonsRatio"   NUMBER,
  "PipeWallT"       NUMBER,
  "Slope"           NUMBER,
  "VacQ"            NUMBER,
  "FillQ"           NUMBER,
  "FillVel"         NUMBER,
  "SlpeGiven"       LOGICAL,
  "OD"              NUMBER,
  "AirDen"          NUMBER,
  "FlowCoef"        NUMBER,
  "SelectPipeDB"    LOGICAL,
  "PCollapse"       NUMBER,
  PRIMARY KEY ("JobNumber")
);

CREATE INDEX "JobAirvac.DB|JobNameIndex" ON "JobAirvac.DB" ("JobName");

-- ---------------------------------------------------------------------------
-- Scratch tables of the manifold pipe selection (kept in the order rows are
-- added: of two equal candidates the first added wins).
-- ---------------------------------------------------------------------------

-- Candidate pipes of one manifold segment.
CREATE TABLE "Temp.db" (
  "Id"       NUMBER,
  "Q"        NUMBER,
  "Rating"   NUMBER,
  "PDescrip" ALPHA(45),
  "Vel"      NUMBER,
  "Fric"     NUMBER,
  "Type"     ALPHA(20),
  "F"        NUMBER,
  "Re"       NUMBER,
  "CalcMeth" SHORT,
  "Len"      NUMBER
);

-- Pipe sizes of the manifold material.
CREATE TABLE "Temp1.DB" (
  "PDescrip" ALPHA(40),
  "Id"       NUMBER,
  "Val"      NUMBER
);

