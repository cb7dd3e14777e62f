#include "dialogs/profile/profile_entry_dialog.h"

#include "dialogs/profile/depth_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/invert_dialog.h"
#include "dialogs/profile/profile_text_import_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "engine/hydraulics.h"
#include "dialogs/system/system_dialog_rules.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/number_text.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/seam/msg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace {

const QString kEntranceText = QStringLiteral("Pipe entrance (any type)");
const QString kDepthText = QStringLiteral("Give depth to top of pipe (pipe cover)");
const QString kInvertText = QStringLiteral("Enter invert elevation directly");

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

void openIfClosed(db::Table* t)
{
    if (!t->Active())
        t->Open();
}

void editUnlessEditing(db::Table* t)
{
    if (!editing(t))
        t->Edit();
}

void postIfEditing(db::Table* t)
{
    if (editing(t))
        t->Post();
}

// The current row made current again by its station, in edit state.
void refindCurrent()
{
    Tul->NewStation = DMod->WorkProfTableStation->AsFloat();
    Tul->LocateProfStation();
}

// Every reach length from the stations: a row's reach ends at it, so its
// length is its station less the previous one's, 0 for the entrance. Rows
// moved, inserted or deleted in the grid leave their neighbours' lengths
// behind otherwise, and the cost estimate reads them as stored.
void setReachLengths()
{
    db::Table* prof = DMod->WorkProfTable;
    db::Field* length = DMod->WorkProfTablePipeLength;
    prof->CheckBrowseMode();
    double previous = 0.0;
    bool first = true;
    for (prof->First(); !prof->Eof(); prof->Next()) {
        const double station = DMod->WorkProfTableStation->AsFloat();
        const double reach = first ? 0.0 : station - previous;
        if (length->IsNull() || length->AsFloat() != reach) {
            prof->Edit();
            length->SetAsFloat(reach);
            prof->Post();
        }
        previous = station;
        first = false;
    }
}

void emptyAndClose(db::Table* t)
{
    if (t->Active())
        t->Close();
    t->EmptyTable();
}

// The method list shows the ground-level item with the trailing blank it has
// always had; the row keeps the method text without it, as every other
// place that writes the method writes it.
class MethodComboBinding : public ui::DBControl {
public:
    MethodComboBinding(QComboBox* combo, db::DataSource* source, const QString& field)
        : ui::DBControl(combo, source, field), combo_(combo)
    {
        QObject::connect(combo, &QComboBox::activated, this, [this] { UserChanged(); });
        Reload();
    }

protected:
    void Load(db::Field* f) override
    {
        const QString v = f ? f->AsString().trimmed() : QString();
        int found = -1;
        for (int i = 0; i < combo_->count() && found < 0; ++i)
            if (combo_->itemText(i).trimmed() == v)
                found = i;
        combo_->setCurrentIndex(found);
    }
    void Store(db::Field* f) override { f->SetAsString(combo_->currentText().trimmed()); }

private:
    QComboBox* combo_;
};

// A caption written bottom to top beside its group of controls.
class RotatedLabel : public QWidget {
public:
    RotatedLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
    {
        QFont f = font();
        f.setBold(true);
        setFont(f);
        setFixedWidth(fontMetrics().height() + 6);
        setMinimumHeight(fontMetrics().horizontalAdvance(text_) + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.translate(0, height());
        p.rotate(-90);
        p.drawText(QRect(0, 0, height(), width()), Qt::AlignCenter, text_);
    }

private:
    QString text_;
};

QLineEdit* numericField(QWidget* parent, const char* name, const QString& field, ui::NumericFormat format)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    new ui::DBNumericEdit(e, DMod->WorkProfData, field, format);
    return e;
}

} // namespace

// ---- construction -----------------------------------------------------------

TProfEntryDlg::TProfEntryDlg(QWidget* owner) : ui::Form(owner)
{
    ProfEntryDlg = this;
    setObjectName(QStringLiteral("ProfEntryDlg"));
    SetCaption(QStringLiteral("Initial Node/Reach Data Entry"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(124);
    resize(631, 458);
    TDMod* d = DMod;
    auto* v = new QVBoxLayout(this);

    // The entry controls come first in the focus chain, so that the form
    // opens on the station.
    GroupBox1 = ui::Make<QGroupBox>(this, "GroupBox1", QStringLiteral("Current Station Data Entry"));
    auto* g = new QGridLayout(GroupBox1);
    g->addWidget(new RotatedLabel(QStringLiteral("NODE"), GroupBox1), 0, 0, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Station"), GroupBox1), 0, 1);
    ui::NumericFormat station = ui::NumericFormat::Picture(QStringLiteral("#######"), 0.0, 9999999.0);
    station.zeroShowsEmpty = true;
    NFStation = numericField(GroupBox1, "NFStation", QStringLiteral("Station"), station);
    g->addWidget(NFStation, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Ground Elev"), GroupBox1), 0, 2);
    NFElev = numericField(GroupBox1, "NFElev", QStringLiteral("GroundElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.##"), 0.0, 9999.0));
    g->addWidget(NFElev, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Node Type Description"), GroupBox1), 0, 3);
    NodeComboBox = ui::Make<QComboBox>(GroupBox1, "NodeComboBox");
    NodeComboBox->setEditable(true);
    NodeComboBox->setInsertPolicy(QComboBox::NoInsert);
    NodeComboBox->addItems(OfferedNodeTypeTexts());
    new ui::DBComboBox(NodeComboBox, d->WorkProfData, QStringLiteral("NodeTypeDesc"));
    g->addWidget(NodeComboBox, 1, 3);
    // Lateral flows are amounts taken off or added at the node: neither is
    // below 0, as in the node data dialog.
    g->addWidget(new QLabel(QStringLiteral("Outflow (gpm)"), GroupBox1), 0, 4);
    NFIn = numericField(GroupBox1, "NFIn", QStringLiteral("OutQ"),
                        ui::NumericFormat::Picture(QStringLiteral("######"), 0.0));
    g->addWidget(NFIn, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Inflow (gpm)"), GroupBox1), 0, 5);
    NFOut = numericField(GroupBox1, "NFOut", QStringLiteral("InQ"),
                         ui::NumericFormat::Picture(QStringLiteral("#####"), 0.0));
    g->addWidget(NFOut, 1, 5);

    g->addWidget(new RotatedLabel(QStringLiteral("REACH"), GroupBox1), 2, 0, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Method of Determining Node Invert Elevation"), GroupBox1), 2, 1, 1, 3);
    InvComboBox = ui::Make<QComboBox>(GroupBox1, "InvComboBox");
    InvComboBox->addItems({kDepthText, kInvertText, QStringLiteral("Set invert at ground level ")});
    InvComboBox->setMaxVisibleItems(3);
    new MethodComboBinding(InvComboBox, d->WorkProfData, QStringLiteral("InvElMethDesc"));
    g->addWidget(InvComboBox, 3, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Down Stream Reach Pipe Description"), GroupBox1), 2, 4, 1, 2);
    SFPipe = ui::Make<QLineEdit>(GroupBox1, "SFPipe");
    SFPipe->setReadOnly(true);
    (new ui::DBEdit(SFPipe, d->WorkProfData, QStringLiteral("DownStreamPipeDescription")))->SetReadOnly(true);
    g->addWidget(SFPipe, 3, 4, 1, 2);
    g->setColumnStretch(3, 1);

    Panel1 = ui::Make<QWidget>(this, "Panel1");
    auto* p1 = new QHBoxLayout(Panel1);
    OKBtn = ui::Make<QPushButton>(Panel1, "OKBtn", QStringLiteral("OK"));
    CancelBitBtn = ui::Make<QPushButton>(Panel1, "CancelBitBtn", QStringLiteral("Cancel"));
    HelpBitBtn = ui::Make<QPushButton>(Panel1, "HelpBitBtn", QStringLiteral("&Help"));
    TextFileBtn = ui::Make<QPushButton>(Panel1, "TextFileBtn", QStringLiteral("Get Sta/Elev From Text File"));
    for (QPushButton* b : {OKBtn, CancelBitBtn, HelpBitBtn, TextFileBtn})
        p1->addWidget(b);
    p1->addStretch(1);

    Panel2 = ui::Make<QWidget>(this, "Panel2");
    Panel2->setAutoFillBackground(true);
    QPalette teal = Panel2->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    Panel2->setPalette(teal);
    auto* p2 = new QHBoxLayout(Panel2);
    EditNodeBtn = ui::Make<QPushButton>(Panel2, "EditNodeBtn", QStringLiteral("Edit Node"));
    AddNodeBtn = ui::Make<QPushButton>(Panel2, "AddNodeBtn", QStringLiteral("Add Node"));
    InsertNodeSpdBtn = ui::Make<QPushButton>(Panel2, "InsertNodeSpdBtn", QStringLiteral("Insert Node"));
    DeleteNodeBtn = ui::Make<QPushButton>(Panel2, "DeleteNodeBtn", QStringLiteral("Delete Node"));
    for (QPushButton* b : {EditNodeBtn, AddNodeBtn, InsertNodeSpdBtn, DeleteNodeBtn})
        p2->addWidget(b);
    // The navigator sits in a holder of its own: a data link among the
    // buttons' siblings would make the form take the panel for one control.
    auto* navHolder = new QWidget(Panel2);
    auto* nh = new QHBoxLayout(navHolder);
    nh->setContentsMargins(0, 0, 0, 0);
    DBNavigator1 = new ui::DBNavigator(d->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, navHolder);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    nh->addWidget(DBNavigator1);
    p2->addWidget(navHolder);
    p2->addStretch(1);

    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    auto* grid = new ui::DBGrid(
        DBGrid1, d->WorkProfData,
        {{QStringLiteral("RecordNo"), QStringLiteral("No"), 30, {}, true},
         {QStringLiteral("Station"), QStringLiteral("Station"), 0, {}, true},
         {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 0, {}, true},
         {QStringLiteral("PipeDepth"), QStringLiteral("Pipe Depth"), 0, {}, true},
         {QStringLiteral("InvertElev"), QStringLiteral("Invert Elev"), 0, {}, true},
         {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Down Stream Pipe Description"), 240, {}, true},
         {QStringLiteral("NodeTypeDesc"), QStringLiteral("NodeType Description"), 114, {}, true},
         {QStringLiteral("InQ"), QStringLiteral("In Flow"), 50, {}, true},
         {QStringLiteral("OutQ"), QStringLiteral("Out flow"), 55, {}, true}});
    grid->SetReadOnly(true);

    v->addWidget(Panel1);
    v->addWidget(Panel2);
    v->addWidget(GroupBox1);
    v->addWidget(DBGrid1, 1);

    OnClick(OKBtn, [this] { OKBtnClick(); }, ui::mrOk);
    OnClick(CancelBitBtn, [this] { CancelBitBtnClick(); }, ui::mrCancel);
    SetCancelButton(CancelBitBtn);
    OnClick(HelpBitBtn, [this] { HelpBitBtnClick(); });
    OnClick(TextFileBtn, [this] { TextFileBtnClick(); });
    OnClick(EditNodeBtn, [this] { EditNodeBtnClick(); });
    OnClick(AddNodeBtn, [this] { AddNodeBtnClick(); });
    OnClick(InsertNodeSpdBtn, [this] { InsertNodeSpdBtnClick(); });
    OnClick(DeleteNodeBtn, [this] { DeleteNodeBtnClick(); });

    OnEnter(NFStation, [this] { NFStationEnter(); });
    OnExit(NFStation, [this] { NFStationExit(); });
    OnEnter(NFElev, [this] { NFElevEnter(); });
    OnExit(NFElev, [this] { NFElevExit(); });
    OnEnter(NodeComboBox, [this] { NodeComboBoxEnter(); });
    OnExit(NodeComboBox, [this] { NodeComboBoxExit(); });
    for (QLineEdit* e : {NFIn, NFOut}) {
        OnEnter(e, [this] { FlowEnter(); });
        OnExit(e, [this] { FlowExit(); });
    }
    OnEnter(InvComboBox, [this] { InvComboBoxEnter(); });
    Handle(InvComboBox, &QComboBox::activated, [this] { InvComboBoxChange(); });
    OnExit(InvComboBox, [this] { InvComboBoxExit(); });
    OnEnter(SFPipe, [this] { SFPipeEnter(); });
    OnExit(SFPipe, [this] { SFPipeExit(); });
    OnEnter(DBGrid1, [this] { DBGrid1Enter(); });
    for (QWidget* w : std::initializer_list<QWidget*>{NFStation, NFElev, NodeComboBox, NFIn, NFOut})
        SetEnterKey(w, ui::EnterKey::NextControl);
    SetEnterKey(SFPipe, ui::EnterKey::Ignore);     // eventFilter
    SetEnterKey(InvComboBox, ui::EnterKey::Ignore);
    DBNavigator1->OnClick = [this](ui::NavButton) { Run([this] { RefreshProfile(); }); };
}

TProfEntryDlg::~TProfEntryDlg()
{
    if (ProfEntryDlg == this)
        ProfEntryDlg = nullptr;
}

bool TProfEntryDlg::eventFilter(QObject* watched, QEvent* e)
{
    const QEvent::Type type = e->type();
    if (type == QEvent::KeyPress && (watched == InvComboBox || watched == SFPipe)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // In the gravity designer only Enter carries on from the method list.
        if (watched == InvComboBox && (enter || (key == Qt::Key_Tab && !GravityDesignerRunning()))) {
            Run([this] { InvComboBoxKey(); });
            return true;
        }
        if (watched == SFPipe && (enter || key == Qt::Key_Tab)) {
            // Leaving the pipe by Enter or Tab carries on the entry: its exit
            // handler goes on to the next row or the node buttons (Tab alone
            // would land on OK, which the exit takes for a pressed button).
            navigating_ = true;
            Run([this] { SetFocus(AddNodeBtn); });
            navigating_ = false;
            return true;
        }
    } else if (type == QEvent::MouseButtonPress && watched == SFPipe && ActiveControl() == SFPipe) {
        Run([this] { SFPipeEnter(); });   // a click on the pipe already focused
        return true;
    } else if (type == QEvent::MouseButtonPress && watched == GroupBox1) {
        Run([this] { GroupBox1Click(); });
    } else if (type == QEvent::MouseButtonRelease && watched == DBGrid1->viewport()) {
        Run([this] { RefreshProfile(); });
    }
    return ui::Form::eventFilter(watched, e);
}

void TProfEntryDlg::enableFlows(bool on)
{
    NFIn->setEnabled(on);
    NFOut->setEnabled(on);
}

void TProfEntryDlg::focusUnlessButton(QWidget* control)
{
    if (!qobject_cast<QAbstractButton*>(FocusTarget()))
        SetFocus(control);
}

// ---- show and close ---------------------------------------------------------

void TProfEntryDlg::FormShow()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    db::Table* pipe = d->WorkPipeTable;
    Tul->ProfEntryCancelled = false;
    ImportMode = false;
    openIfClosed(pipe);
    editUnlessEditing(pipe);
    d->WorkPipeTableNoEnd->SetAsBoolean(true);
    openIfClosed(d->DefLocTable);
    openIfClosed(prof);

    // A new job starts from its entrance: an empty profile, or the lone row
    // its system type choice started. Shown again on a profile already
    // entered, the dialog edits that profile rather than writing an entrance
    // over its current row.
    if (Tul->NewJob && !ProfileEntered(prof)) {
        Tul->Cancelled = false;
        Tul->NewNode = true;
        Tul->PipePickTarget = 0;
        Tul->ProfileEntryActive = true;
        Tul->NewStation = 0.0;   // the entrance is the row being entered
        RowEditMode = false;
        TextFileBtn->setVisible(true);
        prof->Edit();   // the empty table starts its first row
        Tul->NumNodes = 1;
        d->WorkProfTableRecordNo->SetAsInteger(1);
        Tul->NewRecordNo = 1;
        d->WorkProfTableNodeTypeDesc->SetAsString(kEntranceText);
        d->WorkProfTableInvElMethod->SetAsInteger(1);
        d->WorkProfTableInvElMethDesc->SetAsString(kInvertText);
        // The entrance is station 0, shown as such in the grid whether or
        // not its station is typed.
        for (db::Field* f : {d->WorkProfTableStation, d->WorkProfTableInQ, d->WorkProfTableOutQ,
                             d->WorkProfTablePipeLength})
            f->SetAsFloat(0.0);
        d->WorkProfTableGroundElev->Clear();   // to be typed: no ground of 0 ft taken for one
        d->WorkProfTableNodeType->SetAsInteger(0);
        d->WorkProfTablePipeDepth->SetAsFloat(d->DefLocTableDepthOfCover->AsFloat());
        d->WorkProfTablePipeQ->SetAsFloat(d->WorkPipeTableDesignFlow->AsFloat());
        d->WorkProfTableThBlkSoil->SetAsFloat(d->DefLocTableThBlkSoil->AsFloat());
        d->WorkProfTablePipeType->SetAsString(d->WorkPipeTablePumpType->AsString() == QLatin1String("AUTOPUMP")
                                                  ? d->DefLocTablePipeTypePressure->AsString()
                                                  : d->DefLocTablePipeTypeOthers->AsString());
        prof->Post();
        enableFlows(false);
    } else {
        Tul->NewNode = false;
        TextFileBtn->setVisible(false);
        prof->First();
        Tul->NewRecordNo = d->WorkProfTableRecordNo->AsInteger();
        if (Tul->SaveState != 0)
            Tul->SaveState = 1;
        d->WorkTablesFree = false;
    }
}

void TProfEntryDlg::OKBtnClick()
{
    askEntranceInvert();
    Tul->ProfileEntryActive = false;
    Close();
}

void TProfEntryDlg::askEntranceInvert()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active() || prof->IsEmpty()) return;
    prof->CheckBrowseMode();
    prof->First();
    if (d->WorkProfTableInvElMethod->AsInteger() != 1 || !d->WorkProfTableInvertElev->IsNull()) return;
    refindCurrent();
    ShowOwned(InvertIndlg, this);
    refindCurrent();
}

void TProfEntryDlg::CancelBitBtnClick()
{
    Tul->ProfEntryCancelled = true;
    Close();
}

void TProfEntryDlg::HelpBitBtnClick()
{
    ui::HelpContext(124);
}

void TProfEntryDlg::FormClose()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (Tul->ProfEntryCancelled) {
        // Everything entered in this showing goes.
        for (db::Table* t : {prof, d->WorkGatedTable, d->WorkTrickleTable})
            emptyAndClose(t);
        // The header's marks of the node kinds chosen go with them.
        ForgetGatedOrManifoldEnd();
        DropInlineBoosterWhenNoneLeft();
        return;
    }
    openIfClosed(prof);
    if (prof->IsEmpty())
        return;
    // Numbered in station order whatever the edits left; a station typed
    // over moves its row without renumbering it.
    Tul->BuildStationList();
    prof->First();
    if (d->WorkProfTableNodeTypeDesc->AsString() != kEntranceText) {
        refindCurrent();
        d->WorkProfTableNodeTypeDesc->SetAsString(kEntranceText);
        Tul->ApplyNodeTypeChoice();
        Tul->BuildStationList();
        prof->First();
        Tul->NewRecordNo = d->WorkProfTableRecordNo->AsInteger();
    }
    setReachLengths();
    // Rows walked through after an import take whatever flow the job object
    // held, often none.
    CarryFlowsDown();
    prof->First();
}

// ---- node commands ----------------------------------------------------------

void TProfEntryDlg::AddNodeBtnClick()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    RowEditMode = false;
    openIfClosed(prof);
    postIfEditing(prof);
    askEntranceInvert();
    Tul->NumNodes = prof->RecordCount();
    if (!prof->IsEmpty()) {
        db::ControlsOff off(DMod->WorkProfTable);
        prof->Last();
        const int lastType = d->WorkProfTableNodeType->AsInteger();
        if (IsEndNodeType(lastType)) {
            ui::MessageDlg(QStringLiteral("Can't add a node.  There is already an end node."), ui::MsgType::Error,
                           ui::mbOK);
            Tul->WasCancelled = true;
            Tul->NewNode = false;   // the last node, now current, is an existing one
        } else if (!RoomForAnotherNode(Tul->NumNodes)) {
            Tul->WasCancelled = true;
            Tul->NewNode = false;
        } else {
            Tul->LoadCurrentProfRow();
            Tul->NodeType = lastType;
            Tul->InsertingNode = false;
            Tul->AddingNode = true;
            Tul->WasCancelled = false;
            Tul->NewNode = true;
            const double ground = d->WorkProfTableGroundElev->AsFloat();
            const int recordNo = d->WorkProfTableRecordNo->AsInteger();
            openIfClosed(d->DefLocTable);
            // One increment past the last node: the insert rule with nothing
            // beyond, which also keeps a zero increment off the last station.
            Tul->NewStation = *InsertedStation(d->WorkProfTableStation->AsFloat(),
                                               std::numeric_limits<double>::infinity(),
                                               d->DefLocTableStaIncrement->AsFloat());
            prof->Append();
            d->WorkProfTableStation->SetAsFloat(Tul->NewStation);
            d->WorkProfTableGroundElev->SetAsFloat(ground);
            d->WorkProfTableRecordNo->SetAsInteger(recordNo + 1);
            d->WorkProfTablePipeDepth->SetAsFloat(0.0);
            prof->Post();
            Tul->LocateProfStation();
            Tul->FillNewProfRow();
        }
    }
    enableFlows(true);
    SetFocus(NFStation);
}

void TProfEntryDlg::InsertNodeSpdBtnClick()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    RowEditMode = false;
    openIfClosed(prof);
    postIfEditing(prof);
    Tul->WasCancelled = false;
    Tul->NumNodes = prof->RecordCount();
    if (prof->IsEmpty()) {
        SetFocus(NFStation);
        return;
    }
    const double insertStation = d->WorkProfTableStation->AsFloat();
    Tul->NewStation = insertStation;
    Tul->InsertPointStation = insertStation;
    Tul->InsertPointDiaIn = d->WorkProfTableDiaIn->AsFloat();
    // The first row is the entrance (OK makes it one): nothing goes before it.
    const bool first = prof->RecNo() == 1;
    QString refusal;
    if ((d->WorkProfTableNodeType->AsInteger() == 0 || first) && Tul->NumNodes > 1) {
        refusal = QStringLiteral("Can't insert a station prior to the entrance.");
    } else if (!RoomForAnotherNode(Tul->NumNodes)) {
        Tul->WasCancelled = true;
    } else {
        db::ControlsOff off(DMod->WorkProfTable);
        std::optional<double> station;
        double previous = insertStation;
        if (first) {
            // The entrance alone has no neighbour after it: the new node
            // follows it by a foot.
            station = insertStation + 1.0;
        } else {
            prof->Prior();
            previous = d->WorkProfTableStation->AsFloat();
            openIfClosed(d->DefLocTable);
            station = InsertedStation(previous, insertStation, d->DefLocTableStaIncrement->AsFloat());
        }
        if (!station) {
            refusal = NoRoomToInsertText(previous, insertStation);
            Tul->LocateProfStation();
        } else {
            Tul->InsertingNode = true;
            Tul->AddingNode = false;
            Tul->LoadCurrentProfRow();   // the node before: the new one carries on its pipe
            const int recordNo = Tul->RecordNo;
            Tul->LocateProfStation();
            Tul->NewNode = true;
            Tul->NumNodes += 1;
            prof->CheckBrowseMode();
            prof->Insert();
            d->WorkProfTableStation->SetAsFloat(*station);
            d->WorkProfTableRecordNo->SetAsInteger(recordNo + 1);
            prof->Post();
            Tul->NewStation = *station;
            // The rows after it move up one number now, so that no two rows
            // share a number while the entry goes on.
            Tul->BuildStationList();
            Tul->LocateProfStation();
            Tul->FillNewProfRow();
        }
    }
    if (!refusal.isEmpty()) {
        Tul->WasCancelled = true;
        ui::MessageDlg(refusal, ui::MsgType::Error, ui::mbOK);
    }
    if (Tul->WasCancelled)
        Tul->NewNode = false;   // no row is being entered: the insert point is an existing node
    enableFlows(true);
    SetFocus(NFStation);
}

void TProfEntryDlg::DeleteNodeBtnClick()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    openIfClosed(prof);
    postIfEditing(prof);
    if (prof->IsEmpty())
        return;
    const double target = d->WorkProfTableStation->AsFloat();
    const QString station = Hyd->StationText(target);
    RowEditMode = false;
    int nodeType = 0;
    {
        db::ControlsOff off(DMod->WorkProfTable);
        prof->First();
        while (!prof->Eof() && d->WorkProfTableStation->AsFloat() != target)
            prof->Next();
        if (prof->Eof())
            return;
        nodeType = d->WorkProfTableNodeType->AsInteger();
    }
    if (!ConfirmNodeDeletion(nodeType, station))
        return;
    {
        db::ControlsOff off(DMod->WorkProfTable);
        prof->Delete();
        if (nodeType == 5 || nodeType == 6) {
            db::Table* t = nodeType == 5 ? d->WorkGatedTable : d->WorkTrickleTable;
            emptyAndClose(t);
            t->Open();
            ForgetGatedOrManifoldEnd();
        }
        if (nodeType == 2)
            DropInlineBoosterWhenNoneLeft();
        Tul->NumNodes = prof->RecordCount();   // the counter may not have followed earlier edits
        editUnlessEditing(d->WorkPipeTable);
        d->WorkPipeTableNumNodes->SetAsInteger(Tul->NumNodes);
        // The profile page offers Add Node by this flag.
        if (IsEndNodeType(nodeType))
            d->WorkPipeTableNoEnd->SetAsBoolean(true);
        d->WorkPipeTable->Post();
        CarryFlowsDown();
        Tul->NumNodes = prof->RecordCount();
        Tul->BuildStationList();
    }
    ui::MessageDlg(QStringLiteral("Station ") + station + QStringLiteral(" is now deleted!"),
                   ui::MsgType::Information, ui::mbOK);
}

void TProfEntryDlg::EditNodeBtnClick()
{
    openIfClosed(DMod->WorkProfTable);
    if (DMod->WorkProfTable->IsEmpty())
        return;
    editCurrentRow();
    SetFocus(NFStation);
}

bool TProfEntryDlg::pickedAnotherRow() const
{
    // An import walk treats every row it comes to as new on purpose: each
    // takes the pipe of the row before.
    db::Table* prof = DMod->WorkProfTable;
    return Tul->NewNode && !ImportMode && prof->Active() && !prof->IsEmpty() &&
           DMod->WorkProfTableStation->AsFloat() != Tul->NewStation;
}

void TProfEntryDlg::takeUpPickedRow()
{
    if (pickedAnotherRow())
        editCurrentRow();
}

void TProfEntryDlg::editCurrentRow()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    Tul->NewNode = false;
    Tul->InsertingNode = false;
    Tul->AddingNode = false;
    RowEditMode = true;
    {
        db::ControlsOff off(DMod->WorkProfTable);
        Tul->LocateProfStation();
        Tul->NumNodes = prof->RecordCount();
        const int recordNo = d->WorkProfTableRecordNo->AsInteger();
        if (Tul->NumNodes > 1 && recordNo > 1 && prof->RecNo() > 1) {
            prof->Prior();
            Tul->Station = d->WorkProfTableStation->AsFloat();
            Tul->GroundElev = d->WorkProfTableGroundElev->AsFloat();
            Tul->PipeQ = d->WorkProfTablePipeQ->AsFloat();
            Tul->LoadReachPipe();
            Tul->PipeDepth = d->WorkProfTablePipeDepth->AsFloat();
            Tul->InvElMethod = d->WorkProfTableInvElMethod->AsInteger();
            Tul->NodeType = d->WorkProfTableNodeType->AsInteger();
            Tul->LocateProfStation();
        }
        if (!IsEndNodeType(d->WorkProfTableNodeType->AsInteger())) {
            if (prof->RecNo() < prof->RecordCount()) {
                prof->Next();
                Tul->InsertPointStation = d->WorkProfTableStation->AsFloat();
            }
            Tul->LocateProfStation();
        }
        if (ImportMode && recordNo > 1) {
            d->WorkProfTablePipeQ->SetAsFloat(Tul->PipeQ);
            d->WorkProfTablePipeType->SetAsString(Tul->PipeType);
            d->WorkProfTableDownStreamPipeDescription->SetAsString(Tul->DownStreamPipeDescription);
            d->WorkProfTableDiaIn->SetAsFloat(Tul->DiaIn);
            d->WorkProfTablePipeDepth->SetAsFloat(Tul->PipeDepth);
            d->WorkProfTableInvElMethod->SetAsInteger(Tul->InvElMethod);
            Tul->LocateProfStation();
        }
    }
    Tul->NewNode = ImportMode;
    enableFlows(true);
}

// ---- station and elevation --------------------------------------------------

void TProfEntryDlg::NFStationEnter()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active() || prof->IsEmpty())
        return;
    if (pickedAnotherRow())
        Tul->NewNode = false;
    if (!Tul->NewNode) {
        TextFileBtn->setVisible(false);
        EditNodeBtnClick();
    } else {
        TextFileBtn->setVisible(d->WorkProfTableRecordNo->AsInteger() == 1);
        Tul->NewStation = d->WorkProfTableStation->AsFloat();
        if (prof->RecNo() < prof->RecordCount()) {
            db::ControlsOff off(DMod->WorkProfTable);
            prof->CheckBrowseMode();
            prof->Next();
            Tul->InsertPointStation = d->WorkProfTableStation->AsFloat();
            Tul->LocateProfStation();
        }
    }
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    editUnlessEditing(prof);
}

void TProfEntryDlg::NFStationExit()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (!prof->Active() || prof->IsEmpty())
        return;
    db::ControlsOff off(DMod->WorkProfTable);
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    Tul->NewRecordNo = d->WorkProfTableRecordNo->AsInteger();
    if (!PostTypedStation())
        return;
    Tul->NumNodes = prof->RecordCount();
    const double station = d->WorkProfTableStation->AsFloat();
    if (Tul->NewNode) {
        const int recordNo = d->WorkProfTableRecordNo->AsInteger();
        if (recordNo == 1) {
            d->WorkProfTablePipeLength->SetAsFloat(0.0);
        } else {
            const bool second = recordNo == 2;
            const int method = second ? d->DefLocTableInvElMethod->AsInteger() : Tul->InvElMethod;
            d->WorkProfTableInvElMethod->SetAsInteger(method);
            // The text with it: the list shows the text, the pipe pick and the
            // runs go by the code.
            const QString text = InvElMethodText(second && method != 0 && method != 1 ? 2 : method);
            if (!text.isEmpty())
                d->WorkProfTableInvElMethDesc->SetAsString(text);
            d->WorkProfTablePipeDepth->SetAsFloat(second ? d->DefLocTableDepthOfCover->AsFloat() : Tul->PipeDepth);
            d->WorkProfTablePipeQ->SetAsFloat(Tul->PipeQ);
            d->WorkProfTablePipeLength->SetAsFloat(station - Tul->Station);
        }
        const int type = d->WorkProfTableNodeType->AsInteger();
        if (Tul->EndNodeChosen && type != 5 && type != 6 && type != 7) {
            d->WorkProfTableDiaIn->SetAsFloat(Tul->DiaIn);
            d->WorkProfTableWallThick->SetAsFloat(Tul->WallThick);
        }
    }
    if (RowEditMode && !IsEndNodeType(d->WorkProfTableNodeType->AsInteger()) && prof->RecNo() < prof->RecordCount()) {
        prof->Post();
        prof->Next();
        prof->Edit();
        d->WorkProfTablePipeLength->SetAsFloat(d->WorkProfTableStation->AsFloat() - station);
        prof->Post();
        Tul->LocateProfStation();
    }
}

void TProfEntryDlg::NFElevEnter()
{
    takeUpPickedRow();
    refindCurrent();
}

void TProfEntryDlg::NFElevExit()
{
    RefuseEmptyGround(*this, NFElev, TextFileBtn);
    refindCurrent();
}

// ---- node type and flows ----------------------------------------------------

void TProfEntryDlg::NodeComboBoxEnter()
{
    TDMod* d = DMod;
    takeUpPickedRow();
    if (d->WorkProfTableRecordNo->AsInteger() == 1 && d->WorkProfTableStation->IsNull()) {
        editUnlessEditing(d->WorkProfTable);
        d->WorkProfTableStation->SetAsFloat(0.0);
        Tul->NewStation = 0.0;
    }
}

void TProfEntryDlg::NodeComboBoxExit()
{
    TDMod* d = DMod;
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    Tul->ApplyNodeTypeChoice();
    Tul->BuildStationList();
    Tul->LocateProfStation();
    Tul->NewRecordNo = d->WorkProfTableRecordNo->AsInteger();
    if (NodeComboBox->currentText().startsWith(QLatin1String("End of line"))) {
        db::Table* pipe = d->WorkPipeTable;
        openIfClosed(pipe);
        editUnlessEditing(pipe);
        d->WorkPipeTableNoEnd->SetAsBoolean(false);
        pipe->Post();
        pipe->Edit();
    }
    if (Tul->NodeChoice == 1 && Tul->SysTypeCode != 1) {
        enableFlows(true);
        focusUnlessButton(NFIn);
    } else {
        enableFlows(false);
        focusUnlessButton(InvComboBox);
    }
    Tul->LocateProfStation();
}

void TProfEntryDlg::FlowEnter()
{
    takeUpPickedRow();
    refindCurrent();
}

void TProfEntryDlg::FlowExit()
{
    TDMod* d = DMod;
    if (const QString refused = OutflowAboveFlowReachingText(); !refused.isEmpty()) throw ui::InputError(refused);
    RefuseFlowBelowZero(d->WorkPipeTableDesignFlow->AsFloat());
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    postIfEditing(d->WorkProfTable);
    Tul->RefreshManifoldSupply();
    Tul->LocateProfStation();
}

// ---- invert method ----------------------------------------------------------

void TProfEntryDlg::openMethodDialog()
{
    const QString text = InvComboBox->currentText();
    if (text == kInvertText)
        ShowOwned(InvertIndlg, this);
    else if (text == kDepthText)
        ShowOwned(DepthInDlg, this);
}

void TProfEntryDlg::InvComboBoxEnter()
{
    takeUpPickedRow();
    refindCurrent();
    openMethodDialog();
}

void TProfEntryDlg::InvComboBoxChange()
{
    refindCurrent();
    openMethodDialog();
}

void TProfEntryDlg::InvComboBoxExit()
{
    TDMod* d = DMod;
    refindCurrent();
    double W, D;
    InvertPipeOf(W, D);
    const double ground = d->WorkProfTableGroundElev->AsFloat();
    // What is worked out needs a ground and the value given: without them
    // the row keeps none rather than one worked from 0.
    const bool noGround = d->WorkProfTableGroundElev->IsNull();
    const QString text = InvComboBox->currentText();
    if (text == kDepthText) {
        d->WorkProfTableInvElMethod->SetAsInteger(0);
        if (noGround || d->WorkProfTablePipeDepth->IsNull()) {
            d->WorkProfTableInvertElev->Clear();
        } else {
            d->WorkProfTableInvertElev->SetAsFloat(InvertFromCover(ground, d->WorkProfTablePipeDepth->AsFloat(), W, D));
        }
    } else if (text == kInvertText) {
        d->WorkProfTableInvElMethod->SetAsInteger(1);
        if (!noGround && !d->WorkProfTableInvertElev->IsNull()) {
            const double depth = (ground - d->WorkProfTableInvertElev->AsFloat() - D / 12 - W / 12) * 12;
            d->WorkProfTablePipeDepth->SetAsString(FixedText(depth, 6, 1));
        }
    } else {
        d->WorkProfTableInvElMethod->SetAsInteger(2);
        d->WorkProfTableInvertElev->SetValue(d->WorkProfTableGroundElev->Value());
        d->WorkProfTablePipeDepth->SetAsFloat(0.0);
    }
    Tul->LocateProfStation();
    focusUnlessButton(SFPipe);
}

void TProfEntryDlg::InvComboBoxKey()
{
    if (IsEndNodeType(Tul->NodeChoice)) {
        SetFocus(OKBtn);   // leaves the list first, on its own row
        DMod->WorkProfTable->First();
    } else {
        SetFocus(SFPipe);
    }
}

// ---- reach pipe -------------------------------------------------------------

void TProfEntryDlg::SFPipeEnter()
{
    TDMod* d = DMod;
    takeUpPickedRow();
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    ui::CursorScope wait;
    if (ImportMode && !Tul->NewNode)
        Tul->NewNode = true;
    ShowOwned(ProfInDlg, this);
    if (ImportMode)
        Tul->NewNode = false;
    Tul->LocateProfStation();
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
}

void TProfEntryDlg::SFPipeExit()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    // A button pressed meanwhile acts on this row: nothing moves under it.
    if (!navigating_ && qobject_cast<QAbstractButton*>(FocusTarget())) {
        refindCurrent();
        return;
    }
    if (IsEndNodeType(Tul->NodeChoice)) {
        prof->First();
        SetFocus(OKBtn);
        return;
    }
    if (ImportMode) {
        // The entrance too: its reach's pipe is the one the next row carries
        // on, friction factors, wall and rating included.
        Tul->LoadCurrentProfRow();
        // The walk goes on only while there is a next row: the last one
        // must not be filled over with its own pipe as if it were new.
        if (Tul->LocateProfRecordNo(d->WorkProfTableRecordNo->AsInteger() + 1)) {
            // The walk carries the pipe on, not the node kind: an imported
            // end node stays the end of the line.
            const int type = d->WorkProfTableNodeType->AsInteger();
            const QString desc = d->WorkProfTableNodeTypeDesc->AsString();
            const QString reach = d->WorkProfTableReachType->AsString();
            refindCurrent();
            Tul->FillNewProfRow();
            d->WorkProfTableNodeType->SetAsInteger(type);
            d->WorkProfTableNodeTypeDesc->SetAsString(desc);
            d->WorkProfTableReachType->SetAsString(reach);
            SetFocus(NFStation);
            return;
        }
    }
    refindCurrent();
    SetFocus(Tul->NewJob ? AddNodeBtn : EditNodeBtn);
}

// ---- text file, grid and navigator ------------------------------------------

void TProfEntryDlg::TextFileBtnClick()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    RowEditMode = true;
    ImportMode = true;
    ShowOwned(ProfFromTxtDlg, this);
    openIfClosed(prof);
    Tul->NumNodes = prof->RecordCount();
    db::Table* pipe = d->WorkPipeTable;
    openIfClosed(pipe);
    editUnlessEditing(pipe);
    d->WorkPipeTableNumNodes->SetAsInteger(Tul->NumNodes);
    pipe->Post();
    {
        db::ControlsOff off(DMod->WorkProfTable);
        Tul->BuildStationList();
        prof->First();
    }
    EditNodeBtnClick();
}

void TProfEntryDlg::DBGrid1Enter()
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->Active())
        prof->First();
}

void TProfEntryDlg::GroupBox1Click()
{
    DBGrid1Enter();
}

void TProfEntryDlg::RefreshProfile()
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->Active())
        prof->Refresh();
}
