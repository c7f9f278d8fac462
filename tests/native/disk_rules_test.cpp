#include "editor_harness.h"

namespace korvex::testing {
namespace {

class DiskRulesTest : public EditorTest {
 protected:
  Editor& LoadHardDisk(std::int32_t pages = 16384) {
    registry.PutText("DiskType", "HDC");
    registry.PutDword("SizeIn4kPages", pages);
    return Load();
  }
  void Step(bool up) { up ? editor->VScroll1.UserLineUp() : editor->VScroll1.UserLineDown(); }
};

TEST_F(DiskRulesTest, ATypedSizeBecomesWholeMegabytesWithinLimitsOnLeaving) {
  Editor& e = LoadHardDisk();
  struct Case { const char* typed; const char* shown; int bar; } cases[] = {
      {"12.7", " 12", 2036}, {"3000", " 2048", 0}, {"4", " 5", 2043}, {"letters", " 5", 2043}, {"", " 5", 2043},
      {"1 024", " 1024", 1024}, {"-0.5", " 5", 2043}, {"1e999", " 2048", 0}, {"-1e999", " 5", 2043},
      {"2048.9", " 2048", 0}, {"5.5", " 5", 2043}};
  for (const Case& c : cases) {
    TypeAndLeave(e.Text3, c.typed);
    EXPECT_EQ(e.Text3.Text(), c.shown) << c.typed;
    EXPECT_EQ(e.VScroll1.Value(), c.bar) << c.typed;
    EXPECT_EQ(e.LastVScroll1(), c.bar) << c.typed;
  }
}

TEST_F(DiskRulesTest, LeavingTheSizeRunsItsStepsInOrder) {
  Editor& e = LoadHardDisk();
  Focus(e.Text3);
  e.Text3.SetText("4");
  events.clear();
  Focus(e.Command1);
  ExpectEvents({
      "Text3_LostFocus '4'",
      "  Text3_Change ' 4'",
      "  Text3_Change '5'",
      "  VScroll1_Change 2043",
      "  Text3_Change ' 5'",
  });
}

TEST_F(DiskRulesTest, Fat32IsOfferedAboveThirtyTwoAtEveryKeystroke) {
  Editor& e = LoadHardDisk();
  Focus(e.Text3);
  Type(e.Text3, "32");
  EXPECT_FALSE(e.Fat32Enable.Enabled());
  Type(e.Text3, "32.5");
  EXPECT_TRUE(e.Fat32Enable.Enabled());
  Type(e.Text3, "33");
  EXPECT_TRUE(e.Fat32Enable.Enabled());
}

TEST_F(DiskRulesTest, FloppyTypesDisableTheSizeAndKeepIt) {
  registry.PutDword("DiskFormatFAT32", 1);
  Editor& e = LoadHardDisk();
  e.Combo1.UserChooseItem(1);
  EXPECT_EQ(e.Text3.Text(), " 64");
  EXPECT_FALSE(e.Text3.Enabled() || e.Label6.Enabled() || e.Label12.Enabled() || e.Fat32Enable.Enabled());
  EXPECT_EQ(e.Fat32Enable.Value(), 1);  // still ticked, greyed
  e.VScroll1.UserLineUp();
  EXPECT_EQ(e.VScroll1.Value(), 1984);  // held still
  EXPECT_EQ(e.Text3.Text(), " 64");
  e.Combo1.UserChooseItem(0);
  EXPECT_TRUE(e.Text3.Enabled() && e.Label6.Enabled() && e.Label12.Enabled() && e.Fat32Enable.Enabled());
}

TEST_F(DiskRulesTest, TypingIntoTheListMeansAHardDisk) {
  registry.PutText("DiskType", "FDC28");
  Editor& e = Load();
  e.Combo1.UserEditText("2.88MB Floppyx");
  EXPECT_EQ(e.Combo1.ListIndex(), 0);
  EXPECT_EQ(e.Combo1.Text(), "Hard Disk");
  EXPECT_TRUE(e.Text3.Enabled());
  ExpectEvents({"Combo1_Change '2.88MB Floppyx'", "  Combo1_Click 0"});
}

// The bar steps a whole megabyte below 1024 and two above, within 5 to 2048;
// a fraction is kept. A step refused leaves the bar where it was.
TEST_F(DiskRulesTest, TheBarStepsTheSizeWithinItsLimits) {
  struct Row {
    std::int32_t pages;
    const char* steps;  // + up, - down
    std::vector<std::string> shown;
  } rows[] = {
      {1022 * 256, "++++----", {" 1023", " 1024", " 1026", " 1028", " 1026", " 1024", " 1023", " 1022"}},
      {2044 * 256, "+++", {" 2046", " 2048", " 2048"}},
      {2047 * 256, "+", {" 2047"}},
      {7 * 256, "---", {" 6", " 5", " 5"}},
      {360, "+", {" 2.40625"}},
  };
  for (const Row& row : rows) {
    Editor& e = LoadHardDisk(row.pages);
    std::vector<std::string> shown;
    for (const char* step = row.steps; *step; ++step) {
      std::string text = e.Text3.Text();
      int bar = e.VScroll1.Value();
      Step(*step == '+');
      shown.push_back(e.Text3.Text());
      if (shown.back() == text) {
        EXPECT_EQ(e.VScroll1.Value(), bar) << row.pages << " " << step;
      }
      EXPECT_EQ(e.LastVScroll1(), e.VScroll1.Value()) << row.pages << " " << step;
    }
    EXPECT_EQ(shown, row.shown) << row.pages;
  }
}

TEST_F(DiskRulesTest, OnlyTheDirectionOfAChangeCounts) {
  Editor& e = LoadHardDisk();
  e.VScroll1.SetValue(e.VScroll1.Value() - 500);
  EXPECT_EQ(e.Text3.Text(), " 65");
  e.VScroll1.SetValue(e.LastVScroll1());  // from code, to the field: nothing
  EXPECT_EQ(e.Text3.Text(), " 65");
}

TEST_F(DiskRulesTest, AStepAtTheTopOfTheBarHasNowhereToGo) {
  Editor& e = LoadHardDisk(524288);  // 2048 MB: the bar stands at 0
  Step(true);
  EXPECT_EQ(e.VScroll1.Value(), 0);
  EXPECT_EQ(e.Text3.Text(), " 2048");
  ExpectEvents({});
}

}  // namespace
}  // namespace korvex::testing
