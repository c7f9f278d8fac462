// The Editor without its window: loaded from the registry, changed one
// setting at a time as a user would change it, and saved by its own save.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "headless.h"
#include "settings.h"

namespace korvex::cfg {

struct AssignResult {
  bool accepted = false;
  std::string refusal;             // why it was refused, naming the setting
  std::vector<std::string> notes;  // corrections taken (--adjust) and consequences
};

struct SaveResult {
  enum Outcome { Saved, Refused, KeyUnavailable, WriteFailed } outcome = Saved;
  std::string message;                // the refusal, for Refused
  std::vector<std::string> written;   // value names, in write order
  std::vector<std::string> failed;
};

class Configuration {
 public:
  Configuration(Registry& registry, const AnsiCharacters& ansi, Volume& volume, bool dry_run);

  // False when the key cannot be opened; the Editor then holds its defaults.
  bool Load();
  Editor& Model() { return *editor_; }

  // Changes one setting as the window lets a user change it. A value the
  // window's rules would correct is refused unless `adjust`.
  AssignResult Assign(const Setting& setting, std::string_view value, bool adjust);

  SaveResult Save();

  // The "Dismount Volume" button for the given box text; true when it worked.
  bool Dismount(std::string_view drive);

 private:
  class NoShell : public Shell {
    void Execute(std::string_view, std::string_view, std::string_view, std::string_view, int) override {}
  };

  void MakeUserChange(const Setting& setting, const std::string& input);

  RecordingRegistry registry_;
  HeadlessWindows windows_;
  Session session_{windows_};
  NoShell shell_;
  std::unique_ptr<Editor> editor_;
};

}  // namespace korvex::cfg
