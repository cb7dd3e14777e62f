#include "model/database_setup.h"

#include "platform/db/db.h"
#include "platform/db/layout_check.h"
#include "platform/ui/seam/msg.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

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
    const QString lock = folder + QStringLiteral("/MERSOL.lock");
    const int fd = ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw db::DbError(QStringLiteral("Cannot open the lock file %1 of the database %2").arg(lock, file));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
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
    ::close(claimFd);
    claimFd = -1;
}

void StopDatabase()
{
    db::Engine::instance().CloseAll();
    ReleaseDatabaseClaim();
}

void StartDatabase()
{
    ConfigureDatabase();
    ClaimDatabase();
    const QString kept = db::BringLayoutUpToDate(db::kMersolAlias);
    if (!kept.isEmpty())
        ui::MessageDlg(QStringLiteral("The database %1 was of an older layout and has been brought up to date. "
                                      "A copy of it as it was is kept as %2.")
                           .arg(db::Engine::instance().DatabaseFile(db::kMersolAlias), kept),
                       ui::MsgType::Information, ui::mbOK);
}
