// The livestock planning report: the stock-water job's one row on one page,
// its values as the row holds them, its notes cut at their boxes.
#include "reports_fixture.h"

#include "engine/stock_water_requirement.h"
#include "model/data_module.h"
#include "reports/stock_water_report.h"

using namespace report;
using testsupport::WorkJob;

namespace {

class StockReportTest : public ReportFormTest {
protected:
    // The second worked example: 50 head at 10 gallons, 5 %, 8 hours, 1 day.
    void AddJob(const QString& notes = QStringLiteral("Fence the creek"))
    {
        WorkJob::AddRow(DMod->WorkSWaterTable,
                        {{"JobName", "Hill lease"}, {"Date", "06/15/2026"}, {"Location", "Section 12"},
                         {"Designer", "R. Ames"}, {"Landuser", "J. Smith"}, {"ID", "A-17"}, {"JobNotes", notes},
                         {"OtherSources", "Spring"}, {"Dependability", "Dry by August"},
                         {"LivestockType", "Beef cow, dry"}, {"MaxLivestock", 50.0}, {"DateStart", "05/01"},
                         {"DateEnd", "09/30"}, {"WaterPHead", 10.0}, {"HrDelivery", 8.0}, {"StorageTime", 1.0},
                         {"PctSpill", 5.0}, {"MinGpm", 0.36}, {"DesignGpm", 1.09}, {"StorageReserve", 525.0},
                         {"SystemType", kConventionalGrazing}, {"Terrain", kRoughTerrain},
                         {"WaterQuality", WaterQualityText(4)}, {"WaterSpacing", 0.5},
                         {"QualComment", WaterQualityRecommendation(4)}});
    }
};

TEST_F(StockReportTest, PrintsTheJobOnOnePageWithEachValueAfterItsCaption)
{
    AddJob();
    PreviewStockWaterReport(owner.get());
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(previewParent, owner.get());
    EXPECT_EQ(QRStock, nullptr);
    ASSERT_EQ(shown.PageCount(), 1);
    EXPECT_EQ(shown.Texts(1).mid(0, 2), (QStringList{"Mersol", "Livestock Planning Report"}));

    const QStringList texts = shown.Texts(1);
    auto after = [&](const QString& caption) {
        const int i = texts.indexOf(caption);
        return i >= 0 && i + 1 < texts.size() ? texts.mid(i + 1, 2) : QStringList{"<missing " + caption + ">"};
    };
    EXPECT_EQ(after("Job:").first(), "Hill lease");
    EXPECT_EQ(after("Date:").first(), "06/15/2026");
    EXPECT_EQ(after("By:").first(), "R. Ames");
    EXPECT_EQ(after("ID:").first(), "A-17");
    EXPECT_EQ(after("Type of Livestock:").first(), "Beef cow, dry");
    EXPECT_EQ(after("Maximum Number of Livestock:"), (QStringList{"50", "head"}));
    EXPECT_EQ(after("Dates Livestock Will Be in Field:  From"), (QStringList{"05/01", "To"}));
    EXPECT_EQ(after("Water Requirements Per Head:"), (QStringList{"10", "gallons"}));
    EXPECT_EQ(after("Desired Hours/Day For Delivery:"), (QStringList{"8", "hours"}));
    EXPECT_EQ(after("Desired Reserve Storage Days:"), (QStringList{"1", "days"}));
    EXPECT_EQ(after("Percent Added for Tank Spillage:"), (QStringList{"5", "%"}));
    EXPECT_EQ(after("Grazing System Type:").first(), "Conventional Grazing System");
    EXPECT_EQ(after("Terrain Relief:").first(), "Rough Terrain Relief");
    EXPECT_EQ(after("Water Quality (TDS Salinity):").first(), "7,000-10,000 mg/l");
    EXPECT_EQ(after("Minimum Required Pipeline Flow Rate:"), (QStringList{"0.36", "gpm"}));
    EXPECT_EQ(after("Design Pipeline Flow Rate:"), (QStringList{"1.09", "gpm"}));
    EXPECT_EQ(after("Minimum Required Storage Tank Capacity:"), (QStringList{"525", "gallons"}));
    EXPECT_EQ(after("Maximum Watering Site Spacing:"), (QStringList{"0.5", "Miles"}));
    EXPECT_LT(texts.indexOf("INPUT DATA"), texts.indexOf("Type of Livestock:"));
    EXPECT_LT(texts.indexOf("OUTPUT"), texts.indexOf("Minimum Required Pipeline Flow Rate:"));
    EXPECT_EQ(shown.TextsOf("QRDBMemoJobNotes"), QStringList{"Fence the creek"});
    EXPECT_EQ(shown.TextsOf("QRDBMemoDependability"), QStringList{"Dry by August"});
    // The recommendation wraps in its box, every word of it printed.
    EXPECT_GT(shown.TextsOf("QRDBMemoQualComment").size(), 1);
    EXPECT_EQ(shown.TextsOf("QRDBMemoQualComment").join(" ").simplified(),
              WaterQualityRecommendation(4).simplified());
    EXPECT_EQ(shown.TextsOf("PageFooterBand1DateLbl"), QStringList{"Printed:"});
    EXPECT_EQ(shown.TextsOf("PageFooterBand1PageNo"), QStringList{"1"});
}

TEST_F(StockReportTest, LongNotesAreCutAtTheirBox)
{
    QStringList words;
    for (int i = 0; i < 80; ++i)
        words << QStringLiteral("word%1").arg(i);
    AddJob(words.join(' '));
    PreviewStockWaterReport(owner.get());
    const QStringList printed = shown.TextsOf("QRDBMemoJobNotes");
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_TRUE(printed.first().startsWith("word0 word1"));
    EXPECT_FALSE(printed.join(' ').contains("word79"));
    EXPECT_EQ(shown.PageCount(), 1);
}

TEST_F(StockReportTest, NoJobRowPrintsNoPage)
{
    DMod->WorkSWaterTable->Open();
    PreviewStockWaterReport(owner.get());
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(shown.PageCount(), 0);
}

} // namespace
