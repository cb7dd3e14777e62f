#pragma once
// The station record: one node of the profile with its loaded data and its
// hydraulic results, and the array of records the runs hold.
#include <QString>

class TSta {
public:
    // Every member starts at zero or empty, so nothing printed from a record
    // that a computation did not reach is garbage.
    QString StaText;
    int ReachCode = 0;
    int NodeType = 0;   // the node's kind: 2 an in-line booster, 3 a pressure reducer ...
    double Station = 0.0;
    double PipeLength = 0.0;
    double PipeDepth = 0.0;
    double PressurRating = 0.0;
    QString PipeDescription;
    QString PipeType;
    double GroundElev = 0.0;
    double InvertElev = 0.0;
    double InQ = 0.0;
    double OutQ = 0.0;
    double PipeQ = 0.0;
    double PsiSet = 0.0;
    double DiaIn = 0.0;
    double WallThick = 0.0;
    double Nfac = 0.0;
    double Cfac = 0.0;
    double Efac = 0.0;
    double vel = 0.0;
    double MaxVel = 0.0;
    double Psi = 0.0;
    double Hgl = 0.0;
    double Egl = 0.0;
    double Sgl = 0.0;
    QString Warning;
    double Floss = 0.0;
    double Kloss = 0.0;
    double K1 = 0.0, K2 = 0.0, K3 = 0.0;
    int KLocate1 = 0, KLocate2 = 0, KLocate3 = 0;
    double Kid1 = 0.0, Kid2 = 0.0, Kid3 = 0.0;
    double StatPres = 0.0;
    double Re = 0.0;
    double F = 0.0;
    QString FlowType;
    double WtPerFt = 0.0;
    double CostFt = 0.0;
    int FrictionMethodUsed = 0;
    double HighPointDiaIn = 0.0;
    double Modulus = 0.0;
    // Invert-elevation method of the row: 0 cover given, 1 invert entered,
    // 2 invert at the ground (the maximum-flow run recomputes only 0).
    int InvElMethod = 0;
};

// The node kinds that own a set pressure: an in-line booster sets the
// pressure at its outlet, a pressure reducer the pressure it passes on. Any
// other node runs as plain, whatever set pressure its row still holds.
inline constexpr int kBoosterNode = 2;
inline constexpr int kReducerNode = 3;
inline bool OwnsSetPressure(int nodeType) { return nodeType == kBoosterNode || nodeType == kReducerNode; }

// Largest number of station records a run holds.
inline constexpr int kMaxStations = 100;

// Most nodes a manifold may have, and the fewest it needs.
inline constexpr int kMaxManifoldNodes = 150;
inline constexpr int kMinManifoldNodes = 2;

// The records of the gravity, maximum-flow and pumped runs (and of the suction
// analysis and cost estimate); null between runs.
extern TSta* psta[kMaxStations];

// Empty when a profile of numNodes nodes can be computed (2 to 100 nodes);
// otherwise shows an error message that says why and returns its text, and
// the caller must not run.
QString StationCountRefusal(int numNodes);

// Creates `count` zeroed records in psta[0 .. count-1] (count at most 100) and
// deletes them again; runs call these around LoadJobFromWorkTables.
void CreateStationRecords(int count);
void FreeStationRecords();
