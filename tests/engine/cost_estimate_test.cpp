#include "engine/cost_estimate.h"

#include "runjob.h"
#include "support/workprofile.h"

#include "model/data_module.h"
#include "model/job.h"

using testsupport::ProfValue;
using testsupport::PipeValue;
using testsupport::WorkJob;

namespace {

class CostTest : public runjob::RunJobTest {
protected:
    TCost cost;

    // Writes the unit costs into the one UnitCostTable row, made when missing.
    static void SetUnitCosts(testsupport::FieldValues values)
    {
        db::Table* t = DMod->UnitCostTable;
        OpenAll({t});
        if (t->RecordCount() == 0)
            t->Append();
        else {
            t->First();
            t->Edit();
        }
        for (int i = 0; i < t->FieldCount(); ++i)
            if (t->Fields(i)->DataType() == db::FieldType::Number)
                t->Fields(i)->SetAsFloat(0.0);
        for (const auto& [name, value] : values)
            t->FieldByName(name)->SetAsFloat(value.toDouble());
        t->Post();
    }

    static void AddMaterial(const QString& name, double costPerPound)
    {
        WorkJob::AddRow(DMod->TypeTable,
                        {{"PipeType", name}, {"CostPerPound", costPerPound}, {"EModulus", 400000}});
    }

    // Two stations 500 ft apart; the first carries 10 in pipe, 0.3 in wall,
    // 5 lb/ft of material TMAT, 36 in cover.
    void AddTenInchReach(const QString& material, int storedNodes)
    {
        job->SetHeader({{"SysType", "GRAVITY"}, {"NumNodes", storedNodes}});
        job->AddProfRow({{"Station", 0}, {"DiaIn", 10}, {"WallThick", 0.3}, {"PipeDepth", 36},
                         {"WtPerFt", 5}, {"PipeType", material}, {"PipeLength", 0}});
        job->AddProfRow({{"Station", 500}, {"DiaIn", 10}, {"WallThick", 0.3}, {"PipeDepth", 36},
                         {"WtPerFt", 5}, {"PipeType", material}, {"PipeLength", 500}});
    }

    // A turbine: 300 gpm, WHP 10, BHP 13.33, 75 % pump, 10 h a day for 30
    // days in January and 31 in February.
    void SetTurbine()
    {
        job->SetHeader({{"SysType", "PUMPED"}, {"PumpType", "TURBINE"}, {"DesignFlow", 300},
                        {"PumpEffic", 75}});
        Tul->SysTypeCode = 2;
        Tul->PumpTypeCode = 2;
        Tul->WHP = 10;
        Tul->BHP = 13.33;
        Tul->PumpEffic = 75;
        SetUnitCosts({{"HrsPerDay", 10}, {"Days1", 30}, {"Days2", 31}, {"FirstKW", 2000},
                      {"FirstKWCharge", 0.10}, {"AdinKWCharge", 0.08}, {"MoFirstKW", 5},
                      {"MoDemandFirsKW", 3}, {"MoDemandAdinKW", 2}, {"MoDemandPerHP", 1},
                      {"AnSerChgPerHP", 4}, {"AnSerChgInstall", 50}, {"DieselCost", 2.5},
                      {"NatGasCost", 6}});
    }
};

TEST(CostRules, MotorEfficiencyStepsTakeTheLowerStepAtTheirBounds)
{
    EXPECT_DOUBLE_EQ(MotorEfficiency(1.5), 0.80);
    EXPECT_DOUBLE_EQ(MotorEfficiency(2), 0.85);
    EXPECT_DOUBLE_EQ(MotorEfficiency(5), 0.89);
    EXPECT_DOUBLE_EQ(MotorEfficiency(13.33), 0.92);
    EXPECT_DOUBLE_EQ(MotorEfficiency(20), 0.92);
    EXPECT_DOUBLE_EQ(MotorEfficiency(50), 0.94);
    EXPECT_DOUBLE_EQ(MotorEfficiency(75), 0.95);
    EXPECT_DOUBLE_EQ(MotorEfficiency(75.01), 0.96);
}

TEST(CostRules, TrenchWidthExactlyOnABoundTakesTheNarrowerClass)
{
    EXPECT_EQ(TrenchRate(8, 1, 2, 3, 4), 1);
    EXPECT_EQ(TrenchRate(8.01, 1, 2, 3, 4), 2);
    EXPECT_EQ(TrenchRate(12, 1, 2, 3, 4), 2);
    EXPECT_EQ(TrenchRate(15.9, 1, 2, 3, 4), 3);
    EXPECT_EQ(TrenchRate(24, 1, 2, 3, 4), 3);
    EXPECT_EQ(TrenchRate(24.01, 1, 2, 3, 4), 4);
}

TEST_F(CostTest, TenInchReachIsPricedWithItsTrenchOverTheReachToTheNextStation)
{
    AddMaterial("TMAT", 1.20);
    SetUnitCosts({{"TrenchTo8", 9}, {"TrenchTo12", 9}, {"TrenchTo24", 2.00}, {"TrenchOvr24", 9}});
    // The stored node count is stale (1): the profile's two rows count.
    AddTenInchReach("TMAT", 1);
    cost.EstimateJobCost();
    // OD 10.6 in, trench 15.9 in wide (the up-to-24 class).
    // 5 x 1.20 + (36 + 10.6) / 12 x 2.00 = 6 + 7.766666... = 13.766666...
    EXPECT_NEAR(ProfValue(0, "CostFt"), 13.766666666666666, 1e-9);
    EXPECT_NEAR(ProfValue(0, "RchLen"), 500, 1e-9);
    // 500 x 13.766666... = 6883.333...
    EXPECT_NEAR(ProfValue(0, "RchCost"), 6883.333333333333, 1e-6);
    // The last station has its cost per foot but no reach.
    EXPECT_NEAR(ProfValue(1, "CostFt"), 13.766666666666666, 1e-9);
    EXPECT_EQ(ProfValue(1, "RchLen"), 0);
    EXPECT_EQ(ProfValue(1, "RchCost"), 0);
    EXPECT_FALSE(DMod->UnitCostTable->Active());
    EXPECT_FALSE(DMod->TypeTable->Active());
}

TEST_F(CostTest, MaterialWithoutPriceRowCostsNothingAndSaysSo)
{
    AddMaterial("TMAT", 1.20);
    SetUnitCosts({{"TrenchTo24", 2.00}});
    AddTenInchReach("NOSUCH", 2);
    cost.EstimateJobCost();
    // Only the trench: (36 + 10.6) / 12 x 2.00; TMAT's price is not borrowed.
    EXPECT_NEAR(ProfValue(0, "CostFt"), 7.766666666666667, 1e-9);
    EXPECT_TRUE(Saw(ui::MsgType::Warning, QStringLiteral("No cost per pound found for pipe material \"NOSUCH\"")));
}

// A plain end node has no pipe below it: nothing to price, nothing to warn of.
TEST_F(CostTest, EndNodeWithoutPipeIsNotPricedNorWarnedOf)
{
    AddMaterial("TMAT", 1.20);
    SetUnitCosts({{"TrenchTo24", 2.00}});
    job->SetHeader({{"SysType", "GRAVITY"}, {"NumNodes", 2}});
    job->AddProfRow({{"Station", 0}, {"DiaIn", 10}, {"WallThick", 0.3}, {"PipeDepth", 36}, {"WtPerFt", 5},
                     {"PipeType", "TMAT"}, {"PipeLength", 0}});
    job->AddProfRow({{"Station", 500}, {"PipeType", ""}, {"PipeLength", 500}});
    cost.EstimateJobCost();
    EXPECT_TRUE(Messages().empty()) << Messages().front().text.toStdString();
    // 5 x 1.20 + (36 + 10.6) / 12 x 2.00 over 500 ft = 6883.33; the end costs nothing.
    EXPECT_NEAR(ProfValue(0, "RchCost"), 6883.333333333333, 1e-6);
    EXPECT_EQ(ProfValue(1, "CostFt"), 0);
    EXPECT_EQ(ProfValue(1, "RchCost"), 0);
}

TEST_F(CostTest, NarrowPipeUsesTheFourInchTrenchAndNoCoverNoTrench)
{
    AddMaterial("TMAT", 2.0);
    SetUnitCosts({{"TrenchTo8", 3.0}, {"TrenchTo12", 100}});
    job->SetHeader({{"SysType", "GRAVITY"}, {"NumNodes", 2}});
    job->AddProfRow({{"Station", 0}, {"DiaIn", 1}, {"WallThick", 0.1}, {"PipeDepth", 24},
                     {"WtPerFt", 0.5}, {"PipeType", "TMAT"}});
    job->AddProfRow({{"Station", 100}, {"DiaIn", 1}, {"WallThick", 0.1}, {"PipeDepth", 0},
                     {"WtPerFt", 0.5}, {"PipeType", "TMAT"}, {"PipeLength", 100}});
    cost.EstimateJobCost();
    // W = 1.8 in raised to 4: 0.5 x 2 + (24 + 1.2) / 12 x 3 = 1 + 6.3 = 7.3
    EXPECT_NEAR(ProfValue(0, "CostFt"), 7.3, 1e-9);
    EXPECT_NEAR(ProfValue(0, "RchCost"), 730, 1e-9);
    EXPECT_NEAR(ProfValue(1, "CostFt"), 1.0, 1e-9);
}

TEST_F(CostTest, TurbineSeasonPricesElectricDieselAndGas)
{
    SetTurbine();
    cost.EstimatePumpingCost(300);
    // H = (30 + 31) x 10 = 610; BHP 13.33 -> E 0.92.
    EXPECT_DOUBLE_EQ(cost.SeasonHours, 610);
    EXPECT_DOUBLE_EQ(PipeValue("SeasonPumpHrs"), 610);
    EXPECT_DOUBLE_EQ(PipeValue("MotorEffic"), 0.92);
    // P = 100 x 10 / 75 = 13.333333333333334 hp
    // kW = P / 0.92 x 0.7457121551081283 = 10.80742253779896
    // Jan e = 3242.226761339688 kWh: 200 + 1242.226761339688 x 0.08
    // Feb e = 3350.3009867176775 kWh: 200 + 1350.3009867176775 x 0.08
    // energy = 607.4022198445892
    // demand per month = 13.33 + 5 x 3 + 5.80742253779896 x 2 = 39.94484507559792
    // season = 4 x 13.33 + 50 + 2 x demand + energy = 790.611909995785
    EXPECT_NEAR(PipeValue("ElecSeasCst"), 790.611909995785, 1e-6);
    EXPECT_NEAR(PipeValue("ElecHrCst"), 1.296085098353746, 1e-9);
    // A = 300 x 610 x 0.002209605 = 404.357715
    EXPECT_NEAR(PipeValue("AcInPumped"), 404.357715, 1e-6);
    EXPECT_NEAR(PipeValue("ElecAiCst"), 1.9552289486940668, 1e-9);
    // 790.611909995785 / (10.80742253779896 x 610)
    EXPECT_NEAR(PipeValue("AvSeasElecCst"), 0.11992545806557375, 1e-9);
    // D = P x 610 / 16.66 x 2.5 = 1220.4881952781113
    EXPECT_NEAR(PipeValue("DiesSeasCst"), 1220.4881952781113, 1e-6);
    EXPECT_NEAR(PipeValue("DiesHrCst"), 2.0008003201280515, 1e-9);
    EXPECT_NEAR(PipeValue("DiesAiCst"), 3.018337847908037, 1e-9);
    // G = P x 610 / 82.20 x 6 = 593.6739659367397
    EXPECT_NEAR(PipeValue("GasSeasCst"), 593.6739659367397, 1e-6);
    EXPECT_NEAR(PipeValue("GasHrCst"), 0.9732360097323601, 1e-9);
    EXPECT_NEAR(PipeValue("GasAiCst"), 1.4681900305444642, 1e-9);
}

TEST_F(CostTest, SeasonWithoutHoursOrFlowStoresZeroRatesInsteadOfStopping)
{
    SetTurbine();
    SetUnitCosts({{"HrsPerDay", 0}, {"AnSerChgInstall", 50}, {"DieselCost", 2.5}});
    Tul->PumpEffic = 0;
    cost.EstimatePumpingCost(0);
    EXPECT_EQ(cost.SeasonHours, 0);
    EXPECT_DOUBLE_EQ(PipeValue("ElecSeasCst"), 50);
    for (const char* f : {"ElecHrCst", "ElecAiCst", "AvSeasElecCst", "DiesHrCst", "DiesAiCst",
                          "GasHrCst", "GasAiCst", "DiesSeasCst"})
        EXPECT_EQ(PipeValue(f), 0) << f;
    EXPECT_TRUE(RowIsFinite(DMod->WorkPipeTable));

    // Horsepower below zero prices no energy: the installation charge alone.
    SetTurbine();
    Tul->WHP = -0.33;
    Tul->BHP = -0.44;
    cost.EstimatePumpingCost(300);
    EXPECT_DOUBLE_EQ(PipeValue("ElecSeasCst"), 50);
    for (const char* f : {"AvSeasElecCst", "DiesSeasCst", "GasSeasCst", "DiesAiCst", "GasHrCst"})
        EXPECT_EQ(PipeValue(f), 0) << f;
}

TEST_F(CostTest, PressurisedMainGetsNoEnergyFiguresButItsSeasonHours)
{
    SetTurbine();
    Tul->PumpTypeCode = 5;
    cost.EstimatePumpingCost(300);
    EXPECT_EQ(cost.SeasonHours, 610);
    EXPECT_EQ(PipeValue("ElecSeasCst"), 0);
    EXPECT_EQ(PipeValue("SeasonPumpHrs"), 0);
}

TEST_F(CostTest, ManifoldJobPricesOnlyItsSegmentsOverTheReachToTheNext)
{
    AddMaterial("PE", 0.8);
    job->SetHeader({{"SysType", "GRAVITY"}, {"TriclPType", "PE"}});
    Tul->SysTypeCode = 4;
    job->AddProfRow({{"Station", 0}, {"CostFt", 99}});
    WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 0}, {"TSta", "0+00"}, {"PipeLength", 0}, {"WtPerFt", 1.5}});
    WorkJob::AddRow(DMod->WorkTrickleTable, {{"Station", 40}, {"TSta", "0+40"}, {"PipeLength", 40}, {"WtPerFt", 1.0}});
    cost.EstimateJobCost();
    db::Table* t = DMod->WorkTrickleTable;
    ASSERT_TRUE(t->Locate(QStringLiteral("TSta"), QStringLiteral("0+00")));
    EXPECT_NEAR(DMod->WorkTrickleTableCostFt->AsFloat(), 1.2, 1e-9);
    EXPECT_NEAR(DMod->WorkTrickleTableRchLen->AsFloat(), 40, 1e-9);
    EXPECT_NEAR(DMod->WorkTrickleTableRchCost->AsFloat(), 48, 1e-9);
    ASSERT_TRUE(t->Locate(QStringLiteral("TSta"), QStringLiteral("0+40")));
    EXPECT_NEAR(DMod->WorkTrickleTableCostFt->AsFloat(), 0.8, 1e-9);
    EXPECT_EQ(DMod->WorkTrickleTableRchCost->AsFloat(), 0);
    // The profile is not priced.
    EXPECT_EQ(ProfValue(0, "CostFt"), 99);
}

TEST_F(CostTest, GatedAndSuctionPipeArePricedByWeightWithoutTrench)
{
    AddMaterial("AL", 2.0);
    AddMaterial("STEEL", 0.5);
    OpenAll({DMod->PipeTable});
    WorkJob::AddRow(DMod->PipeTable, {{"Pipe Description", "8 in gated test"}, {"WtPerFt", 1.25}});
    job->SetHeader({{"SysType", "GRAVITY"}});
    Tul->SysTypeCode = 5;
    WorkJob::AddRow(DMod->WorkGatedTable, {{"StartSta", 100}, {"EndSta", 400},
                                          {"PipeDescription", "8 in gated test"}, {"PipeType", "AL"}});
    cost.EstimateJobCost();
    // 300 ft x 1.25 lb/ft x 2.0
    EXPECT_NEAR(DMod->WorkGatedTableRchLen->AsFloat(), 300, 1e-9);
    EXPECT_NEAR(DMod->WorkGatedTableWtPerFt->AsFloat(), 1.25, 1e-9);
    EXPECT_NEAR(DMod->WorkGatedTableCostFt->AsFloat(), 2.5, 1e-9);
    EXPECT_NEAR(DMod->WorkGatedTableRchCost->AsFloat(), 750, 1e-9);

    WorkJob::AddRow(DMod->WorkSuctionTable, {{"PipeType", "STEEL"}, {"WtPerFt", 20}, {"PipeLength", 15}});
    cost.EstimateSuctionPipeCost();
    DMod->WorkSuctionTable->First();
    EXPECT_NEAR(DMod->WorkSuctionTableCostFt->AsFloat(), 10, 1e-9);
    EXPECT_NEAR(DMod->WorkSuctionTableRchCost->AsFloat(), 150, 1e-9);
}

} // namespace
