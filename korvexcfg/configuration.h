// The Editor without its window: loaded from the registry, changed as a user
// would change it, and saved by its own save, whose report says what happened.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "headless.h"
#include "settings.h"

namespace korvex::cfg {

struct ChangeResult {
  std::vector<std::string> refusals;  // each naming its setting
  std::vector<std::string> notes;     // corrections taken (--adjust) and consequences
};

class Configuration {
 public:
  Configuration(Registry& registry, const AnsiCharacters& ansi, Volume& volume, KeyLock& lock);

  // 0, or why the key could not be opened (the Editor then holds its defaults).
  RegistryStatus Load();
  Editor& Model() { return *editor_; }

  // The settings as one change, in the window's dependency order whatever
  // their order here, each made as a user makes it and counting as set by
  // the user. A value the window's rules would correct is refused unless
  // `adjust`; so is a request that a later one undoes.
  // With `complete`, every setting counts as set: one the key does not hold
  // and the requests do not name takes the window's default where it has one
  // (the disk type, the letter, an empty path); and a setting the window
  // offers only with another may be named too, as a user types it before
  // clearing the box it depends on.
  ChangeResult Apply(std::vector<Request> requests, bool adjust, bool complete = false);

 private:
  // Changes one setting; false (with the refusal) when it cannot be.
  bool Assign(const Request& request, bool adjust, bool complete, ChangeResult& result);
  // What the window shows where the key cannot be read, per setting.
  std::array<std::string, kSettings.size()> WindowDefaults();
  void MakeUserChange(const Setting& setting, const std::string& input);

  HeadlessWindows windows_;
  Session session_{windows_};
  NoShell shell_;
  const AnsiCharacters& ansi_;
  Volume& volume_;
  std::unique_ptr<Editor> editor_;
};

}  // namespace korvex::cfg
