// StartCopyNow on the test's own thread: the worker's reports and traces are messages sent to
// windows of this thread, so they arrive only if the wait dispatches them.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "setup/removal/tests/engine_test_support.h"
#include "setup/removal/vt_engine.h"
#include "setup/core/trace.h"

using namespace enginetest;

namespace {

constexpr UINT kRangeMessage = WM_APP + 1;
constexpr UINT kPositionMessage = WM_APP + 2;
constexpr UINT kStatusMessage = WM_APP + 3;

// What the windows of the test thread received, and on which thread they handled it.
std::vector<std::string> g_received;
DWORD g_handlingThread = 0;
HWND g_traceSender = nullptr;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kRangeMessage:
        g_received.push_back("range:" + std::to_string(static_cast<int>(wParam)));
        break;
    case kPositionMessage:
        g_received.push_back("position:" + std::to_string(static_cast<int>(wParam)));
        break;
    case kStatusMessage:
        g_received.push_back("status:" + std::string(reinterpret_cast<const char*>(lParam)));
        break;
    case WM_COPYDATA: {
        // Only traces of this test: another process's run may find this window too.
        if (reinterpret_cast<HWND>(wParam) != g_traceSender)
            return TRUE;
        const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const std::string line(static_cast<const char*>(record->lpData), record->cbData);
        // "(hh:mm:ss) -<step>*"
        const std::size_t dash = line.find(" -");
        const std::size_t from = dash == std::string::npos ? 0 : dash + 2;
        g_received.push_back(line.substr(from, line.size() - from - 1));
        break;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
    g_handlingThread = GetCurrentThreadId();
    return TRUE;
}

// A top-level window of the given class on this thread (FindWindow does not see message-only
// windows, and the trace channel looks for its viewer with FindWindow).
class TestWindow {
public:
    explicit TestWindow(const char* className)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ReceiverProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Reports by sending messages to a window, as the removal window does; a send that is not
// handled within five seconds is recorded, so a wait that does not dispatch fails the test
// instead of hanging it.
class SendingProgress : public RemovalProgress {
public:
    explicit SendingProgress(HWND window) : window_(window) {}
    void SetProgressRange(int upper) override { Send(kRangeMessage, static_cast<WPARAM>(upper), 0); }
    void SetProgressPosition(int position) override { Send(kPositionMessage, static_cast<WPARAM>(position), 0); }
    void SetStatusText(const std::string& text) override
    {
        Send(kStatusMessage, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    int timeouts = 0;

private:
    void Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window_, message, wParam, lParam, SMTO_NORMAL, 5000, &result))
            ++timeouts;
    }
    HWND window_;
};

TEST(RemovalWorker, ReportsSentFromTheWorkerAreHandledWhileStartCopyNowWaits)
{
    TempFolder folder;
    ProductContext context = ContextIn(folder);
    WriteTextFile(context.languageFile, "[SetupProgress]\n10=Done\n");
    const std::string a = folder / "a.txt", b = folder / "b.txt";
    WriteTextFile(a, "x");
    WriteTextFile(b, "x");
    WriteTextFile(context.uninstallLogPath, "TOTALFILE=2\nFILE=" + a + "\nFILE=" + b + "\n");

    TestWindow window("VtEngPumpReceiver");
    ASSERT_NE(window.get(), nullptr);
    SendingProgress progress(window.get());
    g_received.clear();
    g_handlingThread = 0;

    // A quit message during the wait must neither end it nor survive it.
    PostQuitMessage(0);
    CVTEngine engine(context);
    engine.SetProgress(&progress);
    EXPECT_EQ(engine.StartCopyNow(), 1);

    EXPECT_EQ(progress.timeouts, 0);
    EXPECT_EQ(g_received, (std::vector<std::string>{"status:Removing Files...", "range:2", "position:0",
                                                    "position:1", "status:Done", "position:2"}));
    EXPECT_EQ(g_handlingThread, GetCurrentThreadId());
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(RemovalWorker, TracesComeInTheirOrderAlsoForAMissingLog)
{
    TempFolder folder;
    TestWindow viewer(kTraceViewerClass);
    TestWindow sender("VtEngTraceSender");
    ASSERT_NE(viewer.get(), nullptr);
    g_traceSender = sender.get();
    SetTraceSender(sender.get());

    const std::string file = folder / "a.txt";
    for (const bool withLog : {true, false}) {
        ProductContext context = ContextIn(folder);
        WriteTextFile(file, "x");
        if (withLog)
            WriteTextFile(context.uninstallLogPath, "FILE=" + file + "\n");
        else
            DeleteFileA(context.uninstallLogPath.c_str());
        g_received.clear();

        CVTEngine engine(context);
        EXPECT_EQ(engine.StartCopyNow(), 1);

        EXPECT_EQ(g_received, (std::vector<std::string>{"StartCopyNow 1", "StartCopyNow 2",
                                                        "StartCopyNowTH RETURN", "StartCopyNow 3"}))
            << (withLog ? "with a log" : "without a log");
        EXPECT_EQ(Exists(file), !withLog);
    }
    SetTraceSender(nullptr);
}

TEST(RemovalWorker, ARefusedTreeDeleteIsTraced)
{
    TestWindow viewer(kTraceViewerClass);
    TestWindow sender("VtEngTraceSender");
    g_traceSender = sender.get();
    SetTraceSender(sender.get());
    g_received.clear();

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    TempFolder folder;
    const std::string wildcard = folder / "Inst*";
    MakeFolder(folder / "Inst");
    // Every installation path left alone for safety is traced, also one that names no single
    // existing folder: an empty path, a wildcard (which matches the folder beside it).
    const std::string paths[] = {std::string(windows) + "\\", "", wildcard, "Relative\\"};
    for (const std::string& path : paths)
        CVTEngine::RemoveInstallFolder(true, path, kRunSilent);
    // A folder that may go but is not there is no refusal.
    CVTEngine::RemoveInstallFolder(true, folder / "Missing", kRunSilent);

    EXPECT_EQ(g_received, (std::vector<std::string>{"DeleteTree refused " + std::string(windows),
                                                    "DeleteTree refused ", "DeleteTree refused " + wildcard,
                                                    "DeleteTree refused Relative"}));
    EXPECT_TRUE(Exists(folder / "Inst"));
    SetTraceSender(nullptr);
}

// A trace viewer on a thread of its own that stops answering once its window exists, until it is
// released (or 30 seconds have passed).
class StuckViewer {
public:
    StuckViewer()
    {
        ready_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        release_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        thread_.reset(CreateThread(nullptr, 0, &StuckViewer::Run, this, 0, nullptr));
        if (thread_)
            WaitForSingleObject(ready_, 10000);
    }
    ~StuckViewer()
    {
        SetEvent(release_);
        if (thread_)
            WaitForSingleObject(thread_, 40000);
    }
    StuckViewer(const StuckViewer&) = delete;
    StuckViewer& operator=(const StuckViewer&) = delete;
    bool up() const { return window_ != nullptr; }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* viewer = static_cast<StuckViewer*>(self);
        TestWindow window(kTraceViewerClass);
        viewer->window_ = window.get();
        SetEvent(viewer->ready_);
        WaitForSingleObject(viewer->release_, 30000); // no messages handled meanwhile
        return 0;
    }

    Handle ready_;
    Handle release_;
    Handle thread_;
    HWND window_ = nullptr;
};

TEST(RemovalWorker, AViewerThatStopsAnsweringDoesNotHoldTheRemoval)
{
    StuckViewer viewer;
    ASSERT_TRUE(viewer.up());
    const DWORD start = GetTickCount();
    Trace("StuckViewer test");
    const DWORD elapsed = GetTickCount() - start;
    // The send gives up after its time limit instead of waiting for the viewer (30 seconds here).
    EXPECT_LT(elapsed, kTraceSendTimeoutMs + 7000u); // room for a slow machine
}

} // namespace
