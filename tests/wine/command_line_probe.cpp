// Started by the launcher tests in place of the configuration program: writes
// the command line it received, one argument a line, as a record file of its
// own in the folder named by KORVEX_PROBE_RECORDS. Two starts racing to append
// to one file could lose a record; claimed names (CREATE_NEW) cannot collide,
// and the file stays locked until the whole record is in.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

int main() {
  wchar_t folder[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"KORVEX_PROBE_RECORDS", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return 1;
  std::string record = "start " + std::to_string(count - 1) + "\n";
  for (int i = 1; i < count; ++i) {
    char argument[1024];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, argument, sizeof argument, nullptr, nullptr);
    record += "[" + std::string(argument, bytes > 0 ? bytes - 1 : 0) + "]\n";
  }
  LocalFree(arguments);
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int n = 1; n < 1000; ++n) {
    wchar_t name[MAX_PATH + 32];
    std::swprintf(name, sizeof name / sizeof *name, L"%ls\\record-%03d.txt", folder, n);
    file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) break;
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_SHARING_VIOLATION) return 1;
  }
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  bool complete = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
                  written == record.size();
  CloseHandle(file);
  return complete ? 0 : 1;
}
