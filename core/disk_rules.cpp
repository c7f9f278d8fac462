// Disk type and size: a typed size becomes whole megabytes from 5 to 2048,
// VScroll1 steps it, and the size and FAT32 are offered for hard disks only.
#include <cmath>

#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"

namespace korvex {
namespace {
constexpr double kLargestSize = 2048, kSmallestSize = 5, kStepBoundary = 1024, kStepDownFloor = 6,
                 kFat32Threshold = 32;
}

void Editor::UpdateFat32Enabled() { Fat32Enable.SetEnabled(TextToNumber(Text3.Text()) > kFat32Threshold); }

void Editor::ApplyDiskKind() {
  if (Combo1.ListIndex() == static_cast<int>(DiskKind::HardDisk)) {
    Text3.SetEnabled(true);
    Label6.SetEnabled(true);
    Label12.SetEnabled(true);
    UpdateFat32Enabled();
  } else {
    Text3.SetEnabled(false);
    Fat32Enable.SetEnabled(false);
    Label6.SetEnabled(false);
    Label12.SetEnabled(false);
  }
}

void Editor::Combo1_Click() { ApplyDiskKind(); }

void Editor::Combo1_Change() {
  int index = Combo1.ListIndex();
  if (index < 0 || index > 2) {
    // Typing into the list's text field means a hard disk.
    Combo1.SetListIndex(static_cast<int>(DiskKind::HardDisk));
    Combo1.Refresh();
  }
  ApplyDiskKind();
}

void Editor::Text3_Change() { UpdateFat32Enabled(); }

void Editor::Text3_LostFocus() {
  Text3.SetText(NumberToText(std::floor(TextToNumber(Text3.Text()))));
  if (TextToNumber(Text3.Text()) > kLargestSize) Text3.SetText("2048");
  if (TextToNumber(Text3.Text()) < kSmallestSize) Text3.SetText("5");
  double size = TextToNumber(Text3.Text());
  // The field first: the bar's nested Change then finds nothing to do.
  LastVScroll1 = static_cast<std::int16_t>(kLargestSize - size);
  VScroll1.SetValue(LastVScroll1);
  Text3.SetText(NumberToText(size));
  Text3.Refresh();
  UpdateFat32Enabled();
}

void Editor::VScroll1_Change() {
  if (!Text3.Enabled()) {
    VScroll1.SetValue(LastVScroll1);
    return;
  }
  int value = VScroll1.Value();
  double size = TextToNumber(Text3.Text());
  double stepped;
  if (value < LastVScroll1) {
    stepped = size + (size < kStepBoundary ? 1 : 2);
    if (stepped > kLargestSize) {  // stepping up stops at the largest size
      VScroll1.SetValue(LastVScroll1);
      return;
    }
  } else if (value > LastVScroll1) {
    if (size < kStepDownFloor) {
      VScroll1.SetValue(LastVScroll1);
      return;
    }
    stepped = size - (size > kStepBoundary ? 2 : 1);
  } else {
    return;  // the nested run after a value set from code
  }
  Text3.SetText(NumberToText(stepped));
  Text3.Refresh();
  LastVScroll1 = static_cast<std::int16_t>(VScroll1.Value());
  UpdateFat32Enabled();
}

}  // namespace korvex
