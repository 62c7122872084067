// The Windows test program of Win32Desktop.
#include <gtest/gtest.h>

#include "win32/windows_h.h"

int wmain(int argc, wchar_t** argv) {
    // As the program does: an unready drive fails its call instead of asking
    // the user to insert a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
