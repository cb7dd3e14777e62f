// Loading the working job into the job object and the station records.
#include "model/station.h"
#include "model/job.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

using testsupport::WorkJob;

namespace {

class LoadJob : public ::testing::Test {
protected:
    WorkJob job;
    TSta rec[4];
    TSta* recs[4] = {&rec[0], &rec[1], &rec[2], &rec[3]};

    void SetUp() override
    {
        job.SetHeader({{"WSElev", 1200.5}, {"OutletElev", 1150}, {"OutletPsi", 20}, {"PsiIn", 35},
                       {"ColumnLoss", 4.5}, {"PumpEffic", 72}, {"SysHas", 1}, {"TankRange", 20},
                       {"PumpEyeElev", 1190}, {"PumpType", "INLINE BOOSTER"}, {"SysType", "PUMPED"},
                       {"ClearHead", 3}});
        // Stored out of order and with stale numbers; the table keeps station order.
        job.AddProfRow({{"Station", 900}, {"RecordNo", 1}, {"ReachType", "PUMPEND"}, {"KLocate1", "us"},
                        {"Sgl", 55}});
        job.AddProfRow({{"Station", 0}, {"RecordNo", 2}, {"ReachType", "PUMPBEG"}, {"PipeDepth", 36},
                        {"PipeLength", 0}, {"PressurRating", 160}, {"GroundElev", 1195}, {"InvertElev", 1191.5},
                        {"OutQ", 1}, {"InQ", 2}, {"PipeQ", 300}, {"PsiSet", -1}, {"DiaIn", 6.065},
                        {"Nfac", 0.011}, {"Cfac", 140}, {"Efac", 0.00015}, {"K1", 0.5}, {"K2", -2}, {"K3", 1.2},
                        {"Kid1", 6}, {"Kid2", 0}, {"Kid3", 4}, {"Modulus", 400000}, {"WallThick", 0.28},
                        {"WtPerFt", 3.1}, {"PipeType", "PVC"}, {"MaxVel", 5}, {"KLocate1", "US"},
                        {"KLocate2", "DS"}, {"KLocate3", "NA"}, {"Sgl", 99}});
        job.AddProfRow({{"Station", 450}, {"RecordNo", 9}, {"ReachType", "pumpmid"}, {"KLocate2", "SP"},
                        {"NodeType", 3}, {"PsiSet", 12}});
    }
};

} // namespace

TEST_F(LoadJob, HeaderIntoTheJobObject)
{
    Tul->SysTypeCode = 3;
    Tul->ClearHead = 0;
    Tul->LoadJobFromWorkTables(recs, 3);
    EXPECT_EQ(Tul->WSElev, 1200.5);
    EXPECT_EQ(Tul->OutletElev, 1150.0);
    EXPECT_EQ(Tul->OutletPsi, 20.0);
    EXPECT_EQ(Tul->PsiIn, 35.0);
    EXPECT_EQ(Tul->ColumnLoss, 4.5);
    EXPECT_EQ(Tul->PumpEffic, 72.0);
    EXPECT_EQ(Tul->SysHas, 1);
    EXPECT_EQ(Tul->TankRange, 20.0);
    EXPECT_EQ(Tul->PumpEyeElev, 1190.0);
    EXPECT_EQ(Tul->PumpTypeCode, 8);
    EXPECT_EQ(Tul->SysTypeCode, 2);
    EXPECT_EQ(Tul->ClearHead, 0.0); // set by the main window, not here
}

TEST_F(LoadJob, UnknownSystemKeywordKeepsTheCode)
{
    job.SetHeader({{"SysType", "GATED"}, {"PumpType", ""}});
    Tul->SysTypeCode = 3;
    Tul->PumpTypeCode = 6;
    Tul->LoadJobFromWorkTables(recs, 3);
    EXPECT_EQ(Tul->SysTypeCode, 3);
    EXPECT_EQ(Tul->PumpTypeCode, 0);
}

TEST_F(LoadJob, RowsInStationOrderRenumbered)
{
    Tul->LoadJobFromWorkTables(recs, 3);
    EXPECT_EQ(rec[0].Station, 0.0);
    EXPECT_EQ(rec[1].Station, 450.0);
    EXPECT_EQ(rec[2].Station, 900.0);
    TDMod& dm = job.Dm();
    int n = 0;
    for (dm.WorkProfTable->First(); !dm.WorkProfTable->Eof(); dm.WorkProfTable->Next())
        EXPECT_EQ(dm.WorkProfTableRecordNo->AsInteger(), ++n);

    const TSta& r = rec[0];
    EXPECT_EQ(r.PipeDepth, 36.0);
    EXPECT_EQ(r.PressurRating, 160.0);
    EXPECT_EQ(r.GroundElev, 1195.0);
    EXPECT_EQ(r.InvertElev, 1191.5);
    EXPECT_EQ(r.OutQ, 1.0);
    EXPECT_EQ(r.InQ, 2.0);
    EXPECT_EQ(r.PipeQ, 300.0);
    EXPECT_EQ(r.PsiSet, 0.0);   // an entrance's stale -1 sets nothing
    EXPECT_EQ(rec[1].PsiSet, 12.0);   // a reducer's is its own
    EXPECT_EQ(r.DiaIn, 6.065);
    EXPECT_EQ(r.Nfac, 0.011);
    EXPECT_EQ(r.Cfac, 140.0);
    EXPECT_EQ(r.Efac, 0.00015);
    EXPECT_EQ(r.K2, -2.0);
    EXPECT_EQ(r.K3, 1.2);
    EXPECT_EQ(r.Kid3, 4.0);
    EXPECT_EQ(r.Modulus, 400000.0);
    EXPECT_EQ(r.WallThick, 0.28);
    EXPECT_EQ(r.WtPerFt, 3.1);
    EXPECT_EQ(r.PipeType, QString("PVC"));
    EXPECT_EQ(r.MaxVel, 5.0);
    EXPECT_EQ(r.ReachCode, 9);
    // Only "US" is upstream; the loader clears the static grade line.
    EXPECT_EQ(r.KLocate1, 0);
    EXPECT_EQ(r.KLocate2, 1);
    EXPECT_EQ(r.KLocate3, 1);
    EXPECT_EQ(r.Sgl, 0.0);
    EXPECT_EQ(rec[2].KLocate1, 1); // "us"
    EXPECT_EQ(rec[2].KLocate2, 1); // empty
    EXPECT_EQ(rec[2].Sgl, 0.0);
    EXPECT_EQ(rec[1].ReachCode, -1); // lower-case keyword
    EXPECT_EQ(rec[2].ReachCode, 11);
    // Empty fields read as 0.
    EXPECT_EQ(rec[1].PipeQ, 0.0);
}

TEST_F(LoadJob, MoreRecordsThanRowsRepeatTheLastRow)
{
    Tul->LoadJobFromWorkTables(recs, 4);
    EXPECT_EQ(rec[3].Station, 900.0);
}

TEST(LoadJobLimits, NeverMoreThanAHundredRecords)
{
    WorkJob job;
    job.SetHeader({{"SysType", "GRAVITY"}});
    for (int i = 0; i < 103; ++i)
        job.AddProfRow({{"Station", i * 10.0}, {"PipeQ", i}});
    // Room past the hundredth record must stay untouched.
    std::vector<TSta> store(103);
    std::vector<TSta*> recs;
    for (TSta& s : store)
        recs.push_back(&s);
    Tul->LoadJobFromWorkTables(recs.data(), 103);
    EXPECT_EQ(store[99].Station, 990.0);
    EXPECT_EQ(store[100].Station, 0.0);
    EXPECT_EQ(store[102].PipeQ, 0.0);
    // All 103 rows are numbered all the same.
    job.Dm().WorkProfTable->Last();
    EXPECT_EQ(job.Dm().WorkProfTableRecordNo->AsInteger(), 103);
}
