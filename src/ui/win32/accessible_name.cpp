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
class NamedAccessible final : public DelegatingAccessible {
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

}  // namespace

LRESULT NamedClientObject(HWND control, WPARAM flags, const std::wstring& name) {
    IAccessible* standard = StandardClientObject(control);
    return standard ? AnswerObject(new NamedAccessible(standard, name), flags) : 0;
}

}  // namespace ui::win32
