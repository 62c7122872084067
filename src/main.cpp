// Tavolin: a strip of picture buttons for everyday desktop tasks.
#include "win32/windows_h.h"

#include "bar/frm_main.h"
#include "desktop/win32/win32_desktop.h"
#include "ui/win32/window_in_charge.h"
#include "ui/win32/run_alone.h"
#include "win32/system_library.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a library: none from Tavolin.exe's folder or
    // the current one.
    system_library::KeepLibrarySearchToTheSystem();
    // An empty floppy or an unreachable network drive must give our own
    // messages, never the system's "insert a disk" box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    tavolin::Win32Desktop desktop(ui::win32::WindowInCharge);
    tavolin::FrmMain bar(desktop);
    // One bar a sign-in session: started again, Tavolin brings it forward.
    ui::RunAlone(bar, L"Tavolin.Bar");
    return 0;
}
