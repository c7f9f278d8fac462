#include "wide_text.h"

#include "utf8.h"

namespace korvex::win32 {

// wchar_t is UTF-16 on Windows.
std::wstring Widen(std::string_view text) {
  std::u16string units = utf8::ToUtf16(text);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view text) { return utf8::FromUtf16(std::u16string(text.begin(), text.end())); }

}  // namespace korvex::win32
