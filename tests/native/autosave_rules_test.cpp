#include "editor_harness.h"

namespace korvex::testing {
namespace {

class AutoSaveTest : public EditorTest {
 protected:
  Editor& LoadAutoSaveOn(std::int32_t seconds = 300) {
    registry.PutDword("AutoSaveEnabled", 1);
    registry.PutDword("AutoSaveTrigger", seconds);
    return Load();
  }
};

TEST_F(AutoSaveTest, TheIntervalIsBroughtIntoRangeOnLeaving) {
  Editor& e = LoadAutoSaveOn();
  struct Case { const char* typed; const char* shown; int bar; } cases[] = {
      {"", " 20", 20}, {"abc", " 20", 20}, {"-5", " 20", 20}, {"100000", " 32767", 32767}, {"19.6", " 20", 20},
      {"20.5", " 20.5", 20}, {"21.5", " 21.5", 22}, {" 300", " 300", 300}, {"1e999", " 32767", 32767}};
  for (const Case& c : cases) {
    TypeAndLeave(e.AutoSaveTime, c.typed);
    EXPECT_EQ(e.AutoSaveTime.Text(), c.shown) << c.typed;
    EXPECT_EQ(e.VScroll3.Value(), c.bar) << c.typed;
    EXPECT_EQ(e.LastVScroll3(), c.bar) << c.typed;
  }
}

TEST_F(AutoSaveTest, TheBarStepsOneSecondAndOnlyTheLowerEndIsHeld) {
  Editor& e = LoadAutoSaveOn(2);
  e.VScroll3.UserLineDown();
  EXPECT_EQ(e.AutoSaveTime.Text(), " 1");
  int bar = e.VScroll3.Value();
  e.VScroll3.UserLineDown();
  EXPECT_EQ(e.AutoSaveTime.Text(), " 1");
  EXPECT_EQ(e.VScroll3.Value(), bar);
  e.VScroll3.SetValue(bar - 5000);
  EXPECT_EQ(e.AutoSaveTime.Text(), " 2");

  TypeAndLeave(e.AutoSaveTime, "100000");
  e.VScroll3.UserLineUp();  // not held on the stepping path
  EXPECT_EQ(e.AutoSaveTime.Text(), " 32768");
  Focus(e.AutoSaveTime);
  Focus(e.Command4);
  EXPECT_EQ(e.AutoSaveTime.Text(), " 32767");
}

TEST_F(AutoSaveTest, WithAutoSaveOffTheBarChangesNothing) {
  registry.PutDword("AutoSaveEnabled", 0);
  registry.PutDword("AutoSaveTrigger", 300);
  Editor& e = Load();
  int bar = e.VScroll3.Value();
  e.VScroll3.UserLineUp();
  e.VScroll3.UserLineDown();
  EXPECT_EQ(e.AutoSaveTime.Text(), " 300");
  EXPECT_EQ(e.VScroll3.Value(), bar);
}

TEST_F(AutoSaveTest, BothArrowsWorkAfterAFailedRead) {
  registry.key_exists = false;
  Editor& e = Load();
  e.SaveCheckBox.UserClick();
  e.VScroll3.UserLineUp();
  EXPECT_EQ(e.AutoSaveTime.Text(), " 1");
  e.VScroll3.UserLineUp();
  e.VScroll3.UserLineDown();
  EXPECT_EQ(e.AutoSaveTime.Text(), " 1");
}

TEST_F(AutoSaveTest, AutoSaveNeedsImageSavingAndTheBoxesRaiseEachOther) {
  Editor& e = Load();
  e.SaveImage.SetValue(0);
  e.SaveCheckBox.SetValue(0);
  events.clear();
  e.SaveCheckBox.UserClick();
  EXPECT_EQ(e.SaveImage.Value(), 1);
  EXPECT_TRUE(e.AutoSaveTime.Enabled() && e.Text2.Enabled());
  ExpectEvents({"SaveCheckBox_Click 1", "  SaveImage_Click 1"});

  events.clear();
  e.SaveImage.UserClick();
  EXPECT_EQ(e.SaveCheckBox.Value(), 0);
  EXPECT_FALSE(e.Text2.Enabled() || e.AutoSaveTime.Enabled());
  ExpectEvents({"SaveImage_Click 0", "  SaveCheckBox_Click 0"});

  e.SaveImage.UserClick();
  e.SaveCheckBox.UserClick();
  e.SaveCheckBox.UserClick();  // AutoSave off leaves image saving on
  EXPECT_EQ(e.SaveImage.Value(), 1);
  EXPECT_TRUE(e.Text2.Enabled());
  EXPECT_FALSE(e.AutoSaveTime.Enabled());
}

TEST_F(AutoSaveTest, LoadImageEnablesOnlyItsFileName) {
  Editor& e = Load();
  auto before = Snapshot();
  e.LoadImage.UserClick();
  auto after = Snapshot();
  EXPECT_EQ(e.Text1.Enabled(), true);
  after["LoadImage.value"] = before["LoadImage.value"];
  after["Text1.enabled"] = before["Text1.enabled"];
  EXPECT_EQ(after, before);
  e.LoadImage.UserClick();
  EXPECT_FALSE(e.Text1.Enabled());
}

}  // namespace
}  // namespace korvex::testing
