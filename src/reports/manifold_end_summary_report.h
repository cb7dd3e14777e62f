#pragma once
// The manifold at the end of a profile job: a section of the summary report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifEndSummary : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifEndSummary(QWidget* owner);

    report::Report QuickRepManifEndSummary{QStringLiteral("QuickRepManifEndSummary")};

    void DetailBand2BeforePrint(report::Band& band, bool& print);
};

inline TQRManifEndSummary* QRManifEndSummary = nullptr;
