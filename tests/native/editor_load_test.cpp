#include "editor_harness.h"

namespace korvex::testing {
namespace {

using LoadTest = EditorTest;

TEST_F(LoadTest, FillsEveryControlFromATypicalKey) {
  PutTypicalValues();
  Editor& e = Load();
  EXPECT_EQ(e.Label5.Caption(), "Configuration Utility - Version 0.2.13");
  EXPECT_EQ(e.Combo1.Items(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
  EXPECT_EQ(e.Combo1.ListIndex(), 0);
  EXPECT_EQ(e.Combo1.Text(), "Hard Disk");
  EXPECT_EQ(e.LoadImage.Value(), 0);
  EXPECT_FALSE(e.Text1.Enabled());
  EXPECT_EQ(e.Text1.Text(), "C:\\load.img");
  EXPECT_EQ(e.SaveImage.Value(), 1);
  EXPECT_TRUE(e.Text2.Enabled());
  EXPECT_EQ(e.Text2.Text(), "C:\\save.img");
  EXPECT_EQ(e.Text3.Text(), " 64");
  EXPECT_TRUE(e.Text3.Enabled() && e.Label6.Enabled() && e.Label12.Enabled());
  EXPECT_EQ(e.Fat32Enable.Value(), 1);
  EXPECT_TRUE(e.Fat32Enable.Enabled());
  EXPECT_EQ(e.SaveCheckBox.Value(), 1);
  EXPECT_TRUE(e.AutoSaveTime.Enabled());
  EXPECT_EQ(e.AutoSaveTime.Text(), " 300");
  EXPECT_EQ(e.DriveLetterText.Text(), "Z");
  EXPECT_EQ(e.LastVScroll1(), 1984);
  EXPECT_EQ(e.VScroll1.Value(), 1984);
  EXPECT_EQ(e.LastVScroll2(), 16384);
  EXPECT_EQ(e.VScroll2.Value(), 16384);
  EXPECT_EQ(e.LastVScroll3(), e.VScroll3.Value());
  EXPECT_GT(e.VScroll3.Value(), 0);
  EXPECT_LT(e.VScroll3.Value(), 32767);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(registry.calls.front(), "open");
  EXPECT_EQ(registry.calls.back(), "close");
}

TEST_F(LoadTest, RaisesTheRulesInOrderAsItWrites) {
  PutTypicalValues();
  Create().Form_Load();
  ExpectEvents({
      "Combo1_Click 0",
      "SaveImage_Click 1",
      "Text3_Change ' 64'",
      "Fat32Enable_Click 1",
      "SaveCheckBox_Click 1",
      "DriveLetterText_Change 'Z'",
      "VScroll1_Change 1984",
      "VScroll2_Change 16384",
      "VScroll3_Change 16384",
  });
}

TEST_F(LoadTest, NestedRulesFindNothingMoreToDo) {
  registry.PutText("UserDriveLetter", "\xE9");  // é in the ANSI code page
  registry.PutDword("AutoSaveEnabled", 1);
  Create().Form_Load();
  ExpectEvents({
      "SaveCheckBox_Click 1",
      "  SaveImage_Click 1",
      "DriveLetterText_Change '\xC3\xA9'",
      "  DriveLetterText_Change '\xC3\x89'",
      "    DriveLetterText_Change 'Z'",
      "VScroll1_Change 2048",
      "VScroll2_Change 16384",
      "VScroll3_Change 16384",
  });
  EXPECT_EQ(editor->DriveLetterText.Text(), "Z");
}

TEST_F(LoadTest, TheDefaultsRaiseTheirRulesToo) {
  registry.key_exists = false;
  Create().Form_Load();
  ExpectEvents({
      "DriveLetterText_Change 'Z'",
      "Combo1_Click 0",
      "Text3_Change '0'",
      "VScroll1_Change 2048",
      "VScroll2_Change 16384",
      "VScroll3_Change 16384",
  });
}

// What differs from a full load when one value is absent. Except for the
// disk type, whose absence leaves no selection, those controls keep the state
// they had before the load.
struct AbsentCase {
  const char* value;
  std::vector<std::string> differing;
};

class EachValueAbsent : public EditorTest, public ::testing::WithParamInterface<AbsentCase> {};

TEST_P(EachValueAbsent, LeavesOnlyItsOwnControlsUntouched) {
  PutTypicalValues();
  Load();
  auto full = Snapshot();

  registry = FakeRegistry{};
  PutTypicalValues();
  registry.values.erase(GetParam().value);
  Create();
  auto before = Snapshot();
  editor->Form_Load();
  auto partial = Snapshot();

  std::vector<std::string> differing;
  for (auto& [key, value] : full)
    if (partial[key] != value) differing.push_back(key);
  std::vector<std::string> expected = GetParam().differing;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(differing, expected);
  if (std::string(GetParam().value) != "DiskType") {
    for (const std::string& key : expected) EXPECT_EQ(partial[key], before[key]) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(
    LoadTest, EachValueAbsent,
    ::testing::Values(
        AbsentCase{"DiskType",
                   {"Combo1.index", "Combo1.text", "Text3.enabled", "Label6.enabled", "Label12.enabled",
                    "Fat32Enable.enabled"}},
        AbsentCase{"LoadImageOnStart", {"Text1.enabled"}},
        AbsentCase{"LoadImageFile", {"Text1.text"}},
        AbsentCase{"SaveImageOnExit", {}},  // AutoSave being on sets it anyway
        AbsentCase{"SaveImageFile", {"Text2.text"}},
        AbsentCase{"DiskFormatFAT32", {"Fat32Enable.value"}},
        AbsentCase{"AutoSaveEnabled", {"SaveCheckBox.value"}},
        AbsentCase{"AutoSaveTrigger", {"AutoSaveTime.text"}},
        AbsentCase{"UserDriveLetter", {"DriveLetterText.text"}}),
    [](const auto& info) { return std::string(info.param.value); });

TEST_F(LoadTest, AnAbsentSizeLeavesTheTextAndParksTheBarAtTheTop) {
  PutTypicalValues();
  registry.values.erase("SizeIn4kPages");
  Editor& e = Load();
  EXPECT_EQ(e.Text3.Text(), "Text3");
  EXPECT_EQ(e.VScroll1.Value(), 2048);
  EXPECT_EQ(e.LastVScroll1(), 2048);
  EXPECT_FALSE(e.Fat32Enable.Enabled());  // "Text3" reads as 0 MB
}

TEST_F(LoadTest, AKeyWithoutValuesOnlyPlacesTheBarsAndTheSizeControls) {
  Editor& e = Load();
  EXPECT_EQ(e.Combo1.ListIndex(), -1);
  EXPECT_EQ(e.Combo1.Text(), "Combo1");
  EXPECT_FALSE(e.Text3.Enabled() || e.Label6.Enabled() || e.Label12.Enabled());
  EXPECT_EQ(e.Text1.Text(), "Text1");
  EXPECT_EQ(e.DriveLetterText.Text(), "Text4");
  EXPECT_EQ(e.AutoSaveTime.Text(), "Text5");
  EXPECT_TRUE(e.Fat32Enable.Enabled());
  EXPECT_EQ(e.VScroll1.Value(), 2048);
  EXPECT_EQ(e.VScroll2.Value(), 16384);
}

TEST_F(LoadTest, AFloppyDisablesTheSizeButShowsIt) {
  registry.PutText("DiskType", "FDC28");
  registry.PutDword("SizeIn4kPages", 737);
  registry.PutDword("DiskFormatFAT32", 0);
  Editor& e = Load();
  EXPECT_EQ(e.Combo1.Text(), "2.88MB Floppy");
  EXPECT_EQ(e.Text3.Text(), " 2.878906");
  EXPECT_FALSE(e.Text3.Enabled() || e.Label6.Enabled() || e.Label12.Enabled());
  EXPECT_EQ(e.VScroll1.Value(), 2045);
  EXPECT_EQ(e.Fat32Enable.Value(), 0);
  EXPECT_FALSE(e.Fat32Enable.Enabled());
}

TEST_F(LoadTest, Fat32IsOfferedAbove32Megabytes) {
  registry.PutText("DiskType", "HDC");
  registry.PutDword("DiskFormatFAT32", 1);
  registry.PutDword("SizeIn4kPages", 8192);
  Editor& e = Load();
  EXPECT_EQ(e.Fat32Enable.Value(), 1);
  EXPECT_FALSE(e.Fat32Enable.Enabled());
  registry.PutDword("SizeIn4kPages", 8193);
  Load();
  EXPECT_TRUE(editor->Fat32Enable.Enabled());
}

TEST_F(LoadTest, CodesAndCheckValuesAreReadStrictly) {
  registry.PutText("DiskType", "fdc14");
  registry.PutDword("LoadImageOnStart", 2);
  registry.PutRaw("SaveImageOnExit", 1, std::string("1\0", 2));  // 49
  Editor& e = Load();
  EXPECT_EQ(e.Combo1.ListIndex(), -1);
  EXPECT_EQ(e.LoadImage.Value(), 0);
  EXPECT_FALSE(e.Text1.Enabled());
  EXPECT_EQ(e.SaveImage.Value(), 0);
}

TEST_F(LoadTest, FilePathsLoseOnlyTheirPrefix) {
  registry.PutText("LoadImageFile", "C:\\ram.img");
  registry.PutText("SaveImageFile", "\\??\\");
  Editor& e = Load();
  EXPECT_EQ(e.Text1.Text(), "C:\\ram.img");
  EXPECT_EQ(e.Text2.Text(), "");
}

TEST_F(LoadTest, ADriveLetterIsUpperCasedWhole) {
  registry.PutText("UserDriveLetter", "d:");
  EXPECT_EQ(Load().DriveLetterText.Text(), "D:");
  registry.PutText("UserDriveLetter", "d");
  EXPECT_EQ(Load().DriveLetterText.Text(), "D");
}

TEST_F(LoadTest, ASizeOutsideTheBarIsShownAsStoredWithTheBarHeldInRange) {
  registry.PutText("DiskType", "HDC");
  registry.PutDword("SizeIn4kPages", 1048576);  // 4096 MB
  Editor& e = Load();
  EXPECT_EQ(e.Text3.Text(), " 4096");
  EXPECT_EQ(e.VScroll1.Value(), 0);
  EXPECT_EQ(e.LastVScroll1(), 0);
  registry.PutDword("SizeIn4kPages", -256);
  Load();
  EXPECT_EQ(editor->Text3.Text(), "-1");
  EXPECT_EQ(editor->VScroll1.Value(), 2048);
  registry.PutDword("SizeIn4kPages", INT32_MIN);
  Load();
  EXPECT_EQ(editor->Text3.Text(), "-8388608");
  EXPECT_EQ(editor->LastVScroll1(), 2048);
}

TEST_F(LoadTest, AMissingKeyGivesTheDefaultsAndTheReadFailureFirst) {
  registry.key_exists = false;
  Editor& e = Load();
  EXPECT_EQ(e.DriveLetterText.Text(), "Z");
  EXPECT_EQ(e.Text3.Text(), "0");
  EXPECT_TRUE(e.Text3.Enabled());
  EXPECT_EQ(e.AutoSaveTime.Text(), "0");
  EXPECT_FALSE(e.AutoSaveTime.Enabled());
  EXPECT_EQ(e.Combo1.Text(), "Hard Disk");
  EXPECT_EQ(e.Text1.Text(), "");
  EXPECT_EQ(e.Text2.Text(), "");
  EXPECT_EQ(e.Fat32Enable.Value(), 0);
  EXPECT_FALSE(e.Fat32Enable.Enabled());
  EXPECT_EQ(e.VScroll1.Value(), 2048);
  EXPECT_EQ(e.VScroll2.Value(), 16384);
  // Parked inside the range, so that both of the interval's arrows work.
  EXPECT_EQ(e.LastVScroll3(), e.VScroll3.Value());
  EXPECT_GT(e.VScroll3.Value(), 0);
  EXPECT_LT(e.VScroll3.Value(), 32767);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"create ReadRegFail", "topmost ReadRegFail", "show ReadRegFail"}));
  EXPECT_EQ(registry.calls, std::vector<std::string>{"open"});
}

}  // namespace
}  // namespace korvex::testing
