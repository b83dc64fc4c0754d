#include "tests/support/unique_name.h"

#include <windows.h>

#include <atomic>

std::string UniqueName(const std::string& prefix)
{
    static std::atomic<int> counter{0};
    return prefix + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) + "_" +
           std::to_string(GetTickCount());
}
