#pragma once
// The pipe cost estimate of a manifold calculator job.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifSCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifSCost(QWidget* owner);

    report::Report QuickRepCostMan{QStringLiteral("QuickRepCostMan")};

    void FormShow() override;
    void FormActivate() override;
    void QuickRepCostManBeforePrint(report::Report& r);
    void DetailBandMainBeforePrint(report::Band& band, bool& print);
    void SummaryBand1BeforePrint(report::Band& band, bool& print);

private:
    double total_ = 0.0;   // dollars, restarted with every generation
};

inline TQRManifSCost* QRManifSCost = nullptr;
