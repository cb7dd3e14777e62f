#pragma once
// The manifold at the end of a profile job: a section of the detailed report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifEndDetail : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifEndDetail(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRManifEndDetail"));
        SetCaption(QStringLiteral("QRManifEndDetail"));
        QuickRepEndManifold.DataSet = DMod->WorkTrickleTable;
    }

    report::Report QuickRepEndManifold{QStringLiteral("QuickRepEndManifold")};
};

inline TQRManifEndDetail* QRManifEndDetail = nullptr;
