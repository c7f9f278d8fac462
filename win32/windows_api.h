// windows.h without the macro that would rename the Editor's LoadImage
// control to LoadImageW in every file that sees both; the code calls the
// function by its explicit name.
#pragma once

#include <windows.h>
#undef LoadImage
