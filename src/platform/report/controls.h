#pragma once
// The controls that sit on report bands: fixed labels, data texts bound to a
// field of a table's current row, system data, lines and boxes, word-wrapped
// memos and charts. Positions are in inches from the band's top-left corner.
#include "platform/chart/chart.h"
#include "platform/report/output.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;

namespace db {
class Field;
class Table;
}

namespace report {

class Report;

// What a control needs to know while its band prints.
struct PrintContext {
    const Report* report = nullptr;
    int pageNumber = 0;        // runs on through a composite document
    int detailCount = 0;       // detail rows printed so far in this report
    QDate date;
};

class Control {
public:
    Control(QString name, const QRectF& rect);
    virtual ~Control() = default;

    QString Name;
    // Inches within the band. Width 0 reaches to the band's right edge;
    // height 0 is one line of the control's font.
    QRectF Rect;
    bool Enabled = true;       // a disabled control does not print
    QFont Font;                // Arial 10 unless set
    QColor Color = Qt::black;  // text colour
    Qt::Alignment Alignment = Qt::AlignLeft;
    QColor BackColor;          // invalid: transparent

    // The text the control prints now (empty for lines and boxes).
    virtual QString Text(const PrintContext& ctx) const;
    // Lines as printed inside a box of the given width (inches); one line
    // for everything but memos.
    virtual QStringList Lines(const PrintContext& ctx, double width) const;
    // Height the control needs in its band (inches): its own, or more for a
    // memo that stretches.
    virtual double NeededHeight(const PrintContext& ctx, double width) const;
    // Whether the control may make its band taller than designed.
    virtual bool Stretches() const { return false; }
    // Paints into `box` (device pixels) at `dpi` device pixels per inch.
    virtual void Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const;
    // The lines a text dump lists for this control.
    virtual QStringList DumpLines(const PrintContext& ctx, double width, double height) const;
    // What Paint draws into `box` (inches on the paper), item by item: each
    // line of text as wide as its text, each rule as thick as its pen. Only
    // kind, text and box are filled in.
    virtual void Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const;

    // One line of this control's font, in inches.
    double LineHeight() const;
};

// A fixed text; band handlers may change its caption.
class Label : public Control {
public:
    Label(QString name, const QRectF& rect, QString caption)
        : Control(std::move(name), rect), Caption(std::move(caption)) {}
    QString Caption;
    QString Text(const PrintContext&) const override { return Caption; }
};

// The value of a field in its table's current row, through an optional
// picture mask for numbers ("###0.00"); without a mask the field's own text.
class DBText : public Control {
public:
    DBText(QString name, const QRectF& rect, db::Field* field, QString mask = QString())
        : Control(std::move(name), rect), Field(field), Mask(std::move(mask)) {}
    // Bound by table and field name, looked up when it prints.
    DBText(QString name, const QRectF& rect, db::Table* table, QString fieldName, QString mask = QString())
        : Control(std::move(name), rect), DataSet(table), DataField(std::move(fieldName)), Mask(std::move(mask)) {}
    db::Field* Field = nullptr;
    db::Table* DataSet = nullptr;
    QString DataField;
    QString Mask;
    QString Text(const PrintContext& ctx) const override;
};

enum class SysDataKind { ReportTitle, PageNumber, Date, Time, DateTime, DetailCount };

// A value of the printing itself, after an optional prefix text.
class SysData : public Control {
public:
    SysData(QString name, const QRectF& rect, SysDataKind kind, QString prefix = QString())
        : Control(std::move(name), rect), Kind(kind), Prefix(std::move(prefix)) {}
    SysDataKind Kind;
    QString Prefix;
    QString Text(const PrintContext& ctx) const override;
};

enum class ShapeKind { HorzLine, VertLine, Rectangle, RoundRect, Circle, TopAndBottom, LeftAndRight };

// A line or box; lines run through the middle of the control's rectangle.
class Shape : public Control {
public:
    Shape(QString name, const QRectF& rect, ShapeKind kind) : Control(std::move(name), rect), Kind(kind) {}
    ShapeKind Kind;
    double PenWidth = 1;       // points
    QColor PenColor = Qt::black;
    QColor BrushColor;         // invalid: not filled
    QStringList DumpLines(const PrintContext&, double, double) const override { return {}; }
    void Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const override;
    void Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const override;
};

// Word-wrapped text in a box: a fixed text or a field's text. A stretching
// memo grows to all its lines, pushing down what lies below it in its band
// and the band's foot; one of height 0 takes no room when it is empty.
// Otherwise the text is cut at the box's lower edge.
class Memo : public Control {
public:
    Memo(QString name, const QRectF& rect, QString text = QString())
        : Control(std::move(name), rect), Content(std::move(text)) {}
    QString Content;           // the fixed text (when no field is bound)
    db::Field* Field = nullptr;
    db::Table* DataSet = nullptr;
    QString DataField;
    bool Stretch = false;
    bool WordWrap = true;
    QString Text(const PrintContext& ctx) const override;
    QStringList Lines(const PrintContext& ctx, double width) const override;
    double NeededHeight(const PrintContext& ctx, double width) const override;
    bool Stretches() const override { return Stretch; }
    void Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const override;
    QStringList DumpLines(const PrintContext& ctx, double width, double height) const override;
    void Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const override;
};

// A chart of the chart layer, drawn into the control's box.
class ChartControl : public Control {
public:
    ChartControl(QString name, const QRectF& rect) : Control(std::move(name), rect) {}
    chart::Chart Chart;
    // Title and series with their point counts, for the text dump.
    QString Text(const PrintContext& ctx) const override;
    void Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const override;
    // The chart's box, then every text drawn inside it.
    void Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const override;
};

// The text of a field as a data text shows it: empty when null, through the
// mask for numbers when one is given, else the field's own text.
QString FieldText(db::Field* field, const QString& mask = QString());

// Wraps text into lines no wider than `width` inches in `font`; line breaks
// in the text are kept. Measured the same way for every output device.
QStringList WrapText(const QString& text, const QFont& font, double width);

} // namespace report
