// <windows.h> for every Win32 source of the program. Its DeleteFile macro
// would rename the desktop's DeleteFile member, so it goes.
#pragma once

#include <windows.h>

#undef DeleteFile
