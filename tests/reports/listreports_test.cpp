// The list reports: rows of one table each, in the table's order and under
// its filter, with a count of the rows at the end.
#include "reports_fixture.h"

#include "model/data_module.h"
#include "reports/job_list_report.h"
#include "reports/minor_loss_list_report.h"
#include "reports/pipe_list_report.h"
#include "reports/marked_pipes_report.h"
#include "reports/pipe_type_list_report.h"

using namespace report;
using testsupport::WorkJob;

namespace {

class ListReportTest : public ReportFormTest {
protected:
    void AddJob(const QString& name, const QString& sysType)
    {
        WorkJob::AddRow(DMod->JobPipeTable, {{"JobName", name}, {"SysType", sysType}, {"Date", "3/4/2026"},
                                             {"Location", name + " place"}, {"Designer", "R. Ames"},
                                             {"Landuser", "J. Smith"}, {"ID", "A-1"}});
    }
};

TEST_F(ListReportTest, EmptyJobTablePrintsHeaderAndZeroCount)
{
    DMod->JobPipeTable->Open();
    PreviewJobListReport(owner.get());
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(previewParent, owner.get());
    EXPECT_EQ(QRJobList, nullptr);   // deleted after the preview
    ASSERT_EQ(shown.PageCount(), 1);
    EXPECT_EQ(shown.Texts(1).mid(0, 2), (QStringList{"Mersol", "List of Jobs"}));
    EXPECT_TRUE(shown.TextsOf("QRDBText1").isEmpty());
    EXPECT_EQ(shown.TextsOf("TotalLbl"), QStringList{"Total number of jobs:"});
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{"0"});
    EXPECT_EQ(shown.TextsOf("PageFooterBand1DateLbl"), QStringList{"Date printed:"});
    EXPECT_EQ(shown.TextsOf("PageFooterBand1Date"), QStringList{"12/9/2026"});
}

TEST_F(ListReportTest, JobListShowsTheJobsPassingTheFilterInIndexOrder)
{
    AddJob("Walnut grove", "GRAVITY");
    AddJob("Apple orchard", "PUMPED");
    AddJob("Lateral tool", "MANIFOLD");
    db::Table* t = DMod->JobPipeTable;
    t->SetIndexName("JobNameIndex");
    DMod->JobFilterMode = 1;   // pipelines only
    t->SetFiltered(true);
    PreviewJobListReport(owner.get());
    EXPECT_EQ(shown.TextsOf("QRDBText1"), (QStringList{"Apple orchard", "Walnut grove"}));
    EXPECT_EQ(shown.TextsOf("QRDBText3"), (QStringList{"Apple orchard place", "Walnut grove place"}));
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{"2"});

    DMod->JobFilterMode = 2;
    t->Refresh();
    PreviewJobListReport(owner.get());
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{"3"});
}

TEST_F(ListReportTest, JobListRunsOnToFurtherPagesWithTheHeaderOnEach)
{
    for (int i = 0; i < 40; ++i)
        AddJob(QString("Job %1").arg(i, 2, 10, QChar('0')), "GRAVITY");
    PreviewJobListReport(owner.get());
    ASSERT_GE(shown.PageCount(), 3);
    for (int p = 1; p <= shown.PageCount(); ++p)
        EXPECT_EQ(shown.Texts(p).first(), "Mersol") << "page " << p;
    EXPECT_EQ(shown.TextsOf("QRDBText1").size(), 40);
    EXPECT_EQ(shown.PageOf("Total number of jobs:"), shown.PageCount());
}

TEST_F(ListReportTest, PipeTypeCostPrintsWithoutLeadingZero)
{
    db::Table* t = DMod->TypeTable;
    t->Open();
    t->First();
    t->Edit();
    t->FieldByName("CostPerPound")->SetAsFloat(0.5);
    t->Post();
    const int rows = t->RecordCount();
    PreviewPipeTypeList(owner.get());
    EXPECT_EQ(shown.Texts(1).mid(0, 2), (QStringList{"Mersol, Pipe Database", "List of Pipe Types"}));
    EXPECT_EQ(shown.TextsOf("QRDBText7").first(), ".5");
    EXPECT_EQ(shown.TextsOf("QRDBText1").size(), rows);
    EXPECT_EQ(shown.TextsOf("TotalLbl"), QStringList{"Total number of pipe types:"});
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{QString::number(rows)});
    EXPECT_EQ(QRPipeTypeList, nullptr);
}

TEST_F(ListReportTest, MinorLossListHeadsItsKColumns)
{
    DMod->MinorLossTable->Open();
    const int rows = DMod->MinorLossTable->RecordCount();
    ASSERT_GT(rows, 0);
    PreviewMinorLossList(owner.get());
    EXPECT_EQ(shown.Texts(1).first(), "Mersol, Minor Loss Database");
    EXPECT_EQ(shown.TextsOf("QRDBText10Cap"), QStringList{"K12"});
    EXPECT_EQ(shown.TextsOf("QRDBText1").size(), rows);
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{QString::number(rows)});
    EXPECT_EQ(shown.TextsOf("PageLbl").size(), shown.PageCount());
}

TEST_F(ListReportTest, MarkedPipeReportListsOnlyFilteredPipes)
{
    db::Table* t = DMod->PipeTable;
    t->Open();
    const int all = t->RecordCount();
    // Mark two pipes, then print with the filter on, as the pipe editor does.
    QStringList marked;
    t->First();
    for (int i = 0; i < 2; ++i) {
        t->Edit();
        t->FieldByName("Marked")->SetAsBoolean(true);
        marked << t->FieldByName("Pipe Description")->AsString();
        t->Post();
        t->Next();
    }
    DMod->PipeFilterMode = 1;
    t->SetFiltered(true);
    PreviewPipeMarked(owner.get());
    t->SetFiltered(false);
    EXPECT_EQ(shown.TextsOf("QRDBText1"), marked);
    EXPECT_EQ(shown.TextsOf("QRDBText1Cap"), (QStringList{"Pipe Description", "Pipe Description"}));
    EXPECT_EQ(t->RecordCount(), all);

    PreviewPipeList(owner.get());
    EXPECT_EQ(shown.TextsOf("QRDBText1").size(), all);
    EXPECT_EQ(shown.TextsOf("TotalLbl"), QStringList{"Total number of pipes:"});
    EXPECT_EQ(shown.TextsOf("QRSysDataCount"), QStringList{QString::number(all)});
}

} // namespace
