// The posix-threads runtime of the 32-bit build imports three functions that
// Windows 2000 lacks (the program itself never starts a thread). Its import
// slots are filled here instead: each looks the function up at run time and
// falls back where the system is older.
#include <windows.h>

namespace {

FARPROC Kernel32Function(const char* name) { return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name); }

template <typename Function>
Function Lookup(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(Kernel32Function(name)));
}

ULONGLONG WINAPI TickCount64() {
  static const auto real = Lookup<ULONGLONG(WINAPI*)()>("GetTickCount64");
  if (real) return real();
  // Older systems: extend the 32-bit count, which wraps after 49.7 days.
  static DWORD last = 0, wraps = 0;
  DWORD now = GetTickCount();
  if (now < last) ++wraps;
  last = now;
  return (static_cast<ULONGLONG>(wraps) << 32) | now;
}

PVOID WINAPI AddVectoredHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  static const auto real = Lookup<PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER)>("AddVectoredExceptionHandler");
  return real ? real(first, handler) : nullptr;
}

ULONG WINAPI RemoveVectoredHandler(PVOID handle) {
  static const auto real = Lookup<ULONG(WINAPI*)(PVOID)>("RemoveVectoredExceptionHandler");
  return real && handle ? real(handle) : 0;
}

}  // namespace

// The import slots, under the names the import library would give them.
extern "C" {
ULONGLONG(WINAPI* korvex_GetTickCount64)() __asm__("__imp__GetTickCount64@0") = TickCount64;
PVOID(WINAPI* korvex_AddVectoredExceptionHandler)(ULONG, PVECTORED_EXCEPTION_HANDLER) __asm__(
    "__imp__AddVectoredExceptionHandler@8") = AddVectoredHandler;
ULONG(WINAPI* korvex_RemoveVectoredExceptionHandler)(PVOID) __asm__("__imp__RemoveVectoredExceptionHandler@4") =
    RemoveVectoredHandler;
}
