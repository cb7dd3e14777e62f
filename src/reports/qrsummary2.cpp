#include "reports/qrsummary2.h"

#include "model/dmod1.h"
#include "model/tulclass.h"
#include "reports/qrgated1.h"
#include "reports/qrmanifendsummary2.h"
#include "reports/qrpump1.h"
#include "reports/reportforms.h"

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
