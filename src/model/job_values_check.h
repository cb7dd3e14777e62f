#pragma once
// Finds values in the working job that no real pipeline has (not a number, an infinity, a negative flow, ...).
#include <QString>

// The first impossible value of the job in the working tables (header, and
// the profile, gated pipe, manifold and suction rows its kind keeps: those a
// store, load or import moves), described with its field
// and, for a row, its station or segment; empty when every value can be
// used. Any number that is not finite is impossible, and so are a flow below
// zero, a water temperature outside 0 to 212 deg F, a diameter that is
// neither zero (none chosen) nor at least 0.01 inch, a friction factor
// (Cfac, Nfac, Efac) below zero, a flow, elevation or station beyond what
// its entry fields take, and notes longer than db::kMostMemoChars. What the
// program works out itself (a run's results, the flows it carries along the
// line) need only be finite numbers, so that a job it stored loads again; a
// flow is also not below zero, which no line carries.
QString FirstImpossibleValue();
// The first pipe of the working job (profile, gated pipe, manifold and
// suction rows) whose friction factors give the computation method of the
// system defaults no equation to use (a factor of 0 marks an equation its
// material does not use), described as above; empty when every pipe has
// one. Its friction would otherwise be taken as none: the job loads, but
// does not run until the pipe is picked again.
QString FirstPipeWithoutFriction();

namespace db { class Table; }
// The same for the one working row of a stock-water or air-vacuum job, where
// no number (a count, hours, days, a diameter, a flow, a density ...) can be
// below zero either, and no notes longer than db::kMostMemoChars.
QString FirstImpossibleToolValue(db::Table* work);

// Cuts notes of the rows of `work` longer than a notes box holds
// (db::kMostMemoChars) to what it holds; true when it cut any. A job stored
// with longer notes loads so, its user told.
bool CutNotesToTheirBox(db::Table* work);
