#pragma once
// The gated-pipe run: the hydraulics of a straight run of surface pipe whose
// gates discharge the whole flow, N gates open at a time. The open set is
// placed at the start, optionally at an intermediate station, and at the end
// of the gated pipe; each position is computed with Christiansen's
// multiple-outlet factor and written back into the WorkGated row.
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
    void RunGatedPipe();
    // Reads the tables into the job object, this object and the six records
    // (start, A, Mid, C, D, end). Returns false, having said why, when the
    // run cannot be computed from what it found.
    bool LoadGatedInputs(TSta* start, TSta* a, TSta* mid, TSta* c, TSta* d, TSta* end);
    // Writes the records into the current WorkGated row, pins the end grade
    // of a pumped job and deletes the six records.
    void StoreGatedResults();
};

// The one gated-pipe object.
extern TGated* Gated;
void CreateGatedObject();
void DeleteGatedObject();
