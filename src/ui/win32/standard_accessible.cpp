// A standard control as screen readers meet it: named by its accessibleName
// (a screen reader names a control by the label before it in tab order,
// which in the browser comes after it), and, where the control can be
// pressed, a push button whose default action presses it, whatever the
// system's own object says of the window's class (Wine's says client, with
// no action). Its children, a list's entries, keep the system's answers.
#include <string>

#include "ui/win32/accessibility.h"
#include "ui/win32/native.h"

namespace ui::win32 {

namespace {

class StandardControlAccessible final : public AccessibleObject {
public:
    StandardControlAccessible(IAccessible* standard, HWND window, const Control& control)
        : AccessibleObject(standard, false),
          window_(window),
          name_(control.accessibleName),
          pressable_(control.Pressable()) {}

private:
    HRESULT Name(const Subject& subject, BSTR* name) override {
        if (!subject.self) return AccessibleObject::Name(subject, name);
        return AnswerText(name_.c_str(), name);
    }

    HRESULT Role(const Subject& subject, VARIANT* role) override {
        if (!subject.self || !pressable_) return AccessibleObject::Role(subject, role);
        return AnswerNumber(ROLE_SYSTEM_PUSHBUTTON, role);
    }

    HRESULT DefaultAction(const Subject& subject, BSTR* action) override {
        if (!subject.self || !pressable_) return AccessibleObject::DefaultAction(subject, action);
        return AnswerText(kPress, action);
    }

    HRESULT DoDefaultAction(const Subject& subject) override {
        if (!subject.self || !pressable_) return AccessibleObject::DoDefaultAction(subject);
        return PostMessageW(window_, kPressMessage, 0, 0) ? S_OK : E_FAIL;
    }

    const HWND window_;
    const std::wstring name_;
    const bool pressable_;
};

}  // namespace

LRESULT StandardControlObject(HWND window, WPARAM flags, const Control& control) {
    IAccessible* standard = StandardClientObject(window);
    return standard ? AnswerObject(new StandardControlAccessible(standard, window, control), flags)
                    : 0;
}

}  // namespace ui::win32
