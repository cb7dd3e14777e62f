#include "reports/gated_pipe_cost_tool_report.h"

#include "model/data_module.h"
#include "reports/gated_pipe_cost_report.h"
#include "reports/report_forms.h"

using namespace report;

TQRGatedCostTool::TQRGatedCostTool(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRGatedCostTool"));
    SetCaption(QStringLiteral("QRGatedCostTool"));
    Report& r = QuickRepGatedCostTool;
    r.ReportTitle = QStringLiteral("Gated Pipe Cost (Tool)");
    r.Title = r.ReportTitle;
    // No data set: the title band prints once.
    reports::TitleBandNames names;
    names.jobClass = "";
    names.notes = "";
    double top = 0;
    Band* b = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QString(), names, top);
    b->AddLabel(QStringLiteral("DateCap"), QStringLiteral("Date:"), 5.8, 1.0, 0.5)->Font = reports::ReportFont(9, true);
    db::Table* g = DMod->WorkGatedTable;
    const QFont f = reports::ReportFont(9);
    double y = top + 0.1;
    auto line = [&](const char* capName, const char* caption, report::Control* value) {
        b->AddLabel(QString::fromLatin1(capName), QString::fromLatin1(caption), 0, y, 3.0)->Font = f;
        value->Rect = QRectF(3.05, y, 3.5, 0.17);
        value->Font = f;
        y += 0.2;
    };
    line("PipeDescCap", "Pipe Description                           =",
         b->AddDBText(QStringLiteral("PipeDescription"), g, QStringLiteral("PipeDescription"), 0, 0));
    line("RchLenCap", "Length of gated pipeline                =",
         b->AddDBText(QStringLiteral("RchLen"), g, QStringLiteral("RchLen"), 0, 0, 0, QStringLiteral("###,##0")));
    line("CostFtCap", "Cost per foot                                  $", b->AddLabel(QStringLiteral("CostFt"), QString(), 0, 0));
    line("TotalCap", "Total cost gated pipe installation     $", b->AddLabel(QStringLiteral("CostTotLbl"), QString(), 0, 0));
    b->Height = y + 0.1;
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRGatedCostTool::TitleBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepGatedCostTool;
    reports::SetCaption(r, QStringLiteral("CostFt"), reports::GatedCostPerFootText());
    reports::SetCaption(r, QStringLiteral("CostTotLbl"), reports::GatedReachCostText());
}
