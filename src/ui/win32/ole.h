// OLE, which a screen reader's questions from another process and files
// dropped on a form both need: loaded from the system directory and set up
// on the program's one thread by whichever needs it first (most runs meet
// neither, and start-up stays as light as a bare window's), and ended when
// the program ends.
#pragma once

#include <ole2.h>

namespace ui::win32 {

struct OleFunctions {
    decltype(&RegisterDragDrop) registerTarget = nullptr;
    decltype(&RevokeDragDrop) revokeTarget = nullptr;
    decltype(&ReleaseStgMedium) releaseMedium = nullptr;
    bool ready() const { return registerTarget && revokeTarget && releaseMedium; }
};

// Not ready where OLE cannot be loaded or set up on the thread.
const OleFunctions& StartOle();

}  // namespace ui::win32
