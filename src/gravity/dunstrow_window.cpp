#include "gravity/dunstrow_window.h"
#include "model/program_kind.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/system/system_dialog_rules.h"
#include "engine/gravity_run.h"
#include "engine/run_steps.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "model/number_text.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "platform/ui/application.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/menus.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"
#include "reports/job_list_report.h"

#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

TDunstrowForm* DunstrowForm = nullptr;

namespace {

// The most the design flow field takes, in gpm; the cfs field takes no more.
constexpr double kMostGpm = 99999;
constexpr double kGpmPerCfs = 448.83;
// The flow in gpm has its field's limit, and the two show one flow.
double mostCfs() { return std::floor((kMostGpm + 0.5) / kGpmPerCfs * 100) / 100; }

QPixmap titlePicture()
{
    QPixmap pm(640, 420);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, 640, 420, QColor(60, 110, 60));
    p.setPen(QPen(QColor(40, 60, 140), 6));
    p.drawLine(40, 200, 600, 340);   // a pipeline falling away from its water surface
    DrawTitleTexts(p, QStringLiteral("Dunstrow"), QStringLiteral("Gravity Pipeline Design"));
    return pm;
}


// A column of the field, titled as given or by its name.
ui::GridColumn column(const char* field, const char* title = nullptr, int width = 70)
{
    return {QString::fromLatin1(field), QString::fromLatin1(title ? title : field), width, {}, false};
}

// A computed value shown at its own fixed count of decimals.
ui::GridColumn fixedColumn(const char* field, int decimals, const char* title = nullptr, int width = 70)
{
    ui::GridColumn c = column(field, title, width);
    c.format = FixedColumn(decimals);
    return c;
}

// The profile as entered, every field the node and reach dialogs fill.
std::vector<ui::GridColumn> profileGridColumns()
{
    std::vector<ui::GridColumn> c = {
        column("RecordNo", "No", 30),
        {QStringLiteral("Station"), QStringLiteral("Station"), 70, StationColumnText, false},
        column("GroundElev", "Ground Elev"), column("PipeDepth", "Pipe Depth"), column("InvertElev", "Invert Elev"),
        column("DownStreamPipeDescription", "Down Stream Pipe Description", 200),
        column("NodeTypeDesc", "NodeType Desc", 160), column("PipeQ", "Pipe Q"), column("ReachType", "Reach Type"),
        column("NomDia", "Nom Dia"), column("DiaIn", "Inside Dia"), column("PipeLength", "Pipe Length"),
        column("PressurRating", "Pressure Rating"), column("PipeRating", "Pipe Rating"), column("OutQ", "Out Q"),
        column("InQ", "In Q"), column("PsiSet", "Psi Set"), column("InvElMethDesc", "Inv El Meth Desc", 160),
        column("WallThick", "Wall Thick"), column("WtPerFt", "Wt Per Ft"), column("NodeType", "Node Type"),
        column("PipeType", "Pipe Type", 120), column("Cfac", "C fac"), column("Efac", "E fac"), column("Nfac", "N fac"),
        column("Soil", nullptr, 120), column("Fitting", nullptr, 120), column("ThBlkSoil", "Th Blk Soil")};
    for (const char* f : {"Kid1", "Kid2", "Kid3", "K1", "K2", "K3", "KLocate1", "KLocate2", "KLocate3"})
        c.push_back(column(f));
    for (const char* f : {"KDescription1", "KDescription2", "KDescription3"}) c.push_back(column(f, nullptr, 160));
    c.push_back(column("MultiOpenQ", "Multi Open Q"));
    c.push_back(column("MultiOpenSpcng", "Multi Open Spcng"));
    c.push_back(column("InvElMethod", "Inv El Method"));
    return c;
}

// The computed profile: what the run wrote beside what was entered.
std::vector<ui::GridColumn> outputGridColumns()
{
    std::vector<ui::GridColumn> c = {
        {QStringLiteral("Station"), QStringLiteral("+ Station"), 70, StationColumnText, false}};
    for (const char* f : {"GroundElev", "InvertElev"}) c.push_back(fixedColumn(f, 2));
    c.push_back(column("DownStreamPipeDescription", nullptr, 200));
    c.push_back(column("DiaIn"));
    c.push_back(fixedColumn("PipeQ", 1));
    c.push_back(fixedColumn("Vel", 2, nullptr, 60));
    c.push_back(fixedColumn("Psi", 2, "OpPres", 60));
    c.push_back(fixedColumn("StatPres", 2, nullptr, 60));
    for (const char* f : {"PipeDepth", "PipeLength", "OutQ", "InQ", "PsiSet"}) c.push_back(column(f));
    c.push_back(column("InvElMethDesc", nullptr, 160));
    for (const char* f : {"ReachType", "NodeType", "WallThick", "WtPerFt", "Nfac", "Cfac", "Efac"}) c.push_back(column(f));
    for (const char* f : {"Soil", "Fitting"}) c.push_back(column(f, nullptr, 120));
    for (const char* f : {"ThBlkSoil", "ThBlockArea", "PressurRating", "PipeRating", "Kloss", "Floss"})
        c.push_back(column(f));
    c.push_back(column("Warning", nullptr, 240));
    c.push_back(column("Station"));
    for (const char* f : {"Hgl", "Egl", "Sgl"}) c.push_back(fixedColumn(f, 2));
    for (const char* f : {"K1", "K2", "K3", "Kid1", "Kid2", "Kid3", "KLocate1", "KLocate2", "KLocate3"})
        c.push_back(column(f));
    for (const char* f : {"KDescription1", "KDescription2", "KDescription3"}) c.push_back(column(f, nullptr, 160));
    for (const char* f : {"MultiOpenQ", "MultiOpenSpcng", "MultiOpenKm", "NomDia", "InvElMethod"})
        c.push_back(column(f));
    c.push_back(column("PipeType", nullptr, 120));
    c.push_back(column("RecordNo"));
    return c;
}

} // namespace

TDunstrowForm::TDunstrowForm()
{
    SetRunningProgram(Program::Dunstrow);
    QVBoxLayout* lay = buildFrame("DunstrowForm", QStringLiteral("Dunstrow Gravity Pipeline Design (Vession 1.2)"));
    addFileMenu();
    addReportsMenu();
    addHelpMenu();
    addJobButtonBar(lay);

    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    buildJobPage(OvcNotebook1->AddPage(QStringLiteral("&General Job Data")));
    buildProfilePage(OvcNotebook1->AddPage(QStringLiteral("Profile &Edit Data")));
    buildOutputPage(OvcNotebook1->AddPage(QStringLiteral("&Output")));
    lay->addWidget(OvcNotebook1, 1);

    addStatusBar(lay);

    Timer1 = new QTimer(this);   // disabled, as the window has always had it
    Timer1->setObjectName(QStringLiteral("Timer1"));

    OnClick(ExitBtn, [this] { ExitBtnClick(); });
    OnClick(NewJobBtn, [this] { NewJobBtnClick(); });
    OnClick(PrevJobBtn, [this] { PrevJobBtnClick(); });
    OnClick(SaveJobBtn, [this] { SaveJobBtnClick(); });
    OnClick(CancelJobBitBtn, [this] { CancelJobBitBtnClick(); });
    SetCancelButton(CancelJobBitBtn);
    OnClick(OKBitBtn2, [this] { OKBitBtn2Click(); });
    OnClick(BitBtn1, [this] { BitBtn1Click(); });
    connectPageHandlers();
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    connectFields();
    NodeKindDialogOpener = [this](const QString& kind) { OpenNodeKindDialogs(this, kind, false); };
    TSaveForm::StoresCalculatorJobs = false;
}

TDunstrowForm::~TDunstrowForm()
{
    if (DunstrowForm == this) DunstrowForm = nullptr;
    NodeKindDialogOpener = nullptr;
    TSaveForm::StoresCalculatorJobs = true;
    SetRunningProgram(Program::Mersol);
}

void TDunstrowForm::buildJobPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    DunstrowImage = MakeTitlePicture(page, "DunstrowImage", titlePicture());
    grid->addWidget(DunstrowImage, 0, 0);

    ScrollBox1 = ui::Make<QFrame>(page, "ScrollBox1");
    ScrollBox1->setAutoFillBackground(true);
    grid->addWidget(ScrollBox1, 0, 0);
    auto* box = new QGridLayout(ScrollBox1);
    box->setContentsMargins(6, 4, 6, 4);

    auto* ident = new QGridLayout;
    int row = addJobIdentFields(ScrollBox1, ident, true, 0);
    ident->addWidget(new QLabel(QStringLiteral("Job Notes"), ScrollBox1), row++, 0);
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(ScrollBox1, "JobNotesDBMemo");
    ident->addWidget(JobNotesDBMemo, row, 0, 1, 2);
    box->addLayout(ident, 0, 0);

    GroupBox1 = ui::Make<QGroupBox>(ScrollBox1, "GroupBox1", QStringLiteral("Entrance Data"));
    auto* ent = new QGridLayout(GroupBox1);
    FlowDBNF = ui::Make<QLineEdit>(GroupBox1, "FlowDBNF");
    cfsField = ui::Make<QLineEdit>(GroupBox1, "cfsField");
    // Refuses, with a tip, what it cannot take, as the gpm field beside it.
    ui::SetNumericPicture(cfsField, ui::NumericFormat::Picture(QStringLiteral("#######.##"), 0.0, mostCfs()));
    WSDBNF = ui::Make<QLineEdit>(GroupBox1, "WSDBNF");
    ent->addWidget(new QLabel(QStringLiteral("Design Flow Rate"), GroupBox1), 0, 0);
    ent->addWidget(FlowDBNF, 0, 1);
    ent->addWidget(new QLabel(QStringLiteral("gpm"), GroupBox1), 0, 2);
    ent->addWidget(cfsField, 1, 1);
    ent->addWidget(new QLabel(QStringLiteral("cfs"), GroupBox1), 1, 2);
    ent->addWidget(new QLabel(QStringLiteral("Water Surface Elevation"), GroupBox1), 2, 0);
    ent->addWidget(WSDBNF, 2, 1);
    ent->addWidget(new QLabel(QStringLiteral("feet"), GroupBox1), 2, 2);
    ent->addWidget(new QLabel(QStringLiteral("Entrance Notes"), GroupBox1), 3, 0);
    DBMemo1 = ui::Make<QPlainTextEdit>(GroupBox1, "DBMemo1");
    ent->addWidget(DBMemo1, 4, 0, 1, 3);
    DetMLCheckBox = ui::Make<QCheckBox>(GroupBox1, "DetMLCheckBox", QStringLiteral("Detailed Minor Loss Calc's?"));
    DetMLCheckBox->setFocusPolicy(Qt::ClickFocus);
    ui::SetHint(DetMLCheckBox, QStringLiteral("Check here for detailed minor loss calc's"));
    ent->addWidget(DetMLCheckBox, 5, 0, 1, 3);
    // The job notes hand the focus to the check box, and Enter goes on from
    // there into the entrance data.
    QWidget::setTabOrder(JobNotesDBMemo, DetMLCheckBox);
    QWidget::setTabOrder(DetMLCheckBox, FlowDBNF);
    box->addWidget(GroupBox1, 0, 1);

    auto* buttons = new QHBoxLayout;
    OKBitBtn2 = ui::Make<QPushButton>(ScrollBox1, "OKBitBtn2", QStringLiteral("OK"));
    BitBtn1 = ui::Make<QPushButton>(ScrollBox1, "BitBtn1", QStringLiteral("He&lp"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn2);
    buttons->addWidget(BitBtn1);
    box->addLayout(buttons, 1, 0, 1, 2);
    ScrollBox1->hide();
}

void TDunstrowForm::bindData()
{
    if (bound_ || !DMod) return;
    bound_ = true;
    bindPages(profileGridColumns(), outputGridColumns());
    db::DataSource* pipe = DMod->WorkPipeData;
    bindJobIdentFields(pipe);
    new ui::DBNumericEdit(FlowDBNF, pipe, QStringLiteral("DesignFlow"),
                          ui::NumericFormat::Picture(QStringLiteral("#####"), 0, kMostGpm));
    new ui::DBNumericEdit(WSDBNF, pipe, QStringLiteral("WSElev"),
                          ui::NumericFormat::Picture(QStringLiteral("####.#"), -300, 9999));
    new ui::DBMemo(DBMemo1, pipe, QStringLiteral("EntranceNotes"));
}

void TDunstrowForm::connectFields()
{
    OnEnter(JobNameDBEdit, [this] { JobNameDBEditEnter(); });
    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{JobLocationDBSF, JobDesignerDBSF, JobClassDBSF, WSDBNF})
        OnEnter(w, [this] { GuardedFieldEnter(); });
    for (QWidget* w : std::initializer_list<QWidget*>{FlowDBNF, cfsField})
        OnEnter(w, [this] { FlowFieldEnter(); });
    for (QWidget* w : std::initializer_list<QWidget*>{JobNotesDBMemo, DateDBPF, LanduserDBSF, IDDBDF, DBMemo1})
        OnEnter(w, [this] { PlainFieldEnter(); });
    for (QWidget* w :
         std::initializer_list<QWidget*>{JobLocationDBSF, JobDesignerDBSF, JobClassDBSF, LanduserDBSF, IDDBDF, WSDBNF})
        OnExit(w, [this] { PostFieldExit(); });
    OnExit(JobNotesDBMemo, [this] { JobNotesDBMemoExit(); });
    OnExit(DBMemo1, [this] { DBMemo1Exit(); });
    OnExit(DateDBPF, [this] { DateDBPFExit(); });
    keepTypedDate();
    OnExit(DetMLCheckBox, [this] { DetMLCheckBoxExit(); });
    // The box is written at once too: the menu's Save and Exit take no focus
    // from it, and a loaded job with a changed box has something to save.
    OnClick(DetMLCheckBox, [this] {
        markJobChanged();
        DetMLCheckBoxExit();
    });
    OnExit(FlowDBNF, [this] { FlowDBNFExit(); });
    OnExit(cfsField, [this] { cfsFieldExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{JobNameDBEdit, JobLocationDBSF, JobDesignerDBSF, LanduserDBSF,
                                                      IDDBDF, JobClassDBSF, DateDBPF, JobNotesDBMemo, FlowDBNF,
                                                      cfsField, WSDBNF, DBMemo1, DetMLCheckBox})
        SetEnterKey(w, ui::EnterKey::NextControl);
}

// ---- form events ------------------------------------------------------------

void TDunstrowForm::FormActivate()
{
    JobNameEntered = false;
    ui::SetHelpFile(QStringLiteral("Mersol.HLP"));
    DunstrowImage->show();
    ScrollBox1->hide();
    if (DMod && !DMod->DefSysTable->Active()) DMod->DefSysTable->Open();
}

void TDunstrowForm::FormShow()
{
    bindData();
    Tul->Cancelled = false;
    DMod->WorkTablesFree = true;
    Tul->GatedLossPick = false;
    Tul->SaveState = 2;
    // Its lists start with its own jobs, as Previous Job and List of Jobs
    // choose them.
    DMod->JobFilterMode = 4;
    OvcNotebook1->SetPageIndex(0);
    OvcNotebook1->setEnabled(false);
    OpenIfClosed(DMod->DefLocTable);
    enableJobCommands(false);
    ScrollBox1->hide();
    DunstrowImage->show();
    MainStatusBar->SetPanelText(0, QStringLiteral("Please make selection"));
    MainStatusBar->SetPanelText(1, QStringLiteral("Welcome to Dunstrow!"));
}

void TDunstrowForm::FormClose()
{
    if (Tul->SaveState != 2) ShowOwned(SaveForm, this);
    if (DMod->DefLocTable->Active()) DMod->DefLocTable->Close();
    Tul->GatedLossPick = false;
    DeleteSingleObjects();
}

void TDunstrowForm::leaveFieldFor(QPushButton* button)
{
    // From the menu the focus stays in the field being typed: leave it as the
    // button would, so that its value reaches the job before it is saved.
    if (button->isEnabled() && button->isVisible()) SetFocus(button);
}

void TDunstrowForm::ExitBtnClick()
{
    leaveFieldFor(ExitBtn);
    Tul->Cancelled = false;
    Close();
}

void TDunstrowForm::showNoJob()
{
    OvcNotebook1->SetPageIndex(0);
    ScrollBox1->hide();
    if (OvcNotebook1->isEnabled()) OvcNotebook1->setEnabled(false);
    MainStatusBar->SetPanelText(0, QStringLiteral("Please make selection"));
    MainStatusBar->SetPanelText(1, QStringLiteral("Welcome to Dunstrow!"));
    DunstrowImage->show();
    enableJobCommands(false);
}

void TDunstrowForm::CancelJobBitBtnClick()
{
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    showNoJob();
    Tul->JobListCancelled = false;
}

// ---- job commands -------------------------------------------------------------

void TDunstrowForm::NewJobBtnClick()
{
    DMod->WorkTablesFree = false;
    PageShown = 0;
    JobNameEntered = false;
    Tul->JobListCancelled = false;
    Tul->EditingNode = false;
    Tul->ProfEntryCancelled = false;
    if (Tul->SaveState != 2) ShowOwned(SaveForm, this);
    startNewJobRecord();
    cfsField->setText(QString());   // the last job's flow must not come back through it

    db::Table* pipe = DMod->WorkPipeTable;
    emptyHeaderAndProfile();
    for (db::Table* t : {DMod->WorkGatedTable, DMod->WorkTrickleTable}) EmptyWorkTable(t);

    openJobPage(DunstrowImage);

    OpenIfClosed(DMod->DefLocTable);
    Tul->DetailedML = DMod->DefLocTableGravMinorLossDetail->AsBoolean();
    DetMLCheckBox->setChecked(Tul->DetailedML);
    EditIfBrowsing(pipe);
    DMod->WorkPipeTableDetailedML->SetAsBoolean(Tul->DetailedML);
    // This designer computes gravity jobs only and lists only those: whatever
    // system type the local defaults name, its new jobs are gravity jobs.
    SelectGravitySystem();
    finishNewJob();
}

void TDunstrowForm::PrevJobBtnClick()
{
    PageShown = 0;
    JobNameEntered = false;
    Tul->JobListCancelled = false;
    Tul->ProfileEntryActive = false;
    Tul->EditingNode = false;
    // Gravity jobs only, in the list and once picked.
    if (!pickStoredJob(4, 4)) return;
    showLoadedJob();

    SelectGravitySystem();
    Tul->DesignFlow = DMod->WorkPipeTableDesignFlow->AsFloat();
    Tul->DesignFlowCfs = Tul->DesignFlow / kGpmPerCfs;
    cfsField->setText(CfsText(Tul->DesignFlowCfs));
    // The output page checks and computes the job; the grids follow once
    // its rows are written.
    db::Table* prof = DMod->WorkProfTable;
    db::ControlsOff still(prof);
    OvcNotebook1->SetPageIndex(2);
}

void TDunstrowForm::SaveJobBtnClick()
{
    leaveFieldFor(SaveJobBtn);
    OpenIfClosed(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkSuctionTable);
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    ShowOwned(SaveForm, this);
}

// Only the jobs of the list's filter mode.
void TDunstrowForm::MaintainJobDatabase1Click() { removeStoredJobs(true); }

void TDunstrowForm::ListofJobs1Click()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    OpenIfClosed(DMod->JobPipeTable);
    DMod->JobFilterMode = 4;
    PreviewJobListReport(this);
    DMod->JobPipeTable->Close();
}

void TDunstrowForm::BitBtn1Click() { ui::HelpContext(15448); }

void TDunstrowForm::SelectGravitySystem()
{
    db::Table* pipe = DMod->WorkPipeTable;
    OpenIfClosed(pipe);
    EditIfBrowsing(pipe);
    DMod->WorkPipeTableSysType->SetAsString(QStringLiteral("GRAVITY"));
    Tul->SysTypeCode = 0;
    MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + DMod->WorkPipeTableJobName->AsString());
    if (DunstrowImage->isVisible()) DunstrowImage->hide();
    OvcNotebook1->setEnabled(true);
    if (ScrollBox1->isHidden()) ScrollBox1->show();
}

void TDunstrowForm::TakeImportedJob()
{
    SelectGravitySystem();
    MainStatusBar->SetPanelText(0, QStringLiteral("Edit job data"));
    OvcNotebook1->SetPageIndex(0);
    JobImported = true;
    // The job page's unbound fields show the imported entrance too.
    Tul->DesignFlowCfs = Tul->DesignFlow / kGpmPerCfs;
    cfsField->setText(CfsText(Tul->DesignFlowCfs));
    DetMLCheckBox->setChecked(Tul->DetailedML);
    // The imported job is worked on at once, as a loaded one is.
    enableJobCommands(true);
}

void TDunstrowForm::OKBitBtn2Click()
{
    if (!Tul->NewJob) {
        OvcNotebook1->SetPageIndex(1);
        return;
    }
    // A cancelled entry may have left the header closed.
    OpenIfClosed(DMod->WorkPipeTable);
    if (DMod->WorkPipeTableJobName->IsNull()) {
        OvcNotebook1->SetPageIndex(0);
        ui::MessageDlg(QStringLiteral("Please enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);
        PageShown = 0;
        return;
    }
    OpenIfClosed(DMod->WorkProfTable);
    openProfileEntry();
}

void TDunstrowForm::jobPageEntered()
{
    db::Table* pipe = DMod->WorkPipeTable;
    if (DunstrowImage->isVisible()) DunstrowImage->hide();
    ScrollBox1->show();
    // Without a job (Cancel Job turning back to this page) there is no header
    // to mark as a gravity job.
    OpenIfClosed(pipe);
    const bool jobOpen = !pipe->IsEmpty() || pipe->State() == db::DataSetState::Insert;
    if (jobOpen) SelectGravitySystem();
    if (PageShown != 0) {
        if (!Tul->ProfEntryCancelled) EditJobHeader();
    } else if (Tul->SaveState != 2 && !DMod->WorkPipeTableJobName->AsString().isEmpty()) {
        // A job without a name yet (New Job clearing the page) has nothing to save.
        ShowOwned(SaveForm, this);
    }
    // A new job shows no flow until one is given; a flow shows as the job has
    // it, whatever a dialog left in the job object.
    if (!DMod->WorkPipeTableDesignFlow->IsNull() &&
        std::lround(Tul->DesignFlowCfs * kGpmPerCfs) != std::lround(DMod->WorkPipeTableDesignFlow->AsFloat()))
        Tul->DesignFlowCfs = DMod->WorkPipeTableDesignFlow->AsFloat() / kGpmPerCfs;
    cfsField->setText(DMod->WorkPipeTableDesignFlow->IsNull() ? QString() : CfsText(Tul->DesignFlowCfs));
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter/edit job data"));
    PageShown = 0;
}

RunStatus TDunstrowForm::ComputeGravityJob()
{
    OpenIfClosed(DMod->WorkPipeTable);
    if (DMod->WorkPipeTableSysType->AsString() == QLatin1String("GRAVITY"))
        return Grav->RunGravityProfile();
    const QString why = QStringLiteral("Can't compute ....");
    ui::MessageDlg(why, ui::MsgType::Error, ui::mbOK);
    return NotComputedStatus(why);
}

ProfileChartRules TDunstrowForm::outChartRules() const
{
    return ProfileChartRules();
}

void TDunstrowForm::ShowDesignFlowCfs(double cfs) { cfsField->setText(CfsText(cfs)); }

void TDunstrowForm::OvcNotebook1Click()
{
    OpenIfClosed(DMod->WorkPipeTable);
    if (OvcNotebook1->PageIndex() != 0 && DMod->WorkPipeTableJobName->IsNull()) {
        OvcNotebook1->SetPageIndex(0);
        ui::MessageDlg(QStringLiteral("Please enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);   // where the message sends the user
        PageShown = 0;
        return;
    }
    if (OvcNotebook1->PageIndex() == 0) SetFocus(OKBitBtn2);
}

// ---- job page fields ----------------------------------------------------------

void TDunstrowForm::GuardedFieldEnter()
{
    if (!jobNameMissing()) markJobChanged();
}

void TDunstrowForm::FlowFieldEnter()
{
    GuardedFieldEnter();
    Tul->DesignFlow = DMod->WorkPipeTableDesignFlow->AsFloat();
}

void TDunstrowForm::PlainFieldEnter() { markJobChanged(); }

void TDunstrowForm::PostFieldExit() { PostIfEditing(DMod->WorkPipeTable); }

void TDunstrowForm::JobNotesDBMemoExit()
{
    PostIfEditing(DMod->WorkPipeTable);
    SetFocus(DetMLCheckBox);
}

void TDunstrowForm::DBMemo1Exit()
{
    PostIfEditing(DMod->WorkPipeTable);
    SetFocus(OKBitBtn2);
}

void TDunstrowForm::DateDBPFExit() { postDate(); }

void TDunstrowForm::DetMLCheckBoxExit() { writeDetailedML(); }

void TDunstrowForm::FlowDBNFExit()
{
    RefuseFlowBelowZero(DMod->WorkPipeTableDesignFlow->AsFloat());
    db::Table* pipe = DMod->WorkPipeTable;
    PostIfEditing(pipe);
    Tul->DesignFlow = DMod->WorkPipeTableDesignFlow->AsFloat();
    Tul->DesignFlowCfs = Tul->DesignFlow / kGpmPerCfs;
    carryDesignFlow();
}

void TDunstrowForm::cfsFieldExit()
{
    db::Table* pipe = DMod->WorkPipeTable;
    // Passed through untouched, the rounded cfs must not round the flow in gpm.
    if (!cfsField->isModified()) return;
    const double cfs = cfsField->text().trimmed().toDouble();
    const double most = mostCfs();
    if (cfs > most)
        throw ui::InputError(QStringLiteral("The design flow can be at most %1 cfs (%2 gpm).")
                                 .arg(CfsText(most), QString::number(kMostGpm)));
    RefuseFlowBelowZero(cfs * kGpmPerCfs);
    Tul->DesignFlowCfs = cfs;
    Tul->DesignFlow = Tul->DesignFlowCfs * kGpmPerCfs;
    EditIfBrowsing(pipe);
    // Stored rounded to whole gpm.
    DMod->WorkPipeTableDesignFlow->SetAsString(FixedText(Tul->DesignFlow, 8, 0));
    PostIfEditing(pipe);
    carryDesignFlow();
    cfsField->setModified(false);
}

void TDunstrowForm::carryDesignFlow()
{
    db::Table* pipe = DMod->WorkPipeTable;
    const double typed = DMod->WorkPipeTableDesignFlow->AsFloat();
    pipe->Edit();
    Tul->AdjustSupplyFlowToManifold();
    const double flow = DMod->WorkPipeTableDesignFlow->AsFloat();
    if (flow != typed) {   // the manifold's flow took its place
        Tul->DesignFlow = flow;
        Tul->DesignFlowCfs = flow / kGpmPerCfs;
    }
    cfsField->setText(CfsText(Tul->DesignFlowCfs));
}
