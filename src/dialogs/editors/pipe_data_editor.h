#pragma once
// The editor of the pipe sizes and ratings: browse, filter, sort, mark,
// print and edit the rows of PipeType.DB, with the weight calculator.
// Created by its opener with the opener as owner, shown modally, deleted.
// It opens read-only; "Goto Edit" (or a double click on the list) switches
// to edit mode and back. A pipe is stored only with a description, a pipe
// material, an inside diameter above 0 and a wall above 0; a refusal names
// the field and puts the focus there.
#include "platform/ui/form.h"

#include <functional>
#include <utility>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;
namespace ui { class DBNavigator; class StatusBar; }

class TPipeDataForm : public ui::Form {
    Q_OBJECT
public:
    explicit TPipeDataForm(QWidget* owner);
    ~TPipeDataForm() override;

    QMenuBar* MainMenu1;
    QAction* PrintPipeList1;
    QAction* PrintMarked1;
    QAction* Close1;
    QAction* MarkAll1;
    QAction* ClearAllMarked1;
    QAction* ShowOnlyMarked1;
    QAction* PipeMaterial;
    QAction* NominalDiameterRange;
    QAction* ShowAll1;
    QAction* Sortbymaterialtype1;
    QAction* Sortbydiametermaterial1;
    QAction* Contents1;
    QAction* SearchforHelpon1;
    QAction* About1;

    QPushButton* HandleEditBtn;
    QPushButton* InsertBtn;
    QPushButton* CancelBtn;
    QPushButton* DeleteBtn;
    QPushButton* CloseButton;
    QPushButton* HelpBitBtn;
    ui::DBNavigator* DBNavigator1;
    QTableView* DBGrid1;
    QLineEdit* PipeDescriptionEdit;
    QComboBox* DBLookupComboBox1;
    QToolButton* HlpPipeType;
    QLineEdit* OvcDbSimpleFieldND;
    QLineEdit* PressRtngNF;
    QLineEdit* WallThickNF;
    QLineEdit* IDNF;
    QLineEdit* NfacNF;
    QLineEdit* RatingNF;
    QPlainTextEdit* CommentMemo;
    QLineEdit* WtPerFtNF;
    QLineEdit* ModulusNF;
    QLabel* MarkedText;
    QPushButton* MarkSpeedButton1;
    QPushButton* CalcSpeedBtn;
    ui::StatusBar* StatusBar1;

    void FormShow() override;
    void FormClose() override;
    void HandleEditBtnClick();
    void DBGrid1DblClick();
    void InsertBtnClick();
    void CancelBtnClick();
    void DeleteBtnClick();
    void MarkSpeedButton1Click();
    void MarkAll1Click();
    void ClearAllMarked1Click();
    void ShowOnlyMarked1Click();
    void PipeMaterialClick();
    void NominalDiameterRangeClick();
    void ShowAll1Click();
    void Sortbymaterialtype1Click();
    void Sortbydiametermaterial1Click();
    void OvcDbSimpleFieldNDExit();
    void DBLookupComboBox1Exit();
    void PostAndEditExit();
    void CalcSpeedBtnClick();
    void PrintPipeList1Click();
    void PrintMarked1Click();
    void About1Click();

    bool EditMode() const { return editMode_; }
    bool Inserting() const { return inserting_; }

private:
    void setFiltered(bool on);
    void status(const QString& text);
    // Says so when the filter leaves no pipe in the list.
    void sayIfNothingShown();
    // Typing starts an edit only in edit mode and with a pipe in the list:
    // a keystroke into an empty list would start a hidden row.
    void updateAutoEdit();
    // What is wrong with the pipe row being edited, and the control where
    // it is corrected; empty when nothing is.
    std::pair<QString, QWidget*> rowProblem() const;
    // Posts the row; a row that rowProblem refuses is said and left as it
    // is, with the focus on the field to correct, and false returned.
    bool postRow();
    void hook();
    void unhook();

    QString designCaption_;
    QString savedIndex_;
    bool editMode_ = false;
    bool inserting_ = false;
    bool forcedEdit_ = false;
    bool hooked_ = false;
    QString materialOnEnter_;   // the pipe's material when the material box was entered
};

inline TPipeDataForm* PipeDataForm = nullptr;

