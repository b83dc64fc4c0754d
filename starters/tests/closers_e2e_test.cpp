// updstart and unstart run for real under Wine against stand-ins for the product's resident
// programs (tests/fixtures/closers_target), which record every close request they receive.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

namespace {

const char* const kClass = "ThunderRT6Main";
const char* const kControlCentre = "Scrivex - Centro de Control";
const char* const kHotKeys = "Velmar HotKeys";

// A program with nothing to wait for ends at once; this only bounds the test.
constexpr DWORD kPromptMs = 10000;
// The system calls a program hung after 5 s without handling messages; room for that and the
// start of the program.
constexpr DWORD kHungBoundMs = 20000;

std::string BesideTests(const std::string& file)
{
    const std::string self = SetupExePath();
    return self.substr(0, self.find_last_of('\\') + 1) + file;
}

struct Window {
    std::string className;
    std::string title;
    std::string behaviour = "plain";
};

// One record of the stand-in: "<n> close <window> <wParam> <lParam>" or "<n> done <window>".
struct Event {
    int sequence = 0;
    std::string what;
    int window = -1;
    std::string parameters;
};

// A stand-in process with its plan and record in a folder of its own. Ends itself after its
// lifetime; is ended by the test at the latest when it goes out of scope.
class Residents {
public:
    explicit Residents(const std::vector<Window>& windows, DWORD hangMs = 0)
    {
        std::string plan = "record " + RecordPath() + "\nlifetime 60000\n";
        if (hangMs > 0)
            plan += "hang " + std::to_string(hangMs) + "\n";
        for (const Window& w : windows)
            plan += "window " + w.className + "|" + w.title + "|" + w.behaviour + "\n";
        const std::string planPath = folder_.Path() + "plan.txt";
        EXPECT_TRUE(WriteTextFile(planPath, plan));
        EXPECT_TRUE(process_.Start(planPath, BesideTests("closers_target.exe")));
    }

    // Waits, bounded, for the windows to exist.
    bool WaitReady()
    {
        const ULONGLONG end = GetTickCount64() + 15000;
        while (GetTickCount64() < end) {
            if (ReadTextFile(RecordPath()).find("ready\n") != std::string::npos)
                return true;
            if (process_.HasExited())
                return false;
            Sleep(20);
        }
        return false;
    }

    std::vector<Event> Events() const
    {
        std::vector<Event> events;
        std::istringstream lines(ReadTextFile(RecordPath()));
        std::string line;
        while (std::getline(lines, line)) {
            if (line == "ready")
                continue;
            std::istringstream fields(line);
            Event e;
            fields >> e.sequence >> e.what >> e.window;
            std::getline(fields, e.parameters);
            events.push_back(e);
        }
        return events;
    }

    // The windows, in plan order, that received WM_CLOSE, in the order they received it.
    std::vector<int> Closed() const
    {
        std::vector<int> closed;
        for (const Event& e : Events()) {
            if (e.what == "close")
                closed.push_back(e.window);
        }
        return closed;
    }

private:
    std::string RecordPath() const { return folder_.Path() + "record.txt"; }

    ScratchFolder folder_;
    SetupProcess process_;
};

bool WindowExists(const char* className, const char* title)
{
    return FindWindowA(className, title) != nullptr;
}

class CloserTest : public ::testing::TestWithParam<std::string> {
protected:
    std::string Program() const { return BesideTests(GetParam() + ".exe"); }

    // Runs the program to its end within `boundMs`; returns how long it took.
    ULONGLONG RunCloser(DWORD boundMs = kPromptMs)
    {
        SetupProcess run;
        const ULONGLONG start = GetTickCount64();
        EXPECT_TRUE(run.Start("", Program()));
        bool sawWindow = true;
        const auto code = run.WaitForExit(boundMs, &sawWindow);
        const ULONGLONG took = GetTickCount64() - start;
        EXPECT_TRUE(code.has_value()) << GetParam() << " did not end within " << boundMs << " ms";
        EXPECT_EQ(code.value_or(999), 0u);
        EXPECT_FALSE(sawWindow) << GetParam() << " showed a window";
        return took;
    }
};

TEST_P(CloserTest, NothingRunningEndsAtOnceWithExitCodeZero)
{
    ASSERT_FALSE(WindowExists(kClass, kControlCentre));
    ASSERT_FALSE(WindowExists(kClass, kHotKeys));
    // Start, run and exit under Wine take well under a second; a closer that wrongly waited
    // for a window would take at least its 5 s not-responding time on top.
    EXPECT_LT(RunCloser(), 9000u);
}

TEST_P(CloserTest, BothRunningControlCentreIsClosedFirst)
{
    // The hot-key window is made first, so the order is the program's and not the windows'.
    Residents residents(std::vector<Window>{{kClass, kHotKeys}, {kClass, kControlCentre}});
    ASSERT_TRUE(residents.WaitReady());
    RunCloser();
    EXPECT_EQ(residents.Closed(), (std::vector<int>{1, 0}));
    for (const Event& e : residents.Events()) {
        if (e.what == "close") {
            EXPECT_EQ(e.parameters, " 0 0") << "WM_CLOSE carries no values";
        }
    }
    EXPECT_FALSE(WindowExists(kClass, kControlCentre));
    EXPECT_FALSE(WindowExists(kClass, kHotKeys));
}

TEST_P(CloserTest, OnlyTheHotKeyHandlerRunningIsStillClosed)
{
    Residents residents(std::vector<Window>{{kClass, kHotKeys}});
    ASSERT_TRUE(residents.WaitReady());
    RunCloser();
    EXPECT_EQ(residents.Closed(), (std::vector<int>{0}));
}

TEST_P(CloserTest, WindowsOfAnotherClassOrTitleAreNotTouched)
{
    Residents residents({
        {"ThunderRT6FormDC", kHotKeys},
        {kClass, kControlCentre},
        {kClass, "Scrivex - Centro de Control 2"},
        {kClass, "Velmar HotKeys "},
        {kClass, ""},
        {kClass, kHotKeys},
        {"ThunderRT6FormDC", kControlCentre},
    });
    ASSERT_TRUE(residents.WaitReady());
    RunCloser();
    EXPECT_EQ(residents.Closed(), (std::vector<int>{1, 5}));
    EXPECT_TRUE(WindowExists("ThunderRT6FormDC", kControlCentre));
    EXPECT_TRUE(WindowExists("ThunderRT6FormDC", kHotKeys));
    EXPECT_TRUE(WindowExists(kClass, "Velmar HotKeys "));
}

TEST_P(CloserTest, OfTwoControlCentresOnlyOneIsClosed)
{
    Residents residents({{kClass, kControlCentre}, {kClass, kControlCentre}, {kClass, kHotKeys}});
    ASSERT_TRUE(residents.WaitReady());
    RunCloser();
    const std::vector<int> closed = residents.Closed();
    ASSERT_EQ(closed.size(), 2u);
    EXPECT_TRUE(closed[0] == 0 || closed[0] == 1);
    EXPECT_EQ(closed[1], 2);
    EXPECT_TRUE(WindowExists(kClass, kControlCentre)) << "the second instance stays";
}

TEST_P(CloserTest, WaitsForTheControlCentresCloseDownBeforeTheHotKeys)
{
    // The control centre handles its close request for longer than the system's hung time,
    // answering messages all along, as a close-down dialog does: that is no hang, and the
    // hot-key handler is only asked once the control centre is done.
    Residents residents({{kClass, kControlCentre, "pump:7000"}, {kClass, kHotKeys}});
    ASSERT_TRUE(residents.WaitReady());
    const ULONGLONG took = RunCloser(kHungBoundMs + 10000);
    EXPECT_GE(took, 7000u);
    const std::vector<Event> events = residents.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].what + std::to_string(events[0].window), "close0");
    EXPECT_EQ(events[1].what + std::to_string(events[1].window), "done0");
    EXPECT_EQ(events[2].what + std::to_string(events[2].window), "close1");
}

TEST_P(CloserTest, AHungControlCentreDoesNotHoldTheShutdown)
{
    // A control centre that stopped handling messages before the request came.
    Residents hung(std::vector<Window>{{kClass, kControlCentre}}, 40000);
    Residents hotKeys(std::vector<Window>{{kClass, kHotKeys}});
    ASSERT_TRUE(hung.WaitReady());
    ASSERT_TRUE(hotKeys.WaitReady());
    RunCloser(kHungBoundMs);
    EXPECT_EQ(hotKeys.Closed(), (std::vector<int>{0}));
    EXPECT_TRUE(hung.Closed().empty());
}

TEST_P(CloserTest, AControlCentreThatStopsRespondingWhileClosingDoesNotHoldTheShutdown)
{
    Residents stalling(std::vector<Window>{{kClass, kControlCentre, "stall:40000"}});
    Residents hotKeys(std::vector<Window>{{kClass, kHotKeys}});
    ASSERT_TRUE(stalling.WaitReady());
    ASSERT_TRUE(hotKeys.WaitReady());
    RunCloser(kHungBoundMs);
    EXPECT_EQ(stalling.Closed(), (std::vector<int>{0}));
    EXPECT_EQ(hotKeys.Closed(), (std::vector<int>{0}));
}

INSTANTIATE_TEST_SUITE_P(Programs, CloserTest, ::testing::Values("updstart", "unstart"),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
