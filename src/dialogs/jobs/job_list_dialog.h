#pragma once
// The job list: the stored jobs of the kind its opener asks for (DMod
// JobFilterMode), in name order. The user picks one to review, previews the
// list as a report, or imports the job of the transfer directory straight
// into the working tables.
//
// What it hands back, through the job object: after Cancel (or Esc, or OK on
// a list with no job) Tul JobListCancelled is true; otherwise Tul JobName and
// JobNumber name the picked job, which the opener loads by its number
// (TTrans::LoadStoredJob). After an import the working tables already hold
// the imported job and the running designer window has taken it (its
// JobImported is set): an opener then loads nothing.
#include "platform/ui/cursor.h"
#include "platform/ui/form.h"

#include <functional>

class QAbstractButton;
class QFrame;
class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

class TJobListForm : public ui::Form {
    Q_OBJECT
public:
    explicit TJobListForm(QWidget* owner);

    QFrame* Panel1;
    QPushButton* OKBitBtn1;
    QPushButton* CancelBitBtn2;
    QPushButton* ReportBitBtn3;
    QPushButton* ImportJobBtn;
    QToolButton* HelpImport;
    QFrame* Panel2;
    QLabel* DBText1;   // JobName
    QLabel* DBText4;   // Date
    QLabel* DBText2;   // Location
    QLabel* DBText3;   // Designer
    QTableView* DBGrid1;

    void FormShow() override;
    void FormClose() override;
    void OKBitBtn1Click();
    void DBGrid1DblClick();
    void CancelBitBtn2Click();
    void ReportBitBtn3Click();
    void ImportJobBtnClick();
    void HelpImportClick();

private:
    bool imported_ = false;
};

inline TJobListForm* JobListForm = nullptr;

// Loads the job picked in the list (TTrans::LoadStoredJob) under the
// hourglass. `before` is the screen cursor its opener saw before the list
// opened: it is what shows afterwards, whether the job loads, has left the
// store (false, already reported) or the load throws.
bool LoadPickedJob(ui::Cursor before);

// Previous Job on an empty store: says so, disables the designer's Previous
// Job button and closes the stored-jobs table. The command goes on regardless.
void ReportEmptyJobStore(QAbstractButton* prevJobBtn);
