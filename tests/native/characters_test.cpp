#include <gtest/gtest.h>

#include "utf8.h"
#include "windows1252_characters.h"

namespace korvex {
namespace {

TEST(Windows1252, UpperCasesAndCodesAsTheCodePageDoes) {
  Windows1252Characters cp;
  EXPECT_EQ(cp.UpperCase("d:"), "D:");
  EXPECT_EQ(cp.UpperCase("\xC3\xA9"), "\xC3\x89");  // é -> É
  EXPECT_EQ(cp.FirstCharacterCode("\xC3\x89"), 201);
  EXPECT_EQ(cp.FirstCharacterCode("A"), 65);
  EXPECT_EQ(cp.FirstCharacterCode("Zed"), 90);
  EXPECT_EQ(cp.FirstCharacterCode("\xE2\x82\xAC"), 0x80);  // €
  EXPECT_EQ(cp.FirstCharacterCode("\xE4\xB8\x80"), '?');   // not in the code page
  EXPECT_EQ(cp.CharacterForCode(69), "E");
  EXPECT_EQ(cp.CharacterForCode(0x80), "\xE2\x82\xAC");
}

TEST(Windows1252, ConvertsToAnsiOnlyWhenEveryCharacterFits) {
  Windows1252Characters cp;
  EXPECT_EQ(cp.ToAnsi("C:\\caf\xC3\xA9.img"), std::string("C:\\caf\xE9.img"));
  EXPECT_FALSE(cp.ToAnsi("C:\\\xE4\xB8\x80.img"));
  EXPECT_FALSE(cp.ToAnsi("\xFF"));  // malformed UTF-8
  EXPECT_EQ(cp.FromAnsi("caf\xE9\x80"), "caf\xC3\xA9\xE2\x82\xAC");
}

TEST(Utf8, ReadsMalformedBytesAsReplacements) {
  for (std::string bad : {"\xC0\x80", "\xED\xA0\x80", "\xE2\x82", "\xF8\x88\x80\x80\x80"}) {
    std::size_t pos = 0;
    EXPECT_EQ(utf8::Next(bad, pos), utf8::kReplacement);
    EXPECT_LE(pos, bad.size());
  }
  EXPECT_EQ(utf8::CountCodePoints("a\xC3\xA9\xF0\x9F\x98\x80"), 3u);
}

}  // namespace
}  // namespace korvex
