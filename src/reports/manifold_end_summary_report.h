#pragma once
// The manifold at the end of a profile job: a section of the summary report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifEndSummary : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifEndSummary(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRManifEndSummary"));
        SetCaption(QStringLiteral("QRManifEndSummary"));
        QuickRepManifEndSummary.DataSet = DMod->WorkTrickleTable;
    }

    report::Report QuickRepManifEndSummary{QStringLiteral("QuickRepManifEndSummary")};
};

inline TQRManifEndSummary* QRManifEndSummary = nullptr;
