// Drive letter: one capital letter from A to Z, judged by the ANSI code of the
// first character; VScroll2 steps through the alphabet without wrapping.
#include "editor.h"

namespace korvex {

void Editor::DriveLetterText_Change() {
  const AnsiCharacters& ansi = services_.characters;
  if (DriveLetterText.Text().empty()) return;
  std::string typed = DriveLetterText.Text();
  DriveLetterText.SetText(ansi.UpperCase(DriveLetterText.Text()));
  if (ansi.FirstCharacterCode(DriveLetterText.Text()) > kLastDriveLetter) {
    Corrected(SettingId::UserDriveLetter, typed, std::string(1, kLastDriveLetter), CorrectionReason::LetterRange);
    DriveLetterText.SetText(std::string(1, kLastDriveLetter));
    DriveLetterText.Refresh();
  }
  if (ansi.FirstCharacterCode(DriveLetterText.Text()) < kFirstDriveLetter) {
    Corrected(SettingId::UserDriveLetter, typed, std::string(1, kFirstDriveLetter), CorrectionReason::LetterRange);
    DriveLetterText.SetText(std::string(1, kFirstDriveLetter));
    DriveLetterText.Refresh();
  }
}

void Editor::VScroll2_Change() {
  using Direction = forms::Stepper::Direction;
  VScroll2.Step(DriveLetterText, [this](Direction direction) -> std::optional<std::string> {
    const AnsiCharacters& ansi = services_.characters;
    const std::string& text = DriveLetterText.Text();
    if (text.empty()) return std::nullopt;  // no letter to step from
    int code = ansi.FirstCharacterCode(text);
    bool forwards = direction == Direction::Up;
    if (forwards ? code >= kLastDriveLetter : code <= kFirstDriveLetter) return std::nullopt;
    return ansi.CharacterForCode(static_cast<std::int16_t>(forwards ? code + 1 : code - 1));
  });
}

}  // namespace korvex
