// Series that take their points from a table.
#include "platform/chart/chartwidget.h"
#include "platform/db/db.h"
#include "support/qt_app.h"
#include "support/tempdb.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace chart;

namespace {

const char* kScript = R"sql(
CREATE TABLE "Prof.DB"("Station" NUMBER, "GroundElev" NUMBER, "Label" ALPHA(10), PRIMARY KEY("Station"));
INSERT INTO "Prof.DB" VALUES(0, 350, 'a'), (500, 348, 'b'), (1200, 345, 'c');
)sql";

class BindingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        prof.Open();
    }
    testsupport::TempDb temp{QString::fromUtf8(kScript)};
    db::Table prof{db::kMersolAlias, "Prof.DB"};
};

TEST_F(BindingTest, RefreshReadsTheRowsAndKeepsTheCursor)
{
    ChartWidget w;
    Series* points = w.chart().AddSeries(SeriesKind::Point, "Ground");
    Series* line = w.chart().AddSeries(SeriesKind::Line, "Line");
    Series* free = w.chart().AddSeries(SeriesKind::Line, "GatedSeries1");
    free->Add(1, 1);
    points->SetDataSource(&prof, "Station", "GroundElev", "Label");
    line->SetDataSource(&prof, "Station", "GroundElev");
    prof.Last();
    prof.Prior();   // on station 500
    w.RefreshData();
    EXPECT_EQ(points->XValues(), (std::vector<double>{0, 500, 1200}));
    EXPECT_EQ(points->YValues(), (std::vector<double>{350, 348, 345}));
    EXPECT_EQ(points->At(2).label, "c");
    EXPECT_EQ(line->Count(), 3);
    EXPECT_EQ(free->Count(), 1);   // unbound series are left alone
    EXPECT_EQ(prof.FieldByName("Station")->AsFloat(), 500);

    // After a post and a delete the next refresh shows them.
    prof.Append();
    prof.FieldByName("Station")->SetAsFloat(800);
    prof.FieldByName("GroundElev")->SetAsFloat(346);
    prof.Post();
    prof.First();
    prof.Delete();
    w.RefreshData();
    EXPECT_EQ(points->XValues(), (std::vector<double>{500, 800, 1200}));
    EXPECT_EQ(prof.FieldByName("Station")->AsFloat(), 500);
}

TEST_F(BindingTest, ClosedOrEditedTables)
{
    Chart c;
    Series* s = c.AddSeries(SeriesKind::Point, "Ground");
    s->SetDataSource(&prof, "Station", "GroundElev");
    c.RefreshData();
    ASSERT_EQ(s->Count(), 3);
    // A pending edit is neither posted nor lost by a refresh.
    prof.First();
    prof.Edit();
    prof.FieldByName("GroundElev")->SetAsFloat(999);
    c.RefreshData();
    EXPECT_EQ(prof.State(), db::DataSetState::Edit);
    EXPECT_EQ(s->YValues(), (std::vector<double>{350, 348, 345}));
    prof.Cancel();
    prof.Close();
    c.RefreshData();
    EXPECT_EQ(s->Count(), 0);
}

TEST_F(BindingTest, ClickOnABoundPointGivesTheRowOrder)
{
    ChartWidget w;
    w.resize(400, 300);
    Series* s = w.chart().AddSeries(SeriesKind::Point, "Ground");
    s->SetDataSource(&prof, "Station", "GroundElev");
    w.RefreshData();
    int clicked = -1;
    s->OnClick = [&](Series&, int index) {
        clicked = index;
        prof.First();
        for (int i = 0; i < index; ++i)
            prof.Next();
    };
    const QPointF at = w.PointPosition(*s, 2);
    QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
    EXPECT_EQ(clicked, 2);
    EXPECT_EQ(prof.FieldByName("Station")->AsFloat(), 1200);
}

} // namespace
