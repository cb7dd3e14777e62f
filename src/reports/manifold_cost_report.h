#pragma once
// The cost of the manifold at the end of a profile job: a section of the
// cost report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRManifCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRManifCost(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRManifCost"));
        SetCaption(QStringLiteral("QRManifCost"));
        QuickRepTrickleCost.DataSet = DMod->WorkTrickleTable;
    }

    report::Report QuickRepTrickleCost{QStringLiteral("QuickRepTrickleCost")};
};

inline TQRManifCost* QRManifCost = nullptr;
