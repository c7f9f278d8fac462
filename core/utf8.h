// The window's texts are UTF-8 in the core; these read and write code points.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvex::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// The code point at `pos`, advancing `pos`; malformed bytes read as U+FFFD.
char32_t Next(std::string_view text, std::size_t& pos);
void Append(std::string& out, char32_t code_point);
std::size_t CountCodePoints(std::string_view text);
// Whether every byte belongs to a well-formed character.
bool IsValid(std::string_view text);
// The first character of a text (empty for an empty text).
std::string_view FirstCharacter(std::string_view text);

// UTF-16, as Windows and the registry's files keep text; a lone surrogate
// reads as U+FFFD.
std::u16string ToUtf16(std::string_view text);
std::string FromUtf16(std::u16string_view units);

}  // namespace korvex::utf8
