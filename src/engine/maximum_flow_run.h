#pragma once
// The maximum-flow gravity run: the largest flow a gravity line running full
// carries from its water surface to its outlet at the required outlet
// pressure, and the profile at that flow.
//
// Reach convention: a station's pipe data (DiaIn, Nfac, Cfac, Efac) describe
// the reach to the next station; the upstream station holds the reach length
// (PipeLength), the downstream one its friction loss and how it was computed.
#include "engine/run_status.h"

#include <QString>
#include <QStringList>

#include <vector>

class TSta;

class TFFlow {
public:
    // The whole run on the working tables: loads the job, finds the flow,
    // writes the results into WorkProfTable. Not computed when no flow was
    // found; the row warnings no message said are listed with their stations.
    RunStatus RunFullFlow();

    // Finds the flow on the n stations and leaves them computed at it.
    // Returns false when no flow was found (outlet too high, or no flow keeps
    // every pipe full); the stations then hold no pass results and the last
    // station's Warning says why.
    // `passes`, when given, receives the number of passes the search made.
    bool SolveFullFlow(TSta** sta, int n, int* passes = nullptr);

    // The steps of a pass; the reach steps use the friction setting that
    // SolveFullFlow reads at its start.

    // Entrance values at the trial flow Q.
    void FullFlowInletComp(TSta& s0, double Q);
    // One reach from u down to s. 0, or the (negative) height of the
    // hydraulic grade line below the top of s's pipe.
    double FullFlowSegComp(TSta& u, TSta& s);
    // The last reach and the end node l.
    void FullFlowEndComp(TSta& u, TSta& l);

    void CheckFullFlowWarnings(TSta** sta, int n);
    void WriteFullFlowResults(TSta** sta, int n);

    // Why a pass at a trial flow failed.
    enum class PassFault { None, PipeNotFull, NegativeFlow, NotComputable };
    struct PassResult {
        PassFault fault = PassFault::None;
        int station = -1;      // index of the station where the pass stopped
        double margin = 0.0;   // last station's Hgl minus the target (completed passes)
    };
    // One forward pass at flow Q over the n stations.
    PassResult RunPass(TSta** sta, int n, double Q, double target);

    // The search's trials run on a packed copy of the stations (LoadLanes
    // first, once SolveFullFlow has set the inverts and friction setting).
    // A trial decides exactly as RunPass at the same flow, but leaves the
    // stations untouched.
    void LoadLanes(TSta** sta, int n);
    PassResult SearchPass(double Q, double target);

    // Search limits. A sound search ends long before them: it ends when the
    // margin is settled, or when a trial would repeat the flow it has.
    static constexpr int kMaxHalvings = 64;
    static constexpr int kMaxPasses = 20000;

private:
    // Invert from ground and cover for a row whose cover is given; an invert
    // entered directly, or set at the ground, is kept.
    static void InvertFromCover(TSta& s);
    // The invert InvertFromCover gives s with pipe diameter `dia`.
    static double InvertFromCover(const TSta& s, double dia);
    // Losses, grade lines, invert and pressure at s, the downstream end of
    // the reach from u, once s's flow and velocity are set.
    void ReachEnd(TSta& u, TSta& s);
    // Reads the equation order of the system defaults and, when a reach has
    // a roughness, the water's viscosity: a search makes thousands of
    // friction computations and the tables do not change while it runs.
    void ReadFrictionSetting(TSta** sta, int n);
    // Clears every computed member of the stations (the state before a pass).
    static void ClearResults(TSta** sta, int n);
    // The search itself; `count` receives the passes made.
    bool FindFlow(TSta** sta, int n, int& count);
    // Gives up: clears the stations, puts the reason into the last station's
    // Warning and tells the user.
    void ReportNoFlow(TSta** sta, int n, const PassResult& why);

    // One station's values a search trial reads, packed together: the search
    // makes hundreds of trials, and in the wide station records these lie
    // spread over many cache lines. A trial on the lanes does the arithmetic
    // of RunPass in the same order, so it decides alike; the stations get
    // their full results from one pass at the flow found.
    struct Lane {
        double DiaIn = 0, area = 0, OutQ = 0, InQ = 0, crown = 0;
        double length = 0; // to the next station
        double Efac = 0, Cfac = 0, Nfac = 0;
        int reach = 0;     // equal on neighbours of the same pipe and length
        bool hasK = false, flowChanges = false;
        const TSta* sta = nullptr; // its minor-loss slots, read only where hasK
    };
    double LaneFriction(const Lane& u, double Q);
    // The end node takes the diameter of the reach above it (and the invert
    // that gives) once a trial reaches it, as a pass on the stations does.
    void TakeEndDiameter(TSta** sta, int n);

    std::vector<Lane> lanes_;
    double endInvert_ = 0.0;
    bool reachedEnd_ = false;
    struct LaneMemo {
        bool valid = false;
        int reach = 0;
        double Q = 0;
        double loss = 0;
        int method = 0;
    } laneMemo_;

    // Friction setting of the search under way.
    int compMethod_ = 0;
    double viscosity_ = 0.0;
    // The last friction loss worked out and what it was worked out from: a
    // reach of the same pipe, flow and length as the one before it (a line
    // surveyed at even stations) takes it again instead of another friction
    // search. Only a positive loss is kept, so a reach that failed is
    // always worked out (and reported) anew.
    struct FrictionMemo {
        bool valid = false;
        int compMethod = 0;
        double nu = 0, D = 0, Q = 0, L = 0, e = 0, C = 0, n = 0;
        double loss = 0, Re = 0, f = 0;
        QString regime;
        int method = 0;
    } memo_;
};

// The one maximum-flow run object.
extern TFFlow* FFlow;
void CreateFullFlowObject();
void DeleteFullFlowObject();
