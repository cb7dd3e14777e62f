#include "reports/gated_pipe_graph_report.h"

#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/chart.h"
#include "reports/profile_chart_series.h"
#include "reports/report_forms.h"

using namespace report;

namespace {

chart::Series* AddSeries(chart::Chart& c, chart::SeriesKind kind, const char* title, QColor legend,
                         chart::PointerStyle pointer)
{
    chart::Series* s = c.AddSeries(kind, QString::fromLatin1(title));
    s->Color = legend;
    s->Pointer.Style = pointer;
    s->Marks.Visible = false;
    return s;
}

} // namespace

TQRGatedGraph::TQRGatedGraph(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRGatedGraph"));
    SetCaption(QStringLiteral("QRGatedGraph"));
    Report& r = QuickRepGatedGraph;
    r.ReportTitle = QStringLiteral("Gated Pipe Graphic Profile");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkGatedTable;
    r.Page = PageSetup::Letter(QPageLayout::Landscape);
    r.BeforePrint = [this](Report& rep) { QuickRepGatedGraphBeforePrint(rep); };

    // The job header and the chart on one band that prints with the row.
    // The job header without notes: the chart takes the rest of the page.
    reports::TitleBandNames names;
    names.band = "PageHeaderBand1";
    names.notes = "";
    double top = 0;
    Band* b = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QString(), names, top);
    b->Type = BandType::Detail;
    QRDBChart1 = reports::AddChartAboveFooter(r, b, QStringLiteral("QRDBChart1"), top);
    chart::Chart& c = QRDBChart1->Chart;
    c.Title.Text = QStringLiteral("Gated Pipe Hydraulic Profile");
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    c.Legend.Position = chart::LegendPosition::Bottom;
    using chart::PointerStyle;
    using chart::SeriesKind;
    Series4 = AddSeries(c, SeriesKind::Point, "Water Surface", Qt::yellow, PointerStyle::Rectangle);
    Series5 = AddSeries(c, SeriesKind::Line, "Gated Pipe", QColor(0xFF, 0x00, 0xFF), PointerStyle::Diamond);
    Series5->PenWidth = 3;
    Series10 = AddSeries(c, SeriesKind::Line, "Gated Start HGL", Qt::blue, PointerStyle::Rectangle);
    Series11 = AddSeries(c, SeriesKind::Line, "Gated Mid HGL", QColor(0xFF, 0x00, 0xFF), PointerStyle::Rectangle);
    Series12 = AddSeries(c, SeriesKind::Line, "Gated End HGL", Qt::black, PointerStyle::Rectangle);
    b->BeforePrint = [this](Band& band, bool& p) { PageHeaderBand1BeforePrint(band, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRGatedGraph::FormShow()
{
    if (!DMod->WorkGatedTable->Active()) DMod->WorkGatedTable->Open();
    reports::ArrowCursor();
}

// Every generation (the preview, then a print or export from it) starts
// from empty series, so no point is drawn twice.
void TQRGatedGraph::QuickRepGatedGraphBeforePrint(Report&) { QRDBChart1->Chart.ClearAll(); }

void TQRGatedGraph::PageHeaderBand1BeforePrint(Band&, bool&)
{
    TDMod* m = DMod;
    auto v = [](db::Field* f) { return f->AsFloat(); };
    const QColor yellow(0xFF, 0xFF, 0x00), fuchsia(0xFF, 0x00, 0xFF), blue(0x00, 0x00, 0xFF), black(0, 0, 0);
    const double startSta = v(m->WorkGatedTableStartSta), startHgl = v(m->WorkGatedTableStartHGL);
    const bool mid = m->WorkGatedTableIsMidSeg->AsBoolean();
    if (m->WorkPipeTable->Active() && v(m->WorkPipeTableWSElev) != kNoWaterSurface)
        Series4->Add(startSta, v(m->WorkPipeTableWSElev), QString(), yellow);
    Tul->FirstPoint = true;
    Series5->Add(startSta, v(m->WorkGatedTableStartElev), QString(), fuchsia);
    Series5->Add(v(m->WorkGatedTableStaAsta), v(m->WorkGatedTableStaAElev), QString(), fuchsia);
    if (mid) {
        Series5->Add(v(m->WorkGatedTableMidSta), v(m->WorkGatedTableMidElev), QString(), fuchsia);
        Series5->Add(v(m->WorkGatedTableStaCsta), v(m->WorkGatedTableStaCElev), QString(), fuchsia);
        Series11->Add(startSta, startHgl, QString(), fuchsia);
        Series11->Add(v(m->WorkGatedTableMidSta), v(m->WorkGatedTableMidHGL), QString(), fuchsia);
        Series11->Add(v(m->WorkGatedTableStaCsta), v(m->WorkGatedTableCHGL), QString(), fuchsia);
    }
    Series5->Add(v(m->WorkGatedTableStaDsta), v(m->WorkGatedTableStaDElev), QString(), fuchsia);
    Series5->Add(v(m->WorkGatedTableEndSta), v(m->WorkGatedTableEndElev), QString(), fuchsia);
    Series12->Add(startSta, startHgl, QString(), black);
    Series12->Add(v(m->WorkGatedTableStaDsta), v(m->WorkGatedTableDHGL), QString(), black);
    Series12->Add(v(m->WorkGatedTableEndSta), v(m->WorkGatedTableEndHGL), QString(), black);
    Series10->Add(startSta, startHgl, QString(), blue);
    Series10->Add(v(m->WorkGatedTableStaAsta), v(m->WorkGatedTableAHGL), QString(), blue);
    LegendOfDrawnSeries(QRDBChart1->Chart);
}
