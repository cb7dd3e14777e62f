#include "model/number_text.h"

#include <cmath>
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

QString FixedText(double x, int precision, int digits)
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
