#include "editor.h"

namespace korvex {

Editor::Editor(EditorServices services) : services_(services), store_(services.registry) {
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
}

forms::Control* Editor::FindControl(std::string_view name) {
  forms::Control* all[] = {&Command1, &Command4, &Command2, &Command3, &LoadImage, &SaveImage, &SaveCheckBox,
                           &Fat32Enable, &Text1, &Text2, &Text3, &DriveLetterText, &AutoSaveTime, &Combo1,
                           &VScroll1, &VScroll2, &VScroll3, &Label4, &Label5, &Label8, &Label3, &Label13,
                           &Label10, &Label6, &Label12, &Label11, &Label2, &Label9, &Label1, &Label7};
  for (forms::Control* control : all)
    if (control->Name() == name) return control;
  return nullptr;
}

}  // namespace korvex
