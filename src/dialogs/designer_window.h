#pragma once
// The interface through which a dialog reaches the designer window that opened it.
//
// Both designers' main windows implement it and register themselves while
// they exist; a dialog asks for the running one instead of naming a
// program's window, so that every dialog works the same in both programs.
class QWidget;

// The columns of the system panel: which system data dialog rewrote it last.
// PressureFind and PressureKnown change the pressurised-main column by its
// chosen pressure status.
enum class SystemPanel {
    KnownFlow, MaximumFlow, PressurisedMain, Turbine, Propeller, Booster, Tank, Centrifugal, PressureFind, PressureKnown
};

class DesignerWindow {
public:
    // The main window itself, as the owner of dialogs and the holder of the
    // job command buttons.
    virtual QWidget* Window() = 0;
    // The system panel (group caption, labels, which values show and where)
    // as the dialog of that column leaves it at show.
    virtual void RewriteSystemPanel(SystemPanel column) = 0;
    // The design flow in cfs, as the system dialogs leave it on OK.
    virtual void ShowDesignFlowCfs(double cfs) = 0;
    // The profile page's chart, hidden while a new job has no profile.
    virtual void ShowProfileChart() = 0;
    // The job list's import ends here: the working tables and the job object
    // hold the imported job.
    virtual void TakeImportedJob() = 0;
    // The about box, owned by `owner` (a dialog that offers it too).
    virtual void ShowAboutBox(QWidget* owner) = 0;
    // Whether the window shows a job being worked on; the working tables may
    // still hold the rows of one it has closed.
    virtual bool JobShown() const = 0;

    // Set by the pump dialogs' "Change Pump Type" while a loaded job's pump
    // type is being changed.
    bool ChangePumpType = false;

protected:
    ~DesignerWindow() = default;
};

// The designer window of the running program, or nullptr (no window yet, or
// a test that works on dialogs alone).
DesignerWindow* RunningDesigner();
// A designer window registers itself when built and unregisters when it goes.
void SetRunningDesigner(DesignerWindow* window);
