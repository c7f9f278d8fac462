// korvex.exe: the Korvane Configuration Utility.
#include "windows_api.h"

#include "program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  korvex::window::Program program;
  if (!program.StartProgram()) return 1;
  return program.RunMessageLoop();
}
