#include "reports/manifold_detail_report.h"

#include "model/data_module.h"
#include "platform/report/format.h"
#include "reports/manifold_report_lines.h"
#include "platform/report/controls.h"
#include "reports/report_forms.h"

using namespace report;
using reports::ReportFont;

TQRManifDetail::TQRManifDetail(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRManifDetail"));
    SetCaption(QStringLiteral("QRManifDetail"));
    Report& r = QuickRepManifold;
    r.ReportTitle = QStringLiteral("Detailed Manifold Pipeline Hydraulic Report");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkTrickleTable;
    r.PrintIfEmpty = false;
    r.OnStartPage = [](Report&) { reports::ArrowCursor(); };
    db::Table* head = DMod->WorkPipeTable;

    double top = 0;
    Band* tb = reports::AddCommonTitleBand(r, head, QString(), {}, top);
    tb->BeforePrint = [this](Band& b, bool& p) { TitleBand1BeforePrint(b, p); };
    tb->AddLabel(QStringLiteral("GenLbl"), QStringLiteral("MANIFOLD GENERAL HYDRAULIC DATA"), 0, top, 4)->Font =
        ReportFont(10, true);
    top += 0.22;
    const QFont f = ReportFont(9);
    auto line = [&](const char* cap, const char* text, report::Control* value) {
        tb->AddLabel(QString::fromLatin1(cap), QString::fromLatin1(text), 0.3, top, 3.8)->Font = f;
        value->Rect = QRectF(4.2, top, 1.2, 0);
        value->Font = f;
        top += 0.18;
    };
    auto head_ = [&](const char* name, const char* field, const char* m = "") -> report::Control* {
        return tb->AddDBText(QString::fromLatin1(name), head, QString::fromLatin1(field), 0, 0, 0,
                             QString::fromLatin1(m));
    };
    line("EntPsiCap", "Pressure Required at Manifold Entrance    (psi)  =",
         head_("QRDBEntPsi", "TriclEntPsi", reports::mask::Pressure));
    line("EntQCap", "Flow Rate Required at Manifold Entrance (gpm) = ",
         head_("QRDBEntQ", "TriclEntQ", reports::mask::Flow));
    line("LPsiCap", "Minimum Required Manifold Pressure (psi) = ", head_("QRDBLPsi", "TriclLPsi"));
    line("TotCap", "Total Friction and Minor Losses                (feet)  =",
         tb->AddLabel(QStringLiteral("TriclTotLbl"), QString(), 0, 0));
    line("FricMethodCap", "Friction Calculation Method                               =",
         tb->AddDBText(QStringLiteral("QRDBTextFricMethod"), DMod->WorkTrickleTable, QStringLiteral("CalcMethod"), 0,
                       0));
    tb->FindControl(QStringLiteral("QRDBTextFricMethod"))->Rect.setWidth(3.3);
    tb->Height = std::max(tb->Height, top + 0.1);

    reports::AddManifoldColumnHeads(r.AddBand(BandType::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 0.7));
    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 1.3);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBand1BeforePrint(b, p); };
    reachEnd_ = reports::AddManifoldNodeLines(db, QStringLiteral("feet"));
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifDetail::FormShow()
{
    reports::ArrowCursor();
}

void TQRManifDetail::TitleBand1BeforePrint(Band&, bool&)
{
    reports::SetCaption(QuickRepManifold, QStringLiteral("TriclTotLbl"),
                        FormatMask(DMod->WorkPipeTableTriclTotFric->AsFloat(),
                                   QString::fromLatin1(reports::mask::Head)));
    // The nodes always start from the first one.
    DMod->WorkTrickleTable->First();
}

void TQRManifDetail::DetailBand1BeforePrint(Band& band, bool&)
{
    reports::ShowManifoldReachLines(QuickRepManifold, band, reachEnd_, {});
}
