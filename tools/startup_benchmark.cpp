// Times, over several runs, how long a program takes from its process start
// until its window with the given title is shown, then closes it again.
// Usage: startup_benchmark RUNS PROGRAM TITLE [PROGRAM TITLE ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

static double StartUntilShown(const wchar_t* program, const wchar_t* title) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::vector<wchar_t> command(program, program + std::wcslen(program) + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  HWND window = nullptr;
  for (;;) {
    window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) break;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return -1;
    Sleep(1);
  }
  QueryPerformanceCounter(&now);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2) {
    std::fprintf(stderr, "usage: startup_benchmark RUNS PROGRAM TITLE [PROGRAM TITLE ...]\n");
    return 2;
  }
  int runs = _wtoi(argv[1]);
  std::vector<double> medians;
  for (int p = 2; p + 1 < argc; p += 2) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(StartUntilShown(argv[p], argv[p + 1]));
    std::sort(times.begin(), times.end());
    if (times.front() < 0) {
      std::fprintf(stderr, "%ls did not show \"%ls\"\n", argv[p], argv[p + 1]);
      return 1;
    }
    medians.push_back(times[times.size() / 2]);
    std::printf("%-40ls median %7.1f ms  (min %.1f, max %.1f, %d runs)\n", argv[p], medians.back(), times.front(),
                times.back(), runs);
  }
  if (medians.size() == 2) std::printf("ratio %.2f\n", medians[0] / medians[1]);
  return 0;
}
