#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace korvex {
namespace {

struct Read {
  std::string text;
  double number;
};

TEST(TextToNumber, ReadsTheNumberATextBeginsWith) {
  const Read rows[] = {{" 300", 300}, {"45 s", 45}, {"1e3", 1000}, {"1D3", 1000}, {"2,5", 2}, {"1 024", 1024},
                       {"\t-1\n2.5", -12.5}, {"+.5", 0.5}, {"12.7", 12.7}, {"1e", 1}, {"1e+", 1},
                       {"2.5e-1x", 0.25}, {"1.2.3", 1.2}};
  for (const Read& row : rows) EXPECT_EQ(TextToNumber(row.text), row.number) << row.text;
}

TEST(TextToNumber, ReadsZeroWhereThereIsNoNumber) {
  for (const char* text : {"", "abc", "-", ".", "+", " ", "e5", "Text3", "\xC3\xA9"}) {
    EXPECT_EQ(TextToNumber(text), 0) << text;
    EXPECT_FALSE(std::signbit(TextToNumber(text))) << text;
  }
  EXPECT_FALSE(std::signbit(TextToNumber("-0")));
}

TEST(TextToNumber, StaysFiniteBeyondTheDoubleRange) {
  const Read rows[] = {{"1e999", DBL_MAX}, {"-1e999", -DBL_MAX}, {"1e-999", 0}, {"0.0000001e-400", 0},
                       {"1e99999999999999999999999", DBL_MAX}, {std::string(5000, '9'), DBL_MAX}, {"0e99999", 0}};
  for (const Read& row : rows) EXPECT_EQ(TextToNumber(row.text), row.number) << row.text;
}

// Exactly halfway goes to the even neighbour, and the digits past halfway
// count however far they are.
TEST(NumberText, RoundsToTheNearest) {
  EXPECT_EQ(TextToNumber("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(TextToNumber("9007199254740995"), 9007199254740996.0);
  EXPECT_EQ(TextToNumber("9007199254740993" + std::string(900, '0') + "1e-901"), 9007199254740994.0);
  EXPECT_EQ(TextToNumber("2.4703282292062327e-324"), 0);
  EXPECT_EQ(TextToNumber("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(NumberToText(100000000000000.5), " 100000000000000");
  EXPECT_EQ(NumberToText(100000000000001.5), " 100000000000002");
  EXPECT_EQ(NumberToText(999999999999999.5), " 1E+15");
  EXPECT_EQ(NumberToText(std::numeric_limits<double>::denorm_min()), " 4.94065645841247E-324");
}

TEST(TextToNumber, IgnoresTheCLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
    EXPECT_EQ(TextToNumber("25.5"), 25.5);
    EXPECT_EQ(NumberToText(25.5), " 25.5");
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberToText, WritesTheShapesTheWindowShows) {
  const Read rows[] = {{" 300", 300.0}, {" 25.5", 25.5}, {" .5", 0.5}, {"-.5", -0.5}, {" 0", 0.0}, {"-12", -12.0},
                       {" .333333333333333", 1.0 / 3.0}, {" 1E+15", 1e15}, {" 123456789012345", 123456789012345.0},
                       {" .0001", 0.0001}, {" 1E-05", 0.00001}, {" 1.79769313486232E+308", DBL_MAX}};
  for (const Read& row : rows) EXPECT_EQ(NumberToText(row.number), row.text);
}

TEST(NumberToText, SinglePrecisionHasSevenDigits) {
  EXPECT_EQ(NumberToText(1.44140625f), " 1.441406");
  EXPECT_EQ(NumberToText(2.87890625f), " 2.878906");
  EXPECT_EQ(NumberToText(64.0f), " 64");
  EXPECT_EQ(NumberToText(0.5f), " .5");
  EXPECT_EQ(NumberToText(std::numeric_limits<float>::infinity()), " Infinity");
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, int> rows[] = {{20.5, 20}, {21.5, 22}, {368.5, 368}, {2046.5, 2046},
                                         {-2.5, -2}, {-3.5, -4}, {30.6, 31}};
  for (auto [number, rounded] : rows) EXPECT_EQ(RoundToInt16(number), rounded) << number;
  EXPECT_EQ(RoundToInt32(0.5), 0);
  EXPECT_EQ(RoundToInt32(1.5), 2);
}

TEST(Rounding, RefusesWhatTheTypeCannotHold) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_FALSE(RoundToInt16(32767.5));
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_FALSE(RoundToInt16(-32769));
  EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
  EXPECT_FALSE(RoundToInt32(2147483647.5));
  EXPECT_EQ(RoundToInt32(-2147483648.0), INT32_MIN);
  EXPECT_FALSE(RoundToInt32(DBL_MAX));
  EXPECT_FALSE(RoundToInt32(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(RoundToInt32(std::numeric_limits<double>::quiet_NaN()));
}

TEST(ToSingle, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ToSingle(DBL_MAX), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToSingle(-DBL_MAX), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ToSingle(1.44), 1.44f);
}

TEST(IntegerText, HasNoLeadingBlank) {
  EXPECT_EQ(IntegerText(0), "0");
  EXPECT_EQ(IntegerText(13), "13");
  EXPECT_EQ(IntegerText(-7), "-7");
}

}  // namespace
}  // namespace korvex
