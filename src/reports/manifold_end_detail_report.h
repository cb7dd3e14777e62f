#pragma once
// The manifold at the end of a profile job: a section of the detailed report.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifEndDetail : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifEndDetail(QWidget* owner);

    report::Report QuickRepEndManifold{QStringLiteral("QuickRepEndManifold")};

    void FormActivate() override;
    void TitleBand1BeforePrint(report::Band& band, bool& print);
    void DetailBand1BeforePrint(report::Band& band, bool& print);

private:
    double reachEnd_ = 0;   // where the reach lines under a node end, inches
};

inline TQRManifEndDetail* QRManifEndDetail = nullptr;
