// The real Editor window and message windows at 96 DPI: every rectangle,
// caption, font, tip, state and the tab order, read back from Win32.
#include <cmath>
#include <map>
#include <type_traits>
#include <vector>

#include <cstdio>

#include "screen_reader_names.h"
#include "window_fixture.h"

namespace korvex::testing {
namespace {

struct Expected {
  const char* name;
  int left, top, width, height;  // twips
  const char* caption;           // nullptr: not checked here
  const wchar_t* face;
  int height_pixels, weight;
  bool italic, underline;
};

// Transcribed from the window's design, not from the program's own table.
const Expected kControls[] = {
    {"Command1", 1200, 5880, 1575, 615, "OK", L"Arial", -16, 700, false, false},
    {"Command4", 2880, 5880, 1575, 615, "Save", L"Arial", -16, 700, false, false},
    {"Command2", 4560, 5880, 1575, 615, "Exit", L"Arial", -16, 700, false, false},
    {"Command3", 960, 3000, 2175, 495, "Dismount Volume", L"Arial", -12, 700, false, false},
    {"LoadImage", 4080, 3120, 2775, 375, "Load Disk Image on Startup", L"Arial", -12, 700, false, false},
    {"SaveImage", 4080, 4440, 2655, 255, "Save Disk Image", L"Arial", -12, 700, false, false},
    {"SaveCheckBox", 4080, 2040, 1815, 255, "Enable AutoSave", L"Arial", -12, 700, false, false},
    {"Fat32Enable", 600, 5040, 2895, 255, " FAT32 Format ( Win2000 only)", L"Arial", -12, 700, false, false},
    {"Text1", 4080, 3720, 2775, 375, nullptr, L"Arial", -12, 700, false, false},
    {"Text2", 4080, 5160, 2775, 375, nullptr, L"Arial", -12, 700, false, false},
    {"Text3", 1680, 4320, 855, 375, nullptr, L"Arial", -12, 700, false, false},
    {"DriveLetterText", 1680, 2400, 855, 375, nullptr, L"Arial", -12, 700, false, false},
    {"AutoSaveTime", 4440, 2280, 855, 375, nullptr, L"Arial", -12, 700, false, false},
    {"Combo1", 1440, 1920, 1935, -1, nullptr, L"Arial", -12, 700, false, false},
    {"VScroll1", 2520, 4320, 255, 375, nullptr, nullptr, 0, 0, false, false},
    {"VScroll2", 2520, 2400, 255, 375, nullptr, nullptr, 0, 0, false, false},
    {"VScroll3", 5280, 2280, 255, 375, nullptr, nullptr, 0, 0, false, false},
    {"Label4", 1560, 0, 4095, 735, "Korvane", L"Arial", -48, 700, true, false},
    {"Label5", 1440, 840, 4215, 375, "Configuration Utility - Version 0.2.13", L"Arial", -16, 700, false, false},
    {"Label8", 2280, 1200, 2895, 255, "http://www.korvane.example/", L"MS Sans Serif", -13, 400, false, true},
    {"Label3", 360, 1920, 975, 375, "Disk Type:", L"Arial", -12, 700, false, false},
    {"Label13", 360, 2520, 1095, 255, "Drive Letter:", L"Arial", -12, 700, false, false},
    {"Label10", 1080, 3720, 1815, 255, "Hard Disk Only:", L"Arial", -16, 700, false, false},
    {"Label6", 720, 4440, 855, 255, "Disk Size", L"Arial", -12, 700, false, false},
    {"Label12", 2880, 4440, 375, 255, "MB", L"Arial", -12, 700, false, false},
    {"Label11", 5640, 2400, 1095, 255, "seconds", L"Arial", -12, 700, false, false},
    // Label2 and Label1 stop where the box they name begins (it covers the
    // rest of their 375-twip boxes).
    {"Label2", 4080, 3480, 2775, 240, "Filename:", L"Arial", -12, 700, false, false},
    {"Label9", 4320, 4680, 2535, 255, "(AutoSave or Shutdown)", L"Arial", -12, 700, false, false},
    {"Label1", 4080, 4920, 2775, 240, " Filename:", L"Arial", -12, 700, false, false},
    {"Label7", 480, 6720, 6375, 255,
     "Configuration changes will take effect the next time the driver is started. ", L"Arial", -12, 700, false,
     false},
};

int Px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

// Every control enabled: image loading and AutoSave on, a hard disk over 32 MB.
void PutEverythingEnabled() {
  PutTypicalDriverValues();
  PutDword("LoadImageOnStart", 1);
  PutDword("AutoSaveEnabled", 1);
}

using LayoutTest = WindowTest;

TEST_F(LayoutTest, EveryControlStandsWhereItIsDesignedWithItsCaptionAndFontAtNinetySixDpi) {
  PutTypicalDriverValues();
  Start();
  ASSERT_EQ(program->View().Dpi(), 96u);
  RECT client;
  GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, 487);
  EXPECT_EQ(client.bottom, 473);
  EXPECT_EQ(TextOf(Main()), "Korvane Configuration Utility");
  for (const Expected& c : kControls) {
    HWND control = Control(c.name);
    ASSERT_TRUE(control) << c.name;
    RECT r = ClientRectOf(control);
    EXPECT_NEAR(r.left, Px(c.left), 1) << c.name;
    EXPECT_NEAR(r.top, Px(c.top), 1) << c.name;
    EXPECT_NEAR(r.right - r.left, Px(c.width), 1) << c.name;
    if (c.height >= 0) {
      EXPECT_NEAR(r.bottom - r.top, Px(c.height), 1) << c.name;
    }
    if (c.caption) {
      EXPECT_EQ(TextOf(control), c.caption) << c.name;
    }
    if (!c.face) continue;
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_TRUE(handle) << c.name;
    GetObjectW(handle, sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, c.face) << c.name;
    EXPECT_EQ(font.lfHeight, c.height_pixels) << c.name;
    EXPECT_EQ(font.lfWeight, c.weight) << c.name;
    EXPECT_EQ(font.lfItalic != 0, c.italic) << c.name;
    EXPECT_EQ(font.lfUnderline != 0, c.underline) << c.name;
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET) << c.name;
  }
  EXPECT_EQ(SendMessageW(Control("DriveLetterText"), EM_GETLIMITTEXT, 0, 0), 1);
  EXPECT_EQ(GetWindowLongW(Control("Text3"), GWL_STYLE) & ES_CENTER, ES_CENTER);
  EXPECT_EQ(GetWindowLongW(Control("Text1"), GWL_STYLE) & (ES_CENTER | ES_RIGHT), ES_LEFT);
  EXPECT_EQ(GetWindowLongW(Control("Label4"), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(GetWindowLongW(Control("Label8"), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
}

TEST_F(LayoutTest, TipsShowOnTheControlsThatHaveThem) {
  PutTypicalDriverValues();
  Start();
  struct Tip { const char* name; const wchar_t* text; } tips[] = {
      {"Command1", L"Save current configuration and exit."},
      {"Command4", L"Save current configuration."},
      {"Command2", L"Exit without saving changes."},
      {"Command3", L"Use this button to dismount the filesystem from the Korvane drive before you unload the driver."},
      {"LoadImage", L"Enable loading a disk image file when the driver starts."},
      {"SaveImage", L"Enable saving the disk image using AutoSave or when the driver shuts down."},
      {"SaveCheckBox", L"Enables saving the disk image (if modified) at a fixed time interval."},
      {"Fat32Enable", L"Format disk using FAT32 - for disks larger than 32MB, Win2000 only."},
      {"Text1", L"Enter the filename for the image file to be loaded."},
      {"Text2", L"Enter a filename for the image file to be saved."},
      {"Text3", L"Enter the size of the RAM disk in MB."},
      {"DriveLetterText", L"Select a drive letter for the RAM disk."},
      {"AutoSaveTime", L"Enter the time interval between AutoSave checks."},
      {"Combo1", L"Choose the type of disk."},
      {"Label8", L"Korvane web page"},
      {"VScroll1", nullptr}, {"VScroll2", nullptr}, {"VScroll3", nullptr}, {"Label4", nullptr}, {"Label7", nullptr},
  };
  for (const Tip& tip : tips) {
    wchar_t text[200] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = Main();
    info.uId = reinterpret_cast<UINT_PTR>(Control(tip.name));
    info.lpszText = text;
    bool found = SendMessageW(program->View().Tips(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(found, tip.text != nullptr) << tip.name;
    if (tip.text && found) {
      SendMessageW(program->View().Tips(), TTM_GETTEXTW, 200, reinterpret_cast<LPARAM>(&info));
      EXPECT_STREQ(text, tip.text) << tip.name;
    }
  }
}

TEST_F(LayoutTest, TabVisitsEnabledControlsInOrderFromLoadImage) {
  PutEverythingEnabled();
  Start();
  EXPECT_EQ(GetFocus(), Control("LoadImage"));
  const char* order[] = {"LoadImage", "SaveImage", "Text1", "Text2", "Combo1", "Command1", "Text3", "Command2",
                         "VScroll1", "DriveLetterText", "VScroll2", "SaveCheckBox", "AutoSaveTime", "VScroll3",
                         "Fat32Enable", "Command3", "Command4", "LoadImage"};
  HWND at = Control("LoadImage");
  for (std::size_t i = 1; i < std::size(order); ++i) {
    at = GetNextDlgTabItem(Main(), at, FALSE);
    HWND expected = Control(order[i]);
    EXPECT_TRUE(at == expected || GetParent(at) == expected) << "after " << order[i - 1] << " expected " << order[i];
    if (GetParent(at) == expected) at = expected;
  }
  // Disabled controls are skipped.
  PutTypicalDriverValues();  // image loading, image saving and AutoSave off
  program.reset();
  Start();
  for (const char* name : {"Text1", "Text2", "AutoSaveTime"}) EXPECT_FALSE(IsWindowEnabled(Control(name))) << name;
  EXPECT_EQ(GetNextDlgTabItem(Main(), Control("SaveImage"), FALSE), Control("Combo1"));
  EXPECT_EQ(GetNextDlgTabItem(Main(), Control("SaveCheckBox"), FALSE), Control("VScroll3"));
}

// A screen reader names a box without text of its own after the label right
// before it in the z-order; buttons and check boxes carry their own names.
TEST_F(LayoutTest, EachInputControlHasTheLabelThatNamesItRightBeforeIt) {
  PutTypicalDriverValues();
  Start();
  struct Named {
    const char* control;
    const char* label;  // nullptr: its own caption, or no label beside it fits
  } named[] = {
      {"Text1", "Label2"}, {"Text2", "Label1"}, {"Combo1", "Label3"}, {"Text3", "Label6"},
      {"DriveLetterText", "Label13"}, {"AutoSaveTime", nullptr}, {"VScroll1", nullptr}, {"VScroll2", nullptr},
      {"VScroll3", nullptr}, {"LoadImage", nullptr}, {"SaveImage", nullptr}, {"SaveCheckBox", nullptr},
      {"Fat32Enable", nullptr}, {"Command1", nullptr}, {"Command2", nullptr}, {"Command3", nullptr},
      {"Command4", nullptr},
  };
  for (const Named& n : named) {
    HWND previous = GetWindow(Control(n.control), GW_HWNDPREV);
    wchar_t previous_class[16] = {};
    GetClassNameW(previous, previous_class, 16);
    if (n.label)
      EXPECT_EQ(previous, Control(n.label)) << n.control;
    else  // no label stands before it to give it a wrong name
      EXPECT_NE(lstrcmpiW(previous_class, L"Static"), 0) << n.control;
  }
  // Those without a label take their neighbour's name through the
  // accessibility layer's annotation wherever the system has it.
  HWND probe = Control("VScroll3");
  const wchar_t* name = L"seconds";
  EXPECT_EQ(program->View().ScreenReaderNames(), window::NameForScreenReaders(&probe, &name, 1));
  std::printf("The accessibility layer's annotation is %savailable here.\n",
              program->View().ScreenReaderNames() ? "" : "not ");
  // Each naming label is drawn whole, and the box beneath it still shows its
  // top edge: the label stops where the box begins.
  RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(Main());
  for (const char* box : {"Text1", "Text2"}) {
    RECT r = ClientRectOf(Control(box));
    EXPECT_NE(GetPixel(dc, (r.left + r.right) / 2, r.top), GetSysColor(COLOR_BTNFACE)) << box;
  }
  ReleaseDC(Main(), dc);
}

TEST_F(LayoutTest, TheFrameLinesAreDrawn) {
  PutTypicalDriverValues();
  Start();
  RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(Main());
  COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  // A point on an edge of each of the four frames, away from any control.
  EXPECT_EQ(GetPixel(dc, Px(240), Px(4000)), ink);   // hard disk, left
  EXPECT_EQ(GetPixel(dc, Px(6960), Px(3500)), ink);  // image loading, right
  EXPECT_EQ(GetPixel(dc, Px(5000), Px(5640)), ink);  // image saving, bottom
  EXPECT_EQ(GetPixel(dc, Px(6500), Px(1920)), ink);  // AutoSave, top
  EXPECT_NE(GetPixel(dc, Px(100), Px(4000)), ink);
  ReleaseDC(Main(), dc);
}

TEST_F(LayoutTest, TwipsAreConvertedAtTheWindowsNewDpi) {
  PutTypicalDriverValues();
  Start();
  RECT suggested{10, 10, 800, 800};
  SendMessageW(Main(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  RECT r = ClientRectOf(Control("Command4"));
  EXPECT_EQ(r.left, 288);  // 2880 twips at 144 DPI
  EXPECT_EQ(r.top, 588);
  EXPECT_EQ(r.right - r.left, 158);  // 1575 twips
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control("Command4"), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -24);  // 12 points

  // A message window follows too; one of a fixed place keeps it, in twips
  // (the suggested rectangle is not read: any program can send the message).
  program->Windows().ShowMessage(Window::DismountFail);
  PumpMessages();
  HWND message = program->MessageHwnd(Window::DismountFail);
  SendMessageW(message, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  RECT client, button = ClientRectOf(FindWindowExW(message, nullptr, L"Button", nullptr));
  GetClientRect(message, &client);
  EXPECT_EQ(client.right, 653);  // 6525 twips
  EXPECT_EQ(button.left, 252);   // 2520 twips
  EXPECT_EQ(button.right - button.left, 146);
  POINT corner{0, 0};
  ClientToScreen(message, &corner);
  EXPECT_EQ(corner.x, 276);  // 2760 twips
  // 3750 twips, less the difference between the caption's height at 144 DPI
  // and that of the frame Wine draws, which this message does not change.
  EXPECT_NEAR(corner.y, 375, 10);

  // Malformed, as any program may send it: no rectangle and no DPI.
  SendMessageW(Main(), 0x02E0, 0, 0);
  PumpMessages();
  ASSERT_TRUE(IsWindow(Main()));
  EXPECT_EQ(program->View().Dpi(), 96u);  // the window's own again
  SendMessageW(message, 0x02E0, MAKEWPARAM(65535, 65535), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  GetClientRect(message, &client);
  EXPECT_EQ(client.right, 435);  // at the window's own DPI too
}

// No value stored: the list has no selection, and the boxes keep their design texts.
TEST_F(LayoutTest, AnEmptyKeyLeavesTheDesignTexts) {
  CreateEmptyParametersKey();
  Start();
  EXPECT_EQ(SendMessageW(Control("Combo1"), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(TextOf(Control("Combo1")), "Combo1");
  EXPECT_EQ(TextOf(Control("DriveLetterText")), "Text4");
}

// Start-up costs: each control made in place and with what the load left in its model.
std::map<HWND, int> texts_written, moves;
LRESULT CALLBACK CountWrites(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (sent->message == WM_SETTEXT) ++texts_written[sent->hwnd];
  if (sent->message == WM_WINDOWPOSCHANGING && !(reinterpret_cast<WINDOWPOS*>(sent->lParam)->flags & SWP_NOMOVE))
    ++moves[sent->hwnd];
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

TEST_F(LayoutTest, StartingMakesEachControlInPlaceWithItsModelsState) {
  PutTypicalDriverValues();  // image loading and AutoSave off: their controls disabled
  texts_written.clear();
  moves.clear();
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountWrites, nullptr, GetCurrentThreadId());
  Start();
  UnhookWindowsHookEx(hook);
  for (const Expected& c : kControls) {
    EXPECT_EQ(texts_written[Control(c.name)], 0) << c.name;
    EXPECT_EQ(moves[Control(c.name)], 0) << c.name;
  }
  for (const window::ControlLayout& row : window::kEditorControls) {
    row.control.Visit(Model(), [&](auto& model) {
      using Model = std::decay_t<decltype(model)>;
      HWND control = Control(model.Name().c_str());
      EXPECT_EQ(IsWindowEnabled(control) != FALSE, model.Enabled()) << model.Name();
      if constexpr (std::is_same_v<Model, forms::TextBox>) {
        EXPECT_EQ(TextOf(control), model.Text()) << model.Name();
      } else if constexpr (std::is_same_v<Model, forms::CheckBox>) {
        EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0), model.Value()) << model.Name();
      } else if constexpr (std::is_same_v<Model, forms::ComboBox>) {
        EXPECT_EQ(SendMessageW(control, CB_GETCURSEL, 0, 0), model.ListIndex());
        EXPECT_EQ(TextOf(control), model.Text());
      } else if constexpr (std::is_same_v<Model, forms::Stepper>) {
        SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
        GetScrollInfo(control, SB_CTL, &bar);
        EXPECT_EQ(bar.nPos, model.Value()) << model.Name();
        EXPECT_EQ(bar.nMin, model.Min()) << model.Name();
        EXPECT_EQ(bar.nMax, model.Max()) << model.Name();
      }
    });
  }
  EXPECT_FALSE(IsWindowEnabled(Control("Text1")));
  EXPECT_EQ(TextOf(Control("Text1")), "C:\\ramdisk.img");
}

TEST_F(LayoutTest, ResizingMovesNoControl) {
  PutTypicalDriverValues();
  Start();
  RECT before = ClientRectOf(Control("Command4"));
  SetWindowPos(Main(), nullptr, 0, 0, 900, 800, SWP_NOMOVE | SWP_NOZORDER);
  PumpMessages();
  RECT after = ClientRectOf(Control("Command4"));
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(GetWindowLongW(Main(), GWL_STYLE) & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
}

}  // namespace
}  // namespace korvex::testing
