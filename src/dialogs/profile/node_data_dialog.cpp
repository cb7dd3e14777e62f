#include "dialogs/profile/node_data_dialog.h"

#include "dialogs/profile/depth_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/invert_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/system/inline_booster_dialog.h"
#include "engine/hydraulics.h"
#include "dialogs/designer_window.h"
#include "dialogs/system/system_dialog_rules.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "model/job.h"
#include "model/program_kind.h"
#include "model/node_rules.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/statusbar.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kDepthText = QStringLiteral("Give depth to top of pipe (pipe cover)");
const QString kInvertText = QStringLiteral("Enter invert elevation directly");

bool editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

void editRow()
{
    if (DMod->WorkProfTable->State() == db::DataSetState::Browse)
        DMod->WorkProfTable->Edit();
}

void markChanged()
{
    if (Tul->SaveState != 0)
        Tul->SaveState = 1;
}

void showProfileChart()
{
    if (DesignerWindow* designer = RunningDesigner())
        designer->ShowProfileChart();
}

QString stationText(double station)
{
    return Hyd->StationText(station);
}

} // namespace

// ---- construction -----------------------------------------------------------

TBasicNodeDlg::TBasicNodeDlg(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("BasicNodeDlg"));
    SetCaption(QStringLiteral("Edit Node Data"));
    SetPosition(ui::Position::OwnerCenter);
    resize(620, 460);
    TDMod* d = DMod;
    auto* v = new QVBoxLayout(this);

    auto* panel = new QHBoxLayout;
    OKBitBtn1 = ui::Make<QPushButton>(this, "OKBitBtn1", QStringLiteral("OK"));
    CancelBitBtn2 = ui::Make<QPushButton>(this, "CancelBitBtn2", QStringLiteral("Cancel"));
    HelpBitBtn3 = ui::Make<QPushButton>(this, "HelpBitBtn3", QStringLiteral("Help"));
    for (QPushButton* b : {OKBitBtn1, CancelBitBtn2, HelpBitBtn3})
        panel->addWidget(b);
    panel->addStretch(1);
    v->addLayout(panel);

    auto* body = new QHBoxLayout;
    auto* node = new QLabel(QStringLiteral("N\nO\nD\nE"), this);
    QFont big = node->font();
    big.setBold(true);
    node->setFont(big);
    body->addWidget(node);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Station"), this), 0, 0);
    StationNF = ui::Make<QLineEdit>(this, "StationNF");
    g->addWidget(StationNF, 1, 0);
    GndLbl = ui::Make<QLabel>(this, "GndLbl", QStringLiteral("Ground Elev"));
    g->addWidget(GndLbl, 0, 1);
    GrondElDBNF = ui::Make<QLineEdit>(this, "GrondElDBNF");
    g->addWidget(GrondElDBNF, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Node Type Description"), this), 2, 0, 1, 2);
    NodeComboBox = ui::Make<QComboBox>(this, "NodeComboBox");
    NodeComboBox->setEditable(true);
    NodeComboBox->addItems(OfferedNodeTypeTexts());
    g->addWidget(NodeComboBox, 3, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Method of Determining Node Invert Elevation"), this), 4, 0, 1, 2);
    InvMethComboBox = ui::Make<QComboBox>(this, "InvMethComboBox");
    for (int m = 0; m <= 2; ++m)
        InvMethComboBox->addItem(InvElMethodText(m));
    InvMethComboBox->setMaxVisibleItems(3);
    g->addWidget(InvMethComboBox, 5, 0, 1, 2);
    InOutFlowGpBox = ui::Make<QGroupBox>(this, "InOutFlowGpBox", QStringLiteral("Lateral out/in flow (gpm)"));
    auto* io = new QGridLayout(InOutFlowGpBox);
    io->addWidget(new QLabel(QStringLiteral("Out"), InOutFlowGpBox), 0, 0);
    OutflowDBNF = ui::Make<QLineEdit>(InOutFlowGpBox, "OutflowDBNF");
    io->addWidget(OutflowDBNF, 0, 1);
    io->addWidget(new QLabel(QStringLiteral("In"), InOutFlowGpBox), 1, 0);
    InflowDBNF = ui::Make<QLineEdit>(InOutFlowGpBox, "InflowDBNF");
    io->addWidget(InflowDBNF, 1, 1);
    g->addWidget(InOutFlowGpBox, 0, 2, 3, 1);
    auto* kinds = new QVBoxLayout;
    struct Kind { QGroupBox** box; QPushButton** btn; const char* boxName; const char* btnName; const char* caption; };
    const Kind ks[] = {
        {&GatedGpBox, &EditGatedBtn, "GatedGpBox", "EditGatedBtn", "Edit Gated Pipe Data"},
        {&TrickleGpBox, &TrickleEditBtn, "TrickleGpBox", "TrickleEditBtn", "Edit Manifold Data"},
        {&LineBoosterGpBox, &EditBtnLineBooster, "LineBoosterGpBox", "EditBtnLineBooster", "Edit Inline Booster Data"},
    };
    // The gravity designer has no in-line booster pumps: no group for one.
    const bool boosters = !GravityDesignerRunning();
    for (const Kind& k : ks) {
        if (k.box == &LineBoosterGpBox && !boosters)
            continue;
        *k.box = new QGroupBox(QString::fromLatin1(k.caption), this);
        (*k.box)->setObjectName(QString::fromLatin1(k.boxName));
        auto* l = new QHBoxLayout(*k.box);
        *k.btn = new QPushButton(QStringLiteral("Edit"), *k.box);
        (*k.btn)->setObjectName(QString::fromLatin1(k.btnName));
        l->addWidget(*k.btn);
        kinds->addWidget(*k.box);
    }
    kinds->addStretch(1);
    g->addLayout(kinds, 3, 2, 4, 1);
    g->setRowStretch(6, 1);
    body->addLayout(g, 1);
    v->addLayout(body);

    DBGridDisplay = ui::Make<QTableView>(this, "DBGridDisplay");
    v->addWidget(DBGridDisplay, 1);
    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({100, 200});
    v->addWidget(StatusBar1);

    new ui::DBNumericEdit(StationNF, d->WorkProfData, QStringLiteral("Station"),
                          ui::NumericFormat::Picture(QStringLiteral("######"), 0.0));
    new ui::DBNumericEdit(GrondElDBNF, d->WorkProfData, QStringLiteral("GroundElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.##"), 0.0));
    new ui::DBNumericEdit(OutflowDBNF, d->WorkProfData, QStringLiteral("OutQ"),
                          ui::NumericFormat::Picture(QStringLiteral("#####"), 0.0));
    new ui::DBNumericEdit(InflowDBNF, d->WorkProfData, QStringLiteral("InQ"),
                          ui::NumericFormat::Picture(QStringLiteral("#####"), 0.0));
    new ui::DBComboBox(NodeComboBox, d->WorkProfData, QStringLiteral("NodeTypeDesc"));
    new ui::DBComboBox(InvMethComboBox, d->WorkProfData, QStringLiteral("InvElMethDesc"));
    auto* grid = new ui::DBGrid(DBGridDisplay, d->WorkProfData,
                                {{QStringLiteral("RecordNo"), QStringLiteral("No"), 30, {}, true},
                                 {QStringLiteral("Station"), QStringLiteral("Station"), 60, {}, true},
                                 {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 70, {}, true},
                                 {QStringLiteral("PipeDepth"), QStringLiteral("Pipe Depth"), 70, {}, true},
                                 {QStringLiteral("InvertElev"), QStringLiteral("Invert Elev"), 70, {}, true},
                                 {QStringLiteral("DownStreamPipeDescription"),
                                  QStringLiteral("Down Stream Pipe Description"), 220, {}, true}});
    grid->SetReadOnly(true);
    DBGridDisplay->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{StationNF, GrondElDBNF, OutflowDBNF, InflowDBNF})
        SetControlHelpContext(w, 33);

    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); }, ui::mrOk);
    OnClick(CancelBitBtn2, [this] { CancelBitBtn2Click(); }, ui::mrCancel);
    OnClick(HelpBitBtn3, [this] { HelpBitBtn3Click(); });
    SetCancelButton(CancelBitBtn2);
    OnEnter(StationNF, [this] { StationNFEnter(); });
    OnExit(StationNF, [this] { StationNFExit(); });
    OnEnter(GrondElDBNF, [this] { GrondElDBNFEnter(); });
    OnExit(GrondElDBNF, [this] { GrondElDBNFExit(); });
    for (QLineEdit* e : {OutflowDBNF, InflowDBNF}) {
        OnEnter(e, [this] { FlowEnter(); });
        OnExit(e, [this] { FlowExit(); });
    }
    OnEnter(NodeComboBox, [this] { NodeComboBoxEnter(); });
    OnExit(NodeComboBox, [this] { NodeComboBoxExit(); });
    OnEnter(InvMethComboBox, [this] { InvMethComboBoxEnter(); });
    Handle(InvMethComboBox, &QComboBox::activated, [this] { InvMethComboBoxChange(); });
    OnExit(InvMethComboBox, [this] { InvMethComboBoxExit(); });
    OnClick(EditGatedBtn, [this] { EditGatedBtnClick(); });
    OnClick(TrickleEditBtn, [this] { TrickleEditBtnClick(); });
    if (EditBtnLineBooster)
        OnClick(EditBtnLineBooster, [this] { EditBtnLineBoosterClick(); });
    for (QWidget* w : std::initializer_list<QWidget*>{StationNF, GrondElDBNF, NodeComboBox, InvMethComboBox,
                                                       OutflowDBNF, InflowDBNF, DBGridDisplay})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

void TBasicNodeDlg::enableFlows(bool on)
{
    InOutFlowGpBox->setEnabled(on);
    SetCaptionActive(InOutFlowGpBox, on);
}

// ---- show -------------------------------------------------------------------

void TBasicNodeDlg::FormShow()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    Tul->Cancelled = false;
    Tul->NumNodes = prof->RecordCount();
    if (!d->WorkPipeTable->Active())
        d->WorkPipeTable->Open();
    if (!editing(d->WorkPipeTable))
        d->WorkPipeTable->Edit();
    d->WorkPipeTableNumNodes->SetAsInteger(Tul->NumNodes);
    d->WorkPipeTable->Post();

    for (QPushButton* b : {EditGatedBtn, TrickleEditBtn, EditBtnLineBooster})
        if (b)
            b->setEnabled(false);
    for (QGroupBox* g : {GatedGpBox, LineBoosterGpBox, TrickleGpBox})
        if (g)
            SetCaptionActive(g, false);
    editRow();

    if (Tul->NewJob && Tul->NewNode && Tul->NumNodes == 1) {
        StatusBar1->SetPanelText(0, QStringLiteral("New first node"));
        Tul->NewStation = 0;
        if (d->WorkProfTableStation->IsNull())
            d->WorkProfTableStation->SetAsFloat(0);
        d->WorkProfTableNodeType->SetAsInteger(0);
        d->WorkProfTableNodeTypeDesc->SetAsString(NodeTypeText(0));
        Tul->NodeChoice = 0;
        d->WorkProfTableRecordNo->SetAsInteger(1);
        d->WorkProfTablePipeQ->SetAsFloat(d->WorkPipeTableDesignFlow->AsFloat());
        d->WorkProfTableInQ->SetAsFloat(0);
        d->WorkProfTableOutQ->SetAsFloat(0);
        d->WorkProfTablePsiSet->SetAsFloat(0);
        d->WorkProfTableFitting->SetAsString(d->DefLocTableFitting->AsString());
        d->WorkProfTableSoil->SetAsString(d->DefLocTableSoil->AsString());
        d->WorkProfTableThBlkSoil->SetAsFloat(d->DefLocTableThBlkSoil->AsFloat());
        d->WorkProfTableInvElMethDesc->SetAsString(kInvertText);
        d->WorkProfTableInvElMethod->SetAsInteger(1);
        d->WorkProfTablePipeType->SetAsString(d->WorkPipeTablePumpType->AsString() == QLatin1String("AUTOPUMP")
                                                  ? d->DefLocTablePipeTypePressure->AsString()
                                                  : d->DefLocTablePipeTypeOthers->AsString());
        enableFlows(false);
        Tul->DownStreamPipeDescription.clear();
        return;
    }
    if (Tul->NewJob && Tul->NewNode && Tul->NumNodes > 1) {
        StatusBar1->SetPanelText(0, QStringLiteral("Insert node"));
        showProfileChart();
        Tul->LocateProfStation();
        StatusBar1->SetPanelText(1, QStringLiteral("Default station = ") + stationText(Tul->NewStation));
        enableFlows(false);
        GndLbl->setVisible(true);
        GrondElDBNF->setVisible(true);
        Tul->LocateProfStation();
        return;
    }
    if (!Tul->NewNode || Tul->InsertingNode) {
        markChanged();
        StatusBar1->SetPanelText(1, QStringLiteral("Default station = ") + stationText(Tul->NewStation));
        Tul->LocateProfStation();
        if (Tul->InsertingNode) {
            StatusBar1->SetPanelText(0, QStringLiteral("Insert node"));
            Tul->LocateProfStation();
            Tul->ApplyNodeTypeChoice();
            EnableNodeKindGroups();
            Tul->BuildStationList();
            Tul->LocateProfStation();
        } else {
            StatusBar1->SetPanelText(0, QStringLiteral("Edit node"));
            EnableNodeKindGroups(false);
            enableFlows(d->WorkProfTableNodeType->AsInteger() == 1);
        }
        StatusBar1->SetPanelText(1, QStringLiteral("Station = ") + stationText(d->WorkProfTableStation->AsFloat()));
        showProfileChart();
        switch (d->WorkProfTableNodeType->AsInteger()) {
        case 0:
            Tul->SysHas = 0;
            break;
        case 1:
        case 3:
        case 4:
            Tul->SysHas = 0;
            LoadNeighbourNodes();
            break;
        case 2:
            Tul->SysHas = 0;
            if (EditBtnLineBooster) {
                EditBtnLineBooster->setEnabled(true);
                SetCaptionActive(LineBoosterGpBox, true);
            }
            LoadNeighbourNodes();
            break;
        case 5:
            EditGatedBtn->setEnabled(true);
            SetCaptionActive(GatedGpBox, true);
            Tul->SysHas = 1;
            LoadNeighbourNodes();
            break;
        case 6:
            TrickleEditBtn->setEnabled(true);
            SetCaptionActive(TrickleGpBox, true);
            Tul->SysHas = 2;
            LoadNeighbourNodes();
            break;
        default:
            break;
        }
        editRow();
    }
}

// ---- routines ---------------------------------------------------------------

void TBasicNodeDlg::EnableNodeKindGroups(bool workInvert)
{
    TDMod* d = DMod;
    Tul->StoredJob = false;
    Tul->LocateProfStation();
    const int type = d->WorkProfTableNodeType->AsInteger();
    auto groups = [this](bool gated, bool booster, bool manifold) {
        SetCaptionActive(GatedGpBox, gated);
        if (LineBoosterGpBox)
            SetCaptionActive(LineBoosterGpBox, booster);
        SetCaptionActive(TrickleGpBox, manifold);
        // Only the node's own kind is offered for editing.
        EditGatedBtn->setEnabled(gated);
        if (EditBtnLineBooster)
            EditBtnLineBooster->setEnabled(booster);
        TrickleEditBtn->setEnabled(manifold);
    };
    switch (type) {
    case 0: groups(false, false, false); enableFlows(false); Tul->EndNodeChosen = false; break;
    case 1: groups(false, false, false); enableFlows(true); Tul->EndNodeChosen = false; break;
    case 2: groups(false, true, false); enableFlows(false); Tul->EndNodeChosen = false; break;
    case 3: groups(false, false, false); enableFlows(false); Tul->EndNodeChosen = false; break;
    case 4:
        d->WorkProfTableDownStreamPipeDescription->SetAsString(QString());
        groups(false, false, false);
        enableFlows(false);
        Tul->EndNodeChosen = true;
        break;
    case 5: groups(true, false, false); enableFlows(false); Tul->EndNodeChosen = true; break;
    case 6: groups(false, false, true); enableFlows(false); Tul->EndNodeChosen = true; break;
    default: break;
    }
    Tul->LocateProfStation();
    if (workInvert)
        InvertFromDepth();
}

void TBasicNodeDlg::LoadNeighbourNodes()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    prof->CheckBrowseMode();
    prof->Locate(QStringLiteral("Station"), Tul->NewStation);
    StatusBar1->SetPanelText(1, QStringLiteral("Station = ") + stationText(d->WorkProfTableStation->AsFloat()));
    Tul->NumNodes = prof->RecordCount();
    if (prof->RecNo() > 1) {
        prof->Prior();
        Tul->NodeType = d->WorkProfTableNodeType->AsInteger();
        Tul->Station = d->WorkProfTableStation->AsFloat();
        Tul->GroundElev = d->WorkProfTableGroundElev->AsFloat();
        Tul->DiaIn = d->WorkProfTableDiaIn->AsFloat();
        Tul->PipeQ = d->WorkProfTablePipeQ->AsFloat();
        Tul->WallThick = d->WorkProfTableWallThick->AsFloat();
        Tul->PipeDepth = d->WorkProfTablePipeDepth->AsFloat();
        prof->Locate(QStringLiteral("Station"), Tul->NewStation);
    }
    if (prof->RecNo() < prof->RecordCount()) {
        prof->Next();
        Tul->InsertPointStation = d->WorkProfTableStation->AsFloat();
    }
    if (Tul->LocateProfStation())
        d->WorkProfTablePipeLength->SetAsFloat(d->WorkProfTableStation->AsFloat() - Tul->Station);
}

void TBasicNodeDlg::InvertFromDepth()
{
    TDMod* d = DMod;
    if (!Tul->NewNode)
        InvertFollowsMethod();
    // A new node's invert is worked out once its depth is given; until
    // then it has none (0 would read as an invert typed).
    else if (d->WorkProfTableInvElMethod->AsInteger() == 0)
        d->WorkProfTableInvertElev->Clear();
}

// ---- fields -----------------------------------------------------------------

void TBasicNodeDlg::StationNFEnter()
{
    markChanged();
    editRow();
}

void TBasicNodeDlg::StationNFExit()
{
    TDMod* d = DMod;
    db::ControlsOff off(DMod->WorkProfTable);
    // An inserted node stays between the nodes it was inserted between;
    // anywhere else it would land past the end node or share a record number.
    if (Tul->InsertingNode && editing(d->WorkProfTable)) {
        const double typed = d->WorkProfTableStation->AsFloat();
        const auto [low, high] = NeighbourStations();
        if (!(typed > low && typed < high)) {
            d->WorkProfTableStation->SetAsFloat(Tul->NewStation);   // the station it had
            ui::MessageDlg(QStringLiteral("Station ") + stationText(typed) + QStringLiteral(" is not between stations ") +
                               stationText(low) + QStringLiteral(" and ") + stationText(high) +
                               QStringLiteral(".  An inserted node must lie between the nodes around it."),
                           ui::MsgType::Error, ui::mbOK);
            SetFocus(StationNF);
            return;
        }
    }
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    if (!PostTypedStation())   // posted with its new station, found again in its new place
        return;
    Tul->NumNodes = d->WorkProfTable->RecordCount();
    StatusBar1->SetPanelText(1, QStringLiteral("Station = ") + stationText(d->WorkProfTableStation->AsFloat()));
    enableFlows(d->WorkProfTableNodeType->AsInteger() == 1);
    InvertFromDepth();
    if (Tul->EditingNode) {
        const int type = d->WorkProfTableNodeType->AsInteger();
        if (type == 5) {
            db::Table* g = d->WorkGatedTable;
            if (!g->Active())
                g->Open();
            g->Edit();
            d->WorkGatedTableStartSta->SetAsFloat(d->WorkProfTableStation->AsFloat());
            d->WorkGatedTableStartElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
            g->Post();
        } else if (type == 6) {
            db::Table* t = d->WorkTrickleTable;
            if (!t->Active())
                t->Open();
            t->First();
            t->Edit();
            d->WorkTrickleTableStation->SetAsFloat(d->WorkProfTableStation->AsFloat());
            t->Post();
        }
    }
}

void TBasicNodeDlg::GrondElDBNFEnter()
{
    markChanged();
    Tul->LocateProfStation();
}

void TBasicNodeDlg::GrondElDBNFExit()
{
    RefuseEmptyGround(*this, GrondElDBNF);
    Tul->LocateProfStation();
}

void TBasicNodeDlg::FlowEnter()
{
    editRow();
}

void TBasicNodeDlg::FlowExit()
{
    TDMod* d = DMod;
    if (const QString refused = OutflowAboveFlowReachingText(); !refused.isEmpty()) throw ui::InputError(refused);
    RefuseFlowBelowZero(d->WorkPipeTableDesignFlow->AsFloat());
    if (editing(d->WorkProfTable))
        d->WorkProfTable->Post();
    {
        db::ControlsOff off(DMod->WorkProfTable);
        Tul->RefreshManifoldSupply();
    }
    Tul->NewStation = d->WorkProfTableStation->AsFloat();
    Tul->LocateProfStation();
}

void TBasicNodeDlg::NodeComboBoxEnter()
{
    TDMod* d = DMod;
    if (d->WorkProfTableRecordNo->AsInteger() == 1 && d->WorkProfTableStation->IsNull()) {
        d->WorkProfTableStation->SetAsFloat(0);
        Tul->NewStation = 0;
    }
}

void TBasicNodeDlg::NodeComboBoxExit()
{
    TDMod* d = DMod;
    // The kind choice takes a set pressure away from a node made another kind.
    if (Tul->PumpTypeCode == 8) Tul->PumpTypeCode = 0;
    Tul->ApplyNodeTypeChoice();
    Tul->BuildStationList();
    EnableNodeKindGroups();
    if (NodeComboBox->currentText().startsWith(QLatin1String("End of line"))) {
        db::Table* h = d->WorkPipeTable;
        if (!h->Active())
            h->Open();
        if (!editing(h))
            h->Edit();
        d->WorkPipeTableNoEnd->SetAsBoolean(false);
    }
    DBGridDisplay->viewport()->update();
    if (!qobject_cast<QAbstractButton*>(FocusTarget()))
        SetFocus(InvMethComboBox);
}

// ---- invert method ----------------------------------------------------------

void TBasicNodeDlg::openMethodDialog()
{
    const QString text = InvMethComboBox->currentText();
    if (text == kInvertText) {
        ShowOwned(InvertIndlg, this);
    } else if (text == kDepthText) {
        ShowOwned(DepthInDlg, this);
        depthEntered_ = true;
    } else {
        DMod->WorkProfTableInvElMethod->SetAsInteger(1);
    }
}

void TBasicNodeDlg::InvMethComboBoxEnter()
{
    openMethodDialog();
}

void TBasicNodeDlg::InvMethComboBoxChange()
{
    Tul->LocateProfStation();
    openMethodDialog();
    Tul->LocateProfStation();
}

void TBasicNodeDlg::applyMethodText()
{
    TDMod* d = DMod;
    const QString text = InvMethComboBox->currentText();
    if (text == kDepthText) {
        d->WorkProfTableInvElMethod->SetAsInteger(0);
        // A new node starts from the depth of the node before, unless the
        // depth dialog (which offers that same depth) has been answered.
        if (Tul->NewNode && !depthEntered_)
            d->WorkProfTablePipeDepth->SetAsFloat(Tul->InvElMethod == 0 ? Tul->PipeDepth
                                                                         : d->DefLocTableDepthOfCover->AsFloat());
    } else if (text == kInvertText) {
        d->WorkProfTableInvElMethod->SetAsInteger(1);
    } else {
        d->WorkProfTableInvElMethod->SetAsInteger(2);
        d->WorkProfTableInvertElev->SetValue(d->WorkProfTableGroundElev->Value());
        d->WorkProfTablePipeDepth->SetAsFloat(0);
    }
}

void TBasicNodeDlg::InvMethComboBoxExit()
{
    applyMethodText();
    Tul->LocateProfStation();
    if (!qobject_cast<QAbstractButton*>(FocusTarget()))
        SetFocus(OKBitBtn1);
}

// ---- node-kind buttons ------------------------------------------------------

void TBasicNodeDlg::EditGatedBtnClick()
{
    Tul->GatedPipePick = false;
    ShowOwned(GatedPipeDlg, this);
    Tul->LocateProfStation();
}

void TBasicNodeDlg::TrickleEditBtnClick()
{
    ShowOwned(ManifoldEndDlg, this);
    Tul->LocateProfStation();
}

void TBasicNodeDlg::EditBtnLineBoosterClick()
{
    ShowOwned(PumpLineBoosterDlg, this);
    Tul->LocateProfStation();
}

// ---- outcome ----------------------------------------------------------------

void TBasicNodeDlg::OKBitBtn1Click()
{
    // A node is placed by its ground: without one it is not taken.
    if (DMod->WorkProfTableGroundElev->IsNull()) {
        SetModalResult(ui::mrNone);
        ui::MessageDlg(NoGroundText(), ui::MsgType::Error, ui::mbOK);
        SetFocus(GrondElDBNF);
        return;
    }
    Tul->Cancelled = false;
    Close();
}

void TBasicNodeDlg::CancelBitBtn2Click()
{
    Tul->Cancelled = true;
    Close();
}

void TBasicNodeDlg::HelpBitBtn3Click()
{
    ui::HelpContext(41);
}

void TBasicNodeDlg::FormClose()
{
    TDMod* d = DMod;
    db::Table* prof = d->WorkProfTable;
    if (Tul->Cancelled) {
        Tul->WasCancelled = true;
        Tul->NewNode = true;
    } else {
        db::ControlsOff off(DMod->WorkProfTable);
        if (d->PipeTable->Active()) {
            d->PipeTable->SetFiltered(false);
            d->PipeTable->Close();
        }
        Tul->BuildStationList();
        Tul->LocateProfStation();
        if (Tul->NewJob && Tul->NewNode && Tul->NumNodes == 1) {
            d->WorkProfTablePipeLength->SetAsFloat(0);
        } else {
            if (Tul->NewNode)
                Tul->NewStation = d->WorkProfTableStation->AsFloat();
            else
                Tul->NumNodes = prof->RecordCount();
            prof->CheckBrowseMode();
            prof->Locate(QStringLiteral("Station"), Tul->NewStation);
            if (prof->RecNo() > 1) {
                prof->Prior();
                Tul->Station = d->WorkProfTableStation->AsFloat();
                Tul->GroundElev = d->WorkProfTableGroundElev->AsFloat();
            } else {
                // The entrance has no reach arriving: its length is 0.
                Tul->Station = d->WorkProfTableStation->AsFloat();
                Tul->GroundElev = d->WorkProfTableGroundElev->AsFloat();
            }
            Tul->LocateProfStation();
            d->WorkProfTablePipeLength->SetAsFloat(d->WorkProfTableStation->AsFloat() - Tul->Station);
        }
        // The code of the method the list shows (the list may not have been left).
        const int shown = InvElMethodCodeOf(InvMethComboBox->currentText());
        if (shown >= 0 && shown != d->WorkProfTableInvElMethod->AsInteger())
            applyMethodText();
        if (d->WorkProfTableInvElMethod->AsInteger() == 0)
            InvertFollowsMethod();
        const int type = d->WorkProfTableNodeType->AsInteger();
        if (type == 5 || type == 6) {
            db::Table* h = d->WorkPipeTable;
            if (!editing(h))
                h->Edit();
            d->WorkPipeTableOutletElev->SetAsFloat(d->WorkProfTableGroundElev->AsFloat());
            h->Post();
            h->Edit();
        }
        Tul->LocateProfStation();
        Tul->RefreshManifoldSupply();
        Tul->WasCancelled = false;
    }
    Tul->LocateProfStation();
    if (!d->WorkPipeTable->Active())
        d->WorkPipeTable->Open();
    if (!editing(d->WorkPipeTable))
        d->WorkPipeTable->Edit();
}
