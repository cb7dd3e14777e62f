#pragma once
// The details of a gated-pipe calculator job: its job header, entrance, gates, the six-station table and the fittings.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGatedTool : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGatedTool(QWidget* owner);

    report::Report QuickRepGatedTool{QStringLiteral("QuickRepGatedTool")};

    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;
};

inline TQRGatedTool* QRGatedTool = nullptr;
