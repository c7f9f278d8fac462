#include "windows1252_characters.h"

#include "utf8.h"

namespace korvex {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80] ? kHighControls[byte - 0x80] : byte;
  return byte;
}

std::optional<unsigned char> ByteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

char32_t UpperOf(char32_t cp) {
  if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) return cp - 0x20;
  switch (cp) {
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    case 0x00FF: return 0x0178;  // ÿ
    default: return cp;
  }
}

}  // namespace

std::string Windows1252Characters::UpperCase(std::string_view text) const {
  std::string out;
  for (std::size_t pos = 0; pos < text.size();) utf8::Append(out, UpperOf(utf8::Next(text, pos)));
  return out;
}

std::int16_t Windows1252Characters::FirstCharacterCode(std::string_view text) const {
  if (text.empty()) return 0;
  std::size_t pos = 0;
  return ByteOf(utf8::Next(text, pos)).value_or('?');  // as the system's default character
}

std::string Windows1252Characters::CharacterForCode(std::int16_t code) const {
  std::string out;
  utf8::Append(out, code >= 0 && code <= 0xFF ? CodePointOf(static_cast<unsigned char>(code)) : U'?');
  return out;
}

std::optional<std::string> Windows1252Characters::ToAnsi(std::string_view text) const {
  std::string bytes;
  for (std::size_t pos = 0; pos < text.size();) {
    auto byte = ByteOf(utf8::Next(text, pos));
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
  }
  return bytes;
}

std::string Windows1252Characters::FromAnsi(std::string_view bytes) const {
  std::string out;
  for (char b : bytes) utf8::Append(out, CodePointOf(static_cast<unsigned char>(b)));
  return out;
}

}  // namespace korvex
