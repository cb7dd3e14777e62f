#include "reports/report_forms.h"

#include "model/number_text.h"
#include "platform/chart/fonts.h"
#include "platform/db/db.h"
#include "platform/ui/cursor.h"

#include <algorithm>
#include <stdexcept>

namespace reports {

using namespace report;

QFont ReportFont(double pointSize, bool bold)
{
    return chart::MakeFont(QStringLiteral("Arial"), pointSize, bold);
}

Control* ControlOf(const Report& r, const QString& name)
{
    Control* c = r.FindControl(name);
    if (!c)
        throw std::logic_error(QStringLiteral("Report %1 has no control %2").arg(r.Name, name).toStdString());
    return c;
}

Label* LabelOf(const Report& r, const QString& name)
{
    auto* l = dynamic_cast<Label*>(ControlOf(r, name));
    if (!l)
        throw std::logic_error(QStringLiteral("Control %1 of %2 is no label").arg(name, r.Name).toStdString());
    return l;
}

void SetCaption(const Report& r, const QString& name, const QString& text)
{
    Control* c = ControlOf(r, name);
    if (auto* l = dynamic_cast<Label*>(c))
        l->Caption = text;
    else if (auto* m = dynamic_cast<Memo*>(c))
        m->Content = text;
    else
        throw std::logic_error(QStringLiteral("Control %1 of %2 has no caption").arg(name, r.Name).toStdString());
}

void SetEnabled(const Report& r, std::initializer_list<const char*> names, bool on)
{
    for (const char* n : names)
        ControlOf(r, QString::fromLatin1(n))->Enabled = on;
}

QString LossItemsText(db::Table* t, double prevDiaIn, QString slotText[3])
{
    static const char* const kDesc[] = {"KDescription1", "KDescription2", "KDescription3"};
    static const char* const kK[] = {"K1", "K2", "K3"};
    static const char* const kKid[] = {"Kid1", "Kid2", "Kid3"};
    auto field = [t](const char* name) { return t->FieldByName(QString::fromLatin1(name)); };
    auto diameter = [&](const char* name) {
        db::Field* f = field(name);
        return f->IsNull() ? QString() : FixedText(f->AsFloat(), 6, 2);
    };
    if (field(kDesc[0])->AsString().isEmpty())
        return QString();
    QString items;
    for (int n = 0; n < 3; ++n) {
        const QString desc = field(kDesc[n])->AsString();
        if (desc.isEmpty())
            continue;
        // A negative K marks a size change: from the diameter above to this one.
        slotText[n] = field(kK[n])->AsFloat() < 0
                          ? FixedText(prevDiaIn, 6, 2) + QLatin1Char(',') + diameter("DiaIn")
                          : diameter(kKid[n]);
        if (!items.isEmpty())
            items += QStringLiteral("; ");
        items += desc + QStringLiteral(", id= ") + slotText[n];
    }
    return items;
}

namespace {

// The columns of the cost report's main table; every cost section prints in them.
struct CostColumn {
    const char* heading;
    const char* caption;
    double left;
    double width;
};
const CostColumn kCostColumns[] = {
    {"ColStation", "Station", 0.0, 0.7},
    {"ColLen", "Dn Strm Length       (ft)", 0.75, 0.8},
    {"ColDesc", "Pipe Description", 1.6, 3.0},
    {"ColCover", "Pipe Cover   (in)", 4.65, 0.8},
    {"ColFtCost", "Cost per foot    ($)", 5.5, 0.9},
    {"ColRchCost", "Reach Cost      ($)", 6.45, 1.0},
};
enum CostCol { kStation, kLength, kPipe, kCover, kPerFoot, kReach };

// A value under its heading: numbers end a little inside the column.
QRectF CostCell(CostCol c, double top)
{
    const CostColumn& k = kCostColumns[c];
    return c == kStation || c == kPipe ? QRectF(k.left, top, k.width - 0.05, 0) : QRectF(k.left, top, k.width - 0.1, 0);
}

} // namespace

double BodyWidth(const Report& r)
{
    return r.Page.PaperInches().width() - r.Page.LeftMargin - r.Page.RightMargin;
}

// The common page footer's height.
constexpr double kFooterHeight = 0.3;

ChartControl* AddChartAboveFooter(Report& r, Band* b, const QString& name, double top)
{
    const double height =
        r.Page.PaperInches().height() - r.Page.TopMargin - r.Page.BottomMargin - kFooterHeight - top - 0.05;
    ChartControl* chart = b->AddChart(name, QRectF(0, top, BodyWidth(r), height));
    b->Height = top + height;
    return chart;
}

double AddCostHeadings(Band* b, double top, const QString& firstCaption)
{
    double bottom = top;
    for (const CostColumn& c : kCostColumns) {
        const QString caption = &c == &kCostColumns[kStation] ? firstCaption : QString::fromLatin1(c.caption);
        Memo* m = b->AddMemo(QString::fromLatin1(c.heading), QRectF(c.left, top, c.width - 0.05, 0.36), caption);
        m->Font = ReportFont(8, true);
        // Text columns are headed from their left, number columns over their middle.
        const bool text = &c == &kCostColumns[kStation] || &c == &kCostColumns[kPipe];
        m->Alignment = text ? Qt::AlignLeft : Qt::AlignHCenter;
        bottom = std::max(bottom, top + m->Rect.height());
    }
    b->AddShape(b->Name + QStringLiteral("HeadRule"), ShapeKind::HorzLine,
                QRectF(0, bottom + 0.02, BodyWidth(*b->Owner()), 0.02))->PenWidth = 0.5;
    return bottom + 0.06;
}

void AddCostCells(Band* b, double top, db::Table* t, const CostLineNames& n)
{
    const QFont f = ReportFont(8);
    auto place = [&](Control* c, CostCol col, Qt::Alignment a) {
        c->Rect = CostCell(col, top);
        c->Alignment = a;
        c->Font = f;
    };
    if (n.station)
        place(b->AddDBText(QString::fromLatin1(n.station), t, QString::fromLatin1(n.stationField), 0, 0), kStation,
              Qt::AlignLeft);
    place(b->AddDBText(QString::fromLatin1(n.length), t, QString::fromLatin1(n.lengthField), 0, 0,
                       0, QString::fromLatin1(n.lengthMask)), kLength, Qt::AlignRight);
    place(b->AddDBText(QString::fromLatin1(n.pipe), t, QString::fromLatin1(n.pipeField), 0, 0), kPipe, Qt::AlignLeft);
    place(b->AddLabel(QString::fromLatin1(n.cover), QString(), 0, 0), kCover, Qt::AlignRight);
    place(b->AddLabel(QString::fromLatin1(n.costFt), QString(), 0, 0), kPerFoot, Qt::AlignRight);
    place(b->AddLabel(QString::fromLatin1(n.reachCost), QString(), 0, 0), kReach, Qt::AlignRight);
}

Band* AddCostLine(Report& r, const QString& bandName, db::Table* t, const CostLineNames& names)
{
    Band* d = r.AddBand(BandType::Detail, bandName, 0.19);
    AddCostCells(d, 0.02, t, names);
    return d;
}

double AddCostTotalLine(Band* b, double top, const QString& caption)
{
    b->AddShape(b->Name + QStringLiteral("TotalRule"), ShapeKind::HorzLine,
                QRectF(0, top, BodyWidth(*b->Owner()), 0.02))->PenWidth = 0.5;
    b->AddLabel(QStringLiteral("TotalCap"), caption, 2.45, top + 0.08, 3.95, Qt::AlignRight)->Font = ReportFont(9, true);
    Label* total = b->AddLabel(QStringLiteral("CostTotLbl"), QString(), 0, 0);
    total->Rect = CostCell(kReach, top + 0.08);
    total->Alignment = Qt::AlignRight;
    total->Font = ReportFont(9, true);
    return top + 0.33;
}

Band* AddCostTotal(Report& r, const QString& caption)
{
    Band* s = r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.35);
    s->Height = AddCostTotalLine(s, 0.02, caption);
    return s;
}

Band* AddCommonTitleBand(Report& r, db::Table* header, const QString& subtitle, const TitleBandNames& n,
                         double& top)
{
    const double width = BodyWidth(r);
    Band* b = r.AddBand(BandType::Title, QString::fromLatin1(n.band), 2.0);
    Label* program = b->AddLabel(n.program, QStringLiteral("Mersol"), 0, 0, 0, Qt::AlignHCenter);
    program->Font = ReportFont(20, true);
    SysData* title = b->AddSysData(n.title, SysDataKind::ReportTitle, 0, 0.38, 0, QString(), Qt::AlignHCenter);
    title->Font = ReportFont(14, true);
    Label* sub = b->AddLabel(n.subtitle, subtitle, 0, 0.68, 0, Qt::AlignHCenter);
    sub->Font = ReportFont(12, true);

    // The job header: caption and value pairs on three lines, notes below.
    const QFont f = ReportFont(9);
    const QFont bold = ReportFont(9, true);
    auto pair = [&](const char* caption, const char* name, const char* field, double x, double y,
                    double captionWidth, double valueWidth, Qt::Alignment align = Qt::AlignLeft) {
        if (!name || !*name)
            return;
        if (caption) {
            Label* c = b->AddLabel(QString::fromLatin1(name) + QStringLiteral("Cap"), QString::fromLatin1(caption),
                                   x, y, captionWidth);
            c->Font = bold;
        }
        DBText* t = b->AddDBText(QString::fromLatin1(name), header, QString::fromLatin1(field),
                                 x + (caption ? captionWidth : 0), y, valueWidth, QString(), align);
        t->Font = f;
    };
    const double y0 = 1.0;
    const double line = 0.18;
    // The date sits at the right edge, however wide the page.
    pair("Job:", n.jobName, "JobName", 0, y0, 0.75, 4.0);
    pair(nullptr, n.date, "Date", width - 1.2, y0, 0, 1.2, Qt::AlignRight);
    pair("Location:", n.location, "Location", 0, y0 + line, 0.75, 3.4);
    pair("By:", n.designer, "Designer", 4.3, y0 + line, 0.35, 3.0);
    pair("Landuser:", n.landuser, "Landuser", 0, y0 + 2 * line, 0.75, 2.3);
    pair("ID:", n.id, "ID", 3.2, y0 + 2 * line, 0.3, 1.2);
    pair(n.jobClassCaption, n.jobClass, "JobClass", 4.9, y0 + 2 * line, 0.8, 1.2);
    double y = y0 + 3 * line;
    if (n.notes && *n.notes) {
        // As tall as the notes: none take no room.
        Memo* notes = b->AddMemo(QString::fromLatin1(n.notes), QRectF(0, y + 0.02, width, 0));
        notes->DataSet = header;
        notes->DataField = QStringLiteral("JobNotes");
        notes->Font = ReportFont(8);
        notes->Stretch = true;
        y += 0.04;
    }
    Shape* rule = b->AddShape(QString::fromLatin1(n.band) + QStringLiteral("Rule"), ShapeKind::HorzLine,
                              QRectF(0, y + 0.02, width, 0.04));
    rule->PenWidth = 0.75;
    top = y + 0.1;
    b->Height = top;
    return b;
}

Band* AddPageFooter(Report& r, const QString& bandName, const QString& pageCaption, const QString& dateCaption)
{
    const double width = BodyWidth(r);
    Band* b = r.AddBand(BandType::PageFooter, bandName, kFooterHeight);
    const QFont f = ReportFont(8);
    Shape* rule = b->AddShape(bandName + QStringLiteral("Rule"), ShapeKind::HorzLine, QRectF(0, 0, width, 0.04));
    rule->PenWidth = 0.5;
    Label* page = b->AddLabel(bandName + QStringLiteral("PageLbl"), pageCaption, 0, 0.08, 0.9);
    page->Font = f;
    SysData* no = b->AddSysData(bandName + QStringLiteral("PageNo"), SysDataKind::PageNumber, 0.9, 0.08, 0.6);
    no->Font = f;
    // The date ends at the right margin, its caption just before it.
    Label* date = b->AddLabel(bandName + QStringLiteral("DateLbl"), dateCaption, width - 1.65, 0.08, 0.85,
                              Qt::AlignRight);
    date->Font = f;
    SysData* d = b->AddSysData(bandName + QStringLiteral("Date"), SysDataKind::Date, width - 0.75, 0.08, 0.75,
                               QString(), Qt::AlignRight);
    d->Font = f;
    return b;
}

Band* AddListHeader(Report& r, const QString& heading, const std::vector<ListColumn>& columns)
{
    Band* b = r.AddBand(BandType::PageHeader, QStringLiteral("PageHeaderBand1"), 0.62);
    b->AddLabel(QStringLiteral("HeadingLbl"), heading, 0, 0, 0, Qt::AlignHCenter)->Font = ReportFont(14, true);
    b->AddSysData(QStringLiteral("QRSysData1"), SysDataKind::ReportTitle, 0, 0.3, 0, QString(), Qt::AlignHCenter)
        ->Font = ReportFont(12, true);
    double y = 0.6;
    if (!columns.empty()) {
        double h = 0;
        for (const ListColumn& c : columns) {
            Memo* m = b->AddMemo(QString::fromLatin1(c.name) + QStringLiteral("Cap"),
                                 QRectF(c.left, y + 0.05, c.width - 0.05, 0.3), QString::fromLatin1(c.caption));
            m->Font = ReportFont(8, true);
            m->Alignment = c.right ? Qt::AlignRight : Qt::AlignLeft;
            h = std::max(h, m->Rect.height());
        }
        y += 0.05 + h;
    }
    b->AddShape(QStringLiteral("HeaderRule"), ShapeKind::HorzLine, QRectF(0, y, 7.5, 0.04))->PenWidth = 0.75;
    b->Height = y + 0.1;
    return b;
}

Band* AddListDetail(Report& r, const std::vector<ListColumn>& columns)
{
    Band* b = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 0.19);
    for (const ListColumn& c : columns) {
        DBText* t = b->AddDBText(QString::fromLatin1(c.name), r.DataSet, QString::fromLatin1(c.field), c.left, 0.02,
                                 c.width - 0.05, QString::fromLatin1(c.mask),
                                 c.right ? Qt::AlignRight : Qt::AlignLeft);
        t->Font = ReportFont(8);
    }
    return b;
}

Band* AddListSummary(Report& r, const QString& caption, double countLeft)
{
    Band* b = r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.35);
    b->AddShape(QStringLiteral("SummaryRule"), ShapeKind::HorzLine, QRectF(0, 0.02, 7.5, 0.04))->PenWidth = 0.5;
    b->AddLabel(QStringLiteral("TotalLbl"), caption, 0, 0.1, countLeft)->Font = ReportFont(9, true);
    b->AddSysData(QStringLiteral("QRSysDataCount"), SysDataKind::DetailCount, countLeft, 0.1, 0.8)->Font =
        ReportFont(9, true);
    return b;
}

Band* AddListFooter(Report& r)
{
    Band* b = r.AddBand(BandType::PageFooter, QStringLiteral("PageFooterBand1"), 0.3);
    const QFont f = ReportFont(8);
    b->AddShape(QStringLiteral("FooterRule"), ShapeKind::HorzLine, QRectF(0, 0, 7.5, 0.04))->PenWidth = 0.5;
    b->AddLabel(QStringLiteral("DateLbl"), QStringLiteral("Date:"), 0, 0.08, 0.45)->Font = f;
    b->AddSysData(QStringLiteral("QRSysDataDate"), SysDataKind::Date, 0.45, 0.08, 1.2)->Font = f;
    b->AddLabel(QStringLiteral("PageLbl"), QStringLiteral("Page:"), 6.4, 0.08, 0.45)->Font = f;
    b->AddSysData(QStringLiteral("QRSysDataPage"), SysDataKind::PageNumber, 6.85, 0.08, 0.65)->Font = f;
    return b;
}

void ArrowCursor()
{
    ui::SetScreenCursor(ui::Cursor::Arrow);
}

} // namespace reports
