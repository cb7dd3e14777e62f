#pragma once
// The cost of the manifold at the end of a profile job: a section of the cost report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifCost(QWidget* owner);

    report::Report QuickRepTrickleCost{QStringLiteral("QuickRepTrickleCost")};

    void FormShow() override;
    void FormActivate() override;
    void QuickRepTrickleCostBeforePrint(report::Report& r);
    void DetailBandManifoldBeforePrint(report::Band& band, bool& print);
    void SummaryBand1BeforePrint(report::Band& band, bool& print);

    double Total() const { return total_; }

private:
    double total_ = 0.0;   // dollars, restarted with every generation
};

inline TQRManifCost* QRManifCost = nullptr;
