#include "dialogs/system/system_dialog_rules.h"

#include "dialogs/designer_window.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "platform/ui/dbcontrols.h"
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

} // namespace

QString CfsText(double cfs) { return FixedText(cfs, 6, 2); }

void RewriteSystemPanel(SystemPanel column)
{
    if (DesignerWindow* designer = RunningDesigner()) designer->RewriteSystemPanel(column);
}

// ---- the gpm/cfs pair -----------------------------------------------------------

DesignFlowPair::DesignFlowPair(QLineEdit* cfs, double gpmPerCfs) : cfs_(cfs), gpmPerCfs_(gpmPerCfs) {}

void DesignFlowPair::KeepOpeningFlow()
{
    openingFlow_ = Tul->NewNode ? 0.0 : DMod->WorkPipeTableDesignFlow->AsFloat();
}

void DesignFlowPair::ShowCfs()
{
    shownCfs_ = CfsText(Tul->DesignFlowCfs);
    cfs_->setText(shownCfs_);
}

void DesignFlowPair::GpmExit()
{
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
    db::Table* pipe = DMod->WorkPipeTable;
    if (cfs_->text().trimmed() != shownCfs_.trimmed()) {
        Tul->DesignFlowCfs = ui::NumericFormat::Picture(QStringLiteral("#######.##")).Parse(cfs_->text());
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
    if (!warning_.isEmpty() && openingFlow_ > 0 && flow != openingFlow_)
        ui::MessageDlg(warning_, ui::MsgType::Warning, ui::mbOK);
    // A new job has no stored profile whose flows could be out of step.
    if (!(Tul->NewJob && !Tul->StoredJob)) Tul->AdjustSupplyFlowToManifold();
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
    if (Tul->Cancelled) {
        if (editing(pipe)) pipe->Cancel();
        Tul->WasCancelled = true;
        return;
    }
    postIfEditing(pipe);
    if (DesignerWindow* designer = RunningDesigner()) designer->ShowDesignFlowCfs(Tul->DesignFlowCfs);
    Tul->WasCancelled = false;
}
