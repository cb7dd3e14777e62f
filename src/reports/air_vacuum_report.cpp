#include "reports/air_vacuum_report.h"

#include "model/data_module.h"
#include "reports/report_forms.h"

using namespace report;

namespace {

struct Line {
    const char* name;      // the data text; its caption is name + "Cap"
    const char* caption;
    const char* field;
    const char* mask;
    const char* unit;
};

// Caption, value and unit lines from `y` down; returns where they end.
double AddLines(Band* b, db::Table* t, std::initializer_list<Line> lines, double left, double y)
{
    const QFont f = reports::ReportFont(9);
    const double step = 0.19;
    for (const Line& l : lines) {
        b->AddLabel(QString::fromLatin1(l.name) + QStringLiteral("Cap"), QString::fromLatin1(l.caption), left, y,
                    3.4)->Font = f;
        b->AddDBText(QString::fromLatin1(l.name), t, QString::fromLatin1(l.field), left + 3.4, y, 1.6,
                     QString::fromLatin1(l.mask))->Font = f;
        if (*l.unit)
            b->AddLabel(QString::fromLatin1(l.name) + QStringLiteral("Unit"), QString::fromLatin1(l.unit),
                        left + 5.0, y, 1.0)->Font = f;
        y += step;
    }
    return y;
}

Label* Heading(Band* b, const char* name, const QString& caption, double left, double y)
{
    Label* l = b->AddLabel(QString::fromLatin1(name), caption, left, y);
    l->Font = reports::ReportFont(10, true);
    return l;
}

} // namespace

TQRAirvac::TQRAirvac(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("QRAirvac"));
    SetCaption(QStringLiteral("QRAirvac"));
    Report& r = QuickRepAirvac;
    r.ReportTitle = QStringLiteral("Air Vac Valve Orifice Computations");
    r.Title = r.ReportTitle;
    r.PrintIfEmpty = true;
    r.FirstPageHeader = true;
    r.LastPageFooter = true;
    r.OnStartPage = [this](Report& rep) { QuickRepAirvacStartPage(rep); };
    db::Table* t = DMod->WorkAvacTable;

    reports::TitleBandNames names;
    names.notes = "";   // printed below, where it may grow
    double top = 0;
    reports::AddCommonTitleBand(r, t, QString(), names, top);
    reports::SetCaption(r, QStringLiteral("QRDBText6Cap"), QStringLiteral("by:"));
    reports::SetCaption(r, QStringLiteral("PsQRDBText1Cap"), QStringLiteral("Land User:"));

    Band* comments = r.AddBand(BandType::ColumnHeader, QStringLiteral("CommentsBand"), 0.25);
    comments->AddLabel(QStringLiteral("CommentsCap"), QStringLiteral("Job Comments:"), 0, 0.02, 1.1)->Font =
        reports::ReportFont(9, true);
    Memo* notes = comments->AddMemo(QStringLiteral("QRDBText2"), QRectF(1.1, 0.02, 6.4, 0.2));
    notes->DataSet = t;
    notes->DataField = QStringLiteral("JobNotes");
    notes->Stretch = true;
    notes->Font = reports::ReportFont(9);

    // No data set: the detail band prints once.
    Band* b = r.AddBand(BandType::Detail, QStringLiteral("DetailBand1"), 4.5);
    double y = 0.1;
    Heading(b, "InputLbl", QStringLiteral("INPUT DATA"), 0, y);
    y = AddLines(b, t,
                 {{"PipeDescription", "Pipe description =", "PipeDescription", "", ""},
                  {"PipeMaterial", "Type of pipe material =", "PipeMaterial", "", ""},
                  // Worked out from the outside diameter and wall when not picked.
                  {"DiaIn", "Inside pipe diameter (in) =", "DiaIn", reports::mask::Diameter, ""},
                  {"OD", "Outside pipe diameter (in) =", "OD", "", ""},
                  {"PipeWallT", "Pipe wall thickness (in) =", "PipeWallT", "", ""},
                  {"Cfac", "Hazen Williams roughness coefficient (C) =", "Cfac", "", ""},
                  {"FlowCoef", "Flow coefficient =", "FlowCoef", "", ""},
                  {"AirDen", "Air density (pcf) =", "AirDen", "", ""},
                  {"PoissonsRatio", "Poissons ratio =", "PoissonsRatio", "", ""},
                  {"Modulus", "Modulus of elasticity (psi) = ", "Modulus", "", ""},
                  {"FillVelIn", "Pipe fill velocity (ft/sec) =", "FillVel", "", ""},
                  {"Slope", "Pipe slope (ft/ft) =", "Slope", "", ""}},
                 0.3, y + 0.25);
    Heading(b, "OutputLbl", QStringLiteral("OUTPUT"), 0, y + 0.1);
    y += 0.1;
    const struct {
        const char* name;
        const char* caption;
        std::initializer_list<Line> lines;
    } groups[] = {
        {"VacuumLbl", "Vacuum Relief Orifice Diameter",
         {{"VacOrifice", "Vacuum relief orifice diameter = ", "VacOrifice", "##0.00", "inches"},
          {"VacQ", "at maximum pipe discharge of:", "VacQ", "######0", "gpm"},
          {"PCollapse", "Pipe collapse pressuure = ", "PCollapse", "##0.0", "psi"}}},
        {"ReleaseLbl", "Air Release orifice Diameter",
         {{"AirRelOrifice", "Air release orifice diameter = ", "AirRelOrifice", "##0.00", "inches"},
          {"FillQ", "at a filling flow rate of:", "FillQ", "######0", "gpm"},
          {"FillVel", "Filling velocity =", "FillVel", "", "ft/sec"}}},
    };
    for (const auto& g : groups) {
        Heading(b, g.name, QString::fromLatin1(g.caption), 0.3, y + 0.25);
        y = AddLines(b, t, g.lines, 0.3, y + 0.5);
    }
    b->Height = y + 0.1;

    reports::AddPageFooter(r, QStringLiteral("PageFooterBand1"));
}

void TQRAirvac::FormShow()
{
    reports::ArrowCursor();
}

void TQRAirvac::QuickRepAirvacStartPage(Report&)
{
    reports::ArrowCursor();
}
