#include "platform/chart/chart.h"
#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "support/qt_app.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QtMath>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace chart;

namespace {

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::QtApp(); }

    static QImage Render(const Chart& c, QSize size = QSize(480, 360))
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        c.Draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
        return img;
    }

    static bool IsReddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110; }
};

TEST_F(ChartTest, AscendingOrderKeepsTiesInInsertionOrder)
{
    Series s(SeriesKind::Line, "HGL");
    EXPECT_EQ(s.Add(0, 100), 0);
    EXPECT_EQ(s.Add(500, 90), 1);
    EXPECT_EQ(s.Add(1200, 80), 2);
    // A booster at 500: the grade line rises there, after the first point at 500.
    EXPECT_EQ(s.Add(500, 140), 2);
    EXPECT_EQ(s.Add(250, 95), 1);
    EXPECT_EQ(s.XValues(), (std::vector<double>{0, 250, 500, 500, 1200}));
    EXPECT_EQ(s.YValues(), (std::vector<double>{100, 95, 90, 140, 80}));

    Series u(SeriesKind::Point, "free");
    u.Order = XOrder::None;
    u.Add(3, 1);
    u.Add(1, 2);
    u.Add(2, 3);
    EXPECT_EQ(u.XValues(), (std::vector<double>{3, 1, 2}));
    u.Clear();
    EXPECT_EQ(u.Count(), 0);
}

TEST_F(ChartTest, PointAndPointerColoursFallBackToTheSeries)
{
    Series s(SeriesKind::Point, "Outflow");
    s.Color = Qt::white;
    s.Add(0, 1, "250 gpm Outflow", Qt::black);
    s.Add(1, 1);
    EXPECT_EQ(s.PointColor(0), QColor(Qt::black));
    EXPECT_EQ(s.PointColor(1), QColor(Qt::white));
    s.Pointer.Color = QColor(0, 128, 128);
    EXPECT_EQ(s.PointerColor(0), QColor(0, 128, 128));
    EXPECT_EQ(s.At(0).label, "250 gpm Outflow");
    // A line series draws no pointer unless asked.
    Series l(SeriesKind::Line, "Off Elev");
    EXPECT_FALSE(l.DrawsPointer());
    l.Pointer.Visible = true;
    l.Pointer.Style = PointerStyle::None;
    EXPECT_FALSE(l.DrawsPointer());
}

TEST_F(ChartTest, VerticalStepOfAGradeLineIsDrawn)
{
    Chart c;
    c.Legend.Visible = false;
    Series* hgl = c.AddSeries(SeriesKind::Line, "HGL");
    hgl->Color = Qt::red;
    hgl->PenWidth = 2;
    hgl->Add(0, 10);
    hgl->Add(100, 10);
    hgl->Add(200, 50);
    hgl->Add(100, 50);   // same station as the second point: a vertical step
    const QImage img = Render(c);
    const QRectF r(0, 0, 480, 360);
    const QPointF low = c.PointPosition(*hgl, 1, r, const_cast<QImage*>(&img));
    const QPointF high = c.PointPosition(*hgl, 2, r, const_cast<QImage*>(&img));
    ASSERT_NEAR(low.x(), high.x(), 1e-9);
    ASSERT_GT(low.y() - high.y(), 50);
    int red = 0;
    for (double y = high.y() + 5; y < low.y() - 5; y += 5)
        red += IsReddish(img.pixel(qRound(low.x()), qRound(y)));
    EXPECT_GE(red, static_cast<int>((low.y() - high.y() - 10) / 5) - 1);
    // Nothing red where a sloped line from (100,10) to (200,50) would not pass.
    const QPointF mid = c.PointPosition(*hgl, 0, r, const_cast<QImage*>(&img));
    EXPECT_FALSE(IsReddish(img.pixel(qRound((mid.x() + low.x()) / 2), qRound(high.y()))));
}

TEST_F(ChartTest, AutomaticAndExplicitAxes)
{
    Chart c;
    Series* a = c.AddSeries(SeriesKind::Line, "Ground");
    a->Add(0, 340.5);
    a->Add(1200, 352);
    Series* b = c.AddSeries(SeriesKind::Point, "Off");
    b->Add(600, 360);
    b->Active = false;   // inactive series do not widen the axes
    QImage img(400, 300, QImage::Format_RGB32);
    ChartLayout L = c.Layout(QRectF(0, 0, 400, 300), &img);
    EXPECT_DOUBLE_EQ(L.x.min, 0);
    EXPECT_DOUBLE_EQ(L.x.max, 1200);
    EXPECT_DOUBLE_EQ(L.y.min, 340.5);
    EXPECT_DOUBLE_EQ(L.y.max, 352);
    for (const AxisScale& sc : {L.x, L.y}) {
        const double mant = sc.step / std::pow(10.0, std::floor(std::log10(sc.step)));
        EXPECT_TRUE(std::abs(mant - 1) < 1e-9 || std::abs(mant - 2) < 1e-9 || std::abs(mant - 5) < 1e-9)
            << sc.step;
        const auto ticks = sc.Ticks();
        ASSERT_GE(ticks.size(), 2u);
        EXPECT_GE(ticks.front(), sc.min);
        EXPECT_LE(ticks.back(), sc.max);
    }
    // Both ends of the data map onto the inner wall.
    EXPECT_NEAR(L.Map(0, 340.5).x(), L.inner.left(), 1e-9);
    EXPECT_NEAR(L.Map(1200, 352).y(), L.inner.top(), 1e-9);

    c.LeftAxis.SetMinMax(300, 400);
    L = c.Layout(QRectF(0, 0, 400, 300), &img);
    EXPECT_DOUBLE_EQ(L.y.min, 300);
    EXPECT_DOUBLE_EQ(L.y.max, 400);

    // One point, or none, still gives a usable range.
    Chart one;
    one.AddSeries(SeriesKind::Point, "p")->Add(5, 0);
    L = one.Layout(QRectF(0, 0, 400, 300), &img);
    EXPECT_LT(L.x.min, 5);
    EXPECT_GT(L.x.max, 5);
    EXPECT_LT(L.y.min, L.y.max);
    Chart none;
    L = none.Layout(QRectF(0, 0, 400, 300), &img);
    EXPECT_LT(L.x.min, L.x.max);
}

TEST_F(ChartTest, AxisLabels)
{
    EXPECT_EQ(AxisLabel(1500, 500), "1500");
    EXPECT_EQ(AxisLabel(0.25, 0.05), "0.25");
    EXPECT_EQ(AxisLabel(0.3000000004, 0.1), "0.3");
    EXPECT_EQ(AxisLabel(-0.0000001, 0.5), "0.0");
    EXPECT_EQ(AxisLabel(-20, 10), "-20");
}

TEST_F(ChartTest, LegendListsActiveSeriesInOrderWithTitlesKept)
{
    Chart c;
    c.AddSeries(SeriesKind::Line, "HGL  ");
    c.AddSeries(SeriesKind::Line, "Pipe Invert");
    c.AddSeries(SeriesKind::Line, "GatedSeries1")->Active = false;
    c.AddSeries(SeriesKind::Point, "hidden")->ShowInLegend = false;
    c.AddSeries(SeriesKind::Point, "Inflow");
    EXPECT_EQ(c.LegendTitles(), (QStringList{"HGL  ", "Pipe Invert", "Inflow"}));
}

// An entry is drawn in the colour its series' points are given, as the plot
// shows them; a series without points in its own colour.
TEST_F(ChartTest, LegendSwatchesTakeTheColoursTheSeriesAreDrawnIn)
{
    Chart c;
    Series* invert = c.AddSeries(SeriesKind::Line, "Pipe Invert");
    invert->Color = QColor(0x00, 0x80, 0xFF);
    invert->Add(0, 1, QString(), Qt::blue);
    c.AddSeries(SeriesKind::Point, "Water Surface")->Add(0, 2, QString(), Qt::yellow);
    c.AddSeries(SeriesKind::Line, "HGL");
    const auto w = c.LegendSwatches();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0].line, QColor(Qt::blue));
    EXPECT_FALSE(w[1].line.isValid());
    EXPECT_EQ(w[1].symbol, PointerStyle::Rectangle);
    EXPECT_EQ(w[1].symbolColor, QColor(Qt::yellow));
    EXPECT_EQ(w[2].line, QColor(Qt::red));
}

TEST_F(ChartTest, HitTestFindsTheTopmostNearestPoint)
{
    Chart c;
    Series* ground = c.AddSeries(SeriesKind::Point, "Ground");
    ground->Pointer.HorizSize = ground->Pointer.VertSize = 3;
    for (int i = 0; i <= 10; ++i)
        ground->Add(i * 100, 300 + i);
    Series* top = c.AddSeries(SeriesKind::Point, "Top");
    top->Add(500, 305);   // on top of ground point 5
    QImage img(600, 400, QImage::Format_RGB32);
    const QRectF r(0, 0, 600, 400);

    QPointF p = c.PointPosition(*ground, 3, r, &img);
    Chart::Hit h = c.HitTest(p + QPointF(2, -2), r, &img);
    ASSERT_TRUE(h);
    EXPECT_EQ(h.series, ground);
    EXPECT_EQ(h.index, 3);
    EXPECT_FALSE(c.HitTest(p + QPointF(20, 20), r, &img));

    h = c.HitTest(c.PointPosition(*ground, 5, r, &img), r, &img);
    EXPECT_EQ(h.series, top);
    EXPECT_EQ(h.index, 0);
    top->Active = false;
    h = c.HitTest(c.PointPosition(*ground, 5, r, &img), r, &img);
    EXPECT_EQ(h.series, ground);
    EXPECT_EQ(h.index, 5);
    // Outside the wall nothing is hit.
    EXPECT_FALSE(c.HitTest(QPointF(1, 1), r, &img));
}

TEST_F(ChartTest, ClickOnAPointReportsItsIndex)
{
    ChartWidget w;
    w.resize(500, 350);
    Series* s = w.chart().AddSeries(SeriesKind::Point, "Profile");
    s->HandCursor = true;
    s->Add(0, 350);
    s->Add(500, 348);
    s->Add(1200, 345);
    std::vector<int> clicked;
    s->OnClick = [&](Series& series, int index) {
        EXPECT_EQ(&series, s);
        clicked.push_back(index);
    };
    auto press = [&](QPointF at, Qt::MouseButton b) {
        QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), b, b, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
    };
    press(w.PointPosition(*s, 1), Qt::LeftButton);
    press(w.PointPosition(*s, 2) + QPointF(1, 1), Qt::LeftButton);
    press(w.PointPosition(*s, 0), Qt::RightButton);
    press(QPointF(250, 5), Qt::LeftButton);   // the title area
    EXPECT_EQ(clicked, (std::vector<int>{1, 2}));

    QMouseEvent move(QEvent::MouseMove, w.PointPosition(*s, 0), w.mapToGlobal(w.PointPosition(*s, 0)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    EXPECT_EQ(w.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ChartTest, MarksShowOnlyNonEmptyLabelsOfSeriesWithVisibleMarks)
{
    Chart c;
    c.Legend.Visible = false;
    Series* pump = c.AddSeries(SeriesKind::Point, "Pump");
    pump->Add(0, 0);
    pump->Add(100, 5, "Pump", Qt::black);
    pump->Add(200, 10);
    const QRectF r(0, 0, 480, 360);
    auto inkAbove = [&](int index) {
        const QImage img = Render(c);
        const QPointF p = c.PointPosition(*pump, index, r, const_cast<QImage*>(&img));
        int ink = 0;
        for (int y = qRound(p.y()) - 30; y < qRound(p.y()) - 8; ++y)
            for (int x = qRound(p.x()) - 4; x <= qRound(p.x()) + 4; ++x)
                ink += qGray(img.pixel(x, y)) < 128;
        return ink;
    };
    EXPECT_EQ(inkAbove(1), 0);           // marks hidden
    pump->Marks.Visible = true;
    EXPECT_GT(inkAbove(1), 5);           // "Pump" boxed above the point
    EXPECT_EQ(inkAbove(0), 0);           // empty label: no mark
}

// Marks at the first and last stations and at the top of the range keep
// their boxes on the wall, clear of the axis labels and the title: the
// pump's mark at the entrance once covered a digit of the elevations.
TEST_F(ChartTest, MarksStayOnTheWallClearOfEveryOtherText)
{
    Chart c;
    c.Title.Text = "Pipeline Hydraulic Profile";
    c.LeftAxis.Title.Text = "Elevation";
    c.BottomAxis.Title.Text = "Station";
    c.Legend.Position = LegendPosition::Bottom;
    c.AddSeries(SeriesKind::Line, "HGL")->Add(0, 300);
    c.SeriesAt(0)->Add(5000, 352);
    Series* pump = c.AddSeries(SeriesKind::Point, "Pump");
    pump->Marks.Visible = true;
    pump->Add(0, 300, "Pump");
    pump->Add(5000, 352, "Pump");
    const QRectF r(0, 0, 640, 420);
    QImage img = Render(c, QSize(640, 420));
    const ChartLayout L = c.Layout(r, &img);
    const auto boxes = c.TextBoxes(r, &img);
    int marks = 0;
    for (const ChartTextBox& m : boxes) {
        if (m.kind != ChartTextKind::Mark)
            continue;
        ++marks;
        EXPECT_TRUE(L.plot.contains(m.rect)) << m.rect.left() << "," << m.rect.top();
        for (const ChartTextBox& o : boxes)
            if (o.kind != ChartTextKind::Mark)
                EXPECT_FALSE(m.rect.intersects(o.rect)) << o.text.toStdString();
        // Drawn where the box says: its label's ink is inside it.
        int ink = 0;
        for (int y = qCeil(m.rect.top()); y < m.rect.bottom(); ++y)
            for (int x = qCeil(m.rect.left()); x < m.rect.right(); ++x)
                ink += qGray(img.pixel(x, y)) < 128;
        EXPECT_GT(ink, 10);
    }
    EXPECT_EQ(marks, 2);
}

TEST_F(ChartTest, DrawingScalesWithTheDevice)
{
    Chart c;
    c.AddSeries(SeriesKind::Line, "a")->Add(0, 0);
    QImage screen(400, 300, QImage::Format_RGB32);
    QImage print(4000, 3000, QImage::Format_RGB32);
    print.setDotsPerMeterX(qRound(960 / 0.0254));
    print.setDotsPerMeterY(qRound(960 / 0.0254));
    const ChartLayout a = c.Layout(QRectF(0, 0, 400, 300), &screen);
    const ChartLayout b = c.Layout(QRectF(0, 0, 4000, 3000), &print);
    EXPECT_NEAR(b.scale / a.scale, 10, 0.05);
    // The same proportions on both devices.
    EXPECT_NEAR(b.plot.width() / 4000, a.plot.width() / 400, 0.02);
    EXPECT_NEAR(b.plot.height() / 3000, a.plot.height() / 300, 0.02);
}

} // namespace

namespace {

TEST(ChartColours, WindowsColourValuesKeepBlueInTheHighByte)
{
    EXPECT_EQ(WindowsColor(16711808), QColor(128, 0, 255));
    EXPECT_EQ(WindowsColor(33023), QColor(255, 128, 0));
    EXPECT_EQ(WindowsColor(64), QColor(64, 0, 0));
    EXPECT_EQ(WindowsColor(8454016), QColor(128, 255, 128));
    EXPECT_EQ(WindowsColor(wincolor::Green), QColor(0, 128, 0));
    EXPECT_EQ(WindowsColor(wincolor::Teal), QColor(0, 128, 128));
    EXPECT_EQ(WindowsColor(wincolor::Aqua), QColor(0, 255, 255));
}

// A white point series with fuchsia pointers is listed with a fuchsia symbol,
// as the plot shows it, not an invisible white one.
TEST_F(ChartTest, LegendSymbolTakesThePointersOwnColour)
{
    Chart c;
    Series* valves = c.AddSeries(SeriesKind::Point, "Air Valve");
    valves->Color = Qt::white;
    valves->Pointer.Color = WindowsColor(wincolor::Fuchsia);
    const QImage img = Render(c);
    const ChartLayout L = c.Layout(QRectF(0, 0, 480, 360), const_cast<QImage*>(&img));
    int fuchsia = 0;
    for (int y = qFloor(L.legend.top()); y < qCeil(L.legend.bottom()); ++y)
        for (int x = qFloor(L.legend.left()); x < qCeil(L.legend.right()); ++x) {
            const QRgb px = img.pixel(x, y);
            fuchsia += qRed(px) > 200 && qGreen(px) < 60 && qBlue(px) > 200;
        }
    EXPECT_GT(fuchsia, 4);
}

} // namespace
