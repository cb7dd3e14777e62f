#pragma once
// The job copier: moves one job between the stored job tables and the
// working tables, and resets the tables and the job object between jobs.
// One instance, JobTrans, lives from start-up to the main window's close.
class TTrans {
public:
    // Closes every job, working, reference, undo and scratch table of the
    // data module that is open; the two defaults tables and the transfer
    // tables stay as they are.
    void CloseAllTables();
    // Puts the job object back into the state of a new, empty job with
    // nothing to save.
    void ResetJobRecord();
};

extern TTrans* JobTrans;
void CreateTransObject();
void DeleteTransObject();
