#include "dialogs/line_ends/manifold_pages.h"

#include "dialogs/dialog_helpers.h"
#include "dialogs/line_ends/quick_manifold_entry_dialog.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/node_rules.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/form.h"
#include "platform/ui/notebook.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

QString ManifoldRatingKind(const QString& material, bool* byWallThick)
{
    static const std::pair<const char*, const char*> kinds[] = {
        {"SDR", "Standard Dimension Ratio (SDR)"},
        {"Sch", "Schdule (Sch)"},
        {"FtHd", "Feet of Head (FtHd)"},
        {"ga", "Gauge (ga)"},
        {"Ga", "Gauge (Ga)"},
    };
    if (byWallThick)
        *byWallThick = false;
    for (const auto& [key, text] : kinds)
        if (material.contains(QLatin1String(key), Qt::CaseSensitive))
            return QString::fromLatin1(text);
    if (byWallThick)
        *byWallThick = true;
    return QStringLiteral("Wall Thickness (WallTh)");
}

namespace {

db::Table* Pipe()
{
    return DMod->WorkPipeTable;
}
db::Table* Nodes()
{
    return DMod->WorkTrickleTable;
}

bool Editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

QLineEdit* Field(QWidget* parent, const char* name, db::DataSource* src, const char* field, ui::NumericFormat f)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    new ui::DBNumericEdit(e, src, QString::fromLatin1(field), f);
    return e;
}

ui::NumericFormat ZeroEmpty(ui::NumericFormat f)
{
    f.zeroShowsEmpty = true;
    return f;
}

QToolButton* HelpButton(QWidget* parent, const char* name)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    return b;
}

} // namespace

ManifoldNodeFormats NodeFormats(bool endDialog)
{
    using ui::NumericFormat;
    if (endDialog)
        return {ZeroEmpty(NumericFormat::Picture(QStringLiteral("######"), 0, 999999)),
                ZeroEmpty(NumericFormat::Picture(QStringLiteral("####.#"), -200, 9999)),
                ZeroEmpty(NumericFormat::Picture(QStringLiteral("######"), 0, 999999))};
    return {NumericFormat::Picture(QStringLiteral("######"), 0, 99999),
            ZeroEmpty(NumericFormat::Picture(QStringLiteral("#####.#"), -200, 9999)),
            ZeroEmpty(NumericFormat::Picture(QStringLiteral("#####"), 1, 99999))};
}

ManifoldPages::ManifoldPages(ui::Form* form, ui::Notebook* notebook, bool endDialog)
    : QObject(form), form_(form), notebook_(notebook), end_(endDialog)
{
    TDMod* d = DMod;
    using ui::NumericFormat;
    // The node buttons put the row into edit state: typing alone never does.
    d->WorkTrickleData->AutoEdit = false;

    // ---- "Select P&ipe" ----
    QWidget* p0 = notebook->AddPage(QStringLiteral("Select P&ipe"));
    auto* l0 = new QVBoxLayout(p0);
    auto* top = new QFormLayout;
    TypeDBLookupComboBox = ui::Make<QComboBox>(p0, "TypeDBLookupComboBox");
    TypeDBLookupComboBox->setMinimumWidth(200);
    new ui::DBLookupComboBox(TypeDBLookupComboBox, d->TypeData, QStringLiteral("PipeType"),
                             QStringLiteral("PipeType"), d->WorkPipeData, QStringLiteral("TriclPType"));
    top->addRow(QStringLiteral("Select Pipe Type"), TypeDBLookupComboBox);
    OvcDbNumericField1 = Field(p0, "OvcDbNumericField1", d->WorkPipeData, "TriclPipeRating",
                               NumericFormat::Picture(QStringLiteral("##.#####"), 0));
    top->addRow(QStringLiteral("Enter Pipe Rating (See list of available ratings below) "), OvcDbNumericField1);
    RatingLbl = ui::Make<QLabel>(p0, "RatingLbl");
    top->addRow(QString(), RatingLbl);
    l0->addLayout(top);
    l0->addWidget(new QLabel(QStringLiteral("List of Available Ratings Within Nominal Size Range"), p0));
    PipeRtngDBGrid = ui::Make<QTableView>(p0, "PipeRtngDBGrid");
    PipeRtngDBGrid->setToolTip(QStringLiteral("Select Rating by Double Click"));
    new ui::DBGrid(PipeRtngDBGrid, d->PipeData,
                   {{QStringLiteral("NomDiam"), QStringLiteral("NomDiam"), 70, {}, true},
                    {QStringLiteral("Rating"), QStringLiteral("Rating"), 70, {}, true},
                    {QStringLiteral("Wall Thick (in)"), QStringLiteral("Wall Thick (in)"), 90, {}, true},
                    {QStringLiteral("Press Rtng (psi)"), QStringLiteral("Press Rtng (psi)"), 90, {}, true}});
    l0->addWidget(PipeRtngDBGrid, 1);
    auto* limits = new QGridLayout;
    MinPresDBNF = Field(p0, "MinPresDBNF", d->WorkPipeData, "TriclLPsi", NumericFormat::Picture(QStringLiteral("###"), 0));
    MaxVelDBNF = Field(p0, "MaxVelDBNF", d->WorkPipeData, "TriclMVel",
                       NumericFormat::Picture(end_ ? QStringLiteral("####") : QStringLiteral("##"), 0));
    MaxFricDBNF = Field(p0, "MaxFricDBNF", d->WorkPipeData, "TriclMFric",
                        NumericFormat::Picture(QStringLiteral("##.#"), 0));
    SmallestDBNF = Field(p0, "SmallestDBNF", d->WorkPipeData, "TriclLowSz",
                         NumericFormat::Picture(QStringLiteral("##.##"), 0));
    LargestDBNF = Field(p0, "LargestDBNF", d->WorkPipeData, "TriclHiSz",
                        NumericFormat::Picture(QStringLiteral("##.##"), 0));
    const std::tuple<const char*, QLineEdit*, const char*> rows[] = {
        {"Set Minimum Required Pressure, All Outlets", MinPresDBNF, "psi"},
        {"Set Maximum Velocity, All Segments", MaxVelDBNF, "feet/second"},
        {"Set Maximum Friction Loss Per Segment", MaxFricDBNF, "feet"},
        {"Set Nominal Pipe Size Selection Range For List", SmallestDBNF, "in"},
        {"", LargestDBNF, "in"},
    };
    int r = 0;
    for (const auto& [caption, field, unit] : rows) {
        limits->addWidget(new QLabel(QString::fromLatin1(caption), p0), r, 0);
        limits->addWidget(field, r, 1);
        limits->addWidget(new QLabel(QString::fromLatin1(unit), p0), r++, 2);
    }
    l0->addLayout(limits);
    auto* foot0 = new QHBoxLayout;
    HlpPipeType = HelpButton(p0, "HlpPipeType");
    OKBitBtn2 = ui::Make<QPushButton>(p0, "OKBitBtn2", QStringLiteral("OK"));
    foot0->addWidget(HlpPipeType);
    foot0->addStretch(1);
    foot0->addWidget(OKBitBtn2);
    l0->addLayout(foot0);

    // ---- "Profile &Data Input" ----
    QWidget* p1 = notebook->AddPage(QStringLiteral("Profile &Data Input"));
    auto* l1 = new QVBoxLayout(p1);
    auto* buttons = new QHBoxLayout;
    EditNodeBtn = ui::Make<QPushButton>(p1, "EditNodeBtn", QStringLiteral("Edit Node"));
    AddNodeBtn = ui::Make<QPushButton>(p1, "AddNodeBtn", QStringLiteral("Add Node"));
    InsertNodeSpdBtn = ui::Make<QPushButton>(p1, "InsertNodeSpdBtn", QStringLiteral("Insert Node"));
    DeleteNodeBtn = ui::Make<QPushButton>(p1, "DeleteNodeBtn", QStringLiteral("Delete Node"));
    OptionalButton = ui::Make<QPushButton>(p1, "OptionalButton", QStringLiteral("Optional Node Entry"));
    for (QPushButton* b : {EditNodeBtn, AddNodeBtn, InsertNodeSpdBtn, DeleteNodeBtn, OptionalButton})
        buttons->addWidget(b);
    DBNavigator1 = new ui::DBNavigator(d->WorkTrickleData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, p1);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    buttons->addWidget(DBNavigator1);
    HelpButton1 = HelpButton(p1, "HelpButton1");
    buttons->addWidget(HelpButton1);
    l1->addLayout(buttons);
    l1->addWidget(new QLabel(QStringLiteral("(Maximum 150 nodes)"), p1));
    // The list of nodes; the fields below edit the current one.
    DBCtrlGrid1 = ui::Make<QTableView>(p1, "DBCtrlGrid1");
    auto zeroEmpty = [](int decimals) {
        return [decimals](const QVariant& v) { return v.toDouble() == 0.0 ? QString() : QString::number(v.toDouble(), 'f', decimals); };
    };
    // A manifold may start at station 0, which is a station like any other.
    auto station = [](const QVariant& v) { return v.isNull() ? QString() : QString::number(v.toDouble(), 'f', 0); };
    new ui::DBGrid(DBCtrlGrid1, d->WorkTrickleData,
                   {{QStringLiteral("Station"), QStringLiteral("Station"), 90, station, true},
                    {QStringLiteral("InvertElev"), QStringLiteral("Invert Elevation"), 110, zeroEmpty(1), true},
                    {QStringLiteral("GpmAtOutlet"), QStringLiteral("Outflow at Node (gpm)"), 140, zeroEmpty(0), true}});
    l1->addWidget(DBCtrlGrid1, 1);
    auto* row = new QHBoxLayout;
    const ManifoldNodeFormats formats = NodeFormats(end_);
    StationNF = Field(p1, "StationNF", d->WorkTrickleData, "Station", formats.station);
    InvertNF = Field(p1, "InvertNF", d->WorkTrickleData, "InvertElev", formats.invert);
    OutflowNF = Field(p1, "OutflowNF", d->WorkTrickleData, "GpmAtOutlet", formats.outflow);
    for (auto [caption, field] : {std::pair{"Station", StationNF}, std::pair{"Invert Elevation", InvertNF},
                                  std::pair{"Outflow at Node (gpm)", OutflowNF}}) {
        row->addWidget(new QLabel(QString::fromLatin1(caption), p1));
        row->addWidget(field);
    }
    l1->addLayout(row);
    auto* note = new QLabel(
        QStringLiteral("Note: Use the Edit, Add, Insert, and delete node buttons to enter data or make changes.  "), p1);
    note->setWordWrap(true);
    l1->addWidget(note);

    // ---- handlers ----
    ui::Form* f = form_;
    f->OnEnter(TypeDBLookupComboBox, [this] { TypeDBLookupComboBoxEnter(); });
    f->OnExit(TypeDBLookupComboBox, [this] { TypeDBLookupComboBoxExit(); });
    f->Handle(TypeDBLookupComboBox, &QComboBox::activated, [this] { TypeDBLookupComboBoxClick(); });
    for (QLineEdit* e : {OvcDbNumericField1, MinPresDBNF, MaxVelDBNF, MaxFricDBNF})
        f->OnEnter(e, [this] { PipeFieldEnter(); });
    f->OnExit(OvcDbNumericField1, [this] { RatingFieldExit(); });
    for (QLineEdit* e : {MinPresDBNF, MaxVelDBNF})
        f->OnExit(e, [this] { PipeFieldExit(); });
    f->OnExit(MaxFricDBNF, [this] {
        PipeFieldExit();
        form_->SetFocus(OKBitBtn2);
    });
    if (end_) {
        f->OnEnter(SmallestDBNF, [this] { PipeFieldEnter(); });
        f->OnEnter(LargestDBNF, [this] { PipeFieldEnter(); });
    }
    f->OnExit(SmallestDBNF, [this] { SmallestDBNFExit(); });
    f->OnExit(LargestDBNF, [this] { LargestDBNFExit(); });
    f->OnEnter(PipeRtngDBGrid, [this] { PipeRtngDBGridEnter(); });
    f->OnExit(PipeRtngDBGrid, [this] { PipeRtngDBGridExit(); });
    f->Handle(PipeRtngDBGrid, &QTableView::doubleClicked, [this] { PipeRtngDBGridDblClick(); });
    f->SetEnterKey(PipeRtngDBGrid, ui::EnterKey::NextControl);
    f->SetEnterKey(TypeDBLookupComboBox, ui::EnterKey::NextControl);

    f->OnClick(EditNodeBtn, [this] { EditNodeBtnClick(); });
    f->OnClick(AddNodeBtn, [this] { AddNodeBtnClick(); });
    f->OnClick(InsertNodeSpdBtn, [this] { InsertNodeSpdBtnClick(); });
    f->OnClick(DeleteNodeBtn, [this] { DeleteNodeBtnClick(); });
    f->OnClick(OptionalButton, [this] { OptionalButtonClick(); });
    DBNavigator1->OnClick = [this](ui::NavButton) { form_->Run([this] { DBNavigator1Click(); }); };
    f->OnEnter(StationNF, [this] { StationNFEnter(); });
    f->OnEnter(InvertNF, [this] { InvertNFEnter(); });
    f->OnEnter(OutflowNF, [this] { OutflowNFEnter(); });
    f->SetEnterKey(StationNF, ui::EnterKey::FocusTarget, InvertNF);
}

// The calculator marks its job changed by the edits themselves; the end
// dialog's job is the main window's, marked as its fields are worked.
void ManifoldPages::markChanged()
{
    if (!end_)
        emit JobEdited();
    else if (Tul->SaveState == 2)
        Tul->SaveState = 1;
}

// ---- pipe page ----------------------------------------------------------------------

void ManifoldPages::TypeDBLookupComboBoxEnter()
{
    EditIfBrowsing(Pipe());
    OpenIfClosed(DMod->TypeTable);
}

void ManifoldPages::TypeDBLookupComboBoxClick()
{
    form_->SetFocus(SmallestDBNF);
}

void ManifoldPages::TakeMaterial()
{
    TDMod* d = DMod;
    PostIfEditing(Pipe());
    OpenIfClosed(d->TypeTable);
    const QString s = d->WorkPipeTableTriclPType->AsString();
    if (s.isEmpty())
        d->TypeTable->First();
    else
        d->TypeTable->Locate(QStringLiteral("PipeType"), s);
    Tul->Nfactor = d->TypeTableNfactor->AsFloat();
    Tul->Cfactor = d->TypeTableCfactor->AsFloat();
    Tul->Efactor = d->TypeTableEfactor->AsFloat();
    Tul->MaterialText = ManifoldRatingKind(s, &d->FilterByWallThick);
    RatingLbl->setText(Tul->MaterialText);
    d->PipeFilterMode = 4;
    OpenIfClosed(d->PipeTable);
    d->FilterLow = d->WorkPipeTableTriclLowSz->AsFloat();
    d->FilterHigh = d->WorkPipeTableTriclHiSz->AsFloat();
    if (!d->PipeTable->Filtered())
        d->PipeTable->SetFiltered(true);
    d->PipeTable->Refresh();
}

void ManifoldPages::TakeLocalDefaults()
{
    TDMod* d = DMod;
    OpenIfClosed(d->DefLocTable);
    d->DefLocTable->First();
    d->WorkPipeTableTriclPType->SetAsString(d->DefLocTablePipeType->AsString());
    d->WorkPipeTableTriclLPsi->SetAsFloat(d->DefLocTableMinPressure->AsFloat());
    d->WorkPipeTableTriclMVel->SetAsFloat(d->DefLocTableMaxVelocity->AsFloat());
    d->WorkPipeTableTriclMFric->SetAsFloat(d->DefLocTableMaxFriction->AsFloat());
    d->WorkPipeTableTriclLowSz->SetAsFloat(d->DefLocTableSmallSize->AsFloat());
    d->WorkPipeTableTriclHiSz->SetAsFloat(d->DefLocTableLargeSize->AsFloat());
    TakeMaterial();
}

// Leaving the material the focus goes where the user sends it, by a click
// or by Tab into the rating: what is typed or clicked next lands where it was
// aimed. In the end dialog the size range follows the rating.
void ManifoldPages::TypeDBLookupComboBoxExit()
{
    TakeMaterial();
}

void ManifoldPages::PipeFieldEnter()
{
    EditIfBrowsing(Pipe());
}

void ManifoldPages::PipeFieldExit()
{
    if (Editing(Pipe()))
        Pipe()->Post();
}

void ManifoldPages::RatingFieldExit()
{
    PipeFieldExit();
    // On by Tab or Enter, the rating entered: the size range comes next.
    if (end_ && form_->FocusTarget() == PipeRtngDBGrid && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        form_->SetFocus(SmallestDBNF);
}

void ManifoldPages::SmallestDBNFExit()
{
    DMod->FilterLow = DMod->WorkPipeTableTriclLowSz->AsFloat();
}

void ManifoldPages::LargestDBNFExit()
{
    DMod->FilterHigh = DMod->WorkPipeTableTriclHiSz->AsFloat();
    form_->SetFocus(PipeRtngDBGrid);
}

void ManifoldPages::PipeRtngDBGridEnter()
{
    EditIfBrowsing(Pipe());
    db::Table* p = DMod->PipeTable;
    OpenIfClosed(p);
    if (!p->Filtered())
        p->SetFiltered(true);
    p->Refresh();
}

void ManifoldPages::PipeRtngDBGridExit()
{
    DMod->PipeFilterMode = 6;
}

void ManifoldPages::PipeRtngDBGridDblClick()
{
    TDMod* d = DMod;
    EditIfBrowsing(Pipe());
    d->WorkPipeTableTriclPipeRating->SetAsFloat(d->FilterByWallThick ? d->PipeTableWallThickin->AsFloat()
                                                                     : d->PipeTableRating->AsFloat());
    Pipe()->Post();
    markChanged();
    form_->SetFocus(MinPresDBNF);
}

// ---- node page ----------------------------------------------------------------------

bool ManifoldPages::onFirstNode() const
{
    return DMod->WorkTrickleTableRecNo->AsInteger() == 1;
}

void ManifoldPages::EditNodeBtnClick()
{
    OpenIfClosed(Nodes());
    if (!Nodes()->IsEmpty())
        EditIfBrowsing(Nodes());
    form_->SetFocus(StationNF);
}

// No more nodes than an import of the job takes (and the run).
static bool RoomForAnotherManifoldNode()
{
    OpenIfClosed(Nodes());
    PostIfEditing(Nodes());
    return RoomForAnother(Nodes()->RecordCount(), kMaxManifoldNodes, QStringLiteral("manifold"),
                          QStringLiteral("node"));
}

void ManifoldPages::AddNodeBtnClick()
{
    if (!RoomForAnotherManifoldNode())
        return;
    Nodes()->Append();
    form_->SetFocus(StationNF);
}

void ManifoldPages::InsertNodeSpdBtnClick()
{
    if (!RoomForAnotherManifoldNode())
        return;
    Nodes()->Insert();
    form_->SetFocus(StationNF);
}

void ManifoldPages::DeleteNodeBtnClick()
{
    db::Table* t = Nodes();
    OpenIfClosed(t);
    if (t->IsEmpty())
        return;
    if (onFirstNode()) {
        ui::MessageDlg(QStringLiteral("Can't delete starting station."), ui::MsgType::Error, ui::mbOK);
        return;
    }
    if (t->State() == db::DataSetState::Insert) {
        t->Cancel();
    } else {
        if (Editing(t)) t->Cancel();
        t->Delete();
    }
    // The row after the deleted one is current; past the last row the new last one.
    if (t->Eof() && !t->IsEmpty()) t->Last();
    Tul->TrickleStation = DMod->WorkTrickleTableStation->AsFloat();
    RenumberTrickleNodes();
    Tul->LocateTrickleStation();
    markChanged();
    form_->SetFocus(StationNF);
}

void ManifoldPages::OptionalButtonClick()
{
    ShowOwned(OptinalManifEntryDlg, form_);
    markChanged();
    RenumberTrickleNodes();
    if (end_)
        form_->SetFocus(OutflowNF);
}

void ManifoldPages::DBNavigator1Click()
{
    Nodes()->Refresh();
}

void ManifoldPages::StationNFEnter()
{
    if (end_ && onFirstNode()) {
        ui::MessageDlg(QStringLiteral("You can't edit the starting station/elevation here! Enter at Supply pipe end."),
                       ui::MsgType::Information, ui::mbOK);
        form_->SetFocus(OutflowNF);
        return;
    }
    if (end_ && Editing(Nodes())) markChanged();
}

void ManifoldPages::InvertNFEnter()
{
    if (end_) {
        Tul->TrickleStation = DMod->WorkTrickleTableStation->AsFloat();
        if (onFirstNode()) {
            ui::MessageDlg(
                QStringLiteral("You can't edit the starting station/elevation here! Enter at Supply pipe end."),
                ui::MsgType::Information, ui::mbOK);
            form_->SetFocus(OutflowNF);
            return;
        }
    }
    if (end_ && Editing(Nodes())) markChanged();
}

void ManifoldPages::OutflowNFEnter()
{
    if (end_ && Editing(Nodes())) markChanged();
}

void ManifoldPages::RenumberTrickleNodes()
{
    db::Table* t = Nodes();
    OpenIfClosed(t);
    PostIfEditing(t);
    const int n = t->RecordCount();
    t->First();
    for (int i = 1; i <= n && !t->Eof(); ++i) {
        EditIfBrowsing(t);
        DMod->WorkTrickleTableRecNo->SetAsInteger(i);
        t->Post();
        t->Next();
    }
    t->First();
}
