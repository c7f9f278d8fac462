// Started by the launcher tests in place of the configuration program: writes
// the command line it received, one argument a line, into the file named by
// KORVEX_PROBE_LOG (appending, so that two starts leave two records).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

int main() {
  wchar_t log[MAX_PATH];
  if (!GetEnvironmentVariableW(L"KORVEX_PROBE_LOG", log, MAX_PATH)) return 1;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  FILE* out = _wfopen(log, L"a");
  if (!out) return 1;
  std::fprintf(out, "start %d\n", count - 1);
  for (int i = 1; i < count; ++i) std::fprintf(out, "[%ls]\n", arguments[i]);
  std::fclose(out);
  LocalFree(arguments);
  return 0;
}
