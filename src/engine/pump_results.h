#pragma once
// What a pump lifting a head needs (horsepower and motor), and the pump
// results of a run as they read back from the working tables: each in-line
// booster's head, horsepower and motor, and the pressure a main must give
// where the run found it.
#include <QString>
#include <QStringList>

// Nominal motor size for a brake horsepower: the first size whose limit
// (1.01 x nominal, 0.333 for 1/3 hp) is not below bhp; "Special design" above
// 202 hp.
QString MotorSizeFor(double bhp);

// Water and brake horsepower and motor of a pump lifting `head` ft at
// `flowGpm`, `efficiencyPct` percent efficient. Without an efficiency there is
// no brake horsepower and no motor.
struct PumpSizing {
    double whp = 0.0;
    double bhp = 0.0;
    QString motor;
};
PumpSizing PumpFor(double head, double flowGpm, double efficiencyPct);

// Water and brake horsepower and motor size of a pump lifting Tul->TDH at
// `flowGpm`, into the job object. With no pump efficiency the brake
// horsepower and motor are cleared and `noEfficiency` is warned.
void SizePumpMotor(double flowGpm, const QString& noEfficiency);

// One booster's figures as the output page and the reports show them:
// "head 47.92 ft, 3.63 water hp, 4.84 brake hp, 5 hp motor".
QString PumpFiguresText(double head, double flowGpm, double efficiencyPct);

// The job's motor where several boosters each have their own: theirs from
// the top ("15 + 5"), or "See each booster" where that is longer than the
// header's field holds.
QString MotorsText(const QStringList& motors);

// The head (ft) of the booster on the current profile row, as its run sized
// it, from what the row stores: the run writes the energy grade that reaches
// the booster and the outlet pressure it gives.
double StoredBoosterHead();

// The grade line just below the node on the current profile row, from what
// the row stores, as the runs carry the line on from it: a booster of an
// in-line booster job and a pressure reducer with a setting start it at
// their set pressure over the invert (the run stores a booster's found
// pressure in place of its -1); a reducer reached by less than its setting,
// and any node that lifts or reduces nothing, pass on the grade reaching it.
double StoredGradeBelowNode();

// What the required inlet pressure of a main whose pressure is to be found
// is shown under.
inline constexpr const char* kRequiredInletCaption = "Required Inlet Pressure =";
// "Required Inlet Pressure = 46.90 psi" for a job whose run found the
// pressure its main must give; empty for any other job.
QString RequiredInletPressureText();

// The pump results stored for the job in the working tables, a line each:
// every in-line booster's figures by its station, from the top, and the
// pressure a main must give. Empty when the job has none.
QStringList StoredPumpResults();
