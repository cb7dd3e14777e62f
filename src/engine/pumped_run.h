#pragma once
// The pumped and pressurised run: a serial pipeline whose entrance is a pump
// (centrifugal, turbine, propeller, booster, automatic pressure tank) or a
// pressurised main. Each pass computes flows, losses, grade lines and
// pressures node by node, raises the grade line where the pipe would not run
// full with the required clearance, finds the on and off elevations of a
// pressure tank, checks the pipe ratings, sizes the pump (head, horsepower,
// motor) and writes everything back into WorkPipe and WorkProf. A line that
// ends in a manifold needing more head than the first pass left there gets a
// second pass with the end grade pinned. Each run writes a plain-text trace
// to "pumpFlow.txt" beside the database.
#include "engine/run_status.h"

#include <QString>
#include <QStringList>

#include <cstdio>

class TSta;

class TPump {
public:
    // The whole run on the job in the working tables: one or two passes, the
    // gated-pipe run when the line ends in gated pipe.
    RunStatus RunPumpCalc();
    // One pass over the Tul->NumNodes stations in `sta`, ending with the pump
    // sizing; `trace` may be null. Says why the line needs no pump (its
    // results are then not to be stored); empty when the pump is sized.
    QString CalcPumpProfile(TSta** sta, std::FILE* trace);
    // Warns when the station runs faster than its pipe allows.
    void CheckPlasticVelocity(TSta* s);
    // Pump values into WorkPipe, each station into its WorkProf row; finds
    // the surge pressure at the fastest station. Gives the faults it wrote
    // on rows that no message said.
    QStringList StorePumpResults(TSta** sta, int n);
};

// The one pumped-run object.
extern TPump* Pump;
void CreatePumpObject();
void DeletePumpObject();
