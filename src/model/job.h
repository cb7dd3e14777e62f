#pragma once
// The job object: the one in-memory record of the job being worked on, the
// keyword and code tables the tables and the computations share, and the row
// locators and station services that dialogs and runs call on it.
#include <QList>
#include <QStringList>
#include <QString>

#include <functional>
#include <optional>

class TSta;

// Keyword <-> code tables. Keywords match exactly: case-sensitive, whole string.

// "GRAVITY" 0, "FULLFLOW" 1, "PUMPED" 2, "PRESSURE" 3, "MANIFOLD" 4; any other
// keyword (including "GATED") gives `unchanged`.
int SysTypeCodeOf(const QString& keyword, int unchanged);
// Keyword of a system type code 0-5 ("GATED" for 5); empty for any other.
QString SysTypeKeyword(int code);
// "CENTRIF" 1 ... "AUTOPUMP" 7, "INLINE BOOSTER" 8; any other text 0.
int PumpTypeCodeOf(const QString& keyword);
// Keyword of a pump type code 1-8; empty for any other.
QString PumpTypeKeyword(int code);
// "GRAVBEG" 0 ... "PUMPTRICKLE" 14; any other text -1.
int ReachCodeOf(const QString& keyword);
// Keyword of a reach code 0-14; empty for any other.
QString ReachKeyword(int code);

// Where a node stands for the pressure-rating check.
inline constexpr int kAtEntrance = 0;
inline constexpr int kAtManifoldStart = 1;
inline constexpr int kAtInnerNode = 2;
inline constexpr int kAtEnd = 3;

// The pump type and reach codes the runs test by name.
inline constexpr int kPumpNone = 0;
inline constexpr int kPumpCentrif = 1;
inline constexpr int kPumpTurbine = 2;
inline constexpr int kPumpPropeller = 3;
inline constexpr int kPumpBooster = 4;
inline constexpr int kPumpPressFind = 5;
inline constexpr int kPumpPressKnown = 6;
inline constexpr int kPumpAuto = 7;
inline constexpr int kPumpInlineBooster = 8;
// The header's WSElev of an entrance without a water surface (a booster, a main).
inline constexpr double kNoWaterSurface = -100.0;
inline constexpr int kReachGravEnd = 2;
inline constexpr int kReachGravGated = 3;
inline constexpr int kReachGravTrickle = 5;
inline constexpr int kReachPumpEnd = 11;
inline constexpr int kReachPumpGated = 12;
inline constexpr int kReachPumpTrickle = 14;
// Minor-loss location: 0 upstream for exactly "US", 1 for every other text.
int KLocateCodeOf(const QString& location);
// Node type texts of the profile ("Pipe entrance (any type)" ... code 6).
QString NodeTypeText(int code);   // empty outside 0-6
// The texts the node lists offer, in list order: every kind, but the gravity
// designer has no in-line booster pump. A list position is therefore not a
// node type code: the code goes by the text.
QStringList OfferedNodeTypeTexts();
// The reach keyword of a node of kind `nodeType` (0-6) in a job of system
// type `sysType`: the gravity, the maximum-flow or (pumped and pressurised)
// the pumped one; an in-line booster's is "GRAVMID" in every system. Empty
// where the system has none (gated pipe or a manifold ending a maximum-flow
// line) and for any other kind.
QString ReachKeywordOf(const QString& sysType, int nodeType);
// A job's kind is its system type with its pump type. Changing it, once the
// header holds the new SysType and PumpType (in an edit), takes away what
// the new kind does not own: a pump type of another system, the entrance
// values of other kinds (a booster's inlet pressure, a tank's range, a
// centrifugal pump's altitude, temperature, suction loss and heads, another
// kind's column loss) and the last run's results. A kind
// without a water surface (a booster, a main) marks WSElev -100 and the job
// object keeps the real one; a kind with one takes that back, or none. The
// same kind again changes nothing.
void TakeAwayOtherKindsValues(const QString& sysTypeBefore, const QString& pumpTypeBefore);
int NodeTypeCodeOf(const QString& text); // -1 for an unknown text
// Invert-elevation method texts (codes 0-2).
QString InvElMethodText(int code); // empty outside 0-2
int InvElMethodCodeOf(const QString& text); // -1 for an unknown text

class TTul {
public:
    // Entry of the temporary station list of BuildStationList.
    struct StationListEntry {
        int RecordNo = 0;
        QString Station;
    };
    using AList = QList<StationListEntry>;

    // Members start with the values of a new, empty job (those ResetJobRecord
    // gives); members the reset keeps start at zero, false or empty.
    bool NewJob = true;
    bool PrevJobLoaded = false;
    bool StoredJob = false;
    int FrictionMethodUsed = 0;   // 0 Darcy-Weisbach, 1 Manning, 2 Hazen-Williams
    int SaveState = 2;            // 0 never stored, 1 unsaved changes, 2 nothing to save
    // The job was imported under the name of a stored job (JobNumber) that
    // it did not come from: replacing that job asks first.
    bool ImportedOverStored = false;
    bool NewNode = true;
    bool ProfileEntryActive = false;
    int NumNodes = 0;
    int SysHas = 0;               // 0 nothing, 1 gated, 2 manifold, 4 manifold job, 8 gated job
    int SysTypeCode = 0;
    int NodeChoice = 0;
    int SuctionSegmentNo = 0;
    int PumpTypeCode = 0;
    double ColumnLoss = 0.0;
    bool CheckRatings = true;
    bool PipeRchPick = false;
    int MinorLossSlot = 0;
    bool DetailedML = true;
    double WSElev = 0.0;
    double OutletElev = 0.0;
    double OffElev = 0.0;
    double OnElev = 0.0;
    double PinnedEndHgl = 0.0;
    double PumpEyeElev = 0.0;
    double PumpEffic = 0.0;
    double OutletPsi = 0.0;
    double PsiIn = 0.0;
    double EndPsi = 0.0;
    double TankRange = 0.0;
    double ClearHead = 0.0;
    double TriclMinHead = 0.0;
    double TDH = 0.0;
    double tdsh = 0.0;
    double WHP = 0.0;
    double BHP = 0.0;
    QString MotorSize;
    double DesignFlow = 0.0;
    double DesignFlowCfs = 0.0;
    double InsertPointStation = 0.0;
    double InsertPointDiaIn = 0.0;
    double NewStation = 0.0;
    double TrickleStation = 0.0;
    double GroundElev = 0.0;
    int NewRecordNo = 0;
    double Station = 0.0;
    double DiaIn = 0.0;
    double PipeQ = 0.0;
    double PipeDepth = 0.0;
    int InvElMethod = 0;
    double WallThick = 0.0;
    int NodeType = 0;
    int PipePickTarget = 0;       // 0 profile reach, 1 suction segment, 3 gated pipe
    double Nfactor = 0.0;
    double Cfactor = 0.0;
    double Efactor = 0.0;
    QString PipeType;
    QString DownStreamPipeDescription;
    QString Description3;
    QString MaterialText;
    double SurgePsi = 0.0;
    double BoosterHgl = 0.0;
    double BoosterSgl = 0.0;
    bool FirstPoint = true;
    bool InsertingNode = false;
    bool AddingNode = false;
    bool JobListCancelled = false;
    bool Cancelled = false;
    bool EndNodeChosen = false;
    bool EditingNode = false;
    bool GatedLossPick = false;
    double PrevDiaIn = 0.0;
    double EndNodeDiaIn = 0.0;    // diameter of the end node, kept by the reach dialog
    bool GatedPipePick = false;
    bool ReachPipePick = false;
    int RecordNo = 0;
    int JobNumber = 0;
    QString JobName;
    QString JobText2;
    QString JobText3;
    QString Date;
    bool WasCancelled = false;
    // Pump kinds ("CENTRIF" ... "INLINE BOOSTER") whose dialog has opened
    // for this new job and filled in its defaults.
    QStringList PumpKindsDefaulted;
    // The water surface a kind without one took away, for a kind with one to
    // take back (the header marks its place with -100).
    std::optional<double> WaterSurfaceTakenAway;
    // The in-line booster's dialog gave a line without an outlet pressure
    // its default 1 psi, which goes again with the last booster.
    bool BoosterSetOutletPsi = false;
    // Set while the booster dialog opens for a node just given the booster
    // kind: the node takes the booster's own defaults.
    bool BoosterNodeChosen = false;
    bool ProfEntryCancelled = false;
    double Cfac = 0.0;
    double Nfac = 0.0;
    double Efac = 0.0;
    double PressurRating = 0.0;
    double WtPerFt = 0.0;
    // The rest of a picked pipe: a pipe carried on to a new reach is the
    // whole pipe, so that its surge, cost and velocity limit come with it.
    double NomDia = 0.0;
    double PipeRating = 0.0;
    double Modulus = 0.0;
    double MaxVel = 0.0;

    // Copies the working header into the job object and up to `count` (at most
    // 100) profile rows into `records`, after renumbering the profile.
    // WorkPipeTable must be open and on the job's row. (station.cpp)
    void LoadJobFromWorkTables(TSta** records, int count);

    // Row locators: post a pending edit, find the row by its key and put it
    // into edit state. They return false when the row is not there; the cursor
    // then stays where it was and no row is put into edit state, so a caller
    // that writes into the row must act only on true. A table without rows, or
    // a current row whose key is still empty while the key sought is 0, is the
    // row being entered: it is put into edit state and counts as found.
    bool LocateProfStation();
    bool LocateProfRecordNo(int recordNo);
    bool LocateSuctionSegment();
    bool LocateSuctionSegmentNo(int segmentNo);
    bool LocateTrickleStation();

    // Copies the current WorkProfTable row into the current-row members.
    void LoadCurrentProfRow();
    // The pipe of the current WorkProfTable row (every column a pipe pick
    // writes) into the current-row members, and back into the current row,
    // which must be in edit.
    void LoadReachPipe();
    void WriteReachPipe();
    // Renumbers RecordNo 1, 2, 3 ... in the table's order.
    void BuildStationList();
    // Pressure-rating warning at a node at one of the rating positions below
    // (the entrance and a manifold's start are checked alike).
    // Returns 1 when `warning` was written, else 0 (warning left alone).
    int CheckPressureRatings(int position, double setPsi, double linePsi,
                             double upRating, double downRating, QString& warning);
    // Head loss (ft) of minor-loss slot 0-2 of station s; u is the upstream
    // station (the entrance passes itself and inlet true).
    double StationVelocityHeadLoss(int slot, const TSta& s, const TSta& u, bool inlet);
    // The same from the flows and diameters alone: s's minor-loss slots with
    // the upstream (uQ, uD) and own (sQ, sD) flow and diameter.
    double StationVelocityHeadLoss(int slot, const TSta& s, double uQ, double uD, double sQ, double sD,
                                   bool inlet);

    // Node kinds and flows.
    // Turns the current WorkProfTable row's NodeTypeDesc and the job's system
    // type into the node type, reach keyword and end-of-line effects, refuses
    // what the system cannot compute (error message, nothing else written),
    // opens the dialog the kind needs and gives a new node its invert method.
    void ApplyNodeTypeChoice();
    // Fills the new current WorkProfTable row from the node loaded last
    // (LoadCurrentProfRow) and the local defaults.
    void FillNewProfRow();
    // Carries the design flow down the profile through each node's InQ and
    // OutQ; a line ending in a manifold takes the manifold's entrance flow.
    void AdjustSupplyFlowToManifold();
    // The same, then the node being edited is made current again.
    void RefreshManifoldSupply();
};

// Opens the dialog a node kind needs: "Booster" the in-line booster pump,
// "Gated" the pipe picker and the gated pipe, "Manifold" the manifold end.
// The main window, which owns those dialogs, installs it; unset, nothing opens.
inline std::function<void(const QString& kind)> NodeKindDialogOpener;

// Sets the header's required water surface at the outlet from its outlet
// elevation and the minimum pressure required there.
void SetRequiredOutletLevel();

// The one job object.
extern TTul* Tul;
// Creates the job object into Tul (once, at program start).
void CreateJobObject();
