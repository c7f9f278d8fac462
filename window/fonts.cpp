#include "fonts.h"

#include "dpi.h"

namespace korvex::window {

HFONT FontCache::Get(const FontStyle& style, UINT dpi) {
  if (dpi != dpi_) {
    Clear();
    dpi_ = dpi;
  }
  HFONT& font = fonts_[&style];
  if (!font) {
    LOGFONTW logfont{};
    logfont.lfHeight = FontHeight(style.centipoints, dpi);
    logfont.lfWeight = style.weight;
    logfont.lfItalic = style.italic;
    logfont.lfUnderline = style.underline;
    logfont.lfCharSet = ANSI_CHARSET;
    lstrcpynW(logfont.lfFaceName, style.face, LF_FACESIZE);
    font = CreateFontIndirectW(&logfont);
  }
  return font;
}

void FontCache::Clear() {
  for (auto& [style, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

}  // namespace korvex::window
