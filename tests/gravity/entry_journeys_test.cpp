// The gravity designer worked as a user works it, by keys and clicks from
// New Job through the initial profile entry to the output page: every
// result comes from what was entered, or the run is refused with a reason.
//
// The line: water at 100 ft, 300 gpm in 6 in PVC (bore 5.995 in, wall
// 0.315 in, C 150), an entrance at 0+00 (ground 98, invert 95 entered), a
// node at 5+00 (ground 45) and the end at 10+00 (ground 33), both 30 in of
// cover. Worked by hand:
//   velocity 300 / 448.83 / (0.0054542 x 5.995^2) = 3.40981 ft/s, head 0.18054 ft
//   friction of 500 ft, 10.4057 x 500 x (300/150)^1.85185 / 5.995^4.87037 = 3.05902 ft
//   grade 99.81946, 96.76044, 93.70142 ft
//   inverts 95; 45 - (30 + 0.315 + 5.995) / 12 = 41.97; 33 - 3.02583 = 29.97
//   pressures (grade - invert) x 0.43344: 2.09, 23.75, 27.62 psi
#include "gravity_window.h"
#include "support/journey.h"
#include "support/workjob.h"
#include "support/workprofile.h"
#include "model/job_transfer.h"

#include "platform/chart/chartwidget.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

using testsupport::FocusedName;
using testsupport::PressKey;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::Tab;
using testsupport::TypeAndTab;
using testsupport::TypeKeys;

namespace {

class GravityJourneys : public testsupport::GravityWindowTest {
protected:
    // New Job, its name, 300 gpm from water at 100 ft.
    void newJob()
    {
        newNamedJob(QStringLiteral("Smith"));
        DialogDriver::Type(*form, "FlowDBNF", "300");
        DialogDriver::Type(*form, "WSDBNF", "100");
        DialogDriver::Focus(*form, "JobDesignerDBSF");
        driver.ClearLog();
    }
    // The next node of the entry grid: Add Node, its station and ground.
    static void addNode(ui::Form& f, const char* station, const char* ground)
    {
        DialogDriver::Press(f, "AddNodeBtn");
        ASSERT_EQ(FocusedName(f), QStringLiteral("NFStation"));
        TypeAndTab(f, station);
        TypeAndTab(f, ground);
        ASSERT_EQ(FocusedName(f), QStringLiteral("NodeComboBox"));
    }
    void toOutput()
    {
        driver.ClearLog();
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    // The line of this file entered in the initial entry: the entrance's
    // invert dialog left by Escape first, the end's kind chosen last, after
    // an outflow was typed for it, and OK pressed at once.
    void enterLine(const QString& endKind = QStringLiteral("End of line (normal)"))
    {
        newJob();
        testsupport::ReachesTakeSixInchPvc(driver);
        driver.OnForm("TInvertIndlg", [this](ui::Form& f) {
            invertAskedAt << ProfText(0, "Station");
            if (invertAskedAt.size() == 1) {
                TypeKeys(f, "12");
                PressKey(f, Qt::Key_Escape);
                return;
            }
            TypeKeys(f, "95");
            PressKey(f, Qt::Key_Return);
        });
        driver.OnForm("TDepthInDlg", [](ui::Form& f) {
            EXPECT_EQ(f.Control<QLineEdit>("OvcDbNumericField1")->text(), "30.0");   // the cover of the defaults
            PressKey(f, Qt::Key_Return);
        });
        driver.OnceForm("TProfEntryDlg", [this, endKind](ui::Form& f) {
            DialogDriver::Focus(f, "NFStation");
            TypeAndTab(f, "0");
            EXPECT_EQ(f.Control<QLineEdit>("NFElev")->text(), "");   // no ground until one is typed
            TypeAndTab(f, "98");
            Tab(f);   // the entrance's kind: on to its invert method, which asks for the invert
            ASSERT_EQ(FocusedName(f), QStringLiteral("InvComboBox"));
            EXPECT_TRUE(DMod->WorkProfTableInvertElev->IsNull());   // Escape took back the 12 typed
            PressKey(f, Qt::Key_Return);   // on to the pipe
            PressKey(f, Qt::Key_Return);   // and to Add Node
            ASSERT_EQ(FocusedName(f), QStringLiteral("AddNodeBtn"));
            // The reach dialog worked no depth from an invert not entered.
            EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 0.0);

            addNode(f, "500", "45");
            EXPECT_EQ(invertAskedAt.size(), 2);   // asked again on leaving the entrance
            Tab(f);
            ASSERT_EQ(FocusedName(f), QStringLiteral("NFIn"));   // an in-line node takes lateral flows
            // No more can leave a node than reaches it: refused where typed.
            TypeAndTab(f, "500");
            EXPECT_EQ(FocusedName(f), QStringLiteral("NFIn"));
            EXPECT_EQ(driver.MessageTexts().value(driver.MessageTexts().size() - 1),
                      QStringLiteral("An outflow of 500 gpm is more than the 300 gpm that reach this node. "
                                     "Enter at most 300 gpm."));
            TypeAndTab(f, "0");
            ASSERT_EQ(FocusedName(f), QStringLiteral("NFOut"));
            Tab(f);
            ASSERT_EQ(FocusedName(f), QStringLiteral("InvComboBox"));
            PressKey(f, Qt::Key_Return);
            PressKey(f, Qt::Key_Return);

            addNode(f, "1000", "33");
            Tab(f);
            TypeAndTab(f, "50");   // an outflow, while the node is still in line
            EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeQ->AsFloat(), 250.0);
            DialogDriver::Choose(f, "NodeComboBox", endKind);
            DialogDriver::Press(f, "OKBtn");
            EXPECT_FALSE(f.isVisible());
        });
        DialogDriver::Press(*form, "OKBitBtn2");
    }

    // The manifold end's dialog answered with three outlets of 10 gpm every
    // 50 ft to 11+00 (32 ft), keyed in through its optional entry.
    void answerManifoldOfThreeOutlets()
    {
        driver.OnceForm("TManifoldEndDlg", [](ui::Form& f) {
            testsupport::PickFirstManifoldRating(f);
            DialogDriver::Press(f, "OptionalButton");
            DialogDriver::Press(f, "OKBtn");
        });
        testsupport::KeyInQuickManifold(driver, "1100", "32", "10", "50");
    }

    QStringList invertAskedAt;
};

// The entrance's invert dialog is left by Escape: the entry asks for it
// again before it goes on past the entrance. The end node's kind is chosen
// last and OK pressed at once: its invert comes from its ground and cover,
// not 0. The outflow typed while the end was still an in-line node goes
// when the kind greys it out.
TEST_F(GravityJourneys, InitialEntryByKeysComputesFromTheInvertEachMethodGives)
{
    enterLine();
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(invertAskedAt, (QStringList{"0", "0"}));
    EXPECT_EQ(ProfText(2, "NodeTypeDesc"), QStringLiteral("End of line (normal)"));
    // Each node carries the whole pipe on, its modulus (for the surge) too.
    for (const char* f : {"Modulus", "NomDia", "PipeRating", "MaxVel"})
        EXPECT_EQ(ProfValue(2, f), ProfValue(0, f)) << f;
    EXPECT_GT(ProfValue(2, "Modulus"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "OutQ"), 0.0);
    EXPECT_DOUBLE_EQ(ProfValue(2, "PipeQ"), 300.0);

    toOutput();
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 2) << driver.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(form->ResultsShown());
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeDepth"), 29.7);   // (98 - 95) x 12 - 0.315 - 5.995
    const double invert[] = {95.0, 41.97, 29.97}, hgl[] = {99.82, 96.76, 93.70}, psi[] = {2.09, 23.75, 27.62};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(ProfValue(k, "InvertElev"), invert[k]);
        EXPECT_NEAR(ProfValue(k, "Hgl"), hgl[k], 0.005);
        EXPECT_DOUBLE_EQ(ProfValue(k, "Psi"), psi[k]);
        EXPECT_DOUBLE_EQ(ProfValue(k, "PipeQ"), 300.0);
    }
    testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
    EXPECT_EQ(shown["Hgl"], "99.82 96.76 93.70");
    EXPECT_EQ(shown["OpPres"], "2.09 23.75 27.62");
    EXPECT_EQ(shown["InvertElev"], "95.00 41.97 29.97");

    // The node at 5+00 on a rise of ground 100: its invert 96.97, its crown
    // 97.47, above the 96.76 the line brings it. The results stand, with the
    // faults listed above the grid by their station (the thrust block's too),
    // the row marked, and the reports offered: they print the row's warning.
    form->OvcNotebook1->SetPageIndex(1);
    testsupport::SetProfField(1, "GroundElev", 100.0);
    toOutput();
    const QString belowPipe = QStringLiteral("ERROR .. Hydraulic gradeline is below top of pipe!");
    const QString said =
        QStringLiteral("Sta 5+00 ") + belowPipe + QStringLiteral(" HGL 96.76 ft is 0.71 ft below the pipe crown at 97.47 ft.");
    EXPECT_EQ(driver.MessageTexts(), QStringList{said});
    ASSERT_TRUE(form->ResultsShown()) << form->NotComputedLbl->text().toStdString();
    EXPECT_TRUE(form->RunFaultsLbl->isVisible());
    EXPECT_EQ(form->RunFaultsLbl->text(),
              QStringLiteral("The run found:\n") + said +
                  QStringLiteral("\nSta 5+00 ERROR .. Thrust block area stored as 0: the pipe pressure here is -0.09 "
                                 "psi, below atmospheric."));
    EXPECT_TRUE(form->DBGrid1->isVisible());
    EXPECT_TRUE(form->OutChart->isVisible());
    for (QPushButton* b : {form->QRDetailedSpdBtn, form->QRSummarySpdBtn, form->QRGraphBitBtn})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    QAbstractItemModel* grid = form->DBGrid1->model();
    EXPECT_EQ(grid->headerData(1, Qt::Vertical).toString(), QStringLiteral("!"));
    // Under its -0.09 psi the node's thrust block takes no area, and says so.
    const QString noBlock = belowPipe + QStringLiteral(" ERROR .. Thrust block area stored as 0: the pipe pressure here "
                                                       "is -0.09 psi, below atmospheric.");
    EXPECT_EQ(grid->index(1, 0).data(Qt::ToolTipRole).toString(), noBlock);
    EXPECT_TRUE(grid->headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 96.97);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), -0.09);
    EXPECT_EQ(ProfText(1, "Warning"), noBlock);
    EXPECT_DOUBLE_EQ(ProfValue(1, "ThBlockArea"), 0.0);
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Data output"));

    // No design flow below what the line gives away on the way: refused as typed.
    form->OvcNotebook1->SetPageIndex(1);
    testsupport::SetProfField(1, "OutQ", 100.0);
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Type(*form, "FlowDBNF", "80");
    DialogDriver::Focus(*form, "cfsField");
    EXPECT_TRUE(driver.MessageTexts().last().contains("below Sta 5+00 the flow would be -20 gpm. Enter a design flow of "
                                                      "at least 100 gpm"));
    EXPECT_DOUBLE_EQ(ProfValue(2, "PipeQ"), 300.0);   // nothing carried down
}

// A node's depth box closed by Enter, then Add Node clicked at once. The
// box takes the keyboard with it as it goes, as it does on a screen without
// a window manager: the entry must have it back, so that the click moves the
// focus to the button before the depth's method is left (no pipe is asked
// for meanwhile), and the row Add Node starts takes its station and ground.
TEST_F(GravityJourneys, AddNodeClickedRightAfterADepthClosedByEnterTakesTheNextRowsTyping)
{
    newJob();
    testsupport::ReachesTakeSixInchPvc(driver);
    driver.OnForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "95");
        PressKey(f, Qt::Key_Return);
    });
    driver.OnForm("TDepthInDlg", [](ui::Form& f) {
        PressKey(f, Qt::Key_Return);
        QApplication::setActiveWindow(nullptr);
    });
    QStringList shownAtAdd;
    driver.OnceForm("TProfEntryDlg", [&](ui::Form& f) {
        DialogDriver::Focus(f, "NFStation");
        TypeAndTab(f, "0");
        TypeAndTab(f, "98");
        Tab(f);
        PressKey(f, Qt::Key_Return);
        PressKey(f, Qt::Key_Return);
        addNode(f, "500", "45");
        Tab(f);
        Tab(f);
        Tab(f);   // to the method, whose depth box comes and goes by Enter
        ASSERT_EQ(FocusedName(f), QStringLiteral("InvComboBox"));
        EXPECT_EQ(QApplication::activeWindow(), &f);
        driver.ClearLog();
        auto* add = f.Control<QPushButton>("AddNodeBtn");
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, add->mapTo(&f, add->rect().center()));
        shownAtAdd = driver.FormsShown();
        ASSERT_EQ(FocusedName(f), QStringLiteral("NFStation"));
        EXPECT_DOUBLE_EQ(ProfValue(2, "Station"), 600.0);   // one increment on
        // On a screen the station shows selected once the button is let go;
        // the test's click leaves the button held as the field is entered.
        f.Control<QLineEdit>("NFStation")->selectAll();
        TypeAndTab(f, "700");
        TypeAndTab(f, "40");
        EXPECT_DOUBLE_EQ(ProfValue(2, "Station"), 700.0);
        EXPECT_DOUBLE_EQ(ProfValue(2, "GroundElev"), 40.0);
        DialogDriver::Press(f, "CancelBitBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_EQ(shownAtAdd, QStringList{});
}

} // namespace

namespace {

// The line of this file ending at 10+00 in 300 ft of the first aluminium
// gated pipe listed (5.9 in bore, C 130), 30 gpm a gate every 30 in, or in
// a manifold of three outlets of 10 gpm every 50 ft to 11+00 (32 ft); each
// computed, saved and loaded again. Worked by hand:
//   gated: the grades of the line down to 10+00, where the water enters the
//   gated pipe at 300 / 448.83 / (0.0054542 x 5.9^2) = 3.520619 ft/s, a head
//   of 0.192464 ft: 100 - 2 x 3.059022 - 0.192464 = 93.69 ft, (93.689492 -
//   29.974167) x 0.43344 = 27.62 psi; trunc(300 / 30) = 10 gates open over
//   10 x 30 / 12 = 25 ft, from 10+00 to 10+25 first and from 12+75 last.
//   manifold: the line carries the manifold's 30 gpm: velocity head 0.001805
//   ft, friction 10.4057 x 500 x (30/150)^1.85185 / 5.995^4.87037 = 0.043026
//   ft a reach; grades 99.998195, 99.955169, 99.912143; pressures (grade -
//   invert) x 0.43344: 2.17, 25.13 and, the end's invert written as 29.97,
//   30.32 psi; the first outlet, at 33 ft, (99.912143 - 33) x 0.43344 = 29.00.
TEST_F(GravityJourneys, LineEndingInGatedPipeOrAManifoldComesBackFromTheStore)
{
    // The gated pipe's pick, and the reaches'.
    driver.OnForm("TGetPipeDlg", [](ui::Form& f) {
        if (Tul->PipePickTarget != 3) return testsupport::PickPipe(f, QString::fromLatin1(testsupport::kSixInchPvc));
        testsupport::PickSixInchGatedPipe(f);
    });
    testsupport::KeyInGatedPipe(driver, "1300", "32", "30");
    answerManifoldOfThreeOutlets();
    auto first = [](db::Table* t, db::Field* f) {
        if (!t->Active()) t->Open();
        t->First();
        return f->AsFloat();
    };
    for (const bool gated : {true, false}) {
        SCOPED_TRACE(gated);
        invertAskedAt.clear();
        enterLine(gated ? QStringLiteral("End of line, start gated pipe")
                        : QStringLiteral("End of line, start manifold segment"));
        toOutput();
        ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
        testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
        EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
        if (gated) {
            EXPECT_EQ(shown["Hgl"], "99.82 96.76 93.69");
            EXPECT_EQ(shown["OpPres"], "2.09 23.75 27.62");
            EXPECT_EQ(shown["DiaIn"], "5.995 5.995 5.9");
            EXPECT_EQ(first(DMod->WorkGatedTable, DMod->WorkGatedTableNoOfGates), 10);
            EXPECT_DOUBLE_EQ(first(DMod->WorkGatedTable, DMod->WorkGatedTableStaAsta), 1025.0);
            EXPECT_DOUBLE_EQ(first(DMod->WorkGatedTable, DMod->WorkGatedTableStaDsta), 1275.0);
        } else {
            EXPECT_EQ(shown["Hgl"], "100.00 99.96 99.91");
            EXPECT_EQ(shown["OpPres"], "2.17 25.13 30.32");
            EXPECT_EQ(shown["PipeQ"], "30.0 30.0 30.0");
            EXPECT_DOUBLE_EQ(first(DMod->WorkTrickleTable, DMod->WorkTrickleTablePsi), 29.00);
        }
    }
}

// A profile read from a text file, the entrance's pipe picked, the next node
// passed by the navigator: the reach after it opens its pick on the
// entrance's material, named in its type box, and lists that material.
TEST_F(GravityJourneys, ImportedProfileReachPicksOpenOnTheReachMaterial)
{
    newJob();
    ASSERT_TRUE(testsupport::AnswerProfileFile(driver, workDir.filePath(QStringLiteral("dip.txt")),
                                               "0,98\n1000,112\n2000,100\n3000,90\n"));
    QStringList opened;   // per pick: its station, the type box, the first pipe listed
    driver.OnForm("TGetPipeDlg", [&opened](ui::Form& f) {
        auto* grid = ui::DBGrid::Of(f.Control<QTableView>("PipeDescriptionGrid"));
        opened << QString::number(Tul->NewStation) + ' ' + f.Control<QComboBox>("PTypeDBLookupComboBox")->currentText() +
                      ' ' + (grid->RowCount() > 0 ? grid->CellText(0, 0).section(',', 0, 0) : QString());
        testsupport::PickPipe(f, QString::fromLatin1(testsupport::kSixInchPvc));
    });
    testsupport::ReachesTakeSixInchPvc(driver);
    driver.OnForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "95");
        PressKey(f, Qt::Key_Return);
    });
    driver.OnForm("TDepthInDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Return); });
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "TextFileBtn");
        DialogDriver::Focus(f, "SFPipe");
        DialogDriver::Enter(f);   // the entrance's invert, its pipe and reach
        ASSERT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 1000.0);
        // On past 10+00 without its pipe, 20+00 walked by Tab.
        QTest::mouseClick(f.Control<ui::DBNavigator>("DBNavigator1")->Button(ui::nbNext), Qt::LeftButton);
        DialogDriver::Focus(f, "NFStation");
        for (int k = 0; k < 8 && FocusedName(f) != QStringLiteral("AddNodeBtn"); ++k)
            Tab(f);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    // 20+00's pick as its pipe is reached, then its reach dialog's.
    EXPECT_EQ(opened.filter(QRegularExpression("^2000 ")), QStringList(2, "2000 PVC SDR PVC SDR 21"))
        << opened.join('|').toStdString();
}

// The manifold end's dialog cancelled while the end is made: the line keeps
// the flow it was given, on the job page and in every reach.
TEST_F(GravityJourneys, ManifoldEndCancelledKeepsTheDesignFlow)
{
    driver.OnceForm("TManifoldEndDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBtn"); });
    enterLine(QStringLiteral("End of line, start manifold segment"));
    EXPECT_TRUE(driver.FormsShown().contains("TManifoldEndDlg"));
    EXPECT_EQ(ProfText(2, "NodeTypeDesc"), QStringLiteral("End of line, start manifold segment"));
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 300.0);
    for (int k = 0; k < 3; ++k) EXPECT_DOUBLE_EQ(ProfValue(k, "PipeQ"), 300.0) << k;
    form->OvcNotebook1->SetPageIndex(0);
    EXPECT_EQ(form->FlowDBNF->text(), "300");
}

// The manifold end made a gated-pipe end by keys in the node dialog: the
// gated pipe's dialogs open. Cancelled, the node is the manifold end it was,
// with its three outlets; answered, it is a gated-pipe end and the manifold
// is gone.
TEST_F(GravityJourneys, ManifoldEndMadeAGatedEndByKeysOpensTheGatedPipeDialog)
{
    driver.OnForm("TGetPipeDlg", [](ui::Form& f) {
        if (Tul->PipePickTarget != 3) return testsupport::PickPipe(f, QString::fromLatin1(testsupport::kSixInchPvc));
        testsupport::PickSixInchGatedPipe(f);
    });
    answerManifoldOfThreeOutlets();
    enterLine(QStringLiteral("End of line, start manifold segment"));
    auto rows = [](db::Table* t) {
        if (!t->Active()) t->Open();
        return t->RecordCount();
    };
    ASSERT_EQ(rows(DMod->WorkTrickleTable), 3);
    for (const bool taken : {false, true}) {
        SCOPED_TRACE(taken);
        driver.ClearLog();
        // Opened while the node dialog's focus moves on: its end is given and
        // its buttons clicked.
        driver.OnceForm("TGatedPipeDlg", [taken](ui::Form& f) {
            if (taken) {
                DMod->WorkGatedTableEndSta->SetAsFloat(1300);
                DMod->WorkGatedTableEndElev->SetAsFloat(32);
            }
            f.Control<QPushButton>(taken ? "OKBtn" : "CancelBtn")->click();
        });
        QString kindShown;
        driver.OnceForm("TBasicNodeDlg", [&kindShown](ui::Form& f) {
            DialogDriver::Focus(f, "NodeComboBox");
            PressKey(f, Qt::Key_Up);
            Tab(f);
            kindShown = f.Control<QComboBox>("NodeComboBox")->currentText();
            DialogDriver::Press(f, "OKBitBtn1");
        });
        driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 1000.0));
        DialogDriver::Press(*form, "EditProfileBtn");
        EXPECT_TRUE(driver.FormsShown().contains("TGatedPipeDlg")) << driver.FormsShown().join('|').toStdString();
        EXPECT_EQ(kindShown, taken ? "End of line, start gated pipe" : "End of line, start manifold segment");
        EXPECT_EQ(ProfText(2, "NodeTypeDesc"), kindShown);
        EXPECT_EQ(ProfValue(2, "NodeType"), taken ? 5 : 6);
        EXPECT_EQ(testsupport::PipeValue("SysHas"), taken ? 1 : 2);
        EXPECT_EQ(rows(DMod->WorkTrickleTable), taken ? 0 : 3);
        EXPECT_EQ(rows(DMod->WorkGatedTable), taken ? 1 : 0);
    }
}

} // namespace

namespace {

// A line ending in a manifold of 60 gpm: whatever flow is typed, in gpm or
// in cfs, the manifold sets it, and both fields show the flow the job has.
// The cfs field takes no more than the gpm field holds, 99999 gpm:
// floor(99999.5 / 448.83 x 100) / 100 = 222.80 cfs, which is 99999.3 gpm.
TEST_F(GravityJourneys, FlowInGpmOrCfsShowsTheFlowTheManifoldLeaves)
{
    newJob();
    testsupport::WriteEnteredProfile(testsupport::GravityLine(6), 30.0);
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableSysHas->SetAsInteger(2);
    DMod->WorkPipeTableTriclEntQ->SetAsFloat(60);
    DMod->WorkPipeTable->Post();
    DMod->WorkPipeTable->Edit();

    const QString adjusted = QStringLiteral("Flow rate in supply line will be adjusted to Manifold requirement");
    DialogDriver::Type(*form, "FlowDBNF", "500");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{adjusted});
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 60.0);
    EXPECT_EQ(form->FlowDBNF->text(), "60");
    EXPECT_EQ(form->cfsField->text().trimmed(), "0.13");   // 60 / 448.83

    driver.ClearLog();
    DialogDriver::Type(*form, "cfsField", "1");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{adjusted});
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 60.0);
    EXPECT_EQ(form->cfsField->text().trimmed(), "0.13");
    EXPECT_DOUBLE_EQ(ProfValue(0, "PipeQ"), 60.0);

    driver.ClearLog();
    DialogDriver::Type(*form, "cfsField", "300");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The design flow can be at most 222.80 cfs (99999 gpm)."});
    EXPECT_EQ(form->ActiveControl(), form->cfsField);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), 60.0);
    DialogDriver::Type(*form, "cfsField", "222.80");
    DialogDriver::Focus(*form, "WSDBNF");
    EXPECT_EQ(form->ActiveControl(), form->WSDBNF);

    // What the cfs field cannot take is refused with a tip, as in the gpm
    // field, and holds the field until Escape gives it back.
    const QString cfsShown = form->cfsField->text();
    const double flow = DMod->WorkPipeTableDesignFlow->AsFloat();
    const struct {
        const char* keys;
        const char* shown;
        const char* refused;
    } cases[] = {{"1,5", "1", ","}, {"2a", "2", "a"}, {"1.2.3", "1.2", "."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        DialogDriver::Focus(*form, "cfsField");
        form->cfsField->selectAll();
        TypeKeys(*form, c.keys);
        EXPECT_EQ(form->cfsField->text(), c.shown);
        EXPECT_EQ(QToolTip::text(), QStringLiteral("\"%1\" was not taken: this field takes a number from 0 to "
                                                   "222.8, with at most 2 decimals. Correct the entry before "
                                                   "typing on.")
                                        .arg(c.refused));
        Tab(*form);
        EXPECT_EQ(form->ActiveControl(), form->cfsField);
        PressKey(*form, Qt::Key_Escape);
        EXPECT_EQ(form->cfsField->text(), cfsShown);
        Tab(*form);
        EXPECT_EQ(form->ActiveControl(), form->WSDBNF);
        EXPECT_DOUBLE_EQ(DMod->WorkPipeTableDesignFlow->AsFloat(), flow);
    }
}

} // namespace

namespace {

// The line entered and saved: node, reach and pipe dialogs opened and
// cancelled, or closed as they opened, change nothing, so nothing is offered
// for saving, and the status bar is back to the page's own text. An insert
// is refused a node without its ground, then made: that is a change.
TEST_F(GravityJourneys, DialogsOnlyOpenedLeaveNothingToSaveAndTheStatusBarSettled)
{
    enterLine();
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1);
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "SaveJobBtn");
    ASSERT_EQ(Tul->SaveState, 2);
    auto status = [this] { return form->MainStatusBar->PanelText(0); };
    auto at = [](double station) { return DMod->WorkProfTable->Locate(QStringLiteral("Station"), station); };
    const QString resting = status();

    ASSERT_TRUE(at(500));
    driver.ClearLog();
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OutflowDBNF", "40");   // typed, then thought better of
        PressKey(f, Qt::Key_Escape);
    });
    DialogDriver::Press(*form, "EditProfileBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(status(), resting);

    ASSERT_TRUE(at(500));
    driver.ClearLog();
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Focus(f, "StationNF");
        for (int k = 0; k < 4; ++k) Tab(f);   // through the fields, changing none
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Escape); });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "PipeRchSpdBtn");
        PressKey(f, Qt::Key_Escape);
    });
    DialogDriver::Press(*form, "EditProfileBtn");
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TBasicNodeDlg", "TDepthInDlg", "TProfInDlg", "TGetPipeDlg"}));
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(status(), resting);

    ASSERT_TRUE(at(1000));
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) { DialogDriver::Press(f, "CancelBitBtn2"); });
    DialogDriver::Press(*form, "InsertNodeSpdBtn");
    EXPECT_EQ(Tul->SaveState, 2);
    EXPECT_EQ(status(), resting);

    ASSERT_TRUE(at(1000));
    QString duringInsert;
    driver.ClearLog();
    driver.OnceForm("TBasicNodeDlg", [&duringInsert, status](ui::Form& f) {
        duringInsert = status();
        DialogDriver::Focus(f, "GrondElDBNF");
        Tab(f);   // left empty
        EXPECT_EQ(FocusedName(f), QStringLiteral("GrondElDBNF"));
        DialogDriver::Press(f, "OKBitBtn1");
        EXPECT_TRUE(f.isVisible());
        TypeAndTab(f, "36");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "InsertNodeSpdBtn");
    EXPECT_EQ(duringInsert, QStringLiteral("Inserting node"));
    // Refused, once each, on leaving the empty field and for OK pressed from it.
    EXPECT_EQ(driver.MessageTexts(), QStringList(2, QStringLiteral("Please enter the ground elevation of this node.")));
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 4);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Station"), 600.0);   // 5+00 and the increment of 100 ft
    EXPECT_DOUBLE_EQ(ProfValue(2, "GroundElev"), 36.0);
    EXPECT_EQ(status(), resting);
    EXPECT_EQ(Tul->SaveState, 1);

    driver.ClearLog();
    driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "NoBitBtn"); });
    DialogDriver::Press(*form, "ExitBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TSaveForm"});
}

} // namespace

namespace {

// The 500 gpm line of the run tests ending at 10+00 (ground 33) in 300 ft
// of 10 in gated pipe, 50 gpm a gate every 30 in: trunc(500 / 50) = 10
// gates open at a time over 30/12 x 10 = 25 ft, so the first open segment
// ends at 10+25 and the last starts at 12+75. An end station typed at or
// before the start is refused in the gated-pipe dialog; one stored so
// makes the run fail, and the output page then shows no results at all,
// nor offers a report, until the job computes again.
TEST_F(GravityJourneys, GatedEndBeforeItsStartIsRefusedAndItsRunShowsNothingOld)
{
    testsupport::WriteWorkJob(testsupport::WorkHeader{.sysHas = 1, .wsElev = 100, .outletElev = 33},
                              testsupport::GravityLine(5));
    testsupport::WorkJob::AddRow(DMod->WorkGatedTable,
                                 {{"StartSta", 1000}, {"StartElev", 33}, {"EndSta", 1300}, {"EndElev", 32},
                                  {"IsMidSeg", false}, {"GateSpace", 30}, {"GateFlow", 50}, {"DiaIn", 10},
                                  {"PipeQ", 500}, {"Cfac", 150}, {"PipeDescription", "10 in gated"},
                                  {"K1State", "N"}, {"K2State", "N"}});
    Tul->SysHas = 1;
    Tul->NewJob = false;
    Tul->BuildStationList();
    Tul->SaveState = 2;
    DMod->WorkTablesFree = false;
    form->OvcNotebook1->setEnabled(true);
    auto gatedRow = [] {
        db::Table* g = DMod->WorkGatedTable;
        if (!g->Active()) g->Open();
        g->CheckBrowseMode();
        g->First();
        return g;
    };
    auto stationEnd = [gatedRow](const QVariant& sta) {
        db::Table* g = gatedRow();
        g->First();
        g->Edit();
        DMod->WorkGatedTableEndSta->SetValue(sta);
        g->Post();
    };
    form->OvcNotebook1->SetPageIndex(1);
    toOutput();
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 2);
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(DMod->WorkGatedTableNoOfGates->AsInteger(), 10);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStaAsta->AsFloat(), 1025.0);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStaDsta->AsFloat(), 1275.0);
    EXPECT_TRUE(form->QRDetailedSpdBtn->isEnabled());
    EXPECT_TRUE(form->DBGrid1->isVisible());

    // The dialog refuses an end at or before the start, where it is typed
    // and on OK; Escape leaves it as it was.
    const QString noLength = QStringLiteral("The end gated station must lie beyond the start gated station, 10+00.");
    form->OvcNotebook1->SetPageIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 1000.0));
    QStringList said;
    bool openAfterOk = false;
    driver.OnceForm("TGatedPipeDlg", [&](ui::Form& g) {
        DialogDriver::Focus(g, "EndGatedStaDBNF");
        TypeAndTab(g, "1000");
        said = driver.MessageTexts();
        EXPECT_EQ(FocusedName(g), QStringLiteral("EndGatedStaDBNF"));
        TypeKeys(g, "900");
        DialogDriver::Press(g, "OKBtn");
        openAfterOk = g.isVisible();
        PressKey(g, Qt::Key_Escape);
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "EditGatedBtn");
        DialogDriver::Press(f, "CancelBitBtn2");
    });
    driver.ClearLog();
    DialogDriver::Press(*form, "EditProfileBtn");
    EXPECT_EQ(said, QStringList{noLength});
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(driver.MessageTexts(), QStringList(2, noLength));
    gatedRow();
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableEndSta->AsFloat(), 1300.0);

    // A job stored with its end before its start.
    stationEnd(900);
    toOutput();
    ASSERT_EQ(driver.MessageTexts().size(), 1u);
    EXPECT_TRUE(driver.MessageTexts()[0].startsWith(QStringLiteral("ERROR..Gated pipe not computed.")));
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_FALSE(form->ResultsShown());
    EXPECT_EQ(form->NotComputedLbl->text(), QStringLiteral("The job was not computed: ") + driver.MessageTexts()[0]);
    EXPECT_TRUE(form->NotComputedLbl->isVisible());
    EXPECT_FALSE(form->DBGrid1->isVisible());
    EXPECT_FALSE(form->OutChart->isVisible());
    for (QPushButton* b : {form->QRDetailedSpdBtn, form->QRSummarySpdBtn, form->QRCostSpdBtn, form->QRGraphBitBtn})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(form->MainStatusBar->PanelText(0), QStringLiteral("Not computed"));

    stationEnd(1300);
    form->OvcNotebook1->SetPageIndex(1);
    toOutput();
    EXPECT_TRUE(form->ResultsShown());
    EXPECT_TRUE(form->QRDetailedSpdBtn->isEnabled());
    EXPECT_FALSE(form->NotComputedLbl->isVisible());

    // An end tabbed out of and then cancelled is not the node dialog's to store.
    driver.OnceForm("TGatedPipeDlg", [](ui::Form& g) {
        DialogDriver::KeyIn(g, "EndGatedStaDBNF", "2500");
        DialogDriver::KeyIn(g, "EndGatedElDBNF", "20");
        DialogDriver::Press(g, "CancelBtn");
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "EditGatedBtn");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    form->OvcNotebook1->SetPageIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 1000.0));
    DialogDriver::Press(*form, "EditProfileBtn");
    gatedRow();
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableEndSta->AsFloat(), 1300.0);
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableEndElev->AsFloat(), 32.0);
}

} // namespace

namespace {

// The first profile entry cancelled: the profile page has no node and draws
// no empty chart for one, and Add Node offers the entry again.
TEST_F(GravityJourneys, CancelledFirstEntryIsOfferedAgainByAddNode)
{
    newJob();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Escape); });
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 0);
    form->OvcNotebook1->setCurrentIndex(1);   // the tab clicked
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_FALSE(form->DBChart1->isVisible());
    EXPECT_EQ(form->PointSeries1->Count(), 0);
    ASSERT_TRUE(form->AddNodeBtn->isVisible());

    driver.ClearLog();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        testsupport::WriteEnteredProfile(testsupport::GravityLine(), 30.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "AddNodeBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TProfEntryDlg"});
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_TRUE(form->DBChart1->isVisible());
    EXPECT_EQ(form->PointSeries1->Count(), 3);
    EXPECT_FALSE(form->AddNodeBtn->isVisible());
}

// Twice cancelled, the entry leaves the job alive; then every command of the
// window, each pressed with the job's tables closed as a cancelled dialog may
// leave them, opens what it reads: no raw table error reaches the user.
TEST_F(GravityJourneys, CommandsStayAliveWhenACancelledDialogLeftTheTablesClosed)
{
    newJob();
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Escape); });
    DialogDriver::Press(*form, "OKBitBtn2");
    form->OvcNotebook1->setCurrentIndex(1);
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) { PressKey(f, Qt::Key_Escape); });
    DialogDriver::Press(*form, "AddNodeBtn");
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        testsupport::WriteEnteredProfile(testsupport::GravityLine(), 30.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);

    auto press = [this](const char* button) { return [this, button] { DialogDriver::Press(*form, button); }; };
    auto turnTo = [this](int page) { return [this, page] { form->OvcNotebook1->setCurrentIndex(page); }; };
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"Edit Node", press("EditProfileBtn")},
        {"Insert Node", press("InsertNodeSpdBtn")},
        {"Job tab", turnTo(0)},
        {"job page OK", press("OKBitBtn2")},
        {"profile page OK", press("OKBitBtn3")},
        {"Output tab", turnTo(2)},
        {"Detailed report", press("QRDetailedSpdBtn")},
        {"Summary report", press("QRSummarySpdBtn")},
        {"Cost report", press("QRCostSpdBtn")},
        {"Graph report", press("QRGraphBitBtn")},
        {"Job tab", turnTo(0)},
        {"flow typed",
         [this] {
             DialogDriver::Type(*form, "FlowDBNF", "350");
             DialogDriver::Focus(*form, "WSDBNF");
         }},
        {"Save Job", press("SaveJobBtn")},
        {"List of Jobs", [this] { form->ListofJobs1->trigger(); }},
        {"Delete Job", [this] { form->MaintainJobDatabase1->trigger(); }},
        {"Delete Node", [this] { form->OvcNotebook1->setCurrentIndex(1); DialogDriver::Press(*form, "DeleteNodeBtn"); }},
        {"Previous Job", press("PrevJobBtn")},
        {"New Job", press("NewJobBtn")},
        {"Cancel Job", press("CancelJobBitBtn")},
    };
    for (const auto& [name, run] : commands) {
        JobTrans->CloseAllTables();
        driver.ClearLog();
        run();
        for (const QString& text : driver.MessageTexts())
            EXPECT_FALSE(text.contains("closed")) << name << ": " << text.toStdString();
    }
}

} // namespace
