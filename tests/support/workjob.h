#pragma once
// A working job in a temporary database: the MERSOL and TULTRANS databases
// created from the program's scripts, a data module installed as DMod and a
// fresh job object in Tul, all put back when it goes.
//
//   WorkJob job;
//   job.SetHeader({{"SysType", "GRAVITY"}, {"WaterTemp", 32}});
//   job.AddProfRow({{"Station", 0}, {"PipeQ", 300}, {"DiaIn", 6}});
#include "model/data_module.h"
#include "model/job.h"
#include "support/tempdb.h"

#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>

namespace testsupport {

using FieldValues = std::initializer_list<std::pair<QString, QVariant>>;

class WorkJob {
public:
    WorkJob();
    ~WorkJob();
    WorkJob(const WorkJob&) = delete;
    WorkJob& operator=(const WorkJob&) = delete;

    TDMod& Dm() { return *dm_; }

    // Writes the fields into the one WorkPipeTable row (made when missing);
    // the table stays open on that row.
    void SetHeader(FieldValues values);
    // Appends and posts a WorkProfTable row; the table stays open.
    void AddProfRow(FieldValues values);
    // Appends and posts a row of any table, opening it when closed.
    static void AddRow(db::Table* table, FieldValues values);

private:
    TempDb temp_;
    TDMod* dm_;
    TDMod* oldDMod_;
    TTul* oldTul_;
    TTul tul_;
};

} // namespace testsupport
