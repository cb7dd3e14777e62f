// System type choice, the known-flow dialog, the system data panel and the
// undo copies of the working tables.
#include "support/jobwindow.h"
#include "support/journey.h"

#include "dialogs/system/known_flow_dialog.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using testsupport::JobWindowTest;

class SystemTypeTest : public JobWindowTest {
protected:
    // Answers the next known-flow dialog with `act`.
    void onKnownFlow(std::function<void(TKnownFlowDlg&)> act)
    {
        driver.OnceForm("TKnownFlowDlg", [act](ui::Form& f) { act(static_cast<TKnownFlowDlg&>(f)); });
    }
    static QString cfs(ui::Form& f) { return f.Control<QLineEdit>("cfsField")->text(); }
    static double flow() { return DMod->WorkPipeTableDesignFlow->AsFloat(); }
    bool shown(QWidget* w) const { return w->isVisibleTo(form->EntranceDataGroupBox); }
    QStringList shownPanel() const
    {
        QStringList out;
        for (QWidget* w : form->EntranceDataGroupBox->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (shown(w)) out << w->objectName();
        out.sort();
        return out;
    }
};

TEST_F(SystemTypeTest, SystemButtonOfANewJobOpensTheKnownFlowDialogOfTheDefaultType)
{
    newNamedJob("Smith");
    bool zeroRefused = false;
    onKnownFlow([&](TKnownFlowDlg& d) {
        EXPECT_EQ(d.Caption(), "Known Flow Gravity System Data");
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.FlowDBNF));
        EXPECT_EQ(cfs(d), "");   // the gravity dialogs leave the cfs field empty
        // The panel already shows the known-flow layout.
        EXPECT_EQ(form->EntranceDataGroupBox->title(),
                  "Known Flow Gravity System Data (Click on 'System' button to edit)");
        DialogDriver::Press(d, "OKBitBtn1");
        zeroRefused = d.isVisible() && driver.MessageTexts() == QStringList{"You must enter a flow rate!"};
        DialogDriver::Type(d, "FlowDBNF", "500");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(cfs(d), "1.11");
        DialogDriver::Type(d, "OvcDbNumericField2", "4512.5");
        DialogDriver::Type(d, "DBMemo1", "Canal turnout");
        // 500.6 keyed into the whole-number field: the point is refused with
        // its tip, and the 500 the field shows is what OK takes.
        DialogDriver::Focus(d, "FlowDBNF");
        d.FlowDBNF->selectAll();
        testsupport::TypeKeys(d, "500.6");
        EXPECT_EQ(d.FlowDBNF->text(), "500");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");

    EXPECT_TRUE(zeroRefused);
    EXPECT_EQ(driver.FormsShown(), QStringList{"TKnownFlowDlg"});
    EXPECT_EQ(driver.Messages()[0].type, ui::MsgType::Error);
    EXPECT_EQ(KnownFlowDlg, nullptr);
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(Tul->SysTypeCode, 0);
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_DOUBLE_EQ(flow(), 500.0);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 4512.5);
    EXPECT_EQ(DMod->WorkPipeTableEntranceNotes->AsString(), "Canal turnout");
    // The entrance row is started with its reach keyword.
    ASSERT_EQ(DMod->WorkProfTable->RecordCount(), 1);
    EXPECT_EQ(DMod->WorkProfTableReachType->AsString(), "GRAVBEG");
    EXPECT_EQ(form->Qcfs->text(), "1.11");
    EXPECT_TRUE(form->EntranceDataGroupBox->isVisible());
    EXPECT_EQ(focused(), form->JobNotesDBMemo);
    EXPECT_EQ(form->DesignFlowDBTxt->text(), "500");
    EXPECT_EQ(form->WSElevDBTxt->text(), "4512.5");
    // A new job has no stored profile to adjust, and no flow to warn about.
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a flow rate!"});
}

TEST_F(SystemTypeTest, TabbingThroughTheCfsFieldKeepsTheFlowInGallons)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 500.0}});
    Tul->DesignFlowCfs = 500.0 / 448.8;   // as the job loader leaves it
    onKnownFlow([&](TKnownFlowDlg& d) {
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(cfs(d), "1.11");
        DialogDriver::Focus(d, "OvcDbNumericField2");
        EXPECT_DOUBLE_EQ(flow(), 500.0);
        // A second pass through both fields, and Enter from the cfs field.
        DialogDriver::Focus(d, "FlowDBNF");
        DialogDriver::Focus(d, "cfsField");
        DialogDriver::Enter(d);
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.OvcDbNumericField2));
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_DOUBLE_EQ(flow(), 500.0);
    EXPECT_TRUE(driver.Messages().empty());   // an unchanged flow warns of nothing
    EXPECT_EQ(form->Qcfs->text(), "1.11");
}

TEST_F(SystemTypeTest, GallonsAndCfsStayInStep)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 448.83}});
    onKnownFlow([&](TKnownFlowDlg& d) {
        DialogDriver::Focus(d, "cfsField");   // leaves the gpm field
        EXPECT_EQ(cfs(d), "1.00");
        EXPECT_DOUBLE_EQ(Tul->DesignFlow, 448.83);
        EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 1.0);
        // A cfs value typed in becomes the flow in gallons.
        DialogDriver::Type(d, "cfsField", "2.5");
        DialogDriver::Focus(d, "OvcDbNumericField2");
        EXPECT_NEAR(flow(), 1122.075, 1e-9);
        EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 2.5);
        EXPECT_EQ(d.FlowDBNF->text(), "1122");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_NEAR(flow(), 1122.075, 1e-9);
    EXPECT_EQ(form->Qcfs->text(), "2.50");
}

TEST_F(SystemTypeTest, ChangedFlowOfALoadedJobWarnsUntilItIsBackWhereItWas)
{
    const QString warning = "Design flow rate has changed. Check all pipes for for optimum size.";
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 500.0}});
    onKnownFlow([&](TKnownFlowDlg& d) {
        DialogDriver::Type(d, "FlowDBNF", "600");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(driver.MessageTexts(), QStringList{warning});
        EXPECT_EQ(driver.Messages().back().type, ui::MsgType::Warning);
        // Once for each new flow: leaving the next field is no change.
        DialogDriver::Focus(d, "OvcDbNumericField2");
        EXPECT_EQ(driver.Messages().size(), 1u);
        DialogDriver::Type(d, "FlowDBNF", "500");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(driver.Messages().size(), 1u);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_DOUBLE_EQ(flow(), 500.0);
}

TEST_F(SystemTypeTest, ALoadedJobsFlowCarriesDownItsProfile)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 0.0}, {"PipeQ", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 100.0}, {"OutQ", 50.0}, {"PipeQ", 450.0}});
    addRow(DMod->WorkProfTable, {{"Station", 300.0}, {"PipeQ", 450.0}});
    driver.SetDefaultAnswer(ui::mrOk);
    auto flows = [] {
        QList<double> all;
        db::Table* prof = DMod->WorkProfTable;
        for (prof->First(); !prof->Eof(); prof->Next()) all << DMod->WorkProfTablePipeQ->AsFloat();
        return all;
    };
    onKnownFlow([&](TKnownFlowDlg& d) {
        // Less than the outflow takes would leave the reach below it negative.
        DialogDriver::Type(d, "FlowDBNF", "40");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(driver.MessageTexts().value(0).toStdString(),
                  "With a design flow of 40 gpm the outflows along the line take more than it carries: below Sta "
                  "1+00 the flow would be -10 gpm. Enter a design flow of at least 50 gpm, or lower the outflows first.");
        EXPECT_EQ(flows(), (QList<double>{500, 450, 450}));
        DialogDriver::Type(d, "FlowDBNF", "600");
        DialogDriver::Focus(d, "cfsField");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(flows(), (QList<double>{600, 550, 550}));
}

TEST_F(SystemTypeTest, CancelOnALoadedJobLeavesTheJobAsTheDialogFoundIt)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 500.0}, {"WSElev", 100.0}});
    addRow(DMod->WorkProfTable, {{"Station", 0.0}, {"PipeQ", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 100.0}, {"OutQ", 50.0}, {"PipeQ", 450.0}});
    Tul->DesignFlow = 500.0;
    Tul->DesignFlowCfs = 500.0 / 448.83;
    driver.SetDefaultAnswer(ui::mrOk);
    int warnings = -1;
    onKnownFlow([&](TKnownFlowDlg& d) {
        DialogDriver::Type(d, "FlowDBNF", "600");
        DialogDriver::Focus(d, "cfsField");   // posts the flow, carries it down the profile, warns
        DialogDriver::Focus(d, "OvcDbNumericField2");
        DialogDriver::Type(d, "OvcDbNumericField2", "250");
        DialogDriver::Focus(d, "cfsField");
        warnings = int(driver.Messages().size());
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(int(driver.Messages().size()), warnings);   // the cancel itself warns of nothing
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_TRUE(Tul->Cancelled);
    DMod->WorkPipeTable->Refresh();
    EXPECT_DOUBLE_EQ(flow(), 500.0);
    EXPECT_DOUBLE_EQ(DMod->WorkPipeTableWSElev->AsFloat(), 100.0);
    EXPECT_DOUBLE_EQ(Tul->DesignFlow, 500.0);
    QList<double> flows;
    db::Table* prof = DMod->WorkProfTable;
    for (prof->First(); !prof->Eof(); prof->Next()) flows << DMod->WorkProfTablePipeQ->AsFloat();
    EXPECT_EQ(flows, (QList<double>{500, 450}));
    EXPECT_FALSE(Tul->NewNode);   // the System button marks no new node for a loaded job
}

TEST_F(SystemTypeTest, CancelledDialogOfANewJobUndoesTheSystemChoice)
{
    setDefaults({{"SysType", "Pumped system, known flow"}});
    newNamedJob("Smith");
    ASSERT_EQ(DMod->WorkPipeTableSysType->AsString(), "PUMPED");
    const bool gatedOpen = DMod->WorkGatedTable->Active(), trickleOpen = DMod->WorkTrickleTable->Active();
    onKnownFlow([&](TKnownFlowDlg& d) {
        EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
        DialogDriver::Type(d, "FlowDBNF", "700");
        DialogDriver::Focus(d, "cfsField");
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Gravity system, known flow");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TKnownFlowDlg"});
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "PUMPED");
    EXPECT_TRUE(DMod->WorkPipeTableDesignFlow->IsNull());
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 0);   // no entrance row either
    EXPECT_TRUE(DMod->WorkPipeTable->Active());
    EXPECT_EQ(DMod->WorkGatedTable->Active(), gatedOpen);   // each table open or closed as it was
    EXPECT_EQ(DMod->WorkTrickleTable->Active(), trickleOpen);
}

TEST_F(SystemTypeTest, OtherSystemTypesOfANewJobOpenTheirDialogsWhoseCancelUndoesTheChoice)
{
    newNamedJob("Smith");
    const QString before = DMod->WorkPipeTableSysType->AsString();
    const char* items[] = {"Gravity system, maximum flow", "Pumped system, known flow",
                           "Pressurized lateral, known flow"};
    const char* dialogs[] = {"TFullFlowDlg", "TPumpSelDlg", "TPressureFrmMainDlg"};
    const char* keywords[] = {"FULLFLOW", "PUMPED", "PRESSURE"};
    for (int i = 0; i < 3; ++i) {
        driver.OnceForm(dialogs[i], [&, i](ui::Form& d) {
            EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), keywords[i]);
            EXPECT_EQ(Tul->SysTypeCode, i + 1);
            DialogDriver::Press(d, "CancelBitBtn2");
        });
        DialogDriver::Choose(*form, "SysTypeRadioGroup", items[i]);
        EXPECT_EQ(driver.FormsShown().last(), dialogs[i]);
        EXPECT_TRUE(Tul->WasCancelled);
        EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), before);
        EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 0);
        EXPECT_EQ(focused(), form->OKBitBtn2);
    }
}

TEST_F(SystemTypeTest, TheChoiceWritesNothingForAStoredJobOrAJobWithoutAName)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}});
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_TRUE(driver.FormsShown().isEmpty());

    DialogDriver::Press(*form, "NewJobBtn");
    driver.ClearLog();
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "GRAVITY");
    EXPECT_EQ(focused(), form->JobNameDBEdit);
    EXPECT_TRUE(driver.Messages().empty());   // the radio group goes quietly to the name
}

TEST_F(SystemTypeTest, PanelOfAGravityJob)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 897.66}, {"WSElev", 4500.0},
               {"EntranceNotes", "Headgate"}});
    form->SysTypeRadioGroup->SetItemIndex(-1);
    Tul->SysTypeCode = 3;
    form->Qcfs->setText("9.99");   // left by a dialog of another job
    ShowSystemData(form);
    EXPECT_EQ(form->EntranceDataGroupBox->title(), "Known Flow Gravity System Data (Click on 'System' button to edit)");
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), 0);
    EXPECT_EQ(Tul->SysTypeCode, 0);
    EXPECT_EQ(shownPanel(), (QStringList{"DesignFlowDBTxt", "DesignFlowLbl", "EntNotesLbl", "EntNotesMemo", "Qcfs",
                                         "WSElevDBTxt", "WaterSElevLbl", "cfsLbl", "feetLbl1", "gpmLbl1"}));
    EXPECT_EQ(form->WaterSElevLbl->text(), "Water Surface Elevation");
    EXPECT_EQ(form->feetLbl1->text(), "feet");
    EXPECT_EQ(form->gpmLbl1->text(), "gpm");
    EXPECT_EQ(form->EntNotesLbl->text(), "Entrance Notes");
    EXPECT_EQ(form->DesignFlowDBTxt->text(), "897.66");
    EXPECT_EQ(form->WSElevDBTxt->text(), "4500");
    EXPECT_EQ(form->EntNotesMemo->toPlainText(), "Headgate");
    EXPECT_EQ(form->Qcfs->text(), "2.00");
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Smith");
    EXPECT_TRUE(form->ScrollBox1->isVisible());
    EXPECT_FALSE(form->MersolImage->isVisible());
    EXPECT_TRUE(form->OvcNotebook1->isEnabled());
}

TEST_F(SystemTypeTest, PanelOfPumpAndPressureJobs)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "AUTOPUMP"}});
    EXPECT_EQ(form->EntranceDataGroupBox->title(),
              "Automatic Pressure Tank System Data (Click on 'System' button to edit)");
    EXPECT_EQ(Tul->PumpTypeCode, 7);
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), 2);
    EXPECT_EQ(form->AltitudeLbl->text(), "Clearance Head");
    EXPECT_TRUE(shown(form->ClearHeadDBTxt));
    EXPECT_FALSE(shown(form->AltitudeDBTxt));
    EXPECT_EQ(form->ClearHeadDBTxt->pos(), QPoint(8, 152));
    EXPECT_EQ(form->TankRangeDBTxt->pos(), QPoint(168, 152));
    EXPECT_EQ(form->degLblx->pos(), QPoint(208, 152));
    EXPECT_EQ(form->degLblx->text(), "psi");
    EXPECT_EQ(form->pctLbl1->x(), 208);

    loadedJob({{"JobName", "Smith"}, {"SysType", "PRESSURE"}, {"PumpType", "PRESSFIND"}});
    EXPECT_EQ(Tul->SysTypeCode, 3);
    EXPECT_EQ(form->pctLbl1->text(), "Find Required Pressure");
    EXPECT_EQ(form->pctLbl1->x(), 168);
    EXPECT_FALSE(shown(form->cfsLbl));
    EXPECT_TRUE(shown(form->Qcfs));
    EXPECT_FALSE(shown(form->WaterSElevLbl));
    EXPECT_FALSE(shown(form->PumpEfficDBTxt));
    EXPECT_EQ(form->PumpEffLbl->text(), "Pressure Status");

    loadedJob({{"JobName", "Smith"}, {"SysType", "PRESSURE"}, {"PumpType", "PRESSKNOWN"}});
    EXPECT_EQ(form->pctLbl1->text(), "Known Required Pressure");
    EXPECT_EQ(form->WaterSElevLbl->text(), "Lateral Entrance Pressure");
    EXPECT_TRUE(shown(form->PsiInDBTxt));
    EXPECT_EQ(form->PsiInDBTxt->pos(), QPoint(8, 72));
    EXPECT_EQ(form->feetLbl1->text(), "psi");

    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "CENTRIF"}});
    EXPECT_EQ(Tul->PumpTypeCode, 1);
    EXPECT_TRUE(shown(form->CentPumpGrid));
    EXPECT_TRUE(shown(form->TDSHDBTxt));
    EXPECT_TRUE(DMod->WorkSuctionTable->Active());

    // An unknown system keyword leaves the panel as it was.
    const QStringList before = shownPanel();
    loadedJob({{"JobName", "Smith"}, {"SysType", "OTHER"}, {"PumpType", ""}});
    EXPECT_EQ(shownPanel(), before);
    EXPECT_EQ(form->MainStatusBar->PanelText(1), "Job Name: Smith");
}

TEST_F(SystemTypeTest, SystemButtonOfALoadedCentrifugalJobOpensItsDialogWithoutATableError)
{
    loadedJob({{"JobName", "Well"}, {"SysType", "PUMPED"}, {"PumpType", "CENTRIF"}, {"DesignFlow", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 0.0}, {"PipeQ", 500.0}});
    addRow(DMod->WorkSuctionTable, {{"SegmentNo", 1}, {"PipeQ", 500.0}});
    // As after a restart: the reference tables are not open yet.
    for (db::Table* t : {DMod->PipeTable, DMod->TypeTable})
        if (t->Active()) t->Close();
    QString first;   // where its showing, run to the end, leaves the focus
    driver.OnceForm("TPumpCentrifDlg", [&](ui::Form& d) {
        first = d.ActiveControl()->objectName();
        DialogDriver::Press(d, "CancelBitBtn2");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.MessageTexts(), QStringList{});
    EXPECT_EQ(first, "FlowRateDBNF");
}

TEST_F(SystemTypeTest, KnownFlowDialogRewritesThePanelOfAnotherSystem)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "BOOSTER"}});
    ASSERT_TRUE(shown(form->PsiInDBTxt));
    ASSERT_TRUE(shown(form->PumpEyeLbl));
    // A gravity header shown through the System button of a loaded job.
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableSysType->SetAsString("GRAVITY");
    DMod->WorkPipeTableDesignFlow->SetAsFloat(100);
    DMod->WorkPipeTable->Post();
    onKnownFlow([&](TKnownFlowDlg& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(form->EntranceDataGroupBox->title(), "Known Flow Gravity System Data (Click on 'System' button to edit)");
    EXPECT_EQ(form->WaterSElevLbl->text(), "Water Surface Elevation");
    EXPECT_EQ(form->feetLbl1->text(), "feet");
    EXPECT_EQ(form->PumpEyeLbl->text(), "Pump Head Discharge Elevation");
    EXPECT_TRUE(shown(form->WSElevDBTxt));
    for (QWidget* w : {static_cast<QWidget*>(form->PsiInDBTxt), static_cast<QWidget*>(form->PumpEyeLbl),
                       static_cast<QWidget*>(form->PumpEyeElevDBTxt), static_cast<QWidget*>(form->PumpEffLbl),
                       static_cast<QWidget*>(form->pctLbl1), static_cast<QWidget*>(form->PumpEfficDBTxt)})
        EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
}

TEST_F(SystemTypeTest, DialogKeysAndHelp)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "GRAVITY"}, {"DesignFlow", 300.0}});
    onKnownFlow([&](TKnownFlowDlg& d) {
        DialogDriver::Press(d, "BitBtn3");
        DialogDriver::Focus(d, "FlowDBNF");
        DialogDriver::Enter(d);
        EXPECT_EQ(d.ActiveControl(), static_cast<QWidget*>(d.cfsField));
        DialogDriver::Type(d, "DBMemo1", "Notes");
        DialogDriver::Enter(d);   // the notes take no line breaks: Enter accepts
        EXPECT_FALSE(d.isVisible());
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{139});
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTableEntranceNotes->AsString(), "Notes");
}

TEST_F(SystemTypeTest, UndoCopiesLeaveTheSuctionTableAlone)
{
    newNamedJob("Smith");
    addRow(DMod->WorkProfTable, {{"Station", 0.0}});
    addRow(DMod->WorkGatedTable, {{"StartElev", 10.0}});
    addRow(DMod->WorkSuctionTable, {{"SegmentNo", 1}});
    BackupWorkTables();
    addRow(DMod->WorkProfTable, {{"Station", 250.0}});
    addRow(DMod->WorkSuctionTable, {{"SegmentNo", 2}});
    DMod->WorkGatedTable->Edit();
    DMod->WorkGatedTableStartElev->SetAsFloat(20.0);
    DMod->WorkGatedTable->Post();
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTableJobName->SetAsString("Changed");
    DMod->WorkPipeTable->Post();

    RestoreWorkTables();
    EXPECT_EQ(DMod->WorkProfTable->RecordCount(), 1);
    EXPECT_EQ(DMod->WorkPipeTableJobName->AsString(), "Smith");
    EXPECT_FALSE(DMod->WorkGatedTable->Active());
    DMod->WorkGatedTable->Open();
    EXPECT_DOUBLE_EQ(DMod->WorkGatedTableStartElev->AsFloat(), 10.0);
    EXPECT_EQ(DMod->WorkSuctionTable->RecordCount(), 2);
}

} // namespace
