#include "dialogs/calculators/air_vacuum_calculator.h"

#include "dialogs/jobs/save_tool_job_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "engine/air_vacuum_orifice.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/job.h"
#include "model/job_transfer.h"
#include "platform/report/preview.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "reports/air_vacuum_report.h"
#include "reports/report_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kAirVacTool = 6;
const QString kNoName = QStringLiteral("Please enter a Job Name");

db::Table* Work()
{
    return DMod->WorkAvacTable;
}

bool Editing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

// Edit state on the job's row; an empty table gets no row by this.
void EditRow()
{
    db::Table* t = Work();
    if (t->Active() && t->State() == db::DataSetState::Browse && !t->IsEmpty())
        t->Edit();
}

void PostRow()
{
    if (Editing(Work()))
        Work()->Post();
}

void PostAndEdit()
{
    PostRow();
    EditRow();
}

// Settles the job's row and keeps editing it; false when there is no job yet.
bool SettleRow()
{
    if (!Work()->Active() || Work()->IsEmpty())
        return false;
    PostAndEdit();
    return true;
}

void Error(const QString& text)
{
    ui::MessageDlg(text, ui::MsgType::Error, ui::mbOK);
}

QToolButton* HelpButton(QWidget* parent, const char* name)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    return b;
}

// The foot of a page: its help button on the left, `button` on the right.
QHBoxLayout* PageFoot(QWidget* page, QToolButton*& help, const char* helpName, QPushButton*& button,
                      const char* name, const QString& caption)
{
    auto* row = new QHBoxLayout;
    help = HelpButton(page, helpName);
    button = ui::Make<QPushButton>(page, name, caption);
    row->addWidget(help);
    row->addStretch(1);
    row->addWidget(button);
    return row;
}

// A numeric field of the working row; no value below 0 can be typed.
QLineEdit* NumberField(QWidget* parent, const char* name, const char* field, const char* mask)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    new ui::DBNumericEdit(e, DMod->WorkAvacData, QString::fromLatin1(field),
                          ui::NumericFormat::Picture(QString::fromLatin1(mask), 0));
    return e;
}

QLineEdit* TextField(QWidget* parent, const char* name, const char* field)
{
    auto* e = ui::Make<QLineEdit>(parent, name);
    new ui::DBEdit(e, DMod->WorkAvacData, QString::fromLatin1(field));
    return e;
}

// A read-only text of the output page: caption, value, unit.
void OutputRow(QGridLayout* g, QWidget* parent, const char* name, const char* caption, const char* field,
               const char* unit = "")
{
    const int row = g->rowCount();
    g->addWidget(new QLabel(QString::fromLatin1(caption), parent), row, 0);
    auto* value = ui::Make<QLabel>(parent, name);
    new ui::DBText(value, DMod->WorkAvacData, QString::fromLatin1(field));
    g->addWidget(value, row, 1);
    g->addWidget(new QLabel(QString::fromLatin1(unit), parent), row, 2);
}

} // namespace

TAirVacDlg::TAirVacDlg(QWidget* owner)
    : CalculatorJobForm(owner, {"AirVacDlg", "Air-Vac Calculator", 116, {640, 560},
                                {JobCommand::SaveJob, JobCommand::Close, JobCommand::Help, JobCommand::Cancel,
                                 JobCommand::NewJob, JobCommand::PreviousJob}})
{
    TDMod* d = DMod;

    OvcNotebook1 = AddNotebook("OvcNotebook1");

    // ---- "&Initial Input" ----
    QWidget* p0 = OvcNotebook1->AddPage(QStringLiteral("&Initial Input"));
    auto* l0 = new QVBoxLayout(p0);
    auto* job = new QFormLayout;
    JobNameDBEdit = TextField(p0, "JobNameDBEdit", "JobName");
    job->addRow(QStringLiteral("Job Name"), JobNameDBEdit);
    job->addRow(QString(), new QLabel(QStringLiteral("(Required, must be unique)"), p0));
    JobLocationDBSF = TextField(p0, "JobLocationDBSF", "Location");
    job->addRow(QStringLiteral("Job Location"), JobLocationDBSF);
    JobDesignerDBSF = TextField(p0, "JobDesignerDBSF", "Designer");
    job->addRow(QStringLiteral("Job Designer"), JobDesignerDBSF);
    DateDBPF = ui::Make<QLineEdit>(p0, "DateDBPF");
    new ui::DBDateEdit(DateDBPF, d->WorkAvacData, QStringLiteral("Date"));
    job->addRow(QStringLiteral("Date"), DateDBPF);
    JobClassDBSF = TextField(p0, "JobClassDBSF", "JobClass");
    job->addRow(QStringLiteral("Job Class"), JobClassDBSF);
    LanduserDBSF = TextField(p0, "LanduserDBSF", "Landuser");
    job->addRow(QStringLiteral("Land User"), LanduserDBSF);
    IDDBSF = TextField(p0, "IDDBSF", "ID");
    job->addRow(QStringLiteral("ID"), IDDBSF);
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(p0, "JobNotesDBMemo");
    JobNotesDBMemo->setFixedHeight(50);
    new ui::DBMemo(JobNotesDBMemo, d->WorkAvacData, QStringLiteral("JobNotes"));
    job->addRow(QStringLiteral("Job Notes"), JobNotesDBMemo);
    l0->addLayout(job);

    auto* pipe = new QHBoxLayout;
    PipeSourceChkBx = ui::Make<QCheckBox>(p0, "PipeSourceChkBx", QStringLiteral("Select Pipe From Database"));
    new ui::DBCheckBox(PipeSourceChkBx, d->WorkAvacData, QStringLiteral("SelectPipeDB"));
    pipe->addWidget(PipeSourceChkBx);
    pipe->addWidget(new QLabel(QStringLiteral("Select Pipe Material Type"), p0));
    PipeMaterialSelection = ui::Make<QComboBox>(p0, "PipeMaterialSelection");
    PipeMaterialSelection->setEditable(true);
    PipeMaterialSelection->addItems({QStringLiteral("PVC"), QStringLiteral("Steel"), QStringLiteral("PE")});
    new ui::DBComboBox(PipeMaterialSelection, d->WorkAvacData, QStringLiteral("PipeMaterial"));
    pipe->addWidget(PipeMaterialSelection);
    TypeDBLookupComboBox = ui::Make<QComboBox>(p0, "TypeDBLookupComboBox");
    TypeDBLookupComboBox->setMinimumWidth(160);
    new ui::DBLookupComboBox(TypeDBLookupComboBox, d->TypeData, QStringLiteral("PipeType"),
                             QStringLiteral("PipeType"), d->WorkAvacData, QStringLiteral("PipeType"));
    pipe->addWidget(TypeDBLookupComboBox);
    l0->addLayout(pipe);

    GroupBox3 = ui::Make<QGroupBox>(p0, "GroupBox3", QStringLiteral("Select Pipe Size and Rating "));
    auto* g3 = new QVBoxLayout(GroupBox3);
    g3->addWidget(new QLabel(QStringLiteral("Double click on another pipe to select ..."), GroupBox3));
    PipeDBGrid = ui::Make<QTableView>(GroupBox3, "PipeDBGrid");
    new ui::DBGrid(PipeDBGrid, d->PipeData,
                   {{QStringLiteral("Pipe Description"), QStringLiteral("Pipe Description"), 260, {}, true},
                    {QStringLiteral("Press Rtng (psi)"), QStringLiteral("Press Rtng (psi)"), 110, {}, true}});
    g3->addWidget(PipeDBGrid, 1);
    auto* selected = new QHBoxLayout;
    selected->addWidget(new QLabel(QStringLiteral("Selected pipe:"), GroupBox3));
    SelectedPipeLbl = ui::Make<QLabel>(GroupBox3, "SelectedPipeLbl");
    selected->addWidget(SelectedPipeLbl, 1);
    g3->addLayout(selected);
    l0->addWidget(GroupBox3, 1);
    Button1 = ui::Make<QPushButton>(p0, "Button1", QStringLiteral("O&K"));
    l0->addWidget(Button1, 0, Qt::AlignRight);

    // ---- "&More Input" ----
    QWidget* p1 = OvcNotebook1->AddPage(QStringLiteral("&More Input"));
    auto* l1 = new QVBoxLayout(p1);
    SlopeRadioGroup = ui::Make<ui::RadioGroup>(p1, "SlopeRadioGroup",
                                               QStringLiteral("Select method of determining draining flow rate"));
    SlopeRadioGroup->SetItems({QStringLiteral("Enter known pipe slope (ft/ft)"),
                               QStringLiteral("Enter known flow rate for draining the line (gpm)")});
    l1->addWidget(SlopeRadioGroup);
    auto* flows = new QGridLayout;
    auto addFlow = [&](int row, QLabel* caption, QLineEdit* field) {
        flows->addWidget(caption, row, 0);
        flows->addWidget(field, row, 1);
    };
    SlopeLbl = ui::Make<QLabel>(p1, "SlopeLbl", QStringLiteral("Maximum pipeline gradient along the line.  (Pipe Slope)"));
    SlopeDBNF = NumberField(p1, "SlopeDBNF", "Slope", "#.###");
    addFlow(0, SlopeLbl, SlopeDBNF);
    QDrainLbl = ui::Make<QLabel>(p1, "QDrainLbl", QStringLiteral("Design flow rate for draining the line"));
    QDrainDBNF = NumberField(p1, "QDrainDBNF", "VacQ", "#####");
    addFlow(1, QDrainLbl, QDrainDBNF);
    OvcDbNumericField3 = NumberField(p1, "OvcDbNumericField3", "AirDen", ".####");
    addFlow(2, new QLabel(QStringLiteral("Air Density"), p1), OvcDbNumericField3);
    FillVelDBNF = NumberField(p1, "FillVelDBNF", "FillVel", "###.#");
    addFlow(3, new QLabel(QStringLiteral("Design Filling Velocity"), p1), FillVelDBNF);
    l1->addLayout(flows);

    PipeGroupBox = ui::Make<QGroupBox>(p1, "PipeGroupBox", QStringLiteral("Pipe Data"));
    auto* pd = new QFormLayout(PipeGroupBox);
    PipeDescripDBSF = TextField(PipeGroupBox, "PipeDescripDBSF", "PipeDescription");
    pd->addRow(QStringLiteral("Pipe Description"), PipeDescripDBSF);
    DiaInDBNF = NumberField(PipeGroupBox, "DiaInDBNF", "DiaIn", "###.###");
    pd->addRow(QStringLiteral("Pipe Inside Diameter "), DiaInDBNF);
    ODDBNF = NumberField(PipeGroupBox, "ODDBNF", "OD", "###.##");
    pd->addRow(QStringLiteral("Pipe Outside Diameter"), ODDBNF);
    ThickDBNF = NumberField(PipeGroupBox, "ThickDBNF", "PipeWallT", "#.###");
    pd->addRow(QStringLiteral("Pipe Wall Thickness"), ThickDBNF);
    EModDBNF = NumberField(PipeGroupBox, "EModDBNF", "Modulus", "#########");
    pd->addRow(QStringLiteral("Young's Modulus for Pipe (E)"), EModDBNF);
    OvcDbNumericField2 = NumberField(PipeGroupBox, "OvcDbNumericField2", "Cfac", "###");
    pd->addRow(QStringLiteral("Hazen Williams Factor"), OvcDbNumericField2);
    OvcDbNumericField1 = NumberField(PipeGroupBox, "OvcDbNumericField1", "PoissonsRatio", "#.##");
    pd->addRow(QStringLiteral("Poissons Ratio"), OvcDbNumericField1);
    l1->addWidget(PipeGroupBox);
    l1->addLayout(PageFoot(p1, SpeedButton2, "SpeedButton2", Button2, "Button2", QStringLiteral("O&K")));

    // ---- "&Output" ----
    QWidget* p2 = OvcNotebook1->AddPage(QStringLiteral("&Output"));
    auto* l2 = new QVBoxLayout(p2);
    auto* inputs = new QGridLayout;
    OutputRow(inputs, p2, "OutPipeDescription", "Pipe Description", "PipeDescription");
    OutputRow(inputs, p2, "OutPipeMaterial", "Pipe Material", "PipeMaterial");
    OutputRow(inputs, p2, "OutDiaIn", "Pipe Inside Diameter", "DiaIn", "in");
    OutputRow(inputs, p2, "OutOD", "Pipe Outside Diameter", "OD", "in");
    OutputRow(inputs, p2, "OutPipeWallT", "Pipe Wall Thickness", "PipeWallT", "in");
    OutputRow(inputs, p2, "OutModulus", "Young's Modulus (E)", "Modulus", "psi");
    OutputRow(inputs, p2, "OutCfac", "Hazen Williams Factor", "Cfac");
    OutputRow(inputs, p2, "OutPoissonsRatio", "Poissons Ratio", "PoissonsRatio");
    OutputRow(inputs, p2, "OutAirDen", "Air Density", "AirDen", "lb/cu ft");
    OutputRow(inputs, p2, "OutFlowCoef", "Flow Coefficient", "FlowCoef");
    OutSlopeLbl = ui::Make<QLabel>(p2, "OutSlopeLbl", QStringLiteral("Pipe Slope"));
    const int slopeRow = inputs->rowCount();
    OutputRow(inputs, p2, "OutSlope", "", "Slope", "ft/ft");
    inputs->addWidget(OutSlopeLbl, slopeRow, 0);
    l2->addLayout(inputs);
    auto* vacuum = ui::Make<QGroupBox>(p2, "VacuumGroupBox", QStringLiteral("Vacuum Relief Orifice Diameter"));
    auto* vg = new QGridLayout(vacuum);
    OutputRow(vg, vacuum, "OutVacOrifice", "Vacuum relief orifice diameter", "VacOrifice", "in");
    OutputRow(vg, vacuum, "OutVacQ", "at maximum pipe discharge of", "VacQ", "gpm");
    OutputRow(vg, vacuum, "OutPCollapse", "Pipe collapse pressure", "PCollapse", "psi");
    l2->addWidget(vacuum);
    auto* release = ui::Make<QGroupBox>(p2, "ReleaseGroupBox", QStringLiteral("Air Release Orifice Diameter"));
    auto* rg = new QGridLayout(release);
    OutputRow(rg, release, "OutAirRelOrifice", "Air release orifice diameter", "AirRelOrifice", "in");
    OutputRow(rg, release, "OutFillQ", "at a filling flow rate of", "FillQ", "gpm");
    OutputRow(rg, release, "OutFillVel", "Filling velocity", "FillVel", "ft/s");
    l2->addWidget(release);
    l2->addLayout(
        PageFoot(p2, Help2SpdBtn, "Help2SpdBtn", QRDetailedSpdBtn, "QRDetailedSpdBtn", QStringLiteral("Detailed")));

    // ---- "&Job Select/Delete" ----
    QWidget* p3 = OvcNotebook1->AddPage(QStringLiteral("&Job Select/Delete"));
    auto* l3 = new QVBoxLayout(p3);
    l3->addWidget(new QLabel(QStringLiteral("Select Existing Job:"), p3));
    DBGrid2 = ui::Make<QTableView>(p3, "DBGrid2");
    new ui::DBGrid(DBGrid2, d->JobAvacData,
                   {{QStringLiteral("JobName"), QStringLiteral("JobName"), 260, {}, true},
                    {QStringLiteral("Location"), QStringLiteral("Location"), 220, {}, true}});
    l3->addWidget(DBGrid2, 1);
    DBNavigator2 = new ui::DBNavigator(d->JobAvacData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, p3);
    DBNavigator2->setObjectName(QStringLiteral("DBNavigator2"));
    auto* b3 = new QHBoxLayout;
    b3->addWidget(DBNavigator2);
    LoadBitBtn = ui::Make<QPushButton>(p3, "LoadBitBtn", QStringLiteral("Load Job"));
    DeleteBitBtn = ui::Make<QPushButton>(p3, "DeleteBitBtn", QStringLiteral("Delete Job"));
    ImportJobBtn = ui::Make<QPushButton>(p3, "ImportJobBtn", QStringLiteral("Import Job"));
    HelpImport = HelpButton(p3, "HelpImport");
    for (QWidget* w : std::initializer_list<QWidget*>{LoadBitBtn, DeleteBitBtn, ImportJobBtn, HelpImport})
        b3->addWidget(w);
    l3->addLayout(b3);

    StatusBar1 = AddStatusBar("StatusBar1", {160, 0});

    // ---- handlers ----
    OnClick(LoadBitBtn, [this] { LoadBitBtnClick(); });
    OnClick(DeleteBitBtn, [this] { DeleteBitBtnClick(); });
    OnClick(ImportJobBtn, [this] { ImportJobBtnClick(); });
    OnClick(Button1, [this] { Button1Click(); });
    OnClick(Button2, [this] { Button2Click(); });
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnHelp(SpeedButton2, 118);
    OnHelp(Help2SpdBtn, 119);
    OnHelp(HelpImport, 18);
    Handle(OvcNotebook1, &ui::Notebook::PageChanged, [this] { OvcNotebook1PageChanged(OvcNotebook1->PageIndex()); });
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    Handle(DBGrid2, &QTableView::doubleClicked, [this] { DBGrid2DblClick(); });
    Handle(PipeDBGrid, &QTableView::doubleClicked, [this] { PipeDBGridDblClick(); });
    Handle(TypeDBLookupComboBox, &QComboBox::activated, [this] { TypeDBLookupComboBoxClick(); });

    OnEnter(JobNameDBEdit, [this] { JobNameDBEditEnter(); });
    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    OnEnter(JobDesignerDBSF, [this] { JobDesignerDBSFEnter(); });
    for (QWidget* w : std::initializer_list<QWidget*>{JobLocationDBSF, JobDesignerDBSF, LanduserDBSF, IDDBSF, DateDBPF})
        OnExit(w, [this] { JobTextExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{PipeDescripDBSF, EModDBNF, OvcDbNumericField1, OvcDbNumericField2,
                                                      ThickDBNF, ODDBNF, DiaInDBNF, FillVelDBNF, OvcDbNumericField3,
                                                      SlopeDBNF, QDrainDBNF})
        OnEnter(w, [this] { DataFieldEnter(); });
    OnExit(PipeSourceChkBx, [this] { PipeSourceChkBxExit(); });
    OnExit(PipeMaterialSelection, [this] { PipeMaterialSelectionExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{ThickDBNF, ODDBNF, DiaInDBNF})
        OnExit(w, [this] { typedPipeExit(); });
    OnExit(SlopeRadioGroup, [this] { SlopeRadioGroupExit(); });
    // A choice of method takes effect at once, not only when the group is left.
    Handle(SlopeRadioGroup, &ui::RadioGroup::Clicked, [this] { SlopeRadioGroupExit(); });
    for (QWidget* w : std::initializer_list<QWidget*>{PipeMaterialSelection, TypeDBLookupComboBox, PipeSourceChkBx,
                                                      PipeDBGrid})
        SetEnterKey(w, ui::EnterKey::NextControl);
    // Enter in the list of stored jobs loads the highlighted one, as a double click does.
    SetEnterKey(DBGrid2, ui::EnterKey::PressTarget, LoadBitBtn);
    WatchJobEdits(OvcNotebook1, {d->WorkAvacData});
    // Of a typed pipe's two diameters, the one typed last gives the other.
    connect(ui::DBControl::Of(DiaInDBNF), &ui::DBControl::Edited, this, [this] { insideTyped_ = true; });
    connect(ui::DBControl::Of(ODDBNF), &ui::DBControl::Edited, this, [this] { insideTyped_ = false; });
}

// ---- showing and closing -------------------------------------------------------

void TAirVacDlg::FormShow()
{
    TDMod* d = DMod;
    Tul->Cancelled = false;
    Tul->SaveState = 2;
    db::Table* w = Work();
    OpenEmpty(w);
    if (!d->DefSysTable->Active())
        d->DefSysTable->Open();
    d->ToolKind = kAirVacTool;
    OvcNotebook1->setEnabled(false);
    StatusBar1->SetPanelText(0, QStringLiteral("Make Selection"));
}

void TAirVacDlg::FormClose()
{
    TDMod* d = DMod;
    db::Table* w = Work();
    if (!Tul->Cancelled) {
        PostRow();
        if (w->Active())
            w->Close();
        OfferSave();
        if (w->Active())
            w->Close();
    } else {
        if (Editing(w))
            w->Cancel();
        if (w->Active())
            w->Close();
    }
    // However it closes, the pipe lists are left as the editors expect them.
    for (db::Table* t : {d->PipeTable, d->TypeTable}) {
        t->SetFiltered(false);
        if (t->Active())
            t->Close();
    }
    ReleaseJob();
}

// ---- job commands --------------------------------------------------------------

void TAirVacDlg::ShowSavePrompt()
{
    ShowOwned(SaveTJob, this);
}

void TAirVacDlg::showJobName()
{
    const QString name = Work()->Active() ? DMod->WorkAvacTableJobName->AsString() : QString();
    StatusBar1->SetPanelText(1, QStringLiteral("Job Name: ") + name);
}

void TAirVacDlg::NewJobBtnClick()
{
    TDMod* d = DMod;
    FromPrevious = false;
    OfferSave();
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(0);
    CalcJobName.clear();
    CalcJobNumber = 0;
    PageMode = 0;
    NameVisited = false;
    SlopeRadioGroup->SetItemIndex(0);
    showDrainingMethod(true);
    StatusBar1->SetPanelText(0, QStringLiteral("Enter job data"));
    JobTrans->CloseAllTables();
    Tul->SaveState = 0;

    db::Table* w = Work();
    OpenEmpty(w);
    w->Append();
    d->WorkAvacTableDate->SetAsString(QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
    d->WorkAvacTableJobNumber->SetAsInteger(0);
    // Every new job starts from the local defaults, whoever closed them last.
    db::Table* defaults = d->DefLocTable;
    const bool opened = !defaults->Active();
    if (opened)
        defaults->Open();
    d->WorkAvacTableFillVel->SetValue(d->DefLocTableAVFillVel->Value());
    d->WorkAvacTablePipeMaterial->SetValue(d->DefLocTableAVPMaterial->Value());
    d->WorkAvacTableAirDen->SetValue(d->DefLocTableAVAirDen->Value());
    d->WorkAvacTableFlowCoef->SetValue(d->DefLocTableAVFlowCoef->Value());
    if (opened)
        defaults->Close();
    d->WorkAvacTableSelectPipeDB->SetAsBoolean(true);
    d->WorkAvacTableSlpeGiven->SetAsBoolean(true);
    w->Post();
    w->Edit();
    SelectedPipeLbl->clear();
    SaveJobBtn->setEnabled(true);
    QRDetailedSpdBtn->setEnabled(false);
    insideTyped_ = false;
    // The pipe list of the default source shows at once.
    PipeSourceChkBxExit();
    SetFocus(JobNameDBEdit);
}

void TAirVacDlg::PrevJobBtnClick()
{
    FromPrevious = true;
    OfferSave();
    db::Table* jobs = DMod->JobAvacTable;
    jobs->SetIndexName(QStringLiteral("JobNameIndex"));
    if (NoPreviousJobs(jobs))
        return;
    CalcJobName.clear();
    PageMode = 0;
    if (Work()->Active() && !Work()->IsEmpty()) {
        EditRow();
        DMod->WorkAvacTableVacQ->SetAsFloat(0);
    }
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(3);
    SetFocus(DBGrid2);
}

void TAirVacDlg::LoadBitBtnClick()
{
    TDMod* d = DMod;
    db::Table* jobs = d->JobAvacTable;
    if (!jobs->Active() || jobs->IsEmpty())
        return;
    Tul->JobName = d->JobAvacTableJobName->AsString();
    PageMode = 0;
    StatusBar1->SetPanelText(0, QStringLiteral("Edit job data"));
    JobTrans->CloseAllTables();
    {
        ui::CursorScope wait;
        if (!JobTrans->LoadAirVacJob())
            return;
    }
    CalcJobName = Tul->JobName;
    CalcJobNumber = Tul->JobNumber;
    NameVisited = false;
    insideTyped_ = false;
    // The method of the loaded job decides how its pages compute.
    EditRow();
    showDrainingMethod(d->WorkAvacTableSlpeGiven->AsBoolean());
    SlopeRadioGroup->SetItemIndex(SlopeMethod ? 0 : 1);
    if (SlopeMethod)
        d->WorkAvacTableVacQ->SetAsFloat(0);
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(0);
    OvcNotebook1->setUpdatesEnabled(false);
    OvcNotebook1->SetPageIndex(1);
    OvcNotebook1->SetPageIndex(2);
    OvcNotebook1->setUpdatesEnabled(true);
    EditRow();
    SelectedPipeLbl->setText(d->WorkAvacTablePipeDescription->AsString());
    PipeSourceChkBxExit();
    showJobName();
    // Just loaded, the job has nothing to save until it is edited; Save Job
    // still offers its export.
    Tul->SaveState = 2;
    SaveJobBtn->setEnabled(true);
}

void TAirVacDlg::DeleteBitBtnClick()
{
    TDMod* d = DMod;
    db::Table* jobs = d->JobAvacTable;
    // Nothing listed, nothing to delete.
    if (!jobs->Active() || jobs->IsEmpty())
        return;
    const QString name = d->JobAvacTableJobName->AsString();
    if (ui::MessageDlg(QStringLiteral("Do you really want to delete ") + name + QStringLiteral("?"),
                       ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes)
        return;
    JobTrans->RemoveAirVacJob(d->JobAvacTableJobNumber->AsInteger());
}

void TAirVacDlg::ImportJobBtnClick()
{
    TDMod* d = DMod;
    // The job on the pages is replaced: what it has unsaved is offered first.
    OfferSave();
    if (!JobTrans->ImportAirVacJob())
        return;
    EditRow();
    CalcJobName = Tul->JobName;
    CalcJobNumber = Tul->JobNumber;
    NameVisited = false;
    insideTyped_ = false;
    PageMode = 0;
    StatusBar1->SetPanelText(0, QStringLiteral("Edit job data"));
    showDrainingMethod(d->WorkAvacTableSlpeGiven->AsBoolean());
    SlopeRadioGroup->SetItemIndex(SlopeMethod ? 0 : 1);
    SelectedPipeLbl->setText(d->WorkAvacTablePipeDescription->AsString());
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(0);
    PipeSourceChkBxExit();
    showJobName();
    SaveJobBtn->setEnabled(true);
}

void TAirVacDlg::SaveJobBtnClick()
{
    PostRow();
    ShowSavePrompt();
    EditRow();
}

// ---- pages ---------------------------------------------------------------------

bool TAirVacDlg::nameMissing()
{
    if (!JobNameDBEdit->text().trimmed().isEmpty())
        return false;
    OvcNotebook1->SetPageIndex(0);
    Error(kNoName);
    SetFocus(JobNameDBEdit);
    return true;
}

void TAirVacDlg::OvcNotebook1Click()
{
    if (OvcNotebook1->PageIndex() != 0)
        nameMissing();
}

void TAirVacDlg::OvcNotebook1PageChanged(int page)
{
    // A job without a name is turned back to its first page by the click
    // that follows; its input and output pages have nothing to work on. The
    // list of stored jobs needs no job.
    if ((page == 1 || page == 2) && JobNameDBEdit->text().trimmed().isEmpty())
        return;
    db::Table* w = Work();
    switch (page) {
    case 0:
        EditRow();
        PageMode = 0;
        StatusBar1->SetPanelText(0, QStringLiteral("Edit"));
        showJobName();
        break;
    case 1:
        StatusBar1->SetPanelText(0, QStringLiteral("Edit"));
        showJobName();
        if (PageMode == 0)
            PostRow();
        EditRow();
        SetFocus(DMod->WorkAvacTableSelectPipeDB->AsBoolean() ? FillVelDBNF : PipeDescripDBSF);
        PageMode = 1;
        break;
    case 2:
        PostRow();
        ComputeAirVac();
        PostRow();
        if (w->Active())
            w->Refresh();
        EditRow();
        // The report prints results: none, nothing to print.
        QRDetailedSpdBtn->setEnabled(w->Active() && !w->IsEmpty() && !DMod->WorkAvacTableVacOrifice->IsNull());
        PageMode = 2;
        break;
    case 3: {
        db::Table* jobs = DMod->JobAvacTable;
        if (!jobs->Active())
            jobs->Open();
        jobs->First();
        PageMode = 3;
        StatusBar1->SetPanelText(0, QStringLiteral("Select or delete"));
        showJobName();
        break;
    }
    default:
        break;
    }
}

void TAirVacDlg::Button1Click()
{
    if (!nameMissing())
        OvcNotebook1->SetPageIndex(1);
}

void TAirVacDlg::Button2Click()
{
    if (!nameMissing())
        OvcNotebook1->SetPageIndex(2);
}

// ---- job texts -----------------------------------------------------------------

void TAirVacDlg::JobNameDBEditEnter()
{
    NameVisited = true;
    EditRow();
}

void TAirVacDlg::JobNameDBEditExit()
{
    TDMod* d = DMod;
    db::Table* jobs = d->JobAvacTable;
    if (!jobs->Active())
        jobs->Open();
    const QString name = JobNameDBEdit->text().trimmed();
    if (name.isEmpty() || !Work()->Active() || Work()->IsEmpty())
        return;
    if (!jobs->Locate(QStringLiteral("JobName"), name)) {
        if (FromPrevious &&
            ui::MessageDlg(QStringLiteral("Save job as: ") + name + QStringLiteral("?"), ui::MsgType::Confirmation,
                           ui::mbYesNo) != ui::mrYes) {
            SetFocus(JobNameDBEdit);
            return;
        }
        PostAndEdit();
        Tul->SaveState = 0;
        if (!FromPrevious)
            ui::MessageDlg(QStringLiteral("Job will be saved as ") + name + QStringLiteral("."),
                           ui::MsgType::Information, ui::mbOK);
        showJobName();
    } else if (d->JobAvacTableJobNumber->AsInteger() == d->WorkAvacTableJobNumber->AsInteger()) {
        // The job's own name, typed again.
        NameVisited = true;
    } else {
        Error(QStringLiteral("Job name already used, please enter a unique name."));
        SetFocus(JobNameDBEdit);
        return;
    }
    CalcJobName = d->WorkAvacTableJobName->AsString();
}

void TAirVacDlg::JobDesignerDBSFEnter()
{
    if (CalcJobName.isEmpty()) {
        Error(QStringLiteral("You must enter a Job Name"));
        SetFocus(JobNameDBEdit);
    }
}

void TAirVacDlg::JobTextExit()
{
    PostRow();
}

void TAirVacDlg::DataFieldEnter()
{
    EditRow();
}

// ---- the pipe ------------------------------------------------------------------

void TAirVacDlg::PipeSourceChkBxExit()
{
    TDMod* d = DMod;
    if (!SettleRow())
        return;
    const bool fromDatabase = d->WorkAvacTableSelectPipeDB->AsBoolean();
    TypeDBLookupComboBox->setEnabled(fromDatabase);
    GroupBox3->setEnabled(fromDatabase);
    PipeGroupBox->setEnabled(!fromDatabase);
    SetCaptionActive(PipeGroupBox, !fromDatabase);
    for (QLabel* l : PipeGroupBox->findChildren<QLabel*>())
        SetCaptionActive(l, !fromDatabase);
    PipeGroupBox->setStyleSheet(fromDatabase ? QString() : QStringLiteral("QGroupBox { color: blue; }"));
    if (fromDatabase) {
        // Sizes of the listed material from 1/2 to 48 in, smallest first.
        d->TypeTable->SetFiltered(true);
        if (!d->TypeTable->Active())
            d->TypeTable->Open();
        d->FilterLow = 0.5;
        d->FilterHigh = 48.0;
        d->PipeFilterMode = 0;
        d->PipeTable->SetFiltered(true);
        d->PipeTable->SetIndexName(QStringLiteral("DiaIndex"));
        if (d->PipeTable->Active())
            d->PipeTable->Refresh();
        else
            d->PipeTable->Open();
    } else {
        d->WorkAvacTablePipeType->SetAsString(QString());
        OvcNotebook1->SetPageIndex(1);
    }
}

void TAirVacDlg::TypeDBLookupComboBoxClick()
{
    TDMod* d = DMod;
    EditRow();
    d->WorkAvacTablePipeType->SetAsString(d->TypeTablePipeType->AsString());
    PostAndEdit();
    if (d->PipeTable->Active())
        d->PipeTable->Refresh();
}

void TAirVacDlg::PipeDBGridDblClick()
{
    TDMod* d = DMod;
    if (!d->PipeTable->Active() || d->PipeTable->IsEmpty())
        return;
    EditRow();
    const double id = d->PipeTableIDin->AsFloat();
    const double wall = d->PipeTableWallThickin->AsFloat();
    d->WorkAvacTablePipeDescription->SetAsString(d->PipeTablePipeDescription->AsString());
    d->WorkAvacTablePipeWallT->SetAsFloat(wall);
    d->WorkAvacTableModulus->SetValue(d->PipeTableModulus->Value());
    d->WorkAvacTableOD->SetAsFloat(id + 2.0 * wall);
    d->WorkAvacTableDiaIn->SetAsFloat(id);
    SelectedPipeLbl->setText(d->PipeTablePipeDescription->AsString());
    PostAndEdit();
    MarkChanged();
}

void TAirVacDlg::PipeMaterialSelectionExit()
{
    TDMod* d = DMod;
    if (!SettleRow())
        return;
    const QString material = d->WorkAvacTablePipeMaterial->AsString();
    const std::optional<AirVacMaterial> m = AirVacMaterialOf(material);
    if (!m) {
        Error(UnknownMaterialMessage(material));
        SetFocus(PipeMaterialSelection);
        return;
    }
    d->WorkAvacTableCfac->SetAsFloat(m->Cfac);
    d->WorkAvacTableModulus->SetAsFloat(m->Modulus);
    d->WorkAvacTablePoissonsRatio->SetAsFloat(m->PoissonsRatio);
}

// A typed pipe keeps its two diameters two walls apart. The outside, the
// inside diameter and the wall may be typed in any order: once the wall and
// a diameter are known the other diameter follows from the one typed last,
// and a changed wall moves it again. Nothing is asked for while a value is
// still missing; the Output page names what is. A wall too thick for the
// outside diameter is refused where it was typed: the value typed is given
// back and the focus stays, so the three values always agree.
void TAirVacDlg::typedPipeExit()
{
    TDMod* d = DMod;
    if (d->WorkAvacTableSelectPipeDB->AsBoolean() || !Work()->Active() || Work()->IsEmpty()) {
        PostAndEdit();
        return;
    }
    const double wall = d->WorkAvacTablePipeWallT->AsFloat();
    db::Field* given = insideTyped_ ? d->WorkAvacTableDiaIn : d->WorkAvacTableOD;
    if (!insideTyped_ && wall > 0 && given->AsFloat() > 0 && !(given->AsFloat() > 2.0 * wall)) {
        if (ui::DBControl* typed = ui::DBControl::Of(ActiveControl()))
            if (db::Field* f = typed->Field()) f->SetValue(f->OldValue());
        throw ui::InputError(WallTooThickMessage());
    }
    PostAndEdit();
    if (!(wall > 0) || given->IsNull() || !(given->AsFloat() > 0))
        return;
    if (insideTyped_)
        d->WorkAvacTableOD->SetAsFloat(given->AsFloat() + 2.0 * wall);
    else
        d->WorkAvacTableDiaIn->SetAsFloat(given->AsFloat() - 2.0 * wall);
    PostAndEdit();
}

void TAirVacDlg::showDrainingMethod(bool slopeGiven)
{
    SlopeMethod = slopeGiven;
    for (QWidget* w : std::initializer_list<QWidget*>{SlopeLbl, SlopeDBNF, OutSlopeLbl})
        w->setEnabled(slopeGiven);
    QDrainLbl->setEnabled(!slopeGiven);
    QDrainDBNF->setEnabled(!slopeGiven);
}

void TAirVacDlg::SlopeRadioGroupExit()
{
    const int item = SlopeRadioGroup->ItemIndex();
    if (item < 0)
        return;
    showDrainingMethod(item == 0);
    if (Work()->Active() && !Work()->IsEmpty() && DMod->WorkAvacTableSlpeGiven->AsBoolean() != SlopeMethod) {
        EditRow();
        DMod->WorkAvacTableSlpeGiven->SetAsBoolean(SlopeMethod);
        MarkChanged();
    }
}

// ---- computing and printing ----------------------------------------------------

void TAirVacDlg::ComputeAirVac()
{
    TDMod* d = DMod;
    db::Table* w = Work();
    if (!w->Active() || w->IsEmpty())
        return;
    EditRow();
    AirVacInput in;
    in.Material = d->WorkAvacTablePipeMaterial->AsString();
    in.FlowCoef = d->WorkAvacTableFlowCoef->AsFloat();
    in.AirDen = d->WorkAvacTableAirDen->AsFloat();
    in.Modulus = d->WorkAvacTableModulus->AsFloat();
    in.WallThick = d->WorkAvacTablePipeWallT->AsFloat();
    in.OD = d->WorkAvacTableOD->AsFloat();
    in.DiaIn = d->WorkAvacTableDiaIn->AsFloat();
    in.SlopeGiven = SlopeMethod;
    in.Slope = d->WorkAvacTableSlope->AsFloat();
    in.DrainQ = d->WorkAvacTableVacQ->AsFloat();
    in.FillVel = d->WorkAvacTableFillVel->AsFloat();
    const AirVacResult r = ComputeAirVacOrifices(in);
    if (!r.Problem.isEmpty()) {
        // No result is left standing for inputs it was not computed from.
        for (db::Field* f : {d->WorkAvacTablePCollapse, d->WorkAvacTableVacOrifice, d->WorkAvacTableAirRelOrifice,
                             d->WorkAvacTableFillQ})
            f->Clear();
        if (SlopeMethod)
            d->WorkAvacTableVacQ->Clear();
        Error(r.Problem);
        return;
    }
    d->WorkAvacTablePoissonsRatio->SetAsFloat(r.PoissonsRatio);
    d->WorkAvacTableCfac->SetAsFloat(r.Cfac);
    if (SlopeMethod)
        d->WorkAvacTableVacQ->SetAsFloat(r.VacQ);
    d->WorkAvacTablePCollapse->SetAsFloat(r.PCollapse);
    d->WorkAvacTableVacOrifice->SetAsFloat(r.VacOrifice);
    d->WorkAvacTableAirRelOrifice->SetAsFloat(r.AirRelOrifice);
    d->WorkAvacTableFillQ->SetAsFloat(r.FillQ);
}

void TAirVacDlg::QRDetailedSpdBtnClick()
{
    ui::CursorScope wait;
    PostRow();
    if (!Work()->Active())
        Work()->Open();
    reports::OpenedForms forms;
    forms.Create(QRAirvac, this);
    report::Preview(QRAirvac->QuickRepAirvac, this);
}
