#include "model/database_setup.h"

#include "platform/db/db.h"
#include "platform/db/layout_check.h"
#include "platform/ui/seam/msg.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString ReadScript(const QString& name)
{
    QFile f(QStringLiteral(":/data/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw db::DbError(QStringLiteral("The program's database script %1 is missing").arg(name));
    return QString::fromUtf8(f.readAll());
}

// Working table -> its undo copy. SWater and Airvac have none.
const std::pair<const char*, const char*> kUndoNames[] = {
    {"WorkPipe.db", "SavePipe.db"},
    {"WorkProf.DB", "SaveProf.DB"},
    {"WorkGated.db", "SaveGated.db"},
    {"WorkSuction.db", "SavSuction.db"},
    {"WorkTrickle.DB", "SaveTrickle.DB"},
};

// The statements of a script, full-line comments dropped. The scripts keep
// semicolons out of comments and texts, so a semicolon ends a statement.
QStringList Statements(const QString& sql)
{
    QStringList kept;
    for (const QString& line : sql.split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            kept << line;
    QStringList out;
    for (const QString& s : kept.join(QLatin1Char('\n')).split(QLatin1Char(';')))
        if (!s.trimmed().isEmpty())
            out << s.trimmed();
    return out;
}

// The descriptor holding the claim on the database, -1 when none is held.
int claimFd = -1;

// The byte of the database file whose lock is the claim: past the bytes
// SQLite locks itself (from 1 GiB on), so that the two never meet. The lock
// is on the file itself, so nothing removed from its folder while a copy
// runs can let a second copy in.
constexpr off_t kClaimByte = 0x50000000;

// A first start makes the database; two of them at once take turns on the
// folder, so the second finds the first one's file and its claim.
void MakeDatabaseFileInTurn(const QString& folder)
{
    struct Folder {
        int fd;
        ~Folder()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } turn{::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    // Where the folder cannot be locked, no turns are taken.
    if (turn.fd >= 0)
        ::flock(turn.fd, LOCK_EX);
    db::Engine::instance().MakeDatabaseFile(db::kMersolAlias);
}

// After a start that failed: the connections closed, an empty log and the
// shared index beside it go, as a start on a full disk leaves them. A log
// that holds saves stays with its index. The claim keeps every other copy
// of the programs away meanwhile.
void LeaveNoEmptyLogBehind()
{
    db::Engine::instance().CloseAll();
    const QString file = db::Engine::instance().DatabaseFile(db::kMersolAlias);
    const QFileInfo log(file + QStringLiteral("-wal"));
    if (log.exists() && log.size() > 0)
        return;
    QFile::remove(log.filePath());
    QFile::remove(file + QStringLiteral("-shm"));
}

void Register()
{
    auto& engine = db::Engine::instance();
    engine.SetCreateScript(db::kMersolAlias, MersolCreateScript());
    engine.SetCreateScript(db::kTransferAlias, TransferCreateScript());
}

} // namespace

QString UndoTablesScript(const QString& workSql)
{
    // The first quoted name of a statement is the table it creates or indexes;
    // index names start with their table's name, so one replacement renames both.
    static const QRegularExpression firstName(QStringLiteral("\"([^\"|]+)"));
    QStringList out;
    for (const QString& st : Statements(workSql)) {
        const QString table = firstName.match(st).captured(1);
        for (const auto& [work, save] : kUndoNames) {
            if (table == QLatin1String(work)) {
                QString renamed = st;
                renamed.replace(QLatin1Char('"') + QLatin1String(work),
                                QLatin1Char('"') + QLatin1String(save));
                out << renamed + QLatin1Char(';');
            }
        }
    }
    return out.join(QLatin1String("\n\n")) + QLatin1Char('\n');
}

QString MersolCreateScript()
{
    const QString work = ReadScript(QStringLiteral("work.sql"));
    const QStringList parts = {
        ReadScript(QStringLiteral("schema.sql")),
        work,
        UndoTablesScript(work),
        ReadScript(QStringLiteral("pipes.sql")),
        ReadScript(QStringLiteral("minorloss.sql")),
        ReadScript(QStringLiteral("reference.sql")),
    };
    return parts.join(QLatin1Char('\n'));
}

QString TransferCreateScript()
{
    return ReadScript(QStringLiteral("work.sql"));
}

void ConfigureDatabase()
{
    Register();
    db::Engine::instance().LoadConfiguration();
}

void ConfigureDatabase(const QString& mersolFolder, const QString& transferFolder)
{
    Register();
    auto& engine = db::Engine::instance();
    engine.SetAliasPath(db::kMersolAlias, mersolFolder);
    engine.SetAliasPath(db::kTransferAlias, transferFolder);
}

void ClaimDatabase()
{
    if (claimFd >= 0)
        return;
    const QString folder = db::Engine::instance().AliasPath(db::kMersolAlias);
    const QString file = db::Engine::instance().DatabaseFile(db::kMersolAlias);
    db::Engine::instance().CheckDatabaseFile(db::kMersolAlias);
    if (!QFileInfo::exists(file))
        MakeDatabaseFileInTurn(folder);
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        throw db::DbError(errno == EACCES || errno == EROFS
                              ? QStringLiteral("The database file %1 is read-only").arg(file)
                              : QStringLiteral("Cannot open the database file %1: %2")
                                    .arg(file, QString::fromLocal8Bit(std::strerror(errno))));
    struct flock claim = {};
    claim.l_type = F_WRLCK;
    claim.l_whence = SEEK_SET;
    claim.l_start = kClaimByte;
    claim.l_len = 1;
    // A kernel without locks of open files has the whole-file lock instead.
    const bool held =
        ::fcntl(fd, F_OFD_SETLK, &claim) == 0 || (errno == EINVAL && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
    if (!held) {
        ::close(fd);
        throw db::DbError(QStringLiteral("The database %1 is in use by another copy of Mersol or Dunstrow2. "
                                         "Close that copy, then start the program again.")
                              .arg(file));
    }
    claimFd = fd;
}

void ReleaseDatabaseClaim()
{
    if (claimFd < 0)
        return;
    // Closing any descriptor of the file would also drop SQLite's own locks
    // on it: its connections go first.
    db::Engine::instance().CloseAll();
    ::close(claimFd);
    claimFd = -1;
}

void StopDatabase()
{
    // The claim is given up however the closing goes.
    struct Release {
        ~Release() { ReleaseDatabaseClaim(); }
    } release;
    db::Engine::instance().Shutdown();
}

void StartDatabase()
{
    ConfigureDatabase();
    ClaimDatabase();
    QString kept;
    try {
        // What a program that did not close left in the log goes into the
        // file before anything reads or copies it.
        db::Engine::instance().FoldLeftoverLog(db::kMersolAlias);
        kept = db::BringLayoutUpToDate(db::kMersolAlias);
        // Opened here, so that a database that cannot be written stops the
        // start rather than the first save.
        db::Engine::instance().Connection(db::kMersolAlias);
    } catch (...) {
        LeaveNoEmptyLogBehind();
        throw;
    }
    if (!kept.isEmpty())
        ui::MessageDlg(QStringLiteral("The database %1 was of an older layout and has been brought up to date. "
                                      "A copy of it as it was is kept as %2.")
                           .arg(db::Engine::instance().DatabaseFile(db::kMersolAlias), kept),
                       ui::MsgType::Information, ui::mbOK);
}
