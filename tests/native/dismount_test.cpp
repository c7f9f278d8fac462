#include "editor_harness.h"

namespace korvex::testing {
namespace {

class DismountTest : public EditorTest {
 protected:
  Editor& LoadLetter(const std::string& letter) {
    registry.PutText("UserDriveLetter", letter);
    Load();
    windows.calls.clear();
    return *editor;
  }
};

TEST_F(DismountTest, LocksDismountsUnlocksClosesThenReportsSuccess) {
  Editor& e = LoadLetter("Z");
  Click(e.Command3);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open \\\\.\\Z:", "lock", "dismount", "unlock", "close",
                                                     "create Dismount_OK", "show Dismount_OK"}));
}

TEST_F(DismountTest, AFailedStepReportsBeforeClosingAndGoesNoFurther) {
  struct Case { std::uint32_t failing; std::vector<std::string> calls; } cases[] = {
      {kLockVolume, {"open \\\\.\\Z:", "lock", "show Dismount_FAIL", "close"}},
      {kDismountVolume, {"open \\\\.\\Z:", "lock", "dismount", "show Dismount_FAIL", "close"}},
      {kUnlockVolume, {"open \\\\.\\Z:", "lock", "dismount", "unlock", "show Dismount_FAIL", "close"}},
  };
  Editor& e = LoadLetter("Z");
  session.ShowMessage(Window::DismountFail);  // left open from an earlier click
  for (const Case& c : cases) {
    windows.calls.clear();
    volume.failing_request = c.failing;
    Click(e.Command3);
    EXPECT_EQ(windows.calls, c.calls);
  }
}

TEST_F(DismountTest, AVolumeThatCannotBeOpenedIsNeverClosed) {
  Editor& e = LoadLetter("Q");
  volume.open_fails = true;
  Click(e.Command3);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open \\\\.\\Q:", "create Dismount_FAIL", "show Dismount_FAIL"}));
}

TEST_F(DismountTest, UsesTheFirstCharacterOfTheBoxAsShownNow) {
  Editor& e = LoadLetter("d:");
  EXPECT_EQ(e.DriveLetterText.Text(), "D:");
  Click(e.Command3);
  EXPECT_EQ(windows.calls.front(), "open \\\\.\\D:");
  e.DriveLetterText.SetText("k");
  windows.calls.clear();
  Click(e.Command3);
  EXPECT_EQ(windows.calls.front(), "open \\\\.\\K:");
}

TEST_F(DismountTest, AnythingButALetterFailsWithoutTouchingAnyVolume) {
  Load();  // no stored letter: the box keeps its placeholder "Text4"
  windows.calls.clear();
  Editor& e = *editor;
  for (const char* text : {"Text4", "", "D:\\", "DE", "Q;"}) {
    e.DriveLetterText.SetText(text);  // the placeholder first, as loaded
    Click(e.Command3);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"create Dismount_FAIL", "show Dismount_FAIL"})) << text;
    session.Close(Window::DismountFail);
    windows.calls.clear();
  }
}

TEST_F(DismountTest, BothOutcomesCanStandOpenTogetherEachOnce) {
  Editor& e = LoadLetter("Z");
  volume.failing_request = kLockVolume;
  Click(e.Command3);
  volume.failing_request = 0;
  Click(e.Command3);
  Click(e.Command3);
  EXPECT_TRUE(session.IsOpen(Window::DismountFail) && session.IsOpen(Window::DismountOk));
  EXPECT_EQ(std::count(windows.calls.begin(), windows.calls.end(), "create Dismount_OK"), 1);
  EXPECT_EQ(std::count(windows.calls.begin(), windows.calls.end(), "create Dismount_FAIL"), 1);
}

TEST_F(DismountTest, AWindowThatCannotBeMadeIsNeverOpenSoTheProgramEndsWithTheEditor) {
  Editor& e = LoadLetter("Z");
  windows.creation_fails = true;
  Click(e.Command3);
  Click(e.Command3);  // tried anew, never shown
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open \\\\.\\Z:", "lock", "dismount", "unlock", "close",
                                                     "create Dismount_OK", "open \\\\.\\Z:", "lock", "dismount",
                                                     "unlock", "close", "create Dismount_OK"}));
  EXPECT_FALSE(session.IsOpen(Window::DismountOk));
  EXPECT_FALSE(windows.ended);
  session.Close(Window::Editor);
  EXPECT_TRUE(windows.ended);
}

}  // namespace
}  // namespace korvex::testing
