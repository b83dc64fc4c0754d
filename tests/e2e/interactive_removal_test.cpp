// Removals with the sample product's removal window, as a user goes through them.
#include <gtest/gtest.h>

#include "tests/e2e/themed_run.h"

namespace {

const char* const kName = "Scrivex E2E";

enum class Ending { CloseButton, CloseBox, ByItself };

struct RemovalRun {
    const char* modeSwitch;
    bool asks;
    Ending ending;
};

class InteractiveRemoval : public ::testing::TestWithParam<RemovalRun> {
protected:
    void SetUp() override { ASSERT_TRUE(StageSampleTheme(product)); }

    void ExpectEverythingRemoved(int files)
    {
        for (int i = 0; i < files; i += 97)
            EXPECT_FALSE(FileExists(product.InstallFolder() + "part" + std::to_string(i / 500) + "\\file" +
                                    std::to_string(i) + ".dat"));
        EXPECT_FALSE(FolderExists(product.InstallFolder()));
        EXPECT_FALSE(product.UninstallKeyExists());
    }

    StagedProduct product{kName};
    SetupProcess run;
};

TEST_P(InteractiveRemoval, ShowsProgressThenTheFinishPageAndEndsWithZero)
{
    const RemovalRun& p = GetParam();
    constexpr int kFiles = 20;
    ASSERT_TRUE(product.WriteLog(ManyFilesLog(product, kFiles)));
    ASSERT_TRUE(run.Start(std::string(p.modeSwitch) + " " + product.Code()));
    if (p.asks)
        // The caption is shown as written: the question alone takes the product name.
        ExpectBoxAndPress(run, kQuestionBox, "Uninstall Scrivex", SampleQuestion(kName), IDYES);
    HWND page = WaitForThemedWindow(run);
    ASSERT_NE(page, nullptr) << "no removal window";
    EXPECT_EQ(WindowText(page), "Uninstall " + std::string(kName));

    if (p.ending == Ending::ByItself) {
        ExpectExitZero(run);
        ExpectEverythingRemoved(kFiles);
        return;
    }
    // The finish page: the cancel button becomes the close button, the finish text shows, the
    // bar is full, and the run waits for the user.
    ASSERT_TRUE(WaitUntil([&] { return ShowsFinishPage(page); }))
        << "no finish page";
    EXPECT_EQ(ControlText(page, kSampleCancel), kSampleCloseCaption);
    EXPECT_EQ(ControlText(page, kSampleStatus1), std::string(kName) + " was removed from your computer.");
    EXPECT_EQ(ControlText(page, kSampleInfo), kSampleFinalStatus);
    EXPECT_EQ(ProgressUpper(page), kFiles + 1);
    EXPECT_EQ(ProgressPosition(page), kFiles + 1);
    ExpectEverythingRemoved(kFiles);
    PumpMessagesFor(300);
    EXPECT_FALSE(run.HasExited());

    if (p.ending == Ending::CloseButton)
        PostMessageA(Control(page, kSampleCancel), BM_CLICK, 0, 0);
    else
        PostMessageA(page, WM_CLOSE, 0, 0);
    ExpectExitZero(run);
}

std::string RunName(const ::testing::TestParamInfo<RemovalRun>& info)
{
    static const char* const names[] = {"UninstallClosedByItsButton", "ModifyClosedByTheCloseBox",
                                        "SilentEndsByItself"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(SetupE2E, InteractiveRemoval,
                         ::testing::Values(RemovalRun{"/R", true, Ending::CloseButton},
                                           RemovalRun{"/I", false, Ending::CloseBox},
                                           RemovalRun{"/S", false, Ending::ByItself}),
                         RunName);

// A close during the removal is kept until the removal has run to its end: nothing is cut short
// and the run then ends without its finish page.
TEST_F(InteractiveRemoval, ClosingDuringTheRemovalEndsTheRunAfterIt)
{
    constexpr int kFiles = 3000;
    ASSERT_TRUE(product.WriteLog(ManyFilesLog(product, kFiles)));
    ASSERT_TRUE(run.Start("/I " + product.Code()));
    HWND page = WaitForThemedWindow(run);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ProgressPosition(page) > 0 || run.HasExited(); }));
    const int position = ProgressPosition(page);
    if (position >= kFiles)
        GTEST_SKIP() << "the removal ended before the test could close the window";
    EXPECT_EQ(ControlText(page, kSampleInfo), "Removing Files...");
    PostMessageA(page, WM_CLOSE, 0, 0);
    ExpectExitZero(run);
    ExpectEverythingRemoved(kFiles);
}

} // namespace
