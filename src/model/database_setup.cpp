#include "model/database_setup.h"

#include "platform/db/db.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

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
