#include "reports/pumping_energy_report.h"

#include "model/data_module.h"
#include "model/number_text.h"
#include "platform/db/db.h"
#include "platform/report/format.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;

namespace {

const QString kPrice = QStringLiteral("##0.000");
const QString kCost = QStringLiteral("###,##0.00");
const QString kAcreFeet = QStringLiteral("#,###,##0.0");

double HeadFloat(const char* name)
{
    return DMod->WorkPipeTable->FieldByName(QString::fromLatin1(name))->AsFloat();
}

// The three energy sources and the header fields of their costs.
const char* const kCells[3][4] = {
    {"Electricity", "ElecSeasCst", "ElecHrCst", "ElecAiCst"},
    {"Diesel", "DiesSeasCst", "DiesHrCst", "DiesAiCst"},
    {"Natural Gas", "GasSeasCst", "GasHrCst", "GasAiCst"},
};

} // namespace

TQRPumpCost::TQRPumpCost(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRPumpCost"));
    SetCaption(QStringLiteral("QRPumpCost"));
    Report& r = QuickRepPumpCost;
    r.Title = QStringLiteral("Pumping Energy Cost Estimate");
    r.DataSet = DMod->WorkPipeTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    db::Table* head = DMod->WorkPipeTable;

    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBandPump"), 6.0);
    b->BeforePrint = [this](Band& band, bool& p) { TitleBandPumpBeforePrint(band, p); };
    Label* title = b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Pumping Energy Cost Estimate"), 0, 0, 0,
                               Qt::AlignHCenter);
    title->Font = ReportFont(12, true);
    title->Color = QColor(0, 0, 255);
    const QFont f = ReportFont(9);
    const QFont bold = ReportFont(9, true);
    double y = 0.4;
    const double dy = 0.2;
    int n = 0;
    auto name = [&](const char* stem) { return QString::fromLatin1(stem) + QString::number(++n); };
    // "caption ....  value  unit" with the value a data text or a computed label.
    auto line = [&](const char* caption, const char* field, const char* valueName, const char* unit,
                    const char* m = "") {
        b->AddLabel(name("Cap"), QString::fromLatin1(caption), 0.3, y, 3.0)->Font = f;
        if (field)
            b->AddDBText(QString::fromLatin1(valueName), head, QString::fromLatin1(field), 3.35, y, 0.8,
                         QString::fromLatin1(m), Qt::AlignRight)->Font = bold;
        else
            b->AddLabel(QString::fromLatin1(valueName), QString(), 3.35, y, 0.8, Qt::AlignRight)->Font = bold;
        b->AddLabel(name("Unit"), QString::fromLatin1(unit), 4.25, y, 3.2)->Font = f;
        y += dy;
    };
    line("Pumping hours during season .................", "SeasonPumpHrs", "QRDBHrs", "hours", "#####0.0");
    line("Water horesepower  ...............................", "WHP", "QRDBWHP", "WHP", reports::mask::Power);
    line("Brake horsepower ..................................", "BHP", "QRDBBHP", "BHP", reports::mask::Power);
    line("Electric motor horsepower  .....................", "MotorHP", "QRDBMotor", "HP");
    line("Pump efficiency  ....................................", "PumpEffic", "QRDBEffic", "percent");
    b->AddLabel(QStringLiteral("AcInCap"), QStringLiteral("Acre inches pumped  ............................."), 0.3, y,
                3.0)->Font = f;
    // Stored unrounded: two decimals, as the horsepowers above it.
    b->AddDBText(QStringLiteral("QRDBAcIn"), head, QStringLiteral("AcInPumped"), 3.35, y, 0.8, QStringLiteral("###0.00"),
                 Qt::AlignRight)->Font = bold;
    b->AddLabel(QStringLiteral("AcInUnit"), QStringLiteral("acre inches"), 4.25, y, 0.8)->Font = f;
    b->AddLabel(QStringLiteral("AcInEq"), QStringLiteral(" = "), 5.05, y, 0.25)->Font = f;
    b->AddLabel(QStringLiteral("AFLbl"), QString(), 5.3, y, 0.8, Qt::AlignRight)->Font = bold;
    b->AddLabel(QStringLiteral("AFUnit"), QStringLiteral("acre feet"), 6.15, y, 0.8)->Font = f;
    y += dy;
    line("Average seasonal electricity cost ..........$", nullptr, "AvElecLbl",
         "per KW-hr (includes demand charges)");
    line("Diesel fuel cost  ..................................$", nullptr, "DieselLbl", "per gallon");
    line("Natural gas cost  .................................$", nullptr, "GasLbl", "per thousand cu-ft (mcf)");

    // The three-by-three table of costs.
    y += 0.15;
    const double cols[] = {0.3, 2.2, 3.9, 5.6};
    const double width = 1.6;
    b->AddShape(QStringLiteral("TableTop"), ShapeKind::HorzLine, QRectF(0.3, y, 7.0, 0.02))->PenWidth = 0.75;
    const char* const headings[] = {"Energy Source", "Cost per Season       ($)", "Cost per Hour         ($/hr)",
                                    "Cost per Acre Inch    ($/acin)"};
    for (int c = 0; c < 4; ++c) {
        Memo* m = b->AddMemo(QStringLiteral("Heading%1").arg(c), QRectF(cols[c], y + 0.05, width, 0.36),
                             QString::fromLatin1(headings[c]));
        m->Font = bold;
        m->Alignment = c == 0 ? Qt::AlignLeft : Qt::AlignHCenter;
    }
    y += 0.45;
    b->AddShape(QStringLiteral("TableHeadRule"), ShapeKind::HorzLine, QRectF(0.3, y, 7.0, 0.02))->PenWidth = 0.5;
    y += 0.05;
    for (const auto& row : kCells) {
        b->AddLabel(QString::fromLatin1(row[0]).remove(QLatin1Char(' ')) + QStringLiteral("RowLbl"), QString::fromLatin1(row[0]),
                    cols[0], y, width)->Font = bold;
        for (int c = 1; c < 4; ++c)
            b->AddLabel(QString::fromLatin1(row[c]), QString(), cols[c], y, width - 0.3, Qt::AlignRight)->Font = f;
        y += dy;
    }
    b->AddShape(QStringLiteral("TableBottom"), ShapeKind::HorzLine, QRectF(0.3, y, 7.0, 0.02))->PenWidth = 0.75;
    y += 0.15;

    // The notes the figures rest on.
    auto note = [&](const QString& text, double x = 0.3, double w = 7.0) {
        Label* l = b->AddLabel(name("Note"), text, x, y, w);
        l->Font = f;
        return l;
    };
    note(QStringLiteral("All energy usage is based on "), 0.3, 1.85);
    b->AddDBText(QStringLiteral("QRDBEffic2"), head, QStringLiteral("PumpEffic"), 2.15, y, 0.4)->Font = f;
    note(QStringLiteral("% pump efficiency."), 2.55, 2.0);
    y += dy;
    note(QStringLiteral("Electric energy usage is based on "), 0.3, 2.2);
    b->AddLabel(QStringLiteral("QRLblMtrEff"), QString(), 2.5, y, 0.35, Qt::AlignRight)->Font = f;
    // One text with the motor in it: a list of boosters' motors ("5 + 3 + 2")
    // is wider than any column kept for it.
    b->AddLabel(QStringLiteral("MotorNoteLbl"), QString(), 2.85, y, 4.45)->Font = f;
    y += dy;
    note(QStringLiteral("Fuel usage is based on 100% of Nebraska Performance Standards, with drive losses considered:"));
    y += dy;
    note(QStringLiteral("Energy Source                       bhp-hr/unit of energy"), 0.6, 6.5);
    y += dy;
    note(QStringLiteral("Diesel                                      16.66   gallons"), 0.6, 6.5);
    y += dy;
    note(QStringLiteral("Natural gas                               82.20   1000 cu-ft (mcf)"), 0.6, 6.5);
    y += dy;
    Memo* last = b->AddMemo(QStringLiteral("NoteLast"), QRectF(0.3, y, 7.0, 0.4),
                            QStringLiteral("Systems performing at less than 100% of standards, or at lower "
                                           "efficiency, will use more energy to apply the same amount of water."));
    last->Font = f;
    b->Height = y + 0.45;
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRPumpCost::TitleBandPumpBeforePrint(Band&, bool&)
{
    const Report& r = QuickRepPumpCost;
    db::Table* unit = DMod->UnitCostTable;
    if (!unit->Active())
        unit->Open();
    unit->First();
    auto unitCost = [unit](const char* field) {
        return unit->IsEmpty() ? 0.0 : unit->FieldByName(QString::fromLatin1(field))->AsFloat();
    };
    LabelOf(r, "AvElecLbl")->Caption = FormatMask(HeadFloat("AvSeasElecCst"), kPrice);
    LabelOf(r, "DieselLbl")->Caption = FormatMask(unitCost("DieselCost"), kPrice);
    LabelOf(r, "GasLbl")->Caption = FormatMask(unitCost("NatGasCost"), kPrice);
    for (const auto& row : kCells)
        for (int c = 1; c < 4; ++c)
            LabelOf(r, QString::fromLatin1(row[c]))->Caption = FormatMask(HeadFloat(row[c]), kCost);
    LabelOf(r, "QRLblMtrEff")->Caption = FixedText(HeadFloat("MotorEffic") * 100, 3, 0);
    const QString motor = DMod->WorkPipeTableMotorHP->AsString().trimmed();
    LabelOf(r, "MotorNoteLbl")->Caption = QStringLiteral("%, standard ") + (motor.isEmpty() ? QString() : motor + u' ')
                                          + QStringLiteral("HP motor efficiency, using direct drive.");
    LabelOf(r, "AFLbl")->Caption = FormatMask(HeadFloat("AcInPumped") / 12, kAcreFeet);
}
