// What the toolkit's own answers to screen readers share: the accessibility
// library, loaded on the first request only (most runs never meet a screen
// reader, and start-up stays as light as a bare window's), and an object
// made on the system's own object for a window, which answers for the window
// itself and for its children by name rather than by child id.
#pragma once

#include <oleacc.h>

#include "win32/windows_h.h"

namespace ui::win32 {

struct Accessibility {
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
};

// Null members when the system has no accessibility library.
const Accessibility& LoadAccessibility();

// The default action of everything a screen reader can press.
inline constexpr wchar_t kPress[] = L"Press";

// A text for an answer, or E_OUTOFMEMORY.
HRESULT AnswerText(const wchar_t* text, BSTR* answer);
// A number (a role, a state) for an answer.
HRESULT AnswerNumber(LONG number, VARIANT* answer);
// A child id (or CHILDID_SELF) as a VARIANT.
VARIANT ChildId(LONG id);

// Each question names the window itself or one of its children. The id is
// read once, here: an empty VARIANT or CHILDID_SELF is the window (as the
// system's own objects take it), 1 to ChildCount() a child, passed on as its
// index from 0; any other id is refused without asking anyone. By default
// the system's object answers, for the window and for its own children (the
// entries of a list); an object overrides what it answers itself.
class AccessibleObject : public IAccessible {
public:
    // Takes over the caller's reference to the system's object. An object
    // with children of its own answers for them itself: the system's object
    // is never asked about them, and a question left unanswered is not
    // supported.
    AccessibleObject(IAccessible* standard, bool ownChildren)
        : standard_(standard), ownChildren_(ownChildren) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    virtual ~AccessibleObject();
    IAccessible* standard() const { return standard_; }

    // Which a question is about: the window itself, or a child by index.
    struct Subject {
        bool self;
        int index;   // from 0, for a child
        VARIANT id;  // as the system's object takes it
    };
    virtual LONG ChildCount();
    // What an object answers itself; by default, the system's object.
    virtual HRESULT Name(const Subject& subject, BSTR* name);
    virtual HRESULT Role(const Subject& subject, VARIANT* role);
    virtual HRESULT State(const Subject& subject, VARIANT* state);
    virtual HRESULT DefaultAction(const Subject& subject, BSTR* action);
    virtual HRESULT DoDefaultAction(const Subject& subject);
    virtual HRESULT Location(const Subject& subject, LONG* left, LONG* top, LONG* width,
                             LONG* height);
    virtual HRESULT Navigate(const Subject& start, LONG direction, VARIANT* end);
    virtual HRESULT Child(const Subject& subject, IDispatch** object);

private:
    // The subject a child id names, or none for an id that is neither the
    // window's nor one of its children's.
    bool Resolve(const VARIANT& id, Subject& subject);

    // Asks about the subject an id names, refusing any other id.
    template <class Ask>
    HRESULT About(const VARIANT& id, Ask ask);
    // Passes a question about the subject to the system's object, unless
    // it is about a child of the object's own.
    template <class Ask>
    HRESULT Forward(const Subject& subject, Ask ask);
    template <class Ask>
    HRESULT Pass(const VARIANT& id, Ask ask);

    LONG references_ = 1;
    IAccessible* const standard_;
    const bool ownChildren_;
};

// The system's own client object of the window, or null.
IAccessible* StandardClientObject(HWND window);
// WM_GETOBJECT's answer handing the object over (the caller's reference is
// dropped); 0 where the system cannot take it.
LRESULT AnswerObject(AccessibleObject* object, WPARAM flags);

}  // namespace ui::win32
