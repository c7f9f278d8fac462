// How each stored value of the driver's Parameters key is shown in the
// window and how a shown setting becomes a stored value again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "parameter_set.h"
#include "setting_limits.h"

namespace korvex {

// List index for a stored code, compared byte for byte; an empty code is the
// hard disk; any other text selects nothing new.
std::optional<int> ListIndexForDiskCode(std::string_view code);

// Stored code for a list index; no selection (-1) is stored as a hard disk.
std::string_view DiskCodeForListIndex(int list_index);

// Image file paths are stored in the NT object namespace form "\??\path".
inline constexpr std::string_view kFilePathPrefix = "\\?\?\\";
// The longest path a text value holds after its prefix, in ANSI bytes.
inline constexpr std::size_t kLongestFilePathBytes = kMaxTextValueCharacters - kFilePathPrefix.size();
std::string ShownFilePath(std::string_view stored);
// The prefix is added once: a path that starts with it is stored as it is.
std::string StoredFilePath(std::string_view shown);

// Check boxes: exactly 1 reads as ticked; any non-zero value stores as 1.
int CheckValueFromStored(std::int32_t stored);
std::int32_t StoredFromCheckValue(int check_value);

// Disk size: 256 pages of 4096 bytes to the megabyte.
inline constexpr std::int32_t kPagesPerMegabyte = 1048576 / 4096;
float MegabytesFromPages(std::int32_t pages);
std::optional<std::int32_t> PagesFromSizeText(std::string_view megabytes_text);

// AutoSave interval in whole seconds from the shown text.
std::optional<std::int32_t> SecondsFromIntervalText(std::string_view seconds_text);

}  // namespace korvex
