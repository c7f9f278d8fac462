// The windows as laid out, in twips (1440 to the inch): one row per control.
// Pure data: the front end turns it into windows at the window's DPI.
#pragma once

#include <array>
#include <cstdint>
#include <variant>

#include "editor.h"

namespace korvex::window {

// In the order of ModelControl's member types.
enum class ControlKind { Button, CheckBox, TextBox, ComboBox, ScrollBar, Label };

// The model's control that a row lays out, as a member of the Editor: a row
// naming no control, or one the model lacks, does not compile, and the kind
// of control follows from the member's type.
class ModelControl {
 public:
  template <typename Control>
  constexpr ModelControl(Control Editor::*member) : member_(member) {}

  constexpr ControlKind Kind() const { return static_cast<ControlKind>(member_.index()); }
  // Calls `use` with the editor's control, as its own type.
  template <typename Use>
  decltype(auto) Visit(Editor& editor, Use&& use) const {
    return std::visit([&](auto member) -> decltype(auto) { return use(editor.*member); }, member_);
  }

 private:
  std::variant<forms::CommandButton Editor::*, forms::CheckBox Editor::*, forms::TextBox Editor::*,
               forms::ComboBox Editor::*, forms::Stepper Editor::*, forms::Label Editor::*>
      member_;
};
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
  ModelControl control;
  int left, top, width, height;
  const FontStyle* font;
  Alignment alignment;
  std::uint32_t colour;
  const wchar_t* tip;  // nullptr: none
};

struct LineLayout {
  int x1, y1, x2, y2;
};

// In tab order, in which labels take no place since they never take the
// focus: each label that names a box stands right before it, as a screen
// reader looks for it in the z-order; the other labels come last.
extern const std::array<ControlLayout, 30> kEditorControls;
extern const std::array<LineLayout, 16> kEditorLines;
inline constexpr int kEditorClientWidth = 7305, kEditorClientHeight = 7095;

int TwipsToPixels(int twips, unsigned dpi);

}  // namespace korvex::window
