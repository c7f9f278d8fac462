#include "console.h"

#include <algorithm>
#include <iterator>

#include "number_text.h"
#include "wide_text.h"

namespace korvex::cfg {
namespace {

HANDLE HandleOf(Stream stream) { return GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }

// Small enough for any console's buffer (older ones refuse 64 KB at once).
constexpr std::size_t kConsoleChunk = 8192;

DWORD ErrorOfFailedWrite() {
  DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;  // no progress, no reason given
}

}  // namespace

DWORD WriteBytes(Stream stream, std::string_view bytes) {
  HANDLE handle = HandleOf(stream);
  while (!bytes.empty()) {
    DWORD written = 0;
    auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    SetLastError(ERROR_SUCCESS);
    if (!WriteFile(handle, bytes.data(), size, &written, nullptr) || written == 0 || written > size)
      return ErrorOfFailedWrite();
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

DWORD WriteText(Stream stream, std::string_view utf8) {
  // Lines end as Windows programs end them, in a console, a pipe or a log file alike.
  std::string text;
  for (char c : utf8) {
    if (c == '\n') text += '\r';
    text += c;
  }
  HANDLE handle = HandleOf(stream);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return WriteBytes(stream, text);
  std::wstring wide = win32::Widen(text);
  std::wstring_view rest = wide;
  while (!rest.empty()) {
    DWORD written = 0;
    auto size = static_cast<DWORD>(std::min(rest.size(), kConsoleChunk));
    SetLastError(ERROR_SUCCESS);
    if (!WriteConsoleW(handle, rest.data(), size, &written, nullptr) || written == 0 || written > size)
      return ErrorOfFailedWrite();
    rest.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

std::string SystemErrorText(DWORD error) {
  wchar_t text[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                static_cast<DWORD>(std::size(text)), nullptr);
  std::wstring_view view(text, std::min<std::size_t>(length, std::size(text)));
  while (!view.empty() && (view.back() == L'\r' || view.back() == L'\n' || view.back() == L' ' || view.back() == L'.'))
    view.remove_suffix(1);
  if (view.empty()) return "error " + IntegerText(static_cast<long long>(error));
  return win32::Narrow(view);
}

}  // namespace korvex::cfg
