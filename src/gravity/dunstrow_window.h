#pragma once
// The main window of Dunstrow2, the gravity designer: known-flow gravity
// jobs only, with the entrance data entered on the job page itself. It
// shares the data module, the job object and the job dialogs with Mersol.
#include "dialogs/database/job_list_dialog.h"
#include "platform/ui/form.h"

#include <QAction>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace ui { class Notebook; class StatusBar; }

class TDunstrowForm : public ui::Form, public ImportedJobTaker {
    Q_OBJECT
public:
    TDunstrowForm();
    ~TDunstrowForm() override;

    // ---- components ----
    QMenuBar* MainMenu1;
    QAction *NewJob1, *RevieworEditJob1, *SaveJob1, *MaintainJobDatabase1, *Exit1;
    QAction* ListofJobs1;
    QAction *Contents1, *SearchforHelpon1, *LearningtouseMersolandDunstrow1, *About1;
    QFrame* Panel1;
    QPushButton *ExitBtn, *NewJobBtn, *PrevJobBtn, *SaveJobBtn, *CancelJobBitBtn;
    ui::Notebook* OvcNotebook1;
    QLabel* DunstrowImage;
    QFrame* ScrollBox1;
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *LanduserDBSF, *IDDBDF, *JobClassDBSF, *DateDBPF;
    QPlainTextEdit* JobNotesDBMemo;
    QGroupBox* GroupBox1;
    QLineEdit *FlowDBNF, *cfsField, *WSDBNF;
    QPlainTextEdit* DBMemo1;
    QCheckBox* DetMLCheckBox;
    QPushButton *OKBitBtn2, *BitBtn1;
    ui::StatusBar* MainStatusBar;
    QTimer* Timer1;

    // ---- state ----
    int PageShown = 0;
    bool JobNameEntered = false;
    bool JobImported = false;

    // ---- handlers ----
    void FormActivate() override;
    void FormShow() override;
    void FormClose() override;
    bool EscapeAllowed() override;
    void ExitBtnClick();
    void Exit1Click() { ExitBtnClick(); }
    void NewJobBtnClick();
    void NewJob1Click() { NewJobBtnClick(); }
    void PrevJobBtnClick();
    void RevieworEditJob1Click() { PrevJobBtnClick(); }
    void SaveJobBtnClick();
    void SaveJob1Click() { SaveJobBtnClick(); }
    void CancelJobBitBtnClick();
    void MaintainJobDatabase1Click();
    void ListofJobs1Click();
    void About1Click();
    void Contents1Click();
    void SearchforHelpon1Click();
    void LearningtouseMersolandDunstrow1Click();
    void BitBtn1Click();
    void OKBitBtn2Click();
    void OvcNotebook1Click();
    void SelectGravitySystem();
    // The job list's import ends here: the imported job on the job page.
    void TakeImportedJob() override;

    // Job page fields.
    void GuardedFieldEnter();      // location, designer, class, water surface
    void FlowFieldEnter();         // design flow and cfs
    void PlainFieldEnter();        // notes, date, land user, ID, entrance notes
    void JobNameDBEditEnter();
    void JobNameDBEditExit();
    void PostFieldExit();
    void JobNotesDBMemoExit();
    void DBMemo1Exit();
    void DateDBPFExit();
    void DetMLCheckBoxExit();
    void FlowDBNFExit();
    void cfsFieldExit();

private:
    void buildMenus();
    void buildJobPage(QWidget* page);
    void bindData();
    void connectFields();
    bool jobNameMissing();
    void markJobChanged();
    void showNoJob();
    void leaveFieldFor(QPushButton* button);
    bool bound_ = false;
};

extern TDunstrowForm* DunstrowForm;

