#include "wide_text.h"

#include "utf8.h"

namespace korvex::win32 {

std::wstring Widen(std::string_view text) {
  std::wstring out;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t cp = utf8::Next(text, pos);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }
  return out;
}

std::string Narrow(std::wstring_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = static_cast<char16_t>(text[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
      char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        utf8::Append(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    utf8::Append(out, unit);  // a lone surrogate becomes U+FFFD
  }
  return out;
}

}  // namespace korvex::win32
