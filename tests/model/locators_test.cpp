// Row locators and the station services of the job object on a working job.
#include "engine/hydraulics.h"
#include "model/station.h"
#include "model/job.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

#include <cmath>

using testsupport::WorkJob;

namespace {

class Locators : public ::testing::Test {
protected:
    WorkJob job;
    TDMod& dm = job.Dm();

    void SetUp() override
    {
        job.AddProfRow({{"Station", 0}, {"GroundElev", 100}, {"RecordNo", 1}});
        job.AddProfRow({{"Station", 100}, {"GroundElev", 95}, {"RecordNo", 2}});
        job.AddProfRow({{"Station", 250}, {"GroundElev", 90}, {"RecordNo", 3}});
    }
    double station() { return dm.WorkProfTableStation->AsFloat(); }
};

} // namespace

TEST_F(Locators, FindsTheRowAndPutsItIntoEditState)
{
    Tul->NewStation = 100;
    EXPECT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(station(), 100.0);
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Edit);

    // A pending edit is posted before the move.
    dm.WorkProfTableGroundElev->SetAsFloat(77);
    EXPECT_TRUE(Tul->LocateProfRecordNo(3));
    EXPECT_EQ(station(), 250.0);
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Edit);
    Tul->NewStation = 100;
    ASSERT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(dm.WorkProfTableGroundElev->AsFloat(), 77.0);
}

TEST_F(Locators, AMissedRowIsReportedAndNoOtherRowIsEdited)
{
    Tul->NewStation = 100;
    ASSERT_TRUE(Tul->LocateProfStation());
    Tul->NewStation = 175;
    EXPECT_FALSE(Tul->LocateProfStation());
    EXPECT_EQ(station(), 100.0);
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Browse);
    EXPECT_FALSE(Tul->LocateProfRecordNo(9));
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Browse);
    // Key 0 is a real station here, and it is found as such.
    Tul->NewStation = 0;
    EXPECT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(dm.WorkProfTableGroundElev->AsFloat(), 100.0);
}

TEST(LocatorsNewRows, TheRowBeingEnteredCountsAsFound)
{
    WorkJob job;
    TDMod& dm = job.Dm();
    dm.WorkProfTable->Open();
    // An empty profile: the locate starts its first row, as the entrance
    // row of a new job is entered.
    Tul->NewStation = 0;
    EXPECT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Insert);
    dm.WorkProfTableNodeType->SetAsInteger(0);
    dm.WorkProfTableGroundElev->SetAsFloat(120);
    dm.WorkProfTable->Post();
    // That row has no station yet; the next locate by station 0 edits it.
    EXPECT_TRUE(dm.WorkProfTableStation->IsNull());
    EXPECT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(dm.WorkProfTable->State(), db::DataSetState::Edit);
    dm.WorkProfTableStation->SetAsFloat(0);
    EXPECT_TRUE(Tul->LocateProfStation());
    EXPECT_EQ(dm.WorkProfTable->RecordCount(), 1);
    EXPECT_EQ(dm.WorkProfTableGroundElev->AsFloat(), 120.0);
}

TEST(LocatorsOtherTables, SuctionByTextKeyAndTrickleByStation)
{
    WorkJob job;
    TDMod& dm = job.Dm();
    WorkJob::AddRow(dm.WorkSuctionTable, {{"SegmentNo", 1}, {"PipeQ", 10}});
    WorkJob::AddRow(dm.WorkSuctionTable, {{"SegmentNo", 2}, {"PipeQ", 20}});
    dm.WorkSuctionTable->Close();
    Tul->SuctionSegmentNo = 2;
    // Opens the closed table itself.
    EXPECT_TRUE(Tul->LocateSuctionSegment());
    EXPECT_EQ(dm.WorkSuctionTablePipeQ->AsFloat(), 20.0);
    EXPECT_EQ(dm.WorkSuctionTable->State(), db::DataSetState::Edit);
    EXPECT_TRUE(Tul->LocateSuctionSegmentNo(1));
    EXPECT_EQ(dm.WorkSuctionTablePipeQ->AsFloat(), 10.0);
    EXPECT_FALSE(Tul->LocateSuctionSegmentNo(5));
    EXPECT_EQ(dm.WorkSuctionTablePipeQ->AsFloat(), 10.0);

    WorkJob::AddRow(dm.WorkTrickleTable, {{"Station", 0}});
    WorkJob::AddRow(dm.WorkTrickleTable, {{"Station", 40.5}});
    Tul->TrickleStation = 40.5;
    EXPECT_TRUE(Tul->LocateTrickleStation());
    EXPECT_EQ(dm.WorkTrickleTableStation->AsFloat(), 40.5);
    EXPECT_EQ(dm.WorkTrickleTable->State(), db::DataSetState::Edit);
    Tul->TrickleStation = 41;
    EXPECT_FALSE(Tul->LocateTrickleStation());
}

TEST(CurrentProfRow, CopiesTheRowAndDepthOnlyForDepthMethod)
{
    WorkJob job;
    job.AddProfRow({{"Station", 300}, {"GroundElev", 88.5}, {"RecordNo", 4}, {"PipeQ", 450},
                    {"PipeType", "PVC"}, {"DownStreamPipeDescription", "6 in PVC 160"},
                    {"DiaIn", 6.115}, {"WallThick", 0.18}, {"InvElMethod", 0}, {"NodeType", 1},
                    {"Cfac", 150}, {"Nfac", 0.009}, {"Efac", 0.000005}, {"PressurRating", 160},
                    {"WtPerFt", 2.3}, {"PipeDepth", 36}});
    job.AddProfRow({{"Station", 400}, {"InvElMethod", 1}, {"PipeDepth", 30}});
    db::Table* prof = job.Dm().WorkProfTable;
    prof->First();
    Tul->LoadCurrentProfRow();
    EXPECT_EQ(Tul->Station, 300.0);
    EXPECT_EQ(Tul->GroundElev, 88.5);
    EXPECT_EQ(Tul->RecordNo, 4);
    EXPECT_EQ(Tul->PipeQ, 450.0);
    EXPECT_EQ(Tul->PipeType, QString("PVC"));
    EXPECT_EQ(Tul->DownStreamPipeDescription, QString("6 in PVC 160"));
    EXPECT_EQ(Tul->DiaIn, 6.115);
    EXPECT_EQ(Tul->WallThick, 0.18);
    EXPECT_EQ(Tul->NodeType, 1);
    EXPECT_EQ(Tul->Cfac, 150.0);
    EXPECT_EQ(Tul->Efac, 0.000005);
    EXPECT_EQ(Tul->PressurRating, 160.0);
    EXPECT_EQ(Tul->WtPerFt, 2.3);
    EXPECT_EQ(Tul->PipeDepth, 36.0);
    prof->Next();
    Tul->LoadCurrentProfRow();
    EXPECT_EQ(Tul->InvElMethod, 1);
    EXPECT_EQ(Tul->PipeDepth, 0.0);
}

TEST(StationList, NumbersRowsInTableOrder)
{
    WorkJob job;
    db::Table* prof = job.Dm().WorkProfTable;
    prof->Open();
    Tul->BuildStationList(); // empty: nothing to do
    EXPECT_TRUE(prof->IsEmpty());
    // Added out of station order, with stale numbers.
    job.AddProfRow({{"Station", 500}, {"RecordNo", 1}});
    job.AddProfRow({{"Station", 0}, {"RecordNo", 7}});
    job.AddProfRow({{"Station", 120.5}});
    Tul->BuildStationList();
    std::vector<std::pair<double, int>> rows;
    for (prof->First(); !prof->Eof(); prof->Next())
        rows.emplace_back(job.Dm().WorkProfTableStation->AsFloat(), job.Dm().WorkProfTableRecordNo->AsInteger());
    const std::vector<std::pair<double, int>> expected = {{0, 1}, {120.5, 2}, {500, 3}};
    EXPECT_EQ(rows, expected);
}

namespace {
// A station whose pipe has the given area (ft^2) and flow (gpm).
TSta Reach(double Q, double area)
{
    TSta s;
    s.PipeQ = Q;
    s.DiaIn = std::sqrt(area / 0.0054542);
    return s;
}
} // namespace

TEST(VelocityHeadLoss, LossOfEachSlotKind)
{
    TTul t;
    TSta u = Reach(448.8, 0.25);  // at 448.83 gpm per cfs: V = 4 x 448.8/448.83
    TSta s = Reach(448.83, 1.0);  // V = 1
    const double vU = 4 * 448.8 / 448.83;
    // K 0.5 at the node's own diameter, downstream: 0.5 x 1^2 / 64.4.
    s.K1 = 0.5;
    s.KLocate1 = 1;
    EXPECT_NEAR(t.StationVelocityHeadLoss(0, s, u, false), 0.5 / 64.4, 1e-12);
    // Upstream at the upstream pipe's own diameter: U's flow and area.
    s.K2 = 2;
    s.KLocate2 = 0;
    EXPECT_NEAR(t.StationVelocityHeadLoss(1, s, u, false), 2 * vU * vU / 64.4, 1e-12);
    // Upstream at a diameter of its own (area 1/16): U's flow through it.
    s.Kid2 = std::sqrt(0.0625 / 0.0054542);
    EXPECT_NEAR(t.StationVelocityHeadLoss(1, s, u, false), 2 * std::pow(16 * 448.8 / 448.83, 2) / 64.4, 1e-9);
    // The same slot at the entrance counts as downstream: S's flow.
    EXPECT_NEAR(t.StationVelocityHeadLoss(1, s, s, true), 2 * 256.0 / 64.4, 1e-9);
    EXPECT_EQ(t.StationVelocityHeadLoss(2, s, u, false), 0.0); // K 0
    EXPECT_EQ(t.StationVelocityHeadLoss(3, s, u, false), 0.0); // no such slot
}

TEST(VelocityHeadLoss, SizeChangeCodes)
{
    TTul t;
    // Upstream velocities use 448.8 gpm per cfs, the node's own 448.83.
    const TSta big = Reach(448.8, 1.0), small = Reach(448.83, 0.25);      // V1 1, V2 4
    const TSta smallUp = Reach(448.8, 0.25), bigDown = Reach(448.83, 1.0); // V1 4, V2 1
    auto loss = [&](double code, const TSta& up, TSta st) {
        st.K3 = code;
        return t.StationVelocityHeadLoss(2, st, up, false);
    };
    EXPECT_NEAR(loss(-2, big, small), 0.04 * 16 / 64.4, 1e-12);
    EXPECT_NEAR(loss(-1, big, small), 0.7 * 9 / 64.4, 1e-12);
    EXPECT_NEAR(loss(-4, smallUp, bigDown), 0.64 * 15 / 64.4, 1e-12);
    EXPECT_NEAR(loss(-3, smallUp, bigDown), 0.01705 * std::pow(3.0, 1.919), 1e-12);
    // A sudden enlargement code where the flow speeds up: it does not expand.
    EXPECT_EQ(loss(-3, big, small), 0.0);
    // A reach without a pipe gives no non-finite value.
    const TSta none;
    EXPECT_TRUE(std::isfinite(loss(-1, none, small)));
    EXPECT_TRUE(std::isfinite(loss(-2, big, none)));
    EXPECT_TRUE(std::isfinite(loss(-7, none, none)));
    // At the entrance a size change has no loss.
    TSta e = small;
    e.K1 = -1;
    EXPECT_EQ(t.StationVelocityHeadLoss(0, e, e, true), 0.0);
}
