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

    // Each column under its heading, the numbers right-aligned in it.
    struct Column {
        const char* name;
        const char* field;
        const char* mask;
        double left;
        double width;
        const char* heading;
    };
    static const Column kColumns[] = {
        {"PsQRDBText1", "TSta", "", 0.0, 0.75, "Station"},
        {"PsQRDBText2", "InvertElev", "###0.0", 0.85, 0.75, "Pipe Invert Elev.   (ft)"},
        {"QRDBText9", "Psi", "##0.0", 1.7, 0.75, "Operating Pressure    (psi)"},
        {"PipeQ", "PipeQ", "####0", 2.55, 0.65, "Flow Rate   (gpm)"},
        {"Vel", "Vel", "##0.0", 3.3, 0.85, "Velocity (ft/sec)"},
        {"RchLen", "RchLen", "#####0", 4.25, 0.7, "Pipe Length    (ft)"},
        {"PipeDesc", "DownStreamPipeDescription", "", 5.05, 2.45, "Pipe Description"},
    };
    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBand2"), 0.3);
    tb->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Manifold Pipeline"), 0, 0.05, 3)->Font =
        ReportFont(10, true);
    for (const Column& c : kColumns) {
        Memo* m = tb->AddMemo(QString::fromLatin1(c.name) + QStringLiteral("Cap"), QRectF(c.left, 0.3, c.width, 0.36),
                              QString::fromLatin1(c.heading));
        m->Font = ReportFont(7, true);
        m->Alignment = Qt::AlignHCenter;
    }
    tb->AddShape(QStringLiteral("HeadRule"), ShapeKind::HorzLine, QRectF(0, 0.68, 7.5, 0.02))->PenWidth = 0.5;
    tb->Height = 0.74;

    Band* db = r.AddBand(BandType::Detail, QStringLiteral("DetailBand2"), 0.2);
    db->BeforePrint = [this](Band& b, bool& p) { DetailBand2BeforePrint(b, p); };
    db::Table* t = DMod->WorkTrickleTable;
    const QFont f = ReportFont(9);
    for (const Column& c : kColumns) {
        const bool text = QLatin1String(c.mask).isEmpty();
        db->AddDBText(QString::fromLatin1(c.name), t, QString::fromLatin1(c.field), c.left, 0,
                      text ? c.width : c.width - 0.1, QString::fromLatin1(c.mask),
                      text ? Qt::AlignLeft : Qt::AlignRight)->Font = f;
    }
    r.AddBand(BandType::Summary, QStringLiteral("SummaryBand2"), 0.05);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRManifEndSummary::DetailBand2BeforePrint(Band&, bool&)
{
    reports::SetEnabled(QuickRepManifEndSummary, {"PipeQ", "Vel", "RchLen", "PipeDesc"},
                        DMod->WorkTrickleTableRchLen->AsFloat() > 0);
}
