#include "reports/manifold_graph_report.h"

#include "model/data_module.h"
#include "model/program_kind.h"
#include "platform/chart/chart.h"
#include "platform/report/controls.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifGraph::TQRManifGraph(QWidget* owner, const QString& programName) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifGraph"));
    SetCaption(QStringLiteral("QRManifGraph"));
    Report& r = QuickRepManGraph;
    r.ReportTitle = QStringLiteral("Manifold Pipeline Graphic Profile");
    r.Title = r.ReportTitle;
    // The band prints once: it draws every node of the manifold itself.
    r.DataSet = nullptr;
    r.Page = PageSetup::Letter(QPageLayout::Landscape);
    r.PrintIfEmpty = true;
    r.OnStartPage = [](Report&) { reports::ArrowCursor(); };

    double top = 0;
    reports::TitleBandNames names;
    names.band = "PageHeaderBand1";
    names.notes = "";
    names.jobClass = "";
    Band* b = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QString(), names, top);
    if (Label* program = reports::LabelOf(r, QStringLiteral("QRLabel1")))
        program->Caption = !programName.isEmpty()   ? programName
                           : GravityDesignerRunning() ? QStringLiteral("Dunstrow")
                                                      : QStringLiteral("Mersol");
    b->Type = BandType::Detail;
    b->BeforePrint = [this](Band& band, bool& p) { PageHeaderBand1BeforePrint(band, p); };
    // The chart takes the rest of the page above the footer.
    QRChart1 = reports::AddChartAboveFooter(r, b, QStringLiteral("QRChart1"), top + 0.1);
    chart::Chart& c = QRChart1->Chart;
    c.Title.Text = QStringLiteral("Pipeline Hydraulic Profile");
    c.Title.Color = QColor(0x00, 0x80, 0x00);
    c.Title.Font = ReportFont(10, true);
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    c.Legend.Position = chart::LegendPosition::Bottom;
    chart::Series* hgl = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("Hydraulic Grade Line"));
    hgl->Color = Qt::red;
    hgl->Pointer.Style = chart::PointerStyle::Circle;
    chart::Series* invert = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("Pipe Invert"));
    invert->Color = QColor(0x00, 0x00, 0xFF);
    invert->PenWidth = 3;
    invert->Pointer.Style = chart::PointerStyle::Rectangle;
    // The entrance's energy grade line, named as on the calculator's output page.
    chart::Series* entrance = c.AddSeries(chart::SeriesKind::Point, QStringLiteral("Entrance EGL"));
    entrance->Color = Qt::yellow;
    entrance->Pointer.Style = chart::PointerStyle::Rectangle;
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifGraph::FormShow()
{
    reports::ArrowCursor();
}

void TQRManifGraph::PageHeaderBand1BeforePrint(Band&, bool&)
{
    TDMod* d = DMod;
    chart::Chart& c = QRChart1->Chart;
    // A print from the preview runs the band again: start from empty series
    // so that every point is drawn once.
    c.ClearAll();
    chart::Series* hgl = c.SeriesAt(0);
    chart::Series* invert = c.SeriesAt(1);
    chart::Series* entrance = c.SeriesAt(2);
    db::Table* t = d->WorkTrickleTable;
    if (!t->Active()) t->Open();
    t->First();
    if (t->IsEmpty()) return;
    entrance->Add(d->WorkTrickleTableStation->AsFloat(), d->WorkTrickleTableEgl->AsFloat(), QString(),
                  QColor(0xFF, 0xFF, 0x00));
    for (; !t->Eof(); t->Next()) {
        const double x = d->WorkTrickleTableStation->AsFloat();
        hgl->Add(x, d->WorkTrickleTableHgl->AsFloat(), QString(), QColor(0xFF, 0x00, 0x00));
        invert->Add(x, d->WorkTrickleTableInvertElev->AsFloat(), QString(), QColor(0x00, 0x00, 0xFF));
    }
}
