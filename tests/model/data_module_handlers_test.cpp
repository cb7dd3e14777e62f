// The data module's filters, calculated fields and table events.
#include "model/data_module.h"
#include "model/job.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

using testsupport::WorkJob;

namespace {

class PipeFilters : public ::testing::Test {
protected:
    WorkJob job;
    TDMod& dm = job.Dm();
    int pvc = 0, steel = 0;

    void SetUp() override
    {
        dm.TypeTable->Open();
        dm.TypeTable->EmptyTable();
        WorkJob::AddRow(dm.TypeTable, {{"PipeType", "PVC"}, {"Cfactor", 150}, {"Nfactor", 0.009}, {"EModulus", 400000}});
        WorkJob::AddRow(dm.TypeTable, {{"PipeType", "Steel"}, {"Cfactor", 0}, {"Nfactor", 0.011}, {"EModulus", 0}});
        dm.TypeTable->Locate("PipeType", "Steel");
        steel = dm.TypeTablePType->AsInteger();
        dm.TypeTable->Locate("PipeType", "PVC");
        pvc = dm.TypeTablePType->AsInteger();

        dm.PipeTable->EmptyTable();
        struct P { int psize; const char* desc; double id; int ptype; double nom, rating, wall; bool marked; };
        const P pipes[] = {
            {200, "2 PVC", 2.0, pvc, 2, 160, 0.1, true},
            {300, "3 PVC", 3.0, pvc, 3, 200, 0.2, false},
            {400, "4 PVC", 4.0, pvc, 4, 160, 0.2, true},
            {401, "4+ PVC", 4.01, pvc, 4.01, 160, 0.3, false},
            {125, "1.25 Steel", 1.38, steel, 1.25, 200, 0.2, false},
            {300, "3 Steel", 3.0, steel, 3, 160, 0.2, false},
        };
        for (const P& p : pipes)
            WorkJob::AddRow(dm.PipeTable, {{"PSize", p.psize}, {"Pipe Type", p.ptype == pvc ? "PVC" : "Steel"},
                                           {"Pipe Description", p.desc}, {"ID (in)", p.id}, {"PType", p.ptype},
                                           {"NomDiam", p.nom}, {"Rating", p.rating}, {"Wall Thick (in)", p.wall},
                                           {"Marked", p.marked}});
        dm.PipeTable->Close();
        job.SetHeader({{"TriclPipeRating", 160}});
    }

    // Descriptions of the rows the filter lets through, in table order.
    QStringList shown(int mode)
    {
        dm.PipeFilterMode = mode;
        dm.PipeTable->SetFiltered(true);
        if (dm.PipeTable->Active())
            dm.PipeTable->Refresh();
        else
            dm.PipeTable->Open();
        QStringList out;
        for (dm.PipeTable->First(); !dm.PipeTable->Eof(); dm.PipeTable->Next())
            out << dm.PipeTablePipeDescription->AsString();
        out.sort();
        return out;
    }
};

} // namespace

TEST_F(PipeFilters, RangesAreClosedAndMaterialComparesPType)
{
    dm.FilterLow = 2.0;
    dm.FilterHigh = 4.0;
    EXPECT_EQ(shown(0), (QStringList{"2 PVC", "3 PVC", "4 PVC"}));
    EXPECT_EQ(shown(1), (QStringList{"2 PVC", "4 PVC"}));
    EXPECT_EQ(shown(2), (QStringList{"2 PVC", "3 PVC", "4 PVC", "4+ PVC"}));
    dm.FilterLow = 1.0;
    dm.FilterHigh = 1.5;
    EXPECT_EQ(shown(3), (QStringList{"1.25 Steel"})); // PSize 125 x 0.01
    dm.FilterLow = 3.0;
    dm.FilterHigh = 4.01;
    EXPECT_EQ(shown(4), (QStringList{"3 PVC", "4 PVC", "4+ PVC"}));
    for (int all : {6, 7, -1})
        EXPECT_EQ(shown(all).size(), 6) << all;
}

TEST_F(PipeFilters, ModeFiveMatchesManifoldRatingAndCounts)
{
    dm.FilterMatchCount = 0;
    dm.FilterByWallThick = false;
    // Ratings of 160 of the current material only; "3 Steel" is 160 too but not counted.
    EXPECT_EQ(shown(5), (QStringList{"2 PVC", "4 PVC", "4+ PVC"}));
    EXPECT_EQ(dm.FilterMatchCount, 3);
    job.SetHeader({{"TriclPipeRating", 0.2}});
    dm.FilterMatchCount = 0;
    dm.FilterByWallThick = true;
    dm.PipeTable->Close();
    EXPECT_EQ(shown(5), (QStringList{"3 PVC", "4 PVC"}));
    EXPECT_EQ(dm.FilterMatchCount, 2);
}

TEST_F(PipeFilters, CalculatedVelocityAndFrictionForThePickTarget)
{
    job.AddProfRow({{"Station", 0}, {"PipeQ", 300}});
    WorkJob::AddRow(dm.WorkSuctionTable, {{"SegmentNo", 1}, {"PipeQ", 50}});
    Tul->PipePickTarget = 0;
    dm.FilterLow = 0;
    dm.FilterHigh = 100;
    dm.PipeFilterMode = 0;
    dm.PipeTable->SetFiltered(false);
    dm.PipeTable->Open();
    ASSERT_TRUE(dm.PipeTable->Locate("Pipe Description", "3 PVC"));
    // V = 300/448.83 / (0.0054542 x 9) = 0.6684045 / 0.0490878 = 13.61651 ft/s -> 13.62
    EXPECT_DOUBLE_EQ(dm.PipeTableVelocityftsec->AsFloat(), 13.62);
    // Hazen-Williams, C 150, 100 ft: 10.4057 x 100 x 2^1.85185 / 3^4.87037
    //   = 1040.57 x 3.6096276 / 210.744886 = 17.82283 -> 17.82
    EXPECT_DOUBLE_EQ(dm.PipeTableFrictionft100ft->AsFloat(), 17.82);

    // The suction segment: 50 gpm. V = 50/448.83 / 0.0490878 = 2.26942 -> 2.27
    Tul->PipePickTarget = 1;
    dm.PipeTable->Refresh();
    ASSERT_TRUE(dm.PipeTable->Locate("Pipe Description", "3 PVC"));
    EXPECT_DOUBLE_EQ(dm.PipeTableVelocityftsec->AsFloat(), 2.27);

    // Material without C: Manning with n 0.011.
    dm.TypeTable->Locate("PipeType", "Steel");
    Tul->PipePickTarget = 0;
    dm.PipeTable->Refresh();
    ASSERT_TRUE(dm.PipeTable->Locate("Pipe Description", "3 Steel"));
    // 5087 x 0.011^2 / 3^1.33333 x 13.61651^2 / 64.4 x 100
    //   = 0.615527 / 4.3267329 x 185.40935 / 64.4 x 100 = 40.95744 -> 40.96
    EXPECT_DOUBLE_EQ(dm.PipeTableFrictionft100ft->AsFloat(), 40.96);
}

TEST_F(PipeFilters, CalculatedFieldsEmptyWithoutFlowOrInOtherModes)
{
    job.AddProfRow({{"Station", 0}, {"PipeQ", 0}});
    Tul->PipePickTarget = 0;
    dm.PipeFilterMode = 0;
    dm.PipeTable->Open();
    EXPECT_TRUE(dm.PipeTableVelocityftsec->IsNull());
    EXPECT_TRUE(dm.PipeTableFrictionft100ft->IsNull());
    dm.WorkProfTable->Edit();
    dm.WorkProfTablePipeQ->SetAsFloat(300);
    dm.WorkProfTable->Post();
    dm.PipeFilterMode = 2;
    dm.PipeTable->Refresh();
    EXPECT_TRUE(dm.PipeTableVelocityftsec->IsNull());
    // The target table closed: no row to pick for, so no values, and no error.
    dm.PipeFilterMode = 0;
    dm.WorkProfTable->Close();
    dm.PipeTable->Refresh();
    EXPECT_TRUE(dm.PipeTableVelocityftsec->IsNull());
    // A flow but the material list closed: no factors to work with, and the
    // pipes still open without an error.
    dm.WorkProfTable->Open();
    dm.PipeTable->Close();
    dm.TypeTable->Close();
    dm.PipeTable->Open();
    EXPECT_TRUE(dm.PipeTableFrictionft100ft->IsNull());
}

TEST_F(PipeFilters, MaterialsWithoutModulusHidden)
{
    dm.TypeTable->SetFiltered(true);
    dm.TypeTable->Refresh();
    EXPECT_EQ(dm.TypeTable->RecordCount(), 1);
    EXPECT_EQ(dm.TypeTablePipeType->AsString(), QString("PVC"));
}

TEST_F(PipeFilters, MarkAllAndClearAll)
{
    dm.PipeFilterMode = 6;
    dm.PipeTable->Open();
    dm.SetAllPipesMarked(true);
    int marked = 0;
    for (dm.PipeTable->First(); !dm.PipeTable->Eof(); dm.PipeTable->Next())
        marked += dm.PipeTableMarked->AsBoolean();
    EXPECT_EQ(marked, 6);
    dm.SetAllPipesMarked(false);
    EXPECT_TRUE(shown(1).isEmpty());
}

TEST(JobFilter, ByDesignerKind)
{
    WorkJob job;
    TDMod& dm = job.Dm();
    for (const char* t : {"GRAVITY", "PUMPED", "MANIFOLD", "GATED", ""})
        WorkJob::AddRow(dm.JobPipeTable, {{"JobName", QString("Job ") + t}, {"SysType", t}});
    dm.JobPipeTable->SetFiltered(true);
    auto count = [&](int mode) {
        dm.JobFilterMode = mode;
        dm.JobPipeTable->Refresh();
        return dm.JobPipeTable->RecordCount();
    };
    EXPECT_EQ(count(0), 1);
    EXPECT_EQ(count(1), 3);
    EXPECT_EQ(count(3), 1);
    EXPECT_EQ(count(2), 5);
    EXPECT_EQ(count(9), 5);
}

TEST(StockWaterDelete, NoKeepsTheRowSilently)
{
    WorkJob job;
    TDMod& dm = job.Dm();
    WorkJob::AddRow(dm.JobSWaterTable, {{"JobName", "North pasture"}});
    DialogDriver d;
    d.Answer(ui::mrNo);
    EXPECT_NO_THROW(dm.JobSWaterTable->Delete());
    EXPECT_EQ(dm.JobSWaterTable->RecordCount(), 1);
    ASSERT_EQ(d.Messages().size(), 1u);
    EXPECT_EQ(d.Messages()[0].text, QString("Do you really want to delete North pasture?"));
    EXPECT_EQ(d.Messages()[0].buttons, ui::mbYesNo);
    d.Answer(ui::mrYes);
    dm.JobSWaterTable->Delete();
    EXPECT_EQ(dm.JobSWaterTable->RecordCount(), 0);
}

TEST(ProfileEvents, ChartFollowsPostsAndDeletes)
{
    WorkJob job;
    TDMod& dm = job.Dm();
    int refreshed = 0;
    dm.RefreshProfileChart = [&] { ++refreshed; };
    job.AddProfRow({{"Station", 0}});
    job.AddProfRow({{"Station", 100}});
    job.AddProfRow({{"Station", 200}});
    EXPECT_EQ(refreshed, 3);
    dm.WorkProfTable->Last();
    dm.WorkProfTable->Delete();
    EXPECT_EQ(refreshed, 4);
    // The first row is current after a delete.
    EXPECT_EQ(dm.WorkProfTableStation->AsFloat(), 0.0);
    // Without a chart nothing happens.
    dm.RefreshProfileChart = nullptr;
    EXPECT_NO_THROW(job.AddProfRow({{"Station", 300}}));
}
