#pragma once
// The pumping energy cost: a section of the cost report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPumpCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPumpCost(QWidget* owner);

    report::Report QuickRepPumpCost{QStringLiteral("QuickRepPumpCost")};

    void TitleBandPumpBeforePrint(report::Band& band, bool& printBand);
};

inline TQRPumpCost* QRPumpCost = nullptr;
