#include "setup/shell/main_frame.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "common/application.h"
#include "common/handles.h"
#include "setup/core/product_context.h"
#include "setup/core/run_log.h"
#include "setup/skin/run_message_box.h"
#include "setup/shell/run_outcome.h"
#include "tests/support/held_file.h"
#include "tests/support/setup_process.h"
#include "tests/support/unique_name.h"

// The main frame's own message boxes, seen from inside the process: only here can the icon a
// box shows be told apart (an icon handle means nothing in another process).

namespace {

constexpr UINT kFrameMenu = 128;
constexpr DWORD kFrameStyle = 0x00CF8000;

enum class Icon { None, Question, Information, Other };

struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    Icon icon = Icon::None;
    HWND owner = nullptr;
    bool yesNo = false;
    ULONGLONG shownAt = 0;
    bool closedByItself = false;
};

constexpr int kNobody = 0; // a box answerer that does not answer


Icon IconOf(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (shown == nullptr)
            continue;
        // The system's icons are shared: in this process the box's icon is the very handle that
        // loading the same system icon gives.
        if (shown == LoadIconA(nullptr, IDI_QUESTION))
            return Icon::Question;
        if (shown == LoadIconA(nullptr, IDI_INFORMATION))
            return Icon::Information;
        return Icon::Other;
    }
    return Icon::None;
}

// Watches the constructing thread for a message box, reads it and presses `button`. Bounded:
// when no box appears within 20 seconds it gives up (and the test fails on `found`).
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button) : thread_(GetCurrentThreadId())
    {
        worker_ = std::thread([this, button] { Run(button); });
    }
    ~BoxAnswerer()
    {
        if (worker_.joinable())
            worker_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // What the box showed, once the watcher is done.
    SeenBox Seen()
    {
        if (worker_.joinable())
            worker_.join();
        return seen_;
    }

private:
    void Run(int button)
    {
        const ULONGLONG end = GetTickCount64() + 20000;
        HWND box = nullptr;
        while (box == nullptr && GetTickCount64() < end) {
            box = FindVisibleBoxOfThread(thread_);
            if (box == nullptr)
                Sleep(20);
        }
        if (box == nullptr)
            return;
        Sleep(100); // let the box fill its controls
        seen_.shownAt = GetTickCount64();
        seen_.found = true;
        seen_.caption = WindowText(box);
        seen_.text = WindowText(GetDlgItem(box, 0xFFFF));
        seen_.icon = IconOf(box);
        seen_.owner = GetWindow(box, GW_OWNER);
        seen_.yesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr &&
                      GetDlgItem(box, IDOK) == nullptr;
        if (button == kNobody) {
            // Nobody answers; should the box not close by itself within the time, it is
            // answered after all, so that the test ends and fails.
            while (IsWindow(box) && GetTickCount64() < end + 20000)
                Sleep(20);
            seen_.closedByItself = !IsWindow(box);
            button = IDOK;
        }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    }

    DWORD thread_;
    SeenBox seen_;
    std::thread worker_;
};

// The frame's creation handler asks and checks before it returns; the frame records its own
// window handle as it is created, so a box can be matched to its owner.
class RecordingFrame : public CMainFrame {
public:
    HWND created = nullptr;

protected:
    int OnCreate(const CREATESTRUCTA& create) override
    {
        created = hwnd();
        return CMainFrame::OnCreate(create);
    }
};

void DrainQueue()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::string MissingPath(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "vt_no_such_" + std::to_string(GetCurrentProcessId()) + "\\" + name;
}

void SetContext(int runMode)
{
    ProductContext& context = TheProductContext();
    context = ProductContext();
    context.runMode = runMode;
    context.productCode = "{VT-FRAME}";
    context.displayName = "Scrivex";
    context.uninstallLogPath = MissingPath("uninstall.log");
    context.themeFolder = MissingPath("theme\\");
    context.languageFile = MissingPath("language.lan");
}

TEST(CMainFrame, UninstallQuestionHasYesNoAndTheQuestionIconOwnedByTheFrame)
{
    DrainQueue();
    SetContext(kRunUninstall);
    RecordingFrame frame;
    BoxAnswerer answerer(IDNO);
    // Answering No refuses the creation.
    EXPECT_FALSE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    const SeenBox box = answerer.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "This will remove Scrivex from your system, do you want to continue?");
    EXPECT_EQ(box.caption, "");
    EXPECT_TRUE(box.yesNo);
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_NE(box.owner, nullptr);
    EXPECT_EQ(box.owner, frame.created);
    EXPECT_EQ(frame.hwnd(), nullptr);
    DrainQueue();
}

TEST(CMainFrame, MissingLogMessageHasTheInformationIconOwnedByTheFrameAndEndsTheRun)
{
    DrainQueue();
    SetContext(kRunModify);
    RecordingFrame frame;
    BoxAnswerer answerer(IDOK);
    EXPECT_TRUE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    const SeenBox box = answerer.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "Vantora");
    EXPECT_EQ(box.text, "Uninstallation information not found. Vantora can't uninstall this software");
    EXPECT_FALSE(box.yesNo);
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_NE(box.owner, nullptr);
    EXPECT_EQ(box.owner, frame.hwnd());
    EXPECT_FALSE(IsWindowVisible(frame.hwnd()));

    // The run is over: the quit message is posted (exit code 0) and no removal timer runs.
    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_FALSE(KillTimer(frame.hwnd(), kRemovalTimerId));
    frame.Destroy();
    DrainQueue();
}

// A silent run may be on a desktop nobody sees: its box keeps its texts and closes by itself.
TEST(CMainFrame, SilentRunMissingLogMessageClosesByItselfWhenNobodyAnswers)
{
    DrainQueue();
    SetContext(kRunSilent);
    SetSilentBoxTimeout(1500);
    RecordingFrame frame;
    BoxAnswerer watcher(kNobody);
    EXPECT_TRUE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    const ULONGLONG returnedAt = GetTickCount64();
    SetSilentBoxTimeout(kSilentBoxTimeoutMs);
    const SeenBox box = watcher.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(box.closedByItself);
    EXPECT_EQ(box.caption, "Vantora");
    EXPECT_EQ(box.text, "Uninstallation information not found. Vantora can't uninstall this software");
    EXPECT_EQ(box.icon, Icon::Information);
    EXPECT_LT(returnedAt - box.shownAt, 10000u);
    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    frame.Destroy();
    DrainQueue();
}

// A folder of the test's own with an uninstall log and, when asked, a removal theme.
class StagedFolder {
public:
    explicit StagedFolder(bool withTheme)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + UniqueName("vt_frame_") + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "theme").c_str(), nullptr);
        Touch(folder_ + "uninstall.log");
        if (withTheme)
            Touch(folder_ + "theme\\uninstall.lcd");
    }
    ~StagedFolder()
    {
        DeleteFileA((folder_ + "theme\\uninstall.lcd").c_str());
        DeleteFileA((folder_ + "uninstall.log").c_str());
        RemoveDirectoryA((folder_ + "theme").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;
    const std::string& path() const { return folder_; }

private:
    static void Touch(const std::string& file)
    {
        FileHandle created(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(created.valid()) << file;
    }
    std::string folder_;
};

// A product with "uninstall.lcd" shows its removal window before the removal starts; one
// without runs windowless.
class StartedRun : public ::testing::TestWithParam<bool> {};

TEST_P(StartedRun, IsWindowlessWithTheRemovalTimerPendingAndNoQuit)
{
    DrainQueue();
    StagedFolder staged(GetParam());
    SetContext(kRunSilent);
    TheProductContext().uninstallLogPath = staged.path() + "uninstall.log";
    TheProductContext().themeFolder = staged.path() + "theme\\";

    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    const bool themed = GetParam();
    EXPECT_EQ(TheProductContext().windowless, themed ? kFlagOff : kFlagOn);
    EXPECT_EQ(frame.RemovalWindow() != nullptr, themed);
    if (themed) {
        EXPECT_TRUE(IsWindowVisible(frame.RemovalWindow()->hwnd()));
    }
    EXPECT_FALSE(IsWindowVisible(frame.hwnd()));
    MSG msg = {};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // The removal waits for timer 1; killing it here keeps this test from removing anything.
    EXPECT_TRUE(KillTimer(frame.hwnd(), kRemovalTimerId));
    frame.Destroy();
    DrainQueue();
}

INSTANTIATE_TEST_SUITE_P(CMainFrame, StartedRun, ::testing::Values(false, true));

// The page commands that reach the frame: only the id name and the click action count, and
// the previous page comes before Finish. With no page list there is no page to open.
TEST(CMainFrame, PageCommandsFinishOnlyForFinishWithoutTheBackAction)
{
    DrainQueue();
    SetContext(kRunModify);
    TheProductContext().windowless = kFlagOff;
    CMainFrame frame;
    CImageWindow page(frame);
    const struct {
        const char* idName;
        int action;
        bool quits;
    } cases[] = {
        {"IDC_FINISH", -1, true}, {"IDC_FINISH", 2, false}, {"IDC_FINISH", 1, true},
        {"IDYES", 2, false},      {"IDC_NEXT", -1, false},  {"IDC_BACK", 1, false},
        {"IDC_BROWSE", 0, false}, {"IDRETRY", -1, false},   {"IDC_OTHER", 1, false},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(frame.OnPageCommand(3000, 0, c.action, c.idName, page, "page.lcd")) << c.idName;
        MSG msg = {};
        EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, c.quits)
            << c.idName << " " << c.action;
    }
    EXPECT_EQ(frame.RemovalWindow(), nullptr);
}

std::string ReadWholeFile(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    char buffer[4096];
    DWORD n = 0;
    while (file && ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0)
        content.append(buffer, n);
    return content;
}

// Pumps this thread's messages until the quit message, for at most 30 seconds.
bool RunUntilQuit()
{
    const ULONGLONG end = GetTickCount64() + 30000;
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

// A log held without sharing past the retries: nothing is removed, the key stays (no closing
// step runs), and the user is told in a box that a silent run closes by itself.
TEST(CMainFrame, UnreadableLogIsToldAndTheRunCouldNotRun)
{
    DrainQueue();
    StagedFolder staged(false);
    SetContext(kRunSilent);
    const std::string log = staged.path() + "uninstall.log";
    TheProductContext().uninstallLogPath = log;
    TheProductContext().themeFolder = staged.path() + "theme\\";
    HeldFile holder(log, "exclusive");
    ASSERT_TRUE(holder.Held());
    SetSilentBoxTimeout(1500);
    RecordingFrame frame;
    BoxAnswerer watcher(kNobody);
    ASSERT_TRUE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    EXPECT_TRUE(RunUntilQuit());
    SetSilentBoxTimeout(kSilentBoxTimeoutMs);
    const SeenBox box = watcher.Seen();
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(box.closedByItself);
    EXPECT_EQ(box.caption, CurrentApplicationTitle());
    EXPECT_EQ(box.text.rfind("The uninstallation information could not be read:\r\n" + log + "\r\n", 0), 0u)
        << box.text;
    EXPECT_EQ(box.owner, frame.hwnd());
    EXPECT_EQ(TheRunOutcome().end, RunEnd::CouldNotRun);
    EXPECT_EQ(ExitCodeFor(TheRunOutcome(), true), kExitFatal);
    holder.Release();
    frame.Destroy();
    DrainQueue();
}

// Another program may post the removal timer: a second tick during the removal, or after it,
// starts no second engine. The ticks are counted in the run's log file ("UN 1" once).
TEST(CMainFrame, ASecondRemovalTimerIsIgnored)
{
    DrainQueue();
    StagedFolder staged(false);
    SetContext(kRunSilent);
    TheProductContext().uninstallLogPath = staged.path() + "uninstall.log";
    TheProductContext().themeFolder = staged.path() + "theme\\";
    const std::string file = staged.path() + "theme\\gone.txt";
    FileHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    {
        // Many missing files after the real one: the removal lasts while the second tick waits.
        std::string text = "FILE=" + file + "\n";
        for (int i = 0; i < 3000; ++i)
            text += "FILE=" + staged.path() + "missing" + std::to_string(i) + ".txt\n";
        FileHandle log(CreateFileA(TheProductContext().uninstallLogPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    const std::string runLog = staged.path() + "run.log";
    ASSERT_EQ(TheRunLog().Open(runLog), 0u);
    RecordingFrame frame;
    ASSERT_TRUE(frame.Create(kFrameMenu, kFrameStyle, "frame"));
    PostMessageA(frame.hwnd(), WM_TIMER, kRemovalTimerId, 0);
    PostMessageA(frame.hwnd(), WM_TIMER, kRemovalTimerId, 0);
    EXPECT_TRUE(RunUntilQuit());
    SendMessageA(frame.hwnd(), WM_TIMER, kRemovalTimerId, 0); // after the run
    TheRunLog().Close();
    EXPECT_EQ(TheRunOutcome().end, RunEnd::Removed);
    EXPECT_EQ(TheRunOutcome().tally.removed, 1);
    EXPECT_EQ(TheRunOutcome().tally.notThere, 3000);
    const std::string lines = ReadWholeFile(runLog);
    std::size_t ticks = 0;
    for (std::size_t at = lines.find("-UN 1*"); at != std::string::npos; at = lines.find("-UN 1*", at + 1))
        ++ticks;
    EXPECT_EQ(ticks, 1u);
    DeleteFileA(runLog.c_str());
    frame.Destroy();
    DrainQueue();
}

} // namespace
