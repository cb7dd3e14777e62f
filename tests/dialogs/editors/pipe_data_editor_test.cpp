// The pipe data editor on a temporary database holding the shipped pipes:
// read-only and edit modes, sizes from the nominal diameter, marks, filters,
// sorting, deletion, printing and the weight calculator.
#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/editors/pipe_weight_calculator.h"
#include "dialogs/dialog_helpers.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/report/preview.h"
#include "platform/report/report.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/statusbar.h"
#include "support/dialogdriver.h"
#include "support/workjob.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using testsupport::WorkJob;

namespace {

const QString kPipe = QStringLiteral("PVC SDR 21, 1 in, 200 psi");

class PipeDataEditor : public ::testing::Test {
protected:
    WorkJob job;
    DialogDriver driver;
    std::vector<int> previewRows;   // rows of PipeTable seen by each preview
    report::PreviewHook oldHook;

    void SetUp() override
    {
        oldHook = report::SetPreviewHook(
            [this](report::Document&, QWidget*) { previewRows.push_back(DMod->PipeTable->RecordCount()); });
    }
    void TearDown() override { report::SetPreviewHook(oldHook); }

    // Shows the editor; `inside` acts on it while it is open.
    void Show(const std::function<void(TPipeDataForm&)>& inside)
    {
        driver.OnceForm("TPipeDataForm", [&](ui::Form& f) { inside(static_cast<TPipeDataForm&>(f)); });
        ShowOwned(PipeDataForm, nullptr);
    }

    static void GoTo(const QString& description)
    {
        ASSERT_TRUE(DMod->PipeTable->Locate(QStringLiteral("Pipe Description"), description)) << description.toStdString();
    }

    // The stored row of a pipe, read through a fresh opening.
    static QVariant Stored(const QString& description, const char* field)
    {
        db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
        t.Open();
        if (!t.Locate(QStringLiteral("Pipe Description"), description))
            return {};
        return t.FieldByName(QString::fromLatin1(field))->Value();
    }

    static int AllPipes()
    {
        db::Table t(db::kMersolAlias, QStringLiteral("PipeType.DB"));
        t.Open();
        return t.RecordCount();
    }

    static void SetDensity(const QString& material, double density)
    {
        db::Table* t = DMod->TypeTable;
        t->Open();
        ASSERT_TRUE(t->Locate(QStringLiteral("PipeType"), material));
        t->Edit();
        DMod->TypeTableWtPerCuIn->SetAsFloat(density);
        t->Post();
        t->Close();
    }
};

// (pi/4)(4.5^2 - 4.0^2) x 12 x 0.05 = (pi/4)(4.25)(0.6) = 2.00277 lb/ft.
TEST(PipeWeight, FromTheOutsideOrTheInsideDiameter)
{
    const PipeWeight fromOd = WeightPerFoot(4.5, 0.0, 0.25, 0.05);
    EXPECT_DOUBLE_EQ(fromOd.id, 4.0);
    EXPECT_NEAR(fromOd.perFoot, 2.0028, 5e-5);
    // An inside diameter given with the outside one is recomputed from it.
    const PipeWeight both = WeightPerFoot(4.5, 3.9, 0.25, 0.05);
    EXPECT_DOUBLE_EQ(both.id, 4.0);
    EXPECT_DOUBLE_EQ(both.perFoot, fromOd.perFoot);
    const PipeWeight fromId = WeightPerFoot(0.0, 4.0, 0.25, 0.05);
    EXPECT_DOUBLE_EQ(fromId.od, 4.5);
    EXPECT_DOUBLE_EQ(fromId.perFoot, fromOd.perFoot);
}

TEST_F(PipeDataEditor, OpensReadOnlyAndTheEditButtonTogglesEditMode)
{
    Show([&](TPipeDataForm& f) {
        EXPECT_FALSE(f.EditMode());
        EXPECT_FALSE(f.InsertBtn->isEnabled());
        EXPECT_FALSE(f.CalcSpeedBtn->isVisible());
        EXPECT_EQ(DMod->PipeTable->IndexName(), QStringLiteral("DiaIndex"));
        EXPECT_EQ(DMod->PipeTable->RecNo(), 1);
        EXPECT_EQ(f.StatusBar1->PanelText(0), QStringLiteral("View pipe records"));
        // Typing in read-only mode changes nothing.
        GoTo(kPipe);
        DialogDriver::Type(f, "RatingNF", "26");
        DialogDriver::Focus(f, "NfacNF");
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Browse);

        DialogDriver::Press(f, "HandleEditBtn");
        EXPECT_TRUE(f.EditMode());
        EXPECT_EQ(f.Caption(), QStringLiteral("Review or Edit Pipe Data [Edit Mode]"));
        EXPECT_EQ(f.HandleEditBtn->text(), QStringLiteral("Stop Edit"));
        EXPECT_TRUE(f.CalcSpeedBtn->isVisible());
        EXPECT_TRUE(f.DeleteBtn->isEnabled());
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Edit);
        DialogDriver::Type(f, "RatingNF", "26");
        DialogDriver::Press(f, "HandleEditBtn");
        EXPECT_FALSE(f.EditMode());
        EXPECT_EQ(f.Caption(), QStringLiteral("Review or Edit Pipe Data [Read Only Mode]"));
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Browse);
    });
    EXPECT_DOUBLE_EQ(Stored(kPipe, "Rating").toDouble(), 26.0);
    EXPECT_FALSE(DMod->PipeTable->Active());
    EXPECT_FALSE(DMod->TypeTable->Active());
    EXPECT_TRUE(DMod->PipeData->AutoEdit);
}

TEST_F(PipeDataEditor, NominalDiameterGivesTheSizeTruncated)
{
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        DialogDriver::Press(f, "HandleEditBtn");
        for (auto [typed, size] : {std::pair{"1.25", 125}, {"0.75", 75}, {"1.15", 114}}) {
            DialogDriver::Type(f, "OvcDbSimpleFieldND", QString::fromLatin1(typed));
            DialogDriver::Focus(f, "PressRtngNF");
            EXPECT_EQ(DMod->PipeTablePSize->AsInteger(), size) << typed;
            EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Edit);
        }
    });
    EXPECT_EQ(Stored(kPipe, "PSize").toInt(), 114);
}

TEST_F(PipeDataEditor, InsertedPipeTakesItsMaterialAndADuplicateIsRefused)
{
    const int before = AllPipes();
    Show([&](TPipeDataForm& f) {
        DialogDriver::Press(f, "HandleEditBtn");
        DialogDriver::Press(f, "InsertBtn");
        EXPECT_TRUE(f.Inserting());
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Insert);
        DialogDriver::Choose(f, "DBLookupComboBox1", QStringLiteral("Steel Sch"));
        DialogDriver::Focus(f, "PipeDescriptionEdit");   // the material box's exit fills the row
        EXPECT_EQ(DMod->PipeTablePipeDescription->AsString(), QStringLiteral("Steel Sch"));
        EXPECT_GT(DMod->PipeTableModulus->AsFloat(), 0.0);
        DialogDriver::Type(f, "PipeDescriptionEdit", QStringLiteral("Steel Sch 40, 7 in"));
        DialogDriver::Type(f, "IDNF", "7.023");
        DialogDriver::Type(f, "WallThickNF", "0.301");
        DialogDriver::Type(f, "OvcDbSimpleFieldND", "7");
        DialogDriver::Focus(f, "PressRtngNF");
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Edit);

        // The same pipe again: the key refuses it and a new row waits.
        DialogDriver::Press(f, "InsertBtn");
        DialogDriver::Choose(f, "DBLookupComboBox1", QStringLiteral("Steel Sch"));
        DialogDriver::Focus(f, "PipeDescriptionEdit");
        DialogDriver::Type(f, "PipeDescriptionEdit", QStringLiteral("Steel Sch 40, 7 in"));
        DialogDriver::Type(f, "IDNF", "7.023");
        DialogDriver::Type(f, "WallThickNF", "0.301");
        DialogDriver::Type(f, "OvcDbSimpleFieldND", "7");
        DialogDriver::Focus(f, "PressRtngNF");
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Insert);
    });
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{QStringLiteral("Input problem. Probably this pipe has already been entered. Try again.")});
    EXPECT_EQ(AllPipes(), before + 1);
    EXPECT_EQ(Stored(QStringLiteral("Steel Sch 40, 7 in"), "PSize").toInt(), 700);
    EXPECT_EQ(Stored(QStringLiteral("Steel Sch 40, 7 in"), "Pipe Type").toString(), QStringLiteral("Steel Sch"));
}

// A stored insert ends the insert: a later duplicate on an ordinary edit
// starts no blank row. Leaving the material box rewrites the description
// only when the material changed.
TEST_F(PipeDataEditor, AStoredNewPipeEndsTheInsertAndTheMaterialBoxKeepsATypedDescription)
{
    const int before = AllPipes();
    Show([&](TPipeDataForm& f) {
        DialogDriver::Press(f, "HandleEditBtn");
        DialogDriver::Press(f, "InsertBtn");
        DialogDriver::Choose(f, "DBLookupComboBox1", QStringLiteral("Steel Sch"));
        DialogDriver::Focus(f, "PipeDescriptionEdit");
        DialogDriver::Type(f, "PipeDescriptionEdit", QStringLiteral("Steel Sch 40, 7 in"));
        // Through the material box again without changing it: the description stays.
        DialogDriver::Focus(f, "DBLookupComboBox1");
        DialogDriver::Type(f, "IDNF", "7.023");
        EXPECT_EQ(DMod->PipeTablePipeDescription->AsString(), QStringLiteral("Steel Sch 40, 7 in"));
        DialogDriver::Type(f, "WallThickNF", "0.301");
        DialogDriver::Type(f, "OvcDbSimpleFieldND", "7");
        DialogDriver::Focus(f, "PressRtngNF");
        EXPECT_FALSE(f.Inserting());

        // The new pipe made the twin of a stored one (from a field whose exit
        // posts nothing): refused at the size, and no blank row.
        DialogDriver::Focus(f, "NfacNF");
        DMod->PipeTablePipeDescription->SetAsString(QStringLiteral("Steel Sch 40, 1 in, 3539 psi"));
        DMod->PipeTableIDin->SetAsFloat(1.049);
        DialogDriver::Type(f, "OvcDbSimpleFieldND", "1");
        DialogDriver::Focus(f, "NfacNF");
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Edit);
        EXPECT_EQ(DMod->PipeTablePipeDescription->AsString(), QStringLiteral("Steel Sch 40, 7 in"));

        // Another material is another pipe: its name and modulus replace the old ones.
        GoTo(kPipe);
        DMod->PipeTable->Edit();
        DialogDriver::Focus(f, "DBLookupComboBox1");
        DialogDriver::Focus(f, "NfacNF");
        EXPECT_EQ(DMod->PipeTablePipeDescription->AsString(), kPipe);
        DialogDriver::Choose(f, "DBLookupComboBox1", QStringLiteral("PVC Sch"));
        DialogDriver::Focus(f, "NfacNF");
        EXPECT_EQ(DMod->PipeTablePipeDescription->AsString(), QStringLiteral("PVC Sch"));
        EXPECT_EQ(DMod->PipeTablePType->AsInteger(), 3);
        DialogDriver::Press(f, "CancelBtn");
    });
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{QStringLiteral("Input problem. Probably this pipe has already been entered. Try again.")});
    EXPECT_EQ(AllPipes(), before + 1);
    EXPECT_DOUBLE_EQ(Stored(QStringLiteral("Steel Sch 40, 7 in"), "ID (in)").toDouble(), 7.023);
    EXPECT_EQ(Stored(kPipe, "Pipe Type").toString(), QStringLiteral("PVC SDR"));
}

// Each refusal names its field and puts the focus there; nothing is stored.
TEST_F(PipeDataEditor, APipeIsStoredOnlyWithDescriptionMaterialInsideDiameterAndWall)
{
    struct Case {
        const char* control;   // typed into, or the field set when the material is gone
        const char* typed;
        const char* said;
    } cases[] = {
        {"IDNF", "0", "The Inside Diameter (in) must be above 0."},
        {"WallThickNF", "0", "The Wall Thickness (in) must be above 0: the inside diameter must be less than the "
                             "outside diameter."},
        {"PipeDescriptionEdit", "", "Enter the Pipe Description."},
        {"DBLookupComboBox1", "Cast iron", "Choose the Pipe Type: every pipe needs a pipe material."},
    };
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        DialogDriver::Press(f, "HandleEditBtn");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.control);
            driver.ClearLog();
            if (QByteArray(c.control) == "DBLookupComboBox1")
                DMod->PipeTablePipeType->SetAsString(QString::fromLatin1(c.typed));   // a material since deleted
            else
                DialogDriver::Type(f, c.control, QString::fromLatin1(c.typed));
            DialogDriver::Press(f, "HandleEditBtn");
            EXPECT_EQ(driver.MessageTexts(), QStringList{QString::fromLatin1(c.said)});
            EXPECT_EQ(f.ActiveControl(), f.Control<QWidget>(QString::fromLatin1(c.control)));
            EXPECT_TRUE(f.EditMode());
            DialogDriver::Press(f, "CancelBtn");
        }

        // The weight calculator: two walls as wide as the pipe leave no bore.
        driver.ClearLog();
        GoTo(kPipe);
        DMod->PipeTable->Edit();
        driver.OnceForm("TCalcPipeWtDlg", [](ui::Form& c) {
            DialogDriver::Type(c, "ODNF", "0.5");
            DialogDriver::Type(c, "TNF", "0.25");
            DialogDriver::Press(c, "OKBtn");
        });
        DialogDriver::Press(f, "CalcSpeedBtn");
        EXPECT_EQ(driver.MessageTexts(),
                  QStringList{QStringLiteral("The wall thickness must be less than half the outside diameter.")});
        EXPECT_DOUBLE_EQ(DMod->PipeTableIDin->AsFloat(), 1.189);
    });
    EXPECT_DOUBLE_EQ(Stored(kPipe, "ID (in)").toDouble(), 1.189);
    EXPECT_DOUBLE_EQ(Stored(kPipe, "Wall Thick (in)").toDouble(), 0.063);
    EXPECT_EQ(Stored(kPipe, "Pipe Type").toString(), QStringLiteral("PVC SDR"));
}

// A filter that leaves nothing is said; a keystroke into the empty list
// starts no hidden row; a range from high to low is refused in its dialog.
TEST_F(PipeDataEditor, AFilterThatShowsNothingSaysSoAndAKeystrokeStartsNoRow)
{
    WorkJob::AddRow(DMod->TypeTable, {{"PipeType", "Clay tile"}, {"Cfactor", 110}, {"Nfactor", 0.013},
                                      {"Efactor", 0.001}});
    DMod->TypeTable->Close();
    const int all = AllPipes();
    Show([&](TPipeDataForm& f) {
        db::Table* t = DMod->PipeTable;
        DialogDriver::Press(f, "HandleEditBtn");
        driver.OnceForm("TFilterMaterialDlg", [](ui::Form& m) {
            ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("Clay tile")));
            DialogDriver::Press(m, "OKBtn");
        });
        f.PipeMaterial->trigger();
        EXPECT_EQ(driver.MessageTexts(),
                  QStringList{QStringLiteral("No pipe fits this choice: the list is empty. Show All lists every pipe.")});
        EXPECT_EQ(t->RecordCount(), 0);
        QTest::keyClicks(f.PipeDescriptionEdit, QStringLiteral("Clay 4 in"));
        EXPECT_EQ(t->State(), db::DataSetState::Browse);
        f.PipeMaterial->trigger();   // Cancel Pipe Material

        driver.ClearLog();
        driver.OnceForm("TFilterDiameterDlg", [&](ui::Form& d) {
            DialogDriver::Type(d, "LowNF", "12");
            DialogDriver::Type(d, "HighNF", "4");
            DialogDriver::Press(d, "OKBtn");
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.ActiveControl(), d.Control<QWidget>(QStringLiteral("LowNF")));
            DialogDriver::Press(d, "CancelBtn");
        });
        f.NominalDiameterRange->trigger();
        EXPECT_EQ(driver.MessageTexts(),
                  QStringList{QStringLiteral("The Low diameter must not be above the High diameter.")});
        EXPECT_EQ(t->RecordCount(), all);
    });
    EXPECT_EQ(AllPipes(), all);
}

TEST_F(PipeDataEditor, DeleteAsksInABoxTitledByThePipeAndWarnsOfStoredJobs)
{
    const int before = AllPipes();
    driver.Answer(ui::mrNo);
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        DialogDriver::Press(f, "HandleEditBtn");
        DialogDriver::Press(f, "DeleteBtn");
    });
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_TRUE(driver.Messages()[0].plainBox);
    EXPECT_EQ(driver.Messages()[0].text, QStringLiteral("Delete?"));
    EXPECT_EQ(driver.Messages()[0].caption, kPipe);
    EXPECT_EQ(AllPipes(), before);

    // A pipe of a stored job: the warning names the job; No keeps the pipe.
    WorkJob::AddRow(DMod->JobPipeTable, {{"JobName", "Creek"}});
    WorkJob::AddRow(DMod->JobProfTable, {{"JobNumber", DMod->JobPipeTableJobNumber->AsInteger()},
                                         {"Station", 0},
                                         {"PipeType", "PVC SDR"},
                                         {"DownStreamPipeDescription", kPipe}});
    DMod->JobPipeTable->Close();
    DMod->JobProfTable->Close();
    driver.ClearLog();
    driver.Answer(ui::mrNo);
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        DialogDriver::Press(f, "HandleEditBtn");
        DialogDriver::Press(f, "DeleteBtn");
    });
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{QStringLiteral("The pipe \"%1\" is used by these stored jobs: Creek.\nDelete it anyway?")
                              .arg(kPipe)});
    EXPECT_EQ(AllPipes(), before);

    driver.ClearLog();
    driver.Answer(ui::mrYes);
    driver.Answer(ui::mrYes);
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        DialogDriver::Press(f, "HandleEditBtn");
        DialogDriver::Press(f, "DeleteBtn");
    });
    EXPECT_EQ(driver.Messages().size(), 2u);
    EXPECT_EQ(AllPipes(), before - 1);
    EXPECT_FALSE(Stored(kPipe, "PSize").isValid());
}

TEST_F(PipeDataEditor, WeightCalculatorWritesDiameterWallAndWeightIntoThePipe)
{
    SetDensity(QStringLiteral("PVC SDR"), 0.05);
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        // Read-only: the calculator refuses and writes nothing.
        f.CalcSpeedBtnClick();
        EXPECT_EQ(driver.MessageTexts(), QStringList{QStringLiteral("Not in edit mode.")});
        EXPECT_TRUE(driver.Unanswered().isEmpty());   // it closed before it was shown
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Browse);

        DialogDriver::Press(f, "HandleEditBtn");
        // The material box last showed another material: the pipe's own counts.
        DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("Steel Sch"));
        driver.OnceForm("TCalcPipeWtDlg", [](ui::Form& c) {
            EXPECT_EQ(c.Control<QLineEdit>(QStringLiteral("IDNF"))->text(), QStringLiteral("1.189"));
            DialogDriver::Type(c, "ODNF", "4.5");
            DialogDriver::Type(c, "TNF", "0.25");
            DialogDriver::Press(c, "OKBtn");
        });
        DialogDriver::Press(f, "CalcSpeedBtn");
        EXPECT_DOUBLE_EQ(DMod->PipeTableIDin->AsFloat(), 4.0);
        EXPECT_DOUBLE_EQ(DMod->PipeTableWallThickin->AsFloat(), 0.25);
        EXPECT_NEAR(DMod->PipeTableWtPerFt->AsFloat(), 2.0028, 5e-5);

        // Missing entries are refused with their messages, nothing written.
        driver.ClearLog();
        for (auto [od, t] : {std::pair{"", "0.25"}, {"4.5", ""}}) {
            driver.OnceForm("TCalcPipeWtDlg", [od, t](ui::Form& c) {
                DialogDriver::Type(c, "IDNF", "");
                DialogDriver::Type(c, "ODNF", QString::fromLatin1(od));
                DialogDriver::Type(c, "TNF", QString::fromLatin1(t));
                DialogDriver::Press(c, "OKBtn");
            });
            DialogDriver::Press(f, "CalcSpeedBtn");
        }
        EXPECT_EQ(driver.MessageTexts(), (QStringList{QStringLiteral("You must enter either OD or ID"),
                                                      QStringLiteral("You must enter pipe wall thickness")}));
        EXPECT_DOUBLE_EQ(DMod->PipeTableIDin->AsFloat(), 4.0);
    });
    EXPECT_DOUBLE_EQ(Stored(kPipe, "ID (in)").toDouble(), 4.0);
    EXPECT_NEAR(Stored(kPipe, "WtPerFt").toDouble(), 2.0028, 5e-5);
}

TEST_F(PipeDataEditor, MarksFiltersAndSorting)
{
    const int all = AllPipes();
    Show([&](TPipeDataForm& f) {
        db::Table* t = DMod->PipeTable;
        GoTo(kPipe);
        DialogDriver::Press(f, "MarkSpeedButton1");
        EXPECT_TRUE(DMod->PipeTableMarked->AsBoolean());
        EXPECT_EQ(t->State(), db::DataSetState::Browse);

        // Show Only Marked twice returns to every pipe, leaving mode 1.
        f.ShowOnlyMarked1->trigger();
        EXPECT_EQ(t->RecordCount(), 1);
        f.ShowOnlyMarked1->trigger();
        EXPECT_EQ(t->RecordCount(), all);
        EXPECT_EQ(DMod->PipeFilterMode, 1);

        // Print Marked prints the marked pipes whatever is shown, then shows it again.
        f.PrintMarked1->trigger();
        EXPECT_EQ(previewRows, std::vector<int>{1});
        EXPECT_EQ(t->RecordCount(), all);
        f.PrintPipeList1->trigger();
        EXPECT_EQ(previewRows.back(), all);

        f.MarkAll1->trigger();
        f.ShowOnlyMarked1->trigger();
        EXPECT_EQ(t->RecordCount(), all);
        f.ClearAllMarked1->trigger();
        EXPECT_EQ(t->RecordCount(), 0);
        f.ShowAll1->trigger();
        EXPECT_EQ(t->RecordCount(), all);

        // One material: the one current when the dialog closes with OK.
        driver.OnceForm("TFilterMaterialDlg", [](ui::Form& m) {
            ASSERT_TRUE(DMod->TypeTable->Locate(QStringLiteral("PipeType"), QStringLiteral("Steel Sch")));
            DialogDriver::Press(m, "OKBtn");
        });
        f.PipeMaterial->trigger();
        EXPECT_EQ(f.PipeMaterial->text(), QStringLiteral("Cancel Pipe Material"));
        ASSERT_GT(t->RecordCount(), 0);
        for (t->First(); !t->Eof(); t->Next())
            EXPECT_EQ(DMod->PipeTablePipeType->AsString(), QStringLiteral("Steel Sch"));
        f.PipeMaterial->trigger();
        EXPECT_EQ(f.PipeMaterial->text(), QStringLiteral("Pipe Material"));
        EXPECT_EQ(t->RecordCount(), all);
        // Cancel picks no material and leaves the list as it was.
        driver.OnceForm("TFilterMaterialDlg", [](ui::Form& m) { DialogDriver::Press(m, "CancelBtn"); });
        f.PipeMaterial->trigger();
        EXPECT_EQ(f.PipeMaterial->text(), QStringLiteral("Pipe Material"));
        EXPECT_EQ(t->RecordCount(), all);

        // A range of nominal diameters, bounds included.
        driver.OnceForm("TFilterDiameterDlg", [](ui::Form& d) {
            EXPECT_EQ(d.Control<QLineEdit>(QStringLiteral("LowNF"))->text(), QStringLiteral("0.50"));
            DialogDriver::Type(d, "LowNF", "1");
            DialogDriver::Type(d, "HighNF", "2");
            DialogDriver::Press(d, "OKBtn");
        });
        f.NominalDiameterRange->trigger();
        ASSERT_GT(t->RecordCount(), 0);
        for (t->First(); !t->Eof(); t->Next()) {
            EXPECT_GE(DMod->PipeTablePSize->AsInteger(), 100);
            EXPECT_LE(DMod->PipeTablePSize->AsInteger(), 200);
        }
        const int inRange = t->RecordCount();
        driver.OnceForm("TFilterDiameterDlg", [](ui::Form& d) { DialogDriver::Press(d, "CancelBtn"); });
        f.NominalDiameterRange->trigger();
        EXPECT_EQ(t->RecordCount(), inRange);
        f.ShowAll1->trigger();

        // Sorting by material puts the rows in material order.
        f.Sortbymaterialtype1->trigger();
        EXPECT_EQ(t->IndexName(), QStringLiteral("PTypeIndex"));
        QString last;
        for (t->First(); !t->Eof(); t->Next()) {
            const QString m = DMod->PipeTablePipeType->AsString();
            EXPECT_LE(last.compare(m, Qt::CaseInsensitive), 0);
            last = m;
        }
        f.Sortbydiametermaterial1->trigger();
        EXPECT_EQ(t->IndexName(), QStringLiteral("DiaIndex"));
    });
    EXPECT_FALSE(DMod->PipeTable->Filtered());
}

TEST_F(PipeDataEditor, DoubleClickOnTheListEntersEditMode)
{
    Show([&](TPipeDataForm& f) {
        GoTo(kPipe);
        f.DBGrid1DblClick();
        EXPECT_TRUE(f.EditMode());
        EXPECT_EQ(DMod->PipeTable->State(), db::DataSetState::Edit);
        EXPECT_EQ(f.ActiveControl(), f.OvcDbSimpleFieldND);
        // Again while editing: still edit mode.
        f.DBGrid1DblClick();
        EXPECT_TRUE(f.EditMode());
    });
}

} // namespace
