#include "support/journey.h"

#include "designer/designer_form.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/line_ends/manifold_pages.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/report/preview.h"
#include "platform/ui/notebook.h"
#include "platform/ui/dbgrid.h"
#include "support/dialogdriver.h"

#include "platform/ui/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>

#include <algorithm>

#include <cmath>

#include <gtest/gtest.h>

namespace testsupport {

QStringList PrintedTexts(QAbstractButton* reportButton)
{
    QStringList texts;
    const auto old = report::SetPreviewHook([&texts](report::Document& d, QWidget*) { texts = report::RenderDump(d).Texts(); });
    reportButton->click();
    report::SetPreviewHook(old);
    return texts;
}

bool AnswerProfileFile(DialogDriver& driver, const QString& path, const char* pairs)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(pairs) < 0)
        return false;
    f.close();
    driver.AnswerFile(path);
    driver.OnceForm("TProfFromTxtDlg", [](ui::Form& form) { DialogDriver::Press(form, "OKBitBtn"); });
    return true;
}

namespace {

QWidget* focusTarget(ui::Form& f)
{
    QWidget* w = f.focusWidget();
    return w ? w : &f;
}

void send(ui::Form& f, int key, const QString& text)
{
    // Tab moves the focus only in the active window, as on a screen.
    if (QApplication::activeWindow() != &f) QApplication::setActiveWindow(&f);
    QWidget* target = focusTarget(f);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(focusTarget(f), &release);
}

} // namespace

void TypeKeys(ui::Form& f, const QString& text)
{
    for (QChar c : text) {
        int key = c.unicode();
        if (c.isLetter()) key = c.toUpper().unicode();
        else if (c == QLatin1Char('.')) key = Qt::Key_Period;
        else if (c == QLatin1Char('-')) key = Qt::Key_Minus;
        send(f, key, QString(c));
    }
}

void PressKey(ui::Form& f, int qtKey)
{
    QString text;
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) text = QStringLiteral("\r");
    else if (qtKey == Qt::Key_Tab) text = QStringLiteral("\t");
    else if (qtKey == Qt::Key_Escape) text = QString(QChar(27));
    send(f, qtKey, text);
}

void AltKeys(ui::Form& f, const QString& keys)
{
    if (QApplication::activeWindow() != &f) QApplication::setActiveWindow(&f);
    for (int i = 0; i < keys.size(); ++i) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(i > 0 && popup ? popup : focusTarget(f), Qt::Key(keys.at(i).toUpper().unicode()),
                        i > 0 ? Qt::NoModifier : Qt::AltModifier);
    }
    // A button's key clicks it a moment later.
    const auto buttons = f.findChildren<QAbstractButton*>();
    QTest::qWaitFor([&] { return std::none_of(buttons.begin(), buttons.end(), [](auto* b) { return b->isDown(); }); });
}

void TypeAndTab(ui::Form& f, const QString& text)
{
    TypeKeys(f, text);
    Tab(f);
}

QString FocusedName(ui::Form& f)
{
    QWidget* w = f.ActiveControl();
    return w ? w->objectName() : QString();
}

void PickPipe(ui::Form& f, const QString& description)
{
    ui::DBGrid* g = ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("PipeDescriptionGrid")));
    for (int r = 0; r < g->RowCount(); ++r) {
        if (g->CellText(r, 0) != description) continue;
        g->SelectRow(r);
        static_cast<TGetPipeDlg&>(f).PipeDescriptionGridMouseUp();
        DialogDriver::Press(f, QStringLiteral("OKBitBtn1"));
        return;
    }
    ADD_FAILURE() << description.toStdString() << " is not listed";
}

void ReachesTakeSixInchPvc(DialogDriver& driver)
{
    driver.OnForm(QStringLiteral("TGetPipeDlg"), [](ui::Form& f) {
        // Whatever material the list shows first (a tank's line starts in the pressure pipe).
        DialogDriver::Choose(f, QStringLiteral("PTypeDBLookupComboBox"), QStringLiteral("PVC SDR"));
        PickPipe(f, QString::fromLatin1(kSixInchPvc));
    });
    driver.OnForm(QStringLiteral("TProfInDlg"), [](ui::Form& f) {
        // An end node's reach has no pipe to pick: the pipe arriving is its own.
        if (QWidget* pipe = DialogDriver::Find(f, QStringLiteral("PipeRchSpdBtn")); pipe->isEnabled() && pipe->isVisible())
            DialogDriver::Press(f, QStringLiteral("PipeRchSpdBtn"));
        DialogDriver::Press(f, QStringLiteral("OKBitBtn"));
    });
}

void PickSixInchGatedPipe(ui::Form& f)
{
    DialogDriver::Choose(f, QStringLiteral("PTypeDBLookupComboBox"), QStringLiteral("Aluminum WallTh"));
    DialogDriver::Press(f, QStringLiteral("ShowAllBtn"));   // at 500 gpm it runs faster than the range allows
    PickPipe(f, QStringLiteral("Aluminum 0.050 wall, 6 in, 100 psi"));
}

void KeyInGatedPipe(DialogDriver& driver, const QString& endStation, const QString& endElev, const QString& gateFlow)
{
    driver.OnceForm(QStringLiteral("TGatedPipeDlg"), [=](ui::Form& g) {
        DialogDriver::KeyIn(g, QStringLiteral("EndGatedStaDBNF"), endStation);
        DialogDriver::KeyIn(g, QStringLiteral("EndGatedElDBNF"), endElev);
        DialogDriver::KeyIn(g, QStringLiteral("DesFlowDBNF"), gateFlow);
        DialogDriver::Press(g, QStringLiteral("OKBtn"));
    });
}

void KeyInQuickManifold(DialogDriver& driver, const QString& endStation, const QString& endElev,
                        const QString& flow, const QString& spacing)
{
    driver.OnceForm(QStringLiteral("TOptinalManifEntryDlg"), [=](ui::Form& q) {
        DialogDriver::KeyIn(q, QStringLiteral("EndStaNF"), endStation);
        DialogDriver::KeyIn(q, QStringLiteral("EndElNF"), endElev);
        DialogDriver::KeyIn(q, QStringLiteral("FlowRateNF"), flow);
        DialogDriver::KeyIn(q, QStringLiteral("DistNF"), spacing);
        DialogDriver::Press(q, QStringLiteral("OKBitBtn1"));
    });
}

void PickFirstManifoldRating(ui::Form& f)
{
    ui::DBGrid* ratings = ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("PipeRtngDBGrid")));
    ASSERT_GT(ratings->RowCount(), 0);
    ratings->SelectRow(0);
    static_cast<TManifoldEndDlg&>(f).Pages->PipeRtngDBGridDblClick();
    DialogDriver::Press(f, QStringLiteral("OKBitBtn2"));
}

namespace {

ShownColumns savedAndReloaded(DialogDriver& driver, TDesignerForm& window)
{
    const QString name = DMod->WorkPipeTableJobName->AsString();
    AltKeys(window, QStringLiteral("G"));
    DialogDriver::Focus(window, QStringLiteral("JobNotesDBMemo"));
    AltKeys(window, QStringLiteral("O"));
    driver.OnceForm(QStringLiteral("TSaveForm"), [](ui::Form& f) { DialogDriver::Enter(f); });
    AltKeys(window, QStringLiteral("S"));
    EXPECT_EQ(Tul->SaveState, 2) << name.toStdString() << " was not saved";
    driver.OnceForm(QStringLiteral("TJobListForm"), [name](ui::Form& f) {
        ui::DBGrid* jobs = ui::DBGrid::Of(f.Control<QTableView>(QStringLiteral("DBGrid1")));
        int row = jobs->RowCount() - 1;
        while (row >= 0 && jobs->CellText(row, 0) != name) --row;
        EXPECT_GE(row, 0) << name.toStdString() << " is not in the job list";
        jobs->SelectRow(row);
        DialogDriver::Press(f, QStringLiteral("OKBitBtn1"));
    });
    driver.ClearLog();
    AltKeys(window, QStringLiteral("P"));
    EXPECT_EQ(driver.FormsShown(), QStringList{QStringLiteral("TJobListForm")});
    ShownColumns shown;
    if (window.OvcNotebook1->PageIndex() != 2 || !window.ResultsShown()) {
        ADD_FAILURE() << name.toStdString() << " came back not computed: "
                      << window.NotComputedLbl->text().toStdString() << " | "
                      << driver.MessageTexts().join('|').toStdString();
        return shown;
    }
    ui::DBGrid* grid = ui::DBGrid::Of(window.DBGrid1);
    QAbstractItemModel* model = window.DBGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        QStringList cells;
        for (int r = 0; r < grid->RowCount(); ++r) cells << grid->CellText(r, c).trimmed();
        shown[model->headerData(c, Qt::Horizontal).toString().toStdString()] = cells.join(' ').toStdString();
    }
    return shown;
}

// Each field of each row of every working table (a row a store would not
// keep for the job's kind is one the job still holds), by table, row and
// name: numbers as numbers (empty reads 0), flags as flags. Left out are the
// job number and what only the entry keeps: the names the load gives the
// node and invert codes, the entry's done flag and the header's count of the
// nodes entered.
using Stored = StoredJob;

Stored stored()
{
    static const QStringList entryOnly = {"JobNumber", "NodeTypeDesc", "InvElMethDesc", "Finished", "NumNodes"};
    TDMod* d = DMod;
    Stored all;
    for (db::Table* t : {d->WorkPipeTable, d->WorkProfTable, d->WorkGatedTable, d->WorkTrickleTable,
                         d->WorkSuctionTable}) {
        const bool open = t->Active();
        if (!open) t->Open();
        t->CheckBrowseMode();
        const qint64 at = t->GetBookmark();
        int row = 0;
        for (t->First(); !t->Eof(); t->Next(), ++row)
            for (int i = 0; i < t->FieldCount(); ++i) {
                const db::Field* f = t->Fields(i);
                if (entryOnly.contains(f->FieldName())) continue;
                const db::FieldType type = f->DataType();
                const bool number = type != db::FieldType::Alpha && type != db::FieldType::Memo &&
                                    type != db::FieldType::Logical;
                all[t->TableName() + QStringLiteral(" row %1 ").arg(row) + f->FieldName()] =
                    number ? QVariant(f->AsFloat()) : type == db::FieldType::Logical ? QVariant(f->AsBoolean())
                                                                                     : QVariant(f->AsString());
            }
        t->GotoBookmark(at);
        if (!open) t->Close();
    }
    return all;
}

void expectSame(const Stored& first, const char* how, const TDesignerForm& window)
{
    EXPECT_TRUE(window.ResultsShown()) << how << ": " << window.NotComputedLbl->text().toStdString();
    const Stored now = stored();
    QStringList changed;
    for (const auto& [name, was] : first) {
        const QVariant is = now.count(name) ? now.at(name) : QVariant();
        // Half the last place of the finest rounding the tables store.
        const bool same = was.typeId() == QMetaType::Double && is.typeId() == QMetaType::Double
                              ? std::abs(was.toDouble() - is.toDouble()) < 0.0005
                              : was == is;
        if (!same) changed << name + QStringLiteral(": ") + was.toString() + QStringLiteral(" -> ") + is.toString();
    }
    for (const auto& [name, is] : now)
        if (!first.count(name)) changed << name + QStringLiteral(": none -> ") + is.toString();
    EXPECT_TRUE(changed.isEmpty()) << how << " changed " << changed.join(QStringLiteral("; ")).toStdString();
}

// A line's gated pipe starts from the grade the line's run stored at its end
// node, less its start device, with the flow arriving there at its velocity.
void expectGatedPipeFollowsTheLine()
{
    TDMod* d = DMod;
    if (!d->WorkPipeTable->Active()) d->WorkPipeTable->Open();
    if (d->WorkPipeTableSysHas->AsInteger() != 1) return;
    for (db::Table* t : {d->WorkProfTable, d->WorkGatedTable})
        if (!t->Active()) t->Open();
    d->WorkProfTable->Last();
    d->WorkGatedTable->First();
    const double q = d->WorkProfTablePipeQ->AsFloat(), bore = d->WorkGatedTableDiaIn->AsFloat();
    EXPECT_NEAR(d->WorkGatedTableStartHGL->AsFloat(), d->WorkProfTableHgl->AsFloat() - d->WorkGatedTableML1->AsFloat(),
                0.0051);
    EXPECT_DOUBLE_EQ(d->WorkGatedTablePipeQ->AsFloat(), q);
    EXPECT_NEAR(d->WorkGatedTablePipeVel->AsFloat(), q / 448.83 / (0.0054542 * bore * bore), 0.0051);
}

} // namespace

StoredJob StoredAnswer(const TDesignerForm& window)
{
    EXPECT_TRUE(window.ResultsShown()) << "the job is not computed: " << window.NotComputedLbl->text().toStdString();
    return stored();
}

void ExpectSameAsFresh(const StoredJob& fresh, const TDesignerForm& window, const QString& how)
{
    expectSame(fresh, (how + QStringLiteral(" (against the job entered fresh)")).toStdString().c_str(), window);
}

void ExpectSameAsBefore(const StoredJob& before, const TDesignerForm& window, const QString& how)
{
    expectSame(before, how.toStdString().c_str(), window);
}

ShownColumns SameAnswerEveryWay(DialogDriver& driver, TDesignerForm& window)
{
    if (!window.ResultsShown()) {
        ADD_FAILURE() << "the job is not computed: " << window.NotComputedLbl->text().toStdString();
        return {};
    }
    expectGatedPipeFollowsTheLine();
    const Stored first = stored();
    ui::Notebook* pages = window.OvcNotebook1;
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(2);
    expectSame(first, "Output again", window);

    pages->setCurrentIndex(0);
    if (QWidget* system = window.findChild<QWidget*>(QStringLiteral("SelSystemEditBtn"))) {
        driver.ClearLog();
        driver.NextForm([](ui::Form& f) { DialogDriver::Press(f, QStringLiteral("OKBitBtn1")); });
        DialogDriver::Press(window, system->objectName());
        // The dialog takes its OK, and nothing else opens.
        EXPECT_FALSE(Tul->WasCancelled) << "System's OK was not taken: " << driver.MessageTexts().join('|').toStdString();
        EXPECT_TRUE(driver.Unanswered().isEmpty()) << "opened after System's OK: " << driver.Unanswered().join(',').toStdString();
    }
    DialogDriver::Press(window, QStringLiteral("OKBitBtn2"));
    DialogDriver::Press(window, QStringLiteral("OKBitBtn3"));
    expectSame(first, "System and OK", window);

    const ShownColumns shown = savedAndReloaded(driver, window);
    expectSame(first, "Save Job, Previous Job and Output", window);
    return shown;
}

} // namespace testsupport
