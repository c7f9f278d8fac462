// The driver's ten parameters in their stored form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvex {

inline constexpr std::string_view kParametersKeyPath = "System\\CurrentControlSet\\Services\\korvex\\Parameters";

// A text value holds at most this many bytes with its terminating NUL.
inline constexpr std::size_t kTextValueCapacity = 132;
inline constexpr std::size_t kMaxTextValueCharacters = kTextValueCapacity - 1;

struct TextValue {
  std::string bytes;  // ANSI bytes, without the NUL
  bool present = false;
};

struct DwordValue {
  std::int32_t number = 0;
  bool present = false;
};

struct ParameterSet {
  TextValue DiskType;
  DwordValue LoadImageOnStart;
  TextValue LoadImageFile;
  DwordValue SaveImageOnExit;
  TextValue SaveImageFile;
  DwordValue SizeIn4kPages;
  DwordValue DiskFormatFAT32;
  DwordValue AutoSaveEnabled;
  DwordValue AutoSaveTrigger;
  TextValue UserDriveLetter;
};

}  // namespace korvex
