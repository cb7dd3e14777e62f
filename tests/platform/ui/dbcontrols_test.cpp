// Data-aware bindings round-trip through a real table.
#include "support/dialogdriver.h"
#include "support/tempdb.h"

#include "platform/db/db.h"
#include "platform/db/memo_limit.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/form.h"
#include "platform/ui/radiogroup.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QtTest/QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const char* kScript = R"sql(
CREATE TABLE "WorkPipe.db"("JobName" ALPHA(20), "DesignFlow" NUMBER, "NumNodes" SHORT, "Date" ALPHA(10),
                           "JobNotes" MEMO(240), "DetailedML" LOGICAL, "SysType" ALPHA(10), "PumpType" ALPHA(20),
                           "PipeType" ALPHA(20));
INSERT INTO "WorkPipe.db" VALUES('Smith', 0, 3, '12/01/2005', 'notes', 0, 'FULLFLOW', 'CENTRIF', 'PVC');
CREATE TABLE "Pipe Material.DB"("PipeType" ALPHA(20), "PType" SHORT, PRIMARY KEY("PipeType"));
INSERT INTO "Pipe Material.DB" VALUES('Aluminum', 1), ('PVC', 2), ('Steel', 3);
CREATE TABLE "WorkProf.DB"("Station" NUMBER, "GroundElev" NUMBER, PRIMARY KEY("Station"));
INSERT INTO "WorkProf.DB" VALUES(0, 100), (1234, 98.5), (2000, 97);
)sql";

// A form with one control of each kind on the job header.
class BoundForm : public ui::Form {
public:
    explicit BoundForm(db::DataSource* src)
    {
        auto* lay = new QVBoxLayout(this);
        JobName = add(ui::Make<QLineEdit>(this, "JobName"));
        Flow = add(ui::Make<QLineEdit>(this, "Flow"));
        Nodes = add(ui::Make<QLineEdit>(this, "Nodes"));
        Date = add(ui::Make<QLineEdit>(this, "Date"));
        Notes = add(ui::Make<QPlainTextEdit>(this, "Notes"));
        Detailed = add(ui::Make<QCheckBox>(this, "Detailed", "Detailed minor losses"));
        Pump = add(ui::Make<QComboBox>(this, "Pump"));
        Pump->addItems({"CENTRIF", "TURBINE", "PROPELLER"});
        SysType = add(ui::Make<ui::RadioGroup>(this, "SysType", "System"));
        SysType->SetItems({"Gravity system, known flow", "Gravity system, maximum flow"});
        Label = add(ui::Make<QLabel>(this, "Label"));
        OK = add(ui::Make<QPushButton>(this, "OK", "OK"));
        new ui::DBEdit(JobName, src, "JobName");
        flow = new ui::DBNumericEdit(Flow, src, "DesignFlow", ui::NumericFormat::Picture("#####.##", 0.0, 5000.0));
        new ui::DBNumericEdit(Nodes, src, "NumNodes", ui::NumericFormat::Picture("###"));
        new ui::DBDateEdit(Date, src, "Date");
        new ui::DBMemo(Notes, src, "JobNotes", 10);
        new ui::DBCheckBox(Detailed, src, "DetailedML");
        new ui::DBComboBox(Pump, src, "PumpType");
        new ui::DBRadioGroup(SysType, src, "SysType", {"GRAVITY", "FULLFLOW"});
        new ui::DBText(Label, src, "DesignFlow", [](db::Field& f) { return QString::number(f.AsFloat(), 'f', 1) + " gpm"; });
        OnExit(JobName, [this, src] { exitSaw = src->DataSet()->FieldByName("JobName")->AsString(); });
    }
    template <class T> T* add(T* w) { layout()->addWidget(w); return w; }

    QLineEdit *JobName, *Flow, *Nodes, *Date;
    QPlainTextEdit* Notes;
    QCheckBox* Detailed;
    QComboBox* Pump;
    ui::RadioGroup* SysType;
    QLabel* Label;
    QPushButton* OK;
    ui::DBNumericEdit* flow;
    QString exitSaw;
};

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pipe.Open();
        form = std::make_unique<BoundForm>(&src);
        form->Show();
    }
    void TearDown() override { form->Close(); }
    QString stored(const QString& field)
    {
        db::Table t(db::kMersolAlias, "WorkPipe.db");
        t.Open();
        return t.FieldByName(field)->AsString();
    }

    DialogDriver driver;
    testsupport::TempDb temp{QString::fromUtf8(kScript)};
    db::Table pipe{db::kMersolAlias, "WorkPipe.db"};
    db::DataSource src{&pipe};
    std::unique_ptr<BoundForm> form;
};

TEST_F(BindingTest, ControlsShowTheRowAndZeroShowsEmptyWhereAsked)
{
    EXPECT_EQ(form->JobName->text(), "Smith");
    EXPECT_EQ(form->Nodes->text(), "3");
    EXPECT_EQ(form->Date->text(), "12/01/2005");
    EXPECT_EQ(form->Notes->toPlainText(), "notes");
    EXPECT_FALSE(form->Detailed->isChecked());
    EXPECT_EQ(form->Pump->currentText(), "CENTRIF");
    EXPECT_EQ(form->SysType->ItemIndex(), 1);   // code FULLFLOW is the second caption
    EXPECT_EQ(form->Label->text(), "0.0 gpm");
    EXPECT_EQ(form->Flow->text(), "0.00");

    ui::NumericFormat nf = ui::NumericFormat::Picture("####.#");
    nf.zeroShowsEmpty = true;
    EXPECT_EQ(nf.Text(0.0), "");
    EXPECT_EQ(nf.Text(12.345), "12.3");
    EXPECT_EQ(nf.intDigits, 4);
    EXPECT_EQ(nf.decimals, 1);
}

TEST_F(BindingTest, TypingEditsAndTheTextReachesTheRowBeforeTheExitHandler)
{
    DialogDriver::Type(*form, "JobName", "Jones");
    EXPECT_EQ(pipe.State(), db::DataSetState::Edit);
    EXPECT_EQ(pipe.FieldByName("JobName")->AsString(), "Smith");   // not yet written
    DialogDriver::Focus(*form, "Flow");
    EXPECT_EQ(form->exitSaw, "Jones");
    pipe.Post();
    EXPECT_EQ(stored("JobName"), "Jones");
}

TEST_F(BindingTest, EveryKindRoundTripsOnPost)
{
    DialogDriver::Type(*form, "Flow", "450.5");
    DialogDriver::Type(*form, "Nodes", "7");
    DialogDriver::Type(*form, "Date", "02/29/2008");
    DialogDriver::Type(*form, "Notes", "a very long note");
    DialogDriver::Check(*form, "Detailed", true);
    DialogDriver::Choose(*form, "Pump", "TURBINE");
    DialogDriver::Choose(*form, "SysType", "Gravity system, known flow");
    pipe.Post();   // the controls write what they hold before the row is stored
    EXPECT_EQ(stored("DesignFlow").toDouble(), 450.5);
    EXPECT_EQ(stored("NumNodes"), "7");
    EXPECT_EQ(stored("Date"), "02/29/2008");
    EXPECT_EQ(stored("JobNotes"), "a very lon");   // cut at the memo's limit of 10
    EXPECT_EQ(stored("DetailedML"), "True");
    EXPECT_EQ(stored("PumpType"), "TURBINE");
    EXPECT_EQ(stored("SysType"), "GRAVITY");
    EXPECT_EQ(form->Label->text(), "450.5 gpm");
    EXPECT_TRUE(driver.Messages().empty());
}

// Without a limit of its own a memo takes what a job's load accepts back; a
// paste beyond it is refused whole, with a tip, rather than cut.
TEST_F(BindingTest, AMemoTakesNoMoreNotesThanAJobCanCarry)
{
    auto* notes = ui::Make<QPlainTextEdit>(form.get(), "MoreNotes");
    auto* memo = new ui::DBMemo(notes, &src, "JobNotes");
    EXPECT_EQ(memo->MaxLength(), db::kMostMemoChars);
    notes->selectAll();
    notes->insertPlainText(QString(db::kMostMemoChars - 5, QLatin1Char('n')));
    QGuiApplication::clipboard()->setText("0123456789");
    QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(QToolTip::text().toStdString(), "The paste of 10 characters was not taken: this box holds at most "
                                              "32000 characters, and has room for 5 more.");
    QGuiApplication::clipboard()->setText("01234");
    QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(notes, Qt::Key_X);
    pipe.Post();
    EXPECT_EQ(stored("JobNotes").mid(db::kMostMemoChars - 10).toStdString(), "nnnnn01234");
}

TEST_F(BindingTest, InvalidTextIsRefusedAndKeepsTheFocus)
{
    DialogDriver::Type(*form, "Flow", "6000");
    DialogDriver::Focus(*form, "Nodes");
    ASSERT_EQ(driver.Messages().size(), 1u);
    EXPECT_EQ(driver.Messages()[0].text, "Value must be between 0.00 and 5000.00.");
    EXPECT_EQ(form->ActiveControl(), form->Flow);
    EXPECT_EQ(pipe.FieldByName("DesignFlow")->AsFloat(), 0.0);

    DialogDriver::Type(*form, "Flow", "12");
    DialogDriver::Type(*form, "Date", "13/45/2005");
    DialogDriver::Focus(*form, "Notes");
    ASSERT_EQ(driver.Messages().size(), 2u);
    EXPECT_TRUE(driver.Messages()[1].text.contains("not a valid date"));
    EXPECT_EQ(form->ActiveControl(), form->Date);
    EXPECT_EQ(pipe.FieldByName("DesignFlow")->AsFloat(), 12.0);   // written when Flow was left
}

// A keystroke a picture cannot take is refused where it is typed, and so is
// everything typed after it until the entry is corrected; the tip says what
// the field takes; the field keeps the focus and its tip, past Tab, Enter
// and OK, until Escape gives back the text the program last showed. Where
// only decimals the field does not hold were refused, it shows the number
// typed to its precision, and OK takes that.
TEST(NumericPicture, RefusesVisiblyWhatItCannotTakeAndNeverShiftsTheRest)
{
    struct Case {
        const char* mask;
        std::optional<double> low, high;
        const char* keys;
        const char* shown;   // after the keys
        const char* takes;
        bool okTakes;
    };
    const Case cases[] = {
        {"#####", 0.0, 99999.0, "448.83", "448", "a whole number from 0 to 99999", true},
        {"##.#", 0.0, 99.9, "150", "15", "a number from 0 to 99.9, with at most 1 decimal", false},
        {"###.##", 0.0, {}, "-12.345", "7", "a number from 0 to 999.99, with at most 2 decimals", false},
        {"####", {}, {}, "-12.5", "-12", "a whole number from -9999 to 9999", true},
        {"##.#", 0.0, {}, "12.34", "12.3", "a number from 0 to 99.9, with at most 1 decimal", true},
    };
    DialogDriver driver;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        ui::Form f;
        auto* edit = ui::Make<QLineEdit>(&f, "Edit");
        auto* next = ui::Make<QLineEdit>(&f, "Next");
        auto* ok = ui::Make<QPushButton>(&f, "OK", "OK");
        auto* box = new QVBoxLayout(&f);
        for (QWidget* w : std::initializer_list<QWidget*>{edit, next, ok}) box->addWidget(w);
        int oks = 0;
        f.OnClick(ok, [&oks] { ++oks; });
        ui::SetNumericPicture(edit, ui::NumericFormat::Picture(c.mask, c.low, c.high));
        edit->setText("7");
        f.Show();
        f.SetFocus(edit);
        edit->selectAll();
        DialogDriver::Keys(f, c.keys);
        EXPECT_EQ(edit->text(), c.shown);
        const QString tip = QToolTip::text();
        EXPECT_TRUE(tip.contains(QStringLiteral("this field takes %1.").arg(c.takes))) << tip.toStdString();
        EXPECT_TRUE(QToolTip::isVisible());
        for (int key : {int(Qt::Key_Tab), int(Qt::Key_Return)}) {
            QTest::keyClick(edit, Qt::Key(key));
            EXPECT_EQ(f.ActiveControl(), edit);
            EXPECT_EQ(edit->text(), c.shown);
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text(), tip);
        }
        if (!c.okTakes) {
            f.Press(ok);                       // takes the focus
            ok->setFocusPolicy(Qt::NoFocus);
            QTest::mouseClick(ok, Qt::LeftButton);   // takes none
            EXPECT_EQ(oks, 0);
            EXPECT_EQ(f.ActiveControl(), edit);
            EXPECT_TRUE(QToolTip::isVisible());
        }
        EXPECT_TRUE(ui::HoldsRefusedEntry(edit));
        DialogDriver::Key(f, Qt::Key_Escape);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(edit->text(), "7");
        EXPECT_FALSE(ui::HoldsRefusedEntry(edit));
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
        EXPECT_FALSE(ui::DropRefusedEntry(edit));
        // Corrected, the field takes typing again.
        DialogDriver::Keys(f, "1");
        DialogDriver::Key(f, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), "7");
        if (c.okTakes) {   // refused again, then OK clicked
            edit->selectAll();
            DialogDriver::Keys(f, c.keys);
            QTest::mouseClick(ok, Qt::LeftButton);
            EXPECT_EQ(oks, 1);
            EXPECT_EQ(edit->text(), c.shown);
        }
        f.Close();
    }

    // A paste is taken whole or refused whole, with the same tip; the blanks
    // and the line end copied with a number are left out. Typing over the
    // whole text, selected after the refusal, starts afresh.
    {
        ui::Form f;
        auto* edit = ui::Make<QLineEdit>(&f, "Edit");
        auto* box = new QVBoxLayout(&f);
        box->addWidget(edit);
        box->addWidget(ui::Make<QLineEdit>(&f, "Next"));
        ui::SetNumericPicture(edit, ui::NumericFormat::Picture("###.##", 0.0));
        edit->setText("450");
        f.Show();
        f.SetFocus(edit);
        edit->selectAll();
        QGuiApplication::clipboard()->setText("1,5");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), "450");
        EXPECT_EQ(QToolTip::text(), "\"1,5\" was not taken: this field takes a number from 0 to 999.99, with at "
                                    "most 2 decimals. Correct the entry before typing on.");
        EXPECT_TRUE(ui::HoldsRefusedEntry(edit));
        // Typed over the text selected before the refusal, a key is refused;
        // over the whole text selected again, it is a new entry.
        DialogDriver::Keys(f, "9");
        EXPECT_EQ(edit->text(), "450");
        DialogDriver::Tab(f);
        EXPECT_EQ(edit->selectedText(), "450");
        DialogDriver::Keys(f, "9");
        EXPECT_EQ(edit->text(), "9");
        EXPECT_FALSE(ui::HoldsRefusedEntry(edit));
        edit->selectAll();
        QGuiApplication::clipboard()->setText(" 448.83\n");
        QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(edit->text(), "448.83");
        EXPECT_FALSE(ui::HoldsRefusedEntry(edit));
        f.Close();
    }

    // A zero ahead of the point changes no value: a picture with no whole
    // digits takes it, as it shows it.
    ui::Form f;
    auto* edit = ui::Make<QLineEdit>(&f, "Edit");
    ui::SetNumericPicture(edit, ui::NumericFormat::Picture(".####", 0.0, {}));
    f.Show();
    f.SetFocus(edit);
    DialogDriver::Keys(f, "0.08");
    EXPECT_EQ(edit->text(), "0.08");
    EXPECT_FALSE(ui::DropRefusedEntry(edit));
    // A letter ahead of any digit is only not taken: typing goes on.
    edit->selectAll();
    DialogDriver::Keys(f, "x.5");
    EXPECT_EQ(edit->text(), ".5");
    EXPECT_FALSE(ui::HoldsRefusedEntry(edit));
    f.Close();
}

TEST_F(BindingTest, CancelShowsTheRowAsItWas)
{
    DialogDriver::Type(*form, "JobName", "Jones");
    pipe.Cancel();
    EXPECT_EQ(form->JobName->text(), "Smith");
    EXPECT_FALSE(pipe.Modified());
}

TEST_F(BindingTest, ChangesByCodeAreShownUnlessControlsAreDisabled)
{
    pipe.DisableControls();
    pipe.FieldByName("JobName")->SetAsString("Brown");
    EXPECT_EQ(form->JobName->text(), "Smith");
    pipe.DisableControls();
    pipe.EnableControls();
    EXPECT_EQ(form->JobName->text(), "Smith");   // still disabled once
    pipe.EnableControls();
    EXPECT_EQ(form->JobName->text(), "Brown");
    pipe.Post();
}

TEST_F(BindingTest, TextBeingTypedSurvivesAWriteToAnotherField)
{
    DialogDriver::Type(*form, "JobName", "Jones");
    pipe.FieldByName("NumNodes")->SetAsInteger(9);
    EXPECT_EQ(form->JobName->text(), "Jones");
    EXPECT_EQ(form->Nodes->text(), "9");
    pipe.Post();
    EXPECT_EQ(stored("JobName"), "Jones");
    EXPECT_EQ(stored("NumNodes"), "9");
}

TEST_F(BindingTest, ClosedTableShowsNothingAndTypingChangesNothing)
{
    pipe.Close();
    EXPECT_EQ(form->JobName->text(), "");
    form->JobName->setText("x");
    EXPECT_EQ(form->JobName->text(), "");
    pipe.Open();
    EXPECT_EQ(form->JobName->text(), "Smith");
}

class LookupGridTest : public ::testing::Test {
protected:
    DialogDriver driver;
    testsupport::TempDb temp{QString::fromUtf8(kScript)};
};

TEST_F(LookupGridTest, LookupComboMovesTheLookupCursorAndWritesTheKey)
{
    db::Table types(db::kMersolAlias, "Pipe Material.DB");
    db::Table pipe(db::kMersolAlias, "WorkPipe.db");
    db::DataSource typeSrc(&types), pipeSrc(&pipe);
    types.Open();
    pipe.Open();
    ui::Form f;
    auto* bound = ui::Make<QComboBox>(&f, "Bound");
    auto* free = ui::Make<QComboBox>(&f, "Free");
    new ui::DBLookupComboBox(bound, &typeSrc, "PipeType", "PipeType", &pipeSrc, "PipeType");
    new ui::DBLookupComboBox(free, &typeSrc, "PipeType", "PipeType");
    f.Show();
    EXPECT_EQ(bound->count(), 3);
    EXPECT_EQ(bound->currentText(), "PVC");        // the key stored in the row
    EXPECT_EQ(free->currentText(), "Aluminum");    // the lookup table's current row
    EXPECT_EQ(types.RecNo(), 1);                   // filling the list moved nothing

    DialogDriver::Choose(f, "Bound", "Steel");
    EXPECT_EQ(types.FieldByName("PipeType")->AsString(), "Steel");
    EXPECT_EQ(pipe.FieldByName("PipeType")->AsString(), "Steel");
    EXPECT_EQ(free->currentText(), "Steel");       // follows the lookup cursor

    DialogDriver::Choose(f, "Free", "Aluminum");
    EXPECT_EQ(types.FieldByName("PType")->AsInteger(), 1);
    EXPECT_EQ(pipe.FieldByName("PipeType")->AsString(), "Steel");
    f.Close();
}

TEST_F(LookupGridTest, GridRowIsTheTableCursor)
{
    db::Table prof(db::kMersolAlias, "WorkProf.DB");
    db::DataSource src(&prof);
    prof.Open();
    QTableView view;
    auto* grid = new ui::DBGrid(&view, &src, {
        {"Station", "+ Station", 70, [](const QVariant& v) {
             int ft = int(v.toDouble() + 0.5);
             return QString("%1+%2").arg(ft / 100).arg(ft % 100, 2, 10, QChar('0'));
         }},
        {"GroundElev", "Ground Elev", 80, {}},
    });
    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->CellText(1, 0), "12+34");
    EXPECT_EQ(grid->CellText(1, 1), "98.5");
    prof.Last();
    EXPECT_EQ(view.currentIndex().row(), 2);
    view.setCurrentIndex(view.model()->index(1, 0));   // the user clicks a row
    EXPECT_EQ(prof.FieldByName("Station")->AsFloat(), 1234.0);

    // Editing a cell and leaving the row posts it.
    grid->SetReadOnly(false);
    grid->EditCell(1, "99.25");
    EXPECT_EQ(prof.State(), db::DataSetState::Edit);
    view.setCurrentIndex(view.model()->index(0, 0));
    EXPECT_EQ(prof.State(), db::DataSetState::Browse);
    EXPECT_EQ(grid->CellText(1, 1), "99.25");

    // New rows appear; a read-only grid refuses edits.
    prof.Append();
    prof.FieldByName("Station")->SetAsFloat(2500);
    EXPECT_EQ(grid->RowCount(), 4);
    prof.Post();
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->CellText(3, 0), "25+00");
    grid->SetReadOnly(true);
    EXPECT_FALSE(view.model()->flags(view.model()->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(LookupGridTest, NavigatorShowsItsSubsetAndFollowsTheCursor)
{
    db::Table prof(db::kMersolAlias, "WorkProf.DB");
    db::DataSource src(&prof);
    ui::DBNavigator nav(&src, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast);
    EXPECT_EQ(nav.Button(ui::nbDelete), nullptr);
    EXPECT_FALSE(nav.Button(ui::nbNext)->isEnabled());   // closed table
    prof.Open();
    EXPECT_FALSE(nav.Button(ui::nbPrior)->isEnabled());
    EXPECT_TRUE(nav.Button(ui::nbNext)->isEnabled());
    nav.Press(ui::nbLast);
    EXPECT_EQ(prof.RecNo(), 3);
    EXPECT_FALSE(nav.Button(ui::nbLast)->isEnabled());
    nav.Press(ui::nbPrior);
    EXPECT_EQ(prof.RecNo(), 2);

    ui::DBNavigator edit(&src, ui::nbDelete | ui::nbPost);
    driver.Answer(ui::mrCancel);
    edit.Press(ui::nbDelete);
    EXPECT_EQ(prof.RecordCount(), 3);
    EXPECT_EQ(driver.MessageTexts(), QStringList{"Delete record?"});
    edit.Press(ui::nbDelete);   // default answer OK
    EXPECT_EQ(prof.RecordCount(), 2);
}

} // namespace

