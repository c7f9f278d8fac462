// The fonts of the layout tables, made once per DPI.
#pragma once

#include "windows_api.h"

#include <map>

#include "layout.h"

namespace korvex::window {

class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache() { Clear(); }

  HFONT Get(const FontStyle& style, UINT dpi);
  void Clear();

 private:
  std::map<const FontStyle*, HFONT> fonts_;
  UINT dpi_ = 0;
};

}  // namespace korvex::window
