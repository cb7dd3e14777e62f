#pragma once
// The graphic profile of a manifold: its grade line and invert along the stations.
#include "platform/report/report.h"
#include "platform/ui/form.h"

namespace report { class ChartControl; }

class TQRManifGraph : public ui::Form {
    Q_OBJECT
public:
    // programName: the title line; empty names the running program.
    explicit TQRManifGraph(QWidget* owner, const QString& programName = QString());

    report::Report QuickRepManGraph{QStringLiteral("QuickRepManGraph")};
    report::ChartControl* QRChart1 = nullptr;

    void FormShow() override;
    void PageHeaderBand1BeforePrint(report::Band& band, bool& print);
};

inline TQRManifGraph* QRManifGraph = nullptr;
