// Demonstration driver: goes through an interactive removal (`setup.exe /R <code>`) as a user
// would, and saves a picture of each state the user sees:
//   1-question.bmp  the confirmation question, before Yes is pressed
//   2-progress.bmp  the removal window part-way through the removal
//   3-finish.bmp    the finish page, before Close is pressed
// It prints what it read from each state and setup's exit code. Every wait is bounded; on any
// failure setup is ended and the driver exits with 1.
//
//   demo_driver.exe <setup.exe> <product code> <picture folder>
//
// The removal window's controls are found by the ids the sample page gives them: ids go from
// 3000 in creation order, and a page is created from its last line to its first.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "common/handles.h"
#include "common/message_pump.h"
#include "common/process_windows.h"
#include "common/screen_capture.h"

namespace {

constexpr int kFirstControl = 3000;
constexpr int kCancelButton = 3002; // IDCANCEL, "Close" on the finish page
constexpr int kFinishLine = 3004;   // IDC_STATIC1
constexpr int kProgressBar = 3005;  // IDC_PROGRESS1
constexpr int kStatusLine = 3006;   // IDC_INFO

constexpr DWORD kAppearMs = 30000;
constexpr DWORD kRemovalMs = 120000;
constexpr DWORD kExitMs = 30000;
// Time a window gets to paint itself once it is found, before its picture is taken.
constexpr DWORD kSettleMs = 400;
// The progress picture is taken once the bar has passed this share of its range: far enough
// to show a filled part, early enough that the removal is still running.
constexpr int kMidwayPercent = 40;

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Polls the condition every 10 ms, answering this thread's messages, until it holds or the
// time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        PumpMessagesFor(10);
    }
    return true;
}

bool IsBox(HWND window)
{
    return ClassName(window) == "#32770";
}

// The removal page holds the first control; a box setup shows does not.
bool IsPage(HWND window)
{
    return GetDlgItem(window, kFirstControl) != nullptr;
}

// The longest static text of a message box: its message (the icon is a static without text).
std::string BoxMessage(HWND box)
{
    std::string longest;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != "Static")
            continue;
        const std::string text = WindowText(child);
        if (text.size() > longest.size())
            longest = text;
    }
    return longest;
}

int BarPosition(HWND page)
{
    return static_cast<int>(SendMessageA(GetDlgItem(page, kProgressBar), PBM_GETPOS, 0, 0));
}

int BarUpper(HWND page)
{
    return static_cast<int>(SendMessageA(GetDlgItem(page, kProgressBar), PBM_GETRANGE, FALSE, 0));
}

class Driver {
public:
    Driver(std::string setupExe, std::string productCode, std::string pictureFolder)
        : setupExe_(std::move(setupExe)), code_(std::move(productCode)), folder_(std::move(pictureFolder))
    {
        if (!folder_.empty() && folder_.back() != '\\')
            folder_ += '\\';
    }

    ~Driver()
    {
        // Nothing outlives a driver that gave up.
        if (process_ && WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
    }

    int Run()
    {
        if (!Start()) {
            Fail("cannot start " + setupExe_);
            return 1;
        }
        return AnswerQuestion() && ShowProgress() && ShowFinish() && CloseAndReport() ? 0 : 1;
    }

private:
    bool Start()
    {
        std::string commandLine = "\"" + setupExe_ + "\" /R " + code_;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info))
            return false;
        CloseHandle(info.hThread);
        process_.reset(info.hProcess);
        processId_ = info.dwProcessId;
        std::printf("started: setup.exe /R %s\n", code_.c_str());
        return true;
    }

    bool Ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

    static bool Fail(const std::string& what)
    {
        std::fprintf(stderr, "demo_driver: %s\n", what.c_str());
        return false;
    }

    bool Capture(HWND window, const char* name)
    {
        const std::string path = folder_ + name;
        if (!SaveBmp(CaptureWindow(window, false), path))
            return Fail("cannot write " + path);
        std::printf("   picture: %s\n", name);
        return true;
    }

    bool AnswerQuestion()
    {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                box = FirstVisibleWindowOf(processId_, IsBox);
                return box != nullptr || Ended();
            },
            kAppearMs);
        if (box == nullptr)
            return Fail("no confirmation question");
        PumpMessagesFor(kSettleMs);
        std::printf("1. question \"%s\": %s\n", WindowText(box).c_str(), BoxMessage(box).c_str());
        if (!Capture(box, "1-question.bmp"))
            return false;
        // The command a click on Yes sends: no dependence on which window is active.
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDYES)));
        if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kAppearMs))
            return Fail("the question stayed after Yes");
        std::printf("   answered Yes\n");
        return true;
    }

    bool ShowProgress()
    {
        WaitUntil(
            [&] {
                page_ = FirstVisibleWindowOf(processId_, IsPage);
                return page_ != nullptr || Ended();
            },
            kAppearMs);
        if (page_ == nullptr)
            return Fail("no removal window");
        std::printf("2. removal window \"%s\"\n", WindowText(page_).c_str());
        HWND cancel = GetDlgItem(page_, kCancelButton);
        bool finished = false;
        const bool midway = WaitUntil(
            [&] {
                finished = IsWindowEnabled(cancel) != FALSE || !IsWindow(page_);
                const int upper = BarUpper(page_);
                return finished || (upper > 0 && BarPosition(page_) * 100 >= upper * kMidwayPercent);
            },
            kRemovalMs);
        if (!midway || finished)
            return Fail(finished ? "the removal ended before it could be shown part-way: stage more files"
                                 : "the removal did not get part-way");
        // The bar moves on while the picture is taken; what it showed is read just before.
        const int position = BarPosition(page_), upper = BarUpper(page_);
        const std::string status = WindowText(GetDlgItem(page_, kStatusLine));
        if (!Capture(page_, "2-progress.bmp"))
            return false;
        std::printf("   progress %d of %d (%d%%), status \"%s\"\n", position, upper, position * 100 / upper,
                    status.c_str());
        return true;
    }

    bool ShowFinish()
    {
        HWND close = GetDlgItem(page_, kCancelButton);
        if (!WaitUntil([&] { return IsWindowEnabled(close) != FALSE || !IsWindow(page_); }, kRemovalMs) ||
            !IsWindow(page_))
            return Fail("no finish page");
        PumpMessagesFor(kSettleMs);
        std::printf("3. finish page: button \"%s\", \"%s\", status \"%s\", progress %d of %d\n",
                    WindowText(close).c_str(), WindowText(GetDlgItem(page_, kFinishLine)).c_str(),
                    WindowText(GetDlgItem(page_, kStatusLine)).c_str(), BarPosition(page_), BarUpper(page_));
        return Capture(page_, "3-finish.bmp");
    }

    // Presses Close; true when setup then ends with exit code 0.
    bool CloseAndReport()
    {
        PostMessageA(GetDlgItem(page_, kCancelButton), BM_CLICK, 0, 0);
        std::printf("   pressed %s\n", WindowText(GetDlgItem(page_, kCancelButton)).c_str());
        if (!WaitUntil([&] { return Ended(); }, kExitMs))
            return Fail("setup.exe did not end after Close");
        DWORD code = 1;
        GetExitCodeProcess(process_, &code);
        std::printf("setup.exe exit code %lu\n", static_cast<unsigned long>(code));
        return code == 0;
    }

    const std::string setupExe_;
    const std::string code_;
    std::string folder_;
    Handle process_;
    DWORD processId_ = 0;
    HWND page_ = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: demo_driver <setup.exe> <product code> <picture folder>\n");
        return 2;
    }
    // Lines appear as they happen, also when the output is a pipe.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return Driver(argv[1], argv[2], argv[3]).Run();
}
