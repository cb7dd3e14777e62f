#pragma once
// The stock-water requirement calculator, with its own jobs.
// Created by its opener with the opener as owner, shown modally, deleted.
//
// The job being edited is the one row of WorkSWaterTable; every data-aware
// control writes straight into it. Stored jobs are rows of JobSWaterTable,
// stored through the save prompt TSaveTJob, which reads CalcJobName and
// switches the job buttons. Livestock types are rows of StockTypeTable, which
// the user may edit on the first page.
#include "dialogs/calculators/calculator_job_commands.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolButton;
namespace db { class Field; }
namespace ui {
class DBNavigator;
class Notebook;
class RadioGroup;
class StatusBar;
}

class TStockCalcDlg : public CalculatorJobForm {
    Q_OBJECT
public:
    explicit TStockCalcDlg(QWidget* owner);

    ui::Notebook* OvcNotebook1;
    ui::StatusBar* StatusBar1;

    // Initial Input.
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *LanduserDBSF, *IDdbsf, *DateDBPF;
    QTableView* DBGrid1;
    ui::DBNavigator* DBNavigator1;
    QLabel* DBText1;
    QToolButton* SpeedButton1;

    // More Input.
    QLineEdit *NoStockNF, *OvcDbNumericField3, *OvcDbSimpleField1, *OvcDbSimpleField2, *OvcDbNumericField5,
        *OvcDbNumericField4, *OvcDbNumericField2, *OvcDbNumericField6;
    ui::RadioGroup *SysRadioGp, *TerrainRadioGp, *QualRadioGp;
    QPlainTextEdit *DBMemo1, *DBMemo2, *DBMemo3, *Memo1;
    QLabel* DBText2;
    QToolButton* SpeedButton2;

    // Output.
    QLabel *MinGpmText, *DesignGpmText, *StorageReserveText, *WaterSpacingText;
    QPlainTextEdit *DBMemo4, *DBMemo5, *DBMemo6, *DBMemo7;
    QToolButton *QRDetailedSpdBtn, *SpeedButton3;

    // Job Select/Delete.
    QTableView* DBGrid2;
    QLabel* DBText7;
    QPushButton *LoadBitBtn, *DeleteBitBtn, *ImportJobBtn;
    QToolButton* HelpImport;

    void FormShow() override;
    void FormClose() override;
    void OvcNotebook1PageChanged(int index);
    void OvcNotebook1Click();
    void SysRadioGpClick();
    void TerrainRadioGpClick();
    void QualRadioGpClick();
    void QRDetailedSpdBtnClick();
    void LoadBitBtnClick();
    void DBGrid2CellClick();
    void DBGrid2DblClick();
    void DeleteBitBtnClick();
    void ImportJobBtnClick();
    void JobNameDBEditExit();
    void JobLocationDBSFEnter();
    void JobDesignerDBSFEnter();
    void DateDBPFExit();

    // Brings the choice groups, the recommendation, the water a head, the
    // spacing and the stock-type cursor in line with the work row.
    void SyncChoicesFromJob();
    // Empties the work table and starts one row from the local defaults.
    void InitNewStockJob();

private:
    // The job commands.
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;
    void ShowSavePrompt() override;

    void editWork();
    void postWork();
    void findStock();        // the stock-type cursor on SelectedStock
    void setStatus(const QString& what);
    void computeOutput();
    void showOpenedJob();    // a loaded or imported job on Initial Input
    bool jobNameGuard(bool newJobsToo);
    // A grazing or terrain item chosen: the row takes the item's text and
    // the highlighted type's value for it.
    void chooseFromType(int item, db::Field* choice, const QString& text0, const QString& text1, db::Field* value,
                        double (*fromType)(bool first));

    QString SelectedStock;
    int LastPage = 0;
    bool IsNewJob = false;
    bool FromPreviousJob = false;
};

inline TStockCalcDlg* StockCalcDlg = nullptr;
