// Test program: builds a SystemInfo in a process of its own, so that a test can give it its own
// environment (TMP) and its own Windows version (Wine's per-program version setting), and writes
// what the properties read as "Name=value" lines to the file named on its command line.

#include <windows.h>

#include <string>

#include "common/hardening.h"
#include "toolkit/system_info.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HardenProcess();
    const std::string outputPath = commandLine;
    if (outputPath.empty())
        return 2;

    const SystemInfo info;
    std::string text = "unchanged";
    const std::int32_t code = info.GetSOInfo(text);
    std::string out;
    out += "OSMajorVersion=" + std::to_string(info.OSMajorVersion()) + "\n";
    out += "OSMinorVersion=" + std::to_string(info.OSMinorVersion()) + "\n";
    out += "OSBuild=" + std::to_string(info.OSBuild()) + "\n";
    out += "OSExtraInfo=" + info.OSExtraInfo() + "\n";
    out += "IsWin95=" + std::to_string(info.IsWin95()) + "\n";
    out += "IsWinNT=" + std::to_string(info.IsWinNT()) + "\n";
    out += "GetSOInfo=" + std::to_string(code) + "|" + text + "\n";
    out += "TempPath=" + info.TempPath() + "\n";

    HANDLE file = CreateFileA(outputPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == out.size() ? 0 : 4;
}
