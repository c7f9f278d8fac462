#include "control_bindings.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <type_traits>

#include "control_classes.h"
#include "wide_text.h"

namespace korvex::window {
namespace {

using forms::Property;

// A binding that knows its model's control by that control's own type.
template <typename Typed>
class TypedBinding : public ControlBinding {
 public:
  TypedBinding(Typed& model, HWND control, const ControlLayout& layout)
      : ControlBinding(model, control, layout), control_(model) {}

 protected:
  Typed& control_;  // the model's control
};

class TextBinding : public TypedBinding<forms::TextBox> {
 public:
  // Made with the model's text; the caret goes behind it, as after each write.
  TextBinding(forms::TextBox& box, HWND control, const ControlLayout& layout) : TypedBinding(box, control, layout) {
    if (box.MaxLength() > 0) SendMessageW(control, EM_LIMITTEXT, box.MaxLength(), 0);
    PutCaret(GetWindowTextLengthW(control), GetWindowTextLengthW(control));
  }
  void Mirror(Property changed) override {
    if (changed != Property::Text) return;
    std::wstring text = win32::Widen(control_.Text());
    if (WindowText(Hwnd()) == text) return;  // what the user typed is not echoed
    Guarded([&] {
      DWORD start = 0, end = 0;
      SendMessageW(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      SetWindowTextW(Hwnd(), text.c_str());
      // A rule that changes the text while the user types keeps the caret
      // where it was; any other write puts it behind the text.
      auto length = static_cast<DWORD>(text.size());
      if (typing_)
        PutCaret(std::min(start, length), std::min(end, length));
      else
        PutCaret(length, length);
    });
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code != EN_CHANGE || Updating()) return;
    typing_ = true;
    control_.UserType(win32::Narrow(WindowText(Hwnd())));
    typing_ = false;
  }

 private:
  void PutCaret(DWORD start, DWORD end) { SendMessageW(Hwnd(), EM_SETSEL, start, end); }
  bool typing_ = false;
};

class CheckBinding : public TypedBinding<forms::CheckBox> {
 public:
  CheckBinding(forms::CheckBox& box, HWND control, const ControlLayout& layout) : TypedBinding(box, control, layout) {
    if (box.Value() != 0) Mirror(Property::Value);
  }
  void Mirror(Property changed) override {
    if (changed == Property::Value) SendMessageW(Hwnd(), BM_SETCHECK, control_.Value(), 0);
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code == BN_CLICKED) control_.UserClick();
  }
};

class ComboBinding : public TypedBinding<forms::ComboBox> {
 public:
  ComboBinding(forms::ComboBox& box, HWND control, const ControlLayout& layout) : TypedBinding(box, control, layout) {
    Mirror(Property::Items);  // a combo box takes no text at creation
  }
  void Mirror(Property changed) override {
    Guarded([&] {
      if (changed == Property::Items) {
        SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);  // which empties the edit field too
        for (const std::string& item : control_.Items())
          SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(item).c_str()));
        if (control_.ListIndex() < 0) SetWindowTextW(Hwnd(), win32::Widen(control_.Text()).c_str());
      }
      if (control_.ListIndex() >= 0 && (changed == Property::Items || changed == Property::ListIndex))
        SendMessageW(Hwnd(), CB_SETCURSEL, control_.ListIndex(), 0);
    });
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (Updating()) return;
    // The edit text lags behind a selection change: read the index.
    if (code == CBN_SELCHANGE) {
      int index = static_cast<int>(SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0));
      if (index >= 0) control_.UserChooseItem(index);
    } else if (code == CBN_EDITCHANGE) {
      control_.UserEditText(win32::Narrow(WindowText(Hwnd())));
    }
  }
};

class ScrollBinding : public TypedBinding<forms::ScrollBar> {
 public:
  ScrollBinding(forms::ScrollBar& bar, HWND control, const ControlLayout& layout) : TypedBinding(bar, control, layout) {
    SetScrollRange(control, SB_CTL, bar.Min(), bar.Max(), FALSE);
    SetScrollPos(control, SB_CTL, bar.Value(), FALSE);
  }
  void Mirror(Property changed) override {
    if (changed == Property::Value) SetScrollPos(Hwnd(), SB_CTL, control_.Value(), TRUE);
  }
  void OnScroll(int request, int position) override {
    switch (request) {
      case SB_LINEUP:
      case SB_PAGEUP: control_.UserLineUp(); break;  // the large change is one step too
      case SB_LINEDOWN:
      case SB_PAGEDOWN: control_.UserLineDown(); break;
      case SB_THUMBPOSITION: control_.SetValue(position); break;
      case SB_TOP: control_.SetValue(control_.Min()); break;
      case SB_BOTTOM: control_.SetValue(control_.Max()); break;
      default: break;
    }
  }
};

class LabelBinding : public TypedBinding<forms::Label> {
 public:
  using TypedBinding::TypedBinding;
  void Mirror(Property changed) override {
    if (changed == Property::Caption) SetWindowTextW(Hwnd(), win32::Widen(control_.Caption()).c_str());
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code == STN_CLICKED) control_.UserClick();
  }
};

class ButtonBinding : public TypedBinding<forms::CommandButton> {
 public:
  using TypedBinding::TypedBinding;
  void OnCommand(int code, forms::FocusTracker& focus) override {
    if (code == BN_CLICKED) focus.Click(control_);
  }
};

// The binding for each type of model control.
template <typename Typed> struct BindingFor;
template <> struct BindingFor<forms::TextBox> { using type = TextBinding; };
template <> struct BindingFor<forms::CheckBox> { using type = CheckBinding; };
template <> struct BindingFor<forms::ComboBox> { using type = ComboBinding; };
template <> struct BindingFor<forms::Stepper> { using type = ScrollBinding; };
template <> struct BindingFor<forms::Label> { using type = LabelBinding; };
template <> struct BindingFor<forms::CommandButton> { using type = ButtonBinding; };


template <typename Model>
std::unique_ptr<ControlBinding> Bind(const ControlLayout& layout, Model& model, HWND parent, int id, const RECT& place,
                                     HFONT font) {
  using Binding = typename BindingFor<Model>::type;
  constexpr bool kLabel = std::is_same_v<Model, forms::Label>;
  bool clickable = false;
  std::wstring caption;
  if constexpr (kLabel) clickable = static_cast<bool>(model.Click);
  if constexpr (kLabel || std::is_same_v<Model, forms::CommandButton> || std::is_same_v<Model, forms::CheckBox>)
    caption = win32::Widen(model.Caption());
  if constexpr (std::is_same_v<Model, forms::TextBox>) caption = win32::Widen(model.Text());
  ControlClass cls = ClassFor(layout, clickable);
  // Made where it stays and as the model has it, so that nothing moves or is
  // written twice. Siblings clip each other, the one made first on top.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (model.Enabled() ? 0 : WS_DISABLED) | cls.style;
  HWND control = CreateWindowExW(cls.ex_style, cls.window_class, caption.c_str(), style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return std::make_unique<Binding>(model, control, layout);
}

}  // namespace

void ControlBinding::Update(forms::Property changed) {
  if (changed == Property::Enabled) {
    EnableWindow(hwnd_, model_.Enabled());
  } else if (changed == Property::Refresh) {
    UpdateWindow(hwnd_);
  } else {
    Mirror(changed);
  }
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::unique_ptr<ControlBinding> CreateBoundControl(const ControlLayout& layout, Editor& model, HWND parent, int id,
                                                   const RECT& place, HFONT font) {
  return layout.control.Visit(model, [&](auto& control) { return Bind(layout, control, parent, id, place, font); });
}

}  // namespace korvex::window
