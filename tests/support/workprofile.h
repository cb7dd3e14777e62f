#pragma once
// Writes a test job into the working tables through the data module, the way
// the dialogs leave it: one WorkPipe header row and one WorkProf row per node,
// and reads stored results back. DMod must point at a data module.
#include <QString>
#include <QVariant>

#include <vector>

namespace testsupport {

struct WorkHeader {
    QString sysType = QStringLiteral("GRAVITY");
    QString pumpType;
    int sysHas = 0;
    double wsElev = 0.0;
    double outletElev = 0.0;
    double outletPsi = 0.0;
    double psiIn = 0.0;
    double columnLoss = 0.0;
    double pumpEffic = 0.0;
    double waterTemp = 60.0;
    double triclEntHgl = 0.0;
    double pumpEyeElev = 0.0;
    double tankRange = 0.0;
    double tdsh = 0.0;
    double clearHead = 0.0;
};

struct WorkNode {
    double station = 0.0;
    double invert = 0.0;
    double pipeQ = 0.0;
    double diaIn = 0.0;
    double cfac = 0.0;
    double nfac = 0.0;
    double efac = 0.0;
    double rating = 0.0;
    QString reachType;          // "GRAVBEG", "GRAVMID", "GRAVEND" ...
    int nodeType = 1;
    double psiSet = 0.0;
    double outQ = 0.0;
    double inQ = 0.0;
    double maxVel = 0.0;
    // Minor-loss slot 1 (the others stay empty).
    double k1 = 0.0;
    QString kLocate1 = QStringLiteral("NA");
    double kid1 = 0.0;
    QString fitting;
    double soil = 0.0;
    double modulus = 0.0;
    double wallThick = 0.0;
    QString pipeType = QStringLiteral("PVC");
    QString pipeDescription = QStringLiteral("6 in PVC");
};

// Empties WorkPipe and WorkProf and writes the job; both tables stay open.
void WriteWorkJob(const WorkHeader& header, const std::vector<WorkNode>& nodes);
// Empties WorkProf and writes the nodes only; the table stays open.
void WriteWorkProfile(const std::vector<WorkNode>& nodes);
// The profile as the entry dialog leaves it: the nodes numbered from the
// entrance, which is named as such, and the header's outlet at `outletElev`
// ft wanting `outletPsi`, with the missing-end flag by the last node's kind.
void WriteEnteredProfile(const std::vector<WorkNode>& nodes, double outletElev, double outletPsi = 0.0);
// Entrance at 95 ft, a 6 in pipe of C 150 carrying 500 gpm, an in-line node
// at 500 ft (invert 40) and an end of kind `endType` at 1000 ft (invert 30).
std::vector<WorkNode> GravityLine(int endType = 4);
// Entrance at 95 ft and an end at 1000 ft (invert 118), 6 in pipe of C 150
// rated 160 psi carrying 300 gpm: the pumped runs' line.
std::vector<WorkNode> PumpLine();
// Three in-line boosters left at -1 at 10+00, 20+00 and 30+00 (inverts 90,
// 130 and 146.97) between an entrance at 95 ft and an end at 40+00 (invert
// 156.97); 300 gpm in a 5.995 in bore of C 150. Its header: water surface
// 100, the outlet at 160 ft wanting 1 psi, 5 ft of clearance.
std::vector<WorkNode> ThreeBoostersLine();
WorkHeader ThreeBoostersHeader();
// Gives every profile row the pipe, flow and rating of `pipe` (an imported
// profile has none), with no minor losses.
void GivePipes(const WorkNode& pipe);
// Writes one field of the k-th profile row (0 = entrance).
void SetProfField(int row, const char* field, const QVariant& value);
// Sets the friction-method order of the system defaults.
void SetCompMethod(int method);

// A WorkProf field of the k-th row (0 = entrance), opening the table if needed.
double ProfValue(int row, const char* field);
QString ProfText(int row, const char* field);
bool ProfIsNull(int row, const char* field);
// A WorkPipe field of the header row.
double PipeValue(const char* field);
QString PipeText(const char* field);

} // namespace testsupport
