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
    // ---- state shared with the job, page and import handlers ----
    int& LastPage = PageShown;     // page whose entry handler last completed
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

    void BitBtn1Click();
    void SysTypeHelpBtnClick();

    // Notebook pages and the computation of the job.
    void OKBitBtn2Click() override;
    void OvcNotebook1Click();
    void Panel5Enter();
    // Opens the dialogs a node kind needs ("Booster", "Gated", "Manifold")
    // with `owner` as their owner; any other kind opens nothing.
    void OpenNodeKindDialog(QWidget* owner, const QString& kind);
    RunStatus ComputeJob() override;

protected:
    void jobPageEntered() override;
    ProfileChartRules outChartRules() const override;

private:
    void buildMenus();
    void connectNodeCommands();
    void buildJobPage(QWidget* page);
    void buildSystemPanel();
    void connectJobHandlers();
    void bindData();
    // Steps 2 to 5 of a Tools item; `always` leaves the current job even when none is open.
    template <class Dlg>
    void launchCalculator(Dlg*& pointer, bool always);
    bool bound_ = false;
};

extern TMersolForm* MersolForm;

// Lays out the system data panel for the job in WorkPipeTable and shows the
// job page's fields.
void ShowSystemData(TMersolForm* form);

// Leaves the designer job for a calculator: offers to save it, closes and
// empties the working job, and puts the window into its no-job state.
void LeaveCurrentJob(TMersolForm* form);
