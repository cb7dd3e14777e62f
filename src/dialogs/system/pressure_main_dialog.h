#pragma once
// The entrance data of a pipeline fed from a pressurised main: whether the pressure at the main is to be found or known, that pressure, the design flow, the clearance head and notes.
// Created by its opener with the main window as owner, shown modally, deleted;
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/system/system_dialog_rules.h"
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
namespace ui { class RadioGroup; }

class TPressureFrmMainDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPressureFrmMainDlg(QWidget* owner);

    ui::RadioGroup* PressureSelectRadioGroup;
    QLabel* PsiInLabel;
    QLineEdit* PsiInDBNF;
    QLineEdit* OvcDbNumericField1;
    QLineEdit* cfsField;
    QLineEdit* OvcDbNumericField4;
    QPlainTextEdit* DBMemo1;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *BitBtn3;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void BitBtn3Click();
    void PressureSelectRadioGroupClick();
    void OvcDbNumericField1Exit();
    void cfsFieldExit();

private:
    // The find (item 0) or known (item 1) state of the pressure field and the panel.
    void applyStatus(int item);
    DesignFlowPair flow_;
};

inline TPressureFrmMainDlg* PressureFrmMainDlg = nullptr;
