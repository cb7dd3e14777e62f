// New pumped, pressurised and maximum-flow jobs taken from New Job through
// their entrance dialogs and the profile entry to the computed output page;
// the pumped ones on the pumped runs' line: 1000 ft of 6 in pipe of C 150
// from an entrance at 95 ft to an end at 118 ft, the outlet at 120 ft wanting 20 psi;
// and a turbine job whose profile is read from a text file and walked by keys.
// Each is saved, loaded again and computed afresh at the end. Worked by hand
// for that line: friction 10.4057 x 1000 x (300/150)^1.85185 / 6^4.87037 =
// 6.093253 ft, velocity head 3.404127^2 / 64.4 = 0.179939 ft; the end's grade
// 120 + 20 x 2.3071244 = 166.142488, the energy grade the pump gives
// 166.142488 + 0.179939 + 6.093253 = 172.415680 and its grade 172.235741:
// the output page shows 172.24 and 166.14.
#include "support/workprofile.h"
#include "support/jobwindow.h"
#include "support/journey.h"

#include "platform/report/preview.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

#include <algorithm>
#include <optional>

using testsupport::FocusedName;
using testsupport::PipeText;
using testsupport::PipeValue;
using testsupport::ProfValue;
using testsupport::Tab;
using testsupport::TypeKeys;

namespace {

class PumpedJobsEndToEnd : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        setDefaults({{"PumpEff", 75.0}, {"ClearHead", 0.0}, {"ColumnLoss", 0.0}, {"TankRange", 20.0},
                     {"SysType", "Pumped system, known flow"}});
        newNamedJob("Smith");
    }
    // The System button answered by the pump selection's `item` and its
    // dialog by `act`; then the profile, the profile page and the output page.
    void pumpedJob(const QString& item, const QString& dialog, std::function<void(ui::Form&)> act)
    {
        driver.OnceForm("TPumpSelDlg", [item](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", item); });
        driver.OnceForm(dialog, std::move(act));
        DialogDriver::Press(*form, "SelSystemEditBtn");
        computeThroughThePages();
    }
    void computeThroughThePages()
    {
        ASSERT_FALSE(Tul->WasCancelled);
        driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
            testsupport::WriteEnteredProfile(testsupport::PumpLine(), 120.0, 20.0);
            DialogDriver::Press(f, "OKBtn");
        });
        DialogDriver::Press(*form, "OKBitBtn2");
        ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1) << driver.MessageTexts().join('|').toStdString();
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    void expectComputed()
    {
        EXPECT_EQ(form->OvcNotebook1->PageIndex(), 2) << driver.MessageTexts().join('|').toStdString();
        EXPECT_EQ(form->LastPage, 2);
    }
    // Saved, loaded again and computed afresh: the grades the output page
    // shows and the pump's head.
    void expectReloaded(const std::string& hgl, std::optional<double> tdh = std::nullopt)
    {
        testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
        EXPECT_EQ(shown["HGL"], hgl);
        if (tdh) {
            EXPECT_DOUBLE_EQ(PipeValue("TDH"), *tdh);
        }
    }
    // How many of the reports the buttons preview print a line starting
    // with each of `lines` (each report counted once, by its first line).
    int printing(std::initializer_list<QPushButton*> buttons, std::initializer_list<const char*> lines)
    {
        int printing = 0;
        const auto old = report::SetPreviewHook([&](report::Document& d, QWidget*) {
            const QStringList texts = report::RenderDump(d).Texts();
            auto printed = [&texts](const char* line) {
                return std::any_of(texts.begin(), texts.end(),
                                   [line](const QString& t) { return t.startsWith(QLatin1String(line)); });
            };
            for (const char* line : lines)
                EXPECT_EQ(printed(line), printed(*lines.begin())) << d.Title.toStdString() << ": " << line;
            printing += printed(*lines.begin()) ? 1 : 0;
        });
        for (QPushButton* b : buttons) b->click();
        report::SetPreviewHook(old);
        return printing;
    }
    // How many of the Summary and Detailed reports print the suction heads.
    int printedSuctionHead()
    {
        return printing({form->QRSummarySpdBtn, form->QRDetailedSpdBtn},
                        {"Total dynamic suction head (TDSH)", "Net positive suction head available (NPSHA)"});
    }
    // The profile read from a text file as a user reads it: the entrance's
    // invert typed, its reach given 6 in PVC (which the nodes below carry
    // on); then the profile page and the output page.
    void importedProfileComputed(const char* pairs, const char* entranceInvert)
    {
        ASSERT_TRUE(testsupport::AnswerProfileFile(driver, workDir.filePath(QStringLiteral("profile.txt")), pairs));
        driver.OnceForm("TInvertIndlg", [entranceInvert](ui::Form& f) {
            TypeKeys(f, entranceInvert);
            Tab(f);
        });
        driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
            DialogDriver::Press(f, "TextFileBtn");
            for (int i = 0; i < 5; ++i) Tab(f);   // the entrance's kind and invert, its reach, the next row
            DialogDriver::Press(f, "OKBtn");
        });
        DialogDriver::Press(*form, "OKBitBtn2");
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    // New Job, the job before it not saved, named as before.
    void nextNewJob()
    {
        if (Tul->SaveState != 2) driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "NoBitBtn"); });
        newNamedJob("Smith");
    }
    // The output page again after a change on the job page.
    void computeAgain()
    {
        DialogDriver::Press(*form, "OKBitBtn2");
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    const std::string pumpLineHgl = "172.24 166.14";
    static void typeFlowAndWater(ui::Form& d)
    {
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
    }
};

// A turbine lifting 300 gpm from water at 100 ft through the line: the pump
// run's own worked example, 72.42 ft of head and a 7-1/2 hp motor (a
// turbine's head takes no column loss, which its dialog sets to 0 anyway).
TEST_F(PumpedJobsEndToEnd, TurbineJobComputesItsHeadHorsepowerAndMotor)
{
    pumpedJob("Turbine Pump", "TPumpTurbineDlg", [](ui::Form& d) {
        typeFlowAndWater(d);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 2);
    EXPECT_DOUBLE_EQ(PipeValue("ColumnLoss"), 0.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 7.31);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
    expectReloaded(pumpLineHgl, 72.42);
}

// Two suction segments, 10 ft of 8 in then 20 ft of 6 in, both C 150, at
// 300 gpm, the pump eye 5 ft above the water at 1000 ft and 60 F:
//   hf 0.01500898 + 0.12186505, velocity head at the pump 0.17993919,
//   TDSH = 5 + 0.31681322 = 5.32 ft;
//   ASH = 33.91 - 1.17 - (0.6 - 1.56 + 1.5192) = 32.18 ft;
//   TDH from the line's 172.415680 ft, the eye and the stored TDSH:
//   172.415680 - 105 + 5.32 - 0.179939 = 72.555741, 72.56 ft.
// Stored, loaded and changed to a turbine by Change Pump Type: the suction
// line's 0.14 ft of loss, its TDSH and its available head stay behind, so
// the turbine computes and prints as a new turbine job does, 72.42 ft and
// 7.31 hp (72.56 with that loss taken as an entrance loss), with no suction
// heads in its reports.
TEST_F(PumpedJobsEndToEnd, CentrifugalJobShowsItsSuctionHeadsAndChangedToATurbineLeavesThemBehind)
{
    const std::pair<double, double> segments[] = {{10, 8}, {20, 6}};
    int next = 0;
    driver.OnForm("TSuctionDlg", [&](ui::Form& s) {
        DialogDriver::Type(s, "SuctionPipeLengthDBNF", QString::number(segments[next].first));
        DMod->WorkSuctionTableDiaIn->SetAsFloat(segments[next].second);
        DMod->WorkSuctionTableCfac->SetAsFloat(150.0);
        DMod->WorkSuctionTableDownStreamPipeDescription->SetAsString(
            QStringLiteral("%1 in PVC").arg(segments[next].second));
        ++next;
        DialogDriver::Press(s, "OKBitBtn1");
    });
    pumpedJob("Centrifugal Pump", "TPumpCentrifDlg", [](ui::Form& d) {
        const std::pair<const char*, const char*> values[] = {
            {"FlowRateDBNF", "300"}, {"WSDBNF", "100"}, {"EyeDBNF", "105"}, {"AltDBNF", "1000"},
            {"WTempDBNF", "60"},     {"EffDBNF", "75"}, {"ClearHdDBNF", "1"}};
        for (const auto& [field, value] : values) DialogDriver::Type(d, field, value);
        DialogDriver::Press(d, "AddNodeBtn");
        DialogDriver::Press(d, "AddNodeBtn");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 1);
    EXPECT_EQ(DMod->WorkSuctionTable->RecordCount(), 2);
    EXPECT_DOUBLE_EQ(PipeValue("TDSH"), 5.32);
    EXPECT_DOUBLE_EQ(PipeValue("AvailSH"), 32.18);
    EXPECT_EQ(form->TDSHDBTxt->text(), "5.32");
    EXPECT_EQ(form->AvailSHDBTxt->text(), "32.18");
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.56);
    expectReloaded(pumpLineHgl, 72.56);
    EXPECT_EQ(DMod->WorkSuctionTable->RecordCount(), 2);
    EXPECT_DOUBLE_EQ(PipeValue("TDSH"), 5.32);
    EXPECT_DOUBLE_EQ(PipeValue("ColumnLoss"), 0.14);
    EXPECT_EQ(printedSuctionHead(), 2);

    form->OvcNotebook1->SetPageIndex(0);
    int centrifugals = 0;
    driver.OnForm("TPumpCentrifDlg", [&centrifugals](ui::Form& d) {
        ++centrifugals;   // the System button's, then the selection's own
        DialogDriver::Press(d, "ChangeBtn");
    });
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Turbine Pump"); });
    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_EQ(centrifugals, 2);
    ASSERT_FALSE(Tul->WasCancelled);
    EXPECT_EQ(PipeText("PumpType"), QStringLiteral("TURBINE"));
    for (const char* suction : {"ColumnLoss", "TDSH", "AvailSH"}) EXPECT_DOUBLE_EQ(PipeValue(suction), 0.0) << suction;
    DialogDriver::Press(*form, "OKBitBtn2");
    DialogDriver::Press(*form, "OKBitBtn3");
    expectComputed();
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("BHP"), 7.31);
    EXPECT_DOUBLE_EQ(PipeValue("TDSH"), 0.0);
    EXPECT_EQ(printedSuctionHead(), 0);
    expectReloaded(pumpLineHgl, 72.42);
}

// Typed as a user types, with the turbine's own example to finish: the
// cursor starts in the flow field; 448.83 is no whole number of gpm and 150
// no efficiency of at most 99.9: each field refuses the keystroke it cannot
// take, says what it takes, and keeps the focus and the tip, past Tab (and
// OK, where the efficiency would be another number), until Escape gives back
// the value it had, so neither becomes 44883 gpm nor 15 percent, nor goes
// back without a word.
TEST_F(PumpedJobsEndToEnd, TurbineFieldsRefuseWhatTheyCannotTakeAndTheJobComputes)
{
    pumpedJob("Turbine Pump", "TPumpTurbineDlg", [](ui::Form& d) {
        auto* flow = d.Control<QLineEdit>("FlowDBNF");
        auto* effic = d.Control<QLineEdit>("OvcDbNumericField6");
        EXPECT_EQ(d.focusWidget(), flow);
        DialogDriver::Keys(d, "448.83");
        EXPECT_EQ(flow->text(), "448");
        EXPECT_EQ(QToolTip::text(), "\".\" was not taken: this field takes a whole number from 0 to 99999. "
                                    "Correct the entry before typing on.");
        DialogDriver::Tab(d);
        EXPECT_EQ(d.ActiveControl(), flow);
        EXPECT_EQ(flow->text(), "448");
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_FALSE(DMod->WorkPipeTableDesignFlow->AsFloat() > 0);
        DialogDriver::Key(d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(flow->text().isEmpty() || flow->text() == "0") << flow->text().toStdString();
        flow->selectAll();
        DialogDriver::Keys(d, "301");
        DialogDriver::Key(d, Qt::Key_Backspace);
        DialogDriver::Keys(d, "0");
        DialogDriver::Tab(d);
        EXPECT_EQ(d.Control<QLineEdit>("cfsField")->text(), "0.67");
        DialogDriver::Tab(d);
        DialogDriver::Keys(d, "100");
        DialogDriver::Focus(d, "OvcDbNumericField6");
        DialogDriver::Keys(d, "150");
        EXPECT_EQ(effic->text(), "15");
        EXPECT_TRUE(QToolTip::text().startsWith("\"0\" was not taken: this field takes a number from 0 to 99.9, "
                                                "with at most 1 decimal."));
        DialogDriver::Tab(d);
        EXPECT_EQ(d.ActiveControl(), effic);
        EXPECT_EQ(effic->text(), "15");
        DialogDriver::Press(d, "OKBitBtn1");   // 15 is not the 150 typed: not taken
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ActiveControl(), effic);
        EXPECT_TRUE(QToolTip::text().startsWith("\"0\" was not taken"));
        DialogDriver::Key(d, Qt::Key_Escape);
        EXPECT_EQ(effic->text(), "75.0");
        DialogDriver::Tab(d);
        EXPECT_NE(d.ActiveControl(), effic);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_DOUBLE_EQ(PipeValue("DesignFlow"), 300.0);
    EXPECT_DOUBLE_EQ(PipeValue("WSElev"), 100.0);
    EXPECT_DOUBLE_EQ(PipeValue("PumpEffic"), 75.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.42);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
    expectReloaded(pumpLineHgl, 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("DesignFlow"), 300.0);
}

// A new job that tries a centrifugal pump first and then a pressure tank:
// the tank takes its own defaults (5 ft of pump piping, 20 psi of range), not
// the centrifugal pump's suction loss, and its grade at the pump carries the
// piping loss that the line below loses (AutoPct 50; hf 6.093252748, hv
// 0.179939192 on the 1000 ft of 6 in pipe at 300 gpm):
//   end Hgl 2.307124400 x 20 + 120 = 166.142488, Egl 166.322427
//   pump Egl 166.322427 + 6.093253 + 5 = 177.415680, Hgl 177.235741
//   (above the tank's 0 + 23.071244 + 5, so it stays)
//   OnElev 177.235741 - 23.071244 - 5 = 149.164497, OffElev + 46.142488 = 195.306985
//   end again Egl 177.415680 - 6.093253 - 5 = 166.322427: 20.00 psi at the outlet,
//   (166.142488 - 118) x 0.43344 = 20.87 psi at the end node
//   TDH 177.415680 - 100 = 77.42 ft, BHP 77.415680 x 300 / 3960 / 0.75 = 7.82: "10"
TEST_F(PumpedJobsEndToEnd, PressureTankTriedAfterACentrifugalPumpTakesItsOwnDefaultsAndPipingLoss)
{
    setDefaults({{"ColumnLoss", 5.0}});
    driver.OnceForm("TSuctionDlg", [](ui::Form& s) {
        DialogDriver::Type(s, "SuctionPipeLengthDBNF", "20");
        DMod->WorkSuctionTableDiaIn->SetAsFloat(6);
        DMod->WorkSuctionTableCfac->SetAsFloat(150.0);
        DMod->WorkSuctionTableDownStreamPipeDescription->SetAsString(QStringLiteral("6 in PVC"));
        DialogDriver::Press(s, "OKBitBtn1");
    });
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Centrifugal Pump"); });
    driver.OnceForm("TPumpCentrifDlg", [](ui::Form& d) {
        for (const auto& [field, value] : {std::pair{"FlowRateDBNF", "300"}, {"WSDBNF", "100"}, {"EyeDBNF", "105"}}) {
            DialogDriver::Focus(d, field);
            DialogDriver::Keys(d, value);
        }
        DialogDriver::Press(d, "AddNodeBtn");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_GT(PipeValue("ColumnLoss"), 0.0);   // the suction loss

    // The selection opens the centrifugal pump again; it is cancelled and the tank chosen.
    driver.OnceForm("TPumpCentrifDlg", [](ui::Form& d) { DialogDriver::Press(d, "CancelBitBtn2"); });
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "PumpSelRadioGroup", "Automatic pressure tank pumped system");
    });
    driver.OnceForm("TPumpAutoPresDlg", [](ui::Form& d) {
        EXPECT_EQ(d.focusWidget(), d.Control<QWidget>("FlowDBNF"));
        EXPECT_EQ(d.Control<QLineEdit>("OvcDbNumericField4")->text(), "5");
        EXPECT_EQ(d.Control<QLineEdit>("OvcDbNumericField7")->text(), "20");
        DialogDriver::Keys(d, "300");
        DialogDriver::Tab(d);
        DialogDriver::Tab(d);
        DialogDriver::Keys(d, "100");
        DialogDriver::Tab(d);
        DialogDriver::Keys(d, "95");
        DialogDriver::Tab(d);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    // Clicked from the notes, whose exit moves the focus on to OK.
    form->SelSystemEditBtn->click();
    computeThroughThePages();
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 7);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(PipeValue("ColumnLoss"), 5.0);
    EXPECT_DOUBLE_EQ(PipeValue("TankRange"), 20.0);
    EXPECT_DOUBLE_EQ(ProfValue(0, "Hgl"), 177.24);
    EXPECT_DOUBLE_EQ(PipeValue("OnElev"), 149.16);
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 195.31);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Hgl"), 166.14);
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 20.87);
    EXPECT_NEAR(Tul->EndPsi, 20.0, 1e-6);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 77.42);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("10"));
    expectReloaded("177.24 166.14", 77.42);
    EXPECT_DOUBLE_EQ(PipeValue("OnElev"), 149.16);
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 195.31);
}

TEST_F(PumpedJobsEndToEnd, PropellerJobComputes)
{
    pumpedJob("Propeller Pump", "TPumpPropellerDlg", [](ui::Form& d) {
        EXPECT_EQ(d.focusWidget(), d.Control<QWidget>("FlowDBNF"));
        typeFlowAndWater(d);
        DialogDriver::Type(d, "OvcDbNumericField5", "5");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 3);
    // The turbine's 72.42 ft and the 5 ft of additional column: 77.42 ft,
    // 7.82 hp at 75 percent, the next motor up.
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 77.42);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("10"));
    expectReloaded(pumpLineHgl, 77.42);
}

// A booster drawing at 10 psi with its eye at 95 ft: its head is what the
// line needs above its inlet's energy, 172.415680 - 10 x 2.3071244 - 95 =
// 54.344436 ft; 54.344436 x 300 / 3960 / 0.75 = 5.49 hp, a 7-1/2 hp motor.
TEST_F(PumpedJobsEndToEnd, BoosterJobComputesFromItsInletPressure)
{
    pumpedJob("Booster pump, any kind", "TPumpBoosterDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "10");
        DialogDriver::Type(d, "OvcDbNumericField3", "95");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 4);
    EXPECT_DOUBLE_EQ(PipeValue("WSElev"), -100.0);
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 54.34);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
    expectReloaded(pumpLineHgl, 54.34);
}

// No pump piping: the pump's grade 172.235741 is above the tank's lowest
// 20 x 2.3071244 x 0.5 = 23.071244 ft, so it stays; the pump comes on at
// 172.235741 - 23.071244 = 149.16 ft and goes off 46.142488 ft higher, 195.31.
TEST_F(PumpedJobsEndToEnd, PressureTankJobComputesItsPumpOnAndOffGrades)
{
    pumpedJob("Automatic pressure tank pumped system", "TPumpAutoPresDlg", [](ui::Form& d) {
        typeFlowAndWater(d);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    expectComputed();
    EXPECT_EQ(Tul->PumpTypeCode, 7);
    EXPECT_DOUBLE_EQ(PipeValue("TankRange"), 20.0);
    expectReloaded(pumpLineHgl, 72.42);
    EXPECT_DOUBLE_EQ(PipeValue("OnElev"), 149.16);
    EXPECT_DOUBLE_EQ(PipeValue("OffElev"), 195.31);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
}

// 40 psi at the start of the line: the entrance's grade line stands
// 40 x 2.3071244 = 92.28 ft above its invert of 95 ft, less the velocity
// head of 300 gpm in 6 in pipe, 3.40412749^2 / 64.4 = 0.18 ft: 187.11 ft;
// 6.093253 ft lower at the end, 181.01 ft. To be found, the main must give
// the 172.415680 ft of energy the line needs: (172.415680 - 95) x 0.43344 =
// 33.555 psi, with the same grades as a pump.
TEST_F(PumpedJobsEndToEnd, PressureFromAMainKnownOrFoundComputes)
{
    for (const bool known : {true, false}) {
        SCOPED_TRACE(known);
        if (!known) newNamedJob("Jones");
        driver.OnceForm("TPressureFrmMainDlg", [known](ui::Form& d) {
            DialogDriver::Choose(d, "PressureSelectRadioGroup",
                                 known ? "Known Pressure at main" : "Find pressure at main");
            if (known) DialogDriver::KeyIn(d, "PsiInDBNF", "40");
            DialogDriver::KeyIn(d, "OvcDbNumericField1", "300");
            DialogDriver::Press(d, "OKBitBtn1");
        });
        DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pressurized lateral, known flow");
        computeThroughThePages();
        expectComputed();
        EXPECT_EQ(Tul->PumpTypeCode, known ? 6 : 5);
        EXPECT_DOUBLE_EQ(PipeValue("WSElev"), -100.0);
        expectReloaded(known ? "187.11 181.01" : pumpLineHgl);
        if (!known) {
            EXPECT_NEAR(Tul->PsiIn, 33.555, 0.0005);
        }
    }
}

// The maximum-flow job of the runs' own tests, entered through its dialog:
// water at 100 ft, 1000 ft of 6 in pipe of C 150 from an entrance at 95 ft to
// an outlet at 80 ft and 0 psi. Worked by hand: friction and velocity head
// take the 20 ft at 560.25 gpm (19.372450 + 0.627550 ft); the search stops at
// the first flow that leaves less than 0.01 ft to spare, and the margin falls
// 0.066 ft a gpm there, so within 0.15 gpm below: 560.1 gpm.
TEST_F(PumpedJobsEndToEnd, MaximumFlowJobFindsItsLargestFlow)
{
    driver.OnceForm("TFullFlowDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "100");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Gravity system, maximum flow");
    ASSERT_FALSE(Tul->WasCancelled);
    auto nodes = testsupport::GravityLine();
    nodes.erase(nodes.begin() + 1);
    for (testsupport::WorkNode& n : nodes) n.pipeQ = 100;
    nodes[0].reachType = "FULLBEG";
    nodes[1].reachType = "FULLEND";
    nodes[1].invert = 79.4791667;
    driver.OnceForm("TProfEntryDlg", [nodes](ui::Form& f) {
        testsupport::WriteEnteredProfile(nodes, 80.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    DialogDriver::Press(*form, "OKBitBtn3");
    expectComputed();
    EXPECT_EQ(testsupport::ProfText(0, "PipeQ"), QStringLiteral("560.1"));
    EXPECT_EQ(testsupport::SameAnswerEveryWay(driver, *form)["Flow (gpm)"], "560.1 560.1");
}

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
//   velocity head 0.18054 ft; TDH 120 + 6.11804 + 0.18054 - 100 = 26.30 ft,
//   the pump's grade 126.29858 - 0.18054 = 126.12
//   brake horsepower 300 x 26.29858 / (3960 x 0.75) = 2.66, a 3 hp motor
TEST_F(PumpedJobsEndToEnd, TurbineJobReadFromATextFileComputesEveryNodesInvert)
{
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Turbine Pump"); });
    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) {
        DialogDriver::Type(d, "FlowDBNF", "300");
        DialogDriver::Type(d, "OvcDbNumericField2", "100");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "SelSystemEditBtn");
    ASSERT_FALSE(Tul->WasCancelled);

    ASSERT_TRUE(testsupport::AnswerProfileFile(driver, workDir.filePath(QStringLiteral("profile.txt")),
                                               "0,98\n500,105\n1000,120\n"));
    testsupport::ReachesTakeSixInchPvc(driver);
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
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 1) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(ProfValue(0, "InvertElev"), 95.0);
    EXPECT_DOUBLE_EQ(PipeValue("OutletElev"), 120.0);   // the end of an imported profile is its outlet

    driver.ClearLog();
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_EQ(form->OvcNotebook1->PageIndex(), 2) << driver.MessageTexts().join('|').toStdString();
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
    testsupport::ShownColumns shown = testsupport::SameAnswerEveryWay(driver, *form);
    EXPECT_EQ(shown["HGL"], "126.12 123.06 120.00");
    EXPECT_EQ(shown["Invert Elev"], "95.00 101.97 116.97");
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 26.30);

    // The end's cover given again in its node's depth dialog: the invert it
    // shows is the one the node keeps and the run takes, to the last digit,
    // so the end's 1.31 psi stays (117.0 would give 1.30).
    form->OvcNotebook1->SetPageIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 1000.0));
    QString shownInvert;
    driver.OnceForm("TDepthInDlg", [&shownInvert](ui::Form& f) {
        DialogDriver::Type(f, "OvcDbNumericField1", "30");
        Tab(f);
        shownInvert = f.Control<QLabel>("InvElevTxt")->text();
        DialogDriver::Press(f, "OKBtn");
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Focus(f, "InvMethComboBox");
        DialogDriver::Press(f, "OKBitBtn1");
    });
    DialogDriver::Press(*form, "EditProfileBtn");
    EXPECT_EQ(driver.FormsShown().mid(driver.FormsShown().size() - 3),
              (QStringList{"TBasicNodeDlg", "TDepthInDlg", "TProfInDlg"}));
    EXPECT_EQ(shownInvert, QStringLiteral("116.97"));
    EXPECT_DOUBLE_EQ(ProfValue(2, "InvertElev"), 116.97);
    DialogDriver::Press(*form, "OKBitBtn3");
    ASSERT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(ProfValue(2, "InvertElev"), 116.97);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Psi"), 1.31);
}


// Known-flow gravity first, its profile entered, then "Pumped system, known
// flow" with a turbine: every row takes the pumped reach keywords, so the
// run pins the end at the outlet. 300 gpm in 5.995 in pipe of C 150:
// velocity head 3.4104^2 / 64.4 = 0.18060 ft, friction 10.4057 x 1000 x
// 2^1.85185 / 5.995^4.87037 = 6.11805 ft; TDH 120 + 20 x 2.3071244 + 0.18060
// + 6.11805 - 100 = 72.44 ft, 7.32 hp at 75 percent: a 7-1/2 hp motor.
TEST_F(PumpedJobsEndToEnd, GravityJobMadePumpedPinsItsEndAtTheOutlet)
{
    driver.OnceForm("TKnownFlowDlg", [](ui::Form& d) {
        typeFlowAndWater(d);
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Gravity system, known flow");
    auto nodes = testsupport::PumpLine();
    for (testsupport::WorkNode& n : nodes) n.diaIn = 5.995;
    nodes[0].reachType = "GRAVBEG";
    nodes[1].reachType = "GRAVEND";
    driver.OnceForm("TProfEntryDlg", [nodes](ui::Form& f) {
        testsupport::WriteEnteredProfile(nodes, 120.0, 20.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    form->OvcNotebook1->SetPageIndex(0);
    driver.OnceForm("TPumpSelDlg", [](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", "Turbine Pump"); });
    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) { DialogDriver::Press(d, "OKBitBtn1"); });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    computeAgain();
    expectComputed();
    EXPECT_EQ(testsupport::ProfText(1, "ReachType"), QStringLiteral("PUMPEND"));
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.44);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
}

// One job cycled through the pump kinds, each change to every other kind
// once (the System button, the pump it has left by Cancel, the new one
// chosen in the selection), each computed and compared with the same job
// entered fresh with that pump. 250 gpm from water at 95 ft through 1000 ft
// of 5.995 in pipe of C 150 to an end at ground 104 ft, its outlet:
// friction 6.11805 x (250/300)^1.85185 = 4.3651 ft, velocity head
// 0.18060 x (250/300)^2 = 0.1254 ft. A turbine after the booster draws
// from 95 ft again, not from the booster's -100: TDH 104 + 4.3651 + 0.1254
// - 95 = 13.49 ft, 1.14 hp at 75 percent, a 2 hp motor. The tank after it
// likewise, with its 5 ft of piping (its 20 psi of range asks for no more
// on this line): 18.49 ft, 1.56 hp, a 2 hp motor, and no inlet pressure
// printed in its report.
TEST_F(PumpedJobsEndToEnd, PumpChangedToEveryOtherKindAnswersAsTheJobEnteredWithIt)
{
    // The reaches' and the suction segment's pipe, whatever material the
    // selection shows first (a tank's line starts in the pressure pipe).
    driver.OnForm("TGetPipeDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "PTypeDBLookupComboBox", "PVC SDR");
        testsupport::PickPipe(f, testsupport::kSixInchPvc);
    });
    testsupport::ReachesTakeSixInchPvc(driver);
    QString leaving, target, waterShown;
    driver.OnForm("TSuctionDlg", [](ui::Form& s) {
        DialogDriver::KeyIn(s, "SuctionPipeLengthDBNF", "20");
        DialogDriver::Press(s, "PipeRchBtn");
        DialogDriver::Press(s, "OKBitBtn1");
    });
    driver.OnForm("TPumpSelDlg", [&target](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", target); });
    // The pump the job has is left; the new one is given its values, the
    // water surface only where it shows none.
    for (const char* dialog : {"TPumpCentrifDlg", "TPumpTurbineDlg", "TPumpPropellerDlg", "TPumpBoosterDlg",
                               "TPumpAutoPresDlg"})
        driver.OnForm(dialog, [&, dialog](ui::Form& d) {
            auto* change = d.Control<QPushButton>("ChangeBtn");
            if (dialog == leaving) {
                const bool loaded = !Tul->NewJob;
                EXPECT_EQ(change && change->isVisible(), loaded) << dialog;
                return DialogDriver::Press(d, loaded ? "ChangeBtn" : "CancelBitBtn2");
            }
            const QLatin1String name(dialog);
            const bool centrifugal = name == "TPumpCentrifDlg", booster = name == "TPumpBoosterDlg";
            auto key = [&d](const char* field, const char* value) { DialogDriver::KeyIn(d, field, value); };
            key(centrifugal ? "FlowRateDBNF" : "FlowDBNF", "250");
            const char* water = centrifugal ? "WSDBNF" : "OvcDbNumericField2";
            if (!booster) waterShown = d.Control<QLineEdit>(water)->text();
            if (!booster && waterShown.isEmpty()) key(water, "95");
            key(centrifugal ? "EyeDBNF" : "OvcDbNumericField3", booster ? "90" : "98");
            if (booster) key("OvcDbNumericField2", "5");
            if (name == "TPumpPropellerDlg") key("OvcDbNumericField5", "2");
            if (name == "TPumpAutoPresDlg") {
                key("OvcDbNumericField4", "5");
                key("OvcDbNumericField7", "20");
            }
            if (centrifugal) {
                key("AltDBNF", "1000");
                key("WTempDBNF", "60");
                if (DMod->WorkSuctionTable->IsEmpty()) DialogDriver::Press(d, "AddNodeBtn");
            }
            DialogDriver::Press(d, "OKBitBtn1");
        });
    const std::map<QString, QString> items = {{"C", "Centrifugal Pump"}, {"T", "Turbine Pump"},
                                               {"P", "Propeller Pump"},   {"B", "Booster pump, any kind"},
                                               {"A", "Automatic pressure tank pumped system"}};
    const std::map<QString, const char*> dialogs = {{"C", "TPumpCentrifDlg"}, {"T", "TPumpTurbineDlg"},
                                                    {"P", "TPumpPropellerDlg"}, {"B", "TPumpBoosterDlg"},
                                                    {"A", "TPumpAutoPresDlg"}};
    const char* const line = "0,100\n1000,104\n";
    std::map<QString, testsupport::StoredJob> fresh;
    for (const char* kind : {"T", "P", "B", "A", "C"}) {
        nextNewJob();
        target = items.at(kind);
        DialogDriver::Press(*form, "SelSystemEditBtn");
        importedProfileComputed(line, "96");
        fresh[kind] = testsupport::StoredAnswer(*form);
    }
    // Every change from one kind to another once, ending where it started.
    const QString kinds = QStringLiteral("CTBTABAPBPACBCATPCPTC");
    for (int i = 1; i < kinds.size(); ++i) {
        const QString from = kinds.mid(i - 1, 1), to = kinds.mid(i, 1);
        leaving = QString::fromLatin1(dialogs.at(from));
        target = items.at(to);
        form->OvcNotebook1->SetPageIndex(0);
        DialogDriver::Press(*form, "SelSystemEditBtn");
        computeAgain();
        testsupport::ExpectSameAsFresh(fresh.at(to), *form, from + QStringLiteral(" made ") + to);
        if (from + to == QLatin1String("BT")) {
            EXPECT_EQ(waterShown, QStringLiteral("95.0"));
            EXPECT_DOUBLE_EQ(PipeValue("TDH"), 13.49);
            EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("2"));
        }
        if (from + to == QLatin1String("BA")) {
            EXPECT_DOUBLE_EQ(PipeValue("TDH"), 18.49);
            EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("2"));
            EXPECT_EQ(printing({form->QRDetailedSpdBtn}, {"Available Inlet Pressure"}), 0);
        }
    }
    // Stored and loaded, the centrifugal pump offers Change Pump Type, and a
    // booster chosen through it is taken as in a new job.
    testsupport::SameAnswerEveryWay(driver, *form);
    leaving = QStringLiteral("TPumpCentrifDlg");
    target = items.at("B");
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Press(*form, "SelSystemEditBtn");
    computeAgain();
    testsupport::ExpectSameAsFresh(fresh.at("B"), *form, QStringLiteral("C made B through Change Pump Type"));
}

// One job cycled through the system types, each change to every other type
// once, each computed and compared with the same job entered fresh in that
// type: known flow and maximum flow from water at 110 ft (taken back from
// the booster or the main that had none), a booster drawing at 1 psi with
// its eye at 70 ft, a main at a known 10 psi; 300 gpm over 0+00 (invert 96
// ft), 5+00 and an end at ground 84 ft. Then the gravity job's middle node
// made a reducer, or a booster, and plain again answers as the plain job.
TEST_F(PumpedJobsEndToEnd, SystemTypeChangedToEveryOtherAnswersAsTheJobEnteredInIt)
{
    testsupport::ReachesTakeSixInchPvc(driver);
    auto key = [](ui::Form& d, const char* field, const char* value) { DialogDriver::KeyIn(d, field, value); };
    for (const char* dialog : {"TKnownFlowDlg", "TFullFlowDlg"})
        driver.OnForm(dialog, [key](ui::Form& d) {
            key(d, "FlowDBNF", "300");
            if (d.Control<QLineEdit>("OvcDbNumericField2")->text().isEmpty()) key(d, "OvcDbNumericField2", "110");
            DialogDriver::Press(d, "OKBitBtn1");
        });
    driver.OnForm("TPumpSelDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "PumpSelRadioGroup", "Booster pump, any kind");
    });
    driver.OnForm("TPumpBoosterDlg", [key](ui::Form& d) {
        key(d, "FlowDBNF", "300");
        key(d, "OvcDbNumericField2", "1");
        key(d, "OvcDbNumericField3", "70");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    driver.OnForm("TPressureFrmMainDlg", [key](ui::Form& d) {
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Known Pressure at main");
        key(d, "PsiInDBNF", "10");
        key(d, "OvcDbNumericField1", "300");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    const std::map<QString, QString> items = {{"G", "Gravity system, known flow"},
                                               {"F", "Gravity system, maximum flow"},
                                               {"P", "Pumped system, known flow"},
                                               {"R", "Pressurized lateral, known flow"}};
    std::map<QString, testsupport::StoredJob> fresh;
    for (const char* type : {"F", "P", "R", "G"}) {
        nextNewJob();
        if (form->SysTypeRadioGroup->Items().value(form->SysTypeRadioGroup->ItemIndex()) == items.at(type))
            DialogDriver::Press(*form, "SelSystemEditBtn");
        else
            DialogDriver::Choose(*form, "SysTypeRadioGroup", items.at(type));
        importedProfileComputed("0,100\n500,95\n1000,84\n", "96");
        fresh[type] = testsupport::StoredAnswer(*form);
    }
    const QString types = QStringLiteral("GFPRGPFRPGRFG");
    for (int i = 1; i < types.size(); ++i) {
        form->OvcNotebook1->SetPageIndex(0);
        DialogDriver::Choose(*form, "SysTypeRadioGroup", items.at(types.mid(i, 1)));
        computeAgain();
        testsupport::ExpectSameAsFresh(fresh.at(types.mid(i, 1)), *form, types.mid(i - 1, 2));
    }

    // The node at 5+00 made a reducer set to 2 psi, computed, then plain;
    // and a booster, then plain. Each reach dialog after is taken as it is.
    auto makeNode = [this](const char* kind, const char* setPsi) {
        form->OvcNotebook1->SetPageIndex(1);
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 500.0));
        driver.OnceForm("TBasicNodeDlg", [this, kind, setPsi](ui::Form& f) {
            DialogDriver::Choose(f, "NodeComboBox", kind);
            DialogDriver::Focus(f, "OKBitBtn1");
            driver.NextForm([setPsi](ui::Form& r) {
                if (setPsi) DialogDriver::KeyIn(r, "SetPresDBNF", setPsi);
                DialogDriver::Press(r, "OKBitBtn");
            });
            DialogDriver::Press(f, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "EditProfileBtn");
    };
    // The job whose node is only edited, to compare with.
    makeNode("In line (normal)", nullptr);
    DialogDriver::Press(*form, "OKBitBtn3");
    const testsupport::StoredJob plain = testsupport::StoredAnswer(*form);
    makeNode("In line w/pressure reducer", "2");
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_TRUE(form->ResultsShown()) << driver.MessageTexts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(1, "PsiSet"), 2.0);
    makeNode("In line (normal)", nullptr);
    DialogDriver::Press(*form, "OKBitBtn3");
    testsupport::ExpectSameAsFresh(plain, *form, QStringLiteral("reducer made plain"));
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& b) { DialogDriver::Press(b, "OKBitBtn1"); });
    makeNode("In line w/booster pump", nullptr);
    // A pumped line can have no booster node: the type stays, and says why.
    form->OvcNotebook1->SetPageIndex(0);
    driver.ClearLog();
    DialogDriver::Choose(*form, "SysTypeRadioGroup", items.at("P"));
    EXPECT_EQ(driver.MessageTexts(), QStringList{"The in-line booster pump at 5+00 can't stay in a pumped or "
                                                 "pressurized pipeline. Make that node another kind first, then "
                                                 "change the system type."});
    EXPECT_EQ(testsupport::PipeText("SysType"), QStringLiteral("GRAVITY"));
    EXPECT_EQ(form->SysTypeRadioGroup->ItemIndex(), 0);
    makeNode("In line (normal)", nullptr);
    DialogDriver::Press(*form, "OKBitBtn3");
    testsupport::ExpectSameAsFresh(plain, *form, QStringLiteral("booster made plain"));
}

} // namespace
