// A MERSOL database of an older layout: brought up to date in place, a copy
// of it kept, every stored job still there; or, when that cannot be done,
// refused with nothing changed.
#include "model/job_transfer.h"
#include "platform/db/layout_check.h"

#include "support/dialogdriver.h"
#include "support/faultvfs.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>

using testsupport::JobSample;
using testsupport::JobStore;

namespace {

const JobSample kPumped{"Pumped to manifold", "PUMPED", 2, "CENTRIF", 6, 4, 3, 3};

class LayoutUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        number = store.StoreNewJob(kPumped);
        waterRows = JobStore::Rows(store.Dm().WaterTable).size();
        ASSERT_GT(waterRows, 10);
        JobTrans->CloseAllTables();
    }

    void mersolSql(const QString& sql)
    {
        db::Query q(db::kMersolAlias);
        q.SetSQL(sql);
        q.ExecSQL();
    }

    QString file() { return store.Temp().File(db::kMersolAlias); }

    QByteArray fileHash()
    {
        QFile f(file());
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    QStringList filesBeside()
    {
        return QDir(QFileInfo(file()).absolutePath()).entryList(QDir::Files);
    }

    DialogDriver driver;
    JobStore store;
    int number = 0;
    qsizetype waterRows = 0;
};

} // namespace

TEST_F(LayoutUpdateTest, MissingFieldsTablesAndIndexesAreAddedAndEveryJobStaysReachable)
{
    mersolSql(QStringLiteral("ALTER TABLE \"JobPipe.DB\" DROP COLUMN \"NoEnd\""));
    mersolSql(QStringLiteral("DROP TABLE \"Water.db\""));
    mersolSql(QStringLiteral("DROP INDEX \"JobPipe.DB|JobNameIndex\""));
    db::Engine::instance().CloseAll();

    // As it was: the program could not even make its data module.
    EXPECT_THROW(TDMod(), db::DbError);
    EXPECT_EQ(db::LayoutGaps(db::kMersolAlias),
              QStringList({"table Water.db is missing", "table JobPipe.DB has no field 'NoEnd'",
                           "index JobPipe.DB|JobNameIndex is missing"}));

    const QStringList before = filesBeside();
    const QString kept = db::BringLayoutUpToDate(db::kMersolAlias);
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(QFileInfo(kept).absolutePath(), QFileInfo(file()).absolutePath());
    EXPECT_EQ(filesBeside().size(), before.size() + 1);
    EXPECT_TRUE(db::LayoutGaps(db::kMersolAlias).isEmpty());
    // Once is enough.
    EXPECT_TRUE(db::BringLayoutUpToDate(db::kMersolAlias).isEmpty());

    EXPECT_NO_THROW(TDMod());
    EXPECT_EQ(JobStore::Rows(store.Dm().WaterTable).size(), waterRows);
    Tul->JobNumber = number;
    Tul->JobName = kPumped.name;
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    EXPECT_EQ(Tul->JobName, kPumped.name);
    EXPECT_EQ(store.Dm().WorkProfTable->RecordCount(), kPumped.nodes);
    EXPECT_TRUE(store.Dm().WorkPipeTableNoEnd->IsNull());
    db::Table* jobs = store.Dm().JobPipeTable;
    jobs->SetIndexName(QStringLiteral("JobNameIndex"));
    EXPECT_NO_THROW(jobs->Open());
    jobs->Close();
    jobs->SetIndexName(QString());
}

TEST_F(LayoutUpdateTest, ALayoutThatCannotBeMendedInPlaceIsRefusedUntouched)
{
    // The water table without its key field cannot be given one in place.
    mersolSql(QStringLiteral("ALTER TABLE \"Water.db\" RENAME TO \"Water old\""));
    mersolSql(QStringLiteral("CREATE TABLE \"Water.db\" (\"Viscos\" NUMBER, \"SpWt\" NUMBER)"));
    mersolSql(QStringLiteral("ALTER TABLE \"JobPipe.DB\" DROP COLUMN \"NoEnd\""));
    db::Engine::instance().CloseAll();
    const QByteArray hash = fileHash();
    const QStringList before = filesBeside();

    try {
        db::BringLayoutUpToDate(db::kMersolAlias);
        ADD_FAILURE() << "an unmendable layout was taken";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(file())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("table Water.db has no field 'Temp'")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("Restore a copy of the database")) << e.message().toStdString();
    }
    EXPECT_EQ(fileHash(), hash);
    EXPECT_EQ(filesBeside(), before);
}

// The disk fills while the update writes: the database stays as it was, and
// the user is told to make room rather than to move a sound database away.
TEST_F(LayoutUpdateTest, AnUpdateStoppedByAFullDiskAdvisesFreeingSpace)
{
    testsupport::FaultVfs faults;
    mersolSql(QStringLiteral("ALTER TABLE \"JobPipe.DB\" DROP COLUMN \"NoEnd\""));
    db::Engine::instance().CloseAll();
    const QByteArray hash = fileHash();
    const QStringList before = filesBeside();

    faults.Fail(testsupport::FaultVfs::Op::Write, QRegularExpression::escape(file()) + QStringLiteral("(-wal|-journal)?$"),
                SQLITE_FULL);
    try {
        db::BringLayoutUpToDate(db::kMersolAlias);
        ADD_FAILURE() << "the update went on on a full disk";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The database %1 could not be brought up to date (Cannot bring the "
                                              "database up to date: the disk that holds %1 is full); it was not "
                                              "changed. Free space on the disk, then start the program again.")
                                   .arg(file()));
    }
    EXPECT_EQ(fileHash(), hash);
    EXPECT_EQ(filesBeside(), before);
}

TEST_F(LayoutUpdateTest, EmptyOrDamagedDatabaseFilesAreReportedAndLeftAlone)
{
    db::Engine::instance().CloseAll();
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(4096);
        f.write(QByteArray(8192, '\x33'));
    }
    const QByteArray hash = fileHash();
    EXPECT_THROW(db::BringLayoutUpToDate(db::kMersolAlias), db::DbError);
    EXPECT_EQ(fileHash(), hash);

    QFile::resize(file(), 0);
    try {
        db::BringLayoutUpToDate(db::kMersolAlias);
        ADD_FAILURE() << "an empty file was taken";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains(file())) << e.message().toStdString();
    }
    EXPECT_EQ(QFileInfo(file()).size(), 0);
}

// The copy kept before an update is the only way back: one that a full disk,
// a disk error or a disk that loses writes leaves unfinished is removed and
// the database left as it was; one left by a program ended while writing it
// goes at the next update, which keeps a single copy, read back whole.
TEST_F(LayoutUpdateTest, OnlyACopyCheckedWholeIsKeptBeforeAnUpdate)
{
    testsupport::FaultVfs faults;
    mersolSql(QStringLiteral("ALTER TABLE \"JobPipe.DB\" DROP COLUMN \"NoEnd\""));
    db::Engine::instance().CloseAll();
    const QByteArray hash = fileHash();
    const QStringList before = filesBeside();
    const QString copies = QStringLiteral("before-update-");

    struct Case {
        const char* fault;
        std::function<void()> arm;
        QString says;
    };
    const Case cases[] = {
        {"disk full", [&] { faults.Fail(testsupport::FaultVfs::Op::Write, copies, SQLITE_FULL, 5); },
         QStringLiteral("is full. The database was not changed. Free space on the disk, then start the program again.")},
        {"disk error", [&] { faults.Fail(testsupport::FaultVfs::Op::Write, copies, SQLITE_IOERR_WRITE, 20); },
         QStringLiteral("the disk failed to read or write")},
        {"writes lost", [&] { faults.LoseWrites(copies); }, QStringLiteral("the copy lacks")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        c.arm();
        try {
            db::BringLayoutUpToDate(db::kMersolAlias);
            ADD_FAILURE() << "the update went on without a copy";
        } catch (const db::DbError& e) {
            for (const QString& part : {file(), c.says, QStringLiteral("The database was not changed")})
                EXPECT_TRUE(e.message().contains(part))
                    << e.message().toStdString() << "\nlacks " << part.toStdString();
        }
        EXPECT_GT(faults.Faults(), 0);
        faults.Clear();
        EXPECT_EQ(fileHash(), hash);
        EXPECT_EQ(filesBeside(), before);
    }

    const QString unfinished = file() + QStringLiteral(".before-update-20240102-030405.unfinished");
    {
        QFile f(unfinished);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\0'));
    }
    const QString kept = db::BringLayoutUpToDate(db::kMersolAlias);
    ASSERT_TRUE(kept.startsWith(file() + QStringLiteral(".before-update-"))) << kept.toStdString();
    EXPECT_FALSE(kept.endsWith(QStringLiteral("-2")));
    EXPECT_EQ(filesBeside(), QStringList(before) << QFileInfo(kept).fileName());

    // The copy is the database as it was: without the new field, every row there.
    sqlite3* copy = nullptr;
    ASSERT_EQ(sqlite3_open_v2(kept.toUtf8().constData(), &copy, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    auto count = [&](const char* sql) {
        sqlite3_stmt* st = nullptr;
        int n = -1;
        if (sqlite3_prepare_v2(copy, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return n;
    };
    EXPECT_EQ(count("SELECT count(*) FROM \"Water.db\""), waterRows);
    EXPECT_EQ(count("SELECT count(*) FROM \"JobPipe.DB\" WHERE JobName = 'Pumped to manifold'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM pragma_table_info('JobPipe.DB') WHERE name = 'NoEnd'"), 0);
    sqlite3_close(copy);
}
