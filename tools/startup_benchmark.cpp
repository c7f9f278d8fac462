// Times how long programs take from process start until their window with the
// given title is shown and the program waits for input, and their peak working
// set by then. The programs take turns in each round, the round's first one
// rotating, so that a change in the machine's load falls on all of them alike;
// medians over the rounds, after one warm-up round that is not counted.
// Prints the first program's time as a ratio to each other's.
// Usage: startup_benchmark ROUNDS PROGRAM TITLE [PROGRAM TITLE ...]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

struct Run {
  double milliseconds = -1;
  double peak_megabytes = 0;
};

Run StartUntilIdle(const wchar_t* program, const wchar_t* title) {
  Run run;
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::vector<wchar_t> command(program, program + std::wcslen(program) + 1);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return run;
  HWND window = nullptr;
  for (;;) {
    window = FindWindowW(nullptr, title);
    if (window && IsWindowVisible(window)) break;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return run;
    Sleep(1);
  }
  // Shown is not painted yet: the end point is the first wait for input.
  WaitForInputIdle(process.hProcess, 10000);
  QueryPerformanceCounter(&now);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
    run.peak_megabytes = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.milliseconds =
      1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || argc % 2) {
    std::fprintf(stderr, "usage: startup_benchmark ROUNDS PROGRAM TITLE [PROGRAM TITLE ...]\n");
    return 2;
  }
  int rounds = _wtoi(argv[1]);
  std::size_t programs = static_cast<std::size_t>(argc - 2) / 2;
  std::vector<std::vector<double>> times(programs), peaks(programs);
  // A first round that is not counted: the session's first program would
  // also pay for Wine's own start (its desktop process, for one).
  for (std::size_t p = 0; p < programs; ++p)
    if (StartUntilIdle(argv[2 + 2 * p], argv[3 + 2 * p]).milliseconds < 0) {
      std::fprintf(stderr, "%ls did not show \"%ls\"\n", argv[2 + 2 * p], argv[3 + 2 * p]);
      return 1;
    }
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t turn = 0; turn < programs; ++turn) {
      std::size_t p = (static_cast<std::size_t>(round) + turn) % programs;
      Run run = StartUntilIdle(argv[2 + 2 * p], argv[3 + 2 * p]);
      if (run.milliseconds < 0) {
        std::fprintf(stderr, "%ls did not show \"%ls\"\n", argv[2 + 2 * p], argv[3 + 2 * p]);
        return 1;
      }
      times[p].push_back(run.milliseconds);
      peaks[p].push_back(run.peak_megabytes);
    }
  }
  std::vector<double> medians;
  for (std::size_t p = 0; p < programs; ++p) {
    medians.push_back(Median(times[p]));
    std::printf("%-28ls median %7.1f ms (min %.1f, max %.1f), peak working set %.1f MB\n", argv[2 + 2 * p],
                medians[p], *std::min_element(times[p].begin(), times[p].end()),
                *std::max_element(times[p].begin(), times[p].end()), Median(peaks[p]));
  }
  for (std::size_t p = 1; p < programs; ++p)
    std::printf("ratio %ls / %ls: %.2f\n", argv[3], argv[3 + 2 * p], medians[0] / medians[p]);
  std::printf("%d rounds, programs alternated\n", rounds);
  return 0;
}
