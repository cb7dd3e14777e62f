#include "designer/report_commands.h"

#include "engine/cost_estimate.h"
#include "model/data_module.h"
#include "model/job.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "platform/ui/seam/msg.h"
#include "reports/cost_report.h"
#include "reports/detail_report.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/gated_pipe_report.h"
#include "reports/manifold_end_detail_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/manifold_cost_report.h"
#include "reports/profile_graph_report.h"
#include "reports/pump_report.h"
#include "reports/pumping_energy_report.h"
#include "reports/suction_cost_report.h"
#include "reports/summary_report.h"
#include "reports/report_forms.h"

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
