#pragma once
// What both designers' main windows have, as the base of both.
//
// The frame of menu, job buttons, notebook and status bar, the job
// identification fields with their handlers, and the steps their job
// commands share. It is also the designer window through which the dialogs
// reach the window that opened them.
#include "dialogs/designer_window.h"
#include "dialogs/database/job_name_check.h"
#include "platform/ui/form.h"

#include <QAction>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPainter;
class QPixmap;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace db { class DataSource; class Table; }
namespace ui { class Notebook; class StatusBar; }

class TDesignerForm : public ui::Form, public DesignerWindow {
    Q_OBJECT
public:
    TDesignerForm();
    ~TDesignerForm() override;

    QWidget* Window() override { return this; }
    void ShowAboutBox(QWidget* owner) override;

    // ---- components both windows have ----
    QMenuBar* MainMenu1 = nullptr;
    QAction *NewJob1, *RevieworEditJob1, *SaveJob1, *MaintainJobDatabase1, *Exit1;
    QAction* ListofJobs1;
    QAction *Contents1, *SearchforHelpon1, *LearningtouseMersolandDunstrow1, *About1;
    QFrame* Panel1;
    QPushButton *ExitBtn, *NewJobBtn, *PrevJobBtn, *SaveJobBtn, *CancelJobBitBtn;
    ui::Notebook* OvcNotebook1 = nullptr;
    QFrame* ScrollBox1 = nullptr;
    QLineEdit *JobNameDBEdit, *JobLocationDBSF, *JobDesignerDBSF, *LanduserDBSF, *IDDBDF, *JobClassDBSF;
    QLineEdit* DateDBPF;
    QPlainTextEdit* JobNotesDBMemo;
    QCheckBox* DetMLCheckBox;
    QPushButton *OKBitBtn2, *BitBtn1;
    ui::StatusBar* MainStatusBar = nullptr;

    // ---- state ----
    bool JobNameEntered = false;
    bool JobImported = false;      // set when the job list's import hands its job over

    // ---- handlers each window has its own way ----
    virtual void ExitBtnClick() = 0;
    virtual void NewJobBtnClick() = 0;
    virtual void PrevJobBtnClick() = 0;
    virtual void SaveJobBtnClick() = 0;
    virtual void CancelJobBitBtnClick() = 0;
    virtual void MaintainJobDatabase1Click() = 0;
    virtual void ListofJobs1Click() = 0;

    // ---- handlers both share ----
    void Exit1Click() { ExitBtnClick(); }
    void NewJob1Click() { NewJobBtnClick(); }
    void RevieworEditJob1Click() { PrevJobBtnClick(); }
    void SaveJob1Click() { SaveJobBtnClick(); }
    bool EscapeAllowed() override;
    void JobNameDBEditEnter();
    void JobNameDBEditExit();
    void About1Click();
    void Contents1Click();
    void SearchforHelpon1Click();
    void LearningtouseMersolandDunstrow1Click();

protected:
    // The window's name, caption, size and place, and its layout with the
    // menu bar; the rest of the frame goes into the layout returned.
    QVBoxLayout* buildFrame(const char* name, const QString& caption);
    // The File menu, then (after the window's own menus) Reports and Help.
    void addFileMenu();
    QMenu* addReportsMenu();
    void addHelpMenu();
    void addJobButtonBar(QVBoxLayout* frame);
    void addStatusBar(QVBoxLayout* frame);
    // The job identification fields in rows of `grid` from row 0, each
    // with its caption; the date among them where `withDate`. A
    // `maxWidth` above 0 keeps the fields that narrow. Returns the next row.
    int addJobIdentFields(QWidget* parent, QGridLayout* grid, bool withDate, int maxWidth);
    void bindJobIdentFields(db::DataSource* pipe);
    // The save dialog writes the job object's date into the job: a date typed
    // and saved from the menu, without leaving the field, must be that date.
    void keepTypedDate();

    // Entering a header field: the job has changes (a new job stays new).
    void markJobChanged();
    // The fields after the job name refuse to be filled before it.
    bool jobNameMissing();
    // The detailed minor-loss box written to the header and the job object.
    void writeDetailedML();
    // The date as stored becomes the job object's.
    void postDate();
    void enableJobCommands(bool enabled);

    // New Job's steps both windows take: the job object made new, then the
    // working header and profile emptied with the date in the new header.
    void startNewJobRecord();
    void emptyHeaderAndProfile();
    // The job page shown for a job being worked on, under `picture`.
    void openJobPage(QLabel* picture);
    // The end of New Job: the header in edit state on the job page, the
    // focus in the job name.
    void finishNewJob();
    // Previous Job's list of the jobs of `listFilter` (the job list's filter
    // modes), then the picked job loaded under `loadFilter`: false when the
    // user cancelled, the import took over or the job could not be loaded.
    bool pickStoredJob(int listFilter, int loadFilter);
    // The picked job in the window after a load: its detailed minor-loss box
    // and the job commands; the status bar says what follows.
    void showLoadedJob();
};

// The title picture of a designer's job page, drawn 640 x 420 and stretched
// to the page; it keeps its colours while the notebook is disabled.
QLabel* MakeTitlePicture(QWidget* parent, const char* name, const QPixmap& scene);
// The program's name and its line below, in white over the picture's sky.
void DrawTitleTexts(QPainter& p, const QString& title, const QString& subtitle);

// A working table opened if closed; one holding rows is closed and emptied.
void EmptyWorkTable(db::Table* t);


// The dialogs of a node kind, opened one after the other with `owner` as
// their owner: "Booster" the in-line booster pump (only where `boosters`; the
// gravity designer has none), "Gated" the pipe picker and then the gated
// pipe, "Manifold" the manifold end. Any other kind opens nothing.
void OpenNodeKindDialogs(QWidget* owner, const QString& kind, bool boosters);

// Undo copies of the working pipe, profile, gated-pipe and manifold tables,
// taken before a node or system dialog opens and put back when it is
// cancelled. The suction table has none.
void BackupWorkTables();
void RestoreWorkTables();

// Escape is the Cancel Job key of both designers' main windows. A job with
// changes not yet saved is dropped by it only after a Yes.
bool CancelJobByKeyAllowed();
