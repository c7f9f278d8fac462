// korvexcfg.exe against Wine's own registry clients (regedit, reg), with
// every value checked by an independent reader of the registry.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "parameter_set.h"
#include "registry_helpers.h"

namespace korvex::testing {
namespace {

const std::string kFullKey = std::string("HKEY_LOCAL_MACHINE\\") + kParametersKey;

std::map<std::string, std::optional<RawValue>> ReadAll() {
  std::map<std::string, std::optional<RawValue>> values;
  for (const ValueSchema& value : kParameterValues) values[value.name] = ReadRaw(value.name);
  return values;
}

std::string TempPath(const char* name) {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  return std::string(directory) + name;
}

// Runs a program to its end; its output goes to a file, read back here, or
// only its errors when `standard_output` is given.
DWORD RunProgram(const std::string& command_line, std::string* output = nullptr, HANDLE standard_output = nullptr) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  std::string output_path = TempPath("korvexcfg-output.txt");
  HANDLE file = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = file;
  if (standard_output) startup.hStdOutput = standard_output;
  PROCESS_INFORMATION process{};
  std::string line = command_line;
  EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
      << command_line;
  CloseHandle(file);
  DWORD exit_code = 255;
  if (process.hProcess) {
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  if (output) {
    output->clear();
    HANDLE read = CreateFileA(output_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (read != INVALID_HANDLE_VALUE && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
      output->append(buffer, got);
    if (read != INVALID_HANDLE_VALUE) CloseHandle(read);
  }
  return exit_code;
}

std::string Korvexcfg(const std::string& arguments) { return std::string("\"") + KORVEXCFG_PATH + "\" " + arguments; }

class KorvexcfgWineTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteParametersKey(); }
};

TEST_F(KorvexcfgWineTest, ImportOfRegeditsExportLeavesEveryValueAsItWas) {
  PutTypicalDriverValues();
  auto before = ReadAll();
  std::string file = TempPath("regedit-export.reg");
  ASSERT_EQ(RunProgram("regedit /E \"" + file + "\" \"" + kFullKey + "\""), 0u);
  std::string output;
  EXPECT_EQ(RunProgram(Korvexcfg("import \"" + file + "\""), &output), 0u) << output;
  EXPECT_EQ(ReadAll(), before);
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

TEST_F(KorvexcfgWineTest, ASetIsReadBackByRegQuery) {
  PutTypicalDriverValues();
  std::string output;
  ASSERT_EQ(RunProgram(Korvexcfg("set size=128 letter=r"), &output), 0u) << output;
  EXPECT_EQ(ReadRaw("SizeIn4kPages")->bytes, std::string("\x00\x80\x00\x00", 4));
  EXPECT_EQ(ReadRaw("UserDriveLetter"), (RawValue{REG_SZ, std::string("R\0", 2)}));
  RunProgram(std::string("reg query \"") + kFullKey + "\" /v SizeIn4kPages", &output);
  EXPECT_NE(output.find("0x8000"), std::string::npos) << output;
}

TEST_F(KorvexcfgWineTest, AMissingKeyIsNeverCreatedAndAWriteThatFailsIsReported) {
  DeleteParametersKey();
  EXPECT_EQ(RunProgram(Korvexcfg("set size=128")), 3u);
  EXPECT_FALSE(ParametersKeyExists());
  PutTypicalDriverValues();
  MakeParametersKeyReadOnly(true);
  std::string output;
  EXPECT_EQ(RunProgram(Korvexcfg("set size=128"), &output), 4u);
  EXPECT_NE(output.find("Not written: "), std::string::npos) << output;
  EXPECT_EQ(RunProgram(Korvexcfg("validate")), 0u);
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

}  // namespace
}  // namespace korvex::testing
