// Files and folders dropped on a form, through the shell's drag and drop
// (Wine turns a Linux file manager's drop into the same): the control under
// the pointer says whether it takes them, so that the pointer shows it
// before the button is let go. The libraries this needs are loaded once the
// form has been shown, so start-up loads nothing for it.
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/win32/native.h"
#include "ui/win32/ole.h"

namespace ui::win32 {

namespace {

// The full paths a drag carries, in its order; none when it carries no files.
// Read from the drop's own list, a DROPFILES header and then the paths, each
// ended by a zero and the list by another, rather than through the shell's
// library, which would be loaded for it alone.
std::vector<std::wstring> PathsOf(IDataObject* data) {
    std::vector<std::wstring> paths;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return paths;
    const SIZE_T size = GlobalSize(medium.hGlobal);
    if (const auto* header = static_cast<const DROPFILES*>(GlobalLock(medium.hGlobal))) {
        // Only the wide list: every system that sends a drop sends one.
        if (header->fWide && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
            const auto* at = reinterpret_cast<const wchar_t*>(
                reinterpret_cast<const char*>(header) + header->pFiles);
            const auto* end =
                reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(header) + size);
            while (at < end && *at) {
                const wchar_t* stop = at;
                while (stop < end && *stop) ++stop;
                paths.emplace_back(at, stop);
                at = stop + 1;
            }
        }
        GlobalUnlock(medium.hGlobal);
    }
    StartOle().releaseMedium(&medium);
    return paths;
}

// The control of the form under a point of the screen: a picture of a
// strip, or a control with a window of its own; null over a gap.
Control* ControlAt(HWND form, POINTL point) {
    POINT at{point.x, point.y};
    HWND window = form;
    for (;;) {
        POINT inside = at;
        ScreenToClient(window, &inside);
        HWND child = RealChildWindowFromPoint(window, inside);
        if (!child || child == window) break;
        window = child;
    }
    if (window == form) return nullptr;
    ScreenToClient(window, &at);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == kStripClass) return PictureAt(window, at);
    return reinterpret_cast<Control*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(HWND form) : form_(form) {}
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDropTarget)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    // Each control is asked once a drag whether it takes the files, as the
    // drag comes in, not at every move: the answer may ask the file system
    // about every path, and a slow share would hold both programs.
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override {
        JudgeDrag(PathsOf(data));
        return DragOver(keys, point, effect);
    }

    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_POINTER;
        *effect = Taker(point) && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE DragLeave() override {
        JudgeDrag({});
        return S_OK;
    }

    // Taken after the drop has ended: what it opens (the Run dialog waits
    // for its close) must not hold the program the files came from.
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        if (!effect) return E_POINTER;
        if (std::vector<std::wstring> paths = PathsOf(data); paths != paths_)
            JudgeDrag(std::move(paths));
        Control* taker = Taker(point);
        *effect = taker ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        if (FormWindow* window = taker ? &FormOf(*taker) : nullptr) {
            window->pendingDrop = {taker, paths_};
            PostMessageW(form_, kDropMessage, 0, 0);
        }
        JudgeDrag({});
        return S_OK;
    }

private:
    ~DropTarget() = default;

    void JudgeDrag(std::vector<std::wstring> paths) {
        paths_ = std::move(paths);
        takers_.clear();
        const Form* form = FormFromWindow(form_);
        if (!form || paths_.empty()) return;
        for (Control* control : form->Controls())
            if (control->TakesDrop(paths_)) takers_.insert(control);
    }

    // The control under the point, if it would take the drag's files now.
    Control* Taker(POINTL point) {
        Control* control = ControlAt(form_, point);
        return control && TakesInput(form_) && takers_.count(control) ? control : nullptr;
    }

    LONG references_ = 1;
    const HWND form_;
    std::vector<std::wstring> paths_;
    std::set<Control*> takers_;
};

}  // namespace

bool TakesDrops(const Form& form) {
    for (const Control* control : form.Controls())
        if (control->acceptsDrop) return true;
    return false;
}

void AcceptDrops(FormWindow& window) {
    const OleFunctions& ole = StartOle();
    if (!ole.ready() || window.acceptingDrops) return;
    auto* target = new DropTarget(window.hwnd);
    window.acceptingDrops = SUCCEEDED(ole.registerTarget(window.hwnd, target));
    target->Release();  // the system holds its own reference while registered
}

void RefuseDrops(FormWindow& window) {
    if (!window.acceptingDrops) return;
    StartOle().revokeTarget(window.hwnd);
    window.acceptingDrops = false;
}

void TakePendingDrop(FormWindow& window) {
    if (!window.pendingDrop.control) return;
    const PendingDrop drop = std::move(window.pendingDrop);
    window.pendingDrop = {};
    drop.control->Drop(drop.paths);
}

}  // namespace ui::win32
