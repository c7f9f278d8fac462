// What went wrong, or is worth a warning, in one shape for every command.
#pragma once

#include <string>

namespace korvex::cfg {

// A stable code for scripts and the words for people; `setting` names the
// setting it is about, if any; `error` is the system's code behind it, if any.
struct Problem {
  std::string code;
  std::string message;
  std::string setting = {};
  long error = 0;
  bool operator==(const Problem&) const = default;
};

}  // namespace korvex::cfg
