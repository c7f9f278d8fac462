// Whole files read and written by their UTF-8 names.
#pragma once

#include "windows_api.h"

#include "environment.h"

namespace korvex::cfg {

class Win32Files : public Files {
 public:
  std::optional<std::string> Read(std::string_view path) override;
  bool Write(std::string_view path, std::string_view bytes) override;
  std::string Problem() const override { return problem_; }
  bool Exists(std::string_view path) override;
  std::string FullPath(std::string_view path) override;

 private:
  bool Failed(DWORD error);  // keeps the reason; false
  std::string problem_;
};

}  // namespace korvex::cfg
