// A strip of pictures as screen readers see it: a tool bar whose children
// are push buttons, one a picture, left to right, each named by its
// accessibleName and pressed by its default action. The system's own object
// for the window answers for the strip itself (its parent, its place); the
// other controls standing in it (the "?" button) answer for themselves.
#include <vector>

#include "ui/win32/accessibility.h"
#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

class StripAccessible final : public AccessibleObject {
public:
    StripAccessible(IAccessible* standard, HWND strip)
        : AccessibleObject(standard, true), strip_(strip) {}

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!child) return E_POINTER;
        child->vt = VT_EMPTY;
        if (GetFocus() != strip_ || !Strip()) return S_FALSE;
        // The strip itself until a key chooses a cell.
        *child = ChildId(ChosenCell(strip_) + 1);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        if (!child) return E_POINTER;
        const PictureStrip* strip = Strip();
        if (!strip) return E_FAIL;
        POINT at{left, top};
        ScreenToClient(strip_, &at);
        for (size_t i = 0; i < strip->Pictures().size(); ++i) {
            const RECT cell = CellOf(*strip, static_cast<int>(i));
            if (PtInRect(&cell, at)) {
                *child = ChildId(static_cast<LONG>(i) + 1);
                return S_OK;
            }
        }
        return AccessibleObject::accHitTest(left, top, child);
    }

private:
    LONG ChildCount() override {
        const PictureStrip* strip = Strip();
        return strip ? static_cast<LONG>(strip->Pictures().size()) : 0;
    }

    // The cells are simple elements, answered through the strip itself.
    HRESULT Child(const Subject& subject, IDispatch** object) override {
        if (subject.self) return AccessibleObject::Child(subject, object);
        if (!object) return E_POINTER;
        *object = nullptr;
        return S_FALSE;
    }

    HRESULT Name(const Subject& subject, BSTR* name) override {
        if (subject.self) return AccessibleObject::Name(subject, name);
        return AnswerText(Strip()->Pictures()[subject.index]->accessibleName.c_str(), name);
    }

    HRESULT Role(const Subject& subject, VARIANT* role) override {
        return AnswerNumber(subject.self ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON, role);
    }

    HRESULT State(const Subject& subject, VARIANT* state) override {
        if (subject.self) return AccessibleObject::State(subject, state);
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == strip_ && subject.index == ChosenCell(strip_))
            flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowEnabled(GetAncestor(strip_, GA_ROOT))) flags |= STATE_SYSTEM_UNAVAILABLE;
        return AnswerNumber(flags, state);
    }

    HRESULT DefaultAction(const Subject& subject, BSTR* action) override {
        if (subject.self) return AccessibleObject::DefaultAction(subject, action);
        return AnswerText(kPress, action);
    }

    HRESULT DoDefaultAction(const Subject& subject) override {
        if (subject.self) return AccessibleObject::DoDefaultAction(subject);
        return PostMessageW(strip_, kPressMessage, subject.index, 0) ? S_OK : E_FAIL;
    }

    HRESULT Location(const Subject& subject, LONG* left, LONG* top, LONG* width,
                     LONG* height) override {
        if (subject.self) return AccessibleObject::Location(subject, left, top, width, height);
        if (!left || !top || !width || !height) return E_POINTER;
        RECT cell = CellOf(*Strip(), subject.index);
        MapWindowPoints(strip_, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        *left = cell.left;
        *top = cell.top;
        *width = cell.right - cell.left;
        *height = cell.bottom - cell.top;
        return S_OK;
    }

    // As a tool bar's: along the row, no wrapping, and into it from the ends.
    HRESULT Navigate(const Subject& start, LONG direction, VARIANT* end) override {
        if (!end) return E_POINTER;
        const LONG count = ChildCount();
        LONG to = 0;
        if (start.self) {
            if (direction == NAVDIR_FIRSTCHILD)
                to = 1;
            else if (direction == NAVDIR_LASTCHILD)
                to = count;
            else
                return AccessibleObject::Navigate(start, direction, end);
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
            to = start.index + 2;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
            to = start.index;
        }
        end->vt = VT_EMPTY;
        if (to < 1 || to > count) return S_FALSE;
        *end = ChildId(to);
        return S_OK;
    }

    // The strip while its window lives; a question about a cell comes only
    // after Resolve has counted the cells, so it is there then.
    const PictureStrip* Strip() const {
        if (!IsWindow(strip_)) return nullptr;
        auto* strip =
            reinterpret_cast<const PictureStrip*>(GetWindowLongPtrW(strip_, GWLP_USERDATA));
        return strip && strip->handle ? strip : nullptr;
    }

    static RECT CellOf(const PictureStrip& strip, int index) {
        return PixelRect(strip.Pictures()[index]->place, FormOf(strip).dpi);
    }

    const HWND strip_;
};

}  // namespace

LRESULT StripObject(HWND strip, WPARAM flags) {
    IAccessible* standard = StandardClientObject(strip);
    return standard ? AnswerObject(new StripAccessible(standard, strip), flags) : 0;
}

}  // namespace ui::win32
