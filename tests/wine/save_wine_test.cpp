// Saving through the real window into Wine's registry, with the stored bytes
// read back by the test's own RegQueryValueExA, independent of the program.
#include <map>

#include "window_fixture.h"

namespace korvex::testing {
namespace {

const char* const kValueNames[] = {"DiskType", "LoadImageOnStart", "LoadImageFile", "SaveImageOnExit",
                                   "SaveImageFile", "SizeIn4kPages", "DiskFormatFAT32", "AutoSaveEnabled",
                                   "AutoSaveTrigger", "UserDriveLetter"};

std::map<std::string, std::optional<RawValue>> AllValues() {
  std::map<std::string, std::optional<RawValue>> values;
  for (const char* name : kValueNames) values[name] = ReadRaw(name);
  return values;
}

using SaveWineTest = WindowTest;

TEST_F(SaveWineTest, LoadingAndSavingWithoutEditsKeepsEveryValueByteForByte) {
  PutTypicalDriverValues();
  PutText("LoadImageFile", "C:\\ram.img");  // a path stored without its prefix
  PutRaw("SaveImageOnExit", REG_QWORD, std::string(8, '\1'));
  PutText("AutoSaveTrigger", "30");
  PutText("SaveImageFile", std::string(70000, 's'));
  auto before = AllValues();
  Start();
  Click("Command4");
  EXPECT_EQ(AllValues(), before);
  EXPECT_TRUE(IsWindow(Main()));
}

// The real close box leads where Exit does, which the core's tests show to write nothing.
TEST_F(SaveWineTest, TheCloseBoxWritesNothing) {
  PutTypicalDriverValues();
  auto before = AllValues();
  Start();
  ReplaceText("Text3", L"100");
  SendMessageW(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(AllValues(), before);
}

TEST_F(SaveWineTest, AKeyThatMayOnlyBeReadShowsTheSaveFailureAndOkKeepsTheWindow) {
  PutTypicalDriverValues();
  MakeParametersKeyReadOnly(true);
  Start();
  EXPECT_EQ(TextOf(Control("Text3")), " 64");  // reading still works
  ReplaceText("Text3", L"300");
  Click("Command1");
  EXPECT_TRUE(IsWindow(Main()));
  EXPECT_EQ(TextOf(Control("Text3")), " 300");
  ASSERT_TRUE(program->MessageHwnd(Window::SaveRegFail));
  EXPECT_TRUE(IsWindowVisible(program->MessageHwnd(Window::SaveRegFail)));
  MakeParametersKeyReadOnly(false);
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), DwordValue(16384));
}

TEST_F(SaveWineTest, CharactersTypedInTheMiddleOfAPathStayWhereTheyAreTyped) {
  PutTypicalDriverValues();
  PutDword("LoadImageOnStart", 1);
  PutText("LoadImageFile", "\\??\\C:\\images\\ram.img");
  Start();
  FocusOn("Text1");
  SendMessageW(Control("Text1"), EM_SETSEL, 3, 3);
  TypeInto(Control("Text1"), L"XY");
  EXPECT_EQ(TextOf(Control("Text1")), "C:\\XYimages\\ram.img");
  Click("Command4");
  EXPECT_EQ(ReadRaw("LoadImageFile"), (RawValue{REG_SZ, std::string("\\??\\C:\\XYimages\\ram.img\0", 24)}));
}

// Another program changes the key while the window is open: the save reads
// the real key again, keeps what it changed and shows it.
TEST_F(SaveWineTest, ASaveKeepsAnotherProgramsChangesAndShowsThem) {
  PutTypicalDriverValues();
  PutText("UserDriveLetter", "d");
  PutDword("AutoSaveEnabled", 1);  // image saving off: the window ticks it
  Start();
  PutText("UserDriveLetter", "Q");
  PutDword("AutoSaveEnabled", 0);
  Click("Command4");
  EXPECT_EQ(ReadRaw("UserDriveLetter"), (RawValue{REG_SZ, std::string("Q\0", 2)}));
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), DwordValue(0));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), DwordValue(0));
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "Q");  // the window shows what is stored
  EXPECT_EQ(SendMessageW(Control("SaveImage"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(Control("Text2")));
}

TEST_F(SaveWineTest, TheWebLinkNeitherCrashesNorBlocksWithoutABrowser) {
  PutTypicalDriverValues();
  Start();
  HWND link = Control("Label8");
  DWORD start = GetTickCount();
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessages();
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_TRUE(IsWindow(Main()));
}

}  // namespace
}  // namespace korvex::testing
