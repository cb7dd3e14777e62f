#pragma once
// The save dialog of the current job: asks whether to store it, stores it as a
// new job or over its stored copy, or exports the working tables to the
// transfer directory. Every designer that shares the stored job tables saves
// through it. Openers create it with themselves as owner into SaveForm, show
// it modally, delete it and reset the pointer; they read no result: what it
// leaves is Tul SaveState and the stored tables.
#include "platform/ui/form.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// What every save prompt shows below the job's name: "Yes" (the default
// button, closing with OK after its handler) and "No" (the cancel button,
// closing with No) in the group GroupBox1, then "Export Job" with its help
// button, each pressing the handler given for it.
struct SaveAnswerHandlers {
    ui::Handler yes, no, exportJob, help;
};
struct SaveAnswerButtons {
    QGroupBox* group;
    QPushButton* yes;
    QPushButton* no;
    QPushButton* exportJob;
    QToolButton* help;
};
SaveAnswerButtons AddSaveAnswerButtons(ui::Form* form, QVBoxLayout* layout, const QString& groupCaption,
                                       SaveAnswerHandlers handlers);
// Tells that the job went to the transfer directory.
void ShowJobExported();

class TSaveForm : public ui::Form {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* owner);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* work;                 // the job's name
    QGroupBox* GroupBox1;
    QPushButton* OKBitBtn;        // "Yes"
    QPushButton* NoBitBtn;
    QPushButton* ExportBtn;
    QToolButton* HelpExport;
    QPlainTextEdit* Memo1;

    void FormShow() override;
    void OKBitBtnClick();
    void NoBitBtnClick();
    void ExportBtnClick();
    void HelpExportClick();

    // Stores the job by Tul SaveState and lets the window of the job's kind
    // review it afterwards.
    void SaveCurrentJob();

    // Off in the gravity designer: a manifold or gated-pipe calculator job
    // brought in by an import is not stored from there, where it would have
    // become a gravity job lost to its calculator.
    static inline bool StoresCalculatorJobs = true;
};

inline TSaveForm* SaveForm = nullptr;
