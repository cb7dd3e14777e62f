// The output page both designers share: entering it checks the profile,
// lays out a manifold end's manifold, runs the computation of
// the job and draws the result; its report buttons and its chart.
#include "designer/designer_form.h"

#include "designer/report_commands.h"
#include "dialogs/dialog_helpers.h"
#include "engine/hydraulics.h"
#include "engine/manifold_run.h"
#include "engine/pump_results.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_values_check.h"
#include "model/node_rules.h"
#include "platform/chart/chartwidget.h"
#include "platform/chart/colors.h"
#include "platform/chart/fonts.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <optional>

namespace {

using chart::PointerStyle;
using chart::Series;
using chart::SeriesKind;
using chart::WindowsColor;
namespace wc = chart::wincolor;

void error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

// Every reach but the last node's needs a pipe with a real bore; a reach
// without one would divide by a zero area in the runs.
bool reachesHavePipes(db::Table* prof, int nodes)
{
    prof->First();
    for (int k = 1; k < nodes; ++k, prof->Next()) {
        if (DMod->WorkProfTablePipeType->AsString().isEmpty()) return false;
        if (DMod->WorkProfTableDiaIn->AsFloat() <= 0.0) return false;
    }
    return true;
}

// The station of the first node before the last that is an end node (the
// runs would go through it); empty when there is none.
QString endNodeInMidProfile(db::Table* prof, int nodes)
{
    prof->First();
    for (int k = 1; k < nodes; ++k, prof->Next()) {
        const int type = DMod->WorkProfTableNodeType->AsInteger();
        if (IsEndNodeType(type)) return Hyd->StationText(DMod->WorkProfTableStation->AsFloat());
    }
    return QString();
}

// A manifold end's manifold is laid out afresh before every run, with the
// pipe-type factors of the end reach: the line's run shifts the manifold's
// grade by its own end grade, and that shift must start from the design
// grade, not from the one an earlier run left in the rows.
RunStatus runManifoldAtEnd()
{
    OpenIfClosed(DMod->TypeTable);
    const QString type = DMod->WorkProfTablePipeType->AsString();
    if (!type.isEmpty()) DMod->TypeTable->Locate(QStringLiteral("PipeType"), type);
    Tul->Nfactor = DMod->TypeTableNfactor->AsFloat();
    Tul->Cfactor = DMod->TypeTableCfactor->AsFloat();
    Tul->Efactor = DMod->TypeTableEfactor->AsFloat();
    if (DMod->WorkPipeTableSysHas->AsInteger() == 2) OpenIfClosed(DMod->WorkTrickleTable);
    // Without a manifold table there is no manifold to lay out.
    if (!DMod->WorkTrickleTable->Active()) return {};
    JManfld manifold;
    return manifold.RunManifold();
}

void setPointer(Series* s, PointerStyle style, int horiz, int vert, QColor color = QColor())
{
    s->Pointer.Visible = style != PointerStyle::None;
    s->Pointer.Style = style;
    s->Pointer.HorizSize = horiz;
    s->Pointer.VertSize = vert;
    s->Pointer.Color = color;
}

Series* addSeries(chart::Chart& c, SeriesKind kind, const char* title, quint32 color)
{
    Series* s = c.AddSeries(kind, QString::fromLatin1(title));
    s->Color = WindowsColor(color);
    return s;
}

} // namespace

// ---- building -------------------------------------------------------------------

void TDesignerForm::buildOutputPage(QWidget* page)
{
    auto* v = new QVBoxLayout(page);
    NotComputedLbl = AddNotComputedLabel(page, v);
    buildOutChart(page);
    v->addWidget(OutChart, 2);
    RunFaultsLbl = ui::Make<QLabel>(page, "RunFaultsLbl");
    RunFaultsLbl->setWordWrap(true);
    RunFaultsLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    RunFaultsLbl->setStyleSheet(QStringLiteral("color: maroon;"));
    RunFaultsLbl->hide();
    v->addWidget(RunFaultsLbl);
    PumpResultsLbl = ui::Make<QLabel>(page, "PumpResultsLbl");
    PumpResultsLbl->setWordWrap(true);
    PumpResultsLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PumpResultsLbl->hide();
    v->addWidget(PumpResultsLbl);
    DBGrid1 = ui::Make<QTableView>(page, "DBGrid1");
    v->addWidget(DBGrid1, 1);
    Panel2 = ui::Make<QFrame>(page, "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(Panel2);
    h->setContentsMargins(4, 2, 4, 2);
    QRDetailedSpdBtn = ui::Make<QPushButton>(Panel2, "QRDetailedSpdBtn", QStringLiteral("Detailed"));
    QRSummarySpdBtn = ui::Make<QPushButton>(Panel2, "QRSummarySpdBtn", QStringLiteral("Summary"));
    QRCostSpdBtn = ui::Make<QPushButton>(Panel2, "QRCostSpdBtn", QStringLiteral("Cost"));
    QRGraphBitBtn = ui::Make<QPushButton>(Panel2, "QRGraphBitBtn", QStringLiteral("Graph"));
    Help2SpdBtn = MakeHelpButton(Panel2, "Help2SpdBtn", QStringLiteral("Help"));
    for (QWidget* w : std::initializer_list<QWidget*>{QRDetailedSpdBtn, QRSummarySpdBtn, QRCostSpdBtn, QRGraphBitBtn,
                                                       Help2SpdBtn})
        h->addWidget(w);
    h->addStretch(1);
    v->addWidget(Panel2);
}

void TDesignerForm::buildOutChart(QWidget* page)
{
    OutChart = ui::Make<chart::ChartWidget>(page, "OutChart");
    chart::Chart& c = OutChart->chart();
    c.Title.Text = QStringLiteral("Profile");
    c.Title.Font = chart::MakeFont(QStringLiteral("Arial"), 10, true);
    c.Title.Color = WindowsColor(wc::Blue);
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");

    Series1 = addSeries(c, SeriesKind::Line, "Hydraulic Grade", wc::Red);
    setPointer(Series1, PointerStyle::Circle, 2, 2);
    Series2 = addSeries(c, SeriesKind::Line, "Ground Line", wc::Green);
    setPointer(Series2, PointerStyle::Triangle, 2, 2);
    Series3 = addSeries(c, SeriesKind::Line, "Pipe Invert", 16711808);
    Series3->PenWidth = 2;
    setPointer(Series3, PointerStyle::Diamond, 3, 3);
    Series4 = addSeries(c, SeriesKind::Point, "Water Surface", wc::Blue);
    setPointer(Series4, PointerStyle::Rectangle, 6, 2, WindowsColor(wc::Yellow));
    Series7 = addSeries(c, SeriesKind::Point, "Pump", wc::Yellow);
    Series7->Marks.Visible = true;
    Series7->Marks.BackColor = WindowsColor(8454016);
    setPointer(Series7, PointerStyle::Circle, 3, 3, WindowsColor(wc::Black));
    Series11 = addSeries(c, SeriesKind::Point, "Air Valve", wc::White);
    Series11->Marks.Visible = false;
    setPointer(Series11, PointerStyle::DownTriangle, 3, 3, WindowsColor(wc::Fuchsia));
    Series5 = addSeries(c, SeriesKind::Line, "Gated Pipe", wc::Fuchsia);
    setPointer(Series5, PointerStyle::Diamond, 3, 3);
    Series14 = addSeries(c, SeriesKind::Line, "Gated Start HGL", 16744576);
    setPointer(Series14, PointerStyle::Rectangle, 2, 2);
    Series12 = addSeries(c, SeriesKind::Line, "Gated Mid HGL", wc::Fuchsia);
    setPointer(Series12, PointerStyle::Rectangle, 2, 2);
    Series13 = addSeries(c, SeriesKind::Line, "Gated End HGL", 64);
    setPointer(Series13, PointerStyle::Rectangle, 2, 2);
    Series6 = addSeries(c, SeriesKind::Line, "Manifold", 33023);
    Series6->PenWidth = 2;
    setPointer(Series6, PointerStyle::Diamond, 3, 3);
    Series10 = addSeries(c, SeriesKind::Line, "On Elevation", 8453888);
    setPointer(Series10, PointerStyle::None, 3, 3);
    Series9 = addSeries(c, SeriesKind::Line, "Off Elevation", wc::Aqua);
    setPointer(Series9, PointerStyle::None, 3, 3);
    Series15 = addSeries(c, SeriesKind::Point, "Outflow", wc::Gray);
    Series15->Marks.Visible = true;
    setPointer(Series15, PointerStyle::Triangle, 3, 7, WindowsColor(wc::Teal));
    Series16 = addSeries(c, SeriesKind::Point, "Inflow", wc::Teal);
    Series16->Marks.Visible = true;
    setPointer(Series16, PointerStyle::DownTriangle, 3, 8, WindowsColor(wc::Teal));
}

// ---- entering the page ------------------------------------------------------------

void TDesignerForm::OKBitBtn3Click() { OvcNotebook1->SetPageIndex(2); }

void TDesignerForm::outputPageEntered()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    OpenIfClosed(prof);
    Tul->ClearHead = DMod->WorkPipeTableClearHead->AsFloat();
    prof->DisableControls();
    OutChart->chart().ClearAll();
    // Until this run has ended well, the page shows nothing of an earlier one.
    showResults(false, QString());

    // A profile that cannot be computed goes back to its page with the reason.
    auto refuse = [&](bool newNode, const QString& text) {
        showResults(false, text);
        Tul->NewNode = newNode;
        OvcNotebook1->SetPageIndex(1);
        prof->EnableControls();
        error(text);
    };
    Tul->NumNodes = prof->RecordCount();
    if (!reachesHavePipes(prof, Tul->NumNodes))
        return refuse(false, QStringLiteral("There must be pipe selected for nodes to compute. Please enter all node pipe data."));
    const QString midEnd = endNodeInMidProfile(prof, Tul->NumNodes);
    if (!midEnd.isEmpty())
        return refuse(false, QStringLiteral("The node at station ") + midEnd +
                                 QStringLiteral(" is an end node, but only the last node can be one. Please change its kind."));
    prof->Last();
    const int endType = prof->RecordCount() > 0 ? DMod->WorkProfTableNodeType->AsInteger() : -1;
    if (!IsEndNodeType(endType))
        return refuse(true, QStringLiteral("There must be an end node to compute. Please enter one."));
    // A job stored or imported with a booster its system can't hold.
    if (const QString booster = BoosterTheLineCannotHoldText(DMod->WorkPipeTableSysType->AsString()); !booster.isEmpty())
        return refuse(false, booster + QStringLiteral(" Please make that node another kind."));
    if (const std::optional<MissingNodeValue> gap = ApplyInvertMethods())
        return refuse(false, QStringLiteral("The ") + gap->what + QStringLiteral(" at station ") +
                                 Hyd->StationText(gap->station) + QStringLiteral(" was never entered. Please edit that node."));
    if (const QString pipe = FirstPipeWithoutFriction(); !pipe.isEmpty())
        return refuse(false, QStringLiteral("The job cannot be computed: ") + pipe +
                                 QStringLiteral(". Please pick the pipe again, or give its material a friction factor in "
                                                "the pipe type editor."));

    // What a run found it says in its messages; the page lists them.
    ui::ErrorWatch messages;
    RunStatus status = endType == 6 ? runManifoldAtEnd() : RunStatus();
    status.Take(ComputeJob());
    OpenIfClosed(prof);
    OpenIfClosed(pipe);
    prof->EnableControls();
    prof->Refresh();
    // Results are shown only when the run says they stand: stored, with
    // every part they depend on computed. A fault the run computed past is
    // listed with them, so the engineer sees by how much to change the design.
    if (!status.Computed()) {
        showResults(false, status.notComputed);
        MainStatusBar->SetPanelText(0, QStringLiteral("Not computed"));
        return;
    }
    FillProfileChart();
    showResults(true, QString(), messages.Faults() + status.unsaid);
    MainStatusBar->SetPanelText(0, QStringLiteral("Data output"));
    PageShown = 2;
}

void TDesignerForm::showResults(bool shown, const QString& why, const QStringList& faults)
{
    resultsShown_ = shown;
    // The reports read the working tables, which may still hold an earlier
    // run's results: without results none is offered.
    for (QWidget* w : std::initializer_list<QWidget*>{QRDetailedSpdBtn, QRSummarySpdBtn, QRCostSpdBtn, QRGraphBitBtn})
        w->setEnabled(shown);
    DBGrid1->setVisible(shown);
    OutChart->setVisible(shown);
    NotComputedLbl->setText(why.isEmpty() ? QStringLiteral("The job has not been computed.")
                                          : QStringLiteral("The job was not computed: ") + why);
    NotComputedLbl->setVisible(!shown);
    QStringList lines;
    for (const QString& f : faults) lines << f.trimmed();
    RunFaultsLbl->setText(lines.isEmpty() ? QString() : QStringLiteral("The run found:\n") + lines.join('\n'));
    RunFaultsLbl->setVisible(shown && !lines.isEmpty());
    const QStringList pumps = shown ? StoredPumpResults() : QStringList();
    PumpResultsLbl->setText(pumps.join('\n'));
    PumpResultsLbl->setVisible(!pumps.isEmpty());
}

void TDesignerForm::FillProfileChart()
{
    ProfileChartSeries s;
    s.Hgl = Series1;
    s.Ground = Series2;
    s.Invert = Series3;
    s.WaterSurface = Series4;
    s.GatedPipe = Series5;
    s.Manifold = Series6;
    s.Pump = Series7;
    s.OffElev = Series9;
    s.OnElev = Series10;
    s.AirValve = Series11;
    s.GatedMidHgl = Series12;
    s.GatedEndHgl = Series13;
    s.GatedStartHgl = Series14;
    s.Outflow = Series15;
    s.Inflow = Series16;
    // A designer without pumps, tanks or air valves draws none of their marks:
    // they go to series no chart shows.
    chart::Chart unshown;
    if (!drawsPumpMarks()) {
        s.Pump = unshown.AddSeries(SeriesKind::Point, QString());
        s.OffElev = unshown.AddSeries(SeriesKind::Line, QString());
        s.OnElev = unshown.AddSeries(SeriesKind::Line, QString());
        s.AirValve = unshown.AddSeries(SeriesKind::Point, QString());
        Series11->Clear();
    }
    FillProfileChartSeries(s, outChartRules());
    LegendOfDrawnSeries(OutChart->chart());
    OutChart->update();
}

void TDesignerForm::Help2SpdBtnClick() { ui::HelpContext(46); }

void TDesignerForm::QRDetailedSpdBtnClick() { QRDetailedCommand(this); }
void TDesignerForm::QRSummarySpdBtnClick() { QRSummaryCommand(this); }
void TDesignerForm::QRCostSpdBtnClick() { QRCostCommand(this); }
void TDesignerForm::QRGraphBitBtnClick() { QRGraphCommand(this); }
