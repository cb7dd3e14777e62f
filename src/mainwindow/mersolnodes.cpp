// The node commands of the profile page.
#include "mainwindow/mersolform1.h"

#include "dialogs/profile/basicnodedlg.h"
#include "dialogs/profile/dlgutil.h"
#include "dialogs/profile/profindlg2.h"
#include "engine/hydcalc1.h"
#include "model/dmod1.h"
#include "model/tulclass.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QPushButton>

namespace {

void emptyAndReopen(db::Table* t)
{
    if (t->Active()) t->Close();
    t->EmptyTable();
    t->Open();
}

void postHeader()
{
    db::Table* pipe = DMod->WorkPipeTable;
    if (!pipe->Active()) pipe->Open();
    if (pipe->State() != db::DataSetState::Edit && pipe->State() != db::DataSetState::Insert) pipe->Edit();
}

} // namespace

void TMersolForm::DeleteNodeSpdBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active()) prof->Open();
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    if (prof->IsEmpty()) return;
    const double target = DMod->WorkProfTableStation->AsFloat();
    const QString station = Hyd->StationText(target);
    prof->First();
    while (!prof->Eof() && DMod->WorkProfTableStation->AsFloat() != target) prof->Next();
    if (prof->Eof()) return;

    const int nodeType = DMod->WorkProfTableNodeType->AsInteger();
    if (nodeType == 0) {
        ui::MessageDlg(QStringLiteral("Can't delete entrance station ") + station +
                           QStringLiteral(".  It is OK to edit an entrance node."),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    if (ui::MessageDlg(QStringLiteral("Do you really want to DELETE Station ") + station + QStringLiteral("?"),
                       ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes)
        return;

    DBChart1->hide();
    prof->DisableControls();
    prof->Delete();
    if (nodeType == 5) emptyAndReopen(DMod->WorkGatedTable);
    if (nodeType == 6) emptyAndReopen(DMod->WorkTrickleTable);
    if (nodeType >= 4 && nodeType <= 6) {
        AddNodeBtn->show();
        SetFocus(AddNodeBtn);
        postHeader();
        DMod->WorkPipeTableNoEnd->SetAsBoolean(true);
        DMod->WorkPipeTable->Post();
        ui::MessageDlg(QStringLiteral("You will now need to add an end node!"), ui::MsgType::Information, ui::mbOK);
    }
    if (nodeType == 2) Tul->PumpTypeCode = 0;
    Tul->NumNodes = prof->RecordCount();
    postHeader();
    DMod->WorkPipeTableNumNodes->SetAsInteger(Tul->NumNodes);
    DMod->WorkPipeTable->Post();

    // Carry the flows down the shortened profile; the entrance keeps its own.
    prof->First();
    double upstreamQ = DMod->WorkProfTablePipeQ->AsFloat();
    for (prof->Next(); !prof->Eof(); prof->Next()) {
        prof->Edit();
        upstreamQ += DMod->WorkProfTableInQ->AsFloat() - DMod->WorkProfTableOutQ->AsFloat();
        DMod->WorkProfTablePipeQ->SetAsFloat(upstreamQ);
        prof->Post();
    }
    int recordNo = 1;
    for (prof->First(); !prof->Eof(); prof->Next(), ++recordNo) {
        prof->Edit();
        DMod->WorkProfTableRecordNo->SetAsInteger(recordNo);
        prof->Post();
    }
    prof->First();
    prof->EnableControls();
    DBChart1->show();
    ui::MessageDlg(QStringLiteral("Station ") + station + QStringLiteral(" is now deleted!"), ui::MsgType::Information,
                   ui::mbOK);
}

void TMersolForm::EditNodeSpdBtnClick()
{
    db::Table* prof = DMod->WorkProfTable;
    if (!prof->Active()) prof->Open();
    if (prof->IsEmpty()) return;
    Tul->EditingNode = true;
    Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
    BackupWorkTables(this);
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
        RestoreWorkTables(this);
    else
        ShowOwned(ProfInDlg, this);   // its cancel is not undone here
    Tul->EditingNode = false;
    if (DMod->RefreshProfileChart) DMod->RefreshProfileChart();
}
