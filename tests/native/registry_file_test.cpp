// The .reg reader and writer: both formats, escapes, continued lines,
// comments, hex lists, and files the tool must refuse.
#include <gtest/gtest.h>

#include <chrono>

#include "registry_file.h"
#include "windows1252_characters.h"

namespace korvex {
namespace {

constexpr std::string_view kKey = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\korvex\\Parameters";

std::string Utf16(std::string_view ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += {c, '\0'};
  return out;
}

class RegistryFileTest : public ::testing::Test {
 protected:
  Windows1252Characters cp1252;
  RegistryFileContents Read(std::string_view file) { return ReadRegistryFile(file, kKey, cp1252); }
};

TEST_F(RegistryFileTest, WritesTheEditorsFormatAndReadsItBack) {
  std::vector<RegistryFileValue> values{
      {"DiskType", kRegSz, std::string("HDC\0", 4)},
      {"SizeIn4kPages", kRegDword, std::string("\x00\x40\x00\x80", 4)},
      {"LoadImageFile", kRegSz, std::string("\\??\\C:\\\"\xE9\"\0", 11)},
      {"Short", kRegDword, std::string("\x01", 1)},           // no dword: form for 1 byte
      {"Text", kRegSz, std::string("a\0b\0", 4)},              // embedded NUL
      {"Wide", kRegExpandSz, std::string("%x%\xE9\0", 5)},    // UTF-16 in the file
      {"Big", kRegBinary, std::string(40, '\x5A')},            // wraps over lines
      {"Q", 11, std::string(8, '\x01')},
      {"", kRegSz, std::string("\0", 1)},                     // the key's default value: @=""
  };
  std::string file = WriteRegistryFile(kKey, values, cp1252);
  ASSERT_EQ(file.substr(0, 2), "\xFF\xFE");
  std::string text;  // the ASCII part of the UTF-16 text, for the exact lines
  for (std::size_t i = 2; i + 1 < file.size(); i += 2) text += file[i + 1] == 0 ? file[i] : '?';
  std::string start = "Windows Registry Editor Version 5.00\r\n\r\n[" + std::string(kKey) +
                      "]\r\n\"DiskType\"=\"HDC\"\r\n\"SizeIn4kPages\"=dword:80004000\r\n";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find("\"LoadImageFile\"=\"\\\\??\\\\C:\\\\\\\"\xE9\\\"\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Wide\"=hex(2):25,00,78,00,25,00,e9,00,00,00\r\n"), std::string::npos);
  EXPECT_NE(text.find(",\\\r\n  5a,"), std::string::npos);
  EXPECT_NE(text.find("\r\n@=\"\"\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");

  RegistryFileContents read = Read(file);
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.values, values);
}

TEST_F(RegistryFileTest, ReadsTheAnsiFormatWithCommentsAndContinuedLines) {
  std::string file =
      "REGEDIT4\r\n"
      "; a comment\n"
      "\r\n"
      "[hkey_local_machine\\System\\CurrentControlSet\\Services\\korvex\\Parameters]\r\n"
      "\"A\"=\"x\\\"y\\\\z\xE9\"\r\n"
      "; saved from C:\\\r\n"  // a comment is one line, whatever it ends with
      "\"B\" = DWORD:0000001F\r\n"
      "\"C\"=hex(2):41,42,\\\r\n"
      "    00\r\n"
      "\"D\"=hex:\r\n"
      "\"A\"=\"again\"\r\n"
      "@ = \"default\"\r\n";
  RegistryFileContents read = Read(file);
  ASSERT_EQ(read.problem, "");
  std::vector<RegistryFileValue> expected{{"B", kRegDword, std::string("\x1F\0\0\0", 4)},
                                          {"C", kRegExpandSz, std::string("AB\0", 3)},
                                          {"D", kRegBinary, ""},
                                          {"A", kRegSz, std::string("again\0", 6)},
                                          {"", kRegSz, std::string("default\0", 8)}};
  EXPECT_EQ(read.values, expected);
  // The same text in the current format is UTF-16: \xE9 is one character.
  read = Read(Utf16("Windows Registry Editor Version 5.00\r\n[" + std::string(kKey) + "]\r\n; saved from C:\\\r\n" +
                    "\"A\"=\"x\\\\\"\r\n"));
  ASSERT_EQ(read.problem, "");
  ASSERT_EQ(read.values.size(), 1u);
  EXPECT_EQ(read.values[0].bytes, std::string("x\\\0", 3));
  // Version 5.00 saved as ANSI or as UTF-8, with or without its mark, as the registry editor reads them.
  std::string header = "Windows Registry Editor Version 5.00\r\n[" + std::string(kKey) + "]\r\n";
  for (std::string file : {header + "\"A\"=\"caf\xE9\"\r\n", header + "\"A\"=\"caf\xC3\xA9\"\r\n",
                           "\xEF\xBB\xBF" + header + "\"A\"=\"caf\xC3\xA9\"\r\n"}) {
    read = Read(file + "\"W\"=hex(2):41,00,00,00\r\n");
    ASSERT_EQ(read.problem, "") << file;
    EXPECT_EQ(read.values, (std::vector<RegistryFileValue>{{"A", kRegSz, std::string("caf\xE9\0", 5)},
                                                           {"W", kRegExpandSz, std::string("A\0", 2)}}))
        << file;
  }
}

TEST_F(RegistryFileTest, RefusesWhatItCannotImport) {
  std::string key = "[" + std::string(kKey) + "]\r\n";
  struct Case {
    std::string file, problem;
  } cases[] = {
      {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"A\"=\"x\"\r\n", "names another key"},
      {"REGEDIT4\r\n[" + std::string(kKey) + "\\Sub]\r\n", "names another key"},
      {"REGEDIT4\r\n[-" + std::string(kKey) + "]\r\n", "deletes a key"},
      {"REGEDIT4\r\n" + key + "\"A\"=-\r\n", "deletes the value"},
      {"REGEDIT4\r\n" + key + "@=-\r\n", "deletes the key's default value"},
      {"REGEDIT4\r\n\"A\"=\"x\"\r\n", "before naming its key"},
      {"REGEDIT4\r\n" + key + "\"A\"=\"x\\n\"\r\n", "malformed text"},
      {"REGEDIT4\r\n" + key + "\"A\"=\"x\"junk\r\n", "malformed text"},
      {"REGEDIT4\r\n" + key + "\"A\"=dword:123456789\r\n", "malformed dword"},
      {"REGEDIT4\r\n" + key + "\"A\"=dword:\r\n", "malformed dword"},
      {"REGEDIT4\r\n" + key + "\"A\"=hex:1,,2\r\n", "malformed hex"},
      {"REGEDIT4\r\n" + key + "\"A\"=hex(123456789):00\r\n", "malformed hex"},
      {"REGEDIT4\r\n" + key + "\"A\"=hex:100\r\n", "malformed hex"},
      {"REGEDIT4\r\n" + key + "\"A\"=qword:1\r\n", "unknown kind"},
      {"REGEDIT4\r\n" + key + "\"A\r\n", "not \"name\"=data"},
      {"REGEDIT4\r\n[" + std::string(kKey) + "\r\n", "closing"},
      {Utf16("Windows Registry Editor Version 5.00\r\n" + key + "\"SizeIn4kPages\"=dword:0000800"),
       "Line 3 is cut off"},
      {"REGEDIT4\r\n" + key + "\"A\"=\"x\"\r\n\"B\"=hex:01,\\\r\n  02", "Line 4 is cut off"},
      {Utf16("REGEDIT4\r\n" + key), "first line"},
      {Utf16("Windows Registry Editor Version 5.00\r\n" + key).substr(2), "without its byte-order mark"},
      {Utf16("Windows Registry Editor Version 5.00\r\n" + key + "\"A\"=hex(1):41\r\n"), "code page"},
      {"REGEDIT4\r\n" + key + "\"A\"=hex(7):41,00,90,00,00\r\n", "code page"},  // 0x90 is no character
      {Utf16("Windows Registry Editor Version 5.00\r\n") + "\x41", "middle of a UTF-16"},
      {"\xEF\xBB\xBFREGEDIT4\r\n" + key + "\"\xFF\"=\"x\"\r\n", "no UTF-8"},
      {"REGEDIT4\r\n", "names no key"},
      {"", "first line"},
  };
  for (const Case& c : cases) {
    RegistryFileContents read = Read(c.file);
    EXPECT_NE(read.problem.find(c.problem), std::string::npos) << c.file << "\n -> " << read.problem;
    EXPECT_TRUE(read.values.empty());
  }
}

TEST_F(RegistryFileTest, ReadsAFileOfTheLargestSizeAndRefusesALargerOneForItsSize) {
  // As many different names as fit: a search through the names read so far
  // for each new one takes minutes here, the reader a fraction of a second.
  std::string file = "REGEDIT4\r\n[" + std::string(kKey) + "]\r\n";
  for (int i = 0; file.size() + 40 < kLargestRegistryFile; ++i) file += "\"N" + std::to_string(i) + "\"=dword:00000001\r\n";
  file += ";" + std::string(kLargestRegistryFile - file.size() - 1, 'x');
  auto start = std::chrono::steady_clock::now();
  RegistryFileContents read = Read(file);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(read.problem, "");
  EXPECT_GT(read.values.size(), 30000u);
  file += "x";
  read = Read(file);
  EXPECT_NE(read.problem.find("larger than 1048576 bytes"), std::string::npos) << read.problem;
  EXPECT_TRUE(read.values.empty());
}

}  // namespace
}  // namespace korvex
