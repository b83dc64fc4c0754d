#pragma once

// Helpers of the engine tests under Wine: a uniquely named folder per test, files, fixtures
// copied in from beside the test program, bounded polling, and a progress recorder.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/removal/removal_progress.h"
#include "setup/core/product_context.h"
#include "tests/support/remove_tree.h"
#include "tests/support/unique_name.h"

namespace enginetest {

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void WriteTextFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

inline std::string ReadTextFile(const std::string& path)
{
    std::string content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    char buffer[4096];
    DWORD n = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        content.append(buffer, n);
    CloseHandle(file);
    return content;
}

inline void MakeFolder(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
}

// The folder the test program runs from, where the fixtures are built.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

// A uniquely named folder under the temporary folder, deleted at the end of the test; the
// current folder is put back too, since removals move it.
class TempFolder {
public:
    TempFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        char longTemp[MAX_PATH] = {};
        GetLongPathNameA(temp, longTemp, MAX_PATH);
        path_ = std::string(longTemp) + UniqueName("vteng");
        CreateDirectoryA(path_.c_str(), nullptr);
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        savedCurrent_ = current;
    }
    ~TempFolder()
    {
        SetCurrentDirectoryA(savedCurrent_.c_str());
        // A program started by the test may still be on its way out and hold its file.
        for (int attempt = 0; attempt < 50 && Exists(path_); ++attempt) {
            RemoveTree(path_);
            if (Exists(path_))
                Sleep(50);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string savedCurrent_;
};

// Copies a fixture built beside the test program into `destination`.
inline void CopyFixture(const char* fixture, const std::string& destination)
{
    const std::string source = ProgramFolder() + "\\" + fixture;
    ASSERT_TRUE(CopyFileA(source.c_str(), destination.c_str(), FALSE)) << source;
}

// Polls until `path` holds at least `lines` line feeds, for at most `timeoutMs`.
inline std::string WaitForRecord(const std::string& path, int lines = 1, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const std::string content = ReadTextFile(path);
        int count = 0;
        for (char c : content)
            count += c == '\n';
        if (count >= lines || GetTickCount() - start > timeoutMs)
            return content;
        Sleep(20);
    }
}

// A product context with a log, a language file and an installation folder in `folder`, and a
// uniquely named uninstall key that nothing creates unless the test does.
inline ProductContext ContextIn(const TempFolder& folder)
{
    ProductContext context;
    context.runMode = kRunSilent;
    context.productCode = "VTENGTEST";
    context.displayName = "Engine Test";
    context.uninstallLogPath = folder / "uninstall.log";
    context.languageFile = folder / "language.lan";
    context.installationPath = folder / "Inst\\";
    context.uninstallKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + UniqueName("VtEngTest");
    context.windowless = kFlagOff;
    return context;
}

// Records every report as one text: "status:<text>", "range:<n>", "position:<n>".
class RecordingProgress : public RemovalProgress {
public:
    void SetProgressRange(int upper) override { events.push_back("range:" + std::to_string(upper)); }
    void SetProgressPosition(int position) override { events.push_back("position:" + std::to_string(position)); }
    void SetStatusText(const std::string& text) override { events.push_back("status:" + text); }

    std::vector<std::string> events;
};

} // namespace enginetest
