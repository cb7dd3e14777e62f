#include "dialogs/editors/reference_editing.h"

#include "platform/db/db.h"
#include "platform/ui/form.h"
#include "platform/ui/seam/msg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

void OpenUnfiltered(db::Table* t)
{
    if (t->Filtered())
        t->SetFiltered(false);
    OpenIfClosed(t);
}

void KeepPendingRow(db::Table* t, const QString& what)
{
    if (!t->Active())
        return;
    const db::DataSetState state = t->State();
    if (state != db::DataSetState::Edit && state != db::DataSetState::Insert)
        return;
    if (state == db::DataSetState::Insert && !t->Modified()) {
        t->Cancel();
        return;
    }
    try {
        t->Post();
    } catch (const std::exception& e) {
        // A refused key, or a value a field does not take.
        t->Cancel();
        ui::MessageDlg(QStringLiteral("The %1 being edited could not be saved and was dropped:\n%2")
                           .arg(what, QString::fromLocal8Bit(e.what())),
                       ui::MsgType::Error, ui::mbOK);
    }
}

QLineEdit* AddNumericField(QWidget* parent, QGridLayout* grid, int row, int column, const char* name,
                           const QString& label, db::DataSource* source, const QString& field,
                           const QString& mask, std::optional<double> low, std::optional<double> high,
                           const QString& unit)
{
    auto* edit = ui::Make<QLineEdit>(parent, name);
    auto* caption = new QLabel(label, parent);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row, column + 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, parent), row, column + 2);
    new ui::DBNumericEdit(edit, source, field, ui::NumericFormat::Picture(mask, low, high));
    return edit;
}

namespace {

class LengthValidator : public QValidator {
public:
    LengthValidator(int length, QObject* parent) : QValidator(parent), length_(length) {}
    State validate(QString& input, int&) const override
    {
        return input.size() <= length_ ? Acceptable : Invalid;
    }

private:
    int length_;
};

} // namespace

void LimitLength(QLineEdit* edit, int length)
{
    edit->setMaxLength(32767);
    edit->setValidator(new LengthValidator(length, edit));
}
