// For installers: how to find and call korvlnch.dll's one export.
#pragma once

#include <windows.h>

// Starts `program` with the argument "install" and always returns 0; `unused`
// is never read or written. A null or empty path, or one of MAX_PATH
// characters or more, starts nothing. cdecl on x86. Microsoft's compiler
// decorates this declaration to the export's name below.
long __cdecl fnKorvlnch_ExecConfig(HWND owner, long* unused, const char* program);

// The export found at run time (LoadLibrary, GetProcAddress) has this type.
using KorvlnchExecConfig = long(__cdecl*)(HWND, long*, const char*);

// The export's name as Microsoft's compiler decorates it for this architecture.
#if defined(_WIN64)
inline constexpr char kKorvlnchExecConfigExport[] = "?fnKorvlnch_ExecConfig@@YAJPEAUHWND__@@PEAJPEBD@Z";
#else
inline constexpr char kKorvlnchExecConfigExport[] = "?fnKorvlnch_ExecConfig@@YAJPAUHWND__@@PAJPBD@Z";
#endif
