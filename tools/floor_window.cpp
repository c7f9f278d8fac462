// The floor of the start-up benchmark: the Editor window's controls, fonts,
// colours, frame lines and tooltips made straight from its layout table, each
// at its final place, with the texts a typical load shows; no model, no
// bindings. Built like korvex.exe, so whatever korvex needs beyond this time
// is its own.
#include "windows_api.h"
#include <commctrl.h>

#include <iterator>

#include "control_classes.h"
#include "dpi.h"
#include "korvane_version.h"
#include "layout.h"
#include "resources.h"

using namespace korvex::window;

namespace {

// The version as the build states it, as a wide text.
#define FLOOR_WIDE_NUMBER(n) L## #n
#define FLOOR_WIDE(n) FLOOR_WIDE_NUMBER(n)
constexpr const wchar_t* kVersionCaption = L"Configuration Utility - Version " FLOOR_WIDE(KORVANE_VERSION_MAJOR) L"."
    FLOOR_WIDE(KORVANE_VERSION_MINOR) L"." FLOOR_WIDE(KORVANE_VERSION_PATCH);

// In table order: what each control shows after loading the driver stand-in.
const wchar_t* const kShownText[] = {
    L"Load Disk Image on Startup", L"Save Disk Image", L"Filename:", L"C:\\ramdisk.img", L" Filename:",
    L"C:\\ramdisk.img", L"Disk Type:", L"Hard Disk", L"OK", L"Disk Size", L" 64", L"Exit", L"", L"Drive Letter:", L"R",
    L"", L"Enable AutoSave", L" 300", L"", L" FAT32 Format ( Win2000 only)", L"Dismount Volume", L"Save", L"Korvane",
    kVersionCaption, L"http://www.korvane.example/", L"Hard Disk Only:", L"MB", L"seconds", L"(AutoSave or Shutdown)",
    L"Configuration changes will take effect the next time the driver is started. "};
static_assert(std::size(kShownText) == std::tuple_size_v<decltype(kEditorControls)>);
constexpr int kFirstId = 100;

UINT dpi = 96;

HFONT FontOf(const FontStyle* style) {
  static const FontStyle* styles[8];
  static HFONT fonts[8];
  int i = 0;
  while (styles[i] && styles[i] != style) ++i;
  if (!styles[i]) {
    LOGFONTW logfont{};
    logfont.lfHeight = FontHeight(style->centipoints, dpi);
    logfont.lfWeight = style->weight;
    logfont.lfItalic = style->italic;
    logfont.lfUnderline = style->underline;
    logfont.lfCharSet = ANSI_CHARSET;
    lstrcpynW(logfont.lfFaceName, style->face, LF_FACESIZE);
    styles[i] = style;
    fonts[i] = CreateFontIndirectW(&logfont);
  }
  return fonts[i];
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      unsigned row = unsigned(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) - kFirstId);
      if (row < kEditorControls.size() && kEditorControls[row].colour != kDefaultColour)
        SetTextColor(dc, kEditorControls[row].colour);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SelectObject(dc, GetStockObject(BLACK_PEN));
      for (const LineLayout& line : kEditorLines) {
        MoveToEx(dc, TwipsToPixels(line.x1, dpi), TwipsToPixels(line.y1, dpi), nullptr);
        LineTo(dc, TwipsToPixels(line.x2, dpi), TwipsToPixels(line.y2, dpi));
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"FloorWindow";
  RegisterClassW(&window_class);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, L"FloorWindow", L"Floor Window", style, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  dpi = WindowDpi(window);
  RECT outer = OuterRectForClient(
      {0, 0, TwipsToPixels(kEditorClientWidth, dpi), TwipsToPixels(kEditorClientHeight, dpi)}, style,
      WS_EX_APPWINDOW, dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance,
                              nullptr);
  HWND first = nullptr;
  for (unsigned i = 0; i < kEditorControls.size(); ++i) {
    const ControlLayout& row = kEditorControls[i];
    ControlClass kind = ClassFor(row, false);
    RECT place = PlaceOf(row, dpi);
    HWND control = CreateWindowExW(kind.ex_style, kind.window_class, kShownText[i],
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, window,
                                   reinterpret_cast<HMENU>(INT_PTR(kFirstId + i)), instance, nullptr);
    if (row.font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row.font)), FALSE);
    if (row.control.Kind() == ControlKind::ComboBox) {
      for (const wchar_t* item : {L"Hard Disk", L"1.44MB Floppy", L"2.88MB Floppy"})
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
      SendMessageW(control, CB_SETCURSEL, 0, 0);
    }
    if (row.tip) {
      TOOLINFOW info{};
      info.cbSize = sizeof info;
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = window;
      info.uId = reinterpret_cast<UINT_PTR>(control);
      info.lpszText = const_cast<wchar_t*>(row.tip);
      SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    if (!first) first = control;
  }
  ShowWindow(window, SW_SHOW);
  SetFocus(first);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
