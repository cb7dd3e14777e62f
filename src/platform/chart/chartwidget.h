#pragma once
// A chart on a window: paints its Chart and turns a left click on a point
// into that series' OnClick with the point's index.
#include "platform/chart/chart.h"

#include <QWidget>

namespace chart {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    Chart& chart() { return chart_; }
    const Chart& chart() const { return chart_; }

    // Re-reads the series bound to tables and repaints.
    void RefreshData();

    // The point under a widget position, as a click there would find it.
    Chart::Hit PointAt(const QPointF& pos) const;
    // Where a point is drawn in widget coordinates.
    QPointF PointPosition(const Series& s, int index) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    Chart chart_;
};

} // namespace chart
