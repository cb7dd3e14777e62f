// The table component: an in-memory copy of one table's rows in index order,
// a cursor over the rows that pass the filter, an edit buffer, and
// write-through of every post and delete.
#include "platform/db/dbimpl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace db {

using namespace detail;

namespace {

} // namespace

// What the file holds for columns of a row that their fields do not hold as
// it is (detail::misfitOf), as the row was read, in column order.
struct RowMisfits {
    struct Misfit {
        int column;
        QString why;
    };
    std::vector<Misfit> list;
};

namespace {

using Misfit = RowMisfits::Misfit;

struct Row {
    qint64 rowid = 0;
    std::vector<QVariant> v;
    bool pass = true;
    // None for nearly every row.
    std::shared_ptr<RowMisfits> misfits = {};

    // The columns given new values hold what the file now holds.
    template <class Changed>
    void settle(Changed changed)
    {
        if (!misfits)
            return;
        std::erase_if(misfits->list, [&](const Misfit& m) { return changed(size_t(m.column)); });
        if (misfits->list.empty())
            misfits.reset();
    }
};

// The same value held the same way (a double to the bit).
bool sameHeld(const QVariant& a, const QVariant& b)
{
    if (heldNull(a) || heldNull(b))
        return heldNull(a) && heldNull(b);
    if (holdsDouble(a))
        return holdsDouble(b) && std::memcmp(a.constData(), b.constData(), sizeof(double)) == 0;
    if (holdsInt(a))
        return holdsInt(b) && *static_cast<const int*>(a.constData()) == *static_cast<const int*>(b.constData());
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(a.constData()) == *static_cast<const QString*>(b.constData());
    if (a.typeId() == QMetaType::Bool)
        return *static_cast<const bool*>(a.constData()) == *static_cast<const bool*>(b.constData());
    return false;
}

} // namespace

struct Table::Impl {
    explicit Impl(Table* owner)
        : t(owner), quotedName(quoteIdent(owner->tableName_)),
          postWhat(QStringLiteral("Cannot post a row of table ") + owner->tableName_)
    {
    }

    Table* t;
    const QString quotedName;     // the table's name as SQL writes it
    const QString postWhat;       // what a failed post could not do
    bool active = false;
    bool metaLoaded = false;
    TableMeta meta;
    std::vector<std::unique_ptr<Field>> dataFields;   // by column
    std::vector<std::unique_ptr<Field>> calcFields;
    std::vector<std::unique_ptr<Field>> stale;        // their column went away
    std::unordered_map<QString, Field*> byName;       // case-folded name, data fields first
    std::unordered_map<QString, Field*> bySpelling;   // the name as the table spells it

    std::vector<Row> rows;        // in index order
    std::vector<int> visible;     // rows passing the filter
    int cur = -1;                 // position in visible
    bool bof = true, eof = true;

    DataSetState state = DataSetState::Inactive;
    std::vector<QVariant> buf;    // the row being edited or inserted
    std::vector<bool> changed;
    bool modified = false;
    qint64 editRowid = 0;
    int insertPos = 0;
    qint64 rowidBeforeInsert = 0;

    // The SQL of the write statements for this structure, built once: an
    // insert of every column, and an update for each set of columns posted
    // (rows of one table mostly change the same few sets).
    QString insertSql;
    void buildInsertSql()
    {
        if (!insertSql.isEmpty())
            return;
        QString cols, marks;
        for (const auto& c : meta.columns) {
            if (!cols.isEmpty()) {
                cols += QLatin1Char(',');
                marks += QLatin1Char(',');
            }
            cols += c.quoted;
            marks += QLatin1Char('?');
        }
        insertSql = QStringLiteral("INSERT INTO ") + quotedName + QLatin1Char('(') + cols + QStringLiteral(") VALUES(")
                    + marks + QLatin1Char(')');
    }
    // The last read's SQL and what it was built for (range column, order).
    QString selectSql, selectFor;
    std::unordered_map<std::vector<bool>, QString> updateSqls;

    // Rows kept from the last Close with the store's mark at that moment:
    // opening again while the mark is unchanged takes them back instead of
    // reading every row and column again.
    struct Kept {
        bool valid = false;
        StoreMark mark;
        QString rangeField;
        QVariant rangeValue;
        std::vector<Row> rows;
    } kept;
    // The rows hold just what reading them again would give. Not so when a
    // text column has no text storage ("007" reads back as 7), or a number
    // was posted that the file holds otherwise (NaN as null, -0 as 0).
    bool asStored = false;
    bool textStored = false;      // every Alpha and Memo column stores text
    std::vector<int> numberCols;
    StoreMark loadedMark;         // the store when the rows were read
    quint64* writes = nullptr;    // the engine's count of writes to the table

    std::vector<QVariant> calc;   // calculated values of the current row
    const std::vector<QVariant>* evalData = nullptr;   // a row looked at by a handler
    std::vector<QVariant>* evalCalc = nullptr;
    bool inCalc = false;

    int disable = 0;
    DataSetState disableState = DataSetState::Inactive;
    bool disableActive = false;
    std::vector<DataLink*> links;

    // ---- basics ----

    sqlite3* conn() { return Engine::instance().Connection(t->alias_); }
    QString name() const { return t->tableName_; }

    void checkActive() const
    {
        if (!active)
            throw DbError(QStringLiteral("Cannot perform this operation on a closed table (%1)").arg(t->tableName_));
    }

    int ncols() const { return int(dataFields.size()); }

    void notify(void (DataLink::*fn)())
    {
        if (disable > 0 || links.empty())
            return;
        if (links.size() == 1) {
            (links.front()->*fn)();
            return;
        }
        // A link may remove itself or another while being told.
        const auto copy = links;
        for (DataLink* l : copy)
            if (std::find(links.begin(), links.end(), l) != links.end())
                (l->*fn)();
    }

    // ---- metadata and fields ----

    void ensureMeta()
    {
        if (!metaLoaded)
            loadMeta(fileMeta());
    }

    // The table's structure in the file, narrowed to the columns set; an
    // index over a column left out goes with it.
    TableMeta fileMeta()
    {
        TableMeta m = readMeta(conn(), name());
        if (t->columns_.isEmpty())
            return m;
        std::vector<int> moved(m.columns.size(), -1);
        std::vector<ColumnInfo> kept;
        for (size_t i = 0; i < m.columns.size(); ++i)
            if (t->columns_.contains(m.columns[i].name, Qt::CaseInsensitive)) {
                moved[i] = int(kept.size());
                kept.push_back(m.columns[i]);
            }
        m.columns = std::move(kept);
        m.autoIncColumn = m.autoIncColumn < 0 ? -1 : moved[size_t(m.autoIncColumn)];
        std::vector<IndexInfo> indexes;
        for (IndexInfo& ix : m.indexes) {
            bool whole = true;
            for (int& c : ix.columns)
                whole = whole && (c = moved[size_t(c)]) >= 0;
            if (whole)
                indexes.push_back(std::move(ix));
        }
        m.indexes = std::move(indexes);
        return m;
    }

    // Keeps every persistent field object: a field whose column still exists
    // follows it, new columns get new objects, vanished ones go stale.
    void loadMeta(TableMeta m)
    {
        std::vector<std::unique_ptr<Field>> old = std::move(dataFields);
        dataFields.clear();
        for (size_t i = 0; i < m.columns.size(); ++i) {
            const ColumnInfo& c = m.columns[i];
            std::unique_ptr<Field> f;
            for (auto* pool : {&old, &stale})
                for (auto& o : *pool)
                    if (!f && o && o->name_.compare(c.name, Qt::CaseInsensitive) == 0)
                        f = std::move(o);
            if (f) {
                f->name_ = c.name;
                f->type_ = c.type;
                f->size_ = c.size;
                f->index_ = int(i);
            } else {
                f.reset(new Field(t, c.name, c.type, c.size, int(i), false));
            }
            dataFields.push_back(std::move(f));
        }
        stale.erase(std::remove(stale.begin(), stale.end(), nullptr), stale.end());
        for (auto& o : old)
            if (o) {
                o->index_ = -1;
                stale.push_back(std::move(o));
            }
        for (size_t k = 0; k < calcFields.size(); ++k)
            calcFields[k]->index_ = int(m.columns.size() + k);
        meta = std::move(m);
        metaLoaded = true;
        noteColumns();
        indexNames();
        insertSql.clear();
        updateSqls.clear();
        selectSql.clear();
    }

    void noteColumns()
    {
        textStored = true;
        numberCols.clear();
        for (size_t i = 0; i < meta.columns.size(); ++i) {
            const ColumnInfo& c = meta.columns[i];
            if (c.type == FieldType::Number)
                numberCols.push_back(int(i));
            if (c.type == FieldType::Alpha || c.type == FieldType::Memo) {
                const QString decl = c.declType.toUpper();
                textStored = textStored && (decl.contains(QLatin1String("CHAR")) || decl.contains(QLatin1String("CLOB"))
                                            || decl.contains(QLatin1String("TEXT")));
            }
        }
    }

    void indexNames()
    {
        byName.clear();
        bySpelling.clear();
        for (auto* pool : {&dataFields, &calcFields})
            for (auto& f : *pool) {
                byName.emplace(f->name_.toCaseFolded(), f.get());
                bySpelling.emplace(f->name_, f.get());
            }
    }

    Field* findField(const QString& n)
    {
        ensureMeta();
        // Code names a field as the table spells it; folding the case is
        // needed only otherwise.
        if (auto exact = bySpelling.find(n); exact != bySpelling.end())
            return exact->second;
        auto it = byName.find(n.toCaseFolded());
        return it == byName.end() ? nullptr : it->second;
    }

    const IndexInfo* index() const { return meta.findIndex(t->indexName_); }

    // ---- rows ----

    bool less(const Row& a, const Row& b, const IndexInfo* ix) const
    {
        if (ix)
            for (size_t k = 0; k < ix->columns.size(); ++k) {
                int c = compareValues(a.v[size_t(ix->columns[k])], b.v[size_t(ix->columns[k])], ix->nocase[k]);
                if (c)
                    return c < 0;
            }
        return a.rowid < b.rowid;
    }

    void sortRows()
    {
        const IndexInfo* ix = index();
        auto cmp = [&](const Row& a, const Row& b) { return less(a, b, ix); };
        if (!std::is_sorted(rows.begin(), rows.end(), cmp))
            std::sort(rows.begin(), rows.end(), cmp);
    }

    // SQLite's order for the selected index, so that the rows mostly arrive sorted.
    QString orderBy() const
    {
        QStringList terms;
        if (const IndexInfo* ix = index())
            for (size_t k = 0; k < ix->columns.size(); ++k)
                terms << meta.columns[size_t(ix->columns[k])].quoted
                             + (ix->nocase[k] ? QStringLiteral(" COLLATE NOCASE") : QString());
        terms << QStringLiteral("rowid");
        return QStringLiteral(" ORDER BY ") + terms.join(QLatin1Char(','));
    }

    // Stored column i of the row a statement stands on, read into `r`: what
    // the field does not hold as it is, noted with the row.
    void readColumn(const Stmt& s, size_t i, Row& r) const
    {
        const FieldType type = meta.columns[i].type;
        const bool whole = type == FieldType::Short || type == FieldType::Long || type == FieldType::AutoInc;
        const int kind = sqlite3_column_type(s.handle(), int(i) + 1);
        // Numbers in number fields and text in text fields are what the file
        // holds; only a whole number may still be beyond its field's range.
        QString why;
        if (whole && kind == SQLITE_INTEGER) {
            const qint64 x = sqlite3_column_int64(s.handle(), int(i) + 1);
            if (x != qint64(int(x)) || (type == FieldType::Short && (x < -32768 || x > 32767)))
                why = misfitOf(QVariant(x), type);
        } else if (kind != SQLITE_NULL && !(kind == SQLITE_TEXT && (type == FieldType::Alpha || type == FieldType::Memo))
                   && !(type == FieldType::Number && (kind == SQLITE_INTEGER || kind == SQLITE_FLOAT))) {
            why = misfitOf(s.column(int(i) + 1), type);
        }
        if (!why.isEmpty()) {
            if (!r.misfits)
                r.misfits = std::make_shared<RowMisfits>();
            r.misfits->list.push_back({int(i), why});
        }
        r.v[i] = readValue(s, i);
    }

    // What a fresh read of stored column i gives: numbers stored as numbers
    // directly, anything else through the general conversion.
    QVariant readValue(const Stmt& s, size_t i) const
    {
        sqlite3_stmt* st = s.handle();
        const int c = int(i) + 1;
        const int kind = sqlite3_column_type(st, c);
        if (kind == SQLITE_NULL)
            return QVariant();
        switch (meta.columns[i].type) {
        case FieldType::Number:
            if (kind == SQLITE_FLOAT)
                return QVariant(sqlite3_column_double(st, c));
            if (kind == SQLITE_INTEGER)
                return QVariant(double(sqlite3_column_int64(st, c)));
            break;
        case FieldType::Short:
        case FieldType::Long:
        case FieldType::AutoInc:
            if (kind == SQLITE_INTEGER)
                return QVariant(int(sqlite3_column_int64(st, c)));
            break;
        case FieldType::Alpha:
        case FieldType::Memo:
            if (kind == SQLITE_TEXT) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                const int bytes = sqlite3_column_bytes(st, c);
                return bytes > 0 ? QVariant(QString::fromUtf8(text, bytes)) : QVariant();
            }
            break;
        case FieldType::Logical:
            if (kind == SQLITE_INTEGER)
                return QVariant(sqlite3_column_int64(st, c) != 0);
            break;
        }
        if (kind == SQLITE_NULL)
            return QVariant();
        return fromStorage(s.column(c), meta.columns[i].type);
    }

    void loadRows()
    {
        int rangeColumn = -1;
        if (t->Ranged()) {
            rangeColumn = meta.columnIndex(t->rangeField_);
            if (rangeColumn < 0)
                throw DbError(QStringLiteral("Field '%1' not found in table %2").arg(t->rangeField_, name()));
        }
        const QString order = orderBy();
        const QString builtFor = QString::number(rangeColumn) + order;
        if (selectSql.isEmpty() || selectFor != builtFor) {
            QString sql = QStringLiteral("SELECT rowid");
            for (const auto& c : meta.columns)
                sql += QLatin1Char(',') + c.quoted;
            sql += QStringLiteral(" FROM ") + quotedName;
            if (rangeColumn >= 0)
                sql += QStringLiteral(" WHERE ") + meta.columns[size_t(rangeColumn)].quoted + QStringLiteral("=?");
            selectSql = sql + order;
            selectFor = builtFor;
        }
        Stmt s(conn(), selectSql, QStringLiteral("Cannot read table ") + name(), name());
        if (rangeColumn >= 0) {
            const ColumnInfo& c = meta.columns[size_t(rangeColumn)];
            s.bindStored(1, toFieldValue(t->rangeValue_, c.type, c.size, c.name, false), c.type);
        }
        std::vector<Row> fresh;
        fresh.reserve(rows.size());
        const size_t n = meta.columns.size();
        while (s.step()) {
            Row r;
            r.rowid = s.int64(0);
            r.v.resize(n);
            for (size_t i = 0; i < n; ++i)
                readColumn(s, i, r);
            fresh.push_back(std::move(r));
        }
        rows = std::move(fresh);
        sortRows();
        filterAll();
        asStored = textStored;
        loadedMark = storeMark(t->alias_, t->tableName_);
    }

    // Whether the file holds these numbers as they are.
    // (Only the columns listed, when there is a list.)
    bool numbersStoredAsHeld(const std::vector<QVariant>& v, const std::vector<int>* only = nullptr) const
    {
        for (int i : only ? *only : numberCols) {
            const QVariant& x = v[size_t(i)];
            if (holdsDouble(x)) {
                const double d = heldDouble(x);
                if (std::isnan(d) || (d == 0 && std::signbit(d)))
                    return false;
            }
        }
        return true;
    }

    // At Close: keeps the rows when they are what the file holds and no one
    // else changed the file since they were read.
    void keepRows()
    {
        kept.valid = false;
        kept.rows.clear();
        // Closing never opens a connection: one closed or opened anew since
        // the rows were read leaves nothing worth keeping.
        if (!asStored || Engine::instance().ConnectionSerial(t->alias_) != loadedMark.serial)
            return;
        const StoreMark now = storeMark(t->alias_, t->tableName_);
        StoreMark then = loadedMark;
        // Writes to the table since the rows were read came through this
        // component or were passed on to it.
        then.writes = now.writes;
        if (now != then)
            return;
        kept.mark = now;
        kept.rangeField = t->rangeField_;
        kept.rangeValue = t->rangeValue_;
        kept.rows = std::move(rows);
        kept.valid = true;
    }

    // At Open: takes the kept rows back when the file is as it was at Close.
    bool takeKeptRows()
    {
        if (!kept.valid)
            return false;
        kept.valid = false;
        std::vector<Row> keptRows = std::move(kept.rows);
        kept.rows.clear();
        if (kept.rangeField != t->rangeField_ || kept.rangeValue != t->rangeValue_)
            return false;
        const StoreMark now = storeMark(t->alias_, t->tableName_);
        if (now != kept.mark)
            return false;
        rows = std::move(keptRows);
        sortRows();
        filterAll();
        loadedMark = now;
        return true;
    }

    bool passes(const Row& r)
    {
        if (!t->filtered_ || !t->OnFilterRecord)
            return true;
        std::vector<QVariant> c;
        computeCalc(&r.v, &c);
        auto saveData = evalData;
        auto saveCalc = evalCalc;
        evalData = &r.v;
        evalCalc = &c;
        struct Restore {
            Impl* d; const std::vector<QVariant>* data; std::vector<QVariant>* calc;
            ~Restore() { d->evalData = data; d->evalCalc = calc; }
        } restore{this, saveData, saveCalc};
        return t->OnFilterRecord(*t);
    }

    void filterAll()
    {
        for (auto& r : rows)
            r.pass = passes(r);
        rebuildVisible();
    }

    void rebuildVisible()
    {
        visible.clear();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].pass)
                visible.push_back(int(i));
    }

    int posOfRowid(qint64 id) const
    {
        for (size_t p = 0; p < visible.size(); ++p)
            if (rows[size_t(visible[p])].rowid == id)
                return int(p);
        return -1;
    }

    // The visible position of row i, -1 when it is filtered out.
    int posOfRow(int i) const
    {
        auto it = std::lower_bound(visible.begin(), visible.end(), i);
        return it != visible.end() && *it == i ? int(it - visible.begin()) : -1;
    }

    int rowIndexOf(qint64 id) const
    {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].rowid == id)
                return int(i);
        return -1;
    }

    qint64 curRowid() const
    {
        return cur >= 0 && cur < int(visible.size()) ? rows[size_t(visible[size_t(cur)])].rowid : 0;
    }

    // The visible position of row i, or of the first visible row after it.
    int visiblePosAtOrAfter(int i) const
    {
        for (size_t p = 0; p < visible.size(); ++p)
            if (visible[p] >= i)
                return int(p);
        return visible.empty() ? -1 : int(visible.size()) - 1;
    }

    // Puts row i where its keys belong; returns its new index.
    int reposition(int i)
    {
        const IndexInfo* ix = index();
        const size_t k = size_t(i);
        if ((k == 0 || less(rows[k - 1], rows[k], ix)) && (k + 1 == rows.size() || less(rows[k], rows[k + 1], ix)))
            return i;   // still in order where it is
        Row r = std::move(rows[size_t(i)]);
        rows.erase(rows.begin() + i);
        auto at = std::upper_bound(rows.begin(), rows.end(), r,
                                   [&](const Row& a, const Row& b) { return less(a, b, ix); });
        int pos = int(at - rows.begin());
        rows.insert(at, std::move(r));
        return pos;
    }

    // ---- the record handlers look at ----

    const std::vector<QVariant>* activeData() const
    {
        if (evalData)
            return evalData;
        if (state == DataSetState::Edit || state == DataSetState::Insert)
            return &buf;
        if (cur >= 0 && cur < int(visible.size()))
            return &rows[size_t(visible[size_t(cur)])].v;
        return nullptr;
    }

    std::vector<QVariant>* activeCalc() { return evalData ? evalCalc : &calc; }

    void computeCalc(const std::vector<QVariant>* data, std::vector<QVariant>* out)
    {
        out->assign(calcFields.size(), QVariant());
        if (calcFields.empty() || !data || !t->OnCalcFields || inCalc)
            return;
        auto saveData = evalData;
        auto saveCalc = evalCalc;
        evalData = data;
        evalCalc = out;
        inCalc = true;
        struct Restore {
            Impl* d; const std::vector<QVariant>* data; std::vector<QVariant>* calc;
            ~Restore() { d->evalData = data; d->evalCalc = calc; d->inCalc = false; }
        } restore{this, saveData, saveCalc};
        t->OnCalcFields(*t);
    }

    void refreshCalc()
    {
        if (calcFields.empty())
            return;
        std::vector<QVariant> c;
        const std::vector<QVariant>* data = nullptr;
        if (state == DataSetState::Edit || state == DataSetState::Insert)
            data = &buf;
        else if (cur >= 0 && cur < int(visible.size()))
            data = &rows[size_t(visible[size_t(cur)])].v;
        computeCalc(data, &c);
        calc = std::move(c);
    }

    // The value a field reads, where it is held; nullptr when there is no
    // record to read (the field reads empty). Only good until the next call.
    const QVariant* valueRef(const Field* f)
    {
        if (!active)
            throw DbError(QStringLiteral("Field '%1' cannot be used: table %2 is closed").arg(f->name_, name()));
        if (f->index_ < 0)
            throw DbError(QStringLiteral("Field '%1' no longer exists in table %2").arg(f->name_, name()));
        if (f->calculated_) {
            const auto* c = activeCalc();
            size_t slot = size_t(f->index_ - ncols());
            return c && slot < c->size() ? &(*c)[slot] : nullptr;
        }
        const auto* data = activeData();
        return data ? &(*data)[size_t(f->index_)] : nullptr;
    }

    QVariant value(const Field* f)
    {
        const QVariant* v = valueRef(f);
        return v ? *v : QVariant();
    }

    // `held` says v is already what the field holds (the typed setters'
    // own conversions); anything else is converted here.
    void setValue(Field* f, const QVariant& v, bool held = false)
    {
        if (!active)
            throw DbError(QStringLiteral("Field '%1' cannot be used: table %2 is closed").arg(f->name_, name()));
        if (f->index_ < 0)
            throw DbError(QStringLiteral("Field '%1' no longer exists in table %2").arg(f->name_, name()));
        QVariant x = held ? v : toFieldValue(v, f->type_, f->size_, f->name_);
        if (f->calculated_) {
            if (!inCalc)
                throw DbError(QStringLiteral("Field '%1' is calculated and cannot be modified").arg(f->name_));
            auto* c = activeCalc();
            size_t slot = size_t(f->index_ - ncols());
            if (c && slot < c->size())
                (*c)[slot] = x;
            return;
        }
        if (evalData)
            throw DbError(QStringLiteral("Field '%1' cannot be modified while rows are being filtered or calculated").arg(f->name_));
        if (f->type_ == FieldType::AutoInc)
            throw DbError(QStringLiteral("Field '%1' cannot be modified").arg(f->name_));
        if (state == DataSetState::Browse)
            t->Edit();
        buf[size_t(f->index_)] = std::move(x);
        changed[size_t(f->index_)] = true;
        modified = true;
        refreshCalc();
        notify(&DataLink::RecordChanged);
    }

    // ---- cursor ----

    void afterMove()
    {
        refreshCalc();
        notify(&DataLink::RecordChanged);
        if (t->AfterScroll)
            t->AfterScroll(*t);
    }

    void goTo(int pos)
    {
        cur = pos;
        bof = eof = false;
        afterMove();
    }

    // Takes over a row that another component of the same table posted
    // (values) or deleted (null), as if it had re-read the table.
    void applyExternal(qint64 id, const std::vector<QVariant>* v)
    {
        if (v && v->size() != meta.columns.size()) {
            reload(true);
            return;
        }
        asStored = asStored && (!v || numbersStoredAsHeld(*v));
        const qint64 curId = curRowid();
        const int oldPos = cur;
        int i = rowIndexOf(id);
        if (!v) {
            if (i < 0)
                return;
            rows.erase(rows.begin() + i);
            if (state == DataSetState::Edit && editRowid == id) {
                state = DataSetState::Browse;
                buf.clear();
                modified = false;
                notify(&DataLink::StateChanged);
            }
        } else {
            if (i >= 0) {
                Row& r = rows[size_t(i)];
                r.settle([&](size_t c) { return !sameHeld(r.v[c], (*v)[c]); });
                r.v = *v;
                if (state == DataSetState::Edit && editRowid == id)
                    for (size_t c = 0; c < buf.size(); ++c)
                        if (!changed[c])
                            buf[c] = (*v)[c];
            } else {
                rows.push_back(Row{id, *v, true});
                i = int(rows.size()) - 1;
            }
            i = reposition(i);
            rows[size_t(i)].pass = passes(rows[size_t(i)]);
        }
        rebuildVisible();
        int p = posOfRowid(curId);
        if (p < 0)
            p = visible.empty() ? -1 : std::min(std::max(oldPos, 0), int(visible.size()) - 1);
        cur = p;
        if (visible.empty())
            bof = eof = true;
        if (state == DataSetState::Insert)
            insertPos = std::min(insertPos, int(visible.size()));
        refreshCalc();
        notify(&DataLink::DataSetChanged);
    }

    // Counts a write of this component's table.
    void wrote()
    {
        if (!writes)
            writes = writeCount(t->alias_, t->tableName_);
        ++*writes;
    }

    void tellSiblings(qint64 id, const std::vector<QVariant>* v)
    {
        for (Table* other : openTables(t->alias_, t->tableName_))
            if (other != t)
                other->d_->applyExternal(id, v);
    }

    // Re-reads the rows after a change made around the component; the row
    // being edited stays in the buffer unless it went away.
    void reload(bool keepPending)
    {
        TableMeta fresh = fileMeta();
        bool same = fresh.sameStructure(meta);
        if (!same || !keepPending) {
            state = DataSetState::Browse;
            buf.clear();
            modified = false;
        }
        if (!same) {
            forgetStmts(conn(), name());
            loadMeta(std::move(fresh));
        }
        else
            meta = std::move(fresh);
        if (!index())
            t->indexName_.clear();
        qint64 id = curRowid();
        int oldPos = cur;
        loadRows();
        if (state == DataSetState::Edit && rowIndexOf(editRowid) < 0) {
            state = DataSetState::Browse;
            buf.clear();
            modified = false;
        }
        if (state == DataSetState::Insert)
            insertPos = std::min(insertPos, int(visible.size()));
        int p = posOfRowid(id);
        if (p < 0)
            p = visible.empty() ? -1 : std::min(std::max(oldPos, 0), int(visible.size()) - 1);
        cur = p;
        if (visible.empty())
            bof = eof = true;
        refreshCalc();
        notify(&DataLink::DataSetChanged);
    }
};

namespace detail {
void reloadTable(Table* t)
{
    if (t->Active())
        t->d_->reload(true);
}
} // namespace detail

// ---- Field ----------------------------------------------------------------

QVariant Field::Value() const
{
    return table_->d_->value(this);
}

QVariant Field::OldValue() const
{
    Table::Impl& d = *table_->d_;
    if (!d.active || calculated_ || index_ < 0)
        return Value();
    if (d.state == DataSetState::Insert)
        return QVariant();
    if (d.state != DataSetState::Edit)
        return Value();
    const int i = d.rowIndexOf(d.editRowid);
    return i >= 0 ? d.rows[size_t(i)].v[size_t(index_)] : QVariant();
}

namespace {

// The misfits of the row a table's fields read, those of columns an edit in
// progress changed aside; none while a handler looks at another row.
const RowMisfits* misfitsRead(const Table::Impl& d)
{
    if (!d.active || d.evalData)
        return nullptr;
    const Row* row = nullptr;
    if (d.state == DataSetState::Edit) {
        const int i = d.rowIndexOf(d.editRowid);
        row = i >= 0 ? &d.rows[size_t(i)] : nullptr;
    } else if (d.state == DataSetState::Browse && d.cur >= 0 && d.cur < int(d.visible.size())) {
        row = &d.rows[size_t(d.visible[size_t(d.cur)])];
    }
    return row ? row->misfits.get() : nullptr;
}

bool editedColumn(const Table::Impl& d, int column)
{
    return d.state == DataSetState::Edit && d.changed[size_t(column)];
}

} // namespace

QString Field::StoredMisfit() const
{
    const Table::Impl& d = *table_->d_;
    if (const RowMisfits* misfits = calculated_ || index_ < 0 ? nullptr : misfitsRead(d))
        for (const Misfit& m : misfits->list)
            if (m.column == index_ && !editedColumn(d, index_))
                return m.why;
    return QString();
}

Field* Table::FirstMisfitField()
{
    if (const RowMisfits* misfits = misfitsRead(*d_))
        for (const Misfit& m : misfits->list)
            if (!editedColumn(*d_, m.column))
                return d_->dataFields[size_t(m.column)].get();
    return nullptr;
}

void Table::EachRow(const std::function<bool(const RowValues&)>& look)
{
    Impl& d = *d_;
    d.checkActive();
    for (int i : std::vector<int>(d.visible)) {
        Row& r = d.rows[size_t(i)];
        if (!look(RowValues(&r.v, this, r.misfits.get())))
            return;
    }
}

namespace {
// Reads a field's value in place: the typed readers need no copy of it.
const QVariant& valueOf(Table::Impl* d, const Field* f)
{
    static const QVariant empty;
    const QVariant* v = d->valueRef(f);
    return v ? *v : empty;
}
} // namespace

bool Field::IsNull() const
{
    return heldNull(valueOf(table_->d_.get(), this));
}

double Field::AsFloat() const
{
    return floatOf(valueOf(table_->d_.get(), this));
}

double Field::floatOf(const QVariant& v) const
{
    if (holdsDouble(v))
        return heldDouble(v);
    if (heldNull(v))
        return 0;
    if (type_ == FieldType::Alpha || type_ == FieldType::Memo)
        return detail::textToFloat(v.toString(), name_);
    return v.toDouble();
}

int Field::AsInteger() const
{
    return integerOf(valueOf(table_->d_.get(), this));
}

int Field::integerOf(const QVariant& v) const
{
    if (holdsInt(v))
        return *static_cast<const int*>(v.constData());
    if (heldNull(v))
        return 0;
    switch (type_) {
    case FieldType::Number:
    case FieldType::Alpha:
    case FieldType::Memo:
        return toFieldValue(v, FieldType::Long, 0, name_).toInt();
    default:
        return v.toInt();
    }
}

bool Field::AsBoolean() const
{
    const QVariant& v = valueOf(table_->d_.get(), this);
    if (heldNull(v))
        return false;
    if (type_ == FieldType::Alpha || type_ == FieldType::Memo)
        return toFieldValue(v, FieldType::Logical, 0, name_).toBool();
    if (type_ == FieldType::Number)
        return v.toDouble() != 0;
    return v.toBool();
}

QString Field::AsString() const
{
    return stringOf(valueOf(table_->d_.get(), this));
}

QString Field::stringOf(const QVariant& v) const
{
    if (heldNull(v))
        return QString();
    switch (type_) {
    case FieldType::Number:
        return detail::floatToString(v.toDouble());
    case FieldType::Logical:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}

// The setters hand over the value a field of their own type holds as it is.
void Field::SetAsFloat(double v)
{
    table_->d_->setValue(this, QVariant(v), type_ == FieldType::Number);
}

void Field::SetAsInteger(int v)
{
    table_->d_->setValue(this, heldInteger(v), true);
}

QVariant Field::heldInteger(int v) const
{
    const bool held = type_ == FieldType::Long || (type_ == FieldType::Short && v >= -32768 && v <= 32767);
    return held ? QVariant(v) : toFieldValue(QVariant(v), type_, size_, name_);
}

void Field::SetAsBoolean(bool v) { table_->d_->setValue(this, QVariant(v), type_ == FieldType::Logical); }

void Field::SetAsString(const QString& v)
{
    table_->d_->setValue(this, heldText(v), true);
}

QVariant Field::heldText(const QString& v) const
{
    if (type_ != FieldType::Alpha && type_ != FieldType::Memo)
        return toFieldValue(QVariant(v), type_, size_, name_);
    // Alpha text is cut to the field's size; no text is an empty field.
    const QString cut = type_ == FieldType::Alpha && size_ > 0 && v.size() > size_ ? v.left(size_) : v;
    return cut.isEmpty() ? QVariant() : QVariant(cut);
}

// ---- RowValues ----------------------------------------------------------------

QVariant& RowValues::slot(const Field* f) const
{
    if (f->table_ != table_ || f->calculated_ || f->index_ < 0 || size_t(f->index_) >= row_->size())
        throw DbError(QStringLiteral("Field '%1' is not a stored field of the row").arg(f->name_));
    return (*row_)[size_t(f->index_)];
}

int RowValues::AsInteger(const Field* f) const
{
    if (!row_)
        return f->AsInteger();
    return f->integerOf(slot(f));
}

bool RowValues::IsNull(const Field* f) const
{
    return row_ ? heldNull(slot(f)) : f->IsNull();
}

double RowValues::AsFloat(const Field* f) const
{
    return row_ ? f->floatOf(slot(f)) : f->AsFloat();
}

QString RowValues::AsString(const Field* f) const
{
    return row_ ? f->stringOf(slot(f)) : f->AsString();
}

const Field* RowValues::FirstMisfitField(QString* why) const
{
    if (!misfits_ || misfits_->list.empty())
        return nullptr;
    const RowMisfits::Misfit& m = misfits_->list.front();
    *why = m.why;
    return const_cast<Table*>(table_)->Fields(m.column);
}

void RowValues::SetAsInteger(Field* f, int v)
{
    if (!row_)
        return f->SetAsInteger(v);
    if (f->type_ == FieldType::AutoInc)
        throw DbError(QStringLiteral("Field '%1' cannot be modified").arg(f->name_));
    slot(f) = f->heldInteger(v);
}

void RowValues::SetAsString(Field* f, const QString& v)
{
    if (!row_)
        return f->SetAsString(v);
    if (f->type_ == FieldType::AutoInc)
        throw DbError(QStringLiteral("Field '%1' cannot be modified").arg(f->name_));
    slot(f) = f->heldText(v);
}
namespace {
// Whether a field of `type` and `size` holding nothing but v's type would
// hold v just as its typed setter stores what the getter gives (null aside).
bool heldAsIs(const QVariant& v, FieldType type, int size)
{
    switch (type) {
    case FieldType::Number:
        return holdsDouble(v);
    case FieldType::Long:
        return holdsInt(v);
    case FieldType::Short: {
        if (!holdsInt(v))
            return false;
        const int n = *static_cast<const int*>(v.constData());
        return n >= -32768 && n <= 32767;
    }
    case FieldType::Alpha:
    case FieldType::Memo: {
        if (v.typeId() != QMetaType::QString)
            return false;
        const QString& text = *static_cast<const QString*>(v.constData());
        return !text.isEmpty() && !(type == FieldType::Alpha && size > 0 && text.size() > size);
    }
    case FieldType::Logical:
        return v.typeId() == QMetaType::Bool;
    case FieldType::AutoInc:
        return false;
    }
    return false;
}
} // namespace

bool Field::TakeValueOf(const Field& from)
{
    if (from.type_ != type_ || calculated_ || from.calculated_ || type_ == FieldType::AutoInc)
        return false;
    const QVariant& v = valueOf(from.table_->d_.get(), &from);
    if (heldNull(v)) {
        Clear();
        return true;
    }
    if (!heldAsIs(v, type_, size_))
        return false;
    // A copy: v lives in the other table, and this one may be the same.
    table_->d_->setValue(this, QVariant(v), true);
    return true;
}

void Field::SetValue(const QVariant& v) { table_->d_->setValue(this, v); }
void Field::Clear() { table_->d_->setValue(this, QVariant()); }

// ---- Table ----------------------------------------------------------------

Table::Table(QString alias, QString tableName)
    : alias_(std::move(alias)), tableName_(std::move(tableName)), d_(std::make_unique<Impl>(this))
{
}

Table::~Table()
{
    unregisterOpen(this);
    for (DataLink* l : d_->links)
        if (auto* ds = dynamic_cast<DataSource*>(l); ds && ds->table_ == this)
            ds->table_ = nullptr;
}

Field* Table::AddCalcField(const QString& name, FieldType type, int size)
{
    if (d_->active)
        throw DbError(QStringLiteral("Calculated field '%1' must be added while table %2 is closed").arg(name, tableName_));
    for (auto& f : d_->calcFields)
        if (f->name_.compare(name, Qt::CaseInsensitive) == 0)
            throw DbError(QStringLiteral("Table %1 already has a field '%2'").arg(tableName_, name));
    int index = d_->metaLoaded ? d_->ncols() + int(d_->calcFields.size()) : int(d_->calcFields.size());
    d_->calcFields.emplace_back(new Field(this, name, type, size, index, true));
    Field* f = d_->calcFields.back().get();
    d_->byName.emplace(f->name_.toCaseFolded(), f);
    d_->bySpelling.emplace(f->name_, f);
    return f;
}

void Table::Open()
{
    if (d_->active)
        return;
    TableMeta m = d_->fileMeta();
    const bool sameFields = d_->metaLoaded && m.sameStructure(d_->meta);
    if (sameFields) {
        d_->meta = std::move(m);
        d_->noteColumns();
    } else
        d_->loadMeta(std::move(m));
    if (!sameFields)
        d_->kept = Impl::Kept();
    if (!indexName_.isEmpty() && !d_->index())
        throw DbError(QStringLiteral("Index '%1' not found on table %2").arg(indexName_, tableName_));
    d_->active = true;
    d_->state = DataSetState::Browse;
    try {
        if (!d_->takeKeptRows())
            d_->loadRows();
    } catch (...) {
        d_->active = false;
        d_->state = DataSetState::Inactive;
        d_->rows.clear();
        d_->visible.clear();
        throw;
    }
    d_->modified = false;
    d_->cur = d_->visible.empty() ? -1 : 0;
    d_->bof = true;
    d_->eof = d_->visible.empty();
    registerOpen(this);
    d_->refreshCalc();
    d_->notify(&DataLink::ActiveChanged);
    if (!d_->visible.empty() && AfterScroll)
        AfterScroll(*this);
}

void Table::Close()
{
    if (!d_->active)
        return;
    try {
        d_->keepRows();
    } catch (const DbError&) {
        d_->kept = Impl::Kept();   // it only costs a read at the next Open
    }
    d_->active = false;
    d_->state = DataSetState::Inactive;
    d_->rows.clear();
    d_->visible.clear();
    d_->buf.clear();
    d_->calc.clear();
    d_->modified = false;
    d_->cur = -1;
    d_->bof = d_->eof = true;
    unregisterOpen(this);
    d_->notify(&DataLink::ActiveChanged);
}

bool Table::Active() const
{
    return d_->active;
}

void Table::First()
{
    d_->checkActive();
    CheckBrowseMode();
    d_->cur = d_->visible.empty() ? -1 : 0;
    d_->bof = true;
    d_->eof = d_->visible.empty();
    d_->afterMove();
}

void Table::Last()
{
    d_->checkActive();
    CheckBrowseMode();
    d_->cur = int(d_->visible.size()) - 1;
    d_->eof = true;
    d_->bof = d_->visible.empty();
    d_->afterMove();
}

void Table::Next()
{
    d_->checkActive();
    CheckBrowseMode();
    if (d_->cur + 1 < int(d_->visible.size())) {
        ++d_->cur;
        d_->bof = d_->eof = false;
    } else {
        d_->eof = true;
    }
    d_->afterMove();
}

void Table::Prior()
{
    d_->checkActive();
    CheckBrowseMode();
    if (d_->cur > 0) {
        --d_->cur;
        d_->bof = d_->eof = false;
    } else {
        d_->bof = true;
    }
    d_->afterMove();
}

bool Table::Eof() const
{
    return !d_->active || d_->eof;
}

bool Table::Bof() const
{
    return !d_->active || d_->bof;
}

int Table::RecordCount() const
{
    d_->checkActive();
    return int(d_->visible.size());
}

bool Table::IsEmpty() const
{
    return !d_->active || (d_->visible.empty() && d_->state != DataSetState::Insert);
}

int Table::RecNo() const
{
    if (!d_->active)
        return 0;
    if (d_->state == DataSetState::Insert)
        return d_->insertPos + 1;
    return d_->cur + 1;
}

void Table::SetRecNo(int recNo)
{
    d_->checkActive();
    CheckBrowseMode();
    if (recNo < 1 || recNo > int(d_->visible.size()))
        return;
    d_->goTo(recNo - 1);
}

int Table::DisplayRowCount() const
{
    if (!d_->active)
        return 0;
    return int(d_->visible.size()) + (d_->state == DataSetState::Insert ? 1 : 0);
}

int Table::DisplayRow() const
{
    if (!d_->active)
        return -1;
    return d_->state == DataSetState::Insert ? d_->insertPos : d_->cur;
}

QVariant Table::DisplayValue(int row, const Field* field)
{
    d_->checkActive();
    if (!field || field->table_ != this)
        throw DbError(QStringLiteral("The field does not belong to table %1").arg(tableName_));
    if (row < 0 || row >= DisplayRowCount())
        return QVariant();
    const bool inserting = d_->state == DataSetState::Insert;
    if ((inserting && row == d_->insertPos) || (!inserting && row == d_->cur))
        return d_->value(field);
    if (inserting && row > d_->insertPos)
        --row;
    if (field->index_ < 0)
        return QVariant();
    const Row& r = d_->rows[size_t(d_->visible[size_t(row)])];
    if (!field->calculated_)
        return r.v[size_t(field->index_)];
    std::vector<QVariant> c;
    d_->computeCalc(&r.v, &c);
    size_t slot = size_t(field->index_ - d_->ncols());
    return slot < c.size() ? c[slot] : QVariant();
}

void Table::Edit()
{
    d_->checkActive();
    if (d_->state == DataSetState::Edit || d_->state == DataSetState::Insert)
        return;
    if (d_->visible.empty()) {
        Insert();
        return;
    }
    const Row& r = d_->rows[size_t(d_->visible[size_t(d_->cur)])];
    d_->buf = r.v;
    d_->changed.assign(r.v.size(), false);
    d_->modified = false;
    d_->editRowid = r.rowid;
    d_->state = DataSetState::Edit;
    d_->notify(&DataLink::StateChanged);
}

namespace {
void startInsert(Table::Impl* d, Table* t, int pos)
{
    d->rowidBeforeInsert = d->curRowid();
    d->insertPos = pos;
    d->buf.assign(size_t(d->ncols()), QVariant());
    d->changed.assign(size_t(d->ncols()), false);
    d->modified = false;
    d->state = DataSetState::Insert;
    d->bof = d->eof = false;
    d->refreshCalc();
    d->notify(&DataLink::StateChanged);
    d->notify(&DataLink::DataSetChanged);
    if (t->AfterScroll)
        t->AfterScroll(*t);
}
} // namespace

void Table::Insert()
{
    d_->checkActive();
    CheckBrowseMode();
    startInsert(d_.get(), this, std::max(d_->cur, 0));
}

void Table::Append()
{
    d_->checkActive();
    CheckBrowseMode();
    startInsert(d_.get(), this, int(d_->visible.size()));
}

void Table::Post()
{
    d_->checkActive();
    if (d_->state != DataSetState::Edit && d_->state != DataSetState::Insert)
        return;
    d_->notify(&DataLink::UpdateRecord);
    if (BeforePost) {
        Transaction tx(alias_);
        BeforePost(*this);
        if (d_->state != DataSetState::Edit && d_->state != DataSetState::Insert)
            return;
        writeRow();
        tx.Commit();
    } else {
        writeRow();
    }
    if (AfterPost)
        AfterPost(*this);
}

void Table::writeRow()
{
    Impl& d = *d_;
    sqlite3* db = d.conn();
    const QString& what = d_->postWhat;
    int rowIndex;
    bool wasVisible = false;      // the edited row passed the filter before
    if (d.state == DataSetState::Edit) {
        rowIndex = d.rowIndexOf(d.editRowid);
        // A column set to just what the row holds needs no writing.
        if (rowIndex >= 0) {
            const auto& held = d.rows[size_t(rowIndex)].v;
            for (int i = 0; i < d.ncols(); ++i)
                if (d.changed[size_t(i)] && sameHeld(held[size_t(i)], d.buf[size_t(i)]))
                    d.changed[size_t(i)] = false;
        }
        std::vector<int> cols;
        for (int i = 0; i < d.ncols(); ++i)
            if (d.changed[size_t(i)])
                cols.push_back(i);
        const QString* updateSql = nullptr;
        if (!cols.empty()) {
            auto known = d.updateSqls.find(d.changed);
            if (known == d.updateSqls.end()) {
                if (d.updateSqls.size() >= 64)
                    d.updateSqls.clear();
                QString sql = QStringLiteral("UPDATE ") + d.quotedName + QStringLiteral(" SET ");
                for (int c : cols) {
                    if (c != cols.front())
                        sql += QLatin1Char(',');
                    sql += d.meta.columns[size_t(c)].quoted + QStringLiteral("=?");
                }
                known = d.updateSqls.emplace(d.changed, sql + QStringLiteral(" WHERE rowid=?")).first;
            }
            updateSql = &known->second;
        }
        if (!cols.empty()) {
            Stmt s(db, *updateSql, what, tableName_);
            int k = 1;
            for (int c : cols)
                s.bindStored(k++, d.buf[size_t(c)], d.meta.columns[size_t(c)].type);
            s.bind(k, d.editRowid);
            s.step();
            if (sqlite3_changes(db) == 0 || rowIndex < 0)
                throw DbError(QStringLiteral("The row being edited is no longer in table %1").arg(tableName_));
        }
        if (rowIndex < 0)
            throw DbError(QStringLiteral("The row being edited is no longer in table %1").arg(tableName_));
        wasVisible = d.rows[size_t(rowIndex)].pass;
        // Columns this edit left alone keep what others may have posted since.
        auto& stored = d.rows[size_t(rowIndex)].v;
        for (size_t i = 0; i < stored.size(); ++i)
            if (d.changed[i])
                stored[i] = d.buf[i];
        d.rows[size_t(rowIndex)].settle([&](size_t c) { return bool(d.changed[c]); });
        d.asStored = d.asStored && d.numbersStoredAsHeld(stored, &cols);
    } else {
        d.buildInsertSql();
        const int ai = d.meta.autoIncColumn;
        const bool numbered = ai >= 0 && d.buf[size_t(ai)].isNull();
        // A numbered row takes its number and goes in together or not at
        // all; a single insert is all or nothing by itself.
        if (numbered)
            Stmt(db, QStringLiteral("SAVEPOINT post_row"), what, QString()).step();
        try {
            if (numbered)
                d.buf[size_t(ai)] = QVariant(int(nextAutoInc(db, tableName_, d.meta.columns[size_t(ai)].name)));
            Stmt s(db, d.insertSql, what, tableName_);
            for (int i = 0; i < d.ncols(); ++i)
                s.bindStored(i + 1, d.buf[size_t(i)], d.meta.columns[size_t(i)].type);
            s.step();
            if (numbered)
                Stmt(db, QStringLiteral("RELEASE post_row"), what, QString()).step();
        } catch (...) {
            if (numbered) {
                sqlite3_exec(db, "ROLLBACK TO post_row; RELEASE post_row", nullptr, nullptr, nullptr);
                d.buf[size_t(ai)] = QVariant();
            }
            throw;
        }
        d.asStored = d.asStored && d.numbersStoredAsHeld(d.buf);
        Row r;
        r.rowid = sqlite3_last_insert_rowid(db);
        r.v = std::move(d.buf);
        d.rows.push_back(std::move(r));
        rowIndex = int(d.rows.size()) - 1;
    }
    const int postedAt = rowIndex;
    rowIndex = d.reposition(rowIndex);
    const qint64 id = d.rows[size_t(rowIndex)].rowid;
    d.state = DataSetState::Browse;
    d.buf.clear();
    d.modified = false;
    const bool visibleNow = d.rows[size_t(rowIndex)].pass = d.passes(d.rows[size_t(rowIndex)]);
    // The visible rows change only when the row moved or passes the filter
    // otherwise than before; a new last row is simply added.
    if (rowIndex != postedAt || visibleNow != wasVisible) {
        if (rowIndex == int(d.rows.size()) - 1 && rowIndex == postedAt && visibleNow)
            d.visible.push_back(rowIndex);
        else
            d.rebuildVisible();
    }
    d.wrote();
    d.tellSiblings(id, &d.rows[size_t(rowIndex)].v);
    // (A handler told of the post may have made this component re-read.)
    const bool same = size_t(rowIndex) < d.rows.size() && d.rows[size_t(rowIndex)].rowid == id;
    int p = same ? d.posOfRow(rowIndex) : d.posOfRowid(id);
    d.cur = p >= 0 ? p : d.visiblePosAtOrAfter(rowIndex);
    d.bof = d.eof = d.visible.empty();
    d.refreshCalc();
    d.notify(&DataLink::StateChanged);
    d.notify(&DataLink::DataSetChanged);
}

void Table::Cancel()
{
    if (!d_->active || (d_->state != DataSetState::Edit && d_->state != DataSetState::Insert))
        return;
    const bool wasInsert = d_->state == DataSetState::Insert;
    d_->state = DataSetState::Browse;
    d_->buf.clear();
    d_->modified = false;
    if (wasInsert) {
        int p = d_->posOfRowid(d_->rowidBeforeInsert);
        d_->cur = p >= 0 ? p : (d_->visible.empty() ? -1 : 0);
        d_->bof = d_->eof = d_->visible.empty();
    }
    d_->refreshCalc();
    d_->notify(&DataLink::StateChanged);
    d_->notify(&DataLink::DataSetChanged);
    if (wasInsert && AfterScroll)
        AfterScroll(*this);
}

void Table::Delete()
{
    d_->checkActive();
    if (d_->state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (d_->state == DataSetState::Edit)
        Cancel();
    if (d_->visible.empty())
        throw DbError(QStringLiteral("Cannot delete: table %1 is empty").arg(tableName_));
    if (BeforeDelete) {
        try {
            BeforeDelete(*this);
        } catch (const SilentAbort&) {
            return;
        }
    }
    Impl& d = *d_;
    sqlite3* db = d.conn();
    const qint64 id = d.curRowid();
    const QString what = QStringLiteral("Cannot delete a row of table ") + tableName_;
    if (d.meta.autoIncColumn >= 0)
        keepAutoIncAbove(db, tableName_, d.meta.columns[size_t(d.meta.autoIncColumn)].name);
    {
        Stmt s(db, QStringLiteral("DELETE FROM ") + d.quotedName + QStringLiteral(" WHERE rowid=?"), what, tableName_);
        s.bind(1, id);
        s.step();
    }
    int i = d.rowIndexOf(id);
    if (i >= 0)
        d.rows.erase(d.rows.begin() + i);
    const int oldPos = d.cur;
    d.rebuildVisible();
    d.wrote();
    d.tellSiblings(id, nullptr);
    const int n = int(d.visible.size());
    if (n == 0) {
        d.cur = -1;
        d.bof = d.eof = true;
    } else if (oldPos >= n) {
        d.cur = n - 1;
        d.bof = false;
        d.eof = true;
    } else {
        d.cur = oldPos;
        d.bof = d.eof = false;
    }
    d.refreshCalc();
    d.notify(&DataLink::DataSetChanged);
    if (AfterDelete)
        AfterDelete(*this);
    if (AfterScroll)
        AfterScroll(*this);
}

DataSetState Table::State() const
{
    if (!d_->active)
        return DataSetState::Inactive;
    return d_->inCalc ? DataSetState::CalcFields : d_->state;
}

bool Table::Modified() const
{
    return d_->active && d_->modified;
}

void Table::CheckBrowseMode()
{
    d_->checkActive();
    if (d_->state != DataSetState::Edit && d_->state != DataSetState::Insert)
        return;
    d_->notify(&DataLink::UpdateRecord);
    if (d_->modified)
        Post();
    else
        Cancel();
}

Field* Table::FieldByName(const QString& name)
{
    Field* f = d_->findField(name);
    if (!f)
        throw DbError(QStringLiteral("Field '%1' not found in table %2").arg(name, tableName_));
    return f;
}

Field* Table::FindField(const QString& name)
{
    return d_->findField(name);
}

Field* Table::Fields(int i)
{
    d_->ensureMeta();
    if (i < 0 || i >= FieldCount())
        throw DbError(QStringLiteral("Field index %1 out of range in table %2").arg(i).arg(tableName_));
    if (i < d_->ncols())
        return d_->dataFields[size_t(i)].get();
    return d_->calcFields[size_t(i - d_->ncols())].get();
}

int Table::FieldCount() const
{
    d_->ensureMeta();
    return d_->ncols() + int(d_->calcFields.size());
}

QStringList Table::FieldNames() const
{
    d_->ensureMeta();
    QStringList out;
    for (auto& f : d_->dataFields)
        out << f->name_;
    for (auto& f : d_->calcFields)
        out << f->name_;
    return out;
}

bool Table::Locate(const QString& field, const QVariant& key)
{
    return Locate(QStringList{field}, QVariantList{key});
}

bool Table::Locate(const QStringList& fields, const QVariantList& keys)
{
    d_->checkActive();
    CheckBrowseMode();
    if (fields.size() != keys.size() || fields.isEmpty())
        throw DbError(QStringLiteral("Locate on table %1 needs one value for each field").arg(tableName_));
    std::vector<Field*> fs;
    std::vector<QVariant> want;
    bool needCalc = false;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        Field* f = FieldByName(fields[k]);
        fs.push_back(f);
        needCalc = needCalc || f->calculated_;
        const QVariant& key = keys[k];
        if (f->type_ == FieldType::Short || f->type_ == FieldType::Long || f->type_ == FieldType::AutoInc) {
            bool ok = true;
            double x = key.typeId() == QMetaType::QString ? key.toString().trimmed().toDouble(&ok) : key.toDouble(&ok);
            if (ok && !key.isNull() && !key.toString().trimmed().isEmpty() && x != std::floor(x))
                return false;   // no whole number equals 2.5
        }
        try {
            want.push_back(toFieldValue(key, f->type_, f->size_, f->name_, false));
        } catch (const DbError&) {
            return false;   // a key that the field cannot hold matches no row
        }
    }
    auto matches = [&](const std::vector<QVariant>& data, const std::vector<QVariant>& calc) {
        for (size_t k = 0; k < fs.size(); ++k) {
            const Field* f = fs[k];
            const QVariant& have = f->calculated_ ? calc[size_t(f->index_ - d_->ncols())] : data[size_t(f->index_)];
            const QVariant& w = want[k];
            // Values of the field's own type, as the rows hold them, compared in place.
            const int type = have.typeId();
            if (type == w.typeId() && !have.isNull() && !w.isNull()) {
                if (type == QMetaType::QString && f->type_ != FieldType::Number) {
                    if (*static_cast<const QString*>(have.constData()) == *static_cast<const QString*>(w.constData()))
                        continue;
                    return false;
                }
                if (type == QMetaType::Double
                    && *static_cast<const double*>(have.constData()) == *static_cast<const double*>(w.constData()))
                    continue;
            }
            if (have.isNull() || w.isNull()) {
                if (have.isNull() != w.isNull())
                    return false;
                continue;
            }
            if (f->type_ == FieldType::Number) {
                const double h = have.toDouble(), x = w.toDouble();
                if (h == x)
                    continue;
                // A text key is usually a value's own display text, which
                // holds 15 digits; it names the value it was made from.
                const QVariant& orig = keys[qsizetype(k)];
                if (orig.typeId() == QMetaType::QString && std::fabs(h - x) <= 1e-12 * std::fabs(x)
                    && detail::floatToString(h) == orig.toString().trimmed())
                    continue;
                return false;
            }
            if (have != w && have.toString() != w.toString())
                return false;
        }
        return true;
    };
    // A number looked for by a number (a station, say) is compared in
    // place: rows hold numbers as doubles or hold nothing.
    if (fs.size() == 1 && !needCalc && fs[0]->type_ == FieldType::Number && holdsDouble(want[0])
        && keys[0].typeId() != QMetaType::QString) {
        const double x = heldDouble(want[0]);
        const size_t col = size_t(fs[0]->index_);
        for (size_t p = 0; p < d_->visible.size(); ++p) {
            const QVariant& have = d_->rows[size_t(d_->visible[p])].v[col];
            if (holdsDouble(have) ? heldDouble(have) == x : matches(d_->rows[size_t(d_->visible[p])].v, {})) {
                d_->goTo(int(p));
                return true;
            }
        }
        return false;
    }
    std::vector<QVariant> calc;
    for (size_t p = 0; p < d_->visible.size(); ++p) {
        const Row& r = d_->rows[size_t(d_->visible[p])];
        if (needCalc)
            d_->computeCalc(&r.v, &calc);
        if (matches(r.v, calc)) {
            d_->goTo(int(p));
            return true;
        }
    }
    return false;
}

void Table::FindNearest(const QVariantList& keys)
{
    d_->checkActive();
    CheckBrowseMode();
    const IndexInfo* ix = d_->index();
    if (!ix || keys.isEmpty() || d_->visible.empty()) {
        First();
        return;
    }
    const size_t n = std::min(size_t(keys.size()), ix->columns.size());
    std::vector<QVariant> want;
    for (size_t k = 0; k < n; ++k) {
        const auto& c = d_->meta.columns[size_t(ix->columns[k])];
        want.push_back(toFieldValue(keys[qsizetype(k)], c.type, c.size, c.name, false));
    }
    auto cmp = [&](const Row& r) {
        for (size_t k = 0; k < n; ++k) {
            int c = compareValues(r.v[size_t(ix->columns[k])], want[k], ix->nocase[k]);
            if (c)
                return c;
        }
        return 0;
    };
    const auto& vis = d_->visible;
    auto it = std::partition_point(vis.begin(), vis.end(), [&](int i) { return cmp(d_->rows[size_t(i)]) < 0; });
    int pos = it == vis.end() ? int(vis.size()) - 1 : int(it - vis.begin());
    d_->goTo(pos);
}

void Table::SetIndexName(const QString& name)
{
    if (!d_->active) {
        indexName_ = name;
        return;
    }
    if (!d_->meta.findIndex(name))
        throw DbError(QStringLiteral("Index '%1' not found on table %2").arg(name, tableName_));
    CheckBrowseMode();
    const qint64 id = d_->curRowid();
    indexName_ = name;
    d_->sortRows();
    d_->rebuildVisible();
    d_->cur = d_->visible.empty() ? -1 : std::max(d_->posOfRowid(id), 0);
    d_->refreshCalc();
    d_->notify(&DataLink::DataSetChanged);
}

std::vector<IndexDef> Table::IndexDefs() const
{
    d_->ensureMeta();
    std::vector<IndexDef> out;
    for (const auto& ix : d_->meta.indexes)
        out.push_back(ix.def);
    return out;
}

void Table::SetFiltered(bool on)
{
    if (!d_->active) {
        filtered_ = on;
        return;
    }
    CheckBrowseMode();
    filtered_ = on;
    d_->filterAll();
    d_->cur = d_->visible.empty() ? -1 : 0;
    d_->bof = true;
    d_->eof = d_->visible.empty();
    d_->refreshCalc();
    d_->notify(&DataLink::DataSetChanged);
    if (AfterScroll)
        AfterScroll(*this);
}

void Table::SetColumns(const QStringList& names)
{
    if (names == columns_)
        return;
    if (d_->active)
        throw DbError(QStringLiteral("The columns of table %1 are set while it is closed").arg(tableName_));
    columns_ = names;
    d_->metaLoaded = false;
}

void Table::SetRange(const QString& field, const QVariant& value)
{
    if (field.isEmpty())
        throw DbError(QStringLiteral("A range on table %1 needs a field").arg(tableName_));
    if (d_->active) {
        if (d_->meta.columnIndex(field) < 0)
            throw DbError(QStringLiteral("Field '%1' not found in table %2").arg(field, tableName_));
        CheckBrowseMode();
    }
    rangeField_ = field;
    rangeValue_ = value;
    if (d_->active)
        d_->reload(false);
}

void Table::CancelRange()
{
    if (!Ranged())
        return;
    if (d_->active)
        CheckBrowseMode();
    rangeField_.clear();
    rangeValue_ = QVariant();
    if (d_->active)
        d_->reload(false);
}

void Table::EmptyTable()
{
    sqlite3* db = d_->conn();
    if (!tableExists(db, tableName_))
        throw DbError(QStringLiteral("Table %1 does not exist in %2").arg(tableName_, fileOf(db)));
    d_->ensureMeta();
    if (d_->active && d_->state != DataSetState::Browse) {
        d_->state = DataSetState::Browse;
        d_->buf.clear();
        d_->modified = false;
        d_->notify(&DataLink::StateChanged);
    }
    TableMeta m = readMeta(db, tableName_);
    if (m.autoIncColumn >= 0)
        keepAutoIncAbove(db, tableName_, m.columns[size_t(m.autoIncColumn)].name);
    // The table keeps its structure, so its kept statements stay good.
    exec(db, QStringLiteral("DELETE FROM %1").arg(quoteIdent(tableName_)),
         QStringLiteral("Cannot empty table ") + tableName_);
    reloadOpenTables(alias_, tableName_);
}

bool Table::AppendRowsOf(Table& from, const std::vector<CopiedField>& fields,
                         const std::vector<std::pair<Field*, QVariant>>& fixed,
                         const std::function<void(RowValues&)>& finish)
{
    Impl& src = *from.d_;
    src.checkActive();
    from.CheckBrowseMode();
    if (d_->active)
        CheckBrowseMode();
    d_->ensureMeta();
    Impl& d = *d_;
    if (d.meta.autoIncColumn >= 0)
        return false;
    // Where each column's value comes from: a field of `from` (its index),
    // a fixed value, or nothing.
    const int n = d.ncols();
    std::vector<int> source(size_t(n), -1);
    std::vector<const QVariant*> constant(size_t(n), nullptr);
    std::vector<QVariant> fixedValues;
    fixedValues.reserve(fixed.size());
    for (const auto& [field, value] : fixed) {
        if (field->table_ != this || field->calculated_ || field->index_ < 0)
            return false;
        fixedValues.push_back(toFieldValue(value, field->type_, field->size_, field->name_));
        constant[size_t(field->index_)] = &fixedValues.back();
    }
    for (const CopiedField& c : fields) {
        if (c.to->table_ != this || c.from->table_ != &from || c.to->calculated_ || c.from->calculated_
            || c.to->index_ < 0 || c.from->index_ < 0 || c.to->type_ != c.from->type_)
            return false;
        source[size_t(c.to->index_)] = c.from->index_;
    }
    // Every value must go in as it is held, or none is copied.
    for (int r : src.visible) {
        const std::vector<QVariant>& row = src.rows[size_t(r)].v;
        for (const CopiedField& c : fields) {
            const QVariant& v = row[size_t(c.from->index_)];
            if (heldNull(v))
                continue;
            if (!heldAsIs(v, c.to->type_, c.to->size_))
                return false;
            if (c.whole && c.to->type_ == FieldType::Number && std::round(heldDouble(v)) != heldDouble(v))
                return false;
        }
    }
    static const QVariant none;
    sqlite3* db = d.conn();
    d.buildInsertSql();
    Transaction tx(alias_);
    std::vector<Row> added;
    added.reserve(src.visible.size());
    Stmt s(db, d.insertSql, d.postWhat, tableName_);
    for (int r : src.visible) {
        const std::vector<QVariant>& row = src.rows[size_t(r)].v;
        Row copy;
        copy.v.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            copy.v.push_back(source[size_t(i)] >= 0 ? row[size_t(source[size_t(i)])]
                             : constant[size_t(i)] ? *constant[size_t(i)]
                                                   : none);
        if (finish) {
            RowValues values(&copy.v, this);
            finish(values);
        }
        for (int i = 0; i < n; ++i)
            s.bindStored(i + 1, copy.v[size_t(i)], d.meta.columns[size_t(i)].type);
        s.step();
        s.reset();
        copy.rowid = sqlite3_last_insert_rowid(db);
        added.push_back(std::move(copy));
    }
    tx.Commit();
    // The components hold the rows as posts would have left them, the cursor
    // on the last one.
    d.wrote();
    std::vector<qint64> ids;
    ids.reserve(added.size());
    for (const Row& r : added)
        ids.push_back(r.rowid);
    int lastAt = -1;
    for (Row& r : added) {
        d.tellSiblings(r.rowid, &r.v);
        if (!d.active)
            continue;
        d.asStored = d.asStored && d.numbersStoredAsHeld(r.v);
        d.rows.push_back(std::move(r));
        lastAt = d.reposition(int(d.rows.size()) - 1);
        d.rows[size_t(lastAt)].pass = d.passes(d.rows[size_t(lastAt)]);
    }
    if (d.active && lastAt >= 0) {
        const qint64 lastId = d.rows[size_t(lastAt)].rowid;
        d.rebuildVisible();
        const int p = d.posOfRowid(lastId);
        d.cur = p >= 0 ? p : d.visiblePosAtOrAfter(d.rowIndexOf(lastId));
        d.bof = d.eof = d.visible.empty();
        d.refreshCalc();
        d.notify(&DataLink::DataSetChanged);
        // Told of each row as of its post, on that row where it is shown.
        if (AfterPost)
            for (const qint64 id : ids) {
                GotoBookmark(id);
                AfterPost(*this);
            }
    }
    return true;
}

void Table::EmptyRange()
{
    if (!Ranged()) {
        EmptyTable();
        return;
    }
    sqlite3* db = d_->conn();
    d_->ensureMeta();
    const int col = d_->meta.columnIndex(rangeField_);
    if (col < 0)
        throw DbError(QStringLiteral("Field '%1' not found in table %2").arg(rangeField_, tableName_));
    if (d_->active && d_->state != DataSetState::Browse) {
        d_->state = DataSetState::Browse;
        d_->buf.clear();
        d_->modified = false;
        d_->notify(&DataLink::StateChanged);
    }
    if (rangeValue_.isNull())
        return;
    const ColumnInfo& c = d_->meta.columns[size_t(col)];
    Stmt s(db, QStringLiteral("DELETE FROM ") + d_->quotedName + QStringLiteral(" WHERE ") + c.quoted + QStringLiteral("=?"),
           QStringLiteral("Cannot delete rows of table ") + tableName_, tableName_);
    s.bindStored(1, toFieldValue(rangeValue_, c.type, c.size, c.name, false), c.type);
    s.step();
    reloadOpenTables(alias_, tableName_);
}

void Table::Refresh()
{
    d_->checkActive();
    CheckBrowseMode();
    d_->reload(false);
}

void Table::DisableControls()
{
    if (d_->disable == 0) {
        d_->disableState = State();
        d_->disableActive = d_->active;
    }
    ++d_->disable;
}

void Table::EnableControls()
{
    if (d_->disable == 0)
        return;
    if (--d_->disable > 0)
        return;
    if (d_->disableActive != d_->active)
        d_->notify(&DataLink::ActiveChanged);
    else if (d_->disableState != State())
        d_->notify(&DataLink::StateChanged);
    if (d_->active)
        d_->notify(&DataLink::DataSetChanged);
}

bool Table::ControlsDisabled() const
{
    return d_->disable > 0;
}

qint64 Table::GetBookmark() const
{
    if (!d_->active)
        return 0;
    if (d_->state == DataSetState::Edit)
        return d_->editRowid;
    if (d_->state == DataSetState::Insert)
        return 0;
    return d_->curRowid();
}

bool Table::GotoBookmark(qint64 bm)
{
    d_->checkActive();
    CheckBrowseMode();
    int p = d_->posOfRowid(bm);
    if (p < 0)
        return false;
    d_->goTo(p);
    return true;
}

void Table::AddLink(DataLink* l)
{
    if (l && std::find(d_->links.begin(), d_->links.end(), l) == d_->links.end())
        d_->links.push_back(l);
}

void Table::RemoveLink(DataLink* l)
{
    auto& v = d_->links;
    v.erase(std::remove(v.begin(), v.end(), l), v.end());
}

} // namespace db
