// The layout a create script makes, built in memory, set against a database
// file attached to it; what the file lacks is listed and can be added.
#include "platform/db/layout_check.h"

#include "platform/db/dbimpl.h"
#include "platform/db/memo_limit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <fcntl.h>

namespace db {

using namespace detail;

namespace {

struct Gap {
    // Filled in place; or not, the file being of another layout; or not,
    // the file being damaged (a table gone that rows of another still need).
    enum Kind { Fillable, OtherLayout, Damage };
    QString text;       // for messages
    QString sql;        // what adds it to the file
    Kind kind = Fillable;
};

// How the engine reads a declared type, as the layout writes it.
QString TypeText(const QString& declared)
{
    int size = 0;
    const FieldType type = parseType(declared, &size);
    static const char* const names[] = {"SHORT", "LONG", "NUMBER", "ALPHA", "MEMO", "LOGICAL", "AUTOINC"};
    const QString name = QLatin1String(names[int(type)]);
    return size > 0 ? QStringLiteral("%1(%2)").arg(name).arg(size) : name;
}

// An in-memory database made by the create script, with the file attached as "old".
class Reference {
public:
    Reference(const QString& script, const QString& file, bool writable) : file_(file)
    {
        const int rc = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                                       nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(db_);
            throw DbError(QStringLiteral("Cannot compare the layout of %1: %2").arg(file, sqlite3_errstr(rc)));
        }
        try {
            sqlite3_extended_result_codes(db_, 1);
            sqlite3_busy_timeout(db_, 2000);
            exec(db_, withTextStorage(script), QStringLiteral("Cannot read the program's database layout"));
            attach(file, QStringLiteral("old"), writable);
        } catch (...) {
            sqlite3_close_v2(db_);
            throw;
        }
    }
    ~Reference() { sqlite3_close_v2(db_); }
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;

    sqlite3* db() const { return db_; }

    // Attaches `file` under the name `as`; a failure names the file.
    void attach(const QString& file, const QString& as, bool writable)
    {
        QString uri = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
        uri += writable ? QStringLiteral("?mode=rw") : QStringLiteral("?mode=ro");
        Stmt st(db_, QStringLiteral("ATTACH DATABASE ?1 AS ") + as, QString());
        st.bind(1, uri);
        if (const int rc = st.stepRc(); rc != SQLITE_DONE)
            failOn(db_, rc, QStringLiteral("Cannot open the database"), file);
    }

    // Every failure names the file, whatever SQLite's words.
    template <class F>
    auto onFile(const QString& what, F f)
    {
        try {
            return f();
        } catch (const DbError& e) {
            QString msg = e.message();
            if (!msg.contains(file_))
                msg = what + QStringLiteral(" ") + file_ + QStringLiteral(": ") + msg;
            throw DbError(msg);
        }
    }

    std::vector<Gap> gaps()
    {
        return onFile(QStringLiteral("Cannot read the database"), [this] { return readGaps(); });
    }

    // What the file has of a layout newer than the script's: the layout
    // version it records when that is higher, fields of the script's tables
    // that the script does not have. Empty for a file of this layout or an
    // older one. Read by gaps().
    const QStringList& newer() const { return newer_; }
    // The layout version the script records; 0 for none.
    qint64 version() { return number(QStringLiteral("PRAGMA main.user_version")); }

private:
    qint64 number(const QString& sql)
    {
        Stmt s(db_, sql, QStringLiteral("Cannot read the layout"));
        return s.step() ? s.int64(0) : 0;
    }

    // Why a table of the script missing from the file is damage rather than
    // an older layout: a table related to it (REFERENCES, either way) holds
    // rows in the file that go with the rows it held. Empty when none does.
    QString NeededBy(const QString& table)
    {
        Stmt related(db_,
                     QStringLiteral("SELECT m.name FROM main.sqlite_master m, pragma_foreign_key_list(m.name, 'main') f "
                                    "WHERE m.type = 'table' AND f.\"table\" = ?1 COLLATE NOCASE "
                                    "UNION SELECT \"table\" FROM pragma_foreign_key_list(?1, 'main')"),
                     QStringLiteral("Cannot read the layout"));
        related.bind(1, table);
        while (related.step()) {
            const QString other = related.text(0);
            if (!oldHas(QStringLiteral("table"), other))
                continue;
            if (const qint64 rows = number(QStringLiteral("SELECT count(*) FROM old.%1").arg(quoteIdent(other))))
                return QStringLiteral("table %1 is missing while table %2 holds %3 with its rows")
                    .arg(table, other,
                         rows == 1 ? QStringLiteral("a row that goes") : QStringLiteral("%1 rows that go").arg(rows));
        }
        return QString();
    }

    bool oldHas(const QString& type, const QString& name)
    {
        Stmt s(db_, QStringLiteral("SELECT 1 FROM old.sqlite_master WHERE type = ?1 AND name = ?2 COLLATE NOCASE"),
               QStringLiteral("Cannot read the layout"));
        s.bind(1, type);
        s.bind(2, name);
        return s.step();
    }

    std::vector<Gap> readGaps()
    {
        static const QRegularExpression createTable(QStringLiteral("^CREATE\\s+TABLE\\s+"));
        static const QRegularExpression createIndex(QStringLiteral("^CREATE\\s+(UNIQUE\\s+)?INDEX\\s+"));
        {
            Stmt check(db_, QStringLiteral("PRAGMA old.quick_check(1)"), QStringLiteral("Cannot read the database"));
            const QString verdict = check.step() ? check.text(0) : QString();
            if (verdict != QLatin1String("ok"))
                throw DbError(QStringLiteral("Cannot read the database: ") + plainReason(SQLITE_CORRUPT, file_));
        }
        std::vector<Gap> out;
        std::vector<std::pair<QString, QString>> tables, indexes;
        {
            Stmt s(db_, QStringLiteral("SELECT type, name, tbl_name, sql FROM main.sqlite_master "
                                       "WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%' ORDER BY rowid"),
                   QStringLiteral("Cannot read the layout"));
            while (s.step()) {
                if (s.text(0) == QLatin1String("table"))
                    tables.emplace_back(s.text(1), s.text(3));
                else if (s.text(0) == QLatin1String("index"))
                    indexes.emplace_back(s.text(1), s.text(3));
            }
        }
        newer_.clear();
        const qint64 version = this->version();
        if (const qint64 recorded = number(QStringLiteral("PRAGMA old.user_version")); version > 0 && recorded > version)
            newer_ << QStringLiteral("it records layout version %1, where this program's is %2").arg(recorded).arg(version);
        std::vector<QString> newTables;
        for (const auto& [name, sql] : tables) {
            const QString quoted = quoteIdent(name);
            if (!oldHas(QStringLiteral("table"), name)) {
                if (const QString needed = NeededBy(name); !needed.isEmpty()) {
                    out.push_back({needed, QString(), Gap::Damage});
                    continue;
                }
                QString create = sql;
                const auto m = createTable.match(create);
                create.insert(int(m.capturedEnd()), QStringLiteral("old."));
                out.push_back({QStringLiteral("table %1 is missing").arg(name),
                               create + QStringLiteral(";\nINSERT INTO old.%1 SELECT * FROM main.%1;").arg(quoted)});
                newTables.push_back(name.toLower());
                continue;
            }
            // The file's fields with their declared types, in its order;
            // those the script has are taken off as they are met.
            std::vector<std::pair<QString, QString>> have;
            {
                Stmt c(db_, QStringLiteral("SELECT name, type FROM pragma_table_info(?1, 'old')"),
                       QStringLiteral("Cannot read the layout"));
                c.bind(1, name);
                while (c.step())
                    have.emplace_back(c.text(0), c.text(1));
            }
            Stmt c(db_, QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?1, 'main')"),
                   QStringLiteral("Cannot read the layout"));
            c.bind(1, name);
            while (c.step()) {
                const QString column = c.text(0);
                const auto held = std::find_if(have.begin(), have.end(), [&](const auto& h) {
                    return h.first.compare(column, Qt::CaseInsensitive) == 0;
                });
                if (held != have.end()) {
                    // A type changed in the file is read by its new type:
                    // fractions cut off, texts cut short, without a word.
                    if (TypeText(held->second) != TypeText(c.text(1)))
                        out.push_back({QStringLiteral("table %1 declares field '%2' %3, where this program's layout "
                                                      "has %4")
                                           .arg(name, column, TypeText(held->second), TypeText(c.text(1))),
                                       QString(), Gap::OtherLayout});
                    have.erase(held);
                    continue;
                }
                QString def = quoteIdent(column) + QLatin1Char(' ') + c.text(1);
                if (!c.column(3).isNull())
                    def += QStringLiteral(" DEFAULT ") + c.text(3);
                const bool fillable = c.int64(4) == 0 && (c.int64(2) == 0 || !c.column(3).isNull());
                out.push_back({QStringLiteral("table %1 has no field '%2'").arg(name, column),
                               QStringLiteral("ALTER TABLE old.%1 ADD COLUMN %2;").arg(quoted, def),
                               fillable ? Gap::Fillable : Gap::OtherLayout});
            }
            QStringList unknown;
            for (const auto& h : have)
                unknown << QStringLiteral("'%1'").arg(h.first);
            if (!unknown.isEmpty())
                newer_ << QStringLiteral("table %1 has fields this program does not know: %2")
                              .arg(name, unknown.join(QStringLiteral(", ")));
        }
        for (const auto& [name, sql] : indexes) {
            if (oldHas(QStringLiteral("index"), name))
                continue;
            const QString table = name.section(QLatin1Char('|'), 0, 0).toLower();
            if (std::find(newTables.begin(), newTables.end(), table) != newTables.end()) {
                // Made with its table.
                QString create = sql;
                const auto m = createIndex.match(create);
                create.insert(int(m.capturedEnd()), QStringLiteral("old."));
                for (Gap& g : out)
                    if (g.text == QStringLiteral("table %1 is missing").arg(name.section(QLatin1Char('|'), 0, 0)))
                        g.sql += QLatin1Char('\n') + create + QLatin1Char(';');
                continue;
            }
            QString create = sql;
            const auto m = createIndex.match(create);
            create.insert(int(m.capturedEnd()), QStringLiteral("old."));
            out.push_back({QStringLiteral("index %1 is missing").arg(name), create + QLatin1Char(';')});
        }
        return out;
    }

    sqlite3* db_ = nullptr;
    QString file_;
    QStringList newer_;
};

QString ScriptOf(const QString& alias, QString* file)
{
    Engine& e = Engine::instance();
    *file = e.DatabaseFile(alias);
    e.CheckDatabaseFile(alias);
    if (!QFileInfo::exists(*file))
        return QString();
    if (QFileInfo(*file).size() == 0)
        throw DbError(QStringLiteral("The database file %1 is empty").arg(*file));
    return e.CreateScript(alias);
}

QStringList Texts(const std::vector<Gap>& gaps)
{
    QStringList out;
    for (const Gap& g : gaps)
        out << g.text;
    return out;
}

// What a refusal for want of room advises.
const QString kFreeSpace = QStringLiteral("Free space on the disk, then start the program again.");

// The name of a copy while it is being written and checked.
const QString kUnfinished = QStringLiteral(".unfinished");

// A free name beside the file for the copy kept before an update.
QString CopyName(const QString& file)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = file + QStringLiteral(".before-update-") + stamp;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + kUnfinished); ++n)
        name = file + QStringLiteral(".before-update-%1-%2").arg(stamp).arg(n);
    return name;
}

void RemoveWithJournal(const QString& file)
{
    for (const char* end : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(end));
}

// Copies left unfinished beside the file by a program that was ended while
// it wrote one: never a copy to keep.
void RemoveUnfinishedCopies(const QString& file)
{
    const QFileInfo fi(file);
    QDir folder = fi.absoluteDir();
    for (const QString& name :
         folder.entryList({fi.fileName() + QStringLiteral(".before-update-*") + kUnfinished}, QDir::Files))
        RemoveWithJournal(folder.filePath(name));
}

// Whether the copy attached as "copy" holds what "old" holds: both sound,
// the same tables and indexes, every table with as many rows. Empty when it
// does, else what differs.
QString CopyDiffers(sqlite3* db)
{
    {
        Stmt check(db, QStringLiteral("PRAGMA copy.integrity_check(1)"), QStringLiteral("Cannot read the copy"));
        const QString verdict = check.step() ? check.text(0) : QString();
        if (verdict != QLatin1String("ok"))
            return QStringLiteral("the copy is damaged (%1)").arg(verdict);
    }
    {
        const QString layout = QStringLiteral("SELECT type, name, tbl_name, sql FROM %1.sqlite_master");
        Stmt same(db,
                  QStringLiteral("SELECT EXISTS(%1 EXCEPT %2) OR EXISTS(%2 EXCEPT %1)")
                      .arg(layout.arg(QStringLiteral("old")), layout.arg(QStringLiteral("copy"))),
                  QStringLiteral("Cannot read the copy"));
        if (!same.step() || same.int64(0) != 0)
            return QStringLiteral("the copy lacks tables or indexes of the database");
    }
    Stmt tables(db, QStringLiteral("SELECT name FROM old.sqlite_master WHERE type = 'table'"),
                QStringLiteral("Cannot read the copy"));
    while (tables.step()) {
        const QString t = quoteIdent(tables.text(0));
        Stmt rows(db, QStringLiteral("SELECT (SELECT count(*) FROM old.%1) = (SELECT count(*) FROM copy.%1)").arg(t),
                  QStringLiteral("Cannot read the copy"));
        if (!rows.step() || rows.int64(0) != 1)
            return QStringLiteral("the copy lacks rows of table %1").arg(tables.text(0));
    }
    return QString();
}

// Keeps a copy of the file attached to `ref` beside it and returns its name.
// The copy is written under an unfinished name, put on the disk and read
// back whole before it takes its name; one that fails is removed, and the
// DbError says why.
QString KeepCopy(Reference& ref, const QString& file)
{
    const QString kept = CopyName(file);
    const QString unfinished = kept + kUnfinished;
    const QString what = QStringLiteral("Cannot write the copy");
    QString why;
    bool attached = false;
    bool full = false;
    try {
        Stmt copy(ref.db(), QStringLiteral("VACUUM old INTO ?1"), what);
        copy.bind(1, unfinished);
        if (const int rc = copy.stepRc(); rc != SQLITE_DONE) {
            full = diskFull(ref.db(), rc);
            failOn(ref.db(), rc, what, unfinished);
        }
        if (!syncToDisk(unfinished, O_RDWR))
            why = QStringLiteral("the copy %1 could not be put on the disk").arg(unfinished);
        if (why.isEmpty()) {
            ref.attach(unfinished, QStringLiteral("copy"), false);
            attached = true;
            why = CopyDiffers(ref.db());
        }
    } catch (const DbError& e) {
        why = e.message();
    }
    if (attached)
        sqlite3_exec(ref.db(), "DETACH DATABASE copy", nullptr, nullptr, nullptr);
    if (why.isEmpty()
        && (!QFile::rename(unfinished, kept) || !syncToDisk(QFileInfo(file).absolutePath(), O_RDONLY | O_DIRECTORY)))
        why = QStringLiteral("the copy could not be given its name %1").arg(kept);
    if (why.isEmpty())
        return kept;
    RemoveWithJournal(unfinished);
    QFile::remove(kept);
    throw DbError(QStringLiteral("Cannot keep a copy of the database %1 before bringing it up to date: %2. "
                                 "The database was not changed.%3")
                      .arg(file, why, full ? QLatin1Char(' ') + kFreeSpace : QString()));
}

} // namespace

QStringList LayoutGaps(const QString& alias)
{
    QString file;
    const QString script = ScriptOf(alias, &file);
    if (script.isEmpty())
        return {};
    Reference ref(script, file, false);
    return Texts(ref.gaps());
}

QString BringLayoutUpToDate(const QString& alias)
{
    QString file;
    const QString script = ScriptOf(alias, &file);
    if (script.isEmpty())
        return QString();
    RemoveUnfinishedCopies(file);
    Reference ref(script, file, true);
    const std::vector<Gap> gaps = ref.gaps();
    // Saving a job over itself would empty the fields this program does not
    // know: such a database is not written at all.
    if (!ref.newer().isEmpty())
        throw DbError(QStringLiteral("The database %1 is of a newer layout than this program's: %2. It was left as "
                                     "it is. Use it with the newer program that made it.")
                          .arg(file, ref.newer().join(QStringLiteral("; "))));
    if (gaps.empty())
        return QString();
    const QString restore = QStringLiteral(
        "Restore a copy of the database made by this version of the program, or move the file away to start "
        "with a new database.");
    for (const auto& [kind, says] : {std::pair{Gap::Damage, QStringLiteral("The database %1 is damaged: %2. It was "
                                                                          "left as it is. %3")},
                                     std::pair{Gap::OtherLayout, QStringLiteral("The database %1 is of another layout "
                                                                               "that cannot be brought up to date: "
                                                                               "%2. %3")}}) {
        QStringList found;
        for (const Gap& g : gaps)
            if (g.kind == kind)
                found << g.text;
        if (!found.isEmpty())
            throw DbError(says.arg(file, found.join(QStringLiteral("; ")), restore));
    }

    const QString kept = KeepCopy(ref, file);
    QString sql = QStringLiteral("BEGIN IMMEDIATE;\n");
    for (const Gap& g : gaps)
        sql += g.sql + QLatin1Char('\n');
    // The file now records the layout it has.
    if (const qint64 version = ref.version(); version > 0)
        sql += QStringLiteral("PRAGMA old.user_version = %1;\n").arg(version);
    sql += QStringLiteral("COMMIT;");
    try {
        exec(ref.db(), sql, QStringLiteral("Cannot bring the database up to date"));
    } catch (const DbError& e) {
        // Moving a sound database away for want of room would only hide every job.
        const bool full = diskFull(ref.db(), SQLITE_ERROR);
        sqlite3_exec(ref.db(), "ROLLBACK", nullptr, nullptr, nullptr);
        QFile::remove(kept);
        throw DbError(QStringLiteral("The database %1 could not be brought up to date (%2); it was not changed. %3")
                          .arg(file, e.message(), full ? kFreeSpace : restore));
    }
    return kept;
}

namespace {

// A column of the file's table and the field its values go into.
struct Destined {
    const ColumnInfo* column;
    const Field* into;
};

// The most bytes of text a value of the field can take in the file: UTF-8
// spends at most three on each character the field counts, and no number is
// written with more than a few dozen.
qint64 MostBytes(const Field& f)
{
    constexpr qint64 kMostNumberBytes = 64;
    switch (f.DataType()) {
    case FieldType::Alpha:
        return 3 * qint64(f.Size() > 0 ? f.Size() : kMostMemoChars);
    case FieldType::Memo:
        return 3 * qint64(kMostMemoChars);
    default:
        return kMostNumberBytes;
    }
}

QString TooLong(const Field& f, qint64 bytes)
{
    if (f.DataType() != FieldType::Alpha && f.DataType() != FieldType::Memo)
        return QStringLiteral("it holds %1 bytes of text, where a number is expected").arg(bytes);
    const int most = f.DataType() == FieldType::Alpha && f.Size() > 0 ? f.Size() : kMostMemoChars;
    return QStringLiteral("the text is longer than %1 characters").arg(most);
}

// The first text or blob value that takes more bytes in the file than its
// field could hold. Its type and size are read from the row's header and the
// page it starts on: the value itself is never read.
Misfit FirstOversized(sqlite3* db, const QString& table, const std::vector<Destined>& columns, const QString& order)
{
    QStringList kinds;
    for (const Destined& d : columns)
        kinds << QStringLiteral("typeof(%1)").arg(d.column->quoted);
    Stmt s(db, QStringLiteral("SELECT rowid,%1 FROM %2 ORDER BY %3").arg(kinds.join(QLatin1Char(',')), quoteIdent(table), order),
           QStringLiteral("Cannot read table ") + table);
    const QByteArray name = table.toUtf8();
    for (int row = 1; s.step(); ++row) {
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString kind = s.text(int(i) + 1);
            if (kind != QLatin1String("text") && kind != QLatin1String("blob"))
                continue;
            sqlite3_blob* blob = nullptr;
            const QByteArray column = columns[i].column->name.toUtf8();
            const int rc = sqlite3_blob_open(db, "main", name.constData(), column.constData(), s.int64(0), 0, &blob);
            const qint64 bytes = rc == SQLITE_OK ? sqlite3_blob_bytes(blob) : 0;
            sqlite3_blob_close(blob);
            if (rc != SQLITE_OK)
                fail(db, rc, QStringLiteral("Cannot read table ") + table);
            if (bytes > MostBytes(*columns[i].into))
                return {row, columns[i].into->FieldName(), TooLong(*columns[i].into, bytes)};
        }
    }
    return {};
}

// The stored values of `table` that go into fields of `into`, in the
// table's stored order, and the first of which `misfit` says why it does not
// fit; a value too large for its field is found before any is read.
Misfit FirstValueThat(const QString& alias, const QString& table, Table& into,
                      const std::function<QString(const QVariant&, const Field&)>& misfit)
{
    sqlite3* db = Engine::instance().Connection(alias);
    const TableMeta meta = readMeta(db, table);
    std::vector<Destined> columns;
    for (const ColumnInfo& c : meta.columns)
        if (const Field* f = into.FindField(c.name); f && !f->Calculated())
            columns.push_back({&c, f});
    if (columns.empty())
        return {};
    // The stored order of a table without a key is the order of its rows.
    QString order;
    if (const IndexInfo* primary = meta.findIndex(QString()); primary && primary->def.primary) {
        QStringList cols;
        for (int c : primary->columns)
            cols << meta.columns[size_t(c)].quoted;
        order = cols.join(QLatin1Char(',')) + QStringLiteral(",rowid");
    } else {
        order = QStringLiteral("rowid");
    }
    if (const Misfit big = FirstOversized(db, table, columns, order); big.found())
        return big;
    QStringList read;
    for (const Destined& d : columns)
        read << d.column->quoted;
    Stmt s(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(read.join(QLatin1Char(',')), quoteIdent(table), order),
           QStringLiteral("Cannot read table ") + table);
    for (int row = 1; s.step(); ++row) {
        for (size_t i = 0; i < columns.size(); ++i) {
            const Field& f = *columns[i].into;
            if (const QString why = misfit(s.column(int(i)), f); !why.isEmpty())
                return {row, f.FieldName(), why};
        }
    }
    return {};
}

} // namespace

Misfit FirstMisfit(const QString& alias, const QString& table, Table& into)
{
    return FirstValueThat(alias, table, into, [](const QVariant& stored, const Field& f) {
        if (const QString why = misfitOf(stored, f.DataType()); !why.isEmpty())
            return QStringLiteral("it ") + why;
        if (f.DataType() == FieldType::Alpha && f.Size() > 0
            && toFieldValue(stored, f.DataType(), f.Size(), f.FieldName(), false).toString().size() > f.Size())
            return TooLong(f, 0);
        return QString();
    });
}

} // namespace db
