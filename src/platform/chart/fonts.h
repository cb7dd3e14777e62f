#pragma once
// Fonts named the way forms name them ("Arial", "Courier New") are drawn
// with the metric-compatible Liberation faces, which every build machine has.
#include <QFont>
#include <QString>

namespace chart {

// The installed family that stands in for a family name given by a form.
QString ResolveFamily(const QString& family);

// A font of the given family (resolved as above), size in points and weight.
QFont MakeFont(const QString& family = QStringLiteral("Arial"), double pointSize = 10,
               bool bold = false, bool italic = false);

} // namespace chart
