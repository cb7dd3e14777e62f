// The notebook's page flow of the main window: the OK buttons of the job and
// profile pages, the tab guard, what entering each page does, and the output
// page that checks the profile and runs the computation of the system type.
#include "mainwindow/mersol_window.h"

#include "dialogs/database/save_job_dialog.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/dialog_helpers.h"
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

void openIfClosed(db::Table* t)
{
    if (!t->Active()) t->Open();
}

void error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

// The header row in edit state; an empty header (no job) gets no row.
void editHeader()
{
    db::Table* pipe = DMod->WorkPipeTable;
    openIfClosed(pipe);
    if (!editing(pipe) && !pipe->IsEmpty()) pipe->Edit();
}

void setHeaderNodeCount(int nodes)
{
    db::Table* pipe = DMod->WorkPipeTable;
    openIfClosed(pipe);
    if (!editing(pipe)) pipe->Edit();
    DMod->WorkPipeTableNumNodes->SetAsInteger(nodes);
    pipe->Post();
}

// Every reach but the last node's needs a pipe with a real bore; a reach
// without one would divide by a zero area in the runs.
bool reachesHavePipes(db::Table* prof, int nodes)
{
    prof->First();
    for (int k = 1; k < nodes; ++k, prof->Next()) {
        if (DMod->WorkProfTablePipeType->AsString().isEmpty()) return false;
        if (DMod->WorkProfTableDiaIn->AsFloat() <= 0.0) return false;
    }
    return true;
}

// The station of the first node before the last that is an end node (the
// runs would go through it); empty when there is none.
QString endNodeInMidProfile(db::Table* prof, int nodes)
{
    prof->First();
    for (int k = 1; k < nodes; ++k, prof->Next()) {
        const int type = DMod->WorkProfTableNodeType->AsInteger();
        if (type >= 4 && type <= 7) return Hyd->StationText(DMod->WorkProfTableStation->AsFloat());
    }
    return QString();
}

// A manifold end whose manifold was never laid out in this job gets it now,
// with the pipe-type factors of the end reach.
void runManifoldAtEnd()
{
    openIfClosed(DMod->TypeTable);
    const QString type = DMod->WorkProfTablePipeType->AsString();
    if (!type.isEmpty()) DMod->TypeTable->Locate(QStringLiteral("PipeType"), type);
    Tul->Nfactor = DMod->TypeTableNfactor->AsFloat();
    Tul->Cfactor = DMod->TypeTableCfactor->AsFloat();
    Tul->Efactor = DMod->TypeTableEfactor->AsFloat();
    if (DMod->WorkPipeTableSysHas->AsInteger() == 2) openIfClosed(DMod->WorkTrickleTable);
    // Without a manifold table there is no manifold to lay out.
    if (!DMod->WorkTrickleTable->Active()) return;
    JManfld manifold;
    manifold.RunManifold();
}

} // namespace

void TMersolForm::OKBitBtn2Click()
{
    if (!Tul->NewJob) {
        OvcNotebook1->SetPageIndex(1);
        return;
    }
    db::Table* pipe = DMod->WorkPipeTable;
    openIfClosed(pipe);
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
    PostIfEditing(pipe);
    db::Table* prof = DMod->WorkProfTable;
    // Coming back to the job page must not cost the profile already entered:
    // the entry dialog would start the job over from one entrance row. The
    // profile page takes it as it is.
    if (ProfileEntered(prof)) {
        Tul->NumNodes = prof->RecordCount();
        setHeaderNodeCount(Tul->NumNodes);
        OvcNotebook1->SetPageIndex(1);
        return;
    }
    DBChart1->hide();
    Tul->NumNodes = 1;
    setHeaderNodeCount(1);
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
    Tul->NewStation = 0;
    Tul->NewNode = true;
    Tul->ProfEntryCancelled = false;
    ShowOwned(ProfEntryDlg, this);
    if (Tul->ProfEntryCancelled) {
        LastPage = 0;
        OvcNotebook1->SetPageIndex(0);
        return;
    }
    DBChart1->show();
    OvcNotebook1->SetPageIndex(1);
}

void TMersolForm::OKBitBtn3Click() { OvcNotebook1->SetPageIndex(2); }

void TMersolForm::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() == 0) {
        SetFocus(OKBitBtn2);
        return;
    }
    openIfClosed(DMod->WorkPipeTable);
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

void TMersolForm::OvcNotebook1PageChanged(int page)
{
    if (page == 0) jobPageEntered();
    else if (page == 1) profilePageEntered();
    else if (page == 2) outputPageEntered();
}

void TMersolForm::jobPageEntered()
{
    db::Table* pipe = DMod->WorkPipeTable;
    editHeader();
    if (MersolImage->isVisible()) MersolImage->hide();
    ScrollBox1->show();
    ShowSystemData(this);
    if (LastPage == 0) {
        // A fresh entry offers to save the job; a job without a name yet
        // (New Job clearing the page) has nothing to save.
        if (Tul->SaveState != 2 && !DMod->WorkPipeTableJobName->AsString().isEmpty()) ShowOwned(SaveForm, this);
    } else if (!Tul->ProfEntryCancelled) {
        editHeader();
    }
    // The cfs of this job's flow, not what a dialog left in the job object.
    openIfClosed(pipe);
    Tul->DesignFlowCfs = DMod->WorkPipeTableDesignFlow->AsFloat() / 448.83;
    Qcfs->setText(CfsText(Tul->DesignFlowCfs));
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter/edit job data"));
    LastPage = 0;
}

void TMersolForm::profilePageEntered()
{
    db::Table* pipe = DMod->WorkPipeTable;
    db::Table* prof = DMod->WorkProfTable;
    openIfClosed(pipe);
    PostIfEditing(pipe);
    openIfClosed(prof);
    const int rows = prof->RecordCount();
    if (DMod->WorkPipeTableNoEnd->AsBoolean() || rows <= 1) {
        AddNodeBtn->show();
        SetFocus(AddNodeBtn);
    } else {
        AddNodeBtn->hide();
        SetFocus(EditProfileBtn);
    }
    if (DMod->RefreshProfileChart) DMod->RefreshProfileChart();

    if (LastPage != 0 || Tul->PrevJobLoaded) {
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit node data"));
    } else if (Tul->NewJob && rows == 1) {
        // Only the entrance so far: its node and reach dialogs come up at once.
        Tul->NumNodes = 1;
        setHeaderNodeCount(1);
        DBChart1->hide();
        MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
        Tul->NewStation = 0;
        Tul->NewNode = true;
        ShowOwned(BasicNodeDlg, this);
        openIfClosed(pipe);
        if (!editing(pipe)) pipe->Edit();
        ShowOwned(ProfInDlg, this);
    } else {
        openIfClosed(pipe);
        editHeader();
        Tul->NewNode = false;
        Tul->NewStation = 0;
        MainStatusBar->SetPanelText(0, QStringLiteral("Enter node data"));
        openIfClosed(prof);
    }
    DBChart1->show();
    openIfClosed(prof);
    prof->Refresh();
    LastPage = 1;
}

void TMersolForm::outputPageEntered()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Table* pipe = DMod->WorkPipeTable;
    openIfClosed(pipe);
    openIfClosed(prof);
    Tul->ClearHead = DMod->WorkPipeTableClearHead->AsFloat();
    prof->DisableControls();
    OutChart->chart().ClearAll();

    Tul->NumNodes = prof->RecordCount();
    if (!reachesHavePipes(prof, Tul->NumNodes)) {
        Tul->NewNode = false;
        OvcNotebook1->SetPageIndex(1);
        prof->EnableControls();
        error(QStringLiteral("There must be pipe selected for nodes to compute. Please enter all node pipe data."));
        return;
    }
    if (const std::optional<double> unset = FillUnsetInverts()) {
        Tul->NewNode = false;
        OvcNotebook1->SetPageIndex(1);
        prof->EnableControls();
        error(QStringLiteral("The invert elevation at station ") + Hyd->StationText(*unset) +
              QStringLiteral(" was never entered. Please edit that node."));
        return;
    }
    const QString midEnd = endNodeInMidProfile(prof, Tul->NumNodes);
    if (!midEnd.isEmpty()) {
        Tul->NewNode = false;
        OvcNotebook1->SetPageIndex(1);
        prof->EnableControls();
        error(QStringLiteral("The node at station ") + midEnd +
              QStringLiteral(" is an end node, but only the last node can be one. Please change its kind."));
        return;
    }
    prof->Last();
    const int endType = prof->RecordCount() > 0 ? DMod->WorkProfTableNodeType->AsInteger() : -1;
    if (endType == 6 && !Tul->ManifoldEndVisited) runManifoldAtEnd();

    if (endType >= 4 && endType <= 7) {
        const bool computed = ComputeJob();
        openIfClosed(prof);
        openIfClosed(pipe);
        prof->EnableControls();
        prof->Refresh();
        if (!computed) return;   // nothing to show for a system that was not run
        FillProfileChart();
        MainStatusBar->SetPanelText(0, QStringLiteral("Data output"));
        LastPage = 2;
        return;
    }
    Tul->NewNode = true;
    OvcNotebook1->SetPageIndex(1);
    prof->EnableControls();
    error(QStringLiteral("There must be an end node to compute. Please enter one."));
}

bool TMersolForm::ComputeJob()
{
    openIfClosed(DMod->WorkPipeTable);
    const QString sysType = DMod->WorkPipeTableSysType->AsString();
    if (sysType == QLatin1String("GRAVITY")) {
        Grav->RunGravityProfile();
    } else if (sysType == QLatin1String("FULLFLOW")) {
        FFlow->RunFullFlow();
    } else if (sysType == QLatin1String("PUMPED") || sysType == QLatin1String("PRESSURE")) {
        Tul->PumpTypeCode = PumpTypeCodeOf(DMod->WorkPipeTablePumpType->AsString());
        if (Tul->PumpTypeCode == 1) Hyd->SuctionAnalysis();
        Pump->RunPumpCalc();
    } else {
        error(QStringLiteral("Can't compute ...."));
        return false;
    }
    return true;
}
