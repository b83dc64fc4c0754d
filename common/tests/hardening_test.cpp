#include "common/hardening.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/handles.h"

namespace {

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, n < MAX_PATH ? n : 0);
    return self.substr(0, self.find_last_of('\\') + 1);
}

// Runs in a process of its own (each test case is its own CTest test), so the hardening does
// not reach the other tests.
TEST(HardenProcess, LibrariesBesideTheProgramAreNoLongerFoundByName)
{
    const std::string beside = ExeFolder() + "vt_planted.dll";
    ASSERT_NE(GetFileAttributesA(beside.c_str()), INVALID_FILE_ATTRIBUTES) << beside;
    // Not loaded before: a loaded module would be found by name whatever the search order.
    ASSERT_EQ(GetModuleHandleA("vt_planted.dll"), nullptr);

    HardenProcess();

    Library planted(LoadLibraryA("vt_planted.dll"));
    EXPECT_FALSE(planted.valid()) << "a library beside the program was picked up by its name";
    // System libraries still load by name, and a library named by its full path still loads.
    Library system(LoadLibraryA("version.dll"));
    EXPECT_TRUE(system.valid());
    Library byPath(LoadLibraryA(beside.c_str()));
    EXPECT_TRUE(byPath.valid());
}

} // namespace
