#pragma once
// The data module: every table, data source and persistent field of both
// databases, and the one update query. No table is open when it is made;
// the code that needs a table opens it.
#include "platform/db/db.h"

#include <memory>
#include <vector>

class TDMod {
public:
    // The aliases must be configured first (ConfigureDatabase): the tables
    // read their structure here, so that every field object exists from the
    // start.
    TDMod();
    ~TDMod();
    TDMod(const TDMod&) = delete;
    TDMod& operator=(const TDMod&) = delete;

#include "model/dmod_fields.inc"

    // Calculated fields of PipeTable, shown in the pipe-selection grids.
    db::Field* PipeTableVelocityftsec = nullptr;
    db::Field* PipeTableFrictionft100ft = nullptr;

    // Values the windows pass to each other and to the table handlers.
    int JobFilterMode = 0;        // the job list's filter (1 pipeline jobs, 2 all jobs)
    bool WorkTablesFree = false;  // the working tables hold no job of the main designer

    // Marks or unmarks every pipe at once (parameter NewValue).
    db::Query* PipeQuery = nullptr;

    // Every table component, in the order they are declared above.
    std::vector<db::Table*> Tables() const;

private:
    db::Table* AddTable(const QString& alias, const QString& table);
    db::DataSource* AddSource(db::Table* table);

    // Sources are released before the tables they watch.
    std::vector<std::unique_ptr<db::Table>> tables_;
    std::vector<std::unique_ptr<db::DataSource>> sources_;
    std::unique_ptr<db::Query> pipeQuery_;
};

extern TDMod* DMod;
