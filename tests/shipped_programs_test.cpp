// Checks on the shipped program files themselves: none of the programs the installer starts
// opens a console, and the toolkit classes travel in the programs that carry them even though
// nothing there calls them.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/handles.h"

namespace {

std::string BesideTests(const std::string& file)
{
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], MAX_PATH);
    path.resize(length);
    return path.substr(0, path.find_last_of('\\') + 1) + file;
}

std::string ProgramBytes(const std::string& name)
{
    FileHandle file(CreateFileA(BesideTests(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::string();
    const DWORD size = GetFileSize(file, nullptr);
    std::string bytes(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file, &bytes[0], size, &read, nullptr) || read != size)
        return std::string();
    return bytes;
}

std::uint32_t Little(const std::string& bytes, std::size_t offset, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return value;
}

const char* const kWindowsPrograms[] = {"setup.exe", "lotefinal.exe", "updstart.exe",
                                        "unstart.exe", "loterun.exe"};

TEST(ShippedPrograms, AreWindowsSubsystemProgramsWithoutAConsole)
{
    for (const char* name : kWindowsPrograms) {
        const std::string bytes = ProgramBytes(name);
        ASSERT_GT(bytes.size(), 0x200u) << name;
        ASSERT_EQ(bytes.substr(0, 2), "MZ") << name;
        const std::uint32_t pe = Little(bytes, 0x3C, 4);
        ASSERT_EQ(bytes.substr(pe, 4), std::string("PE\0\0", 4)) << name;
        // The subsystem field sits at the same place in the optional header of 32- and 64-bit
        // programs: 68 bytes in, after the 4-byte signature and the 20-byte file header.
        EXPECT_EQ(Little(bytes, pe + 24 + 68, 2), 2u) << name << ": 2 is the Windows GUI subsystem";
    }
}

TEST(ShippedPrograms, ToolkitClassesTravelOnlyWhereTheyBelong)
{
    // Texts only the version naming of SystemInfo and the association of cQueryReg hold.
    const std::string systemInfo = "Windows .NET Server (Version 5.";
    const std::string queryReg = "Descripci\xF3n de ";
    for (const char* name : {"updstart.exe", "lotefinal.exe"}) {
        const std::string bytes = ProgramBytes(name);
        EXPECT_NE(bytes.find(systemInfo), std::string::npos) << name;
        EXPECT_NE(bytes.find(queryReg), std::string::npos) << name;
    }
    for (const char* name : {"unstart.exe", "loterun.exe"}) {
        const std::string bytes = ProgramBytes(name);
        ASSERT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes.find(systemInfo), std::string::npos) << name;
        EXPECT_EQ(bytes.find(queryReg), std::string::npos) << name;
    }
}

} // namespace
