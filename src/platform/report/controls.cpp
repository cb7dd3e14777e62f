#include "platform/report/controls.h"
#include "platform/chart/fonts.h"
#include "platform/db/db.h"
#include "platform/report/format.h"
#include "platform/report/report.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTime>

#include <cmath>
#include <deque>

namespace report {

namespace {

// Text is measured on one fixed high-resolution device, so a memo wraps and
// stretches alike in the preview, on paper, in a PDF and in the text dump.
constexpr double kMeasureDpi = 1200;

QPaintDevice* MeasureDevice()
{
    static QImage* img = [] {
        auto* i = new QImage(4, 4, QImage::Format_RGB32);
        const int dpm = qRound(kMeasureDpi / 0.0254);
        i->setDotsPerMeterX(dpm);
        i->setDotsPerMeterY(dpm);
        return i;
    }();
    return img;
}

// Metrics of a font at a resolution, kept: metrics made anew look the font
// engine up again, which cost more than the measuring itself when every
// line of a long report did it. A report uses a handful of fonts.
const QFontMetricsF& MetricsAt(const QFont& f, const QPaintDevice* device)
{
    struct Kept {
        QFont font;
        int dpi;
        QFontMetricsF metrics;
    };
    // Never destroyed: fonts must not outlive the application object.
    static auto* kept = new std::deque<Kept>;
    const int dpi = device->logicalDpiY();
    for (const Kept& k : *kept)
        if (k.dpi == dpi && k.font == f)
            return k.metrics;
    if (kept->size() >= 64)
        kept->clear();
    kept->push_back(Kept{f, dpi, QFontMetricsF(f, device)});
    return kept->back().metrics;
}

const QFontMetricsF& MeasureMetrics(const QFont& f)
{
    return MetricsAt(f, MeasureDevice());
}

double TextWidth(const QFont& f, const QString& s)
{
    return MeasureMetrics(f).horizontalAdvance(s) / kMeasureDpi;
}

QString TableFieldText(db::Table* table, const QString& name, const QString& mask)
{
    if (!table || !table->Active())
        return QString();
    return FieldText(table->FindField(name), mask);
}

// Draws one line of text at `top` (device pixels) inside box, aligned.
void DrawLine(QPainter& p, const QRectF& box, double top, const QString& text, Qt::Alignment align,
              const QFont& font)
{
    const QFontMetricsF& fm = MetricsAt(font, p.device());
    // Only a line placed by its width is measured.
    double x = box.left();
    if (align & Qt::AlignRight)
        x = box.right() - fm.horizontalAdvance(text);
    else if (align & Qt::AlignHCenter)
        x = box.left() + (box.width() - fm.horizontalAdvance(text)) / 2;
    p.drawText(QPointF(x, top + fm.ascent()), text);
}

// The box one line of text takes when drawn at `top` inside `box` (inches),
// aligned as DrawLine places it.
QRectF LineBox(const QRectF& box, double top, const QString& text, Qt::Alignment align, const QFont& font)
{
    const double w = TextWidth(font, text);
    double x = box.left();
    if (align & Qt::AlignRight)
        x = box.right() - w;
    else if (align & Qt::AlignHCenter)
        x = box.left() + (box.width() - w) / 2;
    return QRectF(x, top, w, MeasureMetrics(font).height() / kMeasureDpi);
}

DumpItem Item(ItemKind kind, const QString& text, const QRectF& box)
{
    DumpItem i;
    i.kind = kind;
    i.text = text;
    i.box = box;
    return i;
}

} // namespace

QString FieldText(db::Field* field, const QString& mask)
{
    if (!field || !field->DataSet() || !field->DataSet()->Active() || field->IsNull())
        return QString();
    switch (field->DataType()) {
    case db::FieldType::Number:
    case db::FieldType::Short:
    case db::FieldType::Long:
    case db::FieldType::AutoInc:
        if (!mask.isEmpty())
            return FormatMask(field->AsFloat(), mask);
        break;
    default:
        break;
    }
    return field->AsString();
}

QStringList WrapText(const QString& text, const QFont& font, double width)
{
    QStringList out;
    const QStringList paragraphs = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                       .split(QLatin1Char('\n'));
    for (const QString& para : paragraphs) {
        if (para.isEmpty()) {
            out << QString();
            continue;
        }
        // Break between words only, so "1-1/2 in" or "($/acin)" stay whole; a
        // word wider than the box is broken by letters.
        QString line;
        QTextBoundaryFinder bf(QTextBoundaryFinder::Line, para);
        int start = 0;
        while (start < para.size()) {
            int next = bf.toNextBoundary();
            while (next > 0 && next < para.size() && !para.at(next - 1).isSpace())
                next = bf.toNextBoundary();
            if (next < 0)
                next = para.size();
            const QString word = para.mid(start, next - start);
            const QString candidate = line + word;
            if (line.isEmpty() || TextWidth(font, candidate.trimmed()) <= width) {
                line = candidate;
            } else {
                out << line.trimmed();
                line = word;
            }
            while (TextWidth(font, line.trimmed()) > width && line.trimmed().size() > 1) {
                int n = line.size() - 1;
                while (n > 1 && TextWidth(font, line.left(n)) > width)
                    --n;
                out << line.left(n);
                line = line.mid(n);
            }
            start = next;
        }
        out << line.trimmed();
    }
    return out;
}

Control::Control(QString name, const QRectF& rect)
    : Name(std::move(name)), Rect(rect), Font(chart::MakeFont())
{
}

double Control::LineHeight() const
{
    return MeasureMetrics(Font).height() / kMeasureDpi;
}

QString Control::Text(const PrintContext&) const
{
    return QString();
}

QStringList Control::Lines(const PrintContext& ctx, double) const
{
    return {Text(ctx)};
}

double Control::NeededHeight(const PrintContext&, double) const
{
    return Rect.height() > 0 ? Rect.height() : LineHeight();
}

void Control::Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const
{
    if (BackColor.isValid())
        p.fillRect(box, BackColor);
    const QString t = Text(ctx);
    if (t.isEmpty())
        return;
    p.setFont(Font);
    p.setPen(Color);
    DrawLine(p, box, box.top(), t, Alignment, Font);
}

QStringList Control::DumpLines(const PrintContext& ctx, double, double) const
{
    const QString t = Text(ctx);
    return t.isEmpty() ? QStringList() : QStringList{t};
}

void Control::Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const
{
    const QString t = Text(ctx);
    if (!t.isEmpty())
        out.push_back(Item(ItemKind::Text, t, LineBox(box, box.top(), t, Alignment, Font)));
}

QString DBText::Text(const PrintContext&) const
{
    if (Field)
        return FieldText(Field, Mask);
    return TableFieldText(DataSet, DataField, Mask);
}

QString SysData::Text(const PrintContext& ctx) const
{
    QString v;
    switch (Kind) {
    case SysDataKind::ReportTitle:
        v = ctx.report ? ctx.report->ReportTitle : QString();
        break;
    case SysDataKind::PageNumber:
        v = QString::number(ctx.pageNumber);
        break;
    case SysDataKind::Date:
        v = ctx.date.toString(QStringLiteral("M/d/yyyy"));
        break;
    case SysDataKind::Time:
        v = QTime::currentTime().toString(QStringLiteral("h:mm:ss AP"));
        break;
    case SysDataKind::DateTime:
        v = ctx.date.toString(QStringLiteral("M/d/yyyy")) + QLatin1Char(' ')
            + QTime::currentTime().toString(QStringLiteral("h:mm:ss AP"));
        break;
    case SysDataKind::DetailCount:
        v = QString::number(ctx.detailCount);
        break;
    }
    return Prefix + v;
}

void Shape::Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext&) const
{
    QPen pen(PenColor, std::max(0.5, PenWidth * dpi / 72.0));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(PenWidth > 0 ? pen : QPen(Qt::NoPen));
    p.setBrush(BrushColor.isValid() ? QBrush(BrushColor) : QBrush(Qt::NoBrush));
    const QPointF c = box.center();
    switch (Kind) {
    case ShapeKind::HorzLine:
        p.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
        break;
    case ShapeKind::VertLine:
        p.drawLine(QPointF(c.x(), box.top()), QPointF(c.x(), box.bottom()));
        break;
    case ShapeKind::Rectangle:
        p.drawRect(box);
        break;
    case ShapeKind::RoundRect:
        p.drawRoundedRect(box, box.width() / 10, box.height() / 10);
        break;
    case ShapeKind::Circle:
        p.drawEllipse(box);
        break;
    case ShapeKind::TopAndBottom:
        p.drawLine(box.topLeft(), box.topRight());
        p.drawLine(box.bottomLeft(), box.bottomRight());
        break;
    case ShapeKind::LeftAndRight:
        p.drawLine(box.topLeft(), box.bottomLeft());
        p.drawLine(box.topRight(), box.bottomRight());
        break;
    }
}

void Shape::Items(const PrintContext&, const QRectF& box, std::vector<DumpItem>& out) const
{
    if (PenWidth <= 0)
        return;
    const double pen = PenWidth / 72.0;
    auto horz = [&](double y) { out.push_back(Item(ItemKind::Rule, QString(), QRectF(box.left(), y - pen / 2, box.width(), pen))); };
    auto vert = [&](double x) { out.push_back(Item(ItemKind::Rule, QString(), QRectF(x - pen / 2, box.top(), pen, box.height()))); };
    switch (Kind) {
    case ShapeKind::HorzLine:
        horz(box.center().y());
        break;
    case ShapeKind::VertLine:
        vert(box.center().x());
        break;
    case ShapeKind::TopAndBottom:
        horz(box.top());
        horz(box.bottom());
        break;
    case ShapeKind::LeftAndRight:
        vert(box.left());
        vert(box.right());
        break;
    case ShapeKind::Rectangle:
    case ShapeKind::RoundRect:
    case ShapeKind::Circle:
        horz(box.top());
        horz(box.bottom());
        vert(box.left());
        vert(box.right());
        break;
    }
}

QString Memo::Text(const PrintContext&) const
{
    if (Field)
        return FieldText(Field);
    if (DataSet)
        return TableFieldText(DataSet, DataField, QString());
    return Content;
}

QStringList Memo::Lines(const PrintContext& ctx, double width) const
{
    const QString t = Text(ctx);
    if (t.isEmpty())
        return {};
    if (!WordWrap)
        return QString(t).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    return WrapText(t, Font, width);
}

double Memo::NeededHeight(const PrintContext& ctx, double width) const
{
    if (!Stretch)
        return Control::NeededHeight(ctx, width);
    // At least its box; one without a box is as tall as its text, nothing when empty.
    return std::max(Rect.height(), Lines(ctx, width).size() * LineHeight());
}

void Memo::Paint(QPainter& p, const QRectF& box, double dpi, const PrintContext& ctx) const
{
    if (BackColor.isValid())
        p.fillRect(box, BackColor);
    const double lh = LineHeight() * dpi;
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    p.setFont(Font);
    p.setPen(Color);
    double top = box.top();
    for (const QString& line : Lines(ctx, box.width() / dpi)) {
        if (top >= box.bottom())
            break;
        DrawLine(p, box, top, line, Alignment, Font);
        top += lh;
    }
    p.restore();
}

QStringList Memo::DumpLines(const PrintContext& ctx, double width, double height) const
{
    // Only the lines that show: a box that does not stretch cuts the rest.
    const QStringList all = Lines(ctx, width);
    const int fit = static_cast<int>(std::floor(height / LineHeight() + 1e-6));
    QStringList shown = all.mid(0, std::max(0, fit));
    while (!shown.isEmpty() && shown.back().isEmpty())
        shown.removeLast();
    return shown;
}

void Memo::Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const
{
    // As Paint draws them: the lines that begin inside the box, cut at its edges.
    const double lh = LineHeight();
    double top = box.top();
    for (const QString& line : Lines(ctx, box.width())) {
        if (top >= box.bottom() - 1e-9)
            break;
        if (!line.isEmpty())
            out.push_back(Item(ItemKind::Text, line, LineBox(box, top, line, Alignment, Font).intersected(box)));
        top += lh;
    }
}

QString ChartControl::Text(const PrintContext&) const
{
    QStringList parts;
    for (int i = 0; i < Chart.SeriesCount(); ++i) {
        const chart::Series* s = Chart.SeriesAt(i);
        if (s->Active)
            parts << QStringLiteral("%1 (%2)").arg(s->Title).arg(s->Count());
    }
    return QStringLiteral("chart \"%1\": %2").arg(Chart.Title.Text, parts.join(QStringLiteral(", ")));
}

void ChartControl::Paint(QPainter& p, const QRectF& box, double, const PrintContext&) const
{
    Chart.Draw(p, box);
}

void ChartControl::Items(const PrintContext& ctx, const QRectF& box, std::vector<DumpItem>& out) const
{
    out.push_back(Item(ItemKind::Chart, Text(ctx), box));
    // Laid out on the measuring device, whose pixels are 1/kMeasureDpi inch.
    const QRectF px(box.topLeft() * kMeasureDpi, box.size() * kMeasureDpi);
    for (const chart::ChartTextBox& t : Chart.TextBoxes(px, MeasureDevice())) {
        const QRectF r = t.rect;
        const ItemKind kind = t.kind == chart::ChartTextKind::Mark ? ItemKind::ChartMark : ItemKind::ChartText;
        out.push_back(Item(kind, t.text,
                           QRectF(r.topLeft() / kMeasureDpi, r.size() / kMeasureDpi)));
    }
}

} // namespace report
