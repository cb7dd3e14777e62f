#pragma once
// Orifice sizes of an air-vacuum valve, with the pipe's collapse pressure.
//
// The vacuum relief orifice lets air in at the pipe's draining flow without
// a vacuum beyond what the pipe stands; the air release orifice lets air out
// at the filling flow.
//
// US units: diameters and wall in inches, flows in gpm, pressure in psi,
// modulus in psi, air density in lb/cu ft, velocity in ft/s.
#include <QString>

#include <optional>

// What a pipe material brings with it: the Hazen-Williams C, Young's modulus
// and Poisson's ratio.
struct AirVacMaterial {
    double Cfac;
    double Modulus;
    double PoissonsRatio;
};

// The constants of "PVC", "Steel" or "PE"; nothing for any other text.
std::optional<AirVacMaterial> AirVacMaterialOf(const QString& material);
// What is said of any other material text.
QString UnknownMaterialMessage(const QString& material);
// What is said of a wall of at least half the outside diameter.
QString WallTooThickMessage();

struct AirVacInput {
    QString Material;
    double FlowCoef = 0;     // orifice flow coefficient Cd
    double AirDen = 0;       // lb/cu ft
    double Modulus = 0;      // psi
    double WallThick = 0;    // in
    double OD = 0;           // in: draining flow and collapse pressure
    double DiaIn = 0;        // in: filling flow
    bool SlopeGiven = true;  // the draining flow follows from the slope
    double Slope = 0;        // ft/ft
    double DrainQ = 0;       // gpm, when the slope is not given
    double FillVel = 0;      // ft/s
};

// The results as the working row stores them: flows in whole gpm, the
// collapse pressure to 0.1 psi, the orifices to 0.01 in.
struct AirVacResult {
    QString Problem;         // why nothing was computed; empty when it was
    double PoissonsRatio = 0;
    double Cfac = 0;
    double VacQ = 0;         // the draining flow, gpm
    double PCollapse = 0;    // psi, at most 5
    double VacOrifice = 0;   // in
    double AirRelOrifice = 0;
    double FillQ = 0;        // gpm
};

// An unknown material, or an input the formulas cannot use (zero, negative
// or missing), gives only Problem: the message to show.
AirVacResult ComputeAirVacOrifices(const AirVacInput& in);
