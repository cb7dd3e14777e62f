#pragma once
// The editor of the pipe materials: names, friction factors, modulus, weight and price.
// Created by its opener with the opener as owner, shown modally, deleted.
// A material whose friction factors change passes them on to the job rows
// of that material, working and stored, so the next run uses them.
#include "platform/ui/form.h"

class QLineEdit;
class QPushButton;
class QTableView;
namespace ui { class DBNavigator; }

class TPipeTypeForm : public ui::Form {
    Q_OBJECT
public:
    explicit TPipeTypeForm(QWidget* owner);
    ~TPipeTypeForm() override;

    QPushButton* BitBtn1;        // Close
    ui::DBNavigator* DBNavigator1;
    QPushButton* HelpBtn;
    QPushButton* PrintList;
    QTableView* DBGrid1;
    QLineEdit* CfactorNF;
    QLineEdit* NfactorNF;
    QLineEdit* EfactorNF;
    QLineEdit* EModulusNF;
    QLineEdit* WtPerCuInNF;
    QLineEdit* CostPerPoundNF;

    void FormShow() override;
    void FormClose() override;
    void BitBtn1Click();
    void PrintListClick();
    void HelpBtnClick();

private:
    void typeTableAfterPost();
    // Asks before a material that stored jobs use is deleted.
    void confirmDelete();
    bool hooked_ = false;
};

inline TPipeTypeForm* PipeTypeForm = nullptr;
