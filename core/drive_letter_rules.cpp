// Drive letter: one capital letter from A to Z, judged by the ANSI code of the
// first character; VScroll2 steps through the alphabet without wrapping.
#include "editor.h"

namespace korvex {
namespace {
constexpr int kCodeA = 'A', kCodeZ = 'Z';
}

void Editor::DriveLetterText_Change() {
  const AnsiCharacters& ansi = services_.characters;
  if (DriveLetterText.Text().empty()) return;
  DriveLetterText.SetText(ansi.UpperCase(DriveLetterText.Text()));
  if (ansi.FirstCharacterCode(DriveLetterText.Text()) > kCodeZ) {
    DriveLetterText.SetText("Z");
    DriveLetterText.Refresh();
  }
  if (ansi.FirstCharacterCode(DriveLetterText.Text()) < kCodeA) {
    DriveLetterText.SetText("A");
    DriveLetterText.Refresh();
  }
}

void Editor::VScroll2_Change() {
  const AnsiCharacters& ansi = services_.characters;
  int value = VScroll2.Value();
  if (value == LastVScroll2) return;  // the nested run after a value set from code
  const std::string& text = DriveLetterText.Text();
  // An empty box has no letter to step from.
  int code = text.empty() ? 0 : ansi.FirstCharacterCode(text);
  bool forwards = value < LastVScroll2;
  bool can_step = !text.empty() && (forwards ? code < kCodeZ : code > kCodeA);
  if (!can_step) {
    VScroll2.SetValue(LastVScroll2);
    return;
  }
  DriveLetterText.SetText(ansi.CharacterForCode(static_cast<std::int16_t>(forwards ? code + 1 : code - 1)));
  DriveLetterText.Refresh();
  LastVScroll2 = static_cast<std::int16_t>(VScroll2.Value());
}

}  // namespace korvex
