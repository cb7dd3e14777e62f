// Where the job model works differently while the gravity designer runs: the
// flow factor of size-change losses, the stored job's header taken into the
// job object, the offered node kinds and the suction line kept out.
#include "model/job.h"
#include "model/job_transfer.h"
#include "model/station.h"
#include "support/jobstore.h"
#include "support/running_program.h"

#include <gtest/gtest.h>

using testsupport::JobSample;
using testsupport::JobStore;
using testsupport::RunningAs;

namespace {

// One cubic foot per second (448.83 gpm) from an upstream reach of `upDia`
// into this node's reach of `dia`, with the size-change code `k` in slot 1.
double SizeChangeLoss(double k, double upDia, double dia)
{
    TSta u, s;
    u.PipeQ = s.PipeQ = 448.83;
    u.DiaIn = upDia;
    s.DiaIn = dia;
    s.K1 = k;
    s.KLocate1 = 1;
    TTul t;
    return t.StationVelocityHeadLoss(0, s, u, false);
}

} // namespace

// V8 = 1/(0.0054542 x 64) = 2.864764768, V6 = 1/(0.0054542 x 36) = 5.092915144;
// Mersol's upstream velocity at 448.8 gpm per cfs is 448.83/448.8 times that.
//   contraction 8 -> 6 (-1): 0.7 (V8 - V6)^2/64.4 = 0.053963631 (Mersol 0.053954356)
//   gradual (-4): 0.64 (V8^2 - V6^2)/64.4 = -0.176207776 (Mersol -0.176196872)
//   enlargement 6 -> 8 (-3): 0.01705 (V6 - V8)^1.919 = 0.079328615 (Mersol 0.079351876)
TEST(GravityDesignerVariants, SizeChangesTakeBothVelocitiesAtTheSameFactor)
{
    const struct {
        double k, upDia, dia, gravity, mersol;
    } cases[] = {
        {-1, 8, 6, 0.053963631474, 0.053954356229},
        {-4, 8, 6, -0.176207776242, -0.176196872264},
        {-3, 6, 8, 0.079328615391, 0.079351876246},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        {
            RunningAs gravity(Program::Dunstrow);
            EXPECT_NEAR(SizeChangeLoss(c.k, c.upDia, c.dia), c.gravity, 1e-11);
        }
        EXPECT_NEAR(SizeChangeLoss(c.k, c.upDia, c.dia), c.mersol, 1e-11);
    }
}

// A stored job of 897.66 gpm (2 cfs) with a pump column loss of 5 ft.
TEST(GravityDesignerVariants, LoadedHeaderTakesTheFlowAtItsOwnFactorAndNoColumnLoss)
{
    JobStore store;
    store.MakeWorkingJob({"Ditch", "GRAVITY", 0, "", 2, 0, 0, 3});
    TDMod& d = store.Dm();
    d.WorkPipeTable->Edit();
    d.WorkPipeTableDesignFlow->SetAsFloat(897.66);
    d.WorkPipeTableColumnLoss->SetAsFloat(5);
    d.WorkPipeTable->Post();
    Tul->SaveState = 0;
    ASSERT_TRUE(JobTrans->StoreWorkingJob());
    const int number = Tul->JobNumber;

    for (Program program : {Program::Dunstrow, Program::Mersol}) {
        RunningAs running(program);
        store.EmptyWorkingTables();
        Tul->JobNumber = number;
        Tul->ColumnLoss = 0.0;
        ASSERT_TRUE(JobTrans->LoadJobHeader());
        if (program == Program::Dunstrow) {
            EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 2.0);
            EXPECT_DOUBLE_EQ(Tul->ColumnLoss, 0.0);
        } else {
            EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 897.66 / 448.8);
            EXPECT_DOUBLE_EQ(Tul->ColumnLoss, 5.0);
        }
        EXPECT_DOUBLE_EQ(Tul->DesignFlow, 897.66);
    }
}

TEST(GravityDesignerVariants, NodeListsLeaveOutTheBoosterWithoutRenumberingTheKinds)
{
    const QStringList all = OfferedNodeTypeTexts();
    ASSERT_EQ(all.size(), 7);
    RunningAs gravity(Program::Dunstrow);
    const QStringList offered = OfferedNodeTypeTexts();
    EXPECT_EQ(offered.size(), 6);
    EXPECT_FALSE(offered.contains(NodeTypeText(2)));
    // Each text still names its own kind.
    std::vector<int> codes;
    for (const QString& text : offered) codes.push_back(NodeTypeCodeOf(text));
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 3, 4, 5, 6}));
}

// The gravity designer has no suction lines: a job it stores or loads leaves
// the suction rows alone, while its export still carries them.
TEST(GravityDesignerVariants, SuctionLinesAreNeitherStoredNorLoaded)
{
    JobStore store;
    TDMod& d = store.Dm();
    const JobSample pumped{"Well", "PUMPED", 0, "CENTRIF", 3, 0, 2, 4};
    const int mersolJob = store.StoreNewJob(pumped);
    ASSERT_EQ(JobStore::CountRows(d.JobSuctionTable, mersolJob), 2);

    RunningAs gravity(Program::Dunstrow);
    const int gravityJob = store.StoreNewJob({"Well 2", "PUMPED", 0, "CENTRIF", 3, 0, 2, 5});
    EXPECT_EQ(JobStore::CountRows(d.JobSuctionTable, gravityJob), 0);
    EXPECT_EQ(JobStore::CountRows(d.JobProfTable, gravityJob), 3);
    EXPECT_TRUE(JobTrans->ExportWorkingJob());
    d.TransSuctionTable->Open();
    EXPECT_EQ(d.TransSuctionTable->RecordCount(), 2);
    d.TransSuctionTable->Close();

    Tul->JobNumber = mersolJob;
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    d.WorkSuctionTable->Open();
    EXPECT_EQ(d.WorkSuctionTable->RecordCount(), 0);
    d.WorkProfTable->Open();
    EXPECT_EQ(d.WorkProfTable->RecordCount(), 3);
}
