// Writing korvexcfg's output: Unicode to a console, UTF-8 to a pipe or file.
#pragma once

#include "windows_api.h"

#include <string>
#include <string_view>

namespace korvex::cfg {

enum class Stream { Out, Error };
// Each returns ERROR_SUCCESS once everything is written, else the system's
// error code. Nothing is buffered on the way: a write that returns is done.
DWORD WriteText(Stream stream, std::string_view utf8);
DWORD WriteBytes(Stream stream, std::string_view bytes);

// The system's text for an error code, without its final full stop.
std::string SystemErrorText(DWORD error);

}  // namespace korvex::cfg
