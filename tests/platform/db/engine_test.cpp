#include "fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <sqlite3.h>

using db::Table;

namespace {

void expectErrorNaming(const std::function<void()>& f, const QString& file, int line = __builtin_LINE())
{
    try {
        f();
        ADD_FAILURE() << "no error for " << file.toStdString() << " at line " << line;
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(file)) << e.message().toStdString();
    }
}

// An environment variable set for one test.
struct EnvVar {
    QByteArray name, old;
    bool had;
    EnvVar(const char* n, const QString& v) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n))
    {
        qputenv(n, v.toUtf8());
    }
    ~EnvVar() { had ? qputenv(name.constData(), old) : qunsetenv(name.constData()); }
};

} // namespace

TEST_F(DbTest, DatabaseIsCreatedFromScriptOnFirstUse)
{
    const QString file = temp.File(db::kMersolAlias);
    EXPECT_TRUE(file.endsWith("/Mersol/MERSOL.sqlite"));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(stored("Items.DB", "Code").size(), 3);
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(DbTest, UnusableDatabaseFilesRaiseErrorsNamingTheFile)
{
    auto& e = db::Engine::instance();
    const QString file = temp.File(db::kMersolAlias);
    e.SetCreateScript(db::kMersolAlias, QString());
    expectErrorNaming([] { Table(db::kMersolAlias, "Items.DB").Open(); }, file);

    QDir().mkpath(temp.Folder(db::kMersolAlias));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    expectErrorNaming([] { Table(db::kMersolAlias, "Items.DB").Open(); }, file);

    // A broken script leaves no file behind.
    QFile::remove(file);
    e.SetCreateScript(db::kMersolAlias, "CREATE TABLE \"A.DB\"(\"X\" SHORT); INSERT INTO nowhere VALUES(1);");
    expectErrorNaming([] { Table(db::kMersolAlias, "A.DB").Open(); }, file);
    EXPECT_FALSE(QFile::exists(file));

    // An empty file is reported and left empty, not taken for a new database.
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    e.SetCreateScript(db::kMersolAlias, QString::fromUtf8(kTestScript));
    expectErrorNaming([] { Table(db::kMersolAlias, "Items.DB").Open(); }, file);
    EXPECT_EQ(QFileInfo(file).size(), 0);
    QFile::remove(file);

    EXPECT_EQ(stored("Items.DB", "Code").size(), 3);
    temp.Reconnect();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadUser);
    expectErrorNaming([] { Table(db::kMersolAlias, "Items.DB").Open(); }, file);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    expectErrorNaming([] { Table(db::kMersolAlias, "Nothing.DB").Open(); }, file);
    EXPECT_THROW(Table("NOALIAS", "Items.DB").Open(), db::DbError);
}

TEST(DbEngine, ConfigurationDefaultsAndIniFile)
{
    QTemporaryDir home;
    EnvVar data("XDG_DATA_HOME", home.path() + "/data");
    EnvVar config("XDG_CONFIG_HOME", home.path() + "/config");
    auto& e = db::Engine::instance();
    const QString oldMersol = e.AliasPath(db::kMersolAlias), oldTrans = e.AliasPath(db::kTransferAlias);

    e.LoadConfiguration();
    EXPECT_EQ(e.AliasPath(db::kMersolAlias), home.path() + "/data/Mersol");
    EXPECT_EQ(e.AliasPath(db::kTransferAlias), home.path() + "/data/Mersol Transfer");
    EXPECT_TRUE(QDir(home.path() + "/data/Mersol Transfer").exists());

    const QString ini = home.path() + "/config/mersol/engine.ini";
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Aliases/TULTRANS", home.path() + "/usb/transfer");
    }
    ASSERT_TRUE(QDir().mkpath(home.path() + "/usb/transfer"));
    e.LoadConfiguration();
    EXPECT_EQ(e.AliasPath(db::kMersolAlias), home.path() + "/data/Mersol");
    EXPECT_EQ(e.AliasPath(db::kTransferAlias), home.path() + "/usb/transfer");

    // A configured folder that is not there is reported with the file that
    // names it, and no folder or database is made in its place.
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Aliases/MERSOL", home.path() + "/Mersoll");
    }
    try {
        e.LoadConfiguration();
        ADD_FAILURE() << "a missing configured folder was accepted";
    } catch (const db::DbError& err) {
        EXPECT_TRUE(err.message().contains(ini)) << err.message().toStdString();
        EXPECT_TRUE(err.message().contains(home.path() + "/Mersoll")) << err.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/Mersoll"));

    // A folder is taken whole as its line writes it, commas and all.
    const QString folder = home.path() + "/Smith, Jones/Mersol";
    ASSERT_TRUE(QDir().mkpath(folder));
    auto write = [&](const QString& text) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    };
    write("[Aliases]\nMERSOL=" + folder + "\n; the stick\nTULTRANS = " + home.path() + "/usb/transfer\n");
    e.LoadConfiguration();
    EXPECT_EQ(e.AliasPath(db::kMersolAlias), folder);
    EXPECT_EQ(e.AliasPath(db::kTransferAlias), home.path() + "/usb/transfer");

    // A line that cannot be read, or names an alias without its folder, stops
    // the start, named; the aliases are never left to their defaults.
    const std::pair<const char*, int> unread[] = {{"[Aliases]\nMERSOL /data\n", 2},
                                                  {"[Aliases]\n\nTULTRANS=\n", 3},
                                                  {"MERSOL=/data\n[Aliases]\n", 1},
                                                  {"[Aliases\nMERSOL=/data\n", 1}};
    for (const auto& [text, line] : unread) {
        SCOPED_TRACE(text);
        write(QString::fromLatin1(text));
        try {
            e.LoadConfiguration();
            ADD_FAILURE() << "read";
        } catch (const db::DbError& err) {
            EXPECT_TRUE(err.message().startsWith(QStringLiteral("Line %1 of the engine configuration %2 ").arg(line).arg(ini)))
                << err.message().toStdString();
        }
        EXPECT_EQ(e.AliasPath(db::kMersolAlias), folder);
    }

    e.SetAliasPath(db::kMersolAlias, oldMersol);
    e.SetAliasPath(db::kTransferAlias, oldTrans);
}

TEST_F(DbTest, TransactionRolledBackByExceptionLeavesNothingBehind)
{
    Table items(db::kMersolAlias, "Items.DB");
    Table jobs(db::kMersolAlias, "Jobs.DB");
    items.Open();
    jobs.Open();
    try {
        db::Transaction tx(db::kMersolAlias);
        jobs.Append();
        jobs.Post();
        items.Delete();
        {
            db::Transaction inner(db::kMersolAlias);   // joins the outer one
            items.Append();
            items.FieldByName("Code")->SetAsString("Z");
            items.Post();
            inner.Commit();
        }
        items.FieldByName("Qty")->SetAsInteger(99999);   // throws mid-way
        tx.Commit();
        FAIL();
    } catch (const db::DbError&) {
    }
    // The open tables re-read what is stored.
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(jobs.RecordCount(), 0);
    items.Cancel();
    items.Close();
    jobs.Close();
    temp.Reconnect();
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"A", "B", "D"}));
    EXPECT_TRUE(stored("Jobs.DB", "JobNumber").isEmpty());

    {
        db::Transaction tx(db::kMersolAlias);
        Table t(db::kMersolAlias, "Log.db");
        t.Open();
        t.Append();
        t.FieldByName("N")->SetAsInteger(1);
        t.Post();
        tx.Commit();
    }
    temp.Reconnect();
    EXPECT_EQ(stored("Log.db", "N"), QStringList({"1"}));
}

TEST_F(DbTest, InnerScopeWithoutCommitUndoesOnlyItsOwnWrites)
{
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    {
        db::Transaction tx(db::kMersolAlias);
        t.Append();
        t.FieldByName("N")->SetAsInteger(1);
        t.Post();
        try {
            db::Transaction inner(db::kMersolAlias);
            t.Append();
            t.FieldByName("N")->SetAsInteger(2);
            t.Post();
            throw db::DbError("stop");
        } catch (const db::DbError&) {
        }
        EXPECT_EQ(column(t, "N"), QStringList({"1"}));
        t.Append();
        t.FieldByName("N")->SetAsInteger(3);
        t.Post();
    }   // no Commit: everything goes
    EXPECT_TRUE(t.IsEmpty());
    {
        db::Transaction tx(db::kMersolAlias);
        {
            db::Transaction inner(db::kMersolAlias);
            t.Append();
            t.FieldByName("N")->SetAsInteger(4);
            t.Post();
            inner.Commit();
        }
        tx.Commit();
    }
    temp.Reconnect();
    EXPECT_EQ(stored("Log.db", "N"), QStringList({"4"}));
}

TEST_F(DbTest, BatchMoveCopiesAcrossAliasesAndBack)
{
    Table src(db::kMersolAlias, "Items.DB");
    Table dst(db::kTransferAlias, "Items.DB");
    dst.Open();   // an open destination follows the move
    dst.Last();
    db::BatchResult r = db::BatchMove(src, dst, db::BatchMode::Copy);
    EXPECT_EQ(r.moved, 3);
    EXPECT_EQ(r.problems, 0);
    EXPECT_FALSE(src.Active());
    EXPECT_EQ(dst.RecordCount(), 3);

    // A destination of another structure takes the source's.
    Table prof(db::kMersolAlias, "Prof.DB");
    prof.Open();
    prof.Append();
    prof.FieldByName("Station")->SetAsFloat(12.5);
    prof.Post();
    Table other(db::kTransferAlias, "Log.db");
    r = db::BatchMove(prof, other, db::BatchMode::Copy);
    EXPECT_EQ(r.moved, 1);
    other.Open();
    EXPECT_EQ(other.FieldNames(), QStringList({"Station", "Elev", "RecordNo"}));
    EXPECT_EQ(other.FieldByName("Station")->AsFloat(), 12.5);
    EXPECT_EQ(other.IndexDefs().at(0).fields, QStringList({"Station"}));
    EXPECT_TRUE(prof.Active());
    EXPECT_EQ(prof.FieldByName("Station")->AsFloat(), 12.5);

    // And back: the copy replaces what the destination held.
    dst.First();
    dst.Delete();
    r = db::BatchMove(dst, src, db::BatchMode::Copy);
    EXPECT_EQ(r.moved, 2);
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"B", "D"}));
}

TEST_F(DbTest, BatchMoveAppendsByPositionAndCountsProblems)
{
    Table src(db::kMersolAlias, "Items.DB");
    Table dst(db::kTransferAlias, "Items.DB");
    dst.Open();
    dst.First();
    dst.Delete();   // A stays only in the source
    db::BatchResult r = db::BatchMove(src, dst, db::BatchMode::Append);
    EXPECT_EQ(r.moved, 1);
    EXPECT_EQ(r.problems, 2);   // B and D are there already
    EXPECT_EQ(dst.RecordCount(), 3);

    // By position: Code -> Text, Name -> N (not a number: a problem).
    Table log(db::kTransferAlias, "Log.db");
    Table jobs(db::kMersolAlias, "Jobs.DB");
    jobs.Open();
    jobs.Append();
    jobs.FieldByName("JobName")->SetAsString("42");
    jobs.Post();
    r = db::BatchMove(jobs, log, db::BatchMode::Append);
    EXPECT_EQ(r.moved, 1);
    EXPECT_EQ(stored("Log.db", "Text", db::kTransferAlias), QStringList({"1"}));
    EXPECT_EQ(stored("Log.db", "N", db::kTransferAlias), QStringList({"42"}));
    r = db::BatchMove(src, log, db::BatchMode::Append);
    EXPECT_EQ(r.moved, 0);
    EXPECT_EQ(r.problems, 3);
}

TEST_F(DbTest, MarkAllQuerySetsEveryRowFromTextFlag)
{
    Table p(db::kMersolAlias, "PipeType.DB");
    p.Open();
    db::Query q(db::kMersolAlias);
    q.Close();
    q.SetParam("NewValue", "T");
    q.SetSQL("Update PipeType\n   Set Marked=:NewValue");
    EXPECT_EQ(q.ExecSQL(), 3);
    p.Refresh();
    for (p.First(); !p.Eof(); p.Next())
        EXPECT_TRUE(p.FieldByName("Marked")->AsBoolean());
    q.SetParam("NewValue", "F");
    q.ExecSQL();
    EXPECT_EQ(stored("PipeType.DB", "Marked"), QStringList({"False", "False", "False"}));

    db::Query bad(db::kMersolAlias);
    bad.SetSQL("Update PipeType Set Marked=:Missing");
    EXPECT_THROW(bad.ExecSQL(), db::DbError);
}

TEST(DbEngine, ScriptsKeepTextColumnsTextual)
{
    testsupport::TempDb temp(R"sql(
        CREATE TABLE "Notes.DB"("Memo" MEMO(10), "Alpha Code" alpha(4) NOT NULL DEFAULT 'x', "N" SHORT,
                                "Remark" ALPHA TEXT(8));
        -- a comment naming ALPHA(3) and an insert naming the Memo column
        INSERT INTO "Notes.DB"("Memo", "Alpha Code", "N", "Remark") VALUES('0123', '007', 1, '1.50');
        INSERT INTO "Notes.DB"(Memo, "Alpha Code", N) VALUES('ALPHA(2)', '1e3', 2);
    )sql");
    Table t(db::kMersolAlias, "Notes.DB");
    t.Open();
    EXPECT_EQ(t.FieldByName("Memo")->DataType(), db::FieldType::Memo);
    EXPECT_EQ(t.FieldByName("Alpha Code")->Size(), 4);
    EXPECT_EQ(t.FieldByName("Remark")->Size(), 8);
    EXPECT_EQ(t.FieldByName("Memo")->AsString(), "0123");
    EXPECT_EQ(t.FieldByName("Alpha Code")->AsString(), "007");
    EXPECT_EQ(t.FieldByName("Remark")->AsString(), "1.50");
    t.Next();
    EXPECT_EQ(t.FieldByName("Memo")->AsString(), "ALPHA(2)");
    EXPECT_EQ(t.FieldByName("Alpha Code")->AsString(), "1e3");
    t.FieldByName("Memo")->SetAsString(QString(30, 'm'));   // memo text is not cut
    t.Post();
    t.Close();
    t.Open();
    t.Last();
    EXPECT_EQ(t.FieldByName("Memo")->AsString().size(), 30);

    db::Query q(db::kMersolAlias);
    q.SetSQL("update Notes set \"Alpha Code\" = :Code where N = :N");
    q.SetParam("Code", "0042");
    q.SetParam("N", 2);
    EXPECT_EQ(q.ExecSQL(), 1);
    EXPECT_EQ(t.FieldByName("Alpha Code")->AsString(), "0042");   // open tables follow
}
