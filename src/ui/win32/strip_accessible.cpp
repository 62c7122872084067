// A strip of pictures as screen readers see it: a tool bar whose children
// are push buttons, one a cell, left to right, each named by its picture's
// accessibleName and pressed by its default action. What the strip does not
// answer itself (its parent, the "?" button inside it) the system's own
// object for the window answers.
#include <vector>

#include "ui/win32/accessibility.h"
#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

VARIANT Child(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

class StripAccessible final : public DelegatingAccessible {
public:
    StripAccessible(IAccessible* standard, HWND strip)
        : DelegatingAccessible(standard), strip_(strip) {}

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        const Frame* frame = Strip();
        if (!frame) return E_FAIL;
        *count = static_cast<LONG>(CellsOf(*frame).size());
        return S_OK;
    }

    // The cells are simple elements, answered through the strip itself.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        return CellIndex(child) >= 0 ? S_FALSE : E_INVALIDARG;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child)) return DelegatingAccessible::get_accName(child, name);
        const Picture* shown = ShownIn(child);
        if (!shown) return E_INVALIDARG;
        return AnswerText(shown->accessibleName.c_str(), name);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (!IsSelf(child) && CellIndex(child) < 0) return E_INVALIDARG;
        *role = Child(IsSelf(child) ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (IsSelf(child)) return DelegatingAccessible::get_accState(child, state);
        if (!state) return E_POINTER;
        const int index = CellIndex(child);
        if (index < 0) return E_INVALIDARG;
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == strip_ && index == Focused()) flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowEnabled(GetAncestor(strip_, GA_ROOT))) flags |= STATE_SYSTEM_UNAVAILABLE;
        *state = Child(flags);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) return E_POINTER;
        child->vt = VT_EMPTY;
        if (GetFocus() != strip_) return S_FALSE;
        *child = Child(Focused() + 1);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsSelf(child)) return DelegatingAccessible::get_accDefaultAction(child, action);
        if (CellIndex(child) < 0) return E_INVALIDARG;
        return AnswerText(kPress, action);
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (IsSelf(child))
            return DelegatingAccessible::accLocation(left, top, width, height, child);
        if (!left || !top || !width || !height) return E_POINTER;
        const int index = CellIndex(child);
        if (index < 0) return E_INVALIDARG;
        RECT cell = CellsOf(*Strip())[index].rect;
        MapWindowPoints(strip_, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        *left = cell.left;
        *top = cell.top;
        *width = cell.right - cell.left;
        *height = cell.bottom - cell.top;
        return S_OK;
    }

    // As a tool bar's: along the row, no wrapping, and into it from the ends.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        const Frame* frame = Strip();
        if (!frame) return E_FAIL;
        const LONG count = static_cast<LONG>(CellsOf(*frame).size());
        LONG to = 0;
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD)
                to = 1;
            else if (direction == NAVDIR_LASTCHILD)
                to = count;
            else
                return DelegatingAccessible::accNavigate(direction, start, end);
        } else {
            const int index = CellIndex(start);
            if (index < 0) return E_INVALIDARG;
            if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT)
                to = index + 2;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT)
                to = index;
        }
        end->vt = VT_EMPTY;
        if (to < 1 || to > count) return S_FALSE;
        *end = Child(to);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        if (!child) return E_POINTER;
        const Frame* frame = Strip();
        if (!frame) return E_FAIL;
        POINT at{left, top};
        ScreenToClient(strip_, &at);
        const std::vector<Cell> cells = CellsOf(*frame);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (PtInRect(&cells[i].rect, at)) {
                *child = Child(static_cast<LONG>(i) + 1);
                return S_OK;
            }
        }
        return DelegatingAccessible::accHitTest(left, top, child);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (IsSelf(child)) return DelegatingAccessible::accDoDefaultAction(child);
        const int index = CellIndex(child);
        if (index < 0) return E_INVALIDARG;
        // Posted: what a press opens (the Run dialog waits for its close)
        // must not hold the screen reader that asked for it.
        return PostMessageW(strip_, kPressMessage, index, 0) ? S_OK : E_FAIL;
    }

private:
    // The strip's frame while its window lives.
    const Frame* Strip() const {
        if (!IsWindow(strip_)) return nullptr;
        auto* frame = reinterpret_cast<const Frame*>(GetWindowLongPtrW(strip_, GWLP_USERDATA));
        return frame && frame->handle ? frame : nullptr;
    }

    // The index of the cell a child id names, or -1.
    int CellIndex(const VARIANT& child) const {
        const Frame* frame = Strip();
        if (!frame || child.vt != VT_I4) return -1;
        const LONG count = static_cast<LONG>(CellsOf(*frame).size());
        return child.lVal >= 1 && child.lVal <= count ? static_cast<int>(child.lVal - 1) : -1;
    }

    const Picture* ShownIn(const VARIANT& child) const {
        const int index = CellIndex(child);
        return index >= 0 ? CellsOf(*Strip())[index].Shown() : nullptr;
    }

    int Focused() const { return FormOf(*Strip()).strips[Strip()].focused; }

    const HWND strip_;
};

}  // namespace

LRESULT StripObject(HWND strip, WPARAM flags) {
    IAccessible* standard = StandardClientObject(strip);
    return standard ? AnswerObject(new StripAccessible(standard, strip), flags) : 0;
}

}  // namespace ui::win32
