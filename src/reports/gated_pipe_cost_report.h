#pragma once
// The installation cost of the gated pipe at the end of a profile job: a section of the cost report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGatedCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGatedCost(QWidget* owner);

    report::Report QuickRepGatedCost{QStringLiteral("QuickRepGatedCost")};

    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
};

inline TQRGatedCost* QRGatedCost = nullptr;

namespace reports {
// The gated reach's cost per foot ("##0.00") and cost ("###,##0") as the
// cost reports print them.
QString GatedCostPerFootText();
QString GatedReachCostText();
}
