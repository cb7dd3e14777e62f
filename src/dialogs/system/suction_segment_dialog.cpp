#include "dialogs/system/suction_segment_dialog.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "model/data_module.h"
#include "model/job.h"
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
#include <QToolButton>
#include <QVBoxLayout>

namespace {

db::Field* slotField(const char* prefix, int slot)
{
    return DMod->WorkSuctionTable->FieldByName(QString::fromLatin1(prefix) + QString::number(slot));
}

} // namespace

TSuctionDlg::TSuctionDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("SuctionDlg"));
    SetCaption(QStringLiteral("Get Suction Pipe Data"));
    SetPosition(ui::Position::OwnerCenter);
    db::DataSource* src = DMod->WorkSuctionData;
    auto* v = new QVBoxLayout(this);
    Notebook1 = ui::Make<ui::Notebook>(this, "Notebook1");
    v->addWidget(Notebook1, 1);

    QWidget* segPage = Notebook1->AddPage(QStringLiteral("&Node/Segment Data"));
    auto* sg = new QGridLayout(segPage);
    sg->addWidget(new QLabel(QStringLiteral("Segment Pipe Length"), segPage), 0, 0);
    SuctionPipeLengthDBNF = ui::Make<QLineEdit>(segPage, "SuctionPipeLengthDBNF");
    new ui::DBNumericEdit(SuctionPipeLengthDBNF, src, QStringLiteral("PipeLength"),
                          ui::NumericFormat::Picture(QStringLiteral("###.#"), 0));
    sg->addWidget(SuctionPipeLengthDBNF, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("feet"), segPage), 0, 2);
    auto* pipeGp = new QGroupBox(QStringLiteral("Segment Pipe Data"), segPage);
    auto* pg = new QGridLayout(pipeGp);
    PipeDescriptionDBText = ui::Make<QLabel>(pipeGp, "PipeDescriptionDBText");
    new ui::DBText(PipeDescriptionDBText, src, QStringLiteral("DownStreamPipeDescription"));
    PipeRchBtn = ui::Make<QPushButton>(pipeGp, "PipeRchBtn", QStringLiteral("..."));
    PipeRchBtn->setToolTip(QStringLiteral("Choose the segment's pipe"));
    pg->addWidget(PipeDescriptionDBText, 0, 0);
    pg->addWidget(PipeRchBtn, 0, 1);
    pg->addWidget(new QLabel(QStringLiteral("Inside Diameter (in):"), pipeGp), 1, 0);
    DBText19 = ui::Make<QLabel>(pipeGp, "DBText19");
    new ui::DBText(DBText19, src, QStringLiteral("DiaIn"));
    pg->addWidget(DBText19, 1, 1);
    sg->addWidget(pipeGp, 1, 0, 1, 3);
    auto* flowGp = new QGroupBox(QStringLiteral("Flow Characteristics "), segPage);
    auto* fg = new QGridLayout(flowGp);
    const std::pair<const char*, const char*> flows[] = {
        {"Flow Rate (gpm):", "PipeQ"}, {"Velocity (ft/sec):", "Vel"}, {"Friction Loss (ft):", "Floss"}};
    QLabel** flowTexts[] = {&DBText21, &DBText22, &DBText23};
    const char* flowNames[] = {"DBText21", "DBText22", "DBText23"};
    for (int i = 0; i < 3; ++i) {
        fg->addWidget(new QLabel(QString::fromLatin1(flows[i].first), flowGp), i, 0);
        *flowTexts[i] = ui::Make<QLabel>(flowGp, flowNames[i]);
        new ui::DBText(*flowTexts[i], src, QString::fromLatin1(flows[i].second));
        fg->addWidget(*flowTexts[i], i, 1);
    }
    sg->addWidget(flowGp, 2, 0, 1, 3);

    QWidget* lossPage = Notebook1->AddPage(QStringLiteral("&MinorLossData"));
    auto* lv = new QVBoxLayout(lossPage);
    MinorLossGp = ui::Make<QGroupBox>(lossPage, "MinorLossGp", QStringLiteral("Minor Losses at Node (Enter none or up to 3)"));
    auto* mg = new QGridLayout(MinorLossGp);
    const char* heads[] = {"Minor Loss Description:", "Location at Node", "Inside Diameter      (in)",
                           "Minor Loss K Factor"};
    for (int c = 0; c < 4; ++c) mg->addWidget(new QLabel(QString::fromLatin1(heads[c]), MinorLossGp), 0, c + 1);
    const char* descNames[] = {"DBText2", "DBText7", "DBText11"};
    const char* locNames[] = {"DBText3", "DBText8", "DBText12"};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        LossSpdBtn[i] = ui::Make<QPushButton>(MinorLossGp, QStringLiteral("Loss%1SpdBtn").arg(n).toLatin1().constData(),
                                              QStringLiteral("..."));
        LossSpdBtn[i]->setToolTip(QStringLiteral("Edit minor loss No ") + n);
        auto* desc = ui::Make<QLabel>(MinorLossGp, descNames[i]);
        new ui::DBText(desc, src, QStringLiteral("KDescription") + n);
        auto* loc = ui::Make<QLabel>(MinorLossGp, locNames[i]);
        new ui::DBText(loc, src, QStringLiteral("KLocate") + n);
        KidLbl[i] = ui::Make<QLabel>(MinorLossGp, QStringLiteral("Kid%1Lbl").arg(n).toLatin1().constData());
        KLbl[i] = ui::Make<QLabel>(MinorLossGp, QStringLiteral("K%1Lbl").arg(n).toLatin1().constData());
        mg->addWidget(LossSpdBtn[i], i + 1, 0);
        mg->addWidget(desc, i + 1, 1);
        mg->addWidget(loc, i + 1, 2);
        mg->addWidget(KidLbl[i], i + 1, 3);
        mg->addWidget(KLbl[i], i + 1, 4);
        OnClick(LossSpdBtn[i], [this, i] { LossSpdBtnClick(i + 1); });
    }
    HelpMinorLossBtn = ui::Make<QToolButton>(MinorLossGp, "HelpMinorLossBtn");
    HelpMinorLossBtn->setText(QStringLiteral("?"));
    mg->addWidget(HelpMinorLossBtn, 4, 0);
    lv->addWidget(MinorLossGp);
    MHeadLossGp = ui::Make<QGroupBox>(lossPage, "MHeadLossGp", QStringLiteral("Estimated Minor Head Loss (feet) "));
    auto* hg = new QHBoxLayout(MHeadLossGp);
    hg->addWidget(new QLabel(QStringLiteral("Head Loss"), MHeadLossGp));
    KLossDBNF = ui::Make<QLineEdit>(MHeadLossGp, "KLossDBNF");
    // The suction analysis computes the segment's minor loss from its loss
    // slots and writes it here: shown, not entered.
    new ui::DBNumericEdit(KLossDBNF, src, QStringLiteral("Kloss"), ui::NumericFormat::Picture(QStringLiteral("##.#"), 0));
    ShowOnly(KLossDBNF);
    hg->addWidget(KLossDBNF);
    hg->addWidget(new QLabel(QStringLiteral("feet"), MHeadLossGp));
    HelpMinorHeadLossBtn = ui::Make<QToolButton>(MHeadLossGp, "HelpMinorHeadLossBtn");
    HelpMinorHeadLossBtn->setText(QStringLiteral("?"));
    hg->addWidget(HelpMinorHeadLossBtn);
    lv->addWidget(MHeadLossGp);
    lv->addStretch(1);

    auto* buttons = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("&Close"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("&Help"));
    buttons->addStretch(1);
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, HelpBitBtn3}) buttons->addWidget(b);
    v->addLayout(buttons);
    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({100, 150});
    v->addWidget(StatusBar1);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    OnClick(HelpMinorLossBtn, [] { ui::HelpContext(38); });
    OnClick(HelpMinorHeadLossBtn, [] { ui::HelpContext(38); });
    OnClick(PipeRchBtn, [this] { PipeRchBtnClick(); });
    SetCancelButton(CancelBitBtn2);
    OnExit(SuctionPipeLengthDBNF, [this] { SuctionPipeLengthDBNFExit(); });
}

void TSuctionDlg::FormShow()
{
    Tul->Cancelled = false;
    Tul->PipePickTarget = 1;
    MinorLossGp->setVisible(Tul->DetailedML);
    MHeadLossGp->setVisible(!Tul->DetailedML);
    if (!Tul->DetailedML) MHeadLossGp->move(MHeadLossGp->x(), 8);
    const QString segment = QStringLiteral("Segment No = ") + QString::number(Tul->SuctionSegmentNo);
    db::Table* suc = DMod->WorkSuctionTable;
    if (Tul->NewNode) {
        StatusBar1->SetPanelText(0, Tul->NodeChoice == 0 ? QStringLiteral("First Segment") : QStringLiteral("Insert segment"));
        if (Tul->NodeChoice != 0) StatusBar1->SetPanelText(1, segment);
        if (DMod->WorkSuctionTablePipeLength->AsFloat() == 0.0) {
            if (suc->State() == db::DataSetState::Browse) suc->Edit();
            DMod->WorkSuctionTablePipeLength->SetAsFloat(1.0);
        }
    } else {
        StatusBar1->SetPanelText(0, QStringLiteral("Edit segment"));
        StatusBar1->SetPanelText(1, segment);
    }
    Tul->LocateSuctionSegment();
    for (int slot = 1; slot <= 3; ++slot) showSlot(slot);
    SetFocus(SuctionPipeLengthDBNF);
}

void TSuctionDlg::showSlot(int slot)
{
    const bool none = slotField("KLocate", slot)->AsString() == QLatin1String("NA");
    KidLbl[slot - 1]->setText(none ? QStringLiteral("NA") : slotField("Kid", slot)->AsString());
    KLbl[slot - 1]->setText(none ? QStringLiteral("NA") : slotField("K", slot)->AsString());
}

void TSuctionDlg::SuctionPipeLengthDBNFExit() { Tul->LocateSuctionSegment(); }

void TSuctionDlg::LossSpdBtnClick(int slot)
{
    Tul->MinorLossSlot = slot;
    KidLbl[slot - 1]->setText(QString());
    KLbl[slot - 1]->setText(QString());
    Tul->LocateSuctionSegment();
    if (!Tul->NewNode) showSlot(slot);
    ShowOwned(GetKMDlg, this);
    Tul->LocateSuctionSegment();
    showSlot(slot);
}

void TSuctionDlg::PipeRchBtnClick()
{
    db::Table* suc = DMod->WorkSuctionTable;
    const int segment = Tul->SuctionSegmentNo;
    Tul->PipeRchPick = false;
    if (!Tul->NewNode && suc->RecNo() < suc->RecordCount()) {
        if (Tul->LocateSuctionSegmentNo(segment + 1)) {
            Tul->PipeRchPick = true;
            Tul->InsertPointDiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
        }
        Tul->LocateSuctionSegment();
    }
    if (Tul->NewRecordNo > 1) {
        if (Tul->LocateSuctionSegmentNo(segment - 1)) Tul->DiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
        Tul->LocateSuctionSegment();
    }
    Tul->ReachPipePick = !Tul->NewNode;
    ShowOwned(GetPipeDlg, this);
    Tul->LocateSuctionSegment();
}

void TSuctionDlg::OKBitBtn1Click() { Close(); }

void TSuctionDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TSuctionDlg::HelpBitBtn3Click() { ui::HelpContext(114); }

// A cancelled segment keeps what was typed; the pump dialog's own Cancel
// restores the whole suction line.
void TSuctionDlg::FormClose()
{
    if (Tul->Cancelled) return;
    Tul->LocateSuctionSegment();
    db::Table* pipes = DMod->PipeTable;
    pipes->SetFiltered(false);
    if (pipes->Active()) pipes->Close();
}
