// Thin wrappers around SQLite calls that turn failures into DbError.
#include "platform/db/dbimpl.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace db::detail {

QString quoteIdent(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString fileOf(sqlite3* db)
{
    for (int i = 0; db; ++i) {
        const char* name = sqlite3_db_name(db, i);
        if (!name)
            break;
        const char* f = sqlite3_db_filename(db, name);
        if (f && *f)
            return QString::fromUtf8(f);
    }
    return QString();
}

QString plainReason(int code, const QString& file)
{
    if (file.isEmpty())
        return QString();
    const QString folder = QFileInfo(file).absolutePath();
    switch (code) {
    case SQLITE_READONLY_DIRECTORY:
    case SQLITE_READONLY_CANTINIT:
    case SQLITE_READONLY_CANTLOCK:
        return QStringLiteral("the folder %1 is read-only, and the database %2 in it can only be used where "
                              "the program may make files beside it: make the folder writable, or move the database")
            .arg(folder, file);
    case SQLITE_READONLY_DBMOVED:
        return QStringLiteral("the database file %1 was moved or removed while the program had it open").arg(file);
    default:
        break;
    }
    switch (code & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("the file %1 is not a database: it is cut short, damaged or a file of another kind")
            .arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("the database file %1 is damaged: part of it is missing or overwritten").arg(file);
    case SQLITE_READONLY:
        return QStringLiteral("the database file %1 or its folder %2 is read-only").arg(file, folder);
    case SQLITE_FULL:
        return QStringLiteral("the disk that holds %1 is full").arg(file);
    case SQLITE_IOERR:
        return QStringLiteral("the disk failed to read or write %1 or a file beside it").arg(file);
    case SQLITE_CANTOPEN:
        return QStringLiteral("the file %1 cannot be opened or made: it or its folder %2 is missing or may "
                              "not be used")
            .arg(file, folder);
    default:
        return QString();
    }
}

bool syncToDisk(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

QString notAPlainFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat seen = {};
    if (::lstat(name.constData(), &seen) != 0)
        return QString();
    const bool link = S_ISLNK(seen.st_mode);
    const QString target = link ? QFileInfo(path).symLinkTarget() : QString();
    if (link && ::stat(name.constData(), &seen) != 0)
        return QStringLiteral("a link to %1, which is not there").arg(target);
    QString kind;
    if (S_ISREG(seen.st_mode))
        return QString();
    if (S_ISDIR(seen.st_mode))
        kind = QStringLiteral("a folder");
    else if (S_ISFIFO(seen.st_mode))
        kind = QStringLiteral("a named pipe (FIFO)");
    else if (S_ISSOCK(seen.st_mode))
        kind = QStringLiteral("a socket");
    else if (S_ISCHR(seen.st_mode) || S_ISBLK(seen.st_mode))
        kind = QStringLiteral("a device");
    else
        kind = QStringLiteral("not a plain file");
    return link ? QStringLiteral("%1 (a link to %2)").arg(kind, target) : kind;
}

void fail(sqlite3* db, int rc, const QString& what)
{
    failOn(db, rc, what, fileOf(db));
}

bool diskFull(sqlite3* db, int rc)
{
    const int code = db ? sqlite3_extended_errcode(db) : rc;
    if ((code & 0xff) == SQLITE_FULL)
        return true;
    // Growing the shared index beside a database in its log mode fails as a
    // plain read or write error; the system's own error says why.
    return (code & 0xff) == SQLITE_IOERR && db && sqlite3_system_errno(db) == ENOSPC;
}

QString reasonOf(sqlite3* db, int rc, const QString& file)
{
    const QString plain = plainReason(diskFull(db, rc) ? SQLITE_FULL : db ? sqlite3_extended_errcode(db) : rc, file);
    if (!plain.isEmpty())
        return plain;
    QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (!file.isEmpty())
        msg += QStringLiteral(" (") + file + QLatin1Char(')');
    return msg;
}

void failOn(sqlite3* db, int rc, const QString& what, const QString& file)
{
    const QString msg = what + QStringLiteral(": ") + reasonOf(db, rc, file);
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    if ((rc & 0xff) == SQLITE_CONSTRAINT
        && (ext == SQLITE_CONSTRAINT_UNIQUE || ext == SQLITE_CONSTRAINT_PRIMARYKEY))
        throw KeyViolation(QStringLiteral("Key violation. ") + msg);
    throw DbError(msg);
}

Stmt::Stmt(sqlite3* db, const QString& sql, const QString& what) : db_(db), what_(what)
{
    QByteArray u = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st_, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc, what);
}

Stmt::Stmt(sqlite3* db, const QString& sql, const QString& what, const QString& table)
    : db_(db), what_(what)
{
    st_ = borrowStmt(db, sql, table, what);
    if (st_) {
        key_ = sql;
        cached_ = true;
        return;
    }
    QByteArray u = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st_, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc, what);
}

Stmt::~Stmt()
{
    if (cached_)
        returnStmt(db_, key_, st_, keep_);
    else
        sqlite3_finalize(st_);
}

void Stmt::failed(int rc)
{
    keep_ = false;
    fail(db_, rc, what_);
}

void Stmt::bind(int i, const QVariant& v)
{
    int rc;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(st_, i);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(st_, i, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(st_, i, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(st_, i, v.toDouble());
            break;
        default: {
            QByteArray u = v.toString().toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        failed(rc);
}

void Stmt::bindStored(int i, const QVariant& v, FieldType type)
{
    // The field types' own values are read in place; anything else, and a
    // logical, goes the general way.
    int rc;
    if (heldNull(v))
        rc = sqlite3_bind_null(st_, i);
    else if (type == FieldType::Logical)
        rc = sqlite3_bind_int(st_, i, toStorage(v, type).toInt());
    else if (holdsDouble(v))
        rc = sqlite3_bind_double(st_, i, heldDouble(v));
    else if (holdsInt(v))
        rc = sqlite3_bind_int64(st_, i, *static_cast<const int*>(v.constData()));
    else switch (v.typeId()) {
    case QMetaType::QString: {
        // Plain ASCII text (nearly all of it) is its own UTF-8.
        const QString& s = *static_cast<const QString*>(v.constData());
        const qsizetype n = s.size();
        char* ascii = text_ + textUsed_;
        bool plain = n <= qsizetype(sizeof text_) - textUsed_;
        const ushort* utf16 = s.utf16();
        for (qsizetype k = 0; plain && k < n; ++k) {
            const ushort c = utf16[k];
            plain = c < 0x80;
            ascii[k] = char(c);
        }
        if (plain) {
            textUsed_ += int(n);
            rc = sqlite3_bind_text(st_, i, ascii, int(n), SQLITE_STATIC);
        } else {
            const QByteArray u = s.toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        break;
    }
    default:
        bind(i, toStorage(v, type));
        return;
    }
    if (rc != SQLITE_OK)
        failed(rc);
}

int Stmt::stepRc()
{
    int rc = sqlite3_step(st_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        keep_ = false;
    return rc;
}

bool Stmt::step()
{
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(st_);
    failed(rc);
}

void Stmt::reset()
{
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
    textUsed_ = 0;
}

int Stmt::columnCount() const
{
    return sqlite3_column_count(st_);
}

QVariant Stmt::column(int i) const
{
    switch (sqlite3_column_type(st_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(st_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st_, i));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st_, i)), sqlite3_column_bytes(st_, i)));
    default:
        return QVariant(text(i));
    }
}

QString Stmt::text(int i) const
{
    const unsigned char* t = sqlite3_column_text(st_, i);
    int n = sqlite3_column_bytes(st_, i);
    return t ? QString::fromUtf8(reinterpret_cast<const char*>(t), n) : QString();
}

qint64 Stmt::int64(int i) const
{
    return sqlite3_column_int64(st_, i);
}

void exec(sqlite3* db, const QString& sql, const QString& what)
{
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK)
        fail(db, rc, what);
}

qint64 nextAutoInc(sqlite3* db, const QString& table, const QString& column)
{
    keepAutoIncAbove(db, table, column);
    Stmt up(db, QStringLiteral("UPDATE \"_autoinc\" SET last = last + 1 WHERE tbl = ?1 RETURNING last"),
            QStringLiteral("Cannot number a new row of ") + table, QString());
    up.bind(1, table);
    qint64 next = up.step() ? up.int64(0) : 1;
    while (up.step()) {
    }
    return next;
}

void keepAutoIncAbove(sqlite3* db, const QString& table, const QString& column)
{
    QString what = QStringLiteral("Cannot number the rows of ") + table;
    QStringList highest{QStringLiteral("coalesce((SELECT max(%1) FROM %2), 0)").arg(quoteIdent(column), quoteIdent(table))};
    {
        Stmt refs(db,
                  QStringLiteral("SELECT m.name, f.\"from\" FROM main.sqlite_master m, pragma_foreign_key_list(m.name) f "
                                 "WHERE m.type = 'table' AND f.\"table\" = ?1 COLLATE NOCASE"),
                  what, table);
        refs.bind(1, table);
        // Only whole numbers a new row could be given count: a damaged row's
        // text or fraction is no number the counter reaches.
        while (refs.step())
            highest << QStringLiteral("coalesce((SELECT max(%1) FROM %2 WHERE typeof(%1) = 'integer' AND %1 < 2147483647), 0)")
                           .arg(quoteIdent(refs.text(1)), quoteIdent(refs.text(0)));
    }
    highest << QStringLiteral("0");   // max() of one argument would be the aggregate
    Stmt s(db,
           QStringLiteral("INSERT INTO \"_autoinc\"(tbl, last) VALUES(?1, max(%1)) "
                          "ON CONFLICT(tbl) DO UPDATE SET last = max(last, excluded.last)")
               .arg(highest.join(QStringLiteral(", "))),
           what, table);
    s.bind(1, table);
    s.step();
}

} // namespace db::detail
