#pragma once
// What the system data dialogs share: the main window's system panel as each
// dialog leaves it, the design flow entered as gpm or cfs, the zero-flow test
// of OK and the close that posts or drops the job header's edits.
//
//   FormShow:  Tul->Cancelled = false; flow.KeepOpeningFlow(); pipe->Edit();
//              RewriteSystemPanel(SystemPanel::KnownFlow);
//   gpm exit:  flow.GpmExit();       cfs exit: flow.CfsExit();
//   OK:        Tul->Cancelled = false; if (!RefuseZeroFlow()) close;
//   FormClose: CloseSystemDialog();
#include "dialogs/designer_window.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class QLineEdit;

// Rewrites the running designer's system panel (group caption, labels, which
// values show and where) as the dialog of that column leaves it at show.
void RewriteSystemPanel(SystemPanel column);

// Cfs as the dialogs and the panel show it: fixed-point, 2 decimals.
QString CfsText(double cfs);

// The design flow as a gpm field bound to WorkPipeTable DesignFlow and the
// unbound cfs field given here, kept in step through the job object's DesignFlow and
// DesignFlowCfs.
class DesignFlowPair {
public:
    // gpmPerCfs divides the flow on leaving the gpm field; a cfs entry is
    // always multiplied by 448.83.
    explicit DesignFlowPair(QLineEdit* cfs, double gpmPerCfs = 448.83);

    ~DesignFlowPair();
    DesignFlowPair(const DesignFlowPair&) = default;
    DesignFlowPair& operator=(const DesignFlowPair&) = default;

    // Dialogs that warn about a changed flow: the text, and the flow to
    // compare with (0, no warning, while a new node is being made).
    void WarnWith(const QString& text) { warning_ = text; }
    // Also keeps the job as the dialog opens (the header row, the profile's
    // flows and the job object's design flow): a cancelled dialog's close
    // puts them back, whatever its fields posted meanwhile.
    void KeepOpeningFlow();
    double OpeningFlow() const { return openingFlow_; }

    // Shows the job object's DesignFlowCfs in the cfs field.
    void ShowCfs();
    // Leaving the gpm field: the row's flow in gpm becomes the cfs shown.
    void GpmExit();
    // Leaving the cfs field: a cfs value the user typed becomes the flow in
    // gpm. Passing through without typing leaves the flow alone, so a flow
    // never drifts by the rounding of its two-decimal cfs text.
    void CfsExit();

private:
    friend void CloseSystemDialog();
    bool leavingForCancel() const;
    void afterChange();
    void restoreOpeningJob();
    QLineEdit* cfs_;
    double gpmPerCfs_;
    double openingFlow_ = 0.0;
    double warnedFlow_ = 0.0;   // the flow the last exit left, warned of or not
    QString warning_;
    QString shownCfs_;   // what the program last wrote into the cfs field

    // The job as the dialog opened.
    std::vector<QVariant> openingHeader_;
    std::vector<std::pair<qint64, QVariant>> openingFlows_;   // profile row, its PipeQ
    double openingDesignFlow_ = 0.0, openingDesignFlowCfs_ = 0.0;
    DesignFlowPair* outer_ = nullptr;   // the pair of a dialog this one opened over
};

// A design flow the profile's outflows would carry below zero somewhere down
// the line is refused (ui::InputError), naming the station and the least flow.
void RefuseFlowBelowZero(double designFlow);

// OK's test: a design flow of exactly 0 gives "You must enter a flow rate!"
// and returns true (the dialog stays open).
bool RefuseZeroFlow();

// The close of an accepted or cancelled dialog, by the job object's
// Cancelled: cancelled drops the header row's edits and puts back the job
// kept by the dialog's KeepOpeningFlow; accepted posts them and shows the
// flow in cfs in the designer window. Sets WasCancelled.
void CloseSystemDialog();

// A pump kind's local defaults are due when its dialog first opens for a new
// job, whatever a kind tried before left in the header (a centrifugal pump's
// suction loss is no turbine's column loss). True once per kind and job: the
// kind counts as defaulted from then on, unless ForgetPumpDefaults gives it
// back because that opening was cancelled and its values dropped.
bool PumpDefaultsDue(const QString& kind);
void ForgetPumpDefaults(const QString& kind);
