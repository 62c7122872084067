// A screen reader names a standard control by the label before it in tab
// order. Where that label comes after it, the control answers WM_GETOBJECT
// with the system's own object for it, wrapped to say the control's
// accessibleName. The accessibility library (and COM with it) is loaded on
// the first such request only: most runs never meet a screen reader, and
// start-up stays as light as a bare window's.
#include "ui/win32/native.h"

#include <oleacc.h>

#include <utility>

namespace ui::win32 {

namespace {

struct Accessibility {
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
};

// Null members when the system has no accessibility library.
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

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object with another name for the control itself; its
// entries (list items) keep theirs.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, std::wstring name)
        : standard_(standard), name_(std::move(name)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        // Only our own interfaces: the standard object's others would hand
        // out its unnamed self.
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) &&
            iid != __uuidof(IAccessible)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = LoadAccessibility().allocString(name_.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, argumentError);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { standard_->Release(); }

    LONG references_ = 1;
    IAccessible* const standard_;
    const std::wstring name_;
};

}  // namespace

LRESULT NamedClientObject(HWND control, WPARAM flags, const std::wstring& name) {
    const Accessibility& accessibility = LoadAccessibility();
    if (!accessibility.standardObject || !accessibility.lresultFromObject ||
        !accessibility.allocString)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(accessibility.standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* named = new NamedAccessible(standard, name);
    // The result holds its own reference until the caller takes the object.
    const LRESULT result = accessibility.lresultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return result > 0 ? result : 0;
}

}  // namespace ui::win32
