// korvexcfg's command line on the portable core: the command named by the
// arguments, run against the platform around it, gives back its output and exit code.
#pragma once

#include <string>
#include <vector>

#include "command_result.h"
#include "environment.h"

namespace korvex::cfg {

CommandResult RunCommand(const std::vector<std::string>& arguments, Environment& environment);

}  // namespace korvex::cfg
