// korvexcfg.exe against Wine's own registry clients (regedit, reg), with
// every value checked by an independent reader of the registry.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "settings_table.h"
#include "registry_helpers.h"

namespace korvex::testing {
namespace {

const std::string kFullKey = std::string("HKEY_LOCAL_MACHINE\\") + kParametersKey;

std::map<std::string, std::optional<RawValue>> ReadAll() {
  std::map<std::string, std::optional<RawValue>> values;
  for (const Setting& value : kSettings) values[std::string(value.value_name)] = ReadRaw(std::string(value.value_name).c_str());
  return values;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

class KorvexcfgWineTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteParametersKey(); }
};

TEST_F(KorvexcfgWineTest, RegeditsExportOfAValidKeyRestoresAnEmptiedKey) {
  PutTypicalDriverValues();
  PutRaw("", REG_SZ, std::string(1, '\0'));  // @="", as an installer may leave it
  PutText("Comment", "exported");
  auto before = ReadAll();
  std::string file = TempPath("regedit-export.reg");
  ASSERT_EQ(RunProgram("regedit /E \"" + file + "\" \"" + kFullKey + "\""), 0u);
  CreateEmptyParametersKey();
  PutText("Comment", "the key's own");
  std::string output;
  EXPECT_EQ(RunProgram(Korvexcfg("import \"" + file + "\""), &output), 0u) << output;
  EXPECT_NE(output.find("the key's default value (@): left as it is"), std::string::npos) << output;
  EXPECT_EQ(ReadAll(), before);
  EXPECT_EQ(ReadRaw("Comment"), (RawValue{REG_SZ, std::string("the key's own\0", 14)}));
  EXPECT_EQ(ReadRaw(""), std::nullopt);
  EXPECT_EQ(RunProgram(Korvexcfg("validate"), &output), 0u) << output;
}

// Version 5.00 saved as ANSI, as Notepad leaves a file regedit still imports:
// its accented path stored as the same bytes, and only the value it names written.
TEST_F(KorvexcfgWineTest, AnAnsiImportStoresItsAccentedPathAndNothingElse) {
  PutTypicalDriverValues();
  auto expected = ReadAll();
  std::string file = TempPath("partial.reg");
  WriteBytes(file, "Windows Registry Editor Version 5.00\r\n\r\n[" + kFullKey +
                       "]\r\n\"LoadImageFile\"=\"\\\\??\\\\C:\\\\caf\xE9.img\"\r\n");
  std::string output;
  EXPECT_EQ(RunProgram(Korvexcfg("import \"" + file + "\""), &output), 0u) << output;
  expected["LoadImageFile"] = RawValue{REG_SZ, std::string("\\??\\C:\\caf\xE9.img\0", 16)};
  EXPECT_EQ(ReadAll(), expected);
}

TEST_F(KorvexcfgWineTest, ItsExportRestoresAnEmptiedKeyThroughRegeditAndReg) {
  PutTypicalDriverValues();
  // Foreign contents too: they go out and come back in their own type and bytes.
  PutRaw("AutoSaveTrigger", REG_SZ, std::string("30\0", 3));
  PutRaw("SaveImageFile", REG_BINARY, std::string("\x01\x00\xFF", 3));
  PutDword("SizeIn4kPages", 16385);
  PutText("LoadImageFile", "C:\\no prefix \"quoted\"");
  auto before = ReadAll();
  std::string file = TempPath("korvexcfg-export.reg");
  ASSERT_EQ(RunProgram(Korvexcfg("export \"" + file + "\"")), 0u);
  for (std::string importer : {"regedit /S \"" + file + "\"", "reg import \"" + file + "\""}) {
    CreateEmptyParametersKey();
    std::string output;
    EXPECT_EQ(RunProgram(importer, &output), 0u) << importer << ": " << output;
    EXPECT_EQ(ReadAll(), before) << importer;
  }
}

TEST_F(KorvexcfgWineTest, WritersTakeTurnsAndNeverLeaveAutoSaveWithoutImageSaving) {
  const std::string autosave_on(std::string("\1\0\0\0", 4)), image_saving_off(4, '\0');
#ifdef _WIN64
  const int rounds = 20;
#else
  const int rounds = 3;  // each 32-bit start may take seconds where it is emulated
#endif
  for (int round = 0; round < rounds; ++round) {
    PutTypicalDriverValues();
    PutDword("SaveImageOnExit", 1);
    PROCESS_INFORMATION writers[2]{};
    const char* settings[2] = {"set autosave=on", "set save-image=off"};
    for (int i = 0; i < 2; ++i) {
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      std::string line = Korvexcfg(settings[i]);
      // Wine may refuse a start for a moment while another process ends: try again.
      bool started = false;
      for (int attempt = 0; attempt < 10 && !started; ++attempt, Sleep(started ? 0 : 100))
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &writers[i]) != FALSE;
      ASSERT_TRUE(started) << "error " << GetLastError();
    }
    for (PROCESS_INFORMATION& writer : writers) {
      WaitForSingleObject(writer.hProcess, 60000);
      CloseHandle(writer.hProcess);
      CloseHandle(writer.hThread);
    }
    EXPECT_FALSE(ReadRaw("AutoSaveEnabled")->bytes == autosave_on &&
                 ReadRaw("SaveImageOnExit")->bytes == image_saving_off)
        << "round " << round;
  }
}

TEST_F(KorvexcfgWineTest, AMissingKeyIsNeverCreatedAndAWriteThatFailsIsReported) {
  DeleteParametersKey();
  EXPECT_EQ(RunProgram(Korvexcfg("set size=128")), 3u);
  EXPECT_FALSE(ParametersKeyExists());
  PutTypicalDriverValues();
  MakeParametersKeyReadOnly(true);
  std::string output;
  EXPECT_EQ(RunProgram(Korvexcfg("set size=128"), &output), 4u);
  EXPECT_NE(output.find("Not written: SizeIn4kPages (Access denied (error 5))"), std::string::npos) << output;
  EXPECT_NE(output.find("Run korvexcfg from an elevated prompt"), std::string::npos) << output;
  EXPECT_EQ(RunProgram(Korvexcfg("validate")), 0u);
  std::string file = TempPath("readable.reg");
  ASSERT_EQ(RunProgram(Korvexcfg("export \"" + file + "\"")), 0u);
  MakeParametersKeyUnreadable();
  // Each way korvexcfg reads the key; that the key is judged before all else is checked natively.
  for (const std::string& command : std::vector<std::string>{"show", "import \"" + file + "\"", "status", "dsc get"}) {
    EXPECT_EQ(RunProgram(Korvexcfg(command), &output), 3u) << command << "\n" << output;
    EXPECT_NE(output.find("cannot be read: Access denied (error 5). Run korvexcfg from an elevated prompt"),
              std::string::npos) << command << "\n" << output;
  }
  MakeParametersKeyReadOnly(false);
}

// The README's scheduled import, run again and again: unchanged twice (no
// backup), then a repair after drift, its backup beside the first, which is kept.
TEST_F(KorvexcfgWineTest, TheScheduledImportRepairsDriftOnEveryRunAndKeepsTheFirstBackup) {
  PutTypicalDriverValues();
  std::string folder = TempPath("scheduled");
  CreateDirectoryA(folder.c_str(), nullptr);
  auto files = [&folder](const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found) != FALSE)
      names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
  };
  for (const std::string& left : files("*.reg")) DeleteFileA((folder + "\\" + left).c_str());  // by an earlier run
  std::string settings = folder + "\\settings.reg", before = folder + "\\before.reg";
  ASSERT_EQ(RunProgram(Korvexcfg("export \"" + settings + "\"")), 0u);
  ASSERT_EQ(RunProgram(Korvexcfg("export \"" + before + "\"")), 0u);  // an earlier run's backup
  std::string output;
  for (int run = 1; run <= 3; ++run) {
    if (run == 3) PutDword("SizeIn4kPages", 4096);  // drift
    EXPECT_EQ(RunProgram(Korvexcfg("import \"" + settings + "\" --backup \"" + before + "\""), &output), 0u)
        << "run " << run << ": " << output;
  }
  EXPECT_EQ(ReadRaw("SizeIn4kPages")->bytes, std::string("\0\x40\0\0", 4));
  ASSERT_EQ(files("before*.reg").size(), 2u) << output;
  EXPECT_NE(output.find("backup: " + folder + "\\before-"), std::string::npos) << output;
  std::string drifted;
  EXPECT_EQ(RunProgram(Korvexcfg("test --file \"" + before + "\""), &drifted), 0u) << drifted;  // the first, as it was
}

// A deployment script as administrators write them, run by cmd: each step
// decided by the exit code alone.
TEST_F(KorvexcfgWineTest, ABatchFileInstallsTestsAndRemediatesByExitCodes) {
  CreateEmptyParametersKey();
  std::string tool = "\"" + std::string(KORVEXCFG_PATH) + "\"";
  std::string settings = " size=512 letter=R autosave=on interval=300";
  std::string batch = "@echo off\r\n" +
                      tool + " set type=hard-disk" + settings + " save-file=C:\\ramdisk.img > NUL\r\n"
                      "if errorlevel 1 exit /b 10\r\n" +
                      tool + " test" + settings + " > NUL\r\n"
                      "if errorlevel 1 exit /b 11\r\n"
                      "reg add \"" + kFullKey + "\" /v SizeIn4kPages /t REG_DWORD /d 4096 /f > NUL\r\n" +
                      tool + " test" + settings + " > NUL\r\n"
                      "if not errorlevel 1 exit /b 12\r\n" +
                      tool + " set" + settings + " > NUL\r\n"
                      "if errorlevel 1 exit /b 13\r\n" +
                      tool + " test" + settings + " > NUL\r\n"
                      "if errorlevel 1 exit /b 14\r\n" +
                      tool + " set size=256 --backup C:\\no-such-folder\\before.reg > NUL 2> NUL\r\n"
                      "if not errorlevel 5 exit /b 15\r\n"
                      "exit /b 0\r\n";
  std::string path = TempPath("remediate.bat");
  WriteBytes(path, batch);
  std::string output;
  EXPECT_EQ(RunProgram("cmd /c \"" + path + "\"", &output, nullptr, 120000), 0u) << output;  // else the failed step
  // What the set names and its consequences only, 512 MB and not 256.
  std::map<std::string, std::optional<RawValue>> expected{
      {"DiskType", RawValue{REG_SZ, std::string("HDC\0", 4)}}, {"SizeIn4kPages", DwordValue(131072)},
      {"UserDriveLetter", RawValue{REG_SZ, std::string("R\0", 2)}}, {"AutoSaveEnabled", DwordValue(1)},
      {"SaveImageOnExit", DwordValue(1)},  // AutoSave saves the image
      {"AutoSaveTrigger", DwordValue(300)},
      {"SaveImageFile", RawValue{REG_SZ, std::string("\\??\\C:\\ramdisk.img\0", 19)}},
      {"LoadImageOnStart", std::nullopt}, {"LoadImageFile", std::nullopt}, {"DiskFormatFAT32", std::nullopt}};
  EXPECT_EQ(ReadAll(), expected);
}

// Every korvexcfg line of the README's section on it, run by cmd as written,
// in its order, on a key with no values and on a typical one; each exit code
// as expected there. The README's share \\server\deploy is the folder the lines run in.
TEST_F(KorvexcfgWineTest, TheReadmesExamplesWorkAsWrittenOnAnEmptyAndATypicalKey) {
  struct Line {
    std::string command;
    DWORD empty_key, typical_key;
  } lines[] = {
      {"korvexcfg show", 0, 0},
      {"korvexcfg set type=hard-disk size=256 letter=R fat32=on", 0, 0},
      {"korvexcfg set type=hard-disk size=12.7 --adjust", 0, 0},
      {"korvexcfg test type=hard-disk size=256 letter=R", 1, 1},
      {"korvexcfg validate", 1, 0},
      {"korvexcfg status", 0, 0},
      {"korvexcfg export settings.reg", 0, 0},
      {"korvexcfg import settings.reg --backup before.reg", 0, 0},
      {"korvexcfg dismount R:", 4, 4},  // no volume at R:
      {"korvexcfg help set", 0, 0},
      {"korvexcfg.exe set --complete type=hard-disk size=512 letter=R autosave=on interval=300 "
       "save-file=C:\\ramdisk.img", 0, 0},
      {"if errorlevel 1 exit /b %errorlevel%", 0, 0},
      {"korvexcfg validate", 0, 0},
      {"korvexcfg export \\\\server\\deploy\\korvane.reg", 0, 0},
      {"korvexcfg import \\\\server\\deploy\\korvane.reg --backup %TEMP%\\korvane-before.reg", 0, 0},
      {"korvexcfg test type=hard-disk size=512 letter=R autosave=on", 0, 0},
      {"if errorlevel 2 exit /b %errorlevel%", 0, 0},
      {"if errorlevel 1 korvexcfg set type=hard-disk size=512 letter=R autosave=on", 0, 0},
  };
  // The lines of the README's bat blocks between its korvexcfg heading and the next one.
  std::ifstream readme(README_PATH);
  std::string line;
  std::vector<std::string> written;
  bool section = false, block = false;
  while (std::getline(readme, line)) {
    if (line.starts_with("## ")) section = line == "## Scripted configuration";
    if (section && line.starts_with("```")) block = !block && line == "```bat";
    else if (section && block && !line.starts_with("::")) written.push_back(line);
  }
  std::vector<std::string> tabled;
  for (const Line& l : lines) tabled.push_back(l.command);
  ASSERT_EQ(written, tabled) << "the README's examples and this table differ";

  std::string folder = TempPath("readme");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string tool_folder = std::string("Z:") + KORVEXCFG_PATH;
  for (char& c : tool_folder) c = c == '/' ? '\\' : c;
  tool_folder.erase(tool_folder.find_last_of('\\'));
  std::string batch = "@echo off\r\nset PATH=" + tool_folder + ";%PATH%\r\ncd /d \"" + folder + "\"\r\n" +
                      "del /q settings.reg before.reg korvane.reg \"%TEMP%\\korvane-before.reg\" 2> NUL\r\n";
  for (const Line& l : lines) {
    std::string command = l.command;
    for (std::size_t at; (at = command.find("\\\\server\\deploy\\")) != std::string::npos;) command.replace(at, 16, "");
    batch += command + " > NUL 2>&1\r\necho %errorlevel%\r\n";
  }
  std::string path = TempPath("readme.bat");
  for (bool empty : {true, false}) {
    empty ? CreateEmptyParametersKey() : PutTypicalDriverValues();
    WriteBytes(path, batch);
    std::string output, expected;
    for (const Line& l : lines) expected += std::to_string(empty ? l.empty_key : l.typical_key) + "\r\n";
    RunProgram("cmd /c \"" + path + "\"", &output, nullptr, 120000);  // some twenty starts
    EXPECT_EQ(output, expected) << (empty ? "on an empty key" : "on a typical key");
  }
}

TEST_F(KorvexcfgWineTest, AnOutputThatCannotBeWrittenIsAFailure) {
  PutTypicalDriverValues();
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, &inherit, 0));
  CloseHandle(read_end);  // nobody reads: every write fails
  std::string errors;
  EXPECT_EQ(RunProgram(Korvexcfg("export -"), &errors, write_end), 5u);
  CloseHandle(write_end);
  EXPECT_NE(errors.find("Cannot write the output: "), std::string::npos) << errors;
}

// The driver's place taken by a service of our own named korvex (the tests'
// stand_in_service.exe beside this program), and a drive letter Q linked to a
// folder of the C: drive, as Wine keeps drive letters: links in the prefix's
// dosdevices folder, made by the host's ln. sc delete takes the whole service
// key with it; the other tests make the Parameters key and its parents anew.
class KorvexcfgStatusWineTest : public KorvexcfgWineTest {
 protected:
  void SetUp() override {
    char prefix[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH), 0u);
    drive_link_ = "\"" + std::string(prefix) + "/dosdevices/q:\"";
    RunProgram("sc delete korvex");  // one a failed run left
  }
  void TearDown() override {
    RunProgram("sc stop korvex");
    RunProgram("sc delete korvex");
    RunProgram("/bin/rm -f " + drive_link_);
    KorvexcfgWineTest::TearDown();
  }
  std::string Status(DWORD expected_exit = 0) {
    std::string output;
    EXPECT_EQ(RunProgram(Korvexcfg("status"), &output), expected_exit) << output;
    return output;
  }
  std::string drive_link_;
};

TEST_F(KorvexcfgStatusWineTest, FollowsTheServiceAndTheVolumeAtTheConfiguredLetter) {
  PutTypicalDriverValues();
  PutText("UserDriveLetter", "Q");
  CreateDirectoryA("C:\\korvex-status-volume", nullptr);
  RunProgram("/bin/ln -sfn ../drive_c/korvex-status-volume " + drive_link_);  // not waited for: a Unix process
  for (int i = 0; i < 50 && GetDriveTypeA("Q:\\") == DRIVE_NO_ROOT_DIR; ++i) Sleep(100);
  ASSERT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_FIXED));

  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string service = program;
  service = service.substr(0, service.find_last_of('\\') + 1) + "stand_in_service.exe";
  ASSERT_EQ(RunProgram("sc create korvex binPath= \"" + service + "\" type= own start= demand"), 0u);
  std::string stopped = Status();
  EXPECT_NE(stopped.find("service:   korvex, installed, start: manual, stopped\r\n"), std::string::npos) << stopped;
  EXPECT_NE(stopped.find("volume:    Q: present, "), std::string::npos) << stopped;
  EXPECT_NE(stopped.find("warning:   letter-in-use: Q: is used"), std::string::npos) << stopped;

  ASSERT_EQ(RunProgram("sc start korvex"), 0u);
  std::string running = Status();
  EXPECT_NE(running.find("start: manual, running\r\n"), std::string::npos) << running;
  // The volume is the host's, not a 64 MB disk; and the key is newer than the system.
  EXPECT_NE(running.find(": restart required\r\n"), std::string::npos) << running;
  EXPECT_EQ(running.find("letter-in-use"), std::string::npos) << running;

  RunProgram("sc stop korvex");
  for (int i = 0; i < 50 && Status().find(", stopped\r\n") == std::string::npos; ++i) Sleep(100);
  EXPECT_NE(Status().find("settings:  the driver is not running: no restart waits\r\n"), std::string::npos);

  ASSERT_EQ(RunProgram("sc delete korvex"), 0u);
  std::string deleted = Status(3);  // the key went with the service
  EXPECT_EQ(deleted.find("service:   korvex, not installed\r\nThe key "), 0u) << deleted;
}

}  // namespace
}  // namespace korvex::testing
