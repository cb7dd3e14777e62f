// The gravity designer's profile and output pages: OK on the job page, the
// node commands, the computation and its chart, the report buttons, and a
// job computed alike by both designers.
#include "gravity_window.h"
#include "support/jobstore.h"
#include "support/workjob.h"
#include "support/workprofile.h"

#include "engine/run_steps.h"
#include "model/node_rules.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/preview.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QAbstractItemModel>
#include <QImage>
#include <QPushButton>
#include <QSet>
#include <QTableView>

using testsupport::JobStore;
using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

class GravityPages : public testsupport::GravityWindowTest {
protected:
    void SetUp() override
    {
        GravityWindowTest::SetUp();
        DMod->WorkTablesFree = false;
        form->OvcNotebook1->setEnabled(true);
    }
    // A loaded job: entrance at 0, nodes at `stations`, the last one of kind
    // `lastType`, 300 gpm in 6 in pipe.
    void profile(const std::vector<double>& stations, int lastType, int sysHas = 0)
    {
        std::vector<WorkNode> nodes;
        for (size_t i = 0; i < stations.size(); ++i) {
            const int type = i == 0 ? 0 : i + 1 == stations.size() ? lastType : 1;
            nodes.push_back(WorkNode{.station = stations[i], .pipeQ = 300, .diaIn = 6, .nodeType = type});
        }
        testsupport::WriteWorkJob(WorkHeader{.sysHas = sysHas}, nodes);
        Tul->SysHas = sysHas;
        Tul->NewJob = false;
        Tul->BuildStationList();
        Tul->SaveState = 2;
    }
    QList<double> stations()
    {
        QList<double> out;
        db::Table* t = DMod->WorkProfTable;
        t->CheckBrowseMode();
        for (t->First(); !t->Eof(); t->Next()) out << DMod->WorkProfTableStation->AsFloat();
        return out;
    }
    // The node command's button pressed with the cursor on `station`.
    void pressAt(double station, const char* button)
    {
        if (form->OvcNotebook1->PageIndex() != 1) form->OvcNotebook1->SetPageIndex(1);
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), station));
        driver.ClearLog();
        DialogDriver::Press(*form, button);
    }
    void computeOnTheOutputPage()
    {
        form->OvcNotebook1->SetPageIndex(1);
        driver.ClearLog();
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    static int points(chart::Series* s) { return s->Count(); }
    // Rows as lines of their fields in name order, without the table's name,
    // so that a working and a stored table compare.
    static std::string fieldLines(const QStringList& rows)
    {
        QStringList out;
        for (const QString& row : rows) {
            QStringList fields = row.section(QStringLiteral(": "), 1).split(QStringLiteral("; "));
            fields.sort();
            out << fields.join(QLatin1Char('\n'));
        }
        return out.join(QStringLiteral("\n--\n")).toStdString();
    }
    double gridValue(int row, const QString& title) const
    {
        QAbstractItemModel* m = form->DBGrid1->model();
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString() == title) return m->index(row, c).data().toDouble();
        ADD_FAILURE() << "no column " << title.toStdString();
        return 0;
    }
};

TEST_F(GravityPages, OkOnTheJobPageOpensTheInitialProfileEntry)
{
    DialogDriver::Press(*form, "NewJobBtn");
    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);

    newNamedJob(QStringLiteral("Smith"));
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        EXPECT_EQ(Tul->NumNodes, 1);
        EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 1);
        EXPECT_EQ(DunstrowForm->MainStatusBar->PanelText(0), QStringLiteral("Enter node data"));
        EXPECT_FALSE(DunstrowForm->DBChart1->isVisible());
        DialogDriver::Press(f, "CancelBitBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_TRUE(Tul->ProfEntryCancelled);
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 0);
    EXPECT_EQ(form->PageShown, 0);

    driver.ClearLog();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        testsupport::WriteEnteredProfile(testsupport::GravityLine(), 30.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(form->PageShown, 1);
    EXPECT_TRUE(form->DBChart1->isVisible());
    EXPECT_EQ(form->PointSeries1->Count(), 3);   // the chart follows the table
    EXPECT_FALSE(form->AddNodeBtn->isVisible());
    EXPECT_EQ(form->ProfDBGrid2->model()->rowCount(), 3);

    // Back on the job page, OK keeps the profile: no second entry.
    form->OvcNotebook1->SetPageIndex(0);
    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 3);
}

TEST_F(GravityPages, DeleteNodeAsksThenNamesTheStationDeleted)
{
    profile({0, 1234, 3000}, 4);
    pressAt(0, "DeleteNodeBtn");
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"Can't delete entrance station 0+00.  It is OK to edit an entrance node."});

    driver.Answer(ui::mrYes);
    pressAt(1234, "DeleteNodeBtn");
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Do you really want to DELETE Station 12+34?",
                                                  "Station 12+34 is now deleted!"}));
    EXPECT_EQ(stations(), (QList<double>{0, 3000}));
    EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 2);
    EXPECT_EQ(form->PointSeries1->Count(), 2);
    EXPECT_EQ(Tul->SaveState, 1);
}

TEST_F(GravityPages, DeletingAGatedOrManifoldEndLeavesNoEndKindOnTheJob)
{
    struct Case { int type; db::Table* table; };
    for (const Case c : {Case{5, DMod->WorkGatedTable}, Case{6, DMod->WorkTrickleTable}}) {
        SCOPED_TRACE(c.type);
        profile({0, 1234, 3000}, c.type, c.type - 4);
        testsupport::WorkJob::AddRow(c.table, {{"DiaIn", 10.0}});
        form->OvcNotebook1->SetPageIndex(1);
        ASSERT_FALSE(form->AddNodeBtn->isVisible());
        driver.Answer(ui::mrYes);
        pressAt(3000, "DeleteNodeBtn");
        EXPECT_EQ(driver.MessageTexts(),
                  (QStringList{"Do you really want to DELETE Station 30+00?", "You will now need to add an end node!",
                               "Station 30+00 is now deleted!"}));
        EXPECT_EQ(c.table->RecordCount(), 0);
        EXPECT_EQ(testsupport::PipeValue("SysHas"), 0);
        EXPECT_EQ(Tul->SysHas, 0);
        EXPECT_TRUE(DMod->WorkPipeTableNoEnd->AsBoolean());
        EXPECT_TRUE(form->AddNodeBtn->isVisible());
        form->OvcNotebook1->SetPageIndex(0);
    }
}

TEST_F(GravityPages, InsertedStationsKeepToTheGapBeforeTheInsertPoint)
{
    setDefaults({{"StaIncrement", 100.0}});
    struct Case { double upstream, insertPoint, expected; };
    for (const Case c : {Case{1000, 1005, 1001}, Case{1000, 1050, 1010}, Case{1000, 1500, 1100}}) {
        SCOPED_TRACE(c.insertPoint);
        profile({0, c.upstream, c.insertPoint, 2000}, 4);
        double seen = -1;
        driver.OnceForm("TBasicNodeDlg", [&seen](ui::Form& f) {
            seen = DMod->WorkProfTableStation->AsFloat();
            DialogDriver::Press(f, "CancelBitBtn2");
        });
        pressAt(c.insertPoint, "InsertNodeSpdBtn");
        EXPECT_DOUBLE_EQ(seen, c.expected);
        EXPECT_EQ(stations(), (QList<double>{0, c.upstream, c.insertPoint, 2000}));   // cancelled
    }

    // No station fits into a gap of a foot: refused, never on top of a neighbour.
    profile({0, 1000, 1001, 2000}, 4);
    pressAt(1001, "InsertNodeSpdBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{NoRoomToInsertText(1000, 1001)});
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(stations(), (QList<double>{0, 1000, 1001, 2000}));

    pressAt(0, "InsertNodeSpdBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't insert a station prior to the entrance."});
}

TEST_F(GravityPages, OutputPageComputesTheGravityJobAndDrawsIt)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, testsupport::GravityLine());
    computeOnTheOutputPage();
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_EQ(form->PageShown, 2);
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Data output"));
    ASSERT_EQ(form->DBGrid1->model()->rowCount(), 3);
    const double hgl[] = {99.50, 91.65, 83.81};
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(gridValue(r, "Hgl"), hgl[r]) << r;
    EXPECT_DOUBLE_EQ(gridValue(1, "OpPres"), ProfValue(1, "Psi"));

    EXPECT_EQ(points(form->Series1), 3);   // grade line
    EXPECT_EQ(points(form->Series2), 3);   // ground
    EXPECT_EQ(points(form->Series3), 3);   // invert
    EXPECT_EQ(points(form->Series4), 1);   // the water surface at the entrance
    EXPECT_DOUBLE_EQ(form->Series4->YValues().at(0), 100);
    for (chart::Series* none : {form->Series7, form->Series9, form->Series10, form->Series11})
        EXPECT_EQ(points(none), 0) << none->Title.toStdString();

    // An entrance without a water surface draws none (a line that cannot
    // run from there draws nothing at all, so the chart is drawn alone).
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableWSElev->SetAsFloat(-100);
    DMod->WorkPipeTable->Post();
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series1), 3);
    EXPECT_EQ(points(form->Series4), 0);
}

TEST_F(GravityPages, ReducerStepsTheGradeLineAndOnlyGravityJobsAreComputed)
{
    std::vector<WorkNode> nodes = testsupport::GravityLine();
    nodes[1].nodeType = 3;
    nodes[1].psiSet = 5;
    WorkNode second = nodes[1];
    second.station = 750;
    second.invert = 35;
    second.psiSet = 2;
    nodes.insert(nodes.begin() + 2, second);
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
    computeOnTheOutputPage();
    ASSERT_EQ(form->PageShown, 2);
    ASSERT_EQ(points(form->Series1), 6);   // a second point at each reducer
    // Each at its own set grade: 40 + 5 x 2.3071244 and 35 + 2 x 2.3071244 ft.
    EXPECT_DOUBLE_EQ(form->Series1->XValues().at(2), 500);
    EXPECT_NEAR(form->Series1->YValues().at(2), 51.536, 5e-4);
    EXPECT_DOUBLE_EQ(form->Series1->XValues().at(4), 750);
    EXPECT_NEAR(form->Series1->YValues().at(4), 39.614, 5e-4);
    EXPECT_EQ(points(form->Series9) + points(form->Series10), 0);   // no tank levels in this designer

    // A job of another system type is not computed.
    form->OvcNotebook1->SetPageIndex(1);
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableSysType->SetAsString(QStringLiteral("PUMPED"));
    DMod->WorkPipeTable->Post();
    testsupport::WriteWorkProfile(testsupport::GravityLine());
    computeOnTheOutputPage();
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Can't compute ...."});
    EXPECT_NE(form->PageShown, 2);
    EXPECT_EQ(points(form->Series1), 0);
    EXPECT_TRUE(testsupport::ProfIsNull(1, "Hgl"));
}

TEST_F(GravityPages, ProfilesThatCannotBeComputedGoBackToTheProfilePage)
{
    profile({0}, 0);
    computeOnTheOutputPage();
    EXPECT_EQ(driver.MessageTexts(), QStringList{"There must be an end node to compute. Please enter one."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_TRUE(Tul->NewNode);

    std::vector<WorkNode> nodes = testsupport::GravityLine();
    nodes[0].pipeType.clear();
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
    computeOnTheOutputPage();
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"There must be pipe selected for nodes to compute. Please enter all node pipe data."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_FALSE(DMod->WorkProfTable->ControlsDisabled());
}

TEST_F(GravityPages, ReportButtonsPreviewTheGravityReports)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, testsupport::GravityLine());
    computeOnTheOutputPage();
    ASSERT_EQ(form->PageShown, 2);
    QStringList titles;
    const auto old = report::SetPreviewHook([&](report::Document& d, QWidget* parent) {
        titles << d.Title;
        EXPECT_EQ(parent, form);
    });
    driver.SetDefaultAnswer(ui::mrNo);   // no unit-cost editing
    for (const char* button : {"QRDetailedSpdBtn", "QRSummarySpdBtn", "QRCostSpdBtn", "QRGraphBitBtn"})
        DialogDriver::Press(*form, button);
    report::SetPreviewHook(old);
    EXPECT_EQ(titles, (QStringList{"Detailed Pipeline Hydraulic Report", "Summary Hydraulic Report",
                                   "Pipeline Cost Estimate", "Output Graph Report"}));
    ASSERT_FALSE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(driver.MessageTexts().at(0), "Do you want to view or edit unit costs?");
}

TEST_F(GravityPages, OutputPageShowsTheComputedJob)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, testsupport::GravityLine());
    form->resize(900, 700);
    computeOnTheOutputPage();
    ASSERT_EQ(form->PageShown, 2);
    const QImage shot = form->grab().toImage();
    // The chart draws its lines in several colours over its background.
    QSet<QRgb> colours;
    const QImage chart = form->OutChart->grab().toImage();
    for (int y = 0; y < chart.height(); y += 2)
        for (int x = 0; x < chart.width(); x += 2) colours.insert(chart.pixel(x, y));
    EXPECT_GT(colours.size(), 8);
    const QString keep = qEnvironmentVariable("DUNSTROW_OUTPUT_SHOT");
    if (!keep.isEmpty()) shot.save(keep);
}

// The same job computed in each designer, then stored: the results agree
// field for field.
TEST_F(GravityPages, JobComputedInEitherDesignerStoresTheSameResults)
{
    std::vector<WorkNode> nodes = testsupport::GravityLine();
    nodes[1].outQ = 100;
    nodes[2].pipeQ = 400;
    nodes[0].k1 = 0.5;
    nodes[0].kLocate1 = QStringLiteral("US");
    newNamedJob(QStringLiteral("Both"));
    db::Table* pipe = DMod->WorkPipeTable;
    EditIfBrowsing(pipe);
    const std::pair<const char*, double> header[] = {
        {"DesignFlow", 500}, {"WSElev", 100}, {"OutletElev", 30}, {"WaterTemp", 60}};
    for (const auto& [field, value] : header) pipe->FieldByName(field)->SetAsFloat(value);
    pipe->Post();
    testsupport::WriteWorkProfile(nodes);
    computeOnTheOutputPage();
    ASSERT_EQ(form->PageShown, 2);
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    DialogDriver::Press(*form, "SaveJobBtn");
    ASSERT_EQ(Tul->SaveState, 2);
    const QStringList stored = JobStore::Rows(DMod->JobProfTable, DMod->WorkProfTable);
    form->Close();
    delete form;

    // Mersol loads the stored job and computes it on its output page.
    CreateSingleObjects();
    auto* mersol = new TMersolForm();
    MersolForm = mersol;
    mersol->Show();
    driver.OnceForm("TJobListForm", [](ui::Form& f) {
        ui::DBGrid::Of(f.Control<QTableView>("DBGrid1"))->SelectRow(0);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    DialogDriver::Press(*mersol, "PrevJobBtn");
    ASSERT_EQ(DMod->WorkPipeTableJobName->AsString(), "Both");
    EXPECT_EQ(mersol->LastPage, 2);
    EXPECT_EQ(fieldLines(JobStore::Rows(DMod->WorkProfTable, DMod->JobProfTable)), fieldLines(stored));

    // Saved by Mersol as a second job, it stores what the first one holds.
    mersol->OvcNotebook1->SetPageIndex(0);
    driver.Answer(ui::mrYes);
    DialogDriver::Type(*mersol, "JobNameDBEdit", "Both2");
    DialogDriver::Focus(*mersol, "JobLocationDBSF");
    driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
    DialogDriver::Press(*mersol, "SaveJobBtn");
    const QStringList both = JobStore::Rows(DMod->JobProfTable);
    ASSERT_EQ(both.size(), 6);
    EXPECT_EQ(fieldLines(both.mid(3)), fieldLines(both.mid(0, 3)));
    mersol->Close();
    delete mersol;

    // The fixture ends with the gravity designer's window.
    makeSingleObjects();
    form = new TDunstrowForm();
    DunstrowForm = form;
    form->Show();
}

} // namespace
