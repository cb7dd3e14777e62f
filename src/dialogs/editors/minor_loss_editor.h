#pragma once
// The editor of the minor-loss items: their category and K by fitting diameter.
// Created by its opener with the opener as owner, shown modally, deleted.
// A K value is a plain number from 0 to 99999, or empty for a size the item
// has no value for.
#include "platform/ui/form.h"

class QLineEdit;
class QPushButton;
class QTableView;
namespace ui { class DBNavigator; class RadioGroup; }

class TMinorLossForm : public ui::Form {
    Q_OBJECT
public:
    explicit TMinorLossForm(QWidget* owner);
    ~TMinorLossForm() override;

    QPushButton* BitBtn1;        // Close
    QPushButton* HelpBtn;
    QPushButton* PrintBtm;
    ui::DBNavigator* DBNavigator1;
    QTableView* DBGrid1;
    ui::RadioGroup* KFlagRadioGroup;
    QLineEdit* KEdits[9];        // K2 ... K12

    void FormShow() override;
    void FormClose() override;
    void BitBtn1Click();
    void PrintBtmClick();
    void HelpBtnClick();
};

inline TMinorLossForm* MinorLossForm = nullptr;
