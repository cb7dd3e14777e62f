// The parameterised statement: table names as the program writes them,
// :Name parameters converted to the type of the field they are assigned to.
#include "platform/db/dbimpl.h"

#include <QRegularExpression>

namespace db {

using namespace detail;

// ---- Query ----------------------------------------------------------------

Query::Query(QString alias) : alias_(std::move(alias)) {}

void Query::SetSQL(const QString& sql)
{
    sql_ = sql;
}

void Query::SetParam(const QString& name, const QVariant& v)
{
    params_[name] = v;
}

namespace {

// Splits at top-level commas, leaving quoted text and brackets whole.
QStringList splitList(const QString& s)
{
    QStringList out;
    QString part;
    QChar quote;
    int depth = 0;
    for (QChar c : s) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (c == QLatin1Char(',') && depth == 0) {
            out << part;
            part.clear();
            continue;
        }
        part += c;
    }
    out << part;
    return out;
}

QString unquote(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && ((s.front() == QLatin1Char('"') && s.back() == QLatin1Char('"'))
                          || (s.front() == QLatin1Char('[') && s.back() == QLatin1Char(']'))))
        s = s.mid(1, s.size() - 2);
    return s;
}

} // namespace

int Query::ExecSQL()
{
    sqlite3* db = Engine::instance().Connection(alias_);
    static const QRegularExpression updateRe(
        QStringLiteral("^\\s*update\\s+(\"[^\"]+\"|\\S+)\\s+set\\s+(.+?)(?:\\s+where\\s+(.+?))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression paramRe(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    const QString what = QStringLiteral("Cannot run the statement \"%1\"").arg(sql_.simplified());

    auto param = [&](const QString& name) {
        for (auto it = params_.cbegin(); it != params_.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value();
        throw DbError(QStringLiteral("Parameter '%1' has no value").arg(name));
    };
    // Replaces :Name by ? and collects the values in order.
    auto bindText = [&](const QString& text, QVariantList& values, const ColumnInfo* target) {
        QString out;
        qsizetype last = 0;
        auto it = paramRe.globalMatch(text);
        while (it.hasNext()) {
            auto m = it.next();
            out += text.mid(last, m.capturedStart() - last) + QLatin1Char('?');
            last = m.capturedEnd();
            QVariant v = param(m.captured(1));
            if (target)
                v = toStorage(toFieldValue(v, target->type, target->size, target->name), target->type);
            values << v;
        }
        return out + text.mid(last);
    };

    QString sql;
    QVariantList values;
    auto m = updateRe.match(sql_);
    QString table;
    if (m.hasMatch()) {
        table = resolveTableName(db, unquote(m.captured(1)));
        const TableMeta meta = readMeta(db, table);
        QStringList sets;
        for (const QString& item : splitList(m.captured(2))) {
            int eq = item.indexOf(QLatin1Char('='));
            if (eq < 0)
                throw DbError(what + QStringLiteral(": no value for ") + item.trimmed());
            const QString col = unquote(item.left(eq));
            int ci = meta.columnIndex(col);
            if (ci < 0)
                throw DbError(QStringLiteral("Field '%1' not found in table %2").arg(col, table));
            const ColumnInfo& c = meta.columns[size_t(ci)];
            sets << quoteIdent(c.name) + QLatin1Char('=') + bindText(item.mid(eq + 1), values, &c);
        }
        sql = QStringLiteral("UPDATE %1 SET %2").arg(quoteIdent(table), sets.join(QLatin1Char(',')));
        if (!m.captured(3).isEmpty())
            sql += QStringLiteral(" WHERE ") + bindText(m.captured(3), values, nullptr);
    } else {
        sql = bindText(sql_, values, nullptr);
    }
    Stmt s(db, sql, what);
    for (qsizetype i = 0; i < values.size(); ++i)
        s.bind(int(i) + 1, values[i]);
    while (s.step()) {
    }
    const int changed = sqlite3_changes(db);
    // Any other statement may have dropped or altered tables.
    if (table.isEmpty())
        forgetStmts(db);
    // Open components show what the statement wrote.
    reloadOpenTables(alias_, table);
    return changed;
}

qint64 StoredRowCount(const QString& alias, const QString& table)
{
    sqlite3* db = Engine::instance().Connection(alias);
    const QString name = resolveTableName(db, table);
    Stmt s(db, QStringLiteral("SELECT count(*) FROM ") + quoteIdent(name), QStringLiteral("Cannot read table ") + name);
    return s.step() ? s.int64(0) : 0;
}

} // namespace db
