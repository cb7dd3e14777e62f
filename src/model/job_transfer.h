#pragma once
// The job copier: moves one job between the stored job tables (JobPipe.DB and
// its four child tables, keyed by JobNumber) and the working tables that hold
// the job being edited, writes the working job to the transfer tables and
// reads it back, removes stored jobs, and resets the tables and the job object
// between jobs. One instance, JobTrans, lives from start-up to the main
// window's close.
//
// Every operation that writes stored jobs or fills the working tables runs as
// one transaction: a failure part way leaves the tables exactly as they were
// and reaches the caller as an exception.
#include "model/job_row_kinds.h"

#include <QString>

#include <optional>

// Why a job name cannot be stored (empty, only blanks, or longer than the
// stored field); an empty text when it can.
// `size` is the stored name field's length (0: that of the pipeline jobs).
QString JobNameProblem(const QString& name, int size = 0);

namespace db { class Table; }

class TTrans {
public:
    // ---- loading a stored job ----
    // A stored value that FirstImpossibleValue refuses stops a load with a
    // DbError naming it and the stored table that holds it, before anything
    // is written.

    // Puts the header of the stored job numbered Tul JobNumber into the
    // (emptied) working header and copies its values into Tul. A job that is
    // no longer stored is reported; then nothing changes and it returns false.
    bool LoadJobHeader();
    // Append the stored job's rows (Tul JobNumber) to the working tables,
    // which the caller has emptied; the working header says what the job is.
    void LoadJobProfile();
    void LoadJobGated();
    void LoadJobSuction();
    void LoadJobTrickle();
    // The whole load of the job picked in the job list (Tul JobNumber):
    // empties the five working tables, loads the header and the child rows
    // that the job has, and numbers the stations. Nothing changes when the
    // job is gone (reported, false) or the load fails (exception).
    bool LoadStoredJob();

    // ---- storing the working job ----

    // JobPipeTable stands in edit state on the target row: fills it from the
    // working header, sets Tul JobNumber and SysTypeCode, posts and closes it.
    void SaveJobHeader();
    // Append the working rows under Tul JobNumber.
    void SaveJobProfile();
    void SaveJobGated();      // the current working gated row
    void SaveJobSuction();
    void SaveJobTrickle();
    // Stores the working job by Tul SaveState: 0 as a new job; 1 over the
    // stored job it came from (found by Tul JobNumber) while that job still
    // carries the working name, else as a new job; 2 nothing. Returns true
    // when it stored; SaveState is then 2. A name that cannot be stored is
    // reported and nothing is stored.
    bool StoreWorkingJob();
    // Appends a new header numbered by the table and stores the job under it.
    void StoreAsNewJob();
    // Rewrites the stored job `jobNumber`: its header, and its child rows
    // replaced by those the working job has now.
    void OverwriteStoredJob(int jobNumber);

    // ---- removal ----

    // Deletes the stored job with its rows in every child table.
    void RemoveStoredJob(int jobNumber);

    // ---- transfer directory ----

    // Replaces the five pipeline transfer tables by the working job's tables;
    // true when the header went across. A row that cannot be copied stops
    // it with an exception that says so; the transfer folder stays as it was.
    bool ExportWorkingJob();
    // The system keyword of the job in the transfer folder when it has that
    // name; empty otherwise.
    QString TransferSysTypeOf(const QString& name);
    // Fills the working tables from the transfer tables and describes the job
    // in Tul: a stored job of the same kind and name becomes the job to
    // overwrite (SaveState 1), otherwise it is a new job (SaveState 0).
    // False, with a message, when the transfer directory holds no job.
    bool ImportTransferJob();

    // ---- calculator jobs ----
    // The stock-water and air-vacuum calculators keep their jobs apart from
    // the pipeline jobs: one stored row a job, one working row being edited;
    // job names are unique among a calculator's stored jobs. Storing goes
    // over the stored job numbered like the working row while that job still
    // has the working name, otherwise (or for a new job) it stores a new job
    // and writes its number back into the working row. A name that is empty,
    // too long or carried by another stored job is reported and nothing is
    // stored.

    // Replaces `transfer` by a copy of the working table `work`; true when it
    // moved more rows than it rejected.
    bool ExportToolJob(db::Table* work, db::Table* transfer);
    // Replaces the row of `work` by the job of `transfer` and numbers it
    // after the stored job of `stored` with exactly the imported name, 0 when
    // there is none; returns that number, `work` open on its row. Nothing,
    // with a message, when the transfer table holds no job. A value that
    // cannot be copied or that no job can have refuses the whole import with
    // an exception naming it; the job being edited stays as it was.
    std::optional<int> ImportToolJob(db::Table* transfer, db::Table* work, db::Table* stored);

    // -- stock water --
    // Empties WorkSWaterTable and fills its one row from the stored job
    // numbered `jobNumber`; the results, the spacing and the recommendation
    // stay empty for the calculator to fill. False, with nothing changed,
    // when no stored job has that number.
    bool LoadStockWaterJob(int jobNumber);
    // JobSWaterTable stands in edit or insert state on the target row: the
    // working row is copied into it (its JobNumber aside), posted, and the
    // table closed.
    void SaveStockWaterJob();
    // Stores the working row, over its stored copy with `overwrite`;
    // returns the stored job's number, 0 when nothing was stored.
    int StoreStockWaterJob(bool overwrite);
    // The first stored stock-water job of exactly this name; 0 when none.
    int StockWaterJobNumberOf(const QString& name);

    // -- air vacuum -- (Modulus is carried as a whole number both ways)
    // Fills the emptied working row from the stored job named exactly Tul
    // JobName and sets Tul JobNumber. A name no longer stored is reported;
    // then nothing changes and it returns false.
    bool LoadAirVacJob();
    // JobAvacTable stands in edit or insert state on the target row: copies
    // the working row into it, sets Tul JobNumber, posts and closes it.
    void SaveAirVacJob();
    // Stores the working row by Tul SaveState: 0 as a new job, 1 over its
    // stored copy, 2 nothing. Returns true when it stored: SaveState is
    // then 2.
    bool StoreAirVacJob();
    // Fills the working row from the transfer copy: a stored job of the same
    // name becomes the one to overwrite (SaveState 1), otherwise it is a new
    // job (0). False, with a message, when the transfer copy holds no job.
    bool ImportAirVacJob();
    // Deletes the stored air-vacuum job with that number.
    void RemoveAirVacJob(int jobNumber);

    // ---- between jobs ----

    // Closes every job, working, reference, undo and scratch table that is
    // open; the two defaults tables and the transfer tables stay as they are.
    void CloseAllTables();
    // Puts the job object back into the state of a new, empty job with
    // nothing to save.
    void ResetJobRecord();
};

extern TTrans* JobTrans;
void CreateTransObject();
void DeleteTransObject();
