// The air-vacuum valve calculator driven as a user would: its pages, the
// orifice computation on the output page and its job commands.
#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include "dialogs/jobs/save_tool_job_dialog.h"
#include "dialogs/calculators/air_vacuum_calculator.h"
#include "engine/air_vacuum_orifice.h"
#include "mainwindow/mersol_window.h"
#include "model/job_transfer.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "platform/db/db.h"

#include <QDir>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using testsupport::JobStore;

namespace {

class AirVacDlgTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::QtApp(); }

    TDMod& d() { return store.Dm(); }

    // Shows the calculator modally and acts on it while it is up.
    void Run(std::function<void(TAirVacDlg&)> act)
    {
        driver.OnceForm("TAirVacDlg", [&](ui::Form& f) { act(static_cast<TAirVacDlg&>(f)); });
        AirVacDlg = new TAirVacDlg(nullptr);
        AirVacDlg->ShowModal();
        delete AirVacDlg;
        AirVacDlg = nullptr;
    }

    // New Job, a name, and a PVC pipe typed in: OD 6 in, wall `wall` in,
    // on a slope of 0.05 filled at 1 ft/s, air 0.08 lb/cu ft.
    static void TypedPvcJob(TAirVacDlg& f, const QString& name, const QString& wall = "0.1")
    {
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::Type(f, "JobNameDBEdit", name);
        DialogDriver::Type(f, "JobLocationDBSF", "North slope");
        DialogDriver::Type(f, "PipeMaterialSelection", "PVC");
        DialogDriver::Check(f, "PipeSourceChkBx", false);
        // Leaving the box for a typed pipe turns to its pipe data.
        DialogDriver::Focus(f, "JobClassDBSF");
        DialogDriver::Type(f, "ThickDBNF", wall);
        DialogDriver::Type(f, "ODDBNF", "6");
        DialogDriver::Type(f, "SlopeDBNF", "0.05");
        DialogDriver::Type(f, "FillVelDBNF", "1");
        DialogDriver::Type(f, "OvcDbNumericField3", "0.08");
        DialogDriver::Focus(f, "Button2");
    }

    static QString Shown(TAirVacDlg& f, const char* name) { return f.Control<QLabel>(name)->text(); }

    // A stored job made without the dialog.
    int StoreJob(const QString& name, bool slopeGiven, double vacQ)
    {
        db::Table* w = d().WorkAvacTable;
        JobStore::FreshRow(w);
        d().WorkAvacTableJobName->SetAsString(name);
        d().WorkAvacTablePipeMaterial->SetAsString("PVC");
        d().WorkAvacTableSelectPipeDB->SetAsBoolean(false);
        d().WorkAvacTableSlpeGiven->SetAsBoolean(slopeGiven);
        d().WorkAvacTableVacQ->SetAsFloat(vacQ);
        d().WorkAvacTableSlope->SetAsFloat(0.05);
        d().WorkAvacTableOD->SetAsFloat(6.0);
        d().WorkAvacTableDiaIn->SetAsFloat(5.8);
        d().WorkAvacTablePipeWallT->SetAsFloat(0.1);
        d().WorkAvacTableModulus->SetAsFloat(400000);
        d().WorkAvacTableFillVel->SetAsFloat(1.0);
        d().WorkAvacTableAirDen->SetAsFloat(0.08);
        d().WorkAvacTableFlowCoef->SetAsFloat(0.6);
        w->Post();
        Tul->SaveState = 0;
        EXPECT_TRUE(JobTrans->StoreAirVacJob());
        w->Close();
        return Tul->JobNumber;
    }

    DialogDriver driver;
    JobStore store;
};

} // namespace

TEST_F(AirVacDlgTest, TypedPvcPipeGivesTheHandWorkedOrificesAndAThickWallIsCapped)
{
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Ridge line");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Job will be saved as Ridge line."});
        // The material's constants and the inside diameter two walls in.
        EXPECT_DOUBLE_EQ(d().WorkAvacTableCfac->AsFloat(), 150);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableModulus->AsFloat(), 400000);
        EXPECT_DOUBLE_EQ(d().WorkAvacTablePoissonsRatio->AsFloat(), 0.38);
        EXPECT_NEAR(d().WorkAvacTableDiaIn->AsFloat(), 5.8, 1e-9);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableAirDen->AsFloat(), 0.08);
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 1);

        DialogDriver::Press(f, "Button2");
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 2);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacQ->AsFloat(), 932);
        EXPECT_DOUBLE_EQ(d().WorkAvacTablePCollapse->AsFloat(), 4.3);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacOrifice->AsFloat(), 0.95);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableAirRelOrifice->AsFloat(), 0.34);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableFillQ->AsFloat(), 82);
        EXPECT_EQ(Shown(f, "OutVacOrifice"), "0.95");
        EXPECT_EQ(Shown(f, "OutFillQ"), "82");

        f.OvcNotebook1->SetPageIndex(1);
        DialogDriver::Type(f, "ThickDBNF", "0.5");
        DialogDriver::Focus(f, "Button2");
        DialogDriver::Press(f, "Button2");
        EXPECT_DOUBLE_EQ(d().WorkAvacTablePCollapse->AsFloat(), 5.0);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacOrifice->AsFloat(), 0.91);
        EXPECT_EQ(driver.MessageTexts().size(), 1);
        DialogDriver::Press(f, "CancelBtn");
    });
}

// A typed pipe's outside diameter, wall and inside diameter go in in any
// order, without a question while one is missing; the other diameter
// follows from the one typed last, also when the wall changes; a wall of
// half the outside diameter is refused with the reason and given back. The
// report waits for results.
TEST_F(AirVacDlgTest, ATypedPipeTakesItsSizesInAnyOrder)
{
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::KeyIn(f, "JobNameDBEdit", "Diameters");
        DialogDriver::Check(f, "PipeSourceChkBx", false);
        DialogDriver::Focus(f, "JobClassDBSF");
        driver.ClearLog();
        struct Step {
            const char* field;
            const char* typed;
            double od, in;   // what the two diameters then hold; 0: empty
        };
        const Step steps[] = {
            {"ODDBNF", "4.5", 4.5, 0},      // no wall yet: nothing asked, nothing computed
            {"ThickDBNF", "0.25", 4.5, 4.0},
            {"DiaInDBNF", "3.5", 4.0, 3.5},
            {"ThickDBNF", "0.5", 4.5, 3.5},   // from the inside diameter, typed last
            {"ODDBNF", "5", 5.0, 4.0},
            {"ThickDBNF", "0.2", 5.0, 4.6},   // from the outside diameter, typed last
        };
        for (const Step& st : steps) {
            SCOPED_TRACE(st.field);
            DialogDriver::KeyIn(f, st.field, st.typed);
            EXPECT_NE(f.ActiveControl(), f.Control<QWidget>(st.field));   // Tab went on
            EXPECT_NEAR(d().WorkAvacTableOD->AsFloat(), st.od, 1e-9);
            EXPECT_NEAR(d().WorkAvacTableDiaIn->AsFloat(), st.in, 1e-9);
        }
        EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join("|").toStdString();
        EXPECT_FALSE(f.QRDetailedSpdBtn->isEnabled());

        // A wall too thick for the outside diameter, or an outside diameter
        // too small for the wall, is given back where it was typed and keeps
        // the focus: the three values go on agreeing.
        const struct {
            const char* field;
            const char* typed;
            const char* shown;
        } refused[] = {{"ThickDBNF", "2.5", "0.200"}, {"ODDBNF", "0.3", "5.00"}};
        for (const auto& r : refused) {
            SCOPED_TRACE(r.field);
            driver.ClearLog();
            DialogDriver::KeyIn(f, r.field, r.typed);
            EXPECT_EQ(driver.MessageTexts(), QStringList{WallTooThickMessage()});
            EXPECT_EQ(f.ActiveControl(), f.Control<QWidget>(r.field));
            EXPECT_EQ(f.Control<QLineEdit>(r.field)->text(), r.shown);
            EXPECT_NEAR(d().WorkAvacTableOD->AsFloat(), 5.0, 1e-9);
            EXPECT_NEAR(d().WorkAvacTablePipeWallT->AsFloat(), 0.2, 1e-9);
            EXPECT_NEAR(d().WorkAvacTableDiaIn->AsFloat(), 4.6, 1e-9);
            DialogDriver::Escape(f);   // closes no calculator
            EXPECT_TRUE(f.isVisible());
        }
        EXPECT_FALSE(driver.FormsShown().contains("TSaveTJob"));
        EXPECT_EQ(WallTooThickMessage(),
                  "The pipe wall is too thick for the outside diameter: the outside diameter must be more than "
                  "twice the wall thickness.");
        DialogDriver::Press(f, "CancelBtn");
    });
}

// Previous Job on a calculator just opened shows the stored jobs from the
// first, ready to select or delete.
TEST_F(AirVacDlgTest, PreviousJobOnAFreshCalculatorListsTheJobsFromTheFirst)
{
    StoreJob("Beta", true, 0);
    StoreJob("Alpha", true, 0);
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "PrevJobBtn");
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 3);
        EXPECT_EQ(f.StatusBar1->PanelText(0), "Select or delete");
        EXPECT_EQ(d().JobAvacTableJobName->AsString(), "Alpha");
        EXPECT_EQ(f.LastPage(), 3);
        DialogDriver::Press(f, "CloseBtn");
    });
    EXPECT_FALSE(driver.FormsShown().contains("TSaveTJob"));
}

// A user's whole round with key strokes: New Job, a typed PVC pipe, Output
// (the hand-worked orifices), Save, the filling velocity doubled and saved,
// Close, the job loaded back with its change, deleted, gone for good.
// Doubling the filling velocity doubles the filling flow, 82 to 165 gpm
// (0.7854 x (5.8/12)^2 x 2 ft/s x 448.83), and widens the air release
// orifice by the root of 2, 0.34 to 0.48 in.
TEST_F(AirVacDlgTest, JourneyFromNewJobToADeletionThatLasts)
{
    QStringList first, second, reloaded;
    auto results = [&](TAirVacDlg& f) {
        return QStringList{Shown(f, "OutVacQ"), Shown(f, "OutPCollapse"), Shown(f, "OutVacOrifice"),
                           Shown(f, "OutAirRelOrifice"), Shown(f, "OutFillQ")};
    };
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::KeyIn(f, "JobNameDBEdit", "Ridge line");
        DialogDriver::KeyIn(f, "JobLocationDBSF", "North slope");
        DialogDriver::KeyIn(f, "PipeMaterialSelection", "PVC");
        DialogDriver::Check(f, "PipeSourceChkBx", false);
        DialogDriver::Key(f, Qt::Key_Tab);   // leaving the box turns to the pipe data
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 1);
        DialogDriver::KeyIn(f, "ODDBNF", "6");
        DialogDriver::KeyIn(f, "ThickDBNF", "0.1");
        DialogDriver::KeyIn(f, "SlopeDBNF", "0.05");
        DialogDriver::KeyIn(f, "FillVelDBNF", "1");
        DialogDriver::KeyIn(f, "OvcDbNumericField3", "0.08");
        DialogDriver::Press(f, "Button2");
        first = results(f);
        EXPECT_TRUE(f.QRDetailedSpdBtn->isEnabled());
        driver.OnceForm("TSaveTJob", [](ui::Form& p) { DialogDriver::Press(p, "OKBitBtn"); });
        DialogDriver::Press(f, "SaveJobBtn");
        f.OvcNotebook1->SetPageIndex(1);
        DialogDriver::KeyIn(f, "FillVelDBNF", "2");
        DialogDriver::Press(f, "Button2");
        second = results(f);
        driver.OnceForm("TSaveTJob", [](ui::Form& p) { DialogDriver::Press(p, "OKBitBtn"); });
        DialogDriver::Press(f, "SaveJobBtn");
        DialogDriver::Press(f, "CloseBtn");
    });
    EXPECT_EQ(first, (QStringList{"932", "4.3", "0.95", "0.34", "82"}));
    EXPECT_EQ(second, (QStringList{"932", "4.3", "0.95", "0.48", "165"}));
    EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 2);   // the two saves, none at Close

    driver.ClearLog();
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "PrevJobBtn");
        DialogDriver::Enter(f);   // Return in the list loads the job it highlights
        f.OvcNotebook1->SetPageIndex(2);
        reloaded = results(f);
        f.OvcNotebook1->SetPageIndex(3);
        DialogDriver::Press(f, "DeleteBitBtn");
        DialogDriver::Press(f, "CloseBtn");
    });
    EXPECT_EQ(reloaded, second);
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "PrevJobBtn");
        DialogDriver::Press(f, "CloseBtn");
    });
    EXPECT_EQ(driver.MessageTexts(), (QStringList{"Do you really want to delete Ridge line?",
                                                  "There are no previous jobs available."}));
    EXPECT_FALSE(driver.FormsShown().contains("TSaveTJob"));
}

TEST_F(AirVacDlgTest, MaterialsSetTheirConstantsAndAnUnknownOneIsRefused)
{
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Materials");
        f.OvcNotebook1->SetPageIndex(0);
        DialogDriver::Type(f, "PipeMaterialSelection", "PE");
        DialogDriver::Focus(f, "JobClassDBSF");
        EXPECT_DOUBLE_EQ(d().WorkAvacTableCfac->AsFloat(), 145);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableModulus->AsFloat(), 100000);
        EXPECT_DOUBLE_EQ(d().WorkAvacTablePoissonsRatio->AsFloat(), 0.45);

        driver.ClearLog();
        DialogDriver::Type(f, "PipeMaterialSelection", "Copper");
        DialogDriver::Focus(f, "JobClassDBSF");
        const QString refused = "Unknown pipe material \"Copper\": please select PVC, Steel or PE";
        EXPECT_EQ(driver.MessageTexts(), QStringList{refused});
        EXPECT_EQ(f.ActiveControl(), static_cast<QWidget*>(f.PipeMaterialSelection));
        // Left as it is, the output page computes nothing from it.
        f.OvcNotebook1->SetPageIndex(2);
        EXPECT_EQ(driver.MessageTexts().last(), refused);
        for (db::Field* r : {d().WorkAvacTableVacOrifice, d().WorkAvacTableAirRelOrifice, d().WorkAvacTablePCollapse,
                             d().WorkAvacTableFillQ, d().WorkAvacTableVacQ})
            EXPECT_TRUE(r->IsNull()) << r->FieldName().toStdString();
        EXPECT_EQ(Shown(f, "OutVacOrifice"), "");
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, MissingInputsOnTheOutputPageAreNamedAndLeaveNoResult)
{
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Zero air");
        DialogDriver::Type(f, "OvcDbNumericField3", "");
        DialogDriver::Focus(f, "Button2");
        DialogDriver::Press(f, "Button2");
        EXPECT_EQ(driver.MessageTexts().last(), "You must enter the air density");
        EXPECT_TRUE(d().WorkAvacTableVacOrifice->IsNull());

        f.OvcNotebook1->SetPageIndex(1);
        DialogDriver::Type(f, "OvcDbNumericField3", "0.08");
        DialogDriver::Type(f, "SlopeDBNF", "0");
        DialogDriver::Focus(f, "Button2");
        DialogDriver::Press(f, "Button2");
        EXPECT_EQ(driver.MessageTexts().last(), "You must enter the pipe slope");
        for (db::Field* r : {d().WorkAvacTableVacOrifice, d().WorkAvacTablePCollapse, d().WorkAvacTableVacQ})
            EXPECT_TRUE(r->IsNull());
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, EveryNewJobStartsFromTheLocalDefaults)
{
    for (bool defaultsOpen : {true, false}) {
        if (defaultsOpen)
            d().DefLocTable->Open();
        Run([&](TAirVacDlg& f) {
            for (int round = 0; round < 2; ++round) {
                DialogDriver::Press(f, "NewJobBtn");
                EXPECT_EQ(Tul->SaveState, 0);
                EXPECT_DOUBLE_EQ(d().WorkAvacTableFillVel->AsFloat(), 1.0) << round;
                EXPECT_EQ(d().WorkAvacTablePipeMaterial->AsString(), "PVC") << round;
                EXPECT_DOUBLE_EQ(d().WorkAvacTableAirDen->AsFloat(), 0.0765) << round;
                EXPECT_DOUBLE_EQ(d().WorkAvacTableFlowCoef->AsFloat(), 0.6) << round;
                EXPECT_TRUE(d().WorkAvacTableSelectPipeDB->AsBoolean());
                EXPECT_TRUE(d().WorkAvacTableSlpeGiven->AsBoolean());
                EXPECT_EQ(d().WorkAvacTableDate->AsString(), QDate::currentDate().toString("MM/dd/yyyy"));
                EXPECT_EQ(d().WorkAvacTable->RecordCount(), 1);
                EXPECT_EQ(d().DefLocTable->Active(), defaultsOpen);
                // Changed before the next New Job, which drops them unsaved.
                d().WorkAvacTableFillVel->SetAsFloat(3.5);
                d().WorkAvacTableAirDen->SetAsFloat(0.09);
                Tul->SaveState = 2;
            }
            DialogDriver::Press(f, "CancelBtn");
        });
        d().DefLocTable->Close();
    }
}

TEST_F(AirVacDlgTest, ShowingDisablesThePagesUntilAJobIsBegun)
{
    Run([&](TAirVacDlg& f) {
        EXPECT_FALSE(f.OvcNotebook1->isEnabled());
        EXPECT_EQ(f.StatusBar1->PanelText(0), "Make Selection");
        EXPECT_EQ(d().ToolKind, 6);
        EXPECT_TRUE(d().WorkAvacTable->IsEmpty());
        // No name yet: the other pages are refused.
        DialogDriver::Press(f, "NewJobBtn");
        f.OvcNotebook1->setCurrentIndex(2);
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 0);
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Please enter a Job Name"});
        DialogDriver::Press(f, "CancelBtn");
    });
    EXPECT_TRUE(Tul->Cancelled);
    EXPECT_FALSE(d().WorkTablesFree);
    EXPECT_EQ(Tul->SaveState, 2);
}

TEST_F(AirVacDlgTest, SavedJobIsListedAndLoadsWithItsDrainingMethod)
{
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Ridge line");
        DialogDriver::Press(f, "Button2");
        QString prompted;
        driver.OnceForm("TSaveTJob", [&](ui::Form& s) {
            prompted = s.Control<QLabel>("JobNameLbl")->text();
            DialogDriver::Press(s, "OKBitBtn");
        });
        DialogDriver::Press(f, "SaveJobBtn");
        EXPECT_EQ(prompted, "Ridge line");
        EXPECT_EQ(Tul->SaveState, 2);
        EXPECT_FALSE(f.SaveJobBtn->isEnabled());
        const int number = Tul->JobNumber;
        EXPECT_EQ(f.CalcJobNumber, number);
        EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), number);
        // Its own name, typed again, is no other job's.
        driver.ClearLog();
        f.OvcNotebook1->SetPageIndex(0);
        DialogDriver::Type(f, "JobNameDBEdit", "Ridge line");
        DialogDriver::Focus(f, "JobLocationDBSF");
        EXPECT_TRUE(driver.MessageTexts().isEmpty());

        // A second job drains at a known flow.
        TypedPvcJob(f, "Known drain");
        f.OvcNotebook1->SetPageIndex(1);
        f.SlopeRadioGroup->ClickItem(1);
        EXPECT_FALSE(f.SlopeGivenMode());
        DialogDriver::Type(f, "QDrainDBNF", "500");
        DialogDriver::Focus(f, "Button2");
        DialogDriver::Press(f, "Button2");
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacOrifice->AsFloat(), 0.69);
        driver.OnceForm("TSaveTJob", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(f, "NewJobBtn");   // offers the save first
        EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 2);

        DialogDriver::Press(f, "PrevJobBtn");
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 3);
        auto* grid = ui::DBGrid::Of(f.DBGrid2);
        ASSERT_EQ(grid->RowCount(), 2);
        EXPECT_EQ(grid->CellText(0, 0), "Known drain");
        grid->SelectRow(0);
        DialogDriver::Press(f, "LoadBitBtn");
        EXPECT_EQ(f.SlopeRadioGroup->ItemIndex(), 1);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacQ->AsFloat(), 500);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacOrifice->AsFloat(), 0.69);
        EXPECT_EQ(f.StatusBar1->PanelText(1), "Job Name: Known drain");
        EXPECT_EQ(Tul->SaveState, 2);   // nothing to save until it is edited
        // A typed pipe lands on its pipe data.
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 1);

        f.OvcNotebook1->SetPageIndex(3);
        grid->SelectRow(1);
        DialogDriver::Press(f, "LoadBitBtn");
        EXPECT_EQ(f.SlopeRadioGroup->ItemIndex(), 0);
        EXPECT_TRUE(f.SlopeGivenMode());
        EXPECT_DOUBLE_EQ(d().WorkAvacTableVacQ->AsFloat(), 932);
        EXPECT_EQ(f.CalcJobName, "Ridge line");
        EXPECT_EQ(f.CalcJobNumber, number);

        // A new job may not take a stored name.
        driver.ClearLog();
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::Type(f, "JobNameDBEdit", "Known drain");
        DialogDriver::Focus(f, "JobLocationDBSF");
        EXPECT_EQ(driver.MessageTexts().last(), "Job name already used, please enter a unique name.");
        EXPECT_EQ(f.ActiveControl(), static_cast<QWidget*>(f.JobNameDBEdit));
        Tul->SaveState = 2;
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, PreviousJobWithNoStoredJobsInformsAndNewJobStillWorks)
{
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "PrevJobBtn");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"There are no previous jobs available."});
        EXPECT_FALSE(f.PrevJobBtn->isEnabled());
        EXPECT_FALSE(d().JobAvacTable->Active());
        DialogDriver::Press(f, "NewJobBtn");
        EXPECT_TRUE(f.OvcNotebook1->isEnabled());
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, DeleteAsksFirstAndAnEmptyListDeletesNothing)
{
    StoreJob("First", true, 0);
    StoreJob("Second", true, 0);
    Run([&](TAirVacDlg& f) {
        // The list was never opened.
        f.DeleteBitBtnClick();
        EXPECT_TRUE(driver.MessageTexts().isEmpty());

        DialogDriver::Press(f, "PrevJobBtn");
        ui::DBGrid::Of(f.DBGrid2)->SelectRow(1);
        driver.Answer(ui::mrNo);
        DialogDriver::Press(f, "DeleteBitBtn");
        EXPECT_EQ(driver.MessageTexts(), QStringList{"Do you really want to delete Second?"});
        EXPECT_EQ(d().JobAvacTable->RecordCount(), 2);
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        driver.Answer(ui::mrYes);
        DialogDriver::Press(f, "DeleteBitBtn");
        EXPECT_TRUE(d().JobAvacTable->IsEmpty());
        driver.ClearLog();
        DialogDriver::Press(f, "DeleteBitBtn");
        EXPECT_TRUE(driver.MessageTexts().isEmpty());
        Tul->SaveState = 2;
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, ExportedJobImportsAsTheStoredJobOfItsName)
{
    const int number = StoreJob("Shared", false, 640);
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Outgoing");
        driver.OnceForm("TSaveTJob", [](ui::Form& s) { DialogDriver::Press(s, "ExportBtn"); });
        DialogDriver::Press(f, "SaveJobBtn");
        EXPECT_EQ(driver.MessageTexts().last(),
                  "The Job has been exported  to the 'Mersol Transfer' directory:\n" +
                      QDir::toNativeSeparators(db::Engine::instance().AliasPath(db::kTransferAlias)));
        EXPECT_EQ(Tul->SaveState, 0);   // an export stores nothing

        // The transfer copy renamed to the stored job's name.
        d().TransAirvacTable->Open();
        d().TransAirvacTable->Edit();
        d().TransAirvacTable->FieldByName("JobName")->SetAsString("Shared");
        d().TransAirvacTable->Post();
        d().TransAirvacTable->Close();

        driver.OnceForm("TSaveTJob", [](ui::Form& s) { DialogDriver::Press(s, "NoBitBtn"); });
        f.OvcNotebook1->SetPageIndex(3);
        DialogDriver::Press(f, "ImportJobBtn");
        EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 2);   // the unsaved job was offered first
        EXPECT_EQ(d().WorkAvacTableJobName->AsString(), "Shared");
        EXPECT_EQ(d().WorkAvacTableJobNumber->AsInteger(), number);
        EXPECT_EQ(Tul->SaveState, 1);
        EXPECT_EQ(f.CalcJobName, "Shared");
        EXPECT_EQ(f.OvcNotebook1->PageIndex(), 1);   // its typed pipe
        EXPECT_DOUBLE_EQ(d().WorkAvacTableOD->AsFloat(), 6.0);
        Tul->SaveState = 2;
        DialogDriver::Press(f, "CancelBtn");
    });
}

TEST_F(AirVacDlgTest, CloseWithChangesOffersTheSavePromptAndCancelDoesNot)
{
    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Closing");
        driver.OnceForm("TSaveTJob", [](ui::Form& s) { DialogDriver::Press(s, "OKBitBtn"); });
        DialogDriver::Press(f, "CloseBtn");
    });
    EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 1);
    EXPECT_FALSE(Tul->Cancelled);
    EXPECT_EQ(Tul->SaveState, 2);
    d().JobAvacTable->Open();
    EXPECT_TRUE(d().JobAvacTable->Locate("JobName", "Closing"));
    EXPECT_FALSE(d().WorkAvacTable->Active());
    EXPECT_FALSE(d().PipeTable->Filtered());

    Run([&](TAirVacDlg& f) {
        TypedPvcJob(f, "Dropped");
        DialogDriver::Press(f, "CancelBtn");
    });
    EXPECT_EQ(driver.FormsShown().count("TSaveTJob"), 1);
    EXPECT_FALSE(d().JobAvacTable->Locate("JobName", "Dropped"));
}

TEST_F(AirVacDlgTest, APipeFromTheDatabaseBringsItsSizesAndModulus)
{
    Run([&](TAirVacDlg& f) {
        DialogDriver::Press(f, "NewJobBtn");
        DialogDriver::Type(f, "JobNameDBEdit", "From list");
        DialogDriver::Focus(f, "JobLocationDBSF");
        EXPECT_TRUE(f.GroupBox3->isEnabled());
        EXPECT_FALSE(f.PipeGroupBox->isEnabled());
        auto* grid = ui::DBGrid::Of(f.PipeDBGrid);
        ASSERT_GT(grid->RowCount(), 0);
        grid->SelectRow(0);
        const double id = d().PipeTableIDin->AsFloat();
        const double wall = d().PipeTableWallThickin->AsFloat();
        EXPECT_GE(id, 0.5);
        EXPECT_LE(id, 48.0);
        f.PipeDBGridDblClick();
        EXPECT_EQ(d().WorkAvacTablePipeDescription->AsString(), d().PipeTablePipeDescription->AsString());
        EXPECT_DOUBLE_EQ(d().WorkAvacTableDiaIn->AsFloat(), id);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableOD->AsFloat(), id + 2 * wall);
        EXPECT_DOUBLE_EQ(d().WorkAvacTableModulus->AsFloat(), d().PipeTableModulus->AsFloat());
        EXPECT_EQ(f.SelectedPipeLbl->text(), d().PipeTablePipeDescription->AsString());
        Tul->SaveState = 2;
        DialogDriver::Press(f, "CancelBtn");
    });
    // Cancel leaves the pipe lists unfiltered for the editors, as Close does.
    EXPECT_FALSE(d().TypeTable->Filtered());
    EXPECT_FALSE(d().PipeTable->Filtered());
}

TEST_F(AirVacDlgTest, ToolsMenuOpensTheCalculatorAndDeletesItAfterwards)
{
    auto* window = new TMersolForm();
    MersolForm = window;
    QString caption;
    driver.OnceForm("TAirVacDlg", [&](ui::Form& f) {
        caption = f.Caption();
        EXPECT_EQ(d().ToolKind, 6);
        DialogDriver::Press(f, "CloseBtn");
    });
    window->AirVacCalculator1->trigger();
    EXPECT_EQ(caption, "Air-Vac Calculator");
    EXPECT_EQ(AirVacDlg, nullptr);
    EXPECT_FALSE(Tul->Cancelled);
    // The window is deleted without closing it: its close would end the
    // program's single objects.
    delete window;
    MersolForm = nullptr;
}
