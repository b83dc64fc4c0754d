#include "setup/skin/controls/accessible_object.h"

#include <oleacc.h>

#include <utility>

#include "common/com_ptr.h"
#include "common/proc_address.h"

const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

namespace {

const IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

struct AccessibilityLibrary {
    CreateStdAccessibleObjectFn createStandard = nullptr;
    LresultFromObjectFn lresultFromObject = nullptr;
};

const AccessibilityLibrary& Library()
{
    // Never freed: objects handed out may be in use until the process ends.
    static const AccessibilityLibrary library = [] {
        AccessibilityLibrary made;
        HMODULE module = LoadLibraryExA("oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        made.createStandard = GetProc<CreateStdAccessibleObjectFn>(module, "CreateStdAccessibleObject");
        made.lresultFromObject = GetProc<LresultFromObjectFn>(module, "LresultFromObject");
        return made;
    }();
    return library;
}

BSTR ToBstr(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR made = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (made != nullptr && n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), made, n);
    return made;
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard object with a role and a name of our own; everything else is the standard
// object's answer.
class OverriddenAccessible final : public IAccessible {
public:
    OverriddenAccessible(ComPtr<IAccessible> inner, HWND control, AccessibleOverride override)
        : inner_(std::move(inner)), control_(control), override_(std::move(override))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDispatch) || IsEqualIID(iid, kIidAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The window and child enumeration of the standard object stay its own.
        return inner_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return inner_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override
    {
        return inner_->Invoke(id, iid, locale, flags, params, result, exception, argError);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return inner_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return inner_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override { return inner_->get_accChild(child, out); }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!IsSelf(child) || !override_.name)
            return inner_->get_accName(child, name);
        if (name == nullptr)
            return E_POINTER;
        const std::string text = override_.name();
        *name = nullptr;
        if (text.empty())
            return S_FALSE;
        *name = ToBstr(text);
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!IsSelf(child) || override_.role == 0)
            return inner_->get_accRole(child, role);
        if (role == nullptr)
            return E_POINTER;
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = override_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!IsSelf(child) || override_.role == 0)
            return inner_->get_accDefaultAction(child, action);
        if (action == nullptr)
            return E_POINTER;
        *action = ToBstr(override_.role == ROLE_SYSTEM_LINK ? "Jump" : "Press");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsSelf(child) || override_.role == 0)
            return inner_->accDoDefaultAction(child);
        // What a click on the control does: its click notification to the page.
        PostMessageA(GetParent(control_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control_), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control_));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return inner_->get_accValue(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override { return inner_->get_accState(child, state); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return inner_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return inner_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return inner_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return inner_->get_accSelection(selection); }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return inner_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override { return inner_->accHitTest(x, y, child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return inner_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override { return inner_->put_accValue(child, value); }

private:
    ~OverriddenAccessible() = default;

    LONG references_ = 1;
    ComPtr<IAccessible> inner_;
    HWND control_;
    AccessibleOverride override_;
};

} // namespace

LRESULT AnswerAccessibleObject(HWND control, WPARAM flags, LPARAM objectId, const AccessibleOverride& override)
{
    if (static_cast<LONG>(objectId) != OBJID_CLIENT)
        return 0;
    const AccessibilityLibrary& library = Library();
    if (library.createStandard == nullptr || library.lresultFromObject == nullptr)
        return 0;
    ComPtr<IAccessible> standard;
    if (FAILED(library.createStandard(control, OBJID_CLIENT, kIidAccessible, standard.put_void())) || !standard)
        return 0;
    // The answer holds its own reference; ours goes when this one is released.
    ComPtr<IAccessible> made;
    *made.put() = new OverriddenAccessible(std::move(standard), control, override);
    const LRESULT answer = library.lresultFromObject(kIidAccessible, flags, made.get());
    return answer < 0 ? 0 : answer;
}

void AnnounceNameChange(HWND control)
{
    if (control != nullptr)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}
