#pragma once
// The hydraulic equations every computation uses: friction loss by the
// configured order of equations, water viscosity, the Colebrook friction
// factor, station text, thrust-block area, air-vacuum valve size and surge.
//
// Units: D inches, Q gpm, L feet, e feet, V ft/s, head feet, pressure psi,
// temperature degrees F, kinematic viscosity ft^2/s.
#include "engine/run_status.h"
#include "hydraulics/formulas.h"

#include <QString>

// What the Colebrook search says when no friction factor up to 0.10 fits.
inline const QString kFrictionOutOfRange = QStringLiteral("Darcy Weisbach friction won't compute. Out of range.");

class JHyd {
public:
    // Friction factors the Colebrook search could not find, counted over the
    // program's life: a run during which the count grew took a loss of 0
    // for a reach.
    int FrictionFaults = 0;

    double Interpolate(double frac, double lo, double hi);
    // Half up on the magnitude's fraction; a negative x is truncated toward zero.
    int RoundHalfUp(double x);
    // "12+34" for 1234 ft; a negative station shows an error and gives "".
    QString StationText(double station);

    double HazenWilliamsLoss(double D, double Q, double C, double L);
    double ManningLoss(double D, double Q, double n, double L);
    // Kinematic viscosity at T, interpolated in WaterTable between 32 and 211 F.
    void WaterViscosity(double T, double& nu);
    // The water temperature a run of the current WorkPipeTable row takes:
    // its own, or the local defaults' when it was never entered (0).
    double JobWaterTemp();
    // Darcy friction factor from the Colebrook-White equation by a step
    // search; 0 (with an error message, counted) when it is above 0.10.
    double ColebrookFriction(double e, double D, double Re);
    // At the JobWaterTemp of the current WorkPipeTable row.
    double DarcyWeisbachLoss(double D, double Q, double e, double L,
                             double& Re, QString& regime, double& f);
    // By the CompMethod of the system defaults (DefSysTable); sets
    // Tul->FrictionMethodUsed to the equation used.
    double FrictionLoss(double D, double Q, double L, double e, double C, double n,
                        double& Re, QString& regime, double& f);
    // By Fitting and ThBlkSoil of the current WorkProfTable row.
    double ThrustBlockArea(double D1, double D2);
    double ValveSize(double D, double surge);
    double SurgePressure(double E, double D, double t, double V);

    // The same equations with the table values passed in. A roughness that
    // is not above 0 is refused (std::invalid_argument), as C and n are.
    double DarcyWeisbachLossAt(double nu, double D, double Q, double e, double L,
                               double& Re, QString& regime, double& f);
    // Returns the loss; `method` receives the code of the equation used, or
    // keeps its value when none of the order is usable.
    double FrictionLossBy(int compMethod, double nu, double D, double Q, double L,
                          double e, double C, double n, double& Re, QString& regime,
                          double& f, int& method);
    double ThrustBlockAreaFor(const QString& fitting, double soil, double D1, double D2,
                              const QString& station = QString());

    // The suction line of a centrifugal pump (WorkSuctionTable, first row at
    // the water source): each segment's velocity, friction and minor losses
    // into its row, the total dynamic and the available suction head into
    // WorkPipeTable (TDSH, AvailSH, ColumnLoss) and Tul->tdsh. A line that
    // fails the suction test is told to the user; one too long to analyse is
    // refused.
    RunStatus SuctionAnalysis();
};

// The one equation object.
extern JHyd* Hyd;
