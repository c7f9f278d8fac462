// A save's report in words: each value written as "name: before -> after"
// with one closing line, and the problems of a save that failed.
#pragma once

#include <string>
#include <vector>

#include "command_result.h"
#include "environment.h"

namespace korvex::cfg {

// The lines on the output.
std::string SaveLines(const SaveReport& report, const AnsiCharacters& ansi, CommandReport::SaveKind kind);
// Each value the rules refused, then a write that failed.
std::vector<Problem> SaveProblems(const SaveReport& report, const Environment& environment);

}  // namespace korvex::cfg
