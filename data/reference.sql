-- Reference rows other than pipes and minor losses, and the two default rows.
-- Sources: data/README.md.

-- Water at atmospheric pressure: temperature (deg F), kinematic viscosity
-- (sq ft/s) and specific weight (lb/cu ft), from one published table.
INSERT INTO "Water.db" ("Temp", "Viscos", "SpWt") VALUES
  ( 32, 1.931e-5, 62.42),
  ( 40, 1.664e-5, 62.43),
  ( 50, 1.410e-5, 62.41),
  ( 60, 1.217e-5, 62.37),
  ( 70, 1.059e-5, 62.30),
  ( 80, 0.930e-5, 62.22),
  ( 90, 0.826e-5, 62.11),
  (100, 0.739e-5, 62.00),
  (110, 0.667e-5, 61.86),
  (120, 0.609e-5, 61.71),
  (130, 0.558e-5, 61.55),
  (140, 0.514e-5, 61.38),
  (150, 0.476e-5, 61.20),
  (160, 0.442e-5, 61.00),
  (170, 0.413e-5, 60.80),
  (180, 0.385e-5, 60.58),
  (190, 0.362e-5, 60.36),
  (200, 0.341e-5, 60.12),
  (212, 0.319e-5, 59.83);

-- Livestock: water use per head (gallons per day) under conventional and
-- intensive grazing, and the largest spacing of watering sites (miles) in
-- rough and in gentle terrain.
INSERT INTO "StockType.db" ("LivestockType", "ConvGpd", "IntGpd", "RoughSpcing", "GentleSpcng") VALUES
  ('Beef cow with calf', 16, 20, 0.5, 1.0),
  ('Beef cow, dry',      12, 15, 0.5, 1.0),
  ('Yearling cattle',    10, 14, 0.5, 1.0),
  ('Dairy cow, milking', 25, 30, 0.5, 1.0),
  ('Horse',              12, 15, 0.5, 1.0),
  ('Sheep',               2,  3, 0.5, 1.0),
  ('Goat',                2,  3, 0.5, 1.0);

-- Unit costs (one row): pumping season May to September, 12 hours a day;
-- a rural irrigation tariff; fuel prices; trench cost per foot of depth per
-- foot of length by trench width class.
INSERT INTO "UnitCosts.db" (
  "HrsPerDay", "AnSerChgPerHP", "AnSerChgInstall", "MoDemandPerHP", "MoDemandFirsKW",
  "MoFirstKW", "MoDemandAdinKW", "FirstKW", "FirstKWCharge", "AdinKWCharge",
  "DieselCost", "NatGasCost",
  "Days1", "Days2", "Days3", "Days4", "Days5", "Days6",
  "Days7", "Days8", "Days9", "Days10", "Days11", "Days12",
  "TrenchTo8", "TrenchTo12", "TrenchTo24", "TrenchOvr24")
VALUES (
  12, 10.00, 150.00, 0.00, 6.00,
  10, 5.00, 1000, 0.110, 0.085,
  3.75, 8.50,
  0, 0, 0, 10, 25, 30,
  31, 31, 20, 5, 0, 0,
  0.75, 1.00, 1.50, 2.25);

-- Local defaults (one row). Texts are the items the dialogs offer; material
-- names are rows of "Pipe Material.DB", the livestock type a row of
-- "StockType.db".
INSERT INTO "DefLocal.DB" (
  "InvElMethod", "DepthOfCover", "MinorLossDetail", "GravMinorLossDetail",
  "LowVel", "HighVel", "CursorVel",
  "Fitting", "Soil", "ThBlkSoil",
  "WaterTemp", "ElevSea", "PumpEff", "ClearHead",
  "PipeType", "StaIncrement", "MinPressure", "MaxVelocity", "MaxFriction",
  "SmallSize", "LargeSize", "ColumnLoss", "TankRange",
  "LivestockType", "MaxLivestock", "WaterPHead", "HrDelivery", "DateStart", "DateEnd",
  "StorageTime", "PctSpill", "SystemType", "Terrain", "WaterQuality",
  "GatedPipeType", "GateSpace", "GateGpm",
  "AVFillVel", "AVPMaterial", "AVAirDen", "AVFlowCoef",
  "PipeTypePressure", "PipeTypeOthers", "SysType", "SuctionPipeType")
VALUES (
  0, 30, 0, 0,
  1.0, 5.0, 3.5,
  '90 deg Elbow', 'Medium clay - can be spaded', 2000,
  60, 1000, 75, 5,
  'PVC SDR', 100, 10, 5, 2.0,
  0.75, 4, 5, 20,
  'Beef cow with calf', 100, 16, 12, '05/01', '09/30',
  3, 10, 'Conventional Grazing System', 'Gentle Terrain Relief', 'Less than 1,000 mg/l',
  'Aluminum WallTh', 30, 20,
  1.0, 'PVC', 0.0765, 0.6,
  'PE SDR (SIDR)', 'PVC SDR', 'Gravity system, known flow', 'Steel Sch');

-- System defaults (one row): friction by Hazen-Williams, then Darcy-Weisbach,
-- then Manning; no password.
INSERT INTO "DefSystem.db" ("CompMethod", "Password", "DeflectInstall", "AutoPct")
VALUES (2, '', 0, 50);
