// A save's report as korvexcfg prints it: each value written as
// "name: before -> after", and one closing line.
#pragma once

#include <string>
#include <vector>

#include "ansi_characters.h"
#include "command_result.h"
#include "save_report.h"
#include "settings.h"

namespace korvex::cfg {

// A stored value in the setting's own terms ("64 MB (16384 pages)", "on",
// "hard-disk"), or its type and bytes where it has none.
std::string DescribeStored(const Setting& setting, const FoundValue& value, const AnsiCharacters& ansi);

struct SaveReportText {
  std::string out, err;
  std::vector<Problem> problems;  // what `err` says, for --json
};
SaveReportText ReportText(const SaveReport& report, const Environment& environment, CommandReport::SaveKind kind);

}  // namespace korvex::cfg
