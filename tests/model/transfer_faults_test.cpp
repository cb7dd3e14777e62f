// A transfer database that is damaged, of an older layout, holds more than
// one job or values its fields cannot take: the program still starts, and an
// import either takes the whole job or nothing, with a message naming what is
// wrong.
#include "model/job_transfer.h"

#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::JobSample;
using testsupport::JobStore;

namespace {

const JobSample kPumped{"Pumped to manifold", "PUMPED", 2, "CENTRIF", 6, 4, 3, 3};

// An import run in a child process: 1 when it took the job, 2 when it was
// refused, -1 when the child died; and the most memory in MB the child took
// beyond what it started with. Memory the parent freed but kept goes back
// first, or the child would take it again unseen.
std::pair<long, long> ImportInChild()
{
    int out[2];
    if (::pipe(out) != 0)
        return {-1, -1};
    const pid_t child = ::fork();
    if (child == 0) {
        ::malloc_trim(0);
        if (QFile peak(QStringLiteral("/proc/self/clear_refs")); peak.open(QIODevice::WriteOnly))
            peak.write("5");
        rusage start{}, end{};
        ::getrusage(RUSAGE_SELF, &start);
        long said[2] = {2, 0};
        try {
            said[0] = JobTrans->ImportTransferJob() ? 1 : 0;
        } catch (const db::DbError&) {
        }
        ::getrusage(RUSAGE_SELF, &end);
        said[1] = (end.ru_maxrss - start.ru_maxrss) / 1024;
        (void)!::write(out[1], said, sizeof said);
        ::_exit(0);
    }
    ::close(out[1]);
    long said[2] = {-1, -1};
    (void)!::read(out[0], said, sizeof said);
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return {said[0], said[1]};
}

class TransferFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        store.MakeWorkingJob(kPumped);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        // Another job is being worked on when the import is tried.
        JobSample other = kPumped;
        other.name = "Being edited";
        other.seed = 9;
        store.MakeWorkingJob(other);
        Tul->JobName = "Being edited";
        working = store.WorkingJobRows();
    }

    QString transferFile() { return store.Temp().File(db::kTransferAlias); }

    void transferSql(const QString& sql)
    {
        db::Query q(db::kTransferAlias);
        q.SetSQL(sql);
        q.ExecSQL();
    }

    // The import is refused with a message holding every one of `parts`,
    // and nothing of the working job or the job object changes.
    void expectRefused(const QStringList& parts)
    {
        try {
            JobTrans->ImportTransferJob();
            ADD_FAILURE() << "the import went through";
        } catch (const db::DbError& e) {
            for (const QString& p : parts)
                EXPECT_TRUE(e.message().contains(p)) << e.message().toStdString() << "\nlacks " << p.toStdString();
        }
        EXPECT_EQ(store.WorkingJobRows(), working);
        EXPECT_EQ(Tul->JobName, "Being edited");
    }

    DialogDriver driver;
    JobStore store;
    QStringList working;
};

} // namespace

TEST_F(TransferFaultTest, DamagedTransferDatabaseStopsOnlyTheImportAndIsNamed)
{
    struct Case {
        const char* name;
        std::function<void(QFile&)> spoil;
        QString says;
    };
    const Case cases[] = {
        {"overwritten", [](QFile& f) { f.seek(4096); f.write(QByteArray(4096, '\x5a')); },
         QStringLiteral("the database file %1 is damaged")},
        {"cut short", [](QFile& f) { f.resize(8192); }, QStringLiteral("the database file %1 is damaged")},
        {"not a database", [](QFile& f) { f.resize(0); f.write(QByteArray("JobName;Date\n").repeated(900)); },
         QStringLiteral("the file %1 is not a database")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        db::Engine::instance().CloseAll();
        {
            QFile f(transferFile());
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_GT(f.size(), 8192);
            c.spoil(f);
        }
        // The programs start: the data module does not touch the transfer database.
        store.SwitchToEmptyDatabase();
        store.MakeWorkingJob({"Being edited", "PUMPED", 2, "CENTRIF", 6, 4, 3, 9});
        working = store.WorkingJobRows();
        expectRefused({c.says.arg(transferFile())});

        // An export reports it as well, rather than writing into a damaged file.
        EXPECT_THROW(JobTrans->ExportWorkingJob(), db::DbError);
        db::Engine::instance().CloseAll();
        QFile::remove(transferFile());
    }
}

// An export writes one job under one header: a header table of many is no
// export, and is refused before its rows are read, the working job as it was.
TEST_F(TransferFaultTest, ATransferTableOfManyJobHeadersIsRefused)
{
    for (int doubling = 0; doubling < 12; ++doubling)
        transferSql(QStringLiteral("INSERT INTO \"WorkPipe.db\" SELECT * FROM \"WorkPipe.db\""));
    expectRefused({transferFile(), QStringLiteral("table WorkPipe.db holds 4096 job headers"),
                   QStringLiteral("Nothing was imported")});
    EXPECT_FALSE(store.Dm().TransPipeTable->Active());

    // Back to its one header, the job imports.
    transferSql(QStringLiteral("DELETE FROM \"WorkPipe.db\" WHERE rowid > (SELECT min(rowid) FROM \"WorkPipe.db\")"));
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(Tul->JobName, kPumped.name);

    // A calculator's transfer table holds one job a row: more are refused
    // the same way, and the calculator's own job stays as it was.
    TDMod& d = store.Dm();
    const std::pair<db::Table*, db::Table*> calculators[] = {{d.TransSWaterTable, d.WorkSWaterTable},
                                                             {d.TransAirvacTable, d.WorkAvacTable}};
    for (const auto& [transfer, work] : calculators) {
        SCOPED_TRACE(transfer->TableName().toStdString());
        transferSql(QStringLiteral("INSERT INTO \"%1\" (\"JobName\") VALUES ('a'), ('b'), ('c')")
                        .arg(transfer->TableName()));
        const qint64 before = db::StoredRowCount(db::kMersolAlias, work->TableName());
        try {
            JobTrans->ImportToolJob(transfer, work, d.JobSWaterTable);
            ADD_FAILURE() << "the import went through";
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("holds 3 jobs"))) << e.message().toStdString();
        }
        EXPECT_EQ(db::StoredRowCount(db::kMersolAlias, work->TableName()), before);
    }
}

// A child table of more rows than one job has is refused by its count: the
// first of its rows, which cannot be copied, is never reached.
TEST_F(TransferFaultTest, AChildTableOfMoreRowsThanAJobHoldsIsRefusedUnread)
{
    struct Case {
        const char* table;
        const char* key;   // the rows' unique field, if any
        const char* numberField;
        int most;
        const char* what;
    };
    const Case cases[] = {
        {"WorkProf.DB", "Station", "GroundElev", 100, "profile nodes"},
        {"WorkTrickle.DB", "Station", "PipeQ", 150, "manifold outlets"},
        {"WorkSuction.db", "SegmentNo", "PipeQ", 100, "suction segments"},
        {"WorkGated.db", nullptr, "GateFlow", 1, "gated pipe"},
    };
    // Copies of the table's rows, under new keys, until it holds `rows`.
    auto growTo = [&](const QString& table, const char* key, int rows) {
        for (qint64 held = 0; (held = db::StoredRowCount(db::kTransferAlias, table)) < rows;) {
            transferSql(QStringLiteral("CREATE TEMP TABLE grown AS SELECT * FROM \"%1\"").arg(table));
            if (key)
                transferSql(QStringLiteral("UPDATE grown SET \"%2\" = \"%2\" + (SELECT max(\"%2\") FROM \"%1\") + 1")
                                .arg(table, QString::fromLatin1(key)));
            transferSql(QStringLiteral("INSERT INTO \"%1\" SELECT * FROM grown LIMIT %2").arg(table).arg(rows - held));
            transferSql(QStringLiteral("DROP TABLE grown"));
        }
    };
    TDMod& d = store.Dm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        const QString table = QString::fromLatin1(c.table);
        if (table == QLatin1String("WorkGated.db")) {
            // A job that ends in gated pipe.
            transferSql(QStringLiteral("UPDATE \"WorkPipe.db\" SET \"SysHas\" = 1"));
            transferSql(QStringLiteral("INSERT INTO \"WorkGated.db\" (\"JobNumber\") VALUES (1)"));
        }
        transferSql(QStringLiteral("UPDATE \"%1\" SET \"%2\" = 'unreadable' WHERE rowid = (SELECT min(rowid) "
                                   "FROM \"%1\")").arg(table, QString::fromLatin1(c.numberField)));
        growTo(table, c.key, c.most + 1);
        expectRefused({transferFile(),
                       QStringLiteral("table %1 holds %2 rows, where a job has at most %3 %4")
                           .arg(table)
                           .arg(c.most + 1)
                           .arg(c.most)
                           .arg(QString::fromLatin1(c.what)),
                       QStringLiteral("Nothing was imported")});
        for (db::Table* t : {d.TransProfTable, d.TransTrickleTable, d.TransSuctionTable, d.TransGatedTable})
            EXPECT_FALSE(t->Active()) << t->TableName().toStdString();
    }

    // A profile of exactly the most nodes imports.
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    growTo(QStringLiteral("WorkProf.DB"), "Station", 100);
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(d.WorkProfTable->RecordCount(), 100);
}

TEST_F(TransferFaultTest, TransferDatabaseOfAnOlderLayoutIsNamedAndAFreshExportMendsIt)
{
    db::Engine::instance().CloseAll();
    transferSql(QStringLiteral("ALTER TABLE \"WorkProf.DB\" DROP COLUMN \"MaxVel\""));
    db::Engine::instance().CloseAll();
    store.SwitchToEmptyDatabase();
    store.MakeWorkingJob({"Being edited", "PUMPED", 2, "CENTRIF", 6, 4, 3, 9});
    working = store.WorkingJobRows();
    expectRefused({transferFile(), QStringLiteral("table WorkProf.DB has no field 'MaxVel'"),
                   QStringLiteral("Nothing was imported")});

    // Exporting gives the transfer tables the program's layout again.
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), working);
}

TEST_F(TransferFaultTest, ARowThatCannotBeCopiedCancelsTheWholeImport)
{
    struct Case {
        const char* table;
        const char* field;
        int row;
        const char* value;   // SQL
    };
    const Case cases[] = {
        {"WorkProf.DB", "GroundElev", 3, "'12o0'"},    // text in a number field
        {"WorkProf.DB", "NodeType", 2, "99999"},       // beyond a short field
        {"WorkTrickle.DB", "PipeQ", 4, "'much'"},
        {"WorkPipe.db", "SysHas", 1, "'two'"},         // a header that cannot be read
        {"WorkSuction.db", "SegmentNo", 3, "1e12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        transferSql(QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3 WHERE rowid = (SELECT rowid FROM \"%1\" "
                                   "ORDER BY rowid LIMIT 1 OFFSET %4)")
                        .arg(c.table, c.field, c.value)
                        .arg(c.row - 1));
        expectRefused({QStringLiteral("row %1 of table %2, field '%3'").arg(c.row).arg(c.table, c.field),
                       transferFile(), QStringLiteral("Nothing was imported")});
    }

    // A name longer than its field would be cut: refused as well.
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    transferSql(QStringLiteral("UPDATE \"WorkPipe.db\" SET \"JobName\" = '%1'").arg(QString(80, QLatin1Char('n'))));
    expectRefused({QStringLiteral("row 1 of table WorkPipe.db, field 'JobName'")});

    // The same job, untouched, imports whole.
    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), working);
}

TEST_F(TransferFaultTest, AnExportWhoseRowCannotBeCopiedSaysSoAndLeavesTheFolderAsItWas)
{
    auto transferRows = [this] {
        QStringList rows;
        for (db::Table* t : {store.Dm().TransPipeTable, store.Dm().TransProfTable, store.Dm().TransTrickleTable,
                             store.Dm().TransSuctionTable})
            rows << JobStore::Rows(t);
        return rows;
    };
    const QStringList exported = transferRows();
    ASSERT_FALSE(exported.isEmpty());
    // A manifold row of the job being edited holds a number its field cannot.
    store.Dm().WorkTrickleTable->Close();
    db::Query q(db::kMersolAlias);
    q.SetSQL(QStringLiteral("UPDATE \"WorkTrickle.DB\" SET \"NodeType\" = 99999 WHERE rowid = (SELECT rowid FROM "
                            "\"WorkTrickle.DB\" ORDER BY rowid LIMIT 1 OFFSET 2)"));
    q.ExecSQL();
    store.Dm().WorkTrickleTable->Open();
    try {
        JobTrans->ExportWorkingJob();
        ADD_FAILURE() << "exported";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message().toStdString(), "The job Being edited could not be exported: 1 of its rows in table WorkTrickle.DB "
                               "could not be copied. The transfer folder was left as it was.");
    }
    EXPECT_TRUE(transferRows() == exported);
}

// An import only reads the transfer file, as the folder holds it now: not
// through a connection to a file removed since, and also a file that may not
// be written.
TEST_F(TransferFaultTest, AnImportReadsTheTransferFolderAsItIsNow)
{
    ASSERT_TRUE(QFile::remove(transferFile()));
    EXPECT_FALSE(JobTrans->ImportTransferJob());
    EXPECT_EQ(driver.MessageTexts(),
              QStringList{testsupport::JobStore::NoJobToImport()});

    ASSERT_TRUE(JobTrans->ExportWorkingJob());
    ASSERT_TRUE(QFile::setPermissions(transferFile(), QFile::ReadOwner | QFile::ReadUser));
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), working);
    // Writing it is still refused, as read-only.
    EXPECT_THROW(JobTrans->ExportWorkingJob(), db::DbError);
}

// A transfer file may hold anything: a value of any size in a field of the
// job, columns of any size beside the job's. Neither is read whole: the
// import refuses the one and takes the job from beside the other, both in
// little memory.
TEST_F(TransferFaultTest, AHugeValueIsRefusedUnreadInLittleMemory)
{
    // 60 million characters of notes.
    transferSql(QStringLiteral("UPDATE \"WorkPipe.db\" SET \"JobNotes\" = hex(zeroblob(30000000))"));
    const auto [refused, peakMb] = ImportInChild();
    EXPECT_EQ(refused, 2);
    EXPECT_LT(peakMb, 40);
    expectRefused({QStringLiteral("row 1 of table WorkPipe.db, field 'JobNotes': the text is longer than 32000 "
                                  "characters")});
    // Nor is it left behind in the database's log.
    EXPECT_LT(QFileInfo(store.Temp().File(db::kMersolAlias) + QStringLiteral("-wal")).size(), 1 << 20);
}

TEST_F(TransferFaultTest, ForeignColumnsOfAnySizeAreLeftUnread)
{
    // 10 MB in every profile row.
    transferSql(QStringLiteral("ALTER TABLE \"WorkProf.DB\" ADD COLUMN \"Foreign\" TEXT"));
    transferSql(QStringLiteral("UPDATE \"WorkProf.DB\" SET \"Foreign\" = hex(zeroblob(5000000))"));
    const auto [taken, peakMb] = ImportInChild();
    EXPECT_EQ(taken, 1);
    EXPECT_LT(peakMb, 40);
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(Tul->JobName, kPumped.name);
    EXPECT_EQ(store.Dm().WorkProfTable->RecordCount(), kPumped.nodes);
}
