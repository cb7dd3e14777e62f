#pragma once
// The cost of a centrifugal pump's suction line: a section of the cost report.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRSuctionCost : public ui::Form {
    Q_OBJECT
public:
    explicit TQRSuctionCost(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRSuctionCost"));
        SetCaption(QStringLiteral("QRSuctionCost"));
        QuickRepSuctionCost.DataSet = DMod->WorkSuctionTable;
    }

    report::Report QuickRepSuctionCost{QStringLiteral("QuickRepSuctionCost")};
};

inline TQRSuctionCost* QRSuctionCost = nullptr;
