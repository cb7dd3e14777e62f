#include "reports/manifold_cost_report.h"

#include "model/data_module.h"
#include "platform/report/format.h"
#include "reports/manifold_report_lines.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifCost::TQRManifCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifCost"));
    SetCaption(QStringLiteral("QRManifCost"));
    Report& r = QuickRepTrickleCost;
    r.DataSet = DMod->WorkTrickleTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepTrickleCostBeforePrint(rep); };

    // In the columns of the main cost table, under its headings.
    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBandManifold"), 0.45);
    tb->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Manifold Pipe"), 0, 0.02, 3)->Font = ReportFont(10, true);
    tb->Height = reports::AddCostHeadings(tb, 0.24, QStringLiteral("Station"));

    reports::CostLineNames names;
    names.station = "TSta";
    names.length = "RchLenDBT";
    names.pipe = "PipeDescrip";
    Band* db = reports::AddCostLine(r, QStringLiteral("DetailBandManifold"), DMod->WorkTrickleTable, names);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBandManifoldBeforePrint(b, p); };
    reports::LabelOf(r, QStringLiteral("CoverLbl"))->Caption = QStringLiteral("0");   // no cover is costed

    Band* sb = reports::AddCostTotal(r, QStringLiteral("Total cost manifold pipe installation       $"));
    sb->BeforePrint = [this](Band& b, bool& p) { SummaryBand1BeforePrint(b, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifCost::FormShow()
{
    reports::ArrowCursor();
    total_ = 0.0;
}

void TQRManifCost::FormActivate()
{
    total_ = 0.0;
}

void TQRManifCost::QuickRepTrickleCostBeforePrint(Report&)
{
    total_ = 0.0;
}

void TQRManifCost::DetailBandManifoldBeforePrint(Band&, bool&)
{
    reports::PrintManifoldCostRow(QuickRepTrickleCost,
                                  {"RchLenDBT", "CoverLbl", "QRFtCst", "QRRchCst", "PipeDescrip"}, total_);
}

void TQRManifCost::SummaryBand1BeforePrint(Band&, bool&)
{
    reports::PrintManifoldCostTotal(QuickRepTrickleCost, total_);
}
