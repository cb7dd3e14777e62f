#include "reports/suction_cost_report.h"

#include "model/data_module.h"
#include "platform/db/db.h"
#include "platform/report/format.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;

TQRSuctionCost::TQRSuctionCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRSuctionCost"));
    SetCaption(QStringLiteral("QRSuctionCost"));
    Report& r = QuickRepSuctionCost;
    r.Title = QStringLiteral("Suction Pipe Cost");
    r.DataSet = DMod->WorkSuctionTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepSuctionCostBeforePrint(rep); };

    // In the columns of the main cost table, under its headings.
    Band* t = r.AddBand(BandType::Title, QStringLiteral("TitleBandSuction"), 0.42);
    t->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Suction Pipe"), 0, 0.02, 1.2)->Font = ReportFont(10, true);
    t->Height = reports::AddCostHeadings(t, 0.24, QStringLiteral("Segment"));
    reports::CostLineNames names;
    names.station = "QRDBSeg";
    names.stationField = "SegmentNo";
    names.lengthField = "PipeLength";
    names.lengthMask = "";   // as entered
    names.costFt = "QRCostFt";
    Band* d = reports::AddCostLine(r, QStringLiteral("DetailBandSuction"), DMod->WorkSuctionTable, names);
    d->BeforePrint = [this](Band& b, bool& p) { DetailBandSuctionBeforePrint(b, p); };
    LabelOf(r, "CoverLbl")->Caption = QStringLiteral("NA");   // a suction pipe lies in no trench
    Band* s = reports::AddCostTotal(r, QStringLiteral("Total cost suction line pipe installation  $"));
    s->BeforePrint = [this](Band& b, bool& p) { SummaryBand1BeforePrint(b, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

// Every generation (the preview, and again a print from it) sums afresh.
void TQRSuctionCost::QuickRepSuctionCostBeforePrint(Report&)
{
    CostTotal = 0.0;
}

void TQRSuctionCost::DetailBandSuctionBeforePrint(Band&, bool&)
{
    const Report& r = QuickRepSuctionCost;
    db::Table* suction = DMod->WorkSuctionTable;
    const double cost = suction->FieldByName(QStringLiteral("RchCost"))->AsFloat();
    LabelOf(r, "QRCostFt")->Caption =
        FormatMask(suction->FieldByName(QStringLiteral("CostFt"))->AsFloat(), QStringLiteral("##0.00"));
    LabelOf(r, "QRRchCst")->Caption = FormatMask(cost, QStringLiteral("###,##0"));
    CostTotal += cost;
}

void TQRSuctionCost::SummaryBand1BeforePrint(Band&, bool&)
{
    LabelOf(QuickRepSuctionCost, "CostTotLbl")->Caption = FormatMask(CostTotal, QStringLiteral("###,##0"));
}
