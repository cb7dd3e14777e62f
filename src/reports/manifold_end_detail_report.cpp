#include "reports/manifold_end_detail_report.h"

#include "model/data_module.h"
#include "reports/manifold_report_lines.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifEndDetail::TQRManifEndDetail(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifEndDetail"));
    SetCaption(QStringLiteral("QRManifEndDetail"));
    Report& r = QuickRepEndManifold;
    r.ReportTitle = QStringLiteral("Manifold Pipeline Report");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkTrickleTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    db::Table* head = DMod->WorkPipeTable;

    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 1.5);
    tb->BeforePrint = [this](Band& b, bool& p) { TitleBand1BeforePrint(b, p); };
    tb->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Manifold Details"), 0, 0, 7.5, Qt::AlignHCenter)->Font =
        ReportFont(12, true);
    // The computed entrance values with their masks; the limits as entered.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> lines[] = {
        {"EntQLbl", "Flow Rate Required at Manifold Entrance (gpm) = ", "QRDBEntQ", "TriclEntQ", reports::mask::Flow},
        {"LPsiLbl", "Minimum Required Manifold Pressure (psi) = ", "QRDBLPsi", "TriclLPsi", ""},
        {"EntPsiLbl", "Pressure Required at Manifold Entrance    (psi)  =", "QRDBEntPsi", "TriclEntPsi",
         reports::mask::Pressure},
        {"TotFricLbl", "Total Friction Loss                                  (feet)  =", "QRDBTotFric", "TriclTotFric",
         reports::mask::Head},
        {"MVelLbl", "Set Maximum Velocity                  (ft/sec)  =", "QRDBMVel", "TriclMVel", ""},
        {"MFricLbl", "Set Max Friction Loss Per Segment   (feet) =", "QRDBMFric", "TriclMFric", ""},
    };
    double y = 0.3;
    for (const auto& [cap, text, value, field, m] : lines) {
        tb->AddLabel(QString::fromLatin1(cap), QString::fromLatin1(text), 0.5, y, 3.6)->Font = ReportFont(9);
        tb->AddDBText(QString::fromLatin1(value), head, QString::fromLatin1(field), 4.2, y, 1.0,
                      QString::fromLatin1(m))->Font = ReportFont(9);
        y += 0.19;
    }

    reports::AddManifoldColumnHeads(r.AddBand(BandType::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 0.7));

    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 1.6);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBand1BeforePrint(b, p); };
    reachEnd_ = reports::AddManifoldNodeLines(db, QStringLiteral("feet,"));
    db::Table* t = DMod->WorkTrickleTable;
    db->AddDBText(QStringLiteral("QRDBText2"), t, QStringLiteral("CalcMethod"), 0.6, reachEnd_, 6.9)->Font =
        ReportFont(8);
    // The node's warnings, as many lines as they take: the next node prints below them.
    Memo* warning = db->AddMemo(QStringLiteral("QRDBText3"), QRectF(0.6, reachEnd_ + 0.17, 6.9, 0.15));
    warning->DataSet = t;
    warning->DataField = QStringLiteral("Warning");
    warning->Font = ReportFont(8, true);
    warning->Stretch = true;
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifEndDetail::FormActivate()
{
    if (!DMod->WorkTrickleTable->Active())
        DMod->WorkTrickleTable->Open();
}

// The manifold details follow the main line's report on a page of their own.
void TQRManifEndDetail::TitleBand1BeforePrint(Band&, bool&)
{
    QuickRepEndManifold.NewPage();
}

void TQRManifEndDetail::DetailBand1BeforePrint(Band& band, bool&)
{
    reports::ShowManifoldReachLines(QuickRepEndManifold, band, reachEnd_, {"QRDBText2", "QRDBText3"});
}
