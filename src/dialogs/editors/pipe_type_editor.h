#pragma once
// The editor of the pipe materials: names, friction factors, modulus, weight and price.
// Created by its opener with the opener as owner, shown modally, deleted.
// A material needs a name of its own and friction factors above 0. When its
// factors change they pass on to the job rows of that material, working and
// stored, in one write with the material, and the user is told which jobs
// changed. A material that pipes, defaults or jobs name keeps its name.
#include "platform/ui/form.h"

#include <QString>

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
    // Refuses a material row no pipe can use, and carries changed factors
    // into the jobs.
    void typeTableBeforePost();
    void typeTableAfterPost();
    // Refuses to delete a material that pipes or the defaults name, and asks
    // before one that stored jobs use is deleted.
    void confirmDelete();
    void unhook();
    bool hooked_ = false;
    QString spreadNote_;     // what the last post changed in the jobs, to be told
};

inline TPipeTypeForm* PipeTypeForm = nullptr;
