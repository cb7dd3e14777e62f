#pragma once
// The entrance condition of a gated-pipe calculator job: the available pressure or the design water surface at the inlet, in the job header row.
// Created by the calculator with itself as owner, shown modally, deleted.
#include "platform/ui/form.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace ui { class RadioGroup; }

class TSetWSDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TSetWSDlg(QWidget* owner);

    ui::RadioGroup* RadioGroup1;
    QLabel *WaterPresLbl, *WaterSurfaceLbl, *Label4;
    QLineEdit *PressureDBNF, *ElevDBNF;
    QPushButton *OKBitBtn, *CancelBitBtn;

    void FormShow() override;
    void RadioGroup1Click();
    void FieldEnter();
    void FieldExit();
    void OKBitBtnClick();
    void CancelBitBtnClick();
};

inline TSetWSDlg* SetWSDlg = nullptr;
