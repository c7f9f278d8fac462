// korvlnch.dll: lets an installer start the configuration program. Its one
// export is found under its Microsoft-decorated C++ name, mapped onto this
// function by the module-definition file of each architecture.
#include <windows.h>
#include <shellapi.h>

extern "C" long __cdecl korvlnch_exec_config(HWND owner, long* /*unused: never read or written*/,
                                             const char* file) {
  static const char kCurrentDirectory[] = "";  // an empty text, not a null pointer
  // What the shell returns changes nothing: the installer is always told 0.
  ShellExecuteA(owner, "Open", file, "install", kCurrentDirectory, SW_SHOWNORMAL);
  return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
