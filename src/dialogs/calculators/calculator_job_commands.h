#pragma once
// What the four stand-alone calculators share: their row of job commands
// (New Job, Previous Job, Save Job, Close, Cancel, Help) and the steps behind
// it, so that a change to how a calculator job is saved or closed is made
// here once. Each calculator describes its row: caption, order and hints of
// the buttons, and its help topic.
#include "platform/ui/form.h"

#include <QSize>
#include <QString>

#include <initializer_list>
#include <vector>

class QPushButton;
class QVBoxLayout;
namespace db { class DataSource; class Table; }
namespace ui { class Notebook; class StatusBar; }

enum class JobCommand { NewJob, PreviousJob, SaveJob, Close, Cancel, Help };

// A button of the row: its command, and its caption where it is not the
// usual one ("&New Job", "&Previous Job", "&Save Job", "Close", "Cancel", "Help").
struct JobCommandButton {
    JobCommandButton(JobCommand c, const char* text = nullptr) : command(c), caption(text) {}
    JobCommand command;
    const char* caption;
};

struct CalculatorDescription {
    const char* objectName;
    const char* caption;
    int helpContext;
    QSize size;                              // the first size; empty: the layout's own
    std::vector<JobCommandButton> buttons;   // in the order they stand
    bool hints = true;                       // New, Previous and Save Job say what they do
};

class CalculatorJobForm : public ui::Form {
    Q_OBJECT
public:
    CalculatorJobForm(QWidget* owner, const CalculatorDescription& description);

    QPushButton *NewJobBtn = nullptr, *PrevJobBtn = nullptr, *SaveJobBtn = nullptr, *CloseBtn = nullptr,
                *CancelBtn = nullptr, *HelpBtn = nullptr;

    // The job being worked: its name (the save prompt shows it) and the
    // number of its stored copy (0 when it was never stored).
    QString CalcJobName;
    int CalcJobNumber = 0;
    // The job is stored under that name and number: New and Previous Job may
    // be used again, and Save Job waits for a change.
    void JobStored(const QString& name, int number);

    virtual void NewJobBtnClick() = 0;
    virtual void PrevJobBtnClick() = 0;
    virtual void SaveJobBtnClick() = 0;
    // Close keeps the job: the close handler posts it and may offer to save.
    virtual void CloseBtnClick();
    // Cancel drops what is not posted.
    void CancelBtnClick();
    void HelpBtnClick();
    // A calculator closes by its Close button or its frame, never by Escape:
    // closing it may offer to save or lose the job.
    bool EscapeAllowed() override { return false; }

protected:
    // A help button of a page: a click opens its topic.
    void OnHelp(QAbstractButton* button, int helpContext);
    // The calculator's pages under the row, and its status bar at the foot.
    ui::Notebook* AddNotebook(const char* name);
    ui::StatusBar* AddStatusBar(const char* name, const std::vector<int>& panelWidths);
    // The calculator's save prompt, shown whether or not there is anything to save.
    virtual void ShowSavePrompt() = 0;
    // The save prompt, when the job has something to save.
    void OfferSave();
    // An edit: a stored job now has changes to save (a new job stays new),
    // and Save Job offers them.
    void MarkChanged();
    // Every value the user changes in a control under `root` bound to one of
    // `job` (the tables of the calculator's job) marks the job changed;
    // entering or leaving a field without changing it does not.
    void WatchJobEdits(QWidget* root, std::initializer_list<db::DataSource*> job);
    // The calculator closes: its job leaves the job object, so that no other
    // window offers it for saving or takes it for a job of its own (a later
    // removal of the stored job then leaves nothing to bring it back).
    static void ReleaseJob();
    // With no stored job to offer, says so and turns Previous Job off; true
    // then. Opens the table of stored jobs when it is closed.
    bool NoPreviousJobs(db::Table* jobs);
    // A new job in the working pipe tables: the tables closed, the job object
    // reset to a new, unsaved job dated today.
    static void StartNewPipeJob();

private:
    void closeWith(bool cancelled);

    QVBoxLayout* layout_;
    int helpContext_;
};
