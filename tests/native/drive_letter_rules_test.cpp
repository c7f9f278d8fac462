#include "editor_harness.h"

namespace korvex::testing {
namespace {

using DriveLetterTest = EditorTest;

TEST_F(DriveLetterTest, ATypedCharacterBecomesACapitalLetter) {
  Editor& e = Load();
  struct Case { const char* typed; const char* shown; } cases[] = {
      {"e", "E"}, {"5", "A"}, {" ", "A"}, {"[", "Z"}, {"\xC3\xA9", "Z"}, {"z", "Z"}, {"A", "A"},
      {"d:", "D:"}, {"\xE2\x82\xAC", "Z"}, {"\xE4\xB8\x80", "A"}};
  for (const Case& c : cases) {
    e.DriveLetterText.SetText(c.typed);
    EXPECT_EQ(e.DriveLetterText.Text(), c.shown) << c.typed;
  }
  e.DriveLetterText.SetText("");
  EXPECT_EQ(e.DriveLetterText.Text(), "");
}

TEST_F(DriveLetterTest, ADoubleByteCharacterHasANegativeCodeAndBecomesA) {
  DoubleByteCharacters double_byte;
  characters = &double_byte;
  Editor& e = Load();
  e.DriveLetterText.SetText(DoubleByteCharacters::kDoubleByte);
  EXPECT_EQ(e.DriveLetterText.Text(), "A");
}

TEST_F(DriveLetterTest, TheBarStepsOneLetterWithoutWrapping) {
  registry.PutText("UserDriveLetter", "Y");
  Editor& e = Load();
  e.VScroll2.UserLineUp();
  EXPECT_EQ(e.DriveLetterText.Text(), "Z");
  EXPECT_EQ(e.LastVScroll2(), 16383);
  e.VScroll2.UserLineUp();
  EXPECT_EQ(e.DriveLetterText.Text(), "Z");
  EXPECT_EQ(e.VScroll2.Value(), 16383);  // sprang back
  e.DriveLetterText.SetText("B");
  e.VScroll2.SetValue(e.VScroll2.Value() + 1000);  // many positions, one letter
  EXPECT_EQ(e.DriveLetterText.Text(), "A");
  e.VScroll2.UserLineDown();
  EXPECT_EQ(e.DriveLetterText.Text(), "A");
  EXPECT_EQ(e.VScroll2.Value(), e.LastVScroll2());
}

TEST_F(DriveLetterTest, ALongTextIsJudgedByItsFirstCharacterAndSteppedToOneLetter) {
  registry.PutText("UserDriveLetter", "d:");
  Editor& e = Load();
  EXPECT_EQ(e.DriveLetterText.Text(), "D:");
  e.VScroll2.UserLineUp();
  EXPECT_EQ(e.DriveLetterText.Text(), "E");
  e.DriveLetterText.SetText("D:");
  e.VScroll2.UserLineDown();
  EXPECT_EQ(e.DriveLetterText.Text(), "C");
}

TEST_F(DriveLetterTest, AStepOnAnEmptyBoxChangesNothing) {
  Editor& e = Load();
  e.DriveLetterText.SetText("");
  events.clear();
  e.VScroll2.UserLineUp();
  EXPECT_EQ(e.DriveLetterText.Text(), "");
  EXPECT_EQ(e.VScroll2.Value(), 16384);
  ExpectEvents({"VScroll2_Change 16383", "  VScroll2_Change 16384"});
}

TEST_F(DriveLetterTest, AStepRaisesTheLetterRuleWhichFindsNothingToDo) {
  registry.PutText("UserDriveLetter", "C");
  Editor& e = Load();
  e.VScroll2.UserLineUp();
  ExpectEvents({"VScroll2_Change 16383", "  DriveLetterText_Change 'D'"});
}

}  // namespace
}  // namespace korvex::testing
