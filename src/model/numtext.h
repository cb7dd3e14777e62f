#pragma once
// Number-to-text conversion of stored and printed values.
#include <QString>

// Fixed-point text of x with `digits` decimals after rounding x to `precision`
// significant digits (rounding half away from zero, on the exact value).
// When the integer part has more than `precision` digits the text is in
// scientific form instead (e.g. "1.2346E10"). Non-finite values give "0".
// Written fixed(x, p, d) in the formulas of the result writers.
QString FixedText(double x, int precision, int digits);
