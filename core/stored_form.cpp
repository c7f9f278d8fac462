#include "stored_form.h"

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

// Builds the stored form of each setting, noting what cannot be stored.
class FormReader {
 public:
  explicit FormReader(const AnsiCharacters& ansi) : ansi_(ansi) {}

  StoredForms& Result() { return result_; }

  void DiskType(int list_index) {
    Form(&ParameterSet::DiskType).value = StoredText(DiskCodeForListIndex(list_index));
  }

  void Check(DwordValue ParameterSet::*field, int check_value) {
    Form(field).value = StoredDword(StoredFromCheckValue(check_value));
  }

  void FilePath(TextValue ParameterSet::*field, std::string_view shown, std::string_view what) {
    StoredForm& form = Form(field, shown);
    auto bytes = Ansi(form, shown, what);
    if (bytes && bytes->size() > kLongestFilePathBytes)
      Refuse(form, "The " + std::string(what) + " is too long: it may have at most " +
                       IntegerText(static_cast<long long>(kLongestFilePathBytes)) +
                       " characters (a double-byte character counts as two).");
    for (char c : shown)
      if (static_cast<unsigned char>(c) < 0x20)
        Refuse(form, "The " + std::string(what) + " holds a control character, which no file name can hold.");
    if (bytes && form.problem.empty()) form.value = StoredText(StoredFilePath(*bytes));
  }

  void DriveLetter(std::string_view shown) {
    StoredForm& form = Form(&ParameterSet::UserDriveLetter, shown);
    if (shown.empty()) Refuse(form, EmptyDriveLetterRefusal());
    auto bytes = Ansi(form, utf8::FirstCharacter(shown), "drive letter");
    if (bytes && bytes->size() > 1) Refuse(form, CannotRead("drive letter"));  // stored as one byte
    if (bytes && form.problem.empty()) form.value = StoredText(*bytes);
  }

  void Number(DwordValue ParameterSet::*field, std::string_view shown, std::optional<std::int32_t> stored,
              std::string_view what_it_accepts) {
    StoredForm& form = Form(field, shown);
    if (stored)
      form.value = StoredDword(*stored);
    else
      Refuse(form, std::string(what_it_accepts));
  }

 private:
  template <typename Field>
  StoredForm& Form(Field ParameterSet::*field, std::string_view shown = {}) {
    StoredForm& form = result_[IndexOf(field)];
    form.shown = shown;
    return form;
  }
  static std::string CannotRead(std::string_view what) {
    return "The " + std::string(what) +
           " holds a character that the driver cannot read. Use only characters of the system's code page.";
  }
  std::optional<std::string> Ansi(StoredForm& form, std::string_view text, std::string_view what) {
    auto bytes = ansi_.ToAnsi(text);
    if (!bytes) Refuse(form, CannotRead(what));
    return bytes;
  }
  static void Refuse(StoredForm& form, std::string problem) {
    if (form.problem.empty()) form.problem = std::move(problem);
  }

  const AnsiCharacters& ansi_;
  StoredForms result_;
};

}  // namespace

StoredForms StoredFormsOf(const ShownSettings& shown, const AnsiCharacters& ansi) {
  FormReader read(ansi);
  read.DiskType(shown.disk_list_index);
  read.Check(&ParameterSet::LoadImageOnStart, shown.load_image);
  read.FilePath(&ParameterSet::LoadImageFile, shown.load_file, "image file to load");
  read.Check(&ParameterSet::SaveImageOnExit, shown.save_image);
  read.FilePath(&ParameterSet::SaveImageFile, shown.save_file, "image file to save");
  read.Number(&ParameterSet::SizeIn4kPages, shown.size, PagesFromSizeText(shown.size), SizeRefusal());
  read.Check(&ParameterSet::DiskFormatFAT32, shown.fat32);
  read.Check(&ParameterSet::AutoSaveEnabled, shown.autosave);
  read.Number(&ParameterSet::AutoSaveTrigger, shown.interval, SecondsFromIntervalText(shown.interval),
              IntervalRefusal());
  read.DriveLetter(shown.letter);
  return std::move(read.Result());
}

std::array<bool, kValueCount> ShownFaithfully(const FoundValues& found, const AnsiCharacters& ansi) {
  // Each value through the load's conversions alone, as its control would show it.
  ParameterSet read = WindowReading(found);
  ShownSettings shown;
  if (read.DiskType.present) shown.disk_list_index = ListIndexForDiskCode(read.DiskType.bytes).value_or(-1);
  shown.load_image = CheckValueFromStored(read.LoadImageOnStart.number);
  shown.load_file = ansi.FromAnsi(ShownFilePath(read.LoadImageFile.bytes));
  shown.save_image = CheckValueFromStored(read.SaveImageOnExit.number);
  shown.save_file = ansi.FromAnsi(ShownFilePath(read.SaveImageFile.bytes));
  shown.size = NumberToText(MegabytesFromPages(read.SizeIn4kPages.number));
  shown.fat32 = CheckValueFromStored(read.DiskFormatFAT32.number);
  shown.autosave = CheckValueFromStored(read.AutoSaveEnabled.number);
  shown.interval = NumberToText(double(read.AutoSaveTrigger.number));
  shown.letter = ansi.FromAnsi(read.UserDriveLetter.bytes);
  StoredForms back = StoredFormsOf(shown, ansi);

  std::array<bool, kValueCount> faithful{};
  for (std::size_t index = 0; index < kValueCount; ++index) {
    bool readable = std::visit([&](auto field) { return (read.*field).present; }, kParameterValues[index].field);
    faithful[index] = readable && back[index].value == found[index].stored;
  }
  return faithful;
}

}  // namespace korvex
