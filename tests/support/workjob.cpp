#include "support/workjob.h"

#include "model/database_setup.h"

namespace testsupport {

WorkJob::WorkJob()
    : temp_(MersolCreateScript(), TransferCreateScript())
{
    dm_ = new TDMod;
    oldDMod_ = DMod;
    DMod = dm_;
    oldTul_ = Tul;
    Tul = &tul_;
}

WorkJob::~WorkJob()
{
    DMod = oldDMod_;
    Tul = oldTul_;
    delete dm_;
}

void WorkJob::AddRow(db::Table* table, FieldValues values)
{
    if (!table->Active())
        table->Open();
    table->Append();
    for (const auto& [name, value] : values)
        table->FieldByName(name)->SetValue(value);
    table->Post();
}

void WorkJob::SetHeader(FieldValues values)
{
    db::Table* t = dm_->WorkPipeTable;
    if (!t->Active())
        t->Open();
    t->First();
    t->Edit(); // an empty table starts its one row
    for (const auto& [name, value] : values)
        t->FieldByName(name)->SetValue(value);
    t->Post();
}

void WorkJob::AddProfRow(FieldValues values)
{
    AddRow(dm_->WorkProfTable, values);
}

} // namespace testsupport
