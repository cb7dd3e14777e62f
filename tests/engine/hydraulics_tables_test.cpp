// The equations that read their inputs from the tables: viscosity from
// Water.db, the method order from the system defaults, the water temperature
// of the job and the thrust-block fitting of the current node.
#include "engine/hydraulics.h"
#include "model/number_text.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

using testsupport::WorkJob;

TEST(WaterViscosity, OutsideTheTableAndInterpolatedWithin)
{
    WorkJob job;
    JHyd h;
    double nu = 0;
    h.WaterViscosity(32, nu);
    EXPECT_EQ(nu, 3.746e-05);
    h.WaterViscosity(211, nu);
    EXPECT_EQ(nu, 3.17e-06);
    EXPECT_FALSE(job.Dm().WaterTable->Active());

    // 32.5: rows 40 (1.664e-5) and 32 (1.931e-5): 1.931e-5 - 0.267e-5 x 0.5/8 = 1.9143125e-5
    h.WaterViscosity(32.5, nu);
    EXPECT_NEAR(nu, 1.9143125e-05, 1e-15);
    // A row's own temperature takes that row as the lower end: 50 gives its value.
    h.WaterViscosity(50, nu);
    EXPECT_NEAR(nu, 1.410e-05, 1e-15);
    // Less than a degree below a row extrapolates from the interval above it:
    // 49.5 -> 1.410e-5 + (1.217e-5 - 1.410e-5) x (-0.05) = 1.41965e-5
    h.WaterViscosity(49.5, nu);
    EXPECT_NEAR(nu, 1.41965e-05, 1e-15);
    // 205: rows 212 (0.319e-5) and 200 (0.341e-5): 0.341e-5 - 0.022e-5 x 5/12
    h.WaterViscosity(205, nu);
    EXPECT_NEAR(nu, 0.341e-05 - 0.022e-05 * 5.0 / 12.0, 1e-15);
    // The table is closed afterwards, also when it was open before.
    job.Dm().WaterTable->Open();
    h.WaterViscosity(70, nu);
    EXPECT_FALSE(job.Dm().WaterTable->Active());
}

TEST(WaterViscosity, TableWithoutAnIntervalGivesAFiniteValue)
{
    WorkJob job;
    db::Table* w = job.Dm().WaterTable;
    w->Open();
    w->EmptyTable();
    WorkJob::AddRow(w, {{"Temp", 100}, {"Viscos", 0.739e-5}});
    w->Close();
    JHyd h;
    double nu = -1;
    h.WaterViscosity(60, nu);
    EXPECT_NEAR(nu, 0.739e-5, 1e-15);
}

TEST(FrictionLoss, MethodOrderFromSystemDefaults)
{
    WorkJob job;
    job.SetHeader({{"WaterTemp", 32}});
    db::Table* defs = job.Dm().DefSysTable;
    JHyd h;
    auto withMethod = [&](int m) {
        defs->Open();
        defs->Edit();
        job.Dm().DefSysTableCompMethod->SetAsInteger(m);
        defs->Post();
    };
    double Re, f;
    QString regime;

    withMethod(1);
    const double dw = h.FrictionLoss(6, 300, 1000, 0.00015, 150, 0.011, Re, regime, f);
    EXPECT_EQ(Tul->FrictionMethodUsed, kMethodDarcyWeisbach);
    EXPECT_NEAR(dw, 8.03248555244774, 1e-8);
    EXPECT_EQ("Darcy Weisbach, " + regime + ", Re=" + FixedText(Re, 10, 0) + ", F=" + FixedText(f, 7, 5),
              QString("Darcy Weisbach, Turbulent, Re=45437, F=0.02232"));
    // No roughness: Hazen-Williams comes next.
    EXPECT_NEAR(h.FrictionLoss(6, 300, 1000, 0, 150, 0.011, Re, regime, f),
                h.HazenWilliamsLoss(6, 300, 150, 1000), 1e-12);
    EXPECT_EQ(Tul->FrictionMethodUsed, kMethodHazenWilliams);
    EXPECT_EQ(Re, 0.0);
    EXPECT_TRUE(regime.isEmpty());

    withMethod(3);
    EXPECT_NEAR(h.FrictionLoss(6, 300, 1000, 0.00015, 0, 0.011, Re, regime, f),
                h.ManningLoss(6, 300, 0.011, 1000), 1e-12);
    EXPECT_EQ(Tul->FrictionMethodUsed, kMethodManning);

    // Only a roughness under "Hazen,Mannings only": no loss, method kept.
    withMethod(4);
    EXPECT_EQ(h.FrictionLoss(6, 300, 1000, 0.00015, 0, 0, Re, regime, f), 0.0);
    EXPECT_EQ(Tul->FrictionMethodUsed, kMethodManning);
    // The defaults table stays open once read.
    EXPECT_TRUE(defs->Active());
}

TEST(FrictionLoss, WaterTemperatureOfTheJob)
{
    WorkJob job;
    job.SetHeader({{"WaterTemp", 60}});
    JHyd h;
    double Re, f;
    QString regime;
    h.DarcyWeisbachLoss(6, 300, 0.00015, 1000, Re, regime, f);
    // At 60 F: nu = 1.217e-5 (a row's own temperature); Re = 0.5 x 3.404127494 / 1.217e-5
    EXPECT_NEAR(Re, 0.5 * PipeVelocity(300, 6) / 1.217e-5, 1e-6);
    EXPECT_NEAR(Re, 139857.3334, 1e-3);
    // Never entered (0): the local defaults' 60 F, not 32 F; one entered is kept.
    job.SetHeader({{"WaterTemp", 0}});
    EXPECT_DOUBLE_EQ(h.JobWaterTemp(), 60.0);
    h.DarcyWeisbachLoss(6, 300, 0.00015, 1000, Re, regime, f);
    EXPECT_NEAR(Re, 139857.3334, 1e-3);
    job.SetHeader({{"WaterTemp", 50}});
    EXPECT_DOUBLE_EQ(h.JobWaterTemp(), 50.0);
}

TEST(ThrustBlock, ReadsFittingAndSoilOfCurrentNode)
{
    WorkJob job;
    job.AddProfRow({{"Station", 0}, {"Fitting", "90 deg Elbow"}, {"ThBlkSoil", 2000}});
    job.AddProfRow({{"Station", 100}, {"Fitting", "Reducer"}, {"ThBlkSoil", 1000}});
    JHyd h;
    db::Table* prof = job.Dm().WorkProfTable;
    prof->First();
    EXPECT_NEAR(h.ThrustBlockArea(8, 0), 0.0417472135, 1e-9);
    prof->Next();
    EXPECT_NEAR(h.ThrustBlockArea(6, 10), 1.3023 * (std::pow(10, 1.8337) - std::pow(6, 1.8337)) / 1000, 1e-12);
    prof->Edit();
    job.Dm().WorkProfTableThBlkSoil->SetAsFloat(0);
    DialogDriver d;
    EXPECT_EQ(h.ThrustBlockArea(6, 10), 0.0);
    EXPECT_EQ(d.Messages().size(), 1u);
}
