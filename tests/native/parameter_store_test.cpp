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
  auto found = ParameterStore(registry).Load();
  ASSERT_TRUE(found);
  EXPECT_EQ((*found)[0].stored, (StoredValue{3, std::string("HD\0C\0", 5)}));  // kept as stored
  EXPECT_EQ((*found)[2].status, kNotFound);
  ParameterSet set_value = WindowReading(*found);
  auto* set = &set_value;
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
  auto found = ParameterStore(registry).Load();
  ASSERT_TRUE(found);
  ParameterSet set_value = WindowReading(*found);
  auto* set = &set_value;
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

TEST(ParameterStoreWrite, WritesTheGivenValuesInTheWriteOrderEachWhateverTheOneBeforeDid) {
  FakeRegistry registry;
  registry.read_only = true;
  ValuesToWrite values;
  values[ValueIndex("DiskFormatFAT32")] = StoredDword(1);
  values[ValueIndex("AutoSaveEnabled")] = StoredDword(0);
  values[ValueIndex("DiskType")] = StoredText("FDC14");
  WriteResult result = ParameterStore(registry).Write(values);
  EXPECT_EQ(registry.calls, (std::vector<std::string>{"open", "set DiskType", "set AutoSaveEnabled",
                                                      "set DiskFormatFAT32", "close"}));
  EXPECT_EQ(registry.writes[0].bytes, std::string("FDC14\0", 6));
  EXPECT_EQ(result.statuses[ValueIndex("DiskType")], 5);
  EXPECT_FALSE(result.statuses[ValueIndex("SizeIn4kPages")]);
  EXPECT_FALSE(result.AllWritten());

  registry.calls.clear();
  EXPECT_TRUE(ParameterStore(registry).Write({}).AllWritten());  // the key is still opened
  EXPECT_EQ(registry.calls, (std::vector<std::string>{"open", "close"}));

  FakeRegistry missing;
  missing.key_exists = false;
  EXPECT_EQ(ParameterStore(missing).Write(values).open_status, 2);
  EXPECT_TRUE(missing.writes.empty());
}

}  // namespace
}  // namespace korvex
