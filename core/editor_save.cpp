// Saving: every control is read back, checked against what the stored format
// can hold, and only then written. A refused or failed save is never silent.
#include <optional>

#include "editor.h"
#include "number_text.h"
#include "parameter_format.h"
#include "utf8.h"

namespace korvex {
namespace {

constexpr std::size_t kMaxPathCharacters = kMaxTextValueCharacters - kFilePathPrefix.size();

// Builds the stored form of the window's settings, or says what is wrong.
class SettingsReader {
 public:
  explicit SettingsReader(const AnsiCharacters& ansi) : ansi_(ansi) {}

  const std::optional<std::string>& Problem() const { return problem_; }

  std::string FilePath(std::string_view shown, std::string_view field) {
    auto bytes = SingleBytes(shown, field);
    if (bytes && bytes->size() > kMaxPathCharacters)
      Refuse("The " + std::string(field) + " is too long: it may have at most " +
             IntegerText(static_cast<long long>(kMaxPathCharacters)) + " characters.");
    return StoredFilePath(bytes.value_or(""));
  }

  std::string DriveLetter(std::string_view shown) {
    if (shown.empty()) Refuse(EmptyDriveLetterRefusal());
    return SingleBytes(utf8::FirstCharacter(shown), "drive letter").value_or("");
  }

  std::int32_t Number(std::optional<std::int32_t> stored, std::string_view what_it_accepts) {
    if (!stored) Refuse(std::string(what_it_accepts));
    return stored.value_or(0);
  }

 private:
  std::optional<std::string> SingleBytes(std::string_view text, std::string_view field) {
    auto bytes = ansi_.ToSingleBytes(text);
    if (!bytes)
      Refuse("The " + std::string(field) +
             " holds a character that the driver cannot read. Use only characters of the system's code page.");
    return bytes;
  }
  void Refuse(std::string problem) {
    if (!problem_) problem_ = std::move(problem);  // the first field in writing order
  }

  const AnsiCharacters& ansi_;
  std::optional<std::string> problem_;
};

}  // namespace

bool Editor::SaveParameters() {
  SettingsReader read(services_.characters);
  ParameterSet set;
  set.DiskType.bytes = DiskCodeForListIndex(Combo1.ListIndex());
  set.LoadImageOnStart.number = StoredFromCheckValue(LoadImage.Value());
  set.LoadImageFile.bytes = read.FilePath(Text1.Text(), "image file to load");
  set.SaveImageOnExit.number = StoredFromCheckValue(SaveImage.Value());
  set.SaveImageFile.bytes = read.FilePath(Text2.Text(), "image file to save");
  set.SizeIn4kPages.number = read.Number(PagesFromSizeText(Text3.Text()), SizeRefusal());
  set.AutoSaveEnabled.number = StoredFromCheckValue(SaveCheckBox.Value());
  set.DiskFormatFAT32.number = StoredFromCheckValue(Fat32Enable.Value());
  set.AutoSaveTrigger.number = read.Number(SecondsFromIntervalText(AutoSaveTime.Text()), IntervalRefusal());
  set.UserDriveLetter.bytes = read.DriveLetter(DriveLetterText.Text());

  if (read.Problem()) {
    services_.session.ShowMessage(Window::SettingRefused, *read.Problem());
    return false;
  }
  if (store_.Save(set) != SaveOutcome::Saved) {
    services_.session.ShowMessage(Window::SaveRegFail);
    return false;
  }
  return true;
}

}  // namespace korvex
