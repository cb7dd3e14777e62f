// The suction analysis of a centrifugal pump on suction lines built in the
// working tables of a temporary database; expected values worked by hand.
#include "engine/hydraulics.h"
#include "model/data_module.h"
#include "model/station.h"
#include "model/job.h"
#include "platform/ui/seam/msg.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Segment {
    int segmentNo = 1;
    double length = 0, q = 0, dia = 6, C = 150;
    double K1 = 0, Kid1 = 0;
    QString loc1 = QStringLiteral("DS");
    double K2 = 0, Kid2 = 0;
    QString loc2 = QStringLiteral("NA");
};

class SuctionTest : public ::testing::Test {
protected:
    testsupport::WorkJob job;
    TDMod& dm = job.Dm();
    DialogDriver dlg;

    void SetUp() override { testsupport::SetCompMethod(2); } // Hazen-Williams first

    // The job's design flow is 300 gpm.
    void Job(double eye, double ws, double temp, double altitude, const std::vector<Segment>& segs)
    {
        job.SetHeader({{"JobName", "Pump"},
                       {"DesignFlow", 300.0},
                       {"SysType", "PUMPED"},
                       {"PumpType", "CENTRIF"},
                       {"PumpEyeElev", eye},
                       {"WSElev", ws},
                       {"WaterTemp", temp},
                       {"Altitude", altitude},
                       {"ColumnLoss", 9.99}});
        dm.WorkPipeTable->Close();
        db::Table* t = dm.WorkSuctionTable;
        if (!t->Active())
            t->Open();
        t->EmptyTable();
        for (const Segment& s : segs)
            testsupport::WorkJob::AddRow(t, {{"SegmentNo", s.segmentNo},
                                             {"PipeLength", s.length},
                                             {"PipeQ", s.q},
                                             {"DiaIn", s.dia},
                                             {"Cfac", s.C},
                                             {"K1", s.K1},
                                             {"Kid1", s.Kid1},
                                             {"KLocate1", s.loc1},
                                             {"K2", s.K2},
                                             {"Kid2", s.Kid2},
                                             {"KLocate2", s.loc2},
                                             {"KLocate3", "NA"},
                                             {"NodeType", 7}});
        t->Close();
    }

    db::Table* Seg(int k)
    {
        db::Table* t = dm.WorkSuctionTable;
        if (!t->Active())
            t->Open();
        t->First();
        for (int i = 0; i < k; ++i)
            t->Next();
        return t;
    }
};

// One 20 ft, 6 in, C 150 segment carrying 300 gpm with K 0.5 downstream;
// pump eye 105, water surface 100, 60 F at sea level.
// V = 300/448.83/(0.0054542*36) = 3.40412749 ft/s, V^2/64.4 = 0.17993919;
// hf = 10.4057*20*(300/150)^1.85185/6^4.87037 = 0.12186505 ft;
// minor loss 0.5*0.17993919 = 0.08996960 ft; total loss 0.21183465 ft;
// TDSH = (105 - 100) + 0.21183465 + 0.17993919 = 5.39177384 ft;
// ASH = 33.91 - (0.6 - 0.026*60 + 0.000422*3600) = 33.3508 ft;
// 0.7*ASH = 23.34556 > 5.39177: passes.
// The segment was left with an old flow of 600 gpm: the analysis runs on the
// job's design flow and writes it into the segment.
TEST_F(SuctionTest, SingleSegmentLineGivesItsHeadsAndPasses)
{
    Job(105, 100, 60, 0, {{.length = 20, .q = 600, .K1 = 0.5, .loc1 = QStringLiteral("DS")}});
    Tul->NumNodes = 12;

    Hyd->SuctionAnalysis();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_NEAR(Tul->tdsh, 5.391773843682603, 1e-9);
    EXPECT_EQ(Tul->NumNodes, 12); // the profile's count, not the segments'
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("TDSH"), 5.39);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("AvailSH"), 33.35);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("ColumnLoss"), 0.21);
    Seg(0);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTablePipeQ->AsFloat(), 300.0);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableVel->AsFloat(), 3.404);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableFloss->AsFloat(), 0.122);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableKloss->AsFloat(), 0.090);
    EXPECT_EQ(dm.WorkSuctionTableCalcMethod->AsString(), QStringLiteral("Hazen Williams, C = 150"));
    EXPECT_EQ(dm.WorkSuctionTableNodeType->AsInteger(), 0);
    EXPECT_EQ(dm.WorkSuctionTableSegmentNo->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableRe->AsFloat(), 0.0);
}

// Two segments numbered 1 and 3, at 1000 ft and 70 F, pump eye 98 below the
// water surface 100.
// Segment 1: 10 ft of 8 in, K 0.8 downstream (inlet form, its own flow):
//   V1 = 300/448.83/(0.0054542*64) = 1.91482172, hf1 = 0.01500898,
//   K loss 0.8*V1^2/64.4 = 0.04554711.
// Segment 2: 20 ft of 6 in; K 0.5 "US" with no item diameter uses segment
//   1's flow and diameter: 0.5*V1^2/64.4 = 0.02846694; K 0.3 "DS" at a 4 in
//   item: 0.3*(300/448.83/(0.0054542*16))^2/64.4 = 0.27328265; together
//   0.30174959; hf2 = 0.12186505; V2 = 3.40412749.
// Total loss 0.48417074; TDSH = -2 + 0.48417074 + 0.17993919 = -1.33589007;
// ASH = (33.91 - 1.17) - (0.6 - 1.82 + 2.0678) = 31.8922.
TEST_F(SuctionTest, SegmentsAreRenumberedAndUpstreamLossesUseTheSegmentAbove)
{
    Job(98, 100, 70, 1000,
        {{.segmentNo = 1, .length = 10, .q = 300, .dia = 8, .K1 = 0.8, .loc1 = QStringLiteral("DS")},
         {.segmentNo = 3, .length = 20, .q = 300, .dia = 6, .K1 = 0.5, .Kid1 = 0,
          .loc1 = QStringLiteral("US"), .K2 = 0.3, .Kid2 = 4, .loc2 = QStringLiteral("DS")}});

    Hyd->SuctionAnalysis();

    EXPECT_TRUE(dlg.Messages().empty());
    EXPECT_NEAR(Tul->tdsh, -1.3358900684956496, 1e-9);
    Seg(0);
    EXPECT_EQ(dm.WorkSuctionTableSegmentNo->AsInteger(), 1);
    EXPECT_EQ(dm.WorkSuctionTableNodeType->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableKloss->AsFloat(), 0.046);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableFloss->AsFloat(), 0.015);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableVel->AsFloat(), 1.915);
    Seg(1);
    EXPECT_EQ(dm.WorkSuctionTableSegmentNo->AsInteger(), 2);
    EXPECT_EQ(dm.WorkSuctionTableNodeType->AsInteger(), 1);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableKloss->AsFloat(), 0.302);
    EXPECT_DOUBLE_EQ(dm.WorkSuctionTableFloss->AsFloat(), 0.122);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("TDSH"), -1.34);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("AvailSH"), 31.89);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("ColumnLoss"), 0.48);
}

// The one-segment line of the first test with the pump eye raised.
// Eye 125: TDSH = 25 + 0.21183465 + 0.17993919 = 25.39177384, above
// 0.7*33.3508 = 23.34556 but below ASH: within 33.3508 - 25.39177 = 7.95903.
// Eye 140: TDSH = 40.39177384, 7.04097 ft above ASH.
TEST_F(SuctionTest, FailingLineIsToldToTheUser)
{
    Job(125, 100, 60, 0, {{.length = 20, .q = 300, .K1 = 0.5}});
    Hyd->SuctionAnalysis();
    ASSERT_EQ(dlg.Messages().size(), 1u);
    EXPECT_EQ(dlg.Messages()[0].type, ui::MsgType::Warning);
    EXPECT_EQ(dlg.Messages()[0].text,
              QStringLiteral("The total dynamic suction head (TDSH) of 25.39 ft is within 7.96 ft of the "
                             "available suction head of 33.35 ft; it should stay below 70% of it, 23.35 ft. "
                             "Lower the pump eye elevation or reduce the suction line's friction."));
    // The stored values are those of any analysis.
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("TDSH"), 25.39);

    dlg.ClearLog();
    Job(140, 100, 60, 0, {{.length = 20, .q = 300, .K1 = 0.5}});
    Hyd->SuctionAnalysis();
    ASSERT_EQ(dlg.Messages().size(), 1u);
    EXPECT_EQ(dlg.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(dlg.Messages()[0].text,
              QStringLiteral("The total dynamic suction head (TDSH) of 40.39 ft is 7.04 ft more than the "
                             "available suction head of 33.35 ft: the pump cannot draw its water. Lower the "
                             "pump eye elevation or reduce the suction line's friction."));
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("TDSH"), 40.39);
    EXPECT_DOUBLE_EQ(testsupport::PipeValue("AvailSH"), 33.35);

    // A line too long to analyse sizes no pump from an earlier analysis.
    std::vector<Segment> many(101, Segment{.length = 1, .q = 300});
    for (int k = 0; k < 101; ++k) many[size_t(k)].segmentNo = k + 1;
    Job(105, 100, 60, 0, many);
    EXPECT_TRUE(Hyd->SuctionAnalysis().notComputed.startsWith("The suction line has 101 segments."));
}

} // namespace
