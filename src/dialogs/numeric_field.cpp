#include "dialogs/numeric_field.h"

#include <QLineEdit>

NumField::NumField(QLineEdit* edit, ui::NumericFormat format)
    : QObject(edit), edit_(edit), format_(format)
{
    ui::SetNumericPicture(edit, format_);
}

NumField* NumField::Of(QLineEdit* edit)
{
    return edit ? edit->findChild<NumField*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

double NumField::Value() const
{
    // Half a number is never read as a whole one.
    if (ui::HoldsRefusedEntry(edit_)) throw ui::InputError(ui::RefusedEntryTip(edit_));
    return format_.Parse(edit_->text());
}

void NumField::SetValue(double v)
{
    edit_->setText(QString::number(v, 'f', format_.decimals));
}
