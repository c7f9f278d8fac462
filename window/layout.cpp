#include "layout.h"

namespace korvex::window {
namespace {
constexpr auto L = Alignment::Left;
constexpr auto C = Alignment::Centre;
constexpr auto D = kDefaultColour;
using E = Editor;

// ControlKind keeps the order of ModelControl's member types.
static_assert(ModelControl(&E::Command1).Kind() == ControlKind::Button);
static_assert(ModelControl(&E::LoadImage).Kind() == ControlKind::CheckBox);
static_assert(ModelControl(&E::Text1).Kind() == ControlKind::TextBox);
static_assert(ModelControl(&E::Combo1).Kind() == ControlKind::ComboBox);
static_assert(ModelControl(&E::VScroll1).Kind() == ControlKind::ScrollBar);
static_assert(ModelControl(&E::Label4).Kind() == ControlKind::Label);
}  // namespace

const std::array<ControlLayout, 30> kEditorControls{{
    {&E::LoadImage, 4080, 3120, 2775, 375, &kArial9Bold, L, D,
     L"Enable loading a disk image file when the driver starts."},
    {&E::SaveImage, 4080, 4440, 2655, 255, &kArial9Bold, L, D,
     L"Enable saving the disk image using AutoSave or when the driver shuts down."},
    // A label that names a box lies above it, so it stops where the box
    // begins: the box covered the rest of its design's box (375 high).
    {&E::Label2, 4080, 3480, 2775, 240, &kArial9Bold, L, D, nullptr},
    {&E::Text1, 4080, 3720, 2775, 375, &kArial9Bold, L, D,
     L"Enter the filename for the image file to be loaded."},
    {&E::Label1, 4080, 4920, 2775, 240, &kArial9Bold, L, D, nullptr},
    {&E::Text2, 4080, 5160, 2775, 375, &kArial9Bold, L, D,
     L"Enter a filename for the image file to be saved."},
    {&E::Label3, 360, 1920, 975, 375, &kArial9Bold, L, D, nullptr},
    {&E::Combo1, 1440, 1920, 1935, 345, &kArial9Bold, L, D, L"Choose the type of disk."},
    {&E::Command1, 1200, 5880, 1575, 615, &kArial12Bold, C, D, L"Save current configuration and exit."},
    {&E::Label6, 720, 4440, 855, 255, &kArial9Bold, L, D, nullptr},
    {&E::Text3, 1680, 4320, 855, 375, &kArial9Bold, C, D, L"Enter the size of the RAM disk in MB."},
    {&E::Command2, 4560, 5880, 1575, 615, &kArial12Bold, C, D, L"Exit without saving changes."},
    {&E::VScroll1, 2520, 4320, 255, 375, nullptr, L, D, nullptr},
    {&E::Label13, 360, 2520, 1095, 255, &kArial9Bold, L, D, nullptr},
    {&E::DriveLetterText, 1680, 2400, 855, 375, &kArial9Bold, C, D,
     L"Select a drive letter for the RAM disk."},
    {&E::VScroll2, 2520, 2400, 255, 375, nullptr, L, D, nullptr},
    {&E::SaveCheckBox, 4080, 2040, 1815, 255, &kArial9Bold, L, D,
     L"Enables saving the disk image (if modified) at a fixed time interval."},
    {&E::AutoSaveTime, 4440, 2280, 855, 375, &kArial9Bold, C, D,
     L"Enter the time interval between AutoSave checks."},
    {&E::VScroll3, 5280, 2280, 255, 375, nullptr, L, D, nullptr},
    {&E::Fat32Enable, 600, 5040, 2895, 255, &kArial9Bold, L, D,
     L"Format disk using FAT32 - for disks larger than 32MB, Win2000 only."},
    {&E::Command3, 960, 3000, 2175, 495, &kArial9Bold, C, D,
     L"Use this button to dismount the filesystem from the Korvane drive before you unload the driver."},
    {&E::Command4, 2880, 5880, 1575, 615, &kArial12Bold, C, D, L"Save current configuration."},
    {&E::Label4, 1560, 0, 4095, 735, &kArial36BoldItalic, C, Rgb(255, 0, 0), nullptr},
    {&E::Label5, 1440, 840, 4215, 375, &kArial12Bold, C, D, nullptr},
    {&E::Label8, 2280, 1200, 2895, 255, &kSansSerif975Underlined, L, Rgb(0, 0, 192), L"Korvane web page"},
    {&E::Label10, 1080, 3720, 1815, 255, &kArial12Bold, L, D, nullptr},
    {&E::Label12, 2880, 4440, 375, 255, &kArial9Bold, L, D, nullptr},
    {&E::Label11, 5640, 2400, 1095, 255, &kArial9Bold, L, D, nullptr},
    {&E::Label9, 4320, 4680, 2535, 255, &kArial9Bold, L, D, nullptr},
    {&E::Label7, 480, 6720, 6375, 255, &kArial9Bold, C, D, nullptr},
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

}  // namespace korvex::window
