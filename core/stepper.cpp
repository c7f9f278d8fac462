#include "stepper.h"

namespace korvex::forms {

Stepper::Direction Stepper::Moved() const {
  if (Value() < last_) return Direction::Up;
  if (Value() > last_) return Direction::Down;
  return Direction::None;
}

void Stepper::Park(std::int16_t position) {
  last_ = position;
  SetValue(last_);
}

bool Stepper::Step(TextBox& field, const NextText& next) {
  Direction direction = Moved();
  if (direction == Direction::None) return false;
  std::optional<std::string> text;
  if (field.Enabled()) text = next(direction);
  if (!text) {
    SetValue(last_);
    return false;
  }
  field.SetText(*text);
  field.Refresh();
  last_ = static_cast<std::int16_t>(Value());
  return true;
}

}  // namespace korvex::forms
