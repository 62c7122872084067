#include "ui/win32/accessibility.h"

namespace ui::win32 {

const Accessibility& LoadAccessibility() {
    static const Accessibility loaded = [] {
        Accessibility found;
        HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
        HMODULE ole = LoadLibraryW(L"ole32.dll");
        if (!oleacc || !oleaut || !ole) return found;
        // Another process calls the object through COM, which must be set up
        // on this (the only) thread; the message loop then serves the calls.
        const auto initialize = reinterpret_cast<decltype(&CoInitializeEx)>(
            reinterpret_cast<void*>(GetProcAddress(ole, "CoInitializeEx")));
        if (!initialize || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED))) return found;
        found.standardObject = reinterpret_cast<decltype(found.standardObject)>(
            reinterpret_cast<void*>(GetProcAddress(oleacc, "CreateStdAccessibleObject")));
        found.lresultFromObject = reinterpret_cast<decltype(found.lresultFromObject)>(
            reinterpret_cast<void*>(GetProcAddress(oleacc, "LresultFromObject")));
        found.allocString = reinterpret_cast<decltype(found.allocString)>(
            reinterpret_cast<void*>(GetProcAddress(oleaut, "SysAllocString")));
        return found;
    }();
    return loaded;
}

HRESULT AnswerText(const wchar_t* text, BSTR* answer) {
    if (!answer) return E_POINTER;
    *answer = LoadAccessibility().allocString(text);
    return *answer ? S_OK : E_OUTOFMEMORY;
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

LRESULT AnswerObject(DelegatingAccessible* object, WPARAM flags) {
    // The result holds its own reference until the caller takes the object.
    const LRESULT result =
        LoadAccessibility().lresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();
    return result > 0 ? result : 0;
}

DelegatingAccessible::~DelegatingAccessible() { standard_->Release(); }

HRESULT DelegatingAccessible::QueryInterface(REFIID iid, void** object) {
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

ULONG DelegatingAccessible::AddRef() { return InterlockedIncrement(&references_); }

ULONG DelegatingAccessible::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
}

HRESULT DelegatingAccessible::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}
HRESULT DelegatingAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}
HRESULT DelegatingAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
}
HRESULT DelegatingAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) {
    return standard_->Invoke(id, iid, locale, flags, params, result, exception, argumentError);
}
HRESULT DelegatingAccessible::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}
HRESULT DelegatingAccessible::get_accChildCount(LONG* count) {
    return standard_->get_accChildCount(count);
}
HRESULT DelegatingAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return standard_->get_accChild(child, object);
}
HRESULT DelegatingAccessible::get_accName(VARIANT child, BSTR* name) {
    return standard_->get_accName(child, name);
}
HRESULT DelegatingAccessible::get_accValue(VARIANT child, BSTR* value) {
    return standard_->get_accValue(child, value);
}
HRESULT DelegatingAccessible::get_accDescription(VARIANT child, BSTR* text) {
    return standard_->get_accDescription(child, text);
}
HRESULT DelegatingAccessible::get_accRole(VARIANT child, VARIANT* role) {
    return standard_->get_accRole(child, role);
}
HRESULT DelegatingAccessible::get_accState(VARIANT child, VARIANT* state) {
    return standard_->get_accState(child, state);
}
HRESULT DelegatingAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return standard_->get_accHelp(child, help);
}
HRESULT DelegatingAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return standard_->get_accHelpTopic(file, child, topic);
}
HRESULT DelegatingAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
    return standard_->get_accKeyboardShortcut(child, keys);
}
HRESULT DelegatingAccessible::get_accFocus(VARIANT* child) {
    return standard_->get_accFocus(child);
}
HRESULT DelegatingAccessible::get_accSelection(VARIANT* children) {
    return standard_->get_accSelection(children);
}
HRESULT DelegatingAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return standard_->get_accDefaultAction(child, action);
}
HRESULT DelegatingAccessible::accSelect(LONG flags, VARIANT child) {
    return standard_->accSelect(flags, child);
}
HRESULT DelegatingAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) {
    return standard_->accLocation(left, top, width, height, child);
}
HRESULT DelegatingAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return standard_->accNavigate(direction, start, end);
}
HRESULT DelegatingAccessible::accHitTest(LONG left, LONG top, VARIANT* child) {
    return standard_->accHitTest(left, top, child);
}
HRESULT DelegatingAccessible::accDoDefaultAction(VARIANT child) {
    return standard_->accDoDefaultAction(child);
}
HRESULT DelegatingAccessible::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}
HRESULT DelegatingAccessible::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

}  // namespace ui::win32
