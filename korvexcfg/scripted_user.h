// A user of the window, scripted: the Editor without its window, loaded from
// the registry and changed as a user at the keyboard would change it; the
// command then saves it by the Editor's own save.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "problem.h"
#include "headless.h"
#include "settings.h"

namespace korvex::cfg {

struct ChangeResult {
  std::vector<Problem> refusals;  // each naming its setting
  std::vector<Problem> notes;     // corrections taken (--adjust) and consequences
};

class ScriptedUser {
 public:
  ScriptedUser(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock& lock);

  // 0, or why the key could not be opened (the Editor then holds its defaults).
  RegistryStatus Load();
  // From a key the command opened, read and may save into.
  void Load(ParametersKey& key) { editor_.Model().Form_Load(key); }
  Editor& Model() { return editor_.Model(); }

  // The settings as one change, in the window's fill order whatever their
  // order here, each made as a user makes it and counting as set by the
  // user. Where a setting's box is disabled, the user's way round is taken:
  // the settings it depends on are changed first (a size above 32 MB to
  // untick FAT32, the hard disk to type a size) and then put back. A value
  // the window's rules would correct is refused unless `adjust`; so is a
  // state that no sequence of the window's actions keeps, naming the rule.
  // With `complete`, every setting counts as set: one the key does not hold
  // and the requests do not name takes the window's default where it has one
  // (the disk type, the letter, an empty path).
  ChangeResult Apply(std::vector<Request> requests, bool adjust, bool complete = false);

 private:
  // A setting's box changed as a user changes it; `input` in the window's
  // terms (a list index as text, "1"/"0" for a check box, the text to type).
  void MakeUserChange(const Setting& setting, const std::string& input);
  // Changes one setting; false (with the refusal) when it cannot be.
  bool Assign(const Request& request, bool adjust, ChangeResult& result);
  // Makes the setting's box enabled as a user would; the settings changed
  // on the way, each with what its box held before.
  std::vector<std::pair<const Setting*, std::string>> Enable(const Setting& setting);
  // What the window shows where the key cannot be read, per setting.
  std::array<std::string, kValueCount> WindowDefaults();

  const AnsiCharacters& ansi_;
  HeadlessEditor editor_;
  std::vector<Request> requests_;  // of the change being applied, in fill order
};

}  // namespace korvex::cfg
