#include "dialogs/system/system_dialog_rules.h"

#include "dialogs/designer_window.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/form.h"
#include "platform/ui/seam/msg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

constexpr double kGpmPerCfs = 448.83;

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

void postIfEditing(db::Table* t)
{
    if (editing(t)) t->Post();
}

// The pair of the system dialog open now, whose opening job a cancel puts back.
DesignFlowPair* openPair = nullptr;

} // namespace

QString CfsText(double cfs) { return FixedText(cfs, 6, 2); }

void RewriteSystemPanel(SystemPanel column)
{
    if (DesignerWindow* designer = RunningDesigner()) designer->RewriteSystemPanel(column);
}

// ---- the gpm/cfs pair -----------------------------------------------------------

DesignFlowPair::DesignFlowPair(QLineEdit* cfs, double gpmPerCfs) : cfs_(cfs), gpmPerCfs_(gpmPerCfs) {}

DesignFlowPair::~DesignFlowPair()
{
    if (openPair == this) openPair = outer_;
}

void DesignFlowPair::KeepOpeningFlow()
{
    openingFlow_ = Tul->NewNode ? 0.0 : DMod->WorkPipeTableDesignFlow->AsFloat();
    warnedFlow_ = openingFlow_;

    db::Table* pipe = DMod->WorkPipeTable;
    if (!pipe->Active()) pipe->Open();
    openingHeader_.clear();
    if (!pipe->IsEmpty())
        for (int i = 0; i < pipe->FieldCount(); ++i) openingHeader_.push_back(pipe->Fields(i)->Value());
    openingFlows_.clear();
    db::Table* prof = DMod->WorkProfTable;
    if (prof->Active() && !editing(prof)) {
        const qint64 at = prof->GetBookmark();
        for (prof->First(); !prof->Eof(); prof->Next())
            openingFlows_.emplace_back(prof->GetBookmark(), DMod->WorkProfTablePipeQ->Value());
        prof->GotoBookmark(at);
    }
    openingDesignFlow_ = Tul->DesignFlow;
    openingDesignFlowCfs_ = Tul->DesignFlowCfs;
    if (openPair != this) {
        outer_ = openPair;
        openPair = this;
    }
}

void DesignFlowPair::restoreOpeningJob()
{
    db::Table* pipe = DMod->WorkPipeTable;
    if (!openingHeader_.empty() && pipe->Active() && !pipe->IsEmpty()) {
        if (!editing(pipe)) pipe->Edit();
        for (int i = 0; i < pipe->FieldCount() && i < int(openingHeader_.size()); ++i) {
            db::Field* f = pipe->Fields(i);
            if (f->ReadOnly() || f->Calculated()) continue;
            if (f->Value() != openingHeader_[size_t(i)]) f->SetValue(openingHeader_[size_t(i)]);
        }
        pipe->Post();
    }
    db::Table* prof = DMod->WorkProfTable;
    if (!openingFlows_.empty() && prof->Active()) {
        prof->CheckBrowseMode();
        const qint64 at = prof->GetBookmark();
        for (const auto& [row, flow] : openingFlows_) {
            if (!prof->GotoBookmark(row) || DMod->WorkProfTablePipeQ->Value() == flow) continue;
            prof->Edit();
            DMod->WorkProfTablePipeQ->SetValue(flow);
            prof->Post();
        }
        prof->GotoBookmark(at);
    }
    Tul->DesignFlow = openingDesignFlow_;
    Tul->DesignFlowCfs = openingDesignFlowCfs_;
}

bool DesignFlowPair::leavingForCancel() const
{
    // The exit of a field left by a press of Cancel changes nothing: the
    // cancel puts the job back anyway.
    const auto* form = qobject_cast<const ui::Form*>(cfs_->window());
    return form && form->CancelButton() && form->FocusTarget() == form->CancelButton();
}

void DesignFlowPair::ShowCfs()
{
    shownCfs_ = CfsText(Tul->DesignFlowCfs);
    cfs_->setText(shownCfs_);
}

void DesignFlowPair::GpmExit()
{
    if (leavingForCancel()) return;
    RefuseFlowBelowZero(DMod->WorkPipeTableDesignFlow->AsFloat());
    db::Table* pipe = DMod->WorkPipeTable;
    postIfEditing(pipe);
    Tul->DesignFlow = DMod->WorkPipeTableDesignFlow->AsFloat();
    Tul->DesignFlowCfs = Tul->DesignFlow / gpmPerCfs_;
    ShowCfs();
    pipe->Edit();
    afterChange();
}

void DesignFlowPair::CfsExit()
{
    if (leavingForCancel()) return;
    db::Table* pipe = DMod->WorkPipeTable;
    ui::DropRefusedEntry(cfs_);
    if (cfs_->text().trimmed() != shownCfs_.trimmed()) {
        const double cfs = ui::NumericFormat::Picture(QStringLiteral("#######.##")).Parse(cfs_->text());
        RefuseFlowBelowZero(cfs * kGpmPerCfs);
        Tul->DesignFlowCfs = cfs;
        Tul->DesignFlow = Tul->DesignFlowCfs * kGpmPerCfs;
        if (!editing(pipe)) pipe->Edit();
        DMod->WorkPipeTableDesignFlow->SetAsFloat(Tul->DesignFlow);
        shownCfs_ = cfs_->text();
    }
    postIfEditing(pipe);
    pipe->Edit();
    afterChange();
}

void DesignFlowPair::afterChange()
{
    const double flow = DMod->WorkPipeTableDesignFlow->AsFloat();
    // Once for each new flow: leaving the next field, or pressing OK from
    // it, is no change to warn of again.
    if (!warning_.isEmpty() && openingFlow_ > 0 && flow != openingFlow_ && flow != warnedFlow_)
        ui::MessageDlg(warning_, ui::MsgType::Warning, ui::mbOK);
    // The profile's rows carry the flow in every job, new or stored: a run
    // goes by their flows, not by the header's. A manifold end may put its
    // own flow in the header's place.
    Tul->AdjustSupplyFlowToManifold();
    warnedFlow_ = DMod->WorkPipeTableDesignFlow->AsFloat();
}

void RefuseFlowBelowZero(double designFlow)
{
    // A reach below zero would be stored and then refused at every load.
    if (const QString refused = FlowBelowZeroText(designFlow); !refused.isEmpty()) throw ui::InputError(refused);
}

// ---- OK and close ---------------------------------------------------------------

bool RefuseZeroFlow()
{
    if (DMod->WorkPipeTableDesignFlow->AsFloat() != 0.0) return false;
    ui::MessageDlg(QStringLiteral("You must enter a flow rate!"), ui::MsgType::Error, ui::mbOK);
    return true;
}

void CloseSystemDialog()
{
    db::Table* pipe = DMod->WorkPipeTable;
    DesignFlowPair* opened = openPair;
    if (opened) openPair = opened->outer_;
    if (Tul->Cancelled) {
        if (editing(pipe)) pipe->Cancel();
        if (opened) opened->restoreOpeningJob();
        Tul->WasCancelled = true;
        return;
    }
    postIfEditing(pipe);
    if (DesignerWindow* designer = RunningDesigner()) designer->ShowDesignFlowCfs(Tul->DesignFlowCfs);
    Tul->WasCancelled = false;
}

// ---- pump defaults ------------------------------------------------------------

bool PumpDefaultsDue(const QString& kind)
{
    if (!Tul->NewJob || Tul->PumpKindsDefaulted.contains(kind)) return false;
    Tul->PumpKindsDefaulted << kind;
    return true;
}

void ForgetPumpDefaults(const QString& kind) { Tul->PumpKindsDefaulted.removeAll(kind); }
