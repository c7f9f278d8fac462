// korvexcfg's text output: each command's report rendered for people, on the
// output and the error output. JSON (json_output.h) renders the same reports.
#pragma once

#include <cstddef>
#include <string>

#include "command_result.h"
#include "environment.h"
#include "utf8.h"

namespace korvex::cfg {

// A column of the output: the text with blanks up to `width` characters
// (none if longer).
inline std::string Padded(std::string text, std::size_t width) {
  std::size_t characters = utf8::CountCodePoints(text);
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

// Each fills the result's output and error output from its report.
using TextRenderer = void (*)(CommandResult& result, const Environment& environment);
void ProblemText(CommandResult& result, const Environment& environment);  // the problems alone
void ShowText(CommandResult& result, const Environment& environment);
void ValidateText(CommandResult& result, const Environment& environment);
void StatusCommandText(CommandResult& result, const Environment& environment);
void ExportText(CommandResult& result, const Environment& environment);
void DismountText(CommandResult& result, const Environment& environment);
void ChangeText(CommandResult& result, const Environment& environment);  // set, test, import
void DscText(CommandResult& result, const Environment& environment);

}  // namespace korvex::cfg
