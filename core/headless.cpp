#include "headless.h"

namespace korvex {

StoredForms FormsAfterLoad(const FoundValues& state, const AnsiCharacters& ansi) {
  StateRegistry registry(state);
  HeadlessWindows windows;
  Session session(windows);
  NoShell shell;
  NoVolume volume;
  Editor editor(EditorServices{registry, ansi, session, shell, volume, {}, nullptr});
  editor.Form_Load();
  return editor.CurrentForms();
}

}  // namespace korvex
