#pragma once
// The installation cost of the gated pipe at the end of a profile job: a
// section of the cost report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRGatedCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRGatedCost(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRGatedCost"));
        SetCaption(QStringLiteral("QRGatedCost"));
        QuickRepGatedCost.DataSet = DMod->WorkGatedTable;
    }

    report::Report QuickRepGatedCost{QStringLiteral("QuickRepGatedCost")};
};

inline TQRGatedCost* QRGatedCost = nullptr;
