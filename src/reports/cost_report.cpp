#include "reports/cost_report.h"

#include "model/data_module.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/db/db.h"
#include "platform/report/format.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/manifold_cost_report.h"
#include "reports/pumping_energy_report.h"
#include "reports/suction_cost_report.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;

namespace {

db::Field* Prof(const char* name)
{
    return DMod->WorkProfTable->FieldByName(QString::fromLatin1(name));
}

void OpenIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

} // namespace

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
    r.BeforePrint = [this](Report& rep) { QuickRepCostBeforePrint(rep); };
    r.OnStartPage = [this](Report& rep) { QuickRepCostStartPage(rep); };
    reports::TitleBandNames names;
    names.band = "TitleBandMain";
    names.notes = "";
    names.jobClassCaption = "JobClass:";
    double top = 0;
    reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QStringLiteral("Main Pipeline "), names, top);

    // Station, length, pipe, cover, cost per foot, reach cost.
    Band* ch = r.AddBand(BandType::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 0.45);
    ch->Height = reports::AddCostHeadings(ch, 0.02, QStringLiteral("Station"));

    Band* d = reports::AddCostLine(r, QStringLiteral("DetailBandMain"), DMod->WorkProfTable, {});
    d->BeforePrint = [this](Band& b, bool& p) { DetailBandMainBeforePrint(b, p); };
    Band* s = reports::AddCostTotal(r, QStringLiteral("Total cost main line pipe installation     $"));
    s->BeforePrint = [this](Band& b, bool& p) { SummaryBand1BeforePrint(b, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
    QRCompositeReport3.Title = r.ReportTitle;
    QRCompositeReport3.OnAddReports = [this](CompositeReport& c) { QRCompositeReport3AddReports(c); };
}

void TQRCost::FormShow()
{
    OpenIfClosed(DMod->WorkPipeTable);
    OpenIfClosed(DMod->WorkProfTable);
    OpenIfClosed(DMod->WorkTrickleTable);
    CostTotal = 0.0;
    reports::ArrowCursor();
}

// Every generation (the preview, and again a print from it) sums afresh.
void TQRCost::QuickRepCostBeforePrint(Report&)
{
    CostTotal = 0.0;
}

void TQRCost::QuickRepCostStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRCost::DetailBandMainBeforePrint(Band&, bool&)
{
    const Report& r = QuickRepCost;
    const bool reach = Prof("RchLen")->AsFloat() > 0;
    reports::SetEnabled(r, {"CoverLbl", "QRDBLen", "QRFtCst", "QRRchCst", "QRDBDesc"}, reach);
    reports::SetEnabled(r, {"QRDBSta"}, true);
    if (!reach)
        return;
    const double cost = Prof("RchCost")->AsFloat();
    CostTotal += cost;
    LabelOf(r, "CoverLbl")->Caption =
        Prof("PipeDepth")->AsFloat() <= 0 ? QStringLiteral("0") : Prof("PipeDepth")->AsString();
    LabelOf(r, "QRFtCst")->Caption = FormatMask(Prof("CostFt")->AsFloat(), QStringLiteral("###,##0.00"));
    LabelOf(r, "QRRchCst")->Caption = FormatMask(cost, QStringLiteral("###,##0"));
}

void TQRCost::SummaryBand1BeforePrint(Band&, bool&)
{
    LabelOf(QuickRepCost, "CostTotLbl")->Caption = FormatMask(CostTotal, QStringLiteral("###,##0"));
}

void TQRCost::QRCompositeReport3AddReports(CompositeReport& c)
{
    c.Add(&QuickRepCost);
    // The sections exist when their opener made them under the same tests.
    if (Tul->SysHas == 1 && QRGatedCost)
        c.Add(&QRGatedCost->QuickRepGatedCost);
    if (Tul->SysHas == 2 && QRManifCost)
        c.Add(&QRManifCost->QuickRepTrickleCost);
    // The gravity designer has no pumps: neither energy nor suction costs.
    if (GravityDesignerRunning())
        return;
    if (Tul->SysTypeCode == 2) {
        if (Tul->PumpTypeCode == 1 && QRSuctionCost) {
            OpenIfClosed(DMod->WorkSuctionTable);
            c.Add(&QRSuctionCost->QuickRepSuctionCost);
        }
        if (QRPumpCost)
            c.Add(&QRPumpCost->QuickRepPumpCost);
    }
    if (Tul->SysTypeCode == 0 && Tul->PumpTypeCode == 8 && QRPumpCost)
        c.Add(&QRPumpCost->QuickRepPumpCost);
}
