#include "dialogs/profile/size_change_losses.h"

#include "dialogs/profile/contraction_enlargement_dialog.h"
#include "model/data_module.h"
#include "model/loss_slots.h"
#include "model/node_rules.h"
#include "model/job.h"
#include "platform/ui/radiogroup.h"

#include <memory>

void AssignSizeChangeLosses(QWidget* owner)
{
    db::Table* prof = DMod->WorkProfTable;
    const double D = DMod->WorkProfTableDiaIn->AsFloat();
    const double U = Tul->DiaIn;
    std::unique_ptr<TContEnlargDlg> dlg(new TContEnlargDlg(owner));
    ContEnlargDlg = dlg.get();
    struct Reset {
        ~Reset() { ContEnlargDlg = nullptr; }
    } reset;

    const bool enlargement = D > U;
    ui::RadioGroup* on = enlargement ? dlg->EnlargRadGp : dlg->ContRadGp;
    ui::RadioGroup* off = enlargement ? dlg->ContRadGp : dlg->EnlargRadGp;
    if (Tul->NewNode) {
        if (D != U) {
            dlg->LossSlot = 1;
            on->setEnabled(true);
            off->setEnabled(false);
            on->SetItemIndex(0);
            dlg->ShowModal();
        }
    } else {
        const SizeChangeSlot s = ChooseSizeChangeSlot(prof, enlargement, true);
        dlg->LossSlot = s.slot;
        if (s.selectFirst)
            on->SetItemIndex(0);
        on->setEnabled(true);
        off->setEnabled(false);
        dlg->ShowModal();
    }

    if (Tul->InsertingNode || Tul->PipeRchPick) {
        AdjustDownstreamSizeChange(D);
        Tul->LocateProfStation();
    }
}

void AdjustDownstreamSizeChange(double D)
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->State() == db::DataSetState::Edit)
        prof->Post();
    if (!prof->Locate(QStringLiteral("Station"), Tul->InsertPointStation))
        return;
    // No reach leaves an end node, so no size changes there.
    if (IsEndNodeType(DMod->WorkProfTableNodeType->AsInteger()))
        return;
    prof->Edit();
    const double C = Tul->InsertPointDiaIn;
    LossSlotFields rowSlots[3] = {LossSlotOf(prof, 1), LossSlotOf(prof, 2), LossSlotOf(prof, 3)};

    if (D == C) {
        // The size no longer changes there: the first size-change loss goes.
        for (const LossSlotFields& s : rowSlots) {
            if (s.K->AsFloat() < 0) {
                s.KDescription->SetAsString(QString());
                s.K->SetAsFloat(0.0);
                break;
            }
        }
        return;
    }

    // D > C: the flow passes into a smaller pipe there (a contraction);
    // D < C: into a larger one (an enlargement).
    const bool contraction = D > C;
    const double keepA = contraction ? kSuddenContraction : kSuddenEnlargement;
    const double keepB = contraction ? kGradualContraction : kGradualEnlargement;
    const double suddenOther = contraction ? kSuddenEnlargement : kSuddenContraction;
    const double gradualOther = contraction ? kGradualEnlargement : kGradualContraction;
    bool changed = false;
    for (const LossSlotFields& s : rowSlots) {
        const double k = s.K->AsFloat();
        if (k == keepA || k == keepB)
            return;
        if (k == suddenOther) {
            WriteSizeChange(s, keepA);
            changed = true;
        } else if (k == gradualOther || (k == 0.0 && !changed)) {
            WriteSizeChange(s, keepB);
            changed = true;
        }
    }
    if (!changed)
        WriteSizeChange(rowSlots[2], keepB);
}
