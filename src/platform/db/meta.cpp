// Field and index definitions, read from the declared column types and the
// indexes of the SQLite file.
#include "platform/db/dbimpl.h"

#include <QRegularExpression>

#include <algorithm>
#include <unordered_map>

namespace db::detail {

namespace {
FieldType parseTypeText(const QString& decl, int* size);
}

FieldType parseType(const QString& decl, int* size)
{
    // A file declares few distinct types, and every open reads them all.
    struct Parsed {
        FieldType type;
        int size;
    };
    static auto& seen = *new std::unordered_map<QString, Parsed>;   // outlives static tables
    auto it = seen.find(decl);
    if (it == seen.end()) {
        Parsed p;
        p.type = parseTypeText(decl, &p.size);
        if (seen.size() >= 1024)
            seen.clear();
        it = seen.emplace(decl, p).first;
    }
    *size = it->second.size;
    return it->second.type;
}

namespace {
FieldType parseTypeText(const QString& decl, int* size)
{
    const QString up = decl.trimmed().toUpper();
    static const QRegularExpression sizeRe(QStringLiteral("\\(\\s*(\\d+)"));
    auto m = sizeRe.match(up);
    *size = m.hasMatch() ? m.captured(1).toInt() : 0;
    static const QRegularExpression wordEnd(QStringLiteral("[^A-Z_]"));
    const QString word = up.section(wordEnd, 0, 0, QString::SectionSkipEmpty);
    if (word == QLatin1String("SHORT"))
        return *size = 0, FieldType::Short;
    if (word == QLatin1String("LONG"))
        return *size = 0, FieldType::Long;
    if (word == QLatin1String("NUMBER"))
        return *size = 0, FieldType::Number;
    if (word == QLatin1String("ALPHA"))
        return FieldType::Alpha;
    if (word == QLatin1String("MEMO"))
        return FieldType::Memo;
    if (word == QLatin1String("LOGICAL"))
        return *size = 0, FieldType::Logical;
    if (word == QLatin1String("AUTOINC"))
        return *size = 0, FieldType::AutoInc;
    // Plain SQL types, for tables made by other means.
    if (up.contains(QLatin1String("BOOL")))
        return *size = 0, FieldType::Logical;
    if (up.contains(QLatin1String("INT")))
        return *size = 0, FieldType::Long;
    if (up.contains(QLatin1String("CHAR")) || up.contains(QLatin1String("TEXT"))
        || up.contains(QLatin1String("CLOB")) || up.isEmpty())
        return FieldType::Alpha;
    return *size = 0, FieldType::Number;
}
} // namespace

int TableMeta::columnIndex(const QString& n) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const IndexInfo* TableMeta::findIndex(const QString& n) const
{
    for (const auto& ix : indexes)
        if (n.isEmpty() ? ix.def.primary : (!ix.def.primary && ix.def.name.compare(n, Qt::CaseInsensitive) == 0))
            return &ix;
    return nullptr;
}

bool TableMeta::sameStructure(const TableMeta& o) const
{
    if (columns.size() != o.columns.size())
        return false;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name != o.columns[i].name || columns[i].type != o.columns[i].type
            || columns[i].size != o.columns[i].size)
            return false;
    return true;
}

bool tableExists(sqlite3* db, const QString& table)
{
    Stmt s(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1"),
           QStringLiteral("Cannot read the list of tables"), QString());
    s.bind(1, table);
    return s.step();
}

QString resolveTableName(sqlite3* db, const QString& name)
{
    if (tableExists(db, name))
        return name;
    Stmt s(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
           QStringLiteral("Cannot read the list of tables"));
    QString prefix = name + QLatin1Char('.');
    QString caseMatch;
    while (s.step()) {
        QString n = s.text(0);
        if (n.compare(name, Qt::CaseInsensitive) == 0 || n.startsWith(prefix, Qt::CaseInsensitive)) {
            if (n.startsWith(prefix))
                return n;
            if (caseMatch.isEmpty())
                caseMatch = n;
        }
    }
    return caseMatch.isEmpty() ? name : caseMatch;
}

namespace {
TableMeta readMetaFromFile(sqlite3* db, const QString& table);
}

TableMeta readMeta(sqlite3* db, const QString& table)
{
    // Any change of any table's structure, by this connection or another,
    // moves the schema version on; one look at it spares reading the
    // columns and indexes again.
    int version;
    {
        Stmt s(db, QStringLiteral("PRAGMA schema_version"),
               QStringLiteral("Cannot read the structure of table ") + table, QString());
        version = s.step() ? int(s.int64(0)) : -1;
    }
    if (const TableMeta* kept = keptMeta(db, table, version))
        return *kept;
    TableMeta meta = readMetaFromFile(db, table);
    // Only a committed structure is kept: a rolled-back change gives its
    // version number to the next change, which may be a different one.
    if (sqlite3_get_autocommit(db))
        keepMeta(db, table, version, meta);
    return meta;
}

namespace {
TableMeta readMetaFromFile(sqlite3* db, const QString& table)
{
    TableMeta meta;
    meta.name = table;
    const QString what = QStringLiteral("Cannot read the structure of table ") + table;
    std::vector<std::pair<int, int>> pkCols;   // (pk order, column)
    {
        Stmt s(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdent(table)), what, table);
        while (s.step()) {
            ColumnInfo c;
            c.name = s.text(1);
            c.quoted = quoteIdent(c.name);
            c.declType = s.text(2);
            c.type = parseType(c.declType, &c.size);
            if (c.type == FieldType::AutoInc && meta.autoIncColumn < 0)
                meta.autoIncColumn = int(meta.columns.size());
            if (s.int64(5) > 0)
                pkCols.emplace_back(int(s.int64(5)), int(meta.columns.size()));
            meta.columns.push_back(c);
        }
    }
    if (meta.columns.empty())
        throw DbError(QStringLiteral("Table %1 does not exist in %2").arg(table, fileOf(db)));

    std::vector<std::pair<QString, QString>> list;   // (name, origin), creation order
    std::vector<bool> uniques;
    {
        Stmt s(db, QStringLiteral("PRAGMA index_list(%1)").arg(quoteIdent(table)), what, table);
        while (s.step()) {
            list.emplace_back(s.text(1), s.text(3));
            uniques.push_back(s.int64(2) != 0);
        }
    }
    std::reverse(list.begin(), list.end());
    std::reverse(uniques.begin(), uniques.end());
    bool havePrimary = false;
    for (size_t k = 0; k < list.size(); ++k) {
        const auto& [sqlName, origin] = list[k];
        IndexInfo ix;
        ix.sqlName = sqlName;
        ix.def.unique = uniques[k];
        ix.def.primary = origin == QLatin1String("pk");
        if (!ix.def.primary) {
            int bar = sqlName.indexOf(QLatin1Char('|'));
            ix.def.name = bar >= 0 ? sqlName.mid(bar + 1) : sqlName;
        }
        Stmt s(db, QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoteIdent(sqlName)), what, table);
        while (s.step()) {
            if (s.int64(5) == 0 || s.int64(1) < 0)
                continue;
            int col = int(s.int64(1));
            bool nocase = s.text(4).compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0;
            ix.columns.push_back(col);
            ix.nocase.push_back(nocase);
            ix.def.fields << meta.columns[size_t(col)].name;
            ix.def.caseInsensitive = ix.def.caseInsensitive || nocase;
        }
        if (ix.columns.empty())
            continue;   // an index on expressions has no order we can follow
        if (ix.def.primary) {
            havePrimary = true;
            meta.indexes.insert(meta.indexes.begin(), ix);
        } else {
            meta.indexes.push_back(ix);
        }
    }
    if (!havePrimary && !pkCols.empty()) {
        // An INTEGER PRIMARY KEY is the row id itself and has no index entry.
        std::sort(pkCols.begin(), pkCols.end());
        IndexInfo ix;
        ix.def.primary = true;
        ix.def.unique = true;
        for (auto [order, col] : pkCols) {
            ix.columns.push_back(col);
            ix.nocase.push_back(false);
            ix.def.fields << meta.columns[size_t(col)].name;
        }
        meta.indexes.insert(meta.indexes.begin(), ix);
    }
    return meta;
}
} // namespace

QString withTextStorage(const QString& sql)
{
    // SQLite would give a column declared ALPHA(n) numeric storage and turn
    // the text "007" into 7; adding TEXT to the declared type prevents that.
    // Only the type word of a column definition in CREATE TABLE is touched.
    QString out;
    out.reserve(sql.size() + 64);
    const int n = int(sql.size());
    int i = 0;
    int createStep = 0;     // 0 nothing, 1 saw CREATE, 2 inside CREATE TABLE
    int depth = 0;
    int tokenInDef = 0;     // tokens since "(" or "," at depth 1
    auto isWord = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    auto is = [](const QString& w, const char* k) { return w.compare(QLatin1String(k), Qt::CaseInsensitive) == 0; };
    while (i < n) {
        QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && sql[j + 1] == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j + 1 - i);
            i = j + 1;
            if (depth == 1)
                ++tokenInDef;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            int j = sql.indexOf(QLatin1Char('\n'), i);
            j = j < 0 ? n : j;
            out += sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            int j = sql.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            out += sql.mid(i, j - i);
            i = j;
        } else if (isWord(c)) {
            int j = i;
            while (j < n && isWord(sql[j]))
                ++j;
            QString word = sql.mid(i, j - i);
            out += word;
            i = j;
            if (createStep == 0 && depth == 0 && is(word, "CREATE"))
                createStep = 1;
            else if (createStep == 1 && depth == 0)
                createStep = (is(word, "TABLE") || is(word, "TEMP") || is(word, "TEMPORARY")) ? (is(word, "TABLE") ? 2 : 1) : -1;
            if (createStep == 2 && depth == 1) {
                if (tokenInDef == 1 && (is(word, "ALPHA") || is(word, "MEMO"))) {
                    int k = j;
                    while (k < n && sql[k].isSpace())
                        ++k;
                    int e = k;
                    while (e < n && isWord(sql[e]))
                        ++e;
                    if (!is(sql.mid(k, e - k), "TEXT"))
                        out += QLatin1String(" TEXT");
                }
                ++tokenInDef;
            }
        } else {
            if (c == QLatin1Char('(')) {
                ++depth;
                if (depth == 1)
                    tokenInDef = 0;
            } else if (c == QLatin1Char(')')) {
                --depth;
            } else if (c == QLatin1Char(',') && depth == 1) {
                tokenInDef = 0;
            } else if (c == QLatin1Char(';')) {
                createStep = 0;
                depth = 0;
            }
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace db::detail
