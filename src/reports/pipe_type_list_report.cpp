#include "reports/pipe_type_list_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

TQRPipeTypeList::TQRPipeTypeList(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRPipeTypeList"));
    SetCaption(QStringLiteral("Pipe Type List"));
    Report& r = QRepPipeTypeList;
    r.ReportTitle = QStringLiteral("List of Pipe Types");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->TypeTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QRepPipeTypeListStartPage(rep); };
    const std::vector<reports::ListColumn> columns = {
        {"QRDBText1", "Pipe Type Description", "PipeType", 0.0, 2.6},
        {"QRDBText2", "C factor", "Cfactor", 2.6, 0.7, "", true},
        {"QRDBText3", "e factor", "Efactor", 3.3, 0.85, "", true},
        {"QRDBText4", "N factor", "Nfactor", 4.15, 0.7, "", true},
        {"QRDBText5", "E Modulus", "EModulus", 4.85, 0.95, "", true},
        {"QRDBText6", "Wt per cu in", "WtPerCuIn", 5.8, 0.85, "", true},
        {"QRDBText7", "Cost/Pound", "CostPerPound", 6.65, 0.85, "###.##", true},
    };
    reports::AddListHeader(r, QStringLiteral("Mersol, Pipe Database"), columns);
    reports::AddListDetail(r, columns);
    reports::AddListSummary(r, QStringLiteral("Total number of pipe types:"), 2.1);
    reports::AddListFooter(r);
}

void TQRPipeTypeList::FormShow()
{
    reports::ArrowCursor();
}

void TQRPipeTypeList::QRepPipeTypeListStartPage(Report&)
{
    reports::ArrowCursor();
}

void PreviewPipeTypeList(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRPipeTypeList, owner);
    report::Preview(QRPipeTypeList->QRepPipeTypeList, owner);
}
