#pragma once
// A data grid and a navigator over a table's rows.
//
//   auto* grid = ui::Make<QTableView>(page, "ProfDBGrid2");
//   new ui::DBGrid(grid, DMod->WorkProfData, {
//       {"Station", "+ Station", 70, [](const QVariant& v) { return StationText(v.toDouble()); }},
//       {"GroundElev", "Ground Elev", 80},
//   });
//   auto* nav = new ui::DBNavigator(DMod->WorkProfData, ui::nbFirst | ui::nbPrior | ui::nbNext | ui::nbLast, panel);
//
// The grid's current row is the table's cursor: moving either moves the
// other. Cells are read-only unless the grid and the column allow editing;
// an edited row is posted when the user leaves it. Columns without a list
// show every field of the table under its name.
#include "platform/db/db.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QTableView;
class QToolButton;

namespace ui {

struct GridColumn {
    QString field;
    QString title;
    int width = 0;
    std::function<QString(const QVariant&)> format;   // the cell's text from the field's value
    bool readOnly = false;
};

class GridModel;

class DBGrid : public QObject, public db::DataLink {
    Q_OBJECT
public:
    DBGrid(QTableView* view, db::DataSource* source, std::vector<GridColumn> columns = {});
    ~DBGrid() override;

    static DBGrid* Of(QTableView* view);
    QTableView* View() const { return view_; }
    db::DataSource* DataSource() const { return source_; }
    void SetReadOnly(bool on);
    bool ReadOnly() const { return readOnly_; }
    int RowCount() const;
    int CurrentRow() const;              // 0-based, -1 when none
    QString CellText(int row, int column) const;
    // Moves the table's cursor to the row, as a click on it would.
    void SelectRow(int row);
    // Types a value into a cell of the current row, as the user would.
    void EditCell(int column, const QString& text);
    // Marks each row whose `field` holds a text: tinted, "!" in its header,
    // the text as its tip.
    void MarkRowsBy(const QString& field);

    void ActiveChanged() override { rebuild(); }
    void DataSetChanged() override { rebuild(); }
    void RecordChanged() override;
    void StateChanged() override { rebuild(); }

private:
    friend class GridModel;
    void rebuild();
    void syncFromTable();
    db::Table* table() const { return source_ ? source_->DataSet() : nullptr; }

    QTableView* view_;
    db::DataSource* source_;
    std::vector<GridColumn> columns_;
    QString markField_;
    bool allColumns_;
    GridModel* model_;
    bool readOnly_ = true;
    int busy_ = 0;
};

enum NavButton : unsigned {
    nbFirst = 1u << 0, nbPrior = 1u << 1, nbNext = 1u << 2, nbLast = 1u << 3,
    nbInsert = 1u << 4, nbDelete = 1u << 5, nbEdit = 1u << 6, nbPost = 1u << 7,
    nbCancel = 1u << 8, nbRefresh = 1u << 9,
};
constexpr unsigned nbAllButtons = (1u << 10) - 1;

class DBNavigator : public QWidget, public db::DataLink {
    Q_OBJECT
public:
    DBNavigator(db::DataSource* source, unsigned buttons, QWidget* parent = nullptr);
    ~DBNavigator() override;

    QToolButton* Button(NavButton b) const;
    // Acts as a press of the button (when it is shown and enabled).
    void Press(NavButton b);
    bool ConfirmDelete = true;
    std::function<void(NavButton)> BeforeAction;   // may throw db::SilentAbort to skip
    std::function<void(NavButton)> OnClick;        // after the action

    void ActiveChanged() override { updateButtons(); }
    void RecordChanged() override { updateButtons(); }
    void DataSetChanged() override { updateButtons(); }
    void StateChanged() override { updateButtons(); }

private:
    void updateButtons();
    void act(NavButton b);
    db::DataSource* source_;
    unsigned shown_;
    std::vector<std::pair<NavButton, QToolButton*>> buttons_;
};

} // namespace ui
