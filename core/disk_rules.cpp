// Disk type and size: a typed size becomes whole megabytes within its limits,
// VScroll1 steps it, and the size and FAT32 are offered for hard disks only.
#include <algorithm>
#include <cmath>

#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"

namespace korvex {
namespace {
constexpr double kStepBoundary = 1024, kStepDownFloor = 6;
}

std::int16_t Editor::SizeBarPosition(double megabytes) {
  // A size beyond the bar's range is shown as it is; its bar is held in range.
  double position = std::clamp(RoundHalfEven(kLargestSize - megabytes), 0.0, double(kLargestSize));
  return static_cast<std::int16_t>(position);
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
  if (index < 0 || index >= static_cast<int>(kDiskKinds.size())) {
    // Typing into the list's text field means a hard disk.
    Corrected(SettingId::DiskType, IntegerText(index), IntegerText(static_cast<int>(DiskKind::HardDisk)),
              CorrectionReason::TypedDiskType);
    Combo1.SetListIndex(static_cast<int>(DiskKind::HardDisk));
    Combo1.Refresh();
  }
  ApplyDiskKind();
}

void Editor::Text3_Change() { UpdateFat32Enabled(); }

void Editor::Text3_LostFocus() {
  std::string typed = Text3.Text();
  double whole = std::floor(TextToNumber(typed));
  Text3.SetText(NumberToText(whole));
  if (TextToNumber(Text3.Text()) > kLargestSize) Text3.SetText(IntegerText(kLargestSize));
  if (TextToNumber(Text3.Text()) < kSmallestSize) Text3.SetText(IntegerText(kSmallestSize));
  double size = TextToNumber(Text3.Text());
  VScroll1.Park(SizeBarPosition(size));
  Text3.SetText(NumberToText(size));
  Text3.Refresh();
  if (size != TextToNumber(typed))
    Corrected(SettingId::SizeIn4kPages, typed, Text3.Text(),
              whole > kLargestSize    ? CorrectionReason::AtMost
              : whole < kSmallestSize ? CorrectionReason::AtLeast
                                      : CorrectionReason::Whole);
  UpdateFat32Enabled();
}

void Editor::VScroll1_Change() {
  using Direction = forms::Stepper::Direction;
  bool stepped = VScroll1.Step(Text3, [this](Direction direction) -> std::optional<std::string> {
    double size = TextToNumber(Text3.Text());
    if (direction == Direction::Up) {
      double stepped = size + (size < kStepBoundary ? 1 : 2);
      if (stepped > kLargestSize) return std::nullopt;  // stepping up stops at the largest size
      return NumberToText(stepped);
    }
    if (size < kStepDownFloor) return std::nullopt;
    return NumberToText(size - (size > kStepBoundary ? 2 : 1));
  });
  if (stepped) UpdateFat32Enabled();
}

}  // namespace korvex
