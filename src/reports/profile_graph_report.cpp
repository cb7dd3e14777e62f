#include "reports/profile_graph_report.h"

#include "model/data_module.h"
#include "platform/chart/colors.h"
#include "platform/chart/fonts.h"
#include "reports/profile_chart_series.h"
#include "reports/report_forms.h"

using namespace report;
using chart::PointerStyle;
using chart::Series;
using chart::SeriesKind;
using chart::WindowsColor;
using reports::ReportFont;
namespace wc = chart::wincolor;

namespace {

Series* AddSeries(chart::Chart& c, SeriesKind kind, const char* title, quint32 color, PointerStyle pointer,
                  int horiz, int vert, int penWidth = 1)
{
    Series* s = c.AddSeries(kind, QString::fromLatin1(title));
    s->Color = WindowsColor(color);
    s->PenWidth = penWidth;
    s->Pointer.Visible = pointer != PointerStyle::None;
    s->Pointer.Style = pointer;
    s->Pointer.HorizSize = horiz;
    s->Pointer.VertSize = vert;
    s->Marks.Visible = false;
    return s;
}

} // namespace

TQROutGraph::TQROutGraph(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QROutGraph"));
    SetCaption(QStringLiteral("Output Graph Report"));
    Report& r = QuickRepOutGraph;
    r.Page = PageSetup::Letter(QPageLayout::Landscape);
    r.ReportTitle = QStringLiteral("Pipeline Graphic Profile");
    r.Title = QStringLiteral("Output Graph Report");   // the preview's caption is the form's
    r.DataSet = DMod->WorkPipeTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepOutGraphStartPage(rep); };
    db::Table* head = DMod->WorkPipeTable;

    // A detail band over the one header row: it prints once.
    Band* b = r.AddBand(BandType::Detail, QStringLiteral("PageHeaderBand1"), 7.2);
    b->Color = Qt::white;
    b->BeforePrint = [this](Band& band, bool& p) { PageHeaderBand1BeforePrint(band, p); };
    Label* program = b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Mersol"), 0, 0, 0, Qt::AlignHCenter);
    program->Font = ReportFont(16, true);
    program->Color = QColor(255, 0, 0);
    SysData* title = b->AddSysData(QStringLiteral("QRSysData1"), SysDataKind::ReportTitle, 0, 0.3, 0, QString(),
                                   Qt::AlignHCenter);
    title->Font = ReportFont(12, true);
    title->Color = QColor(0, 0, 255);
    const QFont cap = ReportFont(10);
    const QFont val = ReportFont(10, true);
    auto pair = [&](const char* label, const char* caption, const char* text, const char* field, double x,
                    double y, double capWidth, double width) {
        b->AddLabel(QString::fromLatin1(label), QString::fromLatin1(caption), x, y, capWidth)->Font = cap;
        b->AddDBText(QString::fromLatin1(text), head, QString::fromLatin1(field), x + capWidth, y, width)->Font = val;
    };
    // Two columns of three lines, each value as wide as its field can be.
    const double col2 = 5.4, capWidth = 0.8, valueWidth = 4.5 - capWidth - 0.1;
    pair("QRLabel2", "Job:", "QRDBText1", "JobName", 0, 0.6, capWidth, valueWidth);
    pair("QRLabel3", "Location:", "QRDBText2", "Location", 0, 0.8, capWidth, valueWidth);
    pair("PsQRLabel1", "Landuser:", "PsQRDBText1", "Landuser", 0, 1.0, capWidth, valueWidth);
    pair("QRLabel4", "Job Class:", "PsQRDBText3", "JobClass", col2, 0.6, capWidth, valueWidth);
    pair("QRLabel5", "By:", "QRDBText3", "Designer", col2, 0.8, capWidth, valueWidth);
    pair("PsQRLabel2", "ID:", "PsQRDBText2", "ID", col2, 1.0, capWidth, valueWidth);
    const double width = reports::BodyWidth(r);
    b->AddDBText(QStringLiteral("QRDBText4"), head, QStringLiteral("Date"), width - 1.5, 0.0, 1.5, QString(),
                 Qt::AlignRight)->Font = val;

    // The chart takes the rest of the page above the footer.
    QRChart1 = reports::AddChartAboveFooter(r, b, QStringLiteral("QRChart1"), 1.25);
    chart::Chart& c = QRChart1->Chart;
    c.Title.Text = QStringLiteral("Pipeline Hydraulic Profile");
    c.Title.Color = WindowsColor(wc::Green);
    c.Title.Font = chart::MakeFont(QStringLiteral("Arial"), 10, true);
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    for (chart::Axis* a : {&c.BottomAxis, &c.LeftAxis})
        a->Title.Font = chart::MakeFont(QStringLiteral("Arial"), 8, true);
    c.Legend.Position = chart::LegendPosition::Bottom;
    c.WallColor = Qt::white;

    Series1 = AddSeries(c, SeriesKind::Line, "HGL  ", wc::Red, PointerStyle::Circle, 3, 3);
    Series2 = AddSeries(c, SeriesKind::Line, "Pipe Invert", 0xFF8000, PointerStyle::Diamond, 3, 3, 3);
    Series3 = AddSeries(c, SeriesKind::Line, "Ground Line", wc::Lime, PointerStyle::DownTriangle, 3, 3);
    Series4 = AddSeries(c, SeriesKind::Point, "Water Surface", wc::Yellow, PointerStyle::Rectangle, 10, 2);
    Series4->Pointer.Color = WindowsColor(wc::Yellow);
    Series5 = AddSeries(c, SeriesKind::Line, "Gated Pipe", wc::Fuchsia, PointerStyle::Diamond, 3, 3, 3);
    Series6 = AddSeries(c, SeriesKind::Line, "Manifold", 0x0080FF, PointerStyle::Diamond, 3, 3, 3);
    Series7 = AddSeries(c, SeriesKind::Point, "Pump", wc::Green, PointerStyle::Circle, 6, 6);
    Series7->Marks.Visible = true;
    Series7->Marks.BackColor = WindowsColor(0x80FF80);
    Series8 = AddSeries(c, SeriesKind::Line, "Off Elev", 0xFFFF80, PointerStyle::None, 0, 0, 2);
    Series9 = AddSeries(c, SeriesKind::Line, "On Elev", 0x80FF00, PointerStyle::None, 0, 0, 2);
    Series10 = AddSeries(c, SeriesKind::Line, "Gated Start HGL", wc::Blue, PointerStyle::Rectangle, 2, 2);
    Series11 = AddSeries(c, SeriesKind::Line, "Gated Mid HGL", wc::Fuchsia, PointerStyle::Rectangle, 2, 2);
    Series12 = AddSeries(c, SeriesKind::Line, "Gated End HGL", wc::Black, PointerStyle::Rectangle, 2, 2);
    Series13 = AddSeries(c, SeriesKind::Point, "AirValve", wc::Gray, PointerStyle::DownTriangle, 5, 5);
    Series13->Pointer.Color = WindowsColor(wc::Fuchsia);
    Series14 = AddSeries(c, SeriesKind::Point, "Outflow", wc::White, PointerStyle::Triangle, 3, 7);
    Series14->Pointer.Color = WindowsColor(wc::Teal);
    Series14->Marks.Visible = true;
    Series15 = AddSeries(c, SeriesKind::Point, "Inflow", wc::Teal, PointerStyle::DownTriangle, 3, 10);
    Series15->Pointer.Color = WindowsColor(wc::Teal);
    Series15->Marks.Visible = true;

    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQROutGraph::FormShow()
{
    reports::ArrowCursor();
}

void TQROutGraph::QuickRepOutGraphStartPage(Report&)
{
    reports::ArrowCursor();
}

// Rebuilt from the tables at every generation, so a print from the preview
// draws the same chart with no doubled points.
void TQROutGraph::PageHeaderBand1BeforePrint(Band&, bool&)
{
    ProfileChartSeries s;
    s.Hgl = Series1;
    s.Invert = Series2;
    s.Ground = Series3;
    s.WaterSurface = Series4;
    s.GatedPipe = Series5;
    s.Manifold = Series6;
    s.Pump = Series7;
    s.OffElev = Series8;
    s.OnElev = Series9;
    s.GatedStartHgl = Series10;
    s.GatedMidHgl = Series11;
    s.GatedEndHgl = Series12;
    s.AirValve = Series13;
    s.Outflow = Series14;
    s.Inflow = Series15;
    FillProfileChartSeries(s, ProfileChartRules{});
    LegendOfDrawnSeries(QRChart1->Chart);
}
