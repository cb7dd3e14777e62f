#include "engine/stock_water_requirement.h"

#include "model/number_text.h"

#include <array>

const QString kConventionalGrazing = QStringLiteral("Conventional Grazing System");
const QString kIntensiveGrazing = QStringLiteral("Intensive Grazing System");
const QString kRoughTerrain = QStringLiteral("Rough Terrain Relief");
const QString kGentleTerrain = QStringLiteral("Gentle Terrain Relief");

namespace {

struct QualityClass {
    const char* text;
    const char* recommendation;
};

const std::array<QualityClass, kWaterQualityClasses> kQuality = {{
    {"Less than 1,000 mg/l", "Good water, no restrictions."},
    {"1,000-3,000 mg/l",
     "Very satisfactory for all classes of livestock.  May cause temporary and mild diarrhea in livestock not "
     "accustomed to them."},
    {"3,000-5,000 mg/l",
     "Satisfactory for livestock but may cause diarrhea or be refused at first by animals not accustomed to them."},
    {"5,000-7,000 mg/l",
     "Can be used with reasonable safety for dairy and beef cattle, sheep, swine, and horses.  Avoid us for "
     "pregnant or lactating animals."},
    {"7,000-10,000 mg/l",
     "Considerable risk in using for lactating cows, horses, sheep, or for young of these species.  In general, "
     "use should be avoided although older ruminants, horses, and swine may subsist on them under certain "
     "conditions."},
    {"Over 10,000 mg/l",
     "Risks with these highly saline waters are so great that they cannot be recommended for use under any "
     "conditions."},
}};

} // namespace

double StoredFlow(double gpm)
{
    return FixedText(gpm, 6, 2).toDouble();
}

StockWaterResult StockWaterRequirement(const StockWaterInput& in)
{
    StockWaterResult r;
    r.dailyNeed = in.head * in.gallonsPerHead;
    r.totalDaily = in.pctSpill * r.dailyNeed * 0.01 + r.dailyNeed;
    // The day's water spread over its 1440 minutes.
    const double minimum = r.totalDaily * (1.0 / 1440.0);
    r.minGpm = StoredFlow(minimum);
    // From the unrounded minimum, so that the rounding is not multiplied.
    if (in.hoursDelivery > 0)
        r.designGpm = StoredFlow(minimum * 24.0 / in.hoursDelivery);
    r.storageReserve = in.storageDays * r.totalDaily;
    return r;
}

bool IsConventionalGrazing(const QString& systemType)
{
    return systemType == kConventionalGrazing;
}

bool IsRoughTerrain(const QString& terrain)
{
    return terrain == kRoughTerrain;
}

QString WaterQualityText(int cls)
{
    return cls >= 0 && cls < kWaterQualityClasses ? QString::fromLatin1(kQuality[size_t(cls)].text) : QString();
}

QString WaterQualityRecommendation(int cls)
{
    return cls >= 0 && cls < kWaterQualityClasses ? QString::fromLatin1(kQuality[size_t(cls)].recommendation)
                                                  : QString();
}

int WaterQualityClassOf(const QString& text)
{
    for (int i = 0; i < kWaterQualityClasses; ++i)
        if (text == QLatin1String(kQuality[size_t(i)].text))
            return i;
    return -1;
}
