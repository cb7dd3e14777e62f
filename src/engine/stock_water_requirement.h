#pragma once
// The water a grazing herd needs: daily total, pipeline flows, storage reserve.
//
// No table is read here: the stock-water calculator passes the values of its
// job row and writes the results back. The choice texts below are the values
// a stock-water job stores, and the rules that read them.
#include <QString>

#include <optional>

struct StockWaterInput {
    double head = 0;            // livestock, head
    double gallonsPerHead = 0;  // water requirement a head, gallons a day
    double pctSpill = 0;        // percent added for tank spillage
    double hoursDelivery = 0;   // desired hours of delivery a day
    double storageDays = 0;     // desired reserve storage, days
};

struct StockWaterResult {
    double dailyNeed = 0;       // the herd's gallons a day
    double totalDaily = 0;      // gallons a day with the spillage allowance
    double minGpm = 0;          // the day's water over 24 hours, gpm, stored to 2 decimals
    // The same water within the delivery hours, gpm, stored to 2 decimals;
    // none without delivery hours.
    std::optional<double> designGpm;
    double storageReserve = 0;  // gallons for the reserve days, unrounded
};

StockWaterResult StockWaterRequirement(const StockWaterInput& in);

// A flow as the job row keeps it: the fixed-point text of 6 significant
// digits and 2 decimals, read back.
double StoredFlow(double gpm);

// ---- the choices a job stores, by their texts ----

extern const QString kConventionalGrazing;   // "Conventional Grazing System"
extern const QString kIntensiveGrazing;      // "Intensive Grazing System"
extern const QString kRoughTerrain;          // "Rough Terrain Relief"
extern const QString kGentleTerrain;         // "Gentle Terrain Relief"

// Any other grazing text counts as intensive, any other terrain as gentle.
bool IsConventionalGrazing(const QString& systemType);
bool IsRoughTerrain(const QString& terrain);

// The six salinity classes of water (total dissolved solids), in order.
constexpr int kWaterQualityClasses = 6;
QString WaterQualityText(int cls);            // "Less than 1,000 mg/l" ...
QString WaterQualityRecommendation(int cls);  // what the class means for livestock
// The class whose text equals `text` exactly; -1 when none does.
int WaterQualityClassOf(const QString& text);
