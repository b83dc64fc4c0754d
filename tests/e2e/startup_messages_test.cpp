#include <gtest/gtest.h>

#include "tests/e2e/e2e_helpers.h"

namespace {

class UnusableCommandLine : public ::testing::TestWithParam<std::string> {};

TEST_P(UnusableCommandLine, ShowsTheUsageText)
{
    const std::string code = "{" + UniqueName("VT-E2E-unused-") + "}";
    std::string arguments = GetParam();
    const std::string::size_type at = arguments.find("CODE");
    if (at != std::string::npos)
        arguments.replace(at, 4, code);
    SetupProcess run;
    ASSERT_TRUE(run.Start(arguments));
    ExpectBoxAndPress(run, kStartupBox, kAppTitle, kUsage, IDOK);
    ExpectExitZero(run);
}

INSTANTIATE_TEST_SUITE_P(SetupE2E, UnusableCommandLine,
                         ::testing::Values("",          // no argument at all
                                           "/r CODE",   // the switch test is case-sensitive
                                           "CODE",      // a product code alone
                                           "/R",        // no product code
                                           "/R \"\"",   // an empty code would name the whole uninstall key
                                           "CODE /R")); // switches only count in the first argument

TEST(SetupE2E, MessageCaptionIsTheProgramsFileName)
{
    ScratchFolder folder;
    const std::string renamed = folder.Path() + "vantexec.exe";
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), renamed.c_str(), FALSE));
    SetupProcess run; // declared after the folder: ended before the folder goes
    ASSERT_TRUE(run.Start("", renamed));
    ExpectBoxAndPress(run, kStartupBox, "vantexec", kUsage, IDOK);
    ExpectExitZero(run);
}

class MissingUninstallLog : public ::testing::TestWithParam<std::string> {};

TEST_P(MissingUninstallLog, IsReportedAndNothingIsRemoved)
{
    StagedProduct product;
    const std::string kept = product.AddInstalledFile("kept.txt");
    SetupProcess run;
    ASSERT_TRUE(run.Start(GetParam() + " " + product.Code()));
    if (GetParam() == "/R")
        ExpectBoxAndPress(run, kQuestionBox, "",
                          "This will remove Vantora Test Product from your system, do you want to continue?",
                          IDYES);
    ExpectBoxAndPress(run, kNotFoundBox, "Vantora", kNotFound, IDOK);
    ExpectExitZero(run);
    EXPECT_TRUE(FileExists(kept));
    EXPECT_TRUE(product.UninstallKeyExists());
}

INSTANTIATE_TEST_SUITE_P(SetupE2E, MissingUninstallLog, ::testing::Values("/R", "/I", "/S"));

TEST(SetupE2E, UnregisteredProductWithALogIsStillRemoved)
{
    // Without an uninstall entry the name and installation path are empty, yet the log is run.
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, product.UninstallKeyPath().c_str());
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    ExpectBoxAndPress(run, kQuestionBox, "", "This will remove  from your system, do you want to continue?", IDYES);
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    EXPECT_FALSE(FileExists(product.InstallFolder() + "a.txt"));
}

} // namespace
