#pragma once
// Small steps the engine runs share: opening and editing the working tables,
// writing rounded values, and the friction-method text of a reach.
#include "engine/hydcalc1.h"
#include "model/numtext.h"
#include "platform/db/db.h"

#include <QString>

inline void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

// Puts the current row into edit state unless it is already being edited.
inline void EditIfBrowsing(db::Table* t)
{
    if (t->State() != db::DataSetState::Edit && t->State() != db::DataSetState::Insert)
        t->Edit();
}

// Writes v as fixed-point text: rounded to `precision` significant digits,
// shown with `digits` decimals, so the field holds the rounded value.
inline void SetFixed(db::Field* f, double v, int precision, int digits)
{
    f->SetAsString(FixedText(v, precision, digits));
}

// The friction-method text stored with a reach's results ("Hazen Williams,
// C = 150"). `separator` follows the flow regime and the Reynolds number of
// the Darcy-Weisbach text; `cPrecision` is the count of significant digits of
// the Hazen-Williams C. Empty for an unknown method code: the caller then
// leaves its field alone.
inline QString FrictionMethodText(int method, double n, double c, const QString& flowType, double re,
                                  double f, const QString& separator = QStringLiteral(",  "),
                                  int cPrecision = 5)
{
    switch (method) {
    case kMethodManning:
        return QStringLiteral("Mannings, n = ") + FixedText(n, 6, 3);
    case kMethodHazenWilliams:
        return QStringLiteral("Hazen Williams, C = ") + FixedText(c, cPrecision, 0);
    case kMethodDarcyWeisbach:
        return QStringLiteral("Darcy Weisbach, ") + flowType + separator + QStringLiteral("Re=")
               + FixedText(re, 10, 0) + separator + QStringLiteral("F=") + FixedText(f, 7, 5);
    default:
        return QString();
    }
}
