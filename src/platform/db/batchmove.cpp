// Copying rows between tables, also across aliases, in one transaction.
#include "platform/db/dbimpl.h"

namespace db {

using namespace detail;

namespace {

QString createIndexSql(const QString& table, const IndexInfo& ix, const TableMeta& meta)
{
    QStringList cols;
    for (size_t k = 0; k < ix.columns.size(); ++k)
        cols << quoteIdent(meta.columns[size_t(ix.columns[k])].name)
                    + (ix.nocase[k] ? QStringLiteral(" COLLATE NOCASE") : QString());
    return QStringLiteral("CREATE %1INDEX %2 ON %3(%4)")
        .arg(ix.def.unique ? QStringLiteral("UNIQUE ") : QString(),
             quoteIdent(table + QLatin1Char('|') + ix.def.name), quoteIdent(table), cols.join(QLatin1Char(',')));
}

// Gives the destination the source's columns, keys and indexes.
void recreateLike(sqlite3* src, const TableMeta& srcMeta, sqlite3* dst, const QString& dstName)
{
    QString sql;
    {
        // Done reading before the drop: SQLite refuses to drop a table while
        // a statement of the same connection is still reading the schema.
        Stmt s(src, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1"),
               QStringLiteral("Cannot read the structure of table ") + srcMeta.name);
        s.bind(1, srcMeta.name);
        if (!s.step())
            throw DbError(QStringLiteral("Table %1 does not exist in %2").arg(srcMeta.name, fileOf(src)));
        sql = s.text(0);
    }
    int open = sql.indexOf(QLatin1Char('('));
    if (open < 0)
        throw DbError(QStringLiteral("Cannot copy the structure of table %1").arg(srcMeta.name));
    const QString what = QStringLiteral("Cannot restructure table ") + dstName;
    forgetStmts(dst, dstName);
    exec(dst, QStringLiteral("DROP TABLE IF EXISTS %1").arg(quoteIdent(dstName)), what);
    exec(dst, QStringLiteral("CREATE TABLE %1").arg(quoteIdent(dstName)) + sql.mid(open), what);
    for (const auto& ix : srcMeta.indexes)
        if (!ix.def.primary)
            exec(dst, createIndexSql(dstName, ix, srcMeta), what);
}

} // namespace

BatchResult BatchMove(Table& source, Table& destination, BatchMode mode)
{
    BatchResult result;
    const bool sourceWasOpen = source.Active();
    if (!sourceWasOpen)
        source.Open();
    else
        source.CheckBrowseMode();
    if (destination.Active())
        destination.CheckBrowseMode();

    // Read the rows first, in the source's order, through its cursor.
    std::vector<std::vector<QVariant>> rows;
    std::vector<Field*> srcFields;
    for (int i = 0; i < source.FieldCount(); ++i)
        if (!source.Fields(i)->Calculated())
            srcFields.push_back(source.Fields(i));
    {
        const qint64 bm = source.GetBookmark();
        source.DisableControls();
        try {
            for (source.First(); !source.Eof(); source.Next()) {
                std::vector<QVariant> r;
                r.reserve(srcFields.size());
                for (Field* f : srcFields)
                    r.push_back(f->Value());
                rows.push_back(std::move(r));
            }
        } catch (...) {
            source.EnableControls();
            throw;
        }
        if (sourceWasOpen)
            source.GotoBookmark(bm);
        source.EnableControls();
    }
    if (!sourceWasOpen)
        source.Close();

    Engine& e = Engine::instance();
    sqlite3* dst = e.Connection(destination.DatabaseName());
    const QString dstName = destination.TableName();
    {
        Transaction tx(destination.DatabaseName());
        const QString what = QStringLiteral("Cannot move rows into table ") + dstName;
        if (mode == BatchMode::Copy) {
            TableMeta srcMeta = readMeta(e.Connection(source.DatabaseName()), source.TableName());
            bool fits = tableExists(dst, dstName) && readMeta(dst, dstName).sameStructure(srcMeta);
            if (fits) {
                TableMeta m = readMeta(dst, dstName);
                if (m.autoIncColumn >= 0)
                    keepAutoIncAbove(dst, dstName, m.columns[size_t(m.autoIncColumn)].name);
                exec(dst, QStringLiteral("DELETE FROM %1").arg(quoteIdent(dstName)), what);
            } else {
                recreateLike(e.Connection(source.DatabaseName()), srcMeta, dst, dstName);
            }
        } else if (!tableExists(dst, dstName)) {
            throw DbError(QStringLiteral("Table %1 does not exist in %2").arg(dstName, fileOf(dst)));
        }
        const TableMeta meta = readMeta(dst, dstName);
        const size_t n = std::min(srcFields.size(), meta.columns.size());
        QStringList cols, marks;
        for (const auto& c : meta.columns) {
            cols << quoteIdent(c.name);
            marks << QStringLiteral("?");
        }
        Stmt ins(dst, QStringLiteral("INSERT INTO %1(%2) VALUES(%3)")
                          .arg(quoteIdent(dstName), cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                 what);
        const int ai = meta.autoIncColumn;
        for (const auto& r : rows) {
            std::vector<QVariant> v(meta.columns.size());
            bool bad = false;
            for (size_t i = 0; i < n && !bad; ++i) {
                const auto& c = meta.columns[i];
                try {
                    v[i] = toFieldValue(r[i], c.type, c.size, c.name);
                } catch (const KeyViolation&) {
                    throw;
                } catch (const DbError&) {
                    bad = true;
                }
            }
            if (bad) {
                ++result.problems;
                continue;
            }
            // Appended rows get new numbers; a copy keeps the source's.
            if (ai >= 0 && (mode == BatchMode::Append || v[size_t(ai)].isNull()))
                v[size_t(ai)] = QVariant(int(nextAutoInc(dst, dstName, meta.columns[size_t(ai)].name)));
            ins.reset();
            for (size_t i = 0; i < v.size(); ++i)
                ins.bind(int(i) + 1, toStorage(v[i], meta.columns[i].type));
            try {
                ins.step();
                ++result.moved;
            } catch (const KeyViolation&) {
                ++result.problems;
            }
        }
        if (ai >= 0)
            keepAutoIncAbove(dst, dstName, meta.columns[size_t(ai)].name);
        tx.Commit();
    }
    reloadOpenTables(destination.DatabaseName(), dstName);
    return result;
}

} // namespace db
