#include "parameter_format.h"

#include <gtest/gtest.h>

#include "number_text.h"

namespace korvex {
namespace {

TEST(DiskCodes, AreComparedExactly) {
  const std::pair<const char*, std::optional<int>> codes[] = {
      {"HDC", 0}, {"", 0}, {"FDC14", 1}, {"FDC28", 2}, {"fdc14", {}}, {"FDC", {}}, {"HDC ", {}}};
  for (auto [code, index] : codes) EXPECT_EQ(ListIndexForDiskCode(code), index) << code;
  const std::pair<int, const char*> indexes[] = {{-1, "HDC"}, {0, "HDC"}, {1, "FDC14"}, {2, "FDC28"}};
  for (auto [index, code] : indexes) EXPECT_EQ(DiskCodeForListIndex(index), code) << index;
}

TEST(FilePaths, LoseOnlyTheExactPrefix) {
  EXPECT_EQ(ShownFilePath("\\??\\D:\\ram.img"), "D:\\ram.img");
  EXPECT_EQ(ShownFilePath("\\??\\"), "");
  // A path stored without the prefix is shown whole, so saving it again
  // does not eat its first four characters.
  EXPECT_EQ(ShownFilePath("C:\\ram.img"), "C:\\ram.img");
  EXPECT_EQ(ShownFilePath("\\??"), "\\??");
  EXPECT_EQ(ShownFilePath("\\\\?\\C:\\x"), "\\\\?\\C:\\x");
  EXPECT_EQ(StoredFilePath("C:\\a.img"), "\\??\\C:\\a.img");
  EXPECT_EQ(StoredFilePath(""), "\\??\\");
  EXPECT_EQ(StoredFilePath("\\??\\C:\\a.img"), "\\??\\C:\\a.img");  // typed in the registry's form
}

TEST(CheckBoxes, OnlyOneIsOnAndAnyNonZeroStoresOne) {
  EXPECT_EQ(CheckValueFromStored(1), 1);
  for (int stored : {0, 2, 255, 49, -1}) EXPECT_EQ(CheckValueFromStored(stored), 0);
  EXPECT_EQ(StoredFromCheckValue(0), 0);
  EXPECT_EQ(StoredFromCheckValue(1), 1);
  EXPECT_EQ(StoredFromCheckValue(2), 1);  // grayed
}

TEST(DiskSize, ShowsStoredPagesAsMegabytes) {
  struct Row { std::int32_t pages; const char* text; } rows[] = {
      {0, " 0"}, {128, " .5"}, {369, " 1.441406"}, {737, " 2.878906"}, {16384, " 64"}, {524288, " 2048"},
      {-256, "-1"}, {INT32_MAX, " 8388608"}, {INT32_MIN, "-8388608"}};
  for (const Row& row : rows) EXPECT_EQ(NumberToText(MegabytesFromPages(row.pages)), row.text) << row.pages;
}

TEST(DiskSize, StoresShownMegabytesAsPages) {
  const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
      {" 64", 16384}, {"1.44", 369}, {"2.88", 737}, {"0.5", 128},
      {"0.001953125", 0},  // half a page, to even
      {"letters", 0}, {" 300", 76800}, {"8388607", 2147483392}, {"8388608", {}}, {"1e999", {}}, {"-1e999", {}}};
  for (auto [text, pages] : rows) EXPECT_EQ(PagesFromSizeText(text), pages) << text;
}

TEST(DiskSize, EveryPageCountUpTo2048MegabytesSurvivesTheRoundTrip) {
  for (std::int32_t pages = 0; pages <= 524288; ++pages) {
    auto back = PagesFromSizeText(NumberToText(MegabytesFromPages(pages)));
    ASSERT_EQ(back, pages);
  }
}

TEST(Interval, RoundsSecondsHalfToEven) {
  EXPECT_EQ(SecondsFromIntervalText("30.6"), 31);
  EXPECT_EQ(SecondsFromIntervalText("30.5"), 30);
  EXPECT_EQ(SecondsFromIntervalText("abc"), 0);
  EXPECT_EQ(SecondsFromIntervalText(" 32767"), 32767);
  EXPECT_FALSE(SecondsFromIntervalText("3e9"));
  EXPECT_FALSE(SecondsFromIntervalText("1e999"));
}

TEST(Refusals, SayWhatEachSettingAccepts) {
  EXPECT_EQ(SizeRefusal(), "The disk size cannot be stored. Enter a size from 5 to 2048 MB.");
  EXPECT_EQ(IntervalRefusal(), "The AutoSave interval cannot be stored. Enter 20 to 32767 seconds.");
  EXPECT_EQ(EmptyDriveLetterRefusal(), "The drive letter is empty. Enter a letter from A to Z.");
}

}  // namespace
}  // namespace korvex
