// Writing korvexcfg's output: Unicode to a console, UTF-8 to a pipe or file.
#pragma once

#include <string_view>

namespace korvex::cfg {

enum class Stream { Out, Error };
void WriteText(Stream stream, std::string_view utf8);
void WriteBytes(Stream stream, std::string_view bytes);

}  // namespace korvex::cfg
