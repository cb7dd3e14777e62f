// Mersol's side of the notebook's page flow: OK on the job page with its
// system-type checks, the tab guard, what entering the job page does, the
// computation of each system type and how its output chart draws a job.
#include "mainwindow/mersol_window.h"

#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/profile_entry_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "dialogs/system/system_dialog_rules.h"
#include "engine/maximum_flow_run.h"
#include "engine/gravity_run.h"
#include "engine/hydraulics.h"
#include "engine/manifold_run.h"
#include "engine/pumped_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

} // namespace

void TMersolForm::OKBitBtn2Click()
{
    if (!Tul->NewJob) {
        OvcNotebook1->SetPageIndex(1);
        return;
    }
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    if (DMod->WorkPipeTableJobName->IsNull() || DMod->WorkPipeTableJobName->AsString().isEmpty()) {
        OvcNotebook1->SetPageIndex(0);
        error(QStringLiteral("Please enter a Job Name"));
        SetFocus(JobNameDBEdit);
        LastPage = 0;
        return;
    }
    if (SysTypeRadioGroup->ItemIndex() < 0) {
        error(QStringLiteral("Please select a System Type"));
        SetFocus(SysTypeRadioGroup);
        LastPage = 0;
        return;
    }
    // A system type without its flow: the system dialog is where it goes.
    if (DMod->WorkPipeTableDesignFlow->AsFloat() == 0.0) {
        error(QStringLiteral("You must enter a flow rate!"));
        SetFocus(SelSystemEditBtn);
        LastPage = 0;
        return;
    }
    openProfileEntry();
}

void TMersolForm::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() == 0) {
        SetFocus(OKBitBtn2);
        return;
    }
    OpenIfClosed(DMod->WorkPipeTable);
    QString refusal;
    if (DMod->WorkPipeTableJobName->AsString().isEmpty()) refusal = QStringLiteral("Please enter a Job Name");
    else if (SysTypeRadioGroup->ItemIndex() < 0) refusal = QStringLiteral("Please select a System Type");
    if (refusal.isEmpty()) return;
    OvcNotebook1->SetPageIndex(0);
    error(refusal);
    SetFocus(refusal.contains(QLatin1String("Job Name")) ? static_cast<QWidget*>(JobNameDBEdit)
                                                          : static_cast<QWidget*>(SysTypeRadioGroup));
    LastPage = 0;
}

void TMersolForm::jobPageEntered()
{
    db::Table* pipe = DMod->WorkPipeTable;
    EditJobHeader();
    if (MersolImage->isVisible()) MersolImage->hide();
    ScrollBox1->show();
    ShowSystemData(this);
    if (LastPage == 0) {
        // A fresh entry offers to save the job; a job without a name yet
        // (New Job clearing the page) has nothing to save.
        if (Tul->SaveState != 2 && !DMod->WorkPipeTableJobName->AsString().isEmpty()) ShowOwned(SaveForm, this);
    } else if (!Tul->ProfEntryCancelled) {
        EditJobHeader();
    }
    // The cfs of this job's flow, not what a dialog left in the job object.
    OpenIfClosed(pipe);
    Tul->DesignFlowCfs = DMod->WorkPipeTableDesignFlow->AsFloat() / 448.83;
    Qcfs->setText(CfsText(Tul->DesignFlowCfs));
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter/edit job data"));
    LastPage = 0;
}

RunStatus TMersolForm::ComputeJob()
{
    OpenIfClosed(DMod->WorkPipeTable);
    const QString sysType = DMod->WorkPipeTableSysType->AsString();
    if (sysType == QLatin1String("GRAVITY")) return Grav->RunGravityProfile();
    if (sysType == QLatin1String("FULLFLOW")) return FFlow->RunFullFlow();
    if (sysType == QLatin1String("PUMPED") || sysType == QLatin1String("PRESSURE")) {
        Tul->PumpTypeCode = PumpTypeCodeOf(DMod->WorkPipeTablePumpType->AsString());
        // The pump's head takes the suction line's: a line not analysed
        // leaves the pump unsized.
        RunStatus status;
        if (Tul->PumpTypeCode == 1) status = Hyd->SuctionAnalysis();
        if (!status.Computed()) return status;
        status.Take(Pump->RunPumpCalc());
        return status;
    }
    const QString why = QStringLiteral("Can't compute ....");
    error(why);
    return NotComputedStatus(why);
}

ProfileChartRules TMersolForm::outChartRules() const
{
    ProfileChartRules rules;
    rules.airValveRise = 2.0;
    return rules;
}
