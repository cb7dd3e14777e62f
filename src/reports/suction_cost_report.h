#pragma once
// The cost of a centrifugal pump's suction line: a section of the cost report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRSuctionCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRSuctionCost(QWidget* owner);

    report::Report QuickRepSuctionCost{QStringLiteral("QuickRepSuctionCost")};

    double CostTotal = 0.0;   // per run: dollars, the unrounded segment costs printed so far

    void QuickRepSuctionCostBeforePrint(report::Report& r);
    void DetailBandSuctionBeforePrint(report::Band& band, bool& printBand);
    void SummaryBand1BeforePrint(report::Band& band, bool& printBand);
};

inline TQRSuctionCost* QRSuctionCost = nullptr;
