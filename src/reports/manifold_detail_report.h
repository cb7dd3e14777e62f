#pragma once
// The detailed hydraulic report of a manifold calculator job.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifDetail : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifDetail(QWidget* owner);

    report::Report QuickRepManifold{QStringLiteral("QuickRepManifold")};

    void FormShow() override;
    void TitleBand1BeforePrint(report::Band& band, bool& print);
    void DetailBand1BeforePrint(report::Band& band, bool& print);

private:
    double reachEnd_ = 0;   // where the reach lines under a node end, inches
};

inline TQRManifDetail* QRManifDetail = nullptr;
