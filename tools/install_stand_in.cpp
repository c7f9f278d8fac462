// A stand-in for an installer of the product: loads korvlnch.dll, finds its
// export by the decorated name, and starts the given program through it.
// Usage: install_stand_in KORVLNCH.DLL PROGRAM.EXE
#include <windows.h>

#include <cstdio>

#include "korvlnch.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_stand_in KORVLNCH.DLL PROGRAM.EXE\n");
    return 2;
  }
  HMODULE library = LoadLibraryA(argv[1]);
  auto exec_config = library ? reinterpret_cast<KorvlnchExecConfig>(
                                   reinterpret_cast<void*>(GetProcAddress(library, kKorvlnchExecConfigExport)))
                             : nullptr;
  if (!exec_config) {
    std::fprintf(stderr, "%s has no export %s\n", argv[1], kKorvlnchExecConfigExport);
    return 1;
  }
  char program[MAX_PATH];
  GetFullPathNameA(argv[2], MAX_PATH, program, nullptr);
  long result = exec_config(nullptr, nullptr, program);
  std::printf("fnKorvlnch_ExecConfig returned %ld\n", result);
  FreeLibrary(library);
  return 0;
}
