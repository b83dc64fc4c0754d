#include <gtest/gtest.h>

#include "tests/e2e/e2e_helpers.h"
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
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);

    const Steps expected = {"UN 1", "UN 2", "StartCopyNow 1", "StartCopyNow 2", "StartCopyNowTH RETURN",
                            "StartCopyNow 3", "UN 3", "FinishUninstall 1", "FinishUninstall 3",
                            "ByeByeInstall 1", "UN 4"};
    EXPECT_EQ(viewer.Steps(), expected);
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
    ExpectBoxAndPress(run, kNotFoundBox, "Vantora", kNotFound, IDOK);
    ExpectExitZero(run);
    EXPECT_EQ(viewer.Steps(), Steps{"ByeByeInstall 1"});
}

} // namespace
