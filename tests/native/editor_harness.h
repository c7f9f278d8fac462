// An Editor with recording fakes around it, and an event log in the style of
// a message-sequence test: every raised event is recorded with the state it
// saw, and whole sequences are compared at once.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "editor.h"
#include "fake_registry.h"
#include "windows1252_characters.h"

namespace korvex::testing {

class FakeWindowSystem : public WindowSystem {
 public:
  std::vector<std::string> calls;
  std::string message_text;
  bool ended = false;
  bool creation_fails = false;
  bool CreateMessageWindow(Window w) override {
    calls.push_back("create " + Name(w));
    return !creation_fails;
  }
  void SetMessageText(Window, std::string_view text) override { message_text = text; }
  void MakeTopMost(Window w) override { calls.push_back("topmost " + Name(w)); }
  void ShowAndPaint(Window w) override { calls.push_back("show " + Name(w)); }
  void DestroyWindow(Window w) override { calls.push_back("destroy " + Name(w)); }
  void EndProgram() override { ended = true; }
  static std::string Name(Window w) {
    static const char* names[] = {"Editor", "ReadRegFail", "SaveRegFail", "Dismount_FAIL", "Dismount_OK",
                                  "SettingRefused"};
    return names[static_cast<int>(w)];
  }
};

class FakeShell : public Shell {
 public:
  std::vector<std::vector<std::string>> calls;
  void Execute(std::string_view verb, std::string_view file, std::string_view parameters,
               std::string_view directory, int show) override {
    calls.push_back({std::string(verb), std::string(file), std::string(parameters), std::string(directory),
                     std::to_string(show)});
  }
};

class FakeVolume : public Volume {
 public:
  std::vector<std::string>* log = nullptr;  // shared with the window system's calls
  bool open_fails = false;
  std::uint32_t failing_request = 0;
  std::optional<VolumeHandle> Open(std::string_view path) override {
    log->push_back("open " + std::string(path));
    if (open_fails) return std::nullopt;
    return VolumeHandle{42};
  }
  bool Control(VolumeHandle, std::uint32_t code) override {
    static const std::map<std::uint32_t, std::string> names{
        {kLockVolume, "lock"}, {kDismountVolume, "dismount"}, {kUnlockVolume, "unlock"}};
    log->push_back(names.at(code));
    return code != failing_request;
  }
  void Close(VolumeHandle) override { log->push_back("close"); }
};

// The writers' lock: free unless another writer is said to hold it.
class FakeKeyLock : public KeyLock {
 public:
  bool held_elsewhere = false;
  int depth = 0, taken = 0;
  bool Acquire() override {
    if (held_elsewhere) return false;
    ++depth, ++taken;
    return true;
  }
  void Release() override { --depth; }
};

// A code page where one character is double-byte, as in East Asian systems.
class DoubleByteCharacters : public Windows1252Characters {
 public:
  static constexpr const char* kDoubleByte = "\xE4\xB8\x80";  // U+4E00
  std::int16_t FirstCharacterCode(std::string_view text) const override {
    if (text.substr(0, 3) == kDoubleByte) return static_cast<std::int16_t>(0xD2BB - 0x10000);
    return Windows1252Characters::FirstCharacterCode(text);
  }
  std::optional<std::string> ToAnsi(std::string_view text) const override {
    std::string bytes;
    for (std::size_t at; (at = text.find(kDoubleByte)) != std::string_view::npos; text.remove_prefix(at + 3)) {
      auto before = Windows1252Characters::ToAnsi(text.substr(0, at));
      if (!before) return std::nullopt;
      bytes += *before + "\xD2\xBB";
    }
    auto rest = Windows1252Characters::ToAnsi(text);
    if (!rest) return std::nullopt;
    return bytes + *rest;
  }
};

class EditorTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  Windows1252Characters cp1252;
  const AnsiCharacters* characters = &cp1252;
  FakeWindowSystem windows;
  Session session{windows};
  FakeShell shell;
  FakeVolume volume;
  FakeKeyLock lock;
  std::unique_ptr<Editor> editor;
  std::vector<std::string> events;

  EditorTest() { volume.log = &windows.calls; }

  // The typical installation with AutoSave on.
  void PutTypicalValues() { PutTypicalKey(registry, 1); }

  Editor& Create() {
    editor = std::make_unique<Editor>(
        EditorServices{registry, *characters, session, shell, volume, {0, 2, 13}, &lock, true, true});
    session.EditorCreated();
    RecordEvents();
    return *editor;
  }
  Editor& Load() {
    Create();
    editor->Form_Load();
    events.clear();
    return *editor;
  }

  // The user's actions.
  void Type(forms::TextBox& box, std::string_view text) {
    box.SetText("");
    std::string typed;
    for (char c : text) box.SetText(typed += c);
  }
  void Focus(forms::Control& control) { editor->focus.FocusEnters(control); }
  void TypeAndLeave(forms::TextBox& box, std::string_view text) {
    Focus(box);
    Type(box, text);
    Focus(editor->Command3);
  }
  void Click(forms::CommandButton& button) { editor->focus.Click(button); }

  void RecordEvents() {
    Editor& e = *editor;
    auto wrap = [this](forms::Event& event, std::string name, auto state) {
      forms::Event original = event;
      event = [this, original, name, state] {
        // Nested events are indented by their depth.
        events.push_back(std::string(2 * depth_, ' ') + name + " " + state());
        ++depth_;
        if (original) original();
        --depth_;
      };
    };
    auto text_of = [](forms::TextBox& box) { return [&box] { return "'" + box.Text() + "'"; }; };
    auto value_of = [](auto& control) { return [&control] { return std::to_string(control.Value()); }; };
    wrap(e.Combo1.Click, "Combo1_Click", [&e] { return std::to_string(e.Combo1.ListIndex()); });
    wrap(e.Combo1.Change, "Combo1_Change", [&e] { return "'" + e.Combo1.Text() + "'"; });
    wrap(e.Text3.Change, "Text3_Change", text_of(e.Text3));
    wrap(e.Text3.LostFocus, "Text3_LostFocus", text_of(e.Text3));
    wrap(e.DriveLetterText.Change, "DriveLetterText_Change", text_of(e.DriveLetterText));
    wrap(e.AutoSaveTime.LostFocus, "AutoSaveTime_LostFocus", text_of(e.AutoSaveTime));
    wrap(e.VScroll1.Change, "VScroll1_Change", value_of(e.VScroll1));
    wrap(e.VScroll2.Change, "VScroll2_Change", value_of(e.VScroll2));
    wrap(e.VScroll3.Change, "VScroll3_Change", value_of(e.VScroll3));
    wrap(e.SaveCheckBox.Click, "SaveCheckBox_Click", value_of(e.SaveCheckBox));
    wrap(e.SaveImage.Click, "SaveImage_Click", value_of(e.SaveImage));
    wrap(e.LoadImage.Click, "LoadImage_Click", value_of(e.LoadImage));
    wrap(e.Fat32Enable.Click, "Fat32Enable_Click", value_of(e.Fat32Enable));
  }

  // Compares whole sequences and prints both on a mismatch.
  void ExpectEvents(const std::vector<std::string>& expected) {
    if (events == expected) return;
    std::string report = "expected:\n";
    for (auto& e : expected) report += "  " + e + "\n";
    report += "recorded:\n";
    for (auto& e : events) report += "  " + e + "\n";
    ADD_FAILURE() << report;
  }

  int depth_ = 0;

  // Every control's state in one map, for comparing whole windows.
  std::map<std::string, std::string> Snapshot() const { return SnapshotOf(*editor); }
  static std::map<std::string, std::string> SnapshotOf(const Editor& model) {
    Editor& e = const_cast<Editor&>(model);  // only read
    std::map<std::string, std::string> s;
    for (forms::TextBox* box : {&e.Text1, &e.Text2, &e.Text3, &e.DriveLetterText, &e.AutoSaveTime}) {
      s[box->Name() + ".text"] = box->Text();
      s[box->Name() + ".enabled"] = std::to_string(box->Enabled());
    }
    for (forms::CheckBox* box : {&e.LoadImage, &e.SaveImage, &e.SaveCheckBox, &e.Fat32Enable}) {
      s[box->Name() + ".value"] = std::to_string(box->Value());
      s[box->Name() + ".enabled"] = std::to_string(box->Enabled());
    }
    for (forms::ScrollBar* bar : {&e.VScroll1, &e.VScroll2, &e.VScroll3}) s[bar->Name()] = std::to_string(bar->Value());
    s["Combo1.index"] = std::to_string(e.Combo1.ListIndex());
    s["Combo1.text"] = e.Combo1.Text();
    s["Label6.enabled"] = std::to_string(e.Label6.Enabled());
    s["Label12.enabled"] = std::to_string(e.Label12.Enabled());
    s["LastVScroll"] = std::to_string(e.LastVScroll1()) + "," + std::to_string(e.LastVScroll2()) + "," +
                       std::to_string(e.LastVScroll3());
    return s;
  }
};

}  // namespace korvex::testing
