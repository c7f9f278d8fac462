// korvlnch.dll as an installer uses it: loaded, looked up by its decorated
// name, and called with the path of a probe that records its command line.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

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
  std::string log = BesideThisTest("probe.log");
  std::string probe = BesideThisTest("command_line_probe.exe");

  void SetUp() override {
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("KORVEX_PROBE_LOG", log.c_str());
    library = LoadLibraryA(KORVLNCH_PATH);
    ASSERT_TRUE(library);
    exec_config = reinterpret_cast<KorvlnchExecConfig>(
        reinterpret_cast<void*>(GetProcAddress(library, kKorvlnchExecConfigExport)));
    ASSERT_TRUE(exec_config);
  }
  void TearDown() override {
    if (library) FreeLibrary(library);
  }
  // The probe's records, once `starts` of them have arrived.
  std::string Records(int starts) {
    std::string text;
    for (int waited = 0; waited < 200; ++waited) {
      std::ifstream in(log);
      std::stringstream all;
      all << in.rdbuf();
      text = all.str();
      int found = 0;
      for (std::size_t at = text.find("start "); at != std::string::npos; at = text.find("start ", at + 1)) ++found;
      if (found >= starts) break;
      Sleep(25);
    }
    Sleep(100);  // nothing more arrives
    std::ifstream in(log);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
};

TEST_F(LauncherTest, StartsTheProgramWithTheSingleArgumentInstall) {
  EXPECT_EQ(exec_config(nullptr, nullptr, probe.c_str()), 0);
  EXPECT_EQ(Records(1), "start 1\n[install]\n");
}

TEST_F(LauncherTest, NeverTouchesItsSecondArgument) {
  long sentinel = 0x5A5A5A5A;
  EXPECT_EQ(exec_config(nullptr, &sentinel, probe.c_str()), 0);
  EXPECT_EQ(sentinel, 0x5A5A5A5A);
  // An address nothing is mapped at: any access would crash the test.
  EXPECT_EQ(exec_config(nullptr, reinterpret_cast<long*>(static_cast<std::uintptr_t>(0x10)), probe.c_str()), 0);
  EXPECT_EQ(Records(2), "start 1\n[install]\nstart 1\n[install]\n");
}

TEST_F(LauncherTest, ReturnsZeroAlsoForAProgramThatDoesNotExist) {
  std::string missing = BesideThisTest("no_such_program.exe");
  EXPECT_EQ(exec_config(GetDesktopWindow(), nullptr, missing.c_str()), 0);
}

TEST_F(LauncherTest, TwoCallsStartTheProgramTwice) {
  exec_config(nullptr, nullptr, probe.c_str());
  exec_config(nullptr, nullptr, probe.c_str());
  EXPECT_EQ(Records(2), "start 1\n[install]\nstart 1\n[install]\n");
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
  EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);  // the probe never ran
}

}  // namespace
