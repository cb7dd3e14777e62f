#include "mainwindow/mersol_window.h"
#include "model/program_kind.h"

#include "dialogs/editors/local_defaults_editor.h"
#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/editors/system_defaults_editor.h"
#include "dialogs/editors/minor_loss_editor.h"
#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/editors/pipe_type_editor.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/system/known_flow_dialog.h"
#include "dialogs/system/centrifugal_pump_dialog.h"
#include "dialogs/system/full_flow_dialog.h"
#include "dialogs/system/pressure_main_dialog.h"
#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/pump_selection_dialog.h"
#include "dialogs/system/system_dialog_rules.h"
#include "dialogs/calculators/air_vacuum_calculator.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "designer/about_box.h"
#include "model/job_transfer.h"
#include "model/data_module.h"
#include "engine/single_objects.h"
#include "model/job.h"
#include "model/node_rules.h"
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
#include "designer/report_commands.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
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

#include <algorithm>
#include <functional>

TMersolForm* MersolForm = nullptr;

namespace {


} // namespace



namespace {

// Creates a dialog owned by the main window into its pointer, shows it
// modally, deletes it and resets the pointer, also when something throws.
template <class Dlg>
void showOwned(Dlg*& pointer, QWidget* owner)
{
    ShowOwned(pointer, owner);
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


// Lays the system panel out by what it shows: the entrance notes follow the
// last entry above them, and the panel is as tall as its contents, so that
// a gravity panel leaves the page room and the centrifugal one, with its
// suction grid below the notes, gets the height it needs.
class PanelFit : public QObject {
public:
    PanelFit(QGroupBox* panel, QWidget* notesLabel, QWidget* notes)
        : QObject(panel), panel_(panel), notesLabel_(notesLabel), notes_(notes)
    {
    }
    void Fit()
    {
        if (busy_) return;
        busy_ = true;
        const QList<QWidget*> controls = panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        int entries = 0;
        for (QWidget* w : controls)
            if (w != notesLabel_ && w != notes_ && w->isVisibleTo(panel_) && w->y() < kNotesTop)
                entries = std::max(entries, w->geometry().bottom());
        notesLabel_->move(notesLabel_->x(), std::min(entries + 8, kNotesTop));
        notes_->move(notes_->x(), notesLabel_->geometry().bottom() + 1);
        int bottom = 0;
        for (QWidget* w : controls)
            if (w->isVisibleTo(panel_)) bottom = std::max(bottom, w->geometry().bottom());
        panel_->setMinimumHeight(bottom + 8);
        busy_ = false;
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::Move:
        case QEvent::Resize:
            Fit();
            break;
        default:
            break;
        }
        return false;
    }

    static constexpr int kNotesTop = 176;   // below the lowest row of entries

private:
    QGroupBox* panel_;
    QWidget* notesLabel_;
    QWidget* notes_;
    bool busy_ = false;
};

} // namespace

// ---- construction -----------------------------------------------------------

TMersolForm::TMersolForm()
{
    SetRunningProgram(Program::Mersol);
    QVBoxLayout* lay = buildFrame("MersolForm", QStringLiteral("Mersol Serial Pipeline Design     (Version 1.2)"));
    buildMenus();
    addJobButtonBar(lay);

    OvcNotebook1 = ui::Make<ui::Notebook>(this, "OvcNotebook1");
    OvcNotebook1->SetActiveTabStyle(ui::CourierFont(9).family(), 9, Qt::red, 22);
    buildJobPage(OvcNotebook1->AddPage(QStringLiteral("&General Job Data")));
    buildProfilePage(OvcNotebook1->AddPage(QStringLiteral("Profile &Edit Data")));
    buildOutputPage(OvcNotebook1->AddPage(QStringLiteral("&Output")));
    lay->addWidget(OvcNotebook1, 1);

    addStatusBar(lay);

    OnClick(ExitBtn, [this] { ExitBtnClick(); });
    OnClick(CancelJobBitBtn, [this] { CancelJobBitBtnClick(); });
    SetCancelButton(CancelJobBitBtn);
    OnClick(BitBtn1, [this] { BitBtn1Click(); });
    OnClick(SysTypeHelpBtn, [this] { SysTypeHelpBtnClick(); });
    OnClick(OKBitBtn2, [this] { OKBitBtn2Click(); });
    connectPageHandlers();
    Handle(OvcNotebook1, &ui::Notebook::Clicked, [this] { OvcNotebook1Click(); });
    connectJobHandlers();
    connectNodeCommands();
}

TMersolForm::~TMersolForm()
{
    if (MersolForm == this) MersolForm = nullptr;
    NodeKindDialogOpener = nullptr;
}

void TMersolForm::buildMenus()
{
    addFileMenu();

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

    addReportsMenu();

    QMenu* defaults = ui::AddMenu(MainMenu1, QStringLiteral("&Defaults"), "Defaults1");
    SystemDefaults1 = ui::AddItem(defaults, "SystemDefaults1", QStringLiteral("&System Defaults"), this,
                                  [this] { SystemDefaults1Click(); });
    LocalDefaults1 = ui::AddItem(defaults, "LocalDefaults1", QStringLiteral("&Local Defaults"), this,
                                 [this] { LocalDefaults1Click(); });

    QMenu* pipes = ui::AddMenu(MainMenu1, QStringLiteral("P&ipe Database"), "PipeDatabase1");
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

    addHelpMenu();
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
    // Narrow fields leave the system panel room for its captions.
    addJobIdentFields(JobIdentGroupBox, ident, false, 140);
    box->addWidget(JobIdentGroupBox, 0, 0);

    Panel5 = ui::Make<QFrame>(content, "Panel5");
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* p5 = new QGridLayout(Panel5);
    SelSystemEditBtn = ui::Make<QPushButton>(Panel5, "SelSystemEditBtn", QStringLiteral("System "));
    SysTypeRadioGroup = ui::Make<ui::RadioGroup>(Panel5, "SysTypeRadioGroup", QStringLiteral("Select System Type"));
    SysTypeRadioGroup->SetItems({QStringLiteral("Gravity system, known flow"), QStringLiteral("Gravity system, maximum flow"),
                                 QStringLiteral("Pumped system, known flow"), QStringLiteral("Pressurized lateral, known flow")});
    ui::SetHint(SysTypeRadioGroup, QStringLiteral("Select system type"));
    SysTypeHelpBtn = MakeHelpButton(Panel5, "SysTypeHelpBtn", QStringLiteral("Help with system type"));
    DetMLCheckBox = ui::Make<QCheckBox>(Panel5, "DetMLCheckBox", QStringLiteral("Detailed Minor Loss Calc's?"));
    DetMLCheckBox->setChecked(true);
    DetMLCheckBox->setFocusPolicy(Qt::ClickFocus);
    ui::SetHint(DetMLCheckBox, QStringLiteral("Check here for detailed minor loss calc's"));
    // Close rows leave the system panel below room to show whole.
    p5->setContentsMargins(4, 2, 4, 2);
    p5->setVerticalSpacing(2);
    SysTypeRadioGroup->layout()->setContentsMargins(6, 0, 6, 2);
    SysTypeRadioGroup->layout()->setSpacing(0);
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
    box->addLayout(left, 1, 0);

    EntranceDataGroupBox = ui::Make<QGroupBox>(content, "EntranceDataGroupBox");
    buildSystemPanel();
    box->addWidget(EntranceDataGroupBox, 1, 1);

    // The date and the page's buttons stay below the scrolled fields, so
    // that a tall system panel never pushes them out of sight.
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 2, 6, 4);
    bottom->addWidget(new QLabel(QStringLiteral("Date"), ScrollBox1));
    DateDBPF = ui::Make<QLineEdit>(ScrollBox1, "DateDBPF");
    DateDBPF->setMaxLength(12);
    DateDBPF->setMaximumWidth(DateDBPF->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
    bottom->addWidget(DateDBPF);
    bottom->addStretch(1);
    OKBitBtn2 = ui::Make<QPushButton>(ScrollBox1, "OKBitBtn2", QStringLiteral("OK"));
    BitBtn1 = ui::Make<QPushButton>(ScrollBox1, "BitBtn1", QStringLiteral("He&lp"));
    bottom->addWidget(OKBitBtn2);
    bottom->addWidget(BitBtn1);
    outer->addLayout(bottom);
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
    g->setMinimumWidth(316);
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
    EntNotesLbl = label("EntNotesLbl", "Entrance Notes", 8, PanelFit::kNotesTop, 150);
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
    auto* fit = new PanelFit(g, EntNotesLbl, EntNotesMemo);
    for (QWidget* w : g->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        w->installEventFilter(fit);
        if (w != EntNotesLbl && w != EntNotesMemo) w->hide();
    }
    fit->Fit();
}

// The data module is made after the window: its sources are bound on the first show.
void TMersolForm::bindData()
{
    if (bound_ || !DMod) return;
    bound_ = true;
    bindPages({{QStringLiteral("Station"), QStringLiteral("+ Station"), 70, StationColumnText, false},
                    {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 80, {}, false},
                    {QStringLiteral("NodeTypeDesc"), QStringLiteral("Node Type"), 160, {}, false},
                    {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Down Stream Pipe"), 200, {}, false},
                    {QStringLiteral("PipeQ"), QStringLiteral("Flow (gpm)"), 80, {}, false}},
              {{QStringLiteral("Station"), QStringLiteral("+ Station"), 70, StationColumnText, false},
                    {QStringLiteral("GroundElev"), QStringLiteral("Ground Elev"), 80, FixedColumn(2), false},
                    {QStringLiteral("InvertElev"), QStringLiteral("Invert Elev"), 80, FixedColumn(2), false},
                    {QStringLiteral("Hgl"), QStringLiteral("HGL"), 80, FixedColumn(2), false},
                    {QStringLiteral("PipeQ"), QStringLiteral("Flow (gpm)"), 80, FixedColumn(1), false},
                    {QStringLiteral("DownStreamPipeDescription"), QStringLiteral("Down Stream Pipe"), 200, {}, false}});

    // The job header page and the system data panel.
    db::DataSource* pipe = DMod->WorkPipeData;
    bindJobIdentFields(pipe);
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
    enableJobCommands(false);
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
    enableJobCommands(false);
    Tul->JobListCancelled = false;
}

// ---- menus ------------------------------------------------------------------

void TMersolForm::MaintainJobDatabase1Click() { removeStoredJobs(false); }
void TMersolForm::SystemDefaults1Click() { showOwned(DefSysDlg, this); }
void TMersolForm::LocalDefaults1Click() { showOwned(DefLocDlg, this); }
void TMersolForm::PipeMaterialDatabase1Click() { showOwned(PipeDataForm, this); }
void TMersolForm::PipeTypeDatabase1Click() { showOwned(PipeTypeForm, this); }
void TMersolForm::MinorLossDatabase1Click() { showOwned(MinorLossForm, this); }
void TMersolForm::UintCostDatabase1Click() { showOwned(UnitCostInFrm, this); }

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



// ---- help buttons -----------------------------------------------------------

void TMersolForm::BitBtn1Click() { ui::HelpContext(19); }
void TMersolForm::SysTypeHelpBtnClick() { ui::HelpContext(108); }

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



void TMersolForm::connectJobHandlers()
{
    OnClick(NewJobBtn, [this] { NewJobBtnClick(); });
    OnClick(PrevJobBtn, [this] { PrevJobBtnClick(); });
    OnClick(SaveJobBtn, [this] { SaveJobBtnClick(); });

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
    keepTypedDate();
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
    startNewJobRecord();

    db::Table* pipe = DMod->WorkPipeTable;
    emptyHeaderAndProfile();
    DMod->WorkPipeTableNoEnd->SetAsBoolean(false);
    for (db::Table* t : {DMod->WorkGatedTable, DMod->WorkSuctionTable, DMod->WorkTrickleTable}) EmptyWorkTable(t);

    EntranceDataGroupBox->hide();
    openJobPage(MersolImage);

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
    finishNewJob();
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
    // Pipeline jobs in the list; every job once one is picked.
    if (!pickStoredJob(1, 2)) return;
    showLoadedJob();

    ShowSystemData(this);
    db::ControlsOff still(DMod->WorkProfTable);
    OvcNotebook1->SetPageIndex(2);
}

void TMersolForm::SaveJobBtnClick()
{
    OpenIfClosed(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkPipeTable);
    PostIfEditing(DMod->WorkSuctionTable);
    Tul->JobName = DMod->WorkPipeTableJobName->AsString();
    showOwned(SaveForm, this);
}

void TMersolForm::TakeImportedJob()
{
    ShowSystemData(this);
    MainStatusBar->SetPanelText(0, QStringLiteral("Edit job data"));
    // The imported job is worked on at once, as a reviewed job is.
    OvcNotebook1->setEnabled(true);
    OvcNotebook1->SetPageIndex(0);
    MersolImage->hide();
    ScrollBox1->show();
    JobImported = true;
    enableJobCommands(true);
}

// ---- job header fields ------------------------------------------------------

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
    postDate();
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
    writeDetailedML();
    SetFocus(SelSystemEditBtn);
}


// ---- system type and the System button ------------------------------------------

namespace {

// The system data dialog of a system type for a new job.
void openNewJobSystemDialog(TMersolForm* form, int index)
{
    switch (index) {
    case 0: showOwned(KnownFlowDlg, form); break;
    case 1: showOwned(FullFlowDlg, form); break;
    case 2: showOwned(PumpSelDlg, form); break;
    case 3: showOwned(PressureFrmMainDlg, form); break;
    default: break;
    }
}

// The pump dialog of a loaded pumped job; the centrifugal, turbine and
// propeller dialogs may hand over to the pump selection.
void openLoadedPumpDialog(TMersolForm* form, const QString& pumpType)
{
    bool mayChange = true;
    if (pumpType == QLatin1String("CENTRIF")) {
        Tul->SuctionSegmentNo = 1;
        Tul->LocateSuctionSegment();
        showOwned(PumpCentrifDlg, form);
    } else if (pumpType == QLatin1String("TURBINE")) {
        showOwned(PumpTurbineDlg, form);
    } else if (pumpType == QLatin1String("PROPELLER")) {
        showOwned(PumpPropellerDlg, form);
    } else {
        mayChange = false;
        if (pumpType == QLatin1String("BOOSTER")) showOwned(PumpBoosterDlg, form);
        else if (pumpType == QLatin1String("AUTOPUMP")) showOwned(PumpAutoPresDlg, form);
    }
    if (mayChange && form->ChangePumpType) {
        form->ChangePumpType = false;
        showOwned(PumpSelDlg, form);
    }
}

// Why the job cannot become a job of system type `sysType`: its profile
// holds a node that system cannot have, as choosing that kind there is
// refused. Empty when it can.
QString systemTypeRefusal(const QString& sysType)
{
    db::Table* prof = DMod->WorkProfTable;
    if (prof->IsEmpty()) return {};
    if (const QString booster = BoosterTheLineCannotHoldText(sysType); !booster.isEmpty())
        return booster + QStringLiteral(" Make that node another kind first, then change the system type.");
    const bool wideOpen = sysType == QLatin1String("FULLFLOW");
    prof->CheckBrowseMode();
    const qint64 at = prof->GetBookmark();
    QString refusal;
    for (prof->First(); !prof->Eof() && refusal.isEmpty(); prof->Next()) {
        const int kind = DMod->WorkProfTableNodeType->AsInteger();
        const QString station = Hyd->StationText(DMod->WorkProfTableStation->AsFloat());
        if (wideOpen && (kind == 5 || kind == 6))
            refusal = QStringLiteral("The %1 at the end, %2, can't stay on a wide open pipeline. "
                                     "Make the end a plain end first, then change the system type.")
                          .arg(kind == 5 ? QStringLiteral("gated pipe") : QStringLiteral("manifold"), station);
    }
    prof->GotoBookmark(at);
    return refusal;
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
    const bool panelShown = EntranceDataGroupBox->isVisibleTo(this);
    KeptJob before;
    db::Table* pipe = DMod->WorkPipeTable;
    // A cancelled dialog may have left the job's tables closed.
    OpenIfClosed(pipe);
    if (DMod->WorkPipeTableJobName->AsString().isEmpty()) {
        SetFocus(JobNameDBEdit);
        return;
    }
    // A stored job keeps its system type; the System button edits its data.
    if (!Tul->StoredJob) {
        db::Table* prof = DMod->WorkProfTable;
        OpenIfClosed(prof);
        const int index = SysTypeRadioGroup->ItemIndex();
        const QString refusal = index >= 0 && index <= 3 ? systemTypeRefusal(SysTypeKeyword(index)) : QString();
        if (!refusal.isEmpty()) {
            ui::MessageDlg(refusal, ui::MsgType::Error, ui::mbOK);
            Tul->WasCancelled = true;
        } else if (index >= 0 && index <= 3) {
            // The job becomes one of the new kind as a whole: the header, and
            // every row's reach keyword, by which the runs pin the end.
            EditIfBrowsing(pipe);
            const QString sysTypeBefore = DMod->WorkPipeTableSysType->AsString();
            const QString pumpTypeBefore = DMod->WorkPipeTablePumpType->AsString();
            DMod->WorkPipeTableSysType->SetAsString(SysTypeKeyword(index));
            Tul->SysTypeCode = index;
            TakeAwayOtherKindsValues(sysTypeBefore, pumpTypeBefore);
            pipe->Post();
            WriteReachKeywords();
        }
        if (Tul->NewJob && !Tul->WasCancelled) openNewJobSystemDialog(this, index);
        setRadioColour(SysTypeRadioGroup, palette().color(QPalette::WindowText));
        SetFocus(OKBitBtn2);
        if (!Tul->WasCancelled) EntranceDataGroupBox->show();
    }
    if (Tul->WasCancelled) {
        before.PutBack();
        // The window forgets the choice too: the system type the job has
        // again, and its panel as it was before the dialog rewrote it.
        if (panelShown) {
            ShowSystemData(this);
        } else {
            OpenIfClosed(DMod->WorkPipeTable);
            SysTypeRadioGroup->SetItemIndex(SysTypeCodeOf(DMod->WorkPipeTableSysType->AsString(), -1));
        }
    }
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
    // A cancelled entry or node dialog may have left the job's tables closed.
    OpenIfClosed(DMod->WorkPipeTable);
    if (Tul->NewJob) {
        OpenIfClosed(DMod->WorkProfTable);
        SysTypeRadioGroupClick();
    } else {
        // A loaded job: the dialog of its system type, without the undo copy.
        Tul->NewNode = false;
        const QString sysType = DMod->WorkPipeTableSysType->AsString();
        if (sysType == QLatin1String("GRAVITY")) showOwned(KnownFlowDlg, this);
        else if (sysType == QLatin1String("FULLFLOW")) showOwned(FullFlowDlg, this);
        else if (sysType == QLatin1String("PRESSURE")) showOwned(PressureFrmMainDlg, this);
        else if (sysType == QLatin1String("PUMPED")) openLoadedPumpDialog(this, DMod->WorkPipeTablePumpType->AsString());
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


