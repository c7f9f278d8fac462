#include "editor_window.h"

#include <commctrl.h>

#include "control_classes.h"
#include "dpi.h"
#include "layout.h"
#include "resources.h"
#include "screen_reader_names.h"
#include "window_procedure.h"

namespace korvex::window {
namespace {

constexpr wchar_t kSubclassProperty[] = L"Korvex.Subclass";

bool TakesFocus(ControlKind kind) { return kind != ControlKind::Label; }

}  // namespace

EditorWindow::~EditorWindow() { Destroy(); }

bool EditorWindow::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
  auto small_icon = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  if (!RegisterOwnClass<EditorWindow>(kEditorClass, icon, small_icon)) return false;
  if (!OwnWindow<EditorWindow>::Create(*this, WS_EX_APPWINDOW, kEditorClass, L"Korvane Configuration Utility",
                       WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr))
    return false;
  dpi_ = WindowDpi(hwnd_);
  SizeToLayout();
  return true;
}

bool EditorWindow::CreateControls() {
  // In table order, which is the z-order: the tab order, each box after the
  // label that names it, then the other labels beneath everything else.
  int id = kFirstControlId;
  for (const ControlLayout& layout : kEditorControls) {
    auto binding = CreateBoundControl(layout, model_, hwnd_, id++, PlaceOf(layout, dpi_),
                                      layout.font ? fonts_.Get(*layout.font, dpi_) : nullptr);
    if (!binding) return false;
    if (TakesFocus(layout.control.Kind())) {
      WatchFocus(binding->Hwnd(), *binding);
      if (layout.control.Kind() == ControlKind::ComboBox)
        if (HWND edit = GetWindow(binding->Hwnd(), GW_CHILD)) WatchFocus(edit, *binding);
    }
    bindings_.push_back(std::move(binding));
  }
  AddTips();
  NameUnlabelledControls();
  return true;
}

// The interval box, whose label follows it, and the three steppers take the
// name of the label beside them.
void EditorWindow::NameUnlabelledControls() {
  constexpr const char* kNamedBy[][2] = {
      {"AutoSaveTime", "Label11"}, {"VScroll1", "Label6"}, {"VScroll2", "Label13"}, {"VScroll3", "Label11"}};
  HWND controls[std::size(kNamedBy)];
  wchar_t captions[std::size(kNamedBy)][64];
  const wchar_t* names[std::size(kNamedBy)];
  for (std::size_t i = 0; i < std::size(kNamedBy); ++i) {
    controls[i] = ControlHwnd(kNamedBy[i][0]);
    GetWindowTextW(ControlHwnd(kNamedBy[i][1]), captions[i], 64);
    names[i] = captions[i];
  }
  screen_reader_names_ = NameForScreenReaders(controls, names, static_cast<int>(std::size(kNamedBy)));
}

void EditorWindow::ShowAndPaint() {
  ShowWindow(hwnd_, SW_SHOW);
  for (const auto& binding : bindings_) {
    if (TakesFocus(binding->Layout().control.Kind()) && IsWindowEnabled(binding->Hwnd())) {
      SetFocus(binding->Hwnd());
      break;
    }
  }
  UpdateWindow(hwnd_);
}

void EditorWindow::Destroy() { OwnWindow<EditorWindow>::Destroy(*this); }

HWND EditorWindow::ControlHwnd(const char* name) const {
  for (const auto& binding : bindings_)
    if (binding->Model().Name() == name) return binding->Hwnd();
  return nullptr;
}

ControlBinding* EditorWindow::BindingOf(HWND control) const {
  if (!control) return nullptr;
  HWND parent = GetParent(control);  // a combo box's edit field
  for (const auto& binding : bindings_)
    if (binding->Hwnd() == control || binding->Hwnd() == parent) return binding.get();
  return nullptr;
}

void EditorWindow::ApplyLayout(UINT dpi) {
  dpi_ = dpi;
  for (const auto& binding : bindings_) {
    const ControlLayout& layout = binding->Layout();
    HWND control = binding->Hwnd();
    if (layout.font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(*layout.font, dpi)), FALSE);
    RECT place = PlaceOf(layout, dpi);
    MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
  }
  SizeToLayout();
}

void EditorWindow::SizeToLayout() {
  RECT client{0, 0, TwipsToPixels(kEditorClientWidth, dpi_), TwipsToPixels(kEditorClientHeight, dpi_)};
  RECT outer =
      OuterRectForClient(client, GetWindowLongW(hwnd_, GWL_STYLE), GetWindowLongW(hwnd_, GWL_EXSTYLE), dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void EditorWindow::AddTips() {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (!tips_) return;
  auto add = [&](HWND control, const wchar_t* tip) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(tip);
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  };
  for (const auto& binding : bindings_) {
    const ControlLayout& layout = binding->Layout();
    if (!layout.tip) continue;
    add(binding->Hwnd(), layout.tip);
    if (layout.control.Kind() == ControlKind::ComboBox)  // the pointer rests on the combo's edit field
      if (HWND edit = GetWindow(binding->Hwnd(), GW_CHILD)) add(edit, layout.tip);
  }
}

void EditorWindow::PaintLines(HDC dc) const {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  for (const LineLayout& line : kEditorLines) {
    int x1 = TwipsToPixels(line.x1, dpi_), y1 = TwipsToPixels(line.y1, dpi_);
    int x2 = TwipsToPixels(line.x2, dpi_), y2 = TwipsToPixels(line.y2, dpi_);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SetPixel(dc, x2, y2, GetSysColor(COLOR_WINDOWTEXT));  // LineTo leaves out the end point
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void EditorWindow::WatchFocus(HWND control, ControlBinding& binding) {
  auto subclass = std::make_unique<Subclass>(Subclass{this, &binding, nullptr});
  SetPropW(control, kSubclassProperty, subclass.get());
  subclass->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorWindow::ControlProc)));
  subclasses_.push_back(std::move(subclass));
}

LRESULT CALLBACK EditorWindow::ControlProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* subclass = static_cast<Subclass*>(GetPropW(hwnd, kSubclassProperty));
  if (!subclass) return DefWindowProcW(hwnd, message, wparam, lparam);
  WNDPROC original = subclass->original;
  try {
    forms::FocusTracker& focus = subclass->window->model_.focus;
    if (message == WM_KILLFOCUS) {
      // Only a move to another control of this window is a lost focus;
      // activating another program is not.
      ControlBinding* target = subclass->window->BindingOf(reinterpret_cast<HWND>(wparam));
      if (target && target != subclass->binding) focus.FocusEnters(target->Model());
    } else if (message == WM_SETFOCUS) {
      // Also when the focus comes back from elsewhere to another control:
      // the LostFocus owed by the one that had it must never be dropped.
      focus.FocusEnters(subclass->binding->Model());
    }
  } catch (...) {
    ReportCaughtException("a control's focus tracking");
  }
  if (message == WM_NCDESTROY) {
    // The controls end only with the Editor; as for the Editor itself, any
    // other WM_NCDESTROY would leave a control without its state.
    if (!subclass->window->destroying_) return 0;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(hwnd, kSubclassProperty);
  }
  return CallWindowProcW(original, hwnd, message, wparam, lparam);
}

LRESULT EditorWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Esc reach here as IDOK and IDCANCEL: neither presses anything.
      if (ControlBinding* binding = BindingOf(reinterpret_cast<HWND>(lparam)))
        if (LOWORD(wparam) >= kFirstControlId) binding->OnCommand(HIWORD(wparam), model_.focus);
      return 0;
    case WM_VSCROLL:
      if (ControlBinding* binding = BindingOf(reinterpret_cast<HWND>(lparam)))
        binding->OnScroll(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      if (ControlBinding* binding = BindingOf(reinterpret_cast<HWND>(lparam)))
        if (binding->Layout().colour != kDefaultColour) SetTextColor(dc, binding->Layout().colour);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      PaintLines(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_CLOSE:
      model_.Form_Close();
      return 0;
    case WM_ACTIVATE:
      // As a form does: the control that had the focus gets it back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focus_when_left_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
      } else if (HIWORD(wparam) == 0 && focus_when_left_ && IsChild(hwnd_, focus_when_left_) &&
                 IsWindowEnabled(focus_when_left_) && IsWindowVisible(focus_when_left_)) {
        SetFocus(focus_when_left_);
        return 0;
      }
      return DefWindowProcW(hwnd_, message, wparam, lparam);
    case kDpiChanged: {
      // The suggested rectangle is not read at all (any program can send
      // this message, and the pointer may be anything); the window keeps its
      // corner and takes the size of the new layout.
      ApplyLayout(DpiOfMessage(hwnd_, wparam));
      return 0;
    }
    case WM_NCDESTROY:
      bindings_.clear();  // detaches the views from the model
      subclasses_.clear();
      if (tips_) tips_ = nullptr;
      hwnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

}  // namespace korvex::window
