#include "hydraulics/formulas.h"

#include <cmath>
#include <stdexcept>

double PipeVelocity(double Q, double D)
{
    // The area, not D: the square of a tiny diameter underflows to zero.
    const double area = kSqFtPerSqIn * D * D;
    if (!(area > 0))
        return 0.0;
    return Q * kCfsPerGpm / area;
}

double HazenWilliamsFrictionLoss(double D, double Q, double C, double L)
{
    if (!(C > 0))
        throw std::invalid_argument("The Hazen-Williams C factor must be above 0.");
    const double d487 = D > 0 ? std::pow(D, 4.87037) : 0.0;   // zero too when it underflows
    if (!(d487 > 0) || !(Q > 0))
        return 0.0;
    return 10.4057 * L * std::pow(Q / C, 1.85185) / d487;
}

double ManningFrictionLoss(double D, double Q, double n, double L)
{
    if (!(n > 0))
        throw std::invalid_argument("The Manning n factor must be above 0.");
    const double d133 = D > 0 ? std::pow(D, 1.33333) : 0.0;   // zero too when it underflows
    if (!(d133 > 0))
        return 0.0;
    const double V = PipeVelocity(Q, D);
    return 5087.0 * n * n / d133 * V * V * kVelHeadFactor * L;
}

int UsableFrictionEquation(int compMethod, double e, double C, double n)
{
    const bool dw = e > 0, hw = C > 0, mn = n > 0;
    switch (compMethod) {
    case 0:
        return dw ? kMethodDarcyWeisbach : -1;
    case 1:
        return dw ? kMethodDarcyWeisbach : hw ? kMethodHazenWilliams : mn ? kMethodManning : -1;
    case 2:
        return hw ? kMethodHazenWilliams : dw ? kMethodDarcyWeisbach : mn ? kMethodManning : -1;
    case 3:
        return hw ? kMethodHazenWilliams : mn ? kMethodManning : dw ? kMethodDarcyWeisbach : -1;
    case 4:
        return hw ? kMethodHazenWilliams : mn ? kMethodManning : -1;
    default:
        return -1;
    }
}
