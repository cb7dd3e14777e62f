#include "dialogs/system/centrifugal_pump_dialog.h"

#include "dialogs/designer_window.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/system/suction_segment_dialog.h"
#include "dialogs/system/system_dialog_layout.h"
#include "engine/hydraulics.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "model/station.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/seam/msg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kIncomplete = QStringLiteral("All values and one suction segment must be entered. Please complete entries.");

void openIfClosed(db::Table* t)
{
    if (!t->Active()) t->Open();
}

void markChanged()
{
    if (Tul->SaveState != 0) Tul->SaveState = 1;
}

} // namespace

TPumpCentrifDlg::TPumpCentrifDlg(QWidget* owner) : ui::Form(owner), flow_(nullptr)
{
    setObjectName(QStringLiteral("PumpCentrifDlg"));
    SetCaption(QStringLiteral("Centrifugal Pump Data"));
    SetPosition(ui::Position::OwnerCenter);
    resize(760, 560);

    SystemDialogLayout lay(this);
    auto numeric = [](const char* mask, std::optional<double> low = std::nullopt,
                      std::optional<double> high = std::nullopt) {
        return ui::NumericFormat::Picture(QString::fromLatin1(mask), low, high);
    };
    // A flow below zero, or water neither liquid nor warm enough to be
    // water, is no job's: its load would refuse it.
    FlowRateDBNF = lay.Bound("FlowRateDBNF", "Design Flow Rate", "DesignFlow", numeric("#####", 0), "gpm");
    cfsField = lay.Cfs();
    WSDBNF = lay.Bound("WSDBNF", "Water Surface Elevation", "WSElev", numeric("####"), "feet");
    EyeDBNF = lay.Bound("EyeDBNF", "Elevation of Pump Eye (Pump housing intake)", "PumpEyeElev", numeric("####"), "feet");
    AltDBNF = lay.Bound("AltDBNF", "Altitude (Elevation above sea level)", "Altitude", numeric("####"), "feet");
    WTempDBNF =
        lay.Bound("WTempDBNF", "Maximum Probable Water Temperature", "WaterTemp", numeric("###.#", 0, 212), "deg F");
    EffDBNF = lay.Bound("EffDBNF", "Estimated Pump efficiency", "PumpEffic", numeric("##.#"), "percent");
    ClearHdDBNF = lay.Bound("ClearHdDBNF", "HGL Clearance Above High Point", "ClearHead", numeric("###.##"), "feet");
    DBMemo1 = lay.Notes("Description of Pump and Notes");

    auto* gp = ui::Make<QGroupBox>(this, "SuctionGroupBox", QStringLiteral("Suction Pipe Segment Data"));
    auto* gv = new QVBoxLayout(gp);
    auto* gb = new QHBoxLayout;
    AddNodeBtn = ui::Make<QPushButton>(gp, "AddNodeBtn", QStringLiteral("Add Seg"));
    EditPipeBtn = ui::Make<QPushButton>(gp, "EditPipeBtn", QStringLiteral("Edit Seg"));
    DeleteNodeBtn = ui::Make<QPushButton>(gp, "DeleteNodeBtn", QStringLiteral("Delete Seg"));
    DeleteAllBtn = ui::Make<QPushButton>(gp, "DeleteAllBtn", QStringLiteral("Delete All Seg"));
    HelpSpdBrn = ui::Make<QToolButton>(gp, "HelpSpdBrn");
    HelpSpdBrn->setText(QStringLiteral("?"));
    HelpSpdBrn->setToolTip(QStringLiteral("Help with editing nodes"));
    for (QWidget* w : std::initializer_list<QWidget*>{AddNodeBtn, EditPipeBtn, DeleteNodeBtn, DeleteAllBtn, HelpSpdBrn})
        gb->addWidget(w);
    gb->addStretch(1);
    gv->addLayout(gb);
    DBGrid1 = ui::Make<QTableView>(gp, "DBGrid1");
    DBGrid1->setMinimumHeight(140);
    gv->addWidget(DBGrid1);
    lay.Span(gp);
    std::vector<ui::GridColumn> columns;
    for (const char* f : {"SegmentNo", "PipeLength", "DownStreamPipeDescription", "DiaIn", "Cfac", "Nfac", "Efac", "K1",
                          "K2", "K3", "Kid1", "Kid2", "Kid3", "KLocate1", "KLocate2", "KLocate3", "KDescription1",
                          "KDescription2", "KDescription3", "PipeQ", "WtPerFt", "PipeType", "NodeType"})
        columns.push_back({QString::fromLatin1(f), QString::fromLatin1(f),
                           QLatin1String(f) == QLatin1String("DownStreamPipeDescription") ? 180 : 60, {}, true});
    (new ui::DBGrid(DBGrid1, DMod->WorkSuctionData, std::move(columns)))->SetReadOnly(true);

    OKBitBtn1 = lay.Button("OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = lay.Button("CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = lay.Button("HelpBitBtn3", QStringLiteral("Help"));
    ChangeBtn = lay.Button("ChangeBtn", QStringLiteral("Change Pump Type"));
    flow_ = DesignFlowPair(cfsField);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); });
    OnClick(ChangeBtn, [this] { ChangeBtnClick(); });
    OnClick(HelpBitBtn3, [] { ui::HelpContext(26); });
    OnClick(HelpSpdBrn, [] { ui::HelpContext(114); });
    OnClick(AddNodeBtn, [this] { AddNodeBtnClick(); });
    OnClick(EditPipeBtn, [this] { EditPipeBtnClick(); });
    OnClick(DeleteNodeBtn, [this] { DeleteNodeBtnClick(); });
    OnClick(DeleteAllBtn, [this] { DeleteAllBtnClick(); });
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { EditPipeBtnClick(); });
    Handle(DBGrid1, &QTableView::clicked, [this] { DBGrid1MouseUp(); });
    SetCancelButton(CancelBitBtn2);
    QLineEdit* const values[] = {FlowRateDBNF, cfsField, WSDBNF, EyeDBNF, AltDBNF, WTempDBNF, EffDBNF, ClearHdDBNF};
    for (QLineEdit* e : values) OnEnter(e, [] { EditHeaderRow(); });
    OnEnter(DBMemo1, [] { EditHeaderRow(); });
    OnExit(FlowRateDBNF, [this] { FlowRateDBNFExit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    for (QLineEdit* e : {WSDBNF, EyeDBNF, AltDBNF, WTempDBNF, EffDBNF, ClearHdDBNF}) OnExit(e, [] { PostHeaderRow(); });
    OnExit(DBMemo1, [this] { DBMemo1Exit(); });
    // The notes take Enter as a move on, not as OK.
    SetEnterKey(DBMemo1, ui::EnterKey::NextControl);
    SetEnterKey(DBGrid1, ui::EnterKey::NextControl);
}

void TPumpCentrifDlg::FormShow()
{
    Tul->Cancelled = false;
    db::Table* suc = DMod->WorkSuctionTable;
    DMod->SaveSuctionTable->EmptyTable();
    db::BatchMove(*suc, *DMod->SaveSuctionTable, db::BatchMode::Append);
    // The materials before the pipes: the pipes' velocity and friction are
    // worked out with the factors of the current material as they open.
    for (db::Table* t : {DMod->TypeTable, DMod->PipeTable, DMod->WorkPipeTable}) openIfClosed(t);
    EditHeaderRow();
    openIfClosed(suc);
    flow_.KeepOpeningFlow();
    // As the other pumps': a new job changes its pump in the selection the
    // System button opens over this dialog.
    ChangeBtn->setVisible(!Tul->NewJob);
    Tul->ColumnLoss = 0.0;
    flow_.ShowCfs();
    Tul->NumNodes = 0;
    defaulted_ = PumpDefaultsDue(QStringLiteral("CENTRIF"));
    if (defaulted_) {
        openIfClosed(DMod->DefLocTable);
        DMod->WorkPipeTableAltitude->SetAsFloat(DMod->DefLocTableElevSea->AsFloat());
        DMod->WorkPipeTableWaterTemp->SetAsFloat(DMod->DefLocTableWaterTemp->AsFloat());
        DMod->WorkPipeTablePumpEffic->SetAsFloat(DMod->DefLocTablePumpEff->AsFloat());
        DMod->WorkPipeTableClearHead->SetAsFloat(DMod->DefLocTableClearHead->AsFloat());
    }
    RewriteSystemPanel(SystemPanel::Centrifugal);
    SetFocus(FlowRateDBNF);
}

QStringList TPumpCentrifDlg::Missing() const
{
    struct Value {
        db::Field* field;
        bool zeroTakes;
        const char* caption;
    };
    const Value values[] = {
        {DMod->WorkPipeTableDesignFlow, false, "Design Flow Rate"},
        {DMod->WorkPipeTableWSElev, true, "Water Surface Elevation"},
        {DMod->WorkPipeTablePumpEyeElev, true, "Elevation of Pump Eye"},
        {DMod->WorkPipeTableAltitude, true, "Altitude"},
        {DMod->WorkPipeTableWaterTemp, false, "Maximum Probable Water Temperature"},
        {DMod->WorkPipeTablePumpEffic, false, "Estimated Pump efficiency"},
        {DMod->WorkPipeTableClearHead, true, "HGL Clearance Above High Point"},
    };
    QStringList missing;
    for (const Value& v : values)
        if (v.field->IsNull() || (!v.zeroTakes && !(v.field->AsFloat() > 0)))
            missing << QString::fromLatin1(v.caption);
    if (DMod->WorkSuctionTable->IsEmpty()) missing << QStringLiteral("one suction segment");
    return missing;
}

// ---- design flow ----------------------------------------------------------------

// Every segment carries the design flow, whatever it was changed from
// (back to the opening flow too, or on a new job).
void TPumpCentrifDlg::rewriteSegmentFlows()
{
    const double flow = DMod->WorkPipeTableDesignFlow->AsFloat();
    db::Table* suc = DMod->WorkSuctionTable;
    if (TableEditing(suc)) suc->Post();
    const qint64 at = suc->GetBookmark();
    Tul->NumNodes = suc->RecordCount();
    for (suc->First(); !suc->Eof(); suc->Next()) {
        if (DMod->WorkSuctionTablePipeQ->AsFloat() == flow) continue;
        suc->Edit();
        DMod->WorkSuctionTablePipeQ->SetAsFloat(flow);
        suc->Post();
    }
    if (!suc->GotoBookmark(at)) suc->First();
}

void TPumpCentrifDlg::FlowRateDBNFExit()
{
    flow_.WarnWith(QStringLiteral("Design flow rate has changed. \nCheck suction pipe and mainline pipe for for optimum size."));
    flow_.GpmExit();
    rewriteSegmentFlows();
}

// A flow typed in cfs reaches the suction line as one typed in gpm does,
// so that the analysis never runs on an old flow.
void TPumpCentrifDlg::cfsFieldExit()
{
    flow_.WarnWith(QStringLiteral("Design flow rate has changed. Check suction pipe for for optimum size."));
    flow_.CfsExit();
    rewriteSegmentFlows();
}

void TPumpCentrifDlg::DBMemo1Exit()
{
    PostHeaderRow();
    // Moving on from the notes leads to the suction line; a button pressed
    // from there still acts.
    if (!qobject_cast<QPushButton*>(FocusTarget())) SetFocus(AddNodeBtn);
}

// ---- the suction segments ------------------------------------------------------------

void TPumpCentrifDlg::showSegment()
{
    Tul->LocateSuctionSegment();
    ShowOwned(SuctionDlg, this);
    Tul->LocateSuctionSegment();
}

void TPumpCentrifDlg::AddNodeBtnClick()
{
    // No more segments than an import of the job takes (and the analysis).
    if (DMod->WorkSuctionTable->Active() &&
        !RoomForAnother(DMod->WorkSuctionTable->RecordCount(), kMaxStations, QStringLiteral("suction line"),
                        QStringLiteral("segment")))
        return;
    if (TableEditing(DMod->WorkPipeTable) || DMod->WorkProfTable->State() == db::DataSetState::Insert) PostHeaderRow();
    markChanged();
    Tul->NewNode = true;
    Tul->PipePickTarget = 1;
    openIfClosed(DMod->DefLocTable);
    db::Table* suc = DMod->WorkSuctionTable;
    if (TableEditing(suc)) suc->Post();
    Tul->NumNodes = suc->RecordCount();
    Tul->SuctionSegmentNo = Tul->NumNodes + 1;
    if (Tul->SuctionSegmentNo == 1) {
        suc->Append();
        Tul->NodeChoice = 0;
        Tul->PipeType = DMod->DefLocTableSuctionPipeType->AsString();
        DMod->WorkSuctionTablePipeType->SetAsString(Tul->PipeType);
        DMod->WorkSuctionTableDownStreamPipeDescription->SetAsString(QString());
    } else {
        // A new segment starts as a copy of the pipe of the segment at the cursor.
        Tul->NodeChoice = 1;
        Tul->PipeType = DMod->WorkSuctionTablePipeType->AsString();
        Tul->DiaIn = DMod->WorkSuctionTableDiaIn->AsFloat();
        const QString description = DMod->WorkSuctionTableDownStreamPipeDescription->AsString();
        suc->Append();
        DMod->WorkSuctionTablePipeType->SetAsString(Tul->PipeType);
        DMod->WorkSuctionTableDiaIn->SetAsFloat(Tul->DiaIn);
        DMod->WorkSuctionTableDownStreamPipeDescription->SetAsString(description);
    }
    DMod->WorkSuctionTableSegmentNo->SetAsInteger(Tul->SuctionSegmentNo);
    DMod->WorkSuctionTablePipeQ->SetAsFloat(DMod->WorkPipeTableDesignFlow->AsFloat());
    DMod->WorkSuctionTableJobNumber->SetAsInteger(Tul->JobNumber);
    suc->Post();
    Tul->NumNodes = suc->RecordCount();
    showSegment();
}

void TPumpCentrifDlg::EditPipeBtnClick()
{
    db::Table* suc = DMod->WorkSuctionTable;
    Tul->SuctionSegmentNo = DMod->WorkSuctionTableSegmentNo->AsInteger();
    if (suc->IsEmpty() && DMod->WorkSuctionTableDownStreamPipeDescription->AsString().isEmpty()) {
        AddNodeBtnClick();
        return;
    }
    Tul->NumNodes = suc->RecordCount();
    Tul->NodeChoice = DMod->WorkSuctionTableNodeType->AsInteger();
    Tul->PipePickTarget = 1;
    Tul->NewNode = false;
    showSegment();
}

void TPumpCentrifDlg::DeleteNodeBtnClick()
{
    db::Table* suc = DMod->WorkSuctionTable;
    if (suc->IsEmpty()) return;
    const QString text = DMod->WorkSuctionTableSegmentNo->IsNull()
                             ? QStringLiteral("(Not numbered)")
                             : QString::number(DMod->WorkSuctionTableSegmentNo->AsInteger());
    if (DMod->WorkSuctionTableSegmentNo->AsInteger() == 1 && suc->RecordCount() > 1) {
        if (ui::MessageDlg(QStringLiteral("You can't delete first segment when there is more than one segment. "
                                          "Do You want to edit it?"),
                           ui::MsgType::Confirmation, ui::mbYes | ui::mbNo) == ui::mrYes)
            EditPipeBtnClick();
        else
            ui::MessageDlg(QStringLiteral("You may delete all segments and re-enter all segments."),
                           ui::MsgType::Information, ui::mbOK);
        return;
    }
    if (ui::MessageDlg(QStringLiteral("Delete Segment number ") + text + QStringLiteral("?"), ui::MsgType::Confirmation,
                       ui::mbYes | ui::mbNo) != ui::mrYes)
        return;
    if (TableEditing(suc)) suc->Post();
    suc->Delete();
    renumberSegments();
}

// Segments are found by their numbers: after a delete the line is numbered
// 1, 2, 3 ... again, so that the next one added takes a number of its own.
void TPumpCentrifDlg::renumberSegments()
{
    db::Table* suc = DMod->WorkSuctionTable;
    const qint64 at = suc->GetBookmark();
    int no = 1;
    for (suc->First(); !suc->Eof(); suc->Next(), ++no) {
        if (DMod->WorkSuctionTableSegmentNo->AsInteger() == no) continue;
        suc->Edit();
        DMod->WorkSuctionTableSegmentNo->SetAsInteger(no);
        DMod->WorkSuctionTableNodeType->SetAsInteger(no == 1 ? 0 : 1);
        suc->Post();
    }
    if (!suc->GotoBookmark(at)) suc->First();
}

void TPumpCentrifDlg::DeleteAllBtnClick()
{
    db::Table* suc = DMod->WorkSuctionTable;
    if (suc->Active()) suc->Close();
    suc->EmptyTable();
    // Left browsing: an edit of the empty table would start a blank row
    // that the next Add Seg posts as a segment without a number.
    suc->Open();
}

void TPumpCentrifDlg::DBGrid1MouseUp() { Tul->SuctionSegmentNo = DMod->WorkSuctionTableSegmentNo->AsInteger(); }

// ---- OK, Cancel and close --------------------------------------------------------------

void TPumpCentrifDlg::OKBitBtn1Click()
{
    const QStringList missing = Missing();
    if (!missing.isEmpty()) {
        ui::MessageDlg(kIncomplete + QStringLiteral(" Missing: ") + missing.join(QStringLiteral(", ")) + QStringLiteral("."),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    Tul->Cancelled = false;
    SetModalResult(ui::mrOk);
}

void TPumpCentrifDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    SetModalResult(ui::mrCancel);
}

void TPumpCentrifDlg::ChangeBtnClick()
{
    Tul->Cancelled = true;
    if (DesignerWindow* designer = RunningDesigner()) designer->ChangePumpType = true;
    SetModalResult(ui::mrCancel);
}

void TPumpCentrifDlg::FormClose()
{
    db::Table* suc = DMod->WorkSuctionTable;
    // Closed by its frame with values missing: nothing is taken, as by Cancel.
    if (!Tul->Cancelled && !Missing().isEmpty()) {
        ui::MessageDlg(QStringLiteral("All values and one suction segment must be entered. "
                                      "The entries were not kept."),
                       ui::MsgType::Error, ui::mbOK);
        Tul->Cancelled = true;
    }
    if (Tul->Cancelled) {
        if (TableEditing(suc)) suc->Cancel();
        suc->Close();
        suc->EmptyTable();
        db::BatchMove(*DMod->SaveSuctionTable, *suc, db::BatchMode::Append);
        suc->Open();
        if (defaulted_) ForgetPumpDefaults(QStringLiteral("CENTRIF"));
        // The header and the profile's flows go back with the suction line.
        CloseSystemDialog();
        return;
    }
    for (db::Table* t : {DMod->PipeTable, DMod->TypeTable})
        if (t->Active()) t->Close();
    if (TableEditing(suc)) suc->Post();
    CloseSystemDialog();
    EditHeaderRow();
    Hyd->SuctionAnalysis();
    Tul->PipePickTarget = 0;
}
