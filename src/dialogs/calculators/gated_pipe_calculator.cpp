#include "dialogs/calculators/gated_pipe_calculator.h"

#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/calculators/entrance_condition_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/gated_pipe_rules.h"
#include "engine/cost_estimate.h"
#include "engine/gated_pipe_run.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "model/number_text.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/statusbar.h"
#include "reports/gated_pipe_cost_tool_report.h"
#include "reports/gated_pipe_graph_report.h"
#include "reports/gated_pipe_tool_report.h"
#include "reports/report_forms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNameUsed = QStringLiteral("Job name already used, please enter a unique name.");


// Opens the table, emptied, and puts it into edit state on a new row.
void FreshRow(db::Table* t)
{
    OpenEmpty(t);
    t->Edit();
}

} // namespace

TGatedToolDlg::TGatedToolDlg(QWidget* owner)
    : CalculatorJobForm(owner, {"GatedToolDlg", "Gated Pipe Calculator", 121, {},
                                {JobCommand::NewJob, JobCommand::PreviousJob, JobCommand::SaveJob,
                                 {JobCommand::Close, "&Close"}, JobCommand::Cancel, {JobCommand::Help, "&Help"}},
                                false})
{
    SetCancelButton(CancelBtn);
    OvcNotebook1 = AddNotebook("OvcNotebook1");
    MainStatusBar = AddStatusBar("MainStatusBar", {100, 150});

    db::DataSource* pipe = DMod->WorkPipeData;
    db::DataSource* gated = DMod->WorkGatedData;

    // ---- page 1: data input ----
    QWidget* p1 = OvcNotebook1->AddPage(QStringLiteral("&Data Input"));
    auto* g1 = new QGridLayout(p1);
    auto* idBox = ui::Make<QGroupBox>(p1, "JobIdGpBox", QStringLiteral("Job Identification"));
    auto* ig = new QGridLayout(idBox);
    int row = 0;
    auto textField = [&](const char* name, const char* field, int length, const char* caption) {
        auto* e = ui::Make<QLineEdit>(idBox, name);
        e->setMaxLength(length);
        new ui::DBEdit(e, pipe, QString::fromLatin1(field));
        ig->addWidget(new QLabel(QString::fromLatin1(caption), idBox), row, 0);
        ig->addWidget(e, row++, 1);
        return e;
    };
    JobNameDBEdit = textField("JobNameDBEdit", "JobName", 50, "Job Name");
    ig->addWidget(new QLabel(QStringLiteral("(Required, must be unique)"), idBox), row - 1, 2);
    JobLocationDBSF = textField("JobLocationDBSF", "Location", 40, "Job Location");
    JobDesignerDBSF = textField("JobDesignerDBSF", "Designer", 35, "Job Designer");
    OvcDbSimpleField1 = textField("OvcDbSimpleField1", "Landuser", 24, "Land User");
    OvcDbSimpleField2 = textField("OvcDbSimpleField2", "ID", 12, "ID");
    JobClassDBSF = textField("JobClassDBSF", "JobClass", 10, "Job Class");
    DateDBPF = ui::Make<QLineEdit>(idBox, "DateDBPF");
    DateDBPF->setFocusPolicy(Qt::ClickFocus);
    new ui::DBDateEdit(DateDBPF, pipe, QStringLiteral("Date"));
    ig->addWidget(new QLabel(QStringLiteral("Date"), idBox), row, 0);
    ig->addWidget(DateDBPF, row++, 1);
    ig->addWidget(new QLabel(QStringLiteral("Job Notes"), idBox), row++, 0);
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(idBox, "JobNotesDBMemo");
    JobNotesDBMemo->setFixedHeight(60);
    new ui::DBMemo(JobNotesDBMemo, pipe, QStringLiteral("JobNotes"));
    ig->addWidget(JobNotesDBMemo, row++, 0, 1, 3);
    g1->addWidget(idBox, 0, 0, 1, 2);

    InflowNF = ui::Make<QLineEdit>(p1, "InflowNF");
    new ui::DBNumericEdit(InflowNF, gated, QStringLiteral("PipeQ"),
                          ui::NumericFormat::Picture(QStringLiteral("######"), 0, 999999));
    g1->addWidget(new QLabel(QStringLiteral("Inflow (gpm)"), p1), 1, 0);
    g1->addWidget(InflowNF, 1, 1);
    auto* inletBox = ui::Make<QGroupBox>(p1, "InletGpBox", QStringLiteral("Set Water Surface or Pressure at Inlet"));
    auto* inl = new QGridLayout(inletBox);
    InletPresDBTxt = ui::Make<QLabel>(inletBox, "InletPresDBTxt");
    new ui::DBText(InletPresDBTxt, pipe, QStringLiteral("PsiIn"));
    InletWSDBTxt = ui::Make<QLabel>(inletBox, "InletWSDBTxt");
    new ui::DBText(InletWSDBTxt, pipe, QStringLiteral("WSElev"));
    inl->addWidget(new QLabel(QStringLiteral("Pressure at Inlet"), inletBox), 0, 0);
    inl->addWidget(InletPresDBTxt, 0, 1);
    inl->addWidget(new QLabel(QStringLiteral("Water Surface Elevation"), inletBox), 1, 0);
    inl->addWidget(InletWSDBTxt, 1, 1);
    MinPsiBtn = ui::Make<QPushButton>(inletBox, "MinPsiBtn", QStringLiteral("Set Design WS or psi"));
    inl->addWidget(MinPsiBtn, 2, 0, 1, 2);
    g1->addWidget(inletBox, 2, 0, 1, 2);
    GateBitBtn = ui::Make<QPushButton>(p1, "GateBitBtn", QStringLiteral("Gated Pipe and Fitting Data"));
    g1->addWidget(GateBitBtn, 3, 0, 1, 2);
    auto* fitBox = ui::Make<QGroupBox>(p1, "FittingGpBox", QStringLiteral("Head Control Fitting Data"));
    auto* fg = new QGridLayout(fitBox);
    fg->addWidget(new QLabel(QStringLiteral("Entrance Fitting"), fitBox), 0, 1);
    fg->addWidget(new QLabel(QStringLiteral("Intermediate Fitting"), fitBox), 0, 2);
    const char* fitRows[][3] = {{"Fitting Description =", "KDescription1", "KDescription2"},
                                {"Loss Factor   (Km) =", "K1", "K2"},
                                {"Loss                 (ft) =", "ML1", "ML2"}};
    for (int r = 0; r < 3; ++r) {
        fg->addWidget(new QLabel(QString::fromLatin1(fitRows[r][0]), fitBox), r + 1, 0);
        for (int c = 1; c <= 2; ++c) {
            auto* t = ui::Make<QLabel>(fitBox, (QByteArray("Fit") + fitRows[r][c]).constData());
            new ui::DBText(t, gated, QString::fromLatin1(fitRows[r][c]));
            fg->addWidget(t, r + 1, c);
        }
    }
    g1->addWidget(fitBox, 4, 0, 1, 2);
    OKBitBtn1 = ui::Make<QPushButton>(p1, "OKBitBtn1", QStringLiteral("OK"));
    HelpButton1 = ui::Make<QPushButton>(p1, "HelpButton1", QStringLiteral("Help"));
    g1->addWidget(OKBitBtn1, 5, 0);
    g1->addWidget(HelpButton1, 5, 1);

    // ---- page 2: output ----
    QWidget* p2 = OvcNotebook1->AddPage(QStringLiteral("&Output"));
    auto* v2 = new QVBoxLayout(p2);
    NotComputedLbl = AddNotComputedLabel(p2, v2);
    ResultsPanel = ui::Make<QWidget>(p2, "ResultsPanel");
    v2->addWidget(ResultsPanel);
    auto* g2 = new QGridLayout(ResultsPanel);
    int r2 = 0;
    auto result = [&](const char* caption, QLabel* value) {
        g2->addWidget(new QLabel(QString::fromLatin1(caption), p2), r2, 0);
        g2->addWidget(value, r2++, 1, 1, 6);
    };
    auto dbLabel = [&](db::DataSource* src, const char* field) {
        auto* l = ui::Make<QLabel>(p2, (QByteArray(field) + "DBTxt").constData());
        new ui::DBText(l, src, QString::fromLatin1(field));
        return l;
    };
    result("Pipe Description =", dbLabel(gated, "PipeDescription"));
    result("Flow Rate at entrance (gpm) =", dbLabel(gated, "PipeQ"));
    result("Pipe inside diameter        (in) =", dbLabel(gated, "DiaIn"));
    result("Velocity at entrance (ft/sec) =", dbLabel(gated, "PipeVel"));
    result("Pipe pressure rating      (psi) =", dbLabel(gated, "PressureRating"));
    result("Gated pipe length           (ft) =", dbLabel(gated, "RchLen"));
    result("Flow per gate                                  (gpm) =", dbLabel(gated, "GateFlow"));
    result("Gate spacing                                      (in) =", dbLabel(gated, "GateSpace"));
    result("Number of open gates                             =", dbLabel(gated, "NoOfGates"));
    LenOpenLbl = ui::Make<QLabel>(p2, "LenOpenLbl");
    result("Length of open gate segments           (ft) =", LenOpenLbl);
    result("Pipe friction loss in one open segment(ft) =", dbLabel(gated, "OpenSegFloss"));
    result("Pressure at inlet            (psi) =", dbLabel(pipe, "PsiIn"));
    result("Water surface elevation       =", dbLabel(pipe, "WSElev"));
    result("Friction loss method  =", dbLabel(gated, "CalcMethod"));
    g2->addWidget(dbLabel(gated, "Warning"), r2++, 0, 1, 7);
    auto* notes = ui::Make<QPlainTextEdit>(p2, "OutNotesDBMemo");
    notes->setReadOnly(true);
    notes->setFixedHeight(40);
    auto* notesBinding = new ui::DBMemo(notes, pipe, QStringLiteral("JobNotes"));
    notesBinding->SetReadOnly(true);
    g2->addWidget(notes, r2++, 0, 1, 7);
    g2->addWidget(new QLabel(QStringLiteral("Upstream Segment"), p2), r2, 1, 1, 2);
    g2->addWidget(new QLabel(QStringLiteral("Intermediate Segment"), p2), r2, 3, 1, 2);
    g2->addWidget(new QLabel(QStringLiteral("Downstream segment"), p2), r2++, 5, 1, 2);
    const char* const cols[] = {"Begin", "End", "Begin", "End", "Begin", "End"};
    for (int c = 0; c < 6; ++c) g2->addWidget(new QLabel(QString::fromLatin1(cols[c]), p2), r2, c + 1);
    ++r2;
    const char* table[][7] = {
        {"Open gate segment station", "StartSta", "StaAsta", "MidSta", "StaCsta", "StaDsta", "EndSta"},
        {"Ground elevation", "StartElev", "StaAElev", "MidElev", "StaCElev", "StaDElev", "EndElev"},
        {"Operating pressure (psi)", "Startpsi", "StaApsi", "Midpsi", "StaCpsi", "StaDpsi", "Endpsi"},
        {"Static pressure (psi)", "StartStatPres", "StaAStatPres", "MidStatPres", "StaCStatPres", "StaDStatPres",
         "EndStatPres"},
        {"Hydraulic gradeline elevation", "StartHGL", "StaAHgl", "MidHGL", "StaCHgl", "StaDHgl", "EndHGL"},
        {"Head control fitting loss (ft)", "ML1", nullptr, "ML2", nullptr, nullptr, nullptr},
        {"Loss factor (Km)", "K1", nullptr, "K2", nullptr, nullptr, nullptr},
        {"Fitting description", "KDescription1", nullptr, "KDescription2", nullptr, nullptr, nullptr}};
    for (const auto& line : table) {
        g2->addWidget(new QLabel(QString::fromLatin1(line[0]), p2), r2, 0);
        for (int c = 1; c <= 6; ++c) {
            if (!line[c]) continue;
            auto* l = ui::Make<QLabel>(p2, (QByteArray("Out") + line[c]).constData());
            new ui::DBText(l, gated, QString::fromLatin1(line[c]));
            g2->addWidget(l, r2, c);
            if (c == 3 || c == 4) MidColumn << l;
        }
        ++r2;
    }
    auto* reportPanel = new QHBoxLayout;
    QRDetailedSpdBtn = ui::Make<QPushButton>(p2, "QRDetailedSpdBtn", QStringLiteral("Detailed"));
    QRCostSpdBtn = ui::Make<QPushButton>(p2, "QRCostSpdBtn", QStringLiteral("Cost"));
    QRGraphBitBtn = ui::Make<QPushButton>(p2, "QRGraphBitBtn", QStringLiteral("Graph"));
    Help3SpdBtn = ui::Make<QPushButton>(p2, "Help3SpdBtn", QStringLiteral("?"));
    for (QPushButton* b : {QRDetailedSpdBtn, QRCostSpdBtn, QRGraphBitBtn, Help3SpdBtn}) reportPanel->addWidget(b);
    v2->addLayout(reportPanel);

    OnHelp(Help3SpdBtn, 123);
    OnHelp(HelpButton1, 152);
    OnClick(OKBitBtn1, [this] { OKBitBtn1Click(); });
    OnClick(MinPsiBtn, [this] { MinPsiBtnClick(); });
    OnClick(GateBitBtn, [this] { GateBitBtnClick(); });
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
    OnClick(QRCostSpdBtn, [this] { QRCostSpdBtnClick(); });
    connect(OvcNotebook1, &ui::Notebook::PageChanged, this,
            [this](int i) { Run([this, i] { OvcNotebook1PageChanged(i); }); });
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });

    OnEnter(JobNameDBEdit, [this] { JobNameDBEditEnter(); });
    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    OnEnter(JobDesignerDBSF, [this] {
        if (Tul->JobName.isEmpty()) {
            ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
            SetFocus(JobNameDBEdit);
        } else {
            JobFieldEnter();
        }
    });
    for (QWidget* w : std::initializer_list<QWidget*>{JobLocationDBSF, JobClassDBSF, OvcDbSimpleField1,
                                                      OvcDbSimpleField2, JobNotesDBMemo, DateDBPF})
        OnEnter(w, [this] { JobFieldEnter(); });
    for (QWidget* w : std::initializer_list<QWidget*>{JobLocationDBSF, JobDesignerDBSF, JobClassDBSF,
                                                      OvcDbSimpleField1, OvcDbSimpleField2})
        OnExit(w, [this] { JobFieldExit(); });
    OnExit(JobNotesDBMemo, [this] { JobFieldExit(); });
    OnExit(DateDBPF, [this] { DateDBPFExit(); });
    OnEnter(InflowNF, [this] { InflowNFEnter(); });
    OnExit(InflowNF, [this] { InflowNFExit(); });
    WatchJobEdits(OvcNotebook1, {pipe, gated});
}

void TGatedToolDlg::FormShow()
{
    TDMod* m = DMod;
    Tul->Cancelled = false;
    Tul->SysHas = 8;
    Tul->SysTypeCode = 5;
    Tul->PipePickTarget = 3;
    OvcNotebook1->setEnabled(false);
    FreshRow(m->WorkPipeTable);
    m->WorkPipeTableSysType->SetAsString(QStringLiteral("GATED"));
    OpenIfClosed(m->DefLocTable);
    m->PipeFilterMode = 6;
    InletPresDBTxt->setVisible(EntrancePsiGiven);
    InletWSDBTxt->setVisible(!EntrancePsiGiven);
}

// The save prompt. A name that another stored job carries is refused, so a
// name the job-name field turned away can never be stored by a later save.
static bool PromptSave(QWidget* owner, bool nameTaken)
{
    PostIfEditing(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkGatedTable);
    if (nameTaken) {
        ui::MessageDlg(kNameUsed, ui::MsgType::Error, ui::mbOK);
        return false;
    }
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    ShowOwned(SaveForm, owner);
    return true;
}

// The number of the stored job of that name, or -1; the job list's filter
// does not hide one.
static int StoredJobNumber(const QString& name)
{
    db::Table* jobs = DMod->JobPipeTable;
    OpenIfClosed(jobs);
    const bool filtered = jobs->Filtered();
    if (filtered) jobs->SetFiltered(false);
    const int number = jobs->Locate(QStringLiteral("JobName"), name) ? DMod->JobPipeTableJobNumber->AsInteger() : -1;
    if (filtered) jobs->SetFiltered(true);
    return number;
}

// Another stored job has the name. The job stored under the header row's
// number is the current job itself (a save writes the number back).
bool TGatedToolDlg::nameTaken(const QString& name) const
{
    if (name.isEmpty()) return false;
    const int number = StoredJobNumber(name);
    if (number < 0) return false;
    const int own = DMod->WorkPipeTable->Active() && !DMod->WorkPipeTable->IsEmpty()
                        ? DMod->WorkPipeTableJobNumber->AsInteger()
                        : 0;
    return number != own;
}

void TGatedToolDlg::NewJobBtnClick()
{
    TDMod* m = DMod;
    Tul->NewJob = true;
    OfferSave();
    Tul->SaveState = 0;
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter job data"));
    StartNewPipeJob();
    Tul->SysHas = 8;
    Tul->SysTypeCode = 5;
    Tul->PipePickTarget = 3;

    FreshRow(m->WorkPipeTable);
    m->WorkPipeTableDate->SetAsString(Tul->Date);
    m->WorkPipeTableSysType->SetAsString(QStringLiteral("GATED"));
    m->WorkPipeTableSysHas->SetAsInteger(8);
    m->WorkPipeTable->Post();
    m->WorkPipeTable->Edit();

    OpenIfClosed(m->DefLocTable);
    m->DefLocTable->First();
    FreshRow(m->WorkGatedTable);
    m->WorkGatedTablePipeType->SetAsString(m->DefLocTableGatedPipeType->AsString());
    m->WorkGatedTableGateSpace->SetAsFloat(m->DefLocTableGateSpace->AsFloat());
    m->WorkGatedTableGateFlow->SetAsFloat(m->DefLocTableGateGpm->AsFloat());
    m->WorkGatedTableStartSta->SetAsFloat(0.0);
    m->WorkGatedTableStartElev->SetAsFloat(0.0);
    m->WorkGatedTable->Post();
    m->WorkGatedTable->Edit();

    OvcNotebook1->setEnabled(true);
    suppressRun_ = true;
    OvcNotebook1->SetPageIndex(1);
    suppressRun_ = false;
    SetFocus(JobNameDBEdit);
}

void TGatedToolDlg::PrevJobBtnClick()
{
    TDMod* m = DMod;
    const ui::Cursor before = ui::ScreenCursor();
    Tul->NewJob = false;
    OfferSave();
    Tul->SaveState = 2;
    MainStatusBar->SetPanelText(0, QStringLiteral("Edit job data"));
    db::Table* jobs = m->JobPipeTable;
    OpenIfClosed(jobs);
    m->JobFilterMode = 3;
    jobs->SetFiltered(true);
    if (NoPreviousJobs(jobs))
        return;
    for (db::Table* t : {m->WorkPipeTable, m->WorkGatedTable}) {
        if (t->Active()) t->Close();
        t->EmptyTable();
    }
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    Tul->NewJob = false;
    Tul->StoredJob = true;
    m->JobFilterMode = 3;
    m->JobPipeTable->SetFiltered(true);
    Tul->JobListCancelled = false;   // an earlier list's Cancel is not this one's
    ShowOwned(JobListForm, this);
    m->JobFilterMode = 2;
    if (Tul->JobListCancelled) return;

    OpenIfClosed(m->WorkPipeTable);
    const bool imported = !m->WorkPipeTable->IsEmpty();
    if (!imported && !LoadPickedJob(before)) return;
    OpenIfClosed(m->WorkPipeTable);
    OpenIfClosed(m->WorkGatedTable);
    if (m->WorkPipeTableSysHas->AsInteger() != 8 || m->WorkGatedTable->IsEmpty()) {
        // An import brings whatever job the transfer directory held.
        ui::MessageDlg(QStringLiteral("The job ") + m->WorkPipeTableJobName->AsString()
                           + QStringLiteral(" is not a gated pipe calculator job."),
                       ui::MsgType::Error, ui::mbOK);
        return;
    }
    Tul->SysHas = 8;
    Tul->SysTypeCode = 5;
    Tul->PumpTypeCode = 0;
    Tul->PipePickTarget = 3;
    Tul->JobName = m->WorkPipeTableJobName->AsString();
    OvcNotebook1->setEnabled(true);
    suppressRun_ = true;
    OvcNotebook1->SetPageIndex(0);
    suppressRun_ = false;
    OvcNotebook1->SetPageIndex(1);
    MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + Tul->JobName);
}

// The working job's name, when it has one, is checked against the stored jobs.
void TGatedToolDlg::ShowSavePrompt()
{
    db::Table* pipe = DMod->WorkPipeTable;
    PromptSave(this, nameTaken(pipe->Active() && !pipe->IsEmpty() ? DMod->WorkPipeTableJobName->AsString() : QString()));
}

void TGatedToolDlg::SaveJobBtnClick()
{
    ShowSavePrompt();
    OvcNotebook1->SetPageIndex(0);
}

void TGatedToolDlg::computeOutput()
{
    TDMod* m = DMod;
    PostIfEditing(m->WorkGatedTable);
    PostIfEditing(m->WorkPipeTable);
    CreateGatedObject();
    // A run refused shows none of the results an earlier run left and
    // offers no report; one that computed past a fault shows its results
    // with the fault in the row's warning, as a line ending in gated pipe
    // does on the main window. While it runs (and says what it finds), an
    // earlier run's results or reason are not on show.
    NotComputedLbl->hide();
    ResultsPanel->hide();
    const RunStatus status = Gated->RunGatedPipe();
    const bool computed = status.Computed();
    OpenIfClosed(m->WorkGatedTable);
    const double open = m->WorkGatedTableNoOfGates->AsFloat() * m->WorkGatedTableGateSpace->AsFloat() / 12.0;
    LenOpenLbl->setText(FixedText(open, 6, 1));
    const bool mid = m->WorkGatedTableIsMidSeg->AsBoolean();
    for (QWidget* w : MidColumn) w->setVisible(mid);
    NotComputedLbl->setText(QStringLiteral("The gated pipe was not computed: ") + status.notComputed);
    NotComputedLbl->setVisible(!computed);
    ResultsPanel->setVisible(computed);
    for (QPushButton* b : {QRDetailedSpdBtn, QRCostSpdBtn, QRGraphBitBtn}) b->setEnabled(computed);
    MainStatusBar->SetPanelText(0, computed ? QStringLiteral("Output") : QStringLiteral("Not computed"));
}

void TGatedToolDlg::OvcNotebook1PageChanged(int index)
{
    TDMod* m = DMod;
    if (index == 0) {
        if (m->WorkGatedTable->Active() && !m->WorkGatedTable->IsEmpty()) EditIfBrowsing(m->WorkGatedTable);
        OpenIfClosed(m->WorkPipeTable);
        EditIfBrowsing(m->WorkPipeTable);
        MainStatusBar->SetPanelText(0, QStringLiteral("Edit"));
        MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + m->WorkPipeTableJobName->AsString());
        SetFocus(JobLocationDBSF);
        return;
    }
    if (suppressRun_) {
        SetFocus(QRGraphBitBtn);
        OvcNotebook1->SetPageIndex(0);
        return;
    }
    if (m->WorkPipeTableJobName->AsString().isEmpty()) {
        OvcNotebook1->SetPageIndex(0);
        ui::MessageDlg(QStringLiteral("Please enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);
        return;
    }
    computeOutput();
}

void TGatedToolDlg::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() == 0) {
        EditIfBrowsing(DMod->WorkGatedTable);
        SetFocus(JobLocationDBSF);
    }
}

void TGatedToolDlg::OKBitBtn1Click() { OvcNotebook1->SetPageIndex(1); }

void TGatedToolDlg::JobNameDBEditEnter() { EditIfBrowsing(DMod->WorkPipeTable); }

void TGatedToolDlg::JobNameDBEditExit()
{
    TDMod* m = DMod;
    const QString name = m->WorkPipeTableJobName->AsString();
    OpenIfClosed(m->JobPipeTable);
    if (!name.isEmpty()) {
        const bool found = StoredJobNumber(name) >= 0;
        const bool own = found && !nameTaken(name);
        auto accept = [this, m, &name] {
            PostIfEditing(m->WorkPipeTable);
            m->WorkPipeTable->Edit();
            Tul->SaveState = 0;
            Tul->JobName = name;
            SetFocus(JobLocationDBSF);
            MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + Tul->JobName);
        };
        if (own) {
            // The job's own stored name.
        } else if (found) {
            ui::MessageDlg(kNameUsed, ui::MsgType::Error, ui::mbOK);
            SetFocus(JobNameDBEdit);
        } else if (Tul->PrevJobLoaded) {
            if (ui::MessageDlg(QStringLiteral("Save job as: ") + name + QStringLiteral("?"), ui::MsgType::Confirmation,
                               ui::mbYesNo) == ui::mrYes)
                accept();
            else
                SetFocus(JobNameDBEdit);
        } else {
            accept();
            ui::MessageDlg(QStringLiteral("Job will be saved as ") + name + QStringLiteral("."),
                           ui::MsgType::Information, ui::mbOK);
        }
    }
    Tul->JobName = m->WorkPipeTableJobName->AsString();
    if (Tul->JobName.isEmpty() && Tul->Cancelled) {
        ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);
    }
}

void TGatedToolDlg::JobFieldEnter() { EditIfBrowsing(DMod->WorkPipeTable); }

void TGatedToolDlg::JobFieldExit() { PostIfEditing(DMod->WorkPipeTable); }

void TGatedToolDlg::DateDBPFExit()
{
    Tul->Date = DMod->WorkPipeTableDate->AsString();
    PostIfEditing(DMod->WorkPipeTable);
    SetFocus(OKBitBtn1);
}

void TGatedToolDlg::InflowNFEnter() { EditIfBrowsing(DMod->WorkGatedTable); }

void TGatedToolDlg::InflowNFExit()
{
    // The entrance velocity follows the inflow.
    if (DMod->WorkGatedTableDiaIn->AsFloat() > 0.0) StoreGatedVelocity();
}

void TGatedToolDlg::MinPsiBtnClick()
{
    InletPresDBTxt->hide();
    InletWSDBTxt->hide();
    ShowOwned(SetWSDlg, this);
    MarkChanged();
}

void TGatedToolDlg::GateBitBtnClick()
{
    ShowOwned(GatedPipeDlg, this);
    OpenIfClosed(DMod->WorkPipeTable);
    if (DMod->WorkPipeTablePsiIn->AsFloat() == 0.0)
        MinPsiBtnClick();
    MarkChanged();
}

void TGatedToolDlg::QRDetailedSpdBtnClick()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    OpenIfClosed(DMod->WorkGatedTable);
    reports::OpenedForms forms;
    report::Preview(forms.Create(QRGatedTool, this)->QuickRepGatedTool, this);
}

void TGatedToolDlg::QRGraphBitBtnClick()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    reports::OpenedForms forms;
    report::Preview(forms.Create(QRGatedGraph, this)->QuickRepGatedGraph, this);
}

void TGatedToolDlg::QRCostSpdBtnClick()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    if (ui::MessageDlg(QStringLiteral("Do you want to view or edit unit costs?"), ui::MsgType::Confirmation,
                       ui::mbYesNo) == ui::mrYes)
        ShowOwned(UnitCostInFrm, this);
    struct CloseCosts {
        ~CloseCosts()
        {
            if (DMod->UnitCostTable->Active()) DMod->UnitCostTable->Close();
        }
    } closeCosts;
    PostIfEditing(DMod->WorkGatedTable);
    CreateCostObject();   // the estimate's single object, as the report commands make sure
    Cost->EstimateJobCost();
    OpenIfClosed(DMod->UnitCostTable);
    OpenIfClosed(DMod->WorkPipeTable);
    reports::OpenedForms forms;
    report::Preview(forms.Create(QRGatedCostTool, this)->QuickRepGatedCostTool, this);
}

void TGatedToolDlg::FormClose()
{
    TDMod* m = DMod;
    Tul->GatedLossPick = false;
    if (Tul->Cancelled) {
        if (m->WorkGatedTable->Active()) m->WorkGatedTable->Cancel();
    } else {
        OfferSave();
        if (m->WorkPipeTable->Active() && m->WorkPipeTable->State() == db::DataSetState::Browse)
            m->WorkPipeTable->Close();
    }
    ReleaseJob();
    m->JobFilterMode = 1;
    m->JobPipeTable->SetFiltered(false);
}
