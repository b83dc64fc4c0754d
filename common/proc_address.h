#pragma once

#include <windows.h>

#include <cstring>

// GetProcAddress returns a generic function pointer; converting it through memcpy keeps the
// code free of the function-type cast warnings that differ between compilers.
template <class Fn>
Fn GetProc(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    FARPROC raw = GetProcAddress(module, name);
    if (raw == nullptr)
        return nullptr;
    Fn typed;
    static_assert(sizeof(typed) == sizeof(raw), "function pointers differ in size");
    std::memcpy(&typed, &raw, sizeof(typed));
    return typed;
}
