#include "platform/report/format.h"

#include <QStringList>

#include <cmath>
#include <cstdio>
#include <string>

namespace report {

namespace {

// |v| as decimal digits d1 d2 ... dn with the point after `point` digits
// (point may be negative or beyond n), taken to 15 significant digits: the
// digits a person reads for a stored double.
struct Decimal {
    std::string digits;
    int point = 1;
    bool zero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

Decimal ToDecimal(double v)
{
    Decimal d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    d.point = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    return d;
}

// Rounds half away from zero, keeping `decimals` digits after the point.
void RoundTo(Decimal& d, int decimals)
{
    const int keep = d.point + decimals;
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits = "0";
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9')
        d.digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    }
}

char DigitAt(const Decimal& d, int k)
{
    return k >= 0 && k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(k)] : '0';
}

// The integer digits without leading zeros ("" for zero) and the fraction
// digits (`decimals` of them).
std::string IntegerDigits(const Decimal& d)
{
    std::string s;
    for (int k = 0; k < d.point; ++k)
        s.push_back(DigitAt(d, k));
    const size_t nz = s.find_first_not_of('0');
    return nz == std::string::npos ? std::string() : s.substr(nz);
}

std::string FractionDigits(const Decimal& d, int decimals)
{
    std::string s;
    for (int k = 0; k < decimals; ++k)
        s.push_back(DigitAt(d, d.point + k));
    return s;
}

struct Section {
    QString prefix, suffix;
    int intMin = 0;        // integer digits always printed ('0' placeholders from the first one)
    int decimals = 0;      // placeholders after the point
    int decMin = 0;        // up to the last '0' after the point
    bool thousands = false;
    bool hasDigits = false;
};

Section ParseSection(const QString& m)
{
    Section s;
    bool afterPoint = false, seenPoint = false, firstZero = false;
    bool digitsDone = false;
    QString literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        if (!s.hasDigits)
            s.prefix += literal;
        else
            s.suffix += literal;
        literal.clear();
    };
    for (int i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = m.indexOf(c, i + 1);
            literal += m.mid(i + 1, (end < 0 ? m.size() : end) - i - 1);
            i = end < 0 ? m.size() : end;
            continue;
        }
        const bool placeholder = c == QLatin1Char('0') || c == QLatin1Char('#');
        if (placeholder && !digitsDone) {
            if (s.hasDigits && !literal.isEmpty()) {
                // Text between placeholders is dropped: digits run together.
                literal.clear();
            }
            flushLiteral();
            s.hasDigits = true;
            if (afterPoint) {
                ++s.decimals;
                if (c == QLatin1Char('0'))
                    s.decMin = s.decimals;
            } else {
                if (c == QLatin1Char('0'))
                    firstZero = true;
                if (firstZero)
                    ++s.intMin;
            }
            continue;
        }
        if (c == QLatin1Char('.') && !seenPoint && !digitsDone) {
            seenPoint = afterPoint = true;
            s.hasDigits = true;
            continue;
        }
        if (c == QLatin1Char(',') && !digitsDone) {
            s.thousands = true;
            continue;
        }
        if (s.hasDigits)
            digitsDone = true;
        literal += c;
    }
    flushLiteral();
    return s;
}

QStringList SplitSections(const QString& mask)
{
    QStringList out;
    QString cur;
    QChar quote;
    for (const QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            out << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    out << cur;
    return out;
}

} // namespace

QString FloatText(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (v == 0)
        return QStringLiteral("0");
    Decimal d = ToDecimal(v);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    QString s = v < 0 ? QStringLiteral("-") : QString();
    if (d.point > 15 || d.point < -4) {
        s += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1)
            s += QLatin1Char('.') + QString::fromStdString(d.digits.substr(1));
        const int e = d.point - 1;
        s += QStringLiteral("E") + (e < 0 ? QStringLiteral("-") : QString()) + QString::number(std::abs(e));
        return s;
    }
    std::string intPart = IntegerDigits(d);
    if (intPart.empty())
        intPart = "0";
    const int fracLen = std::max(0, static_cast<int>(d.digits.size()) - d.point);
    s += QString::fromStdString(intPart);
    if (fracLen > 0)
        s += QLatin1Char('.') + QString::fromStdString(FractionDigits(d, fracLen));
    return s;
}

QString FormatMask(double v, const QString& mask)
{
    if (mask.isEmpty() || !std::isfinite(v))
        return FloatText(v);
    const QStringList sections = SplitSections(mask);
    QString pattern = sections[0];
    bool sign = v < 0;
    if (v < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        pattern = sections[1];
        sign = false;              // the negative section writes its own sign
    } else if (v == 0 && sections.size() > 2 && !sections[2].isEmpty()) {
        pattern = sections[2];
    }
    const Section s = ParseSection(pattern);
    if (!s.hasDigits)
        return s.prefix + s.suffix;

    Decimal d = ToDecimal(v);
    RoundTo(d, s.decimals);
    std::string ip = IntegerDigits(d);
    std::string fp = FractionDigits(d, s.decimals);
    while (static_cast<int>(fp.size()) > s.decMin && !fp.empty() && fp.back() == '0')
        fp.pop_back();
    if (static_cast<int>(ip.size()) < s.intMin)
        ip.insert(ip.begin(), static_cast<size_t>(s.intMin) - ip.size(), '0');
    if (s.thousands && ip.size() > 3) {
        for (int i = static_cast<int>(ip.size()) - 3; i > 0; i -= 3)
            ip.insert(static_cast<size_t>(i), 1, ',');
    }
    QString num = QString::fromStdString(ip);
    if (!fp.empty())
        num += QLatin1Char('.') + QString::fromStdString(fp);
    // No "-0.00": a value that rounds to zero prints without a sign.
    if (sign && !d.zero())
        num.prepend(QLatin1Char('-'));
    return s.prefix + num + s.suffix;
}

} // namespace report
