#pragma once
// The installation cost of a gated-pipe calculator job: its job header, the pipe, the length, cost per foot and total.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGatedCostTool : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGatedCostTool(QWidget* owner);

    report::Report QuickRepGatedCostTool{QStringLiteral("QuickRepGatedCostTool")};

    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
};

inline TQRGatedCostTool* QRGatedCostTool = nullptr;
