// Stored or imported jobs holding values no pipeline has are refused when
// loaded or imported, with the field and the station named.
#include "model/job_transfer.h"
#include "model/job_values_check.h"

#include "support/dialogdriver.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <QFile>

#include <gtest/gtest.h>

using testsupport::JobSample;
using testsupport::JobStore;

namespace {

const JobSample kPumped{"Pumped to manifold", "PUMPED", 2, "CENTRIF", 6, 4, 3, 3};

class JobValuesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::QtApp();
        number = store.StoreNewJob(kPumped);
        ASSERT_TRUE(FirstImpossibleValue().isEmpty()) << FirstImpossibleValue().toStdString();
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
        stored = store.StoredRows();
    }

    void sql(const QString& alias, const QString& text)
    {
        db::Query q(alias);
        q.SetSQL(text);
        q.ExecSQL();
    }

    // The stored job (or the exported one) with one value changed, and the
    // working job another one, so that a refusal shows it changed nothing.
    struct Case {
        const char* storedTable;     // in MERSOL
        const char* transferTable;   // in TULTRANS
        const char* field;
        const char* value;           // SQL
        const char* said;
    };

    DialogDriver driver;
    JobStore store;
    int number = 0;
    QStringList stored;
};

const char* const kSecondStation =
    "(SELECT \"Station\" FROM \"%1\" ORDER BY \"Station\" LIMIT 1 OFFSET 1)";

} // namespace

TEST_F(JobValuesTest, ImpossibleValuesStopTheLoadAndTheImportNamingFieldAndStation)
{
    const Case cases[] = {
        {"JobProf.DB", "WorkProf.DB", "OutQ", "-5", "OutQ is -5, a flow below zero at station"},
        {"JobProf.DB", "WorkProf.DB", "PipeQ", "-500", "PipeQ is -500, a flow below zero at station"},
        {"JobProf.DB", "WorkProf.DB", "DiaIn", "1e-300", "DiaIn is 1e-300 inches, not a pipe diameter at station"},
        {"JobProf.DB", "WorkProf.DB", "GroundElev", "9e999", "GroundElev is infinite at station"},
        {"JobProf.DB", "WorkProf.DB", "PipeLength", "'NaN'", "PipeLength is not a number at station"},
        {"JobPipe.DB", "WorkPipe.db", "WaterTemp", "-1000", "WaterTemp is -1000 deg F, outside 0 to 212 in the job's data"},
        {"JobSuction.DB", "WorkSuction.db", "PipeQ", "-9e999", "PipeQ is infinite in segment"},
        {"JobSuction.DB", "WorkSuction.db", "Efac", "-0.0001", "Efac is -0.0001, not a friction factor above 0 in segment"},
        // Beyond what any entry field takes.
        {"JobProf.DB", "WorkProf.DB", "InQ", "1e308",
         "InQ is 1e+308 gpm, beyond the 4488299996 gpm (9999999.99 cfs) its entry takes at station"},
        {"JobPipe.DB", "WorkPipe.db", "WSElev", "-100000",
         "WSElev is -100000 ft, outside the -99999.9 to 99999.9 ft its entry takes in the job's data"},
        {"JobProf.DB", "WorkProf.DB", "Station", "-10", "Station is -10 ft, outside the 0 to 9999999 ft its entry takes"},
        // A code or a count is a whole number.
        {"JobProf.DB", "WorkProf.DB", "NodeType", "2.7", "holds 2.7, not a whole number"},
        {"JobPipe.DB", "WorkPipe.db", "NumNodes", "99.5", "holds 99.5, not a whole number"},
        {"JobTrickle.DB", "WorkTrickle.DB", "GpmAtOutlet", "5e9", "GpmAtOutlet is 5e+09 gpm, beyond the"},
        {"JobPipe.DB", "WorkPipe.db", "PumpEffic", "1e300", "PumpEffic is 1e+300 percent, outside -99.9 to 99.9 percent"},
        {"JobPipe.DB", "WorkPipe.db", "OutletPsi", "1e300", "OutletPsi is 1e+300 psi, outside -86688 to 86688 psi in"},
        {"JobPipe.DB", "WorkPipe.db", "ClearHead", "1000", "ClearHead is 1000 ft, outside -999.99 to 999.99 ft"},
        {"JobPipe.DB", "WorkPipe.db", "TriclMVel", "-0.5", "TriclMVel is -0.5 ft/sec, outside 0 to 9999 ft/sec"},
        {"JobPipe.DB", "WorkPipe.db", "PsiIn", "-86688.5", "PsiIn is -86688.5 psi, outside -86688 to 86688 psi"},
        {"JobPipe.DB", "WorkPipe.db", "ReqOutletWS", "-1e6", "ReqOutletWS is -1e+06 ft, outside -102307 to 102307 ft"},
        {"JobPipe.DB", "WorkPipe.db", "TriclHiSz", "100", "TriclHiSz is 100 inches, outside 0 to 99.99 inches"},
        {"JobProf.DB", "WorkProf.DB", "ThBlkSoil", "-1", "ThBlkSoil is -1, outside 0 to 9999999999 at station"},
        {"JobProf.DB", "WorkProf.DB", "PsiSet", "-1e300", "PsiSet is -1e+300 psi, below -1 psi at station"},
        {"JobSuction.DB", "WorkSuction.db", "PipeLength", "1e7", "PipeLength is 1e+07 ft, outside -9999999 to 9999999 ft in"},
        {"JobProf.DB", "WorkProf.DB", "K2", "-4.5", "K2 is -4.5, outside -4 to 99999.999999 at station"},
        {"JobSuction.DB", "WorkSuction.db", "K1", "1e5", "K1 is 100000, outside -4 to 99999.999999 in segment"},
        {"JobPipe.DB", "WorkPipe.db", "TankRange", "1000", "TankRange is 1000 psi, outside 0 to 999 psi in the job's data"},
        {"JobPipe.DB", "WorkPipe.db", "JobNotes", "replace(hex(zeroblob(20000)), '0', 'n')",
         "JobNotes holds 40000 characters, more than the 32000 its entry takes in the job's data"},
        {"JobPipe.DB", "WorkPipe.db", "EntranceNotes", "replace(hex(zeroblob(16001)), '0', 'e')",
         "EntranceNotes holds 32002 characters, more than the 32000"},
        // What a field cannot hold as the file holds it, or a value the job
        // needs left empty: a node without its station sorts first.
        {"JobProf.DB", "WorkProf.DB", "Station", "NULL", "Station is empty in one of the rows ("},
        {"JobProf.DB", "WorkProf.DB", "Station", "'abc'", "holds the text 'abc', where a number is expected"},
        {"JobProf.DB", "WorkProf.DB", "NodeType", "NULL", "NodeType is empty at station 1+0"},
        {"JobProf.DB", "WorkProf.DB", "NodeType", "'two'", "holds the text 'two', where a whole number is expected"},
        {"JobPipe.DB", "WorkPipe.db", "WSElev", "x'00ff'", "holds a blob of 2 bytes, where a number is expected"},
        {"JobPipe.DB", "WorkPipe.db", "DetailedML", "'maybe'", "holds the text 'maybe', where true or false is"},
        // Codes and counts no dialog or run gives.
        {"JobProf.DB", "WorkProf.DB", "NodeType", "17", "NodeType is 17, outside 0 to 6 at station 1+0"},
        {"JobProf.DB", "WorkProf.DB", "InvElMethod", "-1", "InvElMethod is -1, outside 0 to 2 at station"},
        {"JobPipe.DB", "WorkPipe.db", "NumNodes", "-3", "NumNodes is -3, outside 0 to 100 in the job's data"},
        {"JobPipe.DB", "WorkPipe.db", "SysHas", "3", "SysHas is 3, not one of 0, 1, 2, 4, 8 in the job's data"},
        {"JobSuction.DB", "WorkSuction.db", "NodeType", "5", "NodeType is 5, outside 0 to 1 in segment 1"},
        {"JobTrickle.DB", "WorkTrickle.DB", "RecNo", "0", "RecNo is 0, outside 1 to 150 at station 0+00"},
    };
    // The database files: a refusal writes none of them.
    auto files = [&] {
        QStringList bytes;
        const QString db = db::Engine::instance().DatabaseFile(db::kMersolAlias);
        for (const QString& file : {db, db + "-wal", db::Engine::instance().DatabaseFile(db::kTransferAlias)}) {
            QFile f(file);
            bytes << (f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().toHex()) : QString());
        }
        return bytes;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const bool profile = QByteArray(c.storedTable) == "JobProf.DB";
        // The second station's row of the table named.
        auto where = [&](const char* table) {
            return profile ? (QStringLiteral(" AND \"Station\" = ") + QString::fromLatin1(kSecondStation)).arg(table)
                           : QString();
        };
        sql(db::kMersolAlias, QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3 WHERE \"JobNumber\" = %4%5")
                                  .arg(c.storedTable, c.field, c.value)
                                  .arg(number)
                                  .arg(where(c.storedTable)));
        sql(db::kTransferAlias, QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3 WHERE 1%4")
                                    .arg(c.transferTable, c.field, c.value, where(c.transferTable)));

        JobSample other = kPumped;
        other.name = "Being edited";
        other.seed = 7;
        store.MakeWorkingJob(other);
        const QStringList working = store.WorkingJobRows();
        Tul->JobName = kPumped.name;
        Tul->JobNumber = number;

        // Notes are only cut to their box at a load, never refused.
        if (QByteArray(c.field).endsWith("Notes")) {
            ASSERT_TRUE(JobTrans->LoadStoredJob());
            EXPECT_EQ(store.Dm().WorkPipeTable->FieldByName(c.field)->AsString().size(), 32000);
            EXPECT_EQ(driver.MessageTexts().last(), "The notes of the job Pumped to manifold are longer than the "
                                                    "notes box holds (32000 characters). The box shows the first "
                                                    "32000; the rest would be dropped at the next save.");
            store.MakeWorkingJob(other);
            Tul->JobNumber = number;
        }
        for (const bool import : {false, true}) {
            if (!import && QByteArray(c.field).endsWith("Notes"))
                continue;
            const QStringList before = files();
            try {
                import ? JobTrans->ImportTransferJob() : JobTrans->LoadStoredJob();
                ADD_FAILURE() << (import ? "imported" : "loaded");
            } catch (const db::DbError& e) {
                EXPECT_TRUE(e.message().contains(QString::fromLatin1(c.said))) << e.message().toStdString();
                // The table the value was read from: the stored one, or the transfer file's.
                EXPECT_TRUE(e.message().contains(QStringLiteral("table ") + (import ? c.transferTable : c.storedTable)))
                    << e.message().toStdString();
            }
            EXPECT_EQ(store.WorkingJobRows(), working);
            EXPECT_EQ(Tul->JobNumber, number);
            EXPECT_TRUE(files() == before);
        }
        // Nor is such a working job stored, to be refused at its next load.
        if (!QByteArray(c.said).contains("whole number")) {
            sql(db::kMersolAlias, QStringLiteral("UPDATE \"%1\" SET \"%2\" = %3 WHERE 1%4")
                                      .arg(c.transferTable, c.field, c.value, where(c.transferTable)));
            const QStringList storedNow = store.StoredRows();
            Tul->SaveState = 0;
            EXPECT_FALSE(JobTrans->StoreWorkingJob());
            EXPECT_TRUE(driver.MessageTexts().last().contains(QString::fromLatin1(c.said)))
                << driver.MessageTexts().last().toStdString();
            EXPECT_EQ(store.StoredRows(), storedNow);
        }

        // Put back for the next case.
        store.EmptyWorkingTables();
        sql(db::kMersolAlias, QStringLiteral("DELETE FROM \"JobPipe.DB\""));
        for (const char* t : {"JobProf.DB", "JobGated.db", "JobTrickle.DB", "JobSuction.DB"})
            sql(db::kMersolAlias, QStringLiteral("DELETE FROM \"%1\"").arg(t));
        number = store.StoreNewJob(kPumped);
        ASSERT_TRUE(JobTrans->ExportWorkingJob());
    }
    // The sound job loads and imports.
    store.EmptyWorkingTables();
    Tul->JobName = kPumped.name;
    Tul->JobNumber = number;
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    const QStringList loaded = store.WorkingJobRows();
    store.EmptyWorkingTables();
    ASSERT_TRUE(JobTrans->ImportTransferJob());
    EXPECT_EQ(store.WorkingJobRows(), loaded);
}

// A pipe whose factors leave the computation method (Hazen-Williams, then
// Darcy-Weisbach, then Manning) no equation, as a gated pipe whose pick was
// escaped is saved: the job loads, to have its pipe picked again, and only
// its run is refused, naming the pipe.
TEST_F(JobValuesTest, PipeWithoutAFrictionEquationLoadsButDoesNotRun)
{
    sql(db::kMersolAlias, QStringLiteral("UPDATE \"JobProf.DB\" SET \"Cfac\" = 0, \"Nfac\" = NULL, \"Efac\" = 0 "
                                         "WHERE \"JobNumber\" = %1 AND \"Station\" = %2")
                              .arg(number)
                              .arg(QString::fromLatin1(kSecondStation).arg("JobProf.DB")));
    store.EmptyWorkingTables();
    Tul->JobName = kPumped.name;
    Tul->JobNumber = number;
    ASSERT_TRUE(JobTrans->LoadStoredJob());
    EXPECT_TRUE(FirstImpossibleValue().isEmpty()) << FirstImpossibleValue().toStdString();
    EXPECT_TRUE(FirstPipeWithoutFriction().startsWith(
        "Cfac 0, Nfac empty, Efac 0 give the computation method no friction factor above 0 to use at station"))
        << FirstPipeWithoutFriction().toStdString();
}

TEST_F(JobValuesTest, BoundaryValuesAreAccepted)
{
    db::Table* prof = store.Dm().WorkProfTable;
    prof->First();
    prof->Edit();
    store.Dm().WorkProfTablePipeQ->SetAsFloat(0);
    store.Dm().WorkProfTableDiaIn->SetAsFloat(0);   // none chosen yet, so no factors either
    store.Dm().WorkProfTableCfac->SetAsFloat(0);
    store.Dm().WorkProfTableNfac->Clear();
    prof->Post();
    prof->Next();
    prof->Edit();
    store.Dm().WorkProfTableDiaIn->SetAsFloat(0.01);
    // A factor of 0 marks an equation the material does not use: the method
    // takes the next one of its order (here Darcy-Weisbach for the C).
    store.Dm().WorkProfTableCfac->SetAsFloat(0);
    store.Dm().WorkProfTableNfac->Clear();
    prof->Post();
    db::Table* header = store.Dm().WorkPipeTable;
    header->Edit();
    store.Dm().WorkPipeTableWaterTemp->SetAsFloat(212);
    // The most the entry fields take.
    store.Dm().WorkPipeTableDesignFlow->SetAsFloat(9999999.99 * 448.83);
    store.Dm().WorkPipeTableWSElev->SetAsFloat(-99999.9);
    store.Dm().WorkPipeTableJobNotes->SetAsString(QString(32000, QLatin1Char('n')));
    store.Dm().WorkPipeTablePumpEffic->SetAsFloat(99.9);
    store.Dm().WorkPipeTableOutletPsi->SetAsFloat(-86688);
    store.Dm().WorkPipeTableTriclPipeRating->SetAsFloat(999.9);
    store.Dm().WorkPipeTableTankRange->SetAsFloat(999);
    store.Dm().WorkPipeTableReqOutletWS->SetAsFloat(102307);
    store.Dm().WorkPipeTableClearHead->SetAsFloat(-999.99);
    header->Post();
    prof->Last();
    prof->Edit();
    store.Dm().WorkProfTableStation->SetAsFloat(9999999);
    store.Dm().WorkProfTablePsiSet->SetAsFloat(-1);   // a booster that finds its own
    store.Dm().WorkProfTableK1->SetAsFloat(-4);        // a size change
    store.Dm().WorkProfTableThBlkSoil->SetAsFloat(9999999999);
    prof->Post();
    EXPECT_TRUE(FirstImpossibleValue().isEmpty()) << FirstImpossibleValue().toStdString();

    header->Edit();
    store.Dm().WorkPipeTableWaterTemp->SetAsFloat(212.5);
    header->Post();
    EXPECT_TRUE(FirstImpossibleValue().startsWith("WaterTemp is 212.5 deg F"));
}
