// A gravity line ending in gated pipe, computed from New Job through the
// dialogs; and the gated-pipe calculator opened from the Tools menu with
// its jobs: new, saved, listed, reloaded, and a name already in use refused.
#include "support/jobwindow.h"
#include "support/journey.h"

#include "designer/designer_form.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/system/known_flow_dialog.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <QApplication>

using testsupport::WorkNode;

namespace {

class GatedJobTest : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        setDefaults({{"GateGpm", 10.0}, {"GateSpace", 30.0}, {"GatedPipeType", "Alum Gated"}});
    }
    static QVariant G(const char* field)
    {
        db::Table* g = DMod->WorkGatedTable;
        if (!g->Active()) g->Open();
        g->CheckBrowseMode();
        g->First();
        return g->FieldByName(QString::fromLatin1(field))->Value();
    }
    // Inside the calculator: the gated pipe typed into its dialog.
    static void enterGatedPipe(ui::Form& f, const char* endSta)
    {
        DialogDriver::Type(f, "EndGatedStaDBNF", QString::fromLatin1(endSta));
        DialogDriver::Focus(f, "EndGatedElDBNF");
        DialogDriver::Press(f, "OKBtn");
    }
    // The pipe the picker would leave in the gated row.
    static void chooseCalculatorPipe()
    {
        db::Table* g = DMod->WorkGatedTable;
        if (g->State() == db::DataSetState::Browse) g->Edit();
        DMod->WorkGatedTableDiaIn->SetAsFloat(8.0);
        DMod->WorkGatedTableCfac->SetAsFloat(150.0);
        DMod->WorkGatedTablePipeDescription->SetAsString("8 in Alum Gated");
        DMod->WorkGatedTablePressureRating->SetAsFloat(80.0);
        g->Post();
        g->Edit();
    }
};

TEST_F(GatedJobTest, GravityLineEndingInGatedPipeComputesEndToEnd)
{
    newNamedJob("Gated Line");
    driver.OnceForm("TKnownFlowDlg", [](ui::Form& f) {
        DialogDriver::Type(f, "FlowDBNF", "500");
        DialogDriver::Type(f, "OvcDbNumericField2", "120");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_EQ(Tul->SysTypeCode, 0);

    // The profile as the node dialogs leave it, its end node starting gated pipe.
    testsupport::WriteWorkProfile(testsupport::GravityLine(5));
    db::Table* pipe = DMod->WorkPipeTable;
    if (pipe->State() == db::DataSetState::Browse) pipe->Edit();
    DMod->WorkPipeTableSysHas->SetAsInteger(1);
    pipe->Post();
    Tul->SysHas = 1;
    Tul->NewNode = false;
    Tul->NewStation = 1000;
    ASSERT_TRUE(Tul->LocateProfStation());

    driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { DialogDriver::Escape(f); });
    driver.OnceForm("TGatedPipeDlg", [](ui::Form& f) { enterGatedPipe(f, "1400"); });
    OpenNodeKindDialogs(form, QStringLiteral("Gated"), true);
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TKnownFlowDlg", "TGetPipeDlg", "TGatedPipeDlg"}));
    EXPECT_DOUBLE_EQ(G("StartSta").toDouble(), 1000);
    EXPECT_DOUBLE_EQ(G("GateFlow").toDouble(), 10);

    // The pipe pick was escaped: the gated pipe has the end node's bore but
    // no friction factor, and is refused rather than given no friction.
    driver.ClearLog();
    form->OvcNotebook1->setEnabled(true);
    form->OvcNotebook1->SetPageIndex(1);
    form->OKBitBtn3Click();
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].contains("no friction factor above 0 to use in row 1 (table WorkGated.db)"));
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 1);

    chooseCalculatorPipe();
    driver.ClearLog();
    form->OKBitBtn3Click();
    EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2);
    EXPECT_EQ(G("NoOfGates").toInt(), 50);   // 500 gpm / 10 gpm a gate
    EXPECT_DOUBLE_EQ(G("RchLen").toDouble(), 400);
    EXPECT_FALSE(G("Startpsi").isNull());
    EXPECT_GT(G("Startpsi").toDouble(), G("Endpsi").toDouble() - 50);
    EXPECT_EQ(G("Warning").toString().startsWith("ERROR"), false) << G("Warning").toString().toStdString();
}

TEST_F(GatedJobTest, CalculatorJobIsMadeComputedSavedListedAndReloaded)
{
    driver.OnceForm("TGatedToolDlg", [this](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        EXPECT_FALSE(c.OvcNotebook1->isEnabled());
        EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GATED");
        DialogDriver::Press(c, "NewJobBtn");
        EXPECT_TRUE(c.OvcNotebook1->isEnabled());
        EXPECT_EQ(c.OvcNotebook1->PageIndex(), 0);
        DialogDriver::Type(c, "JobNameDBEdit", "Gate One");
        DialogDriver::Focus(c, "JobLocationDBSF");
        DialogDriver::Type(c, "InflowNF", "500");
        DialogDriver::Focus(c, "JobLocationDBSF");
        chooseCalculatorPipe();
        driver.OnceForm("TGatedPipeDlg", [](ui::Form& g) {
            // A new calculator job starts at station 0.
            EXPECT_EQ(g.Control<QLineEdit>("BeginStaDBNF")->text(), "0");
            DialogDriver::Type(g, "GndElevDBNF", "10");
            enterGatedPipe(g, "600");
        });
        // The inlet pressure is still 0: the entrance dialog follows by itself.
        driver.OnceForm("TSetWSDlg", [](ui::Form& e) {
            DialogDriver::Choose(e, "RadioGroup1", "Set Entrance Available Water Pressure");
            DialogDriver::Type(e, "PressureDBNF", "10");
            DialogDriver::Press(e, "OKBitBtn");
        });
        DialogDriver::Press(c, "GateBitBtn");
        EXPECT_TRUE(c.EntrancePsiGiven) << driver.FormsShown().join(",").toStdString() << driver.MessageTexts().join("|").toStdString() << driver.Unanswered().join(",").toStdString();
        EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 33.1);   // 10 + 2.3071244 x 10

        DialogDriver::Press(c, "OKBitBtn1");
        EXPECT_EQ(c.OvcNotebook1->PageIndex(), 1);
        EXPECT_EQ(c.LenOpenLbl->text(), "125.0");   // 50 gates at 30 in
        EXPECT_TRUE(c.ResultsPanel->isVisibleTo(&c) && c.QRDetailedSpdBtn->isEnabled());

        // 5 gpm opens no gate of 10 gpm: the run is refused, and its page
        // shows why, no results and no report; 500 gpm again computes.
        auto inflowThenOutput = [&](double gpm) {
            c.OvcNotebook1->SetPageIndex(0);
            DMod->WorkGatedTable->Edit();
            DMod->WorkGatedTablePipeQ->SetAsFloat(gpm);
            c.OvcNotebook1->SetPageIndex(1);
        };
        driver.ClearLog();
        inflowThenOutput(5);
        const QString refusal = "ERROR..Gated pipe not computed. The flow of 5.0 gpm does not open one gate of 10.0 gpm.";
        EXPECT_EQ(driver.MessageTexts(), QStringList{refusal});
        EXPECT_EQ(c.NotComputedLbl->text(), "The gated pipe was not computed: " + refusal);
        EXPECT_TRUE(c.NotComputedLbl->isVisibleTo(&c));
        EXPECT_FALSE(c.ResultsPanel->isVisibleTo(&c));
        EXPECT_FALSE(c.QRDetailedSpdBtn->isEnabled() || c.QRCostSpdBtn->isEnabled() || c.QRGraphBitBtn->isEnabled());
        EXPECT_EQ(c.MainStatusBar->PanelText(0), "Not computed");
        inflowThenOutput(500);
        EXPECT_FALSE(c.NotComputedLbl->isVisibleTo(&c));
        EXPECT_TRUE(c.ResultsPanel->isVisibleTo(&c) && c.QRGraphBitBtn->isEnabled());
        EXPECT_EQ(c.MainStatusBar->PanelText(0), "Output");
        driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(c, "SaveJobBtn");
        DialogDriver::Press(c, "CloseBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_EQ(GatedToolDlg, nullptr);
    EXPECT_FALSE(DMod->WorkTablesFree);
    EXPECT_EQ(DMod->JobFilterMode, 1);

    // Stored as a calculator job with its gated row.
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    ASSERT_TRUE(jobs->Locate("JobName", "Gate One"));
    EXPECT_EQ(DMod->JobPipeTableSysType->AsString(), "GATED");
    EXPECT_EQ(DMod->JobPipeTableSysHas->AsInteger(), 8);
    const int number = DMod->JobPipeTableJobNumber->AsInteger();
    jobs->Close();

    // Previous Job lists it and loads it onto the computed output page.
    QStringList listed;
    int gates = 0;
    QString startPsi;
    driver.OnceForm("TGatedToolDlg", [&](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        driver.OnceForm("TJobListForm", [&](ui::Form& l) {
            db::Table* t = DMod->JobPipeTable;
            for (t->First(); !t->Eof(); t->Next()) listed << DMod->JobPipeTableJobName->AsString();
            ASSERT_TRUE(t->Locate("JobName", "Gate One"));
            DialogDriver::Press(l, "OKBitBtn1");
        });
        DialogDriver::Press(c, "PrevJobBtn");
        EXPECT_EQ(c.OvcNotebook1->PageIndex(), 1);
        EXPECT_EQ(c.MainStatusBar->PanelText(1), "Job Name: Gate One");
        // No intermediate segment: its column is empty, the inlet pressure shows.
        for (QWidget* w : c.MidColumn) EXPECT_FALSE(w->isVisibleTo(&c)) << w->objectName().toStdString();
        EXPECT_TRUE(c.findChild<QLabel*>("PsiInDBTxt")->isVisibleTo(&c));
        gates = DMod->WorkGatedTableNoOfGates->AsInteger();
        startPsi = DMod->WorkGatedTableStartpsi->AsString();
        DialogDriver::Press(c, "CloseBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_EQ(listed, QStringList{"Gate One"});
    if (!DMod->WorkPipeTable->Active()) DMod->WorkPipeTable->Open();
    EXPECT_EQ(DMod->WorkPipeTableJobNumber->AsInteger(), number);
    EXPECT_EQ(gates, 50);
    EXPECT_FALSE(startPsi.isEmpty());
    EXPECT_DOUBLE_EQ(G("StartSta").toDouble(), 0);
    EXPECT_DOUBLE_EQ(G("StartElev").toDouble(), 10);
}

// A user's whole round: New Job, the data keyed in, the pipe picked for the
// inflow, Output, Save, a change saved again, Close, Previous Job, then the
// job removed from the main window stays removed.
TEST_F(GatedJobTest, JourneyFromNewJobToARemovalThatLasts)
{
    setDefaults({{"GatedPipeType", "Aluminum WallTh"}});
    const auto stored = [] {
        db::Table* jobs = DMod->JobPipeTable;
        const bool opened = !jobs->Active();
        if (opened) jobs->Open();
        QStringList out;
        for (jobs->First(); !jobs->Eof(); jobs->Next())
            out << DMod->JobPipeTableJobName->AsString() + "@" + DMod->JobPipeTableLocation->AsString();
        if (opened) jobs->Close();
        return out;
    };
    QString flow, low, high;
    driver.OnceForm("TGatedToolDlg", [&](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        DialogDriver::Press(c, "NewJobBtn");
        DialogDriver::KeyIn(c, "JobNameDBEdit", "Canal Gate");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Job will be saved as Canal Gate."});
        DialogDriver::KeyIn(c, "JobLocationDBSF", "North field");
        DialogDriver::KeyIn(c, "InflowNF", "500");
        driver.OnceForm("TGatedPipeDlg", [&](ui::Form& g) {
            driver.OnceForm("TGetPipeDlg", [&](ui::Form& p) {
                flow = p.Control<QLabel>("PipeQTxt")->text();
                low = p.Control<QLineEdit>("LowNF")->text();
                high = p.Control<QLineEdit>("HighNF")->text();
                DialogDriver::Press(p, "OKBitBtn1");
            });
            DialogDriver::Press(g, "GatedPipeSelecSpdBtn");
            DialogDriver::KeyIn(g, "GndElevDBNF", "10");
            DialogDriver::KeyIn(g, "EndGatedStaDBNF", "600");
            DialogDriver::Press(g, "OKBtn");
        });
        driver.OnceForm("TSetWSDlg", [](ui::Form& e) {
            DialogDriver::Choose(e, "RadioGroup1", "Set Entrance Available Water Pressure");
            DialogDriver::KeyIn(e, "PressureDBNF", "10");
            DialogDriver::Press(e, "OKBitBtn");
        });
        DialogDriver::Press(c, "GateBitBtn");
        DialogDriver::Press(c, "OKBitBtn1");
        EXPECT_EQ(c.LenOpenLbl->text(), "125.0");   // 500 gpm / 10 gpm a gate = 50 gates at 30 in
        driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(c, "SaveJobBtn");
        // Its gates again: 50 gates of 10 gpm every 30 in take 125 ft at each
        // end of the 600 ft, 25 gates of 20 gpm 62.5 ft; the pipe is chosen,
        // so leaving the spacing goes on to the segment's box.
        QStringList ranges;
        driver.ClearLog();
        driver.OnceForm("TGatedPipeDlg", [&ranges](ui::Form& g) {
            auto& d = static_cast<TGatedPipeDlg&>(g);
            DialogDriver::Check(g, "MidChkBox", true);
            ranges << d.StaRangeLbl->text();
            DialogDriver::KeyIn(g, "DesFlowDBNF", "20");
            ranges << d.StaRangeLbl->text();
            DialogDriver::KeyIn(g, "GateSpacingDBNF", "30");
            EXPECT_EQ(testsupport::FocusedName(g), QStringLiteral("MidChkBox"));
            DialogDriver::Press(g, "CancelBtn");
        });
        DialogDriver::Press(c, "GateBitBtn");
        EXPECT_EQ(driver.FormsShown(), QStringList{"TGatedPipeDlg"});
        EXPECT_EQ(ranges, (QStringList{"Intermediate start station must be between stations1+25 and 3+50.",
                                       "Intermediate start station must be between stations0+63 and 4+75."}));
        // Changed and saved again: the job is itself, not a namesake.
        DialogDriver::KeyIn(c, "JobLocationDBSF", "South field");
        driver.OnceForm("TSaveForm", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(c, "SaveJobBtn");
        driver.ClearLog();
        DialogDriver::Press(c, "CloseBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();
    EXPECT_FALSE(driver.FormsShown().contains("TSaveForm"));   // nothing left to save at Close
    EXPECT_EQ(stored(), QStringList{"Canal Gate@South field"});
    // The pipe list showed the inflow and the sizes between 5 and 1 ft/s at
    // 500 gpm: sqrt(500 / (5 x 2.447845)) = 6.39 in, sqrt(500 / 2.447845) = 14.29 in.
    EXPECT_EQ(flow.toDouble(), 500);
    EXPECT_EQ(low, "6.39");
    EXPECT_EQ(high, "14.29");

    // Reopened, Previous Job brings the change back, computed: a list left
    // by Escape picks nothing, and Enter on the job in the next one picks it.
    driver.ClearLog();
    QString location, length;
    driver.OnceForm("TGatedToolDlg", [&](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        driver.OnceForm("TJobListForm", [](ui::Form& l) { DialogDriver::Escape(l); });
        DialogDriver::Press(c, "PrevJobBtn");
        EXPECT_TRUE(c.JobLocationDBSF->text().isEmpty());
        driver.OnceForm("TJobListForm", [](ui::Form& l) { DialogDriver::Enter(l); });
        DialogDriver::Press(c, "PrevJobBtn");
        location = c.JobLocationDBSF->text();
        length = c.LenOpenLbl->text();
        DialogDriver::Press(c, "CloseBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_EQ(location, "South field");
    EXPECT_EQ(length, "125.0");
    EXPECT_FALSE(driver.FormsShown().contains("TSaveForm"));

    // Removed from the main window, it stays removed: no window offers it
    // again, and the calculator has no previous job.
    driver.ClearLog();
    driver.OnceForm("TRemoveJobsDlg", [](ui::Form& r) {
        DialogDriver::Press(r, "DeleteBitBtn");
        DialogDriver::Press(r, "ReturnBitBtn");
    });
    form->MaintainJobDatabase1Click();
    driver.OnceForm("TGatedToolDlg", [](ui::Form& c) {
        DialogDriver::Press(c, "PrevJobBtn");
        DialogDriver::Press(c, "CloseBtn");
    });
    form->GatedPipeCalculator1Click();
    form->TrickleManifoledCalculator1Click();
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"DELETE: Canal Gate??", "There are no previous jobs available."}));
    EXPECT_FALSE(driver.FormsShown().contains("TSaveForm"));
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(GatedJobTest, CalculatorRefusesANameAnotherJobHasAndNeverStoresIt)
{
    storeJob("Taken");
    driver.OnceForm("TGatedToolDlg", [this](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        DialogDriver::Press(c, "NewJobBtn");
        DialogDriver::Type(c, "JobNameDBEdit", "Taken");
        DialogDriver::Focus(c, "JobLocationDBSF");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Job name already used, please enter a unique name."});
        EXPECT_EQ(c.ActiveControl(), static_cast<QWidget*>(c.JobNameDBEdit));
        driver.ClearLog();
        DialogDriver::Press(c, "SaveJobBtn");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Job name already used, please enter a unique name."});
        DialogDriver::Press(c, "CancelBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_FALSE(driver.FormsShown().contains("TSaveForm"));
    db::Table* jobs = DMod->JobPipeTable;
    if (!jobs->Active()) jobs->Open();
    int taken = 0;
    for (jobs->First(); !jobs->Eof(); jobs->Next())
        taken += DMod->JobPipeTableJobName->AsString() == "Taken";
    EXPECT_EQ(taken, 1);
}

TEST_F(GatedJobTest, CalculatorWithoutAJobNameStaysOnItsInputPage)
{
    driver.OnceForm("TGatedToolDlg", [this](ui::Form& f) {
        auto& c = static_cast<TGatedToolDlg&>(f);
        DialogDriver::Press(c, "NewJobBtn");
        driver.ClearLog();
        DialogDriver::Press(c, "OKBitBtn1");
        EXPECT_EQ(c.OvcNotebook1->PageIndex(), 0);
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
        DialogDriver::Press(c, "CancelBtn");
    });
    form->GatedPipeCalculator1Click();
    EXPECT_TRUE(Tul->Cancelled);
}

} // namespace
