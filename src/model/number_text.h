#pragma once
// Number-to-text conversion of stored and printed values.
#include <QString>

// Fixed-point text of x with `digits` decimals: x is rounded to `precision`
// significant digits, then to `digits` decimals (each half away from zero).
// When the integer part has more than `precision` digits the text is in
// scientific form instead (e.g. "1.2346E10"). NaN and infinities give
// "NAN", "INF" and "-INF".
// Written fixed(x, p, d) in the formulas of the result writers.
QString FixedText(double x, int precision, int digits);

// The same text made digit by digit from the exact decimal expansion of x,
// the way FixedText takes when a value lies too near a rounding point to
// decide otherwise (tests compare the two ways).
QString FixedTextExact(double x, int precision, int digits);

// The number FixedText(x, precision, digits) reads back as, without making
// the text in the usual cases: what a number field holds after the text is
// written into it.
double FixedValue(double x, int precision, int digits);

// x rounded to a whole number, a half up (towards zero for a negative x),
// held within int's range; 0 for a value that is not a number.
int RoundHalfUp(double x);

// Writes the decimal digits of n, at least `atLeast` of them, backwards
// from `end`; returns where they start.
inline char* PutDigits(char* end, long long n, int atLeast)
{
    do {
        *--end = char('0' + n % 10);
        n /= 10;
    } while (--atLeast > 0 || n);
    return end;
}

// A station in feet as its hundreds, a plus sign and two digits of feet,
// after rounding half up to whole feet: 1234 ft is "12+34", 5 ft "0+05".
// The form every message and every written row names a station in. A
// negative station gives a minus before the text of its size; one that is
// not a number gives "".
QString StationTextOf(double station);
