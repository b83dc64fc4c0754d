#include <gtest/gtest.h>

#include "tests/e2e/themed_run.h"
#include "tests/support/trace_viewer.h"

namespace {

using Steps = std::vector<std::string>;

TEST(SetupTraceE2E, SilentRunSendsEveryStepInOrder)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(run.Start("/S " + product.Code()));
    viewer.ListenTo(run.Id());
    ExpectExitZero(run);

    // The removal starts from the frame's 500 ms timer, never at once.
    EXPECT_GE(viewer.FirstLineTick(), started + 500);
    const Steps expected = {"UN 1",           "UN 2",
                            "StartCopyNow 1", "StartCopyNow 2",
                            "StartCopyNowTH RETURN",
                            "StartCopyNow 3", "UN 3",
                            "FinishUninstall 1", "FinishUninstall 2",
                            "ByeByeInstall 1", "UN 4"};
    EXPECT_EQ(viewer.Steps(), expected);
    // Each line: "(hh:mm:ss) -" + step + "*".
    for (const std::string& line : viewer.Lines()) {
        ASSERT_GE(line.size(), 13u);
        EXPECT_EQ(line[0], '(');
        EXPECT_EQ(line.substr(9, 3), ") -");
        EXPECT_EQ(line.back(), '*');
    }
    EXPECT_FALSE(product.UninstallKeyExists());
}

TEST(SetupTraceE2E, WindowlessUninstallEndsAfterItsMessage)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/I " + product.Code()));
    viewer.ListenTo(run.Id());
    const auto box = ExpectBox(run, kUninstalledBox, kAppTitle, kUninstalled);
    ASSERT_TRUE(box.has_value());
    // Traces are sent and answered before the next step, so while the box is open the run has
    // said exactly this much: the windowless finish, and not yet its end.
    const Steps beforeTheBox = {"UN 1", "UN 2", "StartCopyNow 1", "StartCopyNow 2", "StartCopyNowTH RETURN",
                                "StartCopyNow 3", "UN 3", "FinishUninstall 1", "FinishUninstall 3"};
    EXPECT_EQ(viewer.Steps(), beforeTheBox);
    ASSERT_TRUE(PressButton(*box, IDOK));
    ExpectExitZero(run);

    Steps expected = beforeTheBox;
    expected.push_back("ByeByeInstall 1");
    expected.push_back("UN 4");
    EXPECT_EQ(viewer.Steps(), expected);
}

TEST(SetupTraceE2E, ConfirmedUninstallTracesNothingBeforeTheAnswer)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    viewer.ListenTo(run.Id());
    const auto question = ExpectBox(run, kQuestionBox, "",
                                    "This will remove Vantora Test Product from your system, do you want to continue?");
    ASSERT_TRUE(question.has_value());
    EXPECT_TRUE(viewer.Lines().empty());
    ASSERT_TRUE(PressButton(*question, IDYES));
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    ASSERT_FALSE(viewer.Steps().empty());
    EXPECT_EQ(viewer.Steps().front(), "UN 1");
    EXPECT_EQ(viewer.Steps().back(), "UN 4");
}

TEST(SetupTraceE2E, AnsweringNoSendsNoTraceLine)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    viewer.ListenTo(run.Id());
    ExpectBoxAndPress(run, kQuestionBox, "",
                      "This will remove Vantora Test Product from your system, do you want to continue?",
                      IDNO);
    ExpectExitZero(run);
    EXPECT_TRUE(viewer.Lines().empty()) << viewer.Lines().size() << " lines";
    EXPECT_TRUE(FileExists(product.LogPath()));
}

TEST(SetupTraceE2E, MissingLogEndsWithTheClosingStepOnly)
{
    StagedProduct product;
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code()));
    viewer.ListenTo(run.Id());
    const auto box = ExpectBox(run, kNotFoundBox, "Vantora", kNotFound);
    ASSERT_TRUE(box.has_value());
    EXPECT_TRUE(viewer.Lines().empty()) << "the run ended before its message was answered";
    ASSERT_TRUE(PressButton(*box, IDOK));
    ExpectExitZero(run);
    EXPECT_EQ(viewer.Steps(), Steps{"ByeByeInstall 1"});
}

TEST(SetupTraceE2E, WindowedRunStartsHalfASecondAfterItsWindowAndEndsWhenClosed)
{
    StagedProduct product;
    ASSERT_TRUE(StageSampleTheme(product));
    ASSERT_TRUE(product.WriteLog(ManyFilesLog(product, 2)));
    TraceViewer viewer;
    ASSERT_TRUE(viewer.Valid());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/I " + product.Code()));
    viewer.ListenTo(run.Id());
    HWND page = WaitForThemedWindow(run);
    ASSERT_NE(page, nullptr);
    const ULONGLONG shown = GetTickCount64();
    ASSERT_TRUE(WaitUntil([&] { return ShowsFinishPage(page); }));
    // Seen here up to a poll later than it was shown.
    EXPECT_GE(viewer.FirstLineTick() + 100, shown + 500);
    EXPECT_LE(viewer.FirstLineTick(), shown + 2000);
    Steps expected = {"UN 1", "UN 2", "StartCopyNow 1", "StartCopyNow 2", "StartCopyNowTH RETURN",
                      "StartCopyNow 3", "UN 3", "FinishUninstall 1", "FinishUninstall 4", "UN 4"};
    // The finish page shows just before the frame's last step.
    WaitUntil([&] { return viewer.Steps().size() >= expected.size(); }, 5000);
    EXPECT_EQ(viewer.Steps(), expected);

    PostMessageA(page, WM_CLOSE, 0, 0);
    ExpectExitZero(run);
    expected.push_back("ByeByeInstall 1");
    EXPECT_EQ(viewer.Steps(), expected);
}

} // namespace
