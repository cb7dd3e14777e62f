#pragma once
// What the manifold reports share: the node columns, the reach lines under a node and the cost rows of a segment.
#include "platform/report/report.h"

#include <initializer_list>

namespace reports {

// The node column headings ("NODE DATA", "Station" ... "Minor Losses    (ft)").
void AddManifoldColumnHeads(report::Band* band);
// The node line and, below it, the reach lines of the segment that leaves
// the node; returns where the lines end. `friction` is the text after the
// friction loss ("feet" or "feet,").
double AddManifoldNodeLines(report::Band* band, const QString& friction);
// The reach lines print only under a node with a pipe below it: the last
// node has none. Before a node prints: switches them, stacks the controls
// named in `below` under them (or under the node line) and makes the band
// just tall enough; `reachEnd` is what AddManifoldNodeLines returned.
void ShowManifoldReachLines(const report::Report& r, report::Band& band, double reachEnd,
                            std::initializer_list<const char*> below);

// The cost columns of a manifold segment on the detail band: station, length
// (`lengthName`), cost per foot `CostFt`, reach cost `RchCst` and the pipe
// (`pipeName`), in the columns of the cost table.
void AddManifoldCostCells(report::Band* band, const char* lengthName, const char* pipeName);
// Before a node row prints: adds its reach cost to `total` and shows the
// segment cells (`cells`) only for a node with a segment below it.
void PrintManifoldCostRow(const report::Report& r, std::initializer_list<const char*> cells, double& total);
// The summary's total, `CostTotLbl`, in whole dollars.
void PrintManifoldCostTotal(const report::Report& r, double total);

} // namespace reports
