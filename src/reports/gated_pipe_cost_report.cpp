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
    db::Table* g = DMod->WorkGatedTable;
    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 1.0);
    const QFont f = reports::ReportFont(9);
    Label* title = b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Gated Pipe"), 0, 0, 0);
    title->Font = reports::ReportFont(11, true);
    const double y = 0.3;
    DBText* len = b->AddDBText(QStringLiteral("RchLen"), g, QStringLiteral("RchLen"), 0, y, 0.8, QStringLiteral("###,##0"),
                               Qt::AlignRight);
    len->Font = f;
    Label* cover = b->AddLabel(QStringLiteral("CoverLbl"), QStringLiteral("NA"), 1.0, y, 0.6, Qt::AlignRight);
    cover->Font = f;
    Label* perFoot = b->AddLabel(QStringLiteral("CostFt"), QString(), 1.8, y, 0.8, Qt::AlignRight);
    perFoot->Font = f;
    Label* cost = b->AddLabel(QStringLiteral("RchCost"), QString(), 2.8, y, 0.9, Qt::AlignRight);
    cost->Font = f;
    DBText* desc = b->AddDBText(QStringLiteral("PipeDescription"), g, QStringLiteral("PipeDescription"), 3.9, y, 3.6);
    desc->Font = f;
    Shape* rule = b->AddShape(QStringLiteral("QRShape1"), ShapeKind::HorzLine, QRectF(0, y + 0.22, 7.5, 0.02));
    rule->PenWidth = 0.75;
    Label* total = b->AddLabel(QStringLiteral("TotalCap"), QStringLiteral("Total cost gated pipe installation           $"),
                               0, y + 0.3, 3.0);
    total->Font = reports::ReportFont(9, true);
    Label* totalValue = b->AddLabel(QStringLiteral("CostTotLbl"), QString(), 2.8, y + 0.3, 0.9, Qt::AlignRight);
    totalValue->Font = reports::ReportFont(9, true);
    b->Height = y + 0.55;
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
}

void TQRGatedCost::TitleBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepGatedCost;
    reports::SetCaption(r, QStringLiteral("CostFt"), reports::GatedCostPerFootText());
    reports::SetCaption(r, QStringLiteral("RchCost"), reports::GatedReachCostText());
    reports::SetCaption(r, QStringLiteral("CostTotLbl"), reports::GatedReachCostText());
}
