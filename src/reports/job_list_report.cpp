#include "reports/job_list_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

TQRJobList::TQRJobList(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRJobList"));
    SetCaption(QStringLiteral("QRJobList"));
    Report& r = QuickRepJobList;
    r.ReportTitle = QStringLiteral("List of Jobs");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->JobPipeTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepJobListStartPage(rep); };

    Band* head = r.AddBand(BandType::PageHeader, QStringLiteral("PageHeaderBand1"), 0.75);
    head->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Mersol"), 0, 0, 0, Qt::AlignHCenter)->Font =
        reports::ReportFont(16, true);
    head->AddSysData(QStringLiteral("QRSysData1"), SysDataKind::ReportTitle, 0, 0.32, 0, QString(), Qt::AlignHCenter)
        ->Font = reports::ReportFont(12, true);
    head->AddShape(QStringLiteral("HeaderRule"), ShapeKind::HorzLine, QRectF(0, 0.62, 7.5, 0.04))->PenWidth = 0.75;

    // A block per job: name and date, then where and by whom, then for whom.
    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 0.66);
    db::Table* t = DMod->JobPipeTable;
    const QFont f = reports::ReportFont(9);
    const QFont b = reports::ReportFont(9, true);
    d->AddLabel(QStringLiteral("QRLabel2"), QStringLiteral("Job Name:"), 0, 0.04, 0.8)->Font = b;
    d->AddDBText(QStringLiteral("QRDBText1"), t, QStringLiteral("JobName"), 0.8, 0.04, 4.2)->Font = b;
    d->AddLabel(QStringLiteral("QRLabel3"), QStringLiteral("Date:"), 5.3, 0.04, 0.45)->Font = b;
    d->AddDBText(QStringLiteral("QRDBText2"), t, QStringLiteral("Date"), 5.75, 0.04, 1.5)->Font = f;
    d->AddDBText(QStringLiteral("QRDBText3"), t, QStringLiteral("Location"), 0.8, 0.22, 3.6)->Font = f;
    d->AddDBText(QStringLiteral("QRDBText4"), t, QStringLiteral("Designer"), 4.5, 0.22, 3.0)->Font = f;
    d->AddDBText(QStringLiteral("QRDBText5"), t, QStringLiteral("Landuser"), 0.8, 0.40, 3.6)->Font = f;
    d->AddDBText(QStringLiteral("QRDBText6"), t, QStringLiteral("ID"), 4.5, 0.40, 3.0)->Font = f;
    d->AddShape(QStringLiteral("DetailRule"), ShapeKind::HorzLine, QRectF(0, 0.6, 7.5, 0.04))->PenWidth = 0.3;

    reports::AddListSummary(r, QStringLiteral("Total number of jobs:"), 1.6);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"), QStringLiteral("Page number:"),
                           QStringLiteral("Date printed:"));
}

void TQRJobList::FormShow()
{
    reports::ArrowCursor();
}

void TQRJobList::QuickRepJobListStartPage(Report&)
{
    reports::ArrowCursor();
}

void PreviewJobListReport(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRJobList, owner);
    report::Preview(QRJobList->QuickRepJobList, owner);
}
