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

}  // namespace korvex
