#include "number_text.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

// Exact conversions of our own, on a small whole-number type: the C library's
// (MinGW's printf and strtod, with their gdtoa) would add 38 KB to the window,
// and std::to_chars/from_chars for doubles their large tables.

namespace korvex {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number of up to 4096 bits: any double, and any decimal text cut to
// its first 800 digits, each scaled by the powers of two and ten that put it
// beside the other (at most some 3760 bits). Nothing is written past the end
// even if a caller asked for more.
class Whole {
 public:
  explicit Whole(std::uint64_t value) {
    words_[0] = static_cast<std::uint32_t>(value);
    words_[1] = static_cast<std::uint32_t>(value >> 32);
    used_ = 2;
    Trim();
  }

  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < used_; ++i) {
      carry += std::uint64_t{words_[i]} * factor;
      words_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry && used_ < kWords) words_[used_++] = static_cast<std::uint32_t>(carry);
    Trim();
  }

  void MultiplyByPowerOfTen(long long power) {
    for (; power >= 9; power -= 9) MultiplyAdd(1'000'000'000, 0);
    for (; power > 0; --power) MultiplyAdd(10, 0);
  }

  void ShiftLeft(long long bits) {
    if (used_ == 0 || bits <= 0) return;
    int words = static_cast<int>(bits / 32), rest = static_cast<int>(bits % 32);
    int used = used_ + words + 1 < kWords ? used_ + words + 1 : kWords;
    for (int i = used - 1; i >= 0; --i) {
      std::uint32_t high = Word(i - words), low = Word(i - words - 1);
      words_[i] = rest ? high << rest | low >> (32 - rest) : high;
    }
    used_ = used;
    Trim();
  }

  // Only a smaller or equal number.
  void Subtract(const Whole& other) {
    std::uint32_t borrow = 0;
    for (int i = 0; i < used_; ++i) {
      std::uint64_t taken = std::uint64_t{other.Word(i)} + borrow;
      borrow = words_[i] < taken;
      words_[i] = static_cast<std::uint32_t>(words_[i] - taken);
    }
    Trim();
  }

  int Bits() const { return used_ ? 32 * (used_ - 1) + static_cast<int>(std::bit_width(words_[used_ - 1])) : 0; }

  friend int Compare(const Whole& a, const Whole& b) {
    if (a.used_ != b.used_) return a.used_ < b.used_ ? -1 : 1;
    for (int i = a.used_ - 1; i >= 0; --i)
      if (a.words_[i] != b.words_[i]) return a.words_[i] < b.words_[i] ? -1 : 1;
    return 0;
  }

 private:
  static constexpr int kWords = 128;
  std::uint32_t Word(int i) const { return i >= 0 && i < used_ ? words_[i] : 0; }
  void Trim() {
    while (used_ > 0 && words_[used_ - 1] == 0) --used_;
  }
  std::uint32_t words_[kWords] = {};
  int used_ = 0;
};

// The number's significant digits (no leading zeros) and the power of ten
// that scales them.
struct NumberParts {
  std::string digits;
  long long exponent = 0;
  bool negative = false;
  bool any_digit = false;
};

NumberParts CollectNumber(std::string_view in) {
  NumberParts parts;
  std::size_t i = 0;
  auto peek = [&]() -> char {
    while (i < in.size() && IsSkipped(in[i])) ++i;
    return i < in.size() ? in[i] : '\0';
  };
  auto digit = [&](char c) {
    parts.any_digit = true;
    if (c != '0' || !parts.digits.empty()) parts.digits += c;
  };
  if (char c = peek(); c == '+' || c == '-') {
    parts.negative = c == '-';
    ++i;
  }
  for (char c = peek(); IsDigit(c); ++i, c = peek()) digit(c);
  if (peek() == '.') {
    ++i;
    for (char c = peek(); IsDigit(c); ++i, c = peek()) {
      digit(c);
      --parts.exponent;
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
      parts.exponent += negative ? -value : value;
    else
      i = before_exponent;  // "1e" is the number 1
  }
  return parts;
}

// digits * 10^exponent, correctly rounded (an exact half to the even
// neighbour); infinity beyond the double range.
double NearestDouble(std::string digits, long long exponent) {
  // A number between two doubles, or exactly halfway, needs at most 767
  // significant digits to say so: the 800 first ones, and a 1 after them
  // for any other digit that is not 0, round the same as all of them.
  constexpr std::size_t kKeptDigits = 800;
  if (digits.size() > kKeptDigits) {
    bool more = digits.find_first_not_of('0', kKeptDigits) != std::string::npos;
    exponent += static_cast<long long>(digits.size() - kKeptDigits);
    digits.resize(kKeptDigits);
    if (more) {
      digits += '1';
      --exponent;
    }
  }
  long long magnitude = static_cast<long long>(digits.size()) + exponent;  // 10^(magnitude-1) <= value
  if (digits.empty() || magnitude < -324) return 0.0;                      // below half the least double
  if (magnitude > 310) return std::numeric_limits<double>::infinity();

  Whole numerator(0), denominator(1);
  for (char c : digits) numerator.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
  if (exponent >= 0)
    numerator.MultiplyByPowerOfTen(exponent);
  else
    denominator.MultiplyByPowerOfTen(-exponent);
  // Scale the two so that 1 <= numerator / denominator < 2: the value is
  // that quotient times 2^lead.
  int lead = numerator.Bits() - denominator.Bits();
  if (lead >= 0)
    denominator.ShiftLeft(lead);
  else
    numerator.ShiftLeft(-lead);
  if (Compare(numerator, denominator) < 0) {
    numerator.ShiftLeft(1);
    --lead;
  }
  if (lead > DBL_MAX_EXP - 1) return std::numeric_limits<double>::infinity();
  // 53 bits, fewer below the least normal double (2^-1022).
  int bits = lead + 1075 < DBL_MANT_DIG ? lead + 1075 : DBL_MANT_DIG;
  if (bits < 0) return 0.0;
  std::uint64_t mantissa = 0;
  for (int bit = 0; bit < bits; ++bit) {
    mantissa <<= 1;
    if (Compare(numerator, denominator) >= 0) {
      numerator.Subtract(denominator);
      mantissa |= 1;
    }
    numerator.ShiftLeft(1);
  }
  // What is left, against half the last bit.
  int rest = Compare(numerator, denominator);
  if (rest > 0 || (rest == 0 && (mantissa & 1))) ++mantissa;
  return std::ldexp(static_cast<double>(mantissa), lead - bits + 1);
}

// A finite value's first significant_digits digits, correctly rounded (an
// exact half to the even neighbour), and its power of ten: the value is
// about 0.digits * 10^(power + 1).
std::string Digits(double value, int significant_digits, int& power) {
  auto representation = std::bit_cast<std::uint64_t>(value);
  auto biased = static_cast<int>(representation >> 52 & 0x7FF);
  std::uint64_t mantissa = representation & ((std::uint64_t{1} << 52) - 1);
  int binary_exponent = biased ? biased - 1075 : -1074;
  if (biased) mantissa |= std::uint64_t{1} << 52;

  Whole numerator(mantissa), denominator(1);
  if (binary_exponent >= 0)
    numerator.ShiftLeft(binary_exponent);
  else
    denominator.ShiftLeft(-binary_exponent);
  // log10(2) is about 78913 / 2^18: power is then exact or one too small.
  power = ((numerator.Bits() - denominator.Bits()) * 78913) >> 18;
  if (power >= 0)
    denominator.MultiplyByPowerOfTen(power);
  else
    numerator.MultiplyByPowerOfTen(-power);
  for (;;) {
    Whole tenfold = denominator;
    tenfold.MultiplyAdd(10, 0);
    if (Compare(numerator, tenfold) < 0) break;
    denominator = tenfold;
    ++power;
  }
  while (Compare(numerator, denominator) < 0) {
    numerator.MultiplyAdd(10, 0);
    --power;
  }

  std::string digits;
  for (int i = 0; i < significant_digits; ++i) {
    if (i > 0) numerator.MultiplyAdd(10, 0);
    char digit = '0';
    for (; Compare(numerator, denominator) >= 0; ++digit) numerator.Subtract(denominator);
    digits += digit;
  }
  numerator.ShiftLeft(1);
  int rest = Compare(numerator, denominator);
  if (rest > 0 || (rest == 0 && (digits.back() - '0') % 2)) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i > 0) {
      ++digits[i - 1];
    } else {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++power;
    }
  }
  return digits;
}

// As "%.*g" writes it, in the shape the window shows: a leading blank or "-",
// no 0 before the point, "E" for the exponent ("1E+20", "1E-05").
std::string FormatNumber(double value, int significant_digits) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : " Infinity";
  bool negative = value < 0;
  std::string text = negative ? "-" : " ";
  if (value == 0) return text + "0";
  int power = 0;
  std::string digits = Digits(negative ? -value : value, significant_digits, power);
  digits.erase(digits.find_last_not_of('0') + 1);  // the first digit is never 0
  if (power < -4 || power >= significant_digits) {
    text += digits[0];
    if (digits.size() > 1) text += '.' + digits.substr(1);
    int shown = power < 0 ? -power : power;
    text += power < 0 ? "E-" : "E+";
    if (shown < 10) text += '0';
    text += IntegerText(shown);
  } else if (power < 0) {
    text += '.' + std::string(static_cast<std::size_t>(-power - 1), '0') + digits;
  } else {
    auto whole = static_cast<std::size_t>(power) + 1;
    if (digits.size() < whole) digits.resize(whole, '0');
    text += digits.substr(0, whole);
    if (digits.size() > whole) text += '.' + digits.substr(whole);
  }
  return text;
}

}  // namespace

double TextToNumber(std::string_view text) {
  NumberParts parts = CollectNumber(text);
  if (!parts.any_digit) return 0.0;
  double value = NearestDouble(std::move(parts.digits), parts.exponent);
  if (std::isinf(value)) value = DBL_MAX;  // overflow saturates
  if (value == 0.0) return 0.0;            // underflow reads as 0; no negative zero
  return parts.negative ? -value : value;
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
