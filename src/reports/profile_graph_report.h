#pragma once
// The graphic profile of the computed pipeline, on a landscape page. Its
// chart band is not built yet: until it is the report prints no page.
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQROutGraph : public ui::Form {
    Q_OBJECT
public:
    explicit TQROutGraph(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QROutGraph"));
        SetCaption(QStringLiteral("Output Graph Report"));
        QuickRepOutGraph.Page = report::PageSetup::Letter(QPageLayout::Landscape);
        QuickRepOutGraph.Title = QStringLiteral("Output Graph Report");
    }

    report::Report QuickRepOutGraph{QStringLiteral("QuickRepOutGraph")};
};

inline TQROutGraph* QROutGraph = nullptr;
