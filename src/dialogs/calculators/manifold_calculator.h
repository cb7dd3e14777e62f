#pragma once
// The stand-alone manifold calculator: manifold jobs of their own, the pipe and node pages, the computed output.
// Created by its opener with the opener as owner, shown modally, deleted.
#include "dialogs/calculators/calculator_job_commands.h"

class ManifoldPages;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolButton;
namespace chart { class ChartWidget; class Series; }
namespace ui { class DBNavigator; class Notebook; class StatusBar; }

class TManifoldDlg : public CalculatorJobForm {
    Q_OBJECT
public:
    explicit TManifoldDlg(QWidget* owner);

    ui::Notebook* OvcNotebookM;
    ui::StatusBar* MainStatusBar;
    // "&General Job Data"
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *OvcDbSimpleField1, *OvcDbSimpleField2,
        *JobClassDBSF, *DateDBPF;
    QPlainTextEdit* JobNotesDBMemo;
    QPushButton* OKBitBtn1;
    // "Select P&ipe" and "Profile &Data Input"
    ManifoldPages* Pages;
    QPushButton* OKBitBtn3;
    QToolButton *SpeedButton2, *SpeedButton1;
    // "&Output"
    QLabel* NotComputedLbl;   // why the page shows no results
    QTableView* DBGrid2;
    chart::ChartWidget* DBChart2;
    chart::Series *InvertSeries, *HglSeries, *EntranceSeries;
    QPushButton *QRDetailedSpdBtn, *QRGraphBitBtn, *QRCostSpdBtn;
    QToolButton* Help2SpdBtn;
    ui::DBNavigator* DBNavigator1;

    void FormShow() override;
    void FormClose() override;
    void OvcNotebookMPageChanged(int page);
    void OvcNotebookMClick();
    void OKBitBtn1Click();
    void OKBitBtn2Click();
    void OKBitBtn3Click();
    void JobNameDBEditExit();
    void JobLocationDBSFEnter();
    void JobDesignerDBSFEnter();
    void DateDBPFExit();
    void QRDetailedSpdBtnClick();
    void QRGraphBitBtnClick();
    void QRCostSpdBtnClick();
    void RenumberTrickleNodes();

private:
    void computeOutput();

    // The job commands.
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;
    void ShowSavePrompt() override;

    bool newJob_ = false;   // set by New Job, cleared by Previous Job
};

inline TManifoldDlg* ManifoldDlg = nullptr;
