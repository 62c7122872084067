#include "ui/win32/ole.h"

#include "win32/system_library.h"

namespace ui::win32 {

namespace {

using system_library::FunctionOf;

// Set up once; its end comes with the program's, after every window of
// the program (and so every drop target) has gone.
class Ole {
public:
    Ole() {
        HMODULE ole = system_library::LoadSystemLibrary(L"ole32.dll");
        const auto initialize = FunctionOf<decltype(&OleInitialize)>(ole, "OleInitialize");
        uninitialize_ = FunctionOf<decltype(&OleUninitialize)>(ole, "OleUninitialize");
        if (!initialize || !uninitialize_ || FAILED(initialize(nullptr))) {
            uninitialize_ = nullptr;
            return;
        }
        functions_.registerTarget =
            FunctionOf<decltype(&RegisterDragDrop)>(ole, "RegisterDragDrop");
        functions_.revokeTarget = FunctionOf<decltype(&RevokeDragDrop)>(ole, "RevokeDragDrop");
        functions_.releaseMedium = FunctionOf<decltype(&ReleaseStgMedium)>(ole, "ReleaseStgMedium");
    }
    ~Ole() {
        if (uninitialize_) uninitialize_();
    }
    Ole(const Ole&) = delete;
    Ole& operator=(const Ole&) = delete;

    const OleFunctions& functions() const { return functions_; }

private:
    OleFunctions functions_;
    decltype(&OleUninitialize) uninitialize_ = nullptr;
};

}  // namespace

const OleFunctions& StartOle() {
    static const Ole ole;
    return ole.functions();
}

}  // namespace ui::win32
