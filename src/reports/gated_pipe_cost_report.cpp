#include "reports/gated_pipe_cost_report.h"

#include "model/data_module.h"
#include "platform/report/format.h"
#include "reports/report_forms.h"

using namespace report;

namespace reports {

QString GatedCostPerFootText() { return FormatMask(DMod->WorkGatedTableCostFt->AsFloat(), QStringLiteral("##0.00")); }
QString GatedReachCostText() { return FormatMask(DMod->WorkGatedTableRchCost->AsFloat(), QStringLiteral("###,##0")); }

} // namespace reports

TQRGatedCost::TQRGatedCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRGatedCost"));
    SetCaption(QStringLiteral("QRGatedCost"));
    Report& r = QuickRepGatedCost;
    r.ReportTitle = QStringLiteral("Gated Pipe Cost");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkGatedTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    // One line in the columns of the main cost table, under its headings.
    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 1.0);
    Label* title = b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Gated Pipe"), 0, 0, 0);
    title->Font = reports::ReportFont(11, true);
    double y = reports::AddCostHeadings(b, 0.26, QString());
    reports::CostLineNames names;
    names.station = nullptr;
    names.length = "RchLen";
    names.pipe = "PipeDescription";
    names.pipeField = "PipeDescription";
    names.costFt = "CostFt";
    names.reachCost = "RchCost";
    reports::AddCostCells(b, y + 0.02, DMod->WorkGatedTable, names);
    reports::LabelOf(r, QStringLiteral("CoverLbl"))->Caption = QStringLiteral("NA");   // gated pipe lies on the ground
    b->Height = reports::AddCostTotalLine(b, y + 0.26, QStringLiteral("Total cost gated pipe installation           $"));
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRGatedCost::TitleBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepGatedCost;
    reports::SetCaption(r, QStringLiteral("CostFt"), reports::GatedCostPerFootText());
    reports::SetCaption(r, QStringLiteral("RchCost"), reports::GatedReachCostText());
    reports::SetCaption(r, QStringLiteral("CostTotLbl"), reports::GatedReachCostText());
}
