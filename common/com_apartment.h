#pragma once

#include <objbase.h>

// The calling thread in a single-threaded COM apartment for the object's life, as the shell asks
// of threads that use its folder objects and file operations. A thread that already chose its
// model keeps it, and is then not left by the destructor either.
class ShellApartment {
public:
    explicit ShellApartment(DWORD extraFlags = 0)
        : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | extraFlags))) {}
    ~ShellApartment()
    {
        if (joined_)
            CoUninitialize();
    }
    ShellApartment(const ShellApartment&) = delete;
    ShellApartment& operator=(const ShellApartment&) = delete;

private:
    bool joined_;
};
