#include "platform/chart/series.h"

#include <algorithm>

namespace chart {

Series::Series(SeriesKind kind, QString title) : Kind(kind), Title(std::move(title))
{
    if (kind == SeriesKind::Line)
        Pointer.Visible = false;
}

int Series::Add(double x, double y, const QString& label, const QColor& color)
{
    ChartPoint p{x, y, label, color};
    if (Order == XOrder::None) {
        points_.push_back(std::move(p));
        return Count() - 1;
    }
    // After every point with an X not above the new one: ties keep their order.
    auto at = std::upper_bound(points_.begin(), points_.end(), x,
                               [](double v, const ChartPoint& q) { return v < q.x; });
    const int index = static_cast<int>(at - points_.begin());
    points_.insert(at, std::move(p));
    return index;
}

void Series::Clear()
{
    points_.clear();
}

std::vector<double> Series::XValues() const
{
    std::vector<double> v;
    v.reserve(points_.size());
    for (const auto& p : points_)
        v.push_back(p.x);
    return v;
}

std::vector<double> Series::YValues() const
{
    std::vector<double> v;
    v.reserve(points_.size());
    for (const auto& p : points_)
        v.push_back(p.y);
    return v;
}

QColor Series::PointColor(int i) const
{
    const QColor& c = At(i).color;
    return c.isValid() ? c : Color;
}

QColor Series::PointerColor(int i) const
{
    return Pointer.Color.isValid() ? Pointer.Color : PointColor(i);
}

void Series::SetDataSource(db::Table* table, const QString& xField, const QString& yField,
                           const QString& labelField)
{
    table_ = table;
    xField_ = xField;
    yField_ = yField;
    labelField_ = labelField;
}

} // namespace chart
