// The node commands of the profile page: Add, Insert, Edit and Delete Node,
// and a click on a node of the profile chart.
#include "designer/designer_form.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QPushButton>

#include <limits>

namespace {

void refreshChart()
{
    if (DMod->RefreshProfileChart) DMod->RefreshProfileChart();
}

// A node command's dialogs mark the job changed as soon as they open; one
// whose dialogs changed nothing (opened and cancelled, or left as they were)
// leaves the job as saved or unsaved as it found it, and the status bar as
// it was.
class NodeCommandScope {
public:
    explicit NodeCommandScope(ui::StatusBar* bar)
        : bar_(bar), status_(bar->PanelText(0)), saveState_(Tul->SaveState), tables_(WorkTablesDigest())
    {
    }
    ~NodeCommandScope()
    {
        try {
            bar_->SetPanelText(0, status_);
            if (Tul->SaveState != saveState_ && WorkTablesDigest() == tables_) Tul->SaveState = saveState_;
        } catch (...) {
            // The command's own failure is the one to report.
        }
    }
    NodeCommandScope(const NodeCommandScope&) = delete;
    NodeCommandScope& operator=(const NodeCommandScope&) = delete;

private:
    ui::StatusBar* bar_;
    QString status_;
    int saveState_;
    QString tables_;
};

} // namespace

void TDesignerForm::AddNodeBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    // The entrance comes from the initial profile entry: a job whose entry
    // was cancelled has no profile yet, and Add Node offers the entry again,
    // as OK on the job page does.
    if (prof->IsEmpty()) {
        OpenIfClosed(DMod->WorkPipeTable);
        if (DMod->WorkPipeTable->IsEmpty()) return;
        OvcNotebook1->SetPageIndex(0);
        OKBitBtn2Click();
        return;
    }
    NodeCommandScope scope(MainStatusBar);
    BackupWorkTables();
    Tul->NumNodes = prof->RecordCount();
    prof->Last();

    bool refused = false;
    if (IsEndNodeType(DMod->WorkProfTableNodeType->AsInteger())) {
        ui::MessageDlg(QStringLiteral("Can't add a node.  There is already an end node."), ui::MsgType::Error,
                       ui::mbOK);
        refused = true;
    } else if (!RoomForAnotherNode(Tul->NumNodes)) {
        refused = true;
    }
    if (refused) {
        Tul->WasCancelled = true;
        RestoreWorkTables();
        prof->Refresh();
        refreshChart();
        return;
    }

    Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
    Tul->InsertingNode = false;
    Tul->AddingNode = true;
    Tul->LoadCurrentProfRow();
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    MainStatusBar->SetPanelText(0, QStringLiteral("Adding node"));
    Tul->WasCancelled = false;

    OpenIfClosed(DMod->DefLocTable);
    // The insert rule with nothing beyond: one increment past the last node,
    // or 10 ft when the increment is zero or negative and would put the node
    // on or before the last one.
    Tul->NewStation = *InsertedStation(Tul->Station, std::numeric_limits<double>::infinity(),
                                       DMod->DefLocTableStaIncrement->AsFloat());
    Tul->NewNode = true;
    prof->Append();
    DMod->WorkProfTableStation->SetAsFloat(Tul->NewStation);
    DMod->WorkProfTableRecordNo->SetAsInteger(Tul->RecordNo + 1);
    Tul->LocateProfStation();
    Tul->FillNewProfRow();

    EditJobHeader();
    ShowOwned(BasicNodeDlg, this);
    if (!Tul->WasCancelled) {
        PostIfEditing(DMod->WorkPipeTable);
        DMod->WorkPipeTable->Edit();
        ShowOwned(ProfInDlg, this);
    }
    // A cancel of either dialog drops the new node: the undo copy was taken
    // before it was appended.
    if (Tul->WasCancelled) RestoreWorkTables();
    prof->Refresh();
    refreshChart();
}

void TDesignerForm::InsertNodeSpdBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    if (prof->IsEmpty()) return;
    NodeCommandScope scope(MainStatusBar);
    const double insertPoint = DMod->WorkProfTableStation->AsFloat();
    const int insertPointType = DMod->WorkProfTableNodeType->AsInteger();
    Tul->NewStation = insertPoint;
    Tul->NewRecordNo = DMod->WorkProfTableRecordNo->AsInteger();
    Tul->NumNodes = prof->RecordCount();
    Tul->InsertPointDiaIn = DMod->WorkProfTableDiaIn->AsFloat();
    Tul->InsertPointStation = insertPoint;

    BackupWorkTables();
    Tul->WasCancelled = false;

    // The node before the insert point is the one the new node follows; it is
    // taken by position, which is what its record number names.
    prof->CheckBrowseMode();
    const bool hasPrevious = prof->RecNo() > 1;
    if (hasPrevious) {
        prof->Prior();
        Tul->LoadCurrentProfRow();
    }
    Tul->LocateProfStation();   // back on the insert point

    // Nothing goes before the entrance, also when it is the only node.
    std::optional<double> station;
    if (insertPointType == 0 || !hasPrevious) {
        ui::MessageDlg(QStringLiteral("Can't insert a station prior to the entrance."), ui::MsgType::Error, ui::mbOK);
    } else if (RoomForAnotherNode(Tul->NumNodes)) {
        OpenIfClosed(DMod->DefLocTable);
        station = InsertedStation(Tul->Station, insertPoint, DMod->DefLocTableStaIncrement->AsFloat());
        if (!station)
            ui::MessageDlg(NoRoomToInsertText(Tul->Station, insertPoint), ui::MsgType::Error, ui::mbOK);
    }
    if (!station) {
        Tul->WasCancelled = true;
        RestoreWorkTables();
        prof->Locate(QStringLiteral("Station"), insertPoint);
        refreshChart();
        return;
    }

    Tul->InsertingNode = true;
    Tul->AddingNode = false;
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    MainStatusBar->SetPanelText(0, QStringLiteral("Inserting node"));
    Tul->LocateProfStation();

    Tul->NewNode = true;
    Tul->NewStation = *station;
    prof->Insert();
    DMod->WorkProfTableStation->SetAsFloat(*station);
    DMod->WorkProfTableRecordNo->SetAsInteger(Tul->RecordNo + 1);
    Tul->LocateProfStation();
    Tul->FillNewProfRow();

    ShowOwned(BasicNodeDlg, this);
    if (Tul->WasCancelled)
        RestoreWorkTables();
    else
        ShowOwned(ProfInDlg, this);   // a cancel here keeps the new node
    refreshChart();
}

void TDesignerForm::ProfDBChart1ClickSeries(chart::Series&, int valueIndex)
{
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    // The chart's points follow the table's station order, so the point's
    // index is the row's place.
    prof->First();
    for (int i = 0; i < valueIndex && !prof->Eof(); ++i) prof->Next();
    EditNodeSpdBtnClick();
}

void TDesignerForm::DeleteNodeSpdBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    if (prof->IsEmpty()) return;
    const double target = DMod->WorkProfTableStation->AsFloat();
    const QString station = Hyd->StationText(target);
    prof->First();
    while (!prof->Eof() && DMod->WorkProfTableStation->AsFloat() != target) prof->Next();
    if (prof->Eof()) return;

    const int nodeType = DMod->WorkProfTableNodeType->AsInteger();
    if (!ConfirmNodeDeletion(nodeType, station)) return;

    DBChart1->hide();
    prof->DisableControls();
    prof->Delete();
    if (nodeType == 5) OpenEmpty(DMod->WorkGatedTable);
    if (nodeType == 6) OpenEmpty(DMod->WorkTrickleTable);
    if (nodeType == 5 || nodeType == 6) ForgetGatedOrManifoldEnd();
    if (nodeType >= 4 && nodeType <= 6) {
        AddNodeBtn->show();
        SetFocus(AddNodeBtn);
        EditJobHeader();
        DMod->WorkPipeTableNoEnd->SetAsBoolean(true);
        DMod->WorkPipeTable->Post();
        ui::MessageDlg(QStringLiteral("You will now need to add an end node!"), ui::MsgType::Information, ui::mbOK);
    }
    if (nodeType == 2) DropInlineBoosterWhenNoneLeft();
    Tul->NumNodes = prof->RecordCount();
    EditJobHeader();
    DMod->WorkPipeTableNumNodes->SetAsInteger(Tul->NumNodes);
    DMod->WorkPipeTable->Post();

    CarryFlowsDown();
    Tul->BuildStationList();
    prof->First();
    prof->EnableControls();
    // The delete and the posts above ran with the controls off, so the chart
    // missed them.
    DBChart1->RefreshData();
    DBChart1->show();
    ui::MessageDlg(QStringLiteral("Station ") + station + QStringLiteral(" is now deleted!"), ui::MsgType::Information,
                   ui::mbOK);
}

void TDesignerForm::EditNodeSpdBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    OpenIfClosed(prof);
    if (prof->IsEmpty()) return;
    NodeCommandScope scope(MainStatusBar);
    Tul->EditingNode = true;
    Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
    BackupWorkTables();
    Tul->WasCancelled = false;
    Tul->InsertingNode = false;
    Tul->AddingNode = false;
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    DBChart1->show();
    MainStatusBar->SetPanelText(0, QStringLiteral("Editing node"));
    Tul->NewNode = false;
    Tul->LocateProfStation();
    ShowOwned(BasicNodeDlg, this);
    if (Tul->WasCancelled)
        RestoreWorkTables();
    else
        ShowOwned(ProfInDlg, this);   // its Cancel takes back only what was done in it
    Tul->EditingNode = false;
    refreshChart();
}
