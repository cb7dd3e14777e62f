#include "support/tempdb.h"

#include "platform/db/db.h"

namespace testsupport {

TempDb::TempDb(const QString& mersolScript, const QString& transferScript)
{
    auto& e = db::Engine::instance();
    e.CloseAll();
    const std::pair<QString, QString> aliases[] = {{db::kMersolAlias, mersolScript},
                                                   {db::kTransferAlias, transferScript}};
    for (const auto& [alias, script] : aliases) {
        saved_.push_back({alias, e.AliasPath(alias), e.CreateScript(alias)});
        e.SetAliasPath(alias, dir_.path() + (alias == db::kMersolAlias ? "/Mersol" : "/Mersol Transfer"));
        e.SetCreateScript(alias, script.isNull() ? QStringLiteral("") : script);
    }
}

TempDb::~TempDb()
{
    auto& e = db::Engine::instance();
    e.CloseAll();
    for (const auto& s : saved_) {
        e.SetAliasPath(s.alias, s.path);
        e.SetCreateScript(s.alias, s.script);
    }
}

QString TempDb::Folder(const QString& alias) const
{
    return db::Engine::instance().AliasPath(alias);
}

QString TempDb::File(const QString& alias) const
{
    return db::Engine::instance().DatabaseFile(alias);
}

void TempDb::Reconnect()
{
    db::Engine::instance().CloseAll();
}

} // namespace testsupport
