#pragma once
// The air-vacuum valve calculator: a pipe, its fill and drain data, the orifice sizes, and jobs of its own.
//
// The job being worked is the one row of WorkAirvac.DB; stored jobs are the
// rows of JobAirvac.DB, named uniquely. Created by its opener with the
// opener as owner, shown modally, deleted. Saving goes through the save
// prompt TSaveTJob, which finds this dialog by the data module's ToolKind 6.
#include "dialogs/calculators/calculator_job_commands.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolButton;
namespace ui {
class DBNavigator;
class Notebook;
class RadioGroup;
class StatusBar;
}

class TAirVacDlg : public CalculatorJobForm {
    Q_OBJECT
public:
    explicit TAirVacDlg(QWidget* owner);

    ui::Notebook* OvcNotebook1;
    ui::StatusBar* StatusBar1;

    // "&Initial Input"
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *DateDBPF, *JobClassDBSF, *LanduserDBSF, *IDDBSF;
    QPlainTextEdit* JobNotesDBMemo;
    QCheckBox* PipeSourceChkBx;
    QComboBox* PipeMaterialSelection;
    QComboBox* TypeDBLookupComboBox;
    QGroupBox* GroupBox3;
    QTableView* PipeDBGrid;
    QLabel* SelectedPipeLbl;
    QPushButton* Button1;

    // "&More Input"
    ui::RadioGroup* SlopeRadioGroup;
    QLabel *SlopeLbl, *QDrainLbl;
    QLineEdit *SlopeDBNF, *QDrainDBNF, *OvcDbNumericField3, *FillVelDBNF;
    QGroupBox* PipeGroupBox;
    QLineEdit *PipeDescripDBSF, *DiaInDBNF, *ODDBNF, *ThickDBNF, *EModDBNF, *OvcDbNumericField2, *OvcDbNumericField1;
    QPushButton* Button2;
    QToolButton* SpeedButton2;

    // "&Output": read-only texts of the inputs and results.
    QLabel* OutSlopeLbl;
    QPushButton* QRDetailedSpdBtn;
    QToolButton* Help2SpdBtn;

    // "&Job Select/Delete"
    QTableView* DBGrid2;
    ui::DBNavigator* DBNavigator2;
    QPushButton *LoadBitBtn, *DeleteBitBtn, *ImportJobBtn;
    QToolButton* HelpImport;

    void FormShow() override;
    void FormClose() override;

    void LoadBitBtnClick();
    void DBGrid2DblClick() { LoadBitBtnClick(); }
    void DeleteBitBtnClick();
    void ImportJobBtnClick();

    void OvcNotebook1Click();
    void OvcNotebook1PageChanged(int page);
    void Button1Click();
    void Button2Click();

    void JobNameDBEditEnter();
    void JobNameDBEditExit();
    void JobDesignerDBSFEnter();
    void JobTextExit();       // posts the row
    void DataFieldEnter();    // the numbers of "&More Input": edit state
    void PipeSourceChkBxExit();
    void TypeDBLookupComboBoxClick();
    void PipeDBGridDblClick();
    void PipeMaterialSelectionExit();
    void SlopeRadioGroupExit();
    void QRDetailedSpdBtnClick();

    // Sizes the orifices of the working row and writes the results into it.
    void ComputeAirVac();

    bool SlopeGivenMode() const { return SlopeMethod; }
    int LastPage() const { return PageMode; }

private:
    // The job commands.
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;
    void ShowSavePrompt() override;

    void showDrainingMethod(bool slopeGiven);
    // The wall or a diameter of a typed pipe left: the other diameter follows.
    void typedPipeExit();
    void showJobName();
    // A job without a name goes back to its first page, with the message.
    bool nameMissing();

    bool SlopeMethod = true;    // the draining flow follows from the slope
    int PageMode = 0;           // the last page entered
    bool FromPrevious = false;  // Previous Job, not New Job, began this job
    bool NameVisited = false;
    bool insideTyped_ = false;  // of a typed pipe's diameters, the inside one was typed last
};

inline TAirVacDlg* AirVacDlg = nullptr;
