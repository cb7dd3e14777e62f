#include "reports/reportcommands.h"

#include "engine/costest1.h"
#include "model/dmod1.h"
#include "model/tulclass.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "dialogs/database/unitcostinfrm2.h"
#include "platform/ui/seam/msg.h"
#include "reports/qrcost1.h"
#include "reports/qrdetail1.h"
#include "reports/qrgatedcost1.h"
#include "reports/qrgated1.h"
#include "reports/qrmanifenddetail3.h"
#include "reports/qrmanifendsummary2.h"
#include "reports/qrmqanifcost1.h"
#include "reports/qroutgraph1.h"
#include "reports/qrpump1.h"
#include "reports/qrpumpcost1.h"
#include "reports/qrsuctioncost1.h"
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

void QRCostCommand(QWidget* owner)
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    if (ui::MessageDlg(QStringLiteral("Do you want to view or edit unit costs?"), ui::MsgType::Confirmation,
                       ui::mbYesNo) == ui::mrYes) {
        reports::OpenedForms editor;
        editor.Create(UnitCostInFrm, owner)->ShowModal();
    }
    // The cost report reads what the estimate writes.
    CreateCostObject();
    Cost->EstimateJobCost();
    if (!DMod->UnitCostTable->Active())
        DMod->UnitCostTable->Open();
    if (!DMod->WorkPipeTable->Active())
        DMod->WorkPipeTable->Open();

    reports::OpenedForms forms;
    if (Tul->SysHas == 2)
        forms.Create(QRManifCost, owner);
    if (Tul->SysHas == 1)
        forms.Create(QRGatedCost, owner);
    if (Tul->SysTypeCode == 2) {
        if (Tul->PumpTypeCode == 1)
            forms.Create(QRSuctionCost, owner);
        forms.Create(QRPumpCost, owner);
    }
    if (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8)
        forms.Create(QRPumpCost, owner);
    forms.Create(QRCost, owner);
    report::Preview(QRCost->QRCompositeReport3, owner);
}

void QRGraphCommand(QWidget* owner)
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    reports::OpenedForms forms;
    forms.Create(QROutGraph, owner);
    report::Preview(QROutGraph->QuickRepOutGraph, owner);
}
