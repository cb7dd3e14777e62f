#include "dialogs/profile/minor_loss_dialog.h"

#include "dialogs/numeric_field.h"
#include "model/data_module.h"
#include "model/loss_slots.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/statusbar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

enum class Target { Profile, Suction, Gated };

Target target()
{
    if (Tul->PipePickTarget == 1)
        return Target::Suction;
    if (Tul->GatedLossPick)
        return Target::Gated;
    return Target::Profile;
}

db::Table* targetTable()
{
    switch (target()) {
    case Target::Suction: return DMod->WorkSuctionTable;
    case Target::Gated: return DMod->WorkGatedTable;
    default: return DMod->WorkProfTable;
    }
}

bool slotValid(int slot)
{
    return slot >= 1 && slot <= (target() == Target::Gated ? 2 : 3);
}

bool isEntranceLoss(const QString& cls)
{
    // The minor-loss editor stores this class as "EntranceLoss".
    return cls == QLatin1String("EntLoss") || cls == QLatin1String("EntranceLoss");
}

bool isKnownClass(const QString& cls)
{
    return isEntranceLoss(cls) || cls == QLatin1String("EntranceValve") || cls == QLatin1String("LineValve") ||
           cls == QLatin1String("LineFitting") || cls == QLatin1String("Contrac_Enlarge") ||
           cls == QLatin1String("OutletValve");
}

void showAll(std::initializer_list<QWidget*> ws, bool on)
{
    for (QWidget* w : ws)
        w->setVisible(on);
}

void enableAll(std::initializer_list<QWidget*> ws, bool on)
{
    for (QWidget* w : ws)
        w->setEnabled(on);
}

} // namespace

TGetKMDlg::TGetKMDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("GetKMDlg"));
    SetCaption(QStringLiteral("Get Minor Loss data"));
    SetPosition(ui::Position::OwnerCenter);
    resize(620, 520);
    auto* v = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    DeleteExitBtn = ui::Make<QPushButton>(this, "DeleteExitBtn", QStringLiteral("Delete Current"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("&Help"));
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, DeleteExitBtn, HelpBitBtn3})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);

    DoubleClickLbl = ui::Make<QLabel>(this, "DoubleClickLbl");
    v->addWidget(DoubleClickLbl);
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    v->addWidget(DBGrid1, 1);

    auto* info = new QGridLayout;
    info->addWidget(new QLabel(QStringLiteral("Station:"), this), 0, 0);
    DBText1 = ui::Make<QLabel>(this, "DBText1");
    info->addWidget(DBText1, 0, 1);
    info->addWidget(new QLabel(QStringLiteral("Description:"), this), 1, 0);
    DescriptionLbl = ui::Make<QLabel>(this, "DescriptionLbl");
    info->addWidget(DescriptionLbl, 1, 1);
    info->addWidget(new QLabel(QStringLiteral("Minor loss K Factor:"), this), 2, 0);
    KFacLbl = ui::Make<QLabel>(this, "KFacLbl");
    info->addWidget(KFacLbl, 2, 1);
    info->setColumnStretch(1, 1);
    v->addLayout(info);

    GroupBox1 = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Diameter Location/Dimension"));
    auto* g = new QGridLayout(GroupBox1);
    USRadioButton1 = ui::Make<QRadioButton>(GroupBox1, "USRadioButton1", QStringLiteral("Upstream Side of Node       (US)"));
    USoutLbl = ui::Make<QLabel>(GroupBox1, "USoutLbl");
    USLbl = ui::Make<QLabel>(GroupBox1, "USLbl", QStringLiteral("US diam (in)"));
    USPipeDesLbl = ui::Make<QLabel>(GroupBox1, "USPipeDesLbl");
    DSRadioBtn2 = ui::Make<QRadioButton>(GroupBox1, "DSRadioBtn2", QStringLiteral("Downstream Side of Node  (DS)"));
    DSOutLbl = ui::Make<QLabel>(GroupBox1, "DSOutLbl");
    DSLbl = ui::Make<QLabel>(GroupBox1, "DSLbl", QStringLiteral("DS diam (in)"));
    DSPipeDesLbl = ui::Make<QLabel>(GroupBox1, "DSPipeDesLbl");
    SPRadioButton3 = ui::Make<QRadioButton>(GroupBox1, "SPRadioButton3", QStringLiteral("Special Diameter                 (SP)"));
    IDNF = ui::Make<QLineEdit>(GroupBox1, "IDNF");
    SPLbl = ui::Make<QLabel>(GroupBox1, "SPLbl", QStringLiteral("Special diam (in)"));
    g->addWidget(USRadioButton1, 0, 0);
    g->addWidget(USoutLbl, 0, 1);
    g->addWidget(USLbl, 0, 2);
    g->addWidget(USPipeDesLbl, 0, 3);
    g->addWidget(DSRadioBtn2, 1, 0);
    g->addWidget(DSOutLbl, 1, 1);
    g->addWidget(DSLbl, 1, 2);
    g->addWidget(DSPipeDesLbl, 1, 3);
    g->addWidget(SPRadioButton3, 2, 0);
    g->addWidget(IDNF, 2, 1);
    g->addWidget(SPLbl, 2, 2);
    g->setColumnStretch(3, 1);
    v->addWidget(GroupBox1);

    SpecialKGpBox = ui::Make<QGroupBox>(this, "SpecialKGpBox", QStringLiteral("Special K Factor"));
    auto* sk = new QGridLayout(SpecialKGpBox);
    sk->addWidget(new QLabel(QStringLiteral("K Factor"), SpecialKGpBox), 0, 0);
    KmNF = ui::Make<QLineEdit>(SpecialKGpBox, "KmNF");
    sk->addWidget(KmNF, 0, 1);
    sk->addWidget(new QLabel(QStringLiteral("Special Loss Item Description"), SpecialKGpBox), 1, 0);
    DescSF = ui::Make<QLineEdit>(SpecialKGpBox, "DescSF");
    DescSF->setMaxLength(40);
    sk->addWidget(DescSF, 1, 1);
    v->addWidget(SpecialKGpBox);

    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({100, 200, 100});
    v->addWidget(StatusBar1);

    id_ = new NumField(IDNF, ui::NumericFormat::Picture(QStringLiteral("###.###"), 0.0));
    km_ = new NumField(KmNF, ui::NumericFormat::Picture(QStringLiteral("###.###"), 0.0, 999.0));
    SetControlHelpContext(IDNF, 38);
    new ui::DBGrid(DBGrid1, DMod->MinorLossData,
                   {{QStringLiteral("Loss Item Description"), QStringLiteral("Loss Item Description"), 300, {}, true},
                    {QStringLiteral("KFlag"), QStringLiteral("KFlag"), 120, {}, true}});
    new ui::DBText(DBText1, DMod->WorkProfData, QStringLiteral("Station"));

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); }, ui::mrOk);
    OnClick(CancelBitBtn2, {}, ui::mrCancel);
    OnClick(DeleteExitBtn, [this] { DeleteExitBtnClick(); });
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { DBGrid1DblClick(); });
    OnClick(USRadioButton1, [this] { USRadioButton1Click(); });
    OnClick(DSRadioBtn2, [this] { DSRadioBtn2Click(); });
    OnClick(SPRadioButton3, [this] { SPRadioButton3Click(); });
    OnExit(IDNF, [this] { IDNFExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, IDNF, KmNF, DescSF})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

QString TGetKMDlg::MinorLossKColumn(double D)
{
    if (D < 2.5) return QStringLiteral("K2");
    if (D < 3.5) return QStringLiteral("K3");
    if (D < 4.5) return QStringLiteral("K4");
    if (D < 5.5) return QStringLiteral("K5");
    if (D < 6.5) return QStringLiteral("K6");
    if (D < 7.5) return QStringLiteral("K7");
    if (D < 9.0) return QStringLiteral("K8");
    if (D < 11.0) return QStringLiteral("K10");
    return QStringLiteral("K12");
}

double TGetKMDlg::MinorLossKForDiameter(double D) const
{
    db::Table* t = DMod->MinorLossTable;
    if (!t->Active() || t->IsEmpty())
        return 0.0;
    return t->FieldByName(MinorLossKColumn(D))->AsFloat();
}

void TGetKMDlg::showK()
{
    KFacLbl->setText(number(K_));
}

void TGetKMDlg::check(QRadioButton* b)
{
    b->setChecked(true);
}

// ---- show -------------------------------------------------------------------

void TGetKMDlg::FormShow()
{
    storeSuppressed_ = false;
    special_ = false;
    noUpstream_ = false;
    okPressed_ = false;
    if (!DMod->MinorLossTable->Active())
        DMod->MinorLossTable->Open();
    SetFocus(DBGrid1);
    KFacLbl->hide();
    GroupBox1->hide();
    SpecialKGpBox->hide();

    StatusBar1->SetPanelText(0, QStringLiteral("Loss Item No: ") + QString::number(Tul->MinorLossSlot));
    QString where;
    switch (Tul->NodeChoice) {
    case 4: where = QStringLiteral("END Node minor loss loss at Station "); break;
    case 0: where = QStringLiteral("FIRST Node minor loss loss at Station "); break;
    case 6: where = QStringLiteral("Node minor loss at MANIFOLD PIPE start Station "); break;
    case 5: where = QStringLiteral("Node minor loss at GATED PIPE start Station "); break;
    default: where = QStringLiteral("IN LINE Node minor loss at Station "); break;
    }
    if (DMod->WorkProfTable->Active())
        where += DMod->WorkProfTableStation->AsString();
    StatusBar1->SetPanelText(2, where);

    db::Table* t = targetTable();
    if (target() == Target::Gated && !t->Active())
        t->Open();
    if (target() == Target::Profile && t->Active())
        Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
    if (t->Active() && slotValid(Tul->MinorLossSlot))
        restoreSlot(t);

    DoubleClickLbl->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    DoubleClickLbl->setText(QStringLiteral("DOUBLE CLICK to select new type of Minor Loss"));
}

void TGetKMDlg::restoreSlot(db::Table* table)
{
    const LossSlotFields s = LossSlotOf(table, Tul->MinorLossSlot);
    const QString description = s.KDescription->AsString();
    if (description.isEmpty())
        return;
    const QString code = s.KLocate->AsString();
    const QString cls = s.KFlag->AsString();
    const double storedK = s.K->AsFloat();
    const double storedKid = s.Kid->AsFloat();
    db::Table* items = DMod->MinorLossTable;
    // A special item is stored under the user's own description: find its class.
    if (!items->Locate(QStringLiteral("Loss Item Description"), description) && !cls.isEmpty() && !isKnownClass(cls))
        items->Locate(QStringLiteral("KFlag"), cls);
    DBGrid1DblClick();
    if (special_) {
        km_->SetValue(storedK);
        DescSF->setText(description);
        DescriptionLbl->setText(description);
    }
    // The side stored last time comes back, where this item allows it.
    if (code == QLatin1String("SP") && SPRadioButton3->isEnabled()) {
        id_->SetValue(storedKid);
        check(SPRadioButton3);
        SPRadioButton3Click();
        IDNFExit();
    } else if (code == QLatin1String("US") && USRadioButton1->isEnabled()) {
        check(USRadioButton1);
        USRadioButton1Click();
    } else if (code == QLatin1String("DS") && DSRadioBtn2->isEnabled()) {
        check(DSRadioBtn2);
        DSRadioBtn2Click();
    }
}

// ---- choosing an item -------------------------------------------------------

void TGetKMDlg::DBGrid1DblClick()
{
    LoadLossItemContext();
    storeSuppressed_ = false;
    DoubleClickLbl->setStyleSheet(QStringLiteral("color: green; font-weight: bold;"));
    DoubleClickLbl->setText(QStringLiteral("Select or Edit diameter or click OK"));
}

void TGetKMDlg::LoadLossItemContext()
{
    db::Table* items = DMod->MinorLossTable;
    if (!items->Active() || items->IsEmpty())
        return;
    itemDescription_ = DMod->MinorLossTableLossItemDescription->AsString();
    itemClass_ = DMod->MinorLossTableKFlag->AsString();
    StatusBar1->SetPanelText(1, itemDescription_);
    DescriptionLbl->setText(itemDescription_);
    DescriptionLbl->show();
    lookupDiameter_ = 0.0;

    switch (target()) {
    case Target::Suction: {
        db::Table* t = DMod->WorkSuctionTable;
        Tul->LocateSuctionSegment();
        if (DMod->WorkSuctionTableNodeType->AsInteger() != 0 && t->RecNo() > 1) {
            t->Prior();
            Tul->DiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
            upstreamDescription_ = DMod->WorkSuctionTableDownStreamPipeDescription->AsString();
            USoutLbl->setText(number(Tul->DiaIn));
            USPipeDesLbl->setText(upstreamDescription_);
            Tul->LocateSuctionSegment();
            noUpstream_ = false;
        } else {
            upstreamDescription_.clear();
            USoutLbl->clear();
            USPipeDesLbl->clear();
            noUpstream_ = true;
        }
        Tul->InsertPointDiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
        DSOutLbl->setText(number(Tul->InsertPointDiaIn));
        DSPipeDesLbl->setText(DMod->WorkSuctionTableDownStreamPipeDescription->AsString());
        break;
    }
    case Target::Gated:
        lookupDiameter_ = DMod->WorkGatedTableDiaIn->AsFloat();
        Tul->DiaIn = lookupDiameter_;
        DSOutLbl->setText(number(lookupDiameter_));
        DSPipeDesLbl->setText(DMod->WorkGatedTablePipeDescription->AsString());
        USoutLbl->setText(QStringLiteral("0"));
        USPipeDesLbl->clear();
        upstreamDescription_.clear();
        noUpstream_ = true;
        break;
    case Target::Profile: {
        db::Table* t = DMod->WorkProfTable;
        Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
        Tul->NodeChoice = DMod->WorkProfTableNodeType->AsInteger();
        if (Tul->NodeChoice == 0) {
            upstreamDescription_.clear();
            USoutLbl->clear();
            USPipeDesLbl->clear();
            Tul->LocateProfStation();
            Tul->InsertPointDiaIn = DMod->WorkProfTableDiaIn->AsFloat();
            DSOutLbl->setText(number(Tul->InsertPointDiaIn));
            DSPipeDesLbl->setText(DMod->WorkProfTableDownStreamPipeDescription->AsString());
            noUpstream_ = true;
            break;
        }
        t->Locate(QStringLiteral("Station"), Tul->NewStation);
        noUpstream_ = t->RecNo() <= 1;
        if (!noUpstream_) {
            t->Prior();
            Tul->Station = DMod->WorkProfTableStation->AsFloat();
            Tul->DiaIn = DMod->WorkProfTableDiaIn->AsFloat();
            upstreamDescription_ = DMod->WorkProfTableDownStreamPipeDescription->AsString();
            USoutLbl->setText(number(Tul->DiaIn));
            USPipeDesLbl->setText(upstreamDescription_);
        }
        Tul->LocateProfStation();
        if (Tul->NodeChoice == 6) {
            db::Table* tr = DMod->WorkTrickleTable;
            if (!tr->Active())
                tr->Open();
            tr->First();
            if (DMod->WorkTrickleTableDownStreamPipeDescription->AsString().isEmpty()) {
                // No manifold pipe yet: no downstream diameter to take.
                Tul->InsertPointDiaIn = 0.0;
                DSOutLbl->clear();
                DSPipeDesLbl->setText(QStringLiteral("(Manifold pipe note selected yet)"));
            } else {
                Tul->InsertPointDiaIn = DMod->WorkTrickleTableDiaIn->AsFloat();
                DSOutLbl->setText(number(Tul->InsertPointDiaIn));
                DSPipeDesLbl->setText(DMod->WorkTrickleTableDownStreamPipeDescription->AsString());
            }
        } else {
            t->Locate(QStringLiteral("Station"), Tul->NewStation);
            Tul->InsertPointDiaIn = DMod->WorkProfTableDiaIn->AsFloat();
            DSOutLbl->setText(number(Tul->InsertPointDiaIn));
            DSPipeDesLbl->setText(DMod->WorkProfTableDownStreamPipeDescription->AsString());
            Tul->LocateProfStation();
        }
        break;
    }
    }

    id_->SetValue(0.0);
    km_->SetValue(0.0);
    GroupBox1->show();
    KFacLbl->show();

    // No side is chosen until the item's class chooses one.
    for (QRadioButton* b : {USRadioButton1, DSRadioBtn2, SPRadioButton3}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
    const QString& cls = itemClass_;
    special_ = false;
    const bool lineItem = cls == QLatin1String("LineValve") || cls == QLatin1String("LineFitting");
    const bool outlet = cls == QLatin1String("OutletValve");
    if (isEntranceLoss(cls) || cls == QLatin1String("EntranceValve")) {
        USRadioButton1->setEnabled(false);
        showAll({USoutLbl, USLbl, USPipeDesLbl}, false);
        enableAll({DSRadioBtn2, DSOutLbl, DSLbl, DSPipeDesLbl}, true);
        showAll({DSOutLbl, DSLbl, DSPipeDesLbl}, true);
        SPRadioButton3->setEnabled(true);
        const bool valve = cls == QLatin1String("EntranceValve");
        IDNF->setEnabled(valve);
        SPLbl->setEnabled(!valve);
        SpecialKGpBox->hide();
        check(DSRadioBtn2);
        DSRadioBtn2Click();
    } else if (lineItem || outlet) {
        const bool upstream = outlet || !noUpstream_;
        USRadioButton1->setEnabled(upstream);
        enableAll({USoutLbl, USLbl, USPipeDesLbl}, true);
        showAll({USoutLbl, USLbl}, upstream);
        USPipeDesLbl->setVisible(lineItem && upstream);
        enableAll({DSRadioBtn2, DSOutLbl, DSLbl, DSPipeDesLbl}, true);
        showAll({DSOutLbl, DSLbl, DSPipeDesLbl}, true);
        SPRadioButton3->setEnabled(true);
        IDNF->setEnabled(false);
        SPLbl->setEnabled(true);
        SpecialKGpBox->hide();
        if (Tul->NodeChoice == 5 && USRadioButton1->isEnabled()) {
            check(USRadioButton1);
            USRadioButton1Click();
        } else {
            check(DSRadioBtn2);
            DSRadioBtn2Click();
        }
    } else {
        // Contractions, enlargements and special items take no side.
        USRadioButton1->setEnabled(false);
        showAll({USoutLbl, USLbl}, true);
        enableAll({USoutLbl, USLbl}, false);
        USPipeDesLbl->hide();
        enableAll({DSRadioBtn2, DSOutLbl, DSLbl, DSPipeDesLbl}, false);
        showAll({DSOutLbl, DSLbl, DSPipeDesLbl}, true);
        if (cls == QLatin1String("Contrac_Enlarge")) {
            enableAll({SPRadioButton3, IDNF, SPLbl}, false);
            SpecialKGpBox->hide();
            K_ = MinorLossKForDiameter(lookupDiameter_);
            showK();
            locationCode_ = QStringLiteral("NA");
        } else {
            SPRadioButton3->setEnabled(true);
            IDNF->setEnabled(false);
            SPLbl->setEnabled(true);
            SpecialKGpBox->show();
            special_ = true;
            DescriptionLbl->setText(DescSF->text());
        }
    }
}

// ---- sides ------------------------------------------------------------------

void TGetKMDlg::USRadioButton1Click()
{
    IDNF->setEnabled(false);
    ChooseUpstreamSide();
}

void TGetKMDlg::DSRadioBtn2Click()
{
    IDNF->setEnabled(false);
    ChooseDownstreamSide();
}

void TGetKMDlg::ChooseUpstreamSide()
{
    locationCode_ = QStringLiteral("US");
    K_ = MinorLossKForDiameter(target() == Target::Gated ? lookupDiameter_ : Tul->DiaIn);
    showK();
}

void TGetKMDlg::ChooseDownstreamSide()
{
    locationCode_ = QStringLiteral("DS");
    // The gated pipe is both sides of its loss: its K is that of its own diameter.
    K_ = MinorLossKForDiameter(target() == Target::Gated ? lookupDiameter_ : Tul->InsertPointDiaIn);
    showK();
}

void TGetKMDlg::SPRadioButton3Click()
{
    IDNF->setEnabled(true);
    locationCode_ = QStringLiteral("SP");
    SetFocus(IDNF);
}

void TGetKMDlg::IDNFExit()
{
    K_ = MinorLossKForDiameter(id_->Value());
    showK();
}

// ---- storing ----------------------------------------------------------------

void TGetKMDlg::OKBitBtn1Click()
{
    okPressed_ = true;
    Close();
}

void TGetKMDlg::HelpBitBtn3Click()
{
    ui::HelpContext(38);
}

void TGetKMDlg::storeSlot(db::Table* table, bool gated)
{
    const LossSlotFields s = LossSlotOf(table, Tul->MinorLossSlot);
    const bool sp = locationCode_ == QLatin1String("SP");
    s.KLocate->SetAsString(locationCode_);
    s.KFlag->SetAsString(itemClass_);
    if (special_) {
        s.K->SetAsFloat(km_->Value());
        if (sp)
            s.Kid->SetAsFloat(id_->Value());
        s.KDescription->SetAsString(DescSF->text());
        return;
    }
    if (sp)
        s.Kid->SetAsFloat(id_->Value());
    else if (gated)
        s.Kid->SetAsFloat(lookupDiameter_);
    else if (locationCode_ == QLatin1String("US"))
        s.Kid->SetAsFloat(Tul->DiaIn);
    else if (locationCode_ == QLatin1String("DS"))
        s.Kid->SetAsFloat(Tul->InsertPointDiaIn);
    s.K->SetAsFloat(K_);
    s.KDescription->SetAsString(itemDescription_);
}

void TGetKMDlg::StoreProfLossItem() { storeSlot(DMod->WorkProfTable, false); }
void TGetKMDlg::StoreSuctionLossItem() { storeSlot(DMod->WorkSuctionTable, false); }

void TGetKMDlg::StoreGatedLossItem()
{
    db::Table* t = DMod->WorkGatedTable;
    if (t->State() == db::DataSetState::Browse)
        t->Edit();
    storeSlot(t, true);
}

void TGetKMDlg::FormClose()
{
    // Only OK stores: Cancel, Esc and the close box leave the slot as it was.
    const bool store = okPressed_ && !storeSuppressed_ && slotValid(Tul->MinorLossSlot);
    switch (target()) {
    case Target::Suction:
        Tul->LocateSuctionSegment();
        if (store)
            StoreSuctionLossItem();
        break;
    case Target::Gated:
        if (store)
            StoreGatedLossItem();
        break;
    case Target::Profile:
        if (store && Tul->LocateProfStation())
            StoreProfLossItem();
        break;
    }
    Tul->GatedLossPick = false;
    if (DMod->MinorLossTable->Active())
        DMod->MinorLossTable->Close();
}

void TGetKMDlg::DeleteExitBtnClick()
{
    storeSuppressed_ = true;
    if (slotValid(Tul->MinorLossSlot)) {
        switch (target()) {
        case Target::Suction:
            Tul->LocateSuctionSegment();
            ClearLossSlot(LossSlotOf(DMod->WorkSuctionTable, Tul->MinorLossSlot), true);
            Tul->LocateSuctionSegment();
            break;
        case Target::Gated: {
            db::Table* t = DMod->WorkGatedTable;
            if (t->State() == db::DataSetState::Browse)
                t->Edit();
            ClearLossSlot(LossSlotOf(t, Tul->MinorLossSlot), true);
            t->Post();
            t->Edit();
            break;
        }
        case Target::Profile:
            if (Tul->LocateProfStation()) {
                ClearLossSlot(LossSlotOf(DMod->WorkProfTable, Tul->MinorLossSlot), true);
                Tul->LocateProfStation();
            }
            break;
        }
    }
    showAll({DescriptionLbl, KFacLbl, GroupBox1, SpecialKGpBox}, false);
}
