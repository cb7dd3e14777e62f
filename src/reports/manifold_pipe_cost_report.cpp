#include "reports/manifold_pipe_cost_report.h"

#include "model/data_module.h"
#include "platform/report/format.h"
#include "reports/manifold_report_lines.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifSCost::TQRManifSCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifSCost"));
    SetCaption(QStringLiteral("QRManifSCost"));
    Report& r = QuickRepCostMan;
    r.ReportTitle = QStringLiteral("Manifold Pipe Cost Estimate");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkTrickleTable;
    r.PrintIfEmpty = true;
    r.BeforePrint = [this](Report& rep) { QuickRepCostManBeforePrint(rep); };
    r.OnStartPage = [](Report&) { reports::ArrowCursor(); };

    double top = 0;
    reports::TitleBandNames names;
    names.band = "TitleBandMain";
    names.jobClassCaption = "JobClass:";
    Band* tb = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QString(), names, top);
    const std::tuple<const char*, const char*, double, double> heads[] = {
        {"StaHead", "Station", 0, 0.9},
        {"LenHead", "Dn Strm Length       (ft)", 0.95, 0.8},
        {"FtHead", "Cost per foot    ($)", 2.7, 0.8},
        {"RchHead", "Reach Cost      ($)", 3.6, 0.9},
        {"DescHead", "Pipe Description", 4.6, 2.9},
    };
    // Boxed, the headings kept clear of the frame.
    for (const auto& [name, text, left, width] : heads)
        tb->AddMemo(QString::fromLatin1(name), QRectF(left + 0.05, top + 0.04, width - 0.05, 0.4),
                    QString::fromLatin1(text))->Font = ReportFont(8, true);
    tb->AddShape(QStringLiteral("HeadBox"), ShapeKind::Rectangle, QRectF(0.01, top, 7.48, 0.48));
    tb->Height = std::max(tb->Height, top + 0.54);

    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBandMain"), 0.2);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBandMainBeforePrint(b, p); };
    reports::AddManifoldCostCells(db, "QRDBLen", "QRDBDesc");

    Band* sb = r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.35);
    sb->BeforePrint = [this](Band& b, bool& p) { SummaryBand1BeforePrint(b, p); };
    sb->AddShape(QStringLiteral("QRShape1"), ShapeKind::HorzLine, QRectF(0, 0.02, 7.5, 0.02));
    sb->AddLabel(QStringLiteral("TotCapLbl"), QStringLiteral("Total cost pipe installation     $"), 0.5, 0.1, 3.0)
        ->Font = ReportFont(9, true);
    sb->AddLabel(QStringLiteral("CostTotLbl"), QString(), 3.6, 0.1, 0.9, Qt::AlignRight)->Font = ReportFont(9, true);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifSCost::FormShow()
{
    reports::ArrowCursor();
}

void TQRManifSCost::FormActivate()
{
    total_ = 0.0;
}

void TQRManifSCost::QuickRepCostManBeforePrint(Report&)
{
    total_ = 0.0;
}

void TQRManifSCost::DetailBandMainBeforePrint(Band&, bool&)
{
    reports::PrintManifoldCostRow(QuickRepCostMan, {"QRDBLen", "QRFtCst", "QRRchCst", "QRDBDesc"}, total_);
}

void TQRManifSCost::SummaryBand1BeforePrint(Band&, bool&)
{
    reports::PrintManifoldCostTotal(QuickRepCostMan, total_);
}
