#pragma once
// What the editors of the reference tables and defaults share: laying out
// a labelled numeric field bound to a table, and keeping a row still being
// edited when an editor closes. (Opening and editing: OpenIfClosed and
// EditIfBrowsing of the engine's run steps.)
#include "engine/run_steps.h"
#include "platform/ui/dbcontrols.h"

#include <QString>

class QGridLayout;
class QLineEdit;
class QWidget;
namespace db { class DataSource; class Table; }

// Opens the table when closed and shows all its rows: an editor lists what
// the table holds, whatever filter another window left switched on.
void OpenUnfiltered(db::Table* t);

// Posts the row being edited or inserted. A new row nothing was typed into
// is dropped. A row the table refuses (a name or key it already holds) is
// dropped with a message saying so and why: never silently.
// `what` names the row in the message ("pipe type", "pipe").
void KeepPendingRow(db::Table* t, const QString& what);

// A numeric field bound to `field` with the picture mask, on row `row` of
// the grid: the label in column `column`, the field after it and the unit
// (when given) after that.
QLineEdit* AddNumericField(QWidget* parent, QGridLayout* grid, int row, int column, const char* name,
                           const QString& label, db::DataSource* source, const QString& field,
                           const QString& mask, std::optional<double> low = std::nullopt,
                           std::optional<double> high = std::nullopt, const QString& unit = {});

// Refuses an entry longer than `length` characters as a whole: typing
// beyond it does nothing, and a pasted text that would be longer is not
// taken at all (rather than cut to fit).
void LimitLength(QLineEdit* edit, int length);
