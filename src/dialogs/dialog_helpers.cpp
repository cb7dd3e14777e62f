#include "dialogs/dialog_helpers.h"

#include "engine/hydraulics.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/form.h"
#include "platform/ui/seam/msg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

namespace {

// Every stored field of every row as the table shows it: the row being
// edited with what it holds so far.
std::vector<std::vector<QVariant>> ShownRows(db::Table* t)
{
    std::vector<std::vector<QVariant>> rows;
    for (int r = 0; r < t->DisplayRowCount(); ++r) {
        std::vector<QVariant>& row = rows.emplace_back();
        for (int i = 0; i < t->FieldCount(); ++i)
            row.push_back(t->Fields(i)->Calculated() ? QVariant() : t->DisplayValue(r, t->Fields(i)));
    }
    return rows;
}

} // namespace

KeptTables::KeptTables(std::initializer_list<db::Table*> tables)
{
    for (db::Table* t : tables) {
        const bool active = t->Active();
        if (!active) t->Open();
        kept_.push_back({t, active, t->DisplayRow(), ShownRows(t)});
        if (!active) t->Close();
    }
}

void KeptTables::PutBack()
{
    for (const Kept& k : kept_) {
        db::Table* t = k.table;
        if (t->Active())
            t->Cancel();
        else
            t->Open();
        if (ShownRows(t) != k.rows) {
            db::Transaction scope(t->DatabaseName());
            t->EmptyTable();
            for (const std::vector<QVariant>& row : k.rows) {
                t->Append();
                for (int i = 0; i < t->FieldCount(); ++i) {
                    db::Field* f = t->Fields(i);
                    if (!f->Calculated() && !f->ReadOnly()) f->SetValue(row[size_t(i)]);
                }
                t->Post();
            }
            scope.Commit();
        }
        if (k.row >= 0) t->SetRecNo(k.row + 1);
        if (!k.active) t->Close();
    }
}

bool KeptTables::Unchanged() const
{
    for (const Kept& k : kept_)
        if (k.table->Active() ? ShownRows(k.table) != k.rows : k.active)
            return false;
    return true;
}

KeptJob::KeptJob()
    : tables_({DMod->WorkPipeTable, DMod->WorkProfTable, DMod->WorkGatedTable, DMod->WorkTrickleTable,
               DMod->WorkSuctionTable}),
      job_(std::make_unique<TTul>(*Tul))
{
}

KeptJob::~KeptJob() = default;

void KeptJob::PutBack()
{
    tables_.PutBack();
    const bool cancelled = Tul->Cancelled, wasCancelled = Tul->WasCancelled;
    *Tul = *job_;
    Tul->Cancelled = cancelled;
    Tul->WasCancelled = wasCancelled;
}

void SetCaptionActive(QWidget* w, bool active)
{
    QPalette p = w->palette();
    const QPalette standard = QApplication::palette();
    p.setColor(QPalette::WindowText, active ? standard.color(QPalette::Active, QPalette::WindowText)
                                            : standard.color(QPalette::Disabled, QPalette::WindowText));
    w->setPalette(p);
    w->setProperty("captionActive", active);
}

void ShowOnly(QLineEdit* field)
{
    field->setReadOnly(true);
    if (ui::DBControl* binding = ui::DBControl::Of(field)) binding->SetReadOnly(true);
    QPalette p = field->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(QPalette::Window));
    field->setPalette(p);
}

bool CaptionActive(const QWidget* w)
{
    const QVariant v = w->property("captionActive");
    return !v.isValid() || v.toBool();
}

bool ProfileEntered(db::Table* prof)
{
    if (!prof->Active()) prof->Open();
    const int rows = prof->RecordCount();
    if (rows != 1) return rows > 1;
    prof->First();
    return !DMod->WorkProfTableRecordNo->IsNull();
}

bool PostTypedStation()
{
    db::Table* prof = DMod->WorkProfTable;
    const double typed = Tul->NewStation;
    try {
        Tul->LocateProfStation();   // posted: the row takes its place in station order
        return true;
    } catch (const db::DbError&) {
        // Left in edit, the row could not be posted by anything after this.
        prof->Cancel();
        Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
        const bool taken = prof->Locate(QStringLiteral("Station"), typed);
        Tul->LocateProfStation();
        if (!taken)
            throw;
    }
    ui::MessageDlg(QStringLiteral("Station ") + Hyd->StationText(typed) + QStringLiteral(" is already in the profile."),
                   ui::MsgType::Error, ui::mbOK);
    return false;
}

bool ConfirmNodeDeletion(int nodeType, const QString& station)
{
    if (nodeType == 0) {
        ui::MessageDlg(QStringLiteral("Can't delete entrance station ") + station +
                           QStringLiteral(".  It is OK to edit an entrance node."),
                       ui::MsgType::Error, ui::mbOK);
        return false;
    }
    return ui::MessageDlg(QStringLiteral("Do you really want to DELETE Station ") + station + QStringLiteral("?"),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}

QString NoGroundText()
{
    return QStringLiteral("Please enter the ground elevation of this node.");
}

void RefuseEmptyGround(ui::Form& form, QLineEdit* field, QWidget* alsoLetThrough)
{
    if (!field->text().trimmed().isEmpty()) return;
    QWidget* to = form.FocusTarget();
    if (to && (to == form.CancelButton() || to == alsoLetThrough)) return;
    db::Field* ground = DMod->WorkProfTableGroundElev;
    if (!ground->IsNull()) {
        db::Table* prof = DMod->WorkProfTable;
        if (prof->State() == db::DataSetState::Browse) prof->Edit();
        ground->Clear();
    }
    throw ui::InputError(NoGroundText());
}

QLabel* AddNotComputedLabel(QWidget* page, QVBoxLayout* layout)
{
    auto* label = ui::Make<QLabel>(page, "NotComputedLbl");
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: maroon; font-weight: bold;"));
    label->hide();
    layout->addWidget(label, 1, Qt::AlignTop);
    return label;
}
