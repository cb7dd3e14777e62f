#pragma once
// The pumping energy cost: a section of the cost report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPumpCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPumpCost(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRPumpCost"));
        SetCaption(QStringLiteral("QRPumpCost"));
        QuickRepPumpCost.DataSet = DMod->WorkPipeTable;
    }

    report::Report QuickRepPumpCost{QStringLiteral("QuickRepPumpCost")};
};

inline TQRPumpCost* QRPumpCost = nullptr;
