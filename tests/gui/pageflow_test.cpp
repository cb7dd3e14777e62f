// The notebook's page flow: OK on the job page with its checks and the
// initial entry dialog, the tab guard, what entering the job and profile
// pages does, and a new gravity job taken through every page to its results;
// then its end node made on the profile page, by keys and clicks.
#include "support/workprofile.h"
#include "support/jobwindow.h"
#include "support/journey.h"

#include "dialogs/profile/profile_entry_dialog.h"
#include "model/job_transfer.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/controls.h"
#include "platform/report/preview.h"
#include "reports/manifold_graph_report.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using testsupport::FocusedName;
using testsupport::PipeValue;
using testsupport::PressKey;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::Tab;
using testsupport::TypeAndTab;
using testsupport::TypeKeys;
using testsupport::WorkNode;

namespace {


class PageFlowTest : public testsupport::RunsJobWindowTest {
protected:

    // A new named gravity job whose known-flow dialog was given a flow of
    // `flow` gpm and a water surface at 100 ft.
    void newGravityJob(const QString& flow = QStringLiteral("500"))
    {
        newNamedJob(QStringLiteral("Smith"));
        driver.OnceForm("TKnownFlowDlg", [flow](ui::Form& d) {
            DialogDriver::Type(d, "FlowDBNF", flow);
            DialogDriver::Type(d, "OvcDbNumericField2", "100");
            DialogDriver::Press(d, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "SelSystemEditBtn");
        driver.ClearLog();
    }
    // The entry dialog's next showing is answered by writing `nodes` as the
    // profile, numbered from the entrance, and pressing OK.
    void enterProfileWith(std::vector<WorkNode> nodes)
    {
        driver.OnceForm("TProfEntryDlg", [nodes](ui::Form& f) {
            writeProfile(nodes);
            DialogDriver::Press(f, "OKBtn");
        });
    }
    static void writeProfile(const std::vector<WorkNode>& nodes) { testsupport::WriteEnteredProfile(nodes, 30.0); }
    // System, its known-flow dialog given `flow` and OK, then the output page.
    void systemFlowThenOutput(const QString& flow)
    {
        driver.OnceForm("TKnownFlowDlg", [flow](ui::Form& d) {
            DialogDriver::KeyIn(d, "FlowDBNF", flow);
            DialogDriver::Press(d, "OKBitBtn1");
        });
        userTurnsTo(0);
        form->SelSystemEditBtn->click();
        userTurnsTo(2);
    }
    void userTurnsTo(int page) { form->OvcNotebook1->setCurrentIndex(page); }
    QString status() const { return form->MainStatusBar->PanelText(0); }
    int page() const { return form->OvcNotebook1->PageIndex(); }

};

TEST_F(PageFlowTest, OkOnTheJobPageNeedsAJobNameAndASystemWithAFlow)
{
    DialogDriver::Press(*form, "NewJobBtn");
    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(focused(), form->JobNameDBEdit);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(form->LastPage, 0);

    // A system type chosen by the defaults, but no flow given yet.
    DialogDriver::Type(*form, "JobNameDBEdit", "Smith");
    DialogDriver::Focus(*form, "JobLocationDBSF");
    ASSERT_GE(form->SysTypeRadioGroup->ItemIndex(), 0);
    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a flow rate!"});
    EXPECT_EQ(focused(), form->SelSystemEditBtn);

    // A flow but no system type.
    newGravityJob();
    form->SysTypeRadioGroup->SetItemIndex(-1);
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please select a System Type"});
    EXPECT_TRUE(driver.FormsShown().isEmpty());   // no entry dialog
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(form->LastPage, 0);
}

TEST_F(PageFlowTest, CancelledEntryStaysOnTheJobPageAndOkGoesToTheProfile)
{
    newGravityJob();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        EXPECT_EQ(Tul->NumNodes, 1);
        EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 1);
        EXPECT_EQ(MersolForm->MainStatusBar->PanelText(0), QStringLiteral("Enter node data"));
        DialogDriver::Press(f, "CancelBitBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_EQ(ProfEntryDlg, nullptr);
    EXPECT_TRUE(Tul->ProfEntryCancelled);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(form->LastPage, 0);

    driver.ClearLog();
    enterProfileWith(testsupport::GravityLine());
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});   // nothing else opens on the way
    EXPECT_FALSE(Tul->ProfEntryCancelled);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(form->LastPage, 1);
    EXPECT_TRUE(form->DBChart1->isVisible());
    EXPECT_EQ(status(), QStringLiteral("Enter node data"));
    EXPECT_FALSE(Tul->NewNode);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    // A profile with its end: Edit Node, not Add Node.
    EXPECT_FALSE(form->AddNodeBtn->isVisible());
    EXPECT_EQ(focused(), form->EditProfileBtn);
}

// Back on the job page after the profile was entered, OK must not start the
// job over: the entry dialog would write a new entrance over the profile.
TEST_F(PageFlowTest, OkOnTheJobPageKeepsAProfileAlreadyEntered)
{
    newGravityJob();
    enterProfileWith(testsupport::GravityLine());
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(page(), 1);
    userTurnsTo(0);
    EXPECT_EQ(status(), QStringLiteral("Enter/edit job data"));
    driver.ClearLog();

    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(Tul->NumNodes, 3);
    EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 3);
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    const double stations[] = {0, 500, 1000};
    for (int r = 0; r < 3; ++r) {
        EXPECT_DOUBLE_EQ(testsupport::ProfValue(r, "Station"), stations[r]) << r;
        EXPECT_EQ(testsupport::ProfValue(r, "RecordNo"), r + 1) << r;
    }
    EXPECT_EQ(testsupport::ProfValue(2, "NodeType"), 4);
}

TEST_F(PageFlowTest, TabGuardSendsAJobWithoutNameOrSystemBackToTheJobPage)
{
    DialogDriver::Press(*form, "NewJobBtn");
    driver.ClearLog();
    userTurnsTo(1);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(form->LastPage, 0);
    EXPECT_EQ(focused(), form->JobNameDBEdit);

    newNamedJob(QStringLiteral("Smith"));
    form->SysTypeRadioGroup->SetItemIndex(-1);
    userTurnsTo(1);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Please select a System Type"});
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(focused(), form->SysTypeRadioGroup);

    // On the job page the click only moves the focus to OK.
    driver.ClearLog();
    form->OvcNotebook1Click();
    EXPECT_TRUE(driver.MessageTexts().isEmpty());
    EXPECT_EQ(focused(), form->OKBitBtn2);
}

TEST_F(PageFlowTest, ProfilePageOffersAddNodeWhileTheEndIsMissing)
{
    testsupport::WriteWorkJob(testsupport::WorkHeader{}, testsupport::GravityLine());
    Tul->NewJob = false;
    Tul->PrevJobLoaded = true;
    DMod->WorkTablesFree = false;
    form->OvcNotebook1->setEnabled(true);
    auto enterProfile = [&] {
        form->OvcNotebook1->SetPageIndex(0);
        form->OvcNotebook1->SetPageIndex(1);
    };
    enterProfile();
    EXPECT_FALSE(form->AddNodeBtn->isVisible());
    EXPECT_EQ(focused(), form->EditProfileBtn);
    EXPECT_EQ(status(), QStringLiteral("Edit node data"));
    EXPECT_EQ(form->LastPage, 1);

    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableNoEnd->SetAsBoolean(true);
    DMod->WorkPipeTable->Post();
    enterProfile();
    EXPECT_TRUE(form->AddNodeBtn->isVisible());
    EXPECT_EQ(focused(), form->AddNodeBtn);

    testsupport::WriteWorkJob(testsupport::WorkHeader{}, {testsupport::GravityLine()[0]});   // the entrance alone
    enterProfile();
    EXPECT_TRUE(form->AddNodeBtn->isVisible());
    EXPECT_TRUE(driver.FormsShown().isEmpty());   // a stored job opens no node dialog
}

// A new job whose profile is the entrance alone comes to the profile page
// straight into the node and reach dialogs of that node.
TEST_F(PageFlowTest, NewJobWithOnlyItsEntranceOpensTheNodeDialogs)
{
    newGravityJob();
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 1);   // started by the system type choice
    double stationSeen = -1;
    driver.OnceForm("TBasicNodeDlg", [&](ui::Form& f) {
        stationSeen = Tul->NewStation;
        EXPECT_TRUE(Tul->NewNode);
        EXPECT_EQ(Tul->NumNodes, 1);
        EXPECT_FALSE(form->DBChart1->isVisible());
        DialogDriver::Escape(f);
    });
    userTurnsTo(1);
    ASSERT_FALSE(driver.FormsShown().isEmpty());
    EXPECT_EQ(driver.FormsShown().front(), QStringLiteral("TBasicNodeDlg"));
    EXPECT_EQ(driver.FormsShown().back(), QStringLiteral("TProfInDlg"));
    EXPECT_EQ(stationSeen, 0.0);
    EXPECT_EQ(DMod->WorkPipeTableNumNodes->AsInteger(), 1);
    EXPECT_EQ(status(), QStringLiteral("Enter node data"));
    EXPECT_TRUE(form->DBChart1->isVisible());
    EXPECT_EQ(form->LastPage, 1);

    // With a node past the entrance the profile page opens nothing.
    writeProfile({testsupport::GravityLine()[0], testsupport::GravityLine()[1]});
    userTurnsTo(0);
    driver.ClearLog();
    Tul->NewNode = true;
    userTurnsTo(1);
    EXPECT_TRUE(driver.FormsShown().isEmpty());
    EXPECT_FALSE(Tul->NewNode);
    EXPECT_EQ(status(), QStringLiteral("Enter node data"));
    EXPECT_TRUE(form->AddNodeBtn->isVisible());   // no end node yet
}

TEST_F(PageFlowTest, JobPageShowsTheJobsOwnFlowInCfs)
{
    newGravityJob(QStringLiteral("898"));
    userTurnsTo(1);
    Tul->DesignFlowCfs = 9.99;   // left by a dialog that was cancelled
    driver.ClearLog();
    userTurnsTo(0);
    EXPECT_EQ(form->Qcfs->text(), QStringLiteral("2.00"));
    EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 898 / 448.83);
    EXPECT_EQ(form->LastPage, 0);
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->MersolImage->isVisible());
    EXPECT_TRUE(driver.FormsShown().isEmpty());   // coming back is no fresh entry
}

// New Job pressed on the profile page: the old job is offered for saving
// once, the new empty one not at all, and stays unsaved.
TEST_F(PageFlowTest, NewJobFromTheProfilePageOffersToSaveOnlyTheOldJob)
{
    newGravityJob();
    userTurnsTo(1);
    driver.ClearLog();
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "NoBitBtn"); });
    DialogDriver::Press(*form, "NewJobBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
    EXPECT_EQ(Tul->SaveState, 0);
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(form->LastPage, 0);
}

// A stored job with changes, back on the job page afresh after a page was
// refused, offers to save it.
TEST_F(PageFlowTest, FreshEntryOfTheJobPageOffersToSaveAChangedJob)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 500.0}});
    form->OvcNotebook1->setEnabled(true);
    form->OvcNotebook1->SetPageIndex(1);
    form->LastPage = 0;
    Tul->SaveState = 1;
    driver.ClearLog();
    form->OvcNotebook1->SetPageIndex(0);
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});

    Tul->SaveState = 2;
    form->OvcNotebook1->SetPageIndex(1);
    form->LastPage = 0;
    driver.ClearLog();
    form->OvcNotebook1->SetPageIndex(0);
    EXPECT_TRUE(driver.FormsShown().isEmpty());
}

// New Job, the job page, the entry grid, the profile page and the output
// page: the computed grade line ends up in the output grid, and comes back
// so from the store. Worked by hand: 500 gpm in 6 in pipe of C 150 runs at
// 500 / 448.83 / (0.0054542 x 36) = 5.673546 ft/s, a velocity head of
// 0.499831 ft, and loses 10.4057 x 500 x (500/150)^1.85185 / 6^4.87037 =
// 7.846027 ft each 500 ft: from the water at 100 ft the grades are 99.50,
// 91.65 and 83.81 ft.
TEST_F(PageFlowTest, NewGravityJobGoesThroughEveryPageToItsResults)
{
    newGravityJob();
    EXPECT_EQ(form->Qcfs->text(), QStringLiteral("1.11"));
    enterProfileWith(testsupport::GravityLine());
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(page(), 1);
    DialogDriver::Press(*form, "OKBitBtn3");

    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(form->LastPage, 2);
    EXPECT_EQ(status(), QStringLiteral("Data output"));
    QAbstractItemModel* grid = form->DBGrid1->model();
    ASSERT_EQ(grid->rowCount(), 3);
    const double hgl[] = {99.50, 91.65, 83.81};
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(grid->index(r, 3).data().toString().toDouble(), hgl[r]) << r;
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(1, "Psi"), 22.39);
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), QStringLiteral("Smith"));
    EXPECT_EQ(testsupport::SameAnswerEveryWay(driver, *form)["HGL"], "99.50 91.65 83.81");
}

// The same job with its profile entered in the entry grid itself: stations
// and ground read from a text file, then the reach field walked node by node,
// each reach given 6 in pipe of C 150 in its reach dialog.
TEST_F(PageFlowTest, ProfileEnteredInTheGridIsComputedOnTheOutputPage)
{
    newGravityJob();
    ASSERT_TRUE(testsupport::AnswerProfileFile(driver, workDir.filePath(QStringLiteral("profile.txt")),
                                               "0,98\n500,45\n1000,33\n"));
    // The pipe dialog's pick, as the reach dialog leaves it in the node's row.
    driver.OnForm("TProfInDlg", [](ui::Form& f) {
        db::Table* prof = DMod->WorkProfTable;
        if (prof->State() == db::DataSetState::Browse) prof->Edit();
        DMod->WorkProfTablePipeType->SetAsString(QStringLiteral("PVC"));
        DMod->WorkProfTableDownStreamPipeDescription->SetAsString(QStringLiteral("6 in PVC"));
        DMod->WorkProfTableDiaIn->SetAsFloat(6);
        DMod->WorkProfTableCfac->SetAsFloat(150);
        DMod->WorkProfTablePressurRating->SetAsFloat(100);
        DMod->WorkProfTableModulus->SetAsFloat(400000);
        DMod->WorkProfTableWallThick->SetAsFloat(0.3);
        DialogDriver::Press(f, "OKBitBtn");
    });
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "TextFileBtn");
        for (int node = 0; node < 3; ++node) {
            DialogDriver::Focus(f, "SFPipe");
            DialogDriver::Enter(f);
        }
        EXPECT_EQ(f.ActiveControl(), f.Control<QPushButton>("OKBtn"));
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(page(), 1);
    EXPECT_EQ(driver.FormsShown().count(QStringLiteral("TProfInDlg")), 3);
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    // The row the system type choice started became the entrance.
    EXPECT_EQ(testsupport::ProfText(0, "NodeTypeDesc"), QStringLiteral("Pipe entrance (any type)"));
    EXPECT_EQ(testsupport::ProfText(0, "ReachType"), QStringLiteral("GRAVBEG"));
    EXPECT_EQ(testsupport::ProfText(2, "ReachType"), QStringLiteral("GRAVEND"));
    // The entrance's invert is entered directly and never was: no run yet.
    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The invert elevation at station 0+00 was never entered. Please edit that node."});
    ASSERT_EQ(page(), 1);
    testsupport::SetProfField(0, "InvertElev", 95.0);
    DialogDriver::Press(*form, "OKBitBtn3");

    EXPECT_EQ(page(), 2) << driver.MessageTexts().join('|').toStdString();
    // The other nodes' inverts come from their ground and the default depth.
    EXPECT_FALSE(testsupport::ProfIsNull(1, "InvertElev"));
    EXPECT_LT(testsupport::ProfValue(1, "InvertElev"), 45.0);
    EXPECT_EQ(status(), QStringLiteral("Data output"));
    QAbstractItemModel* grid = form->DBGrid1->model();
    ASSERT_EQ(grid->rowCount(), 3);
    const double hgl[] = {99.50, 91.65, 83.81};
    for (int r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(grid->index(r, 3).data().toString().toDouble(), hgl[r]) << r;
    EXPECT_EQ(testsupport::SameAnswerEveryWay(driver, *form)["HGL"], "99.50 91.65 83.81");
}

// The first profile entry cancelled: the profile page shows no node, and
// Add Node offers the entry again.
TEST_F(PageFlowTest, CancelledFirstEntryIsOfferedAgainByAddNode)
{
    newGravityJob();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { DialogDriver::Escape(f); });
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(page(), 0);
    userTurnsTo(1);
    EXPECT_FALSE(form->DBChart1->isVisible());
    ASSERT_TRUE(form->AddNodeBtn->isVisible());
    driver.ClearLog();
    enterProfileWith(testsupport::GravityLine());
    DialogDriver::Press(*form, "AddNodeBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_EQ(form->PointSeries1->Count(), 3);
}

// The entry cancelled twice, on the job page and by Add Node, leaves the
// System button working; then every command of the window, each pressed with
// the job's tables closed as a cancelled dialog may leave them, opens what it
// reads: no raw table error reaches the user.
TEST_F(PageFlowTest, CommandsStayAliveWhenACancelledDialogLeftTheTablesClosed)
{
    newGravityJob("300");
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { DialogDriver::Escape(f); });
    DialogDriver::Press(*form, "OKBitBtn2");
    userTurnsTo(1);
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { DialogDriver::Escape(f); });
    DialogDriver::Press(*form, "AddNodeBtn");
    ASSERT_EQ(page(), 0);
    driver.ClearLog();
    QString shownFlow;
    driver.OnceForm("TKnownFlowDlg", [&](ui::Form& d) {
        shownFlow = d.Control<QLineEdit>("FlowDBNF")->text();
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TKnownFlowDlg"});
    EXPECT_EQ(driver.MessageTexts(), QStringList{});
    EXPECT_EQ(shownFlow, "300");

    enterProfileWith(testsupport::GravityLine());
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    auto press = [this](const char* button) { return [this, button] { DialogDriver::Press(*form, button); }; };
    auto trigger = [](QAction* a) { return [a] { a->trigger(); }; };
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"Edit Node", press("EditProfileBtn")},
        {"Insert Node", press("InsertNodeSpdBtn")},
        {"Job tab", [this] { userTurnsTo(0); }},
        {"System", press("SelSystemEditBtn")},
        {"job page OK", press("OKBitBtn2")},
        {"profile page OK", press("OKBitBtn3")},
        {"Output tab", [this] { userTurnsTo(2); }},
        {"Detailed report", press("QRDetailedSpdBtn")},
        {"Summary report", press("QRSummarySpdBtn")},
        {"Cost report", press("QRCostSpdBtn")},
        {"Graph report", press("QRGraphBitBtn")},
        {"Job tab", [this] { userTurnsTo(0); }},
        {"system type", [this] { form->SysTypeRadioGroup->SetItemIndex(0); form->SysTypeRadioGroupClick(); }},
        {"Save Job", press("SaveJobBtn")},
        {"List of Jobs", trigger(form->ListofJobs1)},
        {"Delete Job", trigger(form->MaintainJobDatabase1)},
        {"Pipe Material", trigger(form->PipeMaterialDatabase1)},
        {"Pipe Type", trigger(form->PipeTypeDatabase1)},
        {"Minor Loss", trigger(form->MinorLossDatabase1)},
        {"Unit Cost", trigger(form->UintCostDatabase1)},
        {"Local Defaults", trigger(form->LocalDefaults1)},
        {"Delete Node", [this] { userTurnsTo(1); DialogDriver::Press(*form, "DeleteNodeBtn"); }},
        {"Previous Job", press("PrevJobBtn")},
        {"New Job", press("NewJobBtn")},
        {"Cancel Job", press("CancelJobBitBtn")},
        {"Gated calculator", trigger(form->GatedPipeCalculator1)},
        {"Manifold calculator", trigger(form->TrickleManifoledCalculator1)},
    };
    for (const auto& [name, run] : commands) {
        JobTrans->CloseAllTables();
        driver.ClearLog();
        run();
        for (const QString& text : driver.MessageTexts())
            EXPECT_FALSE(text.contains("closed")) << name << ": " << text.toStdString();
    }
}

// A gravity line of 300 gpm from water at 100 ft entered by keys in the
// entry grid, every reach 6 in PVC (5.995 in bore, C 150): the entrance at
// 0+00 (ground 98, invert 95 typed), an in-line booster at 10+00 (ground 90)
// set to 60 psi, a pressure reducer at 20+00 (ground 60) set to 20 psi and
// the end at 30+00 (ground 40), the others 30 in under ground. The reducer
// below the booster is no second booster. Worked by hand:
//   inverts 90 - (30 + 0.315 + 5.995) / 12 = 86.97, then 56.97 and 36.97
//   friction 10.4057 x 1000 x 2^1.85185 / 5.995^4.87037 = 6.118044 ft a
//   reach, velocity head 0.180540 ft; grades 99.82 and, at the booster,
//   100 - 6.118044 - 0.180540 = 93.70
//   the booster's outlet 60 x 2.3071244 + 86.97 = 225.397464 ft: its head
//   0.180540 + 225.397464 - 93.881956 = 131.70 ft, 131.696048 x 300 / 3960
//   / 0.75 = 13.30 hp, a 15 hp motor
//   the reducer's inlet 0.180540 + 225.397464 - 6.118044 - 0.180540 =
//   219.28; below it 0.180540 + 20 x 2.3071244 + 56.97 - 6.118044 - 0.180540
//   = 96.99 at the end
// First the booster is left at -1, to be found: the reducer keeps its 20 psi,
// so its inlet needs 20 x 2.3071244 + 56.97 = 103.112488 and the booster's
// outlet 103.112488 + 6.118044 = 109.230532: (109.230532 - 86.97) x 0.43344
// = 9.649 psi, a head of 0.180540 + 109.230532 - 93.881956 = 15.53 ft,
// 15.529116 x 300 / 3960 / 0.75 = 1.57 hp, a 2 hp motor.
TEST_F(PageFlowTest, InlineBoosterAndAReducerBelowItComputeAndComeBackFromTheStore)
{
    newGravityJob(QStringLiteral("300"));
    driver.OnForm("TProfInDlg", [](ui::Form& f) {
        DialogDriver::Press(f, QStringLiteral("PipeRchSpdBtn"));
        if (DMod->WorkProfTableNodeType->AsInteger() == 3) DialogDriver::KeyIn(f, "SetPresDBNF", "20");
        DialogDriver::Press(f, QStringLiteral("OKBitBtn"));
    });
    testsupport::ReachesTakeSixInchPvc(driver);
    driver.OnForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "95");
        PressKey(f, Qt::Key_Return);
    });
    driver.OnForm("TDepthInDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Return); });
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& f) {
        EXPECT_DOUBLE_EQ(DMod->WorkProfTablePsiSet->AsFloat(), -1.0);   // found by the run, unless given
        DialogDriver::KeyIn(f, "OvcDbNumericField6", "75");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        DialogDriver::Focus(f, "NFStation");
        TypeAndTab(f, "0");
        TypeAndTab(f, "98");
        Tab(f);                          // the entrance's kind: on to its invert
        PressKey(f, Qt::Key_Return);     // on to the pipe
        PressKey(f, Qt::Key_Return);     // and to Add Node
        const char* const nodes[][3] = {{"1000", "90", "In line w/booster pump"},
                                        {"2000", "60", "In line w/pressure reducer"},
                                        {"3000", "40", "End of line (normal)"}};
        for (const auto& [station, ground, kind] : nodes) {
            DialogDriver::Press(f, "AddNodeBtn");
            TypeAndTab(f, station);
            TypeAndTab(f, ground);
            DialogDriver::Choose(f, "NodeComboBox", kind);
            if (QByteArray(kind).startsWith("End")) break;
            Tab(f);                      // its kind's dialog, then its depth
            PressKey(f, Qt::Key_Return);
            PressKey(f, Qt::Key_Return);
            ASSERT_EQ(FocusedName(f), QStringLiteral("AddNodeBtn"));
        }
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), 9.649);
    EXPECT_DOUBLE_EQ(ProfValue(2, "PsiSet"), 20.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 15.53);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 1.57);
    EXPECT_EQ(testsupport::PipeText("MotorHP"), QStringLiteral("2"));
    QAbstractItemModel* grid = form->DBGrid1->model();
    const char* const found[] = {"99.82", "93.70", "103.11", "96.99"};
    for (int r = 0; r < 4; ++r) EXPECT_EQ(grid->index(r, 3).data().toString().trimmed(), found[r]) << r;

    // Given 5 psi the booster brings the reducer 92.387578 ft, 15.35 psi:
    // passed on, the end 86.27. Then both at -1, 20+00 raised to invert
    // 129.97: 10+00 is found for 20+00's inlet clearance, 135.47 ft, all the
    // line below needs, so 20+00 adds no head: refused by name.
    form->OvcNotebook1->SetPageIndex(1);
    testsupport::SetProfField(1, "PsiSet", 5.0);
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown());
    EXPECT_EQ(driver.MessageTexts(), QStringList{"WARNING .. The pressure reducer at Sta 20+00 receives 15.35 psi, "
                                                 "below its set pressure of 20.00 psi, so it passes the 15.35 psi on."});
    EXPECT_DOUBLE_EQ(ProfValue(3, "Hgl"), 86.27);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 4.81);   // from the grades as the row stores them
    form->OvcNotebook1->SetPageIndex(1);
    for (const auto& [field, value] : {std::pair{"PsiSet", -1.0}, {"NodeType", 2.0}, {"GroundElev", 133.0}})
        testsupport::SetProfField(2, field, value);
    testsupport::SetProfField(1, "PsiSet", -1.0);
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_FALSE(form->ResultsShown());
    EXPECT_TRUE(driver.MessageTexts().last().startsWith("ERROR .. In-line booster at Sta 20+00 not sized: the line "
                                                        "reaches it with HGL 135.47 ft, at or above the 135.47 ft"));
    EXPECT_DOUBLE_EQ(ProfValue(1, "PsiSet"), -1.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 0.0);
    for (const auto& [field, value] : {std::pair{"PsiSet", 20.0}, {"NodeType", 3.0}, {"GroundElev", 60.0}})
        testsupport::SetProfField(2, field, value);
    driver.ClearLog();

    // Then given its 60 psi.
    form->OvcNotebook1->SetPageIndex(1);
    testsupport::SetProfField(1, "PsiSet", 60.0);
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 131.70);
    testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
    EXPECT_EQ(shown["HGL"], "99.82 93.70 219.28 96.99");
    EXPECT_EQ(shown["Invert Elev"], "95.00 86.97 56.97 36.97");
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(testsupport::PipeText("PumpType"), QStringLiteral("INLINE BOOSTER"));
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 131.70);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 13.30);
    EXPECT_EQ(testsupport::PipeText("MotorHP"), QStringLiteral("15"));
    EXPECT_DOUBLE_EQ(ProfValue(2, "PsiSet"), 20.0);
    // 131.696048 x 300 / 3960 = 9.98 water hp: the page and the report say so.
    const QString pump = "head 131.70 ft, 9.98 water hp, 13.30 brake hp, 15 hp motor";
    EXPECT_EQ(form->PumpResultsLbl->text(), "In-line booster at Sta 10+00: " + pump);
    EXPECT_TRUE(testsupport::PrintedTexts(form->QRDetailedSpdBtn).contains("Pump: " + pump));
}

// A gravity job of 500 gpm from water at 100 ft, its profile the entrance
// and a node at 5+00 without an end yet, on the profile page.
class MersolEndNodes : public PageFlowTest {
protected:
    void SetUp() override
    {
        PageFlowTest::SetUp();
        newGravityJob();
        auto nodes = testsupport::GravityLine(1);
        nodes.pop_back();
        enterProfileWith(nodes);
        DialogDriver::Press(*form, "OKBitBtn2");
        ASSERT_EQ(page(), 1);
        ASSERT_TRUE(form->AddNodeBtn->isVisible());
        driver.ClearLog();
    }
};

// Add Node: an outflow typed for the node while it is in line goes when its
// kind becomes an end; Escape in the invert dialog takes back only the
// invert, not the end chosen in the node dialog, so Add Node does not come
// back; and the end's invert, never entered, stops the run by its station.
TEST_F(MersolEndNodes, EndChosenInTheNodeDialogKeepsWhatTheOtherDialogsDoNotTakeBack)
{
    int invertShown = 0;
    driver.OnForm("TInvertIndlg", [&invertShown](ui::Form& f) {
        ++invertShown;
        TypeKeys(f, "31");
        PressKey(f, Qt::Key_Escape);
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 600.0);
        DialogDriver::Type(f, "GrondElDBNF", "33");
        Tab(f);
        ASSERT_EQ(FocusedName(f), QStringLiteral("NodeComboBox"));
        Tab(f);   // in line: its lateral flows open; on to the invert method and its dialog
        DialogDriver::Focus(f, "OutflowDBNF");   // the method left sends the focus to OK first
        DialogDriver::Type(f, "OutflowDBNF", "40");
        DialogDriver::Focus(f, "InflowDBNF");
        EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeQ->AsFloat(), 460.0);
        DialogDriver::Choose(f, "NodeComboBox", "End of line (normal)");
        Tab(f);
        EXPECT_FALSE(f.Control<QWidget>("InOutFlowGpBox")->isEnabled());
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "AddNodeBtn");
    EXPECT_EQ(invertShown, 2);
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_EQ(ProfText(2, "NodeTypeDesc"), QStringLiteral("End of line (normal)"));
    EXPECT_DOUBLE_EQ(ProfValue(2, "OutQ"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "PipeQ"), 500.0);
    EXPECT_TRUE(testsupport::ProfIsNull(2, "InvertElev"));   // the 31 typed was taken back
    EXPECT_FALSE(DMod->WorkPipeTableNoEnd->AsBoolean());
    EXPECT_DOUBLE_EQ(PipeValue("OutletElev"), 33.0);
    form->OvcNotebook1->SetPageIndex(0);
    form->OvcNotebook1->SetPageIndex(1);
    EXPECT_FALSE(form->AddNodeBtn->isVisible());

    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"The invert elevation at station 6+00 was never entered. Please edit that node."});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_FALSE(form->ResultsShown());
}

// A manifold end being added: its manifold laid out by the quick entry,
// then its dialog opened again by "Edit Manifold Data" before the node is
// taken: the manifold stays. 6+00 to 7+00 every 50 ft at 10 gpm is three
// outlets; quick entry of 0 to 1500 ft every 10 ft counts 151 nodes. No pipe
// rating was picked, so the manifold cannot be computed: the dialog says so
// and keeps OK from taking it, and the output page, the dialog cancelled
// twice, shows nothing computed. With a rating picked the line carries the
// manifold's 30 gpm, and so it comes back from the store. Worked by hand:
// 30 gpm in 6 in pipe of C 150 has a velocity head of 0.001799 ft and loses
// 10.4057 x 500 x (30/150)^1.85185 / 6^4.87037 = 0.042852 ft over 500 ft,
// 0.008570 ft over the last 100: grades 99.998201, 99.955349 and 99.946779;
// the manifold's first outlet, at 33 ft, has (99.946779 - 33) x 0.43344 =
// 29.02 psi.
TEST_F(MersolEndNodes, ManifoldEndIsComputedOnlyOnceItsManifoldIs)
{
    driver.OnceForm("TOptinalManifEntryDlg", [](ui::Form& f) {
        EXPECT_EQ(f.Control<QLineEdit>("StartStaNF")->text().trimmed(), "600.0");   // the end node's
        DialogDriver::Type(f, "StartStaNF", "0");
        DialogDriver::Type(f, "EndStaNF", "1500");
        DialogDriver::Type(f, "EndElNF", "32");
        DialogDriver::Type(f, "FlowRateNF", "10");
        DialogDriver::Type(f, "DistNF", "10");
        DialogDriver::Press(f, "OKBitBtn1");
        EXPECT_TRUE(f.isVisible());
        DialogDriver::Type(f, "StartStaNF", "600");
        DialogDriver::Type(f, "EndStaNF", "700");
        DialogDriver::Type(f, "DistNF", "50");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    int manifoldShown = 0;
    std::vector<int> nodesSeen;
    driver.OnForm("TManifoldEndDlg", [&](ui::Form& f) {
        nodesSeen.push_back(DMod->WorkTrickleTable->RecordCount());
        if (manifoldShown++ == 0) {
            f.Control<ui::Notebook>("OvcNotebookM")->setCurrentIndex(1);   // the nodes' tab clicked
            DialogDriver::Press(f, "OptionalButton");
            DialogDriver::Press(f, "OKBtn");
            // Not sized, not taken: the dialog stays, on the rating to give.
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(f.Control<ui::Notebook>("OvcNotebookM")->PageIndex(), 0);
            EXPECT_EQ(FocusedName(f), QStringLiteral("OvcDbNumericField1"));
            DialogDriver::Press(f, "CancelBtn");
        } else if (manifoldShown == 2) {
            DialogDriver::Press(f, "CancelBtn");
        } else if (manifoldShown == 3) {
            testsupport::PickFirstManifoldRating(f);
            DialogDriver::Press(f, "OKBtn");
        } else {   // the loaded job's: nothing changed
            DialogDriver::Press(f, "QRGraphBitBtn");
            DialogDriver::Press(f, "OKBtn");
        }
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "GrondElDBNF", "33");
        DialogDriver::Choose(f, "NodeComboBox", "End of line, start manifold segment");
        Tab(f);
        DialogDriver::Press(f, "TrickleEditBtn");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    driver.OnForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "31");
        PressKey(f, Qt::Key_Return);
    });
    DialogDriver::Press(*form, "AddNodeBtn");
    EXPECT_EQ(nodesSeen, (std::vector<int>{1, 3}));
    const QString noRating = QStringLiteral(
        "Manifold not computed. No pipe of type \"PVC SDR\" and rating 0.00 meets the velocity limit of 5.00 ft/s "
        "and the friction limit of 2.00 ft in the segment(s) from station 6+00 to 6+50, 6+50 to 7+00.");
    EXPECT_EQ(driver.MessageTexts(),
              (QStringList{"Split design, too many nodes. Number of nodes = 151. Maximum = 150", noRating}));
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_EQ(DMod->WorkTrickleTable->RecordCount(), 3);
    EXPECT_DOUBLE_EQ(PipeValue("TriclEntQ"), 0.0);   // not tied into the line

    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_EQ(driver.MessageTexts(), QStringList{noRating});
    EXPECT_FALSE(form->ResultsShown());

    // The end node edited: its manifold given a rating.
    form->OvcNotebook1->SetPageIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 600.0));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "TrickleEditBtn");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.ClearLog();
    DialogDriver::Press(*form, "EditProfileBtn");
    EXPECT_EQ(manifoldShown, 3);
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{"Initial estimated system flow rate adjusted to reflect manifold flow rates."});
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    auto firstOutletPsi = [] {
        db::Table* outlets = DMod->WorkTrickleTable;
        if (!outlets->Active()) outlets->Open();
        outlets->First();
        return DMod->WorkTrickleTablePsi->AsFloat();
    };
    EXPECT_DOUBLE_EQ(firstOutletPsi(), 29.02);
    testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
    EXPECT_EQ(shown["HGL"], "100.00 99.96 99.95");
    EXPECT_EQ(shown["Flow (gpm)"], "30.0 30.0 30.0");
    EXPECT_DOUBLE_EQ(firstOutletPsi(), 29.02);

    // The loaded end node and its manifold opened and left by OK with nothing
    // changed: nothing changes, not even while the node dialog is still open,
    // and the manifold's graph draws the grade the output page stored.
    const QString endRow = ProfText(2, "InvertElev") + '|' + ProfText(2, "DownStreamPipeDescription");
    double graphedHgl = 0;
    const auto oldHook = report::SetPreviewHook([&](report::Document& d, QWidget*) {
        report::RenderDump(d);
        graphedHgl = QRManifGraph->QRChart1->Chart.SeriesAt(0)->At(0).y;
    });
    driver.OnceForm("TBasicNodeDlg", [&](ui::Form& f) {
        DialogDriver::Press(f, "TrickleEditBtn");
        EXPECT_EQ(DMod->WorkProfTableInvertElev->AsString() + '|' +
                      DMod->WorkProfTableDownStreamPipeDescription->AsString(),
                  endRow);
        EXPECT_DOUBLE_EQ(firstOutletPsi(), 29.02);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    form->OvcNotebook1->SetPageIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 600.0));
    DialogDriver::Press(*form, "EditProfileBtn");
    report::SetPreviewHook(oldHook);
    EXPECT_DOUBLE_EQ(graphedHgl, 99.95);
}

// A gated-pipe end added at 6+00 (ground 33, invert 31) with 300 ft of the
// first aluminium gated pipe listed (5.9 in bore), 50 gpm a gate every 30 in.
// Worked by hand: the 600 ft of 6 in pipe lose 10.4057 x 600 x
// (500/150)^1.85185 / 6^4.87037 = 9.415233 ft at 500 gpm; entering the gated pipe the water runs at
// 500 / 448.83 / (0.0054542 x 5.9^2) = 5.867699 ft/s, a velocity head of
// 0.534626 ft: the grade at 6+00 is 100 - 9.415233 - 0.534626 = 90.05 ft.
// trunc(500 / 50) = 10 gates are open at a time, over 10 x 30 / 12 = 25 ft:
// the first open set ends at 6+25, the last starts at 8+75.
TEST_F(MersolEndNodes, GatedEndComputesAndComesBackFromTheStore)
{
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::KeyIn(f, "GrondElDBNF", "33");
        DialogDriver::Choose(f, "NodeComboBox", "End of line, start gated pipe");
        Tab(f);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { testsupport::PickSixInchGatedPipe(f); });
    testsupport::KeyInGatedPipe(driver, "900", "32", "50");
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "31");
        PressKey(f, Qt::Key_Return);
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "AddNodeBtn");
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    // System and OK: the end keeps its reach keyword; 400 gpm reaches the
    // gated pipe, 8 gates, entering at 5.867699 x 400 / 500 = 4.69 ft/s.
    systemFlowThenOutput("400");
    EXPECT_EQ(ProfText(2, "ReachType"), QStringLiteral("GRAVGATED"));
    db::Table* gated = DMod->WorkGatedTable;
    gated->First();
    EXPECT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 8);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTablePipeVel->AsFloat(), 4.69);
    systemFlowThenOutput("500");
    testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
    EXPECT_EQ(shown["HGL"], "99.50 91.65 90.05");
    EXPECT_EQ(shown["Down Stream Pipe"], "6 in PVC 6 in PVC Aluminum 0.050 wall, 6 in, 100 psi");
    gated->First();
    EXPECT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 10);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStaAsta->AsFloat(), 625.0);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStaDsta->AsFloat(), 875.0);
}

} // namespace
