#include "platform/ui/dbgrid.h"

#include "platform/ui/application.h"
#include "platform/ui/seam/msg.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QToolButton>

namespace ui {

class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(DBGrid* g) : QAbstractTableModel(g), grid(g) {}

    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(grid->columns_.size()); }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
        return rows[i.row()].value(i.column());
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section < int(grid->columns_.size()))
            return grid->columns_[section].title;
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(i);
        if (i.isValid() && editable(i.column())) f |= Qt::ItemIsEditable;
        return f;
    }

    bool editable(int column) const
    {
        if (grid->readOnly_ || column < 0 || column >= int(grid->columns_.size())) return false;
        const GridColumn& c = grid->columns_[column];
        if (c.readOnly || c.field.isEmpty()) return false;
        db::Table* t = grid->table();
        db::Field* f = t && t->Active() ? t->FindField(c.field) : nullptr;
        return f && !f->ReadOnly() && !f->Calculated();
    }

    bool setData(const QModelIndex& i, const QVariant& v, int role) override
    {
        if (role != Qt::EditRole || !editable(i.column())) return false;
        try {
            if (grid->CurrentRow() != i.row()) grid->SelectRow(i.row());
            db::Table* t = grid->table();
            t->FieldByName(grid->columns_[i.column()].field)->SetAsString(v.toString());
        } catch (...) {
            HandleException(std::current_exception());
            return false;
        }
        return true;
    }

    void setRow(int r, QStringList cells)
    {
        if (r < 0 || r >= int(rows.size())) return;
        rows[r] = std::move(cells);
        emit dataChanged(index(r, 0), index(r, columnCount() - 1));
    }

    DBGrid* grid;
    std::vector<QStringList> rows;
    using QAbstractTableModel::beginResetModel;
    using QAbstractTableModel::endResetModel;
};

DBGrid::DBGrid(QTableView* view, db::DataSource* source, std::vector<GridColumn> columns)
    : QObject(view), view_(view), source_(source), columns_(std::move(columns)), allColumns_(columns_.empty())
{
    model_ = new GridModel(this);
    view->setModel(model_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& cur) {
                if (busy_ || !cur.isValid()) return;
                try {
                    SelectRow(cur.row());
                } catch (...) {
                    HandleException(std::current_exception());
                    syncFromTable();
                }
            });
    if (source_) source_->AddLink(this);
    rebuild();
}

DBGrid::~DBGrid()
{
    if (source_) source_->RemoveLink(this);
}

DBGrid* DBGrid::Of(QTableView* view)
{
    return view ? view->findChild<DBGrid*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void DBGrid::SetReadOnly(bool on)
{
    readOnly_ = on;
}

int DBGrid::RowCount() const { return int(model_->rows.size()); }

int DBGrid::CurrentRow() const
{
    db::Table* t = table();
    if (!t || !t->Active() || t->IsEmpty()) return -1;
    return t->RecNo() - 1;
}

QString DBGrid::CellText(int row, int column) const
{
    return model_->data(model_->index(row, column), Qt::DisplayRole).toString();
}

QString DBGrid::cell(db::Table& t, int column) const
{
    const GridColumn& c = columns_[column];
    if (c.text) return c.text(t);
    db::Field* f = c.field.isEmpty() ? nullptr : t.FindField(c.field);
    return f ? f->AsString() : QString();
}

void DBGrid::rebuild()
{
    if (busy_) return;
    db::Table* t = table();
    if (t && t->Active() && t->State() != db::DataSetState::Browse) {
        RecordChanged();   // an edited or new row: the others cannot be visited now
        return;
    }
    if (t && t->ControlsDisabled()) return;
    ++busy_;
    model_->beginResetModel();
    model_->rows.clear();
    bookmarks_.clear();
    if (t && t->Active()) {
        if (allColumns_) {
            columns_.clear();
            for (const QString& n : t->FieldNames()) columns_.push_back(GridColumn{n, n, 0, {}, false});
        }
        qint64 bm = t->GetBookmark();
        t->DisableControls();
        try {
            for (t->First(); !t->Eof(); t->Next()) {
                QStringList cells;
                for (int c = 0; c < int(columns_.size()); ++c) cells << cell(*t, c);
                model_->rows.push_back(cells);
                bookmarks_.push_back(t->GetBookmark());
            }
            t->GotoBookmark(bm);
        } catch (...) {
            t->EnableControls();
            model_->endResetModel();
            --busy_;
            throw;
        }
        t->EnableControls();
    }
    model_->endResetModel();
    for (int c = 0; c < int(columns_.size()); ++c)
        if (columns_[c].width > 0) view_->setColumnWidth(c, columns_[c].width);
    --busy_;
    syncFromTable();
}

void DBGrid::RecordChanged()
{
    if (busy_) return;
    db::Table* t = table();
    if (!t || !t->Active() || t->ControlsDisabled()) return;
    int r = CurrentRow();
    if (t->State() != db::DataSetState::Insert && r >= 0 && r < RowCount()) {
        QStringList cells;
        for (int c = 0; c < int(columns_.size()); ++c) cells << cell(*t, c);
        model_->setRow(r, cells);
    }
    syncFromTable();
}

void DBGrid::StateChanged()
{
    // Back to browsing after a post or cancel: rows may have been added or reordered.
    db::Table* t = table();
    if (!busy_ && t && t->Active() && t->State() == db::DataSetState::Browse) rebuild();
}

void DBGrid::syncFromTable()
{
    int r = CurrentRow();
    if (r < 0 || r >= RowCount()) return;
    QModelIndex cur = view_->currentIndex();
    if (cur.isValid() && cur.row() == r) return;
    ++busy_;
    view_->setCurrentIndex(model_->index(r, cur.isValid() ? cur.column() : 0));
    --busy_;
}

void DBGrid::SelectRow(int row)
{
    db::Table* t = table();
    if (!t || !t->Active() || row < 0 || row >= int(bookmarks_.size())) return;
    if (CurrentRow() == row && t->State() == db::DataSetState::Browse) {
        syncFromTable();
        return;
    }
    t->CheckBrowseMode();
    if (row < int(bookmarks_.size())) t->GotoBookmark(bookmarks_[row]);
    syncFromTable();
}

void DBGrid::EditCell(int column, const QString& text)
{
    int r = CurrentRow();
    if (r < 0) return;
    model_->setData(model_->index(r, column), text, Qt::EditRole);
}

// ---- navigator --------------------------------------------------------------

namespace {
struct NavInfo { NavButton b; const char* name; const char* glyph; const char* hint; };
const NavInfo kNav[] = {
    {nbFirst, "First", "|<", "First record"},   {nbPrior, "Prior", "<", "Prior record"},
    {nbNext, "Next", ">", "Next record"},       {nbLast, "Last", ">|", "Last record"},
    {nbInsert, "Insert", "+", "Insert record"}, {nbDelete, "Delete", "-", "Delete record"},
    {nbEdit, "Edit", "^", "Edit record"},       {nbPost, "Post", "\u2713", "Post edit"},
    {nbCancel, "Cancel", "x", "Cancel edit"},   {nbRefresh, "Refresh", "\u21bb", "Refresh data"},
};
} // namespace

DBNavigator::DBNavigator(db::DataSource* source, unsigned buttons, QWidget* parent)
    : QWidget(parent), source_(source), shown_(buttons)
{
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    for (const NavInfo& n : kNav) {
        if (!(buttons & n.b)) continue;
        auto* tb = new QToolButton(this);
        tb->setObjectName(QString::fromLatin1(n.name));
        tb->setText(QString::fromUtf8(n.glyph));
        tb->setToolTip(QString::fromLatin1(n.hint));
        tb->setMinimumSize(24, 22);
        lay->addWidget(tb);
        NavButton b = n.b;
        connect(tb, &QToolButton::clicked, this, [this, b] {
            try {
                act(b);
            } catch (...) {
                HandleException(std::current_exception());
            }
        });
        buttons_.emplace_back(n.b, tb);
    }
    if (source_) source_->AddLink(this);
    updateButtons();
}

DBNavigator::~DBNavigator()
{
    if (source_) source_->RemoveLink(this);
}

QToolButton* DBNavigator::Button(NavButton b) const
{
    for (const auto& [k, w] : buttons_)
        if (k == b) return w;
    return nullptr;
}

void DBNavigator::Press(NavButton b)
{
    if (QToolButton* tb = Button(b); tb && tb->isEnabled()) tb->click();
}

void DBNavigator::act(NavButton b)
{
    db::Table* t = source_ ? source_->DataSet() : nullptr;
    if (!t || !t->Active()) return;
    if (BeforeAction) BeforeAction(b);
    switch (b) {
    case nbFirst: t->First(); break;
    case nbPrior: t->Prior(); break;
    case nbNext: t->Next(); break;
    case nbLast: t->Last(); break;
    case nbInsert: t->Insert(); break;
    case nbDelete:
        if (ConfirmDelete && MessageDlg(QStringLiteral("Delete record?"), MsgType::Confirmation, mbOKCancel) != mrOk)
            return;
        t->Delete();
        break;
    case nbEdit: t->Edit(); break;
    case nbPost: t->Post(); break;
    case nbCancel: t->Cancel(); break;
    case nbRefresh: t->Refresh(); break;
    }
    if (OnClick) OnClick(b);
}

void DBNavigator::updateButtons()
{
    db::Table* t = source_ ? source_->DataSet() : nullptr;
    bool active = t && t->Active() && source_->Enabled;
    bool browse = active && t->State() == db::DataSetState::Browse;
    bool editing = active && !browse;
    bool empty = !active || t->IsEmpty();
    int rec = active ? t->RecNo() : 0;
    int count = active ? t->RecordCount() : 0;
    for (const auto& [b, w] : buttons_) {
        bool on = false;
        switch (b) {
        case nbFirst:
        case nbPrior: on = active && !empty && rec > 1; break;
        case nbNext:
        case nbLast: on = active && !empty && rec < count; break;
        case nbInsert: on = active; break;
        case nbDelete: on = active && !empty; break;
        case nbEdit: on = browse && !empty; break;
        case nbPost:
        case nbCancel: on = editing; break;
        case nbRefresh: on = active; break;
        }
        w->setEnabled(on);
    }
}

} // namespace ui

#include "moc_dbgrid.cpp"
