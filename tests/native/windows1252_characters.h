// The Western European code page, for running the core away from Windows.
#pragma once

#include "ansi_characters.h"

namespace korvex {

class Windows1252Characters : public AnsiCharacters {
 public:
  std::string UpperCase(std::string_view text) const override;
  std::int16_t FirstCharacterCode(std::string_view text) const override;
  std::string CharacterForCode(std::int16_t code) const override;
  std::optional<std::string> ToAnsi(std::string_view text) const override;
  std::string FromAnsi(std::string_view bytes) const override;
};

}  // namespace korvex
