#pragma once
// What a user does in the journey tests: keys pressed on the control that
// has the focus (typing, Tab, Enter, Escape) rather than fields set, and a
// pipe picked from the pipe selection dialog's list.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <string>

class DialogDriver;
class QAbstractButton;
class TDesignerForm;
namespace ui { class Form; }

namespace testsupport {

// Each character of `text` pressed and released on the focused control.
void TypeKeys(ui::Form& f, const QString& text);
// One key pressed and released on the focused control.
void PressKey(ui::Form& f, int qtKey);
inline void Tab(ui::Form& f) { PressKey(f, 0x01000001 /* Qt::Key_Tab */); }
// Alt and the first letter of `keys` pressed on the focused control of the
// window made active, as a user calls a command; each letter after it goes
// to the menu that opened. Returns once a button pressed so has clicked.
void AltKeys(ui::Form& f, const QString& keys);
// The text typed into the focused field, then Tab.
void TypeAndTab(ui::Form& f, const QString& text);
// The control that has the focus now (the form's own idea of it).
QString FocusedName(ui::Form& f);
// In the pipe selection dialog: the listed pipe of that description
// clicked, then OK. Fails the test when it is not listed.
void PickPipe(ui::Form& getPipeDlg, const QString& description);
// The 6 in PVC of the reference pipes: 5.995 in bore, 0.315 in wall, C 150.
inline const char* kSixInchPvc = "PVC SDR 21, 6 in, 200 psi";
// Every reach dialog from now on takes that pipe by its pipe button (where
// the reach has one to pick), then OK; so does a suction segment's button.
void ReachesTakeSixInchPvc(DialogDriver& driver);
// In the pipe selection dialog: the aluminium gated pipe material chosen
// (the list shows the material of its last showing), every size shown, then
// its first pipe, 6 in with a 5.9 in bore and C 130.
void PickSixInchGatedPipe(ui::Form& getPipeDlg);
// The next gated-pipe dialog gets its end station, end elevation and flow a
// gate keyed in, then OK.
void KeyInGatedPipe(DialogDriver& driver, const QString& endStation, const QString& endElev, const QString& gateFlow);
// The next quick manifold entry gets its end station, end elevation, flow
// an opening and distance between openings keyed in, then OK.
void KeyInQuickManifold(DialogDriver& driver, const QString& endStation, const QString& endElev,
                        const QString& flow, const QString& spacing);
// In the manifold end dialog's pipe page: the first rating of the material
// double-clicked, then the page's OK.
void PickFirstManifoldRating(ui::Form& manifoldEnd);

// The profile text import answered: `pairs` ("0,98\n500,45\n") written to
// `path`, the next file pick answered with it and the import's list taken
// with OK. False when the file cannot be written.
bool AnswerProfileFile(DialogDriver& driver, const QString& path, const char* pairs);

// Every text the report previewed by pressing `reportButton` prints, in
// order, the sections it chains included.
QStringList PrintedTexts(QAbstractButton* reportButton);

// What the output page's grid shows: each column by its title, its cells
// from the top row down with a blank between them ("172.24 166.14").
using ShownColumns = std::map<std::string, std::string>;
// The same-answer check, for a job the output page shows computed: it is
// computed again three ways, and each must store what the first run stored
// (every field of every row of the job's working tables, numbers within half
// the last place the tables round to):
//  - Profile, then Output again;
//  - System and its OK with nothing changed (the gravity designer has its
//    entrance on the job page: that page), then the job and profile pages' OK;
//  - by the keys: the job page by its tab with the focus in the notes, the
//    output page by its tab, Save Job with the prompt's Enter (Yes), and
//    Previous Job (which asks nothing more) with the job picked by its name;
//    the output page the load ends on.
// A line ending in gated pipe must start it from the grade stored at its end
// node, less the start device, and enter it at the velocity of its flow.
// Returns what the grid shows after the reload; the driver's log holds what
// the load said.
ShownColumns SameAnswerEveryWay(DialogDriver& driver, TDesignerForm& window);

// What the job the output page shows computed stores: every field of every
// row of the tables its kind keeps, read as the same-answer check reads them.
using StoredJob = std::map<QString, QVariant>;
StoredJob StoredAnswer(const TDesignerForm& window);
// The kind-change check, for a job the output page shows computed that was
// reached by changing a kind (its system type, its pump, a node's kind): it
// stores what `fresh`, the same job entered afresh in that kind, stored.
// Each field the kind before owned and this one does not must be gone, and
// nothing of it may reach the run.
void ExpectSameAsFresh(const StoredJob& fresh, const TDesignerForm& window, const QString& how);
// The job stores what it stored before `how` (a change cancelled, then its
// own kind's System and OK on what its dialog shows).
void ExpectSameAsBefore(const StoredJob& before, const TDesignerForm& window, const QString& how);

} // namespace testsupport
