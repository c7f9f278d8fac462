#include "control_bindings.h"

#include <commctrl.h>

#include <string>

#include "wide_text.h"

namespace korvex::win32 {
namespace {

using forms::Property;

class TextBinding : public ControlBinding {
 public:
  TextBinding(forms::TextBox& box, HWND control) : ControlBinding(box, control), box_(box) {
    if (box.MaxLength() > 0) SendMessageW(control, EM_LIMITTEXT, box.MaxLength(), 0);
  }
  void MirrorAll() override { Mirror(Property::Text); }
  void Mirror(Property changed) override {
    if (changed != Property::Text) return;
    Guarded([&] {
      std::wstring text = Widen(box_.Text());
      SetWindowTextW(Hwnd(), text.c_str());
      SendMessageW(Hwnd(), EM_SETSEL, text.size(), text.size());
    });
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code == EN_CHANGE && !Updating()) box_.SetText(Narrow(WindowText(Hwnd())));
  }

 private:
  forms::TextBox& box_;
};

class CheckBinding : public ControlBinding {
 public:
  CheckBinding(forms::CheckBox& box, HWND control) : ControlBinding(box, control), box_(box) {}
  void MirrorAll() override { Mirror(Property::Value); }
  void Mirror(Property changed) override {
    if (changed == Property::Value) SendMessageW(Hwnd(), BM_SETCHECK, box_.Value(), 0);
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code == BN_CLICKED) box_.UserClick();
  }

 private:
  forms::CheckBox& box_;
};

class ComboBinding : public ControlBinding {
 public:
  ComboBinding(forms::ComboBox& combo, HWND control) : ControlBinding(combo, control), combo_(combo) {}
  void MirrorAll() override { Mirror(Property::Items); }
  void Mirror(Property changed) override {
    Guarded([&] {
      if (changed == Property::Items) {
        SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);  // which empties the edit field too
        for (const std::string& item : combo_.Items())
          SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        if (combo_.ListIndex() < 0) SetWindowTextW(Hwnd(), Widen(combo_.Text()).c_str());
      }
      if (combo_.ListIndex() >= 0 && (changed == Property::Items || changed == Property::ListIndex))
        SendMessageW(Hwnd(), CB_SETCURSEL, combo_.ListIndex(), 0);
    });
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (Updating()) return;
    // The edit text lags behind a selection change: read the index.
    if (code == CBN_SELCHANGE) {
      int index = static_cast<int>(SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0));
      if (index >= 0) combo_.UserChooseItem(index);
    } else if (code == CBN_EDITCHANGE) {
      combo_.UserEditText(Narrow(WindowText(Hwnd())));
    }
  }

 private:
  forms::ComboBox& combo_;
};

class ScrollBinding : public ControlBinding {
 public:
  ScrollBinding(forms::ScrollBar& bar, HWND control) : ControlBinding(bar, control), bar_(bar) {
    SetScrollRange(control, SB_CTL, bar.Min(), bar.Max(), FALSE);
  }
  void MirrorAll() override { Mirror(Property::Value); }
  void Mirror(Property changed) override {
    if (changed == Property::Value) SetScrollPos(Hwnd(), SB_CTL, bar_.Value(), TRUE);
  }
  void OnScroll(int request, int position) override {
    switch (request) {
      case SB_LINEUP:
      case SB_PAGEUP: bar_.UserLineUp(); break;  // the large change is one step too
      case SB_LINEDOWN:
      case SB_PAGEDOWN: bar_.UserLineDown(); break;
      case SB_THUMBPOSITION: bar_.SetValue(position); break;
      case SB_TOP: bar_.SetValue(bar_.Min()); break;
      case SB_BOTTOM: bar_.SetValue(bar_.Max()); break;
      default: break;
    }
  }

 private:
  forms::ScrollBar& bar_;
};

class LabelBinding : public ControlBinding {
 public:
  LabelBinding(forms::Label& label, HWND control) : ControlBinding(label, control), label_(label) {}
  void MirrorAll() override { Mirror(Property::Caption); }
  void Mirror(Property changed) override {
    if (changed == Property::Caption) SetWindowTextW(Hwnd(), Widen(label_.Caption()).c_str());
  }
  void OnCommand(int code, forms::FocusTracker&) override {
    if (code == STN_CLICKED) label_.UserClick();
  }

 private:
  forms::Label& label_;
};

class ButtonBinding : public ControlBinding {
 public:
  ButtonBinding(forms::CommandButton& button, HWND control) : ControlBinding(button, control), button_(button) {}
  void OnCommand(int code, forms::FocusTracker& focus) override {
    if (code == BN_CLICKED) focus.Click(button_);
  }

 private:
  forms::CommandButton& button_;
};

struct ControlClass {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassFor(const ControlLayout& layout, const forms::Control& model) {
  const bool centre = layout.alignment == Alignment::Centre;
  const bool clickable = dynamic_cast<const forms::Label*>(&model) && static_cast<const forms::Label&>(model).Click;
  switch (layout.kind) {
    case ControlKind::Button: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_MULTILINE, 0};
    case ControlKind::CheckBox: return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX | BS_MULTILINE, 0};
    case ControlKind::TextBox:
      return {L"EDIT", DWORD(WS_TABSTOP | ES_AUTOHSCROLL | (centre ? ES_CENTER : ES_LEFT)), WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::ScrollBar: return {L"SCROLLBAR", WS_TABSTOP | SBS_VERT, 0};
    case ControlKind::Label:
      return {L"STATIC", DWORD((centre ? SS_CENTER : SS_LEFT) | SS_NOPREFIX | (clickable ? SS_NOTIFY : 0)), 0};
  }
  return {L"STATIC", 0, 0};
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

std::unique_ptr<ControlBinding> CreateBoundControl(const ControlLayout& layout, forms::Control& model, HWND parent,
                                                   int id) {
  ControlClass cls = ClassFor(layout, model);
  std::wstring caption;
  if (auto* button = dynamic_cast<forms::CommandButton*>(&model)) caption = Widen(button->Caption());
  if (auto* box = dynamic_cast<forms::CheckBox*>(&model)) caption = Widen(box->Caption());
  // Siblings clip each other: labels, created last, lie beneath the rest.
  HWND control = CreateWindowExW(cls.ex_style, cls.window_class, caption.c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  std::unique_ptr<ControlBinding> binding;
  switch (layout.kind) {
    case ControlKind::Button: binding = std::make_unique<ButtonBinding>(dynamic_cast<forms::CommandButton&>(model), control); break;
    case ControlKind::CheckBox: binding = std::make_unique<CheckBinding>(dynamic_cast<forms::CheckBox&>(model), control); break;
    case ControlKind::TextBox: binding = std::make_unique<TextBinding>(dynamic_cast<forms::TextBox&>(model), control); break;
    case ControlKind::ComboBox: binding = std::make_unique<ComboBinding>(dynamic_cast<forms::ComboBox&>(model), control); break;
    case ControlKind::ScrollBar: binding = std::make_unique<ScrollBinding>(dynamic_cast<forms::ScrollBar&>(model), control); break;
    case ControlKind::Label: binding = std::make_unique<LabelBinding>(dynamic_cast<forms::Label&>(model), control); break;
  }
  binding->MirrorAll();
  EnableWindow(control, model.Enabled());
  return binding;
}

}  // namespace korvex::win32
