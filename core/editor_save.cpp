// Saving: every control is read back into its stored form; the values whose
// form the user's edits changed are checked against what the stored format
// can hold, and only then written. Every other value is left as it is.
#include <optional>

#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"
#include "utf8.h"

namespace korvex {
namespace {

template <typename Field>
std::size_t IndexOf(Field ParameterSet::*field) {
  std::size_t index = 0;
  while (kParameterValues[index].field != decltype(ValueSchema::field)(field)) ++index;
  return index;
}

const std::string& StoredForm(const TextValue& value) { return value.bytes; }
std::int32_t StoredForm(const DwordValue& value) { return value.number; }

// Builds the stored form of the window's settings, noting what cannot be stored.
class SettingsReader {
 public:
  explicit SettingsReader(const AnsiCharacters& ansi) : ansi_(ansi) {}

  StoredSettings& Result() { return result_; }

  void Text(TextValue ParameterSet::*field, std::string_view bytes) { (result_.set.*field).bytes = bytes; }

  void Check(DwordValue ParameterSet::*field, int check_value) {
    (result_.set.*field).number = StoredFromCheckValue(check_value);
  }

  void FilePath(TextValue ParameterSet::*field, std::string_view shown, std::string_view what) {
    std::size_t index = IndexOf(field);
    result_.shown[index] = shown;
    auto bytes = Ansi(index, shown, what);
    if (bytes && bytes->size() > kLongestFilePathBytes)
      Refuse(index, "The " + std::string(what) + " is too long: it may have at most " +
                        IntegerText(static_cast<long long>(kLongestFilePathBytes)) +
                        " characters (a double-byte character counts as two).");
    for (char c : shown)
      if (static_cast<unsigned char>(c) < 0x20)
        Refuse(index, "The " + std::string(what) + " holds a control character, which no file name can hold.");
    (result_.set.*field).bytes = StoredFilePath(bytes.value_or(""));
  }

  void DriveLetter(TextValue ParameterSet::*field, std::string_view shown) {
    std::size_t index = IndexOf(field);
    result_.shown[index] = shown;
    if (shown.empty()) Refuse(index, EmptyDriveLetterRefusal());
    auto bytes = Ansi(index, utf8::FirstCharacter(shown), "drive letter");
    if (bytes && bytes->size() > 1) Refuse(index, CannotRead("drive letter"));  // stored as one byte
    (result_.set.*field).bytes = bytes.value_or("");
  }

  void Number(DwordValue ParameterSet::*field, std::string_view shown, std::optional<std::int32_t> stored,
              std::string_view what_it_accepts) {
    std::size_t index = IndexOf(field);
    result_.shown[index] = shown;
    if (!stored) Refuse(index, std::string(what_it_accepts));
    (result_.set.*field).number = stored.value_or(0);
  }

 private:
  static std::string CannotRead(std::string_view what) {
    return "The " + std::string(what) +
           " holds a character that the driver cannot read. Use only characters of the system's code page.";
  }
  std::optional<std::string> Ansi(std::size_t index, std::string_view text, std::string_view what) {
    auto bytes = ansi_.ToAnsi(text);
    if (!bytes) Refuse(index, CannotRead(what));
    return bytes;
  }
  void Refuse(std::size_t index, std::string problem) {
    if (!result_.problems[index]) result_.problems[index] = std::move(problem);
  }

  const AnsiCharacters& ansi_;
  StoredSettings result_;
};

bool SameStoredValue(const StoredSettings& a, const StoredSettings& b, std::size_t index) {
  if (a.problems[index] || b.problems[index])
    return a.problems[index] == b.problems[index] && a.shown[index] == b.shown[index];
  return std::visit([&](auto field) { return StoredForm(a.set.*field) == StoredForm(b.set.*field); },
                    kParameterValues[index].field);
}

}  // namespace

StoredSettings Editor::ReadStoredSettings() const {
  SettingsReader read(services_.characters);
  read.Text(&ParameterSet::DiskType, DiskCodeForListIndex(Combo1.ListIndex()));
  read.Check(&ParameterSet::LoadImageOnStart, LoadImage.Value());
  read.FilePath(&ParameterSet::LoadImageFile, Text1.Text(), "image file to load");
  read.Check(&ParameterSet::SaveImageOnExit, SaveImage.Value());
  read.FilePath(&ParameterSet::SaveImageFile, Text2.Text(), "image file to save");
  read.Number(&ParameterSet::SizeIn4kPages, Text3.Text(), PagesFromSizeText(Text3.Text()), SizeRefusal());
  read.Check(&ParameterSet::AutoSaveEnabled, SaveCheckBox.Value());
  read.Check(&ParameterSet::DiskFormatFAT32, Fat32Enable.Value());
  read.Number(&ParameterSet::AutoSaveTrigger, AutoSaveTime.Text(), SecondsFromIntervalText(AutoSaveTime.Text()),
              IntervalRefusal());
  read.DriveLetter(&ParameterSet::UserDriveLetter, DriveLetterText.Text());
  return std::move(read.Result());
}

bool Editor::SaveParameters() {
  StoredSettings now = ReadStoredSettings();
  ValueSelection changed;
  const std::optional<std::string>* problem = nullptr;
  for (std::size_t index : kWriteOrder) {
    if (SameStoredValue(now, saved_, index)) continue;
    changed.set(index);
    if (!problem && now.problems[index]) problem = &now.problems[index];  // the first in writing order
  }
  if (problem) {
    services_.session.ShowMessage(Window::SettingRefused, **problem);
    return false;
  }
  if (store_.Save(now.set, changed) != SaveOutcome::Saved) {
    services_.session.ShowMessage(Window::SaveRegFail);
    return false;
  }
  // Later edits are compared with what is stored now, so that an edit undone
  // after a save is written back too.
  saved_ = std::move(now);
  return true;
}

}  // namespace korvex
