// The editing rules through the real window: keystrokes to the focused box,
// line messages from the stepper bars, focus moves and clicks.
#include "window_fixture.h"

namespace korvex::testing {
namespace {

class EditingWineTest : public WindowTest {
 protected:
  void Tab() {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PumpMessages();
  }
};

TEST_F(EditingWineTest, TheFocusComesBackOnActivationSoTheSizeAndIntervalAreCorrectedBeforeSaving) {
  PutTypicalDriverValues();
  Start();
  Click("SaveCheckBox");  // AutoSave on, so that the interval can be typed
  auto away_and_back = [&] {
    HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 600, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetFocus(other);
    PumpMessages();
    DestroyWindow(other);
    SetForegroundWindow(Main());
    PumpMessages();
  };
  ReplaceText("Text3", L"3000");
  away_and_back();
  EXPECT_EQ(GetFocus(), Control("Text3"));
  EXPECT_EQ(TextOf(Control("Text3")), "3000");
  FocusOn("DriveLetterText");
  EXPECT_EQ(TextOf(Control("Text3")), " 2048");
  EXPECT_EQ(BarPosition("VScroll1"), 0);
  ReplaceText("AutoSaveTime", L"5");
  away_and_back();
  EXPECT_EQ(GetFocus(), Control("AutoSaveTime"));
  Click("Command4");
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(2048 * 256));
  EXPECT_EQ(ReadRaw("AutoSaveTrigger"), DwordValue(20));
}

TEST_F(EditingWineTest, TheSizeBarsArrowsStepTheSize) {
  PutTypicalDriverValues();
  PutDword("SizeIn4kPages", 1023 * 256);
  Start();
  Arrow("VScroll1", true);
  Arrow("VScroll1", true);
  EXPECT_EQ(TextOf(Control("Text3")), " 1026");
  Arrow("VScroll1", false);
  EXPECT_EQ(TextOf(Control("Text3")), " 1024");
  EXPECT_EQ(BarPosition("VScroll1"), Model().LastVScroll1());
}

TEST_F(EditingWineTest, TypingIntoTheDiskTypeMeansAHardDisk) {
  PutTypicalDriverValues();
  PutText("DiskType", "FDC28");
  Start();
  EXPECT_FALSE(IsWindowEnabled(Control("Text3")));
  HWND edit = GetWindow(Control("Combo1"), GW_CHILD);
  SetFocus(edit);
  TypeInto(edit, L"x");
  EXPECT_EQ(TextOf(Control("Combo1")), "Hard Disk");
  EXPECT_EQ(SendMessageW(Control("Combo1"), CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(Control("Text3")));
  // Choosing an item from the list raises the type rule too.
  SendMessageW(Control("Combo1"), CB_SETCURSEL, 1, 0);
  SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Control("Combo1")), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Control("Combo1")));
  PumpMessages();
  EXPECT_FALSE(IsWindowEnabled(Control("Text3")));
}

TEST_F(EditingWineTest, ATypedDriveLetterBecomesACapital) {
  PutTypicalDriverValues();
  Start();
  ReplaceText("DriveLetterText", L"e");
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "E");  // at the keystroke
  Arrow("VScroll2", false);
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "D");
  Arrow("VScroll2", true);
  Arrow("VScroll2", true);
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "F");
  EXPECT_EQ(BarPosition("VScroll2"), Model().LastVScroll2());
}

TEST_F(EditingWineTest, AutoSaveOnTurnsImageSavingOnAndTheIntervalSteps) {
  PutTypicalDriverValues();  // image saving and AutoSave off
  Start();
  EXPECT_FALSE(IsWindowEnabled(Control("AutoSaveTime")));
  Click("SaveCheckBox");
  EXPECT_EQ(SendMessageW(Control("SaveCheckBox"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control("SaveImage"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(IsWindowEnabled(Control("Text2")));
  EXPECT_TRUE(IsWindowEnabled(Control("AutoSaveTime")));
  Arrow("VScroll3", true);
  Arrow("VScroll3", true);
  Arrow("VScroll3", false);
  EXPECT_EQ(TextOf(Control("AutoSaveTime")), " 301");
  ReplaceText("AutoSaveTime", L"abc");
  FocusOn("VScroll3");
  EXPECT_EQ(TextOf(Control("AutoSaveTime")), " 20");
  EXPECT_EQ(BarPosition("VScroll3"), 20);  // leaving for the bar is leaving the box
}

TEST_F(EditingWineTest, TheTypicalRoadThroughKeystrokesEndsInTheStoredSize) {
  PutTypicalDriverValues();
  Start();
  FocusOn("Text3");
  SendMessageW(Control("Text3"), EM_SETSEL, 0, -1);
  TypeInto(Control("Text3"), L"300");
  PostMessageW(Control("Command1"), WM_KEYDOWN, VK_RETURN, 1);  // Enter on an unfocused button: nothing
  PumpMessages();
  EXPECT_TRUE(IsWindow(Main()));
  Click("Command1");  // the button takes the focus: the size is corrected first
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(76800));
}

// Tab makes a command button the default one (BS_DEFPUSHBUTTON); Enter
// presses it all the same, as it does a clicked one, but never from a box.
TEST_F(EditingWineTest, EnterPressesACommandButtonReachedWithTab) {
  PutTypicalDriverValues();
  Start();
  auto tab_to = [&](const char* name) {
    for (int i = 0; i < 30 && GetFocus() != Control(name); ++i) Tab();
    ASSERT_EQ(GetFocus(), Control(name));
    EXPECT_EQ(GetWindowLongPtrW(Control(name), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  };
  auto key = [&](WPARAM vk) {
    PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
    PostMessageW(GetFocus(), WM_KEYUP, vk, 0xC0000001);
    PumpMessages();
  };
  FocusOn("Text3");
  key(VK_RETURN);  // Enter in a box presses no button
  EXPECT_TRUE(IsWindow(Main()));
  ReplaceText("Text3", L"12.7");
  tab_to("Command4");  // leaving the box corrects the size
  key(VK_RETURN);
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(12 * 256));  // saved
  ReplaceText("Text3", L"200");
  tab_to("Command4");
  key(VK_SPACE);
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(200 * 256));
  key(VK_ESCAPE);
  EXPECT_TRUE(IsWindow(Main()));
  FocusOn("Text3");
  tab_to("Command2");
  key(VK_RETURN);
  EXPECT_FALSE(IsWindow(Main()));  // "Exit"
}

TEST_F(EditingWineTest, TheDismountButtonReportsFailureForALetterWithoutADrive) {
  // Only a letter that names no drive in this prefix: nothing real is touched.
  PutTypicalDriverValues();
  PutText("UserDriveLetter", "Q");
  Start();
  Click("Command3");
  HWND failure = program->MessageHwnd(Window::DismountFail);
  ASSERT_TRUE(failure);
  EXPECT_TRUE(IsWindowVisible(failure));
  EXPECT_EQ(TextOf(failure), "Dismount Volume Failed");
  EXPECT_FALSE(program->MessageHwnd(Window::DismountOk));
}

}  // namespace
}  // namespace korvex::testing
