// The limits the window's rules hold the settings to, for the console tool's
// messages and checks. The rules keep their own constants for now; both are
// to come from one definition.
#pragma once

namespace korvex::limits {

inline constexpr double kSmallestSizeMegabytes = 5, kLargestSizeMegabytes = 2048;
inline constexpr double kShortestIntervalSeconds = 20, kLongestIntervalSeconds = 32767;
inline constexpr char kFirstDriveLetter = 'A', kLastDriveLetter = 'Z';
// FAT32 is offered only for hard disks larger than this.
inline constexpr double kFat32AboveMegabytes = 32;

}  // namespace korvex::limits
