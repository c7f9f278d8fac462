// Character functions in the system's ANSI code page (CP_ACP).
#pragma once

#include "ansi_characters.h"

namespace korvex::win32 {

class Win32AnsiCharacters : public AnsiCharacters {
 public:
  std::string UpperCase(std::string_view text) const override;
  std::int16_t FirstCharacterCode(std::string_view text) const override;
  std::string CharacterForCode(std::int16_t code) const override;
  std::optional<std::string> ToAnsi(std::string_view text) const override;
  std::string FromAnsi(std::string_view bytes) const override;
};

}  // namespace korvex::win32
