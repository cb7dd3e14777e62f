#include "reports/pipe_list_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

TQRPipeList::TQRPipeList(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRPipeList"));
    SetCaption(QStringLiteral("List of available pipe data"));
    Report& r = QRepPipeList;
    r.ReportTitle = QStringLiteral("List of Available Pipe Data");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->PipeTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QRepPipeListStartPage(rep); };
    const std::vector<reports::ListColumn> columns = {
        {"QRDBText1", "Pipe description", "Pipe Description", 0.0, 3.6},
        {"QRDBText2", "Pressure Rating (psi)", "Press Rtng (psi)", 3.6, 1.3, "", true},
        {"QRDBText3", "Inside Dia.(in)", "ID (in)", 4.9, 1.2, "", true},
        {"QRDBText4", "Wall thickness (in)", "Wall Thick (in)", 6.1, 1.4, "", true},
    };
    reports::AddListHeader(r, QStringLiteral("Mersol, Pipe Database"), columns);
    reports::AddListDetail(r, columns);
    reports::AddListSummary(r, QStringLiteral("Total number of pipes:"), 1.6);
    reports::AddListFooter(r);
}

void TQRPipeList::FormShow()
{
    reports::ArrowCursor();
}

void TQRPipeList::QRepPipeListStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRPipeList::FormActivate()
{
    if (!DMod->PipeTable->Active())
        DMod->PipeTable->Open();
}

void TQRPipeList::FormClose()
{
    DMod->PipeTable->Close();
}

void PreviewPipeList(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRPipeList, owner);
    report::Preview(QRPipeList->QRepPipeList, owner);
}
