// A screen reader names a standard control by the label before it in tab
// order. Where that label comes after it, the control answers WM_GETOBJECT
// with the system's own object for it, wrapped to say the control's
// accessibleName.
#include <string>
#include <utility>

#include "ui/win32/accessibility.h"
#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

// The system's object with another name for the control itself; its
// entries (list items) keep theirs.
class NamedAccessible : public DelegatingAccessible {
public:
    NamedAccessible(IAccessible* standard, std::wstring name)
        : DelegatingAccessible(standard), name_(std::move(name)) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return DelegatingAccessible::get_accName(child, name);
        return AnswerText(name_.c_str(), name);
    }

private:
    const std::wstring name_;
};

// A push button, whatever the system's object says of the window's class
// (Wine's says client, with no action): pressed by its default action.
class PushButtonAccessible final : public NamedAccessible {
public:
    PushButtonAccessible(IAccessible* standard, std::wstring name, HWND button)
        : NamedAccessible(standard, std::move(name)), button_(button) {}

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return NamedAccessible::get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child)) return NamedAccessible::get_accDefaultAction(child, action);
        return AnswerText(kPress, action);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return NamedAccessible::accDoDefaultAction(child);
        return PostMessageW(button_, kPressMessage, 0, 0) ? S_OK : E_FAIL;
    }

private:
    const HWND button_;
};

}  // namespace

LRESULT NamedClientObject(HWND control, WPARAM flags, const std::wstring& name, bool pushButton) {
    IAccessible* standard = StandardClientObject(control);
    if (!standard) return 0;
    if (pushButton) return AnswerObject(new PushButtonAccessible(standard, name, control), flags);
    return AnswerObject(new NamedAccessible(standard, name), flags);
}

}  // namespace ui::win32
