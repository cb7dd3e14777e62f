#include "dialogs/editors/pipe_data_editor.h"

#include "dialogs/designer_window.h"
#include "dialogs/editors/pipe_filter_dialogs.h"
#include "dialogs/editors/pipe_weight_calculator.h"
#include "dialogs/editors/reference_editing.h"
#include "dialogs/dialog_helpers.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/reference_use.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/menus.h"
#include "platform/ui/statusbar.h"
#include "reports/marked_pipes_report.h"
#include "reports/pipe_list_report.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The edit button's lights: green while editing, red while read-only.
QIcon light(const QColor& colour)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::black);
    p.drawEllipse(2, 2, 12, 12);
    return QIcon(pm);
}

bool browsing(db::Table* t)
{
    return t->State() == db::DataSetState::Browse;
}

bool editing(db::Table* t)
{
    return t->Active() && (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert);
}

// A pipe row refused before it is stored, with the control to correct it in.
class RowRefused : public db::DbError {
public:
    RowRefused(const QString& why, QWidget* where) : db::DbError(why), control(where) {}
    QPointer<QWidget> control;
};

bool materialExists(const QString& material)
{
    db::Table t(db::kMersolAlias, DMod->TypeTable->TableName());
    t.Open();
    return t.Locate(QStringLiteral("PipeType"), material);
}

} // namespace

TPipeDataForm::TPipeDataForm(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("PipeDataForm"));
    SetCaption(QStringLiteral("Review or Edit Pipe Data"));
    SetPosition(ui::Position::OwnerCenter);
    SetHelpContext(89);
    resize(760, 600);
    TDMod* d = DMod;
    db::DataSource* src = d->PipeData;

    auto* v = new QVBoxLayout(this);
    MainMenu1 = ui::Make<QMenuBar>(this, "MainMenu1");
    v->setMenuBar(MainMenu1);
    QMenu* file = ui::AddMenu(MainMenu1, QStringLiteral("&File"));
    PrintPipeList1 = ui::AddItem(file, "PrintPipeList1", QStringLiteral("&Print Pipe List"), this,
                                 [this] { PrintPipeList1Click(); });
    PrintMarked1 = ui::AddItem(file, "PrintMarked1", QStringLiteral("Print &Marked"), this,
                               [this] { PrintMarked1Click(); });
    Close1 = ui::AddItem(file, "Close1", QStringLiteral("&Close"), this, [this] { Close(); });
    QMenu* marks = ui::AddMenu(MainMenu1, QStringLiteral("&Marks"));
    MarkAll1 = ui::AddItem(marks, "MarkAll1", QStringLiteral("&Mark All"), this, [this] { MarkAll1Click(); });
    ClearAllMarked1 = ui::AddItem(marks, "ClearAllMarked1", QStringLiteral("&Clear All Marked"), this,
                                  [this] { ClearAllMarked1Click(); });
    ShowOnlyMarked1 = ui::AddItem(marks, "ShowOnlyMarked1", QStringLiteral("&Show Only Marked"), this,
                                  [this] { ShowOnlyMarked1Click(); });
    ShowOnlyMarked1->setCheckable(true);
    QMenu* showBy = ui::AddMenu(MainMenu1, QStringLiteral("&Show By"));
    PipeMaterial = ui::AddItem(showBy, "PipeMaterial", QStringLiteral("Pipe Material"), this,
                               [this] { PipeMaterialClick(); });
    NominalDiameterRange = ui::AddItem(showBy, "NominalDiameterRange", QStringLiteral("Nominal Diameter Range"), this,
                                       [this] { NominalDiameterRangeClick(); });
    ShowAll1 = ui::AddItem(showBy, "ShowAll1", QStringLiteral("&Show All"), this, [this] { ShowAll1Click(); });
    QMenu* sort = ui::AddMenu(MainMenu1, QStringLiteral("S&ort"));
    Sortbymaterialtype1 = ui::AddItem(sort, "Sortbymaterialtype1", QStringLiteral("Sort by &Material type"), this,
                                      [this] { Sortbymaterialtype1Click(); });
    Sortbydiametermaterial1 = ui::AddItem(sort, "Sortbydiametermaterial1",
                                          QStringLiteral("Sort by &Diameter/material"), this,
                                          [this] { Sortbydiametermaterial1Click(); });
    QMenu* help = ui::AddMenu(MainMenu1, QStringLiteral("&Help"));
    Contents1 = ui::AddItem(help, "Contents1", QStringLiteral("&Contents"), this, [] { ui::HelpContents(); });
    SearchforHelpon1 = ui::AddItem(help, "SearchforHelpon1", QStringLiteral("&Search for Help on..."), this,
                                   [] { ui::HelpSearch(QString()); });
    About1 = ui::AddItem(help, "About1", QStringLiteral("&About..."), this, [this] { About1Click(); });

    auto* top = new QHBoxLayout;
    HandleEditBtn = ui::Make<QPushButton>(this, "HandleEditBtn", QStringLiteral("Goto &Edit"));
    InsertBtn = ui::Make<QPushButton>(this, "InsertBtn", QStringLiteral("&Insert Record"));
    CancelBtn = ui::Make<QPushButton>(this, "CancelBtn", QStringLiteral("C&ancel"));
    DeleteBtn = ui::Make<QPushButton>(this, "DeleteBtn", QStringLiteral("&Delete Record"));
    CloseButton = ui::Make<QPushButton>(this, "CloseButton", QStringLiteral("&Close"));
    HelpBitBtn = ui::Make<QPushButton>(this, "HelpBitBtn", QStringLiteral("He&lp"));
    for (QPushButton* b : {HandleEditBtn, InsertBtn, CancelBtn, DeleteBtn, CloseButton, HelpBitBtn})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);
    for (QPushButton* b : {InsertBtn, CancelBtn, DeleteBtn})
        b->setEnabled(false);
    HandleEditBtn->setIcon(light(Qt::red));

    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    DBNavigator1 = new ui::DBNavigator(src, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    left->addWidget(DBNavigator1);
    DBGrid1 = ui::Make<QTableView>(this, "DBGrid1");
    DBGrid1->setMinimumWidth(280);
    new ui::DBGrid(DBGrid1, src,
                   {{QStringLiteral("Pipe Description"), QStringLiteral("Pipe Description"), 260, {}, true}});
    left->addWidget(DBGrid1, 1);
    body->addLayout(left, 1);

    auto* g = new QGridLayout;
    int row = 0;
    PipeDescriptionEdit = ui::Make<QLineEdit>(this, "PipeDescriptionEdit");
    new ui::DBEdit(PipeDescriptionEdit, src, QStringLiteral("Pipe Description"));
    g->addWidget(new QLabel(QStringLiteral("Pipe Description"), this), row, 0);
    g->addWidget(PipeDescriptionEdit, row++, 1, 1, 2);
    DBLookupComboBox1 = ui::Make<QComboBox>(this, "DBLookupComboBox1");
    DBLookupComboBox1->setMaxVisibleItems(10);
    DBLookupComboBox1->setMinimumWidth(180);
    new ui::DBLookupComboBox(DBLookupComboBox1, d->TypeData, QStringLiteral("PipeType"), QStringLiteral("PipeType"),
                             src, QStringLiteral("Pipe Type"));
    HlpPipeType = ui::Make<QToolButton>(this, "HlpPipeType");
    HlpPipeType->setText(QStringLiteral("?"));
    g->addWidget(new QLabel(QStringLiteral("Pipe Type"), this), row, 0);
    g->addWidget(DBLookupComboBox1, row, 1);
    g->addWidget(HlpPipeType, row++, 2);
    auto number = [&](const char* name, const QString& label, const char* field, const char* mask) {
        return AddNumericField(this, g, row++, 0, name, label, src, QString::fromLatin1(field),
                               QString::fromLatin1(mask), 0.0);
    };
    OvcDbSimpleFieldND = number("OvcDbSimpleFieldND", QStringLiteral("Nominal Diameter (in)"), "NomDiam", "###.##");
    PressRtngNF = number("PressRtngNF", QStringLiteral("Pressure Rating (psi)"), "Press Rtng (psi)", "#####");
    WallThickNF = number("WallThickNF", QStringLiteral("Wall Thickness (in)"), "Wall Thick (in)", "##.####");
    IDNF = number("IDNF", QStringLiteral("Inside Diameter (in)"), "ID (in)", "###.####");
    NfacNF = number("NfacNF",
                    QStringLiteral("Manning n factor for Spiral corrugated steel only.       (Varies by diameter)"),
                    "Nfac", "#.###");
    RatingNF = number("RatingNF", QStringLiteral("Rating (SDR, Sch, ga)"), "Rating", "###.#");
    CommentMemo = ui::Make<QPlainTextEdit>(this, "CommentMemo");
    CommentMemo->setMaximumHeight(70);
    new ui::DBMemo(CommentMemo, src, QStringLiteral("Comment"), 120);
    g->addWidget(new QLabel(QStringLiteral("Notes"), this), row, 0);
    g->addWidget(CommentMemo, row++, 1, 1, 2);
    WtPerFtNF = number("WtPerFtNF", QStringLiteral("Weight Per Foot (lb)"), "WtPerFt", "###.####");
    CalcSpeedBtn = ui::Make<QPushButton>(this, "CalcSpeedBtn", QStringLiteral("Pipe weight calculator"));
    g->addWidget(CalcSpeedBtn, row - 1, 2);
    ModulusNF = number("ModulusNF", QStringLiteral("Modulus (E)"), "Modulus", "########");
    MarkedText = ui::Make<QLabel>(this, "MarkedText");
    new ui::DBText(MarkedText, src, QStringLiteral("Marked"),
                   [](db::Field& f) { return f.AsBoolean() ? QStringLiteral("True") : QStringLiteral("False"); });
    MarkSpeedButton1 = ui::Make<QPushButton>(this, "MarkSpeedButton1", QStringLiteral("Mark"));
    g->addWidget(new QLabel(QStringLiteral("Marked?"), this), row, 0);
    g->addWidget(MarkedText, row, 1);
    g->addWidget(MarkSpeedButton1, row++, 2);
    g->setRowStretch(row, 1);
    body->addLayout(g, 1);
    v->addLayout(body, 1);

    StatusBar1 = ui::Make<ui::StatusBar>(this, "StatusBar1");
    StatusBar1->SetPanels({0});
    v->addWidget(StatusBar1);

    OnClick(HandleEditBtn, [this] { HandleEditBtnClick(); });
    OnClick(InsertBtn, [this] { InsertBtnClick(); });
    OnClick(CancelBtn, [this] { CancelBtnClick(); });
    OnClick(DeleteBtn, [this] { DeleteBtnClick(); });
    OnClick(CloseButton, [this] { Close(); });
    OnClick(HelpBitBtn, [] { ui::HelpContext(89); });
    OnClick(HlpPipeType, [] { ui::HelpContext(97); });
    OnClick(MarkSpeedButton1, [this] { MarkSpeedButton1Click(); });
    OnClick(CalcSpeedBtn, [this] { CalcSpeedBtnClick(); });
    Handle(DBGrid1, &QTableView::doubleClicked, [this] { DBGrid1DblClick(); });
    OnExit(OvcDbSimpleFieldND, [this] { OvcDbSimpleFieldNDExit(); });
    OnEnter(DBLookupComboBox1, [this] { materialOnEnter_ = DMod->PipeTablePipeType->AsString(); });
    OnExit(DBLookupComboBox1, [this] { DBLookupComboBox1Exit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{IDNF, PressRtngNF, WallThickNF, RatingNF})
        OnExit(w, [this] { PostAndEditExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, PipeDescriptionEdit, DBLookupComboBox1,
                                                      OvcDbSimpleFieldND, PressRtngNF, WallThickNF, IDNF, NfacNF,
                                                      RatingNF, CommentMemo, WtPerFtNF, ModulusNF})
        SetEnterKey(w, ui::EnterKey::NextControl);

    // Read-only until the user asks to edit.
    designCaption_ = Caption();
    src->AutoEdit = false;
}

TPipeDataForm::~TPipeDataForm()
{
    unhook();
    // The data source serves the pipe picker too, which edits nothing
    // through it but expects the usual behaviour.
    if (DMod)
        DMod->PipeData->AutoEdit = true;
}

void TPipeDataForm::hook()
{
    db::Table* t = DMod->PipeTable;
    t->BeforePost = [this](db::Table&) {
        const auto [why, where] = rowProblem();
        if (!why.isEmpty())
            throw RowRefused(why, where);
    };
    t->AfterPost = [this](db::Table&) {
        // Whatever was being inserted is stored now.
        inserting_ = false;
        updateAutoEdit();
    };
    t->AfterDelete = [this](db::Table&) { updateAutoEdit(); };
    t->AfterScroll = [this](db::Table&) { materialOnEnter_ = DMod->PipeTablePipeType->AsString(); };
    hooked_ = true;
}

void TPipeDataForm::unhook()
{
    if (!hooked_ || !DMod)
        return;
    db::Table* t = DMod->PipeTable;
    t->BeforePost = nullptr;
    t->AfterPost = nullptr;
    t->AfterDelete = nullptr;
    t->AfterScroll = nullptr;
    hooked_ = false;
}

std::pair<QString, QWidget*> TPipeDataForm::rowProblem() const
{
    TDMod* d = DMod;
    if (d->PipeTablePipeDescription->AsString().trimmed().isEmpty())
        return {QStringLiteral("Enter the Pipe Description."), PipeDescriptionEdit};
    const QString material = d->PipeTablePipeType->AsString();
    if (material.isEmpty() || !materialExists(material))
        return {QStringLiteral("Choose the Pipe Type: every pipe needs a pipe material."), DBLookupComboBox1};
    if (!(d->PipeTableIDin->AsFloat() > 0))
        return {QStringLiteral("The Inside Diameter (in) must be above 0."), IDNF};
    if (!(d->PipeTableWallThickin->AsFloat() > 0))
        return {QStringLiteral("The Wall Thickness (in) must be above 0: the inside diameter must be less than "
                               "the outside diameter."),
                WallThickNF};
    return {};
}

bool TPipeDataForm::postRow()
{
    try {
        DMod->PipeTable->Post();
    } catch (const RowRefused& r) {
        ui::MessageDlg(r.message(), ui::MsgType::Error, ui::mbOK);
        SetFocus(r.control);
        return false;
    }
    return true;
}

void TPipeDataForm::updateAutoEdit()
{
    db::Table* t = DMod->PipeTable;
    DMod->PipeData->AutoEdit = editMode_ && t->Active() && !t->IsEmpty();
}

void TPipeDataForm::sayIfNothingShown()
{
    db::Table* t = DMod->PipeTable;
    updateAutoEdit();
    if (t->Active() && t->Filtered() && t->IsEmpty())
        ui::MessageDlg(QStringLiteral("No pipe fits this choice: the list is empty. Show All lists every pipe."),
                       ui::MsgType::Information, ui::mbOK);
}

void TPipeDataForm::status(const QString& text)
{
    StatusBar1->SetSimpleText(text);
}

void TPipeDataForm::setFiltered(bool on)
{
    db::Table* t = DMod->PipeTable;
    t->SetFiltered(on);
    // The mode may have changed while filtering was already on.
    if (on && t->Active())
        t->Refresh();
}

void TPipeDataForm::FormShow()
{
    TDMod* d = DMod;
    d->PipeFilterMode = 6;
    d->PipeTable->SetFiltered(false);
    inserting_ = false;
    forcedEdit_ = false;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableSize();
        resize(std::min(width(), avail.width()), std::min(height(), avail.height()));
    }
    savedIndex_ = d->PipeTable->IndexName();
    OpenIfClosed(d->PipeTable);
    d->PipeTable->SetIndexName(QStringLiteral("DiaIndex"));
    d->PipeTable->First();
    OpenUnfiltered(d->TypeTable);
    hook();
    materialOnEnter_ = d->PipeTablePipeType->AsString();
    CalcSpeedBtn->hide();
    status(QStringLiteral("View pipe records"));
}

void TPipeDataForm::HandleEditBtnClick()
{
    db::Table* t = DMod->PipeTable;
    if (forcedEdit_ || !editMode_) {
        inserting_ = false;
        editMode_ = true;
        DMod->PipeData->AutoEdit = true;
        HandleEditBtn->setText(QStringLiteral("Stop Edit"));
        forcedEdit_ = false;
        SetCaption(designCaption_ + QStringLiteral(" [Edit Mode]"));
        HandleEditBtn->setIcon(light(Qt::green));
        CalcSpeedBtn->show();
        status(QStringLiteral("Double click to edit"));
        if (t->Active() && browsing(t) && !t->IsEmpty())
            t->Edit();
    } else {
        // A pipe the editor refuses keeps edit mode, to be corrected.
        if (t->Active() && !browsing(t) && !postRow())
            return;
        inserting_ = false;
        editMode_ = false;
        DMod->PipeData->AutoEdit = false;
        forcedEdit_ = false;
        HandleEditBtn->setText(QStringLiteral("Goto Edit"));
        SetCaption(designCaption_ + QStringLiteral(" [Read Only Mode]"));
        HandleEditBtn->setIcon(light(Qt::red));
        CalcSpeedBtn->hide();
        status(QStringLiteral("View pipe records"));
    }
    for (QPushButton* b : {InsertBtn, CancelBtn, DeleteBtn})
        b->setEnabled(editMode_);
    updateAutoEdit();
}

void TPipeDataForm::DBGrid1DblClick()
{
    db::Table* t = DMod->PipeTable;
    if (t->Active() && browsing(t) && !t->IsEmpty())
        t->Edit();
    status(QStringLiteral("Editing record"));
    forcedEdit_ = true;
    HandleEditBtnClick();
    SetFocus(OvcDbSimpleFieldND);
}

void TPipeDataForm::InsertBtnClick()
{
    db::Table* t = DMod->PipeTable;
    if (!browsing(t)) {
        try {
            if (!postRow())
                return;
        } catch (const db::DbError&) {
            ui::MessageDlg(QStringLiteral("Input problem. Probably this pipe has already been entered."),
                           ui::MsgType::Error, ui::mbOK);
            SetFocus(PipeDescriptionEdit);
            inserting_ = false;
            EditIfBrowsing(t);
            return;
        }
    }
    inserting_ = true;
    status(QStringLiteral("Inserting pipe record"));
    t->Insert();
    SetFocus(DBLookupComboBox1);
}

void TPipeDataForm::CancelBtnClick()
{
    DMod->PipeTable->Cancel();
}

void TPipeDataForm::DeleteBtnClick()
{
    TDMod* d = DMod;
    db::Table* t = d->PipeTable;
    if (t->IsEmpty())
        return;
    const QString description = d->PipeTablePipeDescription->AsString();
    const QStringList jobs = JobsUsingPipe(d->PipeTablePipeType->AsString(), description);
    if (!jobs.isEmpty() &&
        ui::MessageDlg(UsedByJobsText(QStringLiteral("The pipe \"%1\"").arg(description), jobs), ui::MsgType::Warning,
                       ui::mbYesNo) != ui::mrYes)
        return;
    if (ui::MessageBoxYesNo(QStringLiteral("Delete?"), description) == ui::mrYes)
        t->Delete();
}

void TPipeDataForm::MarkSpeedButton1Click()
{
    db::Table* t = DMod->PipeTable;
    if (t->IsEmpty())
        return;
    EditIfBrowsing(t);
    DMod->PipeTableMarked->SetAsBoolean(!DMod->PipeTableMarked->AsBoolean());
    postRow();
}

void TPipeDataForm::MarkAll1Click()
{
    DMod->SetAllPipesMarked(true);
}

void TPipeDataForm::ClearAllMarked1Click()
{
    DMod->SetAllPipesMarked(false);
}

void TPipeDataForm::ShowOnlyMarked1Click()
{
    // The menu item checks itself when clicked.
    DMod->PipeFilterMode = 1;
    setFiltered(ShowOnlyMarked1->isChecked());
    sayIfNothingShown();
}

void TPipeDataForm::PipeMaterialClick()
{
    TDMod* d = DMod;
    const int before = d->PipeFilterMode;
    d->PipeFilterMode = 2;
    OpenIfClosed(d->TypeTable);
    if (PipeMaterial->text() == QLatin1String("Pipe Material")) {
        ShowOwned(FilterMaterialDlg, this);
        if (Tul->Cancelled) {
            // Cancel chooses no material: the list stays as it was.
            d->PipeFilterMode = before;
            return;
        }
        setFiltered(true);
        PipeMaterial->setText(QStringLiteral("Cancel Pipe Material"));
        d->PipeTable->First();
        sayIfNothingShown();
    } else {
        d->PipeFilterMode = 6;
        setFiltered(false);
        PipeMaterial->setText(QStringLiteral("Pipe Material"));
        d->PipeTable->First();
        updateAutoEdit();
    }
}

void TPipeDataForm::NominalDiameterRangeClick()
{
    TDMod* d = DMod;
    const int before = d->PipeFilterMode;
    d->PipeFilterMode = 3;
    ShowOwned(FilterDiameterDlg, this);
    if (Tul->Cancelled) {
        // Cancel sets no range: the list stays as it was rather than
        // following bounds left by some other use.
        d->PipeFilterMode = before;
        return;
    }
    setFiltered(true);
    d->PipeTable->First();
    sayIfNothingShown();
}

void TPipeDataForm::ShowAll1Click()
{
    DMod->PipeFilterMode = 6;
    setFiltered(false);
    DMod->PipeTable->First();
    updateAutoEdit();
}

void TPipeDataForm::Sortbymaterialtype1Click()
{
    DMod->PipeTable->SetIndexName(QStringLiteral("PTypeIndex"));
    DMod->PipeTable->First();
}

void TPipeDataForm::Sortbydiametermaterial1Click()
{
    DMod->PipeTable->SetIndexName(QStringLiteral("DiaIndex"));
    DMod->PipeTable->First();
}

void TPipeDataForm::OvcDbSimpleFieldNDExit()
{
    TDMod* d = DMod;
    db::Table* t = d->PipeTable;
    // Only a row being edited takes a size; browsing writes nothing, and
    // on the way to Cancel the edit is dropped.
    if (!editing(t) || FocusTarget() == CancelBtn)
        return;
    // Truncated, not rounded: the size key the tables were built with.
    d->PipeTablePSize->SetAsInteger(int(std::trunc(d->PipeTableNomDiam->AsFloat() * 100)));
    // A new pipe is stored once it is whole; the fields after this one
    // may still be empty.
    if (t->State() == db::DataSetState::Insert && !rowProblem().first.isEmpty())
        return;
    bool failed = false;
    try {
        if (!postRow())
            return;
    } catch (const db::DbError&) {
        failed = true;
        ui::MessageDlg(QStringLiteral("Input problem. Probably this pipe has already been entered. Try again."),
                       ui::MsgType::Error, ui::mbOK);
        SetFocus(DBLookupComboBox1);
        t->Cancel();
    }
    if (inserting_ && failed)
        t->Insert();
    else if (browsing(t))
        t->Edit();
}

void TPipeDataForm::DBLookupComboBox1Exit()
{
    TDMod* d = DMod;
    if (!editing(d->PipeTable))
        return;
    const QString material = d->PipeTablePipeType->AsString();
    // The material the pipe names, whatever row the list stood on.
    if (material.isEmpty() || !d->TypeTable->Locate(QStringLiteral("PipeType"), material))
        return;
    d->PipeTablePType->SetAsInteger(d->TypeTablePType->AsInteger());
    // A description and a modulus typed for the pipe stay unless its
    // material changed (or a new pipe has no description yet).
    const bool changed = material != materialOnEnter_;
    materialOnEnter_ = material;
    if (!changed && !d->PipeTablePipeDescription->AsString().isEmpty())
        return;
    d->PipeTablePipeDescription->SetAsString(material);
    d->PipeTableModulus->SetAsFloat(d->TypeTableEModulus->AsFloat());
    SetFocus(PipeDescriptionEdit);
}

void TPipeDataForm::PostAndEditExit()
{
    db::Table* t = DMod->PipeTable;
    // On the way to Cancel the edit is dropped, not posted.
    if (t->State() != db::DataSetState::Edit || FocusTarget() == CancelBtn)
        return;
    if (postRow())
        t->Edit();
}

void TPipeDataForm::CalcSpeedBtnClick()
{
    ShowOwned(CalcPipeWtDlg, this);
}

void TPipeDataForm::PrintPipeList1Click()
{
    ui::CursorScope wait;
    PreviewPipeList(this);
}

void TPipeDataForm::PrintMarked1Click()
{
    // The marked pipes whatever the list shows, then the list as it was.
    TDMod* d = DMod;
    db::Table* t = d->PipeTable;
    const int mode = d->PipeFilterMode;
    const bool filtered = t->Filtered();
    d->PipeFilterMode = 1;
    setFiltered(true);
    struct Restore {
        int mode;
        bool filtered;
        ~Restore()
        {
            DMod->PipeFilterMode = mode;
            DMod->PipeTable->SetFiltered(filtered);
            if (DMod->PipeTable->Active())
                DMod->PipeTable->Refresh();
        }
    } restore{mode, filtered};
    PreviewPipeMarked(this);
}

void TPipeDataForm::About1Click()
{
    if (DesignerWindow* designer = RunningDesigner())
        designer->ShowAboutBox(this);
}

void TPipeDataForm::FormClose()
{
    TDMod* d = DMod;
    KeepPendingRow(d->PipeTable, QStringLiteral("pipe"));
    unhook();
    d->PipeTable->SetFiltered(false);
    d->PipeFilterMode = 6;
    d->PipeTable->Close();
    d->PipeTable->SetIndexName(savedIndex_);
    d->TypeTable->Close();
    d->PipeData->AutoEdit = true;
}
