#pragma once
// The graphic profile of a gated-pipe calculator job: the gated pipe's ground line, the water surface and the grade lines of its three open segments.
#include "platform/report/report.h"
#include "platform/ui/form.h"

namespace chart { class Series; }

class TQRGatedGraph : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGatedGraph(QWidget* owner);

    report::Report QuickRepGatedGraph{QStringLiteral("QuickRepGatedGraph")};
    report::ChartControl* QRDBChart1 = nullptr;
    chart::Series *Series4, *Series5, *Series10, *Series11, *Series12;

    void QuickRepGatedGraphBeforePrint(report::Report& r);
    void PageHeaderBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;
};

inline TQRGatedGraph* QRGatedGraph = nullptr;
