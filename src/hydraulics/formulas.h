#pragma once
// The hydraulic formulas that need no table: pipe velocity, the Hazen-Williams
// and Manning friction losses and the conversion factors every layer shares.
//
// Units: D inches, Q gpm, L feet, V ft/s, head feet, pressure psi.

// Shared conversion factors.
inline constexpr double kCfsPerGpm = 1.0 / 448.83;      // gpm -> ft^3/s
inline constexpr double kSqFtPerSqIn = 0.0054542;       // D^2 (in^2) -> area (ft^2), pi/576
inline constexpr double kVelHeadFactor = 1.0 / 64.4;    // V^2 -> velocity head (ft)
inline constexpr double kPsiPerFt = 0.43344;
inline constexpr double kFtPerPsi = 2.3071244;

// Velocity (ft/s) of Q gpm in a pipe of inside diameter D in; 0 when D <= 0.
double PipeVelocity(double Q, double D);

// Head loss (ft) over L ft; 0 when the pipe or the flow is missing. A
// friction factor (C, n) that is not above 0 describes no pipe: it is
// refused with std::invalid_argument rather than given a loss of 0.
double HazenWilliamsFrictionLoss(double D, double Q, double C, double L);
double ManningFrictionLoss(double D, double Q, double n, double L);

// Friction equation codes (the job object's FrictionMethodUsed).
inline constexpr int kMethodDarcyWeisbach = 0;
inline constexpr int kMethodManning = 1;
inline constexpr int kMethodHazenWilliams = 2;

// The equation the computation method `compMethod` (0 to 4, the system
// defaults' order of equations) takes for a pipe of roughness e, C factor
// and n factor: the first of its order whose factor is above 0. A factor of
// 0 marks an equation the pipe's material does not use. -1 when no equation
// of the order is usable.
int UsableFrictionEquation(int compMethod, double e, double C, double n);
