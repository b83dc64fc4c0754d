#include "tests/support/accessible_reader.h"

#include <oleacc.h>

#include "common/com_ptr.h"

namespace {

// Written out: MinGW-w64's libuuid has a wrong IID_IAccessible.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

} // namespace

AccessibleRead ReadAccessible(HWND control)
{
    AccessibleRead read;
    ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible, object.put_void())))
        return {"<no object>", -1};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        const int n = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
        WideCharToMultiByte(CP_ACP, 0, name, -1, &text[0], n, nullptr, nullptr);
        read.name = text.c_str();
    }
    SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        read.role = role.lVal;
    return read;
}
