#include "reports/pump_report.h"

#include "model/data_module.h"
#include "model/number_text.h"
#include "platform/db/db.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;
using reports::SetEnabled;
namespace mask = reports::mask;

namespace {

db::Field* Suction(const char* name)
{
    return DMod->WorkSuctionTable->FieldByName(QString::fromLatin1(name));
}

const auto kSuctionHeadLines = {"TDSHLbl1", "TDSHDBN", "TDSHLbl2", "PSHALbl1", "PSHADBN",
                                "PSHALbl2", "ALTDBN",  "PSHALbl3", "TEMPDBN", "PSHALbl4"};
const auto kTankLines = {"PresTankRngLbl", "TankRngDBN", "TankRng2Lbl", "OnElevLbl", "OnElevDBN",
                         "OnElev2Lbl",     "OffElevLbl", "OffElevDBN", "OffElev2Lbl"};
const auto kWaterSurfaceLine = {"QRLabel18", "QRDBText16", "QRLabel26"};
const auto kColumnLossLine = {"ColFricLbl", "QRDBText11", "QRLabel22"};

} // namespace

TQRPump::TQRPump(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRPump"));
    SetCaption(QStringLiteral("QRPump"));
    buildPump();
    buildSuction();
}

void TQRPump::buildPump()
{
    Report& r = QuickRepPump;
    r.Title = QStringLiteral("Pump Details");
    r.DataSet = DMod->WorkPipeTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    db::Table* head = DMod->WorkPipeTable;

    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 4.0);
    b->ForceNewPage = true;
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
    b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Pump Details"), 0, 0, 0, Qt::AlignHCenter)->Font =
        ReportFont(12, true);
    b->AddLabel(QStringLiteral("QRLabel13"), QStringLiteral("Pump"), 0.3, 0.35, 1.0)->Font = ReportFont(10, true);
    const QFont f = ReportFont(9);
    const QFont bold = ReportFont(9, true);
    double y = 0.6;
    const double dy = 0.2;
    // "caption ....  value  unit": the caption control, the field's data text and the unit label.
    auto line = [&](const char* cap, const char* caption, const char* value, const char* field, const char* unit,
                    const char* unitText, const char* m = "") {
        b->AddLabel(QString::fromLatin1(cap), QString::fromLatin1(caption), 0.3, y, 3.1)->Font = f;
        b->AddDBText(QString::fromLatin1(value), head, QString::fromLatin1(field), 3.45, y, 1.0, QString::fromLatin1(m))
            ->Font = bold;
        if (unit)
            b->AddLabel(QString::fromLatin1(unit), QString::fromLatin1(unitText), 4.5, y, 0.65)->Font = f;
        y += dy;
    };
    line("QRLabel12", "Pump Type  .............................................", "QRDBText12", "PumpType", nullptr,
         nullptr);
    line("QRLabel18", "Water Surface Elevation  ...........................", "QRDBText16", "WSElev", "QRLabel26",
         "feet");
    line("EyeLbl", "Eye of pump intake elevation  .....................", "QRDBText13", "PumpEyeElev", "QRLabel21",
         "feet");
    line("ColFricLbl", "Column friction loss ...................................", "QRDBText11", "ColumnLoss",
         "QRLabel22", "feet", mask::Head);
    line("QRLabel20", "Total dynamic head (TDH)  .........................", "QRDBText14", "TDH", "QRLabel27",
         "feet", mask::Head);
    line("QRLabel23", "Water horsepower  (WHP)  ........................ ", "QRDBText15", "WHP", "QRLabel28", "HP",
         mask::Power);
    line("QRLabel24", "Brake horsepower ( BHP)  ..........................", "QRDBText17", "BHP", "QRLabel29",
         "HP  at", mask::Power);
    b->AddDBText(QStringLiteral("QRDBText18"), head, QStringLiteral("PumpEffic"), 5.2, y - dy, 0.45)->Font = bold;
    b->AddLabel(QStringLiteral("QRLabel30"), QStringLiteral("percent pump efficiency"), 5.7, y - dy, 1.8)->Font = f;
    line("QRLabel25", "Electric motor size  ....................................", "QRDBText19", "MotorHP",
         "QRLabel31", "HP");
    line("TDSHLbl1", "Total dynamic suction head (TDSH)   ...........", "TDSHDBN", "TDSH", "TDSHLbl2", "feet",
         mask::Head);
    line("PSHALbl1", "Net positive suction head available (NPSHA) ", "PSHADBN", "AvailSH", "PSHALbl2",
         "feet  at  ", mask::Head);
    b->AddDBText(QStringLiteral("ALTDBN"), head, QStringLiteral("Altitude"), 5.2, y - dy, 0.45)->Font = bold;
    b->AddLabel(QStringLiteral("PSHALbl3"), QStringLiteral("feet altitude, "), 5.7, y - dy, 1.0)->Font = f;
    b->AddDBText(QStringLiteral("TEMPDBN"), head, QStringLiteral("WaterTemp"), 5.2, y, 0.45)->Font = bold;
    b->AddLabel(QStringLiteral("PSHALbl4"), QStringLiteral("deg. F. water temp."), 5.7, y, 1.5)->Font = f;
    y += dy;
    line("PresTankRngLbl", "Pressure tank pressure range  ....................", "TankRngDBN", "TankRange",
         "TankRng2Lbl", "psi");
    line("OnElevLbl", "Pressure system on-elevation  ....................", "OnElevDBN", "OnElev", "OnElev2Lbl",
         "feet", mask::Head);
    line("OffElevLbl", "Pressure system off-elevation  ....................", "OffElevDBN", "OffElev",
         "OffElev2Lbl", "feet", mask::Head);
    b->Height = y + 0.1;
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRPump::buildSuction()
{
    Report& r = QuickRepSuction;
    r.Title = QStringLiteral("Suction Pipe Details");
    r.DataSet = DMod->WorkSuctionTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepSuctionBeforePrint(rep); };
    db::Table* suction = DMod->WorkSuctionTable;

    struct Column {
        const char* heading;
        const char* field;   // nullptr: the computed cumulative loss
        double left;
        double width;
        const char* mask;    // the computed columns'; length and flow as entered
    };
    static const Column kColumns[] = {
        {"Suction Pipe Segment Number", "SegmentNo", 0.0, 0.9, ""},
        {"Length of   Pipe      (ft)", "PipeLength", 0.9, 0.9, ""},
        {"Flow Rate             (gpm)", "PipeQ", 1.8, 0.9, ""},
        {"Pipe Inside Diameter      (in)", "DiaIn", 2.7, 0.95, mask::Diameter},
        {"Velocity           (ft/sec)     ", "Vel", 3.65, 0.9, mask::Velocity},
        {"Minor Losses     (ft)", "Kloss", 4.55, 0.9, mask::Loss},
        {"Pipe Friction  Loss       (ft)", "Floss", 5.45, 0.95, mask::Loss},
        {"Cumulative Total Fric. Losses           (ft)", nullptr, 6.4, 1.1, ""},
    };
    // The title band starts the report, the page header tops each further page.
    auto headings = [&](BandType type, const char* name, const char* prefix) {
        Band* b = r.AddBand(type, QString::fromLatin1(name), 0.9);
        b->AddLabel(QString::fromLatin1(prefix) + QStringLiteral("Title"), QStringLiteral("Suction Pipe Details"), 0,
                    0, 0, Qt::AlignHCenter)->Font = ReportFont(12, true);
        int i = 0;
        for (const Column& c : kColumns) {
            Memo* m = b->AddMemo(QStringLiteral("%1Col%2").arg(QString::fromLatin1(prefix)).arg(++i),
                                 QRectF(c.left + 0.02, 0.32, c.width - 0.04, 0.5), QString::fromLatin1(c.heading));
            m->Font = ReportFont(7, true);
            m->Alignment = Qt::AlignHCenter;
            b->AddShape(QStringLiteral("%1Box%2").arg(QString::fromLatin1(prefix)).arg(i), ShapeKind::Rectangle,
                        QRectF(c.left, 0.3, c.width, 0.58));
        }
        return b;
    };
    headings(BandType::Title, "QRBand1", "T");
    r.FirstPageHeader = false;   // the title band heads the first page
    headings(BandType::PageHeader, "TitleBand2", "H");

    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 1.25);
    d->BeforePrint = [this](Band& band, bool& p) { DetailBand1BeforePrint(band, p); };
    const QFont f = ReportFont(8);
    const QFont bold = ReportFont(8, true);
    for (const Column& c : kColumns) {
        report::Control* v = c.field
                                 ? static_cast<report::Control*>(d->AddDBText(
                                       QStringLiteral("QRDB") + QString::fromLatin1(c.field), suction,
                                       QString::fromLatin1(c.field), c.left + 0.05, 0.03, c.width - 0.1,
                                       QString::fromLatin1(c.mask), Qt::AlignRight))
                                 : d->AddLabel(QStringLiteral("CumFricLbl"), QString(), c.left + 0.05, 0.03,
                                               c.width - 0.1, Qt::AlignRight);
        v->Font = c.field && QLatin1String(c.field) == QLatin1String("SegmentNo") ? bold : f;
        d->AddShape(QStringLiteral("Rule") + QString::number(c.left), ShapeKind::VertLine,
                    QRectF(c.left, 0, 0.01, 0.22));
    }
    d->AddShape(QStringLiteral("RuleEnd"), ShapeKind::VertLine, QRectF(7.49, 0, 0.01, 0.22));
    double y = 0.25;
    const double dy = 0.16;
    auto lbl = [&](const char* name, const char* text, double x, double w) {
        d->AddLabel(QString::fromLatin1(name), QString::fromLatin1(text), x, y, w)->Font = f;
    };
    auto txt = [&](const char* name, const char* field, double x, double w, const char* m = "") {
        d->AddDBText(QString::fromLatin1(name), suction, QString::fromLatin1(field), x, y, w, QString::fromLatin1(m))
            ->Font = f;
    };
    Memo* warning = d->AddMemo(QStringLiteral("QRDBWarning"), QRectF(0.3, y, 7.2, 0));
    warning->DataSet = suction;
    warning->DataField = QStringLiteral("Warning");
    warning->Font = bold;
    warning->Color = QColor(0xB0, 0, 0);
    y += dy;
    lbl("MinorCap", "Minor Losses:", 0.3, 0.9);
    d->AddMemo(QStringLiteral("LossLbl2"), QRectF(1.2, y, 6.3, 0.28))->Font = f;
    y += 0.3;
    const double x0 = 0.55;
    lbl("G1", ">", 0.4, 0.1);
    lbl("G2", "Pipe:", x0, 0.4);
    txt("QRDBDesc", "DownStreamPipeDescription", x0 + 0.4, 4.0);
    y += dy;
    lbl("G3", ">", 0.4, 0.1);
    lbl("G4", "Pipe inside diameter = ", x0, 1.3);
    txt("QRDBDia2", "DiaIn", x0 + 1.3, 0.55, mask::Diameter);
    lbl("G5", "inches", x0 + 1.85, 0.5);
    y += dy;
    lbl("G6", ">", 0.4, 0.1);
    lbl("G7", "Flow rate                 = ", x0, 1.3);
    txt("QRDBQ2", "PipeQ", x0 + 1.3, 0.55);
    lbl("G8", "gpm,", x0 + 1.85, 0.35);
    lbl("G9", "Velocity      =", x0 + 2.3, 0.85);
    lbl("VelLbl", "", x0 + 3.15, 0.55);
    lbl("G10", "ft/sec", x0 + 3.7, 0.5);
    y += dy;
    lbl("G11", ">", 0.4, 0.1);
    lbl("G12", "Pipe friction loss      = ", x0, 1.3);
    lbl("FricLbl", "", x0 + 1.3, 0.55);
    lbl("G13", "feet,  ", x0 + 1.85, 0.4);
    txt("QRDBMethod", "CalcMethod", x0 + 2.25, 3.0);
    d->Height = y + dy + 0.04;

    Band* s = r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.1);
    s->AddShape(QStringLiteral("ClosingRule"), ShapeKind::HorzLine, QRectF(0, 0.02, 7.5, 0.02))->PenWidth = 0.75;
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand2"));
}

void TQRPump::FormShow()
{
    CumulativeLoss = 0.0;
    PrevDiameter = 0;
}

void TQRPump::TitleBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepPump;
    QuickRepPump.NewPage();
    db::Table* head = DMod->WorkPipeTable;
    const bool suctionHead = head->FieldByName(QStringLiteral("TDSH"))->AsFloat() != 0.0;
    SetEnabled(r, kSuctionHeadLines, suctionHead);

    const int pumpType = Tul->PumpTypeCode;
    if (pumpType == 7) {
        LabelOf(r, "EyeLbl")->Caption = QStringLiteral("Elevation at pressure tank .........................");
        LabelOf(r, "ColFricLbl")->Caption = QStringLiteral("Pump connection pipeing friction loss  ..........");
        SetEnabled(r, kTankLines, true);
    } else {
        if (pumpType == 2 || pumpType == 3)
            LabelOf(r, "EyeLbl")->Caption = QStringLiteral("Pump head discharge elevation ..................");
        SetEnabled(r, kTankLines, false);
    }

    if (pumpType == 4) {
        db::Table* prof = DMod->WorkProfTable;
        if (!prof->Active())
            prof->Open();
        prof->First();
        // Both lines may have been switched off by an earlier pass; the
        // water surface only goes when the pump draws from the main line.
        SetEnabled(r, kWaterSurfaceLine,
                   prof->FieldByName(QStringLiteral("ReachType"))->AsString() != QLatin1String("PUMPBEG"));
        SetEnabled(r, kColumnLossLine, false);
    } else if (pumpType == 8 || pumpType == 2) {
        SetEnabled(r, kWaterSurfaceLine, true);
        SetEnabled(r, kColumnLossLine, false);
    } else {
        SetEnabled(r, kWaterSurfaceLine, true);
        SetEnabled(r, kColumnLossLine, true);
    }
}

// Every generation (the preview, and again a print from it) starts the
// running values afresh, so a print gives what the preview showed.
void TQRPump::QuickRepSuctionBeforePrint(Report&)
{
    CumulativeLoss = 0.0;
    PrevDiameter = 0;
    for (QString& s : SlotText)
        s.clear();
}

void TQRPump::DetailBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepSuction;
    const double loss = Suction("Kloss")->AsFloat() + Suction("Floss")->AsFloat();
    CumulativeLoss = Suction("SegmentNo")->AsInteger() == 1 ? loss : CumulativeLoss + loss;
    LabelOf(r, "CumFricLbl")->Caption = FixedText(CumulativeLoss, 6, 3);
    LabelOf(r, "VelLbl")->Caption = FixedText(Suction("Vel")->AsFloat(), 6, 3);
    LabelOf(r, "FricLbl")->Caption = FixedText(Suction("Floss")->AsFloat(), 6, 3);

    const QString items = reports::LossItemsText(DMod->WorkSuctionTable, PrevDiameter, SlotText);
    if (items.isEmpty()) {
        // The diameter is remembered only from segments with losses.
        reports::SetCaption(r, "LossLbl2", QStringLiteral("None"));
        return;
    }
    reports::SetCaption(r, "LossLbl2", items);
    PrevDiameter = static_cast<int>(Suction("DiaIn")->AsFloat());
}
