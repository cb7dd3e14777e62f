#pragma once
// The outlet pressure dialog: the required minimum condition at the outlet,
// as a pressure or as a water-surface elevation; each entry computes the
// other. Both live in the job header row (WorkPipeTable).
#include "platform/ui/form.h"

class QLineEdit;
class QPushButton;

class TSetPressure : public ui::Form {
    Q_OBJECT
public:
    explicit TSetPressure(QWidget* owner);

    QLineEdit* PressureDBNF;  // OutletPsi
    QLineEdit* ElevDBNF;      // ReqOutletWS
    QPushButton* OKBitBtn;
    QPushButton* CancelBitBtn;
    QPushButton* Button1;     // "Calculate"

    void PressureDBNFEnter();
    void ElevDBNFEnter() { PressureDBNFEnter(); }
    void PressureDBNFExit();
    void ElevDBNFExit();
    void Button1Click();
    void OKBitBtnClick();
    void CancelBitBtnClick();
};

inline TSetPressure* SetPressure = nullptr;
