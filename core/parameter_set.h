// The driver's ten parameters in their stored form, and the table that says
// how each is named, typed and ordered in the Parameters key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

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

struct ValueSchema {
  const char* name;
  std::variant<TextValue ParameterSet::*, DwordValue ParameterSet::*> field;
};

// In the order of reading.
inline constexpr std::array<ValueSchema, 10> kParameterValues{{
    {"DiskType", &ParameterSet::DiskType},
    {"LoadImageOnStart", &ParameterSet::LoadImageOnStart},
    {"LoadImageFile", &ParameterSet::LoadImageFile},
    {"SaveImageOnExit", &ParameterSet::SaveImageOnExit},
    {"SaveImageFile", &ParameterSet::SaveImageFile},
    {"SizeIn4kPages", &ParameterSet::SizeIn4kPages},
    {"DiskFormatFAT32", &ParameterSet::DiskFormatFAT32},
    {"AutoSaveEnabled", &ParameterSet::AutoSaveEnabled},
    {"AutoSaveTrigger", &ParameterSet::AutoSaveTrigger},
    {"UserDriveLetter", &ParameterSet::UserDriveLetter},
}};

// A value's place in kParameterValues, by its name.
constexpr std::size_t ValueIndex(std::string_view name) {
  std::size_t index = 0;
  while (index < kParameterValues.size() && kParameterValues[index].name != name) ++index;
  return index;
}

// Writing keeps the order the driver's tools always used: AutoSaveEnabled
// goes before DiskFormatFAT32.
inline constexpr std::array<std::size_t, 10> kWriteOrder{0, 1, 2, 3, 4, 5, 7, 6, 8, 9};

}  // namespace korvex
