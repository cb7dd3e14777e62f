#pragma once
// The editor of the system defaults: friction-method order, the pressure
// system's start percentage and the password that guards them.
// Created by its opener with the opener as owner, shown modally, deleted.
// It shows the values locked until the password dialog unlocks them.
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class RadioGroup; }

class TDefSysDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TDefSysDlg(QWidget* owner);

    QPushButton* OKBitBtn;
    QPushButton* HelpBitBtn;
    QPushButton* CancelBitBtn;
    QPushButton* EditBitBtn;
    QLabel* NoteLbl;
    ui::RadioGroup* CompMethodRadioGroup;
    QLabel* PctLbl1;
    QLabel* PctLbl2;
    QLineEdit* PctFromPumpNF;
    QLabel* PasswordLbl;
    QLineEdit* PasswordEdit;

    void FormShow() override;
    void FormClose() override;
    void EditBitBtnClick();
    void OKBitBtnClick();
    void CancelBitBtnClick();
    void HelpBitBtnClick();

    bool Locked() const;

private:
    void setLocked(bool locked);
    void storePassword();
};

inline TDefSysDlg* DefSysDlg = nullptr;
