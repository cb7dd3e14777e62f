#include "reports/summary_report.h"

#include "engine/pump_results.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/number_text.h"
#include "platform/db/db.h"
#include "reports/gated_pipe_report.h"
#include "reports/manifold_end_summary_report.h"
#include "reports/pump_report.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;

namespace {

db::Field* Prof(const char* name)
{
    return DMod->WorkProfTable->FieldByName(QString::fromLatin1(name));
}

} // namespace

TQRSummary::TQRSummary(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRSummary"));
    SetCaption(QStringLiteral("QRSummary"));
    Report& r = QuickRepSummary;
    r.ReportTitle = QStringLiteral("Summary Hydraulic Report");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkProfTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepSummaryBeforePrint(rep); };
    r.OnStartPage = [this](Report& rep) { QuickRepSummaryStartPage(rep); };
    double top = 0;
    Band* title = reports::AddCommonTitleBand(r, DMod->WorkPipeTable, QStringLiteral("Main Pipeline"), {}, top);
    // The pressure a main must give, where the run found it: no room otherwise.
    Memo* mainPsi = title->AddMemo(QStringLiteral("MainPsiLbl"), QRectF(0, top, 7.5, 0));
    mainPsi->Font = ReportFont(9, true);
    mainPsi->Stretch = true;

    struct Column {
        const char* caption;
        const char* captionText;
        double left;
        double width;
    };
    static const Column kColumns[] = {
        {"ColStation", "Station", 0.00, 0.65},
        {"ColInvert", "Pipe Invert Elev.", 0.65, 0.75},
        {"ColPsi", "Operating Pressure    (psi)", 1.40, 0.80},
        {"StatPres2Lbl", "Static Pressure   (psi)", 2.20, 0.80},
        {"ColFlow", "Flow Rate   (gpm)", 3.00, 0.70},
        {"ColVel", "Velocity (ft/sec)", 3.70, 0.70},
        {"ColLen", "Pipe Length    (ft)", 4.40, 0.70},
        {"ColDesc", "Pipe Description", 5.15, 2.35},
    };
    Band* ch = r.AddBand(BandType::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 0.48);
    ch->BeforePrint = [this](Band& b, bool& p) { ColumnHeaderBand1BeforePrint(b, p); };
    for (const Column& c : kColumns) {
        Memo* m = ch->AddMemo(QString::fromLatin1(c.caption), QRectF(c.left, 0.02, c.width - 0.04, 0.4),
                              QString::fromLatin1(c.captionText));
        m->Font = ReportFont(7, true);
        m->Alignment = Qt::AlignHCenter;
    }
    ch->AddShape(QStringLiteral("HeaderRule"), ShapeKind::HorzLine, QRectF(0, 0.43, 7.5, 0.02))->PenWidth = 0.5;

    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 0.36);
    d->BeforePrint = [this](Band& b, bool& p) { DetailBand1BeforePrint(b, p); };
    db::Table* prof = DMod->WorkProfTable;
    const QFont f = ReportFont(8);
    auto text = [&](const char* name, const char* field, int col, const char* mask, Qt::Alignment a) {
        const Column& c = kColumns[col];
        DBText* t = d->AddDBText(QString::fromLatin1(name), prof, QString::fromLatin1(field), c.left, 0.02,
                                 c.width - 0.12, QString::fromLatin1(mask), a);
        t->Font = f;
    };
    text("QRDBText7", "TSta", 0, "", Qt::AlignLeft);
    text("QRDBText8", "InvertElev", 1, "###0.0", Qt::AlignRight);
    text("QRDBText9", "Psi", 2, "##0.0", Qt::AlignRight);
    Label* stat = d->AddLabel(QStringLiteral("StatPresLbl"), QString(), kColumns[3].left, 0.02, kColumns[3].width - 0.12,
                              Qt::AlignRight);
    stat->Font = f;
    text("FlowRate", "PipeQ", 4, "####0", Qt::AlignRight);
    text("Velocity", "Vel", 5, "##0.0", Qt::AlignRight);
    text("PipeLen", "RchLen", 6, "#####0", Qt::AlignRight);
    text("PipeDesc", "DownStreamPipeDescription", 7, "", Qt::AlignLeft);
    d->AddLabel(QStringLiteral("InfoLbl"), QString(), 0.65, 0.18, 6.85)->Font = ReportFont(8, true);

    r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.1)->BeforePrint = [this](Band& b, bool& p) {
        SummaryBand1BeforePrint(b, p);
    };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
    QRCompositeReport1.Title = r.ReportTitle;
    QRCompositeReport1.OnAddReports = [this](CompositeReport& c) { QRCompositeReport1AddReports(c); };
}

void TQRSummary::FormShow()
{
    reports::ArrowCursor();
}

// Every generation (the preview, and again a print from it) starts afresh.
void TQRSummary::QuickRepSummaryBeforePrint(Report&)
{
    if (!DMod->WorkPipeTable->Active())
        DMod->WorkPipeTable->Open();
    BoosterPassed = false;
    reports::SetCaption(QuickRepSummary, "MainPsiLbl", RequiredInletPressureText());
}

// A new page does not clear the booster flag: the rows below a booster on
// the next page are as far past it as those on its own page.
void TQRSummary::QuickRepSummaryStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRSummary::ColumnHeaderBand1BeforePrint(Band&, bool&)
{
    if (Tul->PumpTypeCode == 7)
        reports::SetCaption(QuickRepSummary, "StatPres2Lbl", QStringLiteral("Off Pressure    (psi)"));
}

void TQRSummary::DetailBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepSummary;
    const int nodeType = Prof("NodeType")->AsInteger();
    const bool endNode = nodeType == 5 || nodeType == 6 || nodeType == 7;
    reports::SetEnabled(r, {"FlowRate", "Velocity", "PipeLen", "PipeDesc"},
                        !endNode && Prof("RchLen")->AsFloat() > 0);

    const double statPres = Prof("StatPres")->AsFloat();
    LabelOf(r, "StatPresLbl")->Caption =
        statPres == 0 || BoosterPassed ? QStringLiteral("NA") : FixedText(statPres, 6, 1);

    const QString station = Prof("TSta")->AsString();
    QString info;
    if (Prof("OutQ")->AsFloat() > 0) {
        info = QStringLiteral("Outflow at station ") + station + QStringLiteral(" = ") + Prof("OutQ")->AsString()
               + QStringLiteral(" gpm");
    } else if (Prof("InQ")->AsFloat() > 0) {
        info = QStringLiteral("Inflow at station ") + station + QStringLiteral(" = ") + Prof("InQ")->AsString()
               + QStringLiteral(" gpm");
    } else if (nodeType == 2) {
        BoosterPassed = true;   // after its own static pressure printed
        info = QStringLiteral("Boster Pump at Sta ") + station + QStringLiteral(", DS pressure set at = ")
               + Prof("PsiSet")->AsString() + QStringLiteral(" psi");
    } else if (nodeType == 3 && Prof("PsiSet")->AsFloat() <= 0) {
        info = QStringLiteral("Pressure reducer at sta ") + station
               + QStringLiteral(" without a set pressure: HGL not reduced");
    } else if (nodeType == 3) {
        info = QStringLiteral("REQUIRES Pressure Reducer Valve at sta ") + station
               + QStringLiteral(", DS pressure set at = ") + Prof("PsiSet")->AsString() + QStringLiteral(" psi");
    }
    LabelOf(r, "InfoLbl")->Caption = info;
}

void TQRSummary::SummaryBand1BeforePrint(Band&, bool&)
{
    LabelOf(QuickRepSummary, "InfoLbl")->Caption = QString();
}

void TQRSummary::QRCompositeReport1AddReports(CompositeReport& c)
{
    if (!DMod->WorkPipeTable->Active())
        DMod->WorkPipeTable->Open();
    c.Add(&QuickRepSummary);
    // The sections exist when their opener made them under the same tests.
    if (Tul->SysHas == 1 && QRGated)
        c.Add(&QRGated->QuickRepGated);
    if (Tul->SysHas == 2 && QRManifEndSummary)
        c.Add(&QRManifEndSummary->QuickRepManifEndSummary);
    ChainPumpSections(c);
}
