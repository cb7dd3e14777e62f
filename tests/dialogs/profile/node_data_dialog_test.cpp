// The node data dialog on a working profile: the first node of a new job,
// station edits that re-sort the profile, the invert methods, end nodes,
// lateral flows and the outcome flags.
#include "support/profiledlg_fixture.h"

#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "platform/ui/statusbar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class BasicNodeDlgTest : public ProfileDialogTest {
protected:
    void SetUp() override
    {
        ProfileDialogTest::SetUp();
        Tul->NewJob = false;
        Tul->NewNode = false;
        Tul->EditingNode = true;
    }

    void AddProfile()
    {
        AddNode({{"Station", 0}, {"RecordNo", 1}, {"GroundElev", 120}, {"NodeType", 0},
                 {"NodeTypeDesc", "Pipe entrance (any type)"}, {"InvElMethod", 1},
                 {"InvElMethDesc", "Enter invert elevation directly"}, {"PipeQ", 500}, {"DiaIn", 10.0},
                 {"WallThick", 0.4}});
        AddNode({{"Station", 500}, {"RecordNo", 2}, {"GroundElev", 110}, {"NodeType", 1},
                 {"NodeTypeDesc", "In line (normal)"}, {"InvElMethod", 1},
                 {"InvElMethDesc", "Enter invert elevation directly"}, {"PipeQ", 500}, {"DiaIn", 8.0},
                 {"WallThick", 0.3}, {"PipeLength", 500}});
        AddNode({{"Station", 900}, {"RecordNo", 3}, {"GroundElev", 100}, {"NodeType", 4},
                 {"NodeTypeDesc", "End of line (normal)"}, {"InvElMethod", 1},
                 {"InvElMethDesc", "Enter invert elevation directly"}, {"PipeQ", 500}, {"PipeLength", 400}});
    }

    QStringList status;
    void Run(DialogDriver::FormAction action)
    {
        driver.OnceForm("TBasicNodeDlg", [this, action](ui::Form& f) {
            auto* sb = f.Control<ui::StatusBar>("StatusBar1");
            status = {sb->PanelText(0), sb->PanelText(1)};
            action(f);
        });
        TBasicNodeDlg dlg(nullptr);
        dlg.ShowModal();
    }
};

TEST_F(BasicNodeDlgTest, FirstNodeOfANewJobIsTheEntranceAtStationZero)
{
    job.SetHeader({{"PumpType", "AUTOPUMP"}});
    AddNode({{"RecordNo", 1}});
    Tul->NewJob = true;
    Tul->NewNode = true;
    Tul->EditingNode = false;
    Tul->NewStation = 0;
    ASSERT_TRUE(Tul->LocateProfStation());
    Run([](ui::Form& f) {
        DialogDriver::Type(f, "GrondElDBNF", "98");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(status[0], "New first node");
    EXPECT_DOUBLE_EQ(NumAt(0, "Station"), 0.0);
    EXPECT_EQ(NumAt(0, "NodeType"), 0);
    EXPECT_EQ(TextAt(0, "NodeTypeDesc"), "Pipe entrance (any type)");
    EXPECT_EQ(NumAt(0, "RecordNo"), 1);
    EXPECT_DOUBLE_EQ(NumAt(0, "PipeQ"), 500.0);
    EXPECT_DOUBLE_EQ(NumAt(0, "InQ"), 0.0);
    EXPECT_EQ(NumAt(0, "InvElMethod"), 1);
    EXPECT_EQ(TextAt(0, "InvElMethDesc"), "Enter invert elevation directly");
    EXPECT_EQ(TextAt(0, "PipeType"), "PE SDR (SIDR)");   // the pressure pipe type of the defaults
    EXPECT_EQ(TextAt(0, "Soil"), "Medium clay - can be spaded");
    EXPECT_DOUBLE_EQ(NumAt(0, "ThBlkSoil"), 2000.0);
    EXPECT_DOUBLE_EQ(NumAt(0, "PipeLength"), 0.0);
    EXPECT_EQ(Header("NumNodes").toInt(), 1);
    EXPECT_FALSE(Tul->WasCancelled);
}

TEST_F(BasicNodeDlgTest, EditedStationResortsTheProfile)
{
    AddProfile();
    GoTo(500);
    Run([](ui::Form& f) {
        DialogDriver::Type(f, "StationNF", "1234");
        DialogDriver::Focus(f, "GrondElDBNF");
        EXPECT_EQ(static_cast<TBasicNodeDlg&>(f).StatusBar1->PanelText(1), "Station = 12+34");
        EXPECT_DOUBLE_EQ(Tul->NewStation, 1234.0);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(status[0], "Edit node");
    EXPECT_EQ(NumAt(900, "RecordNo"), 2);
    EXPECT_EQ(NumAt(1234, "RecordNo"), 3);
    EXPECT_DOUBLE_EQ(NumAt(1234, "PipeLength"), 334.0);
    EXPECT_DOUBLE_EQ(NumAt(1234, "GroundElev"), 110.0);
}

TEST_F(BasicNodeDlgTest, StationOfAnotherNodeIsRefused)
{
    AddProfile();
    GoTo(500);
    Run([](ui::Form& f) {
        DialogDriver::Type(f, "StationNF", "900");
        DialogDriver::Focus(f, "GrondElDBNF");
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableStation->AsFloat(), 500.0);
        DialogDriver::Type(f, "GrondElDBNF", "97");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Station 9+00 is already in the profile."});
    EXPECT_DOUBLE_EQ(NumAt(500, "GroundElev"), 97.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "GroundElev"), 100.0);
    EXPECT_EQ(NumAt(900, "RecordNo"), 3);
}

TEST_F(BasicNodeDlgTest, NegativeValuesCannotBeTyped)
{
    AddProfile();
    GoTo(500);
    Run([](ui::Form& f) {
        for (const char* field : {"StationNF", "GrondElDBNF", "OutflowDBNF", "InflowDBNF"}) {
            auto* e = f.Control<QLineEdit>(field);
            const QString before = e->text();
            DialogDriver::Type(f, field, "-5");
            EXPECT_EQ(e->text(), before) << field;
        }
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(500, "GroundElev"), 110.0);
    EXPECT_TRUE(driver.Messages().empty());
}

TEST_F(BasicNodeDlgTest, LateralOutflowIsCarriedDownTheProfile)
{
    AddProfile();
    GoTo(500);
    Run([](ui::Form& f) {
        EXPECT_TRUE(f.Control<QGroupBox>("InOutFlowGpBox")->isEnabled());
        DialogDriver::Type(f, "OutflowDBNF", "100");
        DialogDriver::Focus(f, "InflowDBNF");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(0, "PipeQ"), 500.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeQ"), 400.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "PipeQ"), 400.0);
}

TEST_F(BasicNodeDlgTest, GatedEndUsesTheUpstreamPipeAndSetsTheOutlet)
{
    AddProfile();
    GoTo(900);
    DMod->WorkProfTableNodeType->SetAsInteger(5);
    DMod->WorkProfTableNodeTypeDesc->SetAsString("End of line, start gated pipe");
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    DMod->WorkProfTableInvElMethDesc->SetAsString("Give depth to top of pipe (pipe cover)");
    DMod->WorkProfTablePipeDepth->SetAsFloat(30);
    DMod->WorkProfTableDiaIn->SetAsFloat(6);
    DMod->WorkProfTableWallThick->SetAsFloat(0.2);
    DMod->WorkProfTableInvertElev->SetAsFloat(96);
    Tul->DiaIn = Tul->WallThick = 0;   // a job just loaded: no node read yet
    Run([](ui::Form& f) {
        EXPECT_DOUBLE_EQ(DMod->WorkProfTableInvertElev->AsFloat(), 96);   // as stored
        EXPECT_TRUE(f.Control<QPushButton>("EditGatedBtn")->isEnabled());
        EXPECT_TRUE(CaptionActive(f.Control<QGroupBox>("GatedGpBox")));
        EXPECT_FALSE(CaptionActive(f.Control<QGroupBox>("TrickleGpBox")));
        EXPECT_FALSE(f.Control<QPushButton>("TrickleEditBtn")->isEnabled());
        EXPECT_FALSE(f.Control<QGroupBox>("InOutFlowGpBox")->isEnabled());
        DialogDriver::Press(f, "EditGatedBtn");
        Tul->DiaIn = 0;   // the job object's copy is whatever was read last
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TBasicNodeDlg", "TGatedPipeDlg"}));
    EXPECT_EQ(Tul->SysHas, 1);
    // 100 - (30 + 0.3 + 8) / 12 with the 8 in reach arriving from station 500.
    EXPECT_DOUBLE_EQ(NumAt(900, "InvertElev"), 96.81);
    EXPECT_DOUBLE_EQ(Header("OutletElev").toDouble(), 100.0);
}

TEST_F(BasicNodeDlgTest, EndOfLineChoiceClearsNoEnd)
{
    AddProfile();
    job.SetHeader({{"NoEnd", true}});
    GoTo(900);
    DMod->WorkProfTableNodeType->SetAsInteger(1);
    DMod->WorkProfTableNodeTypeDesc->SetAsString("In line (normal)");
    Run([](ui::Form& f) {
        DialogDriver::Choose(f, "NodeComboBox", "End of line (normal)");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_FALSE(Header("NoEnd").toBool());
    EXPECT_EQ(NumAt(900, "NodeType"), 4);
    EXPECT_EQ(TextAt(900, "ReachType"), "GRAVEND");
    EXPECT_TRUE(Tul->EndNodeChosen);
}

// The gravity designer has no in-line booster pumps: its list offers the six
// other kinds, each still written with its own code, and there is no booster
// group, also on a booster node brought in by an import.
TEST_F(BasicNodeDlgTest, GravityDesignerOffersNoBooster)
{
    AddProfile();
    const QStringList gravityKinds = {"Pipe entrance (any type)",      "In line (normal)",
                                      "In line w/pressure reducer",    "End of line (normal)",
                                      "End of line, start gated pipe", "End of line, start manifold segment"};
    auto items = [](ui::Form& f) {
        QStringList out;
        auto* combo = f.Control<QComboBox>("NodeComboBox");
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    };
    {
        QStringList mersolKinds;
        bool boosterGroup = false;
        GoTo(500);
        Run([&](ui::Form& f) {
            mersolKinds = items(f);
            boosterGroup = f.findChild<QGroupBox*>("LineBoosterGpBox") != nullptr;
            DialogDriver::Press(f, "CancelBitBtn2");
        });
        EXPECT_EQ(mersolKinds.size(), 7);
        EXPECT_EQ(mersolKinds.value(2), "In line w/booster pump");
        EXPECT_TRUE(boosterGroup);
    }

    testsupport::RunningAs gravity(Program::Dunstrow);
    QStringList shown;
    bool boosterGroup = true;
    GoTo(500);
    Run([&](ui::Form& f) {
        shown = items(f);
        boosterGroup = f.findChild<QGroupBox*>("LineBoosterGpBox") || f.findChild<QPushButton*>("EditBtnLineBooster");
        DialogDriver::Choose(f, "NodeComboBox", "In line w/pressure reducer");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(shown, gravityKinds);
    EXPECT_FALSE(boosterGroup);
    EXPECT_EQ(NumAt(500, "NodeType"), 3);

    GoTo(500);
    DMod->WorkProfTableNodeType->SetAsInteger(2);
    DMod->WorkProfTableNodeTypeDesc->SetAsString("In line w/booster pump");
    DMod->WorkProfTable->Post();
    GoTo(500);
    driver.ClearLog();
    Run([](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
    EXPECT_EQ(driver.FormsShown(), QStringList{"TBasicNodeDlg"});
    EXPECT_EQ(NumAt(500, "NodeType"), 2);
}

// Leaving the kind box of a booster job's node keeps its set pressure unless
// a booster is made another kind.
TEST_F(BasicNodeDlgTest, KindLeftUnchangedKeepsTheSetPressure)
{
    AddProfile();
    auto setNode = [this](int type, const char* text, double psi) {
        GoTo(500);
        DMod->WorkProfTableNodeType->SetAsInteger(type);
        DMod->WorkProfTableNodeTypeDesc->SetAsString(text);
        DMod->WorkProfTablePsiSet->SetAsFloat(psi);
        DMod->WorkProfTable->Post();
        GoTo(500);
    };
    auto leaveKind = [this](const char* kind) {
        Tul->PumpTypeCode = 8;
        Run([kind](ui::Form& f) {
            DialogDriver::Choose(f, "NodeComboBox", kind);
            DialogDriver::Focus(f, "OKBitBtn1");
            DialogDriver::Press(f, "OKBitBtn1");
        });
    };
    setNode(2, "In line w/booster pump", -1);
    leaveKind("In line w/booster pump");
    EXPECT_DOUBLE_EQ(NumAt(500, "PsiSet"), -1);
    setNode(3, "In line w/pressure reducer", 20);
    leaveKind("In line w/pressure reducer");
    EXPECT_DOUBLE_EQ(NumAt(500, "PsiSet"), 20);
    setNode(2, "In line w/booster pump", -1);
    leaveKind("In line (normal)");
    EXPECT_DOUBLE_EQ(NumAt(500, "PsiSet"), 0);
}

TEST_F(BasicNodeDlgTest, EndKindsAreRefusedAtANodeInMidProfile)
{
    AddProfile();
    const double outlet = Header("OutletElev").toDouble();
    for (const QString kind : {"End of line (normal)", "End of line, start gated pipe",
                               "End of line, start manifold segment"}) {
        driver.ClearLog();
        GoTo(500);
        Run([kind](ui::Form& f) {
            DialogDriver::Choose(f, "NodeComboBox", kind);
            DialogDriver::Focus(f, "OKBitBtn1");
            EXPECT_EQ(f.Control<QComboBox>("NodeComboBox")->currentText(), "In line (normal)");
            DialogDriver::Press(f, "OKBitBtn1");
        });
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Only the last node of the profile can be an end node."})
            << kind.toStdString();
        EXPECT_EQ(NumAt(500, "NodeType"), 1);
        EXPECT_EQ(TextAt(500, "NodeTypeDesc"), "In line (normal)");
        EXPECT_FALSE(Tul->EndNodeChosen);
        EXPECT_EQ(Tul->SysHas, 0);
        EXPECT_DOUBLE_EQ(Header("OutletElev").toDouble(), outlet);
    }
}

TEST_F(BasicNodeDlgTest, GroundLevelMethodPutsTheInvertAtTheGround)
{
    AddProfile();
    GoTo(500);
    DMod->WorkProfTableInvertElev->SetAsFloat(105);
    DMod->WorkProfTablePipeDepth->SetAsFloat(40);
    driver.OnForm("TInvertIndlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBtn"); });
    Run([](ui::Form& f) {
        DialogDriver::Choose(f, "InvMethComboBox", "Set invert at ground level");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(NumAt(500, "InvElMethod"), 2);
    EXPECT_EQ(TextAt(500, "InvElMethDesc"), "Set invert at ground level");
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 110.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeDepth"), 0.0);
    // Entering the list while it showed the invert method opened the invert
    // dialog; choosing ground level opened nothing more.
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TBasicNodeDlg", "TInvertIndlg"}));
}

TEST_F(BasicNodeDlgTest, ClosingWhileTheListShowsGroundLevelStoresThatMethod)
{
    AddProfile();
    GoTo(500);
    driver.OnForm("TInvertIndlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBtn"); });
    Run([](ui::Form& f) {
        DialogDriver::Choose(f, "InvMethComboBox", "Set invert at ground level");
        EXPECT_EQ(DMod->WorkProfTableInvElMethod->AsInteger(), 1);   // not left yet
        DialogDriver::CloseBox(f);
    });
    EXPECT_EQ(NumAt(500, "InvElMethod"), 2);
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 110.0);
}

TEST_F(BasicNodeDlgTest, TabbingIntoTheMethodListOpensItsDialog)
{
    AddProfile();
    GoTo(500);
    DMod->WorkProfTableInvElMethDesc->SetAsString("Give depth to top of pipe (pipe cover)");
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "36");
        DialogDriver::Press(f, "OKBtn");
    });
    Run([](ui::Form& f) {
        DialogDriver::Focus(f, "InvMethComboBox");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TBasicNodeDlg", "TDepthInDlg"}));
    // 110 - (36 + 0.3 + 8) / 12 = 106.308: what the depth dialog showed is
    // what OK keeps.
    EXPECT_DOUBLE_EQ(NumAt(500, "InvertElev"), 106.31);
}

TEST_F(BasicNodeDlgTest, DepthTypedForANewNodeSurvivesLeavingTheList)
{
    // Adding a node after one laid at 30 in: the depth dialog offers 30, the
    // user types 40, and leaving the list must not put 30 back.
    AddProfile();
    GoTo(900);
    DMod->WorkProfTableInvElMethDesc->SetAsString("Give depth to top of pipe (pipe cover)");
    DMod->WorkProfTableInvElMethod->SetAsInteger(0);
    DMod->WorkProfTableDiaIn->SetAsFloat(8.0);
    DMod->WorkProfTableWallThick->SetAsFloat(0.3);
    Tul->EditingNode = false;
    Tul->AddingNode = true;
    Tul->NewNode = true;
    Tul->InvElMethod = 0;
    Tul->PipeDepth = 30;
    driver.OnceForm("TDepthInDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "40");
        DialogDriver::Press(f, "OKBtn");
    });
    Run([](ui::Form& f) {
        DialogDriver::Focus(f, "InvMethComboBox");
        DialogDriver::Enter(f);   // leaves the list
        EXPECT_DOUBLE_EQ(DMod->WorkProfTablePipeDepth->AsFloat(), 40.0);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    EXPECT_DOUBLE_EQ(NumAt(900, "PipeDepth"), 40.0);
    EXPECT_DOUBLE_EQ(NumAt(900, "InvertElev"), 95.98);   // 100 - (40 + 0.3 + 8) / 12 = 95.975
}

TEST_F(BasicNodeDlgTest, CancelMarksTheDialogCancelled)
{
    AddProfile();
    GoTo(500);
    Run([](ui::Form& f) { DialogDriver::Escape(f); });
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_TRUE(Tul->NewNode);
    EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Edit);
}

TEST_F(BasicNodeDlgTest, EditingTheEntranceKeepsItsReachLengthZero)
{
    AddProfile();
    Tul->Station = 500;   // left by an earlier node
    GoTo(0);
    Run([](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
    EXPECT_DOUBLE_EQ(NumAt(0, "PipeLength"), 0.0);
    EXPECT_DOUBLE_EQ(NumAt(500, "PipeLength"), 500.0);
}

} // namespace
