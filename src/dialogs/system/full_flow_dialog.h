#pragma once
// The entrance data of a maximum-flow gravity job: an approximate starting flow in gpm or cfs, the water surface elevation and notes, in the job header row.
// Created by its opener with the main window as owner, shown modally, deleted;
// the opener reads the job object's WasCancelled afterwards.
#include "dialogs/system/system_dialog_rules.h"
#include "platform/ui/form.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TFullFlowDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TFullFlowDlg(QWidget* owner);

    QLineEdit* FlowDBNF;
    QLineEdit* cfsField;
    QLineEdit* OvcDbNumericField2;
    QPlainTextEdit* DBMemo1;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *BitBtn3;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void BitBtn3Click();
    void FlowDBNFEnter();
    void FlowDBNFExit();
    void cfsFieldExit();

private:
    DesignFlowPair flow_;
};

inline TFullFlowDlg* FullFlowDlg = nullptr;
