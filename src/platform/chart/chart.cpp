#include "platform/chart/chart.h"
#include "platform/chart/fonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

double DeviceScale(QPaintDevice* device)
{
    if (!device)
        return 1.0;
    const int dpi = device->logicalDpiX();
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

QFontMetricsF Metrics(const QFont& f, QPaintDevice* device)
{
    return device ? QFontMetricsF(f, device) : QFontMetricsF(f);
}

bool Shown(const ChartText& t)
{
    return t.Visible && !t.Text.isEmpty();
}

double NiceStep(double range, double count)
{
    if (!(range > 0) || !(count > 0))
        return 1;
    const double raw = range / count;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / mag;
    double nice = 10;
    if (norm <= 1)
        nice = 1;
    else if (norm <= 2)
        nice = 2;
    else if (norm <= 5)
        nice = 5;
    return nice * mag;
}

void DrawPointer(QPainter& p, const QPointF& c, PointerStyle style, double hs, double vs,
                 const QColor& fill, double scale)
{
    if (style == PointerStyle::None)
        return;
    p.setPen(QPen(fill.darker(170), std::max(0.5, 0.75 * scale)));
    p.setBrush(fill);
    const QRectF r(c.x() - hs, c.y() - vs, 2 * hs, 2 * vs);
    switch (style) {
    case PointerStyle::Rectangle:
        p.drawRect(r);
        break;
    case PointerStyle::Circle:
        p.drawEllipse(r);
        break;
    case PointerStyle::Triangle:
        p.drawPolygon(QPolygonF({QPointF(c.x(), r.top()), r.bottomRight(), r.bottomLeft()}));
        break;
    case PointerStyle::DownTriangle:
        p.drawPolygon(QPolygonF({QPointF(c.x(), r.bottom()), r.topLeft(), r.topRight()}));
        break;
    case PointerStyle::Diamond:
        p.drawPolygon(QPolygonF({QPointF(c.x(), r.top()), QPointF(r.right(), c.y()),
                                 QPointF(c.x(), r.bottom()), QPointF(r.left(), c.y())}));
        break;
    case PointerStyle::None:
        break;
    }
}

struct LegendItem {
    const Series* series;
    QRectF rect;
};

// Legend entries placed inside the legend box; shared by layout and drawing.
std::vector<LegendItem> PlaceLegend(const std::vector<const Series*>& items, const QRectF& box,
                                    LegendPosition pos, const QFontMetricsF& fm, double s)
{
    std::vector<LegendItem> out;
    const double pad = 4 * s;
    const double lh = std::max(fm.height(), 10 * s);
    const double symbol = 24 * s;
    double x = box.left() + pad;
    double y = box.top() + pad;
    for (const Series* se : items) {
        const double w = symbol + 4 * s + fm.horizontalAdvance(se->Title);
        if (pos == LegendPosition::Bottom && x > box.left() + pad && x + w > box.right() - pad) {
            x = box.left() + pad;
            y += lh;
        }
        out.push_back({se, QRectF(x, y, w, lh)});
        if (pos == LegendPosition::Bottom)
            x += w + 12 * s;
        else
            y += lh;
    }
    return out;
}

} // namespace

std::vector<double> AxisScale::Ticks() const
{
    std::vector<double> t;
    if (!(step > 0) || !(max > min))
        return t;
    const double eps = step * 1e-9;
    for (double k = std::ceil((min - eps) / step);; ++k) {
        const double v = k * step;
        if (v > max + eps || t.size() > 1000)
            break;
        t.push_back(std::abs(v) < eps ? 0.0 : v);
    }
    return t;
}

QPointF ChartLayout::Map(double vx, double vy) const
{
    const double fx = (vx - x.min) / (x.max - x.min);
    const double fy = (vy - y.min) / (y.max - y.min);
    return QPointF(inner.left() + fx * inner.width(), inner.bottom() - fy * inner.height());
}

QString AxisLabel(double v, double step)
{
    int decimals = 0;
    if (step > 0 && step < 1)
        decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    QString s = QString::number(v, 'f', decimals);
    if (s.startsWith(QLatin1Char('-')) && s.mid(1).toDouble() == 0)
        s.remove(0, 1);
    return s;
}

Chart::Chart()
{
    Title.Font = MakeFont(QStringLiteral("Arial"), 10, true);
    Title.Color = Qt::blue;
    Foot.Font = MakeFont(QStringLiteral("Arial"), 8);
    Foot.Color = Qt::red;
    for (Axis* a : {&BottomAxis, &LeftAxis}) {
        a->Title.Font = MakeFont(QStringLiteral("Arial"), 8, true);
        a->LabelFont = MakeFont(QStringLiteral("Arial"), 8);
    }
    Legend.Font = MakeFont(QStringLiteral("Arial"), 8);
}

Series* Chart::AddSeries(SeriesKind kind, const QString& title)
{
    series_.push_back(std::make_unique<Series>(kind, title));
    return series_.back().get();
}

void Chart::ClearAll()
{
    for (auto& s : series_)
        s->Clear();
}

std::vector<const Series*> Chart::LegendEntries() const
{
    std::vector<const Series*> entries;
    for (const auto& s : series_)
        if (s->Active && s->ShowInLegend)
            entries.push_back(s.get());
    return entries;
}

QStringList Chart::LegendTitles() const
{
    QStringList t;
    for (const Series* s : LegendEntries())
        t << s->Title;
    return t;
}

std::vector<Chart::LegendSwatch> Chart::LegendSwatches() const
{
    std::vector<LegendSwatch> out;
    for (const Series* se : LegendEntries()) {
        LegendSwatch w;
        w.title = se->Title;
        const bool points = se->Count() > 0;
        if (se->Kind == SeriesKind::Line)
            w.line = points ? se->PointColor(0) : se->Color;
        if (se->DrawsPointer() || se->Kind == SeriesKind::Point) {
            w.symbol = se->DrawsPointer() ? se->Pointer.Style : PointerStyle::Rectangle;
            w.symbolColor = points ? se->PointerColor(0) : se->Pointer.Color.isValid() ? se->Pointer.Color : se->Color;
        }
        out.push_back(w);
    }
    return out;
}

AxisScale Chart::AutoScale(bool xAxis, double pixels, const QFont& labelFont,
                           QPaintDevice* device) const
{
    const Axis& axis = xAxis ? BottomAxis : LeftAxis;
    AxisScale sc;
    if (!axis.Automatic) {
        sc.min = axis.Minimum;
        sc.max = axis.Maximum > axis.Minimum ? axis.Maximum : axis.Minimum + 1;
    } else {
        double lo = std::numeric_limits<double>::infinity();
        double hi = -lo;
        for (const auto& s : series_) {
            if (!s->Active)
                continue;
            for (const auto& p : s->Points()) {
                const double v = xAxis ? p.x : p.y;
                if (!std::isfinite(v))
                    continue;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
        if (!std::isfinite(lo)) {
            lo = 0;
            hi = 1;
        } else if (hi == lo) {
            const double d = lo == 0 ? 1 : std::abs(lo) * 0.1;
            lo -= d;
            hi += d;
        }
        sc.min = lo;
        sc.max = hi;
    }
    const QFontMetricsF fm = Metrics(labelFont, device);
    const double s = DeviceScale(device);
    double room;
    if (xAxis) {
        const double w = std::max(fm.horizontalAdvance(AxisLabel(sc.min, 1)),
                                  fm.horizontalAdvance(AxisLabel(sc.max, 1)));
        room = w + 24 * s;
    } else {
        room = fm.height() * 2.5;
    }
    sc.step = NiceStep(sc.max - sc.min, std::max(1.0, pixels / room));
    return sc;
}

ChartLayout Chart::Layout(const QRectF& rect, QPaintDevice* device) const
{
    ChartLayout L;
    const double s = DeviceScale(device);
    L.scale = s;
    L.outer = rect;
    const double pad = 4 * s;
    QRectF r = rect.adjusted(pad, pad, -pad, -pad);

    if (Shown(Title)) {
        const double h = Metrics(Title.Font, device).height();
        L.title = QRectF(r.left(), r.top(), r.width(), h);
        r.setTop(r.top() + h + pad);
    }
    if (Shown(Foot)) {
        const double h = Metrics(Foot.Font, device).height();
        L.foot = QRectF(r.left(), r.bottom() - h, r.width(), h);
        r.setBottom(r.bottom() - h - pad);
    }
    const std::vector<const Series*> entries = LegendEntries();
    if (Legend.Visible && !entries.empty()) {
        const QFontMetricsF fm = Metrics(Legend.Font, device);
        const double lh = std::max(fm.height(), 10 * s);
        if (Legend.Position == LegendPosition::Right) {
            double tw = 0;
            for (const Series* se : entries)
                tw = std::max(tw, fm.horizontalAdvance(se->Title));
            const double w = 24 * s + 4 * s + tw + 2 * pad;
            const double h = std::min(r.height(), entries.size() * lh + 2 * pad);
            L.legend = QRectF(r.right() - w, r.top(), w, h);
            r.setRight(r.right() - w - pad);
        } else {
            const auto placed = PlaceLegend(entries, QRectF(r.left(), 0, r.width(), 1e9),
                                            LegendPosition::Bottom, fm, s);
            const double h = placed.back().rect.bottom() + pad;
            L.legend = QRectF(r.left(), r.bottom() - h, r.width(), h);
            r.setBottom(r.bottom() - h - pad);
        }
    }
    if (Shown(LeftAxis.Title)) {
        const double w = Metrics(LeftAxis.Title.Font, device).height();
        L.leftTitle = QRectF(r.left(), r.top(), w, r.height());
        r.setLeft(r.left() + w + pad);
    }
    if (Shown(BottomAxis.Title)) {
        const double h = Metrics(BottomAxis.Title.Font, device).height();
        L.bottomTitle = QRectF(r.left(), r.bottom() - h, r.width(), h);
        r.setBottom(r.bottom() - h - pad);
    }
    const double tick = 4 * s;
    r.setBottom(r.bottom() - Metrics(BottomAxis.LabelFont, device).height() - tick);
    L.y = AutoScale(false, r.height(), LeftAxis.LabelFont, device);
    const QFontMetricsF lfm = Metrics(LeftAxis.LabelFont, device);
    double lw = 0;
    for (double v : L.y.Ticks())
        lw = std::max(lw, lfm.horizontalAdvance(AxisLabel(v, L.y.step)));
    r.setLeft(r.left() + lw + tick + 2 * s);
    // Room for half of the last bottom label.
    r.setRight(r.right() - 8 * s);
    if (r.width() < 1)
        r.setWidth(1);
    if (r.height() < 1)
        r.setHeight(1);
    L.x = AutoScale(true, r.width(), BottomAxis.LabelFont, device);
    L.plot = r;
    const double ip = 6 * s;
    L.inner = r.width() > 4 * ip && r.height() > 4 * ip ? r.adjusted(ip, ip, -ip, -ip) : r;
    if (!L.leftTitle.isNull())
        L.leftTitle = QRectF(L.leftTitle.left(), r.top(), L.leftTitle.width(), r.height());
    if (!L.bottomTitle.isNull())
        L.bottomTitle = QRectF(r.left(), L.bottomTitle.top(), r.width(), L.bottomTitle.height());
    return L;
}

void Chart::Draw(QPainter& p, const QRectF& rect) const
{
    QPaintDevice* dev = p.device();
    const ChartLayout L = Layout(rect, dev);
    const double s = L.scale;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(rect, Qt::IntersectClip);
    p.fillRect(rect, BackColor);

    auto drawText = [&](const ChartText& t, const QRectF& r) {
        if (!Shown(t))
            return;
        p.setFont(t.Font);
        p.setPen(t.Color);
        p.drawText(r, Qt::AlignCenter | Qt::TextDontClip, t.Text);
    };
    drawText(Title, L.title);
    drawText(Foot, L.foot);

    // Back wall, grid and axes.
    p.fillRect(L.plot, WallColor);
    const auto xt = L.x.Ticks();
    const auto yt = L.y.Ticks();
    QPen grid(QColor(190, 190, 190), std::max(0.5, 0.75 * s), Qt::DotLine);
    p.setPen(grid);
    if (BottomAxis.Grid)
        for (double v : xt) {
            const double px = L.Map(v, L.y.min).x();
            p.drawLine(QPointF(px, L.plot.top()), QPointF(px, L.plot.bottom()));
        }
    if (LeftAxis.Grid)
        for (double v : yt) {
            const double py = L.Map(L.x.min, v).y();
            p.drawLine(QPointF(L.plot.left(), py), QPointF(L.plot.right(), py));
        }
    p.setPen(QPen(Qt::black, std::max(0.5, s)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(L.plot);
    const double tick = 4 * s;
    p.setFont(BottomAxis.LabelFont);
    const QFontMetricsF bfm = Metrics(BottomAxis.LabelFont, dev);
    for (double v : xt) {
        const double px = L.Map(v, L.y.min).x();
        p.drawLine(QPointF(px, L.plot.bottom()), QPointF(px, L.plot.bottom() + tick));
        const QString t = AxisLabel(v, L.x.step);
        const double w = bfm.horizontalAdvance(t);
        p.drawText(QPointF(px - w / 2, L.plot.bottom() + tick + bfm.ascent()), t);
    }
    p.setFont(LeftAxis.LabelFont);
    const QFontMetricsF lfm = Metrics(LeftAxis.LabelFont, dev);
    for (double v : yt) {
        const double py = L.Map(L.x.min, v).y();
        p.drawLine(QPointF(L.plot.left() - tick, py), QPointF(L.plot.left(), py));
        const QString t = AxisLabel(v, L.y.step);
        const double w = lfm.horizontalAdvance(t);
        p.drawText(QPointF(L.plot.left() - tick - 2 * s - w, py + lfm.ascent() / 2 - lfm.descent() / 2), t);
    }
    drawText(BottomAxis.Title, L.bottomTitle);
    if (Shown(LeftAxis.Title)) {
        p.save();
        p.translate(L.leftTitle.center());
        p.rotate(-90);
        p.setFont(LeftAxis.Title.Font);
        p.setPen(LeftAxis.Title.Color);
        const QRectF r(-L.leftTitle.height() / 2, -L.leftTitle.width() / 2, L.leftTitle.height(),
                       L.leftTitle.width());
        p.drawText(r, Qt::AlignCenter | Qt::TextDontClip, LeftAxis.Title.Text);
        p.restore();
    }

    // Series inside the wall.
    p.save();
    p.setClipRect(L.plot, Qt::IntersectClip);
    for (const auto& se : series_) {
        if (!se->Active)
            continue;
        const int n = se->Count();
        if (se->Kind == SeriesKind::Line) {
            for (int i = 1; i < n; ++i) {
                QPen pen(se->PointColor(i), std::max(0.5, se->PenWidth * s));
                pen.setCapStyle(Qt::RoundCap);
                p.setPen(pen);
                p.drawLine(L.Map(se->At(i - 1).x, se->At(i - 1).y), L.Map(se->At(i).x, se->At(i).y));
            }
        }
        if (se->DrawsPointer())
            for (int i = 0; i < n; ++i)
                DrawPointer(p, L.Map(se->At(i).x, se->At(i).y), se->Pointer.Style,
                            se->Pointer.HorizSize * s, se->Pointer.VertSize * s, se->PointerColor(i), s);
    }
    p.restore();

    // Marks: each non-empty label in a small box above its point.
    p.setFont(Legend.Font);
    for (const Mark& m : Marks(L, dev)) {
        const double above = m.series->DrawsPointer() ? m.series->Pointer.VertSize * s + s : 0;
        p.setPen(QPen(Qt::gray, std::max(0.5, 0.75 * s)));
        // The leader runs from the point to the box's nearer edge.
        const double x = std::clamp(m.point.x(), m.box.left(), m.box.right());
        if (m.box.bottom() <= m.point.y() - above)
            p.drawLine(QPointF(m.point.x(), m.point.y() - above), QPointF(x, m.box.bottom()));
        else if (m.box.top() >= m.point.y() + above)
            p.drawLine(QPointF(m.point.x(), m.point.y() + above), QPointF(x, m.box.top()));
        p.setBrush(m.series->Marks.BackColor);
        p.drawRect(m.box);
        p.setPen(Qt::black);
        p.drawText(m.box, Qt::AlignCenter, m.label);
    }

    // Legend.
    if (!L.legend.isNull()) {
        const std::vector<const Series*> entries = LegendEntries();
        const QFontMetricsF fm = Metrics(Legend.Font, dev);
        p.setPen(QPen(Qt::black, std::max(0.5, 0.75 * s)));
        p.setBrush(Qt::white);
        p.drawRect(L.legend);
        p.setFont(Legend.Font);
        const std::vector<LegendSwatch> swatches = LegendSwatches();
        size_t k = 0;
        for (const LegendItem& it : PlaceLegend(entries, L.legend, Legend.Position, fm, s)) {
            const Series* se = it.series;
            const LegendSwatch& w = swatches[k++];
            const double cy = it.rect.center().y();
            const QPointF a(it.rect.left(), cy), b(it.rect.left() + 24 * s, cy);
            if (w.line.isValid()) {
                p.setPen(QPen(w.line, std::max(0.5, se->PenWidth * s)));
                p.drawLine(a, b);
            }
            DrawPointer(p, (a + b) / 2, w.symbol, 3 * s, 3 * s, w.symbolColor, s);
            p.setPen(Qt::black);
            p.drawText(QPointF(it.rect.left() + 28 * s, cy + fm.ascent() / 2 - fm.descent() / 2), se->Title);
        }
    }
    p.restore();
}

std::vector<Chart::Mark> Chart::Marks(const ChartLayout& L, QPaintDevice* device) const
{
    std::vector<Mark> out;
    const double s = L.scale;
    const QFontMetricsF mfm = Metrics(Legend.Font, device);
    for (const auto& se : series_) {
        if (!se->Active || !se->Marks.Visible)
            continue;
        for (int i = 0; i < se->Count(); ++i) {
            const ChartPoint& pt = se->At(i);
            if (pt.label.isEmpty())
                continue;
            const QPointF c = L.Map(pt.x, pt.y);
            if (!L.plot.adjusted(-1, -1, 1, 1).contains(c))
                continue;
            const double w = mfm.horizontalAdvance(pt.label) + 4 * s;
            const double h = mfm.height() + 2 * s;
            const double lift = (se->DrawsPointer() ? se->Pointer.VertSize * s : 0) + 8 * s;
            QRectF box(c.x() - w / 2, c.y() - lift - h, w, h);
            // The box stays on the wall: a mark at the first or last station
            // would otherwise cover the axis labels beside it, one at the top
            // the title. Too near the top it hangs below its point instead.
            if (box.top() < L.plot.top())
                box.moveTop(c.y() + lift);
            box.moveLeft(std::clamp(box.left(), L.plot.left(), std::max(L.plot.left(), L.plot.right() - w)));
            box.moveTop(std::clamp(box.top(), L.plot.top(), std::max(L.plot.top(), L.plot.bottom() - h)));
            out.push_back({se.get(), c, pt.label, box});
        }
    }
    return out;
}

std::vector<ChartTextBox> Chart::TextBoxes(const QRectF& rect, QPaintDevice* device) const
{
    const ChartLayout L = Layout(rect, device);
    const double s = L.scale;
    std::vector<ChartTextBox> out;
    auto centred = [&](ChartTextKind kind, const ChartText& t, const QRectF& r) {
        if (!Shown(t))
            return;
        const QFontMetricsF fm = Metrics(t.Font, device);
        const double w = fm.horizontalAdvance(t.Text);
        const QPointF c = r.center();
        out.push_back({kind, t.Text, QRectF(c.x() - w / 2, c.y() - fm.height() / 2, w, fm.height())});
    };
    centred(ChartTextKind::Title, Title, L.title);
    centred(ChartTextKind::Foot, Foot, L.foot);
    centred(ChartTextKind::AxisTitle, BottomAxis.Title, L.bottomTitle);
    if (Shown(LeftAxis.Title)) {
        // Turned upright: its width runs down the page.
        const QFontMetricsF fm = Metrics(LeftAxis.Title.Font, device);
        const double w = fm.horizontalAdvance(LeftAxis.Title.Text);
        const QPointF c = L.leftTitle.center();
        out.push_back({ChartTextKind::AxisTitle, LeftAxis.Title.Text,
                       QRectF(c.x() - fm.height() / 2, c.y() - w / 2, fm.height(), w)});
    }
    const double tick = 4 * s;
    const QFontMetricsF bfm = Metrics(BottomAxis.LabelFont, device);
    for (double v : L.x.Ticks()) {
        const QString t = AxisLabel(v, L.x.step);
        const double w = bfm.horizontalAdvance(t);
        const double px = L.Map(v, L.y.min).x();
        out.push_back({ChartTextKind::AxisLabel, t, QRectF(px - w / 2, L.plot.bottom() + tick, w, bfm.height())});
    }
    const QFontMetricsF lfm = Metrics(LeftAxis.LabelFont, device);
    for (double v : L.y.Ticks()) {
        const QString t = AxisLabel(v, L.y.step);
        const double w = lfm.horizontalAdvance(t);
        const double py = L.Map(L.x.min, v).y();
        const double base = py + lfm.ascent() / 2 - lfm.descent() / 2;
        out.push_back({ChartTextKind::AxisLabel, t,
                       QRectF(L.plot.left() - tick - 2 * s - w, base - lfm.ascent(), w, lfm.height())});
    }
    for (const Mark& m : Marks(L, device))
        out.push_back({ChartTextKind::Mark, m.label, m.box});
    if (!L.legend.isNull()) {
        const std::vector<const Series*> entries = LegendEntries();
        const QFontMetricsF fm = Metrics(Legend.Font, device);
        for (const LegendItem& it : PlaceLegend(entries, L.legend, Legend.Position, fm, s))
            out.push_back({ChartTextKind::Legend, it.series->Title, it.rect});
    }
    return out;
}

Chart::Hit Chart::HitTest(const QPointF& pos, const QRectF& rect, QPaintDevice* device) const
{
    const ChartLayout L = Layout(rect, device);
    const double s = L.scale;
    if (!L.plot.adjusted(-2 * s, -2 * s, 2 * s, 2 * s).contains(pos))
        return {};
    for (auto it = series_.rbegin(); it != series_.rend(); ++it) {
        Series* se = it->get();
        if (!se->Active)
            continue;
        const double hx = (se->DrawsPointer() ? se->Pointer.HorizSize * s : 0) + 2 * s;
        const double hy = (se->DrawsPointer() ? se->Pointer.VertSize * s : 0) + 2 * s;
        const double rx = std::max(hx, 3 * s), ry = std::max(hy, 3 * s);
        int best = -1;
        double bestD = 0;
        for (int i = 0; i < se->Count(); ++i) {
            const QPointF c = L.Map(se->At(i).x, se->At(i).y);
            const double dx = std::abs(pos.x() - c.x()), dy = std::abs(pos.y() - c.y());
            if (dx > rx || dy > ry || !L.plot.contains(c))
                continue;
            const double d = dx * dx + dy * dy;
            if (best < 0 || d < bestD) {
                best = i;
                bestD = d;
            }
        }
        if (best >= 0)
            return {se, best};
    }
    return {};
}

QPointF Chart::PointPosition(const Series& s, int index, const QRectF& rect, QPaintDevice* device) const
{
    const ChartLayout L = Layout(rect, device);
    return L.Map(s.At(index).x, s.At(index).y);
}

} // namespace chart
