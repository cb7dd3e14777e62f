#include "reports/cost_report.h"

#include "model/data_module.h"
#include "model/job.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/manifold_cost_report.h"
#include "reports/pumping_energy_report.h"
#include "reports/suction_cost_report.h"
#include "reports/report_forms.h"

using namespace report;

TQRCost::TQRCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRCost"));
    SetCaption(QStringLiteral("Pipeline Cost Estimate "));
    Report& r = QuickRepCost;
    r.ReportTitle = QStringLiteral("Pipeline Cost Estimate");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkProfTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepCostStartPage(rep); };
    reports::TitleBandNames names;
    names.band = "TitleBandMain";
    names.notes = "";
    names.jobClassCaption = "JobClass:";
    double top = 0;
    reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QStringLiteral("Main Pipeline "), names, top);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
    QRCompositeReport3.Title = r.ReportTitle;
    QRCompositeReport3.OnAddReports = [this](CompositeReport& c) { QRCompositeReport3AddReports(c); };
}

void TQRCost::FormShow()
{
    reports::ArrowCursor();
}

void TQRCost::QuickRepCostStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRCost::QRCompositeReport3AddReports(CompositeReport& c)
{
    c.Add(&QuickRepCost);
    // The sections exist when their opener made them under the same tests.
    if (Tul->SysHas == 1 && QRGatedCost)
        c.Add(&QRGatedCost->QuickRepGatedCost);
    if (Tul->SysHas == 2 && QRManifCost)
        c.Add(&QRManifCost->QuickRepTrickleCost);
    if (Tul->SysTypeCode == 2) {
        if (Tul->PumpTypeCode == 1 && QRSuctionCost) {
            if (!DMod->WorkSuctionTable->Active())
                DMod->WorkSuctionTable->Open();
            c.Add(&QRSuctionCost->QuickRepSuctionCost);
        }
        if (QRPumpCost)
            c.Add(&QRPumpCost->QuickRepPumpCost);
    }
    if (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8 && QRPumpCost)
        c.Add(&QRPumpCost->QuickRepPumpCost);
}
