#include "ui/win32/accessibility.h"

#include "ui/win32/ole.h"
#include "win32/system_library.h"

namespace ui::win32 {

const Accessibility& LoadAccessibility() {
    static const Accessibility loaded = [] {
        using system_library::FunctionOf;
        Accessibility found;
        // Another process calls the object through COM, which must be set up
        // on this (the only) thread; the message loop then serves the calls.
        if (!StartOle().ready()) return found;
        HMODULE oleacc = system_library::LoadSystemLibrary(L"oleacc.dll");
        HMODULE oleaut = system_library::LoadSystemLibrary(L"oleaut32.dll");
        found.standardObject =
            FunctionOf<decltype(found.standardObject)>(oleacc, "CreateStdAccessibleObject");
        found.lresultFromObject =
            FunctionOf<decltype(found.lresultFromObject)>(oleacc, "LresultFromObject");
        found.allocString = FunctionOf<decltype(found.allocString)>(oleaut, "SysAllocString");
        return found;
    }();
    return loaded;
}

HRESULT AnswerText(const wchar_t* text, BSTR* answer) {
    if (!answer) return E_POINTER;
    *answer = LoadAccessibility().allocString(text);
    return *answer ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerNumber(LONG number, VARIANT* answer) {
    if (!answer) return E_POINTER;
    *answer = ChildId(number);
    return S_OK;
}

VARIANT ChildId(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

IAccessible* StandardClientObject(HWND window) {
    const Accessibility& accessibility = LoadAccessibility();
    if (!accessibility.standardObject || !accessibility.lresultFromObject ||
        !accessibility.allocString)
        return nullptr;
    IAccessible* standard = nullptr;
    if (FAILED(accessibility.standardObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&standard))))
        return nullptr;
    return standard;
}

LRESULT AnswerObject(AccessibleObject* object, WPARAM flags) {
    // The result holds its own reference until the caller takes the object.
    const LRESULT result =
        LoadAccessibility().lresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();
    return result > 0 ? result : 0;
}

AccessibleObject::~AccessibleObject() { standard_->Release(); }

bool AccessibleObject::Resolve(const VARIANT& id, Subject& subject) {
    if (id.vt == VT_EMPTY || (id.vt == VT_I4 && id.lVal == CHILDID_SELF)) {
        subject = {true, -1, ChildId(CHILDID_SELF)};
        return true;
    }
    if (id.vt != VT_I4 || id.lVal < 1 || id.lVal > ChildCount()) return false;
    subject = {false, static_cast<int>(id.lVal - 1), ChildId(id.lVal)};
    return true;
}

template <class Ask>
HRESULT AccessibleObject::About(const VARIANT& id, Ask ask) {
    Subject subject;
    if (!Resolve(id, subject)) return E_INVALIDARG;
    return ask(subject);
}

template <class Ask>
HRESULT AccessibleObject::Forward(const Subject& subject, Ask ask) {
    return !subject.self && ownChildren_ ? DISP_E_MEMBERNOTFOUND : ask(subject.id);
}

template <class Ask>
HRESULT AccessibleObject::Pass(const VARIANT& id, Ask ask) {
    return About(id, [&](const Subject& subject) { return Forward(subject, ask); });
}

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    // Only our own interfaces: the standard object's others would hand out
    // its unaltered self.
    if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible)) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
}

ULONG AccessibleObject::AddRef() { return InterlockedIncrement(&references_); }

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}
HRESULT AccessibleObject::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                        DISPID* ids) {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
}
HRESULT AccessibleObject::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, argumentError);
}
HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT AccessibleObject::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    *count = ChildCount();
    return S_OK;
}
HRESULT AccessibleObject::get_accFocus(VARIANT* child) { return standard_->get_accFocus(child); }
HRESULT AccessibleObject::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT AccessibleObject::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    return About(child, [&](const Subject& subject) { return Child(subject, object); });
}
HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    return About(child, [&](const Subject& subject) { return Name(subject, name); });
}
HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return About(child, [&](const Subject& subject) { return Role(subject, role); });
}
HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return About(child, [&](const Subject& subject) { return State(subject, state); });
}
HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return About(child, [&](const Subject& subject) { return DefaultAction(subject, action); });
}
HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    return About(child, [&](const Subject& subject) { return DoDefaultAction(subject); });
}
HRESULT AccessibleObject::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                      VARIANT child) {
    return About(
        child, [&](const Subject& subject) { return Location(subject, left, top, width, height); });
}
HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return About(start, [&](const Subject& subject) { return Navigate(subject, direction, end); });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return Pass(child, [&](VARIANT id) { return standard_->get_accValue(id, value); });
}
HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* text) {
    return Pass(child, [&](VARIANT id) { return standard_->get_accDescription(id, text); });
}
HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    return Pass(child, [&](VARIANT id) { return standard_->get_accHelp(id, help); });
}
HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return Pass(child, [&](VARIANT id) { return standard_->get_accHelpTopic(file, id, topic); });
}
HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    return Pass(child, [&](VARIANT id) { return standard_->get_accKeyboardShortcut(id, keys); });
}
HRESULT AccessibleObject::accSelect(LONG flags, VARIANT child) {
    return Pass(child, [&](VARIANT id) { return standard_->accSelect(flags, id); });
}
HRESULT AccessibleObject::put_accName(VARIANT child, BSTR name) {
    return Pass(child, [&](VARIANT id) { return standard_->put_accName(id, name); });
}
HRESULT AccessibleObject::put_accValue(VARIANT child, BSTR value) {
    return Pass(child, [&](VARIANT id) { return standard_->put_accValue(id, value); });
}

LONG AccessibleObject::ChildCount() {
    LONG count = 0;
    if (ownChildren_ || FAILED(standard_->get_accChildCount(&count))) return 0;
    return count;
}

HRESULT AccessibleObject::Child(const Subject& subject, IDispatch** object) {
    return Forward(subject, [&](VARIANT id) { return standard_->get_accChild(id, object); });
}
HRESULT AccessibleObject::Name(const Subject& subject, BSTR* name) {
    return Forward(subject, [&](VARIANT id) { return standard_->get_accName(id, name); });
}
HRESULT AccessibleObject::Role(const Subject& subject, VARIANT* role) {
    return Forward(subject, [&](VARIANT id) { return standard_->get_accRole(id, role); });
}
HRESULT AccessibleObject::State(const Subject& subject, VARIANT* state) {
    return Forward(subject, [&](VARIANT id) { return standard_->get_accState(id, state); });
}
HRESULT AccessibleObject::DefaultAction(const Subject& subject, BSTR* action) {
    return Forward(subject,
                   [&](VARIANT id) { return standard_->get_accDefaultAction(id, action); });
}
HRESULT AccessibleObject::DoDefaultAction(const Subject& subject) {
    return Forward(subject, [&](VARIANT id) { return standard_->accDoDefaultAction(id); });
}
HRESULT AccessibleObject::Location(const Subject& subject, LONG* left, LONG* top, LONG* width,
                                   LONG* height) {
    return Forward(
        subject, [&](VARIANT id) { return standard_->accLocation(left, top, width, height, id); });
}
HRESULT AccessibleObject::Navigate(const Subject& start, LONG direction, VARIANT* end) {
    return Forward(start, [&](VARIANT id) { return standard_->accNavigate(direction, id, end); });
}

}  // namespace ui::win32
