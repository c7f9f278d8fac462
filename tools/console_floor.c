/* The floor for korvexcfg's start: a plain C console program that opens the
   Parameters key, reads the ten values and prints each one's type and size. */
#include <windows.h>
#include <stdio.h>

int main(void) {
  static const char* const names[] = {"DiskType", "LoadImageOnStart", "LoadImageFile", "SaveImageOnExit",
                                      "SaveImageFile", "SizeIn4kPages", "DiskFormatFAT32", "AutoSaveEnabled",
                                      "AutoSaveTrigger", "UserDriveLetter"};
  HKEY key;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\korvex\\Parameters", &key) != 0) return 3;
  for (int i = 0; i < 10; ++i) {
    BYTE data[132];
    DWORD type = 0, size = sizeof data;
    if (RegQueryValueExA(key, names[i], NULL, &type, data, &size) == 0)
      printf("%-17s type %lu, %lu bytes\n", names[i], (unsigned long)type, (unsigned long)size);
    else
      printf("%-17s absent\n", names[i]);
  }
  RegCloseKey(key);
  return 0;
}
