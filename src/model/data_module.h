#pragma once
// The data module: every table, data source and persistent field of both
// databases, and the one update query. No table is open when it is made;
// the code that needs a table opens it.
#include "platform/db/db.h"

#include <functional>
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

#include "model/data_module_fields.inc"

    // Calculated fields of PipeTable, shown in the pipe-selection grids.
    db::Field* PipeTableVelocityftsec = nullptr;
    db::Field* PipeTableFrictionft100ft = nullptr;

    // Marks or unmarks every pipe at once (parameter NewValue).
    db::Query* PipeQuery = nullptr;

    // Every table component, in the order they are declared above.
    std::vector<db::Table*> Tables() const;

    // Values dialogs and runs pass to the table handlers and to each other.
    double FilterLow = 0.0;         // pipe filter range, modes 0, 3 and 4
    double FilterHigh = 0.0;
    int PipeFilterMode = 0;         // PipeTableFilterRecord; 6 (any other) all rows
    int JobFilterMode = 0;          // JobPipeTableFilterRecord
    int FilterMatchCount = 0;       // rows accepted by pipe filter mode 5
    bool FilterByWallThick = false; // mode 5 compares the wall thickness, not the rating
    double ManifoldSegFlow = 0.0;
    double ManifoldSegLength = 0.0;
    double ManifoldMaxVel = 0.0;
    double ManifoldMaxFric = 0.0;
    int ToolKind = 0;               // 5 stock water, 6 air vacuum
    bool WorkTablesFree = false;    // the working tables hold no job of the main designer

    // Set by the main window: redraws its profile chart from WorkProfTable.
    std::function<void()> RefreshProfileChart;

    // Table handlers (bound to the tables' events by the constructor).
    bool PipeTableFilterRecord(db::Table& dataSet);
    void PipeTableCalcFields(db::Table& dataSet);
    bool TypeTableFilterRecord(db::Table& dataSet);
    bool JobPipeTableFilterRecord(db::Table& dataSet);
    void JobSWaterTableBeforeDelete(db::Table& dataSet);
    void WorkProfTableAfterPost(db::Table& dataSet);
    void WorkProfTableAfterDelete(db::Table& dataSet);

    // Marks (true) or clears (false) every pipe of PipeType.DB.
    void SetAllPipesMarked(bool value);

    // A second component of WaterTable's table, kept open for the viscosity
    // look-up of every reach (opening the table each time cost more than
    // the run's arithmetic). The engine keeps its rows in step with writes
    // made through other components, statements and rollbacks; it is opened
    // afresh after the database was reconnected. Not one of Tables().
    db::Table* WaterLookupTable();

private:
    db::Table* AddTable(const QString& alias, const QString& table);
    db::DataSource* AddSource(db::Table* table);

    // Sources are released before the tables they watch.
    std::vector<std::unique_ptr<db::Table>> tables_;
    std::vector<std::unique_ptr<db::DataSource>> sources_;
    std::unique_ptr<db::Query> pipeQuery_;
    std::unique_ptr<db::Table> waterLookup_;
    quint64 waterLookupConn_ = 0;   // the connection it was opened on
};

extern TDMod* DMod;
