#include "setup/core/trace.h"

#include "common/handles.h"
#include "tests/support/unique_name.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kEndTimeoutMs = 15000;

std::string ExeFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string UniqueTempPath(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + UniqueName("vt_traceview_") + "_" + name;
}

std::string ReadWholeFile(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text;
    if (!file.valid())
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got != 0)
        text.append(buffer, got);
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// "(HH:MM:SS) -" + step + "*"
bool IsTraceLineFor(const std::string& line, const std::string& step)
{
    if (line.size() != 12 + step.size() + 1)
        return false;
    const auto digit = [&](std::size_t i) { return line[i] >= '0' && line[i] <= '9'; };
    return line[0] == '(' && digit(1) && digit(2) && line[3] == ':' && digit(4) && digit(5) && line[6] == ':' &&
           digit(7) && digit(8) && line.compare(9, 3, ") -") == 0 && line.compare(12, step.size(), step) == 0 &&
           line.back() == '*';
}

// One traceview.exe run with its standard output caught in a file. Whatever the test does, the
// process is ended and its files removed when the object goes.
class Viewer {
public:
    explicit Viewer(const std::string& arguments)
        : stdoutPath_(UniqueTempPath("stdout.txt"))
    {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        FileHandle out(CreateFileA(stdoutPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(out.valid());
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out;
        startup.hStdError = out;
        std::string commandLine = "\"" + ExeFolder() + "traceview.exe\" " + arguments;
        PROCESS_INFORMATION info = {};
        started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &startup, &info) != FALSE;
        EXPECT_TRUE(started_) << commandLine << " error " << GetLastError();
        if (started_) {
            process_.reset(info.hProcess);
            CloseHandle(info.hThread);
            pid_ = info.dwProcessId;
        }
    }
    ~Viewer()
    {
        if (process_.valid() && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            if (window_ != nullptr)
                PostMessageA(window_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_, kEndTimeoutMs) != WAIT_OBJECT_0)
                TerminateProcess(process_, 99);
            WaitForSingleObject(process_, kEndTimeoutMs);
        }
        DeleteFileA(stdoutPath_.c_str());
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    // Waits, bounded, until the viewer's window is the one Trace() finds.
    HWND WaitForWindow()
    {
        const ULONGLONG until = GetTickCount64() + kStartTimeoutMs;
        while (started_ && GetTickCount64() < until) {
            HWND found = FindWindowA(kTraceViewerClass, nullptr);
            DWORD owner = 0;
            if (found != nullptr && GetWindowThreadProcessId(found, &owner) != 0 && owner == pid_)
                return window_ = found;
            if (WaitForSingleObject(process_, 20) == WAIT_OBJECT_0)
                break;
        }
        return nullptr;
    }

    // The exit code once the process has ended within the bound; -1 when it is still running.
    long WaitForExit()
    {
        if (!process_.valid() || WaitForSingleObject(process_, kEndTimeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_, &code);
        return static_cast<long>(code);
    }

    std::string Output() const { return ReadWholeFile(stdoutPath_); }

private:
    std::string stdoutPath_;
    Handle process_;
    DWORD pid_ = 0;
    bool started_ = false;
    HWND window_ = nullptr;
};

// Removes a file the viewer wrote, whatever the test's outcome.
struct TempFile {
    std::string path = UniqueTempPath("trace.txt");
    ~TempFile() { DeleteFileA(path.c_str()); }
};

int g_decoyCopies = 0;

LRESULT CALLBACK DecoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        ++g_decoyCopies;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(Traceview, PrintsAndStoresEachLineInOrderThenEndsAfterItsLineCount)
{
    TempFile file;
    Viewer viewer("--out \"" + file.path + "\" --lines 3 --seconds 60");
    ASSERT_NE(viewer.WaitForWindow(), nullptr);

    const std::string spanish = "Descripci\xF3n"; // Windows-1252 bytes pass through unchanged
    Trace("UN 1");
    Trace("StartCopyNow 2");
    Trace(spanish.c_str());
    EXPECT_EQ(viewer.WaitForExit(), 0);

    const std::vector<std::string> stored = Lines(ReadWholeFile(file.path));
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_TRUE(IsTraceLineFor(stored[0], "UN 1")) << stored[0];
    EXPECT_EQ(stored[0].size(), 17u);
    EXPECT_TRUE(IsTraceLineFor(stored[1], "StartCopyNow 2")) << stored[1];
    EXPECT_TRUE(IsTraceLineFor(stored[2], spanish)) << stored[2];

    const std::vector<std::string> printed = Lines(viewer.Output());
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_EQ(printed[0], "traceview: listening");
    EXPECT_EQ(printed[1], stored[0]);
    EXPECT_EQ(printed[3], stored[2]);
    EXPECT_EQ(FindWindowA(kTraceViewerClass, nullptr), nullptr);
}

TEST(Traceview, EndsOnCloseAndAppendsToAnExistingFile)
{
    TempFile file;
    {
        FileHandle earlier(CreateFileA(file.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(earlier, "earlier\r\n", 9, &written, nullptr);
    }
    Viewer viewer("-o \"" + file.path + "\" -t 60");
    HWND window = viewer.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Trace("FinishUninstall 4");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(viewer.WaitForExit(), 0);
    const std::vector<std::string> stored = Lines(ReadWholeFile(file.path));
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], "earlier");
    EXPECT_TRUE(IsTraceLineFor(stored[1], "FinishUninstall 4")) << stored[1];
}

TEST(Traceview, EndsByItselfAfterItsRunTime)
{
    const ULONGLONG start = GetTickCount64();
    Viewer viewer("--seconds 1");
    ASSERT_NE(viewer.WaitForWindow(), nullptr);
    EXPECT_EQ(viewer.WaitForExit(), 0);
    EXPECT_GE(GetTickCount64() - start, 900u);
}

TEST(Traceview, WindowTitledLikeTheViewerButOfAnotherClassGetsNothing)
{
    WNDCLASSEXA decoyClass = {};
    decoyClass.cbSize = sizeof decoyClass;
    decoyClass.lpfnWndProc = DecoyProc;
    decoyClass.hInstance = GetModuleHandleA(nullptr);
    decoyClass.lpszClassName = "VtDecoyViewer";
    RegisterClassExA(&decoyClass);
    HWND decoy = CreateWindowExA(0, "VtDecoyViewer", kTraceViewerClass, WS_OVERLAPPED, 0, 0, 100, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(decoy, nullptr);
    g_decoyCopies = 0;

    ASSERT_EQ(FindWindowA(nullptr, kTraceViewerClass), decoy);
    ASSERT_EQ(FindWindowA(kTraceViewerClass, nullptr), nullptr);
    Trace("UN 1"); // no viewer: nothing is sent, nothing fails
    EXPECT_EQ(g_decoyCopies, 0);

    TempFile file;
    {
        Viewer viewer("--out \"" + file.path + "\" --lines 1 --seconds 60");
        ASSERT_NE(viewer.WaitForWindow(), nullptr);
        Trace("UN 3");
        EXPECT_EQ(viewer.WaitForExit(), 0);
    }
    EXPECT_EQ(g_decoyCopies, 0);
    const std::vector<std::string> stored = Lines(ReadWholeFile(file.path));
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TRUE(IsTraceLineFor(stored[0], "UN 3"));
    DestroyWindow(decoy);
    UnregisterClassA("VtDecoyViewer", GetModuleHandleA(nullptr));
}

TEST(Traceview, HelpAndBadOptions)
{
    Viewer help("--help");
    EXPECT_EQ(help.WaitForExit(), 0);
    EXPECT_NE(help.Output().find("usage: traceview"), std::string::npos);

    Viewer bad("--lines many");
    EXPECT_EQ(bad.WaitForExit(), 2);
    EXPECT_NE(bad.Output().find("not a count"), std::string::npos);
}
