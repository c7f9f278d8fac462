// UTF-16 for the Unicode controls, UTF-8 for the core.
#pragma once

#include <string>
#include <string_view>

namespace korvex::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace korvex::win32
