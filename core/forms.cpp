#include "forms.h"

#include "utf8.h"

#include <algorithm>

namespace korvex::forms {

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void TextBox::UserTypeOver(std::string_view text) {
  UserType("");
  std::string typed;
  int count = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (max_length_ > 0 && count++ == max_length_) break;
    utf8::Append(typed, utf8::Next(text, at));
    UserType(typed);
  }
}

void TextBox::SetText(std::string_view text) {
  if (text == text_) return;
  text_ = text;
  Notify(Property::Text);
  Raise(Change);
}

void CheckBox::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  Notify(Property::Value);
  Raise(Click);
}

void ComboBox::AddItem(std::string_view item, int index) {
  index = std::clamp(index, 0, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + index, std::string(item));
  if (list_index_ >= index) ++list_index_;
  Notify(Property::Items);
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size()) || index == list_index_) return;
  list_index_ = index;
  if (index >= 0) text_ = items_[index];
  Notify(Property::ListIndex);
  Raise(Click);
}

void ComboBox::UserEditText(std::string_view text) {
  Raise(Acted);
  if (text == text_) return;
  text_ = text;
  list_index_ = -1;
  Raise(Change);
}

void ComboBox::Deselect(std::string_view text) {
  if (list_index_ == -1 && text == text_) return;
  list_index_ = -1;
  text_ = text;
  Notify(Property::Items);  // the view rewrites its field from the text
}

void ScrollBar::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  Notify(Property::Value);
  Raise(Change);
}

void Label::SetCaption(std::string_view caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Notify(Property::Caption);
}

void FocusTracker::FocusEnters(Control& control) {
  Control* previous = focused_;
  focused_ = &control;
  if (previous && previous != &control && previous->LostFocus) previous->LostFocus();
}

void FocusTracker::Click(CommandButton& button) {
  FocusEnters(button);
  button.RaiseClick();
}

}  // namespace korvex::forms
