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
    r.Page = PageSetup::Custom(8.5, 6.0);
    r.BeforePrint = [this](Report& rep) { QuickRepTrickleCostBeforePrint(rep); };

    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBandManifold"), 0.45);
    tb->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Manifold Pipe"), 0, 0.02, 3)->Font = ReportFont(10, true);
    tb->AddLabel(QStringLiteral("QRLabel2"), QStringLiteral("Station"), 0, 0.24, 0.9)->Font = ReportFont(9, true);

    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBandManifold"), 0.2);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBandManifoldBeforePrint(b, p); };
    reports::AddManifoldCostCells(db, "RchLenDBT", "PipeDescrip");
    db->AddLabel(QStringLiteral("CoverLbl"), QStringLiteral("0"), 1.8, 0, 0.8, Qt::AlignRight)->Font = ReportFont(9);

    Band* sb = r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.35);
    sb->BeforePrint = [this](Band& b, bool& p) { SummaryBand1BeforePrint(b, p); };
    sb->AddShape(QStringLiteral("QRShape1"), ShapeKind::HorzLine, QRectF(0, 0.02, 7.5, 0.02));
    sb->AddLabel(QStringLiteral("TotCapLbl"), QStringLiteral("Total cost manifold pipe installation       $"), 0.5,
                 0.1, 3.0)->Font = ReportFont(9, true);
    sb->AddLabel(QStringLiteral("CostTotLbl"), QString(), 3.6, 0.1, 0.9, Qt::AlignRight)->Font = ReportFont(9, true);
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
