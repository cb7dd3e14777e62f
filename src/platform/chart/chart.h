#pragma once
// A two-dimensional chart of line and point series with a title, a foot
// text, two automatic or fixed axes and a legend. It paints itself with
// QPainter into any rectangle of any paint device, so the same code draws a
// window on screen and a box on a report page.
#include "platform/chart/series.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace chart {

struct ChartText {
    QString Text;
    QFont Font;
    QColor Color = Qt::black;
    bool Visible = true;
};

struct Axis {
    ChartText Title;
    QFont LabelFont;
    bool Automatic = true;         // range from the data of the active series
    double Minimum = 0;            // used when not automatic
    double Maximum = 1;
    bool Grid = true;
    void SetMinMax(double lo, double hi) { Minimum = lo; Maximum = hi; Automatic = false; }
};

enum class LegendPosition { Right, Bottom };

struct LegendLook {
    bool Visible = true;
    LegendPosition Position = LegendPosition::Right;
    QFont Font;
};

// The scale of one axis as drawn: its range and the step between labels.
struct AxisScale {
    double min = 0;
    double max = 1;
    double step = 0.1;
    std::vector<double> Ticks() const;
};

// Where everything of a chart goes inside a given rectangle.
struct ChartLayout {
    double scale = 1;              // device pixels per screen pixel
    QRectF outer;
    QRectF plot;                   // the back wall, framed
    QRectF inner;                  // the part of the wall the axis ranges map onto
    QRectF title, foot, legend, leftTitle, bottomTitle;
    AxisScale x, y;
    QPointF Map(double vx, double vy) const;
};

// A text the chart draws and the box it takes (device pixels).
enum class ChartTextKind { Title, Foot, AxisTitle, AxisLabel, Legend, Mark };
struct ChartTextBox {
    ChartTextKind kind;
    QString text;
    QRectF rect;
};

class Chart {
public:
    Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    ChartText Title;
    ChartText Foot;
    Axis BottomAxis;
    Axis LeftAxis;
    LegendLook Legend;
    QColor BackColor = Qt::white;
    QColor WallColor = Qt::white;

    // Series are drawn and listed in the legend in the order they are added.
    Series* AddSeries(SeriesKind kind, const QString& title);
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    Series* SeriesAt(int i) const { return series_.at(static_cast<size_t>(i)).get(); }
    void ClearAll();               // empties every series
    void RefreshData();            // re-reads every series bound to a table

    // Legend entries as drawn: the titles of the active series shown there.
    QStringList LegendTitles() const;
    // Each legend entry as drawn, in the colours and symbol its series is
    // drawn with: the colour its points are given when it has any.
    struct LegendSwatch {
        QString title;
        QColor line;                // invalid: no line (a point series)
        PointerStyle symbol = PointerStyle::None;
        QColor symbolColor;
    };
    std::vector<LegendSwatch> LegendSwatches() const;

    ChartLayout Layout(const QRectF& rect, QPaintDevice* device) const;
    void Draw(QPainter& painter, const QRectF& rect) const;
    // Every text Draw puts into the rectangle on the device, where it goes.
    std::vector<ChartTextBox> TextBoxes(const QRectF& rect, QPaintDevice* device) const;

    struct Hit {
        Series* series = nullptr;
        int index = -1;
        explicit operator bool() const { return series != nullptr; }
    };
    // The point under a position (device pixels of the same rectangle and
    // device the chart was drawn with); the topmost series wins, then the
    // nearest point.
    Hit HitTest(const QPointF& pos, const QRectF& rect, QPaintDevice* device) const;
    // Where a point of a series is drawn.
    QPointF PointPosition(const Series& s, int index, const QRectF& rect, QPaintDevice* device) const;

private:
    struct Mark {
        const Series* series;
        QPointF point;             // where the labelled point is drawn
        QString label;
        QRectF box;
    };
    std::vector<Mark> Marks(const ChartLayout& L, QPaintDevice* device) const;
    std::vector<const Series*> LegendEntries() const;   // the active series the legend lists
    AxisScale AutoScale(bool xAxis, double pixels, const QFont& labelFont, QPaintDevice* device) const;
    std::vector<std::unique_ptr<Series>> series_;
};

// The default label text of an axis value.
QString AxisLabel(double v, double step);

} // namespace chart
