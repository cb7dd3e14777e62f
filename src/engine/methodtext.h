#pragma once
// The friction-method text stored with a reach's results ("Hazen Williams,
// C = 150"), composed from the method code the friction call reported.
#include "engine/hydcalc1.h"
#include "model/numtext.h"

#include <QString>

// `separator` follows the flow regime and the Reynolds number of the
// Darcy-Weisbach text (one blank in the gravity profile, two elsewhere).
// Empty for an unknown method code: the caller then leaves its field alone.
inline QString FrictionMethodText(int method, double n, double c, const QString& flowType, double re,
                                  double f, const QString& separator = QStringLiteral(",  "))
{
    switch (method) {
    case kMethodManning:
        return QStringLiteral("Mannings, n = ") + FixedText(n, 6, 3);
    case kMethodHazenWilliams:
        return QStringLiteral("Hazen Williams, C = ") + FixedText(c, 5, 0);
    case kMethodDarcyWeisbach:
        return QStringLiteral("Darcy Weisbach, ") + flowType + separator + QStringLiteral("Re=")
               + FixedText(re, 10, 0) + separator + QStringLiteral("F=") + FixedText(f, 7, 5);
    default:
        return QString();
    }
}
