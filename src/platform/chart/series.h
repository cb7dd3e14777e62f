#pragma once
// A chart series: an ordered list of points drawn as a line or as single
// markers, with its legend title, colours, marker ("pointer") and per-point
// labels ("marks"). A series may take its points from a table.
#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace db { class Table; }

namespace chart {

enum class SeriesKind { Line, Point };
enum class PointerStyle { None, Rectangle, Circle, Triangle, DownTriangle, Diamond };
// Ascending keeps the points sorted by X as they are added; points with equal
// X stay in the order they were added, so a vertical step draws.
enum class XOrder { Ascending, None };

struct ChartPoint {
    double x = 0;
    double y = 0;
    QString label;     // shown as a mark when the series' marks are visible
    QColor color;      // invalid: the series colour
};

class Series {
public:
    Series(SeriesKind kind, QString title);

    SeriesKind Kind;
    QString Title;                 // legend text, kept exactly
    QColor Color = Qt::red;        // line and legend colour
    int PenWidth = 1;              // line width in screen pixels
    bool Active = true;            // an inactive series is neither drawn nor listed
    bool ShowInLegend = true;
    XOrder Order = XOrder::Ascending;

    struct PointerLook {
        bool Visible = true;
        PointerStyle Style = PointerStyle::Rectangle;
        int HorizSize = 3;         // half width in screen pixels
        int VertSize = 3;          // half height in screen pixels
        QColor Color;              // invalid: each point's colour
    } Pointer;

    struct MarksLook {
        bool Visible = false;
        QColor BackColor = QColor(255, 255, 225);
    } Marks;

    bool HandCursor = false;       // the pointing hand over its points on screen
    // A click on one of the series' points, with the point's index.
    std::function<void(Series&, int)> OnClick;

    // Adds a point where the X order puts it; returns its index.
    int Add(double x, double y, const QString& label = QString(), const QColor& color = QColor());
    void Clear();
    int Count() const { return static_cast<int>(points_.size()); }
    const ChartPoint& At(int i) const { return points_.at(static_cast<size_t>(i)); }
    const std::vector<ChartPoint>& Points() const { return points_; }
    std::vector<double> XValues() const;
    std::vector<double> YValues() const;

    // The colour a point is drawn in, and its pointer's colour.
    QColor PointColor(int i) const;
    QColor PointerColor(int i) const;
    bool DrawsPointer() const { return Pointer.Visible && Pointer.Style != PointerStyle::None; }

    // Binds the series to a table: X and Y from two numeric fields, labels
    // from an optional third. RefreshData re-reads the rows.
    void SetDataSource(db::Table* table, const QString& xField, const QString& yField,
                       const QString& labelField = QString());
    db::Table* DataSource() const { return table_; }
    // Reads every visible row of the bound table in its current order and
    // filter, then puts the cursor back on the row it was on. A table that is
    // closed gives an empty series; one being edited is left alone.
    void RefreshData();

private:
    std::vector<ChartPoint> points_;
    db::Table* table_ = nullptr;
    QString xField_, yField_, labelField_;
};

} // namespace chart
