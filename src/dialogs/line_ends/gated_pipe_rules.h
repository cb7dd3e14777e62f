#pragma once
// What the gated pipe dialog, the entrance condition dialog and the gated-pipe calculator share: the gate layout check, the entrance velocity and the pressure / water-surface pair at the entrance.
#include <QString>

#include <optional>

// The open gates and segments of one gated pipe, as laid out for the
// intermediate open segment.
struct GateLayout {
    int gates = 0;            // N, gates open at a time
    double openLength = 0.0;  // L, ft, one open segment
    double firstEnd = 0.0;    // A, station where the first open segment ends
    double lastStart = 0.0;   // D, station where the last open segment starts
};

enum class GateLayoutCheck { Fits, NoGateFlow, NoLength, TooManyGates, Overlap };

struct GateLayoutResult {
    GateLayoutCheck check = GateLayoutCheck::Fits;
    GateLayout layout;
    // The error text of a layout that does not fit; for one that fits the
    // range of the intermediate start station.
    QString text;
};

// Lays out the gates for the inflow q (gpm) and checks them against the
// gated length. Nothing is divided by zero: a gate flow of 0 and an end at
// or before the start are refused with their own texts.
GateLayoutResult CheckGateLayout(double q, double gateFlow, double gateSpace, double startSta, double endSta);

// Entrance velocity (ft/s) of q gpm in a pipe of diaIn inches; none for a
// pipe without a diameter.
std::optional<double> EntranceVelocity(double q, double diaIn);

// Writes the gated row's PipeVel from its PipeQ and DiaIn. A pipe without
// a diameter gets an empty velocity and the message saying why; returns
// false then.
bool StoreGatedVelocity();

// The two sides of the entrance condition of a calculator job, from the
// start ground elevation: as the tables store them (text of fixed
// precision 6, one and two decimals).
QString WaterSurfaceFromPsi(double startElev, double psi);
QString PsiFromWaterSurface(double startElev, double wsElev);

// Recomputes the side of the header's PsiIn / WSElev pair that was not
// given, from the gated row's StartElev, so the stored pair always agrees.
// A given side that is still empty leaves both alone.
void KeepEntrancePair(bool psiGiven);
