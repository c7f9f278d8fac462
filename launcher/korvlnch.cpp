// korvlnch.dll: lets an installer start the configuration program. Its one
// export is found under its Microsoft-decorated C++ name, mapped onto this
// function by the module-definition file of each architecture.
#include <windows.h>
#include <shellapi.h>

namespace {

// A path the shell can take: present, not empty, shorter than MAX_PATH. Reads
// no further than MAX_PATH bytes, whatever the caller passed.
bool UsablePath(const char* file) {
  if (!file) return false;
  for (int length = 0; length < MAX_PATH; ++length)
    if (file[length] == '\0') return length > 0;
  return false;
}

}  // namespace

extern "C" long __cdecl korvlnch_exec_config(HWND owner, long* /*unused: never read or written*/,
                                             const char* file) {
  static const char kCurrentDirectory[] = "";  // an empty text, not a null pointer
  // What the shell returns changes nothing: the installer is always told 0.
  // Longer paths crash some shells, and none can start them.
  if (UsablePath(file)) ShellExecuteA(owner, "Open", file, "install", kCurrentDirectory, SW_SHOWNORMAL);
  return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
