// Character functions of the system's ANSI code page. The core holds texts as
// UTF-8; these say what they are as single-byte ANSI characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvex {

class AnsiCharacters {
 public:
  virtual ~AnsiCharacters() = default;

  // The upper-case form of a text.
  virtual std::string UpperCase(std::string_view text) const = 0;

  // The ANSI code of the first character as a signed 16-bit number: 0..255
  // for a single-byte character, negative for a double-byte one. The text
  // must not be empty.
  virtual std::int16_t FirstCharacterCode(std::string_view text) const = 0;

  // The character whose ANSI code is `code`.
  virtual std::string CharacterForCode(std::int16_t code) const = 0;

  // The text's bytes in the code page (two for a double-byte character), or
  // nothing when a character would not convert back unchanged.
  virtual std::optional<std::string> ToAnsi(std::string_view text) const = 0;

  // ANSI bytes as text.
  virtual std::string FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace korvex
