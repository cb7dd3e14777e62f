#pragma once
// The stand-alone gated-pipe calculator: jobs of system type "GATED" with one gated row, their entrance condition, the run and the three reports.
// Created by its opener with the opener as owner, shown modally, deleted.
#include "dialogs/calculators/calculator_job_commands.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
namespace ui { class Notebook; class StatusBar; }

class TGatedToolDlg : public CalculatorJobForm {
    Q_OBJECT
public:
    explicit TGatedToolDlg(QWidget* owner);

    ui::Notebook* OvcNotebook1;
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *OvcDbSimpleField1, *OvcDbSimpleField2,
        *JobClassDBSF, *DateDBPF, *InflowNF;
    QPlainTextEdit* JobNotesDBMemo;
    QLabel *InletPresDBTxt, *InletWSDBTxt, *LenOpenLbl;
    // On the output page: why the run was refused, or the results.
    QLabel* NotComputedLbl;
    QWidget* ResultsPanel;
    QPushButton *MinPsiBtn, *GateBitBtn, *OKBitBtn1, *HelpButton1;
    QPushButton *QRDetailedSpdBtn, *QRCostSpdBtn, *QRGraphBitBtn, *Help3SpdBtn;
    ui::StatusBar* MainStatusBar;
    // The data labels of the intermediate column of the output page.
    QList<QWidget*> MidColumn;

    // Set when the entrance condition was given as an available pressure,
    // clear when given as a water surface elevation.
    bool EntrancePsiGiven = false;

    void FormShow() override;
    void FormClose() override;
    void OvcNotebook1PageChanged(int index);
    void OvcNotebook1Click();
    void OKBitBtn1Click();
    void JobNameDBEditExit();
    void JobNameDBEditEnter();
    void JobFieldEnter();
    void JobFieldExit();
    void DateDBPFExit();
    void InflowNFEnter();
    void InflowNFExit();
    void MinPsiBtnClick();
    void GateBitBtnClick();
    void QRDetailedSpdBtnClick();
    void QRGraphBitBtnClick();
    void QRCostSpdBtnClick();

private:
    // The job commands.
    void NewJobBtnClick() override;
    void PrevJobBtnClick() override;
    void SaveJobBtnClick() override;
    void ShowSavePrompt() override;

    void computeOutput();
    bool nameTaken(const QString& name) const;
    bool suppressRun_ = false;
};

inline TGatedToolDlg* GatedToolDlg = nullptr;
