#include "dialogs/calculators/manifold_calculator.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/job_name_check.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/line_ends/manifold_pages.h"
#include "engine/cost_estimate.h"
#include "engine/manifold_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/report.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"
#include "reports/manifold_detail_report.h"
#include "reports/manifold_graph_report.h"
#include "reports/manifold_pipe_cost_report.h"
#include "reports/report_forms.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kManifoldJob = 4;

QLineEdit* TextField(QWidget* parent, const char* name, const char* field, int maxLength)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    e->setMaxLength(maxLength);
    new ui::DBEdit(e, DMod->WorkPipeData, QString::fromLatin1(field));
    return e;
}

QToolButton* HelpButton(QWidget* parent, const char* name)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    return b;
}


void Error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

} // namespace

TManifoldDlg::TManifoldDlg(QWidget* owner)
    : CalculatorJobForm(owner, {"ManifoldDlg", "Manafold Calculator", 72, {720, 600},
                                {{JobCommand::Close, "&Close"}, JobCommand::Cancel, JobCommand::NewJob,
                                 JobCommand::PreviousJob, JobCommand::SaveJob, {JobCommand::Help, "&Help"}}})
{
    TDMod* d = DMod;

    SetCancelButton(CancelBtn);
    OvcNotebookM = AddNotebook("OvcNotebookM");

    // ---- "&General Job Data" ----
    QWidget* p0 = OvcNotebookM->AddPage(QStringLiteral("&General Job Data"));
    auto* l0 = new QVBoxLayout(p0);
    auto* job = new QFormLayout;
    JobNameDBEdit = TextField(p0, "JobNameDBEdit", "JobName", 50);
    job->addRow(QStringLiteral("Job Name"), JobNameDBEdit);
    job->addRow(QString(), new QLabel(QStringLiteral("(Required, must be unique)"), p0));
    JobLocationDBSF = TextField(p0, "JobLocationDBSF", "Location", 40);
    job->addRow(QStringLiteral("Job Location"), JobLocationDBSF);
    JobDesignerDBSF = TextField(p0, "JobDesignerDBSF", "Designer", 35);
    job->addRow(QStringLiteral("Job Designer"), JobDesignerDBSF);
    OvcDbSimpleField1 = TextField(p0, "OvcDbSimpleField1", "Landuser", 24);
    job->addRow(QStringLiteral("Land User"), OvcDbSimpleField1);
    OvcDbSimpleField2 = TextField(p0, "OvcDbSimpleField2", "ID", 12);
    job->addRow(QStringLiteral("ID"), OvcDbSimpleField2);
    JobClassDBSF = TextField(p0, "JobClassDBSF", "JobClass", 10);
    job->addRow(QStringLiteral("Job Approval Class"), JobClassDBSF);
    DateDBPF = ui::Make<QLineEdit>(p0, "DateDBPF");
    DateDBPF->setFocusPolicy(Qt::ClickFocus);
    new ui::DBDateEdit(DateDBPF, d->WorkPipeData, QStringLiteral("Date"));
    job->addRow(QStringLiteral("Date"), DateDBPF);
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(p0, "JobNotesDBMemo");
    JobNotesDBMemo->setFixedHeight(60);
    new ui::DBMemo(JobNotesDBMemo, d->WorkPipeData, QStringLiteral("JobNotes"));
    job->addRow(QStringLiteral("Job Notes"), JobNotesDBMemo);
    l0->addLayout(job);
    OKBitBtn1 = ui::Make<QPushButton>(p0, "OKBitBtn1", QStringLiteral("OK"));
    l0->addStretch(1);
    l0->addWidget(OKBitBtn1, 0, Qt::AlignRight);

    // ---- the pipe page and the node page ----
    Pages = new ManifoldPages(this, OvcNotebookM, false);
    SpeedButton2 = Pages->HlpPipeType;
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton1 = Pages->HelpButton1;
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    Pages->DBNavigator1->setObjectName(QStringLiteral("DBNavigator2"));
    QWidget* p2 = OvcNotebookM->Page(2);
    OKBitBtn3 = ui::Make<QPushButton>(p2, "OKBitBtn3", QStringLiteral("OK"));
    static_cast<QVBoxLayout*>(p2->layout())->addWidget(OKBitBtn3, 0, Qt::AlignRight);

    // ---- "&Output" ----
    QWidget* p3 = OvcNotebookM->AddPage(QStringLiteral("&Output"));
    auto* l3 = new QVBoxLayout(p3);
    NotComputedLbl = AddNotComputedLabel(p3, l3);
    DBGrid2 = ui::Make<QTableView>(p3, "DBGrid2");
    std::vector<ui::GridColumn> columns;
    for (const char* f : {"Station", "InvertElev", "GpmAtOutlet", "PipeQ", "Psi", "Vel", "DownStreamPipeDescription",
                          "PipeLength", "PressurRating", "DiaIn", "Warning", "WtPerFt", "Nfac", "Cfac", "Efac", "Kloss",
                          "Floss", "Hgl", "Egl", "Sgl", "CostFt", "RchCost"}) {
        QString title = QString::fromLatin1(f);
        if (title == QLatin1String("GpmAtOutlet")) title = QStringLiteral("OutletQ");
        if (title == QLatin1String("PressurRating")) title = QStringLiteral("PresRating");
        columns.push_back({QString::fromLatin1(f), title, 80, {}, true});
    }
    new ui::DBGrid(DBGrid2, d->WorkTrickleData, columns);
    l3->addWidget(DBGrid2, 1);
    DBChart2 = ui::Make<chart::ChartWidget>(p3, "DBChart2");
    DBChart2->setMinimumHeight(200);
    chart::Chart& c = DBChart2->chart();
    c.Title.Text = QStringLiteral("Profile");
    c.BottomAxis.Title.Text = QStringLiteral("Station");
    c.LeftAxis.Title.Text = QStringLiteral("Elevation");
    // The colours of the manifold graph report, which draws the same lines.
    InvertSeries = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("Pipe Invert"));
    InvertSeries->Color = QColor(0x00, 0x00, 0xFF);
    InvertSeries->SetDataSource(d->WorkTrickleTable, QStringLiteral("Station"), QStringLiteral("InvertElev"));
    HglSeries = c.AddSeries(chart::SeriesKind::Line, QStringLiteral("HGL"));
    HglSeries->Color = QColor(0xFF, 0x00, 0x00);
    HglSeries->SetDataSource(d->WorkTrickleTable, QStringLiteral("Station"), QStringLiteral("Hgl"));
    EntranceSeries = c.AddSeries(chart::SeriesKind::Point, QStringLiteral("Entrance EGL"));
    EntranceSeries->Color = QColor(0xFF, 0xFF, 0x00);
    l3->addWidget(DBChart2, 1);
    auto* foot = new QHBoxLayout;
    QRDetailedSpdBtn = ui::Make<QPushButton>(p3, "QRDetailedSpdBtn", QStringLiteral("Detailed"));
    QRGraphBitBtn = ui::Make<QPushButton>(p3, "QRGraphBitBtn", QStringLiteral("Graph"));
    QRCostSpdBtn = ui::Make<QPushButton>(p3, "QRCostSpdBtn", QStringLiteral("Cost"));
    Help2SpdBtn = HelpButton(p3, "Help2SpdBtn");
    DBNavigator1 = new ui::DBNavigator(d->WorkTrickleData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, p3);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    foot->addWidget(Help2SpdBtn);
    foot->addWidget(DBNavigator1);
    foot->addStretch(1);
    for (QPushButton* b : {QRDetailedSpdBtn, QRGraphBitBtn, QRCostSpdBtn})
        foot->addWidget(b);
    l3->addLayout(foot);

    MainStatusBar = AddStatusBar("MainStatusBar", {160, 0});

    // ---- handlers ----
    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(Pages->OKBitBtn2, [this] { OKBitBtn2Click(); });
    OnClick(OKBitBtn3, [this] { OKBitBtn3Click(); });
    OnHelp(SpeedButton2, 74);
    OnHelp(SpeedButton1, 75);
    OnHelp(Help2SpdBtn, 76);
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
    OnClick(QRCostSpdBtn, [this] { QRCostSpdBtnClick(); });
    Handle(OvcNotebookM, &ui::Notebook::PageChanged, [this] { OvcNotebookMPageChanged(OvcNotebookM->PageIndex()); });
    Handle(OvcNotebookM, &ui::Notebook::Clicked, [this] { OvcNotebookMClick(); });
    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    OnEnter(JobLocationDBSF, [this] { JobLocationDBSFEnter(); });
    OnEnter(JobDesignerDBSF, [this] { JobDesignerDBSFEnter(); });
    OnExit(DateDBPF, [this] { DateDBPFExit(); });
    SetEnterKey(JobNotesDBMemo, ui::EnterKey::NextControl);
    WatchJobEdits(OvcNotebookM, {d->WorkPipeData, d->WorkTrickleData});
    // The node edits of the quick entry and the node buttons.
    connect(Pages, &ManifoldPages::JobEdited, this, [this] { MarkChanged(); });
}

void TManifoldDlg::FormShow()
{
    TDMod* d = DMod;
    Tul->SysTypeCode = kManifoldJob;
    Tul->Cancelled = false;
    Tul->MaterialText.clear();
    OvcNotebookM->setEnabled(false);
    OpenIfClosed(d->WorkTrickleTable);
    OpenEmpty(d->WorkPipeTable);
    d->WorkPipeTable->Edit();
    OpenIfClosed(d->DefLocTable);
    d->PipeFilterMode = 6;
}

void TManifoldDlg::ShowSavePrompt()
{
    ShowOwned(SaveForm, this);
}

void TManifoldDlg::NewJobBtnClick()
{
    TDMod* d = DMod;
    newJob_ = true;
    OfferSave();
    OvcNotebookM->setEnabled(true);
    OvcNotebookM->SetPageIndex(1);
    OvcNotebookM->SetPageIndex(0);
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter job data"));
    StartNewPipeJob();

    db::Table* pipe = d->WorkPipeTable;
    OpenEmpty(pipe);
    pipe->Edit();
    d->WorkPipeTableDate->SetAsString(Tul->Date);
    d->WorkPipeTableSysType->SetAsString(QStringLiteral("MANIFOLD"));
    d->WorkPipeTableSysHas->SetAsInteger(4);
    Tul->SysHas = 4;
    db::Table* nodes = d->WorkTrickleTable;
    OpenEmpty(nodes);
    nodes->Edit();
    d->WorkTrickleTableStation->SetAsFloat(0);
    Pages->TakeLocalDefaults();
    pipe->Post();
    pipe->Edit();
    OvcNotebookM->setEnabled(true);
    SetFocus(JobNameDBEdit);
}

void TManifoldDlg::PrevJobBtnClick()
{
    TDMod* d = DMod;
    newJob_ = false;
    OvcNotebookM->setEnabled(false);
    OfferSave();
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    for (db::Table* t : {d->WorkPipeTable, d->WorkTrickleTable}) {
        if (t->Active()) t->Close();
        t->EmptyTable();
    }
    Tul->NewJob = false;
    Tul->StoredJob = true;
    Tul->SaveState = 2;
    MainStatusBar->SetPanelText(0, QStringLiteral("Edit job data"));
    db::Table* jobs = d->JobPipeTable;
    OpenIfClosed(jobs);
    if (NoPreviousJobs(jobs))
        return;
    d->JobFilterMode = 0;
    jobs->SetFiltered(true);
    Tul->JobListCancelled = false;
    ShowOwned(JobListForm, this);
    d->JobFilterMode = 2;
    if (Tul->JobListCancelled)
        return;
    OpenIfClosed(d->WorkPipeTable);
    // An import from the list has filled the working tables already.
    if (d->WorkPipeTable->IsEmpty()) {
        ui::CursorScope wait(ui::Cursor::HourGlass);
        if (!JobTrans->LoadJobHeader())
            return;
        JobTrans->LoadJobTrickle();
    }
    Tul->SysTypeCode = kManifoldJob;
    Tul->PumpTypeCode = 0;
    OvcNotebookM->setEnabled(true);
    OvcNotebookM->setUpdatesEnabled(false);
    for (int page = 0; page < 3; ++page)
        OvcNotebookM->SetPageIndex(page);
    OvcNotebookM->setUpdatesEnabled(true);
    OvcNotebookM->SetPageIndex(3);
    MainStatusBar->SetPanelText(0, QStringLiteral("Output"));
    MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + d->WorkPipeTableJobName->AsString());
}

void TManifoldDlg::SaveJobBtnClick()
{
    ShowSavePrompt();
    OvcNotebookM->SetPageIndex(0);
}

void TManifoldDlg::FormClose()
{
    TDMod* d = DMod;
    if (Tul->Cancelled) {
        if (d->WorkTrickleTable->Active() && d->WorkTrickleTable->State() != db::DataSetState::Browse)
            d->WorkTrickleTable->Cancel();
    } else {
        if (d->WorkPipeTable->Active() && d->WorkPipeTable->State() == db::DataSetState::Browse)
            d->WorkPipeTable->Close();
        if (d->TempTable->Active()) d->TempTable->Close();
        OfferSave();
    }
    ReleaseJob();
    d->JobFilterMode = 1;
    d->JobPipeTable->SetFiltered(false);
}

void TManifoldDlg::OvcNotebookMPageChanged(int page)
{
    TDMod* d = DMod;
    switch (page) {
    case 0:
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit"));
        SetFocus(JobLocationDBSF);
        OpenIfClosed(d->WorkPipeTable);
        EditIfBrowsing(d->WorkPipeTable);
        break;
    case 1:
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit"));
        Pages->PipeRtngDBGrid->viewport()->update();
        SetFocus(Pages->TypeDBLookupComboBox);
        break;
    case 2: {
        RenumberTrickleNodes();
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit"));
        db::Table* nodes = d->WorkTrickleTable;
        OpenIfClosed(nodes);
        const bool empty = nodes->IsEmpty();
        Pages->EditNodeBtnClick();
        if (empty && nodes->State() == db::DataSetState::Browse) nodes->Append();
        Pages->OptionalButton->setEnabled(nodes->RecordCount() <= 1);
        EditIfBrowsing(nodes);
        if (empty) d->WorkTrickleTableStation->SetAsFloat(0);
        break;
    }
    case 3:
        OpenIfClosed(d->WorkTrickleTable);
        OpenIfClosed(d->WorkPipeTable);
        RenumberTrickleNodes();
        MainStatusBar->SetPanelText(0, QStringLiteral("Output"));
        computeOutput();
        break;
    default:
        break;
    }
}

void TManifoldDlg::computeOutput()
{
    TDMod* d = DMod;
    db::Table* nodes = d->WorkTrickleTable;
    if (nodes->State() != db::DataSetState::Browse) nodes->Post();
    if (d->WorkPipeTable->State() != db::DataSetState::Browse) d->WorkPipeTable->Post();
    DBChart2->hide();
    RunStatus status;
    {
        db::ControlsOff still(nodes);
        // A manifold that could not be computed keeps whatever an earlier
        // run wrote: none of it is shown or reported. The run says whether
        // it was, as it says so to the main window's output page.
        status = JManfld().RunManifold();
        OpenIfClosed(nodes);
        nodes->First();
        // Each visit of the page marks the entrance once more; a manifold
        // not computed, without nodes or without a computed entrance has
        // none to mark.
        if (status.Computed() && !nodes->IsEmpty() && !d->WorkTrickleTableEgl->IsNull())
            EntranceSeries->Add(d->WorkTrickleTableStation->AsFloat(), d->WorkTrickleTableEgl->AsFloat(), QString(),
                                Qt::yellow);
        InvertSeries->RefreshData();
        HglSeries->RefreshData();
    }
    const bool computed = status.Computed();
    NotComputedLbl->setText(QStringLiteral("The manifold was not computed: ") + status.notComputed);
    NotComputedLbl->setVisible(!computed);
    DBGrid2->setVisible(computed);
    DBChart2->setVisible(computed);
    for (QPushButton* b : {QRDetailedSpdBtn, QRGraphBitBtn, QRCostSpdBtn}) b->setEnabled(computed);
    MainStatusBar->SetPanelText(0, computed ? QStringLiteral("Output") : QStringLiteral("Not computed"));
    DBChart2->update();
    if (computed) SetFocus(DBGrid2);
}

void TManifoldDlg::OvcNotebookMClick()
{
    if (OvcNotebookM->PageIndex() != 0 && JobNameDBEdit->text().isEmpty()) {
        OvcNotebookM->SetPageIndex(0);
        Error(QStringLiteral("Please enter a Job Name"));
        SetFocus(JobNameDBEdit);
    } else if (OvcNotebookM->PageIndex() == 0) {
        SetFocus(JobLocationDBSF);
    }
}

void TManifoldDlg::OKBitBtn1Click()
{
    if (OvcNotebookM->PageIndex() == 0 && JobNameDBEdit->text().isEmpty()) {
        Error(QStringLiteral("Please enter a Job Name"));
        SetFocus(JobNameDBEdit);
        return;
    }
    OvcNotebookM->SetPageIndex(1);
}

void TManifoldDlg::OKBitBtn2Click() { OvcNotebookM->SetPageIndex(2); }
void TManifoldDlg::OKBitBtn3Click() { OvcNotebookM->SetPageIndex(3); }

void TManifoldDlg::JobNameDBEditExit()
{
    bool ownNameSeen = true;   // leaving the job's own stored name asks nothing here
    JobNameFieldExit(this, ownNameSeen, JobNameDBEdit, JobLocationDBSF, MainStatusBar);
}

void TManifoldDlg::JobLocationDBSFEnter()
{
    if (Tul->JobName.isEmpty() && !newJob_) {
        Error(QStringLiteral("You must enter a Job Name"));
        SetFocus(JobNameDBEdit);
    }
}

void TManifoldDlg::JobDesignerDBSFEnter()
{
    if (Tul->JobName.isEmpty()) {
        Error(QStringLiteral("You must enter a Job Name"));
        SetFocus(JobNameDBEdit);
    }
}

void TManifoldDlg::DateDBPFExit()
{
    if (DMod->WorkPipeTable->State() != db::DataSetState::Browse) DMod->WorkPipeTable->Post();
    Tul->Date = DMod->WorkPipeTableDate->AsString();
    SetFocus(OKBitBtn1);
}

void TManifoldDlg::RenumberTrickleNodes() { Pages->RenumberTrickleNodes(); }

void TManifoldDlg::QRDetailedSpdBtnClick()
{
    reports::OpenedForms forms;
    ui::CursorScope wait;   // the arrow comes back however the preview ends
    forms.Create(QRManifDetail, this)->QuickRepManifold.Preview();
}

void TManifoldDlg::QRGraphBitBtnClick()
{
    reports::OpenedForms forms;
    ui::CursorScope wait;   // the arrow comes back however the preview ends
    forms.Create(QRManifGraph, this)->QuickRepManGraph.Preview();
}

void TManifoldDlg::QRCostSpdBtnClick()
{
    TDMod* d = DMod;
    reports::OpenedForms forms;
    ui::CursorScope wait;   // the arrow comes back however the preview ends
    struct CloseCosts {
        ~CloseCosts()
        {
            if (DMod->UnitCostTable->Active()) DMod->UnitCostTable->Close();
        }
    } closeCosts;
    if (ui::MessageDlg(QStringLiteral("Do you want to view or edit Pipe & Trenching costs? (Energy N/A)"),
                       ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes)
        ShowOwned(UnitCostInFrm, this);
    OpenIfClosed(d->WorkProfTable);
    OpenIfClosed(d->UnitCostTable);
    Tul->SysTypeCode = kManifoldJob;
    CreateCostObject();   // the estimate's single object, as the report commands make sure
    Cost->EstimateJobCost();
    forms.Create(QRManifSCost, this)->QuickRepCostMan.Preview();
}
