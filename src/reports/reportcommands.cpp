#include "reports/reportcommands.h"

#include "model/dmod1.h"
#include "model/tulclass.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "reports/qrdetail1.h"
#include "reports/qrgated1.h"
#include "reports/qrmanifenddetail3.h"
#include "reports/qrmanifendsummary2.h"
#include "reports/qroutgraph1.h"
#include "reports/qrpump1.h"
#include "reports/qrsummary2.h"
#include "reports/reportforms.h"

namespace {

// A pumped job, or a gravity job with an in-line booster, has a pump section.
bool HasPumpSection()
{
    return Tul->SysTypeCode == 2 || (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8);
}

} // namespace

void QRDetailedCommand(QWidget* owner)
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    reports::OpenedForms forms;
    if (Tul->SysHas == 2)
        forms.Create(QRManifEndDetail, owner);
    if (Tul->SysHas == 1) {
        if (!DMod->WorkGatedTable->Active())
            DMod->WorkGatedTable->Open();
        forms.Create(QRGated, owner);
    }
    if (HasPumpSection())
        forms.Create(QRPump, owner);
    forms.Create(QRDetail, owner);
    report::Preview(QRDetail->QRCompositeReport1, owner);
}

void QRSummaryCommand(QWidget* owner)
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    reports::OpenedForms forms;
    if (Tul->SysHas == 2)
        forms.Create(QRManifEndSummary, owner);
    if (Tul->SysHas == 1)
        forms.Create(QRGated, owner);
    if (HasPumpSection())
        forms.Create(QRPump, owner);
    forms.Create(QRSummary, owner);
    report::Preview(QRSummary->QRCompositeReport1, owner);
}

void QRGraphCommand(QWidget* owner)
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    reports::OpenedForms forms;
    forms.Create(QROutGraph, owner);
    report::Preview(QROutGraph->QuickRepOutGraph, owner);
}
