#pragma once
// The summary hydraulic report and the composite that chains the end-node
// and pump sections after it. Its node lines are not built yet: it prints
// the common title band and page footer.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRSummary : public ui::Form {
    Q_OBJECT
public:
    explicit TQRSummary(QWidget* owner);

    report::Report QuickRepSummary{QStringLiteral("QuickRepSummary")};
    report::CompositeReport QRCompositeReport1;

    void QRCompositeReport1AddReports(report::CompositeReport& composite);
    void QuickRepSummaryStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRSummary* QRSummary = nullptr;
