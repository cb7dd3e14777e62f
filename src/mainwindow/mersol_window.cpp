#include "mainwindow/mersol_window.h"

#include "dialogs/database/local_defaults_editor.h"
#include "dialogs/database/job_list_dialog.h"
#include "dialogs/database/system_defaults_editor.h"
#include "dialogs/database/minor_loss_editor.h"
#include "dialogs/database/pipe_data_editor.h"
#include "dialogs/database/pipe_type_editor.h"
#include "dialogs/database/remove_job_dialog.h"
#include "dialogs/database/save_job_dialog.h"
#include "dialogs/database/unit_cost_editor.h"
#include "dialogs/profile/dialog_helpers.h"
#include "dialogs/system/known_flow_dialog.h"
#include "dialogs/system/system_dialog_rules.h"
#include "dialogs/system/air_vacuum_calculator.h"
#include "dialogs/system/gated_pipe_calculator.h"
#include "dialogs/system/manifold_calculator.h"
#include "dialogs/system/stock_water_calculator.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "designer/about_box.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/preview.h"
#include "platform/ui/application.h"
#include "platform/ui/cursor.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/dbgrid.h"
#include "platform/ui/help.h"
#include "platform/ui/menus.h"
#include "platform/ui/notebook.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/statusbar.h"
#include "reports/job_list_report.h"
#include "reports/report_commands.h"

#include <QCheckBox>
#include <QDate>
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
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TMersolForm* MersolForm = nullptr;

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

namespace {

// Creates a dialog owned by the main window into its pointer, shows it
// modally, deletes it and resets the pointer, also when something throws.
template <class Dlg>
void showOwned(Dlg*& pointer, QWidget* owner)
{
    ShowOwned(pointer, owner);
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
    DrawTitleTexts(p, QStringLiteral("Mersol"), QStringLiteral("Serial Pipeline Design"));
    return pm;
}


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
    OnClick(OKBitBtn2, [this] { OKBitBtn2Click(); });
    OnClick(OKBitBtn3, [this] { OKBitBtn3Click(); });
    OnClick(DeleteNodeBtn, [this] { DeleteNodeSpdBtnClick(); });
    OnClick(EditProfileBtn, [this] { EditNodeSpdBtnClick(); });
    connect(ProfDBGrid2, &QTableView::doubleClicked, this, [this] { ProfDBGrid2DblClick(); });
    connect(OvcNotebook1, &ui::Notebook::PageChanged, this, [this](int page) { OvcNotebook1PageChanged(page); });
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    OnClick(QRDetailedSpdBtn, [this] { QRDetailedSpdBtnClick(); });
    OnClick(QRSummarySpdBtn, [this] { QRSummarySpdBtnClick(); });
    OnClick(QRCostSpdBtn, [this] { QRCostSpdBtnClick(); });
    OnClick(QRGraphBitBtn, [this] { QRGraphBitBtnClick(); });
    connectJobHandlers();
    ShowSystemDataHook = [this] { ShowSystemData(this); };
    ShowAboutBoxHook = [](QWidget* owner) { showOwned(AboutBox, owner); };
    connectNodeCommands();
}

TMersolForm::~TMersolForm()
{
    if (MersolForm == this) MersolForm = nullptr;
    ShowSystemDataHook = nullptr;
    ShowAboutBoxHook = nullptr;
    if (DMod && bound_) DMod->RefreshProfileChart = nullptr;
    NodeKindDialogOpener = nullptr;
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
    Panel1 = BuildJobButtonBar(parent, ExitBtn, NewJobBtn, PrevJobBtn, SaveJobBtn, CancelJobBitBtn);
}

QFrame* BuildJobButtonBar(QWidget* parent, QPushButton*& exitBtn, QPushButton*& newJobBtn, QPushButton*& prevJobBtn,
                          QPushButton*& saveJobBtn, QPushButton*& cancelJobBtn)
{
    auto* panel = ui::Make<QFrame>(parent, "Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(4, 4, 4, 4);
    struct B { QPushButton** out; const char* name; const char* caption; const char* hint; };
    const B buttons[] = {
        {&exitBtn, "ExitBtn", "E&xit", "Exit from program"},
        {&newJobBtn, "NewJobBtn", "&New Job", "Start a new pipeline job"},
        {&prevJobBtn, "PrevJobBtn", "&Previous Job", "Get a previous job"},
        {&saveJobBtn, "SaveJobBtn", "&Save Job", "Save this job"},
        {&cancelJobBtn, "CancelJobBitBtn", "Cancel Job", nullptr},
    };
    for (const B& b : buttons) {
        *b.out = ui::Make<QPushButton>(panel, b.name, QString::fromLatin1(b.caption));
        if (b.hint) ui::SetHint(*b.out, QString::fromLatin1(b.hint));
        h->addWidget(*b.out);
    }
    h->addStretch(1);
    return panel;
}

void TMersolForm::buildJobPage(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    MersolImage = MakeTitlePicture(page, "MersolImage", startPicture());
    grid->addWidget(MersolImage, 0, 0);

    ScrollBox1 = ui::Make<QFrame>(page, "ScrollBox1");
    ScrollBox1->setAutoFillBackground(true);
    grid->addWidget(ScrollBox1, 0, 0);
    auto* outer = new QVBoxLayout(ScrollBox1);
    outer->setContentsMargins(0, 0, 0, 0);
    ScrollArea1 = ui::Make<QScrollArea>(ScrollBox1, "ScrollArea1");
    ScrollArea1->setWidgetResizable(true);
    ScrollArea1->setFrameShape(QFrame::NoFrame);
    outer->addWidget(ScrollArea1);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBox1Content"));
    ScrollArea1->setWidget(content);
    auto* box = new QGridLayout(content);
    box->setContentsMargins(6, 4, 6, 4);
    box->setVerticalSpacing(4);

    JobIdentGroupBox = ui::Make<QGroupBox>(content, "JobIdentGroupBox", QStringLiteral("Job Identification"));
    auto* ident = new QGridLayout(JobIdentGroupBox);
    ident->setVerticalSpacing(2);
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
        (*f.out)->setMaximumWidth(140);   // leaves the system panel room for its captions
        ident->addWidget(*f.out, row, 1);
        if (row == 0) {
            // The name spans its row; the note sits under it.
            ident->addWidget(new QLabel(QStringLiteral("(Required, must be unique)"), JobIdentGroupBox), ++row, 1);
        }
        ++row;
    }
    box->addWidget(JobIdentGroupBox, 0, 0);

    Panel5 = ui::Make<QFrame>(content, "Panel5");
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
    box->addWidget(Panel5, 0, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Job Notes"), content));
    JobNotesDBMemo = ui::Make<QPlainTextEdit>(content, "JobNotesDBMemo");
    JobNotesDBMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    left->addWidget(JobNotesDBMemo, 1);
    auto* date = new QHBoxLayout;
    date->addWidget(new QLabel(QStringLiteral("Date"), content));
    DateDBPF = ui::Make<QLineEdit>(content, "DateDBPF");
    DateDBPF->setMaxLength(12);
    date->addWidget(DateDBPF);
    date->addStretch(1);
    left->addLayout(date);
    box->addLayout(left, 1, 0);

    EntranceDataGroupBox = ui::Make<QGroupBox>(content, "EntranceDataGroupBox");
    buildSystemPanel();
    box->addWidget(EntranceDataGroupBox, 1, 1);

    auto* buttons = new QHBoxLayout;
    OKBitBtn2 = ui::Make<QPushButton>(content, "OKBitBtn2", QStringLiteral("OK"));
    BitBtn1 = ui::Make<QPushButton>(content, "BitBtn1", QStringLiteral("&Help"));
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn2);
    buttons->addWidget(BitBtn1);
    box->addLayout(buttons, 2, 0, 1, 2);
    box->setRowStretch(1, 1);
    box->setColumnStretch(0, 2);
    box->setColumnStretch(1, 3);

    // Tab order of the job page.
    QWidget* order[] = {JobNameDBEdit, JobLocationDBSF, JobDesignerDBSF, LanduserDBSF, IDDBDF, JobClassDBSF,
                        SelSystemEditBtn, SysTypeRadioGroup->Button(0), SysTypeRadioGroup->Button(1),
                        SysTypeRadioGroup->Button(2), SysTypeRadioGroup->Button(3), JobNotesDBMemo, DateDBPF,
                        OKBitBtn2, BitBtn1};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    ScrollBox1->hide();
}

// The system data panel: a left column at 8 and a right column at 168
// pixels, each entry a caption over its value and unit. Values that stand in
// for another (the inlet pressure, clearance head and tank range) start
// hidden elsewhere and are moved into place by whoever shows them.
void TMersolForm::buildSystemPanel()
{
    QGroupBox* g = EntranceDataGroupBox;
    g->setMinimumSize(316, 372);
    QFont normal = font();
    normal.setPointSize(normal.pointSize());   // explicit, so the group's font does not pass down
    QFont small = normal;
    small.setPointSize(std::max(7, small.pointSize() - 1));
    // The long group captions take a smaller font still; the panel keeps the normal one.
    QFont title = normal;
    title.setPointSize(std::max(7, normal.pointSize() - 2));
    g->setFont(title);
    auto label = [&](const char* name, const char* caption, int x, int y, int w = 40) {
        auto* l = ui::Make<QLabel>(g, name, QString::fromLatin1(caption));
        l->setFont(normal);
        l->setGeometry(x, y, w, 16);
        return l;
    };
    auto caption = [&](const char* name, const char* text, int x, int y) {
        // Two lines at most, standing on the value below.
        auto* l = label(name, text, x, y, 156);
        l->setFont(small);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        l->setGeometry(x, y - 12, 156, 28);
        return l;
    };
    // Elevations and flows take the wider box; percentages, temperatures
    // and pressures the narrow one with their unit at 208.
    auto value = [&](const char* name, int x, int y, int w = 52) {
        auto* l = label(name, "", x, y, w);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return l;
    };
    DesignFlowLbl = caption("DesignFlowLbl", "Design Flow Rate", 8, 16);
    DesignFlowDBTxt = value("DesignFlowDBTxt", 8, 32);
    gpmLbl1 = label("gpmLbl1", "gpm", 64, 32);
    Qcfs = value("Qcfs", 168, 32);
    cfsLbl = label("cfsLbl", "cfs", 224, 32);
    WaterSElevLbl = caption("WaterSElevLbl", "Water Surface Elevation", 8, 56);
    WSElevDBTxt = value("WSElevDBTxt", 8, 72);
    PsiInDBTxt = value("PsiInDBTxt", 96, 72, 38);
    feetLbl1 = label("feetLbl1", "feet", 64, 72);
    PumpEyeLbl = caption("PumpEyeLbl", "Elevation of Pump Eye", 168, 56);
    PumpEyeElevDBTxt = value("PumpEyeElevDBTxt", 168, 72);
    feetLbl2 = label("feetLbl2", "feet", 224, 72);
    ColumnLossLbl = caption("ColumnLossLbl", "Friction Head in Additional Pump Column", 8, 96);
    ColumnLossDBTxt = value("ColumnLossDBTxt", 8, 112);
    feetLbl4 = label("feetLbl4", "feet", 64, 112);
    PumpEffLbl = caption("PumpEffLbl", "Estimated Pump Efficiency", 168, 96);
    PumpEfficDBTxt = value("PumpEfficDBTxt", 168, 112, 38);
    pctLbl1 = label("pctLbl1", "percent", 208, 112, 140);
    AltitudeLbl = caption("AltitudeLbl", "Altitude (Elevation)", 8, 136);
    AltitudeDBTxt = value("AltitudeDBTxt", 8, 152);
    ClearHeadDBTxt = value("ClearHeadDBTxt", 96, 152, 38);
    feetLblx = label("feetLblx", "feet", 64, 152);
    WaterTempLbl = caption("WaterTempLbl", "Maximum Probable Water Temp", 168, 136);
    WaterTempDBTxt = value("WaterTempDBTxt", 168, 152, 38);
    TankRangeDBTxt = value("TankRangeDBTxt", 256, 152, 38);
    degLblx = label("degLblx", "degrees", 208, 152, 60);
    EntNotesLbl = label("EntNotesLbl", "Entrance Notes", 8, 176, 150);
    EntNotesMemo = ui::Make<QPlainTextEdit>(g, "EntNotesMemo");
    EntNotesMemo->setFont(normal);
    EntNotesMemo->setGeometry(8, 192, 300, 42);
    EntNotesMemo->setReadOnly(true);
    EntNotesMemo->setFocusPolicy(Qt::NoFocus);
    SucPipeLbl = label("SucPipeLbl", "Centrifugal Pump Suction Pipe", 8, 240, 200);
    CentPumpGrid = ui::Make<QTableView>(g, "CentPumpGrid");
    CentPumpGrid->setFont(normal);
    CentPumpGrid->setGeometry(8, 256, 300, 70);
    CentPumpGrid->setFocusPolicy(Qt::NoFocus);
    AvailSHLbl = caption("AvailSHLbl", "Available SH", 8, 336);
    AvailSHDBTxt = value("AvailSHDBTxt", 8, 348);
    feetASH = label("feetASH", "feet", 64, 348);
    TDSHLbl = caption("TDSHLbl", "Total Dynamic SH", 168, 336);
    TDSHDBTxt = value("TDSHDBTxt", 168, 348);
    feetTDSH = label("feetTDSH", "feet", 224, 348);
    for (QWidget* w : g->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != EntNotesLbl && w != EntNotesMemo) w->hide();
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
    buildProfileChart(page);
    v->addWidget(DBChart1, 1);
}

void TMersolForm::buildOutputPage(QWidget* page)
{
    auto* v = new QVBoxLayout(page);
    buildOutChart(page);
    v->addWidget(OutChart, 2);
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
}

// The data module is made after the window: its sources are bound on the first show.
void TMersolForm::bindData()
{
    if (bound_ || !DMod) return;
    bound_ = true;
    bindProfileChart();
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

    // The job header page and the system data panel.
    db::DataSource* pipe = DMod->WorkPipeData;
    new ui::DBEdit(JobNameDBEdit, pipe, QStringLiteral("JobName"));
    new ui::DBEdit(JobLocationDBSF, pipe, QStringLiteral("Location"));
    new ui::DBEdit(JobDesignerDBSF, pipe, QStringLiteral("Designer"));
    new ui::DBEdit(LanduserDBSF, pipe, QStringLiteral("Landuser"));
    new ui::DBEdit(IDDBDF, pipe, QStringLiteral("ID"));
    new ui::DBEdit(JobClassDBSF, pipe, QStringLiteral("JobClass"));
    new ui::DBMemo(JobNotesDBMemo, pipe, QStringLiteral("JobNotes"));
    new ui::DBDateEdit(DateDBPF, pipe, QStringLiteral("Date"));
    new ui::DBCheckBox(DetMLCheckBox, pipe, QStringLiteral("DetailedML"));
    const std::pair<QLabel*, const char*> texts[] = {
        {DesignFlowDBTxt, "DesignFlow"}, {WSElevDBTxt, "WSElev"},         {PsiInDBTxt, "PsiIn"},
        {PumpEyeElevDBTxt, "PumpEyeElev"}, {AltitudeDBTxt, "Altitude"},   {ClearHeadDBTxt, "ClearHead"},
        {ColumnLossDBTxt, "ColumnLoss"},   {PumpEfficDBTxt, "PumpEffic"}, {WaterTempDBTxt, "WaterTemp"},
        {TankRangeDBTxt, "TankRange"},     {AvailSHDBTxt, "AvailSH"},     {TDSHDBTxt, "TDSH"},
    };
    for (const auto& [label, field] : texts) new ui::DBText(label, pipe, QString::fromLatin1(field));
    (new ui::DBMemo(EntNotesMemo, pipe, QStringLiteral("EntranceNotes")))->SetReadOnly(true);
    auto* suction = new ui::DBGrid(CentPumpGrid, DMod->WorkSuctionData,
                                   {{QStringLiteral("SegmentNo"), QStringLiteral("Seg"), 30, {}, false},
                                    {QStringLiteral("PipeLength"), QStringLiteral("Length"), 50, {}, false},
                                    {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Pipe"), 150, {}, false},
                                    {QStringLiteral("PipeQ"), QStringLiteral("Flow"), 50, {}, false}});
    suction->SetReadOnly(true);
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

bool CancelJobByKeyAllowed()
{
    if (Tul->SaveState == 2) return true;   // nothing to save
    return ui::MessageDlg(QStringLiteral("Cancel this job?  The changes not saved will be lost."),
                          ui::MsgType::Confirmation, ui::mbYesNo) == ui::mrYes;
}

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

// ---- job commands -------------------------------------------------------------

namespace {

const QStringList& systemTypeTexts()
{
    // The texts the local defaults name the default system type by.
    static const QStringList t = {QStringLiteral("Gravity system, known flow"),
                                  QStringLiteral("Gravity system, maximum flow"),
                                  QStringLiteral("Pumped system, known flow"),
                                  QStringLiteral("Pressurized system, known flow")};
    return t;
}

} // namespace

void PostIfEditing(db::Table* t)
{
    if (t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert) t->Post();
}

void EmptyWorkTable(db::Table* t)
{
    OpenIfClosed(t);
    if (!t->IsEmpty()) {
        t->Close();
        t->EmptyTable();
    }
}

void TMersolForm::connectJobHandlers()
{
    OnClick(NewJobBtn, [this] { NewJobBtnClick(); });
    OnClick(PrevJobBtn, [this] { PrevJobBtnClick(); });
    OnClick(SaveJobBtn, [this] { SaveJobBtnClick(); });
    Handle(NewJob1, &QAction::triggered, [this] { NewJob1Click(); });
    Handle(RevieworEditJob1, &QAction::triggered, [this] { RevieworEditJob1Click(); });
    Handle(SaveJob1, &QAction::triggered, [this] { SaveJob1Click(); });

    OnEnter(JobNameDBEdit, [this] { JobNameDBEditEnter(); });
    OnExit(JobNameDBEdit, [this] { JobNameDBEditExit(); });
    OnEnter(JobLocationDBSF, [this] { JobLocationDBSFEnter(); });
    OnEnter(JobDesignerDBSF, [this] { JobDesignerDBSFEnter(); });
    OnEnter(LanduserDBSF, [this] { LanduserDBSFEnter(); });
    OnEnter(IDDBDF, [this] { IDDBDFEnter(); });
    OnEnter(JobClassDBSF, [this] { JobClassDBSFEnter(); });
    for (QWidget* w : {static_cast<QWidget*>(JobLocationDBSF), static_cast<QWidget*>(JobDesignerDBSF),
                       static_cast<QWidget*>(LanduserDBSF), static_cast<QWidget*>(IDDBDF)})
        OnExit(w, [this] { HeaderFieldExit(); });
    OnExit(JobClassDBSF, [this] { JobClassDBSFExit(); });
    OnEnter(DateDBPF, [this] { DateDBPFEnter(); });
    OnExit(DateDBPF, [this] { DateDBPFExit(); });
    // The save dialog writes the job object's date into the job: a date typed
    // and saved from the menu, without leaving the field, must be that date.
    connect(DateDBPF, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (Tul && QDate::fromString(text, QStringLiteral("MM/dd/yyyy")).isValid()) Tul->Date = text;
    });
    OnEnter(JobNotesDBMemo, [this] { JobNotesDBMemoEnter(); });
    OnExit(JobNotesDBMemo, [this] { JobNotesDBMemoExit(); });
    SetEnterKey(JobNotesDBMemo, ui::EnterKey::FocusTarget, OKBitBtn2);
    OnEnter(DetMLCheckBox, [this] { DetMLCheckBoxEnter(); });
    OnExit(DetMLCheckBox, [this] { DetMLCheckBoxExit(); });

    OnEnter(SysTypeRadioGroup, [this] { SysTypeRadioGroupEnter(); });
    Handle(SysTypeRadioGroup, &ui::RadioGroup::Clicked, [this] { SysTypeRadioGroupClick(); });
    OnEnter(SelSystemEditBtn, [this] { SelSystemEditBtnEnter(); });
    OnClick(SelSystemEditBtn, [this] { SelSystemEditBtnClick(); });
    SetEnterKey(SelSystemEditBtn, ui::EnterKey::NextControl);
}

void TMersolForm::NewJobBtnClick()
{
    DMod->WorkTablesFree = false;
    JobNameEntered = false;
    LastPage = 0;
    Tul->JobListCancelled = false;
    CalculatorOpened = false;
    Tul->EditingNode = false;
    ChangePumpType = false;
    Tul->ProfEntryCancelled = false;
    Tul->GatedLossPick = false;
    if (Tul->SaveState != 2) showOwned(SaveForm, this);
    MainStatusBar->SetPanelText(0, QStringLiteral("Enter job data"));
    JobTrans->CloseAllTables();
    JobTrans->ResetJobRecord();
    Tul->NewJob = true;
    Tul->StoredJob = false;
    Tul->PrevJobLoaded = false;
    Tul->SaveState = 0;
    Tul->CheckRatings = true;
    Tul->Date = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));

    db::Table* pipe = DMod->WorkPipeTable;
    for (db::Table* t : {DMod->WorkProfTable, pipe}) {
        EmptyWorkTable(t);
        OpenIfClosed(t);
    }
    EditIfBrowsing(pipe);   // the emptied header starts its one row
    DMod->WorkPipeTableDate->SetAsString(Tul->Date);
    DMod->WorkPipeTableNoEnd->SetAsBoolean(false);
    for (db::Table* t : {DMod->WorkGatedTable, DMod->WorkSuctionTable, DMod->WorkTrickleTable}) EmptyWorkTable(t);

    EntranceDataGroupBox->hide();
    CancelJobBitBtn->setEnabled(true);
    SaveJobBtn->setEnabled(true);
    SaveJob1->setEnabled(true);
    MersolImage->hide();
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(1);
    OvcNotebook1->SetPageIndex(0);
    ScrollBox1->show();

    OpenIfClosed(DMod->DefLocTable);
    Tul->DetailedML = DMod->DefLocTableMinorLossDetail->AsBoolean();
    DetMLCheckBox->setChecked(Tul->DetailedML);
    OpenIfClosed(pipe);
    EditIfBrowsing(pipe);
    DMod->WorkPipeTableDetailedML->SetAsBoolean(Tul->DetailedML);
    pipe->Post();

    // A default the list does not know leaves the job without a system type.
    const int sysIndex = systemTypeTexts().indexOf(DMod->DefLocTableSysType->AsString());
    SysTypeRadioGroup->SetItemIndex(sysIndex);
    if (sysIndex >= 0) {
        EditIfBrowsing(pipe);
        DMod->WorkPipeTableSysType->SetAsString(SysTypeKeyword(sysIndex));
    }
    PostIfEditing(pipe);
    pipe->Edit();
    OvcNotebook1->SetPageIndex(0);
    SetFocus(JobNameDBEdit);
}

void TMersolForm::PrevJobBtnClick()
{
    LastPage = 0;
    JobNameEntered = false;
    Tul->JobListCancelled = false;
    Tul->ProfileEntryActive = false;
    CalculatorOpened = false;
    Tul->EditingNode = false;
    ChangePumpType = false;
    Tul->GatedLossPick = false;
    const ui::Cursor savedCursor = ui::ScreenCursor();
    JobImported = false;
    ReportEmptyJobStore(PrevJobBtn);
    if (Tul->SaveState != 2) showOwned(SaveForm, this);
    CancelJobBitBtnClick();
    Tul->NewJob = false;
    Tul->StoredJob = true;
    Tul->PrevJobLoaded = true;
    Tul->SaveState = 2;
    Tul->CheckRatings = true;
    DMod->JobFilterMode = 1;   // pipeline jobs
    showOwned(JobListForm, this);
    if (Tul->JobListCancelled) {
        CancelJobBitBtnClick();
        return;
    }
    if (JobImported) return;   // the import filled the tables and the window itself

    DMod->JobFilterMode = 2;
    // Empties the working tables and loads the header and the rows the job has.
    if (!LoadPickedJob(savedCursor)) {
        // The job left the store meanwhile (already reported).
        CancelJobBitBtnClick();
        return;
    }
    Tul->DetailedML = DMod->WorkPipeTableDetailedML->AsBoolean();
    DetMLCheckBox->setChecked(Tul->DetailedML);
    CancelJobBitBtn->setEnabled(true);
    SaveJobBtn->setEnabled(true);
    SaveJob1->setEnabled(true);
    Tul->SaveState = 2;
    MainStatusBar->SetPanelText(0, QStringLiteral("Data Output"));

    ShowSystemData(this);
    db::Table* prof = DMod->WorkProfTable;
    prof->DisableControls();
    struct Enable {
        db::Table* t;
        ~Enable() { t->EnableControls(); }
    } enable{prof};
    OvcNotebook1->SetPageIndex(2);
}

void TMersolForm::SaveJobBtnClick()
{
    PostIfEditing(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkSuctionTable);
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    showOwned(SaveForm, this);
}

// ---- job header fields ------------------------------------------------------

void TMersolForm::markJobChanged()
{
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    EditIfBrowsing(DMod->WorkPipeTable);
}

bool TMersolForm::jobNameMissing()
{
    if (!Tul->JobName.isEmpty()) return false;
    ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
    SetFocus(JobNameDBEdit);
    return true;
}

void TMersolForm::JobNameDBEditEnter()
{
    markJobChanged();
    JobNameEntered = true;
}

void TMersolForm::JobLocationDBSFEnter()
{
    if (!jobNameMissing()) markJobChanged();
}

void TMersolForm::JobDesignerDBSFEnter()
{
    if (!jobNameMissing()) markJobChanged();
}

void TMersolForm::LanduserDBSFEnter() { markJobChanged(); }
void TMersolForm::IDDBDFEnter() { markJobChanged(); }

void TMersolForm::JobClassDBSFEnter()
{
    if (!jobNameMissing()) markJobChanged();
}

void TMersolForm::HeaderFieldExit() { PostIfEditing(DMod->WorkPipeTable); }

void TMersolForm::JobClassDBSFExit()
{
    PostIfEditing(DMod->WorkPipeTable);
    SetFocus(SelSystemEditBtn);
}

void TMersolForm::DateDBPFEnter() { markJobChanged(); }

void TMersolForm::DateDBPFExit()
{
    PostIfEditing(DMod->WorkPipeTable);
    Tul->Date = DMod->WorkPipeTableDate->AsString();
    SetFocus(SelSystemEditBtn);
}

void TMersolForm::JobNotesDBMemoEnter() { markJobChanged(); }

void TMersolForm::JobNotesDBMemoExit()
{
    PostIfEditing(DMod->WorkPipeTable);
    SetFocus(OKBitBtn2);
}

void TMersolForm::DetMLCheckBoxEnter() { EditIfBrowsing(DMod->WorkPipeTable); }

void TMersolForm::DetMLCheckBoxExit()
{
    db::Table* pipe = DMod->WorkPipeTable;
    EditIfBrowsing(pipe);
    Tul->DetailedML = DetMLCheckBox->isChecked();
    DMod->WorkPipeTableDetailedML->SetAsBoolean(Tul->DetailedML);
    pipe->Post();
    pipe->Edit();
    SetFocus(SelSystemEditBtn);
}

void TMersolForm::JobNameDBEditExit()
{
    JobNameFieldExit(this, JobNameEntered, JobNameDBEdit, JobLocationDBSF, MainStatusBar);
}

// Keeps stored job names unique: a name another stored job has replaces that
// job when the user agrees twice.
void JobNameFieldExit(ui::Form* form, bool& jobNameEntered, QWidget* nameField, QWidget* nextField,
                      ui::StatusBar* status)
{
    db::Table* pipe = DMod->WorkPipeTable;
    db::Table* jobs = DMod->JobPipeTable;
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    OpenIfClosed(jobs);
    const QString name = Tul->JobName;
    // A name new to the store: the job will be stored under a new number.
    auto storeAsNew = [pipe] {
        PostIfEditing(pipe);
        pipe->Edit();
        Tul->SaveState = 0;
    };
    auto goOn = [form, nextField, status] {
        form->SetFocus(nextField);
        status->SetPanelText(1, QStringLiteral("Job Name: ") + DMod->WorkPipeTableJobName->AsString());
    };
    if (name.isEmpty()) {
        // nothing to check
    } else if (jobs->Locate(QStringLiteral("JobName"), name)) {
        const int found = DMod->JobPipeTableJobNumber->AsInteger();
        if (found == DMod->WorkPipeTableJobNumber->AsInteger()) {
            // The job's own stored name.
            if (!jobNameEntered) {
                jobNameEntered = true;
                form->SetFocus(nextField);
            }
        } else if (ui::MessageDlg(QStringLiteral("The job ") + name +
                                      QStringLiteral(" already exists.  Do you want to replace it?"),
                                  ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes) {
            form->SetFocus(nameField);
        } else if (ui::MessageDlg(QStringLiteral("Are you sure you want to delete ") + name + QStringLiteral(" ?"),
                                  ui::MsgType::Confirmation, ui::mbYesNo) != ui::mrYes) {
            form->SetFocus(nextField);
        } else {
            JobTrans->RemoveStoredJob(found);   // its rows in every child table go with it
        }
    } else if (Tul->PrevJobLoaded) {
        if (ui::MessageDlg(QStringLiteral("Save job as: ") + name + QStringLiteral("?"), ui::MsgType::Confirmation,
                           ui::mbYesNo) == ui::mrYes) {
            storeAsNew();
            goOn();
        } else {
            form->SetFocus(nameField);
        }
    } else {
        storeAsNew();
        ui::MessageDlg(QStringLiteral("Job will be saved as ") + name + QStringLiteral("."), ui::MsgType::Information,
                       ui::mbOK);
        goOn();
    }
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
}

// ---- system type and the System button ------------------------------------------

namespace {

// The system data dialog of a system type for a new job. The types whose
// dialogs do not exist yet take their keyword without one.
void openNewJobSystemDialog(TMersolForm* form, int index)
{
    if (index == 0) showOwned(KnownFlowDlg, form);
}

void setRadioColour(ui::RadioGroup* g, const QColor& c)
{
    QPalette p = g->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    g->setPalette(p);
}

} // namespace

void TMersolForm::SysTypeRadioGroupEnter() { setRadioColour(SysTypeRadioGroup, QColor(128, 0, 128)); }

void TMersolForm::SysTypeRadioGroupClick()
{
    Tul->WasCancelled = false;
    BackupWorkTables(this);
    db::Table* pipe = DMod->WorkPipeTable;
    if (DMod->WorkPipeTableJobName->AsString().isEmpty()) {
        SetFocus(JobNameDBEdit);
        return;
    }
    // A stored job keeps its system type; the System button edits its data.
    if (!Tul->StoredJob) {
        db::Table* prof = DMod->WorkProfTable;
        OpenIfClosed(prof);
        const int index = SysTypeRadioGroup->ItemIndex();
        if (index >= 0 && index <= 3) {
            EditIfBrowsing(pipe);
            EditIfBrowsing(prof);   // a new job's entrance row starts here
            DMod->WorkPipeTableSysType->SetAsString(SysTypeKeyword(index));
            Tul->SysTypeCode = index;
            pipe->Post();
            const char* reach[] = {"GRAVBEG", "FULLBEG", "PUMPBEG", "PUMPBEG"};
            DMod->WorkProfTableReachType->SetAsString(QString::fromLatin1(reach[index]));
            prof->Post();
        }
        if (Tul->NewJob) openNewJobSystemDialog(this, index);
        setRadioColour(SysTypeRadioGroup, palette().color(QPalette::WindowText));
        SetFocus(OKBitBtn2);
        EntranceDataGroupBox->show();
    }
    if (Tul->WasCancelled) RestoreWorkTables(this);
}

void TMersolForm::SelSystemEditBtnEnter()
{
    if (Tul->SaveState != 0) Tul->SaveState = 1;
}

void TMersolForm::SelSystemEditBtnClick()
{
    if (Tul->JobName.isEmpty()) {
        ui::MessageDlg(QStringLiteral("You must enter a Job Name"), ui::MsgType::Error, ui::mbOK);
        SetFocus(JobNameDBEdit);
        return;
    }
    if (Tul->SaveState != 0) Tul->SaveState = 1;
    if (Tul->NewJob) {
        EditIfBrowsing(DMod->WorkProfTable);
        SysTypeRadioGroupClick();
    } else {
        // A loaded job: the dialog of its system type, without the undo copy.
        Tul->NewNode = false;
        const QString sysType = DMod->WorkPipeTableSysType->AsString();
        if (sysType == QLatin1String("GRAVITY")) {
            showOwned(KnownFlowDlg, this);
        } else if (sysType == QLatin1String("PUMPED") &&
                   DMod->WorkPipeTablePumpType->AsString() == QLatin1String("CENTRIF")) {
            Tul->LocateSuctionSegment();
        }
    }
    SetFocus(JobNotesDBMemo);
}

// ---- system data panel ----------------------------------------------------------

void ShowSystemData(TMersolForm* form)
{
    TMersolForm& f = *form;
    OpenIfClosed(DMod->WorkPipeTable);
    const QString sysType = DMod->WorkPipeTableSysType->AsString();
    const QString pumpType = DMod->WorkPipeTablePumpType->AsString();
    const QList<QWidget*> panel = f.EntranceDataGroupBox->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    auto layOut = [&](const QString& caption, std::initializer_list<std::pair<QWidget*, const char*>> shown) {
        f.EntranceDataGroupBox->setTitle(caption);
        for (QWidget* w : panel)
            if (w != f.EntNotesLbl && w != f.EntNotesMemo) w->hide();
        for (const auto& [w, text] : shown) {
            if (text)
                if (auto* l = qobject_cast<QLabel*>(w)) l->setText(QString::fromLatin1(text));
            w->show();
        }
        f.EntNotesLbl->show();
        f.EntNotesMemo->show();
    };
    auto pumpCase = [&](int pumpCode) {
        f.SysTypeRadioGroup->SetItemIndex(2);
        Tul->SysTypeCode = 2;
        Tul->PumpTypeCode = pumpCode;
    };
    const char* const wse = "Water Surface Elevation";
    const char* const eff = "Estimated Pump Efficiency";
    const QString edit = QStringLiteral(" (Click on 'System' button to edit)");
    bool pumpLabel = false;

    if (sysType == QLatin1String("GRAVITY")) {
        f.SysTypeRadioGroup->SetItemIndex(0);
        Tul->SysTypeCode = 0;
        layOut(QStringLiteral("Known Flow Gravity System Data") + edit,
               {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.cfsLbl, nullptr},
                {f.Qcfs, nullptr}, {f.WaterSElevLbl, wse}, {f.WSElevDBTxt, nullptr}, {f.feetLbl1, "feet"}});
    } else if (sysType == QLatin1String("FULLFLOW")) {
        f.SysTypeRadioGroup->SetItemIndex(1);
        Tul->SysTypeCode = 1;
        layOut(QStringLiteral("Maximum Flow Gravity System Data") + edit,
               {{f.WaterSElevLbl, wse}, {f.WSElevDBTxt, nullptr}, {f.feetLbl1, "feet"}});
    } else if (sysType == QLatin1String("PUMPED")) {
        pumpLabel = true;
        if (pumpType == QLatin1String("CENTRIF")) {
            pumpCase(1);
            layOut(QStringLiteral("Centrifugal Pump Data") + edit,
                   {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.cfsLbl, nullptr},
                    {f.Qcfs, nullptr}, {f.WaterSElevLbl, wse}, {f.WSElevDBTxt, nullptr}, {f.feetLbl1, "feet"},
                    {f.PumpEyeLbl, "Elevation of Pump Eye"}, {f.PumpEyeElevDBTxt, nullptr}, {f.feetLbl2, "feet"},
                    {f.AltitudeLbl, "Altitude (Elevation)"}, {f.AltitudeDBTxt, nullptr}, {f.feetLblx, "feet"},
                    {f.PumpEffLbl, eff}, {f.PumpEfficDBTxt, nullptr}, {f.pctLbl1, "percent"},
                    {f.WaterTempLbl, "Maximum Probable Water Temp"}, {f.WaterTempDBTxt, nullptr},
                    {f.degLblx, "degrees"}, {f.SucPipeLbl, nullptr}, {f.CentPumpGrid, nullptr},
                    {f.AvailSHLbl, nullptr}, {f.AvailSHDBTxt, nullptr}, {f.feetASH, "feet"}, {f.TDSHLbl, nullptr},
                    {f.TDSHDBTxt, nullptr}, {f.feetTDSH, "feet"}});
            OpenIfClosed(DMod->WorkSuctionTable);
        } else if (pumpType == QLatin1String("TURBINE") || pumpType == QLatin1String("PROPELLER")) {
            const bool propeller = pumpType == QLatin1String("PROPELLER");
            pumpCase(propeller ? 3 : 2);
            layOut(QString::fromLatin1(propeller ? "Propeller Pump Data" : "Turbine Pump Data") + edit,
                   {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.cfsLbl, nullptr},
                    {f.Qcfs, nullptr}, {f.WaterSElevLbl, wse}, {f.WSElevDBTxt, nullptr}, {f.feetLbl1, "feet"},
                    {f.PumpEyeLbl, "Pump Head Discharge Elevation"}, {f.PumpEyeElevDBTxt, nullptr},
                    {f.feetLbl2, "feet"}, {f.PumpEffLbl, eff}, {f.PumpEfficDBTxt, nullptr}, {f.pctLbl1, "percent"}});
            if (propeller) {
                f.ColumnLossLbl->setText(QStringLiteral("Friction Head in Additional Pump Column"));
                f.feetLbl4->setText(QStringLiteral("feet"));
                for (QWidget* w : {static_cast<QWidget*>(f.ColumnLossLbl), static_cast<QWidget*>(f.ColumnLossDBTxt),
                                   static_cast<QWidget*>(f.feetLbl4)})
                    w->show();
            }
        } else if (pumpType == QLatin1String("BOOSTER")) {
            pumpCase(4);
            layOut(QStringLiteral("Booster Pump Data") + edit,
                   {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.cfsLbl, nullptr},
                    {f.Qcfs, nullptr}, {f.WaterSElevLbl, "Pressure at Pump Inlet"}, {f.PsiInDBTxt, nullptr},
                    {f.feetLbl1, "psi"}, {f.PumpEyeLbl, "Elevation of Pump Eye"}, {f.PumpEyeElevDBTxt, nullptr},
                    {f.feetLbl2, "feet"}, {f.PumpEffLbl, eff}, {f.PumpEfficDBTxt, nullptr}, {f.pctLbl1, "percent"}});
            f.PsiInDBTxt->move(8, 72);
        } else if (pumpType == QLatin1String("AUTOPUMP")) {
            pumpCase(7);
            layOut(QStringLiteral("Automatic Pressure Tank System Data") + edit,
                   {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.cfsLbl, nullptr},
                    {f.Qcfs, nullptr}, {f.WaterSElevLbl, wse}, {f.WSElevDBTxt, nullptr}, {f.feetLbl1, "feet"},
                    {f.PumpEyeLbl, "Inlet Elev at Tank or Pipe"}, {f.PumpEyeElevDBTxt, nullptr}, {f.feetLbl2, "feet"},
                    {f.AltitudeLbl, "Clearance Head"}, {f.ClearHeadDBTxt, nullptr}, {f.feetLblx, "feet"},
                    {f.ColumnLossLbl, "Estimated Friction Loss Due to Pump Piping"}, {f.ColumnLossDBTxt, nullptr},
                    {f.feetLbl4, "feet"}, {f.PumpEffLbl, eff}, {f.PumpEfficDBTxt, nullptr}, {f.pctLbl1, "percent"},
                    {f.WaterTempLbl, "Pressure Tank Operating Range"}, {f.TankRangeDBTxt, nullptr},
                    {f.degLblx, "psi"}});
            f.ClearHeadDBTxt->move(8, 152);
            f.TankRangeDBTxt->move(168, 152);
            f.degLblx->move(208, 152);
        } else {
            pumpCase(0);
            pumpLabel = false;
            f.cfsLbl->show();
            f.Qcfs->show();
        }
    } else if (sysType == QLatin1String("PRESSURE")) {
        f.SysTypeRadioGroup->SetItemIndex(3);
        Tul->SysTypeCode = 3;
        layOut(QStringLiteral("Pressurized From Mainline Data") + edit,
               {{f.DesignFlowLbl, nullptr}, {f.DesignFlowDBTxt, nullptr}, {f.gpmLbl1, "gpm"}, {f.Qcfs, nullptr},
                {f.PumpEffLbl, "Pressure Status"}, {f.pctLbl1, nullptr}});
        QPalette p = f.pctLbl1->palette();
        p.setColor(QPalette::WindowText, QColor(128, 0, 0));
        f.pctLbl1->setPalette(p);
        f.pctLbl1->move(168, f.pctLbl1->y());
        if (pumpType == QLatin1String("PRESSFIND")) {
            f.pctLbl1->setText(QStringLiteral("Find Required Pressure"));
        } else if (pumpType == QLatin1String("PRESSKNOWN")) {
            f.pctLbl1->setText(QStringLiteral("Known Required Pressure"));
            f.WaterSElevLbl->setText(QStringLiteral("Lateral Entrance Pressure"));
            f.feetLbl1->setText(QStringLiteral("psi"));
            f.PsiInDBTxt->move(8, 72);
            for (QWidget* w : {static_cast<QWidget*>(f.WaterSElevLbl), static_cast<QWidget*>(f.PsiInDBTxt),
                               static_cast<QWidget*>(f.feetLbl1)})
                w->show();
        }
    }
    if (pumpLabel) {
        QPalette p = f.pctLbl1->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        f.pctLbl1->setPalette(p);
        f.pctLbl1->move(208, f.pctLbl1->y());
    }
    // The cfs beside the flow is this job's, not what a dialog left there
    // for the job before.
    if (f.Qcfs->isVisibleTo(f.EntranceDataGroupBox))
        f.Qcfs->setText(CfsText(DMod->WorkPipeTableDesignFlow->AsFloat() / 448.83));

    f.MainStatusBar->SetPanelText(1, QStringLiteral("Job Name: ") + DMod->WorkPipeTableJobName->AsString());
    if (f.MersolImage->isVisible()) f.MersolImage->hide();
    f.OvcNotebook1->setEnabled(true);
    f.ScrollBox1->show();
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

void BackupWorkTables(TMersolForm*)
{
    const auto pairs = undoPairs();
    for (const UndoPair& p : pairs) p.save->EmptyTable();
    for (const UndoPair& p : pairs) db::BatchMove(*p.work, *p.save, db::BatchMode::Append);
}

void RestoreWorkTables(TMersolForm*)
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

bool TMersolForm::EscapeAllowed() { return CancelJobByKeyAllowed(); }
