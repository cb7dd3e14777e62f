#include "dialogs/numeric_field.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

NumField::NumField(QLineEdit* edit, ui::NumericFormat format)
    : QObject(edit), edit_(edit), format_(format)
{
    const bool negative = !format_.low || *format_.low < 0;
    QString re = QStringLiteral("%1\\d{0,%2}")
                     .arg(negative ? QStringLiteral("-?") : QString())
                     .arg(format_.intDigits);
    if (format_.decimals > 0)
        re += QStringLiteral("(\\.\\d{0,%1})?").arg(format_.decimals);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(re), edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

NumField* NumField::Of(QLineEdit* edit)
{
    return edit ? edit->findChild<NumField*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

double NumField::Value() const
{
    return format_.Parse(edit_->text());
}

void NumField::SetValue(double v)
{
    edit_->setText(QString::number(v, 'f', format_.decimals));
}
