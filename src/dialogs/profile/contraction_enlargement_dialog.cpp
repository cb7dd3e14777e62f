#include "dialogs/profile/contraction_enlargement_dialog.h"

#include "model/data_module.h"
#include "model/loss_slots.h"
#include "model/job.h"
#include "platform/ui/radiogroup.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

db::Table* targetTable()
{
    switch (Tul->PipePickTarget) {
    case 0: return DMod->WorkProfTable;
    case 1: return DMod->WorkSuctionTable;
    default: return nullptr;
    }
}

} // namespace

TContEnlargDlg::TContEnlargDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("ContEnlargDlg"));
    SetCaption(QStringLiteral("Contraction or Enlargement"));
    SetPosition(ui::Position::OwnerCenter);
    auto* v = new QVBoxLayout(this);
    Panel1 = ui::Make<QFrame>(this, "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* p = new QVBoxLayout(Panel1);
    Label1 = ui::Make<QLabel>(Panel1, "Label1",
                              QStringLiteral("The pipe size changes at this node. Select the type of loss."));
    p->addWidget(Label1);
    auto* groups = new QHBoxLayout;
    ContRadGp = ui::Make<ui::RadioGroup>(Panel1, "ContRadGp", QStringLiteral("Contraction Type"));
    ContRadGp->SetItems({QStringLiteral("Contraction, Gradual 45 degree"), QStringLiteral("Contraction, Sudden")});
    EnlargRadGp = ui::Make<ui::RadioGroup>(Panel1, "EnlargRadGp", QStringLiteral("Enlargement Type"));
    EnlargRadGp->SetItems({QStringLiteral("Enlargement, Gradual 45 degree"), QStringLiteral("Enlargement, Sudden")});
    ContRadGp->SetItemIndex(-1);
    EnlargRadGp->SetItemIndex(-1);
    groups->addWidget(ContRadGp);
    groups->addWidget(EnlargRadGp);
    p->addLayout(groups);
    v->addWidget(Panel1);
    auto* buttons = new QHBoxLayout;
    OKBitBtn = ui::Make<QPushButton>(this, "OKBitBtn", QStringLiteral("OK"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn);
    v->addLayout(buttons);

    OnClick(OKBitBtn, [this] { OKBitBtnClick(); }, ui::mrOk);
    SetDefaultButton(OKBitBtn);
    // A choice writes the slot, whether the user or the opener makes it.
    Handle(ContRadGp, &ui::RadioGroup::Changed, [this] { ContRadGpClick(); });
    Handle(EnlargRadGp, &ui::RadioGroup::Changed, [this] { EnlargRadGpClick(); });
    Handle(ContRadGp, &ui::RadioGroup::Clicked, [this] { userClicked_ = true; });
    Handle(EnlargRadGp, &ui::RadioGroup::Clicked, [this] { userClicked_ = true; });
}

void TContEnlargDlg::FormShow()
{
    if (Tul->PipePickTarget == 1)
        SuctionSegment = DMod->WorkSuctionTableSegmentNo->AsInteger();
}

void TContEnlargDlg::ContRadGpClick() { writeChoice(ContRadGp, false); }
void TContEnlargDlg::EnlargRadGpClick() { writeChoice(EnlargRadGp, true); }
void TContEnlargDlg::OKBitBtnClick() { Close(); }

QStringList TContEnlargDlg::rowDescriptions() const
{
    QStringList out;
    db::Table* t = targetTable();
    if (!t || !t->Active())
        return out;
    for (int n = 1; n <= 3; ++n)
        out << LossSlotOf(t, n).KDescription->AsString();
    return out;
}

void TContEnlargDlg::writeChoice(ui::RadioGroup* group, bool enlargement)
{
    const int i = group->ItemIndex();
    db::Table* t = targetTable();
    if (i < 0 || !t || LossSlot < 1 || LossSlot > 3)
        return;
    if (!heldTaken_) {
        held_ = rowDescriptions();
        heldTaken_ = true;
    }
    double code;
    if (enlargement)
        code = i == 0 ? kGradualEnlargement : kSuddenEnlargement;
    else
        code = i == 0 ? kGradualContraction : kSuddenContraction;
    WriteSizeChange(LossSlotOf(t, LossSlot), code);
    if (Tul->PipePickTarget == 0)
        Tul->LocateProfStation();
    else
        Tul->LocateSuctionSegment();
}

int TContEnlargDlg::heldChoice(bool enlargement) const
{
    // A choice the user made is in the row; otherwise the row as it was
    // before the opener's preselection wrote into it, so that an existing
    // sudden loss is not turned into a gradual one unasked.
    const QStringList rows = userClicked_ || !heldTaken_ ? rowDescriptions() : held_;
    const QString gradual = SizeChangeText(enlargement ? kGradualEnlargement : kGradualContraction);
    const QString sudden = SizeChangeText(enlargement ? kSuddenEnlargement : kSuddenContraction);
    if (rows.contains(gradual))
        return 0;
    if (rows.contains(sudden))
        return 1;
    return 0;
}

void TContEnlargDlg::FormClose()
{
    const bool enlargement = EnlargRadGp->isEnabled();
    ui::RadioGroup* group = enlargement ? EnlargRadGp : ContRadGp;
    if (!Tul->NewNode) {
        const int choice = heldChoice(enlargement);
        {
            QSignalBlocker block(group);
            group->SetItemIndex(choice);
        }
    }
    writeChoice(group, enlargement);
    if (!Tul->NewNode && targetTable()) {
        if (Tul->PipePickTarget == 0)
            Tul->LocateProfStation();
        else
            Tul->LocateSuctionSegment();
    }
}
