// Aliases, their SQLite connections, creation of a missing database, the
// configuration file and transaction scopes.
#include "platform/db/dbimpl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db {

using namespace detail;

namespace {

struct CachedStmt {
    sqlite3_stmt* st = nullptr;
    QString table;          // what it is about, for forgetting it
    bool inUse = false;
};

// Prepared statements by their SQL. The engine builds its SQL from a table's
// columns, so a table of a new structure gets statements of its own anyway;
// SQLite re-prepares a kept statement itself when the schema changed.
// The SQL of a post holds every column of its table, and it is looked up
// twice a post: hashed by its length and its two ends, which is plenty to
// tell a connection's statements apart (the full texts are compared anyway).
struct SqlHash {
    size_t operator()(const QString& sql) const noexcept
    {
        constexpr qsizetype kEnd = 48;
        const QStringView v(sql);
        if (v.size() <= 2 * kEnd)
            return qHash(v);
        return qHash(v.first(kEnd)) ^ (qHash(v.last(kEnd)) * 31u) ^ size_t(v.size());
    }
};
using StmtCache = std::unordered_map<QString, CachedStmt, SqlHash>;

// More distinct statements than a connection normally needs: beyond this
// the idle ones are dropped rather than the cache growing without end.
constexpr size_t kMaxCachedStmts = 256;
constexpr size_t kMaxKeptMetas = 256;

struct KeptMeta {
    int version = 0;         // the schema version it was read at
    TableMeta meta;
};

struct AliasConn {
    sqlite3* db = nullptr;
    QString file;
    int depth = 0;          // open transaction scopes
    quint64 serial = 0;     // which opening of the alias this is
    std::shared_ptr<StmtCache> stmts = std::make_shared<StmtCache>();
    std::shared_ptr<std::unordered_map<QString, KeptMeta>> metas =
        std::make_shared<std::unordered_map<QString, KeptMeta>>();
};

struct EngineState {
    std::map<QString, QString> paths;     // alias (upper case) -> folder
    std::map<QString, QString> scripts;   // alias -> creation SQL
    std::map<QString, AliasConn> conns;
    std::vector<Table*> open;
    quint64 openings = 0;
};

// Never destroyed: table components living in static storage may still
// unregister after the end of main.
EngineState& state()
{
    static EngineState* s = new EngineState;
    return *s;
}

QString key(const QString& alias)
{
    return alias.trimmed().toUpper();
}

// Drops idle statements (all of them, or those about one table); one in use
// leaves the cache now and is finalized when its borrower hands it back.
void dropStmts(StmtCache& cache, const QString& table, bool all)
{
    for (auto it = cache.begin(); it != cache.end();) {
        if (all || it->second.table.compare(table, Qt::CaseInsensitive) == 0) {
            if (!it->second.inUse)
                sqlite3_finalize(it->second.st);
            it = cache.erase(it);
        } else {
            ++it;
        }
    }
}

QString logFile(const QString& file)
{
    return file + QStringLiteral("-wal");
}

// Whether saves wait in a log beside the file, not yet folded into it.
bool logHoldsSaves(const QString& file)
{
    const QFileInfo log(logFile(file));
    return log.exists() && log.size() > 0;
}

// Folds the log of a connection on `file` back into the file and closes the
// connection. Empty when no saves are left in a log beside the file, else
// what went wrong.
QString foldAndClose(sqlite3* db, const QString& file, int* failure = nullptr)
{
    // A connection takes in a log left beside its file when it first reads.
    int rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (failure)
        *failure = rc == SQLITE_OK ? SQLITE_OK : sqlite3_extended_errcode(db);
    const QString why = rc == SQLITE_OK ? QString() : reasonOf(db, rc, file);
    sqlite3_close_v2(db);
    if (!logHoldsSaves(file))
        return QString();
    return why.isEmpty() ? QStringLiteral("the log could not be emptied") : why;
}

// Closes a connection; with `fold` its log is folded back into its file
// first, and what went wrong is returned when saves are left in the log.
QString closeConnection(AliasConn& c, bool fold = false)
{
    // Finalized first: a connection closes only once its statements are gone.
    dropStmts(*c.stmts, QString(), true);
    QString why;
    if (c.db && fold)
        why = foldAndClose(c.db, c.file);
    else if (c.db)
        sqlite3_close_v2(c.db);
    c.db = nullptr;
    return why;
}

// Where a log that holds saves stays beside its database, and what to do.
QString logPlace(const QString& file)
{
    return QStringLiteral("the log file %1 in the folder %2")
        .arg(QFileInfo(logFile(file)).fileName(), QFileInfo(file).absolutePath());
}

// What a user must do with a database whose log holds saves.
QString keepTogether()
{
    return QStringLiteral("the database file alone cannot be used until that log is folded into it: keep the log "
                          "file with the database, and copy or move the two only together");
}

QString firstUpper(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

AliasConn* connOf(sqlite3* db)
{
    if (!db)
        return nullptr;
    for (auto& [k, c] : state().conns)
        if (c.db == db)
            return &c;
    return nullptr;
}

StmtCache* cacheOf(sqlite3* db)
{
    AliasConn* c = connOf(db);
    return c ? c->stmts.get() : nullptr;
}

sqlite3* openFile(const QString& file, int flags)
{
    sqlite3* db = nullptr;
    // A connection is only ever used by the thread of the program's windows,
    // so SQLite need not lock it around every call.
    int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = reasonOf(db, rc, file);
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("Cannot open the database: ") + why);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    return db;
}

// What the copies of a database and its log kept while the log is folded
// in are called: their own names and this.
const QString kBeforeFold = QStringLiteral(".before-fold");

// Why reading `from` or writing `to` failed, by the system's error.
QString copyFailure(int error, const QString& to)
{
    if (error == ENOSPC || error == EDQUOT)
        return plainReason(SQLITE_FULL, to);
    return QString::fromLocal8Bit(std::strerror(error));
}

// Copies `from` to `to` and puts the copy on the disk; empty when done,
// else why not (nothing is left at `to` then).
QString keepCopy(const QString& from, const QString& to)
{
    QFile::remove(to);
    int error = 0;
    const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    struct stat seen = {};
    const int out = in < 0 || ::fstat(in, &seen) != 0
                        ? -1
                        : ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                 seen.st_mode & 0777);
    if (out < 0)
        error = errno;
    char block[1 << 16];
    for (ssize_t got = 1; error == 0 && got > 0;) {
        got = ::read(in, block, sizeof block);
        if (got < 0)
            error = errno;
        for (ssize_t put = 0; error == 0 && put < got;) {
            const ssize_t n = ::write(out, block + put, size_t(got - put));
            if (n < 0)
                error = errno;
            else
                put += n;
        }
    }
    if (error == 0 && ::fsync(out) != 0)
        error = errno;
    if (out >= 0 && ::close(out) != 0 && error == 0)
        error = errno;
    if (in >= 0)
        ::close(in);
    if (error == 0)
        return QString();
    QFile::remove(to);
    return QStringLiteral("no copy of %1 could be kept beside it first (%2)").arg(from, copyFailure(error, to));
}

// Puts a kept copy back in the place of `file`, in one step.
bool putBack(const QString& copy, const QString& file)
{
    return ::rename(QFile::encodeName(copy).constData(), QFile::encodeName(file).constData()) == 0;
}

// Whether a database file reads as sound.
bool soundFile(const QString& file)
{
    sqlite3* db = nullptr;
    bool sound = false;
    try {
        db = openFile(file, SQLITE_OPEN_READWRITE);
        Stmt check(db, QStringLiteral("PRAGMA quick_check(1)"), QStringLiteral("Cannot read the database"));
        sound = check.step() && check.text(0) == QLatin1String("ok");
    } catch (const DbError&) {
        sound = false;
    }
    sqlite3_close_v2(db);
    return sound;
}

// Builds the database from the creation script beside the final name and
// moves it into place, so a failing script leaves no half-made file behind.
void createDatabase(const QString& file, const QString& script)
{
    QFileInfo fi(file);
    if (!QDir().mkpath(fi.absolutePath()))
        throw DbError(QStringLiteral("Cannot create the folder %1").arg(fi.absolutePath()));
    const QString tmp = file + QStringLiteral(".new");
    QFile::remove(tmp);
    QFile::remove(tmp + QStringLiteral("-journal"));
    sqlite3* db = openFile(tmp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        exec(db, QStringLiteral("BEGIN"), QStringLiteral("Cannot create the database"));
        exec(db, withTextStorage(script), QStringLiteral("Cannot create the database"));
        exec(db, QStringLiteral("COMMIT"), QStringLiteral("Cannot create the database"));
    } catch (const DbError& e) {
        sqlite3_close_v2(db);
        QFile::remove(tmp);
        throw DbError(e.message().replace(tmp, file));
    }
    sqlite3_close_v2(db);
    if (!QFile::rename(tmp, file)) {
        QFile::remove(tmp);
        throw DbError(QStringLiteral("Cannot create the database file %1").arg(file));
    }
}

// Whether the connection now writes through a write-ahead log it can read.
// A folder where the log cannot even be made is no place to write the
// database at all: that throws.
bool useWriteAheadLog(sqlite3* db)
{
    int rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if ((rc & 0xff) == SQLITE_READONLY)
        fail(db, rc, QStringLiteral("Cannot open the database"));
    return rc == SQLITE_OK;
}

// The files SQLite makes beside a database (its log, the log's shared index,
// its journal) must be plain files where they exist: in place of a folder of
// that name it falls back to reading only, or fails, in words about the
// database that do not name the cause.
void refuseOddCompanions(const QString& file)
{
    for (const char* end : {"-wal", "-shm", "-journal"}) {
        const QString beside = file + QLatin1String(end);
        if (const QString odd = notAPlainFile(beside); !odd.isEmpty())
            throw DbError(QStringLiteral("The database %1 cannot be used: beside it, %2 is %3, where the program "
                                         "keeps a file of the database's own. Move it away, then start the program "
                                         "again.")
                              .arg(file, QFileInfo(beside).fileName(), odd));
    }
}

// The permissions of a folder that keep the program from reading or
// entering it ("000"); empty when it may. As for a read-only file, the bits
// decide, also for a superuser who could go in anyway.
QString barredFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat seen = {};
    if (::stat(name.constData(), &seen) != 0 || !S_ISDIR(seen.st_mode))
        return QString();
    constexpr mode_t kReadAndEnter = S_IRUSR | S_IXUSR;
    const bool barred = (seen.st_uid == ::geteuid() && (seen.st_mode & kReadAndEnter) != kReadAndEnter)
                        || ::access(name.constData(), R_OK | X_OK) != 0;
    return barred ? QStringLiteral("%1").arg(seen.st_mode & 0777, 3, 8, QLatin1Char('0')) : QString();
}

sqlite3* openExisting(const QString& file, bool forReading = false)
{
    refuseOddCompanions(file);
    QFileInfo fi(file);
    // SQLite takes an empty file for an empty database and would write to
    // it; an empty file is a database lost, and is left as it is.
    if (fi.size() == 0)
        throw DbError(QStringLiteral("The database file %1 is empty").arg(file));
    // The permission bits decide, also for a superuser who could write anyway.
    if (!forReading && !(QFile::permissions(file) & QFileDevice::WriteOwner))
        throw DbError(QStringLiteral("The database file %1 is read-only").arg(file));
    sqlite3* db = openFile(file, forReading ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    if (!forReading && sqlite3_db_readonly(db, "main") == 1) {
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("The database file %1 is read-only").arg(file));
    }
    try {
        Stmt check(db, QStringLiteral("PRAGMA quick_check(1)"), QStringLiteral("Cannot read the database"));
        QString verdict = check.step() ? check.text(0) : QString();
        if (verdict != QLatin1String("ok"))
            throw DbError(QStringLiteral("Cannot open the database: ") + plainReason(SQLITE_CORRUPT, file));
        if (!forReading)
            exec(db, QStringLiteral("CREATE TABLE IF NOT EXISTS \"_autoinc\"(tbl TEXT PRIMARY KEY, last INTEGER NOT NULL)"),
                 QStringLiteral("Cannot prepare the database"));
    } catch (const DbError& e) {
        sqlite3_close_v2(db);
        QString msg = e.message();
        if (!msg.contains(file))
            msg += QStringLiteral(" (") + file + QLatin1Char(')');
        throw DbError(msg);
    }
    return db;
}

// A journal left beside a file by a write that was ended part-way (a
// program killed while it wrote) holds what the file held before: a
// connection that may write puts it back the first time it reads, as after
// any interrupted write. One that only reads cannot, and SQLite then calls
// the file read-only; the file is rolled back first.
void rollBackInterruptedWrite(const QString& file)
{
    const QFileInfo journal(file + QStringLiteral("-journal"));
    if (!journal.isFile() || journal.size() == 0)
        return;
    sqlite3* db = openFile(file, SQLITE_OPEN_READWRITE);
    const int rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
    const QString why = rc == SQLITE_OK ? QString() : reasonOf(db, rc, file);
    sqlite3_close_v2(db);
    if (!why.isEmpty())
        throw DbError(QStringLiteral("Cannot read the database %1: a write to it was stopped part-way, and it "
                                     "could not be put back as it was before that write: %2")
                          .arg(file, why));
}

AliasConn* findConnection(const QString& alias)
{
    auto& conns = state().conns;
    // Asked at every read and write, nearly always by the alias's own
    // spelling, which needs no folding.
    auto it = conns.find(alias);
    if (it != conns.end() && it->second.db)
        return &it->second;
    it = conns.find(key(alias));
    return it == conns.end() || !it->second.db ? nullptr : &it->second;
}

// The most a settings file holds: a few lines. Anything larger is no
// settings file, and is not read.
constexpr qint64 kMostConfigurationBytes = 64 * 1024;

// A line as a message can show it: the NULs of text saved as UTF-16 left
// out, any other control character written as its code.
QString readable(QString line)
{
    QString out;
    for (const QChar c : line.remove(QChar(0)).trimmed()) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

// The engine configuration's text; only a plain file of a settings file's
// size is read: a pipe would be waited on for ever, a device read without end.
QString configurationText(const QString& ini)
{
    auto refuse = [&](const QString& why) {
        throw DbError(QStringLiteral("The engine configuration %1 cannot be used: %2. Put a plain text file of "
                                     "the aliases in its place, or remove it to use the default folders.")
                          .arg(ini, why));
    };
    if (const QString odd = notAPlainFile(ini); !odd.isEmpty())
        refuse(QStringLiteral("it is %1, not a plain file").arg(odd));
    QFile file(ini);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Cannot read the engine configuration %1").arg(ini));
    const QByteArray bytes = file.read(kMostConfigurationBytes + 1);
    if (bytes.size() > kMostConfigurationBytes)
        refuse(QStringLiteral("it holds more than %1 KB, more than a settings file can").arg(kMostConfigurationBytes / 1024));
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    return text;
}

// The folders the [Aliases] section of the engine configuration gives, by
// alias, each taken whole as its line writes it: a folder's name may hold
// commas, blanks (at its end as well) or semicolons. A line that cannot be
// read stops the start, named, as does an alias the programs do not know, one
// named twice, or one named without a folder or outside the section: the
// aliases are never left to their default folders while the file names one.
std::map<QString, QString> configuredFolders(const QString& ini)
{
    const QString text = configurationText(ini);
    std::map<QString, QString> folders;
    std::map<QString, qsizetype> lineOf;   // the line that named each alias
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString written = lines[n];
        if (written.endsWith(QLatin1Char('\r')))
            written.chop(1);
        const QString line = written.trimmed();
        auto refuse = [&](const QString& why) {
            throw DbError(QStringLiteral("Line %1 of the engine configuration %2 cannot be used: \"%3\" %4. Mend "
                                         "the line: each alias on a line of its own in the [Aliases] section, as "
                                         "MERSOL=/path/to/folder.")
                              .arg(n + 1)
                              .arg(ini, readable(line), why));
        };
        if (line.contains(QChar(0)))
            refuse(QStringLiteral("holds NUL characters, as text saved as UTF-16 does; save the file as plain "
                                  "(UTF-8) text"));
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')))
                refuse(QStringLiteral("opens a section name it does not close"));
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = written.indexOf(QLatin1Char('='));
        if (equals < 0 || line.startsWith(QLatin1Char('=')))
            refuse(QStringLiteral("is neither a section, a comment nor a name=value line"));
        const QString alias = key(written.left(equals));
        // Blanks after the equals sign part the name from its folder; those
        // at the end of the line belong to the folder's name.
        QString folder = written.mid(equals + 1);
        qsizetype lead = 0;
        while (lead < folder.size() && folder[lead].isSpace())
            ++lead;
        folder.remove(0, lead);
        const bool known = alias == kMersolAlias || alias == kTransferAlias;
        if (section != QLatin1String("Aliases")) {
            if (known)
                refuse(QStringLiteral("names %1 outside the [Aliases] section").arg(alias));
            continue;
        }
        if (!known)
            refuse(QStringLiteral("names the alias %1, which the programs do not know: they know %2 and %3")
                       .arg(alias, kMersolAlias, kTransferAlias));
        if (const auto first = lineOf.find(alias); first != lineOf.end())
            refuse(QStringLiteral("names %1 again, as line %2 does (\"%3\"); keep one of the two")
                       .arg(alias)
                       .arg(first->second + 1)
                       .arg(readable(lines[first->second].trimmed())));
        // As written by a program that quotes a value with a comma in it.
        if (const QString quoted = folder.trimmed();
            quoted.size() >= 2 && quoted.startsWith(QLatin1Char('"')) && quoted.endsWith(QLatin1Char('"')))
            folder = quoted.mid(1, quoted.size() - 2);
        if (folder.trimmed().isEmpty())
            refuse(QStringLiteral("gives no folder for %1").arg(alias));
        folders[alias] = folder;
        lineOf[alias] = n;
    }
    return folders;
}

} // namespace

void Abort()
{
    throw SilentAbort();
}

// ---- registry of open table components ------------------------------------

namespace detail {

sqlite3_stmt* borrowStmt(sqlite3* db, const QString& sql, const QString& table, const QString& what)
{
    StmtCache* cache = cacheOf(db);
    if (!cache)
        return nullptr;
    auto it = cache->find(sql);
    if (it != cache->end()) {
        if (it->second.inUse)
            return nullptr;
        it->second.inUse = true;
        return it->second.st;
    }
    if (cache->size() >= kMaxCachedStmts) {
        for (auto i = cache->begin(); i != cache->end();) {
            if (!i->second.inUse) {
                sqlite3_finalize(i->second.st);
                i = cache->erase(i);
            } else {
                ++i;
            }
        }
    }
    QByteArray u = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v3(db, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(db, rc, what);
    }
    cache->emplace(sql, CachedStmt{st, table, true});
    return st;
}

void returnStmt(sqlite3* db, const QString& sql, sqlite3_stmt* st, bool keep)
{
    StmtCache* cache = cacheOf(db);
    auto it = cache ? cache->find(sql) : StmtCache::iterator();
    if (!cache || it == cache->end() || it->second.st != st) {
        sqlite3_finalize(st);   // the cache let it go while it was lent
        return;
    }
    if (keep) {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        it->second.inUse = false;
    } else {
        sqlite3_finalize(st);
        cache->erase(it);
    }
}

void forgetStmts(sqlite3* db, const QString& table)
{
    AliasConn* c = connOf(db);
    if (!c)
        return;
    dropStmts(*c->stmts, table, table.isNull());
    auto& metas = *c->metas;
    for (auto it = metas.begin(); it != metas.end();)
        it = table.isNull() || it->first.compare(table, Qt::CaseInsensitive) == 0 ? metas.erase(it) : std::next(it);
}

const TableMeta* keptMeta(sqlite3* db, const QString& table, int version)
{
    AliasConn* c = connOf(db);
    if (!c)
        return nullptr;
    auto it = c->metas->find(table);
    return it != c->metas->end() && it->second.version == version ? &it->second.meta : nullptr;
}

void keepMeta(sqlite3* db, const QString& table, int version, const TableMeta& meta)
{
    if (AliasConn* c = connOf(db)) {
        if (c->metas->size() >= kMaxKeptMetas)
            c->metas->clear();
        (*c->metas)[table] = KeptMeta{version, meta};
    }
}

int cachedStmtCount(sqlite3* db)
{
    StmtCache* cache = cacheOf(db);
    return cache ? int(cache->size()) : 0;
}

void registerOpen(Table* t)
{
    auto& v = state().open;
    if (std::find(v.begin(), v.end(), t) == v.end())
        v.push_back(t);
}

void unregisterOpen(Table* t)
{
    auto& v = state().open;
    v.erase(std::remove(v.begin(), v.end(), t), v.end());
}

std::vector<Table*> openTables(const QString& alias, const QString& table)
{
    // Asked after every post: the names are compared in place, the table's first.
    std::vector<Table*> out;
    const QStringView k = QStringView(alias).trimmed();
    for (Table* t : state().open)
        if ((table.isNull()
             || (t->TableName().size() == table.size() && t->TableName().compare(table, Qt::CaseInsensitive) == 0))
            && QStringView(t->DatabaseName()).trimmed().compare(k, Qt::CaseInsensitive) == 0)
            out.push_back(t);
    return out;
}

namespace {
// By alias and table, both in upper case; an empty table name counts the
// re-reads of every table of the alias.
std::map<std::pair<QString, QString>, quint64>& writeCounts()
{
    static auto* counts = new std::map<std::pair<QString, QString>, quint64>;
    return *counts;
}
} // namespace

quint64* writeCount(const QString& alias, const QString& table)
{
    return &writeCounts()[{key(alias), table.toUpper()}];
}

void reloadOpenTables(const QString& alias, const QString& table)
{
    // Every rollback and every write made around the components passes here.
    ++*writeCount(alias, table.isNull() ? QString() : table);
    for (Table* t : openTables(alias, table))
        reloadTable(t);
}

StoreMark storeMark(const QString& alias, const QString& table)
{
    sqlite3* db = Engine::instance().Connection(alias);
    StoreMark m;
    m.serial = Engine::instance().ConnectionSerial(alias);
    m.rereads = *writeCount(alias, QString());
    m.writes = *writeCount(alias, table);
    const QString what = QStringLiteral("Cannot read the state of ") + alias;
    {
        Stmt s(db, QStringLiteral("PRAGMA data_version"), what, QString());
        if (s.step())
            m.dataVersion = s.int64(0);
    }
    {
        Stmt s(db, QStringLiteral("PRAGMA schema_version"), what, QString());
        if (s.step())
            m.schemaVersion = s.int64(0);
    }
    return m;
}

} // namespace detail

// ---- Engine ---------------------------------------------------------------

Engine& Engine::instance()
{
    static Engine* e = new Engine;
    return *e;
}

void Engine::SetAliasPath(const QString& alias, const QString& folder)
{
    auto& s = state();
    const QString k = key(alias);
    const QString clean = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    auto it = s.paths.find(k);
    if (it != s.paths.end() && it->second == clean)
        return;
    Close(k);
    if (clean.isEmpty())
        s.paths.erase(k);
    else
        s.paths[k] = clean;
}

QString Engine::AliasPath(const QString& alias) const
{
    auto& p = state().paths;
    auto it = p.find(key(alias));
    return it == p.end() ? QString() : it->second;
}

QString Engine::DatabaseFile(const QString& alias) const
{
    QString folder = AliasPath(alias);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + key(alias) + QStringLiteral(".sqlite");
}

void Engine::SetCreateScript(const QString& alias, const QString& sql)
{
    if (sql.isNull())
        state().scripts.erase(key(alias));
    else
        state().scripts[key(alias)] = sql;
}

QString Engine::CreateScript(const QString& alias) const
{
    auto& m = state().scripts;
    auto it = m.find(key(alias));
    return it == m.end() ? QString() : it->second;
}

void Engine::LoadConfiguration()
{
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QString mersol = dataHome + QStringLiteral("/Mersol");
    QString transfer = dataHome + QStringLiteral("/Mersol Transfer");
    std::map<QString, QString> chosen{{kMersolAlias, mersol}, {kTransferAlias, transfer}};

    const QString ini = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                        + QStringLiteral("/mersol/engine.ini");
    std::set<QString> configured;
    // A link to nowhere is a configuration that cannot be read, not none.
    if (const QFileInfo given(ini); given.exists() || given.isSymLink()) {
        const QDir base = QFileInfo(ini).absoluteDir();
        for (auto [alias, folder] : configuredFolders(ini)) {
            if (folder.startsWith(QStringLiteral("~/")))
                folder = QDir::homePath() + folder.mid(1);
            chosen[alias] = QDir::cleanPath(base.absoluteFilePath(folder));
            configured.insert(alias);
        }
    }
    for (const auto& [alias, folder] : chosen) {
        // Only the default folders are made: a configured one that is not
        // there is most likely mistyped, and a new empty database in it would
        // hide every stored job.
        if (configured.count(alias) && !QFileInfo(folder).isDir())
            throw DbError(QStringLiteral("The folder \"%1\" given for %2 in the engine configuration %3 does not "
                                         "exist%4")
                              .arg(folder, alias, ini,
                                   folder.back().isSpace() ? QStringLiteral(" (its name ends in a blank, as its "
                                                                            "line writes it)")
                                                           : QString()));
        if (!QDir().mkpath(folder))
            throw DbError(QStringLiteral("Cannot create the folder %1 for %2").arg(folder, alias));
        SetAliasPath(alias, folder);
    }
}

void Engine::CheckDatabaseFile(const QString& alias) const
{
    const QString file = DatabaseFile(alias);
    if (file.isEmpty())
        throw DbError(QStringLiteral("Unknown database alias '%1'").arg(alias));
    const QString folder = QFileInfo(file).absolutePath();
    if (const QString mode = barredFolder(folder); !mode.isEmpty())
        throw DbError(QStringLiteral("Cannot open the database %1: its folder %2 may not be read or entered (its "
                                     "permissions are %3). Give yourself read, write and search permission on the "
                                     "folder, then try again.")
                          .arg(file, folder, mode));
    if (const QString odd = notAPlainFile(file); !odd.isEmpty())
        throw DbError(QStringLiteral("The database file %1 cannot be used: it is %2, not a plain file. Move it "
                                     "away, or put the database file in its place, then try again.")
                          .arg(file, odd));
}

void Engine::MakeDatabaseFile(const QString& alias)
{
    const QString k = key(alias);
    CheckDatabaseFile(k);
    const QString file = DatabaseFile(k);
    if (QFileInfo::exists(file))
        return;
    auto& scripts = state().scripts;
    auto sc = scripts.find(k);
    if (sc == scripts.end())
        throw DbError(QStringLiteral("The database file %1 does not exist").arg(file));
    createDatabase(file, sc->second);
}

sqlite3* Engine::Connection(const QString& alias)
{
    if (auto* c = findConnection(alias))
        return c->db;
    return open(alias, false);
}

void Engine::OpenForReading(const QString& alias)
{
    Close(alias);
    open(alias, true);
}

void Engine::Close(const QString& alias)
{
    auto& conns = state().conns;
    if (auto c = conns.find(key(alias)); c != conns.end()) {
        closeConnection(c->second);
        conns.erase(c);
    }
}

sqlite3* Engine::open(const QString& alias, bool forReading)
{
    auto& s = state();
    const QString k = key(alias);
    MakeDatabaseFile(k);
    const QString file = DatabaseFile(k);
    if (forReading)
        rollBackInterruptedWrite(file);
    AliasConn conn;
    conn.db = openExisting(file, forReading);
    // The main database takes a write-ahead log: a commit then syncs one
    // file once instead of a journal and the database four times, and is as
    // safe; closing folds the log back into the file. The transfer database
    // is carried to other machines as one file, so it keeps its journal, as
    // does a main database on a disk where the log cannot be shared.
    try {
        if (!forReading && k == key(kMersolAlias) && !useWriteAheadLog(conn.db))
            sqlite3_exec(conn.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    } catch (const DbError&) {
        sqlite3_close_v2(conn.db);
        throw;
    }
    conn.file = file;
    conn.serial = ++s.openings;
    s.conns[k] = conn;
    return conn.db;
}

quint64 Engine::ConnectionSerial(const QString& alias) const
{
    const AliasConn* c = findConnection(alias);
    return c ? c->serial : 0;
}

void Engine::CloseAll()
{
    for (auto& [k, c] : state().conns)
        closeConnection(c);
    state().conns.clear();
}

void Engine::Shutdown()
{
    QStringList failures;
    for (auto& [k, c] : state().conns) {
        const QString file = c.file;
        const QString why = closeConnection(c, true);
        if (!why.isEmpty())
            // A fold that stopped part-way leaves the file half-written:
            // only the file and its log together hold the database.
            failures << QStringLiteral("The log of the database %1 could not be folded back into it: %2. The latest "
                                       "saves are in %3, and %4. The next start of the program folds the log in "
                                       "once the disk has room and works.")
                            .arg(file, why, logPlace(file), keepTogether());
    }
    state().conns.clear();
    if (!failures.isEmpty())
        throw DbError(failures.join(QStringLiteral("\n\n")));
}

void Engine::FoldLeftoverLog(const QString& alias)
{
    const QString file = DatabaseFile(alias);
    if (file.isEmpty() || findConnection(alias) || !QFileInfo::exists(file))
        return;
    const QString log = logFile(file);
    const QString fileCopy = file + kBeforeFold, logCopy = log + kBeforeFold;
    if (!logHoldsSaves(file)) {
        // Copies left by a program ended between a fold and the removal of
        // its copies: the fold went through when the file is sound.
        if ((QFileInfo::exists(fileCopy) || QFileInfo::exists(logCopy)) && soundFile(file)) {
            QFile::remove(fileCopy);
            QFile::remove(logCopy);
        }
        return;
    }
    refuseOddCompanions(file);
    // Both are copied first and put back unless the folded file passes its
    // check: a log written to another copy of the database (an older file
    // put back beside it) folds into a damaged file, and is gone after.
    QString why = keepCopy(file, fileCopy);
    if (why.isEmpty())
        why = keepCopy(log, logCopy);
    const bool copied = why.isEmpty();
    int failure = SQLITE_OK;
    if (copied) {
        try {
            why = foldAndClose(openFile(file, SQLITE_OPEN_READWRITE), file, &failure);
        } catch (const DbError& e) {
            why = e.message();
        }
    }
    // Found while folding in, or in the folded file.
    const bool damaged = copied && ((failure & 0xff) == SQLITE_CORRUPT || (failure & 0xff) == SQLITE_NOTADB
                                    || (why.isEmpty() && !soundFile(file)));
    if (copied && (damaged || !why.isEmpty())) {
        QFile::remove(file + QStringLiteral("-shm"));
        const QString folder = QFileInfo(file).absolutePath();
        if (!putBack(logCopy, log) || !putBack(fileCopy, file))
            throw DbError(QStringLiteral("The database %1 and its log %2 could not be put back as they were before "
                                         "the log was folded in. Copies of the two as they were are in the folder "
                                         "%3: %4 and %5. They belong together: keep them, and copy or move the two "
                                         "only together.")
                              .arg(file, log, folder, QFileInfo(fileCopy).fileName(), QFileInfo(logCopy).fileName()));
        if (damaged)
            throw DbError(QStringLiteral("The database %1 was not started: folding in the saves of its log gave a "
                                         "damaged database, as when the log was written to another copy of the "
                                         "database file (an older copy put back over it, say). Both were put back "
                                         "as they were, in the folder %2: %3 and %4. They belong together: keep "
                                         "them, and copy or move the two only together.")
                              .arg(file, folder, QFileInfo(file).fileName(), QFileInfo(log).fileName()));
    }
    QFile::remove(fileCopy);
    QFile::remove(logCopy);
    if (!why.isEmpty())
        // The log may be left by a program that was ended, or by one that
        // closed on a full or failing disk and said so: the words fit both.
        throw DbError(QStringLiteral("The database %1 has saves in %2 that are not yet folded into it, and they "
                                     "could not be folded in now: %3. %4. The program folds the log in when it "
                                     "starts again once the disk has room and works.")
                          .arg(file, logPlace(file), why, firstUpper(keepTogether())));
}

// ---- Transaction ----------------------------------------------------------

Transaction::Transaction(const QString& alias) : alias_(alias)
{
    sqlite3* db = Engine::instance().Connection(alias);
    auto* c = findConnection(alias);
    if (c->depth == 0) {
        exec(db, QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("Cannot start a transaction"));
        outer_ = true;
    } else {
        exec(db, QStringLiteral("SAVEPOINT tx%1").arg(c->depth), QStringLiteral("Cannot start a transaction"));
    }
    level_ = c->depth++;
}

void Transaction::Commit()
{
    if (done_)
        return;
    done_ = true;
    auto* c = findConnection(alias_);
    if (!c)
        throw DbError(QStringLiteral("The database of %1 was closed during a transaction").arg(alias_));
    --c->depth;
    const char* sql = nullptr;
    QByteArray release = QStringLiteral("RELEASE tx%1").arg(level_).toUtf8();
    sql = outer_ ? "COMMIT" : release.constData();
    int rc = sqlite3_exec(c->db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = reasonOf(c->db, rc, c->file);
        if (outer_)
            sqlite3_exec(c->db, "ROLLBACK", nullptr, nullptr, nullptr);
        reloadOpenTables(alias_);
        throw DbError(QStringLiteral("Cannot save the changes: ") + why);
    }
}

Transaction::~Transaction()
{
    if (done_)
        return;
    auto* c = findConnection(alias_);
    if (!c)
        return;
    --c->depth;
    if (outer_) {
        if (!sqlite3_get_autocommit(c->db))
            sqlite3_exec(c->db, "ROLLBACK", nullptr, nullptr, nullptr);
    } else {
        QByteArray sql = QStringLiteral("ROLLBACK TO tx%1; RELEASE tx%1").arg(level_).toUtf8();
        sqlite3_exec(c->db, sql.constData(), nullptr, nullptr, nullptr);
    }
    try {
        reloadOpenTables(alias_);
    } catch (...) {
        // A table that cannot re-read keeps its old rows; nothing to report here.
    }
}

} // namespace db
