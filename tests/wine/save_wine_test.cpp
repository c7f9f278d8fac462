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

class SaveWineTest : public WindowTest {
 protected:
  // The window opens on image saving on, with AutoSave as given; then
  // korvexcfg turns image saving off, and AutoSave with it.
  void StartThenTurnImageSavingOffElsewhere(int autosave) {
    PutDword("SaveImageOnExit", 1);
    PutDword("AutoSaveEnabled", autosave);
    Start();
    ASSERT_EQ(RunProgram(Korvexcfg("set save-image=off")), 0u);
  }
};

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

TEST_F(SaveWineTest, TheTypicalRoadStoresTheNewSizeAndCloses) {
  PutTypicalDriverValues();
  Start();
  EXPECT_EQ(TextOf(Control("Text3")), " 64");
  ReplaceText("Text3", L"300");
  EXPECT_TRUE(IsWindowEnabled(Control("Fat32Enable")));
  Click("Command1");  // the button takes the focus: the size is corrected first
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), (RawValue{REG_DWORD, std::string("\x00\x2C\x01\x00", 4)}));  // 76800
  EXPECT_FALSE(IsWindow(Main()));
}

TEST_F(SaveWineTest, ExitAndTheCloseBoxWriteNothing) {
  PutTypicalDriverValues();
  auto before = AllValues();
  Start();
  ReplaceText("Text3", L"100");
  Click("Command2");
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(AllValues(), before);

  program.reset();
  Start();
  ReplaceText("Text3", L"100");
  SendMessageW(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(Main()));
  EXPECT_EQ(AllValues(), before);
}

TEST_F(SaveWineTest, AMissingKeyShowsTheSaveFailureAndCreatesNothing) {
  PutTypicalDriverValues();
  Start();
  DeleteParametersKey();
  Click("Command4");
  HWND failure = program->MessageHwnd(Window::SaveRegFail);
  ASSERT_TRUE(failure);
  EXPECT_TRUE(IsWindowVisible(failure));
  EXPECT_FALSE(ParametersKeyExists());
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
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), (RawValue{REG_DWORD, std::string("\x00\x40\x00\x00", 4)}));
}

TEST_F(SaveWineTest, AnOverlongPathIsRefusedWithAMessageAndNothingIsWritten) {
  PutTypicalDriverValues();
  auto before = AllValues();
  Start();
  ReplaceText("Text2", std::wstring(130, L'p'));
  Click("Command1");
  EXPECT_TRUE(IsWindow(Main()));
  EXPECT_EQ(AllValues(), before);
  HWND message = program->MessageHwnd(Window::SettingRefused);
  ASSERT_TRUE(message);
  HWND text = FindWindowExW(message, nullptr, L"Static", nullptr);
  EXPECT_NE(TextOf(text).find("image file to save is too long"), std::string::npos) << TextOf(text);
}

TEST_F(SaveWineTest, AChosenDiskTypeIsStoredWhereTheKeyHeldNoneOrOneTheWindowCannotShow) {
  for (const char* stored : {"", "xyz"}) {
    CreateEmptyParametersKey();
    if (*stored) PutText("DiskType", stored);
    Start();
    SendMessageW(Control("Combo1"), CB_SETCURSEL, 0, 0);
    SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Control("Combo1")), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control("Combo1")));
    PumpMessages();
    Click("Command1");
    EXPECT_FALSE(IsWindow(Main())) << stored;
    for (auto& [name, value] : AllValues())  // no placeholder reaches the key
      EXPECT_EQ(value, name == std::string("DiskType") ? std::optional(RawValue{REG_SZ, std::string("HDC\0", 4)})
                                                       : std::nullopt)
          << stored << " " << name;
    program.reset();
  }
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

RawValue Dword(std::uint32_t n) { return {REG_DWORD, std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)}}; }

// Another program changes the key while the window is open: what it changed
// survives the window's save unless the user set that value here.
TEST_F(SaveWineTest, ASaveKeepsAnotherProgramsChangesAndStoresTheUsers) {
  PutTypicalDriverValues();
  PutText("UserDriveLetter", "d");
  PutDword("AutoSaveEnabled", 1);  // image saving off: the window ticks it
  Start();
  PutText("UserDriveLetter", "Q");
  PutDword("AutoSaveEnabled", 0);
  Click("Command4");
  EXPECT_EQ(ReadRaw("UserDriveLetter"), (RawValue{REG_SZ, std::string("Q\0", 2)}));
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(0));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), Dword(0));
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "Q");  // the window shows what is stored
  program.reset();

  // AutoSave and image saving turned off by korvexcfg; the interval typed in the window.
  StartThenTurnImageSavingOffElsewhere(1);
  ReplaceText("AutoSaveTime", L"400");
  Click("Command4");
  EXPECT_EQ(ReadRaw("AutoSaveTrigger"), Dword(400));
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(0));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), Dword(0));
  // A size the user sets here is stored over another program's.
  ASSERT_EQ(RunProgram(Korvexcfg("set size=128")), 0u);
  ReplaceText("Text3", L"100");
  Click("Command4");
  EXPECT_EQ(ReadRaw("SizeIn4kPages"), Dword(25600));
  program.reset();

  // The same korvexcfg change; only the save path edited in the window.
  StartThenTurnImageSavingOffElsewhere(1);
  ReplaceText("Text2", L"C:\\x.img");
  Click("Command4");
  EXPECT_EQ(ReadRaw("SaveImageFile"), (RawValue{REG_SZ, std::string("\\??\\C:\\x.img\0", 13)}));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), Dword(0));
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(0));

  // AutoSave ticked here over another writer's image saving off: never one without the other.
  program.reset();
  StartThenTurnImageSavingOffElsewhere(0);
  Click("SaveCheckBox");
  Click("Command4");
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(1));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), Dword(1));
}

// A value set here is stored also where it equals what the window loaded and
// another program changed it meanwhile; the window then shows what is stored.
TEST_F(SaveWineTest, AValueSetBackToWhatTheWindowLoadedIsStoredOverAnotherProgramsChange) {
  struct Row {
    const char* elsewhere;  // korvexcfg's change while the window is open
    const char* control;    // ticked and cleared again, or retyped
    const wchar_t* retyped;
    const char* button;
    const char* value;
    RawValue stored;
  } rows[] = {
      {"set size=128", "Text3", L"64", "Command4", "SizeIn4kPages", Dword(16384)},
      {"set fat32=on", "Fat32Enable", nullptr, "Command4", "DiskFormatFAT32", Dword(0)},
      {"set autosave=on", "SaveImage", nullptr, "Command1", "SaveImageOnExit", Dword(0)},
  };
  for (const Row& row : rows) {
    PutTypicalDriverValues();
    Start();
    ASSERT_EQ(RunProgram(Korvexcfg(row.elsewhere)), 0u) << row.elsewhere;
    if (row.retyped) {
      ReplaceText(row.control, row.retyped);
    } else {
      Click(row.control);
      Click(row.control);
    }
    Click(row.button);
    EXPECT_EQ(ReadRaw(row.value), row.stored) << row.elsewhere;
    if (row.value == std::string("SaveImageOnExit")) {
      EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(0));  // never AutoSave without image saving
      EXPECT_FALSE(IsWindow(Main()));
    } else {
      EXPECT_EQ(TextOf(Control("Text3")), " 64") << row.elsewhere;
      EXPECT_EQ(SendMessageW(Control("Fat32Enable"), BM_GETCHECK, 0, 0), BST_UNCHECKED) << row.elsewhere;
    }
    program.reset();
  }
}

// The load ticks "Save Disk Image" for AutoSave; AutoSave cleared and saved
// leaves both 0 in the key, and the box shows it.
TEST_F(SaveWineTest, AfterASaveTheCheckBoxesShowWhatTheKeyHolds) {
  PutTypicalDriverValues();
  PutDword("AutoSaveEnabled", 1);
  Start();
  EXPECT_EQ(SendMessageW(Control("SaveImage"), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click("SaveCheckBox");
  Click("Command4");
  EXPECT_EQ(ReadRaw("AutoSaveEnabled"), Dword(0));
  EXPECT_EQ(ReadRaw("SaveImageOnExit"), Dword(0));
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
