// Times console commands from process start to exit, alternating between
// them run by run so that both meet the same conditions; their output goes
// to NUL. Usage: command_benchmark RUNS COMMAND [COMMAND ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

static double StartUntilExit(const wchar_t* command_line, HANDLE nul) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::vector<wchar_t> command(command_line, command_line + std::wcslen(command_line) + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, 30000);
  QueryPerformanceCounter(&now);
  DWORD exit_code = 1;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (exit_code != 0) return -1;
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: command_benchmark RUNS COMMAND [COMMAND ...]\n");
    return 2;
  }
  int runs = _wtoi(argv[1]);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  int commands = argc - 2;
  std::vector<std::vector<double>> times(static_cast<std::size_t>(commands));
  for (int i = 0; i < runs; ++i)
    for (int c = 0; c < commands; ++c) {
      double ms = StartUntilExit(argv[2 + c], nul);
      if (ms < 0) {
        std::fprintf(stderr, "%ls failed\n", argv[2 + c]);
        return 1;
      }
      times[static_cast<std::size_t>(c)].push_back(ms);
    }
  std::vector<double> medians;
  for (int c = 0; c < commands; ++c) {
    auto& t = times[static_cast<std::size_t>(c)];
    std::sort(t.begin(), t.end());
    medians.push_back(t[t.size() / 2]);
    std::printf("%-60ls median %7.1f ms  (min %.1f, max %.1f, %d runs)\n", argv[2 + c], medians.back(), t.front(),
                t.back(), runs);
  }
  for (int c = 1; c < commands; ++c) std::printf("ratio first/command %d: %.2f\n", c + 1, medians[0] / medians[c]);
  return 0;
}
