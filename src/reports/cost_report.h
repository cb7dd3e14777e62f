#pragma once
// The pipeline cost estimate: each reach's pipe, cover and cost with the
// total of the main line, and the composite that chains the end-node,
// suction and pumping cost sections after it.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRCost(QWidget* owner);

    report::Report QuickRepCost{QStringLiteral("QuickRepCost")};
    report::CompositeReport QRCompositeReport3;

    double CostTotal = 0.0;   // per run: dollars, the unrounded reach costs printed so far

    void QRCompositeReport3AddReports(report::CompositeReport& composite);
    void QuickRepCostBeforePrint(report::Report& r);
    void QuickRepCostStartPage(report::Report& r);
    void DetailBandMainBeforePrint(report::Band& band, bool& printBand);
    void SummaryBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;
};

inline TQRCost* QRCost = nullptr;
