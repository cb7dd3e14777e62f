// Mersol worked as a user works it, by keys and clicks, from New Job through
// the system dialog and the initial profile entry to the output page: every
// result comes from what was entered, or the run is refused with a reason.
#include "support/jobwindow.h"
#include "support/journey.h"
#include "support/workprofile.h"

#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using testsupport::FocusedName;
using testsupport::PipeText;
using testsupport::PipeValue;
using testsupport::PressKey;
using testsupport::ProfText;
using testsupport::ProfValue;
using testsupport::Tab;
using testsupport::TypeAndTab;
using testsupport::TypeKeys;

namespace {

class MersolJourneys : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        setDefaults({{"PumpEff", 75.0}, {"ClearHead", 0.0}, {"ColumnLoss", 0.0}, {"TankRange", 20.0},
                     {"SysType", "Pumped system, known flow"}});
        newNamedJob("Smith");
    }
    QString profileFile(const char* text)
    {
        const QString path = workDir.filePath(QStringLiteral("profile.txt"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    void reachesTakeSixInchPvc()
    {
        driver.OnForm("TGetPipeDlg", [](ui::Form& f) { testsupport::PickPipe(f, testsupport::kSixInchPvc); });
        driver.OnForm("TProfInDlg", [](ui::Form& f) {
            DialogDriver::Press(f, "PipeRchSpdBtn");
            DialogDriver::Press(f, "OKBitBtn");
        });
    }
    int page() const { return form->OvcNotebook1->PageIndex(); }
};

// A turbine lifting 300 gpm from water at 100 ft; the profile read from a
// text file (0+00 at 98 ft, 5+00 at 105 ft, the end 10+00 at 120 ft), the
// entrance's invert typed (95 ft) and its reach given 6 in PVC (bore 5.995
// in, wall 0.315 in, C 150), then Tab through the reach to the second row,
// which carries that pipe on, and OK. Both other nodes take the default
// cover of 30 in; worked by hand:
//   inverts 105 - (30 + 0.315 + 5.995) / 12 = 101.97, 120 - 3.02583 = 116.97
//   the end at its ground, 120 ft, wanting no pressure: its grade is 120
//   friction of each 500 ft, 10.4057 x 500 x 2^1.85185 / 5.995^4.87037 = 3.05902 ft
//   grade at 5+00 123.05902; pressures (grade - invert) x 0.43344: 9.14 and 1.31 psi
//   velocity head 0.18054 ft; TDH 120 + 6.11804 + 0.18054 - 100 = 26.30 ft
//   brake horsepower 300 x 26.29858 / (3960 x 0.75) = 2.66, a 3 hp motor
TEST_F(MersolJourneys, TurbineJobReadFromATextFileComputesEveryNodesInvert)
{
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Turbine Pump"); });
    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_FALSE(Tul->WasCancelled);

    driver.AnswerFile(profileFile("0,98\n500,105\n1000,120\n"));
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    reachesTakeSixInchPvc();
    driver.OnceForm("TInvertIndlg", [](ui::Form& f) {
        TypeKeys(f, "95");
        Tab(f);   // in Mersol Tab takes the invert as OK does
    });
    driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
        DialogDriver::Press(f, "TextFileBtn");
        ASSERT_EQ(FocusedName(f), QStringLiteral("NFStation"));
        Tab(f);
        Tab(f);
        Tab(f);   // the entrance's kind, then its invert method asks for the invert
        ASSERT_EQ(FocusedName(f), QStringLiteral("InvComboBox"));
        Tab(f);   // on to the pipe: its reach dialog
        ASSERT_EQ(FocusedName(f), QStringLiteral("SFPipe"));
        Tab(f);   // through the reach to the second row
        ASSERT_EQ(FocusedName(f), QStringLiteral("NFStation"));
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 500.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    ASSERT_EQ(page(), 1) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(ProfValue(0, "InvertElev"), 95.0);
    EXPECT_DOUBLE_EQ(PipeValue("OutletElev"), 120.0);   // the end of an imported profile is its outlet

    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_EQ(page(), 2) << driver.MessageTexts().join('|').toStdString();
    EXPECT_TRUE(form->ResultsShown());
    EXPECT_DOUBLE_EQ(ProfValue(1, "InvertElev"), 101.97);
    EXPECT_DOUBLE_EQ(ProfValue(2, "InvertElev"), 116.97);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 120.0);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 123.06);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 9.14);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 1.31);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 26.30);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 2.66);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("3"));
}

} // namespace

namespace {

// A gravity job of 500 gpm from water at 100 ft, its profile the entrance
// and a node at 5+00 without an end yet, on the profile page.
class MersolEndNodes : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        newNamedJob("Smith");
        driver.OnceForm("TKnownFlowDlg", [](ui::Form& d) {
            DialogDriver::Type(d, "FlowDBNF", "500");
            DialogDriver::Type(d, "OvcDbNumericField2", "100");
            DialogDriver::Press(d, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "SelSystemEditBtn");
        auto nodes = testsupport::GravityLine(1);
        nodes.pop_back();
        driver.OnceForm("TProfEntryDlg", [nodes](ui::Form& f) {
            testsupport::WriteEnteredProfile(nodes, 30.0);
            DialogDriver::Press(f, "OKBtn");
        });
        DialogDriver::Press(*form, "OKBitBtn2");
        ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1);
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
// outlets; quick entry of 0 to 1500 ft every 10 ft counts 151 nodes.
TEST_F(MersolEndNodes, ManifoldEnteredForANewEndStaysWhenItsDialogOpensAgain)
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
        } else {
            DialogDriver::Press(f, "CancelBtn");
        }
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "GrondElDBNF", "33");
        DialogDriver::Choose(f, "NodeComboBox", "End of line, start manifold segment");
        Tab(f);
        DialogDriver::Press(f, "TrickleEditBtn");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    DialogDriver::Press(*form, "AddNodeBtn");
    EXPECT_EQ(nodesSeen, (std::vector<int>{1, 3}));
    EXPECT_EQ(driver.MessageTexts().first(),
              QStringLiteral("Split design, too many nodes. Number of nodes = 151. Maximum = 150"));
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 3);
    EXPECT_EQ(DMod->WorkTrickleTable->RecordCount(), 3);
    EXPECT_DOUBLE_EQ(PipeValue("TriclEntQ"), 30.0);
}

} // namespace
