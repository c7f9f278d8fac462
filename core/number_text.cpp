#include "number_text.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>
#include <system_error>

namespace korvex {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters of the number, blanks removed, in the form from_chars reads.
struct NumberParts {
  std::string text;       // [-]digits[.digits][e[-]digits]
  long long magnitude = 0;  // rough decimal exponent, for saturation
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
  bool leading_zeros = true;
  long long integer_digits = 0, zeros_after_point = 0;
  for (char c = peek(); IsDigit(c); ++i, c = peek()) {
    parts.any_digit = true;
    if (c != '0') leading_zeros = false;
    if (!leading_zeros) ++integer_digits;
    parts.text += c;
  }
  if (peek() == '.') {
    ++i;
    parts.text += '.';
    for (char c = peek(); IsDigit(c); ++i, c = peek()) {
      parts.any_digit = true;
      if (c != '0') leading_zeros = false;
      if (leading_zeros) ++zeros_after_point;
      parts.text += c;
    }
  }
  parts.magnitude = integer_digits > 0 ? integer_digits : -zeros_after_point;
  if (!parts.any_digit) return parts;

  std::size_t before_exponent = i;
  if (char c = peek(); c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    ++i;
    std::string exponent = "e";
    bool negative = false;
    if (char s = peek(); s == '+' || s == '-') {
      negative = s == '-';
      if (negative) exponent += '-';
      ++i;
    }
    long long value = 0;
    bool digits = false;
    for (char d = peek(); IsDigit(d); ++i, d = peek()) {
      digits = true;
      exponent += d;
      if (value < 1'000'000'000) value = value * 10 + (d - '0');
    }
    if (digits) {
      parts.text += exponent;
      parts.magnitude += negative ? -value : value;
    } else {
      i = before_exponent;  // "1e" is the number 1
    }
  }
  return parts;
}

std::string WithVisualBasicShape(std::string digits, bool negative) {
  // "0.5" -> ".5"; "1e+20" -> "1E+20".
  if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') digits.erase(0, 1);
  for (char& c : digits)
    if (c == 'e') c = 'E';
  return (negative ? "-" : " ") + digits;
}

template <typename Float>
std::string FormatNumber(Float value, int significant_digits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : " Infinity";
  bool negative = value < 0;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, negative ? -value : value,
                              std::chars_format::general, significant_digits);
  return WithVisualBasicShape(std::string(buffer, result.ptr), negative);
}

}  // namespace

double TextToNumber(std::string_view text) {
  NumberParts parts = CollectNumber(text);
  if (!parts.any_digit) return 0.0;
  double value = 0.0;
  auto result = std::from_chars(parts.text.data(), parts.text.data() + parts.text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    bool negative = parts.text[0] == '-';
    if (parts.magnitude <= 0) return 0.0;  // underflow
    return negative ? -DBL_MAX : DBL_MAX;
  }
  if (result.ec != std::errc()) return 0.0;
  return value == 0.0 ? 0.0 : value;  // no negative zero
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
