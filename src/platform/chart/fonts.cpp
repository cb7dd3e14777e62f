#include "platform/chart/fonts.h"

namespace chart {

QString ResolveFamily(const QString& family)
{
    const QString f = family.trimmed().toLower();
    if (f.isEmpty() || f == QLatin1String("arial") || f == QLatin1String("ms sans serif")
        || f == QLatin1String("helvetica"))
        return QStringLiteral("Liberation Sans");
    if (f == QLatin1String("courier new") || f == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    if (f == QLatin1String("times new roman") || f == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    return family;
}

QFont MakeFont(const QString& family, double pointSize, bool bold, bool italic)
{
    QFont font(ResolveFamily(family));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    // Kerning and hinting differ between screens and printers; switching both
    // off keeps text widths the same on every device a page is drawn on.
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace chart
