// AutoSave interval and image options: the interval is brought into 20 to
// 32767 seconds when its box loses the focus, VScroll3 steps it by a second,
// and the three check boxes enable their fields and hold AutoSave to image
// saving.

#include "editor.h"
#include "number_text.h"

namespace korvex {
namespace {
constexpr double kLongestInterval = 32767, kShortestInterval = 20, kStepDownFloor = 2;
}

void Editor::AutoSaveTime_LostFocus() {
  if (TextToNumber(AutoSaveTime.Text()) > kLongestInterval) AutoSaveTime.SetText("32767");
  if (TextToNumber(AutoSaveTime.Text()) < kShortestInterval) AutoSaveTime.SetText("20");
  double seconds = TextToNumber(AutoSaveTime.Text());
  LastVScroll3 = RoundToInt16(seconds).value_or(static_cast<std::int16_t>(kShortestInterval));
  VScroll3.SetValue(LastVScroll3);
  AutoSaveTime.SetText(NumberToText(seconds));
  AutoSaveTime.Refresh();
}

void Editor::VScroll3_Change() {
  if (!AutoSaveTime.Enabled()) {
    VScroll3.SetValue(LastVScroll3);
    return;
  }
  int value = VScroll3.Value();
  double seconds = TextToNumber(AutoSaveTime.Text());
  if (value < LastVScroll3) {
    AutoSaveTime.SetText(NumberToText(seconds + 1));
  } else if (value > LastVScroll3) {
    if (seconds < kStepDownFloor) {
      VScroll3.SetValue(LastVScroll3);
      return;
    }
    AutoSaveTime.SetText(NumberToText(seconds - 1));
  } else {
    return;
  }
  AutoSaveTime.Refresh();
  LastVScroll3 = static_cast<std::int16_t>(VScroll3.Value());
}

void Editor::SaveCheckBox_Click() {
  if (SaveCheckBox.Value() == 1) {
    AutoSaveTime.SetEnabled(true);
    SaveImage.SetValue(1);  // AutoSave saves the image
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
    SaveCheckBox.SetValue(0);  // no AutoSave without image saving
  }
}

void Editor::LoadImage_Click() { Text1.SetEnabled(LoadImage.Value() == 1); }

}  // namespace korvex
