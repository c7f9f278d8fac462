// Whole files read and written by their UTF-8 names.
#pragma once

#include "commands.h"

namespace korvex::cfg {

class Win32Files : public Files {
 public:
  std::optional<std::string> Read(std::string_view path) override;
  bool Write(std::string_view path, std::string_view bytes) override;
};

}  // namespace korvex::cfg
