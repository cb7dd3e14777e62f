#include "dialogs/profile/pipe_selection_dialog.h"

#include "dialogs/profile/depth_dialog.h"
#include "dialogs/profile/contraction_enlargement_dialog.h"
#include "dialogs/numeric_field.h"
#include "engine/hydraulics.h"
#include "dialogs/profile/size_change_losses.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/loss_slots.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {

// The "Show All" range, also taken where a velocity bound gives no diameter.
constexpr double kShowAllLow = 0.5;
constexpr double kShowAllHigh = 60.0;

// The first row whose field begins with the text (a partial-key locate).
bool locatePrefix(db::Table* t, db::Field* f, const QString& text)
{
    t->CheckBrowseMode();
    for (t->First(); !t->Eof(); t->Next()) {
        if (f->AsString().startsWith(text))
            return true;
        if (t->RecNo() == t->RecordCount())
            break;
    }
    return false;
}

void editState(db::Table* t)
{
    if (t->State() == db::DataSetState::Browse)
        t->Edit();
}

void writeReachColumns()
{
    TDMod* d = DMod;
    d->WorkProfTablePipeType->SetAsString(d->TypeTablePipeType->AsString());
    d->WorkProfTableDownStreamPipeDescription->SetAsString(d->PipeTablePipeDescription->AsString());
    d->WorkProfTableCfac->SetAsFloat(d->TypeTableCfactor->AsFloat());
    d->WorkProfTableNfac->SetAsFloat(d->TypeTableNfactor->AsFloat());
    d->WorkProfTableEfac->SetAsFloat(d->TypeTableEfactor->AsFloat());
    d->WorkProfTableDiaIn->SetAsFloat(d->PipeTableIDin->AsFloat());
    d->WorkProfTableWtPerFt->SetAsFloat(d->PipeTableWtPerFt->AsFloat());
    d->WorkProfTableNomDia->SetAsFloat(d->PipeTableNomDiam->AsFloat());
    d->WorkProfTablePipeRating->SetAsFloat(d->PipeTableRating->AsFloat());
    d->WorkProfTablePressurRating->SetAsFloat(d->PipeTablePressRtngpsi->AsFloat());
    d->WorkProfTableWallThick->SetAsFloat(d->PipeTableWallThickin->AsFloat());
    d->WorkProfTableModulus->SetAsFloat(d->PipeTableModulus->AsFloat());
    d->WorkProfTableMaxVel->SetAsFloat(d->TypeTableMaxVel->AsFloat());
}

} // namespace

double DiameterForVelocity(double Q, double V)
{
    if (!(Q > 0) || !(V > 0))
        return 0.0;
    return std::sqrt(Q / (V * 2.447845));
}

// ---- construction -----------------------------------------------------------

TGetPipeDlg::TGetPipeDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("GetPipeDlg"));
    SetCaption(QStringLiteral("Pipe Selection"));
    SetPosition(ui::Position::OwnerCenter);
    resize(700, 540);
    auto* v = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, HelpBitBtn3})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);

    auto* upper = new QHBoxLayout;
    auto* typeBox = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Select Pipe Type"));
    auto* tl = new QVBoxLayout(typeBox);
    PTypeDBLookupComboBox = ui::Make<QComboBox>(typeBox, "PTypeDBLookupComboBox");
    PTypeDBLookupComboBox->setMaxVisibleItems(18);
    PTypeDBLookupComboBox->setMinimumWidth(180);
    tl->addWidget(PTypeDBLookupComboBox);
    tl->addStretch(1);
    upper->addWidget(typeBox);

    auto* range = ui::Make<QGroupBox>(this, "GroupBox2", QStringLiteral("Pipe Diameter Selection Range"));
    auto* rl = new QGridLayout(range);
    rl->addWidget(new QLabel(QStringLiteral("( Default Based on Velocity)"), range), 0, 0, 1, 4);
    rl->addWidget(new QLabel(QStringLiteral("High Vel:"), range), 1, 0);
    HighVelLbl = ui::Make<QLabel>(range, "HighVelLbl");
    rl->addWidget(HighVelLbl, 1, 1);
    rl->addWidget(new QLabel(QStringLiteral("ft/sec"), range), 1, 2);
    LowNF = ui::Make<QLineEdit>(range, "LowNF");
    rl->addWidget(LowNF, 1, 3);
    rl->addWidget(new QLabel(QStringLiteral("inches"), range), 1, 4);
    rl->addWidget(new QLabel(QStringLiteral("Low Vel:"), range), 2, 0);
    LowVelLbl = ui::Make<QLabel>(range, "LowVelLbl");
    rl->addWidget(LowVelLbl, 2, 1);
    rl->addWidget(new QLabel(QStringLiteral("ft/sec"), range), 2, 2);
    HighNF = ui::Make<QLineEdit>(range, "HighNF");
    rl->addWidget(HighNF, 2, 3);
    rl->addWidget(new QLabel(QStringLiteral("inches"), range), 2, 4);
    ShowAllBtn = ui::Make<QPushButton>(range, "ShowAllBtn", QStringLiteral("Show All"));
    rl->addWidget(ShowAllBtn, 3, 3);
    PipeHlp2Btn = ui::Make<QToolButton>(range, "PipeHlp2Btn");
    PipeHlp2Btn->setText(QStringLiteral("?"));
    rl->addWidget(PipeHlp2Btn, 3, 4);
    upper->addWidget(range, 1);
    v->addLayout(upper);

    PipeSizeGpBox = ui::Make<QGroupBox>(this, "PipeSizeGpBox", QStringLiteral("Select Pipe Size and Rating "));
    auto* sl = new QVBoxLayout(PipeSizeGpBox);
    SelectedPipeLbl = ui::Make<QLabel>(PipeSizeGpBox, "SelectedPipeLbl");
    QFont bold = SelectedPipeLbl->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    SelectedPipeLbl->setFont(bold);
    sl->addWidget(SelectedPipeLbl);
    auto* flow = new QHBoxLayout;
    PipeQTxt = ui::Make<QLabel>(PipeSizeGpBox, "PipeQTxt");
    flow->addWidget(PipeQTxt);
    flow->addWidget(new QLabel(QStringLiteral("gpm Reach Flow Rate"), PipeSizeGpBox));
    flow->addStretch(1);
    sl->addLayout(flow);
    PipeDescriptionGrid = ui::Make<QTableView>(PipeSizeGpBox, "PipeDescriptionGrid");
    PipeDescriptionGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    PipeDescriptionGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    sl->addWidget(PipeDescriptionGrid, 1);
    v->addWidget(PipeSizeGpBox, 1);

    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({100, 200});
    v->addWidget(StatusBar1);

    low_ = new NumField(LowNF, ui::NumericFormat::Picture(QStringLiteral("###.##")));
    high_ = new NumField(HighNF, ui::NumericFormat::Picture(QStringLiteral("###.##")));
    typeBox_ = new ui::DBLookupComboBox(PTypeDBLookupComboBox, DMod->TypeData, QStringLiteral("PipeType"),
                                        QStringLiteral("PipeType"), DMod->WorkProfData, QStringLiteral("PipeType"));
    flowText_ = new ui::DBText(PipeQTxt, DMod->WorkProfData, QStringLiteral("PipeQ"));
    auto numberCell = [](const QVariant& x) { return x.isNull() ? QString() : QString::number(x.toDouble()); };
    new ui::DBGrid(PipeDescriptionGrid, DMod->PipeData,
                   {{QStringLiteral("Pipe Description"), QStringLiteral("Pipe Description"), 230, {}, true},
                    {QStringLiteral("ID (in)"), QStringLiteral("ID (in)"), 60, numberCell, true},
                    {QStringLiteral("Velocityftsec"), QStringLiteral("Velocity ft/sec"), 100,
                     [](const QVariant& x) { return x.isNull() ? QString() : FixedText(x.toDouble(), 6, 2); }, true},
                    {QStringLiteral("Frictionft100ft"), QStringLiteral("Friction ft/100 ft"), 115,
                     [](const QVariant& x) { return x.isNull() ? QString() : FixedText(x.toDouble(), 6, 2); }, true},
                    {QStringLiteral("Press Rtng (psi)"), QStringLiteral("Press Rtng (psi)"), 110, numberCell, true}});

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); }, ui::mrOk);
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); }, ui::mrCancel);
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    OnClick(PipeHlp2Btn, [this] { PipeHlp2BtnClick(); });
    OnClick(ShowAllBtn, [this] { ShowAllBtnClick(); });
    SetCancelButton(CancelBitBtn2);
    Handle(PTypeDBLookupComboBox, &QComboBox::activated, [this] { PTypeDBLookupComboBoxClick(); });
    Handle(PipeDescriptionGrid, &QTableView::doubleClicked, [this] { PipeDescriptionGridDblClick(); });
    OnExit(LowNF, [this] { LowNFExit(); });
    OnExit(HighNF, [this] { HighNFExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{PTypeDBLookupComboBox, LowNF, HighNF, PipeDescriptionGrid})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

bool TGetPipeDlg::eventFilter(QObject* watched, QEvent* e)
{
    // The form sees the events of all its controls: a click in the pipe list,
    // or a key that moved its highlight, shows the pipe under the cursor,
    // the one OK takes.
    if ((e->type() == QEvent::MouseButtonRelease && watched == PipeDescriptionGrid->viewport()) ||
        (e->type() == QEvent::KeyRelease && watched == PipeDescriptionGrid))
        Run([this] { PipeDescriptionGridMouseUp(); });
    return ui::Form::eventFilter(watched, e);
}

double TGetPipeDlg::LowBound() const { return low_->Value(); }
double TGetPipeDlg::HighBound() const { return high_->Value(); }

QString& TGetPipeDlg::lastReachPipeType()
{
    static QString type;
    return type;
}

bool TGetPipeDlg::gatedTarget() const
{
    return Tul->PipePickTarget == 3;
}

void TGetPipeDlg::refreshPipes()
{
    if (DMod->PipeTable->Active())
        DMod->PipeTable->Refresh();
}

void TGetPipeDlg::rangeFromVelocity(double Q)
{
    // A velocity bound of 0 (or less) gives no diameter: that side is open
    // as far as "Show All" goes.
    high_->SetValue(lowVel_ > 0 ? DiameterForVelocity(Q, lowVel_) : kShowAllHigh);
    low_->SetValue(highVel_ > 0 ? DiameterForVelocity(Q, highVel_) : kShowAllLow);
    DMod->FilterHigh = high_->Value();
    DMod->FilterLow = low_->Value();
}

// ---- show -------------------------------------------------------------------

void TGetPipeDlg::FormShow()
{
    ui::CursorScope wait;
    TDMod* d = DMod;
    Tul->Cancelled = false;
    pickState_ = 0;
    filledType_ = nullptr;
    // The material list first: the pipe filter reads its current row.
    if (!d->TypeTable->Active())
        d->TypeTable->Open();
    if (!d->PipeTable->Active())
        d->PipeTable->Open();
    d->PipeFilterMode = 0;
    d->PipeTable->SetFiltered(true);
    if (!d->DefLocTable->Active())
        d->DefLocTable->Open();
    lowVel_ = d->DefLocTableLowVel->AsFloat();
    highVel_ = d->DefLocTableHighVel->AsFloat();
    LowVelLbl->setText(QString::number(lowVel_));
    HighVelLbl->setText(QString::number(highVel_));
    StatusBar1->SetPanelText(0, QString());

    // The target row, its flow and what it holds.
    const bool creating = Tul->NewNode;
    const bool suction = Tul->PipePickTarget == 1;
    const bool gated = gatedTarget();
    const bool gatedCalculator = Tul->SysTypeCode == 5;
    db::Table* row = suction ? d->WorkSuctionTable : gated ? d->WorkGatedTable : d->WorkProfTable;
    db::Field* rowType = suction ? d->WorkSuctionTablePipeType : gated ? d->WorkGatedTablePipeType : d->WorkProfTablePipeType;
    db::Field* rowDia = suction ? d->WorkSuctionTableDiaIn : gated ? d->WorkGatedTableDiaIn : d->WorkProfTableDiaIn;
    db::Field* rowDescription = suction ? d->WorkSuctionTableDownStreamPipeDescription
                                : gated ? d->WorkGatedTablePipeDescription
                                        : d->WorkProfTableDownStreamPipeDescription;
    const QString key = suction ? QStringLiteral("SegmentNo") : QStringLiteral("Station");
    const QVariant at = suction ? QVariant(Tul->SuctionSegmentNo) : QVariant(Tul->NewStation);
    if (!row->Active())
        row->Open();
    double Q = 0.0;
    if (suction) {
        row->Locate(key, at);
        Q = d->WorkSuctionTablePipeQ->AsFloat();
        StatusBar1->SetPanelText(1, QStringLiteral("Segment No = ") + QString::number(Tul->SuctionSegmentNo));
    } else if (!gated) {
        row->Locate(key, at);
        Q = d->WorkProfTablePipeQ->AsFloat();
        StatusBar1->SetPanelText(1, QStringLiteral("Station = ") + Hyd->StationText(Tul->NewStation));
    } else if (gatedCalculator) {
        // The calculator's gated pipe takes the whole inflow; it has no profile.
        Q = d->WorkGatedTablePipeQ->AsFloat();
    } else {
        // A gated end takes the flow of the reach arriving at it, the current
        // profile row; the gated row holds it too, for the list's velocities.
        Q = d->WorkProfTable->Active() ? d->WorkProfTablePipeQ->AsFloat() : 0.0;
        if (Q > 0) {
            editState(row);
            d->WorkGatedTablePipeQ->SetAsFloat(Q);
        }
    }
    if (gated && creating && rowType->AsString().isEmpty()) {
        // A gated pipe not yet given a material is offered the default one.
        const QString fallback = d->DefLocTableGatedPipeType->AsString();
        if (!fallback.isEmpty()) {
            editState(row);
            rowType->SetAsString(fallback);
        }
    }
    typeBox_->SetDataSource(suction ? d->WorkSuctionData : gated ? d->WorkGatedData : d->WorkProfData);
    // The flow the sizes are chosen for is the target row's own.
    flowText_->SetDataSource(suction                    ? d->WorkSuctionData
                             : gated && gatedCalculator ? d->WorkGatedData
                                                        : d->WorkProfData);
    d->TypeTable->Locate(QStringLiteral("PipeType"), rowType->AsString());
    if (!creating) {
        recordedDiameter_ = rowDia->AsFloat();
        CurrentPipeType = rowType->AsString();
    } else if (!gated && (suction ? Tul->NodeChoice == 1 : Tul->NodeChoice != 0)) {
        // A new segment or node: the diameter upstream of it.
        if (row->RecNo() > 1) {
            row->Prior();
            Tul->DiaIn = rowDia->AsFloat();
        }
        row->Locate(key, at);
    }
    if (gated) {
        if (Q > 0) {
            rangeFromVelocity(Q);
        } else {
            low_->SetValue(0.5);
            high_->SetValue(48.0);
            d->FilterLow = 0.5;
            d->FilterHigh = 48.0;
        }
        editState(row);
    } else {
        rangeFromVelocity(Q);
        if (suction)
            Tul->LocateSuctionSegment();
        else
            Tul->LocateProfStation();
    }

    if (creating) {
        if (!gated && rowType->AsString().isEmpty()) {
            // A new reach without a material opens on the last reach material
            // shown, else the first: never on a gated pick's material, with
            // the box naming none.
            QString type = lastReachPipeType();
            if (type.isEmpty() || !d->TypeTable->Locate(QStringLiteral("PipeType"), type)) {
                d->TypeTable->First();
                type = d->TypeTablePipeType->AsString();
            }
            if (!type.isEmpty()) {
                editState(row);
                rowType->SetAsString(type);
                filledType_ = rowType;
            }
        }
        if (!gated || gatedCalculator || !rowType->AsString().isEmpty())
            CurrentPipeType = rowType->AsString();
        if (!gated)
            lastReachPipeType() = CurrentPipeType;
        if (!CurrentPipeType.isEmpty())
            d->TypeTable->Locate(QStringLiteral("PipeType"), CurrentPipeType);
        PTypeDBLookupComboBoxClick();
        return;
    }

    // Editing: the list reaches beyond the velocity range, which the two
    // fields keep showing.
    PipeSizeGpBox->show();
    d->FilterHigh += 5.0;
    d->FilterLow = 0.5;
    SelectedPipeLbl->hide();
    CurrentPipeType = rowType->AsString();
    Tul->PipeType = CurrentPipeType;
    const QString recorded = rowDescription->AsString();
    if (!gatedTarget())
        Tul->DownStreamPipeDescription = recorded;
    if (!locatePrefix(d->TypeTable, d->TypeTablePipeType, CurrentPipeType))
        ui::MessageDlg(QStringLiteral("Can't find pipe type"), ui::MsgType::Error, ui::mbOK);
    // The list follows the material and the widened range, in size order.
    d->PipeTable->SetIndexName(QStringLiteral("DiaIndex"));
    refreshPipes();
    PositionOnCursorVelocity();
    if (!recorded.isEmpty()) {
        if (!locatePrefix(d->PipeTable, d->PipeTablePipeDescription, recorded)) {
            ui::MessageDlg(QStringLiteral("Can't find the recorded pipe description"), ui::MsgType::Error, ui::mbOK);
        } else {
            if (Tul->SysTypeCode == 5 || gatedTarget())
                CopyPipeToGatedPipe();
            else if (Tul->PipePickTarget == 1)
                CopyPipeToSuctionSegment(this);
            else
                CopyPipeToReach(this);
            SelectedPipeLbl->setText(d->PipeTablePipeDescription->AsString());
        }
    }
    pickState_ = 1;
    Tul->Cancelled = false;
}

// ---- choosing ---------------------------------------------------------------

void TGetPipeDlg::PTypeDBLookupComboBoxClick()
{
    pickState_ = 1;
    DMod->PipeTable->SetIndexName(QStringLiteral("DiaIndex"));
    refreshPipes();
    PositionOnCursorVelocity();
}

void TGetPipeDlg::PositionOnCursorVelocity()
{
    TDMod* d = DMod;
    PipeDescriptionGrid->show();
    PipeSizeGpBox->show();
    db::Table* p = d->PipeTable;
    const QString chosen = d->TypeTable->Active() && !d->TypeTable->IsEmpty() ? d->TypeTablePipeType->AsString() : QString();
    bool placed = false;
    if (Tul->NewNode && Tul->PipeType == chosen && !Tul->DownStreamPipeDescription.isEmpty())
        placed = p->Locate(QStringLiteral("Pipe Description"), Tul->DownStreamPipeDescription);
    if (!placed && !p->IsEmpty()) {
        // The smallest listed pipe at or below the cursor velocity, else the largest.
        const double cursorVel = d->DefLocTableCursorVel->AsFloat();
        p->Last();
        while (p->RecNo() > 1) {
            p->Prior();
            if (d->PipeTableVelocityftsec->AsFloat() > cursorVel) {
                p->Next();
                break;
            }
        }
    }
    Tul->PipeType = chosen;
    SetFocus(PipeDescriptionGrid);
    ShowSelectedPipe();
}

void TGetPipeDlg::ShowSelectedPipe()
{
    TDMod* d = DMod;
    if (!d->PipeTable->Active() || d->PipeTable->IsEmpty())
        return;
    const double id = d->PipeTableIDin->AsFloat();
    const QString description = d->PipeTablePipeDescription->AsString();
    const bool reachOrSegment = !gatedTarget();
    if (Tul->NewNode) {
        SizeChangeFlag = reachOrSegment && Tul->NodeChoice > 0 && id != Tul->DiaIn;
        Tul->DownStreamPipeDescription = description;
    } else if (reachOrSegment) {
        if (Tul->ReachPipePick) {
            SizeChangeFlag = false;
            Tul->ReachPipePick = false;
        } else {
            SizeChangeFlag = id != recordedDiameter_ && Tul->NodeChoice != 0;
        }
    }
    SelectedPipeLbl->setText(description);
    SelectedPipeLbl->show();
}

void TGetPipeDlg::PipeDescriptionGridMouseUp()
{
    ShowSelectedPipe();
    pickState_ = 3;
}

void TGetPipeDlg::PipeDescriptionGridDblClick()
{
    pickState_ = 1;
    OKBitBtn1Click();
}

void TGetPipeDlg::LowNFExit()
{
    DMod->FilterLow = low_->Value();
    refreshPipes();
}

void TGetPipeDlg::HighNFExit()
{
    DMod->FilterHigh = high_->Value();
    refreshPipes();
}

void TGetPipeDlg::ShowAllBtnClick()
{
    high_->SetValue(kShowAllHigh);
    DMod->FilterHigh = kShowAllHigh;
    low_->SetValue(kShowAllLow);
    DMod->FilterLow = kShowAllLow;
    refreshPipes();
}

void TGetPipeDlg::HelpBitBtn3Click() { ui::HelpContext(34); }
void TGetPipeDlg::PipeHlp2BtnClick() { ui::HelpContext(111); }
void TGetPipeDlg::PipeHelpBtnClick() { ui::HelpContext(110); }

// ---- outcome ----------------------------------------------------------------

void TGetPipeDlg::OKBitBtn1Click()
{
    Tul->Cancelled = false;
    Close();
}

void TGetPipeDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TGetPipeDlg::FormClose()
{
    TDMod* d = DMod;
    if (Tul->Cancelled) {
        // A material only offered is not the reach's until a pipe is taken.
        if (filledType_)
            filledType_->SetAsString(QString());
        Tul->WasCancelled = true;
        return;
    }
    if ((pickState_ == 1 || pickState_ == 3) && d->PipeTable->Active() && !d->PipeTable->IsEmpty()) {
        if (Tul->SysTypeCode == 5 || gatedTarget())
            CopyPipeToGatedPipe();
        else if (Tul->PipePickTarget == 1)
            CopyPipeToSuctionSegment(this);
        else
            CopyPipeToReach(this);
        if (Tul->SysTypeCode != 5 && !gatedTarget())
            lastReachPipeType() = d->TypeTablePipeType->AsString();
    }
    Tul->WasCancelled = false;
    // All pipes again for the other users of the pipe table; the material
    // list goes, so the filter must no longer read it.
    d->PipeFilterMode = 6;
    if (d->TypeTable->Active())
        d->TypeTable->Close();
    if (Tul->SysHas != 8) {
        if (d->WorkProfTable->Active())
            Tul->LocateProfStation();
    }
}

// ---- copies -----------------------------------------------------------------

void CopyPipeToReach(QWidget* owner)
{
    TDMod* d = DMod;
    {
        db::ControlsOff off(d->WorkProfTable);
        editState(d->WorkProfTable);
        writeReachColumns();
        if (Tul->NodeChoice == 5)
            CopyPipeToGatedPipe();
        if (d->WorkProfTableInvElMethod->AsInteger() == 0) {
            double W, D;
            InvertPipeOf(W, D);
            d->WorkProfTableInvertElev->SetAsFloat(
                InvertFromCover(d->WorkProfTableGroundElev->AsFloat(), d->WorkProfTablePipeDepth->AsFloat(), W, D));
        }
        if (SizeChangeFlag && d->WorkProfTableDiaIn->AsFloat() != Tul->DiaIn &&
            d->WorkProfTableNodeType->AsInteger() != 5)
            AssignSizeChangeLosses(owner);
        Tul->LocateProfStation();
    }
}

void CopyPipeToSuctionSegment(QWidget* owner)
{
    TDMod* d = DMod;
    db::Table* seg = d->WorkSuctionTable;
    db::ControlsOff off(seg);
    editState(seg);
    d->WorkSuctionTablePipeType->SetAsString(d->PipeTablePipeType->AsString());
    d->WorkSuctionTableDownStreamPipeDescription->SetAsString(d->PipeTablePipeDescription->AsString());
    d->WorkSuctionTableCfac->SetAsFloat(d->TypeTableCfactor->AsFloat());
    d->WorkSuctionTableNfac->SetAsFloat(d->TypeTableNfactor->AsFloat());
    d->WorkSuctionTableEfac->SetAsFloat(d->TypeTableEfactor->AsFloat());
    d->WorkSuctionTableDiaIn->SetAsFloat(d->PipeTableIDin->AsFloat());
    d->WorkSuctionTableWtPerFt->SetAsFloat(d->PipeTableWtPerFt->AsFloat());
    if (SizeChangeFlag) {
        std::unique_ptr<TContEnlargDlg> dlg(new TContEnlargDlg(owner));
        ContEnlargDlg = dlg.get();
        const double D = d->WorkSuctionTableDiaIn->AsFloat();
        if (D != Tul->DiaIn) {
            const bool enlargement = D > Tul->DiaIn;
            ui::RadioGroup* on = enlargement ? dlg->EnlargRadGp : dlg->ContRadGp;
            ui::RadioGroup* other = enlargement ? dlg->ContRadGp : dlg->EnlargRadGp;
            on->setEnabled(true);
            other->setEnabled(false);
            const SizeChangeSlot s =
                Tul->NewNode ? SizeChangeSlot{1, true} : ChooseSizeChangeSlot(seg, enlargement, false);
            dlg->LossSlot = s.slot;
            if (s.selectFirst)
                on->SetItemIndex(0);
        }
        dlg->ShowModal();
        ContEnlargDlg = nullptr;
    }
    if (seg->State() != db::DataSetState::Browse)
        seg->Post();
    seg->Edit();
}

void CopyPipeToGatedPipe()
{
    TDMod* d = DMod;
    db::Table* g = d->WorkGatedTable;
    if (!g->Active())
        g->Open();
    editState(g);
    d->WorkGatedTablePipeType->SetAsString(d->PipeTablePipeType->AsString());
    d->WorkGatedTablePipeDescription->SetAsString(d->PipeTablePipeDescription->AsString());
    d->WorkGatedTableCfac->SetAsFloat(d->TypeTableCfactor->AsFloat());
    d->WorkGatedTableNfac->SetAsFloat(d->TypeTableNfactor->AsFloat());
    d->WorkGatedTableEfac->SetAsFloat(d->TypeTableEfactor->AsFloat());
    d->WorkGatedTableDiaIn->SetAsFloat(d->PipeTableIDin->AsFloat());
    d->WorkGatedTableWtPerFt->SetAsFloat(d->PipeTableWtPerFt->AsFloat());
    d->WorkGatedTablePressureRating->SetAsFloat(d->PipeTablePressRtngpsi->AsFloat());
    g->Post();
    g->Edit();
    if (Tul->SysTypeCode != 5 && d->WorkProfTable->Active()) {
        if (Tul->LocateProfStation()) {
            writeReachColumns();
            Tul->LocateProfStation();
        }
    }
}
