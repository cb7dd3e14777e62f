#pragma once
// The graphic profile of a manifold: its grade line and invert along the stations.
#include "platform/report/report.h"
#include "platform/ui/form.h"

namespace report { class ChartControl; }

class TQRManifGraph : public ui::Form {
    Q_OBJECT
public:
    // programName: the title line, "Mersol" or the gravity designer's name.
    explicit TQRManifGraph(QWidget* owner, const QString& programName = QStringLiteral("Mersol"));

    report::Report QuickRepManGraph{QStringLiteral("QuickRepManGraph")};
    report::ChartControl* QRChart1 = nullptr;

    void FormShow() override;
    void PageHeaderBand1BeforePrint(report::Band& band, bool& print);
};

inline TQRManifGraph* QRManifGraph = nullptr;
