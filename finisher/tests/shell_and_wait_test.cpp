#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "common/error_report.h"
#include "finisher/shell_and_wait.h"
#include "finisher/tests/finisher_fixture.h"
#include "tests/support/staging.h"

using basShellAndWait::ShellAndWait;

namespace {

constexpr unsigned long kRecordWaitMs = 15000;

// A copy of the recorder in a scratch folder of the test's own.
struct Child {
    ScratchFolder folder;
    std::string path = folder.Path() + "child.exe";
    Child() { EXPECT_TRUE(InstallRecorder(path)); }
    ~Child() { DeleteProgramWhenFree(path); }
    std::string Line(const std::string& arguments) const { return "\"" + path + "\" " + arguments; }
};

struct ExitCase {
    const char* arguments;
    DWORD code;
};

void PrintTo(const ExitCase& c, std::ostream* os)
{
    *os << c.arguments;
}

class LotefinalShellAndWaitExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(LotefinalShellAndWaitExit, EndedProcessIsTrueWithItsCodeStored)
{
    // 259 is the still-active value: once the process handle is signalled it is just a code.
    Child child;
    DWORD code = 12345;
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(ShellAndWait(child.Line(GetParam().arguments), SW_HIDE, 20L, &code));
    EXPECT_LT(GetTickCount64() - start, 15000u);
    EXPECT_EQ(code, GetParam().code);
    const auto runs = RecordedRuns(child.path);
    ASSERT_EQ(runs.size(), 1u); // waited: the record is already complete
    EXPECT_EQ(runs[0].show, "0");
}

INSTANTIATE_TEST_SUITE_P(LotefinalShellAndWait, LotefinalShellAndWaitExit,
                         ::testing::Values(ExitCase{"exit=0", 0}, ExitCase{"exit=259", 259},
                                           ExitCase{"sleep=600 exit=3", 3}));

TEST(LotefinalShellAndWait, WithoutTimeOutWaitsForTheEnd)
{
    Child child;
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(ShellAndWait(child.Line("sleep=700"), SW_SHOWMINNOACTIVE));
    EXPECT_GE(GetTickCount64() - start, 650u);
    const auto runs = RecordedRuns(child.path);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].show, std::to_string(SW_SHOWMINNOACTIVE));
}

TEST(LotefinalShellAndWait, TimeOutEndsTheWaitWithFalse)
{
    Child child;
    DWORD code = 777;
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(ShellAndWait(child.Line("sleep=2500"), SW_HIDE, 1L, &code));
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_GE(took, 1000u);
    // False with no code stored already says the wait ended before the child did (an ended
    // child gives True): no upper bound on the time, which a slow machine could overrun.
    EXPECT_EQ(code, 777u);
    // The child lives on; its folder goes once it has ended (Child's clean-up waits for that).
    EXPECT_TRUE(WaitForRuns(child.path, 1, kRecordWaitMs));
}

long StartErrorNumber(const std::string& commandLine, DWORD& code)
{
    try {
        ShellAndWait(commandLine, SW_HIDE, 5L, &code);
    } catch (const RunTimeError& error) {
        return error.Number();
    }
    return 0;
}

TEST(LotefinalShellAndWait, UnstartableProgramIsARunTimeError)
{
    ScratchFolder folder;
    const std::string broken = folder.Path() + "broken.exe";
    ASSERT_TRUE(WriteTextFile(broken, "not a program"));
    DWORD code = 777;
    EXPECT_EQ(StartErrorNumber("\"" + folder.Path() + "missing.exe\"", code), kErrorFileNotFound);
    EXPECT_EQ(StartErrorNumber("\"" + broken + "\"", code), kErrorInvalidProcedureCall);
    EXPECT_EQ(code, 777u);
}

TEST(LotefinalShellAndWait, ApplicationNameRunsExactlyThatProgram)
{
    // Unquoted, "<folder>my tools\tool.exe" would start "<folder>my.exe" first.
    ScratchFolder folder;
    const std::string decoy = folder.Path() + "my.exe";
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "my tools").c_str(), nullptr));
    const std::string tool = folder.Path() + "my tools\\tool.exe";
    ASSERT_TRUE(InstallRecorder(decoy));
    ASSERT_TRUE(InstallRecorder(tool));
    const std::string line = tool + " /tlb:\"x.tlb\" exit=4";
    DWORD code = 0;
    EXPECT_TRUE(ShellAndWait(line, SW_HIDE, 20L, &code, tool));
    EXPECT_EQ(code, 4u);
    const auto runs = RecordedRuns(tool);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, line); // the command line reaches it unchanged
    EXPECT_TRUE(RecordedRuns(decoy).empty());
    DeleteProgramWhenFree(tool);
    DeleteProgramWhenFree(decoy);
}

// A window of this thread that answers one message, to prove the queue is serviced meanwhile.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        return 42;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(LotefinalShellAndWait, MessagesAreHandledWhileWaiting)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LotefinalWaitTestWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int handled = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));

    // Another thread sends while this one waits: without the pump the send would time out.
    std::atomic<bool> answered{false};
    std::thread sender([&] {
        Sleep(300);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(window, WM_APP, 0, 0, SMTO_NORMAL, 5000, &result) != 0 && result == 42;
    });
    PostMessageA(window, WM_APP, 0, 0);
    Child child;
    // The child outlives the sender's start by seconds, so a slow machine still sends mid-wait
    // (a send after the wait would find nobody pumping while this thread joins).
    EXPECT_TRUE(ShellAndWait(child.Line("sleep=4000"), SW_HIDE, 20L));
    sender.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(handled, 2); // the posted message too
    DestroyWindow(window);
}

ULONGLONG ThreadCpuMs()
{
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000u;
}

TEST(LotefinalShellAndWait, QuitMessageOutlastsTheWait)
{
    // A quit message met while waiting must neither end the wait, nor be lost, nor turn the
    // wait into a busy loop (a quit message left in the queue wakes every wait at once).
    Child child;
    PostQuitMessage(17);
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG cpuBefore = ThreadCpuMs();
    EXPECT_TRUE(ShellAndWait(child.Line("sleep=1000"), SW_HIDE, 20L));
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 400u);
    EXPECT_GE(GetTickCount64() - start, 950u);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 17u);
}

} // namespace
