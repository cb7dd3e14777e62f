#include "reports/minor_loss_list_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

TQRMinorLossList::TQRMinorLossList(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRMinorLossList"));
    SetCaption(QStringLiteral("Minor Loss List"));
    Report& r = QRepMinorLossList;
    r.ReportTitle = QStringLiteral("List of Minor Loss Items");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->MinorLossTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    std::vector<reports::ListColumn> columns = {
        {"QRDBText1", "Minor Loss Item Description", "Loss Item Description", 0.0, 2.1},
    };
    static const char* const kNames[] = {"QRDBText2", "QRDBText3", "QRDBText4", "QRDBText5", "QRDBText6",
                                         "QRDBText7", "QRDBText8", "QRDBText9", "QRDBText10"};
    static const char* const kFields[] = {"K2", "K3", "K4", "K5", "K6", "K7", "K8", "K10", "K12"};
    for (int i = 0; i < 9; ++i)
        columns.push_back({kNames[i], kFields[i], kFields[i], 2.1 + i * 0.48, 0.48, "", true});
    columns.push_back({"QRDBText11", "Type Flag", "KFlag", 6.45, 1.05});
    reports::AddListHeader(r, QStringLiteral("Mersol, Minor Loss Database"), columns);
    reports::AddListDetail(r, columns);
    reports::AddListSummary(r, QStringLiteral("Total number of loss items:"), 2.1);
    reports::AddListFooter(r);
}

void PreviewMinorLossList(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRMinorLossList, owner);
    report::Preview(QRMinorLossList->QRepMinorLossList, owner);
}
