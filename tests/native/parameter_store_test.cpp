#include "parameter_store.h"

#include <gtest/gtest.h>

#include "fake_registry.h"

namespace korvex {
namespace {

using testing::FakeRegistry;

TEST(ParameterStoreLoad, ReadsTextsSkippingNulBytesAndDwordsZeroExtended) {
  FakeRegistry registry;
  registry.PutRaw("DiskType", 3, std::string("HD\0C\0", 5));
  registry.PutRaw("LoadImageOnStart", 1, "\x01");
  registry.PutRaw("SaveImageOnExit", 3, std::string("1\0", 2));
  registry.PutRaw("SizeIn4kPages", 1, std::string("\x00\x40\x00\x00", 4));
  registry.PutRaw("AutoSaveTrigger", 4, "\xFF\xFF\xFF\xFF");
  registry.PutRaw("UserDriveLetter", 4, "d");
  ParameterStore store(registry);
  auto set = store.Load();
  ASSERT_TRUE(set);
  EXPECT_EQ(registry.opened_path, "System\\CurrentControlSet\\Services\\korvex\\Parameters");
  EXPECT_EQ(set->DiskType.bytes, "HDC");
  EXPECT_EQ(set->LoadImageOnStart.number, 1);
  EXPECT_EQ(set->SaveImageOnExit.number, 49);
  EXPECT_EQ(set->SizeIn4kPages.number, 16384);
  EXPECT_EQ(set->AutoSaveTrigger.number, -1);
  EXPECT_EQ(set->UserDriveLetter.bytes, "d");
  EXPECT_FALSE(set->LoadImageFile.present);
  EXPECT_FALSE(set->DiskFormatFAT32.present);
}

TEST(ParameterStoreLoad, CountsOversizedValuesAsAbsent) {
  FakeRegistry registry;
  registry.PutRaw("LoadImageFile", 1, std::string(133, 'x'));
  registry.PutRaw("SaveImageFile", 1, std::string(132, 'y'));
  registry.PutRaw("SizeIn4kPages", 11, std::string(8, '\x01'));
  auto set = ParameterStore(registry).Load();
  ASSERT_TRUE(set);
  EXPECT_FALSE(set->LoadImageFile.present);
  EXPECT_EQ(set->SaveImageFile.bytes, std::string(132, 'y'));
  EXPECT_FALSE(set->SizeIn4kPages.present);
}

TEST(ParameterStoreLoad, QueriesInOrderAndClosesTheKey) {
  FakeRegistry registry;
  ASSERT_TRUE(ParameterStore(registry).Load());
  std::vector<std::string> expected{"open"};
  for (const char* name : {"DiskType", "LoadImageOnStart", "LoadImageFile", "SaveImageOnExit", "SaveImageFile",
                           "SizeIn4kPages", "DiskFormatFAT32", "AutoSaveEnabled", "AutoSaveTrigger",
                           "UserDriveLetter"})
    expected.push_back(std::string("query ") + name);
  expected.push_back("close");
  EXPECT_EQ(registry.calls, expected);
}

TEST(ParameterStoreLoad, FailsWithoutTheKey) {
  FakeRegistry registry;
  registry.key_exists = false;
  EXPECT_FALSE(ParameterStore(registry).Load());
  EXPECT_EQ(registry.calls, std::vector<std::string>{"open"});
}

ParameterSet TypicalSet() {
  ParameterSet set;
  set.DiskType.bytes = "FDC14";
  set.LoadImageOnStart.number = 1;
  set.LoadImageFile.bytes = "\\??\\";
  set.SaveImageOnExit.number = 0;
  set.SaveImageFile.bytes = "\\??\\C:\\a.img";
  set.SizeIn4kPages.number = 369;
  set.DiskFormatFAT32.number = 1;
  set.AutoSaveEnabled.number = 0;
  set.AutoSaveTrigger.number = -2;
  set.UserDriveLetter.bytes = "Z";
  return set;
}

TEST(ParameterStoreSave, WritesAllTenInOrderWithExactBytes) {
  FakeRegistry registry;
  EXPECT_EQ(ParameterStore(registry).Save(TypicalSet()), SaveOutcome::Saved);
  using W = FakeRegistry::Write;
  auto S = RegistryType::String;
  auto D = RegistryType::Dword;
  std::vector<W> expected{
      {"DiskType", S, std::string("FDC14\0", 6)},
      {"LoadImageOnStart", D, std::string("\1\0\0\0", 4)},
      {"LoadImageFile", S, std::string("\\??\\\0", 5)},
      {"SaveImageOnExit", D, std::string("\0\0\0\0", 4)},
      {"SaveImageFile", S, std::string("\\??\\C:\\a.img\0", 13)},
      {"SizeIn4kPages", D, std::string("\x71\x01\0\0", 4)},
      {"AutoSaveEnabled", D, std::string("\0\0\0\0", 4)},
      {"DiskFormatFAT32", D, std::string("\1\0\0\0", 4)},
      {"AutoSaveTrigger", D, std::string("\xFE\xFF\xFF\xFF", 4)},
      {"UserDriveLetter", S, std::string("Z\0", 2)},
  };
  ASSERT_EQ(registry.writes.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(registry.writes[i].name, expected[i].name) << i;
    EXPECT_EQ(registry.writes[i].type, expected[i].type) << i;
    EXPECT_EQ(registry.writes[i].bytes, expected[i].bytes) << expected[i].name;
  }
  EXPECT_EQ(registry.calls.front(), "open");
  EXPECT_EQ(registry.calls.back(), "close");
}

TEST(ParameterStoreSave, ReportsRefusedWritesAfterTryingEveryOne) {
  FakeRegistry registry;
  registry.read_only = true;
  EXPECT_EQ(ParameterStore(registry).Save(TypicalSet()), SaveOutcome::WriteRefused);
  EXPECT_EQ(registry.writes.size(), 10u);
  EXPECT_EQ(registry.calls.back(), "close");
}

TEST(ParameterStoreSave, WritesNothingWithoutTheKeyOrForAnOverlongText) {
  FakeRegistry missing;
  missing.key_exists = false;
  EXPECT_EQ(ParameterStore(missing).Save(TypicalSet()), SaveOutcome::KeyUnavailable);
  EXPECT_TRUE(missing.writes.empty());

  FakeRegistry registry;
  ParameterSet set = TypicalSet();
  set.SaveImageFile.bytes = "\\??\\" + std::string(127, 'p');
  EXPECT_EQ(ParameterStore(registry).Save(set), SaveOutcome::Saved);
  EXPECT_EQ(registry.writes[4].bytes.size(), 132u);
  registry.writes.clear();
  registry.calls.clear();
  set.SaveImageFile.bytes += 'p';
  EXPECT_EQ(ParameterStore(registry).Save(set), SaveOutcome::TextTooLong);
  EXPECT_TRUE(registry.calls.empty());
}

TEST(ParameterStoreSave, WritesOnlyTheSelectedValuesAndChecksOnlyThose) {
  FakeRegistry registry;
  ParameterSet set = TypicalSet();
  set.SaveImageFile.bytes = std::string(200, 'p');  // not selected: neither written nor refused
  EXPECT_EQ(ParameterStore(registry).Save(set, ValueSelection().set(9).set(0)), SaveOutcome::Saved);
  EXPECT_EQ(registry.calls, (std::vector<std::string>{"open", "set DiskType", "set UserDriveLetter", "close"}));
  registry.calls.clear();
  EXPECT_EQ(ParameterStore(registry).Save(set, ValueSelection()), SaveOutcome::Saved);
  EXPECT_EQ(registry.calls, (std::vector<std::string>{"open", "close"}));
}

}  // namespace
}  // namespace korvex
