#include "reports/summary_report.h"

#include "model/data_module.h"
#include "model/job.h"
#include "reports/gated_pipe_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/pump_report.h"
#include "reports/report_forms.h"

using namespace report;

TQRSummary::TQRSummary(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRSummary"));
    SetCaption(QStringLiteral("QRSummary"));
    Report& r = QuickRepSummary;
    r.ReportTitle = QStringLiteral("Summary Hydraulic Report");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkProfTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepSummaryStartPage(rep); };
    double top = 0;
    reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QStringLiteral("Main Pipeline"), {}, top);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
    QRCompositeReport1.Title = r.ReportTitle;
    QRCompositeReport1.OnAddReports = [this](CompositeReport& c) { QRCompositeReport1AddReports(c); };
}

void TQRSummary::FormShow()
{
    reports::ArrowCursor();
}

void TQRSummary::QuickRepSummaryStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRSummary::QRCompositeReport1AddReports(CompositeReport& c)
{
    if (!DMod->WorkPipeTable->Active())
        DMod->WorkPipeTable->Open();
    c.Add(&QuickRepSummary);
    // The sections exist when their opener made them under the same tests.
    if (Tul->SysHas == 1 && QRGated)
        c.Add(&QRGated->QuickRepGated);
    if (Tul->SysHas == 2 && QRManifEndSummary)
        c.Add(&QRManifEndSummary->QuickRepManifEndSummary);
    ChainPumpSections(c);
}
