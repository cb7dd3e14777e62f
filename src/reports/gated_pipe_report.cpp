#include "reports/gated_pipe_report.h"

#include "model/data_module.h"
#include "model/job.h"
#include "model/number_text.h"
#include "reports/report_forms.h"

using namespace report;

namespace reports {

namespace {

// The six columns of the station table, left to right.
const double kColLeft[6] = {2.2, 3.0, 3.8, 4.6, 5.4, 6.2};
const double kColWidth = 0.75;

struct TableRow {
    const char* caption;
    const char* fields[6];
    const char* names[6];   // the cells' control names
    const char* mask;
};

const TableRow kRows[] = {
    {"Open gate segment station",
     {"StartTsta", "StaATsta", "MidTsta", "StaCTsta", "StaDTsta", "EndTsta"},
     {"StartStaTxt", "AStaTxt", "BegMidSta", "EndMidSta", "DStaTxt", "EndStaTxt"},
     ""},
    {"Ground elevation ",
     {"StartElev", "StaAElev", "MidElev", "StaCElev", "StaDElev", "EndElev"},
     {"StartElevTxt", "AElevTxt", "BegMidElev", "EndMidElev", "DElevTxt", "EndElevTxt"},
     "###0.0"},
    {"Operating pressure         (psi)",
     {"Startpsi", "StaApsi", "Midpsi", "StaCpsi", "StaDpsi", "Endpsi"},
     {"StartPsiTxt", "APsiTxt", "BegMidPsi", "EndMidPsi", "DPsiTxt", "EndPsiTxt"},
     "##0.00"},
    {"Static pressure               (psi)",
     {"StartStatPres", "StaAStatPres", "MidStatPres", "StaCStatPres", "StaDStatPres", "EndStatPres"},
     {"StartStat", "AStat", "BegMidStat", "EndMidStat", "DStat", "EndStat"},
     "##0.00"},
    {"Hydraulic gradeline elevation ",
     {"StartHGL", "StaAHgl", "MidHGL", "StaCHgl", "StaDHgl", "EndHGL"},
     {"StartHGLTxt", "AHGLTxt", "BegMidHGL", "EndMidHGL", "DHGLTxt", "EndHGLTxt"},
     "##0.00"},
};

const char* const kMidCells[] = {"BegMidSta", "BegMidElev", "BegMidPsi", "BegMidStat", "BegMidHGL",
                                 "EndMidSta", "EndMidElev", "EndMidPsi", "EndMidStat", "EndMidHGL"};

} // namespace

QString OpenLengthText(double gates, double gateSpaceInches)
{
    return FixedText(gates * gateSpaceInches / 12.0, 6, 1);
}

bool GatedStaticPressuresPrint(bool calculator)
{
    return Tul->SysTypeCode == 0 || Tul->PumpTypeCode == 6 || (calculator && Tul->SysTypeCode == 5);
}

void AddGatedDetails(Band& b, double top, bool calculator)
{
    db::Table* g = DMod->WorkGatedTable;
    db::Table* head = DMod->WorkPipeTable;
    const QFont f = ReportFont(9);
    const QFont bold = ReportFont(9, true);
    double y = top;
    auto line = [&](const char* capName, const char* caption, Control* value) {
        Label* c = b.AddLabel(QString::fromLatin1(capName), QString::fromLatin1(caption), 0, y, 3.3);
        c->Font = f;
        value->Rect = QRectF(3.35, y, 1.6, 0.17);
        value->Font = f;
        y += 0.18;
    };
    auto dbText = [&](db::Table* t, const char* field, const char* mask = "") -> Control* {
        return b.AddDBText(QString::fromLatin1(field), t, QString::fromLatin1(field), 0, 0, 0,
                           QString::fromLatin1(mask));
    };
    line("PipeDescCap", "Pipe Description                                    =", dbText(g, "PipeDescription"));
    if (calculator) {
        line("PipeQCap", "Flow rate at entrance                    (gpm) =", dbText(g, "PipeQ"));
        line("DiaInCap", "Pipe inside diameter                         (in) =", dbText(g, "DiaIn", mask::Diameter));
        line("PipeVelCap", "Velocity at entrance                    (ft/sec) =", dbText(g, "PipeVel", mask::Velocity));
        line("RatingCap", "Pipe pressure rating                        (psi) =", dbText(g, "PressureRating"));
        // One of the two is entered, the other worked out from it.
        line("WSElevCap", "Water surface elevation                      (ft) =", dbText(head, "WSElev", mask::Head));
        line("PsiInCap", "Pressure at inlet                             (psi) =", dbText(head, "PsiIn", mask::Pressure));
    }
    line("RchLenCap", "Gated pipeline length                         (ft) =", dbText(g, "RchLen", mask::Length));
    line("GateFlowCap", "Flow per gate                                (gpm) = ", dbText(g, "GateFlow"));
    line("GateSpaceCap", "Gate spacing                                   (in)  = ", dbText(g, "GateSpace"));
    line("NoOfGatesCap", "Number of open gates                             = ", dbText(g, "NoOfGates"));
    line("LenOpenCap", "Length of open gate segment              (ft) =",
         b.AddLabel(QStringLiteral("LenOpenLbl"), QString(), 0, 0));
    line("FlossCap", "Pipe friction loss in one open segment (ft) =  ", dbText(g, "OpenSegFloss", mask::Loss));
    // The friction method follows its loss, wrapped within the page.
    Memo* method = b.AddMemo(QStringLiteral("CalcMethod"), QRectF(4.3, y - 0.18, 3.2, 0.17));
    method->DataSet = g;
    method->DataField = QStringLiteral("CalcMethod");
    method->Font = f;
    method->Stretch = true;
    y += 0.1;

    // The station table.
    const char* groups[] = {"Upstream Segment", "Intermediate Segment", "Downstream segment"};
    for (int i = 0; i < 3; ++i) {
        Label* l = b.AddLabel(QStringLiteral("GroupCap%1").arg(i), QString::fromLatin1(groups[i]), kColLeft[2 * i], y,
                              2 * kColWidth + 0.05, Qt::AlignHCenter);
        l->Font = bold;
    }
    y += 0.18;
    for (int c = 0; c < 6; ++c) {
        Label* open = b.AddLabel(QStringLiteral("OpenCap%1").arg(c), QStringLiteral("Open"), kColLeft[c], y, kColWidth,
                                 Qt::AlignHCenter);
        open->Font = f;
        Label* end = b.AddLabel(QStringLiteral("BeginEndCap%1").arg(c),
                                c % 2 ? QStringLiteral("End") : QStringLiteral("Begin"), kColLeft[c], y + 0.16,
                                kColWidth, Qt::AlignHCenter);
        end->Font = f;
    }
    y += 0.36;
    Shape* upper = b.AddShape(QStringLiteral("TableTopRule"), ShapeKind::HorzLine, QRectF(0, y, 7.0, 0.02));
    upper->PenWidth = 0.75;
    y += 0.04;
    for (const TableRow& row : kRows) {
        Label* cap = b.AddLabel(QString::fromLatin1(row.names[0]) + QStringLiteral("Cap"),
                                QString::fromLatin1(row.caption), 0, y, 2.15);
        cap->Font = f;
        for (int c = 0; c < 6; ++c) {
            DBText* t = b.AddDBText(QString::fromLatin1(row.names[c]), g, QString::fromLatin1(row.fields[c]),
                                    kColLeft[c], y, kColWidth, QString::fromLatin1(row.mask), Qt::AlignRight);
            t->Font = f;
        }
        y += 0.18;
    }
    Shape* lower = b.AddShape(QStringLiteral("TableBottomRule"), ShapeKind::HorzLine, QRectF(0, y, 7.0, 0.02));
    lower->PenWidth = 0.75;
    y += 0.06;

    // The two head control fittings: entrance under the start column,
    // intermediate under the mid column.
    const char* lossCap = calculator ? "Head control fitting loss   (ft)" : "Head control fitting loss     (ft)";
    const char* kCap = calculator ? "Loss factor             (Km)" : "Loss Factor             (Km)";
    Label* lc = b.AddLabel(QStringLiteral("LossCap"), QString::fromLatin1(lossCap), 0, y, 2.15);
    lc->Font = f;
    for (auto [name, field, col] : {std::tuple{"ML1Txt", "ML1", 0}, std::tuple{"ML2Txt", "ML2", 2}}) {
        DBText* t = b.AddDBText(QString::fromLatin1(name), g, QString::fromLatin1(field), kColLeft[col], y, kColWidth,
                                QStringLiteral("##0.00"), Qt::AlignRight);
        t->Font = f;
    }
    y += 0.18;
    Label* kc = b.AddLabel(QStringLiteral("KCap"), QString::fromLatin1(kCap), 0, y, 2.15);
    kc->Font = f;
    for (auto [name, field, col] : {std::tuple{"K1Txt", "K1", 0}, std::tuple{"K2Txt", "K2", 2}}) {
        DBText* t = b.AddDBText(QString::fromLatin1(name), g, QString::fromLatin1(field), kColLeft[col], y, kColWidth,
                                QString(), Qt::AlignRight);
        t->Font = f;
    }
    y += 0.18;
    for (int n = 1; n <= 2; ++n) {
        Label* c = b.AddLabel(QStringLiteral("KDescCap%1").arg(n), QStringLiteral("Fitting description, Loss %1").arg(n),
                              0, y, 2.15);
        c->Font = f;
        DBText* t = b.AddDBText(QStringLiteral("KDescription%1").arg(n), g, QStringLiteral("KDescription%1").arg(n),
                                2.2, y, 4.5);
        t->Font = f;
        y += 0.18;
    }
    y += 0.06;
    Memo* warning = b.AddMemo(QStringLiteral("Warning"), QRectF(0, y, 7.5, 0));
    warning->DataSet = g;
    warning->DataField = QStringLiteral("Warning");
    warning->Font = bold;
    warning->Stretch = true;
    b.Height = y + 0.06;
}

void PrepareGatedDetails(const Report& r, bool staticPressures)
{
    TDMod* m = DMod;
    SetCaption(r, QStringLiteral("LenOpenLbl"),
               OpenLengthText(m->WorkGatedTableNoOfGates->AsFloat(), m->WorkGatedTableGateSpace->AsFloat()));
    const bool mid = m->WorkGatedTableIsMidSeg->AsBoolean();
    for (const char* name : kMidCells) ControlOf(r, QString::fromLatin1(name))->Enabled = mid;
    SetEnabled(r, {"StartStat", "AStat", "DStat", "EndStat"}, staticPressures);
    SetEnabled(r, {"BegMidStat", "EndMidStat"}, staticPressures && mid);
}

} // namespace reports

TQRGated::TQRGated(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRGated"));
    SetCaption(QStringLiteral("QRGated"));
    Report& r = QuickRepGated;
    r.ReportTitle = QStringLiteral("Gated Pipe Details");
    r.Title = r.ReportTitle;
    r.DataSet = DMod->WorkGatedTable;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.BeforePrint = [this](Report& rep) { QuickRepGatedBeforePrint(rep); };
    r.OnStartPage = [this](Report& rep) { QuickRepGatedStartPage(rep); };
    Band* b = r.AddBand(BandType::Title, QStringLiteral("TitleBand1"), 1.0);
    Label* title = b->AddLabel(QStringLiteral("QRLabel1"), QStringLiteral("Gated Pipe Details"), 0, 0, 0, Qt::AlignHCenter);
    title->Font = reports::ReportFont(12, true);
    Label* sub = b->AddLabel(QStringLiteral("QRLabel2"),
                             QStringLiteral("(Data is for when gates are open in one segment at a time)"), 0, 0.25, 0,
                             Qt::AlignHCenter);
    sub->Font = reports::ReportFont(9);
    reports::AddGatedDetails(*b, 0.5, false);
    b->BeforePrint = [this](Band& band, bool& p) { TitleBand1BeforePrint(band, p); };
    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRGated::FormShow()
{
    if (!DMod->WorkGatedTable->Active()) DMod->WorkGatedTable->Open();
    reports::ArrowCursor();
}

void TQRGated::QuickRepGatedBeforePrint(Report&) { reports::ArrowCursor(); }
void TQRGated::QuickRepGatedStartPage(Report&) { reports::ArrowCursor(); }

void TQRGated::TitleBand1BeforePrint(Band&, bool&)
{
    reports::ArrowCursor();
    reports::PrepareGatedDetails(QuickRepGated, reports::GatedStaticPressuresPrint(false));
}
