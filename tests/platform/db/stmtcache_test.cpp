// The connection keeps the engine's prepared statements and the structure of
// its tables between uses: what a table component reads and writes must not
// depend on what was kept from before.
#include "fixture.h"
#include "platform/db/dbimpl.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

using db::Table;

namespace {

sqlite3* mersol()
{
    return db::Engine::instance().Connection(db::kMersolAlias);
}

void runSql(const QString& sql)
{
    db::Query q(db::kMersolAlias);
    q.SetSQL(sql);
    q.ExecSQL();
}

// How many of this process's file descriptors are open on the file.
int openHandles(const QString& file)
{
    int n = 0;
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == file)
            ++n;
    return n;
}

void addLog(Table& t, const QString& text, int n)
{
    t.Append();
    t.FieldByName("Text")->SetAsString(text);
    t.FieldByName("N")->SetAsInteger(n);
    t.Post();
}

} // namespace

TEST_F(DbTest, PostsAfterEmptyTableGoToTheEmptiedTable)
{
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    addLog(t, "one", 1);
    t.Edit();
    t.FieldByName("N")->SetAsInteger(10);
    t.Post();
    EXPECT_GT(db::detail::cachedStmtCount(mersol()), 0);

    t.EmptyTable();   // keeps the table's structure and so its statements
    EXPECT_EQ(t.RecordCount(), 0);
    addLog(t, "two", 2);
    t.Edit();
    t.FieldByName("N")->SetAsInteger(20);
    t.Post();
    EXPECT_EQ(stored("Log.db", "Text"), QStringList({"two"}));
    EXPECT_EQ(stored("Log.db", "N"), QStringList({"20"}));
}

TEST_F(DbTest, TableDroppedAndCreatedAgainIsWrittenAsItIsNow)
{
    {
        Table t(db::kMersolAlias, "Log.db");
        t.Open();
        addLog(t, "old", 1);
        t.Delete();
    }
    // The same structure again: the statements of the old table still read right.
    runSql(R"(DROP TABLE "Log.db")");
    runSql(R"(CREATE TABLE "Log.db"("Text" ALPHA(20), "N" LONG))");
    {
        Table t(db::kMersolAlias, "Log.db");
        t.Open();
        addLog(t, "again", 2);
        addLog(t, "gone", 3);
        t.Delete();
    }
    EXPECT_EQ(stored("Log.db", "Text"), QStringList({"again"}));

    // Columns in another order and one more: posts follow the new structure.
    runSql(R"(DROP TABLE "Log.db")");
    runSql(R"(CREATE TABLE "Log.db"("N" LONG, "Extra" ALPHA(5), "Text" ALPHA(20)))");
    Table t(db::kMersolAlias, "Log.db");
    t.Open();
    addLog(t, "new", 4);
    t.Edit();
    t.FieldByName("Extra")->SetAsString("x");
    t.Post();
    EXPECT_EQ(stored("Log.db", "Text"), QStringList({"new"}));
    EXPECT_EQ(stored("Log.db", "N"), QStringList({"4"}));
    EXPECT_EQ(stored("Log.db", "Extra"), QStringList({"x"}));
}

TEST_F(DbTest, BatchCopyRestructuringTheDestinationLeavesItWritable)
{
    Table log(db::kMersolAlias, "Log.db");
    log.Open();
    addLog(log, "before", 1);
    // Items.DB copied over Log.db, on the same connection, gives it Items' columns.
    Table items(db::kMersolAlias, "Items.DB");
    db::BatchMove(items, log, db::BatchMode::Copy);
    EXPECT_EQ(log.FieldNames(), items.FieldNames());
    log.Append();
    log.FieldByName("Code")->SetAsString("Z");
    log.FieldByName("Qty")->SetAsInteger(9);
    log.Post();
    EXPECT_EQ(stored("Log.db", "Code"), QStringList({"A", "B", "D", "Z"}));
}

TEST_F(DbTest, TwoComponentsOfOneTableSeeEachOthersWrites)
{
    Table a(db::kMersolAlias, "Items.DB");
    Table b(db::kMersolAlias, "Items.DB");
    a.Open();
    b.Open();
    a.Locate("Code", "B");
    b.Locate("Code", "B");
    a.Edit();
    a.FieldByName("Qty")->SetAsInteger(50);
    a.Post();
    EXPECT_EQ(b.FieldByName("Qty")->AsInteger(), 50);
    b.Edit();
    b.FieldByName("Qty")->SetAsInteger(60);   // the same statement, lent again
    b.FieldByName("Name")->SetAsString("Bolt 2");
    b.Post();
    EXPECT_EQ(a.FieldByName("Qty")->AsInteger(), 60);
    EXPECT_EQ(a.FieldByName("Name")->AsString(), "Bolt 2");

    // A delete handler posting to the other component while the first delete is under way.
    a.AfterDelete = [&](Table&) {
        b.Append();
        b.FieldByName("Code")->SetAsString("C");
        b.Post();
        b.Locate("Code", "D");
        b.Delete();
    };
    a.Locate("Code", "A");
    a.Delete();
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"B", "C"}));
    EXPECT_EQ(column(a, "Code"), QStringList({"B", "C"}));
}

TEST_F(DbTest, FailedPostLeavesTheStatementsUsable)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Append();
    t.FieldByName("Code")->SetAsString("a");   // the key ignores case
    EXPECT_THROW(t.Post(), db::KeyViolation);
    EXPECT_EQ(t.State(), db::DataSetState::Insert);
    t.FieldByName("Code")->SetAsString("E");
    t.Post();

    t.Locate("Code", "E");
    t.Edit();
    t.FieldByName("Code")->SetAsString("B");
    EXPECT_THROW(t.Post(), db::KeyViolation);
    t.FieldByName("Code")->SetAsString("F");
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"A", "B", "D", "F"}));

    // Inside a scope the failed insert undoes only itself.
    {
        db::Transaction tx(db::kMersolAlias);
        t.Append();
        t.FieldByName("Code")->SetAsString("G");
        t.Post();
        t.Append();
        t.FieldByName("Code")->SetAsString("G");
        EXPECT_THROW(t.Post(), db::KeyViolation);
        t.Cancel();
        tx.Commit();
    }
    EXPECT_EQ(stored("Items.DB", "Code"), QStringList({"A", "B", "D", "F", "G"}));
}

TEST_F(DbTest, KeptStatementsHoldNoLockAndGoWithTheConnection)
{
    Table t(db::kMersolAlias, "Items.DB");
    t.Open();
    t.Edit();
    t.FieldByName("Qty")->SetAsInteger(1);
    t.Post();
    t.Close();
    Table log(db::kMersolAlias, "Log.db");
    log.EmptyTable();   // asks for the table's first row only
    ASSERT_GT(db::detail::cachedStmtCount(mersol()), 0);

    // Another connection can write at once: no kept statement is left reading.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(temp.File(db::kMersolAlias).toUtf8().constData(), &other), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(other, R"(INSERT INTO "Log.db" VALUES('outside', 1))", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(other);

    // Closing finalizes them first, so the file is really let go (a
    // connection closed with statements left would keep it open). The other
    // connection's handle may stay until then: SQLite keeps it while this
    // connection holds locks on the file.
    const QString file = QFileInfo(temp.File(db::kMersolAlias)).canonicalFilePath();
    EXPECT_GE(openHandles(file), 1);
    temp.Reconnect();
    EXPECT_EQ(openHandles(file), 0);
    EXPECT_EQ(db::detail::cachedStmtCount(mersol()), 0);
    t.Open();
    t.Edit();
    t.FieldByName("Qty")->SetAsInteger(2);
    t.Post();
    EXPECT_EQ(stored("Items.DB", "Qty"), QStringList({"2", "5", "2"}));
    EXPECT_EQ(stored("Log.db", "Text"), QStringList({"outside"}));
}

TEST_F(DbTest, OneStatementLentTwiceAtOnceIsPreparedAgain)
{
    using db::detail::Stmt;
    const QString sql = QStringLiteral(R"(SELECT "Code" FROM "Items.DB" ORDER BY "Code")");
    Stmt outer(mersol(), sql, "outer", "Items.DB");
    ASSERT_TRUE(outer.step());
    {
        Stmt inner(mersol(), sql, "inner", "Items.DB");
        ASSERT_TRUE(inner.step());
        ASSERT_TRUE(inner.step());
        EXPECT_EQ(inner.text(0), "B");
    }
    EXPECT_EQ(outer.text(0), "A");
    ASSERT_TRUE(outer.step());
    EXPECT_EQ(outer.text(0), "B");
}

TEST_F(DbTest, StructureChangedByAnotherConnectionIsReadAgain)
{
    Table t(db::kMersolAlias, "Log.db");
    EXPECT_EQ(t.FieldNames(), QStringList({"Text", "N"}));
    WriteFromOutside(temp.File(db::kMersolAlias), R"(ALTER TABLE "Log.db" ADD COLUMN "Extra" LONG)");
    Table u(db::kMersolAlias, "Log.db");
    EXPECT_EQ(u.FieldNames(), QStringList({"Text", "N", "Extra"}));
    t.Open();
    EXPECT_EQ(t.FieldNames(), QStringList({"Text", "N", "Extra"}));
}

TEST_F(DbTest, RestructuringRolledBackIsNotTakenForALaterOne)
{
    {
        db::Transaction tx(db::kMersolAlias);
        Table items(db::kMersolAlias, "Items.DB");
        Table log(db::kMersolAlias, "Log.db");
        db::BatchMove(items, log, db::BatchMode::Copy);   // drop, create, index
        EXPECT_EQ(log.FieldNames(), items.FieldNames());
    }
    // As many changes again, by another program this time.
    WriteFromOutside(temp.File(db::kMersolAlias), R"(ALTER TABLE "Log.db" ADD COLUMN "X" LONG;
                                                    ALTER TABLE "Log.db" ADD COLUMN "Y" LONG;
                                                    ALTER TABLE "Log.db" ADD COLUMN "Z" LONG)");
    Table log(db::kMersolAlias, "Log.db");
    EXPECT_EQ(log.FieldNames(), QStringList({"Text", "N", "X", "Y", "Z"}));
}
