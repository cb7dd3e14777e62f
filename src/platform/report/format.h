#pragma once
// Number texts of report controls: picture masks and the general float text.
// (Fixed P/D texts are FixedText of model/number_text.h.)
#include <QString>

namespace report {

// The general float text: up to 15 significant digits, no trailing zeros,
// exponent form ("1.5E-6", "1E20") only for very small or very large values.
QString FloatText(double v);

// Picture formatting: '0' a digit that is always printed, '#' a digit printed
// only when significant, the first '.' the decimal point, any ',' thousands
// separators, text in quotes and other characters literal; up to three
// sections "positive;negative;zero". The value is rounded half away from
// zero to the placeholders after the point. "###.##" gives ".5" for 0.5,
// "###,##0" gives "1,235" for 1234.5. An empty mask gives FloatText.
QString FormatMask(double v, const QString& mask);

} // namespace report
