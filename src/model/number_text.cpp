#include "model/number_text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Keeps the first `keep` digits of the decimal digits `digs` of a value
// 0.digs x 10^intDigits, rounding half away from zero. Returns the kept
// digits ("" when the value rounds to zero); intDigits grows on a carry.
std::string roundDigits(const std::string& digs, int keep, int& intDigits)
{
    if (keep < 0)
        return {};
    if (keep == 0) {
        if (digs[0] >= '5') {
            ++intDigits;
            return "1";
        }
        return {};
    }
    std::string r = digs.substr(0, static_cast<size_t>(keep));
    if (static_cast<size_t>(keep) < digs.size() && digs[static_cast<size_t>(keep)] >= '5') {
        int i = keep - 1;
        while (i >= 0 && r[static_cast<size_t>(i)] == '9') {
            r[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++r[static_cast<size_t>(i)];
        } else {
            r = std::string(1, '1') + r;
            ++intDigits;
        }
    }
    return r;
}

QString scientific(const std::string& r, int intDigits, bool negative)
{
    std::string m = r.empty() ? std::string("0") : r;
    while (m.size() > 1 && m.back() == '0')
        m.pop_back();
    std::string s;
    if (negative)
        s += '-';
    s += m[0];
    if (m.size() > 1) {
        s += '.';
        s += m.substr(1);
    }
    s += 'E';
    s += std::to_string(intDigits - 1);
    return QString::fromStdString(s);
}

} // namespace

QString FixedTextExact(double x, int precision, int digits)
{
    // Never a plausible number for one that is not: the reports print these too.
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (precision < 1)
        precision = 1;
    if (precision > 18)
        precision = 18;
    if (digits < 0)
        digits = 0;
    if (digits > 18)
        digits = 18;

    // The exact decimal digits of |x| (glibc prints the exact binary value).
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.40e", std::fabs(x));
    std::string digs;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digs.push_back(*p);
    int intDigits = (*p == 'e') ? std::atoi(p + 1) + 1 : 1;
    if (x == 0.0)
        intDigits = 1;

    if (x != 0.0 && intDigits > precision) {
        std::string r = roundDigits(digs, precision, intDigits);
        return scientific(r, intDigits, x < 0);
    }

    // Rounded to `precision` significant digits first, then to `digits`
    // decimals when those are fewer (2.675 is 2.67500 at 6 digits, so 2.68).
    std::string r;
    if (x != 0.0) {
        r = roundDigits(digs, precision, intDigits);
        if (intDigits + digits < precision) {
            r.append(static_cast<size_t>(precision) + 1, '0');
            r = roundDigits(r, intDigits + digits, intDigits);
        }
    }
    if (!r.empty() && intDigits > precision)
        return scientific(r, intDigits, x < 0);

    // Digit at position k (0 = first digit after the point of 10^intDigits).
    auto digitAt = [&](int k) -> char {
        return (k >= 0 && k < static_cast<int>(r.size())) ? r[static_cast<size_t>(k)] : '0';
    };
    std::string intPart;
    for (int k = 0; k < intDigits; ++k)
        intPart.push_back(digitAt(k));
    if (intPart.empty())
        intPart.push_back('0');
    std::string frac;
    for (int k = 0; k < digits; ++k)
        frac.push_back(digitAt(intDigits + k));

    bool nonZero = r.find_first_not_of('0') != std::string::npos;
    std::string s;
    if (x < 0 && nonZero)
        s += '-';
    s += intPart;
    if (digits > 0) {
        s += '.';
        s += frac;
    }
    return QString::fromStdString(s);
}

namespace {

// Powers of ten held exactly by a double.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::int64_t kIntPow10[] = {1,
                                      10,
                                      100,
                                      1000,
                                      10000,
                                      100000,
                                      1000000,
                                      10000000,
                                      100000000,
                                      1000000000,
                                      10000000000,
                                      100000000000,
                                      1000000000000,
                                      10000000000000,
                                      100000000000000,
                                      1000000000000000,
                                      10000000000000000};

// The value of FixedText's text as an integer count of 10^-digits, when one
// multiplication decides every rounding for sure; false otherwise (a value
// within an ulp of a rounding point or a power of ten, one too large or too
// small, or a text in scientific form).
bool FixedUnits(double a, int precision, int digits, std::int64_t& units)
{
    if (!(a >= 1e-12 && a < 1e15) || precision > 15 || digits > 15)
        return false;
    // Integer digits: a lies in [10^(e-1), 10^e).
    int e = int(std::floor(std::log10(a))) + 1;
    const int shift = precision - e;
    if (shift > 22 || shift < -22)
        return false;
    // The first `precision` significant digits, as y's integer part.
    const double y = shift >= 0 ? a * kPow10[shift] : a / kPow10[-shift];
    const double lo = kPow10[precision - 1], hi = kPow10[precision];
    const double slack = y * 4.0e-16;   // more than the one rounding of y
    if (y < lo + slack || y >= hi - slack)
        return false;   // the digit count is not certain
    const int keepDirect = e + digits;
    if (keepDirect >= 1 && keepDirect < precision && digits <= 22) {
        // Rounded to the decimals straight away: the same as rounding to the
        // precision first wherever that first rounding, which moves the value
        // by half a unit of its last digit at most, cannot cross the half.
        const double z = a * kPow10[digits];
        const double zBelow = std::floor(z);
        const double zFrac = z - zBelow;
        const double reach = z * 4.0e-16 + 0.5 * kPow10[0] / kPow10[precision - keepDirect];
        if (std::fabs(zFrac - 0.5) > reach && z < 9.0e15) {
            units = std::int64_t(zBelow) + (zFrac > 0.5 ? 1 : 0);
            return true;
        }
    }
    const double below = std::floor(y);
    const double frac = y - below;
    if (std::fabs(frac - 0.5) <= slack)
        return false;   // too near a half to tell the rounding
    std::int64_t m = std::int64_t(below) + (frac > 0.5 ? 1 : 0);
    if (m == kIntPow10[precision]) {
        m = kIntPow10[precision - 1];
        ++e;
    }
    if (e > precision)
        return false;   // scientific form
    const int keep = e + digits;   // significant digits the decimals leave
    if (keep < precision) {
        // Then to `digits` decimals, half away from zero, on the kept digits.
        const int drop = precision - keep;
        if (drop > precision) {
            units = 0;
            return true;
        }
        const std::int64_t unit = kIntPow10[drop];
        units = (m + unit / 2) / unit;
        return true;
    }
    const int grow = keep - precision;
    if (grow > 16 || m > (std::int64_t(1) << 53) / kIntPow10[grow])
        return false;
    units = m * kIntPow10[grow];
    return true;
}

} // namespace

double FixedValue(double x, int precision, int digits)
{
    if (!std::isfinite(x) || x == 0.0)
        return 0.0;
    precision = std::clamp(precision, 1, 18);
    digits = std::clamp(digits, 0, 18);
    std::int64_t units = 0;
    if (FixedUnits(std::fabs(x), precision, digits, units) && units < (std::int64_t(1) << 53)) {
        // One correctly rounded division gives the double nearest the
        // decimal, as reading the text does.
        const double v = double(units) / kPow10[digits];
        return units == 0 ? 0.0 : (x < 0 ? -v : v);
    }
    return FixedText(x, precision, digits).toDouble();
}

QString FixedText(double x, int precision, int digits)
{
    std::int64_t units = 0;
    if (!std::isfinite(x) || precision < 1 || precision > 18 || digits < 0 || digits > 18
        || (x != 0.0 && !FixedUnits(std::fabs(x), precision, digits, units)))
        return FixedTextExact(x, precision, digits);
    // The decided digits written out: sign, integer part, decimals.
    char buf[48];
    char* end = buf + sizeof buf;
    char* p = end;
    std::int64_t rest = units;
    for (int k = 0; k < digits; ++k) {
        *--p = char('0' + rest % 10);
        rest /= 10;
    }
    if (digits > 0)
        *--p = '.';
    do {
        *--p = char('0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    if (x < 0 && units != 0)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

int RoundHalfUp(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double i = std::trunc(x);
    const double n = x - i >= 0.5 ? i + 1 : i;
    if (n >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (n <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(n);
}

QString StationTextOf(double station)
{
    if (!std::isfinite(station))
        return {};
    if (station < 0)
        return QLatin1Char('-') + StationTextOf(-station);
    // Hundreds, "+", then the last two digits, at least "0+0n"; made in
    // place, as every written row gets one.
    const int feet = RoundHalfUp(station);
    char buf[32];
    char* p = PutDigits(buf + sizeof buf, feet % 100, 2);
    *--p = '+';
    p = PutDigits(p, feet / 100, 1);
    return QString::fromLatin1(p, int(buf + sizeof buf - p));
}
