#pragma once
// The main window of Mersol: job commands, the three notebook pages, the
// menus, the help buttons and the launchers of the stand-alone calculators.
// It exists for the whole run; the program entry creates it before the
// data module and the data-aware controls find their sources when it is
// first shown.
#include "designer/designer_form.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPainter;
class QPixmap;
class QLineEdit;
class QCheckBox;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class QToolButton;
class QWidget;

namespace db { class Table; }
namespace chart { class ChartWidget; class Series; }
namespace ui { class DBNavigator; class Notebook; class RadioGroup; class StatusBar; }

class TMersolForm : public TDesignerForm {
    Q_OBJECT
public:
    TMersolForm();
    ~TMersolForm() override;

    // ---- components ----
    QAction *StockwaterRequirementCalculator1, *TrickleManifoledCalculator1, *AirVacCalculator1,
        *GatedPipeCalculator1;
    QAction *SystemDefaults1, *LocalDefaults1;
    QAction *PipeMaterialDatabase1, *PipeTypeDatabase1, *MinorLossDatabase1, *UintCostDatabase1;

    // Page 0, "&General Job Data".
    QLabel* MersolImage;
    QScrollArea* ScrollArea1;     // scrolls the page's fields inside ScrollBox1
    QGroupBox* JobIdentGroupBox;
    QFrame* Panel5;
    QPushButton* SelSystemEditBtn;
    ui::RadioGroup* SysTypeRadioGroup;
    QToolButton* SysTypeHelpBtn;
    QGroupBox* EntranceDataGroupBox;
    // The system data panel inside EntranceDataGroupBox; the system data
    // dialogs rewrite its captions, visibility and places.
    QLabel *DesignFlowLbl, *DesignFlowDBTxt, *gpmLbl1, *Qcfs, *cfsLbl;
    QLabel *WaterSElevLbl, *WSElevDBTxt, *PsiInDBTxt, *feetLbl1;
    QLabel *PumpEyeLbl, *PumpEyeElevDBTxt, *feetLbl2;
    QLabel *AltitudeLbl, *AltitudeDBTxt, *ClearHeadDBTxt, *feetLblx;
    QLabel *ColumnLossLbl, *ColumnLossDBTxt, *feetLbl4;
    QLabel *PumpEffLbl, *PumpEfficDBTxt, *pctLbl1;
    QLabel *WaterTempLbl, *WaterTempDBTxt, *TankRangeDBTxt, *degLblx;
    QLabel* EntNotesLbl;
    QPlainTextEdit* EntNotesMemo;
    QLabel* SucPipeLbl;
    QTableView* CentPumpGrid;
    QLabel *AvailSHLbl, *AvailSHDBTxt, *feetASH, *TDSHLbl, *TDSHDBTxt, *feetTDSH;
    // Page 1, "Profile &Edit Data".
    QFrame* Panel3;
    QToolButton* ProfInHlpSpeedButton5;
    ui::DBNavigator* DBNavigator2 = nullptr;
    QPushButton *EditProfileBtn, *InsertNodeSpdBtn, *DeleteNodeBtn, *OKBitBtn3, *AddNodeBtn;
    QTableView* ProfDBGrid2;
    // The profile as entered, read from WorkProfTable on every post and delete.
    chart::ChartWidget* DBChart1;
    chart::Series* PointSeries1;   // a click on a node edits it
    chart::Series* LineSeries1;
    chart::Series* Series8;        // inactive
    // Page 2, "&Output".
    QTableView* DBGrid1;
    QFrame* Panel2;
    QPushButton *QRDetailedSpdBtn, *QRSummarySpdBtn, *QRCostSpdBtn, *QRGraphBitBtn;
    QToolButton* Help2SpdBtn;
    ui::DBNavigator* OutNavigator = nullptr;
    // The computed profile, drawn by FillProfileChart.
    chart::ChartWidget* OutChart;
    chart::Series *Series1, *Series2, *Series3, *Series4, *Series5, *Series6, *Series7;
    chart::Series *Series9, *Series10, *Series11, *Series12, *Series13, *Series14, *Series15, *Series16;

    // ---- state shared with the job, page and import handlers ----
    int LastPage = 0;              // page whose entry handler last completed
    bool CalculatorOpened = false; // no save offer at close while set

    // ---- handlers ----
    void FormActivate() override;
    void FormShow() override;
    void FormClose() override;
    void ExitBtnClick() override;
    void CancelJobBitBtnClick() override;

    // Job commands.
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;

    // The designer window's part the dialogs use.
    void RewriteSystemPanel(SystemPanel column) override;
    void ShowDesignFlowCfs(double cfs) override;
    void ShowProfileChart() override;
    void TakeImportedJob() override;

    // Job header fields.
    void JobLocationDBSFEnter();
    void JobDesignerDBSFEnter();
    void LanduserDBSFEnter();
    void IDDBDFEnter();
    void JobClassDBSFEnter();
    void JobClassDBSFExit();
    void DateDBPFEnter();
    void DateDBPFExit();
    void JobNotesDBMemoEnter();
    void JobNotesDBMemoExit();
    void HeaderFieldExit();        // the exit of the fields that only post
    void DetMLCheckBoxEnter();
    void DetMLCheckBoxExit();

    // System type and the System button.
    void SysTypeRadioGroupClick();
    void SysTypeRadioGroupEnter();
    void SelSystemEditBtnEnter();
    void SelSystemEditBtnClick();

    void MaintainJobDatabase1Click() override;
    void StockwaterRequirementCalculator1Click();
    void TrickleManifoledCalculator1Click();
    void AirVacCalculator1Click();
    void GatedPipeCalculator1Click();
    void ListofJobs1Click() override;
    void SystemDefaults1Click();
    void LocalDefaults1Click();
    void PipeMaterialDatabase1Click();
    void PipeTypeDatabase1Click();
    void MinorLossDatabase1Click();
    void UintCostDatabase1Click();

    // Report commands of the output page (src/designer/report_commands.h).
    void QRDetailedSpdBtnClick();
    void QRSummarySpdBtnClick();
    void QRCostSpdBtnClick();
    void QRGraphBitBtnClick();

    void BitBtn1Click();
    void SysTypeHelpBtnClick();
    void HelpSpdBtnClick();
    void Help2SpdBtnClick();

    // Notebook pages and the computation of the job.
    void OKBitBtn2Click();
    void OKBitBtn3Click();
    void OvcNotebook1Click();
    void DeleteNodeSpdBtnClick();
    void EditNodeSpdBtnClick();
    void ProfDBGrid2DblClick() { EditNodeSpdBtnClick(); }

    // Node commands of the profile page (mersol_window_nodes.cpp).
    void AddNodeBtnClick();
    void InsertNodeSpdBtnClick();
    // A click on a node of the profile chart edits that node.
    void ProfDBChart1ClickSeries(chart::Series& series, int valueIndex);
    void Panel5Enter();
    // Opens the dialogs a node kind needs ("Booster", "Gated", "Manifold")
    // with `owner` as their owner; any other kind opens nothing.
    void OpenNodeKindDialog(QWidget* owner, const QString& kind);
    void OvcNotebook1PageChanged(int page);
    // Runs the computation of the job's system type; false when there is none.
    bool ComputeJob();
    // Draws the computed job from the working tables onto OutChart.
    void FillProfileChart();

private:
    void buildMenus();
    void connectNodeCommands();
    void buildJobPage(QWidget* page);
    void buildProfilePage(QWidget* page);
    void buildOutputPage(QWidget* page);
    // The two profile charts: their series and looks, then DBChart1's table binding.
    void buildProfileChart(QWidget* page);
    void buildOutChart(QWidget* page);
    void bindProfileChart();
    void buildSystemPanel();
    void connectJobHandlers();
    void bindData();
    // Steps 2 to 5 of a Tools item; `always` leaves the current job even when none is open.
    template <class Dlg>
    void launchCalculator(Dlg*& pointer, bool always);
    bool bound_ = false;
    void jobPageEntered();
    void profilePageEntered();
    void outputPageEntered();
};

extern TMersolForm* MersolForm;

// Lays out the system data panel for the job in WorkPipeTable and shows the
// job page's fields.
void ShowSystemData(TMersolForm* form);

// Leaves the designer job for a calculator: offers to save it, closes and
// empties the working job, and puts the window into its no-job state.
void LeaveCurrentJob(TMersolForm* form);
