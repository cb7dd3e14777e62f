#pragma once
// The layout the system data dialogs are built from (a caption, field and unit per row, the notes memo, the button row) and the header-row steps their handlers repeat.
#include "platform/ui/dbcontrols.h"

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
namespace db { class DataSource; class Table; }
namespace ui { class Form; }

class SystemDialogLayout {
public:
    explicit SystemDialogLayout(ui::Form* form);

    // A numeric entry bound to a field of `source` (the job header when null).
    QLineEdit* Bound(const char* name, const char* caption, const char* field, ui::NumericFormat format,
                     const char* unit, db::DataSource* source = nullptr);
    // The caption label of the row made last.
    QLabel* LastCaption() const { return lastCaption_; }
    // The unbound cfs field of the gpm/cfs pair, on a row of its own.
    QLineEdit* Cfs(const char* name = "cfsField");
    // The notes memo bound to the header's EntranceNotes, under its caption.
    QPlainTextEdit* Notes(const char* caption, const char* name = "DBMemo1");
    // A widget over the whole width (a radio group, a fixed text).
    void Span(QWidget* w);
    // A button of the row at the foot of the dialog.
    QPushButton* Button(const char* name, const QString& caption);

private:
    ui::Form* form_;
    QGridLayout* grid_;
    QHBoxLayout* buttons_;
    QLabel* lastCaption_ = nullptr;
    int row_ = 0;
};

// Entering a field: the job header row into edit state unless it is in it.
void EditHeaderRow();
// The header row posted when it is being edited.
void PostHeaderRow();
bool TableEditing(db::Table* t);
