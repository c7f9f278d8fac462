#include "console.h"

#include "windows_api.h"

#include <string>

#include "wide_text.h"

namespace korvex::cfg {
namespace {
HANDLE HandleOf(Stream stream) { return GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }
}  // namespace

void WriteBytes(Stream stream, std::string_view bytes) {
  HANDLE handle = HandleOf(stream);
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

void WriteText(Stream stream, std::string_view utf8) {
  HANDLE handle = HandleOf(stream);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) {
    WriteBytes(stream, utf8);
    return;
  }
  std::wstring wide = win32::Widen(utf8);
  DWORD written = 0;
  WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace korvex::cfg
