#include "win32_system_state.h"

#include <cstdio>

#include "windows_api.h"

#include <vector>

#include "parameter_set.h"
#include "wide_text.h"

namespace korvex::cfg {
namespace {

// No "insert a disk" box for an empty floppy or card drive: just no answer.
class QuietErrors {
 public:
  QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietErrors() { SetErrorMode(previous_); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  UINT previous_;
};

class ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
  ~ServiceHandle() {
    if (handle_) CloseServiceHandle(handle_);
  }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

// Functions Windows 2000 lacks, looked up where they may exist.
template <typename Function>
Function Kernel32Function(const char* name) {
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  return kernel32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name))) : nullptr;
}

std::uint64_t Join(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

}  // namespace

ServiceInfo Win32SystemState::Service() {
  ServiceInfo info;
  ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager.get()) return info;
  ServiceHandle service(OpenServiceW(manager.get(), L"korvex", SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG));
  if (!service.get()) {
    if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST) info.installed = false;
    return info;
  }
  info.installed = true;
  SERVICE_STATUS status{};
  if (QueryServiceStatus(service.get(), &status))
    info.state = static_cast<ServiceState>(status.dwCurrentState);
  DWORD needed = 0;
  QueryServiceConfigW(service.get(), nullptr, 0, &needed);
  // The configuration with its strings; QUERY_SERVICE_CONFIGW's own alignment.
  std::vector<QUERY_SERVICE_CONFIGW> buffer(needed / sizeof(QUERY_SERVICE_CONFIGW) + 1);
  DWORD size = static_cast<DWORD>(buffer.size() * sizeof(QUERY_SERVICE_CONFIGW));
  if (QueryServiceConfigW(service.get(), buffer.data(), size, &needed) && buffer[0].dwStartType <= SERVICE_DISABLED)
    info.start_type = static_cast<StartType>(buffer[0].dwStartType);
  return info;
}

VolumeInfo Win32SystemState::Volume(char letter) {
  VolumeInfo info;
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
  QuietErrors quiet;
  UINT type = GetDriveTypeW(root);
  if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return info;
  info.present = true;
  wchar_t file_system[MAX_PATH + 1] = {};
  if (GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, file_system, MAX_PATH + 1))
    info.file_system = win32::Narrow(file_system);
  ULARGE_INTEGER available{}, total{}, free{};
  if (GetDiskFreeSpaceExW(root, &available, &total, &free)) info.size_bytes = total.QuadPart;
  return info;
}

std::uint64_t Win32SystemState::PhysicalMemory() {
  // GlobalMemoryStatus stops at 4 GB (2 GB for some programs); its Ex form
  // does not, where it exists.
  using StatusEx = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  if (auto status_ex = Kernel32Function<StatusEx>("GlobalMemoryStatusEx")) {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (status_ex(&status)) return status.ullTotalPhys;
  }
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return status.dwTotalPhys;
}

std::optional<SystemStart> Win32SystemState::SystemStartedAt() {
  FILETIME now_time{};
  GetSystemTimeAsFileTime(&now_time);
  std::uint64_t now = Join(now_time.dwHighDateTime, now_time.dwLowDateTime);
  SystemStart start;
  std::uint64_t milliseconds = 0;
  using TickCount64 = ULONGLONG(WINAPI*)();
  if (auto tick_count_64 = Kernel32Function<TickCount64>("GetTickCount64")) {
    milliseconds = tick_count_64();
  } else {
    milliseconds = GetTickCount();  // before Vista: wraps every 49.7 days
    start.may_be_earlier = true;
  }
  constexpr std::uint64_t kStepsPerMillisecond = 10000;
  if (milliseconds > now / kStepsPerMillisecond) return std::nullopt;  // a clock set before 1601
  start.at = now - milliseconds * kStepsPerMillisecond;
  return start;
}

std::string Win32SystemState::LocalTimeStamp() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

bool Win32SystemState::FolderExists(std::string_view path) {
  QuietErrors quiet;
  DWORD attributes = GetFileAttributesW(win32::Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::uint64_t> Win32SystemState::FreeBytes(std::string_view folder) {
  QuietErrors quiet;
  ULARGE_INTEGER available{}, total{}, free{};
  // The driver writes the image as the system, so every free byte counts, not
  // only those left to this user.
  if (!GetDiskFreeSpaceExW(win32::Widen(folder).c_str(), &available, &total, &free)) return std::nullopt;
  return free.QuadPart;
}

}  // namespace korvex::cfg
