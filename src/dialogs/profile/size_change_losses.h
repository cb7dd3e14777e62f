#pragma once
// Size-change losses: when a reach gets a pipe of another inside diameter,
// the contraction or enlargement at its node is recorded (through the
// contraction and enlargement dialog) and, during an insert or a pick from
// the reach dialog's pipe button, the loss at the downstream node follows.
class QWidget;

// Works on the current WorkProfTable row, whose DiaIn is the new diameter;
// the job object's DiaIn is the upstream one. Ends on the row of NewStation.
void AssignSizeChangeLosses(QWidget* owner);

// The downstream half: at the row of InsertPointStation, whose reach has the
// diameter InsertPointDiaIn, the loss for a pipe of `newDiaIn` arriving from
// upstream. Leaves the cursor on that row.
void AdjustDownstreamSizeChange(double newDiaIn);
