#include "parameter_format.h"

#include <gtest/gtest.h>

#include "number_text.h"

namespace korvex {
namespace {

TEST(DiskCodes, AreComparedExactly) {
  EXPECT_EQ(ListIndexForDiskCode("HDC"), 0);
  EXPECT_EQ(ListIndexForDiskCode(""), 0);
  EXPECT_EQ(ListIndexForDiskCode("FDC14"), 1);
  EXPECT_EQ(ListIndexForDiskCode("FDC28"), 2);
  EXPECT_FALSE(ListIndexForDiskCode("fdc14"));
  EXPECT_FALSE(ListIndexForDiskCode("FDC"));
  EXPECT_FALSE(ListIndexForDiskCode("HDC "));
  EXPECT_EQ(DiskCodeForListIndex(-1), "HDC");
  EXPECT_EQ(DiskCodeForListIndex(0), "HDC");
  EXPECT_EQ(DiskCodeForListIndex(1), "FDC14");
  EXPECT_EQ(DiskCodeForListIndex(2), "FDC28");
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
  EXPECT_EQ(PagesFromSizeText(" 64"), 16384);
  EXPECT_EQ(PagesFromSizeText("1.44"), 369);
  EXPECT_EQ(PagesFromSizeText("2.88"), 737);
  EXPECT_EQ(PagesFromSizeText("0.5"), 128);
  EXPECT_EQ(PagesFromSizeText("0.001953125"), 0);  // half a page, to even
  EXPECT_EQ(PagesFromSizeText("letters"), 0);
  EXPECT_EQ(PagesFromSizeText(" 300"), 76800);
  EXPECT_EQ(PagesFromSizeText("8388607"), 2147483392);
  EXPECT_FALSE(PagesFromSizeText("8388608"));
  EXPECT_FALSE(PagesFromSizeText("1e999"));
  EXPECT_FALSE(PagesFromSizeText("-1e999"));
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
