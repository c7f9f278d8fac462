#include "win32_ansi_characters.h"

#include "windows_api.h"

#include "utf8.h"
#include "wide_text.h"

namespace korvex::win32 {
namespace {

std::string WideToAnsi(const std::wstring& wide, bool* used_default) {
  if (wide.empty()) return {};
  BOOL defaulted = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, used_default ? &defaulted : nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes.data(),
                        length, nullptr, used_default ? &defaulted : nullptr);
  if (used_default) *used_default = defaulted != FALSE || length <= 0;
  return bytes;
}

}  // namespace

std::string Win32AnsiCharacters::UpperCase(std::string_view text) const {
  std::wstring wide = Widen(text);
  if (wide.empty()) return std::string(text);
  // The user's language's capitals, as CharUpperBuffW gives them, from
  // kernel32: the console tool imports nothing of the windowing side.
  std::wstring upper(wide.size(), L'\0');
  int length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                            upper.data(), static_cast<int>(upper.size()));
  if (length <= 0) return std::string(text);
  upper.resize(static_cast<std::size_t>(length));
  return Narrow(upper);
}

std::int16_t Win32AnsiCharacters::FirstCharacterCode(std::string_view text) const {
  if (text.empty()) return 0;
  std::string bytes = WideToAnsi(Widen(utf8::FirstCharacter(text)), nullptr);
  if (bytes.empty()) return '?';
  auto lead = static_cast<unsigned char>(bytes[0]);
  if (bytes.size() == 1) return lead;
  // A double-byte character: lead byte high, as a signed 16-bit number.
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(bytes[1])));
}

std::string Win32AnsiCharacters::CharacterForCode(std::int16_t code) const {
  auto unsigned_code = static_cast<std::uint16_t>(code);
  std::string bytes;
  if (unsigned_code > 0xFF) bytes += static_cast<char>(unsigned_code >> 8);
  bytes += static_cast<char>(unsigned_code & 0xFF);
  return FromAnsi(bytes);
}

std::optional<std::string> Win32AnsiCharacters::ToAnsi(std::string_view text) const {
  std::wstring wide = Widen(text);
  if (wide.empty()) return std::string();
  bool used_default = false;
  std::string bytes = WideToAnsi(wide, &used_default);
  // Lossless only if no default character was used and the bytes read back as
  // the same text; double-byte characters count as their two bytes.
  if (used_default || bytes.empty()) return std::nullopt;
  int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                   nullptr, 0);
  if (length != static_cast<int>(wide.size())) return std::nullopt;
  std::wstring back(wide.size(), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), back.data(), length);
  if (back != wide) return std::nullopt;
  return bytes;
}

std::string Win32AnsiCharacters::FromAnsi(std::string_view bytes) const {
  if (bytes.empty()) return {};
  int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
  return Narrow(wide);
}

}  // namespace korvex::win32
