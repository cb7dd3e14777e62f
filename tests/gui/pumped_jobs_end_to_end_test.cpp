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
    // How many of the Summary and Detailed reports print the suction heads.
    int printedSuctionHead()
    {
        int printing = 0;
        const auto old = report::SetPreviewHook([&](report::Document& d, QWidget*) {
            const QStringList texts = report::RenderDump(d).Texts();
            auto printed = [&texts](const char* line) {
                return std::any_of(texts.begin(), texts.end(),
                                   [line](const QString& t) { return t.startsWith(QLatin1String(line)); });
            };
            const bool tdsh = printed("Total dynamic suction head (TDSH)");
            EXPECT_EQ(tdsh, printed("Net positive suction head available (NPSHA)")) << d.Title.toStdString();
            printing += tdsh ? 1 : 0;
        });
        form->QRSummarySpdBtn->click();
        form->QRDetailedSpdBtn->click();
        report::SetPreviewHook(old);
        return printing;
    }
    // The profile read from a text file as a user reads it: the entrance's
    // invert typed, its reach given 6 in PVC (the nodes below carry it on).
    void importProfile(const char* pairs, const char* entranceInvert)
    {
        ASSERT_TRUE(testsupport::AnswerProfileFile(driver, workDir.filePath(QStringLiteral("profile.txt")), pairs));
        driver.OnceForm("TInvertIndlg", [entranceInvert](ui::Form& f) { TypeKeys(f, entranceInvert), Tab(f); });
        driver.OnceForm("TProfEntryDlg", [](ui::Form& f) {
            DialogDriver::Press(f, "TextFileBtn");
            for (int i = 0; i < 5; ++i) Tab(f);   // the entrance's kind and invert, its reach, the next row
            DialogDriver::Press(f, "OKBtn");
        });
    }
    void computeAgain()
    {
        DialogDriver::Press(*form, "OKBitBtn2");
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    // Each dialog named answered by its keys and OK ('?' a water surface keyed only where none
    // shows, '!' a list, '+' pressed on an empty suction line); `leaving` left by Change or Cancel,
    // `cancelling` by Cancel; while `untyped`, each takes its OK on what it shows.
    using Keys = std::vector<std::pair<const char*, const char*>>;
    void answer(const std::map<QString, Keys>& dialogs)
    {
        driver.OnForm("TPumpSelDlg", [this](ui::Form& f) { DialogDriver::Choose(f, "PumpSelRadioGroup", target); });
        for (const auto& [dialog, keys] : dialogs)
            driver.OnForm(dialog, [this, dialog, keys](ui::Form& d) {
                auto* change = d.Control<QPushButton>("ChangeBtn");
                if (dialog == leaving) {
                    EXPECT_EQ(change && change->isVisible(), !Tul->NewJob) << dialog.toStdString();
                    return DialogDriver::Press(d, change && change->isVisible() ? "ChangeBtn" : "CancelBitBtn2");
                }
                if (dialog == cancelling) return DialogDriver::Press(d, "CancelBitBtn2");
                for (const auto& [field, value] : untyped ? Keys{} : keys) {
                    if (*field == '?') waterShown = d.Control<QLineEdit>(field + 1)->text();
                    if (*field == '!') DialogDriver::Choose(d, field + 1, value);
                    else if (*field == '+' && DMod->WorkSuctionTable->IsEmpty()) DialogDriver::Press(d, field + 1);
                    else if (*field != '+' && (*field != '?' || waterShown.isEmpty()))
                        DialogDriver::KeyIn(d, field + (*field == '?'), value);
                }
                DialogDriver::Press(d, "OKBitBtn1");
            });
    }
    // Each kind of `order` entered fresh, then one job changed along `order` by `choose`, each
    // step ("BT") computed, compared with the fresh one of its kind and handed to `step`. Before
    // each step the change is tried once with the new kind's dialog (`dialogOf`) cancelled: the
    // job is left as it was, and its own kind's dialog then shows and keeps what the job holds.
    std::map<QChar, testsupport::StoredJob> cycle(const QString& order, const char* pairs,
                                                  const std::function<void(QChar)>& choose,
                                                  const std::function<void(const QString&)>& step,
                                                  const std::function<QString(QChar)>& dialogOf)
    {
        std::map<QChar, testsupport::StoredJob> fresh;
        QString kinds = order;
        kinds.remove(order[0]).append(order[0]);
        for (QChar kind : kinds) {
            if (fresh.count(kind)) continue;
            if (Tul->SaveState != 2) driver.OnceForm("TSaveForm", [](ui::Form& f) { DialogDriver::Press(f, "NoBitBtn"); });
            newNamedJob("Smith");
            choose(kind);
            importProfile(pairs, "96");
            computeAgain();
            fresh[kind] = testsupport::StoredAnswer(*form);
        }
        for (int i = 1; i < order.size(); ++i) {
            form->OvcNotebook1->SetPageIndex(0);
            const testsupport::StoredJob before = testsupport::StoredAnswer(*form);
            const QString how = order.mid(i - 1, 2) + QStringLiteral(" cancelled");
            cancelling = dialogOf(order[i]);
            choose(order[i]);
            cancelling.clear();
            EXPECT_TRUE(Tul->WasCancelled) << how.toStdString();
            testsupport::ExpectSameAsBefore(before, *form, how);
            untyped = true;
            driver.ClearLog();
            choose(order[i - 1]);
            EXPECT_TRUE(driver.FormsShown().contains(dialogOf(order[i - 1]))) << how.toStdString();
            untyped = false;
            computeAgain();
            testsupport::ExpectSameAsBefore(before, *form, how + QStringLiteral(", then System and OK"));
            form->OvcNotebook1->SetPageIndex(0);
            choose(order[i]);
            computeAgain();
            testsupport::ExpectSameAsFresh(fresh[order[i]], *form, order.mid(i - 1, 2));
            step(order.mid(i - 1, 2));
        }
        return fresh;
    }
    // The node at `station` given the kind, its reach dialog the set pressure and, where named,
    // another pipe (with the size change its dialog offers), then Output.
    void editNode(double station, const char* kind, const char* setPsi, const char* pipe = nullptr)
    {
        form->OvcNotebook1->SetPageIndex(1);
        ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), station));
        driver.OnceForm("TBasicNodeDlg", [this, kind, setPsi, pipe](ui::Form& f) {
            DialogDriver::Choose(f, "NodeComboBox", kind);
            DialogDriver::Focus(f, "OKBitBtn1");
            driver.NextForm([this, setPsi, pipe](ui::Form& r) {   // its reach dialog
                if (pipe) {
                    driver.NextForm([this, pipe](ui::Form& g) {
                        driver.NextForm([](ui::Form& c) { DialogDriver::Press(c, "OKBitBtn"); });
                        DialogDriver::Press(g, "ShowAllBtn");
                        testsupport::PickPipe(g, pipe);
                    });
                    DialogDriver::Press(r, "PipeRchSpdBtn");
                }
                if (setPsi) DialogDriver::KeyIn(r, "SetPresDBNF", setPsi);
                DialogDriver::Press(r, "OKBitBtn");
            });
            DialogDriver::Press(f, "OKBitBtn1");
        });
        DialogDriver::Press(*form, "EditProfileBtn");
        DialogDriver::Press(*form, "OKBitBtn3");
    }
    QString leaving, cancelling, target, waterShown;
    bool untyped = false;
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

// The turbine's line, 5 ft of clearance typed, made to end in the first
// aluminium gated pipe listed (5.9 in) from 10+00 to 14+00, no pressure asked
// at its start: the end keeps 5 ft above its ground, 126.00 ft, 3.47 psi over
// its invert of 118, and the gated pipe starts there, at 2.17 psi, not at 0
// psi below its gates. Entering at 3.520619 ft/s (a head of 0.192464 ft) the
// pump lifts 126 + 0.192464 + 6.093253 - 100 = 32.29 ft; at 250 gpm 2.93 ft/s.
TEST_F(PumpedJobsEndToEnd, TurbineJobEndingInGatedPipeStartsItAtTheLinesEndGrade)
{
    pumpedJob("Turbine Pump", "TPumpTurbineDlg", [](ui::Form& d) {
        typeFlowAndWater(d);
        DialogDriver::Type(d, "OvcDbNumericField4", "5");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    driver.OnceForm("TBasicNodeDlg", [](ui::Form& f) {
        DialogDriver::Choose(f, "NodeComboBox", "End of line, start gated pipe");
        Tab(f);
        DialogDriver::Press(f, "OKBitBtn1");
    });
    driver.OnceForm("TGetPipeDlg", [](ui::Form& f) { testsupport::PickSixInchGatedPipe(f); });
    driver.OnceForm("TGatedPipeDlg", [](ui::Form& g) {
        DialogDriver::Press(g, "GatedPipeSelecSpdBtn");
        for (auto [field, text] : {std::pair{"EndGatedStaDBNF", "1400"}, {"EndGatedElDBNF", "119"},
                                   {"DesFlowDBNF", "30"}, {"ReqPresDBNF", "0"}})
            DialogDriver::KeyIn(g, field, text);
        DialogDriver::Press(g, "OKBtn");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& f) { DialogDriver::Press(f, "OKBitBtn"); });
    form->OvcNotebook1->setCurrentIndex(1);
    ASSERT_TRUE(DMod->WorkProfTable->Locate(QStringLiteral("Station"), 1000.0));
    driver.ClearLog();
    DialogDriver::Press(*form, "EditProfileBtn");
    DialogDriver::Press(*form, "OKBitBtn3");
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('|').toStdString();
    auto gated = [](db::Field* f) {
        if (!DMod->WorkGatedTable->Active()) DMod->WorkGatedTable->Open();
        DMod->WorkGatedTable->First();
        return f->AsFloat();
    };
    EXPECT_DOUBLE_EQ(ProfValue(1, "Psi"), 3.47);
    EXPECT_DOUBLE_EQ(gated(DMod->WorkGatedTableStartpsi), 2.17);
    expectReloaded("132.11 126.00", 32.29);

    driver.OnceForm("TPumpTurbineDlg", [](ui::Form& d) {
        DialogDriver::KeyIn(d, "FlowDBNF", "250");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    form->OvcNotebook1->setCurrentIndex(0);
    DialogDriver::Press(*form, "SelSystemEditBtn");
    form->OvcNotebook1->setCurrentIndex(2);
    EXPECT_DOUBLE_EQ(gated(DMod->WorkGatedTablePipeVel), 2.93);
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
        DialogDriver::Keys(d, "abc301");   // the letters are only not taken
        DialogDriver::Key(d, Qt::Key_Backspace);
        DialogDriver::Keys(d, "0");
        DialogDriver::Tab(d);
        EXPECT_EQ(d.Control<QLineEdit>("cfsField")->text(), "0.67");
        DialogDriver::Tab(d);
        DialogDriver::Keys(d, "100");
        DialogDriver::Focus(d, "OvcDbNumericField6");
        DialogDriver::Keys(d, "150");
        EXPECT_EQ(effic->text(), "15");
        EXPECT_TRUE(QToolTip::text().startsWith("150 would be out of range: this field takes a number from 0 to "
                                                "99.9, with at most 1 decimal."));
        DialogDriver::Tab(d);
        EXPECT_EQ(d.ActiveControl(), effic);
        EXPECT_EQ(effic->text(), "15");
        DialogDriver::Press(d, "OKBitBtn1");   // 15 is not the 150 typed: not taken
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.ActiveControl(), effic);
        EXPECT_TRUE(QToolTip::text().startsWith("150 would be out of range"));
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
        // The pressure found is shown on the page and in both reports.
        const QString found = known ? "" : "Required Inlet Pressure = 33.56 psi";
        EXPECT_EQ(form->PumpResultsLbl->text(), found);
        EXPECT_EQ(testsupport::PrintedTexts(form->QRSummarySpdBtn).contains(found), !known);
        const QStringList detailed = testsupport::PrintedTexts(form->QRDetailedSpdBtn);
        EXPECT_EQ(detailed.contains("Required Inlet Pressure =") && detailed.contains("33.56"), !known);
    }
    // The pressure found is the run's: made a known main, the job has none entered.
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) {
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Known Pressure at main");
        EXPECT_EQ(d.Control<QLineEdit>("PsiInDBNF")->text(), "");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Press(*form, "SelSystemEditBtn");
    EXPECT_TRUE(DMod->WorkPipeTablePsiIn->IsNull());

    // 700 gpm found at a main, 4 in PVC (bore 4.072) to 13+00 and 6 in SDR 26 (6.115) on: friction
    // 251.2612 + 64.0237 ft, enlargement 0.64 x (17.2459^2 - 7.6469^2) / 64.4 = 2.3748 ft, end energy
    // 200.9080: (518.5677 - 181) x 0.43344 = 146.32 psi; 13+00 made a reducer and in line again keeps it.
    form->OvcNotebook1->SetPageIndex(2);
    newNamedJob("Brown");
    driver.OnceForm("TPressureFrmMainDlg", [](ui::Form& d) {
        DialogDriver::Choose(d, "PressureSelectRadioGroup", "Find pressure at main");
        DialogDriver::KeyIn(d, "OvcDbNumericField1", "700");
        DialogDriver::Press(d, "OKBitBtn1");
    });
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pressurized lateral, known flow");
    driver.OnceForm("TGetPipeDlg", [](ui::Form& g) {   // the entrance's reach
        DialogDriver::Press(g, "ShowAllBtn");
        testsupport::PickPipe(g, "PVC SDR 21, 4 in, 200 psi");
    });
    driver.OnceForm("TProfInDlg", [](ui::Form& r) { DialogDriver::Press(r, "OKBitBtn"); });
    importProfile("0,186\n1300,204\n3700,200\n", "181");
    computeAgain();
    editNode(1300.0, "In line (normal)", nullptr, "PVC SDR 26, 6 in, 160 psi");
    EXPECT_DOUBLE_EQ(ProfValue(1, "K1"), -4.0);
    EXPECT_EQ(form->PumpResultsLbl->text(), "Required Inlet Pressure = 146.32 psi");
    const testsupport::StoredJob inLine = testsupport::StoredAnswer(*form);
    editNode(1300.0, "In line w/pressure reducer", "3");
    editNode(1300.0, "In line (normal)", nullptr);
    EXPECT_EQ(form->PumpResultsLbl->text(), "Required Inlet Pressure = 146.32 psi");
    testsupport::ExpectSameAsFresh(inLine, *form, QStringLiteral("reducer made in line"));
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


// Gravity first, then pumped with a turbine: the end row turns PUMPEND and is pinned at the
// outlet. 300 gpm in 5.995 in pipe: 120 + 20 x 2.3071244 + 0.18060 + 6.11805 - 100 = 72.44 ft.
TEST_F(PumpedJobsEndToEnd, GravityJobMadePumpedPinsItsEndAtTheOutlet)
{
    answer({{"TKnownFlowDlg", {{"FlowDBNF", "300"}, {"OvcDbNumericField2", "100"}}}, {"TPumpTurbineDlg", {}}});
    target = QStringLiteral("Turbine Pump");
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Gravity system, known flow");
    auto nodes = testsupport::PumpLine();
    for (testsupport::WorkNode& n : nodes) n.diaIn = 5.995;
    nodes[1].reachType = "GRAVEND";
    driver.OnceForm("TProfEntryDlg", [nodes](ui::Form& f) {
        testsupport::WriteEnteredProfile(nodes, 120.0, 20.0);
        DialogDriver::Press(f, "OKBtn");
    });
    DialogDriver::Press(*form, "OKBitBtn2");
    form->OvcNotebook1->SetPageIndex(0);
    DialogDriver::Choose(*form, "SysTypeRadioGroup", "Pumped system, known flow");
    computeAgain();
    EXPECT_EQ(testsupport::ProfText(1, "ReachType"), QStringLiteral("PUMPEND"));
    EXPECT_DOUBLE_EQ(PipeValue("TDH"), 72.44);
    EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("7-1/2"));
}

// The pump changed to every other kind once; 250 gpm from water at 95 ft to an outlet at 104
// ft (friction 4.3651, velocity head 0.1254 ft). After the booster's -100 the turbine draws
// from 95 ft again: 13.49 ft, 1.14 hp, a 2 hp motor; the tank, 5 ft of piping more, 18.49 ft.
TEST_F(PumpedJobsEndToEnd, PumpChangedToEveryOtherKindAnswersAsTheJobEnteredWithIt)
{
    testsupport::ReachesTakeSixInchPvc(driver);
    driver.OnForm("TSuctionDlg", [](ui::Form& s) {
        DialogDriver::KeyIn(s, "SuctionPipeLengthDBNF", "20");
        DialogDriver::Press(s, "PipeRchBtn");
        DialogDriver::Press(s, "OKBitBtn1");
    });
    const Keys eye = {{"FlowDBNF", "250"}, {"?OvcDbNumericField2", "95"}, {"OvcDbNumericField3", "98"}};
    answer({{"TPumpCentrifDlg", {{"FlowRateDBNF", "250"}, {"?WSDBNF", "95"}, {"EyeDBNF", "98"}, {"AltDBNF", "1000"},
                                 {"WTempDBNF", "60"}, {"+AddNodeBtn", ""}}},
            {"TPumpTurbineDlg", eye},
            {"TPumpPropellerDlg", {eye[0], eye[1], eye[2], {"OvcDbNumericField5", "2"}, {"OvcDbNumericField6", "80"}}},
            {"TPumpBoosterDlg", {{"FlowDBNF", "250"}, {"OvcDbNumericField2", "5"}, {"OvcDbNumericField3", "90"}}},
            {"TPumpAutoPresDlg", {eye[0], eye[1], eye[2], {"OvcDbNumericField4", "5"}, {"OvcDbNumericField7", "20"}}}});
    const std::map<QChar, std::pair<const char*, const char*>> kinds = {
        {'C', {"Centrifugal Pump", "TPumpCentrifDlg"}},  {'T', {"Turbine Pump", "TPumpTurbineDlg"}},
        {'P', {"Propeller Pump", "TPumpPropellerDlg"}}, {'B', {"Booster pump, any kind", "TPumpBoosterDlg"}},
        {'A', {"Automatic pressure tank pumped system", "TPumpAutoPresDlg"}}};
    QChar pump;
    auto choose = [&](QChar kind) {
        leaving = pump.isNull() ? QString() : QString::fromLatin1(kinds.at(pump).second);
        pump = kind;
        target = QString::fromLatin1(kinds.at(kind).first);
        form->SelSystemEditBtn->click();   // by the mouse, from wherever the focus is
    };
    auto dialogOf = [&](QChar kind) { return QString::fromLatin1(kinds.at(kind).second); };
    auto fresh = cycle(QStringLiteral("CTBTABAPBPACBCATPCPTC"), "0,100\n1000,104\n", choose, [&](const QString& step) {
        if (step != QLatin1String("BT") && step != QLatin1String("BA")) return;
        EXPECT_EQ(waterShown, QStringLiteral("95.0"));
        EXPECT_DOUBLE_EQ(PipeValue("TDH"), step == QLatin1String("BT") ? 13.49 : 18.49);
        EXPECT_EQ(PipeText("MotorHP"), QStringLiteral("2"));
    }, dialogOf);
    // Stored and loaded, the centrifugal pump offers Change Pump Type, and a booster is taken through it.
    testsupport::SameAnswerEveryWay(driver, *form);
    form->OvcNotebook1->SetPageIndex(0);
    choose('B');
    computeAgain();
    testsupport::ExpectSameAsFresh(fresh['B'], *form, QStringLiteral("CB of a stored job"));
}

// The system type changed to every other once (known and maximum flow from water at 110 ft, a
// booster at 1 psi, a main at 10 psi; 300 gpm down to 84 ft); then the node at 5+00 made a
// reducer at 2 psi, or a booster, and plain again answers as the node only edited.
TEST_F(PumpedJobsEndToEnd, SystemTypeChangedToEveryOtherAnswersAsTheJobEnteredInIt)
{
    testsupport::ReachesTakeSixInchPvc(driver);
    const Keys gravity = {{"FlowDBNF", "300"}, {"?OvcDbNumericField2", "110"}};
    answer({{"TKnownFlowDlg", gravity}, {"TFullFlowDlg", gravity},
            {"TPumpBoosterDlg", {{"FlowDBNF", "300"}, {"OvcDbNumericField2", "1"}, {"OvcDbNumericField3", "70"},
                                 {"OvcDbNumericField6", "80"}}},
            {"TPumpAutoPresDlg", {gravity[0], gravity[1], {"OvcDbNumericField3", "100"}}},
            {"TPressureFrmMainDlg", {{"!PressureSelectRadioGroup", "Known Pressure at main"}, {"PsiInDBNF", "10"},
                                     {"OvcDbNumericField1", "300"}}}});
    // P a booster pump, A a pressure tank.
    const QStringList items = form->SysTypeRadioGroup->Items();
    const QString dialogs[] = {"TKnownFlowDlg", "TFullFlowDlg", "TPumpBoosterDlg", "TPressureFrmMainDlg", "TPumpAutoPresDlg"};
    auto choose = [&](QChar type) {
        const QString item = items.at(QStringLiteral("GFPR").indexOf(type == 'A' ? QChar('P') : type));
        target = type == 'A' ? "Automatic pressure tank pumped system" : "Booster pump, any kind";
        if (items.value(form->SysTypeRadioGroup->ItemIndex()) == item) form->SelSystemEditBtn->click();
        else DialogDriver::Choose(*form, "SysTypeRadioGroup", item);
    };
    auto dialogOf = [&](QChar type) { return dialogs[QStringLiteral("GFPRA").indexOf(type)]; };
    cycle(QStringLiteral("GFPRGPFRPGRFGAFARAG"), "0,100\n500,95\n1000,84\n", choose, [](const QString&) {},
          dialogOf);
    auto makeNode = [this](const char* kind, const char* setPsi) { editNode(500.0, kind, setPsi); };
    makeNode("In line (normal)", nullptr);
    const testsupport::StoredJob plain = testsupport::StoredAnswer(*form);
    makeNode("In line w/pressure reducer", "2");
    EXPECT_DOUBLE_EQ(testsupport::ProfValue(1, "PsiSet"), 2.0);
    makeNode("In line (normal)", nullptr);
    testsupport::ExpectSameAsFresh(plain, *form, QStringLiteral("reducer made plain"));
    driver.OnceForm("TPumpLineBoosterDlg", [](ui::Form& b) { DialogDriver::Press(b, "OKBitBtn1"); });
    makeNode("In line w/booster pump", nullptr);
    form->OvcNotebook1->SetPageIndex(0);
    driver.ClearLog();
    choose('P');   // refused, saying why: a pumped line can have no booster node
    EXPECT_TRUE(driver.MessageTexts().value(0).startsWith("The in-line booster pump at 5+00 can't stay in a pumped"));
    EXPECT_EQ(testsupport::PipeText("SysType"), QStringLiteral("GRAVITY"));
    driver.ClearLog();
    choose('F');   // nor can a wide open one: its flow search has no booster in it
    EXPECT_EQ(driver.MessageTexts().value(0), "The in-line booster pump at 5+00 can't stay in a wide open pipeline. "
                                              "Make that node another kind first, then change the system type.");
    EXPECT_EQ(testsupport::PipeText("SysType"), QStringLiteral("GRAVITY"));
    makeNode("In line (normal)", nullptr);
    testsupport::ExpectSameAsFresh(plain, *form, QStringLiteral("booster made plain"));
}

} // namespace
