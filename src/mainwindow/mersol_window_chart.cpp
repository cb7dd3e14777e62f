// The main window's two profile charts: DBChart1 on the profile page shows
// the nodes as entered, straight from WorkProfTable; OutChart on the output
// page draws the computed job from the working tables.
#include "mainwindow/mersol_window.h"

#include "model/data_module.h"
#include "model/job.h"
#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "platform/chart/fonts.h"
#include "platform/db/db.h"

#include <initializer_list>

namespace {

using chart::PointerStyle;
using chart::Series;
using chart::SeriesKind;
using chart::WindowsColor;
namespace wc = chart::wincolor;

void openIfClosed(db::Table* t)
{
    if (!t->Active()) t->Open();
}

void setPointer(Series* s, PointerStyle style, int horiz, int vert, QColor color = QColor())
{
    s->Pointer.Visible = style != PointerStyle::None;
    s->Pointer.Style = style;
    s->Pointer.HorizSize = horiz;
    s->Pointer.VertSize = vert;
    s->Pointer.Color = color;
}

Series* addSeries(chart::Chart& c, SeriesKind kind, const char* title, quint32 color)
{
    Series* s = c.AddSeries(kind, QString::fromLatin1(title));
    s->Color = WindowsColor(color);
    return s;
}

} // namespace

void TMersolForm::buildProfileChart(QWidget* page)
{
    DBChart1 = ui::Make<chart::ChartWidget>(page, "DBChart1");
    chart::Chart& c = DBChart1->chart();
    c.Title.Text = QStringLiteral("Pipeline Profile");
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    c.Foot.Text = QStringLiteral("(Click on a  point to edit the node)");
    c.Foot.Visible = false;
    // The line goes under the points so that a click on a node finds the
    // point series and its handler.
    LineSeries1 = addSeries(c, SeriesKind::Line, "Ground Line", wc::Green);
    LineSeries1->Pointer.Visible = false;
    PointSeries1 = addSeries(c, SeriesKind::Point, "Nodes", wc::Red);
    setPointer(PointSeries1, PointerStyle::Rectangle, 3, 3);
    PointSeries1->Marks.Visible = false;
    PointSeries1->HandCursor = true;
    Series8 = addSeries(c, SeriesKind::Line, "Gated Pipe", wc::Yellow);
    Series8->Active = false;
}

void TMersolForm::bindProfileChart()
{
    for (Series* s : {PointSeries1, LineSeries1})
        s->SetDataSource(DMod->WorkProfTable, QStringLiteral("Station"), QStringLiteral("GroundElev"));
    // Rows posted while the profile's controls are disabled (a run writing its
    // results) are not drawn one by one; the page entry refreshes the chart.
    DMod->RefreshProfileChart = [this] {
        if (!DMod->WorkProfTable->ControlsDisabled()) DBChart1->RefreshData();
    };
}

void TMersolForm::buildOutChart(QWidget* page)
{
    OutChart = ui::Make<chart::ChartWidget>(page, "OutChart");
    chart::Chart& c = OutChart->chart();
    c.Title.Text = QStringLiteral("Profile");
    c.Title.Font = chart::MakeFont(QStringLiteral("Arial"), 10, true);
    c.Title.Color = WindowsColor(wc::Blue);
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");

    Series1 = addSeries(c, SeriesKind::Line, "Hydraulic Grade", wc::Red);
    setPointer(Series1, PointerStyle::Circle, 2, 2);
    Series2 = addSeries(c, SeriesKind::Line, "Ground Line", wc::Green);
    setPointer(Series2, PointerStyle::Triangle, 2, 2);
    Series3 = addSeries(c, SeriesKind::Line, "Pipe Invert", 16711808);
    Series3->PenWidth = 2;
    setPointer(Series3, PointerStyle::Diamond, 3, 3);
    Series4 = addSeries(c, SeriesKind::Point, "Water Surface", wc::Blue);
    setPointer(Series4, PointerStyle::Rectangle, 6, 2, WindowsColor(wc::Yellow));
    Series7 = addSeries(c, SeriesKind::Point, "Pump", wc::Yellow);
    Series7->Marks.Visible = true;
    Series7->Marks.BackColor = WindowsColor(8454016);
    setPointer(Series7, PointerStyle::Circle, 3, 3, WindowsColor(wc::Black));
    Series11 = addSeries(c, SeriesKind::Point, "Air Valve", wc::White);
    Series11->Marks.Visible = false;
    setPointer(Series11, PointerStyle::DownTriangle, 3, 3, WindowsColor(wc::Fuchsia));
    Series5 = addSeries(c, SeriesKind::Line, "Gated Pipe", wc::Fuchsia);
    setPointer(Series5, PointerStyle::Diamond, 3, 3);
    Series14 = addSeries(c, SeriesKind::Line, "Gated Start HGL", 16744576);
    setPointer(Series14, PointerStyle::Rectangle, 2, 2);
    Series12 = addSeries(c, SeriesKind::Line, "Gated Mid HGL", wc::Fuchsia);
    setPointer(Series12, PointerStyle::Rectangle, 2, 2);
    Series13 = addSeries(c, SeriesKind::Line, "Gated End HGL", 64);
    setPointer(Series13, PointerStyle::Rectangle, 2, 2);
    Series6 = addSeries(c, SeriesKind::Line, "Manifold", 33023);
    Series6->PenWidth = 2;
    setPointer(Series6, PointerStyle::Diamond, 3, 3);
    Series10 = addSeries(c, SeriesKind::Line, "On Elevation", 8453888);
    setPointer(Series10, PointerStyle::None, 3, 3);
    Series9 = addSeries(c, SeriesKind::Line, "Off Elevation", wc::Aqua);
    setPointer(Series9, PointerStyle::None, 3, 3);
    Series15 = addSeries(c, SeriesKind::Point, "Outflow", wc::Gray);
    Series15->Marks.Visible = true;
    setPointer(Series15, PointerStyle::Triangle, 3, 7, WindowsColor(wc::Teal));
    Series16 = addSeries(c, SeriesKind::Point, "Inflow", wc::Teal);
    Series16->Marks.Visible = true;
    setPointer(Series16, PointerStyle::DownTriangle, 3, 8, WindowsColor(wc::Teal));
}

void TMersolForm::FillProfileChart()
{
    const QColor red = WindowsColor(wc::Red), green = WindowsColor(wc::Green),
                 blue = WindowsColor(wc::Blue), yellow = WindowsColor(wc::Yellow),
                 aqua = WindowsColor(wc::Aqua), lime = WindowsColor(wc::Lime),
                 fuchsia = WindowsColor(wc::Fuchsia), maroon = WindowsColor(wc::Maroon),
                 black = WindowsColor(wc::Black), purple = WindowsColor(wc::Purple);
    TDMod& d = *DMod;

    Tul->FirstPoint = true;
    for (Series* s : {Series1, Series2, Series3, Series4, Series5, Series6, Series7, Series9, Series10,
                      Series11, Series12, Series13, Series14, Series15, Series16})
        s->Clear();

    db::Table* prof = d.WorkProfTable;
    openIfClosed(d.WorkPipeTable);
    openIfClosed(prof);
    prof->First();
    const double firstStation = d.WorkProfTableStation->AsFloat();
    const double pumpMark = d.WorkPipeTablePumpEyeElev->AsFloat() + 2.0;
    const QString pumpLabel = QStringLiteral("Pump");

    // -100 is the entry for a job without a water surface.
    const double wsElev = d.WorkPipeTableWSElev->AsFloat();
    if (wsElev != -100.0) Series4->Add(firstStation, wsElev, QString(), yellow);
    if (Tul->SysTypeCode == 2) Series7->Add(firstStation, pumpMark, pumpLabel, black);

    double lastStation = 0.0;
    for (; !prof->Eof(); prof->Next()) {
        const double station = d.WorkProfTableStation->AsFloat();
        const double ground = d.WorkProfTableGroundElev->AsFloat();
        const int nodeType = d.WorkProfTableNodeType->AsInteger();
        lastStation = station;
        Series1->Add(station, d.WorkProfTableHgl->AsFloat(), QString(), red);
        if (nodeType == 2) {
            // The grade line rises at the booster: a second point at the same station.
            Series1->Add(station, Tul->BoosterHgl, QString(), red);
            Series7->Add(station, pumpMark, pumpLabel, black);
        }
        if (d.WorkProfTableOutQ->AsFloat() > 0)
            Series15->Add(station, ground + 8.0, d.WorkProfTableOutQ->AsString() + QStringLiteral(" gpm Outflow"),
                          black);
        if (d.WorkProfTableInQ->AsFloat() > 0)
            Series16->Add(station, ground + 8.0, d.WorkProfTableInQ->AsString() + QStringLiteral(" gpm Inflow"),
                          black);
        if (nodeType == 3) {
            Series9->Add(station, Tul->OffElev, QString(), aqua);
            Series10->Add(station, Tul->OnElev, QString(), lime);
            Series1->Add(station, Tul->BoosterHgl, QString(), red);
            Tul->FirstPoint = false;
        }
        Series2->Add(station, ground, QString(), green);
        Series3->Add(station, d.WorkProfTableInvertElev->AsFloat(), QString(), blue);
        if (Tul->PumpTypeCode == 7) {
            // A pressure tank's on and off levels run along the profile; past a
            // reducer only the on line goes on, at the reducer's set grade.
            if (Tul->FirstPoint) {
                Series9->Add(station, Tul->OffElev, QString(), aqua);
                Series10->Add(station, Tul->OnElev, QString(), lime);
            } else {
                Series10->Add(station, Tul->BoosterSgl, QString(), lime);
            }
        }
        if (d.WorkProfTableAirVacSize->AsFloat() > 0) Series11->Add(station, ground + 2.0, QString(), purple);
    }

    if (Tul->SysHas == 1) {
        db::Table* gated = d.WorkGatedTable;
        openIfClosed(gated);
        // A gated end whose gated pipe was never laid out has nothing to draw.
        if (!gated->IsEmpty()) {
            gated->First();
            auto v = [](db::Field* f) { return f->AsFloat(); };
            const double startSta = v(d.WorkGatedTableStartSta), startHgl = v(d.WorkGatedTableStartHGL);
            const bool mid = d.WorkGatedTableIsMidSeg->AsBoolean();
            Series1->Add(lastStation, startHgl, QString(), red);
            Series3->Add(lastStation, v(d.WorkGatedTableStartElev), QString(), blue);
            Series5->Add(startSta, v(d.WorkGatedTableStartElev), QString(), fuchsia);
            Series5->Add(v(d.WorkGatedTableStaAsta), v(d.WorkGatedTableStaAElev), QString(), fuchsia);
            if (mid) {
                Series5->Add(v(d.WorkGatedTableMidSta), v(d.WorkGatedTableMidElev), QString(), fuchsia);
                Series5->Add(v(d.WorkGatedTableStaCsta), v(d.WorkGatedTableStaCElev), QString(), fuchsia);
            }
            Series5->Add(v(d.WorkGatedTableStaDsta), v(d.WorkGatedTableStaDElev), QString(), fuchsia);
            Series5->Add(v(d.WorkGatedTableEndSta), v(d.WorkGatedTableEndElev), QString(), fuchsia);
            if (mid) {
                Series12->Add(startSta, startHgl, QString(), fuchsia);
                Series12->Add(v(d.WorkGatedTableMidSta), v(d.WorkGatedTableMidHGL), QString(), fuchsia);
                Series12->Add(v(d.WorkGatedTableStaCsta), v(d.WorkGatedTableCHGL), QString(), fuchsia);
            }
            Series13->Add(startSta, startHgl, QString(), black);
            Series13->Add(v(d.WorkGatedTableStaDsta), v(d.WorkGatedTableDHGL), QString(), black);
            Series13->Add(v(d.WorkGatedTableEndSta), v(d.WorkGatedTableEndHGL), QString(), black);
            Series14->Add(startSta, startHgl, QString(), blue);
            Series14->Add(v(d.WorkGatedTableStaAsta), v(d.WorkGatedTableAHGL), QString(), blue);
        }
    }

    if (Tul->SysHas == 2) {
        db::Table* trickle = d.WorkTrickleTable;
        openIfClosed(trickle);
        trickle->First();
        if (!trickle->Eof())
            Series3->Add(lastStation, d.WorkTrickleTableInvertElev->AsFloat(), QString(), blue);
        for (; !trickle->Eof(); trickle->Next()) {
            const double station = d.WorkTrickleTableStation->AsFloat();
            Series6->Add(station, d.WorkTrickleTableInvertElev->AsFloat(), QString(), maroon);
            Series1->Add(station, d.WorkTrickleTableHgl->AsFloat(), QString(), red);
        }
    }
    OutChart->update();
}
