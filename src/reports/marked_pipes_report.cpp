#include "reports/marked_pipes_report.h"

#include "model/data_module.h"
#include "platform/report/preview.h"
#include "reports/report_forms.h"

using namespace report;

TQRPipeMarked::TQRPipeMarked(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRPipeMarked"));
    SetCaption(QStringLiteral("Pipe Data Details Report"));
    Report& r = QRepPipeMarked;
    r.ReportTitle = QStringLiteral("Pipe Data Details");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->PipeTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QRepPipeMarkedStartPage(rep); };
    reports::AddListHeader(r, QStringLiteral("Mersol, Pipe Database"), {});

    // A block per pipe, captions over values.
    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 1.3);
    db::Table* t = DMod->PipeTable;
    const QFont cap = reports::ReportFont(8, true);
    const QFont val = reports::ReportFont(9);
    struct Item {
        const char* caption;
        const char* name;
        const char* field;
        double left, top, width;
        const char* mask = "";
    };
    const Item items[] = {
        {"Pipe Description", "QRDBText1", "Pipe Description", 0.0, 0.05, 3.6},
        {"Inside Diameter (in)", "QRDBText2", "ID (in)", 3.7, 0.05, 1.6},
        {"Nominal Diameter (in)", "QRDBText3", "NomDiam", 5.5, 0.05, 1.8},
        {"Pressure Rating (psi)", "QRDBText4", "Press Rtng (psi)", 0.0, 0.45, 1.45},
        {"Rating (SDR, Sch, ga)", "QRDBText5", "Rating", 1.5, 0.45, 1.45},
        {"Wall Thickness (in)", "QRDBText6", "Wall Thick (in)", 3.0, 0.45, 1.45},
        // The weight calculator stores every digit it works out.
        {"Wt. Per foot", "QRDBText7", "WtPerFt", 4.5, 0.45, 1.2, reports::mask::Weight},
        {"CMP n factor", "QRDBText8", "Nfac", 5.8, 0.45, 1.2},
    };
    for (const Item& i : items) {
        d->AddLabel(QString::fromLatin1(i.name) + QStringLiteral("Cap"), QString::fromLatin1(i.caption), i.left, i.top,
                    i.width)->Font = cap;
        d->AddDBText(QString::fromLatin1(i.name), t, QString::fromLatin1(i.field), i.left, i.top + 0.16, i.width,
                     QString::fromLatin1(i.mask))->Font = val;
    }
    Memo* comment = d->AddMemo(QStringLiteral("QRDBMemo1"), QRectF(0, 0.85, 7.5, 0.36));
    comment->DataSet = t;
    comment->DataField = QStringLiteral("Comment");
    comment->Font = reports::ReportFont(8);
    d->AddShape(QStringLiteral("DetailRule"), ShapeKind::HorzLine, QRectF(0, 1.24, 7.5, 0.04))->PenWidth = 0.5;

    reports::AddListFooter(r);
}

void TQRPipeMarked::FormShow()
{
    reports::ArrowCursor();
}

void TQRPipeMarked::QRepPipeMarkedStartPage(Report&)
{
    reports::ArrowCursor();
}

void PreviewPipeMarked(QWidget* owner)
{
    reports::OpenedForms forms;
    forms.Create(QRPipeMarked, owner);
    report::Preview(QRPipeMarked->QRepPipeMarked, owner);
}
