// Numbers as the window shows and reads them. Independent of the C locale
// and of regional settings: "." is always the decimal point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// The value of the number a text begins with. Blanks, tabs and line feeds are
// skipped wherever they stand; reading stops at the first character that
// cannot continue the number; no number reads as 0. Always finite: a number
// beyond the double range saturates to the largest double of its sign.
double TextToNumber(std::string_view text);

// Decimal text with a leading blank for zero and positive values, "-" for
// negative ones; 15 significant digits (double) or 7 (single), no zero before
// the point between -1 and 1, exponent form "1E+20" for very large or small.
std::string NumberToText(double value);
std::string NumberToText(float value);

// Plain decimal digits with no leading blank, for integers shown as such.
std::string IntegerText(long long value);

// Nearest whole number, an exact half to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven into the integer type, or nothing when it does not fit.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// A double held as a single: out-of-range values become infinities of their
// sign rather than the undefined conversion.
float ToSingle(double value);

}  // namespace korvex
