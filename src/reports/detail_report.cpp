#include "reports/detail_report.h"

#include "engine/pump_results.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/db/db.h"
#include "platform/report/format.h"
#include "reports/gated_pipe_report.h"
#include "reports/manifold_end_detail_report.h"
#include "reports/pump_report.h"
#include "reports/report_forms.h"

using namespace report;
using reports::LabelOf;
using reports::ReportFont;
using reports::SetEnabled;

namespace {

// The node columns: caption control, caption, value control, left, width.
struct Column {
    const char* captionName;
    const char* caption;
    const char* valueName;
    double left;
    double width;
};

const Column kColumns[] = {
    {"ColStation", "Station", "QRDBText7", 0.00, 0.58},
    {"ColGround", "Ground Elev.         (ft)", "QRDBText8", 0.58, 0.60},
    {"ColDepth", "Pipe Depth   (in)", "QRLblPDepth", 1.18, 0.55},
    {"ColInvert", "Pipe Invert Elev. (ft)", "QRDBText10", 1.73, 0.62},
    {"ColHgl", "Hydraulic Gradeline Elev. (ft)", "QRDBText11", 2.35, 0.68},
    {"ColEgl", "Energy Gradeline Elev. (ft)", "QRDBText12", 3.03, 0.68},
    {"ColPsi", "Operating Pressure      (psi)", "QRDBText13", 3.71, 0.66},
    {"StatPres2Lbl", "Static Pressure     (psi)", "QRLblStatPres", 4.37, 0.62},
    {"ColKloss", "Minor Losses    (ft)", "QRDBText16", 4.99, 0.60},
    {"ColTotFric", "Cumulative Total Fric. Losses (ft)", "QRTotFricLabel", 5.59, 0.72},
    {"ColVent", "Air Vent  (in)", "VentLbl", 6.31, 0.52},
    {"ColSurge", "Surge Pressure    (psi)", "SurgeLbl", 6.83, 0.67},
};

constexpr double kGpmPerCfs = 448.83;
constexpr double kPsiPerFoot = 0.43344;

db::Field* Prof(const char* name)
{
    return DMod->WorkProfTable->FieldByName(QString::fromLatin1(name));
}

db::Field* Head(const char* name)
{
    return DMod->WorkPipeTable->FieldByName(QString::fromLatin1(name));
}

// The header row's value, 0 when the header table is closed or empty.
double HeadFloat(const char* name)
{
    db::Table* t = DMod->WorkPipeTable;
    return t->Active() && !t->IsEmpty() ? Head(name)->AsFloat() : 0.0;
}

QString HeadText(const char* name)
{
    db::Table* t = DMod->WorkPipeTable;
    return t->Active() && !t->IsEmpty() ? Head(name)->AsString() : QString();
}

} // namespace

TQRDetail::TQRDetail(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRDetail"));
    SetCaption(QStringLiteral("QRDetail"));
    buildDetail();
    buildThrust();
    QRCompositeReport1.Title = QuickRepDetail.ReportTitle;
    QRCompositeReport1.OnAddReports = [this](CompositeReport& c) { QRCompositeReport1AddReports(c); };
}

void TQRDetail::buildDetail()
{
    Report& r = QuickRepDetail;
    r.ReportTitle = QStringLiteral("Detailed Pipeline Hydraulic Report");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkProfTable;
    r.PrintIfEmpty = false;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepDetailBeforePrint(rep); };
    r.OnStartPage = [this](Report& rep) { QuickRepDetailStartPage(rep); };
    db::Table* head = DMod->WorkPipeTable;

    // ---- title band ----
    double top = 0;
    Band* tb = reports::AddCommonTitleBand(r, head, QStringLiteral("Main Pipeline"), {}, top);
    tb->BeforePrint = [this](Band& b, bool& p) { TitleBand1BeforePrint(b, p); };
    const QFont f = ReportFont(9);
    Label* sys = tb->AddLabel(QStringLiteral("SysType"), QString(), 0, top, 7.5);
    sys->Font = ReportFont(10, true);
    top += 0.24;
    // Two columns of "caption = value unit" lines.
    auto line = [&](const char* cap, const char* capText, report::Control* value, const char* unit, const char* unitText,
                    double x, double y, double capWidth) {
        Label* c = tb->AddLabel(QString::fromLatin1(cap), QString::fromLatin1(capText), x, y, capWidth, Qt::AlignRight);
        c->Font = f;
        value->Rect = QRectF(x + capWidth + 0.06, y, 0.62, 0);
        value->Font = f;
        if (unit) {
            Label* u = tb->AddLabel(QString::fromLatin1(unit), QString::fromLatin1(unitText), x + capWidth + 0.72, y, 0.4);
            u->Font = f;
        }
    };
    auto dbText = [&](const char* name, const char* field) -> report::Control* {
        return tb->AddDBText(QString::fromLatin1(name), head, QString::fromLatin1(field), 0, 0);
    };
    auto label = [&](const char* name) -> report::Control* { return tb->AddLabel(QString::fromLatin1(name), QString(), 0, 0); };
    const double ax = 0, aw = 2.45, bx = 3.75, bw = 2.3, dy = 0.18;
    line("WSLbl", "Water Surface Elevation =", dbText("QRDBWS", "WSElev"), "WSftLbl", "feet,", ax, top, aw);
    line("InletPsiLbl", "Available Inlet Pressure =", dbText("InletPsiQRDB", "PsiIn"), "psiLbl", "psi", bx, top, bw);
    line("HGLMinLbl", "HGL Minimum Clearance =", dbText("HGLQRDB", "ClearHead"), "feetLbl", "feet,", ax, top + dy, aw);
    line("QRLabel4", "Outlet Elevation =", dbText("QRDBText9", "OutletElev"), "PsQRLabel1", "feet,", bx, top + dy, bw);
    line("QRLabelPsiOut", "Required Outlet Pressure =", label("OutletPsiLbl"), "OutPsiLbl", "", ax, top + 2 * dy, aw);
    line("OutPresLbl", "Actual Outlet Pressure =", label("OutPLbl"), "PsiLbl2", "psi", bx, top + 2 * dy, bw);
    line("ReqWSabel", "Required Outlet Watersurface Elevation =", label("OutletWSLbl"), nullptr, nullptr, ax,
         top + 3 * dy, aw);
    top += 4 * dy;
    Label* notesCap = tb->AddLabel(QStringLiteral("QRLabel3"), QStringLiteral("Entrance Notes:"), 0, top, 1.0);
    notesCap->Font = ReportFont(9, true);
    Memo* notes = tb->AddMemo(QStringLiteral("QRDBText17"), QRectF(1.05, top, 6.45, 0.3));
    notes->DataSet = head;
    notes->DataField = QStringLiteral("EntranceNotes");
    notes->Font = ReportFont(8);
    tb->Height = top + 0.36;

    // ---- column header ----
    Band* ch = r.AddBand(BandType::ColumnHeader, QStringLiteral("ColumnHeaderBand1"), 0.72);
    ch->BeforePrint = [this](Band& b, bool& p) { ColumnHeaderBand1BeforePrint(b, p); };
    Label* nodeData = ch->AddLabel(QStringLiteral("QRLabel5"), QStringLiteral("NODE DATA"), 0, 0, 2.0);
    nodeData->Font = ReportFont(9, true);
    for (const Column& c : kColumns) {
        Memo* m = ch->AddMemo(QString::fromLatin1(c.captionName), QRectF(c.left, 0.2, c.width - 0.04, 0.5),
                              QString::fromLatin1(c.caption));
        m->Font = ReportFont(7, true);
        m->Alignment = Qt::AlignHCenter;
    }

    // ---- detail band: the node line, then the reach below it ----
    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 1.3);
    d->BeforePrint = [this](Band& b, bool& p) { DetailBand1BeforePrint(b, p); };
    db::Table* prof = DMod->WorkProfTable;
    const QFont nf = ReportFont(8);
    const QFont nb = ReportFont(8, true);
    for (const Column& c : kColumns) {
        const QString name = QString::fromLatin1(c.valueName);
        const QRectF box(c.left, 0.05, c.width - 0.1, 0);
        report::Control* v = nullptr;
        if (name == "QRDBText7")
            v = d->AddDBText(name, prof, QStringLiteral("TSta"), 0, 0);
        else if (name == "QRDBText8")
            v = d->AddDBText(name, prof, QStringLiteral("GroundElev"), 0, 0, 0, QStringLiteral("###0.0"));
        else if (name == "QRDBText10")
            v = d->AddDBText(name, prof, QStringLiteral("InvertElev"), 0, 0, 0, QStringLiteral("###0.0"));
        else if (name == "QRDBText11")
            v = d->AddDBText(name, prof, QStringLiteral("Hgl"), 0, 0, 0, QString::fromLatin1(reports::mask::Head));
        else if (name == "QRDBText12")
            v = d->AddDBText(name, prof, QStringLiteral("Egl"), 0, 0, 0, QString::fromLatin1(reports::mask::Head));
        else if (name == "QRDBText13")
            v = d->AddDBText(name, prof, QStringLiteral("Psi"), 0, 0, 0, QStringLiteral("####0.00"));
        else if (name == "QRDBText16")
            v = d->AddDBText(name, prof, QStringLiteral("Kloss"), 0, 0, 0, QString::fromLatin1(reports::mask::Loss));
        else
            v = d->AddLabel(name, QString(), 0, 0);
        v->Rect = box;
        v->Font = name == "QRDBText7" ? nb : nf;
        v->Alignment = name == "QRDBText7" ? Qt::AlignLeft : Qt::AlignRight;
    }

    const double x0 = 0.95;   // reach lines begin after the bullet
    const double lh = 0.15;
    double y = 0.24;
    auto lbl = [&](const char* name, const char* text, double x, double yy, double w = 0) {
        Label* l = d->AddLabel(QString::fromLatin1(name), QString::fromLatin1(text), x, yy, w);
        l->Font = nf;
        return l;
    };
    auto txt = [&](const char* name, const char* field, double x, double yy, double w, const char* m = "") {
        DBText* t = d->AddDBText(QString::fromLatin1(name), prof, QString::fromLatin1(field), x, yy, w,
                                 QString::fromLatin1(m));
        t->Font = nf;
        return t;
    };
    lbl("L1", "REACH DATA", 0, y, 0.85)->Font = nb;
    lbl("L2", ">", x0 - 0.12, y, 0.1);
    lbl("L3", "Pipe:", x0, y, 0.4);
    txt("Q1", "DownStreamPipeDescription", x0 + 0.4, y, 3.1);
    txt("Q6", "CalcMethod", 4.5, y, 3.0);
    y += lh;
    lbl("L4", ">", x0 - 0.12, y, 0.1);
    lbl("L5", "Pipe inside diameter = ", x0, y, 1.3);
    txt("Q2", "DiaIn", x0 + 1.3, y, 0.55, reports::mask::Diameter);
    lbl("L6", "inches,  Pressure rating =", x0 + 1.85, y, 1.5);
    txt("Q8", "PressurRating", x0 + 3.35, y, 0.5);
    lbl("L15", "psi", x0 + 3.85, y, 0.3);
    y += lh;
    lbl("L7", ">", x0 - 0.12, y, 0.1);
    lbl("L8", "Flow rate                 = ", x0, y, 1.3);
    txt("Q3", "PipeQ", x0 + 1.3, y, 0.55, reports::mask::Flow);
    lbl("L9", "gpm,", x0 + 1.85, y, 0.35);
    lbl("cfsLbl", "", x0 + 2.2, y, 0.5);
    lbl("L16", "cfs,", x0 + 2.7, y, 0.3);
    lbl("QRLabelVel", "Velocity   =", x0 + 3.05, y, 0.75);
    lbl("VelLbl", "", x0 + 3.8, y, 0.55);
    lbl("L10", "ft/sec", x0 + 4.35, y, 0.45);
    y += lh;
    lbl("L11", ">", x0 - 0.12, y, 0.1);
    lbl("L12", "Pipe friction loss      = ", x0, y, 1.3);
    lbl("FricLbl", "", x0 + 1.3, y, 0.55);
    lbl("L13", "feet,  ", x0 + 1.85, y, 0.4);
    y += lh;
    lbl("QRLabel27", "Minor Losses: ", x0, y, 0.85);
    Memo* losses = d->AddMemo(QStringLiteral("LossLbl"), QRectF(x0 + 0.85, y, 7.5 - x0 - 0.85, 2 * 0.135));
    losses->Font = nf;
    y += 0.28;
    lbl("InfoLbl", "", x0, y, 7.5 - x0)->Font = nb;
    y += lh;
    // A booster's pump on a line of its own, taking room only on its row.
    Memo* pump = d->AddMemo(QStringLiteral("PumpLbl"), QRectF(x0, y, 7.5 - x0, 0));
    pump->Font = nb;
    pump->Stretch = true;
    // The warning comes last, below the pump: a long one makes the band taller.
    Memo* warning = d->AddMemo(QStringLiteral("Q7"), QRectF(x0, y + 0.001, 7.5 - x0, 0));
    warning->DataSet = prof;
    warning->DataField = QStringLiteral("Warning");
    warning->Font = nb;
    warning->Color = QColor(0xB0, 0, 0);
    warning->Stretch = true;
    y += 0.17;
    d->Height = y;
    d->AddShape(QStringLiteral("DetailRule"), ShapeKind::HorzLine, QRectF(0, 0, 7.5, 0.01))->PenWidth = 0.5;

    r.AddBand(BandType::Summary, QStringLiteral("SummaryBand1"), 0.1);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRDetail::buildThrust()
{
    Report& r = QuickRepThrust;
    r.DataSet = DMod->WorkProfTable;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepThrustStartPage(rep); };
    db::Table* prof = DMod->WorkProfTable;

    Band* tb = r.AddBand(BandType::Title, QStringLiteral("TitleBand2"), 0.75);
    Label* title = tb->AddLabel(QStringLiteral("QRLabel30"), QStringLiteral("Thrust Block Requirements"), 0, 0, 0,
                                Qt::AlignHCenter);
    title->Font = ReportFont(14, true);
    const QFont hf = ReportFont(9, true);
    tb->AddLabel(QStringLiteral("QRLabel31"), QStringLiteral("Statio No"), 0, 0.45, 0.9)->Font = hf;
    tb->AddLabel(QStringLiteral("QRLabel32"), QStringLiteral("Fitting"), 1.0, 0.45, 2.0)->Font = hf;
    tb->AddLabel(QStringLiteral("QRLabel33"), QStringLiteral("Soil Type"), 3.6, 0.45, 2.0)->Font = hf;
    tb->AddShape(QStringLiteral("ThrustRule"), ShapeKind::HorzLine, QRectF(0, 0.66, 7.5, 0.04))->PenWidth = 0.75;

    Band* d = r.AddBand(BandType::Detail, QStringLiteral("DetailBand2"), 0.42);
    d->BeforePrint = [this](Band& b, bool& p) { DetailBand2BeforePrint(b, p); };
    const QFont f = ReportFont(9);
    d->AddDBText(QStringLiteral("TB1"), prof, QStringLiteral("TSta"), 0, 0.02, 0.9)->Font = ReportFont(9, true);
    d->AddLabel(QStringLiteral("Lbl5"), QString(), 1.0, 0.02, 2.5)->Font = f;
    d->AddDBText(QStringLiteral("TB3"), prof, QStringLiteral("Soil"), 3.6, 0.02, 3.9)->Font = f;
    d->AddLabel(QStringLiteral("Lbl3"), QStringLiteral("Soil Bearing Strength (lb/sq ft):"), 1.0, 0.2, 2.1)->Font = f;
    d->AddDBText(QStringLiteral("TB4"), prof, QStringLiteral("ThBlkSoil"), 3.1, 0.2, 0.7)->Font = f;
    d->AddLabel(QStringLiteral("Lbl4"), QStringLiteral("Required Thrust Block Area (Sq ft):"), 3.9, 0.2, 2.3)->Font = f;
    d->AddDBText(QStringLiteral("TB5"), prof, QStringLiteral("ThBlockArea"), 6.2, 0.2, 0.6,
                 QStringLiteral("##0.0"))->Font = f;

    r.AddBand(BandType::Summary, QStringLiteral("SummaryBand2"), 0.1);
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand2"));
}

void TQRDetail::FormShow()
{
    reports::ArrowCursor();
}

void TQRDetail::QuickRepDetailStartPage(Report&)
{
    reports::ArrowCursor();
}

void TQRDetail::QuickRepThrustStartPage(Report&)
{
    reports::ArrowCursor();
}

// Every generation (the preview, and again a print from it) starts the
// running values afresh, so a print gives what the preview showed.
void TQRDetail::QuickRepDetailBeforePrint(Report&)
{
    if (!DMod->WorkPipeTable->Active())
        DMod->WorkPipeTable->Open();
    CumulativeLoss = 0.0;
    PrevReachFriction = 0.0;
    PrevDiaIn = 0.0;
}

void TQRDetail::QRCompositeReport1AddReports(CompositeReport& c)
{
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active())
        prof->Open();
    HasThrust = false;
    for (prof->First(); !prof->Eof(); prof->Next())
        if (Prof("ThBlockArea")->AsFloat() > 0.0)
            HasThrust = true;
    prof->First();
    CumulativeLoss = 0.0;
    PrevDiaIn = 0.0;
    reports::ArrowCursor();

    c.Add(&QuickRepDetail);
    if (HasThrust)
        c.Add(&QuickRepThrust);
    // The sections exist when their opener made them under the same tests.
    if (Tul->SysHas == 1 && QRGated)
        c.Add(&QRGated->QuickRepGated);
    if (Tul->SysHas == 2 && QRManifEndDetail)
        c.Add(&QRManifEndDetail->QuickRepEndManifold);
    ChainPumpSections(c);
}

void TQRDetail::TitleBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepDetail;
    LabelOf(r, "OutPLbl")->Caption = FixedText(Tul->EndPsi, 6, 2);

    QString system;
    const auto inletTrio = {"InletPsiLbl", "InletPsiQRDB", "psiLbl"};
    const auto clearanceTrio = {"HGLMinLbl", "HGLQRDB", "feetLbl"};
    switch (Tul->SysTypeCode) {
    case 0:
        system = QStringLiteral("Gravity system, known flow");
        SetEnabled(r, inletTrio, false);
        SetEnabled(r, clearanceTrio, Tul->PumpTypeCode == 8);
        break;
    case 1:
        system = QStringLiteral("Gravity system, maximum flow");
        SetEnabled(r, inletTrio, false);
        SetEnabled(r, clearanceTrio, false);
        SetEnabled(r, {"OutPresLbl", "OutPLbl", "PsiLbl2"}, false);
        break;
    case 2:
        system = QStringLiteral("Pumped system, known flow");
        SetEnabled(r, inletTrio, false);
        SetEnabled(r, clearanceTrio, true);
        if (Tul->PumpTypeCode == 7)
            reports::SetCaption(r, "StatPres2Lbl", QStringLiteral("Off Pressure    (psi)"));
        break;
    case 3:
        system = QStringLiteral("Pressurized lateral, known flow");
        SetEnabled(r, inletTrio, false);
        SetEnabled(r, clearanceTrio, Tul->PumpTypeCode == 5);
        break;
    default:
        break;
    }

    QString pump;
    switch (Tul->PumpTypeCode) {
    case 1: pump = QStringLiteral(", using a centrifugal pump"); break;
    case 2: pump = QStringLiteral(", using a turbine pump"); break;
    case 3: pump = QStringLiteral(", using a propeller pump"); break;
    case 4: pump = QStringLiteral(", using a booster pump from mainline"); break;
    case 5: pump = QStringLiteral(", find required pressure at mainline"); break;
    case 6: pump = QStringLiteral(", using known pressure from mainline"); break;
    case 7: pump = QStringLiteral(", automatic pressure tank controlled system"); break;
    default: break;
    }
    QString end;
    if (Tul->SysHas == 1)
        end = QStringLiteral(", W/Gated pipe at end");
    else if (Tul->SysHas == 2)
        end = QStringLiteral(", W/Manifold at end");

    const QString outletPsi = HeadText("OutletPsi");
    if (outletPsi.isEmpty() || outletPsi == QLatin1String("0")) {
        LabelOf(r, "OutletPsiLbl")->Caption = QStringLiteral("None");
        LabelOf(r, "OutPsiLbl")->Caption = QString();
        LabelOf(r, "OutletWSLbl")->Caption = QStringLiteral("None");
    } else {
        LabelOf(r, "OutletPsiLbl")->Caption = outletPsi;
        LabelOf(r, "OutPsiLbl")->Caption = QStringLiteral("psi");
        const double reqWS = HeadFloat("ReqOutletWS");
        LabelOf(r, "OutletWSLbl")->Caption =
            reqWS != 0.0 ? FixedText(reqWS, 6, 1)
                         : FixedText(HeadFloat("OutletElev") + HeadFloat("OutletPsi") / kPsiPerFoot, 6, 1);
    }

    LabelOf(r, "SysType")->Caption = system + pump + end;

    if (HeadFloat("WSElev") == kNoWaterSurface) {
        LabelOf(r, "WSLbl")->Caption = QString();
        LabelOf(r, "WSftLbl")->Caption = QString();
        SetEnabled(r, {"QRDBWS"}, false);
        SetEnabled(r, clearanceTrio, true);
    }
    // A main whose pressure was to be found shows what the run found it
    // must give; any other main the pressure it was given.
    const bool found = Tul->PumpTypeCode == kPumpPressFind;
    LabelOf(r, "InletPsiLbl")->Caption =
        found ? QString::fromLatin1(kRequiredInletCaption) : QStringLiteral("Available Inlet Pressure =");
    static_cast<DBText*>(reports::ControlOf(r, "InletPsiQRDB"))->Mask =
        found ? QString::fromLatin1(reports::mask::Pressure) : QString();
    if (found || HeadFloat("WSElev") == kNoWaterSurface)
        SetEnabled(r, inletTrio, true);
}

void TQRDetail::ColumnHeaderBand1BeforePrint(Band&, bool&)
{
    if (Tul->PumpTypeCode == 7)
        reports::SetCaption(QuickRepDetail, "StatPres2Lbl", QStringLiteral("Off Pressure    (psi)"));
}

void TQRDetail::DetailBand1BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepDetail;
    LabelOf(r, "QRLabel27")->Caption = QStringLiteral("Minor Losses:");

    const int nodeType = Prof("NodeType")->AsInteger();
    const double columnLoss = HeadFloat("ColumnLoss");
    QString losses;
    if (columnLoss > 0 && nodeType == 0) {
        const QString loss = FormatMask(columnLoss, QString::fromLatin1(reports::mask::Head));
        if (Tul->PumpTypeCode == 1)
            losses = QStringLiteral("Suction pipe Friction= ") + loss;
        else if (Tul->PumpTypeCode == 3)
            losses = QStringLiteral("Column Friction= ") + loss;
    }

    const QString desc1 = Prof("KDescription1")->AsString();
    const QString items = reports::LossItemsText(DMod->WorkProfTable, PrevDiaIn, ItemId);
    if (items.isEmpty()) {
        if (losses.isEmpty())
            losses = QStringLiteral("None");
    } else {
        // The items follow the column or suction friction when there is one.
        losses = losses.isEmpty() ? items : losses + QStringLiteral("; ") + items;
    }
    PrevDiaIn = Prof("DiaIn")->AsFloat();

    const double kloss = Prof("Kloss")->AsFloat();
    if (kloss > 0 && (!Tul->DetailedML || (nodeType == 0 && desc1.isEmpty())))
        losses = QStringLiteral("Minor losses = ") + FormatMask(kloss, QString::fromLatin1(reports::mask::Loss))
                 + QStringLiteral(" feet");
    reports::SetCaption(r, "LossLbl", losses);

    const double depth = Prof("PipeDepth")->AsFloat();
    LabelOf(r, "QRLblPDepth")->Caption = depth > 0 ? FixedText(depth, 5, 1) : QStringLiteral("NA");

    if (nodeType == 0) {
        CumulativeLoss = 0.0;
        PrevReachFriction = 0.0;
    }
    CumulativeLoss += PrevReachFriction + kloss;
    const double floss = Prof("Floss")->AsFloat();
    PrevReachFriction = floss;   // the reach below counts from the next node on
    LabelOf(r, "QRTotFricLabel")->Caption = FixedText(CumulativeLoss, 6, 3);

    const double statPres = Prof("StatPres")->AsFloat();
    LabelOf(r, "QRLblStatPres")->Caption = statPres > 0 ? FixedText(statPres, 6, 2) : QStringLiteral("NA");
    const double vent = Prof("AirVacSize")->AsFloat();
    LabelOf(r, "VentLbl")->Caption = vent > 0 ? FixedText(vent, 6, 1) : QStringLiteral("None");

    const double vel = Prof("Vel")->AsFloat();
    const double pipeQ = Prof("PipeQ")->AsFloat();
    const double diaIn = Prof("DiaIn")->AsFloat();
    LabelOf(r, "VelLbl")->Caption = FixedText(vel, 6, 3);
    LabelOf(r, "cfsLbl")->Caption = FixedText(pipeQ / kGpmPerCfs, 6, 2);
    LabelOf(r, "FricLbl")->Caption = FixedText(floss, 6, 3);
    const double surge = Prof("Surge")->AsFloat();
    LabelOf(r, "SurgeLbl")->Caption = surge > 0 ? FixedText(surge, 5, 2) : QStringLiteral("NA");

    SetEnabled(r, {"Q7"}, true);
    const bool reach = !Prof("PipeType")->AsString().isEmpty();
    SetEnabled(r, {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9", "L10", "L11", "L12", "L13", "L15", "L16",
                   "Q1", "Q2", "Q3", "VelLbl", "FricLbl", "cfsLbl", "Q6", "Q8", "QRLabelVel"},
               reach);
    if (floss == 0)
        SetEnabled(r, {"FricLbl", "L12", "L13"}, false);
    const bool noFlow = diaIn == 0 || vel == 0;
    if (noFlow)
        SetEnabled(r, {"L5", "L6", "L15", "L10", "VelLbl", "Q2", "FricLbl", "L12", "L13", "Q8", "QRLabelVel"}, false);
    LabelOf(r, "L9")->Caption = noFlow ? QStringLiteral("gpm") : QStringLiteral("gpm,");

    QString info, pump;
    const bool inlineBooster = Tul->PumpTypeCode == 8;
    const double psiSet = Prof("PsiSet")->AsFloat();
    if (Prof("OutQ")->AsFloat() > 0) {
        info = QStringLiteral("Outflow at this station = ") + Prof("OutQ")->AsString() + QStringLiteral(" gpm");
    } else if (Prof("InQ")->AsFloat() > 0) {
        info = QStringLiteral("Inflow at this station = ") + Prof("InQ")->AsString() + QStringLiteral(" gpm");
    } else if (nodeType == 2) {
        // Each node's own set line: with several set-pressure nodes the job
        // object only remembers the last one.
        info = QStringLiteral("Boster Pump, DS pressure set at ") + Prof("PsiSet")->AsString()
               + QStringLiteral(" psi, HGL boosted to elev = ")
               + FixedText(StoredGradeBelowNode(), 6, 3) + QStringLiteral(" ft");
        if (inlineBooster)
            pump = QStringLiteral("Pump: ") + PumpFiguresText(StoredBoosterHead(), pipeQ, HeadFloat("PumpEffic"));
    } else if (nodeType == 3 && psiSet <= 0) {
        // The run reduces nothing without a setting; no reduced line to print.
        info = QStringLiteral("Pressure reducer without a set pressure: HGL not reduced");
    } else if (nodeType == 3) {
        info = QStringLiteral("REQUIRES Pressure Reducer Valve, DS pressure set at ") + Prof("PsiSet")->AsString()
               + QStringLiteral(" psi, Reduced HGL Elev = ")
               + FixedText(StoredGradeBelowNode(), 5, 2) + QStringLiteral(" ft");
    }
    LabelOf(r, "InfoLbl")->Caption = info;
    reports::SetCaption(r, "PumpLbl", pump);
}

void TQRDetail::DetailBand2BeforePrint(Band&, bool&)
{
    const Report& r = QuickRepThrust;
    const QString fitting = Prof("Fitting")->AsString();
    const bool has = !(fitting.isEmpty() || fitting == QLatin1String("None"));
    LabelOf(r, "Lbl5")->Caption = has ? fitting : QStringLiteral("None");
    SetEnabled(r, {"Lbl3", "Lbl4", "TB3", "TB4", "TB5"}, has);
}
