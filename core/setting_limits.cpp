#include "setting_limits.h"

#include "ascii_text.h"
#include "number_text.h"

namespace korvex {

std::string RangeText(int low, int high) { return IntegerText(low) + " to " + IntegerText(high); }

std::string DriveLetterRange() { return std::string(1, kFirstDriveLetter) + " to " + kLastDriveLetter; }

std::optional<char> DriveOf(std::string_view text) {
  if (text.size() == 2 && text[1] == ':') text.remove_suffix(1);
  if (text.size() != 1) return std::nullopt;
  char capital = AsciiUpper(text[0]);
  if (capital < kFirstDriveLetter || capital > kLastDriveLetter) return std::nullopt;
  return capital;
}

std::string DiskKindList(std::string_view DiskKindInfo::*field) {
  std::string list;
  for (std::size_t i = 0; i < kDiskKinds.size(); ++i)
    list += (i == 0 ? "" : i + 1 == kDiskKinds.size() ? " or " : ", ") + std::string(kDiskKinds[i].*field);
  return list;
}

std::string SizeRefusal() {
  return "The disk size cannot be stored. Enter a size from " + RangeText(kSmallestSize, kLargestSize) + " MB.";
}

std::string IntervalRefusal() {
  return "The AutoSave interval cannot be stored. Enter " + RangeText(kShortestInterval, kLongestInterval) +
         " seconds.";
}

std::string EmptyDriveLetterRefusal() {
  return "The drive letter is empty. Enter a letter from " + DriveLetterRange() + ".";
}

}  // namespace korvex
