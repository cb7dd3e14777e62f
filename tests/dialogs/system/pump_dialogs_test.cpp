// The pump selection and the data dialogs of the turbine, propeller, booster
// and pressure tank: new-job defaults, the flow pair, OK, Cancel and the
// change of pump type on a loaded job.
#include "support/jobwindow.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/pump_selection_dialog.h"
#include "platform/ui/radiogroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using testsupport::JobWindowTest;

class PumpDialogsTest : public JobWindowTest {
protected:
    void SetUp() override
    {
        JobWindowTest::SetUp();
        setDefaults({{"PumpEff", 72.0}, {"ClearHead", 4.0}, {"ColumnLoss", 6.0}, {"TankRange", 20.0}});
    }
    static double header(const char* field) { return DMod->WorkPipeTable->FieldByName(field)->AsFloat(); }
    static QString cfs(ui::Form& f) { return f.Control<QLineEdit>("cfsField")->text(); }
    // A new job whose Pumped choice is answered by picking `item` in the
    // selection and handing the pump dialog to `act`.
    void newPumpedJob(const QString& item, const QString& dialog, std::function<void(ui::Form&)> act)
    {
        newNamedJob("Smith");
        driver.OnceForm("TPumpSelDlg", [item](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", item); });
        driver.OnceForm(dialog, std::move(act));
        DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    }
};

TEST_F(PumpDialogsTest, TurbineOfANewJobTakesTheDefaultsHidesChangeAndIsSizedByItsSelection)
{
    newPumpedJob("Turbine Pump", "TPumpTurbineDlg", [&](ui::Form& d) {
        EXPECT_EQ(d.Caption(), "Turbine Pump Data");
        EXPECT_FALSE(d.Control<QPushButton>("ChangeBtn")->isVisible());
        EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "TURBINE");
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 72.0);
        EXPECT_DOUBLE_EQ(header("ClearHead"), 4.0);
        EXPECT_DOUBLE_EQ(header("ColumnLoss"), 0.0);
        EXPECT_EQ(form->EntranceDataGroupBox->title(), "Turbine Pump Data (Click on 'System' button to edit)");
        EXPECT_EQ(d.ActiveControl(), d.Control<QWidget>("FlowDBNF"));
        DialogDriver::Press(d, "OKBitBtn1");
        EXPECT_TRUE(d.isVisible());
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
        DialogDriver::Type(d, "OvcDbNumericField3", "102");
        DialogDriver::Type(d, "OvcDbNumericField6", "75");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TPumpSelDlg", "TPumpTurbineDlg"}));
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a flow rate!"});
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(Tul->PumpTypeCode, 2);
    EXPECT_EQ(DMod->WorkPipeTableNoSucSegs->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(header("DesignFlow"), 300.0);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 75.0);
    EXPECT_EQ(form->Qcfs->text(), "0.67");
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), "PUMPED");
}

// Cancel undoes the choice on the window too: the system type the job had,
// no pump panel, and Pumped can be chosen again.
TEST_F(PumpDialogsTest, CancelInThePumpDialogUndoesTheWholePumpedChoice)
{
    newNamedJob("Smith");
    const QString before = DMod->WorkPipeTableSysType->AsString();
    const int chosenBefore = form->SysTypeRadioGroup->ItemIndex();
    ASSERT_NE(chosenBefore, 2);
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Propeller Pump"); });
    driver.OnceForm("TPumpPropellerDlg", [](ui::Form& d) { DialogDriver::Press(d, "CancelBitBtn2"); });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTableSysType->AsString(), before);
    EXPECT_TRUE(DMod->WorkPipeTablePumpType->AsString().isEmpty());
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), chosenBefore);
    EXPECT_FALSE(form->EntranceDataGroupBox->isVisibleTo(form));

    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Turbine Pump"); });
    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), 2);
    EXPECT_TRUE(form->EntranceDataGroupBox->isVisibleTo(form));
    EXPECT_EQ(form->EntranceDataGroupBox->title(), "Turbine Pump Data (Click on 'System' button to edit)");
    EXPECT_DOUBLE_EQ(header("DesignFlow"), 300.0);
}

TEST_F(PumpDialogsTest, PropellerConvertsItsGallonsBy4488AndCfsBy44883)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "PROPELLER"}, {"DesignFlow", 100.0},
               {"WSElev", 100.0}});
    driver.SetDefaultAnswer(ui::mrOk);
    driver.OnceForm("TPumpPropellerDlg", [&](ui::Form& d) {
        EXPECT_TRUE(d.Control<QPushButton>("ChangeBtn")->isVisible());
        DialogDriver::Type(d, "FlowDBNF", "449");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_DOUBLE_EQ(Tul->DesignFlowCfs, 449 / 448.8);
        // 448.8 gpm itself, as the row holds it, shows one cfs.
        DMod->WorkPipeTableDesignFlow->SetAsFloat(448.8);
        DialogDriver::Focus(d, "FlowDBNF");
        DialogDriver::Focus(d, "cfsField");
        EXPECT_EQ(cfs(d), "1.00");
        DialogDriver::Type(d, "cfsField", "1.00");
        DialogDriver::Type(d, "cfsField", "1");
        DialogDriver::Focus(d, "OvcDbNumericField2");
        EXPECT_DOUBLE_EQ(header("DesignFlow"), 448.83);
        DialogDriver::Press(d, "BitBtn3");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{27});
    EXPECT_EQ(form->Qcfs->text(), "1.00");
    // The loaded job's flow changed: the warning of the family.
    EXPECT_TRUE(driver.MessageTexts().contains("Design flow rate has changed. Check all pipes for for optimum size."));
}

TEST_F(PumpDialogsTest, BoosterStoresNoWaterSurfaceAndKeepsWhatWasEnteredAtAnEarlierOpening)
{
    newPumpedJob("Booster pump, any kind", "TPumpBoosterDlg", [&](ui::Form& d) {
        EXPECT_EQ(d.Caption(), "Booster Pump, Any Kind, Data");
        EXPECT_EQ(d.Control<QPushButton>("ChangeBtn"), nullptr);
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 72.0);
        EXPECT_EQ(form->WaterSElevLbl->text(), "Pressure at Pump Inlet");
        DialogDriver::Type(d, "FlowDBNF", "250");
        DialogDriver::Type(d, "OvcDbNumericField2", "30");
        DialogDriver::Type(d, "OvcDbNumericField6", "64");
        DialogDriver::Focus(d, "OvcDbNumericField3");
        d.SetFocus(&d);
        DialogDriver::Enter(d);   // a form-level Enter accepts
    });
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(Tul->PumpTypeCode, 4);
    EXPECT_DOUBLE_EQ(header("WSElev"), -100.0);
    EXPECT_DOUBLE_EQ(header("PsiIn"), 30.0);
    EXPECT_DOUBLE_EQ(Tul->ColumnLoss, 0.0);

    // The System button of the still new job shows the booster again: the
    // efficiency typed there is not put back to the default.
    driver.OnceForm("TPumpBoosterDlg", [&](ui::Form& d) {
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 64.0);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    // The selection reopened the booster at its show, and its OK ends both.
    driver.ClearLog();
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.FormsShown(), QStringList{"TPumpBoosterDlg"});
    EXPECT_FALSE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(header("PumpEffic"), 64.0);
}

TEST_F(PumpDialogsTest, TankOfANewJobTakesAllFourDefaultsAndALoadedOneKeepsItsValues)
{
    newPumpedJob("Automatic pressure tank pumped system", "TPumpAutoPresDlg", [&](ui::Form& d) {
        EXPECT_EQ(d.Caption(), "Automatic Pressure Tank Pumped System Data");
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 72.0);
        EXPECT_DOUBLE_EQ(header("ClearHead"), 4.0);
        EXPECT_DOUBLE_EQ(header("ColumnLoss"), 6.0);
        EXPECT_DOUBLE_EQ(header("TankRange"), 20.0);
        EXPECT_EQ(form->WaterTempLbl->text(), "Pressure Tank Operating Range");
        DialogDriver::Type(d, "FlowDBNF", "40");
        DialogDriver::Press(d, "OKBitBtn1");   // refused: no water surface
        DialogDriver::Type(d, "OvcDbNumericField2", "10");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    EXPECT_EQ(driver.MessageTexts(), QStringList{"You must enter a water surface elevation!"});
    EXPECT_EQ(Tul->PumpTypeCode, 7);
    EXPECT_DOUBLE_EQ(header("TankRange"), 20.0);

    loadedJob({{"JobName", "Jones"}, {"SysType", "PUMPED"}, {"PumpType", "AUTOPUMP"}, {"DesignFlow", 40.0},
               {"PumpEffic", 55.0}, {"TankRange", 30.0}, {"ColumnLoss", 2.0}, {"WSElev", 10.0}});
    driver.OnceForm("TPumpAutoPresDlg", [&](ui::Form& d) {
        EXPECT_DOUBLE_EQ(header("PumpEffic"), 55.0);
        EXPECT_DOUBLE_EQ(header("TankRange"), 30.0);
        // Cancel drops the unposted edit at once.
        DialogDriver::Type(d, "OvcDbNumericField7", "45");
        DMod->WorkPipeTableTankRange->SetAsFloat(45);
        DialogDriver::Press(d, "CancelBitBtn2");
        EXPECT_EQ(DMod->WorkPipeTable->State(), db::DataSetState::Browse);
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_DOUBLE_EQ(header("TankRange"), 30.0);
}

TEST_F(PumpDialogsTest, ChangePumpTypeOfALoadedJobReopensTheSelectionWhichTakesABoosterAsANewJobsDoes)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "TURBINE"}, {"DesignFlow", 300.0}});
    int turbines = 0;
    driver.OnForm("TPumpTurbineDlg", [&](ui::Form& d) {
        ++turbines;
        DialogDriver::Press(d, "ChangeBtn");
    });
    driver.OnceForm("TPumpSelDlg", [&](ui::Form& f) {
        auto& sel = static_cast<TPumpSelDlg&>(f);
        // Its show reopened the turbine, whose Change came back here.
        EXPECT_EQ(turbines, 2);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(sel.PumpSelRadioGroup->ItemIndex(), 1);
        EXPECT_TRUE(form->ChangePumpType);
        DialogDriver::Choose(f, "PumpSelRadioGroup", "Booster pump, any kind");
    });
    driver.OnceForm("TPumpBoosterDlg", [](ui::Form& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(driver.FormsShown(),
              (QStringList{"TPumpTurbineDlg", "TPumpTurbineDlg", "TPumpSelDlg", "TPumpBoosterDlg"}));
    EXPECT_TRUE(driver.Messages().empty());
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "BOOSTER");
    EXPECT_EQ(Tul->PumpTypeCode, 4);
    EXPECT_FALSE(Tul->WasCancelled);
}

// The suction line's loss, TDSH and available head stay with the centrifugal
// pump: the propeller chosen in its place shows no column friction of it.
TEST_F(PumpDialogsTest, PumpChosenInPlaceOfACentrifugalTakesNothingOfItsSuctionLine)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "CENTRIF"}, {"DesignFlow", 300.0},
               {"NoSucSegs", 1}, {"ColumnLoss", 0.17}, {"TDSH", 5.32}, {"AvailSH", 32.18}, {"WSElev", 100.0}});
    driver.OnForm("TPumpCentrifDlg", [](ui::Form& d) { DialogDriver::Press(d, "ChangeBtn"); });
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Propeller Pump"); });
    QString column;
    driver.OnceForm("TPumpPropellerDlg", [&column](ui::Form& d) {
        column = d.Control<QLineEdit>("OvcDbNumericField5")->text();
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(column, "0.0");
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "PROPELLER");
    EXPECT_EQ(DMod->WorkPipeTableNoSucSegs->AsInteger(), 0);
    for (const char* suction : {"ColumnLoss", "TDSH", "AvailSH"}) EXPECT_DOUBLE_EQ(header(suction), 0.0) << suction;
    EXPECT_DOUBLE_EQ(Tul->tdsh, 0.0);
}

TEST_F(PumpDialogsTest, SelectionKeepsTheSuctionSegmentCountOfACentrifugalPumpAndShowsNothingForOtherTypes)
{
    loadedJob({{"JobName", "Smith"}, {"SysType", "PUMPED"}, {"PumpType", "PRESSFIND"}, {"NoSucSegs", 3}});
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) {
        EXPECT_EQ(static_cast<TPumpSelDlg&>(f).PumpSelRadioGroup->ItemIndex(), -1);
        DialogDriver::Press(f, "HelpBitBtn3");
        DialogDriver::Choose(f, "PumpSelRadioGroup", "Centrifugal Pump");
    });
    driver.OnceForm("TPumpCentrifDlg", [](ui::Form& d) { DialogDriver::Press(d, "CancelBitBtn2"); });
    ShowOwned(PumpSelDlg, form);
    EXPECT_EQ(driver.FormsShown(), (QStringList{"TPumpSelDlg", "TPumpCentrifDlg"}));
    EXPECT_EQ(DMod->WorkPipeTableNoSucSegs->AsInteger(), 3);
    // The pump dialog's Cancel cancels the selection, which leaves the job's pump as it was.
    EXPECT_TRUE(Tul->WasCancelled);
    EXPECT_EQ(DMod->WorkPipeTablePumpType->AsString(), "PRESSFIND");
    EXPECT_EQ(Tul->PumpTypeCode, 5);
    EXPECT_EQ(driver.HelpContexts(), std::vector<int>{142});
}

} // namespace
