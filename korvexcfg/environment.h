// What korvexcfg's commands run against: the registry, the volume, files and
// the system, each behind an interface, so that the tests give fakes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ansi_characters.h"
#include "platform.h"
#include "registry.h"
#include "system_state.h"

namespace korvex::cfg {

class Files {
 public:
  virtual ~Files() = default;
  // The file's bytes ("-": the standard input's), nothing when it cannot be read; of a file larger than
  // kLargestRegistryFile only the first kLargestRegistryFile + 1.
  virtual std::optional<std::string> Read(std::string_view path) = 0;
  // The whole file or, on failure, none of it: the file as it was.
  virtual bool Write(std::string_view path, std::string_view bytes) = 0;
  // Why the last Read or Write failed, in the system's words; empty if unknown.
  virtual std::string Problem() const { return {}; }
  virtual bool Exists(std::string_view path) = 0;
  // The path made absolute, for telling whether two name one file.
  virtual std::string FullPath(std::string_view path) { return std::string(path); }
};

struct Environment {
  Registry& registry;
  const AnsiCharacters& ansi;
  Volume& volume;
  Files& files;
  KeyLock& lock;  // held by a command that writes, from its read to its write
  SystemState& system;
  // The system's words for an error code; nothing where it has none.
  std::string (*error_text)(long code) = nullptr;
  // The system's code for the last call that failed on this thread; nothing where it keeps none.
  long (*last_error)() = nullptr;
};

}  // namespace korvex::cfg
