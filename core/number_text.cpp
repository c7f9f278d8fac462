#include "number_text.h"

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

// The C library's conversions rather than std::to_chars/from_chars for doubles:
// the same correctly rounded results, without their large tables in the program.

namespace korvex {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number's digits, blanks and point removed, with the power of ten that
// scales them: "[-]digits" "e" "[-]digits". Without a point, strtod reads it
// the same under any C locale.
struct NumberParts {
  std::string text;
  bool any_digit = false;
};

NumberParts CollectNumber(std::string_view in) {
  NumberParts parts;
  std::size_t i = 0;
  auto peek = [&]() -> char {
    while (i < in.size() && IsSkipped(in[i])) ++i;
    return i < in.size() ? in[i] : '\0';
  };
  if (char c = peek(); c == '+' || c == '-') {
    if (c == '-') parts.text += '-';
    ++i;
  }
  long long exponent = 0;
  for (char c = peek(); IsDigit(c); ++i, c = peek()) {
    parts.any_digit = true;
    parts.text += c;
  }
  if (peek() == '.') {
    ++i;
    for (char c = peek(); IsDigit(c); ++i, c = peek()) {
      parts.any_digit = true;
      parts.text += c;
      --exponent;
    }
  }
  if (!parts.any_digit) return parts;

  std::size_t before_exponent = i;
  if (char c = peek(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    ++i;
    bool negative = false;
    if (char s = peek(); s == '+' || s == '-') {
      negative = s == '-';
      ++i;
    }
    // Past a billion the number is out of range whatever its digits.
    long long value = 0;
    bool digits = false;
    for (char d = peek(); IsDigit(d); ++i, d = peek()) {
      digits = true;
      if (value < 1'000'000'000) value = value * 10 + (d - '0');
    }
    if (digits)
      exponent += negative ? -value : value;
    else
      i = before_exponent;  // "1e" is the number 1
  }
  char scale[24];
  std::snprintf(scale, sizeof scale, "e%lld", exponent);
  parts.text += scale;
  return parts;
}

std::string WithVisualBasicShape(std::string digits, bool negative) {
  // A locale's decimal point back to "."; "0.5" -> ".5"; "1e+20" -> "1E+20".
  const char* point = std::localeconv()->decimal_point;
  if (std::strcmp(point, ".") != 0 && *point)
    if (std::size_t at = digits.find(point); at != std::string::npos) digits.replace(at, std::strlen(point), ".");
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  for (char& c : digits)
    if (c == 'e') c = 'E';
  return (negative ? "-" : " ") + digits;
}

// "%.*g" is what std::to_chars writes in its general form with a precision.
std::string FormatNumber(double value, int significant_digits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : " Infinity";
  bool negative = value < 0;
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%.*g", significant_digits, negative ? -value : value);
  // At most 15 digits, a point and "e-308": the buffer always holds it.
  return WithVisualBasicShape(std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0), negative);
}

}  // namespace

double TextToNumber(std::string_view text) {
  NumberParts parts = CollectNumber(text);
  if (!parts.any_digit) return 0.0;
  double value = std::strtod(parts.text.c_str(), nullptr);
  if (std::isinf(value)) return value < 0 ? -DBL_MAX : DBL_MAX;  // overflow saturates
  return value == 0.0 ? 0.0 : value;  // underflow reads as 0; no negative zero
}

std::string NumberToText(double value) { return FormatNumber(value, 15); }
std::string NumberToText(float value) { return FormatNumber(value, 7); }

std::string IntegerText(long long value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double fraction = value - floor;
  if (fraction > 0.5) return floor + 1;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

template <typename Int>
static std::optional<Int> RoundInto(double value) {
  double rounded = RoundHalfEven(value);
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
    return std::nullopt;  // also NaN
  return static_cast<Int>(rounded);
}

std::optional<std::int16_t> RoundToInt16(double value) { return RoundInto<std::int16_t>(value); }
std::optional<std::int32_t> RoundToInt32(double value) { return RoundInto<std::int32_t>(value); }

float ToSingle(double value) {
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (value > FLT_MAX) return std::numeric_limits<float>::infinity();
  if (value < -FLT_MAX) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace korvex
