// The Editor window's model: its controls, the three steppers, the load step
// and every rule and command of the window. It knows nothing of Win32.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ansi_characters.h"
#include "forms.h"
#include "parameter_store.h"
#include "platform.h"
#include "save_report.h"
#include "session.h"
#include "setting_limits.h"
#include "stepper.h"
#include "stored_form.h"

namespace korvex {

inline constexpr std::string_view kProductPageAddress = "http://www.korvane.example/";

struct ProgramVersion {
  int major = 0, minor = 0, revision = 0;
};

enum class DismountOutcome { Dismounted, NoDrive, OpenFailed, LockFailed, DismountFailed, UnlockFailed };

struct EditorServices {
  Registry& registry;
  const AnsiCharacters& characters;
  Session& session;
  Shell& shell;
  Volume& volume;
  ProgramVersion version;
  KeyLock* lock;  // held while a save writes; none where nothing else writes
  // A save also stores what the rules correct in values the user did not set
  // (the window, which showed the corrections); otherwise it only reports them.
  bool stores_corrections = true;
  // The rules' corrections are kept for whoever drives the Editor (a script
  // that reports them); a window open for days keeps none.
  bool records_corrections = false;
};

// Why a rule changed a setting's control.
enum class CorrectionReason {
  AtMost,          // held to the setting's highest value
  AtLeast,         // held to its lowest
  Whole,           // a typed fraction dropped (the size) or rounded when saved (the interval)
  LetterRange,     // a character outside the letters
  TypedDiskType,   // text typed into the list: a hard disk
  AutoSaveSaves,   // AutoSave turned image saving on
  NoImageSaving,   // image saving off turned AutoSave off
};

// A change a rule made to a setting's control because of a limit or of
// another setting: from and to as the control held them (its text, or its
// list index or check value as a number); for a rounded interval, `to` is
// what the save stores.
struct Correction {
  std::size_t value;  // place in kSettings
  std::string from, to;
  CorrectionReason reason;
};

// The reason in words: "at most 2048 MB", "no AutoSave without image saving".
std::string ReasonText(const Correction& correction);

class Editor {
 public:
  explicit Editor(EditorServices services);

  // Command buttons
  forms::CommandButton Command1{"Command1", "OK"};
  forms::CommandButton Command4{"Command4", "Save"};
  forms::CommandButton Command2{"Command2", "Exit"};
  forms::CommandButton Command3{"Command3", "Dismount Volume"};
  // Check boxes
  forms::CheckBox LoadImage{"LoadImage", "Load Disk Image on Startup"};
  forms::CheckBox SaveImage{"SaveImage", "Save Disk Image"};
  forms::CheckBox SaveCheckBox{"SaveCheckBox", "Enable AutoSave"};
  forms::CheckBox Fat32Enable{"Fat32Enable", " FAT32 Format ( Win2000 only)"};
  // Text boxes
  forms::TextBox Text1{"Text1", "Text1"};
  forms::TextBox Text2{"Text2", "Text2"};
  forms::TextBox Text3{"Text3", "Text3"};
  forms::TextBox DriveLetterText{"DriveLetterText", "Text4", 1};
  forms::TextBox AutoSaveTime{"AutoSaveTime", "Text5"};
  forms::ComboBox Combo1{"Combo1", "Combo1"};
  // Steppers
  forms::Stepper VScroll1{"VScroll1", kLargestSize};  // at the largest size minus the size
  forms::Stepper VScroll2{"VScroll2"};
  forms::Stepper VScroll3{"VScroll3"};
  // Labels
  forms::Label Label4{"Label4", "Korvane"};
  forms::Label Label5{"Label5", "Configuration Utility - Version 0"};
  forms::Label Label8{"Label8", kProductPageAddress};
  forms::Label Label3{"Label3", "Disk Type:"};
  forms::Label Label13{"Label13", "Drive Letter:"};
  forms::Label Label10{"Label10", "Hard Disk Only:"};
  forms::Label Label6{"Label6", "Disk Size"};
  forms::Label Label12{"Label12", "MB"};
  forms::Label Label11{"Label11", "seconds"};
  forms::Label Label2{"Label2", "Filename:"};
  forms::Label Label9{"Label9", "(AutoSave or Shutdown)"};
  forms::Label Label1{"Label1", " Filename:"};
  forms::Label Label7{"Label7", "Configuration changes will take effect the next time the driver is started. "};

  // The stepper bars' values as last applied or accepted.
  std::int16_t LastVScroll1() const { return VScroll1.Last(); }
  std::int16_t LastVScroll2() const { return VScroll2.Last(); }
  std::int16_t LastVScroll3() const { return VScroll3.Last(); }

  forms::FocusTracker focus;

  void Form_Load();
  // The same from a key the caller opened (and may go on to save into).
  void Form_Load(ParametersKey& key);

  // Disk type and size
  void Combo1_Click();
  void Combo1_Change();
  void Text3_Change();
  void Text3_LostFocus();
  void VScroll1_Change();
  // Drive letter
  void DriveLetterText_Change();
  void VScroll2_Change();
  // AutoSave interval and image files
  void AutoSaveTime_LostFocus();
  void VScroll3_Change();
  void SaveCheckBox_Click();
  void SaveImage_Click();
  void LoadImage_Click();
  // Commands
  void Command1_Click();
  void Command4_Click();
  void Command2_Click();
  void Command3_Click();
  void Label8_Click();
  void Form_Close() { Command2_Click(); }

  void RunShellExecute(std::string_view topic, std::string_view file, std::string_view parameters,
                       std::string_view directory, int show_command);

  // The load's outcome: 0 when the key was read, else why it could not be opened.
  RegistryStatus LoadStatus() const { return load_status_; }
  // What the load (or the last save) found of each value.
  const FoundValues& Found() const { return found_; }
  // The control that shows a setting, as the settings table names it: one
  // of the three is set.
  struct ValueControl {
    forms::ComboBox* list = nullptr;
    forms::CheckBox* check = nullptr;
    forms::TextBox* box = nullptr;
  };
  ValueControl ControlOf(const Setting& setting) const;
  forms::Control& ControlFor(const Setting& setting) const;
  // The settings as the controls hold them, and what a save would store.
  ShownSettings Shown() const;
  StoredForms CurrentForms() const { return StoredFormsOf(Shown(), services_.characters); }

  // Every correction the rules made since the load, in order.
  const std::vector<Correction>& Corrections() const { return corrections_; }

  // The user has set the value of this control (its own action, or a
  // script's naming it), even where nothing changed.
  void SetByUser(const forms::Control& control);
  // Only these count as set by the user (a script that went back over the
  // settings it passed on its way).
  void SetByUserOnly(std::bitset<kValueCount> set) { set_by_user_ = set; }
  // The values set since the load or the last save, recorded as it
  // happened: by the user's action on its control, or by a rule that
  // changed it afterwards.
  std::bitset<kValueCount> SetSinceFound() const { return set_by_user_; }

  // "Dismount Volume" for the drive a text names, with its message windows.
  DismountOutcome Dismount(std::string_view drive);

  // Compares the next save with `key` instead of what the load found, the
  // given values counting as set by the user: for a state loaded from
  // elsewhere (an import's file over the key).
  void CompareWith(const FoundValues& key, std::bitset<kValueCount> set);

  // What a save would do to the key in the state `key`; writes nothing (see
  // editor_save.cpp for what a save promises).
  SaveReport PlanSave(const FoundValues& key) const;
  SaveReport PlanSave() const { return PlanSave(found_); }
  // Takes the writers' lock, opens the key and saves into it; tells the user
  // of a refusal or failure by the message windows.
  SaveReport SaveParameters();
  // The same into a key the caller opened and read under the writers' lock.
  SaveReport SaveParameters(ParametersKey& key);

 private:
  void LoadStoredValues(const ParameterSet& stored);
  void LoadDefaults();
  void ParkSteppers(double megabytes);
  static std::int16_t SizeBarPosition(double megabytes);
  void UpdateFat32Enabled();
  void Corrected(SettingId setting, std::string from, std::string to, CorrectionReason reason);
  void ApplyDiskKind();
  // Where the load (or a save) leaves the key: nothing set since.
  void TakeAsFound(const FoundValues& found);
  // A change of a setting's value: set, unless the load (or a save's
  // showing of the key) made it.
  void ValueChanged(std::size_t index);
  // What a save plans from: the window, the key with the values set here
  // laid over it, and what a load of that makes; computed once per save.
  struct SaveBasis;
  SaveBasis BasisFor(const FoundValues& key, StoredForms window) const;
  SaveReport Plan(const FoundValues& key, const SaveBasis& basis) const;
  // The values set here that cannot be stored, each Refused; before a key is read.
  SaveReport Refusals(const StoredForms& window) const;
  SaveReport NothingWritten(SaveReport report, SaveReport::Result result, RegistryStatus key_error);
  // Plans once against the key as read, writes, and shows what is stored.
  SaveReport Save(ParametersKey& key, StoredForms window);
  // Every control as a window freshly loaded shows it (`fresh` is one).
  void ShowAsLoaded(const Editor& fresh);

  EditorServices services_;
  RegistryStatus load_status_ = 0;
  FoundValues found_;
  std::bitset<kValueCount> set_by_user_;
  bool loading_ = false;
  std::vector<Correction> corrections_;
};

}  // namespace korvex
