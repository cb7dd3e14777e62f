#pragma once
// The pump of a pumped job or an in-line booster, and a centrifugal pump's
// suction line: sections of the detailed and summary reports.
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/report/report.h"
#include "platform/ui/form.h"

#include <QString>

class TQRPump : public ui::Form {
    Q_OBJECT
public:
    explicit TQRPump(QWidget* owner);

    report::Report QuickRepPump{QStringLiteral("QuickRepPump")};
    report::Report QuickRepSuction{QStringLiteral("QuickRepSuction")};

    // Per run of the suction report.
    double CumulativeLoss = 0.0;   // ft, minor and friction losses of the segments printed so far
    QString SlotText[3];           // diameter texts of the minor-loss slots of the segment
    int PrevDiameter = 0;          // in, whole inches of the last segment with a first loss slot

    void TitleBand1BeforePrint(report::Band& band, bool& printBand);
    void QuickRepSuctionBeforePrint(report::Report& r);
    void DetailBand1BeforePrint(report::Band& band, bool& printBand);
    void FormShow() override;

private:
    void buildPump();
    void buildSuction();
};

inline TQRPump* QRPump = nullptr;

// Chains the pump sections of the detailed and summary composites: the pump
// of a pumped job with a centrifugal pump's suction line after it, or the
// in-line booster of a gravity job. QRPump exists when one of them applies.
// The gravity designer has no pumps: its composites never show one.
inline void ChainPumpSections(report::CompositeReport& c)
{
    if (!QRPump || GravityDesignerRunning())
        return;
    if (Tul->SysTypeCode == 2) {
        c.Add(&QRPump->QuickRepPump);
        if (Tul->PumpTypeCode == 1)
            c.Add(&QRPump->QuickRepSuction);
    }
    if (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8)
        c.Add(&QRPump->QuickRepPump);
}
