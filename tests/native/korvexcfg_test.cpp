// korvexcfg's commands against the registry fake: the strict and --adjust
// outcome of each rule, what is written, idempotence and exit codes.
#include <gtest/gtest.h>

#include "command_line.h"
#include "editor_harness.h"
#include "registry_file.h"
#include "status.h"

#include <algorithm>
#include <functional>
#include <random>
#include <set>

namespace korvex::testing {
namespace {

class MemoryFiles : public cfg::Files {
 public:
  std::map<std::string, std::string> files;
  std::optional<std::string> Read(std::string_view path) override {
    auto it = files.find(std::string(path));
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool Exists(std::string_view path) override { return files.count(std::string(path)) > 0; }
  bool Write(std::string_view path, std::string_view bytes) override {
    if (path.starts_with("readonly")) return false;
    files[std::string(path)] = bytes;
    return true;
  }
};

const std::string kRestartLine = "The driver takes the new settings when it next starts.\n";
const std::string kKey = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\korvex\\Parameters";

std::string Joined(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) line += argument + " ";
  return line;
}

// A machine where the driver is not installed, nothing is at its letter and
// every folder exists with room to spare.
class FakeSystemState : public cfg::SystemState {
 public:
  cfg::ServiceInfo service{false, std::nullopt, std::nullopt};
  std::map<char, cfg::VolumeInfo> volumes;
  std::uint64_t memory = 1ull << 30;
  std::optional<cfg::SystemStart> started = cfg::SystemStart{200, false};
  std::set<std::string> missing_folders;
  std::uint64_t free = 1ull << 40;
  std::vector<std::string> free_asked;

  cfg::ServiceInfo Service() override { return service; }
  cfg::VolumeInfo Volume(char letter) override { return volumes[letter]; }
  std::uint64_t PhysicalMemory() override { return memory; }
  std::optional<cfg::SystemStart> SystemStartedAt() override { return started; }
  bool FolderExists(std::string_view path) override { return !missing_folders.contains(std::string(path)); }
  std::optional<std::uint64_t> FreeBytes(std::string_view folder) override {
    free_asked.emplace_back(folder);
    return free;
  }
  std::string LocalTimeStamp() override { return "20261208-094900"; }
};

class KorvexcfgTest : public EditorTest {
 protected:
  MemoryFiles files;
  FakeSystemState system;
  cfg::Environment environment{registry, cp1252, volume, files, lock, system};

  KorvexcfgTest() { PutTypicalValues(); }

  cfg::CommandResult Run(std::vector<std::string> arguments) {
    registry.writes.clear();
    return cfg::RunCommand(arguments, environment);
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (auto& write : registry.writes) names.push_back(write.name);
    return names;
  }
};

TEST_F(KorvexcfgTest, EachRuleRefusesStrictlyAndCorrectsWithAdjust) {
  struct Case {
    std::vector<std::string> set;
    std::string refusal_or_note;
    std::string value_name, stored_after_adjust;
  } cases[] = {
      {{"size=12.7"}, "size: 12.7 -> 12, whole megabytes", "SizeIn4kPages", DwordBytes(3072)},
      {{"size=3000"}, "size: 3000 -> 2048, at most 2048 MB", "SizeIn4kPages", DwordBytes(524288)},
      {{"SizeIn4kPages=2"}, "size: 2 -> 5, at least 5 MB", "SizeIn4kPages", DwordBytes(1280)},
      {{"interval=5"}, "interval: 5 -> 20, at least 20 seconds", "AutoSaveTrigger", DwordBytes(20)},
      {{"interval=40000"}, "interval: 40000 -> 32767, at most 32767 seconds", "AutoSaveTrigger", DwordBytes(32767)},
      {{"interval=25.5"}, "interval: 25.5 -> 26, whole seconds", "AutoSaveTrigger", DwordBytes(26)},  // as the window stores it
      {{"letter=5"}, "letter: 5 -> A, a letter from A to Z", "UserDriveLetter", std::string("A\0", 2)},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments{"set"};
    arguments.insert(arguments.end(), c.set.begin(), c.set.end());
    cfg::CommandResult strict = Run(arguments);
    EXPECT_EQ(strict.exit_code, cfg::kRulesRefuse) << c.set[0];
    EXPECT_NE(strict.err.find(c.refusal_or_note), std::string::npos) << strict.err;
    EXPECT_TRUE(registry.writes.empty()) << c.set[0];

    arguments.push_back("--adjust");
    cfg::CommandResult adjusted = Run(arguments);
    EXPECT_EQ(adjusted.exit_code, cfg::kDone) << adjusted.err;
    EXPECT_NE(adjusted.out.find(c.refusal_or_note), std::string::npos) << adjusted.out;
    EXPECT_EQ(registry.Bytes(c.value_name), c.stored_after_adjust) << c.set[0];
    PutTypicalValues();
  }
}

TEST_F(KorvexcfgTest, MalformedRequestsAreRefusedEvenWithAdjust) {
  for (std::vector<std::string> arguments : {
           std::vector<std::string>{"set", "size=lots", "--adjust"},
           {"set", "letter=TT"},
           {"set", "fat32=maybe"},
           {"set", "load-file=C:\\\x01.img"},  // the Editor's own save refuses it
       }) {
    cfg::CommandResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, cfg::kRulesRefuse) << arguments[1];
    EXPECT_NE(result.err.find("Nothing was written"), std::string::npos) << result.err;
    EXPECT_TRUE(registry.writes.empty());
  }
  EXPECT_NE(Run({"set", "size=lots"}).err.find("size accepts megabytes"), std::string::npos);
}

// The same intent carried out in the window by a user and by one set: the
// same bytes stored, and the same corrections reported, or both refused by
// the same rule. Where the load corrects a value the set does not name, the
// window stores what it showed and the set leaves it (and says so).
TEST_F(KorvexcfgTest, ASetStoresWhatAUserOfTheWindowStores) {
  using KeyChange = std::function<void(FakeRegistry&)>;
  KeyChange typical = [](FakeRegistry&) {};
  KeyChange empty = [](FakeRegistry& r) { r.values.clear(); };
  KeyChange wrong_types = [](FakeRegistry& r) {
    r.PutText("AutoSaveTrigger", "300");
    r.PutDword("SaveImageFile", 7);
  };
  KeyChange small_letter = [](FakeRegistry& r) { r.PutText("UserDriveLetter", "d"); };
  KeyChange forbidden_pair = [](FakeRegistry& r) { r.PutDword("SaveImageOnExit", 0); };
  KeyChange fat32_at_12 = [](FakeRegistry& r) { r.PutDword("SizeIn4kPages", 12 * 256); };
  KeyChange no_autosave = [](FakeRegistry& r) {
    r.PutDword("AutoSaveEnabled", 0);
    r.PutDword("SaveImageOnExit", 0);
  };
  auto type = [this](forms::TextBox& box, std::string text) {
    return [this, &box, text] {
      Focus(box);
      box.UserTypeOver(text);
      Focus(editor->Command3);
    };
  };
  struct Row {
    KeyChange key;
    std::vector<std::string> arguments;
    std::function<void(Editor&, decltype(type)&)> user;
    bool refused = false;
  };
  const std::vector<Row> rows{
      {typical, {"type=floppy-1.44"}, [](Editor& e, auto&) { e.Combo1.UserChooseItem(1); }},
      {typical, {"size=12.7", "--adjust"}, [](Editor& e, auto& t) { t(e.Text3, "12.7")(); }},
      {typical, {"size=3000", "--adjust"}, [](Editor& e, auto& t) { t(e.Text3, "3000")(); }},
      {typical, {"fat32=off"}, [](Editor& e, auto&) { e.Fat32Enable.UserClick(); }},
      // A disabled box is reached the user's way: through a state that enables it, and back.
      {fat32_at_12, {"fat32=off"},
       [](Editor& e, auto& t) { t(e.Text3, "40")(), e.Fat32Enable.UserClick(), t(e.Text3, "12")(); }},
      {fat32_at_12, {"size=12", "fat32=off"},
       [](Editor& e, auto& t) { t(e.Text3, "40")(), e.Fat32Enable.UserClick(), t(e.Text3, "12")(); }},
      {typical, {"type=floppy-2.88", "size=100"},
       [](Editor& e, auto& t) { t(e.Text3, "100")(), e.Combo1.UserChooseItem(2); }},
      {typical, {"type=floppy-1.44", "fat32=off"},
       [](Editor& e, auto&) { e.Fat32Enable.UserClick(), e.Combo1.UserChooseItem(1); }},
      {no_autosave, {"autosave=off", "interval=60"},
       [](Editor& e, auto& t) {
         e.SaveCheckBox.UserClick(), t(e.AutoSaveTime, "60")(), e.SaveCheckBox.UserClick(), e.SaveImage.UserClick();
       }},
      {no_autosave, {"load-file=C:\\new.img", "save-file=D:\\s.img"},
       [](Editor& e, auto& t) {
         e.LoadImage.UserClick(), t(e.Text1, "C:\\new.img")(), e.LoadImage.UserClick();
         e.SaveImage.UserClick(), t(e.Text2, "D:\\s.img")(), e.SaveImage.UserClick();
       }},
      {typical, {"interval=25.5", "--adjust"}, [](Editor& e, auto& t) { t(e.AutoSaveTime, "25.5")(); }},
      {typical, {"interval=5", "--adjust"}, [](Editor& e, auto& t) { t(e.AutoSaveTime, "5")(); }},
      {typical, {"letter=q"}, [](Editor& e, auto& t) { t(e.DriveLetterText, "q")(); }},
      {small_letter, {"size=128"}, [](Editor& e, auto& t) { t(e.Text3, "128")(); }},
      {forbidden_pair, {"save-image=off"}, [](Editor& e, auto&) { e.SaveImage.UserClick(); }},
      {forbidden_pair, {"autosave=off"}, [](Editor& e, auto&) { e.SaveCheckBox.UserClick(); }},
      {empty, {"size=64"}, [](Editor& e, auto& t) { t(e.Text3, "64")(); }},
      {wrong_types, {"fat32=off", "letter=q"},
       [](Editor& e, auto& t) { e.Fat32Enable.UserClick(), t(e.DriveLetterText, "q")(); }},
      {typical, {"autosave=on", "save-image=off"}, [](Editor& e, auto&) { e.SaveImage.UserClick(); }, true},
      {typical, {"size=12", "fat32=on", "type=floppy-1.44"},
       [](Editor& e, auto& t) { t(e.Text3, "12")(), e.Combo1.UserChooseItem(1); }},
  };
  for (const Row& row : rows) {
    std::string what = Joined(row.arguments);
    registry.values.clear();
    PutTypicalValues();
    row.key(registry);
    const std::map<std::string, StoredValue> key = registry.values;

    Editor& e = Load();
    std::size_t loaded = e.Corrections().size();
    row.user(e, type);
    std::string reason = e.Corrections().size() > loaded ? ReasonText(e.Corrections().back()) : "";
    Click(e.Command4);
    const std::map<std::string, StoredValue> by_window = registry.values;

    registry.values = key;
    std::vector<std::string> arguments{"set"};
    arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
    cfg::CommandResult result = Run(arguments);
    if (row.refused) {
      EXPECT_EQ(result.exit_code, cfg::kRulesRefuse) << what << result.out;
      EXPECT_NE(result.err.find(reason), std::string::npos) << what << reason << "\n" << result.err;
      continue;
    }
    ASSERT_EQ(result.exit_code, cfg::kDone) << what << result.err;
    for (std::size_t index = 0; index < kValueCount; ++index) {
      std::string name(kSettings[index].value_name);
      if (result.report.save->values[index].outcome == ValueOutcome::Left) continue;  // the allowed difference
      auto window_value = by_window.find(name);
      auto cfg_value = registry.values.find(name);
      ASSERT_EQ(window_value == by_window.end(), cfg_value == registry.values.end()) << what << name;
      if (cfg_value != registry.values.end()) {
        EXPECT_EQ(window_value->second.bytes, cfg_value->second.bytes) << what << name << "\n" << result.out;
      }
    }
    for (std::size_t i = loaded; i < e.Corrections().size(); ++i)  // of the values named
      if (what.find(std::string(kSettings[e.Corrections()[i].value].name) + "=") != std::string::npos) {
        EXPECT_NE(result.out.find(ReasonText(e.Corrections()[i])), std::string::npos)
            << what << ReasonText(e.Corrections()[i]) << "\n" << result.out;
      }
  }
}

TEST_F(KorvexcfgTest, ConsequencesAreReportedAndTheChoicesOrderMatters) {
  registry.PutDword("AutoSaveEnabled", 0);
  registry.PutDword("SaveImageOnExit", 0);
  cfg::CommandResult result =
      Run({"set", "autosave=on", "interval=60", "type=floppy-1.44", "letter=r", "save-file=\\??\\C:\\x.img"});
  EXPECT_EQ(result.exit_code, cfg::kDone) << result.err;
  EXPECT_NE(result.out.find("save-image: off -> on, with autosave=on"), std::string::npos) << result.out;
  EXPECT_EQ(registry.Bytes("SaveImageOnExit"), DwordBytes(1));
  EXPECT_EQ(registry.Bytes("AutoSaveTrigger"), DwordBytes(60));
  EXPECT_EQ(registry.Bytes("DiskType"), std::string("FDC14\0", 6));
  EXPECT_EQ(registry.Bytes("UserDriveLetter"), std::string("R\0", 2));
  EXPECT_EQ(registry.Bytes("SaveImageFile"), std::string("\\??\\C:\\x.img\0", 13));  // one prefix
}

TEST_F(KorvexcfgTest, ExitCodesAndWhatWasWritten) {
  cfg::CommandResult dry = Run({"set", "size=128", "--dry-run"});
  EXPECT_EQ(dry.exit_code, cfg::kDone);
  EXPECT_NE(dry.out.find("Would write: "), std::string::npos);
  EXPECT_EQ(registry.Bytes("SizeIn4kPages"), DwordBytes(16384));  // untouched

  EXPECT_EQ(Run({"set", "size=128", "--backup", "before.reg"}).exit_code, cfg::kDone);
  EXPECT_EQ(registry.Bytes("SizeIn4kPages"), DwordBytes(32768));
  RegistryFileContents backup = ReadRegistryFile(files.files.at("before.reg"), kKey, cp1252);
  ASSERT_EQ(backup.values.size(), 10u);
  EXPECT_EQ(backup.values[5], (RegistryFileValue{"SizeIn4kPages", kRegDword, DwordBytes(16384)}));
  EXPECT_EQ(Run({"set", "size=64", "--backup", "readonly.reg"}).exit_code, cfg::kFileFailed);  // cannot be written
  EXPECT_TRUE(registry.writes.empty());
  // Re-run on schedule: no backup where nothing is written; an earlier one kept, the new one beside it.
  std::string first = files.files.at("before.reg");
  EXPECT_EQ(Run({"set", "size=128", "--backup", "before.reg"}).exit_code, cfg::kDone);
  EXPECT_EQ(files.files.size(), 1u);
  for (const char* beside : {"before-20261208-094900.reg", "before-20261208-094900-2.reg"}) {
    registry.PutDword("SizeIn4kPages", 16384);  // drift
    cfg::CommandResult repaired = Run({"set", "size=128", "--backup", "before.reg"});
    EXPECT_EQ(repaired.exit_code, cfg::kDone) << repaired.err;
    EXPECT_NE(repaired.out.find(std::string("backup: ") + beside + " (before.reg exists already and is kept)"),
              std::string::npos) << repaired.out;
    EXPECT_EQ(ReadRegistryFile(files.files[beside], kKey, cp1252).values[5].bytes, DwordBytes(16384));
  }
  EXPECT_EQ(files.files.at("before.reg"), first);
  EXPECT_EQ(Run({"export", "readonly.reg"}).exit_code, cfg::kFileFailed);

  registry.read_only = true;
  cfg::CommandResult failed = Run({"set", "size=64"});
  EXPECT_EQ(failed.exit_code, cfg::kWriteFailed);
  EXPECT_NE(failed.err.find("Not written: "), std::string::npos) << failed.err;
  EXPECT_NE(failed.err.find("SizeIn4kPages (error 5)"), std::string::npos) << failed.err;
  EXPECT_NE(failed.err.find("elevated prompt"), std::string::npos) << failed.err;
  registry.read_only = false;

  // An option's value is never the next option; --json shapes a usage error wherever it stands.
  for (std::vector<std::string> arguments : {std::vector<std::string>{"set", "colour=red"}, {"set"}, {"frobnicate"}, {},
                                             {"set", "size=64", "--backup", "--dry-run"}, {"--version", "extra"},
                                             {"import", "before.reg", "--backup", "before.reg"}})
    EXPECT_EQ(Run(arguments).exit_code, cfg::kUsage) << Joined(arguments);
  EXPECT_NE(Run({"show", "--bogus", "--json"}).out.find("\"exitCode\": 2"), std::string::npos);
  EXPECT_NE(Run({"set", "size=64", "size=128"}).err.find("size is given twice"), std::string::npos);
  EXPECT_EQ(Run({"set", "size=64", "--backup=--dry-run", "--dry-run"}).exit_code, cfg::kDone);
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_FALSE(files.files.count("--dry-run"));
  // DSC's own property is taken; its what-if shows the state a set would leave.
  EXPECT_NE(Run({"dsc", "test", "--input", R"({"_inDesiredState":false,"sizeMB":128})"}).out.find(R"("_inDesiredState":true)"),
            std::string::npos);
  std::string what_if = Run({"dsc", "set", "--dry-run", "--input", R"({"sizeMB":64})"}).out;
  EXPECT_TRUE(what_if.find(R"("sizeMB":64,)") != std::string::npos && what_if.ends_with("\n[\"sizeMB\"]\n")) << what_if;
  EXPECT_TRUE(registry.writes.empty());
  // The installers' version, then the version resource's.
  EXPECT_EQ(Run({"--version"}).out, "korvexcfg 0.2.13 (file version 0.02.0013)\n");
  for (std::vector<std::string> arguments : {std::vector<std::string>{"help"}, {"help", "set"}, {"set", "--help"},
                                             {"-?"}, {"/?"}, {"export", "--help"}})
    EXPECT_EQ(Run(arguments).exit_code, cfg::kDone) << arguments.back();
  EXPECT_FALSE(files.files.count("--help"));

  // The key is judged first: before the file (missing.reg), the rules (interval 5) or the type (size on a floppy).
  registry.PutText("DiskType", "FDC14");
  const std::vector<std::vector<std::string>> reading_first{
      {"set", "size=64"}, {"set", "type=hard-disk", "size=64"}, {"test", "size=64"}, {"test", "interval=5"},
      {"import", "missing.reg"}, {"show"}, {"validate"}, {"export", "x.reg"}, {"status"}, {"dsc", "get"}, {"dsc", "export"}};
  registry.key_exists = false;
  for (const std::vector<std::string>& arguments : reading_first)
    EXPECT_EQ(Run(arguments).exit_code, cfg::kKeyUnavailable) << arguments[0] << " " << arguments.back();
  EXPECT_NE(Run({"show"}).err.find("is missing"), std::string::npos);
  EXPECT_TRUE(registry.writes.empty());

  // A value that cannot be read: what can be read is shown, and nothing is exported without it.
  registry.key_exists = true;
  registry.denied = "SizeIn4kPages";
  cfg::CommandResult shown = Run({"show"});
  EXPECT_EQ(shown.exit_code, cfg::kKeyUnavailable);
  EXPECT_NE(shown.out.find("letter     Z"), std::string::npos) << shown.out;
  EXPECT_NE(shown.err.find("The value SizeIn4kPages cannot be read: error 5. Run korvexcfg from an elevated"),
            std::string::npos) << shown.err;
  for (const std::vector<std::string>& arguments : reading_first)
    EXPECT_EQ(Run(arguments).exit_code, cfg::kKeyUnavailable) << arguments[0] << " " << arguments.back();
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_FALSE(files.files.count("x.reg"));
}

TEST_F(KorvexcfgTest, ASetThatChangesNothingWritesNothing) {
  for (std::vector<std::string> arguments : {std::vector<std::string>{"set", "size=64", "letter=z", "type=hard-disk"},
                                             {"set", "size=64.4", "--adjust"}}) {
    cfg::CommandResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, cfg::kDone);
    EXPECT_EQ(result.out.substr(result.out.size() - 10), "unchanged\n") << result.out;
    EXPECT_TRUE(registry.writes.empty());
  }
  EXPECT_EQ(Run({"set", "size=128"}).out, "size: 64 MB (16384 pages) -> 128 MB (32768 pages)\nWritten: SizeIn4kPages\n" + kRestartLine);
  ASSERT_EQ(Run({"export", "all.reg"}).exit_code, cfg::kDone);
  EXPECT_EQ(Run({"import", "all.reg"}).out, "unchanged\n");

  // Absent values keep their absence: no placeholder is written for them.
  for (const char* name : {"LoadImageFile", "UserDriveLetter", "AutoSaveTrigger"}) registry.values.erase(name);
  std::string kept = Run({"set", "size=64"}).out;
  EXPECT_NE(kept.find("letter: left as it is (absent): the window cannot show it"), std::string::npos) << kept;
  EXPECT_TRUE(kept.ends_with("\nWritten: SizeIn4kPages\n" + kRestartLine)) << kept;
  std::string imported = Run({"import", "all.reg"}).out;
  EXPECT_TRUE(imported.ends_with(
      "letter: absent -> \"Z\"\nWritten: LoadImageFile, SizeIn4kPages, AutoSaveTrigger, UserDriveLetter\n" +
      kRestartLine))
      << imported;
}

// One open of the key, one read of each value, the lock taken once; a
// command writes what it names and what its rules require, and only reports
// what the window's load would correct in the other values.
TEST_F(KorvexcfgTest, ACommandOpensTheKeyOnceAndWritesOnlyWhatItNamesAndItsRulesRequire) {
  files.files["size.reg"] = "REGEDIT4\r\n[" + kKey + "]\r\n\"SizeIn4kPages\"=dword:00008000\r\n";
  struct Row {
    std::vector<std::string> arguments;
    std::vector<std::string> written;
    int locks;
  } rows[] = {
      {{"set", "size=128"}, {"SizeIn4kPages"}, 1},
      {{"import", "size.reg"}, {"SizeIn4kPages"}, 1},
      {{"set", "save-image=off"}, {"AutoSaveEnabled"}, 1},  // AutoSave goes with it
      {{"show"}, {}, 0},
      {{"test", "size=64"}, {}, 1},
  };
  for (const Row& row : rows) {
    PutTypicalValues();
    registry.PutText("UserDriveLetter", "r");
    registry.PutDword("SaveImageOnExit", 0);  // with AutoSave on: the window's load ticks image saving
    registry.calls.clear();
    lock.taken = 0;
    cfg::CommandResult result = Run(row.arguments);
    std::string what = Joined(row.arguments);
    EXPECT_EQ(Written(), row.written) << what << "\n" << result.out << result.err;
    EXPECT_EQ(std::ranges::count(registry.calls, "open"), 1) << what;
    for (const Setting& value : kSettings)
      EXPECT_EQ(std::ranges::count(registry.calls, std::string("query ") + std::string(value.value_name)), 1) << what << " " << value.value_name;
    EXPECT_EQ(lock.taken, row.locks) << what;
    if (row.arguments[0] == "set" || row.arguments[0] == "import") {
      EXPECT_NE(result.out.find("letter: left as it is (\"r\"): the window shows \"R\"; set letter to store that"),
                std::string::npos) << what << "\n" << result.out;
      EXPECT_EQ(result.out.find("UserDriveLetter"), std::string::npos) << what << "said once:\n" << result.out;
    }
  }
}

TEST_F(KorvexcfgTest, TestSaysWhetherTheKeyHoldsTheStateAfterTheRulesAndWritesNothing) {
  registry.PutDword("AutoSaveEnabled", 0);
  EXPECT_EQ(Run({"test", "size=64", "letter=Z"}).out, "compliant\n");
  cfg::CommandResult differs = Run({"test", "autosave=on", "size=64"});
  EXPECT_EQ(differs.exit_code, cfg::kDiffers);
  // A state no set can reach is not drift: its own code.
  for (std::string refused : {"interval=5", "size=lots", "size=3000"})  // interval=5 with AutoSave off
    EXPECT_EQ(Run({"test", refused}).exit_code, cfg::kRulesRefuse) << refused;
  EXPECT_EQ(differs.out, "autosave: off -> on\ndiffers: AutoSaveEnabled\n");
  EXPECT_TRUE(registry.writes.empty());
  ASSERT_EQ(Run({"export", "all.reg"}).exit_code, cfg::kDone);
  EXPECT_EQ(Run({"test", "--file", "all.reg"}).exit_code, cfg::kDone);
  registry.PutDword("SizeIn4kPages", 4096);
  EXPECT_EQ(Run({"test", "--file", "all.reg"}).out, "size: 16 MB (4096 pages) -> 64 MB (16384 pages)\ndiffers: SizeIn4kPages\n");
  EXPECT_EQ(Run({"test"}).exit_code, cfg::kUsage);
}

TEST_F(KorvexcfgTest, ADesiredStateAsJsonIsTheSameRequestAndHostileInputIsRefused) {
  // The same change by NAME=VALUE, by --input and from the standard input.
  files.files["-"] = R"({"autoSaveSeconds":60,"driveLetter":"q","sizeMB":128})";
  for (std::vector<std::string> arguments :
       {std::vector<std::string>{"set", "size=128", "letter=q", "interval=60"},
        {"set", "--input", R"({"sizeMB":128, "driveLetter":"q", "autoSaveSeconds":60})"}, {"set", "--input", "-"}}) {
    cfg::CommandResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, cfg::kDone) << result.err;
    EXPECT_EQ(Written(), (std::vector<std::string>{"SizeIn4kPages", "AutoSaveTrigger", "UserDriveLetter"})) << arguments[1];
    PutTypicalValues();
  }
  EXPECT_EQ(Run({"set", "--input", R"({"autoSave":true,"saveImage":false})"}).exit_code, cfg::kRulesRefuse);
  EXPECT_EQ(Run({"set", "--input", "{}", "size=5"}).exit_code, cfg::kUsage);

  std::string deep(100000, '[');
  struct Case {
    std::string json, reason;
  } cases[] = {
      {"", "no JSON: The document is empty"},
      {"[1]", "must be one JSON object, not an array"},
      {"\"sizeMB\"", "must be one JSON object, not a string"},
      {deep, "must be one JSON object, not an array"},
      {R"({"sizeMB":)" + deep, "sizeMB cannot be an array"},
      {R"({"diskType":{"a":1}})", "diskType cannot be an object"},
      {R"({"sizeMB":64,"sizeMB":64})", "sizeMB is given twice"},
      {R"({"sizeMB":123456789012345678901234567890})", "sizeMB is too large a number"},
      {R"({"sizeMB":1e400})", "Number too big"},
      {R"({"sizeMB":64.5})", "sizeMB needs a whole number"},
      {R"({"sizeMB":"64"})", "sizeMB cannot be a string; it takes a whole number"},
      {R"({"fat32":"on"})", "fat32 cannot be a string; it takes true or false"},
      {R"({"driveLetter":null})", "driveLetter cannot be null"},
      {R"({"driveLetter":true})", "driveLetter cannot be true; it takes a string"},
      {R"({"colour":"red"})", "unknown property \"colour\""},
      {R"({"size":64})", "unknown property \"size\""},
      {"{\"driveLetter\":\"\xff\"}", "no valid UTF-8"},
      {R"({"driveLetter":"\udc00"})", "driveLetter is no valid UTF-8"},
      {R"({"loadImageFile":"C:\u0001.img"})", "loadImageFile holds a control character"},
      {std::string("{}\0{}", 5), "no valid UTF-8"},
      {"{} {}", "must not be followed by other values"},
      {R"({"sizeMB":64,})", "no JSON: Missing a name"},
      {"{\"loadImageFile\":\"" + std::string(1 << 20, 'a') + "\"}", "larger than 1 MB"},
  };
  for (const Case& c : cases) {
    for (const char* verb : {"set", "test"}) {
      cfg::CommandResult result = Run({verb, "--input", c.json});
      EXPECT_EQ(result.exit_code, cfg::kUsage) << c.json.substr(0, 60);
      EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
    }
  }
  EXPECT_TRUE(registry.writes.empty());
}

TEST_F(KorvexcfgTest, ACompleteSetStoresEverySettingSoThatTheKeyValidates) {
  struct Case {
    bool empty_key;
    std::vector<std::string> set;
    int exit_code;
    std::string refusal;
  } cases[] = {
      {true, {"type=hard-disk", "size=512", "letter=R", "autosave=on", "interval=300", "save-file=C:\\ramdisk.img"}, 0, ""},
      {true, {"size=64", "interval=60"}, 0, ""},  // interval as the window keeps it with AutoSave off
      {true, {}, cfg::kRulesRefuse, "size: the key holds none, and the window has nothing to store for it; "
                                    "--complete needs it named (size accepts megabytes"},
      {true, {"size=64", "interval=60", "load-image=on"}, cfg::kRulesRefuse,
       "load-file: the key holds none, and the window has nothing to store for it with load-image=on"},
      {false, {}, 0, ""},
      {false, {"letter=q"}, 0, ""},
  };
  for (const Case& c : cases) {
    if (c.empty_key) registry.values.clear();
    std::vector<std::string> arguments{"set", "--complete"};
    arguments.insert(arguments.end(), c.set.begin(), c.set.end());
    cfg::CommandResult result = Run(arguments);
    std::string name = c.set.empty() ? "(none)" : c.set[0];
    EXPECT_EQ(result.exit_code, c.exit_code) << name << "\n" << result.out << result.err;
    EXPECT_NE(result.err.find(c.refusal), std::string::npos) << result.err;
    if (c.exit_code == cfg::kDone) {
      cfg::CommandResult validate = Run({"validate"});
      EXPECT_EQ(validate.out, "valid\n") << name;
    } else {
      EXPECT_TRUE(registry.writes.empty());
    }
    PutTypicalValues();
  }
  EXPECT_EQ(Run({"test", "--complete", "letter=Z"}).out, "compliant\n");
}

TEST_F(KorvexcfgTest, ExportAndImportRestoreEveryValue) {
  ASSERT_EQ(Run({"export", "all.reg"}).exit_code, cfg::kDone);
  auto before = registry.values;
  registry.PutDword("SizeIn4kPages", 32768);
  registry.PutText("SaveImageFile", "\\??\\D:\\other.img");
  registry.PutDword("AutoSaveEnabled", 0);
  registry.PutDword("AutoSaveTrigger", 60);
  registry.PutText("DiskType", "FDC28");
  cfg::CommandResult result = Run({"import", "all.reg"});
  EXPECT_EQ(result.exit_code, cfg::kDone) << result.err;
  for (auto& [name, value] : before) EXPECT_EQ(registry.Bytes(name), value.bytes) << name;

  std::string key = "[" + kKey + "]\r\n";
  for (std::string line : {"\"SizeIn4kPage\"=dword:00004000", "\"DiskTyp\"=\"HDC\"", "\"autosaveEnabIed\"=dword:0", "\"SizeIn4kPages\"=hex(b):00,40,00,00,00,00,00,00",
                           "\"LoadImageFile\"=\"C:\\\\x.img\"", "\"LoadImageOnStart\"=dword:00000002",
                           "\"SizeIn4kPages\"=dword:00004080", "\"DiskType\"=\"hdc\""}) {
    files.files["bad.reg"] = "REGEDIT4\r\n" + key + line + "\r\n";
    EXPECT_EQ(Run({"import", "bad.reg"}).exit_code, cfg::kRulesRefuse) << line;
    EXPECT_TRUE(registry.writes.empty());
  }
  EXPECT_EQ(Run({"import", "bad.reg", "--adjust"}).exit_code, cfg::kRulesRefuse);  // hdc is no correction
  files.files["bad.reg"] = "REGEDIT4\r\n" + key + "\"UserDriveLeter\"=\"R\"\r\n";
  EXPECT_NE(Run({"import", "bad.reg"}).err.find("\"UserDriveLeter\" is no value of the driver's; is it UserDriveLetter "
                                                "(letter) misspelled?"), std::string::npos);
  // As regedit exports the key: its default value and another program's value are left as they are and
  // said so; names match in any case, as the registry's do.
  files.files["regedit.reg"] = "REGEDIT4\r\n" + key + "@=\"\"\r\n\"Colour\"=\"red\"\r\n\"sizein4kpages\"=dword:00001000\r\n";
  cfg::CommandResult mixed = Run({"import", "regedit.reg"});
  EXPECT_EQ(mixed.exit_code, cfg::kDone) << mixed.err;
  EXPECT_EQ(Written(), std::vector<std::string>{"SizeIn4kPages"});
  EXPECT_EQ(mixed.out.find("the key's default value (@): left as it is, not one of the driver's settings\n"
                           "\"Colour\": left as it is, not one of the driver's settings\n"), 0u) << mixed.out;
  files.files["bad.reg"] = "REGEDIT4\r\n" + key + "\"SizeIn4kPages\"=dword:00004080\r\n";
  EXPECT_EQ(Run({"import", "bad.reg", "--adjust"}).exit_code, cfg::kDone);
  EXPECT_EQ(registry.Bytes("SizeIn4kPages"), DwordBytes(16384));
  EXPECT_EQ(Run({"import", "missing.reg"}).exit_code, cfg::kFileFailed);
}

TEST_F(KorvexcfgTest, ShowAndValidateNoteEachAnomaly) {
  EXPECT_EQ(Run({"validate"}).out, "valid\n");
  registry.PutDword("AutoSaveEnabled", 1);
  registry.PutDword("SaveImageOnExit", 0);  // as reg add leaves it
  cfg::CommandResult corrected = Run({"validate"});
  EXPECT_EQ(corrected.exit_code, cfg::kDiffers);
  EXPECT_NE(corrected.out.find("save-image (SaveImageOnExit): the window changes it to on"), std::string::npos)
      << corrected.out;
  EXPECT_NE(Run({"show"}).out.find("size       64                  SizeIn4kPages    REG_DWORD 00 40 00 00\n"),
            std::string::npos)
      << Run({"show"}).out;
  registry.values.erase("LoadImageOnStart");
  registry.PutText("LoadImageFile", "C:\\load.img");
  registry.PutRaw("SaveImageOnExit", 11, std::string(8, '\0'));
  registry.PutText("SaveImageFile", std::string(140, 'x'));
  registry.PutDword("SizeIn4kPages", 16385);
  registry.PutDword("DiskFormatFAT32", 2);
  registry.PutRaw("AutoSaveEnabled", 4, "\x01");
  registry.PutRaw("AutoSaveTrigger", 1, std::string("30\0", 3));
  registry.PutText("UserDriveLetter", "TT");
  registry.PutRaw("DiskType", 1, std::string("H\0DC\0", 5));
  cfg::CommandResult result = Run({"validate"});
  EXPECT_EQ(result.exit_code, cfg::kDiffers);
  for (std::string note : {"load-image (LoadImageOnStart): absent", "load-file (LoadImageFile): a path without",
                           "save-image (SaveImageOnExit): stored as REG_QWORD; the window writes REG_DWORD",
                           "save-image (SaveImageOnExit): 8 bytes: the window cannot read it",
                           "save-file (SaveImageFile): longer than the 131", "not whole megabytes",
                           "fat32 (DiskFormatFAT32): 2: the window reads it as off",
                           "autosave (AutoSaveEnabled): 1 bytes: the window reads the number 1",
                           "interval (AutoSaveTrigger): stored as REG_SZ", "letter (UserDriveLetter): not one letter",
                           "type (DiskType): NUL bytes out of place: the window reads \"HDC\""})
    EXPECT_NE(result.out.find(note), std::string::npos) << note << "\n" << result.out;
  std::string json = Run({"show", "--json"}).out;
  EXPECT_NE(json.find("{\"name\": \"DiskType\", \"setting\": \"type\", \"present\": true, \"type\": \"REG_SZ\", "
                      "\"bytes\": \"48 00 44 43 00\", \"value\": \"hard-disk\", \"faithful\": false}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"code\": \"misplaced-nul\", \"message\": \"NUL bytes out of place"), std::string::npos) << json;

  // A path that names no file while its image is loaded: validate, status and set --complete agree.
  for (std::string code : {"relative-path", "empty-path", "doubled-prefix"}) {
    PutTypicalValues();
    registry.PutDword("LoadImageOnStart", 1);
    registry.PutText("LoadImageFile", code == "relative-path" ? "\\??\\load.img"
                                      : code == "empty-path"  ? "\\??\\"
                                                              : "\\??\\\\??\\C:\\load.img");
    EXPECT_NE(Run({"validate", "--json"}).out.find("\"code\": \"" + code + "\""), std::string::npos) << code;
    if (code == "doubled-prefix") {
      EXPECT_NE(Run({"validate"}).out.find("load-file (LoadImageFile): the \\??\\ prefix twice"), std::string::npos);
    }
    EXPECT_NE(Run({"status", "--json"}).out.find("\"code\": \"image-path-" + code + "\""), std::string::npos) << code;
    // The window shows a doubled prefix's path with one, which is what --complete stores.
    EXPECT_EQ(Run({"set", "--complete"}).exit_code, code == "doubled-prefix" ? cfg::kDone : cfg::kRulesRefuse) << code;
  }
  EXPECT_EQ(registry.Bytes("LoadImageFile"), std::string("\\??\\C:\\load.img\0", 16));
}

TEST_F(KorvexcfgTest, DismountFollowsTheButtonAndItsLetterGuard) {
  EXPECT_EQ(Run({"dismount", "q:"}).exit_code, cfg::kDone);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open \\\\.\\Q:", "lock", "dismount", "unlock", "close"}));
  windows.calls.clear();
  for (std::string drive : {"QQ", "1:", "", "Q:\\"}) EXPECT_EQ(Run({"dismount", drive}).exit_code, cfg::kUsage);
  volume.open_fails = true;
  EXPECT_EQ(Run({"dismount", "Q"}).exit_code, cfg::kWriteFailed);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"open \\\\.\\Q:"}));
}

TEST_F(KorvexcfgTest, StatusTellsWhetherTheRunningDriverMatchesItsSettingsAndWarns) {
  constexpr std::uint64_t MB = 1 << 20;
  using System = FakeSystemState;
  auto running = [](System& s) { s.service = {true, cfg::StartType::System, cfg::ServiceState::Running}; };
  // Typical values: a 64 MB hard disk on Z with FAT32, the image saved to C:\save.img.
  auto as_configured = [&](System& s) {
    running(s);
    s.volumes['Z'] = {true, 64 * MB - 300 * 1024, "FAT32"};
  };
  struct Case {
    const char* name;
    std::function<void(System&)> setup;
    std::optional<bool> restart;
    std::vector<std::string> warnings;
    std::string line;  // in the report
  } cases[] = {
      {"not installed", [](System&) {}, false, {}, "service:   korvex, not installed\n"},
      {"as configured", as_configured, false, {}, "volume:    Z: present, 64 MB, FAT32\nsettings:  in effect\n"},
      {"no volume", running, true, {}, "settings:  the drive letter Z has no volume: restart required"},
      {"smaller than the overhead allows",
       [&](System& s) { as_configured(s); s.volumes['Z'].size_bytes = 57 * MB; }, true, {}, "the volume has 57 MB"},
      {"file-system overhead", [&](System& s) { as_configured(s); s.volumes['Z'].size_bytes = 58 * MB; }, false, {}, ""},
      {"larger", [&](System& s) { as_configured(s); s.volumes['Z'].size_bytes = 65 * MB; }, true, {}, ""},
      {"not FAT32", [&](System& s) { as_configured(s); s.volumes['Z'].file_system = "FAT"; }, true, {},
       "the volume is FAT, the disk is set to FAT32: restart required"},
      {"written after the start", [&](System& s) { as_configured(s); registry.written = 300; }, true, {},
       "settings:  written after the driver started: restart required\n"},
      {"a wrapped tick count cannot tell", [&](System& s) { as_configured(s); s.started->may_be_earlier = true; },
       std::nullopt, {}, "settings:  whether a restart is required cannot be told\n"},
      {"no key time", [&](System& s) { as_configured(s); registry.written.reset(); }, std::nullopt, {}, ""},
      {"the service manager cannot be asked",
       [](System& s) {
         s.service = {};
         s.volumes['Z'] = {true, 20 * MB, "NTFS"};  // perhaps the driver's: no letter-in-use
       },
       std::nullopt, {},
       "korvex, the service manager cannot be asked"},
      {"stopped, another volume at Z",
       [](System& s) {
         s.service = {true, cfg::StartType::Manual, cfg::ServiceState::Stopped};
         s.volumes['Z'] = {true, 20 * MB, "NTFS"};
       },
       false, {"letter-in-use"}, "installed, start: manual, stopped\n"},
      // Starting or stopping, its volume may come or go: the one at Z may be its own.
      {"start pending",
       [&](System& s) { as_configured(s); s.service.state = cfg::ServiceState::StartPending; registry.written = 300; },
       std::nullopt, {},
       "start: system, start pending\nvolume:    Z: present, 64 MB, FAT32\nsettings:  the driver is starting or "
       "stopping: whether a restart is required cannot be told\n"},
      {"stop pending", [&](System& s) { running(s); s.service.state = cfg::ServiceState::StopPending; },
       std::nullopt, {}, "start: system, stop pending\n"},
      // Paused, it keeps its volume.
      {"paused", [&](System& s) { as_configured(s); s.service.state = cfg::ServiceState::Paused; registry.written = 300; },
       true, {}, "start: system, paused\n"},
      {"an unknown state", [&](System& s) { running(s); s.service.state = static_cast<cfg::ServiceState>(9); },
       std::nullopt, {}, "start: system, state 9\n"},
      {"more than the memory", [](System& s) { s.memory = 32 * MB; }, false, {"size-exceeds-memory"},
       "warning:   size-exceeds-memory: the disk (64 MB) is larger than the physical memory (32 MB)\n"},
      {"save image folder missing", [](System& s) { s.missing_folders.insert("C:\\"); }, false,
       {"image-folder-missing"}, "the folder C:\\ of save-file does not exist"},
      {"save image drive too small", [](System& s) { s.free = 10 * MB; }, false, {"image-drive-too-small"},
       "the drive of C:\\ has 10 MB free, less than the disk's 64 MB"},
  };
  for (const Case& c : cases) {
    system = FakeSystemState();
    registry.written = 100;
    c.setup(system);
    cfg::StatusReport report;
    {
      ParametersKey key(registry);
      ASSERT_EQ(key.OpenStatus(), 0);
      report = cfg::GatherStatus(environment, key.Values(), key.LastWritten());
    }
    EXPECT_EQ(report.restart_required, c.restart) << c.name;
    std::vector<std::string> codes;
    for (const cfg::Problem& warning : report.warnings) codes.push_back(warning.code);
    EXPECT_EQ(codes, c.warnings) << c.name;
    cfg::CommandResult status = Run({"status"});
    EXPECT_EQ(status.exit_code, cfg::kDone) << c.name;
    EXPECT_NE(status.out.find(c.line), std::string::npos) << c.name << "\n" << status.out;
    // validate warns alike, and only its notes decide its exit code.
    cfg::CommandResult validate = Run({"validate"});
    EXPECT_EQ(validate.exit_code, cfg::kDone) << c.name;
    EXPECT_EQ(validate.out, "valid\n" + cfg::WarningLines(report.warnings)) << c.name;
  }
  EXPECT_EQ(system.free_asked.back(), "C:\\");

  // The image files' own rules: only when their box is ticked; one on the
  // RAM disk is only that; a floppy's size is its kind's.
  system = FakeSystemState();
  system.memory = 2 * MB;
  registry.PutText("LoadImageFile", "\\??\\Z:\\gone\\load.img");
  system.missing_folders.insert("Z:\\gone\\");
  EXPECT_TRUE(Run({"status"}).out.ends_with("warning:   size-exceeds-memory: the disk (64 MB) is larger than the "
                                            "physical memory (2048 KB)\n"));
  registry.PutDword("LoadImageOnStart", 1);
  registry.PutText("DiskType", "FDC14");
  cfg::CommandResult floppy = Run({"validate"});
  EXPECT_EQ(floppy.out, "valid\nwarning: image-on-ram-disk: load-file Z:\\gone\\load.img lies on the RAM disk's own "
                        "drive Z:\n") << floppy.out;

  registry.key_exists = false;
  cfg::CommandResult missing = Run({"status"});
  EXPECT_EQ(missing.exit_code, cfg::kKeyUnavailable);
  EXPECT_EQ(missing.out, "service:   korvex, not installed\n");
}

// One judgement of a state, over random keys of odd and valid values alike:
// the instance `dsc get` gives is always one `dsc test` accepts (never a
// usage error or a refusal), and where `validate` calls the key valid,
// `dsc set` of that instance writes nothing.
TEST_F(KorvexcfgTest, ValidKeysGiveInstancesThatSetBackUnchanged) {
  using Put = std::function<void(FakeRegistry&, const std::string&)>;
  auto text = [](std::string bytes) -> Put { return [bytes](FakeRegistry& r, const std::string& n) { r.PutText(n, bytes); }; };
  auto dword = [](std::int32_t number) -> Put { return [number](FakeRegistry& r, const std::string& n) { r.PutDword(n, number); }; };
  Put absent = [](FakeRegistry& r, const std::string& n) { r.values.erase(n); };
  std::vector<Put> on_off{absent, dword(0), dword(1), dword(2), text("1")};
  std::vector<Put> path{absent, text("\\??\\C:\\a.img"), text("\\??\\"), text("\\??\\\\??\\C:\\a.img"), text("C:\\a.img"),
                        text("\\??\\a.img"), dword(1)};
  const std::map<std::string, std::vector<Put>> pools{
      {"DiskType", {absent, text("HDC"), text("FDC14"), text("FDC28"), text(""), text("XYZ"), dword(1)}},
      {"LoadImageOnStart", on_off}, {"SaveImageOnExit", on_off}, {"AutoSaveEnabled", on_off}, {"DiskFormatFAT32", on_off},
      {"LoadImageFile", path}, {"SaveImageFile", path},
      {"SizeIn4kPages", {absent, dword(16384), dword(1000), dword(0), dword(1048576), dword(1280), dword(524288),
                         dword(8192), dword(5120), text("64")}},
      {"AutoSaveTrigger", {absent, dword(300), dword(5), dword(20), dword(32767), dword(32768), dword(100000), dword(-1)}},
      {"UserDriveLetter", {absent, text("R"), text("r"), text("1"), text(""), text("TT")}},
  };
  std::mt19937 random(31);  // seeded: a failure is repeated by running again
  int valid_keys = 0;
  for (int round = 0; round < 300; ++round) {
    std::string key;
    for (const auto& [name, pool] : pools) {
      // Mostly the typical value (second in each pool), so that some keys are valid.
      std::size_t pick = random() % 4 ? 1 : random() % pool.size();
      pool[pick](registry, name);
      key += name + "#" + std::to_string(pick) + " ";
    }
    cfg::CommandResult got = Run({"dsc", "get"});
    ASSERT_EQ(got.exit_code, cfg::kDone) << key << got.err;
    std::string instance = got.out.substr(0, got.out.find('\n'));
    cfg::CommandResult test = Run({"dsc", "test", "--input", instance});
    EXPECT_EQ(test.exit_code, cfg::kDone) << key << instance << "\n" << test.err;
    if (Run({"validate"}).exit_code != cfg::kDone) continue;
    ++valid_keys;
    EXPECT_NE(test.out.find("\"_inDesiredState\":true"), std::string::npos) << key << test.out;
    cfg::CommandResult set = Run({"dsc", "set", "--input", instance});
    EXPECT_EQ(set.exit_code, cfg::kDone) << key << instance << "\n" << set.err;
    EXPECT_TRUE(registry.writes.empty()) << key << instance;
  }
  EXPECT_GT(valid_keys, 3);  // the property was put to the test
}

}  // namespace
}  // namespace korvex::testing
