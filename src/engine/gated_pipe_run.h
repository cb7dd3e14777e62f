#pragma once
// The gated-pipe run: the hydraulics of a straight run of surface pipe whose
// gates discharge the whole flow, N gates open at a time. The open set is
// placed at the start, optionally at an intermediate station, and at the end
// of the gated pipe; each position is computed with Christiansen's
// multiple-outlet factor and written back into the WorkGated row.
#include "engine/run_status.h"

#include <QString>

class TSta;

class TGated {
public:
    TGated() = default;

    // Level of the static grade line: WorkPipe WSElev for a calculator job,
    // else the Sgl of the first profile row.
    double StaticLevel = 0.0;
    // The intermediate open segment is laid out and checked (cleared for this
    // run when it cannot be laid out).
    bool IsMidSeg = false;
    int OpenGates = 0;        // N, the gates open at a time
    double GateSpace = 0.0;   // in
    double GateFlow = 0.0;    // gpm per gate

    // Loads, lays out, computes, checks and stores the current WorkGated row.
    // A line's gated pipe starts from the grade the line's run stored at its
    // end node, less the loss of the device at its start.
    RunStatus RunGatedPipe();
    // The grade a line must bring to its end node for the gated pipe to get
    // the required pressure (WorkPipe OutletPsi) at its start, past the start
    // device; 0 when the gated pipe has no start node or pipe to find it on.
    double LineGradeNeeded();
    // Reads the tables into the job object, this object and the six records
    // (start, A, Mid, C, D, end). Empty when the run can be computed from
    // what it found; else the refusal it said.
    QString LoadGatedInputs(TSta* start, TSta* a, TSta* mid, TSta* c, TSta* d, TSta* end);
    // Writes the records into the current WorkGated row and deletes them.
    void StoreGatedResults();
};

// The one gated-pipe object.
extern TGated* Gated;
void CreateGatedObject();
void DeleteGatedObject();
