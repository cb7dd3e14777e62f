#include "hydraulics/formulas.h"

#include <cmath>

double PipeVelocity(double Q, double D)
{
    if (!(D > 0))
        return 0.0;
    return Q * kCfsPerGpm / (kSqFtPerSqIn * D * D);
}

double HazenWilliamsFrictionLoss(double D, double Q, double C, double L)
{
    if (!(D > 0) || !(C > 0) || !(Q > 0))
        return 0.0;
    return 10.4057 * L * std::pow(Q / C, 1.85185) / std::pow(D, 4.87037);
}

double ManningFrictionLoss(double D, double Q, double n, double L)
{
    if (!(D > 0))
        return 0.0;
    const double V = PipeVelocity(Q, D);
    return 5087.0 * n * n / std::pow(D, 1.33333) * V * V * kVelHeadFactor * L;
}
