#include "editor_harness.h"
#include "headless.h"

namespace korvex::testing {
namespace {

class SaveTest : public EditorTest {
 protected:
  Editor& LoadTypical() {
    PutTypicalValues();
    return Load();
  }
  void ExpectWritten(const std::string& name, const std::string& bytes) {
    auto it = std::find_if(registry.writes.begin(), registry.writes.end(), [&](auto& w) { return w.name == name; });
    ASSERT_NE(it, registry.writes.end()) << name;
    EXPECT_EQ(it->bytes, bytes) << name;
  }
};

TEST_F(SaveTest, WritesTheEditedValuesInOrderAndClosesTheKey) {
  Editor& e = LoadTypical();
  registry.calls.clear();
  e.Combo1.UserChooseItem(1);
  e.LoadImage.UserClick();
  e.Text1.SetText("C:\\x.img");
  e.SaveImage.UserClick();  // takes AutoSave with it
  e.Text2.SetText("C:\\y.img");
  e.Text3.SetText("100");
  e.Fat32Enable.SetValue(0);
  e.AutoSaveTime.SetText("30");
  e.DriveLetterText.SetText("D");
  Click(e.Command4);
  std::vector<std::string> expected{"open"};
  for (const Setting& value : kSettings)  // what other writers left, read under the lock
    expected.push_back("query " + std::string(value.value_name));
  for (const char* name : {"DiskType", "LoadImageOnStart", "LoadImageFile", "SaveImageOnExit", "SaveImageFile",
                           "SizeIn4kPages", "AutoSaveEnabled", "DiskFormatFAT32", "AutoSaveTrigger",
                           "UserDriveLetter"})
    expected.push_back(std::string("set ") + name);
  expected.push_back("close");
  EXPECT_EQ(registry.calls, expected);
  EXPECT_TRUE(session.IsOpen(Window::Editor));
  EXPECT_TRUE(windows.calls.empty());
}

// Keys as other tools and hostile hands leave them; an unedited save must not touch a byte.
void PutForeignValues(FakeRegistry& registry) {
  registry.PutText("DiskType", "FDC99");
  registry.PutDword("LoadImageOnStart", 2);
  registry.PutText("LoadImageFile", "C:\\" + std::string(126, 'p'));  // 129 characters, no prefix
  registry.PutRaw("SaveImageOnExit", 11, std::string(8, '\1'));        // REG_QWORD
  registry.PutText("SaveImageFile", std::string(65536, 's'));
  registry.PutDword("SizeIn4kPages", 1000);  // 3.90625 MB
  registry.PutRaw("DiskFormatFAT32", 3, "\1");
  registry.PutText("AutoSaveTrigger", "30");  // reads as 12339
  registry.PutText("UserDriveLetter", "\x81");  // no character of the code page
}
void PutForeignValuesToo(FakeRegistry& registry) {
  registry.PutText("LoadImageFile", "\\??\\C:\\\x81.img");
  registry.PutDword("SizeIn4kPages", 123456789);  // no single-precision number
  registry.PutDword("AutoSaveTrigger", 123456789);
  registry.PutRaw("UserDriveLetter", 4, DwordBytes(0x44));
}

TEST_F(SaveTest, AnUneditedSaveWritesNothingAndAnEditWritesThatValueOnly) {
  struct Case {
    const char* key;
    void (*put)(FakeRegistry&);
  } cases[] = {{"typical", [](FakeRegistry& r) {
                  r.PutText("DiskType", "HDC");
                  r.PutText("LoadImageFile", "C:\\ram.img");
                  r.PutDword("SizeIn4kPages", 16384);
                }},
               {"empty", [](FakeRegistry&) {}},
               {"foreign", PutForeignValues},
               {"foreign too", PutForeignValuesToo}};
  for (const Case& c : cases) {
    registry = FakeRegistry();
    c.put(registry);
    auto before = registry.values;
    Editor& e = Load();
    registry.calls.clear();
    Click(e.Command4);
    std::vector<std::string> read{"open"};  // what other writers left, read under the lock
    for (const Setting& value : kSettings) read.push_back("query " + std::string(value.value_name));
    read.push_back("close");
    EXPECT_EQ(registry.calls, read) << c.key;
    EXPECT_EQ(registry.values.size(), before.size()) << c.key;
    for (auto& [name, value] : before) EXPECT_EQ(registry.values[name].bytes, value.bytes) << c.key << " " << name;
    EXPECT_TRUE(windows.calls.empty()) << c.key;

    // One field edited: that value only, whatever the others cannot hold.
    e.Combo1.UserChooseItem(0);
    e.Combo1.UserChooseItem(1);
    Click(e.Command4);
    ASSERT_EQ(registry.writes.size(), 1u) << c.key;
    EXPECT_EQ(registry.writes[0].name, "DiskType") << c.key;
    EXPECT_EQ(registry.writes[0].bytes, std::string("FDC14\0", 6)) << c.key;
    EXPECT_TRUE(session.IsOpen(Window::Editor) && windows.calls.empty()) << c.key;
  }
}

// Each kind of stored value against what the user does: a value is written
// when its stored form differs from what the load found and the window showed
// it faithfully or the user set it.
TEST_F(SaveTest, WhatASaveWritesByStoredKindAndUserAction) {
  using Action = void (*)(Editor&);
  struct Row {
    const char* kind;
    const char* value;
    void (*put)(FakeRegistry&);
    Action same, change;
    std::string no_edit, other_edit, set_same, set_new;  // bytes written, "" for none
  };
  const std::string hdc("HDC\0", 4), fdc14("FDC14\0", 6), fdc28("FDC28\0", 6);
  const Row rows[] = {
      {"absent disk type", "DiskType", [](FakeRegistry&) {}, [](Editor& e) { e.SetByUser(e.Combo1); },
       [](Editor& e) { e.Combo1.UserChooseItem(1); }, "", "", hdc, fdc14},
      {"faithful disk type", "DiskType", [](FakeRegistry& r) { r.PutText("DiskType", "FDC14"); },
       [](Editor& e) { e.Combo1.UserChooseItem(1); }, [](Editor& e) { e.Combo1.UserChooseItem(2); }, "", "", "",
       fdc28},
      {"unknown disk code", "DiskType", [](FakeRegistry& r) { r.PutText("DiskType", "xyz"); },
       [](Editor& e) { e.SetByUser(e.Combo1); }, [](Editor& e) { e.Combo1.UserChooseItem(0); }, "", "", hdc, hdc},
      {"disk type of another type", "DiskType", [](FakeRegistry& r) { r.PutRaw("DiskType", kRegExpandSz, "HDC"); },
       [](Editor& e) { e.Combo1.UserChooseItem(0); }, [](Editor& e) { e.Combo1.UserChooseItem(1); }, "", "", hdc,
       fdc14},
      {"on/off of 2", "LoadImageOnStart", [](FakeRegistry& r) { r.PutDword("LoadImageOnStart", 2); },
       [](Editor& e) { e.LoadImage.UserClick(), e.LoadImage.UserClick(); },
       [](Editor& e) { e.LoadImage.UserClick(); }, "", "", DwordBytes(0), DwordBytes(1)},
      {"path without prefix", "LoadImageFile", [](FakeRegistry& r) { r.PutText("LoadImageFile", "C:\\ram.img"); },
       [](Editor& e) { e.Text1.UserType(e.Text1.Text()); }, [](Editor& e) { e.Text1.UserType("D:\\x"); }, "", "",
       std::string("\\??\\C:\\ram.img\0", 15), std::string("\\??\\D:\\x\0", 9)},
      {"text in a number", "AutoSaveTrigger", [](FakeRegistry& r) { r.PutText("AutoSaveTrigger", "30"); },
       [](Editor& e) { e.AutoSaveTime.UserType(e.AutoSaveTime.Text()); },
       [](Editor& e) { e.AutoSaveTime.UserType("60"); }, "", "", DwordBytes(12339), DwordBytes(60)},
      {"two letters", "UserDriveLetter", [](FakeRegistry& r) { r.PutText("UserDriveLetter", "DE"); },
       [](Editor& e) { e.DriveLetterText.UserType("DE"); }, [](Editor& e) { e.DriveLetterText.UserType("R"); }, "",
       "", std::string("D\0", 2), std::string("R\0", 2)},
      // Faithful, and corrected by the load's own rules: stored as the window shows it.
      {"small letter", "UserDriveLetter", [](FakeRegistry& r) { r.PutText("UserDriveLetter", "d"); },
       [](Editor& e) { e.DriveLetterText.UserType("D"); }, [](Editor& e) { e.DriveLetterText.UserType("R"); },
       std::string("D\0", 2), std::string("D\0", 2), std::string("D\0", 2), std::string("R\0", 2)},
      {"AutoSave without image saving", "SaveImageOnExit",
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 1), r.PutDword("SaveImageOnExit", 0); },
       [](Editor& e) { e.SetByUser(e.SaveImage); }, [](Editor& e) { e.SaveImage.UserClick(); }, DwordBytes(1),
       DwordBytes(1), DwordBytes(1), ""},  // cleared again: the key already holds 0
  };
  for (const Row& row : rows) {
    int column = 0;
    for (Action action : {Action([](Editor&) {}), Action([](Editor& e) { e.Fat32Enable.UserClick(); }), row.same,
                          row.change}) {
      registry = FakeRegistry();
      row.put(registry);
      Editor& e = Load();
      action(e);
      Click(e.Command4);
      std::string written;
      for (auto& write : registry.writes)
        if (write.name == row.value) written = write.bytes;
      const std::string& expected = (&row.no_edit)[column];
      EXPECT_EQ(written, expected) << row.kind << ", column " << column;
      if (column == 1) ExpectWritten("DiskFormatFAT32", DwordBytes(1));
      ++column;
    }
  }
}

TEST_F(SaveTest, OnlyTheUsersChangesAreWrittenWhateverHappensToTheKeyMeanwhile) {
  Editor& e = LoadTypical();
  registry.PutDword("SizeIn4kPages", 4096);  // another program, while the window is open
  registry.values.erase("SaveImageFile");
  TypeAndLeave(e.DriveLetterText, "d");
  Click(e.Command4);
  ASSERT_EQ(registry.writes.size(), 1u);
  ExpectWritten("UserDriveLetter", std::string("D\0", 2));
  EXPECT_EQ(registry.Bytes("SizeIn4kPages"), DwordBytes(4096));
  EXPECT_FALSE(registry.values.count("SaveImageFile"));
  EXPECT_EQ(e.Text3.Text(), " 16");  // the window now shows what is stored

  // An edit undone after it was saved is written back too.
  registry.writes.clear();
  e.DriveLetterText.SetText("Z");
  Click(e.Command4);
  ASSERT_EQ(registry.writes.size(), 1u);
  ExpectWritten("UserDriveLetter", std::string("Z\0", 2));

  // A size typed as it was shown is no change.
  registry.writes.clear();
  TypeAndLeave(e.Text3, "16");
  Click(e.Command4);
  EXPECT_TRUE(registry.writes.empty());
}

// Another program changes the key while the window is open; the save merges
// the user's edits with the key as it is then.
TEST_F(SaveTest, ASaveMergesTheUsersEditsWithTheKeyAsItIsThen) {
  using Step = void (*)(FakeRegistry&);
  using Action = void (*)(Editor&);
  struct Row {
    const char* what;
    Step stored, meanwhile;
    Action user;
    std::map<std::string, std::string> after;  // bytes the key ends with
  };
  const Row rows[] = {
      {"a letter the load corrected, changed elsewhere", [](FakeRegistry& r) { r.PutText("UserDriveLetter", "d"); },
       [](FakeRegistry& r) { r.PutText("UserDriveLetter", "Q"); }, [](Editor&) {},
       {{"UserDriveLetter", std::string("Q\0", 2)}}},
      {"a correction whose cause is gone",
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 1), r.PutDword("SaveImageOnExit", 0); },
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 0); }, [](Editor&) {},
       {{"AutoSaveEnabled", DwordBytes(0)}, {"SaveImageOnExit", DwordBytes(0)}}},
      {"an interval typed after image saving was turned off elsewhere", nullptr,
       [](FakeRegistry& r) { r.PutDword("SaveImageOnExit", 0), r.PutDword("AutoSaveEnabled", 0); },
       [](Editor& e) { e.AutoSaveTime.UserType("400"); },
       {{"AutoSaveEnabled", DwordBytes(0)}, {"SaveImageOnExit", DwordBytes(0)}, {"AutoSaveTrigger", DwordBytes(400)}}},
      {"a save path edited after image saving was turned off elsewhere", nullptr,
       [](FakeRegistry& r) { r.PutDword("SaveImageOnExit", 0), r.PutDword("AutoSaveEnabled", 0); },
       [](Editor& e) { e.Text2.UserType("D:\\x.img"); },
       {{"SaveImageOnExit", DwordBytes(0)}, {"SaveImageFile", std::string("\\??\\D:\\x.img\0", 13)}}},
      {"image saving cleared here, AutoSave turned on elsewhere",
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 0); },
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 1); }, [](Editor& e) { e.SaveImage.UserClick(); },
       {{"AutoSaveEnabled", DwordBytes(0)}, {"SaveImageOnExit", DwordBytes(0)}}},
      {"AutoSave ticked here, image saving turned off elsewhere: never one without the other",
       [](FakeRegistry& r) { r.PutDword("AutoSaveEnabled", 0); },
       [](FakeRegistry& r) { r.PutDword("SaveImageOnExit", 0); }, [](Editor& e) { e.SaveCheckBox.UserClick(); },
       {{"AutoSaveEnabled", DwordBytes(1)}, {"SaveImageOnExit", DwordBytes(1)}}},
  };
  for (const Row& row : rows) {
    registry = FakeRegistry();
    PutTypicalValues();
    if (row.stored) row.stored(registry);
    Editor& e = Load();
    row.meanwhile(registry);
    row.user(e);
    Click(e.Command4);
    for (auto& [name, bytes] : row.after) EXPECT_EQ(registry.Bytes(name), bytes) << row.what << ": " << name;
    EXPECT_EQ(e.CurrentForms(), HeadlessEditor(ParameterStore(registry).Load().value(), cp1252).Model().CurrentForms()) << row.what;
    EXPECT_TRUE(windows.calls.empty()) << row.what;
  }
}

TEST_F(SaveTest, ASaveTakesTheWritersLockAndWaitsForNoWriterThatDoesNotFinish) {
  Editor& e = LoadTypical();
  e.SaveCheckBox.UserClick();
  Click(e.Command4);
  EXPECT_EQ(lock.taken, 1);
  EXPECT_EQ(lock.depth, 0);

  lock.held_elsewhere = true;  // a writer that does not finish
  registry.writes.clear();
  e.SaveCheckBox.UserClick();
  Click(e.Command1);
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_TRUE(session.IsOpen(Window::SaveRegFail));
  EXPECT_TRUE(session.IsOpen(Window::Editor));
}

TEST_F(SaveTest, AfterAFailedLoadOnlyTheEditsAreWritten) {
  registry.key_exists = false;
  Editor& e = Load();
  registry.key_exists = true;
  Click(e.Command4);
  EXPECT_TRUE(registry.writes.empty());
  TypeAndLeave(e.Text3, "100");
  Click(e.Command4);
  ASSERT_EQ(registry.writes.size(), 1u);
  ExpectWritten("SizeIn4kPages", DwordBytes(25600));
}

TEST_F(SaveTest, ConvertsEachSettingToItsStoredForm) {
  PutTypicalValues();
  registry.PutDword("DiskFormatFAT32", 0);
  registry.PutText("UserDriveLetter", "Y");
  Editor& e = Load();
  e.Combo1.UserChooseItem(1);
  e.Text3.SetText("1.44");
  e.Text1.SetText("");
  e.Text2.SetText("C:\\a.img");
  e.AutoSaveTime.SetText("30.6");
  e.Fat32Enable.SetValue(2);  // grayed
  e.DriveLetterText.SetText("Z");
  Click(e.Command4);
  ExpectWritten("DiskType", std::string("FDC14\0", 6));
  ExpectWritten("SizeIn4kPages", DwordBytes(369));
  ExpectWritten("LoadImageFile", std::string("\\??\\\0", 5));
  ExpectWritten("SaveImageFile", std::string("\\??\\C:\\a.img\0", 13));
  ExpectWritten("AutoSaveTrigger", DwordBytes(31));
  ExpectWritten("DiskFormatFAT32", DwordBytes(1));
  ExpectWritten("UserDriveLetter", std::string("Z\0", 2));

  // The longest path and an accented name are stored whole.
  registry.writes.clear();
  e.AutoSaveTime.SetText("30.5");
  e.Text3.SetText("letters");
  e.Text1.SetText(std::string(127, 'p'));
  e.Text2.SetText("C:\\caf\xC3\xA9.img");
  Click(e.Command4);
  ExpectWritten("AutoSaveTrigger", DwordBytes(30));
  ExpectWritten("SizeIn4kPages", DwordBytes(0));
  ExpectWritten("LoadImageFile", "\\??\\" + std::string(127, 'p') + '\0');
  ExpectWritten("SaveImageFile", std::string("\\??\\C:\\caf\xE9.img\0", 16));
}

TEST_F(SaveTest, NoSelectionIsStoredAsAHardDisk) {
  registry.PutText("DiskType", "FDC28");
  Editor& e = Load();
  e.Combo1.SetListIndex(-1);
  Click(e.Command4);
  ExpectWritten("DiskType", std::string("HDC\0", 4));
  EXPECT_EQ(registry.writes.size(), 1u);  // the placeholders of absent values are no edits
}

TEST_F(SaveTest, OkSavesThenClosesAndThePendingLostFocusRunsFirst) {
  // The typical road: 64 MB shown, 300 typed, "OK" pressed.
  Editor& e = LoadTypical();
  EXPECT_EQ(e.Text3.Text(), " 64");
  Focus(e.Text3);
  Type(e.Text3, "300");
  Click(e.Command1);
  EXPECT_EQ(e.Text3.Text(), " 300");
  EXPECT_EQ(e.LastVScroll1(), 1748);
  ExpectWritten("SizeIn4kPages", DwordBytes(76800));
  EXPECT_FALSE(session.IsOpen(Window::Editor));
  EXPECT_TRUE(windows.ended);
}

TEST_F(SaveTest, ExitAndTheCloseBoxWriteNothing) {
  Editor& e = LoadTypical();
  e.Text3.SetText("100");
  registry.calls.clear();
  Click(e.Command2);
  EXPECT_TRUE(registry.calls.empty());
  EXPECT_TRUE(windows.ended);

  LoadTypical();
  session.EditorCreated();
  registry.calls.clear();
  editor->Form_Close();
  EXPECT_TRUE(registry.calls.empty());
  EXPECT_FALSE(session.IsOpen(Window::Editor));
}

TEST_F(SaveTest, AMissingKeyShowsTheSaveFailureAndOkKeepsTheWindow) {
  Editor& e = LoadTypical();
  registry.key_exists = false;
  Click(e.Command4);
  Click(e.Command4);  // one window, however often
  Click(e.Command1);
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_TRUE(session.IsOpen(Window::Editor));
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"create SaveRegFail", "show SaveRegFail", "show SaveRegFail",
                                                     "show SaveRegFail"}));
}

TEST_F(SaveTest, RefusedWritesAreReportedAndOkKeepsTheEdits) {
  Editor& e = LoadTypical();
  registry.read_only = true;
  e.Text3.SetText("100");
  e.DriveLetterText.SetText("D");
  Click(e.Command1);
  EXPECT_EQ(registry.writes.size(), 2u);  // the second write was still attempted
  EXPECT_EQ(registry.calls.back(), "close");
  EXPECT_TRUE(session.IsOpen(Window::SaveRegFail));
  EXPECT_TRUE(session.IsOpen(Window::Editor));
  EXPECT_EQ(e.Text3.Text(), "100");
}

struct Refusal {
  const char* what;
  void (*edit)(Editor&);
  const char* message_part;
};

class SaveRefusal : public SaveTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SaveRefusal, WritesNothingKeepsTheWindowAndSaysWhichSetting) {
  Editor& e = LoadTypical();
  registry.calls.clear();
  GetParam().edit(e);
  Click(e.Command1);
  EXPECT_TRUE(registry.calls.empty());
  EXPECT_TRUE(session.IsOpen(Window::Editor));
  EXPECT_TRUE(session.IsOpen(Window::SettingRefused));
  EXPECT_NE(windows.message_text.find(GetParam().message_part), std::string::npos) << windows.message_text;
}

INSTANTIATE_TEST_SUITE_P(
    SaveTest, SaveRefusal,
    ::testing::Values(
        Refusal{"LongLoadPath", [](Editor& e) { e.Text1.SetText(std::string(128, 'p')); }, "image file to load"},
        Refusal{"LongSavePath", [](Editor& e) { e.Text2.SetText("C:\\" + std::string(125, 'p')); }, "at most 127"},
        Refusal{"CharacterOutsideTheCodePage", [](Editor& e) { e.Text2.SetText("C:\\\xE4\xB8\x80.img"); },
                "image file to save holds a character"},
        Refusal{"ControlCharacterInAPath", [](Editor& e) { e.Text1.SetText("C:\\a\tb.img"); }, "control character"},
        Refusal{"EmptyDriveLetter", [](Editor& e) { e.DriveLetterText.SetText(""); }, "drive letter is empty"},
        Refusal{"HugeSize", [](Editor& e) { e.Text3.SetText("8388608"); }, "disk size"},
        Refusal{"SizeBeyondDoubles", [](Editor& e) { e.Text3.SetText("1e999"); }, "disk size"},
        Refusal{"HugeInterval", [](Editor& e) { e.AutoSaveTime.SetText("3e9"); }, "AutoSave interval"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(SaveTest, ADoubleByteCharacterIsStoredAsItsTwoBytesAndCountsTwice) {
  DoubleByteCharacters double_byte;
  characters = &double_byte;
  Editor& e = LoadTypical();
  std::string path = std::string("C:\\") + DoubleByteCharacters::kDoubleByte + std::string(122, 'p');
  e.Text2.SetText(path);  // 127 bytes
  Click(e.Command4);
  ExpectWritten("SaveImageFile", "\\??\\C:\\\xD2\xBB" + std::string(122, 'p') + '\0');
  registry.writes.clear();
  e.Text2.SetText(path + "p");
  Click(e.Command4);
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_NE(windows.message_text.find("at most 127"), std::string::npos) << windows.message_text;
}

TEST_F(SaveTest, TheWebLinkHandsTheAddressToTheShell) {
  Editor& e = Load();
  e.Label8.UserClick();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0], (std::vector<std::string>{"Open", e.Label8.Caption(), "0", "0", "1"}));
  EXPECT_EQ(e.Label8.Caption(), "http://www.korvane.example/");
}

}  // namespace
}  // namespace korvex::testing
