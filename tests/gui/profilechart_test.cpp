// The main window's profile charts: the output page's drawing of a computed
// job, and the profile page's chart of the working profile.
#include "support/workprofile.h"
#include "support/jobwindow.h"

#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "platform/db/db.h"
#include "platform/ui/notebook.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>

using chart::Series;
using testsupport::ProfValue;
using testsupport::WorkHeader;
using testsupport::WorkNode;

namespace {

const QColor kRed(255, 0, 0), kGreen(0, 128, 0), kBlue(0, 0, 255), kYellow(255, 255, 0),
    kBlack(0, 0, 0), kAqua(0, 255, 255), kLime(0, 255, 0), kFuchsia(255, 0, 255), kMaroon(128, 0, 0),
    kPurple(128, 0, 128);

struct Pt {
    double x, y;
    bool operator==(const Pt& o) const { return x == o.x && y == o.y; }
};

std::vector<Pt> points(const Series* s)
{
    std::vector<Pt> v;
    for (const auto& p : s->Points()) v.push_back({p.x, p.y});
    return v;
}

void PrintTo(const Pt& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

bool allColoured(const Series* s, const QColor& c)
{
    for (int i = 0; i < s->Count(); ++i)
        if (s->At(i).color != c) return false;
    return true;
}

class ProfileChart : public testsupport::RunsJobWindowTest {
protected:
    void SetUp() override
    {
        RunsJobWindowTest::SetUp();
        Tul->NewJob = false;
        DMod->WorkTablesFree = false;
        form->OvcNotebook1->setEnabled(true);
    }

    static std::vector<WorkNode> line() { return testsupport::GravityLine(); }
    void computeOnOutputPage()
    {
        form->OvcNotebook1->SetPageIndex(1);
        driver.ClearLog();
        form->OKBitBtn3Click();
        ASSERT_EQ(form->OvcNotebook1->PageIndex(), 2) << driver.MessageTexts().join('|').toStdString();
    }
    // Each profile row's (Station, field + lift).
    static std::vector<Pt> rows(const char* field, double lift = 0)
    {
        std::vector<Pt> v;
        const int n = DMod->WorkProfTable->RecordCount();
        for (int r = 0; r < n; ++r) v.push_back({ProfValue(r, "Station"), ProfValue(r, field) + lift});
        return v;
    }
    std::vector<Series*> outSeries() const
    {
        return {form->Series1,  form->Series2,  form->Series3,  form->Series4,  form->Series5,
                form->Series6,  form->Series7,  form->Series9,  form->Series10, form->Series11,
                form->Series12, form->Series13, form->Series14, form->Series15, form->Series16};
    }
    static void setGatedRow(bool midSegment)
    {
        db::Table* g = DMod->WorkGatedTable;
        if (!g->Active()) g->Open();
        g->EmptyTable();
        testsupport::JobWindowTest::addRow(
            g, {{"StartSta", 1000}, {"StartElev", 33}, {"StartHGL", 60}, {"StaAsta", 1100}, {"StaAElev", 32},
                {"AHGL", 58},       {"IsMidSeg", midSegment}, {"MidSta", 1200}, {"MidElev", 31},
                {"MidHGL", 56},     {"StaCsta", 1300}, {"StaCElev", 30}, {"CHGL", 54}, {"StaDsta", 1400},
                {"StaDElev", 29},   {"DHGL", 52},      {"EndSta", 1500}, {"EndElev", 28}, {"EndHGL", 50}});
    }

};

TEST_F(ProfileChart, TheProfilePagesLegendNamesWhatItsSeriesShow)
{
    chart::Chart& c = form->DBChart1->chart();
    EXPECT_EQ(c.LegendTitles(), (QStringList{"Ground Line", "Nodes"}));
    form->Series8->Active = true;
    EXPECT_EQ(c.LegendTitles(), (QStringList{"Ground Line", "Nodes", "Gated Pipe"}));
}

// A computed gravity job: every series holds the working tables' values.
TEST_F(ProfileChart, ComputedGravityJobDrawsTheWorkingTables)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, line());
    computeOnOutputPage();

    EXPECT_EQ(points(form->Series1), rows("Hgl"));
    EXPECT_EQ(points(form->Series2), rows("GroundElev"));
    EXPECT_EQ(points(form->Series3), rows("InvertElev"));
    EXPECT_EQ(points(form->Series4), (std::vector<Pt>{{0, 100}}));
    // The run puts air valves at the ends and the high point; each gets a mark 2 ft above ground.
    std::vector<Pt> valves;
    for (int r = 0; r < 3; ++r)
        if (ProfValue(r, "AirVacSize") > 0) valves.push_back({ProfValue(r, "Station"), ProfValue(r, "GroundElev") + 2});
    ASSERT_FALSE(valves.empty());
    EXPECT_EQ(points(form->Series11), valves);
    EXPECT_TRUE(allColoured(form->Series1, kRed));
    EXPECT_TRUE(allColoured(form->Series2, kGreen));
    EXPECT_TRUE(allColoured(form->Series3, kBlue));
    EXPECT_TRUE(allColoured(form->Series4, kYellow));
    EXPECT_TRUE(allColoured(form->Series11, kPurple));
    for (Series* s : {form->Series5, form->Series6, form->Series7, form->Series9, form->Series10,
                      form->Series12, form->Series13, form->Series14, form->Series15, form->Series16})
        EXPECT_EQ(s->Count(), 0) << s->Title.toStdString();
    EXPECT_TRUE(Tul->FirstPoint);

    // The legend in the form's order, naming only what was drawn; the colour
    // values of the form are Windows colours, blue in the high byte.
    EXPECT_EQ(form->OutChart->chart().LegendTitles(),
              (QStringList{"Hydraulic Grade", "Ground Line", "Pipe Invert", "Water Surface", "Air Valve"}));
    EXPECT_EQ(form->Series3->Color, QColor(128, 0, 255));
    EXPECT_EQ(form->Series14->Color, QColor(128, 128, 255));
    EXPECT_EQ(form->Series13->Color, QColor(64, 0, 0));
    EXPECT_EQ(form->Series6->Color, QColor(255, 128, 0));
    EXPECT_EQ(form->Series10->Color, QColor(0, 255, 128));
    EXPECT_EQ(form->Series7->Marks.BackColor, QColor(128, 255, 128));

    // Entering the page again starts from empty series.
    form->OvcNotebook1->SetPageIndex(1);
    form->OKBitBtn3Click();
    EXPECT_EQ(form->Series1->Count(), 3);
    EXPECT_EQ(form->Series4->Count(), 1);
}

// -100 marks a job without a water surface; any other level, 0 included, is drawn.
TEST_F(ProfileChart, WaterSurfaceUnlessItsLevelIsMinusOneHundred)
{
    testsupport::WriteWorkJob(WorkHeader{.wsElev = -100.0}, line());
    form->FillProfileChart();
    EXPECT_EQ(form->Series4->Count(), 0);

    testsupport::WriteWorkJob(WorkHeader{.wsElev = 0.0}, line());
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series4), (std::vector<Pt>{{0, 0}}));
}

// A gravity job with an in-line booster at 1000 ft (set to 50 psi): the
// grade line steps up there, the low point first, and the only pump mark is
// the booster's. A pumped job marks its entrance too.
TEST_F(ProfileChart, InlineBoosterMarksItsPumpAndStepsTheGradeLine)
{
    WorkNode n0{.station = 0, .invert = 100, .pipeQ = 300, .diaIn = 6, .cfac = 150, .reachType = "GRAVBEG",
                .nodeType = 0};
    WorkNode n1 = n0;
    n1.station = 1000;
    n1.invert = 80;
    n1.reachType = "GRAVMID";
    n1.nodeType = 2;
    n1.psiSet = 50;
    WorkNode n2 = n0;
    n2.station = 3000;
    n2.invert = 110;
    n2.reachType = "GRAVEND";
    n2.nodeType = 4;
    WorkHeader h{.pumpType = "INLINE BOOSTER", .wsElev = 102, .outletElev = 110, .outletPsi = 40,
                 .pumpEffic = 75, .pumpEyeElev = 78};
    testsupport::WriteWorkJob(h, {n0, n1, n2});
    computeOnOutputPage();

    EXPECT_EQ(Tul->SysTypeCode, 0);
    EXPECT_NEAR(Tul->BoosterHgl, 2.3071244 * 50 + 80, 1e-6);
    EXPECT_EQ(points(form->Series1), (std::vector<Pt>{{0, ProfValue(0, "Hgl")},
                                                      {1000, ProfValue(1, "Hgl")},
                                                      {1000, Tul->BoosterHgl},
                                                      {3000, ProfValue(2, "Hgl")}}));
    EXPECT_LT(form->Series1->At(1).y, form->Series1->At(2).y);
    ASSERT_EQ(points(form->Series7), (std::vector<Pt>{{1000, 85}}));
    EXPECT_EQ(form->Series7->At(0).label, QStringLiteral("Pump"));
    EXPECT_EQ(form->Series7->At(0).color, kBlack);

    Tul->SysTypeCode = 2;
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series7), (std::vector<Pt>{{0, 80}, {1000, 85}}));
    // An entrance pump given no eye is marked above its ground.
    DMod->WorkPipeTable->Edit();
    DMod->WorkPipeTablePumpEyeElev->Clear();
    DMod->WorkPipeTable->Post();
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series7), (std::vector<Pt>{{0, 105}, {1000, 85}}));

    // Each booster and reducer steps to its own grade below it. Three
    // boosters left at -1 are found at 22.373, 12.391 and 9.300 psi: 90, 130
    // and 146.97 ft plus 2.3071244 ft a psi give 141.617, 158.588 and 168.426.
    auto below = [this](double station) {
        const std::vector<Pt> p = points(form->Series1);
        for (size_t i = 1; i < p.size(); ++i)
            if (p[i].x == station && p[i - 1].x == station) return p[i].y;
        return -1.0;
    };
    std::vector<WorkNode> boosters = testsupport::ThreeBoostersLine();
    testsupport::WriteWorkJob(testsupport::ThreeBoostersHeader(), boosters);
    computeOnOutputPage();
    EXPECT_NEAR(below(1000), 141.617, 5e-4);
    EXPECT_NEAR(below(2000), 158.588, 5e-4);
    EXPECT_NEAR(below(3000), 168.426, 5e-4);
    // The first set to 40 psi (182.285 ft) above a reducer set to 15 psi
    // (164.607 ft), which the line reaches at 176.17 ft.
    boosters[1].psiSet = 40;
    boosters[2].nodeType = 3;
    boosters[2].psiSet = 15;
    testsupport::WriteWorkJob(testsupport::ThreeBoostersHeader(), boosters);
    computeOnOutputPage();
    EXPECT_NEAR(below(1000), 182.285, 5e-4);
    EXPECT_DOUBLE_EQ(ProfValue(2, "Hgl"), 176.17);
    EXPECT_NEAR(below(2000), 164.607, 5e-4);
    EXPECT_NEAR(below(3000), 168.426, 5e-4);
    // No tank: no on or off level drawn at the reducer.
    EXPECT_EQ(form->Series9->Count() + form->Series10->Count(), 0);
}

// Both marks of a node with inflow and outflow sit 8 ft above its ground,
// labelled with the flows as the fields show them.
TEST_F(ProfileChart, InflowAndOutflowMarks)
{
    auto nodes = line();
    nodes[1].outQ = 150.5;
    nodes[1].inQ = 40;
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100}, nodes);
    form->FillProfileChart();

    const double mark = ProfValue(1, "GroundElev") + 8.0;
    ASSERT_EQ(points(form->Series15), (std::vector<Pt>{{500, mark}}));
    ASSERT_EQ(points(form->Series16), (std::vector<Pt>{{500, mark}}));
    EXPECT_EQ(form->Series15->At(0).label, QStringLiteral("150.5 gpm Outflow"));
    EXPECT_EQ(form->Series16->At(0).label, QStringLiteral("40 gpm Inflow"));
    EXPECT_TRUE(form->Series15->Marks.Visible);
    EXPECT_TRUE(form->Series16->Marks.Visible);
}

// A pressure-tank pump draws its on and off levels along the profile; a
// reducer ends the off line and carries the on line on at its set grade.
TEST_F(ProfileChart, PressureTankLevelsStopAndStepAtAReducer)
{
    WorkHeader h{.pumpType = "AUTOPUMP", .wsElev = 95};
    h.sysType = QStringLiteral("PUMPED");
    auto setTank = [] {
        Tul->SysTypeCode = 2;
        Tul->PumpTypeCode = 7;
        Tul->OffElev = 185;
        Tul->OnElev = 139;
        Tul->BoosterSgl = 126;
        Tul->BoosterHgl = 125.5;
    };

    testsupport::WriteWorkJob(h, line());
    setTank();
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series9), (std::vector<Pt>{{0, 185}, {500, 185}, {1000, 185}}));
    EXPECT_EQ(points(form->Series10), (std::vector<Pt>{{0, 139}, {500, 139}, {1000, 139}}));
    EXPECT_TRUE(allColoured(form->Series9, kAqua));
    EXPECT_TRUE(allColoured(form->Series10, kLime));

    // The reducer at 500 ft (invert 40) is set to 37 psi: the on line and the
    // grade line go on from its own set grade, whatever the job object holds.
    auto nodes = line();
    nodes[1].nodeType = 3;
    nodes[1].psiSet = 37;
    testsupport::WriteWorkJob(h, nodes);
    testsupport::SetProfField(1, "Hgl", 130.0);
    setTank();
    form->FillProfileChart();
    const double set = 40 + 2.307124400147656 * 37;   // 125.36
    EXPECT_EQ(points(form->Series9), (std::vector<Pt>{{0, 185}, {500, 185}}));
    EXPECT_EQ(points(form->Series10), (std::vector<Pt>{{0, 139}, {500, 139}, {500, set}, {1000, set}}));
    EXPECT_EQ(points(form->Series1), (std::vector<Pt>{{0, 0}, {500, 130}, {500, set}, {1000, 0}}));
    EXPECT_FALSE(Tul->FirstPoint);
    // Reached by less than its setting, the reducer passes that on.
    testsupport::SetProfField(1, "Hgl", 120.0);
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series1), (std::vector<Pt>{{0, 0}, {500, 120}, {500, 120}, {1000, 0}}));

    // The next drawing starts before any reducer again.
    testsupport::WriteWorkJob(h, line());
    form->FillProfileChart();
    EXPECT_EQ(form->Series9->Count(), 3);
}

// A gated-pipe end continues the profile from the WorkGated row: the main
// line joins it at the last station.
TEST_F(ProfileChart, GatedPipeEndFromTheGatedRow)
{
    testsupport::WriteWorkJob(WorkHeader{.sysHas = 1, .wsElev = 100}, line());
    setGatedRow(true);
    Tul->SysHas = 1;
    form->FillProfileChart();

    const double lastInvert = ProfValue(2, "InvertElev");
    EXPECT_EQ(points(form->Series1).back(), (Pt{1000, 60}));
    EXPECT_EQ(points(form->Series1).size(), 4u);
    EXPECT_EQ(points(form->Series3), (std::vector<Pt>{{0, ProfValue(0, "InvertElev")},
                                                      {500, ProfValue(1, "InvertElev")},
                                                      {1000, lastInvert},
                                                      {1000, 33}}));
    EXPECT_EQ(points(form->Series5),
              (std::vector<Pt>{{1000, 33}, {1100, 32}, {1200, 31}, {1300, 30}, {1400, 29}, {1500, 28}}));
    EXPECT_EQ(points(form->Series12), (std::vector<Pt>{{1000, 60}, {1200, 56}, {1300, 54}}));
    EXPECT_EQ(points(form->Series13), (std::vector<Pt>{{1000, 60}, {1400, 52}, {1500, 50}}));
    EXPECT_EQ(points(form->Series14), (std::vector<Pt>{{1000, 60}, {1100, 58}}));
    EXPECT_TRUE(allColoured(form->Series5, kFuchsia));
    EXPECT_TRUE(allColoured(form->Series13, kBlack));
    EXPECT_TRUE(allColoured(form->Series14, kBlue));

    setGatedRow(false);
    form->FillProfileChart();
    EXPECT_EQ(points(form->Series5), (std::vector<Pt>{{1000, 33}, {1100, 32}, {1400, 29}, {1500, 28}}));
    EXPECT_EQ(form->Series12->Count(), 0);
    EXPECT_EQ(form->Series13->Count(), 3);

    // A gated end whose gated pipe was never laid out draws no gated series.
    DMod->WorkGatedTable->EmptyTable();
    form->FillProfileChart();
    EXPECT_EQ(form->Series1->Count(), 3);
    EXPECT_EQ(form->Series5->Count(), 0);
}

// A manifold end: the invert joins the first manifold row, and the manifold's
// rows give its own line and more of the grade line.
TEST_F(ProfileChart, ManifoldEndFromTheManifoldRows)
{
    testsupport::WriteWorkJob(WorkHeader{.sysHas = 2, .wsElev = 100}, line());
    db::Table* t = DMod->WorkTrickleTable;
    if (!t->Active()) t->Open();
    t->EmptyTable();
    addRow(t, {{"Station", 1000}, {"InvertElev", 29}, {"Hgl", 45}});
    addRow(t, {{"Station", 1100}, {"InvertElev", 28}, {"Hgl", 41}});
    Tul->SysHas = 2;
    form->FillProfileChart();

    EXPECT_EQ(points(form->Series3).back(), (Pt{1000, 29}));
    EXPECT_EQ(points(form->Series6), (std::vector<Pt>{{1000, 29}, {1100, 28}}));
    EXPECT_TRUE(allColoured(form->Series6, kMaroon));
    const auto hgl = points(form->Series1);
    ASSERT_EQ(hgl.size(), 5u);
    EXPECT_EQ(hgl[3], (Pt{1000, 45}));
    EXPECT_EQ(hgl[4], (Pt{1100, 41}));
}

// The profile page's chart reads the working profile after every post and
// delete of a row; a click on a node finds the node series, not the line.
TEST_F(ProfileChart, ProfilePageChartFollowsTheWorkingProfile)
{
    const chart::Chart& c = form->DBChart1->chart();
    EXPECT_EQ(c.Title.Text, QStringLiteral("Pipeline Profile"));
    EXPECT_EQ(c.Foot.Text, QStringLiteral("(Click on a  point to edit the node)"));
    EXPECT_FALSE(c.Foot.Visible);
    EXPECT_FALSE(form->Series8->Active);
    EXPECT_EQ(form->Series8->Title, QStringLiteral("Gated Pipe"));

    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active()) prof->Open();
    addRow(prof, {{"Station", 0}, {"GroundElev", 100}});
    addRow(prof, {{"Station", 400}, {"GroundElev", 90}});
    addRow(prof, {{"Station", 200}, {"GroundElev", 95}});
    const std::vector<Pt> three{{0, 100}, {200, 95}, {400, 90}};
    EXPECT_EQ(points(form->PointSeries1), three);
    EXPECT_EQ(points(form->LineSeries1), three);

    prof->Locate(QStringLiteral("Station"), 200.0);
    prof->Edit();
    DMod->WorkProfTableGroundElev->SetAsFloat(97);
    EXPECT_EQ(points(form->PointSeries1), three);   // an open edit is not read
    prof->Post();
    EXPECT_EQ(points(form->PointSeries1), (std::vector<Pt>{{0, 100}, {200, 97}, {400, 90}}));

    prof->Locate(QStringLiteral("Station"), 400.0);
    prof->Delete();
    EXPECT_EQ(points(form->PointSeries1), (std::vector<Pt>{{0, 100}, {200, 97}}));
    EXPECT_EQ(points(form->LineSeries1), (std::vector<Pt>{{0, 100}, {200, 97}}));

    form->OvcNotebook1->SetPageIndex(1);
    form->DBChart1->show();
    form->resize(1000, 700);
    QApplication::processEvents();
    const QPointF at = form->DBChart1->PointPosition(*form->PointSeries1, 1);
    const chart::Chart::Hit hit = form->DBChart1->PointAt(at);
    EXPECT_EQ(hit.series, form->PointSeries1);
    EXPECT_EQ(hit.index, 1);
}

// Distinct colours in a rectangle of an image, and whether the red of the
// grade line is among them.
struct Ink {
    int colours = 0;
    bool red = false;
};
Ink inkIn(const QImage& img, const QRect& r)
{
    QSet<QRgb> seen;
    Ink ink;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb px = img.pixel(x, y);
            seen.insert(px);
            ink.red = ink.red || (qRed(px) > 230 && qGreen(px) < 40 && qBlue(px) < 40);
        }
    ink.colours = seen.size();
    return ink;
}

// The main window with a computed job on the output page, grabbed to a PNG
// the way a screenshot is taken; and the same chart painted onto an image
// page as a report draws it.
TEST_F(ProfileChart, ScreenshotOfTheOutputPageShowsTheChart)
{
    auto nodes = line();
    nodes[1].outQ = 100;
    testsupport::WriteWorkJob(WorkHeader{.wsElev = 100, .outletElev = 30}, nodes);
    form->resize(1024, 768);
    computeOnOutputPage();
    QApplication::processEvents();

    const QImage shot = form->grab().toImage();
    const QString file = workDir.filePath(QStringLiteral("output_page.png"));
    ASSERT_TRUE(shot.save(file));
    const QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    const QRect area(form->OutChart->mapTo(form, QPoint(0, 0)) * shot.devicePixelRatio(),
                     form->OutChart->size() * shot.devicePixelRatio());
    ASSERT_TRUE(form->OutChart->isVisible());
    ASSERT_GT(area.width(), 100);
    ASSERT_GT(area.height(), 100);
    const Ink onScreen = inkIn(saved.convertToFormat(QImage::Format_RGB32), area);
    EXPECT_GE(onScreen.colours, 6);
    EXPECT_TRUE(onScreen.red);

    QImage page(1600, 1000, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(192 / 0.0254));
    page.setDotsPerMeterY(qRound(192 / 0.0254));
    page.fill(Qt::white);
    {
        QPainter p(&page);
        form->OutChart->chart().Draw(p, QRectF(0, 0, 1600, 1000));
    }
    const Ink onPage = inkIn(page, page.rect());
    EXPECT_GE(onPage.colours, 6);
    EXPECT_TRUE(onPage.red);
}

} // namespace
