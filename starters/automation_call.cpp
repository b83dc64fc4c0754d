#include "starters/automation_call.h"

#include <vector>

#include "starters/automation_error.h"

namespace {

std::wstring WideFromAnsi(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], n);
    return wide;
}

std::string AnsiFromWide(const wchar_t* text)
{
    if (text == nullptr || *text == L'\0')
        return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::vector<char> ansi(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), n, nullptr, nullptr);
    return std::string(ansi.data(), static_cast<std::size_t>(n - 1));
}

// The strings an EXCEPINFO hands over belong to the caller.
class ExceptionInfo {
public:
    ExceptionInfo() = default;
    ~ExceptionInfo()
    {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;

    EXCEPINFO info = {};
};

class Variant {
public:
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT value;
};

[[noreturn]] void Fail(AutomationStep step, HRESULT result, const AutomationException* exception = nullptr)
{
    throw AutomationError(step, static_cast<long>(result), exception, SystemMessageText);
}

} // namespace

ComApartment::ComApartment()
{
    // Apartment threading, as the object's server expects of a program without threads of
    // its own. S_FALSE (already initialised) must be balanced too.
    initialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ComApartment::~ComApartment()
{
    if (initialized_)
        CoUninitialize();
}

ComPtr<IDispatch> CreateAutomationObject(const std::string& progId)
{
    const std::wstring wideProgId = WideFromAnsi(progId);
    CLSID classId = {};
    HRESULT result = CLSIDFromProgID(wideProgId.c_str(), &classId);
    if (FAILED(result))
        Fail(AutomationStep::CreateObject, result);
    ComPtr<IDispatch> object;
    result = CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch, object.put_void());
    if (FAILED(result) || !object)
        Fail(AutomationStep::CreateObject, FAILED(result) ? result : E_NOINTERFACE);
    return object;
}

void CallMethod(IDispatch& object, const std::string& name)
{
    std::wstring wideName = WideFromAnsi(name);
    LPOLESTR names[] = {&wideName[0]};
    DISPID id = DISPID_UNKNOWN;
    HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result))
        Fail(AutomationStep::FindMethod, result);

    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    Variant discarded;
    ExceptionInfo exception;
    UINT argumentInError = 0;
    result = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArguments,
                           &discarded.value, &exception.info, &argumentInError);
    if (SUCCEEDED(result))
        return;
    AutomationException raised;
    if (result == DISP_E_EXCEPTION) {
        // An object may leave the details to be filled in only when someone asks.
        if (exception.info.pfnDeferredFillIn != nullptr)
            exception.info.pfnDeferredFillIn(&exception.info);
        raised.code = exception.info.wCode;
        raised.scode = static_cast<long>(exception.info.scode);
        raised.description = AnsiFromWide(exception.info.bstrDescription);
    }
    Fail(AutomationStep::CallMethod, result, &raised);
}

std::string SystemMessageText(long hresult)
{
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, static_cast<DWORD>(hresult), 0,
                                   reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (n > 0 && buffer != nullptr)
        text.assign(buffer, n);
    LocalFree(buffer);
    return text;
}
