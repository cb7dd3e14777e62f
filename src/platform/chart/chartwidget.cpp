#include "platform/chart/chartwidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace chart {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Chart::Hit ChartWidget::PointAt(const QPointF& pos) const
{
    return chart_.HitTest(pos, QRectF(rect()), const_cast<ChartWidget*>(this));
}

QPointF ChartWidget::PointPosition(const Series& s, int index) const
{
    return chart_.PointPosition(s, index, QRectF(rect()), const_cast<ChartWidget*>(this));
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    chart_.Draw(p, QRectF(rect()));
}

void ChartWidget::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    const Chart::Hit hit = PointAt(e->position());
    if (hit && hit.series->OnClick) {
        // The handler may refill the series; keep the copy alive for the call.
        auto handler = hit.series->OnClick;
        handler(*hit.series, hit.index);
    }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* e)
{
    const Chart::Hit hit = PointAt(e->position());
    if (hit && hit.series->HandCursor)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    QWidget::mouseMoveEvent(e);
}

} // namespace chart
