#pragma once
// The booster pump of an in-line node: the pump data in the job header and the node's set pressure.
// Created by its opener with the opener as owner, shown modally, deleted;
// no opener tests its outcome.
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TPumpLineBoosterDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TPumpLineBoosterDlg(QWidget* owner);

    QLineEdit *OvcDbNumericField3, *OvcDbNumericField4, *OvcDbNumericField6, *SetPresDBNF;
    QLabel* SetPresLabel;
    QPushButton *OKBitBtn1, *CancelBitBtn2, *BitBtn3;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void CancelBitBtn2Click();
    void BitBtn3Click();

private:
    bool defaulted_ = false;   // this opening filled in the job's booster defaults
};

inline TPumpLineBoosterDlg* PumpLineBoosterDlg = nullptr;
