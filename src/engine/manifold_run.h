#pragma once
// The manifold run: sizes every segment of a manifold (a pipe with outlets at
// its nodes, such as the one feeding trickle laterals) from the pipes of one
// type and rating, finds the grade line that keeps the least pressure at every
// node, and writes the entrance totals to WorkPipe and the node results to
// WorkTrickle. Each caller makes its own object, runs it once and deletes it.
#include "engine/run_status.h"
#include "model/station.h"

#include <QString>
#include <vector>

class JManfld {
public:
    JManfld() = default;

    QString PipeType;       // the manifold's pipe type, WorkPipe TriclPType
    double EntQ = 0.0;      // entrance flow, gpm: the sum of the outlet flows
    double EntPsi = 0.0;    // entrance pressure with the velocity head, psi
    double EntHgl = 0.0;    // HGL at the first node, ft
    double TotFric = 0.0;   // friction and minor losses of all nodes, ft
    int NodeCount = 0;      // WorkTrickle rows
    bool Computed = false;  // the last run wrote its results; a refused one did not
    // What a refused run could not take, so that a dialog can turn to it.
    enum class Fault { None, Nodes, Material, Rating, Limits };
    Fault Refused = Fault::None;

    // WorkTrickle must be open.
    RunStatus RunManifold();
    // The run made only to learn whether the manifold can be computed: what
    // keeps it from being is said as RunManifold says it, and every table is
    // left as it was. Edits pending in the tables are posted first. True when
    // it could be computed.
    bool CheckManifold();
    // Chooses the pipe of segment i (node i to node i+1) into record i; false
    // when no candidate size meets the velocity and friction limits.
    bool SelectSegmentPipe(int i, std::vector<TSta*>& nodes);
    void WriteManifoldResults(std::vector<TSta*>& nodes, int count);

private:
    // A candidate size as Temp1 holds it, and a candidate pipe of a segment
    // as Temp holds it: read and weighed in memory, the last segment's
    // candidates written to Temp once at the end of the sizing.
    struct Size {
        QString descrip;
        double id = 0.0;
        double rating = 0.0;
    };
    struct Candidate {
        double rating = 0.0, id = 0.0, q = 0.0, vel = 0.0, fric = 0.0, re = 0.0, f = 0.0, len = 0.0;
        QString descrip, type;
        int calcMeth = 0;
    };
    // Empty when the manifold was computed; else the refusal it said.
    QString Compute();
    void ReadSizes();
    void WriteCandidates();
    std::vector<Size> sizes_;
    std::vector<Candidate> candidates_;
};

