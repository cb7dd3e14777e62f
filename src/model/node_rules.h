#pragma once
// Rules shared by every place that adds or inserts profile nodes: the main
// window's node commands and the initial profile entry dialog.
#include <QString>

#include <optional>
#include <utility>

// The node kinds that end a profile: normal end, gated pipe, manifold and
// the stock-water end (codes 4 to 7).
inline bool IsEndNodeType(int nodeType) { return nodeType >= 4 && nodeType <= 7; }

// The station of a node inserted between the previous node's station and the
// insert point's: one station increment past the previous node when the gap
// leaves at least a foot beyond it, else 10 ft when the gap is wider, else
// 1 ft (a 10 ft step into a 10 ft gap would repeat the insert point). Empty when the
// result would not lie strictly between its neighbours (a gap of 1 ft or
// less); a zero or negative increment is skipped, since it would repeat the
// previous station.
std::optional<double> InsertedStation(double previous, double insertPoint, double increment);

// The message for an insert refused because no station fits between.
QString NoRoomToInsertText(double previous, double insertPoint);

// True when no other row of the profile lies beyond the current row's
// station (also while that row is being edited or inserted).
bool CurrentNodeIsLast();

// The stations of the rows before and after the current one, read in place
// (the current row may be in an edit or an insert); minus or plus infinity
// where there is none.
std::pair<double, double> NeighbourStations();

// The refusal, naming the flow available, of a current row whose outflow is
// more than the flow that reaches its node: the flow of the reach above it
// (the design flow at the entrance) with the node's own inflow. Empty when
// the outflow fits. Read in place: the row may be in an edit or an insert.
QString OutflowAboveFlowReachingText();
// The refusal of a design flow that the profile's outflows, as its rows now
// stand (read in place), would carry below zero somewhere down the line:
// names the first station where it would, and the least design flow that
// keeps every reach at zero or above. Empty when every reach keeps a flow,
// and for a line whose flow its manifold sets.
QString FlowBelowZeroText(double designFlow);

// True when a profile of `nodes` rows may take one more node; otherwise shows
// the error that says the profile is full.
bool RoomForAnotherNode(int nodes);
// The same for any list of a job's rows: true when `rows` rows may take one
// more of the `most` a job holds (what its import takes); otherwise the error
// names the limit ("A suction line can have no more than 100 segments. ...").
bool RoomForAnother(int rows, int most, const QString& whole, const QString& row);

// The line of system type `sysType` that can hold no in-line booster pump,
// by the name its refusals give it: "pumped" (a pumped or pressurized line
// has its pump at the entrance) or "wide open" (the maximum-flow search has
// no booster in it). Empty for a line that takes one.
QString LineWithoutBoosters(const QString& sysType);
// "The in-line booster pump at 10+00 can't stay in a wide open pipeline.":
// the profile's first booster node, when a line of system type `sysType`
// can hold none. Empty otherwise. Leaves the profile's cursor where it was.
QString BoosterTheLineCannotHoldText(const QString& sysType);

// After a booster node (node type 2) was deleted: when no booster node is
// left, the job's pump type "INLINE BOOSTER" goes too, since the runs and the
// reports take the pump from the header. Moves the profile's cursor; a
// closed profile counts as empty.
void DropInlineBoosterWhenNoneLeft();

// Every profile row's reach keyword follows its node's kind and the
// header's system type, as choosing that kind in that system writes it: the
// runs pin the end, start a pump and go on into gated pipe by these
// keywords. A row being entered (an insert, or the empty profile's first
// row) is the entrance. Leaves the cursor where it was.
void WriteReachKeywords();

// After the gated-pipe or manifold end node was deleted: the job no longer
// ends in gated pipe or a manifold (SysHas 0 in the header and the job
// object), so nothing goes on adjusting or drawing the old end.
void ForgetGatedOrManifoldEnd();

// Each profile row from the second on carries the flow of the row above plus
// its own inflow less its outflow; the entrance keeps its own. The runs read
// these flows as stored, so every command that adds, removes or walks rows
// ends with them consistent.
void CarryFlowsDown();

// The invert of a node laid at a given cover: the ground less the depth to
// the top of the pipe, the wall and the bore (all three in inches), as it is
// stored, to the hundredth of a foot. Every dialog that shows it and the run
// that checks it work it out here, so they never differ in a digit.
double InvertFromCover(double ground, double depth, double wall, double bore);

// Before a run: every row's invert follows its method. A depth given makes
// it the ground less the depth to the top of the pipe, the wall and the bore
// (of the pipe arriving, at an end node); a node at ground level has it at
// the ground; an invert entered directly is taken as entered. A plain end
// node without a bore takes the pipe arriving, as the reach dialog hands it
// on. A value the
// method needs that was never entered (the ground, the depth or the invert
// itself) stops the rows there: what is missing ("ground elevation", ...)
// and at which station is returned, for the run to be refused with. Empty
// when every row has its invert.
struct MissingNodeValue {
    QString what;
    double station = 0.0;
};
std::optional<MissingNodeValue> ApplyInvertMethods();
