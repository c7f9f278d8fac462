#include "fonts.h"

#include "dpi.h"

namespace korvex::win32 {

HFONT FontCache::Get(const FontSpec& spec, UINT dpi) {
  if (dpi != dpi_) {
    Clear();
    dpi_ = dpi;
  }
  HFONT& font = fonts_[&spec];
  if (!font) {
    LOGFONTW logfont{};
    logfont.lfHeight = FontHeight(spec.centipoints, dpi);
    logfont.lfWeight = spec.weight;
    logfont.lfItalic = spec.italic;
    logfont.lfUnderline = spec.underline;
    logfont.lfCharSet = ANSI_CHARSET;
    lstrcpynW(logfont.lfFaceName, spec.face, LF_FACESIZE);
    font = CreateFontIndirectW(&logfont);
  }
  return font;
}

void FontCache::Clear() {
  for (auto& [spec, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

}  // namespace korvex::win32
