#include "designer/designer_form.h"

#include "designer/about_box.h"
#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/remove_job_dialog.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/system/inline_booster_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/db/db.h"
#include "platform/ui/application.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/menus.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace {

// A title picture keeps its colours while the notebook is disabled.
class TitlePicture : public QLabel {
public:
    using QLabel::QLabel;
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(rect(), pixmap());
    }
};


} // namespace

QLabel* MakeTitlePicture(QWidget* parent, const char* name, const QPixmap& scene)
{
    QLabel* picture = ui::Make<TitlePicture>(parent, name);
    picture->setPixmap(scene);
    picture->setScaledContents(true);
    picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return picture;
}


void DrawTitleTexts(QPainter& p, const QString& title, const QString& subtitle)
{
    p.setPen(Qt::white);
    p.setFont(ui::ArialFont(40, true));
    p.drawText(QRect(0, 40, 640, 70), Qt::AlignCenter, title);
    p.setFont(ui::ArialFont(16, true));
    p.drawText(QRect(0, 110, 640, 40), Qt::AlignCenter, subtitle);
}


// ---- the frame ----------------------------------------------------------------

TDesignerForm::TDesignerForm() { SetRunningDesigner(this); }

TDesignerForm::~TDesignerForm()
{
    if (RunningDesigner() == this) SetRunningDesigner(nullptr);
    if (DMod && pagesBound_) DMod->RefreshProfileChart = nullptr;
}

QVBoxLayout* TDesignerForm::buildFrame(const char* name, const QString& caption)
{
    setObjectName(QString::fromLatin1(name));
    SetCaption(caption);
    resize(657, 545);
    SetPosition(ui::Position::ScreenCenter);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    MainMenu1 = ui::Make<QMenuBar>(this, "MainMenu1");
    lay->setMenuBar(MainMenu1);
    return lay;
}

void TDesignerForm::addFileMenu()
{
    QMenu* file = ui::AddMenu(MainMenu1, QStringLiteral("&File"), "File1");
    NewJob1 = ui::AddItem(file, "NewJob1", QStringLiteral("&New Job"), this, [this] { NewJob1Click(); });
    RevieworEditJob1 = ui::AddItem(file, "RevieworEditJob1", QStringLiteral("&Review or Edit Job..."), this,
                                   [this] { RevieworEditJob1Click(); });
    SaveJob1 = ui::AddItem(file, "SaveJob1", QStringLiteral("&Save Job"), this, [this] { SaveJob1Click(); });
    ui::AddSeparator(file);
    MaintainJobDatabase1 = ui::AddItem(file, "MaintainJobDatabase1", QStringLiteral("&Delete Job"), this,
                                       [this] { MaintainJobDatabase1Click(); });
    ui::AddSeparator(file);
    Exit1 = ui::AddItem(file, "Exit1", QStringLiteral("E&xit"), this, [this] { Exit1Click(); });
}

QMenu* TDesignerForm::addReportsMenu()
{
    QMenu* reports = ui::AddMenu(MainMenu1, QStringLiteral("&Reports"), "Reports1");
    ListofJobs1 = ui::AddItem(reports, "ListofJobs1", QStringLiteral("&List of Jobs"), this,
                              [this] { ListofJobs1Click(); });
    return reports;
}

void TDesignerForm::addHelpMenu()
{
    QMenu* help = ui::AddMenu(MainMenu1, QStringLiteral("&Help"), "Help1");
    Contents1 = ui::AddItem(help, "Contents1", QStringLiteral("&Contents"), this, [this] { Contents1Click(); });
    SearchforHelpon1 = ui::AddItem(help, "SearchforHelpon1", QStringLiteral("&Search for Help on..."), this,
                                   [this] { SearchforHelpon1Click(); });
    LearningtouseMersolandDunstrow1 =
        ui::AddItem(help, "LearningtouseMersolandDunstrow1", QStringLiteral("Learning to use Mersol and Dunstrow"),
                    this, [this] { LearningtouseMersolandDunstrow1Click(); });
    ui::AddSeparator(help);
    About1 = ui::AddItem(help, "About1", QStringLiteral("&About"), this, [this] { About1Click(); });
}

void TDesignerForm::addJobButtonBar(QVBoxLayout* frame)
{
    auto* panel = ui::Make<QFrame>(this, "Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(4, 4, 4, 4);
    struct B { QPushButton** out; const char* name; const char* caption; const char* hint; };
    const B buttons[] = {
        {&ExitBtn, "ExitBtn", "E&xit", "Exit from program"},
        {&NewJobBtn, "NewJobBtn", "&New Job", "Start a new pipeline job"},
        {&PrevJobBtn, "PrevJobBtn", "&Previous Job", "Get a previous job"},
        {&SaveJobBtn, "SaveJobBtn", "&Save Job", "Save this job"},
        {&CancelJobBitBtn, "CancelJobBitBtn", "Cancel Job", nullptr},
    };
    for (const B& b : buttons) {
        *b.out = ui::Make<QPushButton>(panel, b.name, QString::fromLatin1(b.caption));
        if (b.hint) ui::SetHint(*b.out, QString::fromLatin1(b.hint));
        h->addWidget(*b.out);
    }
    h->addStretch(1);
    Panel1 = panel;
    frame->addWidget(Panel1);
}


void TDesignerForm::addStatusBar(QVBoxLayout* frame)
{
    MainStatusBar = ui::Make<ui::StatusBar>(this, "MainStatusBar");
    MainStatusBar->SetPanels({150, 150});
    frame->addWidget(MainStatusBar);
}

int TDesignerForm::addJobIdentFields(QWidget* parent, QGridLayout* grid, bool withDate, int maxWidth)
{
    struct F { QLineEdit** out; const char* name; const char* label; int length; };
    const F fields[] = {
        {&JobNameDBEdit, "JobNameDBEdit", "Job Name", 50},  {&JobLocationDBSF, "JobLocationDBSF", "Job Location", 40},
        {&JobDesignerDBSF, "JobDesignerDBSF", "Job Designer", 35}, {&LanduserDBSF, "LanduserDBSF", "Land User", 24},
        {&IDDBDF, "IDDBDF", "ID", 12},                      {&JobClassDBSF, "JobClassDBSF", "Job  Class", 10},
        {&DateDBPF, "DateDBPF", "Date", 12},
    };
    int row = 0;
    for (const F& f : fields) {
        if (f.out == &DateDBPF && !withDate) break;
        grid->addWidget(new QLabel(QString::fromLatin1(f.label), parent), row, 0);
        *f.out = ui::Make<QLineEdit>(parent, f.name);
        (*f.out)->setMaxLength(f.length);
        if (maxWidth > 0) (*f.out)->setMaximumWidth(maxWidth);
        grid->addWidget(*f.out, row, 1);
        if (row == 0) {
            // The name spans its row; the note sits under it.
            grid->addWidget(new QLabel(QStringLiteral("(Required, must be unique)"), parent), ++row, 1);
        }
        ++row;
    }
    return row;
}

void TDesignerForm::bindJobIdentFields(db::DataSource* pipe)
{
    new ui::DBEdit(JobNameDBEdit, pipe, QStringLiteral("JobName"));
    new ui::DBEdit(JobLocationDBSF, pipe, QStringLiteral("Location"));
    new ui::DBEdit(JobDesignerDBSF, pipe, QStringLiteral("Designer"));
    new ui::DBEdit(LanduserDBSF, pipe, QStringLiteral("Landuser"));
    new ui::DBEdit(IDDBDF, pipe, QStringLiteral("ID"));
    new ui::DBEdit(JobClassDBSF, pipe, QStringLiteral("JobClass"));
    new ui::DBDateEdit(DateDBPF, pipe, QStringLiteral("Date"));
    new ui::DBMemo(JobNotesDBMemo, pipe, QStringLiteral("JobNotes"));
}

void TDesignerForm::keepTypedDate()
{
    connect(DateDBPF, &QLineEdit::textEdited, this, [](const QString& text) {
        if (Tul && QDate::fromString(text, QStringLiteral("MM/dd/yyyy")).isValid()) Tul->Date = text;
    });
}

// ---- handlers both windows share ------------------------------------------------

bool TDesignerForm::EscapeAllowed() { return CancelJobByKeyAllowed(); }

void TDesignerForm::About1Click() { ShowAboutBox(this); }
void TDesignerForm::ShowAboutBox(QWidget* owner) { ShowOwned(AboutBox, owner); }

// The pages open only on a job.
bool TDesignerForm::JobShown() const { return OvcNotebook1 && OvcNotebook1->isEnabled(); }
void TDesignerForm::Contents1Click() { ui::HelpContents(); }
void TDesignerForm::SearchforHelpon1Click() { ui::HelpSearch(QString()); }
void TDesignerForm::LearningtouseMersolandDunstrow1Click() { ui::HelpContext(160); }

void TDesignerForm::markJobChanged()
{
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    // A cancelled dialog may have left the header closed.
    OpenIfClosed(DMod->WorkPipeTable);
    EditIfBrowsing(DMod->WorkPipeTable);
}

bool TDesignerForm::jobNameMissing()
{
    if (!Tul->JobName.isEmpty()) return false;
    ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
    SetFocus(JobNameDBEdit);
    return true;
}

void TDesignerForm::JobNameDBEditEnter()
{
    markJobChanged();
    JobNameEntered = true;
}

void TDesignerForm::JobNameDBEditExit()
{
    JobNameFieldExit(this, JobNameEntered, JobNameDBEdit, JobLocationDBSF, MainStatusBar);
}

void TDesignerForm::writeDetailedML()
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    EditIfBrowsing(pipe);
    Tul->DetailedML = DetMLCheckBox->isChecked();
    DMod->WorkPipeTableDetailedML->SetAsBoolean(Tul->DetailedML);
    pipe->Post();
    pipe->Edit();
}

void TDesignerForm::postDate()
{
    OpenIfClosed(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkPipeTable);
    Tul->Date = DMod->WorkPipeTableDate->AsString();
}

void TDesignerForm::enableJobCommands(bool enabled)
{
    CancelJobBitBtn->setEnabled(enabled);
    SaveJobBtn->setEnabled(enabled);
    SaveJob1->setEnabled(enabled);
}

// ---- the steps of the job commands ---------------------------------------------------

void TDesignerForm::startNewJobRecord()
{
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter job data"));
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    Tul->NewJob = true;
    Tul->StoredJob = false;
    Tul->PrevJobLoaded = false;
    Tul->SaveState = 0;
    Tul->CheckRatings = true;
    Tul->Date = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
}

void TDesignerForm::emptyHeaderAndProfile()
{
    db::Table* pipe = DMod->WorkPipeTable;
    for (db::Table* t : {DMod->WorkProfTable, pipe}) {
        EmptyWorkTable(t);
        OpenIfClosed(t);
    }
    EditIfBrowsing(pipe);   // the emptied header starts its one row
    DMod->WorkPipeTableDate->SetAsString(Tul->Date);
}

void TDesignerForm::openJobPage(QLabel* picture)
{
    enableJobCommands(true);
    picture->hide();
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(1);
    OvcNotebook1->SetPageIndex(0);
    ScrollBox1->show();
}

void TDesignerForm::finishNewJob()
{
    db::Table* pipe = DMod->WorkPipeTable;
    PostIfEditing(pipe);
    pipe->Edit();
    OvcNotebook1->SetPageIndex(0);
    SetFocus(JobNameDBEdit);
}

bool TDesignerForm::pickStoredJob(int listFilter, int loadFilter)
{
    const ui::Cursor savedCursor = ui::ScreenCursor();
    JobImported = false;
    ReportEmptyJobStore(PrevJobBtn);
    if (Tul->SaveState != 2) ShowOwned(SaveForm, this);
    CancelJobBitBtnClick();
    Tul->NewJob = false;
    Tul->StoredJob = true;
    Tul->PrevJobLoaded = true;
    Tul->SaveState = 2;
    Tul->CheckRatings = true;
    DMod->JobFilterMode = listFilter;
    ShowOwned(JobListForm, this);
    if (Tul->JobListCancelled) {
        CancelJobBitBtnClick();
        return false;
    }
    if (JobImported) return false;   // the import filled the tables and the window itself

    DMod->JobFilterMode = loadFilter;
    // Empties the working tables and loads the header and the rows the job has.
    if (!LoadPickedJob(savedCursor)) {
        // The job left the store meanwhile (already reported).
        CancelJobBitBtnClick();
        return false;
    }
    return true;
}

void TDesignerForm::removeStoredJobs(bool listFiltered)
{
    struct Unfilter {
        // The stored job table must not stay filtered: the name check and
        // the save look jobs up in it and would miss the hidden ones.
        ~Unfilter()
        {
            if (DMod->JobPipeTable->Filtered()) DMod->JobPipeTable->SetFiltered(false);
        }
    } unfilter;
    RemoveJobsDlg = new TRemoveJobsDlg(this);
    RemoveJobsDlg->ListFiltered = listFiltered;
    struct Reset {
        ~Reset()
        {
            delete RemoveJobsDlg;
            RemoveJobsDlg = nullptr;
        }
    } reset;
    RemoveJobsDlg->ShowModal();
    if (RemoveJobsDlg->OpenJobRemoved) CancelJobBitBtnClick();
}

void TDesignerForm::showLoadedJob()
{
    Tul->DetailedML = DMod->WorkPipeTableDetailedML->AsBoolean();
    DetMLCheckBox->setChecked(Tul->DetailedML);
    enableJobCommands(true);
    Tul->SaveState = 2;
    MainStatusBar->SetPanelText(0, QStringLiteral("Data Output"));
}

// ---- shared steps of the job commands and dialogs ---------------------------------

bool CancelJobByKeyAllowed()
{
    if (Tul->SaveState == 2) return true;   // nothing to save
    return ui::MessageDlg(QStringLiteral("Cancel this job?  The changes not saved will be lost."),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}




void EmptyWorkTable(db::Table* t)
{
    OpenIfClosed(t);
    if (!t->IsEmpty()) {
        t->Close();
        t->EmptyTable();
    }
}


void OpenNodeKindDialogs(QWidget* owner, const QString& kind, bool boosters)
{
    if (kind == QLatin1String("Booster") && boosters) {
        ShowOwned(PumpLineBoosterDlg, owner);
    } else if (kind == QLatin1String("Gated")) {
        // The picker fills the gated pipe, whatever an earlier dialog left as its target.
        Tul->PipePickTarget = 3;
        ShowOwned(GetPipeDlg, owner);
        ShowOwned(GatedPipeDlg, owner);
        Tul->PipePickTarget = 0;
    } else if (kind == QLatin1String("Manifold")) {
        ShowOwned(ManifoldEndDlg, owner);
    }
}


// ---- undo copies of the working tables --------------------------------------------

namespace {

struct UndoPair {
    db::Table* work;
    db::Table* save;
};

std::vector<UndoPair> undoPairs()
{
    return {{DMod->WorkPipeTable, DMod->SavePipeTable},
            {DMod->WorkProfTable, DMod->SaveProfTable},
            {DMod->WorkGatedTable, DMod->SaveGatedTable},
            {DMod->WorkTrickleTable, DMod->SaveTrickleTable}};
}

} // namespace

void BackupWorkTables()
{
    const auto pairs = undoPairs();
    for (const UndoPair& p : pairs) p.save->EmptyTable();
    for (const UndoPair& p : pairs) db::BatchMove(*p.work, *p.save, db::BatchMode::Append);
}

QString WorkTablesDigest()
{
    QString out;
    for (const UndoPair& p : undoPairs()) {
        db::Table* t = p.work;
        const bool wasOpen = t->Active();
        if (!wasOpen) t->Open();
        out += t->TableName() + QLatin1Char('\n');
        for (int row = 0; row < t->DisplayRowCount(); ++row) {
            for (int i = 0; i < t->FieldCount(); ++i) {
                const db::Field* f = t->Fields(i);
                if (f->Calculated()) continue;
                out += t->DisplayValue(row, f).toString() + QLatin1Char('\t');
            }
            out += QLatin1Char('\n');
        }
        if (!wasOpen) t->Close();
    }
    return out;
}

void RestoreWorkTables()
{
    db::Table* const order[] = {DMod->WorkProfTable, DMod->WorkPipeTable, DMod->WorkGatedTable,
                                DMod->WorkTrickleTable};
    for (db::Table* t : order)
        if (t->Active()) t->Close();
    for (db::Table* t : order) t->EmptyTable();
    db::BatchMove(*DMod->SaveProfTable, *DMod->WorkProfTable, db::BatchMode::Append);
    db::BatchMove(*DMod->SavePipeTable, *DMod->WorkPipeTable, db::BatchMode::Append);
    db::BatchMove(*DMod->SaveGatedTable, *DMod->WorkGatedTable, db::BatchMode::Append);
    db::BatchMove(*DMod->SaveTrickleTable, *DMod->WorkTrickleTable, db::BatchMode::Append);
    // The gated and manifold tables stay closed until someone needs them.
    DMod->WorkProfTable->Open();
    DMod->WorkPipeTable->Open();
}
