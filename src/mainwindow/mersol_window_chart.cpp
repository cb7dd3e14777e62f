// The main window's two profile charts: DBChart1 on the profile page shows
// the nodes as entered, straight from WorkProfTable; OutChart on the output
// page draws the computed job from the working tables.
#include "mainwindow/mersol_window.h"

#include "model/data_module.h"
#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "platform/chart/fonts.h"
#include "platform/db/db.h"
#include "reports/profile_chart_series.h"

#include <initializer_list>

namespace {

using chart::PointerStyle;
using chart::Series;
using chart::SeriesKind;
using chart::WindowsColor;
namespace wc = chart::wincolor;

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
    ProfileChartSeries s;
    s.Hgl = Series1;
    s.Ground = Series2;
    s.Invert = Series3;
    s.WaterSurface = Series4;
    s.GatedPipe = Series5;
    s.Manifold = Series6;
    s.Pump = Series7;
    s.OffElev = Series9;
    s.OnElev = Series10;
    s.AirValve = Series11;
    s.GatedMidHgl = Series12;
    s.GatedEndHgl = Series13;
    s.GatedStartHgl = Series14;
    s.Outflow = Series15;
    s.Inflow = Series16;
    ProfileChartRules rules;
    rules.airValveRise = 2.0;
    rules.tankLevelsAtAnyReducer = true;
    rules.ownSetLines = false;
    FillProfileChartSeries(s, rules);
    OutChart->update();
}
