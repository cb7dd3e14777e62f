#include "reports/manifold_report_lines.h"

#include "model/data_module.h"
#include "platform/report/format.h"
#include "reports/report_forms.h"

using namespace report;

namespace reports {

namespace {

struct Column {
    const char* caption;
    const char* captionText;
    const char* value;
    const char* field;
    const char* mask;
    double left;
    double width;
};

// Station, invert, outflow, grade lines, pressure, minor loss: each heading
// centred over its column, the numbers right-aligned in it, and a gap
// between the columns.
const Column kNodeColumns[] = {
    {"ColStation", "Station", "QRDBText7", "TSta", "", 0.00, 0.80},
    {"ColInvert", "Pipe Invert Elev. (ft)", "QRDBText10", "InvertElev", "###0.0", 0.90, 0.85},
    {"ColOutflow", "Outflow to    Lateral       (gpm)", "QRDBText8", "GpmAtOutlet", "", 1.85, 0.85},
    {"ColHgl", "Hydraulic Gradeline Elev. (ft)", "QRDBText11", "Hgl", "###0.0", 2.80, 0.95},
    {"ColEgl", "Energy Gradeline Elev. (ft)", "QRDBText12", "Egl", "###0.0", 3.85, 0.95},
    {"ColPsi", "Operating Pressure      (psi)", "QRDBText13", "Psi", "####0.0", 4.90, 0.90},
    {"ColKloss", "Minor Losses    (ft)", "QRDBText16", "Kloss", "###0.00", 5.90, 0.80},
};

// The reach lines begin under the node line, one line apart.
constexpr double kReachTop = 0.2;
constexpr double kLine = 0.17;

const char* const kReachLines[] = {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10", "L11", "L12",
                                   "L13", "L14", "L15", "QR1", "QR2", "QR3", "QR4", "QR5", "EndBulletLbl",
                                   "PLengthLbl", "PLbl", "ftLbl"};

} // namespace

void AddManifoldColumnHeads(Band* band)
{
    band->AddLabel(QStringLiteral("NodeDataLbl"), QStringLiteral("NODE DATA"), 0, 0, 2)->Font = ReportFont(9, true);
    for (const Column& c : kNodeColumns) {
        Memo* m = band->AddMemo(QString::fromLatin1(c.caption), QRectF(c.left, 0.2, c.width, 0.45),
                                QString::fromLatin1(c.captionText));
        m->Font = ReportFont(8, true);
        m->Alignment = Qt::AlignHCenter;
    }
}

double AddManifoldNodeLines(Band* band, const QString& friction)
{
    db::Table* t = DMod->WorkTrickleTable;
    const QFont f = ReportFont(9);
    for (const Column& c : kNodeColumns)
        band->AddDBText(QString::fromLatin1(c.value), t, QString::fromLatin1(c.field), c.left, 0, c.width,
                        QString::fromLatin1(c.mask), Qt::AlignRight)->Font = f;
    const double x = 0.6, capW = 1.55, valX = x + capW + 0.05, dy = kLine;
    double y = kReachTop;
    auto label = [&](const char* name, const QString& text, double left, double top, double width) {
        band->AddLabel(QString::fromLatin1(name), text, left, top, width)->Font = f;
    };
    label("L15", QStringLiteral("REACH DATA"), x, y, 1.2);
    y += dy;
    label("L1", QStringLiteral(">"), x - 0.15, y, 0.1);
    label("L6", QStringLiteral("Pipe: "), x, y, 0.4);
    band->AddDBText(QStringLiteral("QR1"), t, QStringLiteral("DownStreamPipeDescription"), x + 0.4, y, 4.5)->Font = f;
    y += dy;
    struct Reach {
        const char* bullet;
        const char* cap;
        const char* capText;
        const char* value;
        const char* field;
        const char* mask;
        const char* unit;
        QString unitText;
    };
    const Reach reaches[] = {
        {"L2", "L7", "Pipe inside diameter = ", "QR2", "DiaIn", mask::Diameter, "L11", QStringLiteral("inches")},
        {"L3", "PLbl", "Pipe length =", "PLengthLbl", "RchLen", mask::Length, "ftLbl", QStringLiteral("feet")},
        {"L4", "L8", "Flow rate                 = ", "QR3", "PipeQ", mask::Flow, "L12", QStringLiteral("gpm")},
        {"L5", "L9", "Velocity                   = ", "QR4", "Vel", mask::Velocity, "L13", QStringLiteral("ft/sec")},
        {"EndBulletLbl", "L10", "Pipe friction loss      = ", "QR5", "Floss", mask::Loss, "L14", friction},
    };
    for (const Reach& r : reaches) {
        label(r.bullet, QStringLiteral(">"), x - 0.15, y, 0.1);
        label(r.cap, QString::fromLatin1(r.capText), x, y, capW);
        band->AddDBText(QString::fromLatin1(r.value), t, QString::fromLatin1(r.field), valX, y, 0.8,
                        QString::fromLatin1(r.mask))->Font = f;
        label(r.unit, r.unitText, valX + 0.85, y, 0.6);
        y += dy;
    }
    return y;
}

void ShowManifoldReachLines(const Report& r, Band& band, double reachEnd, std::initializer_list<const char*> below)
{
    const bool reach = !DMod->WorkTrickleTableDownStreamPipeDescription->AsString().isEmpty();
    for (const char* name : kReachLines)
        if (Control* c = r.FindControl(QString::fromLatin1(name)))
            c->Enabled = reach;
    // What follows the reach lines goes right under them, or under the node
    // line when there are none; a line with nothing to print takes no room.
    double y = reach ? reachEnd : kReachTop;
    for (const char* name : below) {
        Control* c = ControlOf(r, QString::fromLatin1(name));
        c->Rect.moveTop(y);
        if (!c->Text(PrintContext{}).isEmpty())
            y += kLine;
    }
    band.Height = y + 0.1;
}

void AddManifoldCostCells(Band* band, const char* lengthName, const char* pipeName)
{
    db::Table* t = DMod->WorkTrickleTable;
    const QFont f = ReportFont(9);
    band->AddDBText(QStringLiteral("TSta"), t, QStringLiteral("TSta"), 0, 0, 0.9)->Font = f;
    band->AddDBText(QString::fromLatin1(lengthName), t, QStringLiteral("RchLen"), 0.95, 0, 0.8,
                    QString::fromLatin1(mask::CostLength), Qt::AlignRight)->Font = f;
    band->AddLabel(QStringLiteral("QRFtCst"), QString(), 2.7, 0, 0.8, Qt::AlignRight)->Font = f;
    band->AddLabel(QStringLiteral("QRRchCst"), QString(), 3.6, 0, 0.9, Qt::AlignRight)->Font = f;
    band->AddDBText(QString::fromLatin1(pipeName), t, QStringLiteral("DownStreamPipeDescription"), 4.6, 0, 2.9)->Font =
        f;
}

void PrintManifoldCostRow(const Report& r, std::initializer_list<const char*> cells, double& total)
{
    TDMod* d = DMod;
    total += d->WorkTrickleTableRchCost->AsFloat();
    const bool segment = d->WorkTrickleTableRchLen->AsFloat() > 0;
    SetEnabled(r, cells, segment);
    if (segment) {
        LabelOf(r, QStringLiteral("QRFtCst"))->Caption = FormatMask(d->WorkTrickleTableCostFt->AsFloat(),
                                                                    QStringLiteral("##0.00"));
        LabelOf(r, QStringLiteral("QRRchCst"))->Caption = FormatMask(d->WorkTrickleTableRchCost->AsFloat(),
                                                                     QStringLiteral("###,##0"));
    }
}

void PrintManifoldCostTotal(const Report& r, double total)
{
    LabelOf(r, QStringLiteral("CostTotLbl"))->Caption = FormatMask(total, QStringLiteral("###,##0"));
}

} // namespace reports
