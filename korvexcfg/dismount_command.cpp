// dismount: the window's Dismount Volume button, from a script.
#include "command_parts.h"
#include "headless.h"

namespace korvex::cfg {
namespace {

// The volume calls of a dismount, each failure's reason kept as the system gave it.
class ReasonKeepingVolume : public Volume {
 public:
  ReasonKeepingVolume(Volume& volume, long (*last_error)()) : volume_(volume), last_error_(last_error) {}
  std::optional<VolumeHandle> Open(std::string_view path) override { return Kept(volume_.Open(path)); }
  bool Control(VolumeHandle volume, std::uint32_t code) override { return Kept(volume_.Control(volume, code)); }
  void Close(VolumeHandle volume) override { volume_.Close(volume); }
  long failure = 0;

 private:
  template <typename Outcome>
  Outcome Kept(Outcome outcome) {
    if (!outcome && last_error_) failure = last_error_();
    return outcome;
  }
  Volume& volume_;
  long (*last_error_)();
};

std::string_view FailedStep(DismountOutcome outcome) {
  switch (outcome) {
    case DismountOutcome::OpenFailed: return "it could not be opened";
    case DismountOutcome::LockFailed: return "it could not be locked (a program has a file open on it)";
    case DismountOutcome::UnlockFailed: return "it could not be unlocked after its dismount";
    default: return "the system refused the dismount";
  }
}

}  // namespace

CommandResult DismountCommand(Environment& environment, std::string_view drive) {
  auto letter = DriveOf(drive);
  if (!letter) return UsageError("dismount needs a drive letter from A to Z, as in: dismount R:");
  std::string name(1, *letter);
  ReasonKeepingVolume volume(environment.volume, environment.last_error);
  HeadlessEditor window(environment.registry, environment.ansi, volume, &environment.lock, false, false);
  DismountOutcome outcome = window.Model().Dismount(name);
  if (outcome != DismountOutcome::Dismounted)
    return Failed(kWriteFailed, {"dismount-failed", "The volume " + name + ": could not be dismounted: " +
                                                        std::string(FailedStep(outcome)) +
                                                        (volume.failure ? ": " + ErrorText(environment, volume.failure) : "") + ".",
                                 "", volume.failure});
  CommandResult result;
  result.report.subject = name;
  return result;
}

}  // namespace korvex::cfg
