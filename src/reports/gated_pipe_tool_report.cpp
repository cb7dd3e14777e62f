#include "reports/gated_pipe_tool_report.h"

#include "model/data_module.h"
#include "reports/gated_pipe_report.h"
#include "reports/report_forms.h"

using namespace report;

TQRGatedTool::TQRGatedTool(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRGatedTool"));
    SetCaption(QStringLiteral("QRGatedTool"));
    Report& r = QuickRepGatedTool;
    r.ReportTitle = QStringLiteral("Gated Pipe Tool Details");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkGatedTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    double top = 0;
    Band* b = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QString(), {}, top);
    Label* title = b->AddLabel(QStringLiteral("DetailsCap"), QStringLiteral("Gated Pipe Details"), 0, top, 0,
                               Qt::AlignHCenter);
    title->Font = reports::ReportFont(12, true);
    Label* sub = b->AddLabel(QStringLiteral("OpenSegCap"),
                             QStringLiteral("(Data is for when gates are open in one segment at a time)"), 0,
                             top + 0.25, 0, Qt::AlignHCenter);
    sub->Font = reports::ReportFont(9);
    reports::AddGatedDetails(*b, top + 0.5, true);
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRGatedTool::FormShow()
{
    if (!DMod->WorkGatedTable->Active()) DMod->WorkGatedTable->Open();
}

void TQRGatedTool::TitleBand1BeforePrint(Band&, bool&)
{
    reports::PrepareGatedDetails(QuickRepGatedTool, reports::GatedStaticPressuresPrint(true));
}
