// AutoSave interval and image options: the interval is brought within its
// limits when its box loses the focus, VScroll3 steps it by a second,
// and the three check boxes enable their fields and hold AutoSave to image
// saving.

#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"

namespace korvex {
namespace {
constexpr double kStepDownFloor = 2;
}

void Editor::AutoSaveTime_LostFocus() {
  std::string typed = AutoSaveTime.Text();
  double asked = TextToNumber(typed);
  if (TextToNumber(AutoSaveTime.Text()) > kLongestInterval) AutoSaveTime.SetText(IntegerText(kLongestInterval));
  if (TextToNumber(AutoSaveTime.Text()) < kShortestInterval) AutoSaveTime.SetText(IntegerText(kShortestInterval));
  double seconds = TextToNumber(AutoSaveTime.Text());
  VScroll3.Park(RoundToInt16(seconds).value_or(static_cast<std::int16_t>(kShortestInterval)));
  AutoSaveTime.SetText(NumberToText(seconds));
  AutoSaveTime.Refresh();
  if (seconds != asked) {
    Corrected(SettingId::AutoSaveTrigger, typed, AutoSaveTime.Text(),
              asked > kLongestInterval ? CorrectionReason::AtMost : CorrectionReason::AtLeast);
  } else if (auto stored = SecondsFromIntervalText(AutoSaveTime.Text()); stored && *stored != seconds) {
    // The box keeps a fraction as typed; the save stores whole seconds.
    Corrected(SettingId::AutoSaveTrigger, typed, IntegerText(*stored), CorrectionReason::Whole);
  }
}

void Editor::VScroll3_Change() {
  using Direction = forms::Stepper::Direction;
  VScroll3.Step(AutoSaveTime, [this](Direction direction) -> std::optional<std::string> {
    double seconds = TextToNumber(AutoSaveTime.Text());
    if (direction == Direction::Up) return NumberToText(seconds + 1);
    if (seconds < kStepDownFloor) return std::nullopt;
    return NumberToText(seconds - 1);
  });
}

void Editor::SaveCheckBox_Click() {
  if (SaveCheckBox.Value() == 1) {
    AutoSaveTime.SetEnabled(true);
    if (SaveImage.Value() != 1)
      Corrected(SettingId::SaveImageOnExit, IntegerText(SaveImage.Value()), "1", CorrectionReason::AutoSaveSaves);
    SaveImage.SetValue(1);
    Text2.SetEnabled(true);
  } else {
    AutoSaveTime.SetEnabled(false);
  }
}

void Editor::SaveImage_Click() {
  if (SaveImage.Value() == 1) {
    Text2.SetEnabled(true);
  } else {
    Text2.SetEnabled(false);
    AutoSaveTime.SetEnabled(false);
    if (SaveCheckBox.Value() != 0)
      Corrected(SettingId::AutoSaveEnabled, IntegerText(SaveCheckBox.Value()), "0", CorrectionReason::NoImageSaving);
    SaveCheckBox.SetValue(0);
  }
}

void Editor::LoadImage_Click() { Text1.SetEnabled(LoadImage.Value() == 1); }

}  // namespace korvex
