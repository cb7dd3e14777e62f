// Reports over tables: the detail walk, paging, data texts and masks.
#include "report_fixture.h"

#include "platform/db/db.h"
#include "support/tempdb.h"

using namespace report;

namespace {

const char* kScript = R"sql(
CREATE TABLE "Prof.DB"("Station" NUMBER, "GroundElev" NUMBER, "Name" ALPHA(12), "Cost" NUMBER,
                       PRIMARY KEY("Station"));
CREATE INDEX "Prof.DB|NameIndex" ON "Prof.DB"("Name");
CREATE TABLE "Head.DB"("JobName" ALPHA(20), "OutletPsi" NUMBER);
INSERT INTO "Head.DB" VALUES('Main Pipeline', 0);
CREATE TABLE "Empty.DB"("JobName" ALPHA(20));
)sql";

class DataReportTest : public ReportTest {
protected:
    testsupport::TempDb temp{QString::fromUtf8(kScript)};
    db::Table prof{db::kMersolAlias, "Prof.DB"};

    void Fill(int rows)
    {
        prof.Open();
        db::Transaction tr(db::kMersolAlias);
        for (int i = 0; i < rows; ++i) {
            prof.Append();
            prof.FieldByName("Station")->SetAsFloat(i * 100);
            prof.FieldByName("GroundElev")->SetAsFloat(350 - i * 0.5);
            prof.FieldByName("Name")->SetAsString(QString("N%1").arg(rows - i, 3, 10, QChar('0')));
            prof.FieldByName("Cost")->SetAsFloat(i + 0.5);
            prof.Post();
        }
        tr.Commit();
    }

    // A report listing Station with a mask and counting the rows.
    std::unique_ptr<Report> ProfileReport()
    {
        auto r = MakeReport("Profile");
        r->DataSet = &prof;
        Band* d = r->FindBand("Detail");
        d->FindControl("DetLbl")->Enabled = false;
        d->AddDBText("Sta", prof.FieldByName("Station"), 0, 0, 1, "###0.0", Qt::AlignRight);
        return r;
    }

    static QStringList Stations(const Dump& d, int page = 0)
    {
        QStringList s;
        for (const auto& l : d.lines)
            if (l.control == "Sta" && (page == 0 || l.page == page))
                s << l.text;
        return s;
    }
};

TEST_F(DataReportTest, DetailBandsWalkTheTableAndBreakPages)
{
    Fill(60);
    auto r = ProfileReport();
    const Dump d = RenderDump(*r);
    // Between the 0.5 in margins, page header 0.3 in, title 1 in and column
    // header 0.3 in leave 32 rows of 0.25 in above the 0.3 in footer on the
    // first page; the next page has room for 36.
    ASSERT_EQ(d.PageCount(), 2);
    EXPECT_EQ(Stations(d, 1).size(), 32);
    EXPECT_EQ(Stations(d, 2).size(), 28);
    EXPECT_EQ(Stations(d).first(), "0.0");
    EXPECT_EQ(Stations(d).last(), "5900.0");
    EXPECT_EQ(d.Bands(1), (QStringList{"PageHeader", "Title", "ColumnHeader", "Detail", "PageFooter"}));
    EXPECT_EQ(d.Bands(2), (QStringList{"PageHeader", "ColumnHeader", "Detail", "Summary", "PageFooter"}));
    EXPECT_EQ(d.Texts(2).filter("Total").value(0), "Total: 60");
    EXPECT_EQ(d.Texts(1).last(), "1");
    EXPECT_EQ(d.Texts(2).last(), "2");
    EXPECT_TRUE(prof.Eof());   // the walk leaves the table at its end
}

TEST_F(DataReportTest, TheWalkFollowsTheCurrentIndexAndFilter)
{
    Fill(5);
    prof.SetIndexName("NameIndex");   // names run backwards against stations
    prof.OnFilterRecord = [](db::Table& t) { return t.FieldByName("Station")->AsFloat() != 200; };
    prof.SetFiltered(true);
    auto r = ProfileReport();
    EXPECT_EQ(Stations(RenderDump(*r)), (QStringList{"400.0", "300.0", "100.0", "0.0"}));
}

TEST_F(DataReportTest, HandlersThatMoveTheCursorAreSeenByTheLoop)
{
    Fill(6);
    auto r = ProfileReport();
    // Skipping a row inside the handler: the loop goes on after it.
    r->FindBand("Detail")->BeforePrint = [this](Band&, bool&) {
        if (prof.FieldByName("Station")->AsFloat() == 100)
            prof.Next();
    };
    EXPECT_EQ(Stations(RenderDump(*r)), (QStringList{"0.0", "200.0", "300.0", "400.0", "500.0"}));
}

TEST_F(DataReportTest, EmptyTablesPrintOnlyWhenAsked)
{
    prof.Open();
    auto r = ProfileReport();
    r->PrintIfEmpty = false;
    EXPECT_EQ(RenderDump(*r).PageCount(), 0);

    r->PrintIfEmpty = true;
    const Dump d = RenderDump(*r);
    ASSERT_EQ(d.PageCount(), 1);
    EXPECT_EQ(d.Bands(1), (QStringList{"PageHeader", "Title", "ColumnHeader", "Summary", "PageFooter"}));
    EXPECT_TRUE(d.Contains("Total: 0"));

    // In a composite an empty report adds no page, the others run on.
    auto other = MakeReport("Other");
    CompositeReport doc;
    r->PrintIfEmpty = false;
    doc.OnAddReports = [&](CompositeReport& c) {
        c.Add(r.get());
        c.Add(other.get());
    };
    const Dump cd = RenderDump(doc);
    EXPECT_EQ(cd.PageCount(), 1);
    EXPECT_EQ(cd.pages[0].report, "Other");
}

TEST_F(DataReportTest, ClosedTablesAreOpenedForTheReport)
{
    Fill(3);
    prof.Close();
    auto r = ProfileReport();
    EXPECT_EQ(Stations(RenderDump(*r)).size(), 3);
    EXPECT_TRUE(prof.Active());
}

TEST_F(DataReportTest, DataTextsOfAnyTableWithMasks)
{
    Fill(2);
    db::Table head(db::kMersolAlias, "Head.DB");
    head.Open();
    Report r("Detail");
    r.DataSet = &prof;
    Band* t = r.AddBand(BandType::Title, "TitleBand1", 1);
    t->AddDBText("Job", &head, "JobName", 0, 0);
    t->AddDBText("Psi", head.FieldByName("OutletPsi"), 0, 0.2);
    Band* d = r.AddBand(BandType::Detail, "DetailBand1", 0.2);
    d->AddDBText("Elev", &prof, "GroundElev", 0, 0, 1, "###0.0");
    d->AddDBText("Cost", prof.FieldByName("Cost"), 1, 0, 1, "###.##");
    d->AddDBText("Name", prof.FieldByName("Name"), 2, 0, 1, "###0.0");   // masks leave text alone
    d->AddDBText("Missing", &prof, "NoSuchField", 3, 0);
    EXPECT_EQ(RenderDump(r).Texts(), (QStringList{"Main Pipeline", "0", "350.0", ".5", "N002", "349.5", "1.5", "N001"}));

    // A null value prints nothing; a closed table's field prints nothing.
    prof.First();
    prof.Edit();
    prof.FieldByName("Cost")->Clear();
    prof.Post();
    head.Close();
    const QStringList texts = RenderDump(r).Texts();
    EXPECT_EQ(texts, (QStringList{"350.0", "N002", "349.5", "1.5", "N001"}));
}

} // namespace
