#include "model/job_row_kinds.h"

JobRowKinds RowKindsOf(int sysHas, const QString& pumpType)
{
    JobRowKinds k;
    const bool pipeline = sysHas != 4 && sysHas != 8;
    k.Profile = pipeline;
    k.Gated = sysHas == 1 || sysHas == 8;
    k.Trickle = sysHas == 2 || sysHas == 4;
    k.Suction = pipeline && pumpType == QLatin1String("CENTRIF");
    return k;
}
