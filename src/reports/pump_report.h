#pragma once
// The pump of a pumped job or an in-line booster, and a centrifugal pump's
// suction line: sections of the detailed and summary reports.
// Its bands are not built yet: until they are it prints no page.
#include "model/data_module.h"
#include "model/job.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

class TQRPump : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPump(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("QRPump"));
        SetCaption(QStringLiteral("QRPump"));
        QuickRepPump.DataSet = DMod->WorkPipeTable;
        QuickRepSuction.DataSet = DMod->WorkSuctionTable;
    }

    report::Report QuickRepPump{QStringLiteral("QuickRepPump")};
    report::Report QuickRepSuction{QStringLiteral("QuickRepSuction")};
};

inline TQRPump* QRPump = nullptr;

// Chains the pump sections of the detailed and summary composites: the pump
// of a pumped job with a centrifugal pump's suction line after it, or the
// in-line booster of a gravity job. QRPump exists when one of them applies.
inline void ChainPumpSections(report::CompositeReport& c)
{
    if (!QRPump)
        return;
    if (Tul->SysTypeCode == 2) {
        c.Add(&QRPump->QuickRepPump);
        if (Tul->PumpTypeCode == 1)
            c.Add(&QRPump->QuickRepSuction);
    }
    if (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8)
        c.Add(&QRPump->QuickRepPump);
}
