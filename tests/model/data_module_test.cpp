// The data module's components: one table per file under the right alias,
// field objects that exist before any table opens, and the pipe table's
// design-time settings.
#include "model/database_setup.h"
#include "model/data_module.h"
#include "support/tempdb.h"

#include <gtest/gtest.h>

namespace {

class DModTest : public ::testing::Test {
protected:
    testsupport::TempDb temp{MersolCreateScript(), TransferCreateScript()};
    TDMod dm;
};

} // namespace

TEST_F(DModTest, FieldObjectsExistBeforeAnyTableOpens)
{
    struct Probe {
        db::Field* field;
        db::Table* table;
        const char* name;
    };
    const Probe probes[] = {
        {dm.PipeTablePressRtngpsi, dm.PipeTable, "Press Rtng (psi)"},
        {dm.PipeTableIDin, dm.PipeTable, "ID (in)"},
        {dm.TypeTablePType, dm.TypeTable, "PType"},
        {dm.MinorLossTableLossItemDescription, dm.MinorLossTable, "Loss Item Description"},
        {dm.DefLocTableStaIncrement, dm.DefLocTable, "StaIncrement"},
        {dm.DefSysTablePassword, dm.DefSysTable, "Password"},
        {dm.WorkProfTableStation, dm.WorkProfTable, "Station"},
        {dm.JobAvacTableJobNumber, dm.JobAvacTable, "JobNumber"},
        {dm.SaveSuctionTableSegmentNo, dm.SaveSuctionTable, "SegmentNo"},
        {dm.WorkAvacTablePCollapse, dm.WorkAvacTable, "PCollapse"},
        {dm.Temp1TableVal, dm.Temp1Table, "Val"},
    };
    for (const Probe& p : probes) {
        ASSERT_NE(p.field, nullptr) << p.name;
        EXPECT_EQ(p.field->FieldName(), QString::fromLatin1(p.name));
        EXPECT_EQ(p.field->DataSet(), p.table) << p.name;
        EXPECT_FALSE(p.table->Active()) << p.name;
    }
    EXPECT_THROW(dm.PipeTablePSize->AsInteger(), db::DbError);
}

TEST_F(DModTest, EveryColumnOfEveryTableHasAFieldMember)
{
    const auto tables = dm.Tables();
    EXPECT_EQ(tables.size(), 36u);
    int columns = 0;
    for (db::Table* t : tables) {
        EXPECT_FALSE(t->Active()) << t->TableName().toStdString();
        // The transfer tables are read by name only (see the generator).
        if (t->DatabaseName() == db::kTransferAlias)
            continue;
        for (int i = 0; i < t->FieldCount(); ++i)
            columns += t->Fields(i)->Calculated() ? 0 : 1;
    }
    EXPECT_EQ(columns, TDMod::kGeneratedFieldCount);
}

TEST_F(DModTest, TablesUseTheirFilesAndAliases)
{
    EXPECT_EQ(dm.PipeTable->TableName(), QStringLiteral("PipeType.DB"));
    EXPECT_EQ(dm.TypeTable->TableName(), QStringLiteral("Pipe Material.DB"));
    EXPECT_EQ(dm.SaveSuctionTable->TableName(), QStringLiteral("SavSuction.db"));
    EXPECT_EQ(dm.JobAvacTable->TableName(), QStringLiteral("JobAirvac.DB"));
    for (db::Table* t : {dm.TransPipeTable, dm.TransProfTable, dm.TransGatedTable, dm.TransTrickleTable,
                         dm.TransSuctionTable, dm.TransSWaterTable, dm.TransAirvacTable})
        EXPECT_EQ(t->DatabaseName(), db::kTransferAlias) << t->TableName().toStdString();
    for (db::Table* t : {dm.WorkPipeTable, dm.WorkAvacTable, dm.SavePipeTable, dm.TempTable})
        EXPECT_EQ(t->DatabaseName(), db::kMersolAlias) << t->TableName().toStdString();
    EXPECT_EQ(dm.TransProfTable->TableName(), dm.WorkProfTable->TableName());
    EXPECT_EQ(dm.WorkProfData->DataSet(), dm.WorkProfTable);
    EXPECT_EQ(dm.JobAvacData->DataSet(), dm.JobAvacTable);
}

TEST_F(DModTest, PipeTableOpensInDescriptionOrderWithItsCalculatedFields)
{
    ASSERT_NE(dm.PipeTableVelocityftsec, nullptr);
    ASSERT_NE(dm.PipeTableFrictionft100ft, nullptr);
    EXPECT_TRUE(dm.PipeTableVelocityftsec->Calculated());
    EXPECT_TRUE(dm.PipeTableFrictionft100ft->Calculated());
    EXPECT_FALSE(dm.PipeData->AutoEdit);

    dm.PipeTable->Open();
    EXPECT_EQ(dm.PipeTable->IndexName(), QStringLiteral("PipeDescripIndex"));
    dm.PipeTable->First();
    QString prev = dm.PipeTablePipeDescription->AsString();
    for (dm.PipeTable->Next(); !dm.PipeTable->Eof(); dm.PipeTable->Next()) {
        const QString desc = dm.PipeTablePipeDescription->AsString();
        EXPECT_LE(QString::compare(prev, desc, Qt::CaseInsensitive), 0);
        prev = desc;
    }
    // Nothing was computed for them: they read empty.
    EXPECT_TRUE(dm.PipeTableVelocityftsec->IsNull());
}

TEST_F(DModTest, PipeQueryMarksEveryPipe)
{
    dm.PipeQuery->SetParam(QStringLiteral("NewValue"), QStringLiteral("T"));
    const int changed = dm.PipeQuery->ExecSQL();
    dm.PipeTable->Open();
    EXPECT_EQ(changed, dm.PipeTable->RecordCount());
    for (dm.PipeTable->First(); !dm.PipeTable->Eof(); dm.PipeTable->Next())
        ASSERT_TRUE(dm.PipeTableMarked->AsBoolean());
    dm.PipeQuery->SetParam(QStringLiteral("NewValue"), QStringLiteral("F"));
    dm.PipeQuery->ExecSQL();
    dm.PipeTable->Refresh();
    for (dm.PipeTable->First(); !dm.PipeTable->Eof(); dm.PipeTable->Next())
        ASSERT_FALSE(dm.PipeTableMarked->AsBoolean());
}

TEST_F(DModTest, FieldObjectsSurviveCloseAndReopen)
{
    db::Field* station = dm.WorkProfTableStation;
    dm.WorkProfTable->Open();
    dm.WorkProfTable->Append();
    station->SetAsFloat(250);
    dm.WorkProfTable->Post();
    dm.WorkProfTable->Close();
    dm.WorkProfTable->Open();
    EXPECT_EQ(dm.WorkProfTable->FieldByName(QStringLiteral("Station")), station);
    EXPECT_EQ(station->AsFloat(), 250.0);
}
