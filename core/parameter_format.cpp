#include "parameter_format.h"

#include "number_text.h"

namespace korvex {

std::optional<int> ListIndexForDiskCode(std::string_view code) {
  if (code.empty()) return static_cast<int>(DiskKind::HardDisk);
  for (const DiskKindInfo& info : kDiskKinds)
    if (code == info.stored_code) return static_cast<int>(info.kind);
  return std::nullopt;
}

std::string_view DiskCodeForListIndex(int list_index) {
  for (const DiskKindInfo& info : kDiskKinds)
    if (list_index == static_cast<int>(info.kind)) return info.stored_code;
  return kDiskKinds[0].stored_code;
}

std::string ShownFilePath(std::string_view stored) {
  // Only the exact prefix is removed: a path stored without it shows whole,
  // so that a load and save without edits keeps it as it was.
  if (stored.substr(0, kFilePathPrefix.size()) == kFilePathPrefix)
    stored.remove_prefix(kFilePathPrefix.size());
  return std::string(stored);
}

std::string StoredFilePath(std::string_view shown) {
  // A path typed in the registry's own form (copied out of reg query) already
  // has its prefix: a second one would name no file.
  if (shown.substr(0, kFilePathPrefix.size()) == kFilePathPrefix) return std::string(shown);
  return std::string(kFilePathPrefix) + std::string(shown);
}

int CheckValueFromStored(std::int32_t stored) { return stored == 1 ? 1 : 0; }
std::int32_t StoredFromCheckValue(int check_value) { return check_value != 0 ? 1 : 0; }

float MegabytesFromPages(std::int32_t pages) {
  return ToSingle(static_cast<double>(pages) / kPagesPerMegabyte);
}

std::optional<std::int32_t> PagesFromSizeText(std::string_view megabytes_text) {
  double megabytes = ToSingle(TextToNumber(megabytes_text));
  return RoundToInt32(megabytes * kPagesPerMegabyte);
}

std::optional<std::int32_t> SecondsFromIntervalText(std::string_view seconds_text) {
  return RoundToInt32(ToSingle(TextToNumber(seconds_text)));
}

}  // namespace korvex
