#include "reports/manifold_end_summary_report.h"

#include "model/data_module.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifEndSummary::TQRManifEndSummary(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifEndSummary"));
    SetCaption(QStringLiteral("QRManifEndSummary"));
    Report& r = QuickRepManifEndSummary;
    r.DataSet = DMod->WorkTrickleTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;

    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBand2"), 0.3);
    tb->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Manifold Pipeline"), 0, 0.05, 3)->Font =
        ReportFont(10, true);

    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBand2"), 0.2);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBand2BeforePrint(b, p); };
    db::Table* t = DMod->WorkTrickleTable;
    const QFont f = ReportFont(9);
    const std::tuple<const char*, const char*, const char*, double, double> cells[] = {
        {"PsQRDBText1", "TSta", "", 0.0, 0.8},
        {"PsQRDBText2", "InvertElev", "###0.0", 0.85, 0.7},
        {"QRDBText9", "Psi", "##0.0", 1.6, 0.6},
        {"PipeQ", "PipeQ", "####0", 2.25, 0.6},
        {"Vel", "Vel", "##0.0", 2.9, 0.5},
        {"RchLen", "RchLen", "#####0", 3.45, 0.6},
    };
    for (const auto& [name, field, mask, left, width] : cells)
        db->AddDBText(QString::fromLatin1(name), t, QString::fromLatin1(field), left, 0, width,
                      QString::fromLatin1(mask), Qt::AlignRight)->Font = f;
    db->AddDBText(QStringLiteral("PipeDesc"), t, QStringLiteral("DownStreamPipeDescription"), 4.15, 0, 3.35)->Font = f;
    r.AddBand(BandType::Summary, QStringLiteral("SummaryBand2"), 0.05);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifEndSummary::DetailBand2BeforePrint(Band&, bool&)
{
    reports::SetEnabled(QuickRepManifEndSummary, {"PipeQ", "Vel", "RchLen", "PipeDesc"},
                        DMod->WorkTrickleTableRchLen->AsFloat() > 0);
}
