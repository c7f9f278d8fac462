#include "setting_limits.h"

#include "number_text.h"

namespace korvex {

std::string SizeRefusal() {
  return "The disk size cannot be stored. Enter a size from " + IntegerText(kSmallestSize) + " to " +
         IntegerText(kLargestSize) + " MB.";
}

std::string IntervalRefusal() {
  return "The AutoSave interval cannot be stored. Enter " + IntegerText(kShortestInterval) + " to " +
         IntegerText(kLongestInterval) + " seconds.";
}

std::string EmptyDriveLetterRefusal() {
  return std::string("The drive letter is empty. Enter a letter from ") + kFirstDriveLetter + " to " +
         kLastDriveLetter + ".";
}

}  // namespace korvex
