// A scroll bar used only as an up/down sensor beside a text box: where the
// bar stands means nothing, only which way it moved from the position last
// applied or accepted. A refused step springs the bar back; code that places
// the bar records the position first, so the Change the move raises finds
// nothing to do.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forms.h"

namespace korvex::forms {

class Stepper : public ScrollBar {
 public:
  // A bar's whole 16-bit range, and its middle, where a sensor rests so that
  // both arrows work.
  static constexpr int kFullRange = 32767;
  static constexpr std::int16_t kRest = 16384;

  enum class Direction { None, Up, Down };
  // The field's text after one step that way, or nothing to refuse the step.
  using NextText = std::function<std::optional<std::string>(Direction)>;

  explicit Stepper(std::string_view name, int max = kFullRange) : ScrollBar(name, 0, max, 1) {}

  // The position last applied or accepted.
  std::int16_t Last() const { return last_; }
  // Up when the bar moved towards its top; None for the nested run after a
  // move from code.
  Direction Moved() const;
  void Park(std::int16_t position);
  void ParkAtRest() { Park(kRest); }
  // Runs from Change: writes the field's next text and accepts the bar's
  // position, or springs the bar back; a disabled field takes no step.
  // True when the field stepped.
  bool Step(TextBox& field, const NextText& next);

 private:
  std::int16_t last_ = 0;
};

}  // namespace korvex::forms
