#include "layout.h"

namespace korvex::win32 {
namespace {
constexpr auto L = Alignment::Left;
constexpr auto C = Alignment::Centre;
constexpr auto D = kDefaultColour;
using K = ControlKind;
}  // namespace

const std::array<ControlLayout, 30> kEditorControls{{
    {"LoadImage", K::CheckBox, 4080, 3120, 2775, 375, &kArial9Bold, L, D,
     L"Enable loading a disk image file when the driver starts."},
    {"SaveImage", K::CheckBox, 4080, 4440, 2655, 255, &kArial9Bold, L, D,
     L"Enable saving the disk image using AutoSave or when the driver shuts down."},
    {"Text1", K::TextBox, 4080, 3720, 2775, 375, &kArial9Bold, L, D,
     L"Enter the filename for the image file to be loaded."},
    {"Text2", K::TextBox, 4080, 5160, 2775, 375, &kArial9Bold, L, D,
     L"Enter a filename for the image file to be saved."},
    {"Combo1", K::ComboBox, 1440, 1920, 1935, 345, &kArial9Bold, L, D, L"Choose the type of disk."},
    {"Command1", K::Button, 1200, 5880, 1575, 615, &kArial12Bold, C, D, L"Save current configuration and exit."},
    {"Text3", K::TextBox, 1680, 4320, 855, 375, &kArial9Bold, C, D, L"Enter the size of the RAM disk in MB."},
    {"Command2", K::Button, 4560, 5880, 1575, 615, &kArial12Bold, C, D, L"Exit without saving changes."},
    {"VScroll1", K::ScrollBar, 2520, 4320, 255, 375, nullptr, L, D, nullptr},
    {"DriveLetterText", K::TextBox, 1680, 2400, 855, 375, &kArial9Bold, C, D,
     L"Select a drive letter for the RAM disk."},
    {"VScroll2", K::ScrollBar, 2520, 2400, 255, 375, nullptr, L, D, nullptr},
    {"SaveCheckBox", K::CheckBox, 4080, 2040, 1815, 255, &kArial9Bold, L, D,
     L"Enables saving the disk image (if modified) at a fixed time interval."},
    {"AutoSaveTime", K::TextBox, 4440, 2280, 855, 375, &kArial9Bold, C, D,
     L"Enter the time interval between AutoSave checks."},
    {"VScroll3", K::ScrollBar, 5280, 2280, 255, 375, nullptr, L, D, nullptr},
    {"Fat32Enable", K::CheckBox, 600, 5040, 2895, 255, &kArial9Bold, L, D,
     L"Format disk using FAT32 - for disks larger than 32MB, Win2000 only."},
    {"Command3", K::Button, 960, 3000, 2175, 495, &kArial9Bold, C, D,
     L"Use this button to dismount the filesystem from the Korvane drive before you unload the driver."},
    {"Command4", K::Button, 2880, 5880, 1575, 615, &kArial12Bold, C, D, L"Save current configuration."},
    {"Label4", K::Label, 1560, 0, 4095, 735, &kArial36BoldItalic, C, Rgb(255, 0, 0), nullptr},
    {"Label5", K::Label, 1440, 840, 4215, 375, &kArial12Bold, C, D, nullptr},
    {"Label8", K::Label, 2280, 1200, 2895, 255, &kSansSerif975Underlined, L, Rgb(0, 0, 192), L"Korvane web page"},
    {"Label3", K::Label, 360, 1920, 975, 375, &kArial9Bold, L, D, nullptr},
    {"Label13", K::Label, 360, 2520, 1095, 255, &kArial9Bold, L, D, nullptr},
    {"Label10", K::Label, 1080, 3720, 1815, 255, &kArial12Bold, L, D, nullptr},
    {"Label6", K::Label, 720, 4440, 855, 255, &kArial9Bold, L, D, nullptr},
    {"Label12", K::Label, 2880, 4440, 375, 255, &kArial9Bold, L, D, nullptr},
    {"Label11", K::Label, 5640, 2400, 1095, 255, &kArial9Bold, L, D, nullptr},
    {"Label2", K::Label, 4080, 3480, 2775, 375, &kArial9Bold, L, D, nullptr},
    {"Label9", K::Label, 4320, 4680, 2535, 255, &kArial9Bold, L, D, nullptr},
    {"Label1", K::Label, 4080, 4920, 2775, 375, &kArial9Bold, L, D, nullptr},
    {"Label7", K::Label, 480, 6720, 6375, 255, &kArial9Bold, C, D, nullptr},
}};

const std::array<LineLayout, 16> kEditorLines{{
    {240, 3600, 240, 5640},   {240, 3600, 3720, 3600},  {240, 5640, 3720, 5640},  {3720, 5640, 3720, 3600},
    {3960, 3000, 6960, 3000}, {3960, 4200, 3960, 3000}, {6960, 4200, 3960, 4200}, {6960, 3000, 6960, 4200},
    {3960, 4320, 3960, 5640}, {6960, 4320, 3960, 4320}, {6960, 5640, 3960, 5640}, {6960, 4320, 6960, 5640},
    {3960, 1920, 3960, 2760}, {6960, 2760, 3960, 2760}, {6960, 1920, 6960, 2760}, {3960, 1920, 6960, 1920},
}};

int TwipsToPixels(int twips, unsigned dpi) {
  // Rounded to the nearest pixel: 15 twips a pixel at 96 DPI.
  long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled >= 0 ? 720 : -720)) / 1440);
}

}  // namespace korvex::win32
