#pragma once
// Finds values in a job that no real pipeline has (text for a number, a code no node has, a negative flow, ...).
#include <QString>

namespace db { class Table; }

// The tables one job is read from: the working tables, the stored job
// tables on the rows of one job (a load), or the tables an import filled.
// None for a table whose rows the job does not keep.
struct JobTables {
    db::Table* header = nullptr;
    db::Table* profile = nullptr;
    db::Table* gated = nullptr;
    db::Table* trickle = nullptr;
    db::Table* suction = nullptr;
    // The stored tables of a load, which cuts notes longer than their box
    // rather than refuses them.
    bool loading = false;
};

// The first value of the job in these tables that no job has, described
// with its field, its place (the job's data, a station, a segment, a row)
// and its table; empty when every value can be used. Each value is read
// once, from the rows the tables hold, and the same way at a load, an import
// and a save:
// - what the file holds that its field does not (text or a blob where a
//   number belongs, a fraction in a code or count), which a field reads as
//   empty or rounded;
// - an empty value where the job needs one: the station and the kind of a
//   node, the station of a manifold outlet, the number of a suction segment;
// - a code or count outside what the program gives it: a node kind
//   (NodeType 0 to 6), an invert method (InvElMethod 0 to 2), what the job
//   has (SysHas 0, 1, 2, 4 or 8), the node and segment counts (NumNodes,
//   NoSucSegs 0 to 100), a segment's number (1 to 100), an outlet's place
//   (RecNo 1 to 150), a suction segment's or outlet's kind (0 or 1);
// - a number that is not finite, a flow below zero, a water temperature
//   outside 0 to 212 deg F, a diameter that is neither zero (none chosen)
//   nor at least 0.01 inch, a friction factor (Cfac, Nfac, Efac) below
//   zero, a flow, elevation or station beyond what its entry fields take,
//   and notes longer than db::kMostMemoChars.
// What the program works out itself (a run's results, the flows it carries
// along the line) need only be finite numbers, so that a job it stored loads
// again; a flow is also not below zero, which no line carries.
// `only`, when given, is the one of the tables checked: the header says
// what the job is.
QString FirstImpossibleValue(const JobTables& job, const db::Table* only = nullptr);
// The same for the working job: its header and the rows its kind keeps
// (those a store, load or import moves).
QString FirstImpossibleValue();

// What the file holds for a field of the current row of `t` that the field
// does not hold, with the field's name ("NodeType holds 2.5, not a whole
// number"); empty when the row holds what the file does.
QString FirstMisfitOfRow(db::Table* t);

// The first pipe of the working job (profile, gated pipe, manifold and
// suction rows) whose friction factors give the computation method of the
// system defaults no equation to use (a factor of 0 marks an equation its
// material does not use), described as above; empty when every pipe has
// one. Its friction would otherwise be taken as none: the job loads, but
// does not run until the pipe is picked again.
QString FirstPipeWithoutFriction();

// The same for the one working row of a stock-water or air-vacuum job, where
// no number (a count, hours, days, a diameter, a flow, a density ...) can be
// below zero either, and no notes longer than db::kMostMemoChars.
QString FirstImpossibleToolValue(db::Table* work);

// Cuts notes of the rows of `work` longer than a notes box holds
// (db::kMostMemoChars) to what it holds; true when it cut any. A job stored
// with longer notes loads so, its user told.
bool CutNotesToTheirBox(db::Table* work);
