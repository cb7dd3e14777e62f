#include "dialogs/profile/reach_dialog.h"

#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/depth_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/profile/outlet_pressure_dialog.h"
#include "dialogs/profile/thrust_block_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "engine/hydraulics.h"
#include "model/data_module.h"
#include "model/loss_slots.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A reach's pipe as the end node it reaches takes it over: its sizes and
// factors go together.
struct PipeSizes {
    double dia, rating, wall, weight, n, c, e;
    static PipeSizes OfCurrentRow()
    {
        TDMod* d = DMod;
        return {d->WorkProfTableDiaIn->AsFloat(),   d->WorkProfTablePressurRating->AsFloat(),
                d->WorkProfTableWallThick->AsFloat(), d->WorkProfTableWtPerFt->AsFloat(),
                d->WorkProfTableNfac->AsFloat(),    d->WorkProfTableCfac->AsFloat(),
                d->WorkProfTableEfac->AsFloat()};
    }
    void PostToCurrentRow() const
    {
        TDMod* d = DMod;
        d->WorkProfTable->Edit();
        d->WorkProfTableDiaIn->SetAsFloat(dia);
        d->WorkProfTablePressurRating->SetAsFloat(rating);
        d->WorkProfTableWallThick->SetAsFloat(wall);
        d->WorkProfTableWtPerFt->SetAsFloat(weight);
        d->WorkProfTableNfac->SetAsFloat(n);
        d->WorkProfTableCfac->SetAsFloat(c);
        d->WorkProfTableEfac->SetAsFloat(e);
        d->WorkProfTable->Post();
    }
};

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

// A row of a group: a caption and a data-aware text.
QLabel* addText(QGroupBox* box, QGridLayout* g, int row, int col, const QString& caption, db::DataSource* src,
                const QString& field, QLabel** captionOut = nullptr)
{
    auto* c = new QLabel(caption, box);
    auto* t = new QLabel(box);
    t->setObjectName(field + QStringLiteral("Txt"));
    t->setMinimumWidth(60);
    new ui::DBText(t, src, field);
    g->addWidget(c, row, col);
    g->addWidget(t, row, col + 1);
    if (captionOut)
        *captionOut = c;
    return t;
}

QString materialTextOf(const QString& type)
{
    const struct { const char* key; const char* text; } kinds[] = {
        {"SDR", "Standard Dimension Ratio (SDR)"}, {"Sch", "Schdule (Sch)"}, {"FtHd", "Feet of Head (FtHd)"},
        {"ga", "Gauge (ga)"}, {"Ga", "Gauge (Ga)"},
    };
    for (const auto& k : kinds)
        if (type.contains(QLatin1String(k.key)))
            return QString::fromLatin1(k.text);
    return QStringLiteral("Wall Thickness (WallTh)");
}

} // namespace

// ---- construction -----------------------------------------------------------

TProfInDlg::TProfInDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ProfInDlg"));
    SetCaption(QStringLiteral("Reach Data"));
    SetPosition(ui::Position::OwnerCenter);
    resize(645, 398);
    TDMod* d = DMod;
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(4, 4, 4, 4);
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(this, "CancelBitBtn", QStringLiteral("Cancel"));
    HelpBitBtn = ui::Make<QPushButton>(this, "HelpBitBtn", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBitBtn, CancelBitBtn, HelpBitBtn})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);

    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    OvcNotebook1->setTabPosition(QTabWidget::East);
    OvcNotebook1->SetActiveTabStyle(font().family(), 9, Qt::red, 22);
    QWidget* page0 = OvcNotebook1->AddPage(QStringLiteral("&Node/Reach Data"));
    QWidget* page1 = OvcNotebook1->AddPage(QStringLiteral("&Minor Loss Data"));
    v->addWidget(OvcNotebook1, 1);

    // Page 0: the groups, one under the other; hidden ones take no room.
    auto* p0 = new QVBoxLayout(page0);
    p0->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = ui::Make<QScrollArea>(page0, "ScrollBox1");
    ScrollBox1->setWidgetResizable(true);
    auto* inner = new QWidget;
    auto* groups = new QVBoxLayout(inner);
    ScrollBox1->setWidget(inner);
    p0->addWidget(ScrollBox1);

    GroupBox1 = ui::Make<QGroupBox>(inner, "GroupBox1", QStringLiteral("Basic Node Data"));
    auto* g1 = new QGridLayout(GroupBox1);
    NodeTypeLbl = ui::Make<QLabel>(GroupBox1, "NodeTypeLbl");
    g1->addWidget(NodeTypeLbl, 0, 0, 1, 2);
    StaLbl = ui::Make<QLabel>(GroupBox1, "StaLbl");
    g1->addWidget(new QLabel(QStringLiteral("Station"), GroupBox1), 1, 0);
    g1->addWidget(StaLbl, 1, 1);
    addText(GroupBox1, g1, 1, 2, QStringLiteral("(ft)"), d->WorkProfData, QStringLiteral("Station"));
    addText(GroupBox1, g1, 2, 0, QStringLiteral("Ground Elev (ft)"), d->WorkProfData, QStringLiteral("GroundElev"));
    DepthDBText = addText(GroupBox1, g1, 2, 2, QStringLiteral("Pipe Depth (in)"), d->WorkProfData,
                          QStringLiteral("PipeDepth"));
    DepthDBText->setObjectName(QStringLiteral("DepthDBText"));
    addText(GroupBox1, g1, 3, 0, QStringLiteral("Invert Elev (ft)"), d->WorkProfData, QStringLiteral("InvertElev"));
    BasicNodeBtn = ui::Make<QPushButton>(GroupBox1, "BasicNodeBtn", QStringLiteral("Edit Basic Data"));
    g1->addWidget(BasicNodeBtn, 3, 3);
    groups->addWidget(GroupBox1);

    PipeDesGpBox = ui::Make<QGroupBox>(inner, "PipeDesGpBox", QStringLiteral("Downstream Pipe Reach Data"));
    auto* g2 = new QGridLayout(PipeDesGpBox);
    addText(PipeDesGpBox, g2, 0, 0, QStringLiteral("Pipe"), d->WorkProfData, QStringLiteral("DownStreamPipeDescription"));
    addText(PipeDesGpBox, g2, 1, 0, QStringLiteral("Inside Diameter (in)"), d->WorkProfData, QStringLiteral("DiaIn"));
    addText(PipeDesGpBox, g2, 1, 2, QStringLiteral("Pressure Rating (psi)"), d->WorkProfData,
            QStringLiteral("PressurRating"));
    addText(PipeDesGpBox, g2, 2, 0, QStringLiteral("Flow (gpm)"), d->WorkProfData, QStringLiteral("PipeQ"));
    FrictionTxt = addText(PipeDesGpBox, g2, 2, 2, QStringLiteral("Friction (ft/100 ft)"), d->PipeData,
                          QStringLiteral("Frictionft100ft"));
    VelocityTxt = addText(PipeDesGpBox, g2, 3, 2, QStringLiteral("Velocity (ft/sec)"), d->PipeData,
                          QStringLiteral("Velocityftsec"));
    PipeRchSpdBtn = ui::Make<QPushButton>(PipeDesGpBox, "PipeRchSpdBtn", QStringLiteral("Edit Pipe"));
    g2->addWidget(PipeRchSpdBtn, 3, 0);
    groups->addWidget(PipeDesGpBox);

    ThrustBlkGpBox = ui::Make<QGroupBox>(inner, "ThrustBlkGpBox", QStringLiteral("Thrust Block Data"));
    auto* g3 = new QGridLayout(ThrustBlkGpBox);
    SoilTxt = addText(ThrustBlkGpBox, g3, 0, 0, QStringLiteral("Soil:"), d->WorkProfData, QStringLiteral("Soil"),
                      &SoilLabel);
    FittingTxt = addText(ThrustBlkGpBox, g3, 1, 0, QStringLiteral("Fitting:"), d->WorkProfData,
                         QStringLiteral("Fitting"), &FittingLabel);
    BearingTxt = addText(ThrustBlkGpBox, g3, 2, 0, QStringLiteral("Bearing Strength (lb/sq-ft):"), d->WorkProfData,
                         QStringLiteral("ThBlkSoil"), &BearingLabel);
    ThrustBlkBtn = ui::Make<QPushButton>(ThrustBlkGpBox, "ThrustBlkBtn", QStringLiteral("Edit"));
    g3->addWidget(ThrustBlkBtn, 2, 2);
    groups->addWidget(ThrustBlkGpBox);

    PressureGpBox = ui::Make<QGroupBox>(inner, "PressureGpBox", QStringLiteral("Pressure Reducer Data"));
    auto* g4 = new QHBoxLayout(PressureGpBox);
    SetPresLabel = ui::Make<QLabel>(PressureGpBox, "SetPresLabel", QStringLiteral("Pressure reducer set pressure (psi)"));
    SetPresDBNF = ui::Make<QLineEdit>(PressureGpBox, "SetPresDBNF");
    g4->addWidget(SetPresLabel);
    g4->addWidget(SetPresDBNF);
    g4->addStretch(1);
    groups->addWidget(PressureGpBox);

    PipeGatedGpBox = ui::Make<QGroupBox>(inner, "PipeGatedGpBox", QStringLiteral("Gated Pipe Data"));
    auto* g5 = new QGridLayout(PipeGatedGpBox);
    addText(PipeGatedGpBox, g5, 0, 0, QStringLiteral("Pipe"), d->WorkProfData, QStringLiteral("DownStreamPipeDescription"));
    addText(PipeGatedGpBox, g5, 1, 0, QStringLiteral("Inside Diameter (in)"), d->WorkProfData, QStringLiteral("DiaIn"));
    addText(PipeGatedGpBox, g5, 1, 2, QStringLiteral("Pressure Rating (psi)"), d->WorkProfData,
            QStringLiteral("PressurRating"));
    addText(PipeGatedGpBox, g5, 2, 0, QStringLiteral("Gate Flow (gpm)"), d->WorkGatedData, QStringLiteral("GateFlow"));
    addText(PipeGatedGpBox, g5, 2, 2, QStringLiteral("Gate Spacing (ft)"), d->WorkGatedData, QStringLiteral("GateSpace"));
    addText(PipeGatedGpBox, g5, 3, 0, QStringLiteral("Start Sta"), d->WorkGatedData, QStringLiteral("StartSta"));
    addText(PipeGatedGpBox, g5, 3, 2, QStringLiteral("Start Elev"), d->WorkGatedData, QStringLiteral("StartElev"));
    addText(PipeGatedGpBox, g5, 4, 0, QStringLiteral("Mid Sta"), d->WorkGatedData, QStringLiteral("MidSta"));
    addText(PipeGatedGpBox, g5, 4, 2, QStringLiteral("Mid Elev"), d->WorkGatedData, QStringLiteral("MidElev"));
    addText(PipeGatedGpBox, g5, 5, 0, QStringLiteral("End Sta"), d->WorkGatedData, QStringLiteral("EndSta"));
    addText(PipeGatedGpBox, g5, 5, 2, QStringLiteral("End Elev"), d->WorkGatedData, QStringLiteral("EndElev"));
    GatedSpeedBtn = ui::Make<QPushButton>(PipeGatedGpBox, "GatedSpeedBtn", QStringLiteral("Edit"));
    g5->addWidget(GatedSpeedBtn, 6, 0);
    groups->addWidget(PipeGatedGpBox);

    PipeTrickleGpBox = ui::Make<QGroupBox>(inner, "PipeTrickleGpBox", QStringLiteral("Trickle Manifold Pipe Data"));
    auto* g6 = new QGridLayout(PipeTrickleGpBox);
    addText(PipeTrickleGpBox, g6, 0, 0, QStringLiteral("Pipe Type"), d->WorkPipeData, QStringLiteral("TriclPType"));
    TriclRatingMethodLbl = ui::Make<QLabel>(PipeTrickleGpBox, "TriclRatingMethodLbl");
    g6->addWidget(TriclRatingMethodLbl, 0, 2, 1, 2);
    addText(PipeTrickleGpBox, g6, 1, 0, QStringLiteral("Pipe Rating"), d->WorkPipeData, QStringLiteral("TriclPipeRating"));
    addText(PipeTrickleGpBox, g6, 1, 2, QStringLiteral("Pressure Rating (psi)"), d->WorkPipeData,
            QStringLiteral("TriclPresRating"));
    addText(PipeTrickleGpBox, g6, 2, 0, QStringLiteral("Lateral psi"), d->WorkPipeData, QStringLiteral("TriclLPsi"));
    addText(PipeTrickleGpBox, g6, 2, 2, QStringLiteral("Entrance Flow (gpm)"), d->WorkPipeData,
            QStringLiteral("TriclEntQ"));
    addText(PipeTrickleGpBox, g6, 3, 0, QStringLiteral("Entrance psi"), d->WorkPipeData, QStringLiteral("TriclEntPsi"));
    addText(PipeTrickleGpBox, g6, 3, 2, QStringLiteral("Entrance HGL"), d->WorkPipeData, QStringLiteral("TriclEntHgl"));
    TrickleSpeedBtn = ui::Make<QPushButton>(PipeTrickleGpBox, "TrickleSpeedBtn", QStringLiteral("Edit"));
    g6->addWidget(TrickleSpeedBtn, 4, 0);
    groups->addWidget(PipeTrickleGpBox);

    PipeMultiGpBox = ui::Make<QGroupBox>(inner, "PipeMultiGpBox", QStringLiteral("Multi Opening Pipe Data"));
    auto* g7 = new QGridLayout(PipeMultiGpBox);
    addText(PipeMultiGpBox, g7, 0, 0, QStringLiteral("Pipe"), d->WorkProfData, QStringLiteral("DownStreamPipeDescription"));
    MultiSpeedBtn = ui::Make<QPushButton>(PipeMultiGpBox, "MultiSpeedBtn", QStringLiteral("Edit"));
    g7->addWidget(MultiSpeedBtn, 1, 0);
    groups->addWidget(PipeMultiGpBox);

    OutletGroupBox = ui::Make<QGroupBox>(inner, "OutletGroupBox", QStringLiteral("Outlet Data"));
    auto* g8 = new QGridLayout(OutletGroupBox);
    OutElLabel = ui::Make<QLabel>(OutletGroupBox, "OutElLabel", QStringLiteral("Outlet Elevation (ft)"));
    OutletElevDBNF = ui::Make<QLineEdit>(OutletGroupBox, "OutletElevDBNF");
    g8->addWidget(OutElLabel, 0, 0);
    g8->addWidget(OutletElevDBNF, 0, 1);
    GroupBox2 = ui::Make<QGroupBox>(OutletGroupBox, "GroupBox2", QStringLiteral("Optional Minimum"));
    auto* g9 = new QGridLayout(GroupBox2);
    MinPsiBtn = ui::Make<QPushButton>(GroupBox2, "MinPsiBtn", QStringLiteral("Set Min Required PSI"));
    g9->addWidget(MinPsiBtn, 0, 0, 1, 2);
    addText(GroupBox2, g9, 1, 0, QStringLiteral("Outlet PSI"), d->WorkPipeData, QStringLiteral("OutletPsi"));
    addText(GroupBox2, g9, 2, 0, QStringLiteral("Outlet WS El"), d->WorkPipeData, QStringLiteral("ReqOutletWS"));
    g8->addWidget(GroupBox2, 0, 2, 2, 1);
    groups->addWidget(OutletGroupBox);
    groups->addStretch(1);

    // Page 1: the minor losses, or the estimated head loss.
    auto* p1 = new QVBoxLayout(page1);
    MinorLossGp = ui::Make<QGroupBox>(page1, "MinorLossGp", QStringLiteral("Minor Losses at Node (Enter none or up to 3)"));
    auto* ml = new QGridLayout(MinorLossGp);
    HelpMinorLossBtn = ui::Make<QToolButton>(MinorLossGp, "HelpMinorLossBtn");
    HelpMinorLossBtn->setText(QStringLiteral("?"));
    ml->addWidget(HelpMinorLossBtn, 0, 0);
    const char* heads[] = {"Minor Loss Description:", "Location at Node", "Inside Diameter      (in)",
                           "Minor Loss K Factor"};
    for (int c = 0; c < 4; ++c)
        ml->addWidget(new QLabel(QString::fromLatin1(heads[c]), MinorLossGp), 0, c + 1);
    QPushButton** buttons[] = {&Loss1SpdBtn, &Loss2SpdBtn, &Loss3SpdBtn};
    QLabel** kids[] = {&Kid1Lbl, &Kid2Lbl, &Kid3Lbl};
    QLabel** ks[] = {&K1Lbl, &K2Lbl, &K3Lbl};
    for (int n = 1; n <= 3; ++n) {
        const QString s = QString::number(n);
        QPushButton* b = new QPushButton(s, MinorLossGp);
        b->setObjectName(QStringLiteral("Loss%1SpdBtn").arg(n));
        b->setToolTip(QStringLiteral("Edit minor loss No ") + s);
        *buttons[n - 1] = b;
        ml->addWidget(b, n, 0);
        auto* desc = new QLabel(MinorLossGp);
        desc->setObjectName(QStringLiteral("KDescription%1Txt").arg(n));
        new ui::DBText(desc, d->WorkProfData, QStringLiteral("KDescription") + s);
        ml->addWidget(desc, n, 1);
        auto* loc = new QLabel(MinorLossGp);
        loc->setObjectName(QStringLiteral("KLocate%1Txt").arg(n));
        new ui::DBText(loc, d->WorkProfData, QStringLiteral("KLocate") + s);
        ml->addWidget(loc, n, 2);
        *kids[n - 1] = new QLabel(MinorLossGp);
        (*kids[n - 1])->setObjectName(QStringLiteral("Kid%1Lbl").arg(n));
        ml->addWidget(*kids[n - 1], n, 3);
        *ks[n - 1] = new QLabel(MinorLossGp);
        (*ks[n - 1])->setObjectName(QStringLiteral("K%1Lbl").arg(n));
        ml->addWidget(*ks[n - 1], n, 4);
    }
    ml->setColumnStretch(1, 1);
    p1->addWidget(MinorLossGp);
    MHeadLossGp = ui::Make<QGroupBox>(page1, "MHeadLossGp", QStringLiteral("Estimated Minor Head Loss (feet) "));
    auto* hl = new QHBoxLayout(MHeadLossGp);
    HelpMinorHeadLossBtn = ui::Make<QToolButton>(MHeadLossGp, "HelpMinorHeadLossBtn");
    HelpMinorHeadLossBtn->setText(QStringLiteral("?"));
    KLossDBNF = ui::Make<QLineEdit>(MHeadLossGp, "KLossDBNF");
    hl->addWidget(HelpMinorHeadLossBtn);
    hl->addWidget(new QLabel(QStringLiteral("Head Loss"), MHeadLossGp));
    hl->addWidget(KLossDBNF);
    hl->addWidget(new QLabel(QStringLiteral("feet"), MHeadLossGp));
    hl->addStretch(1);
    p1->addWidget(MHeadLossGp);
    p1->addStretch(1);

    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({90, 500});
    v->addWidget(StatusBar1);

    new ui::DBNumericEdit(SetPresDBNF, d->WorkProfData, QStringLiteral("PsiSet"),
                          ui::NumericFormat::Picture(QStringLiteral("###.#"), 0.0));
    new ui::DBNumericEdit(OutletElevDBNF, d->WorkPipeData, QStringLiteral("OutletElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.#"), 0.0));
    // Every run computes a node's minor loss from its loss slots and writes
    // it here: the field shows what the last run found and takes no entry,
    // which no run would read.
    new ui::DBNumericEdit(KLossDBNF, d->WorkProfData, QStringLiteral("Kloss"),
                          ui::NumericFormat::Picture(QStringLiteral("##.#")));
    ShowOnly(KLossDBNF);
    SetControlHelpContext(SetPresDBNF, 36);
    SetControlHelpContext(OutletElevDBNF, 36);

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); }, ui::mrOk);
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); }, ui::mrCancel);
    OnClick(HelpBitBtn, [this] { HelpBitBtnClick(); });
    SetCancelButton(CancelBitBtn);
    OnClick(HelpMinorLossBtn, [] { ui::HelpContext(38); });
    OnClick(HelpMinorHeadLossBtn, [] { ui::HelpContext(38); });
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    OnClick(PipeRchSpdBtn, [this] { PipeRchSpdBtnClick(); });
    OnClick(Loss1SpdBtn, [this] { Loss1SpdBtnClick(); });
    OnClick(Loss2SpdBtn, [this] { Loss2SpdBtnClick(); });
    OnClick(Loss3SpdBtn, [this] { Loss3SpdBtnClick(); });
    OnClick(BasicNodeBtn, [this] { BasicNodeBtnClick(); });
    OnClick(ThrustBlkBtn, [this] { ThrustBlkBtnClick(); });
    OnClick(MinPsiBtn, [this] { MinPsiBtnClick(); });
    OnClick(GatedSpeedBtn, [this] { GatedSpeedBtnClick(); });
    OnClick(TrickleSpeedBtn, [this] { TrickleSpeedBtnClick(); });
    OnEnter(SetPresDBNF, [] {
        if (!editing(DMod->WorkProfTable))
            DMod->WorkProfTable->Edit();
    });
    OnEnter(OutletElevDBNF, [] {
        if (!editing(DMod->WorkPipeTable))
            DMod->WorkPipeTable->Edit();
    });
    OnExit(SetPresDBNF, [] { Tul->LocateProfStation(); });
    OnExit(OutletElevDBNF, [] { Tul->LocateProfStation(); });
    SetEnterKey(SetPresDBNF, ui::EnterKey::NextControl);
    SetEnterKey(OutletElevDBNF, ui::EnterKey::NextControl);
    SetEnterKey(KLossDBNF, ui::EnterKey::PressTarget, OKBitBtn);
    // Enter on the notebook's tabs is OK (the tabs, not the pages: the
    // controls on the pages keep their own Enter).
    if (auto* tabs = OvcNotebook1->findChild<QTabBar*>())
        SetEnterKey(tabs, ui::EnterKey::PressTarget, OKBitBtn);
}

// ---- group switches ---------------------------------------------------------

void TProfInDlg::EnableOutletGroup(bool on)
{
    OutletGroupBox->setEnabled(on);
    OutletElevDBNF->setEnabled(on);
    MinPsiBtn->setEnabled(on);
    SetCaptionActive(OutletGroupBox, on);
    SetCaptionActive(OutElLabel, on);
}

void TProfInDlg::EnablePressureReducerGroup(bool on)
{
    SetPresDBNF->setEnabled(on);
    SetCaptionActive(PressureGpBox, on);
    SetCaptionActive(SetPresLabel, on);
}

void TProfInDlg::EnableThrustBlockGroup(bool on)
{
    ThrustBlkBtn->setEnabled(on);
    for (QLabel* t : {SoilTxt, FittingTxt, BearingTxt})
        t->setVisible(on);
    for (QWidget* w : std::initializer_list<QWidget*>{ThrustBlkGpBox, FittingLabel, SoilLabel, BearingLabel})
        SetCaptionActive(w, on);
}

QString TProfInDlg::MinorLossStatus(bool named) const
{
    TDMod* d = DMod;
    const QString k1 = d->WorkProfTableKDescription1->AsString();
    const QString k2 = d->WorkProfTableKDescription2->AsString();
    const QString k3 = d->WorkProfTableKDescription3->AsString();
    const bool any = !k1.isEmpty() || !k2.isEmpty() || !k3.isEmpty();
    QString s;
    if (any)
        s = QStringLiteral("Minor Losses = ");
    else if (named)
        return {};
    else if (d->WorkProfTableKloss->AsFloat() != 0.0)
        s = QStringLiteral("Estimated minor head loss (feet)= ") + d->WorkProfTableKloss->AsString();
    else
        s = QStringLiteral("No Minor Losses");
    if (!k1.isEmpty())
        s += k1;
    if (!k2.isEmpty())
        s += QStringLiteral("; ") + k2;
    if (!k3.isEmpty())
        s += QStringLiteral("; ") + k3;
    return s;
}

void TProfInDlg::ShowLossLabels(int slot)
{
    QLabel* kid[] = {Kid1Lbl, Kid2Lbl, Kid3Lbl};
    QLabel* k[] = {K1Lbl, K2Lbl, K3Lbl};
    if (slot < 1 || slot > 3)
        return;
    const LossSlotFields s = LossSlotOf(DMod->WorkProfTable, slot);
    if (s.KLocate->AsString() == QLatin1String("NA")) {
        kid[slot - 1]->setText(QStringLiteral("NA"));
        k[slot - 1]->setText(QStringLiteral("NA"));
    } else {
        kid[slot - 1]->setText(s.Kid->AsString());
        k[slot - 1]->setText(s.K->AsString());
    }
}

// The pipe under PipeTable's cursor is the reach's, with the velocity and
// friction of the reach flow in that pipe's material.
void TProfInDlg::followPipe()
{
    TDMod* d = DMod;
    if (!d->TypeTable->Active())
        d->TypeTable->Open();
    d->TypeTable->Locate(QStringLiteral("PipeType"), d->WorkProfTablePipeType->AsString());
    if (!d->PipeTable->Active())
        d->PipeTable->Open();
    d->PipeTable->SetFiltered(false);
    d->PipeFilterMode = 0;
    Tul->PipePickTarget = 0;
    d->PipeTable->Locate(QStringLiteral("Pipe Description"), Tul->DownStreamPipeDescription);
}

void TProfInDlg::depthFromInvert()
{
    TDMod* d = DMod;
    double W, D;
    InvertPipeOf(W, D);
    // An invert not entered yet (or a node without its ground) gives no depth.
    if (!d->WorkProfTableGroundElev->IsNull() && !d->WorkProfTableInvertElev->IsNull()) {
        const double depth =
            ((d->WorkProfTableGroundElev->AsFloat() - d->WorkProfTableInvertElev->AsFloat()) - D / 12 - W / 12) * 12;
        d->WorkProfTablePipeDepth->SetAsString(FixedText(depth, 6, 1));
    }
    Tul->LocateProfStation();
}

// ---- show -------------------------------------------------------------------

void TProfInDlg::FormShow()
{
    ui::CursorScope wait;
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    opened_.emplace(std::initializer_list<db::Table*>{d->WorkPipeTable, prof, d->WorkGatedTable, d->WorkTrickleTable});
    Tul->GatedLossPick = false;
    Tul->LocateProfStation();
    Tul->Cancelled = false;
    Tul->NodeChoice = d->WorkProfTableNodeType->AsInteger();
    Tul->NewRecordNo = d->WorkProfTableRecordNo->AsInteger();
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    if (!d->WorkPipeTable->Active())
        d->WorkPipeTable->Open();
    if (!editing(d->WorkPipeTable))
        d->WorkPipeTable->Edit();

    // A node without a pipe yet takes over the pipe of the node loaded last;
    // only the pipe: what the node dialog just stored stays.
    Tul->DownStreamPipeDescription = d->WorkProfTableDownStreamPipeDescription->AsString();
    const int type = Tul->NodeChoice;
    if (Tul->DownStreamPipeDescription.isEmpty() && type != 0 && type != 4 && type != 5 && type != 6) {
        prof->CheckBrowseMode();
        if (prof->Locate(QStringLiteral("Station"), Tul->Station)) {
            Tul->LoadCurrentProfRow();
            if (Tul->LocateProfStation()) Tul->WriteReachPipe();
        }
        Tul->LocateProfStation();
    }
    Tul->DownStreamPipeDescription = d->WorkProfTableDownStreamPipeDescription->AsString();
    followPipe();
    Tul->LocateProfStation();

    if (Tul->DetailedML) {
        MinorLossGp->show();
        MHeadLossGp->hide();
    } else {
        MHeadLossGp->show();
        MinorLossGp->hide();
    }

    showNodeKind(type);

    // The node before an end node hands its pipe to the end node.
    Tul->NumNodes = prof->RecordCount();
    if (Tul->NewRecordNo == Tul->NumNodes - 1) {
        const PipeSizes pipe = PipeSizes::OfCurrentRow();
        prof->CheckBrowseMode();
        prof->Last();
        const int last = d->WorkProfTableNodeType->AsInteger();
        if (last == 4 || last == 5 || last == 6)
            pipe.PostToCurrentRow();
        Tul->LocateProfStation();
    }

    if (d->WorkProfTableInvElMethod->AsInteger() == 1)
        depthFromInvert();

    for (int n = 1; n <= 3; ++n)
        ShowLossLabels(n);
    const QString station = Hyd->StationText(d->WorkProfTableStation->AsFloat());
    StaLbl->setText(station);
    StatusBar1->SetPanelText(0, QStringLiteral("Station = ") + station);
    StatusBar1->SetPanelText(1, MinorLossStatus(false));
}

void TProfInDlg::showNodeKind(int type)
{
    TDMod* d = DMod;
    EnableThrustBlockGroup(true);
    auto only = [this](QGroupBox* shown) {
        for (QGroupBox* g : {PipeDesGpBox, PipeGatedGpBox, PipeTrickleGpBox, PipeMultiGpBox})
            g->setVisible(g == shown);
    };
    if (type >= 0 && type <= 3) {
        NodeTypeLbl->setText(NodeTypeText(type));
        EnablePressureReducerGroup(type == 3);
        EnableOutletGroup(false);
        only(PipeDesGpBox);
        if (Tul->NewNode)
            PipeRchSpdBtnClick();
        if (type == 3)
            SetFocus(SetPresDBNF);
    } else if (type == 4) {
        NodeTypeLbl->setText(QStringLiteral("End of line (normal)"));
        EnablePressureReducerGroup(false);
        EnableOutletGroup(true);
        only(nullptr);
        if (!editing(d->WorkPipeTable))
            d->WorkPipeTable->Edit();
        if (Tul->NewNode)
            d->WorkPipeTableOutletElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
        SetFocus(OutletElevDBNF);
    } else if (type == 5) {
        NodeTypeLbl->setText(QStringLiteral("End of line, start gated segment"));
        EnablePressureReducerGroup(false);
        EnableOutletGroup(false);
        only(PipeGatedGpBox);
        if (!d->WorkGatedTable->Active())
            d->WorkGatedTable->Open();
        Tul->GatedPipePick = false;
    } else if (type == 6) {
        NodeTypeLbl->setText(QStringLiteral("End of line, start manifold segment"));
        EnablePressureReducerGroup(false);
        EnableOutletGroup(false);
        only(PipeTrickleGpBox);
        const QString t = d->WorkPipeTableTriclPType->AsString();
        if (t.isEmpty())
            d->TypeTable->First();
        else
            d->TypeTable->Locate(QStringLiteral("PipeType"), t);
        Tul->MaterialText = materialTextOf(t);
        TriclRatingMethodLbl->setText(Tul->MaterialText);
    } else {
        NodeTypeLbl->clear();
    }
}

// ---- pipe -------------------------------------------------------------------

void TProfInDlg::PipeRchSpdBtnClick()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    Tul->LocateProfStation();
    // The node downstream, whose size-change loss may follow the new pipe.
    if (!Tul->NewNode && Tul->NewRecordNo < prof->RecordCount()) {
        Tul->PipeRchPick = true;
        if (Tul->LocateProfRecordNo(Tul->NewRecordNo + 1)) {
            Tul->InsertPointStation = d->WorkProfTableStation->AsFloat();
            Tul->InsertPointDiaIn = d->WorkProfTableDiaIn->AsFloat();
        }
        Tul->LocateProfStation();
    } else {
        Tul->PipeRchPick = false;
    }
    // The reach upstream.
    if (Tul->NewRecordNo > 1) {
        if (Tul->LocateProfRecordNo(Tul->NewRecordNo - 1)) {
            Tul->Station = d->WorkProfTableStation->AsFloat();
            Tul->GroundElev = d->WorkProfTableGroundElev->AsFloat();
            Tul->DiaIn = d->WorkProfTableDiaIn->AsFloat();
        }
        Tul->LocateProfStation();
    }
    Tul->ReachPipePick = !Tul->NewNode;
    Tul->PipePickTarget = 0;
    ShowOwned(GetPipeDlg, this);
    Tul->LocateProfStation();

    if (d->WorkProfTableInvElMethod->AsInteger() == 1) {
        if (!Tul->ProfileEntryActive)
            DepthDBText->show();
        depthFromInvert();
    }

    // The end node takes the pipe of the reach before it.
    Tul->NumNodes = prof->RecordCount();
    if (d->WorkProfTableRecordNo->AsInteger() == Tul->NumNodes - 1) {
        prof->CheckBrowseMode();
        prof->Last();
        if (d->WorkProfTableNodeType->AsInteger() == 4) {
            Tul->EndNodeDiaIn = d->WorkProfTableDiaIn->AsFloat();
            Tul->LocateProfStation();
            Tul->LocateProfRecordNo(Tul->NumNodes - 1);
            const PipeSizes pipe = PipeSizes::OfCurrentRow();
            if (pipe.dia != Tul->EndNodeDiaIn) {
                const int k = int(std::trunc(Tul->EndNodeDiaIn));
                prof->CheckBrowseMode();
                prof->Last();
                Tul->EndNodeDiaIn = pipe.dia;
                pipe.PostToCurrentRow();
                const bool endHasLoss = !d->WorkProfTableKDescription1->AsString().isEmpty();
                // The dialog shows its own node while it asks.
                Tul->LocateProfStation();
                if (endHasLoss && k != 0) {
                    const int answer = ui::MessageDlg(
                        QStringLiteral("The next to the last node pipe diameter has changed.\rYou may need to modify "
                                       "minor loss diameters at the end node.\rDo you want to go to the END NODE and "
                                       "check minor loss diameters?"),
                        ui::MsgType::Confirmation, ui::mbYesNo);
                    if (answer == ui::mrYes) {
                        OvcNotebook1->SetPageIndex(1);
                        prof->Last();
                        // The minor-loss dialog moves the node to the row it edits: the end node.
                        for (int n = 1; n <= 3; ++n)
                            if (!LossSlotOf(prof, n).KDescription->AsString().isEmpty())
                                lossCommand(n);
                    }
                }
            }
        }
        Tul->LocateProfStation();
    }

    // A gradual size change with no change of size left goes.
    Tul->LocateProfStation();
    const double k1 = d->WorkProfTableK1->AsFloat();
    if (k1 == kGradualContraction || k1 == kGradualEnlargement) {
        if (Tul->LocateProfRecordNo(Tul->NewRecordNo - 1))
            Tul->DiaIn = d->WorkProfTableDiaIn->AsFloat();
        Tul->LocateProfStation();
        if (d->WorkProfTableDiaIn->AsFloat() == Tul->DiaIn) {
            ClearLossSlot(LossSlotOf(prof, 1), true);
            Tul->LocateProfStation();
        }
    }
    Tul->DownStreamPipeDescription = d->WorkProfTableDownStreamPipeDescription->AsString();
    followPipe();
    Tul->LocateProfStation();
    ShowLossLabels(1);
}

// ---- minor losses -----------------------------------------------------------

void TProfInDlg::lossCommand(int slot)
{
    QLabel* kid[] = {Kid1Lbl, Kid2Lbl, Kid3Lbl};
    QLabel* k[] = {K1Lbl, K2Lbl, K3Lbl};
    Tul->GatedLossPick = false;
    Tul->MinorLossSlot = slot;
    kid[slot - 1]->clear();
    k[slot - 1]->clear();
    ShowOwned(GetKMDlg, this);
    Tul->LocateProfStation();
    StatusBar1->SetPanelText(1, MinorLossStatus(true));
    ShowLossLabels(slot);
}

void TProfInDlg::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() == 0 || DMod->WorkProfTableDiaIn->AsFloat() > 0.0)
        return;
    OvcNotebook1->SetPageIndex(0);
    QString text;
    switch (DMod->WorkProfTableNodeType->AsInteger()) {
    case 5:
        PipeGatedGpBox->show();
        text = QStringLiteral("Please enter Gated Pipe Data before entering minor loss data.");
        break;
    case 6:
        PipeTrickleGpBox->show();
        text = QStringLiteral("Please enter Trickle Manifold Pipe Data before minor loss data");
        break;
    case 7:
        PipeMultiGpBox->show();
        text = QStringLiteral("Please enter Multi Outlet Pipe Data before minor loss data");
        break;
    default:
        PipeDesGpBox->show();
        text = QStringLiteral("Please enter Pipe Data before minor loss data");
        break;
    }
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

// ---- other commands ---------------------------------------------------------

void TProfInDlg::BasicNodeBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    prof->CheckBrowseMode();
    prof->First();
    while (DMod->WorkProfTableStation->AsFloat() != Tul->NewStation && prof->RecNo() < prof->RecordCount())
        prof->Next();
    Tul->NewNode = false;
    ShowOwned(BasicNodeDlg, this);
    Tul->LocateProfStation();
}

void TProfInDlg::ThrustBlkBtnClick()
{
    ShowOwned(ThrustBlkDlg, this);
    Tul->LocateProfStation();
}

void TProfInDlg::MinPsiBtnClick()
{
    ShowOwned(SetPressure, this);
}

void TProfInDlg::GatedSpeedBtnClick()
{
    ShowOwned(GatedPipeDlg, this);
}

void TProfInDlg::TrickleSpeedBtnClick()
{
    ShowOwned(ManifoldEndDlg, this);
    TriclRatingMethodLbl->setText(Tul->MaterialText);
}

void TProfInDlg::HelpBitBtnClick()
{
    ui::HelpContext(36);
}

// ---- outcome ----------------------------------------------------------------

void TProfInDlg::OKBitBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TProfInDlg::CancelBitBtnClick()
{
    Tul->Cancelled = true;
    Close();
}

void TProfInDlg::FormClose()
{
    TDMod* d = DMod;
    if (Tul->Cancelled) {
        // Nothing done in here stays, posted or still being typed; an opener
        // that cancels more (a node being added) restores its own copy.
        if (opened_)
            opened_->PutBack();
        Tul->WasCancelled = true;
        return;
    }
    if (d->PipeTable->Active())
        d->PipeTable->Close();
    if (d->TypeTable->Active())
        d->TypeTable->Close();
    if (d->WorkGatedTable->Active())
        d->WorkGatedTable->Close();
    if (d->WorkPipeTable->Active() && editing(d->WorkPipeTable))
        d->WorkPipeTable->Post();
    // What is still being typed belongs to the node too.
    db::Table* prof = d->WorkProfTable;
    if (prof->Active())
        prof->CheckBrowseMode();
    prof->Close();
    prof->Open();
    prof->Locate(QStringLiteral("Station"), Tul->NewStation);
    Tul->WasCancelled = false;
}
