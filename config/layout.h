// The windows as laid out, in twips (1440 to the inch): one row per control.
// Pure data: the front end turns it into windows at the window's DPI.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace korvex::win32 {

enum class ControlKind { Button, CheckBox, TextBox, ComboBox, ScrollBar, Label };
enum class Alignment { Left, Centre };

struct FontStyle {
  const wchar_t* face;
  int centipoints;  // 975 is 9.75 points
  int weight;       // 400 regular, 700 bold
  bool italic;
  bool underline;
};

inline constexpr FontStyle kArial9Bold{L"Arial", 900, 700, false, false};
inline constexpr FontStyle kArial975Bold{L"Arial", 975, 700, false, false};
inline constexpr FontStyle kArial12Bold{L"Arial", 1200, 700, false, false};
inline constexpr FontStyle kArial36BoldItalic{L"Arial", 3600, 700, true, false};
inline constexpr FontStyle kSansSerif975Underlined{L"MS Sans Serif", 975, 400, false, true};

inline constexpr std::uint32_t kDefaultColour = 0xFFFFFFFF;
inline constexpr std::uint32_t Rgb(int r, int g, int b) { return std::uint32_t(r | g << 8 | b << 16); }

struct ControlLayout {
  const char* name;  // the model's control
  ControlKind kind;
  int left, top, width, height;
  const FontStyle* font;
  Alignment alignment;
  std::uint32_t colour;
  const wchar_t* tip;  // nullptr: none
};

struct LineLayout {
  int x1, y1, x2, y2;
};

// In tab order, then the labels, which never take the focus.
extern const std::array<ControlLayout, 30> kEditorControls;
extern const std::array<LineLayout, 16> kEditorLines;
inline constexpr int kEditorClientWidth = 7305, kEditorClientHeight = 7095;

int TwipsToPixels(int twips, unsigned dpi);

}  // namespace korvex::win32
