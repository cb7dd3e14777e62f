#pragma once
// The summary hydraulic report: one line per node of the computed main
// pipeline with the reach below it, and the composite that chains the
// end-node and pump sections after it.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRSummary : public ui::Form {
    Q_OBJECT
public:
    explicit TQRSummary(QWidget* owner);

    report::Report QuickRepSummary{QStringLiteral("QuickRepSummary")};
    report::CompositeReport QRCompositeReport1;

    // Per run: a booster has been printed above, so static pressures below
    // it no longer apply.
    bool BoosterPassed = false;

    void QRCompositeReport1AddReports(report::CompositeReport& composite);
    void QuickRepSummaryBeforePrint(report::Report& r);
    void QuickRepSummaryStartPage(report::Report& r);
    void ColumnHeaderBand1BeforePrint(report::Band& band, bool& printBand);
    void DetailBand1BeforePrint(report::Band& band, bool& printBand);
    void SummaryBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;
};

inline TQRSummary* QRSummary = nullptr;
