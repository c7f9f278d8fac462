#include "status.h"

#include "ascii_text.h"
#include "command_parts.h"
#include "common_outcomes.h"
#include "value_text.h"
#include "inspection.h"
#include "number_text.h"
#include "parameter_format.h"
#include "setting_limits.h"

namespace korvex::cfg {
namespace {

constexpr std::uint64_t kKilobyte = 1024, kMegabyte = 1024 * 1024;
// A floppy's size is its kind's, whatever SizeIn4kPages holds.
constexpr std::uint64_t kFloppy144Bytes = 1440 * kKilobyte, kFloppy288Bytes = 2880 * kKilobyte;

struct ImageFile {
  const char* setting;  // as korvexcfg names it
  bool enabled = false;
  std::string path;  // UTF-8, without the \??\ prefix
};

// The disk the key describes, as the window reads it.
struct ConfiguredDisk {
  std::optional<char> letter;
  std::optional<std::uint64_t> size_bytes;
  bool expects_fat32 = false;
  ImageFile load{"load-file", false, {}}, save{"save-file", false, {}};
};

bool On(const DwordValue& value) { return value.present && CheckValueFromStored(value.number) == 1; }

ConfiguredDisk Configured(const FoundValues& key, const AnsiCharacters& ansi) {
  ParameterSet set = WindowReading(key);
  ConfiguredDisk disk;
  if (set.UserDriveLetter.present) disk.letter = DriveOf(set.UserDriveLetter.bytes);
  // An absent or empty type reads as a hard disk, as in the window.
  int kind = set.DiskType.bytes.empty() ? 0 : ListIndexForDiskCode(set.DiskType.bytes).value_or(-1);
  if (kind == static_cast<int>(DiskKind::Floppy144)) {
    disk.size_bytes = kFloppy144Bytes;
  } else if (kind == static_cast<int>(DiskKind::Floppy288)) {
    disk.size_bytes = kFloppy288Bytes;
  } else if (kind == static_cast<int>(DiskKind::HardDisk) && set.SizeIn4kPages.present &&
             set.SizeIn4kPages.number > 0) {
    disk.size_bytes = static_cast<std::uint64_t>(set.SizeIn4kPages.number) * 4096;
    // The window offers FAT32 only above its threshold.
    disk.expects_fat32 = On(set.DiskFormatFAT32) && *disk.size_bytes > kFat32Threshold * kMegabyte;
  }
  auto image = [&](ImageFile& file, const DwordValue& check, const TextValue& path) {
    file.enabled = On(check) && path.present;
    file.path = ShownFilePath(ansi.FromAnsi(path.bytes));
  };
  image(disk.load, set.LoadImageOnStart, set.LoadImageFile);
  image(disk.save, set.SaveImageOnExit, set.SaveImageFile);
  return disk;
}

std::string Size(std::uint64_t bytes) {
  if (bytes < 10 * kMegabyte) return IntegerText(static_cast<long long>((bytes + kKilobyte / 2) / kKilobyte)) + " KB";
  return IntegerText(static_cast<long long>((bytes + kMegabyte / 2) / kMegabyte)) + " MB";
}

std::string Drive(char letter) { return std::string(1, letter) + ":"; }

// "C:\images\" of "C:\images\disk.img"; nothing for a name without a folder.
std::optional<std::string> FolderOf(const std::string& path) {
  std::size_t end = path.find_last_of('\\');
  if (end == std::string::npos) return std::nullopt;
  return path.substr(0, end + 1);
}

std::optional<char> DriveOfPath(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return std::nullopt;
  return DriveOf(path.substr(0, 2));
}

bool IsFat32(std::string_view file_system) { return EqualsIgnoringCase(file_system, "FAT32"); }

bool Stopped(const ServiceInfo& service) {
  return service.installed == false || service.state == ServiceState::Stopped;
}

// Loaded, its volume made: running, paused, or on its way between the two.
bool Loaded(const ServiceInfo& service) {
  if (service.installed != true || !service.state) return false;
  ServiceState state = *service.state;
  return state == ServiceState::Running || state == ServiceState::ContinuePending ||
         state == ServiceState::PausePending || state == ServiceState::Paused;
}

struct Facts {
  ConfiguredDisk disk;
  ServiceInfo service;
  VolumeInfo volume;
};

Facts Ask(Environment& environment, const FoundValues& key) {
  Facts facts{Configured(key, environment.ansi), environment.system.Service(), {}};
  if (facts.disk.letter) facts.volume = environment.system.Volume(*facts.disk.letter);
  return facts;
}

std::vector<Problem> WarningsOf(const Facts& facts, SystemState& system) {
  std::vector<Problem> warnings;
  const ConfiguredDisk& disk = facts.disk;
  std::uint64_t memory = system.PhysicalMemory();
  if (disk.size_bytes && memory != 0 && *disk.size_bytes > memory)
    warnings.push_back({"size-exceeds-memory", "the disk (" + Size(*disk.size_bytes) +
                                                   ") is larger than the physical memory (" + Size(memory) + ")"});
  // Without the driver running, a volume at its letter can only be another one.
  if (disk.letter && facts.volume.present && Stopped(facts.service))
    warnings.push_back({"letter-in-use", Drive(*disk.letter) +
                                             " is used by another volume while the driver is not running"});
  for (const ImageFile* image : {&disk.load, &disk.save}) {
    if (!image->enabled) continue;
    if (auto problem = ImagePathProblem(image->path)) {
      warnings.push_back({"image-path-" + problem->code, std::string(image->setting) + " " + Printable(image->path) + ": " +
                          problem->message, image->setting});
      continue;
    }
    auto drive = DriveOfPath(image->path);
    if (disk.letter && drive == disk.letter) {
      // The disk's contents cannot be kept on the disk itself; its folder and
      // free space are of no interest then.
      warnings.push_back({"image-on-ram-disk", std::string(image->setting) + " " + image->path +
                                                   " lies on the RAM disk's own drive " + Drive(*disk.letter)});
      continue;
    }
    auto folder = FolderOf(image->path);
    if (!folder) continue;
    if (!system.FolderExists(*folder)) {
      warnings.push_back({"image-folder-missing",
                          "the folder " + *folder + " of " + image->setting + " does not exist"});
      continue;
    }
    if (image != &disk.save || !disk.size_bytes) continue;
    auto free = system.FreeBytes(*folder);
    if (free && *free < *disk.size_bytes)
      warnings.push_back({"image-drive-too-small", "the drive of " + *folder + " has " + Size(*free) +
                                                       " free, less than the disk's " + Size(*disk.size_bytes)});
  }
  return warnings;
}

std::optional<bool> RestartRequired(const Facts& facts, std::optional<std::uint64_t> written, SystemState& system,
                                    std::vector<std::string>& reasons) {
  if (Stopped(facts.service)) return false;  // nothing waits
  // Also while it starts or stops: its volume may come or go at any moment.
  if (!Loaded(facts.service)) return std::nullopt;
  const ConfiguredDisk& disk = facts.disk;
  const VolumeInfo& volume = facts.volume;
  bool unknown = false;
  if (!disk.letter) {
    unknown = true;
  } else if (!volume.present) {
    reasons.push_back(std::string("the drive letter ") + *disk.letter + " has no volume");
  } else {
    if (!disk.size_bytes || !volume.size_bytes) {
      unknown = true;
    } else if (std::uint64_t configured = *disk.size_bytes, size = *volume.size_bytes;
               // The file system takes some of the disk; never more than a tenth.
               size > configured || size * 10 < configured * 9) {
      reasons.push_back("the volume has " + Size(size) + ", the disk is set to " + Size(configured));
    }
    if (volume.file_system.empty())
      unknown = true;
    else if (IsFat32(volume.file_system) != disk.expects_fat32)
      reasons.push_back("the volume is " + volume.file_system + (disk.expects_fat32 ? ", the disk is set to FAT32"
                                                                                   : ", the disk is not set to FAT32"));
  }
  // The driver's own start time is not to be had: a kernel driver has no
  // process whose creation time would tell it. Whatever its start type, it
  // started no earlier than the system, so a key written after the system's
  // start may have been read by it; for a manual start this can also name
  // a write made between the system's start and the driver's.
  auto started = system.SystemStartedAt();
  if (!written || !started)
    unknown = true;
  else if (*written > started->at)
    reasons.push_back("written after the driver started");
  else if (started->may_be_earlier)
    unknown = true;
  if (!reasons.empty()) return true;
  if (unknown) return std::nullopt;
  return false;
}

std::string StartTypeName(StartType type) {
  switch (type) {
    case StartType::Boot: return "boot";
    case StartType::System: return "system";
    case StartType::Automatic: return "automatic";
    case StartType::Manual: return "manual";
    case StartType::Disabled: return "disabled";
  }
  return "type " + IntegerText(static_cast<long long>(type));
}

std::string StateName(ServiceState state) {
  switch (state) {
    case ServiceState::Stopped: return "stopped";
    case ServiceState::StartPending: return "start pending";
    case ServiceState::StopPending: return "stop pending";
    case ServiceState::Running: return "running";
    case ServiceState::ContinuePending: return "continue pending";
    case ServiceState::PausePending: return "pause pending";
    case ServiceState::Paused: return "paused";
  }
  return "state " + IntegerText(static_cast<long long>(state));
}

std::string ServiceLine(const ServiceInfo& service) {
  std::string line = "service:   korvex, ";
  if (!service.installed) return line + "the service manager cannot be asked\n";
  if (!*service.installed) return line + "not installed\n";
  line += "installed";
  if (service.start_type) line += ", start: " + StartTypeName(*service.start_type);
  if (service.state) line += ", " + StateName(*service.state);
  return line + "\n";
}

}  // namespace

StatusReport GatherStatus(Environment& environment, const FoundValues& key, std::optional<std::uint64_t> key_written) {
  Facts facts = Ask(environment, key);
  StatusReport report;
  report.service = facts.service;
  if (facts.disk.letter) {
    report.volume.letter = *facts.disk.letter;
    report.volume.present = facts.volume.present;
    report.volume.size_bytes = facts.volume.size_bytes;
    report.volume.file_system = facts.volume.file_system;
  }
  report.restart_required = RestartRequired(facts, key_written, environment.system, report.restart_reasons);
  report.warnings = WarningsOf(facts, environment.system);
  return report;
}

std::vector<Problem> Warnings(Environment& environment, const FoundValues& key) {
  return WarningsOf(Ask(environment, key), environment.system);
}

std::string WarningLines(const std::vector<Problem>& warnings, std::string_view label) {
  std::string text;
  for (const Problem& warning : warnings) text += std::string(label) + warning.code + ": " + warning.message + "\n";
  return text;
}

std::string StatusText(const StatusReport& report, bool key_read) {
  std::string text = ServiceLine(report.service);
  if (!key_read) return text;
  const VolumeStatus& volume = report.volume;
  text += "volume:    ";
  if (!volume.letter) {
    text += "no valid drive letter is set\n";
  } else {
    text += Drive(volume.letter) + (volume.present ? " present" : " none");
    if (volume.present && volume.size_bytes) text += ", " + Size(*volume.size_bytes);
    if (volume.present && !volume.file_system.empty()) text += ", " + volume.file_system;
    text += "\n";
  }
  text += "settings:  ";
  if (report.restart_required == true) {
    for (std::size_t i = 0; i < report.restart_reasons.size(); ++i)
      text += (i ? "; " : "") + report.restart_reasons[i];
    text += ": restart required\n";
  } else if (report.restart_required == false) {
    text += Loaded(report.service) ? "in effect\n" : "the driver is not running: no restart waits\n";
  } else if (report.service.state == ServiceState::StartPending || report.service.state == ServiceState::StopPending) {
    text += "the driver is starting or stopping: whether a restart is required cannot be told\n";
  } else {
    text += "whether a restart is required cannot be told\n";
  }
  return text + WarningLines(report.warnings, "warning:   ");
}

CommandResult StatusCommand(Environment& environment) {
  ParametersKey key(environment.registry);
  CommandResult result;
  if (key.OpenStatus() != 0) {
    result = KeyUnavailable(environment, key.OpenStatus());
  } else if (!NoteUnreadable(environment, key.Values(), result)) {
    StatusReport report = GatherStatus(environment, key.Values(), key.LastWritten());
    result.report.values = key.Values();
    result.report.restart_required = report.restart_required;
    result.report.warnings = report.warnings;
    result.report.status = std::move(report);
    return result;
  }
  // A value that cannot be read would make the answers about the driver guesses: the service alone.
  result.report.status.emplace().service = environment.system.Service();
  return result;
}

}  // namespace korvex::cfg
