#pragma once
// The editor of the unit costs of the estimate: pipe price per pound by
// material, trench costs, pumping season, electricity tariff and fuel prices.
// Created by its opener with the opener as owner, shown modally, deleted.
// Close keeps the edits and closes both tables; Cancel drops the edit still
// pending and leaves both open for an opener that goes on to the estimate.
#include "platform/ui/form.h"

class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
namespace ui { class Notebook; }

class TUnitCostInFrm : public ui::Form {
    Q_OBJECT
public:
    explicit TUnitCostInFrm(QWidget* owner);

    QPushButton* CloseBitBtn1;
    QPushButton* CancelBitBtn2;
    QPushButton* BitBtn3;
    ui::Notebook* OvcNotebook1;
    QTableView* DBGrid1;
    QToolButton* SysTypeHelpBtn;
    QToolButton* HelpSpeedButton2;

    void FormShow() override;
    void FormClose() override;
    void CloseBitBtn1Click();
    void CancelBitBtn2Click();
    void BitBtn3Click();
    void SysTypeHelpBtnClick();
    void HelpSpeedButton2Click();
};

inline TUnitCostInFrm* UnitCostInFrm = nullptr;
