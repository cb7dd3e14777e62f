// The database as a first run creates it: every table with its fields in
// order, their types and sizes, the indexes the program selects by name, and
// the shipped reference and default rows.
#include "model/database_setup.h"
#include "platform/db/db.h"
#include "support/tempdb.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <cmath>
#include <map>
#include <memory>

namespace {

struct Layout {
    const char* table;
    const char* fields;   // "Name:Code;..." S Short, L Long, N Number, An Alpha n,
                          // Mn Memo n, B Logical, I Autoincrement
};

// The record layouts, transcribed field by field.
const Layout kLayouts[] = {
    {"PipeType.DB",
     "PSize:S;Pipe Type:A40;Pipe Description:A45;ID (in):N;PType:S;Press Rtng (psi):N;"
     "NomDiam:N;Rating:N;Wall Thick (in):N;Nfac:N;Comment:A122;Marked:B;WtPerFt:N;Modulus:N;"},
    {"Pipe Material.DB",
     "PipeType:A34;Cfactor:N;Nfactor:N;Efactor:N;EModulus:N;WtPerCuIn:N;CostPerPound:N;"
     "MaxVel:N;PType:I;"},
    {"MinorLoss.DB",
     "Loss Item Description:A40;K2:N;K3:N;K4:N;K5:N;K6:N;K7:N;K8:N;K10:N;K12:N;KFlag:A18;"},
    {"Water.db",
     "Temp:N;Viscos:N;SpWt:N;"},
    {"StockType.db",
     "LivestockType:A25;ConvGpd:N;IntGpd:N;RoughSpcing:N;GentleSpcng:N;"},
    {"UnitCosts.db",
     "HrsPerDay:N;AnSerChgPerHP:N;AnSerChgInstall:N;MoDemandPerHP:N;MoDemandFirsKW:N;"
     "MoFirstKW:N;MoDemandAdinKW:N;FirstKW:N;FirstKWCharge:N;AdinKWCharge:N;DieselCost:N;"
     "NatGasCost:N;Days1:N;Days2:N;Days3:N;Days4:N;Days5:N;Days6:N;Days7:N;Days8:N;Days9:N;"
     "Days10:N;Days11:N;Days12:N;TrenchTo8:N;TrenchTo12:N;TrenchTo24:N;TrenchOvr24:N;"},
    {"DefLocal.DB",
     "InvElMethod:S;DepthOfCover:N;MinorLossDetail:B;GravMinorLossDetail:B;LowVel:N;HighVel:N;"
     "CursorVel:N;Fitting:A16;Soil:A42;ThBlkSoil:N;WaterTemp:N;ElevSea:N;PumpEff:N;ClearHead:N;"
     "PipeType:A34;StaIncrement:N;MinPressure:N;MaxVelocity:N;MaxFriction:N;SmallSize:N;"
     "LargeSize:N;ColumnLoss:N;TankRange:N;LivestockType:A25;MaxLivestock:N;WaterPHead:N;"
     "HrDelivery:N;DateStart:A8;DateEnd:A8;StorageTime:N;PctSpill:N;SystemType:A30;Terrain:A25;"
     "WaterQuality:A20;GatedPipeType:A34;GateSpace:N;GateGpm:N;AVFillVel:N;AVPMaterial:A14;"
     "AVAirDen:N;AVFlowCoef:N;PipeTypePressure:A40;PipeTypeOthers:A40;SysType:A40;"
     "SuctionPipeType:A40;"},
    {"DefSystem.db",
     "CompMethod:S;Password:A20;DeflectInstall:B;AutoPct:N;"},
    {"WorkPipe.db",
     "JobNumber:L;JobName:A50;Designer:A35;Landuser:A24;ID:A12;Date:A12;Location:A40;"
     "JobClass:A10;JobNotes:M240;NumNodes:S;SysType:A9;SysHas:S;WSElev:N;DesignFlow:N;"
     "InletDescip:A40;OutletElev:N;OutletPsi:N;PlusPsi:N;PumpType:A15;NoSucSegs:S;PsiIn:N;"
     "ColumnLoss:N;PumpEyeElev:N;Altitude:N;PumpEffic:N;ClearHead:N;TankRange:N;WaterTemp:N;"
     "WHP:N;BHP:N;TDSH:N;AvailSH:N;TDH:N;OnElev:N;OffElev:N;EntranceNotes:M120;TriclPType:A34;"
     "TriclLPsi:N;TriclMVel:N;TriclMFric:N;TriclPipeRating:N;TriclPresRating:N;TriclTotFric:N;"
     "TriclEntQ:N;TriclEntPsi:N;TriclEntHgl:N;TriclLowSz:N;TriclHiSz:N;SeasonPumpHrs:N;"
     "MotorHP:A16;AcInPumped:N;DetailedML:B;ElecSeasCst:N;ElecHrCst:N;ElecAiCst:N;"
     "DiesSeasCst:N;DiesHrCst:N;DiesAiCst:N;GasSeasCst:N;GasHrCst:N;GasAiCst:N;MotorEffic:N;"
     "AvSeasElecCst:N;ReqOutletWS:N;NoEnd:B;"},
    {"JobPipe.DB",
     "JobNumber:I;JobName:A50;Designer:A35;Landuser:A24;ID:A12;Date:A12;Location:A40;"
     "JobClass:A10;JobNotes:M240;NumNodes:S;SysType:A9;SysHas:S;WSElev:N;DesignFlow:N;"
     "InletDescip:A40;OutletElev:N;OutletPsi:N;PlusPsi:N;PumpType:A15;NoSucSegs:S;PsiIn:N;"
     "ColumnLoss:N;PumpEyeElev:N;Altitude:N;PumpEffic:N;ClearHead:N;TankRange:N;WaterTemp:N;"
     "EntranceNotes:M120;TriclPType:A34;TriclLPsi:N;TriclMVel:N;TriclMFric:N;TriclPipeRating:N;"
     "TriclPresRating:N;TriclEntQ:N;TriclEntPsi:N;TriclLowSz:N;TriclHiSz:N;DetailedML:B;"
     "ReqOutletWS:N;NoEnd:B;"},
    {"WorkProf.DB",
     "Station:N;JobNumber:L;PipeType:A40;ReachType:A12;NodeType:S;PipeDepth:N;PipeLength:N;"
     "GroundElev:N;OutQ:N;InQ:N;PipeQ:N;PsiSet:N;DownStreamPipeDescription:A45;NomDia:N;"
     "PipeRating:A10;DiaIn:N;PressurRating:N;WallThick:N;WtPerFt:N;Nfac:N;Cfac:N;Efac:N;"
     "Soil:A42;Fitting:A30;ThBlkSoil:N;ThBlockArea:N;StatPres:N;Kloss:N;Floss:N;Warning:A255;"
     "InvertElev:N;Vel:N;Psi:N;Hgl:N;Egl:N;Sgl:N;K1:N;K2:N;K3:N;Kid1:N;Kid2:N;Kid3:N;"
     "KLocate1:A6;KLocate2:A6;KLocate3:A6;KDescription1:A40;KDescription2:A40;"
     "KDescription3:A40;KFlag1:A18;KFlag2:A18;KFlag3:A18;MultiOpenQ:N;MultiOpenSpcng:N;"
     "MultiOpenKm:N;InvElMethod:S;FlowType:A12;Re:N;F:N;CalcMethod:A60;AirVacSize:N;Modulus:N;"
     "Surge:N;CostFt:N;RchCost:N;RchLen:N;TSta:A10;MaxVel:N;NodeTypeDesc:A50;InvElMethDesc:A41;"
     "Finished:B;RecordNo:S;"},
    {"JobProf.DB",
     "JobNumber:L;Station:N;PipeType:A40;ReachType:A12;DownStreamPipeDescription:A45;DiaIn:N;"
     "NodeType:S;PipeLength:N;PipeDepth:N;InvElMethod:S;InvertElev:N;GroundElev:N;OutQ:N;InQ:N;"
     "PipeQ:N;PsiSet:N;NomDia:N;PipeRating:A10;PressurRating:N;WallThick:N;WtPerFt:N;Nfac:N;"
     "Cfac:N;Efac:N;Soil:A42;Fitting:A30;ThBlkSoil:N;K1:N;K2:N;K3:N;Kid1:N;Kid2:N;Kid3:N;"
     "KLocate1:A6;KLocate2:A6;KLocate3:A6;KDescription1:A40;KDescription2:A40;"
     "KDescription3:A40;KFlag1:A18;KFlag2:A18;KFlag3:A18;MultiOpenQ:N;MultiOpenSpcng:N;"
     "MultiOpenKm:N;Modulus:N;MaxVel:N;"},
    {"WorkGated.db",
     "JobNumber:L;StartSta:N;StartElev:N;EndSta:N;EndElev:N;IsMidSeg:B;MidSta:N;MidElev:N;"
     "NoOfGates:S;GateSpace:N;GateFlow:N;StaAsta:N;StaAElev:N;AHGL:N;StaCsta:N;StaCElev:N;"
     "CHGL:N;StaDsta:N;StaDElev:N;DHGL:N;StartHGL:N;MidHGL:N;EndHGL:N;Warning:A255;"
     "CalcMethod:A60;StartStatPres:N;MidStatPres:N;EndStatPres:N;CostFt:N;RchCost:N;RchLen:N;"
     "StartTsta:A10;StaATsta:A10;MidTsta:A10;StaCTsta:A10;StaDTsta:A10;EndTsta:A10;Startpsi:N;"
     "StaApsi:N;Midpsi:N;StaCpsi:N;StaDpsi:N;Endpsi:N;OpenSegFloss:N;StaAHgl:N;StaCHgl:N;"
     "StaDHgl:N;StaAStatPres:N;StaCStatPres:N;StaDStatPres:N;K1:N;K2:N;Kid1:N;Kid2:N;"
     "KDescription1:A40;KDescription2:A40;KFlag1:A18;KFlag2:A18;KLocate1:A4;KLocate2:A4;ML1:N;"
     "ML2:N;PipeDescription:A45;DiaIn:N;PipeType:A40;Cfac:N;Nfac:N;Efac:N;WtPerFt:N;"
     "PressureRating:N;PipeQ:N;PipeVel:N;K1State:A3;K2State:A3;"},
    {"JobGated.db",
     "JobNumber:L;StartSta:N;StartElev:N;EndSta:N;EndElev:N;IsMidSeg:B;MidSta:N;MidElev:N;"
     "NoOfGates:S;GateSpace:N;GateFlow:N;K1:N;K2:N;Kid1:N;Kid2:N;KDescription1:A40;"
     "KDescription2:A40;KFlag1:A18;KFlag2:A18;KLocate1:A4;KLocate2:A4;ML1:N;ML2:N;"
     "PipeDescription:A45;DiaIn:N;PipeType:A40;Cfac:N;Nfac:N;Efac:N;WtPerFt:N;PressureRating:N;"
     "PipeQ:N;PipeVel:N;K1State:A3;K2State:A3;"},
    {"WorkTrickle.DB",
     "Station:N;InvertElev:N;GpmAtOutlet:N;DownStreamPipeDescription:A40;PressurRating:N;"
     "PipeLength:N;PipeQ:N;DiaIn:N;Vel:N;WtPerFt:N;Nfac:N;Cfac:N;Efac:N;Kloss:N;Floss:N;"
     "Warning:A80;Psi:N;Hgl:N;Egl:N;Sgl:N;JobNumber:L;Re:N;FlowType:A12;F:N;NodeType:S;"
     "CalcMethod:A30;CostFt:N;RchCost:N;RchLen:N;TSta:A10;RecNo:S;"},
    {"JobTrickle.DB",
     "JobNumber:L;Station:N;InvertElev:N;GpmAtOutlet:N;DownStreamPipeDescription:A40;"
     "PressurRating:N;PipeLength:N;PipeQ:N;DiaIn:N;WtPerFt:N;Nfac:N;Cfac:N;Efac:N;RecNo:S;"},
    {"WorkSuction.db",
     "SegmentNo:S;JobNumber:L;PipeLength:N;PipeQ:N;DownStreamPipeDescription:A45;DiaIn:N;"
     "WtPerFt:N;Nfac:N;Cfac:N;Efac:N;K1:N;K2:N;K3:N;Kid1:N;Kid2:N;Kid3:N;KLocate1:A6;"
     "KLocate2:A6;KLocate3:A6;KDescription1:A40;KDescription2:A40;KDescription3:A40;KFlag1:A18;"
     "KFlag2:A18;KFlag3:A18;Kloss:N;Floss:N;Warning:A60;Vel:N;PipeType:A40;FlowType:A12;Re:N;"
     "F:N;NodeType:S;CalcMethod:A60;CostFt:N;RchCost:N;"},
    {"JobSuction.DB",
     "JobNumber:L;SegmentNo:S;PipeLength:N;PipeQ:N;DownStreamPipeDescription:A45;DiaIn:N;"
     "WtPerFt:N;Nfac:N;Cfac:N;Efac:N;K1:N;K2:N;K3:N;Kid1:N;Kid2:N;Kid3:N;KLocate1:A6;"
     "KLocate2:A6;KLocate3:A6;KDescription1:A40;KDescription2:A40;KDescription3:A40;KFlag1:A18;"
     "KFlag2:A18;KFlag3:A18;Kloss:N;Floss:N;Warning:A60;Vel:N;PipeType:A40;NodeType:S;"},
    {"WorkSWater.db",
     "JobNumber:L;JobName:A40;Designer:A35;Landuser:A24;ID:A12;Date:A12;Location:A40;"
     "JobNotes:M240;OtherSources:M240;LivestockType:A25;MaxLivestock:N;DateStart:A8;DateEnd:A8;"
     "WaterPHead:N;StorageTime:N;PctDayUse:N;PctSpill:N;HrDelivery:N;MinGpm:N;DesignGpm:N;"
     "StorageReserve:N;Dependability:M240;WaterQuality:A20;SystemType:A30;Terrain:A25;"
     "WaterSpacing:N;QualComment:M240;"},
    {"JobSWater.DB",
     "JobNumber:I;JobName:A40;Designer:A35;Landuser:A24;ID:A12;Date:A12;Location:A40;"
     "JobNotes:M240;OtherSources:M240;LivestockType:A25;MaxLivestock:N;DateStart:A8;DateEnd:A8;"
     "WaterPHead:N;StorageTime:N;PctDayUse:N;PctSpill:N;HrDelivery:N;Dependability:M240;"
     "WaterQuality:A20;SystemType:A30;Terrain:A25;"},
    {"WorkAirvac.DB",
     "JobNumber:L;JobName:A50;Designer:A35;ID:A12;Landuser:A24;Date:A12;Location:A40;"
     "JobNotes:M240;JobClass:A10;PipeDescription:A45;DiaIn:N;Cfac:N;PipeType:A40;"
     "PipeMaterial:A8;Modulus:N;PoissonsRatio:N;PipeWallT:N;Slope:N;VacOrifice:N;"
     "AirRelOrifice:N;VacQ:N;FillQ:N;FillVel:N;SlpeGiven:B;OD:N;AirDen:N;FlowCoef:N;"
     "SelectPipeDB:B;PCollapse:N;"},
    {"JobAirvac.DB",
     "JobNumber:I;JobName:A50;Designer:A35;Landuser:A24;ID:A12;Date:A12;Location:A40;"
     "JobNotes:M240;JobClass:A10;PipeDescription:A45;DiaIn:N;Cfac:N;PipeType:A40;"
     "PipeMaterial:A8;Modulus:N;PoissonsRatio:N;PipeWallT:N;Slope:N;VacQ:N;FillQ:N;FillVel:N;"
     "SlpeGiven:B;OD:N;AirDen:N;FlowCoef:N;SelectPipeDB:B;PCollapse:N;"},
    {"Temp.db",
     "Id:N;Q:N;Rating:N;PDescrip:A45;Vel:N;Fric:N;Type:A20;F:N;Re:N;CalcMeth:S;Len:N;"},
    {"Temp1.DB",
     "PDescrip:A40;Id:N;Val:N;"},
};

struct FieldSpec {
    QString name;
    db::FieldType type;
    int size;
};

std::vector<FieldSpec> Parse(const char* fields)
{
    std::vector<FieldSpec> out;
    for (const QString& item : QString::fromLatin1(fields).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int colon = item.lastIndexOf(QLatin1Char(':'));
        const QString code = item.mid(colon + 1);
        FieldSpec f{item.left(colon), db::FieldType::Number, 0};
        switch (code[0].toLatin1()) {
        case 'S': f.type = db::FieldType::Short; break;
        case 'L': f.type = db::FieldType::Long; break;
        case 'N': f.type = db::FieldType::Number; break;
        case 'A': f.type = db::FieldType::Alpha; f.size = code.mid(1).toInt(); break;
        case 'M': f.type = db::FieldType::Memo; f.size = code.mid(1).toInt(); break;
        case 'B': f.type = db::FieldType::Logical; break;
        case 'I': f.type = db::FieldType::AutoInc; break;
        }
        out.push_back(f);
    }
    return out;
}

const char* kWorkTables[] = {"WorkPipe.db", "WorkProf.DB", "WorkGated.db", "WorkTrickle.DB",
                             "WorkSuction.db", "WorkSWater.db", "WorkAirvac.DB"};

const std::map<QString, QString> kUndoTwins = {
    {"SavePipe.db", "WorkPipe.db"},     {"SaveProf.DB", "WorkProf.DB"},
    {"SaveGated.db", "WorkGated.db"},   {"SavSuction.db", "WorkSuction.db"},
    {"SaveTrickle.DB", "WorkTrickle.DB"},
};

std::vector<FieldSpec> Actual(db::Table& t)
{
    std::vector<FieldSpec> out;
    for (int i = 0; i < t.FieldCount(); ++i) {
        db::Field* f = t.Fields(i);
        if (!f->Calculated())
            out.push_back({f->FieldName(), f->DataType(), f->Size()});
    }
    return out;
}

void ExpectLayout(db::Table& t, const std::vector<FieldSpec>& want)
{
    const auto got = Actual(t);
    ASSERT_EQ(got.size(), want.size()) << t.TableName().toStdString() << " under "
                                       << t.DatabaseName().toStdString();
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(t.TableName().toStdString() + " field " + std::to_string(i + 1));
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_EQ(int(got[i].type), int(want[i].type)) << want[i].name.toStdString();
        EXPECT_EQ(got[i].size, want[i].size) << want[i].name.toStdString();
    }
}

class SchemaTest : public ::testing::Test {
protected:
    testsupport::TempDb temp{MersolCreateScript(), TransferCreateScript()};
};

std::vector<QString> Column(db::Table& t, const QString& field)
{
    std::vector<QString> out;
    for (t.First(); !t.Eof(); t.Next())
        out.push_back(t.FieldByName(field)->AsString());
    return out;
}

} // namespace

TEST_F(SchemaTest, EveryTableHasItsFieldsInOrderWithTypeAndSize)
{
    for (const Layout& l : kLayouts) {
        db::Table t(db::kMersolAlias, QString::fromLatin1(l.table));
        t.Open();
        ExpectLayout(t, Parse(l.fields));
    }
}

TEST_F(SchemaTest, UndoAndTransferCopiesHaveTheLayoutOfTheirWorkingTwins)
{
    std::map<QString, std::vector<FieldSpec>> work;
    for (const Layout& l : kLayouts)
        work[QString::fromLatin1(l.table)] = Parse(l.fields);
    for (const auto& [save, twin] : kUndoTwins) {
        db::Table t(db::kMersolAlias, save);
        t.Open();
        ExpectLayout(t, work.at(twin));
    }
    for (const char* name : kWorkTables) {
        db::Table t(db::kTransferAlias, QString::fromLatin1(name));
        t.Open();
        ExpectLayout(t, work.at(QString::fromLatin1(name)));
    }
}

TEST_F(SchemaTest, TransferDatabaseHoldsOnlyTheSevenWorkingTables)
{
    db::Table ref(db::kTransferAlias, QStringLiteral("PipeType.DB"));
    EXPECT_THROW(ref.Open(), db::DbError);
    db::Table save(db::kTransferAlias, QStringLiteral("SavePipe.db"));
    EXPECT_THROW(save.Open(), db::DbError);
}

TEST_F(SchemaTest, JobNumberHoldsNumbersPastTheSixteenBitRange)
{
    for (const Layout& l : kLayouts) {
        db::Table t(db::kMersolAlias, QString::fromLatin1(l.table));
        if (db::Field* f = t.FindField(QStringLiteral("JobNumber"))) {
            EXPECT_TRUE(f->DataType() == db::FieldType::Long || f->DataType() == db::FieldType::AutoInc)
                << l.table;
        }
    }

    db::Table prof(db::kMersolAlias, QStringLiteral("JobProf.DB"));
    prof.Open();
    prof.Append();
    prof.FieldByName(QStringLiteral("JobNumber"))->SetAsInteger(40000);
    prof.FieldByName(QStringLiteral("Station"))->SetAsFloat(0);
    prof.Post();
    prof.Close();
    prof.Open();
    prof.First();
    EXPECT_EQ(prof.FieldByName(QStringLiteral("JobNumber"))->AsInteger(), 40000);
}

TEST_F(SchemaTest, PipeTableIndexesAreTheNamedOnes)
{
    db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
    t.Open();
    std::map<QString, db::IndexDef> byName;
    const db::IndexDef* primary = nullptr;
    const auto defs = t.IndexDefs();
    for (const auto& d : defs) {
        if (d.primary)
            primary = &d;
        else
            byName[d.name] = d;
    }
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(primary->unique);
    EXPECT_EQ(primary->fields, (QStringList{"PSize", "Pipe Type", "Pipe Description", "ID (in)"}));

    ASSERT_EQ(byName.count("PTypePSizeIndex"), 1u);
    EXPECT_EQ(byName["PTypePSizeIndex"].fields, (QStringList{"Pipe Type", "PSize"}));
    EXPECT_TRUE(byName["PTypePSizeIndex"].caseInsensitive);
    ASSERT_EQ(byName.count("PipeDescripIndex"), 1u);
    EXPECT_EQ(byName["PipeDescripIndex"].fields, (QStringList{"Pipe Description", "NomDiam"}));
    EXPECT_TRUE(byName["PipeDescripIndex"].caseInsensitive);
    ASSERT_EQ(byName.count("DiaIndex"), 1u);
    EXPECT_EQ(byName["DiaIndex"].fields, QStringList{"PSize"});
    ASSERT_EQ(byName.count("PTypeIndex"), 1u);
    EXPECT_EQ(byName["PTypeIndex"].fields, QStringList{"Pipe Type"});
    EXPECT_TRUE(byName["PTypeIndex"].caseInsensitive);
}

TEST_F(SchemaTest, JobHeadersAreFoundByName)
{
    for (const char* name : {"JobPipe.DB", "JobAirvac.DB"}) {
        db::Table t(db::kMersolAlias, QString::fromLatin1(name));
        t.Open();
        bool found = false;
        for (const auto& d : t.IndexDefs())
            if (d.name == QLatin1String("JobNameIndex")) {
                found = true;
                EXPECT_EQ(d.fields, QStringList{"JobName"}) << name;
            }
        EXPECT_TRUE(found) << name;
        t.SetIndexName(QStringLiteral("JobNameIndex"));
        for (const char* job : {"Walker ranch", "Bench line", "North field"}) {
            t.Append();
            t.FieldByName(QStringLiteral("JobName"))->SetAsString(QString::fromLatin1(job));
            t.Post();
        }
        EXPECT_EQ(Column(t, QStringLiteral("JobName")),
                  (std::vector<QString>{"Bench line", "North field", "Walker ranch"}));
        t.FindNearest({QStringLiteral("O")});
        EXPECT_EQ(t.FieldByName(QStringLiteral("JobName"))->AsString(), QStringLiteral("Walker ranch"));
    }
}

TEST_F(SchemaTest, JobHeadersNumberTheirJobs)
{
    db::Table t(db::kMersolAlias, QStringLiteral("JobPipe.DB"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("JobName"))->SetAsString(QStringLiteral("First"));
    t.Post();
    const int first = t.FieldByName(QStringLiteral("JobNumber"))->AsInteger();
    t.Append();
    t.FieldByName(QStringLiteral("JobName"))->SetAsString(QStringLiteral("Second"));
    t.Post();
    EXPECT_GT(first, 0);
    EXPECT_GT(t.FieldByName(QStringLiteral("JobNumber"))->AsInteger(), first);
}

TEST_F(SchemaTest, ProfileRowsFallIntoStationOrder)
{
    db::Table t(db::kMersolAlias, QStringLiteral("WorkProf.DB"));
    t.Open();
    for (double station : {500.0, 0.0, 1250.5, 100.0}) {
        t.Append();
        t.FieldByName(QStringLiteral("Station"))->SetAsFloat(station);
        t.Post();
    }
    std::vector<double> got;
    for (t.First(); !t.Eof(); t.Next())
        got.push_back(t.FieldByName(QStringLiteral("Station"))->AsFloat());
    EXPECT_EQ(got, (std::vector<double>{0.0, 100.0, 500.0, 1250.5}));
}

TEST_F(SchemaTest, UndoScriptRenamesFiveWorkingTablesAndTheirIndexes)
{
    const QString work = QStringLiteral(
        "-- a comment\n"
        "CREATE TABLE \"WorkProf.DB\" (\"Station\" NUMBER, PRIMARY KEY (\"Station\"));\n"
        "CREATE INDEX \"WorkProf.DB|ByJob\" ON \"WorkProf.DB\" (\"Station\");\n"
        "CREATE TABLE \"WorkSWater.db\" (\"JobNumber\" LONG);\n"
        "CREATE TABLE \"WorkSuction.db\" (\"SegmentNo\" SHORT);\n");
    const QString undo = UndoTablesScript(work);
    EXPECT_TRUE(undo.contains("CREATE TABLE \"SaveProf.DB\""));
    EXPECT_TRUE(undo.contains("CREATE INDEX \"SaveProf.DB|ByJob\" ON \"SaveProf.DB\""));
    EXPECT_TRUE(undo.contains("CREATE TABLE \"SavSuction.db\""));
    EXPECT_FALSE(undo.contains("Work"));
    EXPECT_FALSE(undo.contains("SWater"));
    EXPECT_FALSE(undo.contains("comment"));
}

// ---------------------------------------------------------------------------
// Shipped rows
// ---------------------------------------------------------------------------

TEST_F(SchemaTest, PipeSizeCodeIsNominalDiameterTimesHundredTruncated)
{
    db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
    t.Open();
    ASSERT_GT(t.RecordCount(), 100);
    QSet<int> sizes;
    for (t.First(); !t.Eof(); t.Next()) {
        const double nominal = t.FieldByName(QStringLiteral("NomDiam"))->AsFloat();
        const int psize = t.FieldByName(QStringLiteral("PSize"))->AsInteger();
        EXPECT_EQ(psize, int(nominal * 100)) << t.FieldByName(QStringLiteral("Pipe Description"))->AsString().toStdString();
        sizes.insert(psize);
    }
    EXPECT_TRUE(sizes.contains(50));
    EXPECT_TRUE(sizes.contains(75));
    EXPECT_TRUE(sizes.contains(125));
    EXPECT_TRUE(sizes.contains(1200));
    EXPECT_TRUE(sizes.contains(2400));
    ASSERT_TRUE(t.Locate(QStringLiteral("NomDiam"), 0.75));
    EXPECT_EQ(t.FieldByName(QStringLiteral("PSize"))->AsInteger(), 75);
}

TEST_F(SchemaTest, PipeListOrdersByDescriptionThenNominalAndBySizeOnDiaIndex)
{
    db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
    t.SetIndexName(QStringLiteral("PipeDescripIndex"));
    t.Open();
    QString prevDesc;
    double prevNom = -1;
    for (t.First(); !t.Eof(); t.Next()) {
        const QString desc = t.FieldByName(QStringLiteral("Pipe Description"))->AsString();
        const double nom = t.FieldByName(QStringLiteral("NomDiam"))->AsFloat();
        const int c = QString::compare(prevDesc, desc, Qt::CaseInsensitive);
        EXPECT_TRUE(c < 0 || (c == 0 && prevNom <= nom)) << prevDesc.toStdString() << " / " << desc.toStdString();
        prevDesc = desc;
        prevNom = nom;
    }
    t.SetIndexName(QStringLiteral("DiaIndex"));
    int prev = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        const int psize = t.FieldByName(QStringLiteral("PSize"))->AsInteger();
        EXPECT_LE(prev, psize);
        prev = psize;
    }
}

TEST_F(SchemaTest, PipesBelongToMaterialsAndAgreeWithTheirDimensions)
{
    db::Table mat(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
    mat.Open();
    std::map<int, double> density;
    std::map<int, QString> name;
    for (mat.First(); !mat.Eof(); mat.Next()) {
        const int ptype = mat.FieldByName(QStringLiteral("PType"))->AsInteger();
        density[ptype] = mat.FieldByName(QStringLiteral("WtPerCuIn"))->AsFloat();
        name[ptype] = mat.FieldByName(QStringLiteral("PipeType"))->AsString();
    }
    db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
    t.Open();
    std::map<int, int> count;
    for (t.First(); !t.Eof(); t.Next()) {
        const QString desc = t.FieldByName(QStringLiteral("Pipe Description"))->AsString();
        SCOPED_TRACE(desc.toStdString());
        const int ptype = t.FieldByName(QStringLiteral("PType"))->AsInteger();
        ASSERT_EQ(density.count(ptype), 1u);
        EXPECT_EQ(t.FieldByName(QStringLiteral("Pipe Type"))->AsString(), name[ptype]);
        ++count[ptype];
        const double id = t.FieldByName(QStringLiteral("ID (in)"))->AsFloat();
        const double wall = t.FieldByName(QStringLiteral("Wall Thick (in)"))->AsFloat();
        const double od = id + 2 * wall;
        const double w = 3.141592653589793 * 0.25 * (od * od - id * id) * 12 * density[ptype];
        EXPECT_NEAR(t.FieldByName(QStringLiteral("WtPerFt"))->AsFloat(), w, 0.002 + 0.001 * w);
        EXPECT_GT(id, 0.5);
        EXPECT_GT(wall, 0.0);
        EXPECT_LT(id, t.FieldByName(QStringLiteral("NomDiam"))->AsFloat() * 1.2 + 0.3);
        EXPECT_GT(t.FieldByName(QStringLiteral("Press Rtng (psi)"))->AsFloat(), 0.0);
        EXPECT_GT(t.FieldByName(QStringLiteral("Nfac"))->AsFloat(), 0.0);
        EXPECT_GT(t.FieldByName(QStringLiteral("Modulus"))->AsFloat(), 0.0);
        EXPECT_GT(t.FieldByName(QStringLiteral("Rating"))->AsFloat(), 0.0);
        EXPECT_FALSE(t.FieldByName(QStringLiteral("Marked"))->AsBoolean());
    }
    for (const auto& [ptype, n] : name)
        EXPECT_GT(count[ptype], 0) << n.toStdString();
}

TEST_F(SchemaTest, MaterialsCarryRatingKindAndVelocityLimitOnlyForPlastics)
{
    db::Table mat(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
    mat.Open();
    ASSERT_GE(mat.RecordCount(), 5);
    for (mat.First(); !mat.Eof(); mat.Next()) {
        const QString n = mat.FieldByName(QStringLiteral("PipeType"))->AsString();
        SCOPED_TRACE(n.toStdString());
        const bool plastic = n.startsWith(QLatin1String("PVC")) || n.startsWith(QLatin1String("PE"));
        EXPECT_EQ(mat.FieldByName(QStringLiteral("MaxVel"))->AsFloat() > 0, plastic);
        EXPECT_GT(mat.FieldByName(QStringLiteral("Cfactor"))->AsFloat(), 0.0);
        EXPECT_GT(mat.FieldByName(QStringLiteral("Nfactor"))->AsFloat(), 0.0);
        EXPECT_GT(mat.FieldByName(QStringLiteral("Efactor"))->AsFloat(), 0.0);
        EXPECT_GT(mat.FieldByName(QStringLiteral("EModulus"))->AsFloat(), 0.0);
        EXPECT_GT(mat.FieldByName(QStringLiteral("CostPerPound"))->AsFloat(), 0.0);
        // The manifold dialogs read the rating kind from the name; a name
        // with none of them means the sizes are told apart by wall thickness.
        const bool kind = n.contains(QLatin1String("SDR")) || n.contains(QLatin1String("Sch"))
                          || n.contains(QLatin1String("FtHd")) || n.contains(QLatin1String("ga"))
                          || n.contains(QLatin1String("Ga"));
        if (!kind) {
            EXPECT_TRUE(n.contains(QLatin1String("WallTh")));
        }
    }
    for (const char* needed : {"PVC SDR", "PVC PIP SDR", "PVC Sch", "Steel Sch", "Aluminum WallTh", "PE SDR (SIDR)"})
        EXPECT_TRUE(mat.Locate(QStringLiteral("PipeType"), QString::fromLatin1(needed))) << needed;
}

TEST_F(SchemaTest, MinorLossItemsCoverEveryCategoryAndTheSizeChanges)
{
    db::Table t(db::kMersolAlias, QStringLiteral("MinorLoss.DB"));
    t.Open();
    QSet<QString> flags;
    for (t.First(); !t.Eof(); t.Next()) {
        flags.insert(t.FieldByName(QStringLiteral("KFlag"))->AsString());
        for (const char* k : {"K2", "K3", "K4", "K5", "K6", "K7", "K8", "K10", "K12"})
            EXPECT_GE(t.FieldByName(QString::fromLatin1(k))->AsFloat(), 0.0);
    }
    EXPECT_EQ(flags, (QSet<QString>{"LineFitting", "OutletValve", "LineValve", "EntranceValve",
                                     "EntranceLoss", "Contrac_Enlarge", "Special"}));
    for (const char* item : {"Contraction, Sudden", "Contraction, Gradual 45 degree",
                             "Enlargement, Sudden", "Enlargement, Gradual 45 degree"}) {
        ASSERT_TRUE(t.Locate(QStringLiteral("Loss Item Description"), QString::fromLatin1(item))) << item;
        EXPECT_EQ(t.FieldByName(QStringLiteral("KFlag"))->AsString(), QStringLiteral("Contrac_Enlarge"));
        EXPECT_GT(t.FieldByName(QStringLiteral("K6"))->AsFloat(), 0.0);
    }
    // Fitting losses fall as the pipe grows.
    ASSERT_TRUE(t.Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Elbow, 90 deg standard")));
    EXPECT_GT(t.FieldByName(QStringLiteral("K2"))->AsFloat(), t.FieldByName(QStringLiteral("K12"))->AsFloat());
}

TEST_F(SchemaTest, WaterPropertiesAreKeyedOnTemperature)
{
    db::Table t(db::kMersolAlias, QStringLiteral("Water.db"));
    t.Open();
    t.First();
    EXPECT_EQ(t.FieldByName(QStringLiteral("Temp"))->AsFloat(), 32.0);
    t.Last();
    EXPECT_EQ(t.FieldByName(QStringLiteral("Temp"))->AsFloat(), 212.0);
    double prevT = 32.0 - 12.0, prevNu = 1.0;   // every few degrees from 32 F
    for (t.First(); !t.Eof(); t.Next()) {
        const double temp = t.FieldByName(QStringLiteral("Temp"))->AsFloat();
        const double nu = t.FieldByName(QStringLiteral("Viscos"))->AsFloat();
        EXPECT_GT(temp, prevT);
        EXPECT_LE(temp - prevT, 12.0);
        EXPECT_LT(nu, prevNu);                 // thinner as it warms
        EXPECT_GT(nu, 1e-6);
        EXPECT_LT(nu, 2e-5);
        EXPECT_NEAR(t.FieldByName(QStringLiteral("SpWt"))->AsFloat(), 61.5, 1.7);
        prevT = temp;
        prevNu = nu;
    }
    t.FindNearest({55.0});
    EXPECT_EQ(t.FieldByName(QStringLiteral("Temp"))->AsFloat(), 60.0);
    t.FindNearest({60.0});
    EXPECT_NEAR(t.FieldByName(QStringLiteral("Viscos"))->AsFloat(), 1.217e-5, 1e-9);
}

TEST_F(SchemaTest, DefaultRowsShipOnceWithTextsTheDialogsOffer)
{
    db::Table sys(db::kMersolAlias, QStringLiteral("DefSystem.db"));
    sys.Open();
    ASSERT_EQ(sys.RecordCount(), 1);
    EXPECT_EQ(sys.FieldByName(QStringLiteral("CompMethod"))->AsInteger(), 2);
    EXPECT_EQ(sys.FieldByName(QStringLiteral("Password"))->AsString(), QString());
    const double pct = sys.FieldByName(QStringLiteral("AutoPct"))->AsFloat();
    EXPECT_TRUE(pct >= 0 && pct <= 99);

    db::Table cost(db::kMersolAlias, QStringLiteral("UnitCosts.db"));
    cost.Open();
    ASSERT_EQ(cost.RecordCount(), 1);
    double days = 0;
    for (int m = 1; m <= 12; ++m) {
        const double d = cost.FieldByName(QStringLiteral("Days%1").arg(m))->AsFloat();
        EXPECT_TRUE(d >= 0 && d <= 31) << m;
        days += d;
    }
    EXPECT_GT(days * cost.FieldByName(QStringLiteral("HrsPerDay"))->AsFloat(), 0.0);

    db::Table loc(db::kMersolAlias, QStringLiteral("DefLocal.DB"));
    loc.Open();
    ASSERT_EQ(loc.RecordCount(), 1);
    auto text = [&](const char* f) { return loc.FieldByName(QString::fromLatin1(f))->AsString(); };
    auto num = [&](const char* f) { return loc.FieldByName(QString::fromLatin1(f))->AsFloat(); };
    EXPECT_TRUE((QStringList{"Gravity system, known flow", "Gravity system, maximum flow",
                             "Pumped system, known flow", "Pressurized lateral, known flow"})
                    .contains(text("SysType")));
    EXPECT_TRUE((QStringList{"None", "Dead End or Tee", "90 deg Elbow", "45 deg Elbow", "22-1/2 deg Elbow"})
                    .contains(text("Fitting")));
    // The soil and its bearing strength go together as the thrust-block dialog pairs them.
    const std::map<QString, double> soils = {
        {"Sound shale", 10000}, {"Cemented gravel and sand difficult to pick", 4000},
        {"Coarse and fine compact sand", 3000}, {"Medium clay - can be spaded", 2000}, {"Soft clay", 1000}};
    ASSERT_EQ(soils.count(text("Soil")), 1u) << text("Soil").toStdString();
    EXPECT_EQ(num("ThBlkSoil"), soils.at(text("Soil")));
    EXPECT_TRUE((QStringList{"Conventional Grazing System", "Intensive Grazing System"}).contains(text("SystemType")));
    EXPECT_TRUE((QStringList{"Rough Terrain Relief", "Gentle Terrain Relief"}).contains(text("Terrain")));
    EXPECT_TRUE((QStringList{"Less than 1,000 mg/l", "1,000-3,000 mg/l", "3,000-5,000 mg/l", "5,000-7,000 mg/l",
                             "7,000-10,000 mg/l", "Over 10,000 mg/l"})
                    .contains(text("WaterQuality")));
    EXPECT_TRUE((QStringList{"PVC", "Steel"}).contains(text("AVPMaterial")));
    const int inv = loc.FieldByName(QStringLiteral("InvElMethod"))->AsInteger();
    EXPECT_TRUE(inv >= 0 && inv <= 2);
    EXPECT_LT(num("LowVel"), num("HighVel"));
    EXPECT_TRUE(num("CursorVel") >= num("LowVel") && num("CursorVel") <= num("HighVel"));
    EXPECT_LT(num("SmallSize"), num("LargeSize"));

    db::Table mat(db::kMersolAlias, QStringLiteral("Pipe Material.DB"));
    mat.Open();
    for (const char* f : {"PipeType", "GatedPipeType", "PipeTypePressure", "PipeTypeOthers", "SuctionPipeType"})
        EXPECT_TRUE(mat.Locate(QStringLiteral("PipeType"), text(f))) << f << ": " << text(f).toStdString();

    db::Table stock(db::kMersolAlias, QStringLiteral("StockType.db"));
    stock.Open();
    ASSERT_TRUE(stock.Locate(QStringLiteral("LivestockType"), text("LivestockType")));
    EXPECT_EQ(num("WaterPHead"), stock.FieldByName(QStringLiteral("ConvGpd"))->AsFloat());
}

TEST_F(SchemaTest, LivestockRowsAreComplete)
{
    db::Table t(db::kMersolAlias, QStringLiteral("StockType.db"));
    t.Open();
    ASSERT_GE(t.RecordCount(), 5);
    for (t.First(); !t.Eof(); t.Next()) {
        SCOPED_TRACE(t.FieldByName(QStringLiteral("LivestockType"))->AsString().toStdString());
        EXPECT_GT(t.FieldByName(QStringLiteral("ConvGpd"))->AsFloat(), 0.0);
        EXPECT_GE(t.FieldByName(QStringLiteral("IntGpd"))->AsFloat(), t.FieldByName(QStringLiteral("ConvGpd"))->AsFloat());
        EXPECT_GT(t.FieldByName(QStringLiteral("RoughSpcing"))->AsFloat(), 0.0);
        EXPECT_LE(t.FieldByName(QStringLiteral("RoughSpcing"))->AsFloat(), t.FieldByName(QStringLiteral("GentleSpcng"))->AsFloat());
    }
}

TEST_F(SchemaTest, WorkingAndTransferTablesStartEmpty)
{
    for (const char* name : kWorkTables) {
        db::Table w(db::kMersolAlias, QString::fromLatin1(name));
        w.Open();
        EXPECT_TRUE(w.IsEmpty()) << name;
        db::Table t(db::kTransferAlias, QString::fromLatin1(name));
        t.Open();
        EXPECT_TRUE(t.IsEmpty()) << name;
    }
    db::Table jobs(db::kMersolAlias, QStringLiteral("JobPipe.DB"));
    jobs.Open();
    EXPECT_TRUE(jobs.IsEmpty());
}

TEST(SchemaFirstRun, ConfiguredFoldersGetTheDatabasesAndASecondStartKeepsChanges)
{
    testsupport::TempDb restore;   // puts the engine's setup back afterwards
    const QString mersol = restore.Root() + QStringLiteral("/m");
    const QString transfer = restore.Root() + QStringLiteral("/t");
    QDir().mkpath(mersol);
    QDir().mkpath(transfer);
    ConfigureDatabase(mersol, transfer);
    {
        db::Table sys(db::kMersolAlias, QStringLiteral("DefSystem.db"));
        sys.Open();
        sys.Edit();
        sys.FieldByName(QStringLiteral("Password"))->SetAsString(QStringLiteral("Secret"));
        sys.Post();
        db::Table trans(db::kTransferAlias, QStringLiteral("WorkProf.DB"));
        trans.Open();
    }
    EXPECT_TRUE(db::Engine::instance().DatabaseFile(db::kMersolAlias).startsWith(mersol));
    EXPECT_TRUE(QFileInfo::exists(db::Engine::instance().DatabaseFile(db::kMersolAlias)));
    EXPECT_TRUE(QFileInfo::exists(db::Engine::instance().DatabaseFile(db::kTransferAlias)));
    db::Engine::instance().CloseAll();
    ConfigureDatabase(mersol, transfer);
    db::Table sys(db::kMersolAlias, QStringLiteral("DefSystem.db"));
    sys.Open();
    EXPECT_EQ(sys.RecordCount(), 1);
    EXPECT_EQ(sys.FieldByName(QStringLiteral("Password"))->AsString(), QStringLiteral("Secret"));
}
