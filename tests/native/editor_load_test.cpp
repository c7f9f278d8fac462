#include "editor_harness.h"

namespace korvex::testing {
namespace {

using LoadTest = EditorTest;

// What the window shows for each kind of key, by Snapshot()'s names; after
// every load each stepper's last position is where its bar stands.
TEST_F(LoadTest, ShowsEachKeyAsDesigned) {
  struct Row {
    const char* key;
    void (*put)(FakeRegistry&);
    std::map<std::string, std::string> shown;
    std::vector<std::string> windows = {};  // message windows made
  };
  const Row rows[] = {
      {"typical", [](FakeRegistry& r) { PutTypicalKey(r, 1); },
       {{"Combo1.index", "0"}, {"Combo1.text", "Hard Disk"}, {"LoadImage.value", "0"}, {"Text1.enabled", "0"},
        {"Text1.text", "C:\\load.img"}, {"SaveImage.value", "1"}, {"Text2.enabled", "1"},
        {"Text2.text", "C:\\save.img"}, {"Text3.text", " 64"}, {"Text3.enabled", "1"}, {"Label6.enabled", "1"},
        {"Label12.enabled", "1"}, {"Fat32Enable.value", "1"}, {"Fat32Enable.enabled", "1"},
        {"SaveCheckBox.value", "1"}, {"AutoSaveTime.enabled", "1"}, {"AutoSaveTime.text", " 300"},
        {"DriveLetterText.text", "Z"}, {"VScroll1", "1984"}, {"VScroll2", "16384"}, {"VScroll3", "16384"}}},
      // The defaults, behind the read failure; the interval's bar parked inside
      // its range, so that both of its arrows work.
      {"missing", [](FakeRegistry& r) { r.key_exists = false; },
       {{"DriveLetterText.text", "Z"}, {"Text3.text", "0"}, {"Text3.enabled", "1"}, {"AutoSaveTime.text", "0"},
        {"AutoSaveTime.enabled", "0"}, {"Combo1.text", "Hard Disk"}, {"Text1.text", ""}, {"Text2.text", ""},
        {"Fat32Enable.value", "0"}, {"Fat32Enable.enabled", "0"}, {"VScroll1", "2048"}, {"VScroll2", "16384"},
        {"VScroll3", "16384"}},
       {"create ReadRegFail", "topmost ReadRegFail", "show ReadRegFail"}},
      // No values: only the bars and the size controls are placed.
      {"empty", [](FakeRegistry&) {},
       {{"Combo1.index", "-1"}, {"Combo1.text", "Combo1"}, {"Text3.enabled", "0"}, {"Label6.enabled", "0"},
        {"Label12.enabled", "0"}, {"Text1.text", "Text1"}, {"DriveLetterText.text", "Text4"},
        {"AutoSaveTime.text", "Text5"}, {"Fat32Enable.enabled", "1"}, {"VScroll1", "2048"}, {"VScroll2", "16384"}}},
      // An absent size leaves the design text, which reads as 0 MB; the bar parks at the top.
      {"typical without a size", [](FakeRegistry& r) { PutTypicalKey(r, 1), r.values.erase("SizeIn4kPages"); },
       {{"Text3.text", "Text3"}, {"VScroll1", "2048"}, {"Fat32Enable.enabled", "0"}}},
      {"a floppy: its size shown, disabled", [](FakeRegistry& r) {
         r.PutText("DiskType", "FDC28"), r.PutDword("SizeIn4kPages", 737), r.PutDword("DiskFormatFAT32", 0);
       },
       {{"Combo1.text", "2.88MB Floppy"}, {"Text3.text", " 2.878906"}, {"Text3.enabled", "0"},
        {"Label6.enabled", "0"}, {"Label12.enabled", "0"}, {"VScroll1", "2045"}, {"Fat32Enable.value", "0"},
        {"Fat32Enable.enabled", "0"}}},
      // FAT32 is offered above 32 MB.
      {"32 MB", [](FakeRegistry& r) {
         r.PutText("DiskType", "HDC"), r.PutDword("DiskFormatFAT32", 1), r.PutDword("SizeIn4kPages", 8192);
       },
       {{"Fat32Enable.value", "1"}, {"Fat32Enable.enabled", "0"}}},
      {"just over 32 MB", [](FakeRegistry& r) { r.PutText("DiskType", "HDC"), r.PutDword("SizeIn4kPages", 8193); },
       {{"Fat32Enable.enabled", "1"}}},
      // Codes and check values are read strictly.
      {"odd codes", [](FakeRegistry& r) {
         r.PutText("DiskType", "fdc14"), r.PutDword("LoadImageOnStart", 2);
         r.PutRaw("SaveImageOnExit", 1, std::string("1\0", 2));  // 49
       },
       {{"Combo1.index", "-1"}, {"LoadImage.value", "0"}, {"Text1.enabled", "0"}, {"SaveImage.value", "0"}}},
      // File paths lose only their prefix.
      {"paths", [](FakeRegistry& r) { r.PutText("LoadImageFile", "C:\\ram.img"), r.PutText("SaveImageFile", "\\??\\"); },
       {{"Text1.text", "C:\\ram.img"}, {"Text2.text", ""}}},
      // A drive letter is upper-cased whole.
      {"letter d:", [](FakeRegistry& r) { r.PutText("UserDriveLetter", "d:"); }, {{"DriveLetterText.text", "D:"}}},
      {"letter d", [](FakeRegistry& r) { r.PutText("UserDriveLetter", "d"); }, {{"DriveLetterText.text", "D"}}},
      // A size outside the bar is shown as stored, with the bar held in range.
      {"4096 MB", [](FakeRegistry& r) { r.PutText("DiskType", "HDC"), r.PutDword("SizeIn4kPages", 1048576); },
       {{"Text3.text", " 4096"}, {"VScroll1", "0"}}},
      {"-256 pages", [](FakeRegistry& r) { r.PutDword("SizeIn4kPages", -256); },
       {{"Text3.text", "-1"}, {"VScroll1", "2048"}}},
      {"the least number", [](FakeRegistry& r) { r.PutDword("SizeIn4kPages", INT32_MIN); },
       {{"Text3.text", "-8388608"}, {"VScroll1", "2048"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    registry = FakeRegistry();
    windows.calls.clear();
    row.put(registry);
    Load();
    auto shown = Snapshot();
    for (auto& [name, state] : row.shown) EXPECT_EQ(shown.at(name), state) << name;
    EXPECT_EQ(shown["LastVScroll"], shown["VScroll1"] + "," + shown["VScroll2"] + "," + shown["VScroll3"]);
    EXPECT_EQ(windows.calls, row.windows);
    // One opening of the key, read and closed: a missing key is only tried.
    EXPECT_EQ(registry.calls.front(), "open");
    EXPECT_EQ(registry.calls.size() == 1, !registry.key_exists);
    EXPECT_EQ(registry.calls.back(), registry.key_exists ? "close" : "open");
  }
}

TEST_F(LoadTest, TheCaptionNamesTheVersionAndTheListOffersTheThreeDisks) {
  Editor& e = Load();
  EXPECT_EQ(e.Label5.Caption(), "Configuration Utility - Version 0.2.13");
  EXPECT_EQ(e.Combo1.Items(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
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

}  // namespace
}  // namespace korvex::testing
