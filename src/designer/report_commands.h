#pragma once
// The report commands of the main window's output page. Each creates the
// report forms the current job needs (the end-node and pump sections first,
// then the composite) owned by `owner`, previews the composite, and deletes
// the forms again with their pointers cleared. The hourglass shows meanwhile;
// the cursor is restored also when an exception passes on.
class QWidget;

// "Detailed": the detailed hydraulic report with its thrust-block pages.
void QRDetailedCommand(QWidget* owner);
// "Summary": the summary hydraulic report.
void QRSummaryCommand(QWidget* owner);
// "Cost": first offers the unit-cost editor, then the cost estimate report.
void QRCostCommand(QWidget* owner);
// "Graph": the graphic profile.
void QRGraphCommand(QWidget* owner);
