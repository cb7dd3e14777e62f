#pragma once
// The known-flow gravity run: the hydraulic profile of a gravity line that
// carries a known flow, from the entrance (a water surface or a main of known
// pressure) station by station to the end node, with friction and minor
// losses, grade lines, pressures, the outlet checks, pressure-reducing
// stations and an in-line booster whose outlet pressure may be left to be
// found. Each run writes a plain-text trace to "GravFlow.txt" beside the
// database and its results into WorkPipe and WorkProf.
//
// The pumped run computes its reaches and its end node with InletComps,
// SegComp and EndComp of the same object.
#include "engine/pump_results.h"
#include "engine/run_status.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <set>

class TSta;

// Feet of water per psi as the gravity and pumped runs use it (1/0.43344).
inline constexpr double kGravFtPerPsi = 2.307124400147656;

// What a booster adds: from the energy grade the line brings it to the grade
// its outlet pressure gives over its invert, at the velocity of its pipe.
double BoosterHead(double vel, double outletPsi, double invert, double arrivingEgl);

class TGrav {
public:
    // Set when the in-line booster station asks for its outlet pressure to be
    // found (set pressure -1).
    bool BoosterRerun = false;
    // Index of the last in-line booster a pass reached in the station
    // array: the one whose pressure is to be found when the pass stopped.
    int BoosterIndex = 0;
    // HGL at the booster outlet: set pressure as head + invert elevation.
    double BoosterHgl = 0.0;
    // Last station's HGL minus the manifold's design entrance HGL, when the
    // line ends in a manifold.
    double TrickleHglMargin = 0.0;

    // The whole run on the job in the working tables, with the gated-pipe
    // run of a line that ends in gated pipe.
    RunStatus RunGravityProfile();

    // Station steps, each writing its line to `trace` (which may be null).
    // Entrance minor losses (plus the pump column loss when a pump is set).
    void InletComps(TSta* s0, std::FILE* trace);
    // One reach, from u down to s: length, friction and minor losses.
    void SegComp(TSta* s, TSta* u, std::FILE* trace);
    // The end node l and its reach from p; f is the first station.
    void EndComp(TSta* l, TSta* p, TSta* f, std::FILE* trace);
    // One forward pass over Tul->NumNodes stations: grade lines, pressures,
    // checks and the booster sizing.
    void FinalComp(TSta** sta, std::FILE* trace);
    // Grade lines from the required outlet pressure back up the line, so that
    // the booster's outlet pressure can be found: every node keeps its
    // clearance above the crown, a pressure reducer's inlet holds at least
    // its setting, and above a booster the line need only keep the booster's
    // inlet full. Only the booster at BoosterIndex left at -1 takes what was
    // found.
    void BackwardFromOutlet(TSta** sta, std::FILE* trace);

    // Job results into WorkPipe, station results, thrust blocks, air-vacuum
    // valves, surge and the friction method text into WorkProf. Gives the
    // faults it wrote on rows that no message said.
    QStringList WriteProfileResults(TSta** sta, int n);
    // Moves the manifold that starts at the end node by `margin` ft of head
    // and checks it again (WorkTrickle).
    void CheckTrickleManifold(double margin);

private:
    // The last FinalComp pass stopped at a booster whose pressure is to be found.
    bool passStopped_ = false;
    // The stations above the booster where a pass of this run stopped: their
    // messages were shown.
    int messagedBefore_ = 0;
    // The reducers this run has told they are set below what the line under
    // them needs: each backward pass passes them again.
    std::set<int> toldSetTooLow_;
    // The booster could not be sized: the run stores no profile results.
    QString boosterRefusal_;
    // Sizes every booster of a pass that ran through, top first, into the
    // stations and the job's sums; refuses the first that adds no head.
    void SizeBoosters(TSta** sta);
    // Refuses the run, naming booster b, when it adds no head to the line
    // that reaches it with `arrivingEgl`.
    bool RefusedForNoHead(TSta* b, double arrivingEgl);
    void SkipBoosterSizing(const QString& why, TSta* booster);
};

// The one gravity-run object.
extern TGrav* Grav;
void CreateGravObject();
void DeleteGravObject();
