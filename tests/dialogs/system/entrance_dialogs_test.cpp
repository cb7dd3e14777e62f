// The maximum-flow and pressurised-main entrance dialogs, opened from the
// system type choice of a new job and the System button of a loaded one.
#include "support/jobwindow.h"

#include "dialogs/system/full_flow_dialog.h"
#include "dialogs/system/pressure_main_dialog.h"
#include "platform/ui/radiogroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using testsupport::JobWindowTest;

class EntranceDialogsTest : public JobWindowTest {
protected:
    static double header(const char* field) { return DMod->WorkPipeTable->FieldByName(field)->AsFloat(); }
    bool shown(QWidget* w) const { return w->isVisibleTo(form->EntranceDataGroupBox); }
};

TEST_F(EntranceDialogsTest, MaximumFlowOfANewJobRefusesAZeroFlowAndKeepsTheGpmAndCfsInStep)
{
    newNamedJob("Smith");
    driver.OnceForm("TFullFlowDlg", [&](ui::Form& d) {
        EXPECT_EQ(d.Caption(), "Maximum Flow Gravity System Data");
        EXPECT_EQ(form->EntranceDataGroupBox->title(),
                  "Maximum Flow Gravity System Data (Click on 'System' button to edit)");
        EXPECT_FALSE(shown(form->PumpEyeLbl));
        EXPECT_EQ(form->PumpEyeLbl->text(), "");
        DialogDriver::Press(d, "OKBitBtn1");
        EXPECT_TRUE(d.isVisible());
        DialogDriver::Type(d, "FlowDBNF", "500");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(d.Control<QLineEdit>("cfsField")->text(), "1.11");
        DialogDriver::Type(d, "cfsField", "2");
        DialogDriver::Focus(d, "OvcDbNumericField2");
        EXPECT_NEAR(header("DesignFlow"), 897.66, 1e-9);
        DialogDriver::Type(d, "OvcDbNumericField2", "120");
        DialogDriver::Type(d, "DBMemo1", "Spring box");
        DialogDriver::Enter(d);   // Enter in the notes accepts
        EXPECT_FALSE(d.isVisible());
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Gravity system, maximum flow");
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a flow rate!"});
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "FULLFLOW");
    EXPECT_DOUBLE_EQ(header("WSElev"), 120.0);
    EXPECT_EQ(DMod->WorkPipeTableEntranceNotes->AsString(), "Spring box");
    EXPECT_EQ(form->Qcfs->text(), "2.00");
}

TEST_F(EntranceDialogsTest, MaximumFlowOfALoadedJobChangesItsFlowWithoutAWarningAndHelpIs138)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "FULLFLOW"}, {"DesignFlow", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 0.0}, {"PipeQ", 500.0}});
    addRow(DMod->WorkProfTable, {{"Station", 100.0}, {"OutQ", 100.0}, {"PipeQ", 400.0}});
    Tul->DesignFlowCfs = 500.0 / 448.83;
    driver.OnceForm("TFullFlowDlg", [&](ui::Form& d) {
        EXPECT_EQ(d.Control<QLineEdit>("cfsField")->text(), "1.11");
        DialogDriver::Press(d, "BitBtn3");
        DialogDriver::Type(d, "FlowDBNF", "700");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_DOUBLE_EQ(Tul->DesignFlow, 700.0);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{138});
    QList<double> flows;
    db::Table* prof = DMod->WorkProfTable;
    for (prof->First(); !prof->Eof(); prof->Next()) flows << DMod->WorkProfTablePipeQ->AsFloat();
    EXPECT_EQ(flows, (QList<double>{700, 600}));
}

TEST_F(EntranceDialogsTest, PressurisedMainOfANewJobTakesTheClearanceDefaultAndRefusesAnIncompleteOk)
{
    setDefaults({{"ClearHead", 5.0}});
    newNamedJob("Smith");
    driver.OnceForm("TPressureFrmMainDlg", [&](ui::Form& d) {
        auto& dlg = static_cast<TPressureFrmMainDlg&>(d);
        EXPECT_EQ(d.Caption(), "Pressurized From Main Line Data");
        EXPECT_DOUBLE_EQ(header("ClearHead"), 5.0);
        EXPECT_EQ(dlg.PressureSelectRadioGroup->ItemIndex(), -1);
        EXPECT_FALSE(dlg.PsiInDBNF->isEnabled());
        EXPECT_EQ(form->EntranceDataGroupBox->title(),
                  "Pressurized From Mainline Data (Click on 'System' button to edit)");
        EXPECT_EQ(form->PumpEffLbl->text(), "Pressure Status");
        // Neither a status nor a flow: refused, one thing at a time.
        DialogDriver::Press(d, "OKBitBtn1");
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Known Pressure at main");
        EXPECT_TRUE(dlg.PsiInDBNF->isEnabled());
        EXPECT_EQ(form->pctLbl1->text(), "Known Required Pressure");
        EXPECT_TRUE(shown(form->PsiInDBTxt));
        EXPECT_FALSE(shown(form->WSElevDBTxt));
        EXPECT_EQ(form->feetLbl1->text(), "psi");
        DialogDriver::Press(d, "OKBitBtn1");
        EXPECT_TRUE(d.isVisible());
        DialogDriver::Type(d, "PsiInDBNF", "40");
        DialogDriver::Type(d, "OvcDbNumericField1", "300");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(dlg.cfsField->text(), "0.67");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pressurized lateral, known flow");
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"You must select a pressure status!", "You must enter a flow rate!"}));
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "PRESSKNOWN");
    EXPECT_EQ(Tul->PumpTypeCode, 6);
    EXPECT_DOUBLE_EQ(header("PsiIn"), 40.0);
    EXPECT_DOUBLE_EQ(header("WSElev"), -100.0);   // a main has no water surface
    EXPECT_EQ(form->Qcfs->text(), "0.67");

    // The System button of the still new job: the clearance typed now is
    // not put back to the default at the next opening.
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) {
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Find pressure at main");
        DialogDriver::Type(d, "OvcDbNumericField4", "8");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) {
        EXPECT_DOUBLE_EQ(header("ClearHead"), 8.0);
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Find pressure at main");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_DOUBLE_EQ(header("ClearHead"), 8.0);
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "PRESSFIND");
}

TEST_F(EntranceDialogsTest, PressurisedMainClosedByItsFrameWithoutAStatusIsTakenAsCancel)
{
    newNamedJob("Smith");
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "OvcDbNumericField1", "300");
        DialogDriver::CloseBox(d);
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pressurized lateral, known flow");
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_NE(DMod->WorkPipeTableSysType->AsString(), "PRESSURE");
}

TEST_F(EntranceDialogsTest, PressurisedMainOfALoadedJobShowsItsStatusAndSwitchingToFindHidesThePressure)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PRESSURE"}, {"PumpType", "PRESSKNOWN"}, {"DesignFlow", 448.83},
               {"PsiIn", 35.0}, {"ClearHead", 3.0}});
    Tul->DesignFlowCfs = 1.0;
    driver.OnceForm("TPressureFrmMainDlg", [&](ui::Form& d) {
        auto& dlg = static_cast<TPressureFrmMainDlg&>(d);
        EXPECT_EQ(dlg.PressureSelectRadioGroup->ItemIndex(), 1);
        EXPECT_TRUE(dlg.PsiInDBNF->isEnabled());
        EXPECT_EQ(dlg.cfsField->text(), "1.00");
        EXPECT_DOUBLE_EQ(header("ClearHead"), 3.0);   // no defaults for a loaded job
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Find pressure at main");
        EXPECT_FALSE(dlg.PsiInDBNF->isEnabled());
        EXPECT_EQ(form->pctLbl1->text(), "Find Required Pressure");
        for (QWidget* w : {static_cast<QWidget*>(form->WaterSElevLbl), static_cast<QWidget*>(form->PsiInDBTxt),
                           static_cast<QWidget*>(form->WSElevDBTxt), static_cast<QWidget*>(form->feetLbl1)})
            EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
        DialogDriver::Press(d, "BitBtn3");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "PRESSFIND");
    EXPECT_EQ(Tul->PumpTypeCode, 5);
    EXPECT_TRUE(DMod->WorkPipeTablePsiIn->IsNull());   // no entered pressure passes for a found one
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{140});
}

} // namespace
