// A small forms runtime: controls hold the window's state, and every property
// write raises the control's event at once, nested inside the write. The
// front end attaches a view to each control to mirror writes on screen and
// feeds the user's actions in through the User... calls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex::forms {

enum class Property { Text, Value, Enabled, Caption, ListIndex, Items, Refresh };

class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void Update(Property changed) = 0;
};

using Event = std::function<void()>;

class Control {
 public:
  explicit Control(std::string_view name) : name_(name) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void Refresh() { Notify(Property::Refresh); }
  void AttachView(ControlView* view) { view_ = view; }

  // Raised when the focus moves from this control to another of its window.
  Event LostFocus;
  // Raised by every user action on the control, before its effect, also by
  // one that leaves the control as it was (typing the same text again).
  Event Acted;

 protected:
  void Notify(Property changed) {
    if (view_) view_->Update(changed);
  }
  static void Raise(const Event& event) {
    if (event) event();
  }

 private:
  std::string name_;
  bool enabled_ = true;
  ControlView* view_ = nullptr;
};

class TextBox : public Control {
 public:
  TextBox(std::string_view name, std::string_view text, int max_length = 0)
      : Control(name), text_(text), max_length_(max_length) {}
  const std::string& Text() const { return text_; }
  // Typing and code alike: Change on every change of the text.
  void SetText(std::string_view text);
  void UserType(std::string_view text) {
    Raise(Acted);
    SetText(text);
  }
  // What a user at the keyboard does to replace the text: selects it all and
  // types it over, one character at a time, as many as the box takes.
  void UserTypeOver(std::string_view text);
  // Limits only what the user types; 0 is no limit.
  int MaxLength() const { return max_length_; }
  Event Change;

 private:
  std::string text_;
  int max_length_;
};

class CheckBox : public Control {
 public:
  CheckBox(std::string_view name, std::string_view caption) : Control(name), caption_(caption) {}
  const std::string& Caption() const { return caption_; }
  int Value() const { return value_; }  // 0 clear, 1 ticked, 2 grayed
  void SetValue(int value);
  void UserClick() {
    Raise(Acted);
    SetValue(value_ == 1 ? 0 : 1);
  }
  Event Click;

 private:
  std::string caption_;
  int value_ = 0;
};

// A drop-down combo box: an edit field and a list.
class ComboBox : public Control {
 public:
  ComboBox(std::string_view name, std::string_view text) : Control(name), text_(text) {}
  const std::string& Text() const { return text_; }
  const std::vector<std::string>& Items() const { return items_; }
  int ListIndex() const { return list_index_; }  // -1: no item selected
  void AddItem(std::string_view item, int index);
  void SetListIndex(int index);     // raises Click when it changes
  void UserChooseItem(int index) {
    Raise(Acted);
    SetListIndex(index);
  }
  void UserEditText(std::string_view text);  // raises Change; deselects
  // Code's: no item selected and `text` in the field; raises nothing.
  void Deselect(std::string_view text);
  Event Click;
  Event Change;

 private:
  std::string text_;
  std::vector<std::string> items_;
  int list_index_ = -1;
};

class ScrollBar : public Control {
 public:
  ScrollBar(std::string_view name, int min, int max, int small_change)
      : Control(name), min_(min), max_(max), small_change_(small_change) {}
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void SetValue(int value);  // held within Min..Max; Change when it moves
  // The arrows: up lowers the value, down raises it.
  void UserLineUp() { UserSetValue(value_ - small_change_); }
  void UserLineDown() { UserSetValue(value_ + small_change_); }
  void UserSetValue(int value) {
    Raise(Acted);
    SetValue(value);
  }
  Event Change;

 private:
  int min_, max_, small_change_;
  int value_ = 0;
};

class Label : public Control {
 public:
  Label(std::string_view name, std::string_view caption) : Control(name), caption_(caption) {}
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  void UserClick() const { Raise(Click); }
  Event Click;

 private:
  std::string caption_;
};

class CommandButton : public Control {
 public:
  CommandButton(std::string_view name, std::string_view caption) : Control(name), caption_(caption) {}
  const std::string& Caption() const { return caption_; }
  Event Click;
  void RaiseClick() const { Raise(Click); }

 private:
  std::string caption_;
};

// Which control of a window has the focus, so that LostFocus is raised only
// when the focus moves to another control of the same window.
class FocusTracker {
 public:
  Control* Focused() const { return focused_; }
  // From another control of this window, or back from another window: a
  // LostFocus still owed by the control that had it is raised either way.
  void FocusEnters(Control& control);
  // A click takes the focus first, so a pending LostFocus runs before Click.
  void Click(CommandButton& button);

 private:
  Control* focused_ = nullptr;
};

}  // namespace korvex::forms
