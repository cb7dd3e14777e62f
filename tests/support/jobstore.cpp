#include "support/jobstore.h"

#include "model/database_setup.h"
#include "model/job_transfer.h"

#include <QDir>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

QString ValueText(const db::Field* f)
{
    return f->IsNull() ? QStringLiteral("<null>") : f->Value().toString();
}

} // namespace

JobStore::JobStore()
    : temp_(std::make_unique<TempDb>(MersolCreateScript(), TransferCreateScript())),
      dm_(std::make_unique<TDMod>()), oldDMod_(DMod), oldTul_(Tul)
{
    DMod = dm_.get();
    Tul = &tul_;
}

JobStore::~JobStore()
{
    dm_.reset();
    DMod = oldDMod_;
    Tul = oldTul_;
}

void JobStore::SwitchToEmptyDatabase()
{
    for (db::Table* t : dm_->Tables())
        if (t->Active())
            t->Close();
    dm_.reset();
    DMod = nullptr;
    auto& e = db::Engine::instance();
    e.CloseAll();
    extraFolder_ = temp_->Root() + QStringLiteral("/Mersol %1").arg(extraFolder_.size() + 2);
    e.SetAliasPath(db::kMersolAlias, extraFolder_);
    dm_ = std::make_unique<TDMod>();
    DMod = dm_.get();
}

void JobStore::FreshRow(db::Table* t)
{
    if (t->Active())
        t->Close();
    t->EmptyTable();
    t->Open();
    t->Append();
}

void JobStore::FillRow(db::Table* t, int seed)
{
    for (int i = 0; i < t->FieldCount(); ++i) {
        db::Field* f = t->Fields(i);
        if (f->Calculated())
            continue;
        switch (f->DataType()) {
        case db::FieldType::Short:
            f->SetAsInteger((seed * 7 + i) % 90);
            break;
        case db::FieldType::Long:
            f->SetAsInteger(seed * 1000 + i);
            break;
        case db::FieldType::Number:
            f->SetAsFloat(seed * 10 + i * 0.125);
            break;
        case db::FieldType::Alpha:
            f->SetAsString(QStringLiteral("%1%2").arg(QChar(u'A' + i % 26)).arg(seed * 100 + i).left(f->Size()));
            break;
        case db::FieldType::Memo:
            f->SetAsString(QStringLiteral("Notes %1 of field %2\nsecond line").arg(seed).arg(i));
            break;
        case db::FieldType::Logical:
            f->SetAsBoolean((seed + i) % 2 == 0);
            break;
        case db::FieldType::AutoInc:
            break;
        }
    }
}

void JobStore::EmptyWorkingTables()
{
    TDMod& d = *dm_;
    for (db::Table* t : {d.WorkPipeTable, d.WorkProfTable, d.WorkGatedTable, d.WorkSuctionTable, d.WorkTrickleTable}) {
        if (t->Active())
            t->Close();
        t->EmptyTable();
    }
}

int JobStore::StoreNewJob(const JobSample& sample)
{
    MakeWorkingJob(sample);
    Tul->SaveState = 0;
    EXPECT_TRUE(JobTrans->StoreWorkingJob());
    return Tul->JobNumber;
}

void JobStore::MakeWorkingJob(const JobSample& s)
{
    TDMod& d = *dm_;
    EmptyWorkingTables();
    for (db::Table* t : {d.WorkPipeTable, d.WorkProfTable, d.WorkGatedTable, d.WorkSuctionTable, d.WorkTrickleTable})
        t->Open();

    d.WorkPipeTable->Append();
    FillRow(d.WorkPipeTable, s.seed);
    d.WorkPipeTableJobName->SetAsString(s.name);
    d.WorkPipeTableSysType->SetAsString(s.sysType);
    d.WorkPipeTableSysHas->SetAsInteger(s.sysHas);
    d.WorkPipeTablePumpType->SetAsString(s.pumpType);
    d.WorkPipeTableNumNodes->SetAsInteger(s.nodes);
    d.WorkPipeTable->Post();

    for (int k = 0; k < s.nodes; ++k) {
        d.WorkProfTable->Append();
        FillRow(d.WorkProfTable, s.seed * 1000 + k);
        d.WorkProfTableStation->SetAsFloat(k * 100.0 + s.seed * 0.5);
        d.WorkProfTableNodeType->SetAsInteger(k == 0 ? 0 : k + 1 == s.nodes ? 4 : 1);
        d.WorkProfTableInvElMethod->SetAsInteger(k % 3);
        d.WorkProfTableThBlkSoil->SetAsFloat(1000 + k);
        d.WorkProfTableKLocate1->SetAsString(QStringLiteral("US"));
        d.WorkProfTableKLocate2->SetAsString(QStringLiteral("DS"));
        d.WorkProfTable->Post();
    }
    if (s.sysHas == 1 || s.sysHas == 8) {
        d.WorkGatedTable->Append();
        FillRow(d.WorkGatedTable, s.seed + 3);
        d.WorkGatedTableKLocate1->SetAsString(QStringLiteral("US"));
        d.WorkGatedTableKLocate2->SetAsString(QStringLiteral("DS"));
        d.WorkGatedTable->Post();
    }
    for (int k = 0; k < s.outlets; ++k) {
        d.WorkTrickleTable->Append();
        FillRow(d.WorkTrickleTable, s.seed * 500 + k);
        d.WorkTrickleTableStation->SetAsFloat(k * 10.0);
        d.WorkTrickleTableRecNo->SetAsInteger(k + 1);
        d.WorkTrickleTableNodeType->SetAsInteger(k == 0 ? 0 : 1);
        d.WorkTrickleTable->Post();
    }
    for (int k = 0; k < s.suctionSegments; ++k) {
        d.WorkSuctionTable->Append();
        FillRow(d.WorkSuctionTable, s.seed * 50 + k);
        d.WorkSuctionTableSegmentNo->SetAsInteger(k + 1);
        d.WorkSuctionTableNodeType->SetAsInteger(k == 0 ? 0 : 1);
        d.WorkSuctionTable->Post();
    }
    for (db::Table* t : {d.WorkPipeTable, d.WorkProfTable, d.WorkGatedTable, d.WorkSuctionTable, d.WorkTrickleTable})
        t->First();
}

QStringList JobStore::Rows(db::Table* t, db::Table* twin)
{
    const bool opened = !t->Active();
    if (opened)
        t->Open();
    std::vector<db::Field*> fields;
    for (int i = 0; i < t->FieldCount(); ++i) {
        db::Field* f = t->Fields(i);
        if (f->Calculated() || f->FieldName() == QLatin1String("JobNumber"))
            continue;
        if (twin && !twin->FindField(f->FieldName()))
            continue;
        fields.push_back(f);
    }
    QStringList out;
    const qint64 at = t->GetBookmark();
    for (t->First(); !t->Eof(); t->Next()) {
        QStringList cells;
        for (db::Field* f : fields)
            cells << f->FieldName() + QLatin1Char('=') + ValueText(f);
        out << t->TableName() + QStringLiteral(": ") + cells.join(QStringLiteral("; "));
    }
    t->GotoBookmark(at);
    if (opened)
        t->Close();
    return out;
}

QStringList JobStore::WorkingJobRows()
{
    TDMod& d = *dm_;
    return Rows(d.WorkPipeTable, d.JobPipeTable) + Rows(d.WorkProfTable, d.JobProfTable)
         + Rows(d.WorkGatedTable, d.JobGatedTable) + Rows(d.WorkSuctionTable, d.JobSuctionTable)
         + Rows(d.WorkTrickleTable, d.JobTrickleTable);
}

QStringList JobStore::StoredRows()
{
    TDMod& d = *dm_;
    QStringList out;
    for (db::Table* t : {d.JobPipeTable, d.JobProfTable, d.JobGatedTable, d.JobSuctionTable, d.JobTrickleTable}) {
        const bool opened = !t->Active();
        if (opened)
            t->Open();
        const QStringList rows = Rows(t);
        db::Field* number = t->FieldByName(QStringLiteral("JobNumber"));
        int i = 0;
        for (t->First(); !t->Eof(); t->Next())
            out << QStringLiteral("#%1 ").arg(ValueText(number)) + rows.at(i++);
        if (opened)
            t->Close();
    }
    out.sort();
    return out;
}

int JobStore::CountRows(db::Table* t, int jobNumber)
{
    const bool opened = !t->Active();
    if (opened)
        t->Open();
    db::Field* number = t->FieldByName(QStringLiteral("JobNumber"));
    int n = 0;
    for (t->First(); !t->Eof(); t->Next())
        n += !number->IsNull() && number->AsInteger() == jobNumber;
    if (opened)
        t->Close();
    return n;
}

int JobStore::NumberOf(const QString& name)
{
    db::Table* t = dm_->JobPipeTable;
    const bool opened = !t->Active();
    if (opened)
        t->Open();
    int n = 0;
    for (t->First(); !t->Eof() && n == 0; t->Next())
        if (dm_->JobPipeTableJobName->AsString() == name)
            n = dm_->JobPipeTableJobNumber->AsInteger();
    if (opened)
        t->Close();
    return n;
}

QString JobStore::NoJobToImport()
{
    return QStringLiteral("There is no job in the transfer directory '%1' to import.")
        .arg(db::Engine::instance().AliasPath(db::kTransferAlias));
}

} // namespace testsupport
