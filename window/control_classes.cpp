#include "control_classes.h"

#include <commctrl.h>

namespace korvex::window {

ControlClass ClassFor(const ControlLayout& layout, bool clickable) {
  const bool centre = layout.alignment == Alignment::Centre;
  switch (layout.control.Kind()) {
    case ControlKind::Button: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_MULTILINE, 0};
    case ControlKind::CheckBox: return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX | BS_MULTILINE, 0};
    case ControlKind::TextBox:
      return {L"EDIT", DWORD(WS_TABSTOP | ES_AUTOHSCROLL | (centre ? ES_CENTER : ES_LEFT)), WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox: return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::ScrollBar: return {L"SCROLLBAR", WS_TABSTOP | SBS_VERT, 0};
    case ControlKind::Label:
      return {L"STATIC", DWORD((centre ? SS_CENTER : SS_LEFT) | SS_NOPREFIX | (clickable ? SS_NOTIFY : 0)), 0};
  }
  return {L"STATIC", 0, 0};
}

RECT PlaceOf(const ControlLayout& layout, UINT dpi) {
  int left = TwipsToPixels(layout.left, dpi), top = TwipsToPixels(layout.top, dpi);
  int height = TwipsToPixels(layout.height, dpi);
  // A drop-down combo's height includes its list; its edit part follows the font.
  if (layout.control.Kind() == ControlKind::ComboBox) height *= 8;
  return {left, top, left + TwipsToPixels(layout.width, dpi), top + height};
}

}  // namespace korvex::window
