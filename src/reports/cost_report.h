#pragma once
// The pipeline cost estimate and the composite that chains the end-node,
// suction and pumping cost sections after it. Its reach lines are not built
// yet: it prints the common title band and page footer.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRCost(QWidget* owner);

    report::Report QuickRepCost{QStringLiteral("QuickRepCost")};
    report::CompositeReport QRCompositeReport3;

    void QRCompositeReport3AddReports(report::CompositeReport& composite);
    void QuickRepCostStartPage(report::Report& r);
    void FormShow() override;
};

inline TQRCost* QRCost = nullptr;
