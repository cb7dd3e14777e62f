// Start-up of both programs on one database: a second copy of either is
// refused while another holds it, a crashed copy leaves nothing locked, and a
// start-up that fails changes nothing and reports failure to whoever started
// the program. A stop leaves the database one file, or says where its latest
// saves are.
#include "model/database_setup.h"
#include "model/job_transfer.h"
#include "platform/db/db.h"
#include "platform/ui/application.h"
#include "support/dialogdriver.h"
#include "support/faultvfs.h"
#include "support/jobstore.h"
#include "support/qt_app.h"
#include "support/tempdb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include <sys/stat.h>

using testsupport::JobSample;

namespace {

// Every file and folder under `root` as it is: its kind, permissions and
// bytes (those of plain files only: a pipe is not read).
std::map<QString, QByteArray> Files(const QString& root)
{
    std::map<QString, QByteArray> out;
    for (QDirIterator it(root, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo f(it.next());
        // The shared index of a log is memory that every reader writes to.
        if (f.fileName().endsWith(QLatin1String("-shm")))
            continue;
        QByteArray& seen = out[f.filePath()];
        seen = QByteArray::number(int(f.permissions())) + (f.isSymLink() ? "link " : "") + (f.isDir() ? "dir" : "");
        if (QFile file(f.filePath()); f.isFile() && file.open(QIODevice::ReadOnly))
            seen += QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return out;
}

// Runs SQL on a database file through a connection of its own.
void SqlOn(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        ASSERT_TRUE(home.isValid());
        setEnv("XDG_DATA_HOME", home.path() + "/data");
        setEnv("XDG_CONFIG_HOME", home.path() + "/config");
        ConfigureDatabase();
    }
    void TearDown() override
    {
        ReleaseDatabaseClaim();
        for (QProcess* p : programs) {
            p->kill();
            p->waitForFinished(10000);
            delete p;
        }
        db::Engine::instance().CloseAll();
        for (const auto& [name, value] : oldEnv)
            value.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
    }

    void setEnv(const char* name, const QString& value)
    {
        oldEnv.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qputenv(name, value.toUtf8());
    }

    QString databaseFile() { return db::Engine::instance().DatabaseFile(db::kMersolAlias); }

    // Starts one of the built programs on the test's folders and waits until
    // it holds the database.
    QProcess* startHolder(const QString& program)
    {
        auto* p = new QProcess;
        programs.push_back(p);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(MERSOL_BINARY_DIR "/src/") + program, {});
        EXPECT_TRUE(p->waitForStarted(10000)) << program.toStdString();
        for (int waited = 0; waited < 600; ++waited) {
            try {
                ClaimDatabase();
                ReleaseDatabaseClaim();
            } catch (const db::DbError&) {
                return p;
            }
            if (p->state() == QProcess::NotRunning) {
                ADD_FAILURE() << program.toStdString() << " ended with status " << p->exitCode();
                return p;
            }
            QThread::msleep(100);
        }
        ADD_FAILURE() << program.toStdString() << " never took the database";
        return p;
    }

    // What a program's main does: start-up, then (here) nothing more.
    int runStartup()
    {
        return ui::RunProgram([] {
            StartDatabase();
            return 0;
        });
    }
    // And what it does last.
    int runStop()
    {
        return ui::RunProgram([] {
            StopDatabase();
            return 0;
        });
    }

    static void saveJob(const QString& name)
    {
        db::Table jobs(db::kMersolAlias, QStringLiteral("JobPipe.DB"));
        jobs.Open();
        jobs.Append();
        jobs.FieldByName(QStringLiteral("JobName"))->SetAsString(name);
        jobs.Post();
    }

    // How many jobs of that name a copy of the database file alone holds,
    // as a backup or a move to another machine would have it.
    int jobsInACopyOfTheFileAlone(const QString& name)
    {
        QTemporaryDir elsewhere;
        const QString copy = elsewhere.filePath(QStringLiteral("copy.sqlite"));
        if (!QFile::copy(databaseFile(), copy))
            return -1;
        sqlite3* db = nullptr;
        sqlite3_stmt* st = nullptr;
        int n = -1;
        if (sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
            && sqlite3_prepare_v2(db, "SELECT count(*) FROM \"JobPipe.DB\" WHERE JobName = ?1", -1, &st, nullptr)
                   == SQLITE_OK) {
            const QByteArray u = name.toUtf8();
            sqlite3_bind_text(st, 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            if (sqlite3_step(st) == SQLITE_ROW)
                n = sqlite3_column_int(st, 0);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }

    // The one message said holds every one of `parts`.
    static void expectSaid(const DialogDriver& driver, const QStringList& parts)
    {
        ASSERT_EQ(driver.MessageTexts().size(), 1) << driver.MessageTexts().join('\n').toStdString();
        const QString said = driver.MessageTexts()[0];
        for (const QString& p : parts)
            EXPECT_TRUE(said.contains(p)) << said.toStdString() << "\nlacks " << p.toStdString();
    }

    QTemporaryDir home;
    testsupport::TempDb restore;   // puts the aliases back afterwards
    std::vector<std::pair<QByteArray, QByteArray>> oldEnv;
    std::vector<QProcess*> programs;
};

} // namespace

TEST_F(StartupTest, ASecondCopyOfEitherProgramIsRefusedAndACrashLeavesNothingLocked)
{
    for (const QString holder : {QStringLiteral("Mersol"), QStringLiteral("Dunstrow2")}) {
        SCOPED_TRACE(holder.toStdString());
        QProcess* p = startHolder(holder);
        ASSERT_EQ(p->state(), QProcess::Running);
        db::Engine::instance().CloseAll();

        // Whatever is removed beside the database while a copy runs, the
        // database itself stays held.
        const QDir folder = QFileInfo(databaseFile()).absoluteDir();
        for (const QString& name : folder.entryList(QDir::Files))
            if (!name.startsWith(QStringLiteral("MERSOL.sqlite")))
                EXPECT_TRUE(QFile::remove(folder.filePath(name))) << name.toStdString();

        DialogDriver driver;
        EXPECT_NE(runStartup(), 0);
        expectSaid(driver, {databaseFile(), QStringLiteral("in use")});
        // Refused before the database was opened at all.
        EXPECT_EQ(db::Engine::instance().ConnectionSerial(db::kMersolAlias), 0u);

        // Killed, it holds nothing: the next start goes through.
        p->kill();
        ASSERT_TRUE(p->waitForFinished(10000));
        driver.ClearLog();
        EXPECT_EQ(runStartup(), 0);
        EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
        ReleaseDatabaseClaim();
    }
}

TEST_F(StartupTest, FailedStartUpsReportFailureAndWriteNothing)
{
    DialogDriver driver;
    // A database file that is empty stays empty.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(databaseFile()).absolutePath()));
    {
        QFile f(databaseFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_NE(runStartup(), 0);
    EXPECT_EQ(QFileInfo(databaseFile()).size(), 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].contains(databaseFile()));
    ReleaseDatabaseClaim();

    // A mistyped folder in the configuration: reported, and no database made.
    driver.ClearLog();
    const QString ini = home.path() + "/config/mersol/engine.ini";
    {
        QSettings settings(ini, QSettings::IniFormat);
        settings.setValue("Aliases/MERSOL", home.path() + "/Mersoll");
    }
    EXPECT_NE(runStartup(), 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    EXPECT_TRUE(driver.MessageTexts()[0].contains(ini)) << driver.MessageTexts()[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(home.path() + "/Mersoll"));
}

TEST_F(StartupTest, AnOlderDatabaseIsBroughtUpToDateAtStartAndTheUserTold)
{
    {
        db::Query q(db::kMersolAlias);
        q.SetSQL(QStringLiteral("ALTER TABLE \"JobPipe.DB\" DROP COLUMN \"NoEnd\""));
        q.ExecSQL();
    }
    db::Engine::instance().CloseAll();
    DialogDriver driver;
    EXPECT_EQ(runStartup(), 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1);
    const QString said = driver.MessageTexts()[0];
    EXPECT_TRUE(said.contains(databaseFile() + QStringLiteral(" was of an older layout"))) << said.toStdString();
    EXPECT_TRUE(said.contains(databaseFile() + QStringLiteral(".before-update-"))) << said.toStdString();
}

// While a program runs, its saves may sit in the database's write-ahead log
// beside it; when it stops, the database is one file again that holds them
// all, so a copy of that file alone (a backup, a move to another machine)
// loses nothing.
TEST_F(StartupTest, AStoppedDatabaseIsOneFileHoldingEverySave)
{
    DialogDriver driver;
    ASSERT_EQ(runStartup(), 0);
    saveJob(QStringLiteral("Kept at stop"));
    EXPECT_EQ(runStop(), 0);
    EXPECT_FALSE(QFileInfo::exists(databaseFile() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFileInfo::exists(databaseFile() + QStringLiteral("-shm")));
    EXPECT_EQ(jobsInACopyOfTheFileAlone(QStringLiteral("Kept at stop")), 1);

    // And the next start finds the claim given up.
    EXPECT_EQ(runStartup(), 0);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
}

// A disk that fills while the log is folded back at the stop: the user is
// told which folder holds the log, that the file it stopped part-way in is of
// no use without it, and no start goes on until the log is folded in, before
// anything else.
TEST_F(StartupTest, ALogThatCannotBeFoldedBackIsReportedKeptAndFoldedInAtTheNextStart)
{
    testsupport::FaultVfs faults;
    DialogDriver driver;
    ASSERT_EQ(runStartup(), 0);
    saveJob(QStringLiteral("Saved last"));
    const QString folder = QFileInfo(databaseFile()).absolutePath();
    const QString log = databaseFile() + QStringLiteral("-wal");
    const QString keep = QStringLiteral("the database file alone cannot be used until that log is folded into it: "
                                        "keep the log file with the database, and copy or move the two only together");

    faults.Fail(testsupport::FaultVfs::Op::Write, QStringLiteral("/MERSOL\\.sqlite$"), SQLITE_FULL, 1);
    EXPECT_NE(runStop(), 0);
    expectSaid(driver, {QStringLiteral("could not be folded back into it: the disk that holds %1 is full")
                            .arg(databaseFile()),
                        QStringLiteral("MERSOL.sqlite-wal in the folder ") + folder, keep});
    EXPECT_GT(QFileInfo(log).size(), 0);
    EXPECT_NE(jobsInACopyOfTheFileAlone(QStringLiteral("Saved last")), 1);
    EXPECT_EQ(db::Engine::instance().ConnectionSerial(db::kMersolAlias), 0u);

    // The disk still full: the next start is refused, the log kept, in words
    // as true after that stop as after a program that was ended.
    driver.ClearLog();
    EXPECT_NE(runStartup(), 0);
    expectSaid(driver, {QStringLiteral("MERSOL.sqlite-wal in the folder %1 that are not yet folded into it").arg(folder),
                        QStringLiteral("The d") + keep.mid(5)});
    EXPECT_FALSE(driver.MessageTexts().join(' ').contains(QLatin1String("did not close")));
    EXPECT_GT(QFileInfo(log).size(), 0);
    ReleaseDatabaseClaim();

    // Mended: the start folds the log in first, and the file alone holds
    // the last save.
    faults.Clear();
    driver.ClearLog();
    EXPECT_EQ(runStartup(), 0);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(QFileInfo(log).size(), 0);
    EXPECT_EQ(jobsInACopyOfTheFileAlone(QStringLiteral("Saved last")), 1);
}

// A main database that cannot be used: the start is refused with the file or
// folder named and what is wrong with it said plainly, not in SQLite's words,
// and nothing is left beside it.
TEST_F(StartupTest, ADatabaseThatCannotBeUsedIsNamedAndWhatIsWrongSaidPlainly)
{
    testsupport::FaultVfs faults;
    const QString folder = QFileInfo(databaseFile()).absolutePath();
    struct Case {
        const char* name;
        std::function<void()> spoil;
        QStringList says;
    };
    const Case cases[] = {
        {"cut short",
         [&] { QFile::resize(databaseFile(), 3 * 4096); },
         {QStringLiteral("the database file %1 is damaged").arg(databaseFile())}},
        {"not a database",
         [&] {
             QFile f(databaseFile());
             f.open(QIODevice::WriteOnly | QIODevice::Truncate);
             f.write(QByteArray("Station,Elevation\n0,100\n").repeated(200));
         },
         {QStringLiteral("the file %1 is not a database").arg(databaseFile())}},
        {"read-only folder",
         [&] {
             faults.Fail(testsupport::FaultVfs::Op::Open, QStringLiteral("-(wal|journal)$"),
                         SQLITE_READONLY_DIRECTORY);
         },
         {QStringLiteral("the folder %1 is read-only").arg(folder), databaseFile()}},
        // Too little room for the shared index of the log.
        {"full disk", [&] { faults.DiskFull(QStringLiteral("/MERSOL\\.sqlite")); },
         {QStringLiteral("the disk that holds %1 is full").arg(databaseFile())}},
        {"a folder for its shared index", [&] { QDir().mkdir(databaseFile() + QStringLiteral("-shm")); },
         {databaseFile(), QStringLiteral("MERSOL.sqlite-shm is a folder")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(runStartup(), 0);
        ASSERT_EQ(runStop(), 0);
        c.spoil();
        DialogDriver driver;
        EXPECT_NE(runStartup(), 0);
        expectSaid(driver, c.says);
        for (const char* words : {"malformed", "file is not a database", "attempt to write", "failed to read"})
            EXPECT_FALSE(driver.MessageTexts().join(' ').contains(QLatin1String(words))) << words;
        // Nothing is left beside the database.
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("MERSOL.sqlite")});
        ReleaseDatabaseClaim();
        faults.Clear();
        QFile::remove(databaseFile());
        QDir(databaseFile() + QStringLiteral("-shm")).removeRecursively();
    }
}

// A backup of the database put back over the file, with the newer log left
// beside it: the log does not fold into the older file. Both are put back as
// they were, and the user told where and that they belong together.
TEST_F(StartupTest, ALogWrittenToAnotherCopyOfTheDatabaseIsPutBackWithIt)
{
    auto bytes = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    auto sql = [](const char* text) {
        for (const QString& statement : QString::fromLatin1(text).split(QLatin1Char(';'))) {
            db::Query q(db::kMersolAlias);
            q.SetSQL(statement);
            q.ExecSQL();
        }
    };
    const QString log = databaseFile() + QStringLiteral("-wal");
    const char* jobs = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) INSERT INTO "
                       "\"JobPipe.DB\" (\"JobName\", \"JobNotes\") SELECT 'Job ' || i, hex(randomblob(100)) FROM n";
    struct Case {
        const char* name;
        const char* older;   // what the backup holds
        const char* since;   // written and folded in since
        const char* logged;  // in the log left beside it
    };
    const Case cases[] = {
        {"older and smaller", "SELECT 1", jobs, "INSERT INTO \"JobPipe.DB\" (\"JobName\") VALUES ('Last')"},
        {"as large, its rows moved", jobs,
         "DELETE FROM \"JobPipe.DB\"; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2900) "
         "INSERT INTO \"JobProf.DB\" (\"JobNumber\", \"Station\", \"PipeType\") SELECT 1, i, hex(randomblob(60)) FROM n",
         "UPDATE \"JobProf.DB\" SET \"PipeType\" = 'z' WHERE rowid IN (3, 900, 1800)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver driver;
        ASSERT_EQ(runStartup(), 0);
        sql(c.older);
        ASSERT_EQ(runStop(), 0);
        const QByteArray older = bytes(databaseFile());
        ASSERT_EQ(runStartup(), 0);
        sql(c.since);
        ASSERT_EQ(runStop(), 0);
        ASSERT_EQ(runStartup(), 0);
        sql(c.logged);
        const QByteArray newerLog = bytes(log);
        ASSERT_FALSE(newerLog.isEmpty());
        ReleaseDatabaseClaim();
        for (const auto& [path, data] : {std::pair{databaseFile(), older}, {log, newerLog}})
            if (QFile f(path); f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                f.write(data);
        QFile::remove(databaseFile() + QStringLiteral("-shm"));

        EXPECT_NE(runStartup(), 0);
        expectSaid(driver, {QStringLiteral("in the folder %1: MERSOL.sqlite and MERSOL.sqlite-wal. They belong "
                                           "together").arg(QFileInfo(databaseFile()).absolutePath())});
        EXPECT_TRUE(bytes(databaseFile()) == older);
        EXPECT_TRUE(bytes(log) == newerLog);
        ReleaseDatabaseClaim();
        for (const char* end : {"", "-wal", "-shm"})
            QFile::remove(databaseFile() + QLatin1String(end));
    }
}

// A setting, a database or a transfer file that is not what the programs
// take it for stops the start or the import, naming it and what is wrong,
// and no file changes; a sound setting and database still start and list
// their jobs.
TEST_F(StartupTest, WhatIsNotWhatItSaysStopsTheStartOrTheImportAndChangesNoFile)
{
    ASSERT_EQ(runStartup(), 0);
    saveJob(QStringLiteral("Kept"));
    ASSERT_EQ(runStop(), 0);
    const QString data = QFileInfo(databaseFile()).absolutePath();
    const QString sound = home.filePath(QStringLiteral("sound.sqlite"));
    ASSERT_TRUE(QFile::copy(databaseFile(), sound));
    const QString ini = home.path() + "/config/mersol/engine.ini";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ini).absolutePath()));
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    auto aliases = [&](const QString& lines) { write(ini, ("[Aliases]\n" + lines).toUtf8()); };
    auto transfer = [] { return db::Engine::instance().DatabaseFile(db::kTransferAlias); };
    const JobSample kSample{"Exported", "PUMPED", 2, "CENTRIF", 6, 4, 3, 3};
    testsupport::JobStore* store = nullptr;
    struct Case {
        const char* name;
        std::function<void()> spoil;
        QStringList says;      // the refusal; none for a start or import that goes through
        bool import = false;
    };
    const QString utf16 = QStringLiteral("\ufeff[Aliases]\r\nMERSOL=/x\r\n");
    const Case cases[] = {
        {"a misspelt alias", [&] { aliases("MERSL=" + data + "\n"); },
         {QStringLiteral("Line 2 of the engine configuration %1").arg(ini), "MERSL", "they know MERSOL and TULTRANS"}},
        {"an alias twice", [&] { aliases("MERSOL=" + data + "\nMERSOL=" + home.path() + "\n"); },
         {"Line 3 ", "names MERSOL again, as line 2 does"}},
        {"a blank ending a folder's name", [&] { aliases("MERSOL=" + data + " \n"); },
         {"The folder \"" + data + " \" given for MERSOL", "ends in a blank"}},
        {"a pipe for the settings", [&] { ::mkfifo(QFile::encodeName(ini).constData(), 0600); },
         {ini + " cannot be used: it is a named pipe (FIFO), not a plain file"}},
        {"settings too large", [&] { write(ini, QByteArray("; note\n").repeated(10000)); }, {ini, "more than 64 KB"}},
        {"UTF-16 settings",
         [&] { write(ini, QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)); },
         {"Line 1 of the engine configuration", "[Aliases]\" holds NUL characters"}},
        {"a field of another type",   // as another database tool may change it, the rows as they were
         [&] {
             SqlOn(databaseFile(), "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, "
                                   "'\"Station\"                   NUMBER', '\"Station\" SHORT') "
                                   "WHERE name = 'JobProf.DB'");
         },
         {databaseFile(), "table JobProf.DB declares field 'Station' SHORT, where this program's layout has NUMBER"}},
        {"fields of a newer layout",
         [&] { SqlOn(databaseFile(), "ALTER TABLE \"JobProf.DB\" ADD COLUMN \"Slope\" NUMBER"); },
         {databaseFile() + " is of a newer layout than this program's: table JobProf.DB has fields this program "
                           "does not know: 'Slope'"}},
        {"a newer layout", [&] { SqlOn(databaseFile(), "PRAGMA user_version = 99"); },
         {"it records layout version 99, where this program's is 1"}},
        {"the job headers gone",
         [&] {
             SqlOn(databaseFile(), "INSERT INTO \"JobProf.DB\" (\"JobNumber\", \"Station\") VALUES (1, 0); "
                                   "DROP TABLE \"JobPipe.DB\"");
         },
         {databaseFile() + " is damaged: table JobPipe.DB is missing while table JobProf.DB holds a row that goes "
                           "with its rows"}},
        {"a device for the database", [&] { QFile::remove(databaseFile()), QFile::link("/dev/zero", databaseFile()); },
         {databaseFile() + " cannot be used: it is a device (a link to /dev/zero)"}},
        {"a data folder closed to all", [&] { ::chmod(QFile::encodeName(data).constData(), 0); },
         {"its folder " + data + " may not be read or entered (its permissions are 000)"}},
        {"an export stopped part-way",
         [&] {
             JobSample half = kSample;
             half.name = "Half exported";
             store->MakeWorkingJob(half);
             testsupport::FaultVfs faults;
             faults.Fail(testsupport::FaultVfs::Op::Write, QStringLiteral("/TULTRANS\\.sqlite$"), SQLITE_IOERR_WRITE, 1);
             EXPECT_THROW(JobTrans->ExportWorkingJob(), db::DbError);
             db::Engine::instance().CloseAll();
             EXPECT_TRUE(QFileInfo::exists(transfer() + "-journal"));
         },
         {}, true},
        {"a station twice",
         [&] {
             SqlOn(transfer(), "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, 'PRIMARY KEY "
                               "(\"Station\")', 'CHECK (1)') WHERE name = 'WorkProf.DB'; DELETE FROM sqlite_master "
                               "WHERE name = 'sqlite_autoindex_WorkProf.DB_1'");
             SqlOn(transfer(), "VACUUM; UPDATE \"WorkProf.DB\" SET \"Station\" = 1000 WHERE rowid < 3");
         },
         {"row 2 of table WorkProf.DB, field 'Station': an earlier row has the same station 10+00"}, true},
        {"a folder for the transfer file", [&] { QFile::remove(transfer()), QDir().mkdir(transfer()); },
         {"/TULTRANS.sqlite cannot be used: it is a folder, not a plain file"}, true},
        // A node without its station would come first, at 0+00; one without
        // its kind would be an entrance.
        {"a blank station", [&] { SqlOn(transfer(), "UPDATE \"WorkProf.DB\" SET \"Station\" = NULL WHERE rowid = 3"); },
         {"Station is empty in one of the rows (table WorkProf.DB). Nothing was imported."}, true},
        {"a blank node kind", [&] { SqlOn(transfer(), "UPDATE \"WorkProf.DB\" SET \"NodeType\" = NULL WHERE rowid = 3"); },
         {"NodeType is empty at station 2+02 (table WorkProf.DB). Nothing was imported."}, true},
        {"a node kind of none", [&] { SqlOn(transfer(), "UPDATE \"WorkProf.DB\" SET \"NodeType\" = 17 WHERE rowid = 3"); },
         {"NodeType is 17, outside 0 to 6 at station 2+02 (table WorkProf.DB)"}, true},
        {"a blob for a number", [&] { SqlOn(transfer(), "UPDATE \"WorkPipe.db\" SET \"WSElev\" = x'00ff'"); },
         {"row 1 of table WorkPipe.db, field 'WSElev': it holds a blob of 2 bytes, where a number is expected. "
          "Nothing was imported."}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver driver;
        std::optional<testsupport::JobStore> importing;
        if (c.import) {
            store = &importing.emplace();
            store->MakeWorkingJob(kSample);
            ASSERT_TRUE(JobTrans->ExportWorkingJob());
            db::Engine::instance().CloseAll();
        }
        c.spoil();
        // An import changes the job being edited only when it goes through.
        const QString root = c.import ? store->Temp().Folder(db::kTransferAlias) : home.path();
        const QStringList working = c.import ? store->WorkingJobRows() : QStringList();
        const auto before = Files(root);
        QString said;
        try {
            c.import ? void(JobTrans->ImportTransferJob()) : void(runStartup());
        } catch (const db::DbError& e) {
            said = e.message();
        }
        said += driver.MessageTexts().join('\n');
        EXPECT_EQ(said.isEmpty(), c.says.isEmpty()) << said.toStdString();
        for (const QString& part : c.says)
            EXPECT_TRUE(said.contains(part)) << said.toStdString() << "\nlacks " << part.toStdString();
        EXPECT_FALSE(said.contains(QChar(0)));
        if (c.says.isEmpty())
            EXPECT_EQ(Tul->JobName, kSample.name);
        else
            EXPECT_TRUE(Files(root) == before);
        if (c.import && !c.says.isEmpty())
            EXPECT_EQ(store->WorkingJobRows(), working);
        if (c.import)
            continue;
        ReleaseDatabaseClaim();
        QFile::remove(ini);
        ::chmod(QFile::encodeName(data).constData(), 0700);
        QFile::remove(databaseFile());
        ASSERT_TRUE(QFile::copy(sound, databaseFile()));
    }

    // Sound settings, with a folder's name ending in a blank, and a sound
    // database with the copies a fold may leave beside it: the start goes
    // through, takes the folders as written, removes the copies and lists
    // the job.
    const QString transferFolder = home.path() + "/Smith, Jones/Transfer ";
    ASSERT_TRUE(QDir().mkpath(transferFolder));
    aliases("MERSOL = " + data + "\r\nTULTRANS=" + transferFolder + "\r\n");
    for (const char* copy : {".before-fold", "-wal.before-fold"})
        write(databaseFile() + copy, "left by a fold");
    DialogDriver driver;
    ASSERT_EQ(runStartup(), 0);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(db::Engine::instance().AliasPath(db::kTransferAlias), transferFolder);
    EXPECT_EQ(QDir(data).entryList(QDir::Files).filter("before-fold"), QStringList());
    db::Table jobs(db::kMersolAlias, QStringLiteral("JobPipe.DB"));
    jobs.Open();
    EXPECT_EQ(jobs.RecordCount(), 1);
    EXPECT_EQ(jobs.FieldByName(QStringLiteral("JobName"))->AsString(), "Kept");
}
