#pragma once
// The graphic profile of the computed pipeline, on a landscape page.
#include "platform/chart/chart.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQROutGraph : public ui::Form {
    Q_OBJECT
public:
    explicit TQROutGraph(QWidget* owner);

    report::Report QuickRepOutGraph{QStringLiteral("QuickRepOutGraph")};
    report::ChartControl* QRChart1 = nullptr;
    // The series in legend order.
    chart::Series* Series1 = nullptr;
    chart::Series* Series2 = nullptr;
    chart::Series* Series3 = nullptr;
    chart::Series* Series4 = nullptr;
    chart::Series* Series5 = nullptr;
    chart::Series* Series6 = nullptr;
    chart::Series* Series7 = nullptr;
    chart::Series* Series8 = nullptr;
    chart::Series* Series9 = nullptr;
    chart::Series* Series10 = nullptr;
    chart::Series* Series11 = nullptr;
    chart::Series* Series12 = nullptr;
    chart::Series* Series13 = nullptr;
    chart::Series* Series14 = nullptr;
    chart::Series* Series15 = nullptr;

    void PageHeaderBand1BeforePrint(report::Band& band, bool& printBand);
    void QuickRepOutGraphStartPage(report::Report& r);
    void FormShow() override;
};

inline TQROutGraph* QROutGraph = nullptr;
