// The reference editors as a user drives them from the main window: typed
// keys add, change and delete rows, a filter and a sort are tried, an edit is
// cancelled and the editor is closed; then the job's own dialogs (the pipe
// selection, the minor-loss choice, the cost estimate) show what was done.
#include "support/jobwindow.h"
#include "support/workprofile.h"

#include "designer/report_commands.h"
#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/profile/reach_dialog.h"
#include "platform/report/preview.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <initializer_list>
#include <utility>

using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

const QString kRecorded = QStringLiteral("PVC SDR 21, 6 in, 200 psi");   // ID 5.995 in

class EditorJourneys : public testsupport::JobWindowTest {
protected:
    void SetUp() override
    {
        JobWindowTest::SetUp();
        form->OvcNotebook1->setEnabled(true);
        // Entrance, an in-line node at 5+00 and the end at 10+00: 500 gpm
        // in the recorded 6 in PVC pipe, as the pipe selection left it.
        std::vector<WorkNode> nodes = testsupport::GravityLine();
        for (WorkNode& n : nodes) {
            n.pipeType = QStringLiteral("PVC SDR");
            n.pipeDescription = kRecorded;
            n.diaIn = 5.995;
            n.nfac = 0.009;
            n.efac = 0.000005;
        }
        testsupport::WriteWorkJob(WorkHeader{}, nodes);
        db::Table* header = DMod->WorkPipeTable;
        header->Edit();
        DMod->WorkPipeTableDesignFlow->SetAsFloat(500);
        header->Post();
        Tul->BuildStationList();
        Tul->SaveState = 2;
        oldHook = report::SetPreviewHook([](report::Document&, QWidget*) {});
    }
    void TearDown() override
    {
        report::SetPreviewHook(oldHook);
        JobWindowTest::TearDown();
    }

    // The form becomes the window the user types in.
    static void Activate(ui::Form& f)
    {
        f.activateWindow();
        if (!f.isActiveWindow())
            QApplication::setActiveWindow(&f);   // a dialog over a dialog, on the screenless platform
        ASSERT_TRUE(f.isActiveWindow());
    }
    // Focus to the control, then the keys as typed, each to whatever has
    // the focus (a grid hands the keys after the first to its cell editor).
    static void Keys(ui::Form& f, const char* control, const QString& text)
    {
        Activate(f);
        f.SetFocus(f.Control<QWidget>(QString::fromLatin1(control)));
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void Key(ui::Form& f, Qt::Key key)
    {
        Activate(f);
        QTest::keyClick(QApplication::focusWidget(), key);
    }
    // Each field typed in turn with Enter after it, as the user goes down the form.
    static void Fill(ui::Form& f, std::initializer_list<std::pair<const char*, const char*>> fields)
    {
        for (const auto& [control, text] : fields) {
            Keys(f, control, QString::fromLatin1(text));
            Key(f, Qt::Key_Return);
        }
    }
    static QStringList Column(ui::Form& f, const char* grid, int column = 0)
    {
        QStringList out;
        ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>(QString::fromLatin1(grid)));
        for (int r = 0; r < g->RowCount(); ++r)
            out << g->CellText(r, column);
        return out;
    }
    static ui::DBNavigator* Navigator(ui::Form& f)
    {
        return f.findChild<ui::DBNavigator*>(QStringLiteral("DBNavigator1"));
    }

    // Edit Node at 5+00, OK in the node dialog, then `inReach` in the reach dialog.
    void ReachDialog(const std::function<void(ui::Form&)>& inReach)
    {
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 500.0));
        driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn1"); });
        driver.OnceForm("TProfInDlg", [&](ui::Form& f) {
            inReach(f);
            DialogDriver::Press(f, "CancelBitBtn");
        });
        form->EditNodeSpdBtnClick();
    }
    // The pipe selection of the reach at 5+00: `inPicker` looks at it, Cancel leaves it.
    void PipeSelection(const std::function<void(ui::Form&)>& inPicker)
    {
        ReachDialog([&](ui::Form& reach) {
            driver.OnceForm("TGetPipeDlg", [&](ui::Form& p) {
                inPicker(p);
                DialogDriver::Press(p, "CancelBitBtn2");
            });
            DialogDriver::Press(reach, "PipeRchSpdBtn");
        });
        EXPECT_TRUE(driver.Unanswered().isEmpty()) << driver.Unanswered().join(",").toStdString();
    }

    report::PreviewHook oldHook;
};

// Six inch pipes in the shipped list: 14; one added, one deleted.
TEST_F(EditorJourneys, PipeDataEditorAddChangeDeleteFilterSortCancelCloseThenThePipeSelection)
{
    driver.OnceForm("TPipeDataForm", [this](ui::Form& f) {
        auto& e = static_cast<TPipeDataForm&>(f);
        db::Table* t = DMod->PipeTable;
        DialogDriver::Press(f, "HandleEditBtn");

        // Add: the material first, then the fields in their order by Enter.
        DialogDriver::Press(f, "InsertBtn");
        DialogDriver::Choose(f, "DBLookupComboBox1", QStringLiteral("PVC SDR"));
        Key(f, Qt::Key_Return);
        EXPECT_EQ(f.ActiveControl(), static_cast<QWidget*>(e.PipeDescriptionEdit));
        Keys(f, "PipeDescriptionEdit", QStringLiteral("PVC SDR 24, 6 in, 180 psi"));
        Fill(f, {{"OvcDbSimpleFieldND", "6"}, {"PressRtngNF", "180"}, {"WallThickNF", "0.276"}, {"IDNF", "6.073"}});
        DialogDriver::Press(f, "HandleEditBtn");   // Stop Edit stores it
        EXPECT_EQ(t->State(), db::DataSetState::Browse);
        EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();

        // Filter to six inches, sorted by material.
        driver.OnceForm("TFilterDiameterDlg", [](ui::Form& d) {
            Keys(d, "LowNF", QStringLiteral("6"));
            Keys(d, "HighNF", QStringLiteral("6"));
            DialogDriver::Press(d, "OKBtn");
        });
        e.NominalDiameterRange->trigger();
        e.Sortbymaterialtype1->trigger();
        const QStringList six = Column(f, "DBGrid1");
        EXPECT_EQ(six.size(), 15);
        EXPECT_TRUE(six.first().startsWith(QStringLiteral("Aluminum")));
        EXPECT_TRUE(six.contains(QStringLiteral("PVC SDR 24, 6 in, 180 psi")));

        // Change a rating, delete a pipe, and cancel a change.
        DialogDriver::Press(f, "HandleEditBtn");
        ASSERT_TRUE(t->Locate(QStringLiteral("Pipe Description"), QStringLiteral("PVC SDR 26, 6 in, 160 psi")));
        Keys(f, "PressRtngNF", QStringLiteral("150"));
        Key(f, Qt::Key_Return);
        ASSERT_TRUE(t->Locate(QStringLiteral("Pipe Description"), QStringLiteral("PVC SDR 41, 6 in, 100 psi")));
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBtn");
        ASSERT_TRUE(t->Locate(QStringLiteral("Pipe Description"), QStringLiteral("PVC SDR 32.5, 6 in, 125 psi")));
        t->Edit();
        Keys(f, "RatingNF", QStringLiteral("99"));
        DialogDriver::Press(f, "CancelBtn");
        EXPECT_EQ(Column(f, "DBGrid1").size(), 14);
        DialogDriver::Press(f, "CloseButton");
    });
    form->PipeMaterialDatabase1->trigger();
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Delete?")});

    driver.ClearLog();
    PipeSelection([](ui::Form& p) {
        const QStringList listed = Column(p, "PipeDescriptionGrid");
        EXPECT_TRUE(listed.contains(QStringLiteral("PVC SDR 24, 6 in, 180 psi")));
        EXPECT_FALSE(listed.contains(QStringLiteral("PVC SDR 41, 6 in, 100 psi")));
        const int changed = listed.indexOf(QStringLiteral("PVC SDR 26, 6 in, 160 psi"));
        ASSERT_GE(changed, 0);
        EXPECT_EQ(ui::DBGrid::Of(p.Control<QTableView>(QStringLiteral("PipeDescriptionGrid")))->CellText(changed, 4),
                  QStringLiteral("150"));
        const int kept = listed.indexOf(QStringLiteral("PVC SDR 32.5, 6 in, 125 psi"));
        ASSERT_GE(kept, 0);
        DMod->PipeTable->Locate(QStringLiteral("Pipe Description"), QStringLiteral("PVC SDR 32.5, 6 in, 125 psi"));
        EXPECT_DOUBLE_EQ(DMod->PipeTableRating->AsFloat(), 32.5);
    });
}

// Hazen-Williams per 100 ft of the recorded pipe at 500 gpm:
// 10.4057 x 100 x (500/C)^1.85185 / 5.995^4.87037 = 1.58 ft for C 150, 1.79 ft for C 140.
TEST_F(EditorJourneys, PipeTypeEditorAddChangeDeleteCancelCloseThenThePipeSelection)
{
    PipeSelection([](ui::Form& p) {
        const int at = Column(p, "PipeDescriptionGrid").indexOf(kRecorded);
        ASSERT_GE(at, 0);
        EXPECT_EQ(Column(p, "PipeDescriptionGrid", 3)[at], QStringLiteral("1.58"));
    });
    driver.OnceForm("TPipeTypeForm", [this](ui::Form& f) {
        db::Table* t = DMod->TypeTable;
        // Add a material: its name in the list, then its factors.
        Navigator(f)->Press(ui::nbInsert);
        Keys(f, "DBGrid1", QStringLiteral("PVC Gasketed"));
        Key(f, Qt::Key_Return);
        Fill(f, {{"CfactorNF", "145"}, {"NfactorNF", "0.009"}, {"EfactorNF", "0.000005"}, {"EModulusNF", "400000"}});
        Navigator(f)->Press(ui::nbPost);
        EXPECT_EQ(t->State(), db::DataSetState::Browse);

        // Change the C of the job's material: the job takes it, and is named.
        ASSERT_TRUE(t->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        Keys(f, "CfactorNF", QStringLiteral("140"));
        Navigator(f)->Press(ui::nbPost);
        EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("The new friction factors of the pipe type "
                                                                    "\"PVC SDR\" were copied into the job being "
                                                                    "worked on.")});

        // Add and delete a material nothing uses; cancel a change of another.
        Navigator(f)->Press(ui::nbInsert);
        Keys(f, "DBGrid1", QStringLiteral("Clay"));
        Key(f, Qt::Key_Return);
        Fill(f, {{"CfactorNF", "1"}, {"NfactorNF", "1"}, {"EfactorNF", "1"}});
        Navigator(f)->Press(ui::nbPost);
        driver.Answer(ui::mrOk);
        Navigator(f)->Press(ui::nbDelete);
        ASSERT_TRUE(t->Locate(QStringLiteral("PipeType"), QStringLiteral("Steel Sch")));
        Keys(f, "CfactorNF", QStringLiteral("99"));
        Navigator(f)->Press(ui::nbCancel);
        EXPECT_DOUBLE_EQ(DMod->TypeTableCfactor->AsFloat(), 120.0);
        DialogDriver::Press(f, "BitBtn1");
    });
    form->PipeTypeDatabase1->trigger();
    EXPECT_EQ(driver.MessageTexts().size(), 2);   // the jobs told, the delete asked
    EXPECT_DOUBLE_EQ(ProfValue(1, "Cfac"), 140.0);

    driver.ClearLog();
    PipeSelection([](ui::Form& p) {
        auto* types = p.Control<QComboBox>(QStringLiteral("PTypeDBLookupComboBox"));
        EXPECT_GE(types->findText(QStringLiteral("PVC Gasketed")), 0);
        EXPECT_LT(types->findText(QStringLiteral("Clay")), 0);
        const int at = Column(p, "PipeDescriptionGrid").indexOf(kRecorded);
        ASSERT_GE(at, 0);
        EXPECT_EQ(Column(p, "PipeDescriptionGrid", 3)[at], QStringLiteral("1.79"));
    });

    // With the job closed, what is left of it in the working tables is no
    // job being worked on: the change names nothing, as nothing else uses it.
    form->CancelJobBitBtnClick();
    driver.ClearLog();
    driver.OnceForm("TPipeTypeForm", [](ui::Form& f) {
        ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
        Keys(f, "CfactorNF", QStringLiteral("135"));
        Navigator(f)->Press(ui::nbPost);
        DialogDriver::Press(f, "BitBtn1");
    });
    form->PipeTypeDatabase1->trigger();
    EXPECT_EQ(driver.MessageTexts(), QStringList{});
    EXPECT_DOUBLE_EQ(ProfValue(1, "Cfac"), 135.0);
}

TEST_F(EditorJourneys, MinorLossEditorAddChangeDeleteCancelCloseThenTheNodesLossChoice)
{
    driver.OnceForm("TMinorLossForm", [this](ui::Form& f) {
        db::Table* t = DMod->MinorLossTable;
        Navigator(f)->Press(ui::nbInsert);
        Keys(f, "DBGrid1", QStringLiteral("Strainer, Y pattern"));
        Key(f, Qt::Key_Return);
        DialogDriver::Choose(f, "KFlagRadioGroup", QStringLiteral("In line valve (Gate valve, butterfly valve, etc)"));
        Keys(f, "K6DBEdit", QStringLiteral("2.1"));
        Key(f, Qt::Key_Return);
        // A minus sign is refused with a tip, and so is what follows it until
        // the entry is corrected: it never becomes another number.
        Keys(f, "K8DBEdit", QStringLiteral("-1.9"));
        EXPECT_EQ(f.Control<QLineEdit>(QStringLiteral("K8DBEdit"))->text(), QString());
        EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("this field takes a number from 0")));
        Key(f, Qt::Key_Backspace);
        Keys(f, "K8DBEdit", QStringLiteral("1.9"));
        Navigator(f)->Press(ui::nbPost);

        ASSERT_TRUE(t->Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Gate valve, fully open")));
        Keys(f, "K6DBEdit", QStringLiteral("0.15"));
        Navigator(f)->Press(ui::nbPost);
        ASSERT_TRUE(t->Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Check valve, lift")));
        driver.Answer(ui::mrOk);
        Navigator(f)->Press(ui::nbDelete);
        ASSERT_TRUE(t->Locate(QStringLiteral("Loss Item Description"), QStringLiteral("Ball valve, fully open")));
        Keys(f, "K6DBEdit", QStringLiteral("9"));
        Navigator(f)->Press(ui::nbCancel);
        DialogDriver::Press(f, "BitBtn1");
    });
    form->MinorLossDatabase1->trigger();
    EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Delete record?")});

    QStringList listed;
    ReachDialog([&](ui::Form& reach) {
        driver.OnceForm("TGetKMDlg", [&](ui::Form& k) {
            listed = Column(k, "DBGrid1");
            DialogDriver::Press(k, "CancelBitBtn2");
        });
        static_cast<TProfInDlg&>(reach).Loss1SpdBtnClick();
    });
    EXPECT_TRUE(listed.contains(QStringLiteral("Strainer, Y pattern")));
    EXPECT_FALSE(listed.contains(QStringLiteral("Check valve, lift")));
    DMod->MinorLossTable->Open();
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"),
                                             QStringLiteral("Strainer, Y pattern")));
    EXPECT_EQ(DMod->MinorLossTableKFlag->AsString(), QStringLiteral("LineValve"));
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK6->AsFloat(), 2.1);
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK8->AsFloat(), 1.9);
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"),
                                             QStringLiteral("Gate valve, fully open")));
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK6->AsFloat(), 0.15);
    ASSERT_TRUE(DMod->MinorLossTable->Locate(QStringLiteral("Loss Item Description"),
                                             QStringLiteral("Ball valve, fully open")));
    EXPECT_DOUBLE_EQ(DMod->MinorLossTableK6->AsFloat(), 0.045);
    DMod->MinorLossTable->Close();
}

// The cost per foot of the recorded pipe is its weight, 3.792 lb/ft, times the
// price of PVC SDR: 3.792 x 1.10 = 4.1712 at the shipped price, 3.792 x 1.75
// = 6.636 once the new price is kept (no trench: the pipes have no depth).
TEST_F(EditorJourneys, UnitCostEditorCancelThenCloseThenTheCostEstimate)
{
    for (int row = 0; row < 3; ++row)
        testsupport::SetProfField(row, "WtPerFt", 3.792);
    auto price = [this](const char* button) {
        driver.Answer(ui::mrYes);
        driver.OnceForm("TUnitCostInFrm", [this, button](ui::Form& f) {
            ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("PVC SDR")));
            Keys(f, "OvcDbNumericField3", QStringLiteral("1.75"));
            Key(f, Qt::Key_Return);
            DialogDriver::Press(f, button);
        });
        QRCostCommand(form);
    };
    price("CancelBitBtn2");
    EXPECT_NEAR(ProfValue(0, "CostFt"), 4.1712, 1e-9);
    price("CloseBitBtn1");
    EXPECT_NEAR(ProfValue(0, "CostFt"), 6.636, 1e-9);
    EXPECT_TRUE(driver.Unanswered().isEmpty()) << driver.Unanswered().join(",").toStdString();
}

} // namespace
