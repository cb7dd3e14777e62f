#include "platform/ui/dbgrid.h"

#include "platform/ui/application.h"
#include "platform/ui/seam/msg.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>
#include <QToolButton>

namespace ui {

class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(DBGrid* g) : QAbstractTableModel(g), grid(g) {}

    db::Table* live() const
    {
        db::Table* t = grid->table();
        return t && t->Active() && grid->source_->Enabled ? t : nullptr;
    }
    db::Field* field(int column) const
    {
        db::Table* t = live();
        if (!t || column < 0 || column >= int(grid->columns_.size())) return nullptr;
        return t->FindField(grid->columns_[column].field);
    }

    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : int(grid->columns_.size()); }

    QString text(int row, int column) const
    {
        db::Field* f = field(column);
        if (!f || row < 0 || row >= rows) return {};
        QVariant v = live()->DisplayValue(row, f);
        const GridColumn& c = grid->columns_[column];
        if (c.format) return c.format(v);
        if (f->DataType() == db::FieldType::Logical && !v.isNull()) return v.toBool() ? "True" : "False";
        return v.toString();
    }

    // The text that marks a row, empty for an unmarked one.
    QString mark(int row) const
    {
        db::Table* t = live();
        db::Field* f = t && !grid->markField_.isEmpty() ? t->FindField(grid->markField_) : nullptr;
        if (!f || row < 0 || row >= rows) return {};
        return t->DisplayValue(row, f).toString().trimmed();
    }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid()) return {};
        if (role == Qt::BackgroundRole || role == Qt::ToolTipRole) {
            const QString m = mark(i.row());
            if (m.isEmpty()) return {};
            return role == Qt::ToolTipRole ? QVariant(m) : QVariant(QColor(255, 224, 224));
        }
        if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
        return text(i.row(), i.column());
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section < int(grid->columns_.size()))
            return grid->columns_[section].title;
        if (o == Qt::Vertical && !mark(section).isEmpty()) {
            if (role == Qt::DisplayRole) return QStringLiteral("!");
            if (role == Qt::ToolTipRole) return mark(section);
        }
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
        if (grid->columns_[column].readOnly) return false;
        db::Field* f = field(column);
        return f && !f->ReadOnly() && !f->Calculated();
    }

    bool setData(const QModelIndex& i, const QVariant& v, int role) override
    {
        if (role != Qt::EditRole || !editable(i.column())) return false;
        try {
            if (grid->CurrentRow() != i.row()) grid->SelectRow(i.row());
            field(i.column())->SetAsString(v.toString());
        } catch (...) {
            HandleException(std::current_exception());
            return false;
        }
        return true;
    }

    void reset()
    {
        beginResetModel();
        db::Table* t = live();
        rows = t ? t->DisplayRowCount() : 0;
        endResetModel();
    }
    void rowChanged(int r)
    {
        if (r >= 0 && r < rows) emit dataChanged(index(r, 0), index(r, columnCount() - 1));
    }

    DBGrid* grid;
    int rows = 0;
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

void DBGrid::SetReadOnly(bool on) { readOnly_ = on; }

void DBGrid::MarkRowsBy(const QString& field)
{
    markField_ = field;
    rebuild();
}

int DBGrid::RowCount() const { return model_->rows; }

int DBGrid::CurrentRow() const
{
    db::Table* t = model_->live();
    return t ? t->DisplayRow() : -1;
}

QString DBGrid::CellText(int row, int column) const { return model_->text(row, column); }

void DBGrid::rebuild()
{
    if (busy_) return;
    ++busy_;
    if (allColumns_) {
        columns_.clear();
        if (db::Table* t = model_->live())
            for (const QString& n : t->FieldNames()) columns_.push_back(GridColumn{n, n, 0, {}, false});
    }
    model_->reset();
    for (int c = 0; c < int(columns_.size()); ++c)
        if (columns_[c].width > 0) view_->setColumnWidth(c, columns_[c].width);
    --busy_;
    syncFromTable();
}

void DBGrid::RecordChanged()
{
    if (busy_) return;
    db::Table* t = model_->live();
    if (!t) return;
    if (t->DisplayRowCount() != model_->rows) {
        rebuild();
        return;
    }
    model_->rowChanged(t->DisplayRow());
    syncFromTable();
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
    db::Table* t = model_->live();
    if (!t || row < 0 || row >= RowCount()) return;
    if (CurrentRow() != row) {
        // Leaving an edited or new row posts it; the rows may move, so find the target afterwards.
        int count = t->DisplayRowCount();
        bool pendingInsert = t->State() == db::DataSetState::Insert;
        int insertAt = t->DisplayRow();
        t->CheckBrowseMode();
        if (pendingInsert && t->DisplayRowCount() < count && row > insertAt) --row;
        t->SetRecNo(row + 1);
    }
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
