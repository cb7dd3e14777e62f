#include "dialogs/line_ends/gated_pipe_dialog.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/line_ends/gated_pipe_rules.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/seam/msg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kStates[] = {"N", "K", "H"};

int StateIndex(const QString& state)
{
    for (int i = 0; i < 3; ++i)
        if (state == QLatin1String(kStates[i]))
            return i;
    return -1;
}

db::Field* Gated(const QString& name) { return DMod->WorkGatedTable->FieldByName(name); }
db::Field* GatedN(const char* stem, int n) { return Gated(QString::fromLatin1(stem) + QString::number(n)); }

// Text of a number as a label shows it: the field's own text.
QString ValueText(db::Field* f) { return f->IsNull() ? QString() : f->AsString(); }

void PostAndEdit(db::Table* t)
{
    if (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert)
        t->Post();
    t->Edit();
}


} // namespace

TGatedPipeDlg::TGatedPipeDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("GatedPipeDlg"));
    SetCaption(QStringLiteral("Gated Pipe Input Data"));
    SetPosition(ui::Position::OwnerCenter);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    OKBtn = ui::Make<QPushButton>(this, "OKBtn", QStringLiteral("OK"));
    CancelBtn = ui::Make<QPushButton>(this, "CancelBtn", QStringLiteral("Cancel"));
    HelpBtn = ui::Make<QPushButton>(this, "HelpBtn", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn}) top->addWidget(b);
    top->addStretch(1);
    outer->addLayout(top);
    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    OvcNotebook1->setTabPosition(QTabWidget::East);
    outer->addWidget(OvcNotebook1);

    db::DataSource* gated = DMod->WorkGatedData;
    auto numeric = [&](QWidget* parent, const char* name, const char* field, const char* mask,
                       std::optional<double> low = 0.0, db::DataSource* source = nullptr) {
        auto* e = ui::Make<QLineEdit>(parent, name);
        new ui::DBNumericEdit(e, source ? source : gated, QString::fromLatin1(field),
                              ui::NumericFormat::Picture(QString::fromLatin1(mask), low));
        return e;
    };

    // ---- page 1: initial input ----
    QWidget* p1 = OvcNotebook1->AddPage(QStringLiteral("&Initial Input"));
    auto* g1 = new QGridLayout(p1);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, const QString& unit) {
        g1->addWidget(new QLabel(caption, p1), row, 0);
        g1->addWidget(field, row, 1);
        g1->addWidget(new QLabel(unit, p1), row, 2);
        ++row;
    };
    BeginStaDBNF = numeric(p1, "BeginStaDBNF", "StartSta", "######");
    GndElevDBNF = numeric(p1, "GndElevDBNF", "StartElev", "####.#");
    EndGatedStaDBNF = numeric(p1, "EndGatedStaDBNF", "EndSta", "######");
    EndGatedElDBNF = numeric(p1, "EndGatedElDBNF", "EndElev", "####.#");
    DesFlowDBNF = numeric(p1, "DesFlowDBNF", "GateFlow", "###.#");
    GateSpacingDBNF = numeric(p1, "GateSpacingDBNF", "GateSpace", "##.#");
    ReqPresDBNF = numeric(p1, "ReqPresDBNF", "OutletPsi", "###", 0.0, DMod->WorkPipeData);
    addRow(QStringLiteral("Start Gated Station"), BeginStaDBNF, QStringLiteral("ft"));
    addRow(QStringLiteral("Start Gated Gnd. Elevation"), GndElevDBNF, QStringLiteral("ft"));
    addRow(QStringLiteral("End Gated Station"), EndGatedStaDBNF, QStringLiteral("ft"));
    addRow(QStringLiteral("End GatedGnd. Elevation"), EndGatedElDBNF, QStringLiteral("ft"));
    addRow(QStringLiteral("Design Flow Per Gate"), DesFlowDBNF, QStringLiteral("gpm"));
    addRow(QStringLiteral("Gate Spacing"), GateSpacingDBNF, QStringLiteral("inches"));
    ReqPresLbl1 = ui::Make<QLabel>(p1, "ReqPresLbl1", QStringLiteral("Required Pressure at Beginning of Gated Pipeline"));
    ReqPresLbl2 = ui::Make<QLabel>(p1, "ReqPresLbl2", QStringLiteral("psi"));
    g1->addWidget(ReqPresLbl1, row, 0);
    g1->addWidget(ReqPresDBNF, row, 1);
    g1->addWidget(ReqPresLbl2, row, 2);
    ++row;

    auto* pipeBox = ui::Make<QGroupBox>(p1, "GatedPipeGpBox", QStringLiteral("Gated Pipe Selection"));
    auto* pg = new QGridLayout(pipeBox);
    GatedPipeSelecSpdBtn = ui::Make<QPushButton>(pipeBox, "GatedPipeSelecSpdBtn", QStringLiteral("Select Pipe"));
    pg->addWidget(GatedPipeSelecSpdBtn, 0, 0);
    auto* desc = ui::Make<QLabel>(pipeBox, "PipeDescDBTxt");
    new ui::DBText(desc, gated, QStringLiteral("PipeDescription"));
    pg->addWidget(desc, 0, 1, 1, 2);
    const char* pipeRows[][3] = {{"Inside Diameter (in):", "DiaInDBTxt", "DiaIn"},
                                 {"Pressure Rating (psi):", "RatingDBTxt", "PressureRating"},
                                 {"Initial Flow Rate (gpm):", "PipeQDBTxt", "PipeQ"},
                                 {"Initial Velocity (ft/sec):", "PipeVelDBTxt", "PipeVel"}};
    int pr = 1;
    for (const auto& r : pipeRows) {
        pg->addWidget(new QLabel(QString::fromLatin1(r[0]), pipeBox), pr, 0);
        auto* t = ui::Make<QLabel>(pipeBox, r[1]);
        new ui::DBText(t, gated, QString::fromLatin1(r[2]));
        pg->addWidget(t, pr++, 1);
    }
    g1->addWidget(pipeBox, row++, 0, 1, 3);

    MidChkBox = ui::Make<QCheckBox>(p1, "MidChkBox", QStringLiteral("Include Intermediate Open Segment"));
    HelpOptSegBtn = ui::Make<QPushButton>(p1, "HelpOptSegBtn", QStringLiteral("?"));
    g1->addWidget(MidChkBox, row, 0, 1, 2);
    g1->addWidget(HelpOptSegBtn, row++, 2);
    MidSegGpBox = ui::Make<QGroupBox>(p1, "MidSegGpBox", QStringLiteral("Mid Segment Data"));
    auto* mg = new QGridLayout(MidSegGpBox);
    StaRangeLbl = ui::Make<QLabel>(MidSegGpBox, "StaRangeLbl");
    MidStaDBNF = numeric(MidSegGpBox, "MidStaDBNF", "MidSta", "######");
    MidElevDBNF = numeric(MidSegGpBox, "MidElevDBNF", "MidElev", "####.#");
    mg->addWidget(StaRangeLbl, 0, 0, 1, 3);
    mg->addWidget(new QLabel(QStringLiteral("Intermediate Start Station"), MidSegGpBox), 1, 0);
    mg->addWidget(MidStaDBNF, 1, 1);
    mg->addWidget(new QLabel(QStringLiteral("Ground Elevation"), MidSegGpBox), 2, 0);
    mg->addWidget(MidElevDBNF, 2, 1);
    g1->addWidget(MidSegGpBox, row++, 0, 1, 3);

    // ---- page 2: control device losses ----
    QWidget* p2 = OvcNotebook1->AddPage(QStringLiteral("&Control Device Losses"));
    auto* g2 = new QHBoxLayout(p2);
    auto buildSlot = [&](int n, const char* title) {
        const QString s = QString::number(n);
        auto mk = [&](const char* stem, const QString& text = QString()) {
            auto* l = new QLabel(text, p2);
            l->setObjectName(QString::fromLatin1(stem) + s);
            return l;
        };
        auto* box = new QGroupBox(QString::fromLatin1(title), p2);
        box->setObjectName(n == 1 ? QStringLiteral("EntGpBox") : QStringLiteral("IntGpBox"));
        auto* bg = new QGridLayout(box);
        auto* radio = new ui::RadioGroup(
            QStringLiteral("Alternative methods of entering loss data for flow control device"), box);
        radio->setObjectName(QStringLiteral("AltRadioGp") + s);
        radio->SetItems({QStringLiteral("None"), QStringLiteral("Enter K factor for control device"),
                         QStringLiteral("Enter Head Loss directly for control device")});
        radio->SetItemIndex(0);
        bg->addWidget(radio, 0, 0, 1, 2);
        QLabel* getKLbl = mk("GetKLbl", QStringLiteral("Get Device Loss (K) Factor"));
        getKLbl->setObjectName(QStringLiteral("GetK") + s + QStringLiteral("Lbl"));
        auto* getK = new QPushButton(QStringLiteral("Get K"), box);
        getK->setObjectName(QStringLiteral("Loss") + s + QStringLiteral("SpdBtn"));
        QLabel* idLbl = mk("idLbl", QStringLiteral("Inside Diameter (in)"));
        auto* kid = new QLabel(box);
        kid->setObjectName(QStringLiteral("Kid") + s + QStringLiteral("Lbl"));
        QLabel* kLbl = mk("KLbl", QStringLiteral("Loss K Factor"));
        auto* k = new QLabel(box);
        k->setObjectName(QStringLiteral("K") + s + QStringLiteral("Lbl"));
        QLabel* hlLbl = mk("HLLbl", QStringLiteral("Design Head Loss"));
        auto* head = numeric(box, n == 1 ? "KLossDBNF1" : "KLossDBNF2", n == 1 ? "ML1" : "ML2", "##.#",
                             std::nullopt);
        auto* ftLbl = new QLabel(QStringLiteral("feet"), box);
        ftLbl->setObjectName(QStringLiteral("ft") + s + QStringLiteral("Lbl"));
        auto* descLbl = new QLabel(QStringLiteral("Device Description"), box);
        descLbl->setObjectName(QStringLiteral("DevDes") + s + QStringLiteral("Lbl"));
        auto* descField = new QLineEdit(box);
        descField->setObjectName(QStringLiteral("ML") + s + QStringLiteral("DescDBSF"));
        descField->setMaxLength(40);
        new ui::DBEdit(descField, gated, QStringLiteral("KDescription") + s);
        auto* state = new QLabel(box);
        state->setObjectName(n == 1 ? QStringLiteral("DBText5") : QStringLiteral("DBText6"));
        new ui::DBText(state, gated, QStringLiteral("K") + s + QStringLiteral("State"));
        auto* clear = new QPushButton(n == 1 ? QStringLiteral("Clear Ent Loss") : QStringLiteral("Clear Int Loss"), box);
        clear->setObjectName(n == 1 ? QStringLiteral("ClearEntBtn") : QStringLiteral("ClearIntBtn"));
        int r = 1;
        for (auto [a, b] : std::initializer_list<std::pair<QWidget*, QWidget*>>{
                 {getKLbl, getK}, {idLbl, kid}, {kLbl, k}, {hlLbl, head}, {ftLbl, nullptr}, {descLbl, descField},
                 {state, clear}}) {
            bg->addWidget(a, r, 0);
            if (b) bg->addWidget(b, r, 1);
            ++r;
        }
        g2->addWidget(box);
        for (QWidget* w : {static_cast<QWidget*>(getKLbl), static_cast<QWidget*>(getK), static_cast<QWidget*>(idLbl),
                           static_cast<QWidget*>(kid), static_cast<QWidget*>(kLbl), static_cast<QWidget*>(k)})
            kControls_[n - 1] << w;
        for (QWidget* w : {static_cast<QWidget*>(hlLbl), static_cast<QWidget*>(head), static_cast<QWidget*>(ftLbl),
                           static_cast<QWidget*>(descField), static_cast<QWidget*>(descLbl)})
            headControls_[n - 1] << w;
        if (n == 1) {
            AltRadioGp1 = radio; Loss1SpdBtn = getK; Kid1Lbl = kid; K1Lbl = k; KLossDBNF1 = head;
            ML1DescDBSF = descField; ClearEntBtn = clear; DBText5 = state;
        } else {
            AltRadioGp2 = radio; Loss2SpdBtn = getK; Kid2Lbl = kid; K2Lbl = k; KLossDBNF2 = head;
            ML2DescDBSF = descField; ClearIntBtn = clear; DBText6 = state;
        }
    };
    buildSlot(1, "ENTRANCE");
    buildSlot(2, "INTERMEDIATE Segment (at beginning of segment)");

    OnClick(OKBtn, [this] { OKBtnClick(); });
    OnClick(CancelBtn, [this] { CancelBtnClick(); });
    OnClick(HelpBtn, [this] { HelpBtnClick(); });
    OnClick(HelpOptSegBtn, [this] { HelpOptSegBtnClick(); });
    SetCancelButton(CancelBtn);
    OnClick(GatedPipeSelecSpdBtn, [this] { GatedPipeSelecSpdBtnClick(); });
    OnClick(Loss1SpdBtn, [this] { Loss1SpdBtnClick(); });
    OnClick(Loss2SpdBtn, [this] { Loss2SpdBtnClick(); });
    OnClick(ClearEntBtn, [this] { ClearEntBtnClick(); });
    OnClick(ClearIntBtn, [this] { ClearIntBtnClick(); });
    Handle(MidChkBox, &QCheckBox::clicked, [this] { MidChkBoxClick(); });
    Handle(AltRadioGp1, &ui::RadioGroup::Clicked, [this] { AltRadioGp1Click(); });
    Handle(AltRadioGp2, &ui::RadioGroup::Clicked, [this] { AltRadioGp2Click(); });
    connect(OvcNotebook1, &ui::Notebook::PageChanged, this, [this](int i) { Run([this, i] { OvcNotebook1PageChanged(i); }); });

    for (QLineEdit* e : {BeginStaDBNF, GndElevDBNF, EndGatedStaDBNF, EndGatedElDBNF, DesFlowDBNF, GateSpacingDBNF,
                         ReqPresDBNF, MidStaDBNF, MidElevDBNF, KLossDBNF1, KLossDBNF2, ML1DescDBSF, ML2DescDBSF})
        OnEnter(e, [this] { GatedFieldEnter(); });
    Handle(GateSpacingDBNF, &QLineEdit::textEdited, [this] { GatedFieldEnter(); });
    OnExit(BeginStaDBNF, [this] { BeginStaDBNFExit(); });
    OnExit(GndElevDBNF, [this] { GndElevDBNFExit(); });
    for (QLineEdit* e : {EndGatedElDBNF, MidStaDBNF, MidElevDBNF, KLossDBNF1, KLossDBNF2, ML1DescDBSF, ML2DescDBSF})
        OnExit(e, [this] { GatedFieldExit(); });
    OnExit(DesFlowDBNF, [this] {
        GatedFieldExit();
        layoutFieldLeft();
    });
    OnExit(EndGatedStaDBNF, [this] { EndGatedStaDBNFExit(); });
    OnExit(GateSpacingDBNF, [this] { GateSpacingDBNFExit(); });
    OnExit(ReqPresDBNF, [this] { ReqPresDBNFExit(); });
    SetEnterKey(MidChkBox, ui::EnterKey::NextControl);
}

bool TGatedPipeDlg::calculatorJob() const { return Tul->SysTypeCode == 5; }

TGatedPipeDlg::Slot TGatedPipeDlg::slot(int n) const
{
    if (n == 1)
        return {AltRadioGp1, Kid1Lbl, K1Lbl, kControls_[0], headControls_[0], Loss1SpdBtn, KLossDBNF1};
    return {AltRadioGp2, Kid2Lbl, K2Lbl, kControls_[1], headControls_[1], Loss2SpdBtn, KLossDBNF2};
}

// A gated pipe that has never been through this dialog gets its defaults
// once; values entered since are never overwritten by them.
void TGatedPipeDlg::startNewGatedPipe()
{
    TDMod* m = DMod;
    auto defaultIfNull = [](db::Field* f, db::Field* def) {
        if (f->IsNull() || f->AsFloat() == 0.0) f->SetAsFloat(def->AsFloat());
    };
    defaultIfNull(m->WorkGatedTableGateFlow, m->DefLocTableGateGpm);
    defaultIfNull(m->WorkGatedTableGateSpace, m->DefLocTableGateSpace);
    m->WorkGatedTableML1->SetAsFloat(0.0);
    m->WorkGatedTableML2->SetAsFloat(0.0);
    m->WorkGatedTableK1State->SetAsString(QStringLiteral("N"));
    m->WorkGatedTableK2State->SetAsString(QStringLiteral("N"));
    if (calculatorJob()) {
        Tul->PipeType = m->WorkGatedTablePipeType->AsString();
        if (Tul->PipeType.isEmpty())
            Tul->PipeType = m->DefLocTableGatedPipeType->AsString();
        m->WorkGatedTablePipeType->SetAsString(Tul->PipeType);
        if (m->WorkGatedTableStartSta->IsNull()) m->WorkGatedTableStartSta->SetAsFloat(0.0);
        if (m->WorkGatedTableStartElev->IsNull()) m->WorkGatedTableStartElev->SetAsFloat(0.0);
    } else {
        Tul->PipeType = m->WorkProfTablePipeType->AsString();
        m->WorkGatedTablePipeType->SetAsString(Tul->PipeType);
        m->WorkGatedTablePipeDescription->SetAsString(m->WorkProfTableDownStreamPipeDescription->AsString());
        m->WorkGatedTableStartElev->SetAsFloat(m->WorkProfTableGroundElev->AsFloat());
    }
}

void TGatedPipeDlg::FormShow()
{
    TDMod* m = DMod;
    Tul->Cancelled = false;
    OpenIfClosed(m->WorkPipeTable);
    EditIfBrowsing(m->WorkPipeTable);
    OpenIfClosed(m->DefLocTable);
    m->DefLocTable->First();
    OpenIfClosed(m->WorkGatedTable);
    EditIfBrowsing(m->WorkGatedTable);
    const bool fresh = m->WorkGatedTableK1State->AsString().isEmpty();

    if (!calculatorJob()) {
        Tul->NewStation = m->WorkProfTableStation->AsFloat();
        Tul->LocateProfStation();
        EditIfBrowsing(m->WorkGatedTable);
        // The gated pipe starts at its end node, and takes that node's supply.
        m->WorkGatedTableStartSta->SetAsFloat(m->WorkProfTableStation->AsFloat());
        if (m->WorkGatedTableStartElev->IsNull())
            m->WorkGatedTableStartElev->SetAsFloat(m->WorkProfTableGroundElev->AsFloat());
        m->WorkGatedTablePipeQ->SetAsFloat(m->WorkProfTablePipeQ->AsFloat());
        if (m->WorkProfTableDiaIn->AsFloat() > 0.0)
            m->WorkGatedTableDiaIn->SetAsFloat(m->WorkProfTableDiaIn->AsFloat());
    }
    if (fresh)
        startNewGatedPipe();
    if (EntranceVelocity(m->WorkGatedTablePipeQ->AsFloat(), m->WorkGatedTableDiaIn->AsFloat()))
        StoreGatedVelocity();
    else
        m->WorkGatedTablePipeVel->Clear();
    keptStartSta_ = m->WorkGatedTableStartSta->AsFloat();
    keptStartElev_ = m->WorkGatedTableStartElev->AsFloat();
    PostAndEdit(m->WorkGatedTable);

    OvcNotebook1->SetPageIndex(1);
    OvcNotebook1->SetPageIndex(0);

    if (!calculatorJob()) {
        Tul->PipePickTarget = 3;
        GatedPipeSelecSpdBtn->setEnabled(!Tul->NewNode);
        EditIfBrowsing(m->WorkProfTable);
        Tul->SysHas = 1;
    } else {
        GatedPipeSelecSpdBtn->setEnabled(true);
    }
    const bool pumped = Tul->SysTypeCode == 2 || Tul->SysTypeCode == 3;
    for (QWidget* w : {static_cast<QWidget*>(ReqPresDBNF), static_cast<QWidget*>(ReqPresLbl1),
                       static_cast<QWidget*>(ReqPresLbl2)})
        w->setEnabled(pumped);

    for (int n : {2, 1}) {
        const int i = StateIndex(Gated(QStringLiteral("K%1State").arg(n))->AsString());
        if (i >= 0) slot(n).group->SetItemIndex(i);
    }
    MidChkBox->setChecked(m->WorkGatedTableIsMidSeg->AsBoolean());
    CheckMidSegmentRange();

    BeginStaDBNF->setEnabled(calculatorJob());
    GndElevDBNF->setEnabled(true);
    SetFocus(calculatorJob() ? BeginStaDBNF : GndElevDBNF);
    // What it shows now is what a Cancel gives back: each field exit posts.
    opened_.emplace(std::initializer_list<db::Table*>{m->WorkGatedTable, m->WorkPipeTable});
}

void TGatedPipeDlg::CheckMidSegmentRange()
{
    if (!MidChkBox->isChecked()) {
        MidSegGpBox->hide();
        return;
    }
    MidSegGpBox->show();
    TDMod* m = DMod;
    const double q = calculatorJob() ? m->WorkGatedTablePipeQ->AsFloat() : m->WorkProfTablePipeQ->AsFloat();
    const GateLayoutResult r = CheckGateLayout(q, m->WorkGatedTableGateFlow->AsFloat(),
                                               m->WorkGatedTableGateSpace->AsFloat(),
                                               m->WorkGatedTableStartSta->AsFloat(), m->WorkGatedTableEndSta->AsFloat());
    Gates = r.layout.gates;
    OpenLength = r.layout.openLength;
    FirstEnd = r.layout.firstEnd;
    LastStart = r.layout.lastStart;
    if (r.check == GateLayoutCheck::Fits) {
        StaRangeLbl->setText(r.text);
        return;
    }
    ui::MessageDlg(r.text, ui::MsgType::Error, ui::mbOK);
    MidSegGpBox->hide();
    MidChkBox->setChecked(false);
    MidChkBoxClick();   // unchecking switches the segment off in the row too
}

void TGatedPipeDlg::MidChkBoxClick()
{
    EditIfBrowsing(DMod->WorkGatedTable);
    DMod->WorkGatedTableIsMidSeg->SetAsBoolean(MidChkBox->isChecked());
    CheckMidSegmentRange();
    if (DMod->WorkGatedTableIsMidSeg->AsBoolean())
        SetFocus(MidStaDBNF);
}

void TGatedPipeDlg::lossChoice(int n)
{
    const Slot s = slot(n);
    db::Table* g = DMod->WorkGatedTable;
    EditIfBrowsing(g);
    const int i = s.group->ItemIndex();
    if (i < 0 || i > 2) return;
    Gated(QStringLiteral("K%1State").arg(n))->SetAsString(QString::fromLatin1(kStates[i]));
    PostAndEdit(g);
    s.kid->clear();
    s.k->clear();
    for (QWidget* w : s.kControls) w->setEnabled(i == 1);
    for (QWidget* w : s.headControls) w->setEnabled(i == 2);
    if (i == 1) SetFocus(s.getK);
    if (i == 2) SetFocus(s.headLoss);
}

void TGatedPipeDlg::showKItem(int n)
{
    const Slot s = slot(n);
    if (GatedN("KLocate", n)->AsString() == QLatin1String("NA")) {
        s.kid->setText(QStringLiteral("NA"));
        s.k->setText(QStringLiteral("NA"));
    } else {
        s.kid->setText(ValueText(GatedN("Kid", n)));
        s.k->setText(ValueText(GatedN("K", n)));
    }
}

void TGatedPipeDlg::showLossState(int n)
{
    const Slot s = slot(n);
    const int i = StateIndex(Gated(QStringLiteral("K%1State").arg(n))->AsString());
    if (i < 0) return;
    if (s.group->ItemIndex() != i) {
        s.group->SetItemIndex(i);
        lossChoice(n);
    }
    for (QWidget* w : s.kControls) w->setEnabled(i == 1);
    for (QWidget* w : s.headControls) w->setEnabled(i == 2);
    if (i == 1) {
        if (!GatedN("Kid", n)->AsString().isEmpty()) showKItem(n);
        SetFocus(s.getK);
    } else if (i == 2) {
        SetFocus(s.headLoss);
    }
}

void TGatedPipeDlg::OvcNotebook1PageChanged(int index)
{
    if (index != 1 || !DMod->WorkGatedTable->Active()) return;
    showLossState(2);
    showLossState(1);
}

void TGatedPipeDlg::getK(int n)
{
    const Slot s = slot(n);
    Tul->MinorLossSlot = n;
    s.kid->clear();
    s.k->clear();
    Tul->GatedLossPick = true;
    ShowOwned(GetKMDlg, this);
    Tul->GatedLossPick = false;
    s.kid->setEnabled(true);
    s.k->setEnabled(true);
    showKItem(n);
}

void TGatedPipeDlg::clearLoss(int n)
{
    db::Table* g = DMod->WorkGatedTable;
    EditIfBrowsing(g);
    GatedN("K", n)->SetAsFloat(0.0);
    GatedN("Kid", n)->SetAsFloat(0.0);
    for (const char* stem : {"KDescription", "KFlag", "KLocate"}) GatedN(stem, n)->SetAsString(QString());
    PostAndEdit(g);
    const Slot s = slot(n);
    if (s.group->ItemIndex() != 0) {
        s.group->SetItemIndex(0);
        lossChoice(n);
    }
}

void TGatedPipeDlg::GatedPipeSelecSpdBtnClick()
{
    TDMod* m = DMod;
    if (!calculatorJob()) {
        Tul->LocateProfStation();
        if (m->WorkProfTable->ControlsDisabled()) m->WorkProfTable->EnableControls();
    }
    ShowOwned(GetPipeDlg, this);
    EditIfBrowsing(m->WorkGatedTable);
    if (!calculatorJob()) Tul->LocateProfStation();
    StoreGatedVelocity();
}

void TGatedPipeDlg::BeginStaDBNFExit()
{
    TDMod* m = DMod;
    if (!Tul->NewJob && m->WorkGatedTableStartSta->AsFloat() != keptStartSta_) {
        ui::MessageDlg(QStringLiteral("You can't edit the starting station here!"), ui::MsgType::Error, ui::mbOK);
        EditIfBrowsing(m->WorkGatedTable);
        m->WorkGatedTableStartSta->SetAsFloat(keptStartSta_);
        m->WorkGatedTable->Post();
    }
    if (Tul->NewJob) keptStartSta_ = m->WorkGatedTableStartSta->AsFloat();
    PostIfEditing(m->WorkGatedTable);
    Tul->NewStation = m->WorkGatedTableStartSta->AsFloat();
    layoutFieldLeft();
}

void TGatedPipeDlg::GndElevDBNFExit() { PostAndEdit(DMod->WorkGatedTable); }

void TGatedPipeDlg::GatedFieldExit()
{
    db::Table* g = DMod->WorkGatedTable;
    EditIfBrowsing(g);
    PostAndEdit(g);
}

QString TGatedPipeDlg::noLengthText() const
{
    TDMod* m = DMod;
    const double start = m->WorkGatedTableStartSta->AsFloat();
    if (!m->WorkGatedTableEndSta->IsNull() && m->WorkGatedTableEndSta->AsFloat() > start) return QString();
    return QStringLiteral("The end gated station must lie beyond the start gated station, ") + Hyd->StationText(start) +
           QStringLiteral(".");
}

// An end at or before the start leaves no gated pipe: the run would refuse
// it, so it is refused where it is typed.
void TGatedPipeDlg::EndGatedStaDBNFExit()
{
    QWidget* to = FocusTarget();
    if (!EndGatedStaDBNF->text().trimmed().isEmpty() && to != CancelBtn) {
        const QString why = noLengthText();
        if (!why.isEmpty()) throw ui::InputError(why);
    }
    GatedFieldExit();
    layoutFieldLeft();
}

// The intermediate range follows the stations, the gate flow and the
// spacing as each is left; Cancel gives them all back and needs none.
void TGatedPipeDlg::layoutFieldLeft()
{
    if (FocusTarget() != CancelBtn)
        CheckMidSegmentRange();
}

bool TGatedPipeDlg::leavingByOkOrCancel() const
{
    QWidget* to = FocusTarget();
    return to == OKBtn || to == CancelBtn;
}

// A new calculator job is led from its gates straight to its pipe, once:
// with a pipe chosen, the selection opens when its button asks for it.
bool TGatedPipeDlg::pipeToChoose() const
{
    return calculatorJob() && Tul->NewJob && DMod->WorkGatedTablePipeDescription->AsString().isEmpty();
}

void TGatedPipeDlg::GateSpacingDBNFExit()
{
    GatedFieldExit();
    layoutFieldLeft();
    // OK or Cancel clicked from the field acts at once: the focus goes on
    // through the form only by Tab or Enter.
    if (leavingByOkOrCancel()) return;
    if (Tul->SysTypeCode == 2 || Tul->SysTypeCode == 3)
        SetFocus(ReqPresDBNF);
    else if (pipeToChoose())
        GatedPipeSelecSpdBtnClick();
    else
        SetFocus(MidChkBox);
}

void TGatedPipeDlg::ReqPresDBNFExit()
{
    db::Table* p = DMod->WorkPipeTable;
    EditIfBrowsing(p);
    PostAndEdit(p);
    if (leavingByOkOrCancel()) return;
    if (pipeToChoose())
        GatedPipeSelecSpdBtnClick();
    else
        SetFocus(MidChkBox);
}

void TGatedPipeDlg::GatedFieldEnter() { EditIfBrowsing(DMod->WorkGatedTable); }

void TGatedPipeDlg::OKBtnClick()
{
    const QString why = noLengthText();
    if (!why.isEmpty()) {
        ui::MessageDlg(why, ui::MsgType::Error, ui::mbOK);
        OvcNotebook1->SetPageIndex(0);
        SetFocus(EndGatedStaDBNF);
        return;
    }
    Tul->Cancelled = false;
    SetModalResult(ui::mrOk);
}

void TGatedPipeDlg::CancelBtnClick()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TGatedPipeDlg::HelpBtnClick() { ui::HelpContext(40); }
void TGatedPipeDlg::HelpOptSegBtnClick() { ui::HelpContext(157); }

void TGatedPipeDlg::FormClose()
{
    TDMod* m = DMod;
    Tul->GatedLossPick = false;
    if (Tul->Cancelled) {
        if (opened_) {
            opened_->PutBack();
        } else {
            m->WorkPipeTable->Cancel();
            m->WorkGatedTable->Cancel();
        }
        return;
    }
    PostIfEditing(m->WorkGatedTable);
    // The gravity designer has no gated-pipe calculator jobs.
    if (Tul->SysHas == 8 && !GravityDesignerRunning())
        // The start elevation may have changed: the side of the entrance
        // pair that was not given follows it.
        KeepEntrancePair(GatedToolDlg && GatedToolDlg->EntrancePsiGiven);
    PostIfEditing(m->WorkPipeTable);
    if (!calculatorJob()) {
        PostIfEditing(m->WorkProfTable);
        if (m->WorkProfTable->Locate(QStringLiteral("Station"), Tul->NewStation))
            m->WorkProfTable->Edit();
    }
}
