#pragma once
// Small pieces the dialogs and the designer windows share: opening a
// sub-dialog the way every opener does, the active or inactive look of a
// group's caption, the node rules the profile dialogs enforce alike, and the
// line an output page shows when it has no results.
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QString;
class QVBoxLayout;
class QWidget;
class TTul;
namespace db { class Table; }
namespace ui { class Form; }

// Creates the dialog with the owner into its global pointer, shows it
// modally, deletes it and resets the pointer, also when something throws.
template <class Dlg>
void ShowOwned(Dlg*& pointer, QWidget* owner)
{
    pointer = new Dlg(owner);
    struct Reset {
        Dlg*& p;
        ~Reset()
        {
            delete p;
            p = nullptr;
        }
    } reset{pointer};
    pointer->ShowModal();
}

// The rows of tables as they stood when a dialog opened, an edit not yet
// posted included: its Cancel gives every field back as it was then, and
// leaves no edit of its own pending either.
class KeptTables {
public:
    explicit KeptTables(std::initializer_list<db::Table*> tables);
    // Drops each table's edit in progress and, where rows were posted since,
    // writes the kept rows back; each table is left open or closed as it
    // was, on the row it was on.
    void PutBack();
    // Every kept table shows the rows it showed then.
    bool Unchanged() const;

private:
    struct Kept {
        db::Table* table;
        bool active;
        int row;
        std::vector<std::vector<QVariant>> rows;
    };
    std::vector<Kept> kept_;
};

// All the program holds of the job being worked on: the rows of every
// working table and the job object. A choice that changes the job's kind
// takes it before the choice; the choice's Cancel puts it all back, the
// pump kinds already given their defaults and the water surface a kind took
// away included. Whether the job object was cancelled stays as it is then.
class KeptJob {
public:
    KeptJob();
    ~KeptJob();
    void PutBack();

private:
    KeptTables tables_;
    std::unique_ptr<TTul> job_;
};

// A group, label or caption shown in the window-text colour (active) or in
// the greyed colour of an inactive caption.
void SetCaptionActive(QWidget* w, bool active);
bool CaptionActive(const QWidget* w);

// A numeric field of the row that shows a computed value and takes no entry:
// read-only, its binding too, on the window's background rather than an
// entry's.
void ShowOnly(QLineEdit* field);

// A profile was entered already: nodes past the entrance, or an entrance
// numbered by the entry or node dialogs. The row that the system type choice
// starts holds only its reach keyword and is no profile yet. Opens the table
// when closed and leaves it on its first row.
bool ProfileEntered(db::Table* prof);

// Posts the current WorkProfTable row with the station typed into it (the
// job object's NewStation) and finds it again in station order. A station
// another node already has is refused with a message: the row keeps its old
// station and is current again, instead of being left in an edit that no
// later post could store. Returns false when refused.
bool PostTypedStation();

// Asks before a node is deleted: the entrance is refused with its message,
// any other node needs a Yes. `station` is the node's station text.
bool ConfirmNodeDeletion(int nodeType, const QString& station);

// Leaving a node's ground elevation field empty is refused: the focus stays
// and the message says so. The row keeps no elevation (an emptied field
// would otherwise store 0 as if it had been typed). Going to the form's
// Cancel button, or to `alsoLetThrough`, is let through: what they do
// needs no ground.
void RefuseEmptyGround(ui::Form& form, QLineEdit* field, QWidget* alsoLetThrough = nullptr);
// The text of that refusal, also said by an OK pressed without a ground.
QString NoGroundText();

// The line an output page shows in place of its results when a run was
// refused or failed, saying why; added hidden to the top of `layout`, where
// it takes the room the hidden results leave.
QLabel* AddNotComputedLabel(QWidget* page, QVBoxLayout* layout);
