#pragma once
// The save dialog of the current job: asks whether to store it, stores it as a
// new job or over its stored copy, or exports the working tables to the
// transfer directory. Every designer that shares the stored job tables saves
// through it. Openers create it with themselves as owner into SaveForm, show
// it modally, delete it and reset the pointer; they read no result: what it
// leaves is Tul SaveState and the stored tables.
#include "platform/ui/form.h"

#include <functional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// The controls both save prompts share (this one and the calculators'
// TSaveTJob), laid out top-down: the question, "Job name: " with the name,
// Yes and No in a group, Export Job with its help button. Each is made into
// the member given; Yes (the default button, closing OK) and No (Escape,
// closing No) run their handlers, Export Job and its help button theirs.
struct SavePromptParts {
    QLabel** question;
    QLabel** nameCaption;
    QLabel** name;
    QGroupBox** group;
    QPushButton** yes;
    QPushButton** no;
    QPushButton** exportJob;
    QToolButton** helpExport;
};
struct SavePromptHandlers {
    std::function<void()> yes, no, exportJob, help;
};
void MakeSavePrompt(ui::Form* form, QVBoxLayout* layout, const char* nameComponent, const QString& groupCaption,
                    const SavePromptParts& parts, const SavePromptHandlers& handlers);
// After Yes: a job that could not be stored (its name was refused) keeps the
// prompt open, so that it is left by No or Export on purpose.
void KeepPromptUnlessSaved(ui::Form* prompt);
// After Export Job: says so when the job went across.
void ReportExported(bool moved);

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
