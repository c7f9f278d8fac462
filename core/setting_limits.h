// What each setting may hold, in one place for every program on the core: the
// rules, the scroll bars' ranges, the load and the refusal messages all take
// their limits and the disk kinds from here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// The disk the driver emulates; the numbers are the list indexes in Combo1.
enum class DiskKind : int { HardDisk = 0, Floppy144 = 1, Floppy288 = 2 };

struct DiskKindInfo {
  DiskKind kind;
  std::string_view list_text;
  std::string_view stored_code;
  std::string_view name;  // as scripts give it to korvexcfg
};

inline constexpr std::array<DiskKindInfo, 3> kDiskKinds{{
    {DiskKind::HardDisk, "Hard Disk", "HDC", "hard-disk"},
    {DiskKind::Floppy144, "1.44MB Floppy", "FDC14", "floppy-1.44"},
    {DiskKind::Floppy288, "2.88MB Floppy", "FDC28", "floppy-2.88"},
}};

// Disk size in whole megabytes; FAT32 is offered only above kFat32Threshold.
inline constexpr int kSmallestSize = 5, kLargestSize = 2048, kFat32Threshold = 32;

// AutoSave interval in whole seconds.
inline constexpr int kShortestInterval = 20, kLongestInterval = 32767;

// Drive letters, by their ANSI codes.
inline constexpr char kFirstDriveLetter = 'A', kLastDriveLetter = 'Z';

// The capital letter of a drive given as one letter in either case, optionally
// followed by ":"; nothing else names a drive, so nothing else is sent to a volume.
std::optional<char> DriveOf(std::string_view text);

// A pair of limits as messages word them: "5 to 2048", "A to Z".
std::string RangeText(int low, int high);
std::string DriveLetterRange();

// The disk kinds' names or stored codes as a message lists them, in list
// order: "hard-disk, floppy-1.44 or floppy-2.88", "HDC, FDC14 or FDC28".
std::string DiskKindList(std::string_view DiskKindInfo::*field);

// What the user is told when a setting cannot be stored.
std::string SizeRefusal();
std::string IntervalRefusal();
std::string EmptyDriveLetterRefusal();

}  // namespace korvex
