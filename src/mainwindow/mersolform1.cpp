#include "mainwindow/mersolform1.h"

#include "dialogs/database/deflocdlg.h"
#include "dialogs/database/defsysdlg.h"
#include "dialogs/database/minorlossform.h"
#include "dialogs/database/pipedataform.h"
#include "dialogs/database/pipetypeform.h"
#include "dialogs/database/removejobdlg1.h"
#include "dialogs/database/savedlg1.h"
#include "dialogs/database/unitcostinfrm2.h"
#include "dialogs/system/airvacdlg.h"
#include "dialogs/system/gatedtooldlg.h"
#include "dialogs/system/manifolddlg.h"
#include "dialogs/system/stockcalcdlg.h"
#include "engine/hydcalc1.h"
#include "mainwindow/aboutbox.h"
#include "model/dattrans.h"
#include "model/dmod1.h"
#include "model/startup.h"
#include "model/tulclass.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/preview.h"
#include "platform/ui/application.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/menus.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "reports/qrjoblist1.h"
#include "reports/reportcommands.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TMersolForm* MersolForm = nullptr;

namespace {

// Creates a dialog owned by the main window into its pointer, shows it
// modally, deletes it and resets the pointer, also when something throws.
template <class Dlg>
void showOwned(Dlg*& pointer, QWidget* owner)
{
    pointer = new Dlg(owner);
    struct Reset {
        Dlg*& p;
        ~Reset()
        {
            delete p;
            p = nullptr;
        }
    } reset{pointer};
    pointer->ShowModal();
}

QToolButton* helpButton(QWidget* parent, const char* name, const QString& hint)
{
    auto* b = ui::Make<QToolButton>(parent, name);
    b->setText(QStringLiteral("?"));
    b->setToolTip(hint);
    b->setFixedSize(24, 24);
    return b;
}

// The start picture: a pipeline laid over a field, under the program's name.
QPixmap startPicture()
{
    QPixmap pm(640, 420);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(1, QColor(200, 225, 245));
    p.fillRect(0, 0, 640, 260, sky);
    QPainterPath ground;
    ground.moveTo(0, 250);
    ground.cubicTo(160, 210, 320, 300, 640, 240);
    ground.lineTo(640, 420);
    ground.lineTo(0, 420);
    ground.closeSubpath();
    p.fillPath(ground, QColor(110, 160, 70));
    p.setPen(QPen(QColor(40, 60, 140), 6));
    p.drawLine(40, 300, 200, 285);
    p.drawLine(200, 285, 380, 320);
    p.drawLine(380, 320, 600, 300);
    p.setBrush(QColor(240, 240, 240));
    p.setPen(QPen(Qt::black, 2));
    for (QPoint n : {QPoint(40, 300), QPoint(200, 285), QPoint(380, 320), QPoint(600, 300)}) p.drawEllipse(n, 7, 7);
    p.setPen(Qt::white);
    p.setFont(ui::ArialFont(40, true));
    p.drawText(QRect(0, 40, 640, 70), Qt::AlignCenter, QStringLiteral("Mersol"));
    p.setFont(ui::ArialFont(16, true));
    p.drawText(QRect(0, 110, 640, 40), Qt::AlignCenter, QStringLiteral("Serial Pipeline Design"));
    return pm;
}

// The start picture keeps its colours while the notebook is disabled.
class StretchedPicture : public QLabel {
public:
    using QLabel::QLabel;
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.drawPixmap(rect(), pixmap());
    }
};

QString stationColumn(const QVariant& v)
{
    if (v.isNull() || v.toDouble() < 0 || !Hyd) return {};
    return Hyd->StationText(v.toDouble());
}

} // namespace

// ---- construction -----------------------------------------------------------

TMersolForm::TMersolForm()
{
    setObjectName(QStringLiteral("MersolForm"));
    SetCaption(QStringLiteral("Mersol Serial Pipeline Design     (Version 1.2)"));
    resize(657, 545);
    SetPosition(ui::Position::ScreenCenter);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    MainMenu1 = ui::Make<QMenuBar>(this, "MainMenu1");
    lay->setMenuBar(MainMenu1);
    buildMenus();
    buildTopBar(this);
    lay->addWidget(Panel1);

    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    OvcNotebook1->SetActiveTabStyle(ui::CourierFont(9).family(), 9, Qt::red, 22);
    buildJobPage(OvcNotebook1->AddPage(QStringLiteral("&General Job Data")));
    buildProfilePage(OvcNotebook1->AddPage(QStringLiteral("&Profile Edit Data")));
    buildOutputPage(OvcNotebook1->AddPage(QStringLiteral("&Output")));
    lay->addWidget(OvcNotebook1, 1);

    MainStatusBar = ui::Make<ui::StatusBar>(this, "MainStatusBar");
    MainStatusBar->SetPanels({150, 150});
    lay->addWidget(MainStatusBar);

    OnClick(ExitBtn, [this] { ExitBtnClick(); });
    OnClick(CancelJobBitBtn, [this] { CancelJobBitBtnClick(); });
    SetCancelButton(CancelJobBitBtn);
    OnClick(BitBtn1, [this] { BitBtn1Click(); });
    OnClick(SysTypeHelpBtn, [this] { SysTypeHelpBtnClick(); });
    OnClick(ProfInHlpSpeedButton5, [this] { HelpSpdBtnClick(); });
    OnClick(Help2SpdBtn, [this] { Help2SpdBtnClick(); });
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnClick(QRSummarySpdBtn, [this] { QRSummarySpdBtnClick(); });
    OnClick(QRCostSpdBtn, [this] { QRCostSpdBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
}

TMersolForm::~TMersolForm()
{
    if (MersolForm == this) MersolForm = nullptr;
}

void TMersolForm::buildMenus()
{
    QMenu* file = ui::AddMenu(MainMenu1, QStringLiteral("&File"), "File1");
    // The job commands are connected by the job-command handlers.
    NewJob1 = file->addAction(QStringLiteral("&New Job"));
    NewJob1->setObjectName(QStringLiteral("NewJob1"));
    RevieworEditJob1 = file->addAction(QStringLiteral("&Review or Edit Job..."));
    RevieworEditJob1->setObjectName(QStringLiteral("RevieworEditJob1"));
    SaveJob1 = file->addAction(QStringLiteral("&Save Job"));
    SaveJob1->setObjectName(QStringLiteral("SaveJob1"));
    ui::AddSeparator(file);
    MaintainJobDatabase1 = ui::AddItem(file, "MaintainJobDatabase1", QStringLiteral("&Delete Job"), this,
                                       [this] { MaintainJobDatabase1Click(); });
    ui::AddSeparator(file);
    Exit1 = ui::AddItem(file, "Exit1", QStringLiteral("E&xit"), this, [this] { Exit1Click(); });

    QMenu* tools = ui::AddMenu(MainMenu1, QStringLiteral("&Tools"), "Tools1");
    StockwaterRequirementCalculator1 =
        ui::AddItem(tools, "StockwaterRequirementCalculator1", QStringLiteral("&Stockwater Requirement Calculator"),
                    this, [this] { StockwaterRequirementCalculator1Click(); });
    TrickleManifoledCalculator1 = ui::AddItem(tools, "TrickleManifoledCalculator1", QStringLiteral("&Manifold Calculator"),
                                              this, [this] { TrickleManifoledCalculator1Click(); });
    AirVacCalculator1 = ui::AddItem(tools, "AirVacCalculator1", QStringLiteral("&AirVac Calculator"), this,
                                    [this] { AirVacCalculator1Click(); });
    GatedPipeCalculator1 = ui::AddItem(tools, "GatedPipeCalculator1", QStringLiteral("&Gated Pipe Calculator"), this,
                                       [this] { GatedPipeCalculator1Click(); });

    QMenu* reports = ui::AddMenu(MainMenu1, QStringLiteral("&Reports"), "Reports1");
    ListofJobs1 = ui::AddItem(reports, "ListofJobs1", QStringLiteral("&List of Jobs"), this, [this] { ListofJobs1Click(); });

    QMenu* defaults = ui::AddMenu(MainMenu1, QStringLiteral("&Defaults"), "Defaults1");
    SystemDefaults1 = ui::AddItem(defaults, "SystemDefaults1", QStringLiteral("&System Defaults"), this,
                                  [this] { SystemDefaults1Click(); });
    LocalDefaults1 = ui::AddItem(defaults, "LocalDefaults1", QStringLiteral("&Local Defaults"), this,
                                 [this] { LocalDefaults1Click(); });

    QMenu* pipes = ui::AddMenu(MainMenu1, QStringLiteral("&Pipe Database"), "PipeDatabase1");
    PipeMaterialDatabase1 = ui::AddItem(pipes, "PipeMaterialDatabase1", QStringLiteral("Pipe &Size/Rating Database"),
                                        this, [this] { PipeMaterialDatabase1Click(); });
    PipeTypeDatabase1 = ui::AddItem(pipes, "PipeTypeDatabase1", QStringLiteral("Pipe &Types Database"), this,
                                    [this] { PipeTypeDatabase1Click(); });
    ui::AddSeparator(pipes);
    MinorLossDatabase1 = ui::AddItem(pipes, "MinorLossDatabase1", QStringLiteral("&Minor Loss Database"), this,
                                     [this] { MinorLossDatabase1Click(); });
    ui::AddSeparator(pipes);
    UintCostDatabase1 = ui::AddItem(pipes, "UintCostDatabase1", QStringLiteral("&Unit Cost Database"), this,
                                    [this] { UintCostDatabase1Click(); });

    QMenu* help = ui::AddMenu(MainMenu1, QStringLiteral("&Help"), "Help1");
    Contents1 = ui::AddItem(help, "Contents1", QStringLiteral("&Contents"), this, [this] { Contents1Click(); });
    SearchforHelpon1 = ui::AddItem(help, "SearchforHelpon1", QStringLiteral("&Search for Help on..."), this,
                                   [this] { SearchforHelpon1Click(); });
    LearningtouseMersolandDunstrow1 =
        ui::AddItem(help, "LearningtouseMersolandDunstrow1", QStringLiteral("Learning to use Mersol and Dunstrow"), this,
                    [this] { LearningtouseMersolandDunstrow1Click(); });
    ui::AddSeparator(help);
    About1 = ui::AddItem(help, "About1", QStringLiteral("&About"), this, [this] { About1Click(); });
}

void TMersolForm::buildTopBar(QWidget* parent)
{
    Panel1 = ui::Make<QFrame>(parent, "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(Panel1);
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
        *b.out = ui::Make<QPushButton>(Panel1, b.name, QString::fromLatin1(b.caption));
        if (b.hint) ui::SetHint(*b.out, QString::fromLatin1(b.hint));
        h->addWidget(*b.out);
    }
    h->addStretch(1);
}

void TMersolForm::buildJobPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    MersolImage = ui::Make<StretchedPicture>(page, "MersolImage");
    MersolImage->setPixmap(startPicture());
    MersolImage->setScaledContents(true);
    MersolImage->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    grid->addWidget(MersolImage, 0, 0);

    ScrollBox1 = ui::Make<QFrame>(page, "ScrollBox1");
    ScrollBox1->setAutoFillBackground(true);
    grid->addWidget(ScrollBox1, 0, 0);
    auto* box = new QGridLayout(ScrollBox1);

    JobIdentGroupBox = ui::Make<QGroupBox>(ScrollBox1, "JobIdentGroupBox", QStringLiteral("Job Identification"));
    auto* ident = new QGridLayout(JobIdentGroupBox);
    struct F { QLineEdit** out; const char* name; const char* label; int length; };
    const F fields[] = {
        {&JobNameDBEdit, "JobNameDBEdit", "Job Name", 50},  {&JobLocationDBSF, "JobLocationDBSF", "Job Location", 40},
        {&JobDesignerDBSF, "JobDesignerDBSF", "Job Designer", 35}, {&LanduserDBSF, "LanduserDBSF", "Land User", 24},
        {&IDDBDF, "IDDBDF", "ID", 12},                      {&JobClassDBSF, "JobClassDBSF", "Job  Class", 10},
    };
    int row = 0;
    for (const F& f : fields) {
        ident->addWidget(new QLabel(QString::fromLatin1(f.label), JobIdentGroupBox), row, 0);
        *f.out = ui::Make<QLineEdit>(JobIdentGroupBox, f.name);
        (*f.out)->setMaxLength(f.length);
        ident->addWidget(*f.out, row, 1);
        if (row == 0) ident->addWidget(new QLabel(QStringLiteral("(Required, must be unique)"), JobIdentGroupBox), row, 2);
        ++row;
    }
    box->addWidget(JobIdentGroupBox, 0, 0);

    Panel5 = ui::Make<QFrame>(ScrollBox1, "Panel5");
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* p5 = new QGridLayout(Panel5);
    SelSystemEditBtn = ui::Make<QPushButton>(Panel5, "SelSystemEditBtn", QStringLiteral("System "));
    SysTypeRadioGroup = ui::Make<ui::RadioGroup>(Panel5, "SysTypeRadioGroup", QStringLiteral("Select System Type"));
    SysTypeRadioGroup->SetItems({QStringLiteral("Gravity system, known flow"), QStringLiteral("Gravity system, maximum flow"),
                                 QStringLiteral("Pumped system, known flow"), QStringLiteral("Pressurized lateral, known flow")});
    ui::SetHint(SysTypeRadioGroup, QStringLiteral("Select system type"));
    SysTypeHelpBtn = helpButton(Panel5, "SysTypeHelpBtn", QStringLiteral("Help with system type"));
    DetMLCheckBox = ui::Make<QCheckBox>(Panel5, "DetMLCheckBox", QStringLiteral("Detailed Minor Loss Calc's?"));
    DetMLCheckBox->setChecked(true);
    DetMLCheckBox->setFocusPolicy(Qt::ClickFocus);
    ui::SetHint(DetMLCheckBox, QStringLiteral("Check here for detailed minor loss calc's"));
    p5->addWidget(SysTypeRadioGroup, 0, 0, 1, 2);
    p5->addWidget(SysTypeHelpBtn, 0, 2, Qt::AlignTop);
    p5->addWidget(SelSystemEditBtn, 1, 0);
    p5->addWidget(DetMLCheckBox, 1, 1, 1, 2);
    box->addWidget(Panel5, 1, 0);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Job Notes"), ScrollBox1));
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(ScrollBox1, "JobNotesDBMemo");
    JobNotesDBMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    right->addWidget(JobNotesDBMemo, 1);
    auto* date = new QHBoxLayout;
    date->addWidget(new QLabel(QStringLiteral("Date"), ScrollBox1));
    DateDBPF = ui::Make<QLineEdit>(ScrollBox1, "DateDBPF");
    DateDBPF->setMaxLength(12);
    date->addWidget(DateDBPF);
    right->addLayout(date);
    EntranceDataGroupBox = ui::Make<QGroupBox>(ScrollBox1, "EntranceDataGroupBox");
    EntranceDataGroupBox->setMinimumHeight(120);
    right->addWidget(EntranceDataGroupBox, 1);
    box->addLayout(right, 0, 1, 2, 1);

    auto* buttons = new QHBoxLayout;
    OKBitBtn2 = ui::Make<QPushButton>(ScrollBox1, "OKBitBtn2", QStringLiteral("OK"));
    BitBtn1 = ui::Make<QPushButton>(ScrollBox1, "BitBtn1", QStringLiteral("&Help"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn2);
    buttons->addWidget(BitBtn1);
    box->addLayout(buttons, 2, 0, 1, 2);
    ScrollBox1->hide();
}

void TMersolForm::buildProfilePage(QWidget* page)
{
    auto* v = new QVBoxLayout(page);
    Panel3 = ui::Make<QFrame>(page, "Panel3");
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(Panel3);
    h->setContentsMargins(4, 2, 4, 2);
    ProfInHlpSpeedButton5 = helpButton(Panel3, "ProfInHlpSpeedButton5", QStringLiteral("Help with editing nodes"));
    h->addWidget(ProfInHlpSpeedButton5);
    EditProfileBtn = ui::Make<QPushButton>(Panel3, "EditProfileBtn", QStringLiteral("Edit Node"));
    InsertNodeSpdBtn = ui::Make<QPushButton>(Panel3, "InsertNodeSpdBtn", QStringLiteral("Insert Node"));
    DeleteNodeBtn = ui::Make<QPushButton>(Panel3, "DeleteNodeBtn", QStringLiteral("Delete Node"));
    OKBitBtn3 = ui::Make<QPushButton>(Panel3, "OKBitBtn3", QStringLiteral("OK"));
    AddNodeBtn = ui::Make<QPushButton>(Panel3, "AddNodeBtn", QStringLiteral("Add Node"));
    for (QPushButton* b : {EditProfileBtn, InsertNodeSpdBtn, DeleteNodeBtn, OKBitBtn3, AddNodeBtn}) h->addWidget(b);
    h->addStretch(1);
    v->addWidget(Panel3);
    ProfDBGrid2 = ui::Make<QTableView>(page, "ProfDBGrid2");
    v->addWidget(ProfDBGrid2, 1);
    DBChart1 = ui::Make<chart::ChartWidget>(page, "DBChart1");
    DBChart1->chart().Title.Text = QStringLiteral("Pipeline Profile");
    PointSeries1 = DBChart1->chart().AddSeries(chart::SeriesKind::Point, QStringLiteral("Nodes"));
    v->addWidget(DBChart1, 1);
}

void TMersolForm::buildOutputPage(QWidget* page)
{
    auto* v = new QVBoxLayout(page);
    DBGrid1 = ui::Make<QTableView>(page, "DBGrid1");
    v->addWidget(DBGrid1, 1);
    Panel2 = ui::Make<QFrame>(page, "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(Panel2);
    h->setContentsMargins(4, 2, 4, 2);
    QRDetailedSpdBtn = ui::Make<QPushButton>(Panel2, "QRDetailedSpdBtn", QStringLiteral("Detailed"));
    QRSummarySpdBtn = ui::Make<QPushButton>(Panel2, "QRSummarySpdBtn", QStringLiteral("Summary"));
    QRCostSpdBtn = ui::Make<QPushButton>(Panel2, "QRCostSpdBtn", QStringLiteral("Cost"));
    QRGraphBitBtn = ui::Make<QPushButton>(Panel2, "QRGraphBitBtn", QStringLiteral("Graph"));
    Help2SpdBtn = helpButton(Panel2, "Help2SpdBtn", QStringLiteral("Help"));
    for (QWidget* w : std::initializer_list<QWidget*>{QRDetailedSpdBtn, QRSummarySpdBtn, QRCostSpdBtn, QRGraphBitBtn,
                                                       Help2SpdBtn})
        h->addWidget(w);
    h->addStretch(1);
    v->addWidget(Panel2);
    OutChart = ui::Make<chart::ChartWidget>(page, "OutChart");
    OutChart->chart().Title.Text = QStringLiteral("Profile");
    v->addWidget(OutChart, 1);
}

// The data module is made after the window: its sources are bound on the first show.
void TMersolForm::bindData()
{
    if (bound_ || !DMod) return;
    bound_ = true;
    DBNavigator2 = new ui::DBNavigator(DMod->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, Panel3);
    DBNavigator2->setObjectName(QStringLiteral("DBNavigator2"));
    static_cast<QHBoxLayout*>(Panel3->layout())->insertWidget(1, DBNavigator2);
    OutNavigator = new ui::DBNavigator(DMod->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, Panel2);
    OutNavigator->setObjectName(QStringLiteral("OutNavigator"));
    static_cast<QHBoxLayout*>(Panel2->layout())->insertWidget(5, OutNavigator);
    new ui::DBGrid(ProfDBGrid2, DMod->WorkProfData,
                   {{QStringLiteral("Station"), QStringLiteral("+ Station"), 70, stationColumn, false},
                    {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 80, {}, false},
                    {QStringLiteral("NodeTypeDesc"), QStringLiteral("Node Type"), 160, {}, false},
                    {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Down Stream Pipe"), 200, {}, false},
                    {QStringLiteral("PipeQ"), QStringLiteral("Flow (gpm)"), 80, {}, false}});
    new ui::DBGrid(DBGrid1, DMod->WorkProfData,
                   {{QStringLiteral("Station"), QStringLiteral("+ Station"), 70, stationColumn, false},
                    {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 80, {}, false},
                    {QStringLiteral("InvertElev"), QStringLiteral("Invert Elev"), 80, {}, false},
                    {QStringLiteral("Hgl"), QStringLiteral("HGL"), 80, {}, false},
                    {QStringLiteral("PipeQ"), QStringLiteral("Flow (gpm)"), 80, {}, false},
                    {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Down Stream Pipe"), 200, {}, false}});
}

// ---- form events ------------------------------------------------------------

void TMersolForm::FormActivate()
{
    ui::SetHelpFile(QStringLiteral("Mersol.HLP"));
    JobNameEntered = false;
    MersolImage->show();
    ScrollBox1->hide();
    if (DMod && !DMod->DefSysTable->Active()) DMod->DefSysTable->Open();
    CalculatorOpened = false;
}

void TMersolForm::FormShow()
{
    bindData();
    Tul->Cancelled = false;
    DMod->WorkTablesFree = true;
    Tul->SaveState = 2;
    PointSeries1->HandCursor = true;
    OvcNotebook1->setEnabled(false);
    if (!DMod->DefLocTable->Active()) DMod->DefLocTable->Open();
    CancelJobBitBtn->setEnabled(false);
    SaveJobBtn->setEnabled(false);
    SaveJob1->setEnabled(false);
    MainStatusBar->SetPanelText(0, QStringLiteral("Please make selection"));
    MainStatusBar->SetPanelText(1, QStringLiteral("Welcome to Mersol!"));
}

void TMersolForm::FormClose()
{
    if (DMod->WorkTablesFree || CalculatorOpened) Tul->SaveState = 2;
    if (Tul->SaveState != 2) showOwned(SaveForm, this);   // its answer does not stop the close
    if (DMod->DefLocTable->Active()) DMod->DefLocTable->Close();
    DeleteSingleObjects();
}

void TMersolForm::ExitBtnClick()
{
    Tul->Cancelled = false;
    Close();
}

void TMersolForm::CancelJobBitBtnClick()
{
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    CalculatorOpened = false;
    if (!DMod->WorkPipeTable->Active()) DMod->WorkPipeTable->Open();
    OvcNotebook1->SetPageIndex(0);
    SysTypeRadioGroup->SetItemIndex(-1);
    ScrollBox1->hide();
    if (OvcNotebook1->isEnabled()) OvcNotebook1->setEnabled(false);
    MainStatusBar->SetPanelText(0, QStringLiteral("Please make selection"));
    MainStatusBar->SetPanelText(1, QStringLiteral("Welcome to Mersol!"));
    MersolImage->show();
    CancelJobBitBtn->setEnabled(false);
    SaveJobBtn->setEnabled(false);
    SaveJob1->setEnabled(false);
    Tul->JobListCancelled = false;
}

// ---- menus ------------------------------------------------------------------

void TMersolForm::MaintainJobDatabase1Click() { showOwned(RemoveJobsDlg, this); }
void TMersolForm::SystemDefaults1Click() { showOwned(DefSysDlg, this); }
void TMersolForm::LocalDefaults1Click() { showOwned(DefLocDlg, this); }
void TMersolForm::PipeMaterialDatabase1Click() { showOwned(PipeDataForm, this); }
void TMersolForm::PipeTypeDatabase1Click() { showOwned(PipeTypeForm, this); }
void TMersolForm::MinorLossDatabase1Click() { showOwned(MinorLossForm, this); }
void TMersolForm::UintCostDatabase1Click() { showOwned(UnitCostInFrm, this); }
void TMersolForm::About1Click() { showOwned(AboutBox, this); }

template <class Dlg>
void TMersolForm::launchCalculator(Dlg*& pointer, bool always)
{
    if (always || !DMod->WorkTablesFree) LeaveCurrentJob(this);
    CancelJobBitBtn->setEnabled(true);
    CancelJobBitBtnClick();
    CalculatorOpened = true;
    showOwned(pointer, this);
}

void TMersolForm::TrickleManifoledCalculator1Click()
{
    Tul->SysTypeCode = 4;
    launchCalculator(ManifoldDlg, false);
}

void TMersolForm::StockwaterRequirementCalculator1Click() { launchCalculator(StockCalcDlg, false); }
void TMersolForm::AirVacCalculator1Click() { launchCalculator(AirVacDlg, false); }
void TMersolForm::GatedPipeCalculator1Click() { launchCalculator(GatedToolDlg, true); }

void TMersolForm::ListofJobs1Click()
{
    ui::CursorScope wait(ui::Cursor::HourGlass);
    if (!DMod->JobPipeTable->Active()) DMod->JobPipeTable->Open();
    DMod->JobFilterMode = 2;
    PreviewJobListReport(this);
    DMod->JobPipeTable->Close();
}

void TMersolForm::QRDetailedSpdBtnClick() { QRDetailedCommand(this); }
void TMersolForm::QRSummarySpdBtnClick() { QRSummaryCommand(this); }
void TMersolForm::QRCostSpdBtnClick() { QRCostCommand(this); }
void TMersolForm::QRGraphBitBtnClick() { QRGraphCommand(this); }

void TMersolForm::Contents1Click() { ui::HelpContents(); }
void TMersolForm::SearchforHelpon1Click() { ui::HelpSearch(QString()); }
void TMersolForm::LearningtouseMersolandDunstrow1Click() { ui::HelpContext(160); }

// ---- help buttons -----------------------------------------------------------

void TMersolForm::BitBtn1Click() { ui::HelpContext(19); }
void TMersolForm::SysTypeHelpBtnClick() { ui::HelpContext(108); }
void TMersolForm::HelpSpdBtnClick() { ui::HelpContext(41); }
void TMersolForm::Help2SpdBtnClick() { ui::HelpContext(46); }

// ---- leaving the designer job for a calculator --------------------------------

void LeaveCurrentJob(TMersolForm* form)
{
    // The notebook goes back to the job page while the job is still in place:
    // turning the page runs the page handler, which works on the job header
    // and must not find it closed or emptied.
    form->OvcNotebook1->SetPageIndex(0);

    DMod->WorkTablesFree = true;
    if (Tul->SaveState != 2) showOwned(SaveForm, form);
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    for (db::Table* t : {DMod->WorkProfTable, DMod->WorkPipeTable}) {
        if (!t->Active()) t->Open();
        if (!t->IsEmpty()) {
            t->Close();
            t->EmptyTable();
        }
    }
    form->OvcNotebook1->SetPageIndex(0);
    form->OvcNotebook1->setEnabled(false);
    form->SaveJobBtn->setEnabled(false);
    form->SaveJob1->setEnabled(false);
    form->ScrollBox1->hide();
    form->MersolImage->show();
    form->MainStatusBar->SetPanelText(0, QString());
    form->MainStatusBar->SetPanelText(1, QString());
}
