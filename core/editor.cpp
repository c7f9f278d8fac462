#include "editor.h"

#include <utility>

namespace korvex {
namespace {

// Which stored value each control sets; a stepper sets its box's.
auto ValueControls(Editor& e) {
  using Entry = std::pair<forms::Control*, std::size_t>;
  return std::array<Entry, 13>{{
      {&e.Combo1, ValueIndex("DiskType")},
      {&e.LoadImage, ValueIndex("LoadImageOnStart")},
      {&e.Text1, ValueIndex("LoadImageFile")},
      {&e.SaveImage, ValueIndex("SaveImageOnExit")},
      {&e.Text2, ValueIndex("SaveImageFile")},
      {&e.Text3, ValueIndex("SizeIn4kPages")},
      {&e.VScroll1, ValueIndex("SizeIn4kPages")},
      {&e.Fat32Enable, ValueIndex("DiskFormatFAT32")},
      {&e.SaveCheckBox, ValueIndex("AutoSaveEnabled")},
      {&e.AutoSaveTime, ValueIndex("AutoSaveTrigger")},
      {&e.VScroll3, ValueIndex("AutoSaveTrigger")},
      {&e.DriveLetterText, ValueIndex("UserDriveLetter")},
      {&e.VScroll2, ValueIndex("UserDriveLetter")},
  }};
}

}  // namespace

Editor::Editor(EditorServices services) : services_(services) {
  Combo1.Click = [this] { Combo1_Click(); };
  Combo1.Change = [this] { Combo1_Change(); };
  Text3.Change = [this] { Text3_Change(); };
  Text3.LostFocus = [this] { Text3_LostFocus(); };
  VScroll1.Change = [this] { VScroll1_Change(); };
  DriveLetterText.Change = [this] { DriveLetterText_Change(); };
  VScroll2.Change = [this] { VScroll2_Change(); };
  AutoSaveTime.LostFocus = [this] { AutoSaveTime_LostFocus(); };
  VScroll3.Change = [this] { VScroll3_Change(); };
  SaveCheckBox.Click = [this] { SaveCheckBox_Click(); };
  SaveImage.Click = [this] { SaveImage_Click(); };
  LoadImage.Click = [this] { LoadImage_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command4.Click = [this] { Command4_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
  Label8.Click = [this] { Label8_Click(); };
  for (auto [control, index] : ValueControls(*this))
    control->Acted = [this, index] { set_by_user_.set(index); };
}

void Editor::SetByUser(const forms::Control& control) {
  for (auto [bound, index] : ValueControls(*this))
    if (bound == &control) set_by_user_.set(index);
}

}  // namespace korvex
