// korvlnch.dll as an installer uses it: loaded, looked up by its decorated
// name, and called with the path of a probe that records its command line.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "korvlnch.h"

namespace {

std::string BesideThisTest(const char* name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  return directory.substr(0, directory.find_last_of("\\/") + 1) + name;
}

class LauncherTest : public ::testing::Test {
 protected:
  HMODULE library = nullptr;
  KorvlnchExecConfig exec_config = nullptr;
  // The probe leaves one record file per start here.
  std::string records = BesideThisTest("probe-records");
  std::string probe = BesideThisTest("command_line_probe.exe");

  void SetUp() override {
    CreateDirectoryA(records.c_str(), nullptr);
    for (const std::string& name : RecordFiles()) DeleteFileA((records + "\\" + name).c_str());
    SetEnvironmentVariableA("KORVEX_PROBE_RECORDS", records.c_str());
    library = LoadLibraryA(KORVLNCH_PATH);
    ASSERT_TRUE(library);
    exec_config = reinterpret_cast<KorvlnchExecConfig>(
        reinterpret_cast<void*>(GetProcAddress(library, kKorvlnchExecConfigExport)));
    ASSERT_TRUE(exec_config);
  }
  void TearDown() override {
    if (library) FreeLibrary(library);
  }
  std::vector<std::string> RecordFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((records + "\\record-*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());  // in the order the starts claimed them
    return names;
  }
  // The records in order; a probe still writing keeps its file locked, and
  // counts as not arrived.
  std::string ReadRecords(int& arrived) {
    std::string text;
    arrived = 0;
    for (const std::string& name : RecordFiles()) {
      std::ifstream in(records + "\\" + name, std::ios::binary);
      if (!in) continue;
      std::stringstream all;
      all << in.rdbuf();
      text += all.str();
      ++arrived;
    }
    return text;
  }
  // The probe's records, once `starts` of them have arrived (a start under
  // an emulated 32-bit kernel takes seconds).
  std::string Records(int starts) {
    int arrived = 0;
    for (int waited = 0; waited < 1600; ++waited) {
      ReadRecords(arrived);
      if (arrived >= starts) break;
      Sleep(25);
    }
    Sleep(100);  // nothing more arrives
    return ReadRecords(arrived);
  }
};

TEST_F(LauncherTest, StartsTheProgramWithTheSingleArgumentInstall) {
  EXPECT_EQ(exec_config(nullptr, nullptr, probe.c_str()), 0);
  EXPECT_EQ(Records(1), "start 1\n[install]\n");
}

TEST_F(LauncherTest, NeverTouchesItsSecondArgumentAndStartsTheProgramOnEachCall) {
  long sentinel = 0x5A5A5A5A;
  EXPECT_EQ(exec_config(nullptr, &sentinel, probe.c_str()), 0);
  EXPECT_EQ(sentinel, 0x5A5A5A5A);
  // An address nothing is mapped at: any access would crash the test.
  EXPECT_EQ(exec_config(nullptr, reinterpret_cast<long*>(static_cast<std::uintptr_t>(0x10)), probe.c_str()), 0);
  EXPECT_EQ(Records(2), "start 1\n[install]\nstart 1\n[install]\n");  // two calls, two starts
}

TEST_F(LauncherTest, ReturnsZeroAlsoForAProgramThatDoesNotExist) {
  std::string missing = BesideThisTest("no_such_program.exe");
  EXPECT_EQ(exec_config(GetDesktopWindow(), nullptr, missing.c_str()), 0);
}

TEST_F(LauncherTest, NoPathOrOneOfMaxPathOrMoreStartsNothingAndReturnsZero) {
  const std::string name = "command_line_probe.exe";
  // The probe itself, reached through "." steps: as long as wanted.
  std::string steps = probe.substr(0, probe.size() - name.size());
  while (steps.size() + name.size() < MAX_PATH) steps += ".\\";
  for (const std::string& path : {steps + name, steps + std::string(1000, 'x') + name,
                                  steps + std::string(70000, 'x') + name}) {
    ASSERT_GE(path.size(), std::size_t{MAX_PATH});
    EXPECT_EQ(exec_config(nullptr, nullptr, path.c_str()), 0);
  }
  EXPECT_EQ(exec_config(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(exec_config(nullptr, nullptr, ""), 0);
  Sleep(500);
  EXPECT_TRUE(RecordFiles().empty());  // the probe never ran
}

}  // namespace
