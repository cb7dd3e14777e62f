#pragma once
// Which child tables a job has rows in, by the kind its header gives.
#include <QString>

// Which child rows a job has, by the SysHas and PumpType of its header.
// Storing, loading, export, import and the check of a job's values all
// decide by this, so a job always travels with the same tables.
struct JobRowKinds {
    bool Profile = false;   // pipeline jobs (not the manifold designer's or the gated-pipe tool's)
    bool Gated = false;     // ends in gated pipe (1) or a gated-pipe tool job (8)
    bool Trickle = false;   // ends in a manifold (2) or a manifold designer job (4)
    bool Suction = false;   // a pipeline job pumped by a centrifugal pump
};
JobRowKinds RowKindsOf(int sysHas, const QString& pumpType);
