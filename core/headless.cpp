#include "headless.h"

namespace korvex {

HeadlessEditor::HeadlessEditor(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock* lock,
                               bool stores_corrections, bool records_corrections)
    : editor_(EditorServices{registry, ansi, session_, shell_, volume, {}, lock, stores_corrections,
                             records_corrections}) {
  session_.EditorCreated();
}

HeadlessEditor::HeadlessEditor(const FoundValues& state, const AnsiCharacters& ansi, RegistryStatus open_status)
    : state_(std::in_place, state, open_status),
      editor_(EditorServices{*state_, ansi, session_, shell_, no_volume_, {}, nullptr}) {
  session_.EditorCreated();
  editor_.Form_Load();
}

}  // namespace korvex
