// Start-up of both programs on one database: a second copy of either is
// refused while another holds it, a crashed copy leaves nothing locked, and a
// start-up that fails changes nothing and reports failure to whoever started
// the program.
#include "model/database_setup.h"
#include "platform/db/db.h"
#include "platform/ui/application.h"
#include "support/dialogdriver.h"
#include "support/qt_app.h"
#include "support/tempdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

#include <gtest/gtest.h>

namespace {

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

        DialogDriver driver;
        EXPECT_NE(runStartup(), 0);
        ASSERT_EQ(driver.MessageTexts().size(), 1);
        const QString said = driver.MessageTexts()[0];
        EXPECT_TRUE(said.contains(databaseFile())) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("in use"))) << said.toStdString();
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
    {
        db::Table jobs(db::kMersolAlias, QStringLiteral("JobPipe.DB"));
        jobs.Open();
        jobs.Append();
        jobs.FieldByName(QStringLiteral("JobName"))->SetAsString(QStringLiteral("Kept at stop"));
        jobs.Post();
        jobs.Close();
    }
    StopDatabase();
    EXPECT_FALSE(QFileInfo::exists(databaseFile() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFileInfo::exists(databaseFile() + QStringLiteral("-shm")));

    QTemporaryDir elsewhere;
    const QString copy = elsewhere.filePath(QStringLiteral("copy.sqlite"));
    ASSERT_TRUE(QFile::copy(databaseFile(), copy));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(copy.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM \"JobPipe.DB\" WHERE JobName = 'Kept at stop'", -1, &st,
                                 nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_close(db);

    // And the next start finds the claim given up.
    EXPECT_EQ(runStartup(), 0);
    EXPECT_TRUE(driver.MessageTexts().isEmpty()) << driver.MessageTexts().join('\n').toStdString();
}
