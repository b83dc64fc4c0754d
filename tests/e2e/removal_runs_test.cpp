#include <gtest/gtest.h>

#include "tests/e2e/e2e_helpers.h"

namespace {

void ExpectRemoved(const StagedProduct& product)
{
    EXPECT_FALSE(FileExists(product.InstallFolder() + "a.txt"));
    EXPECT_FALSE(FileExists(product.InstallFolder() + "b.txt"));
    EXPECT_FALSE(FolderExists(product.InstallFolder()));
    EXPECT_FALSE(product.UninstallKeyExists());
    // The engine leaves its log where the installer put it.
    EXPECT_TRUE(FileExists(product.LogPath()));
}

TEST(SetupE2E, SilentRunRemovesTheProductWithoutAnyWindow)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code()));
    bool sawWindow = true;
    const auto code = run.WaitForExit(kRunTimeoutMs, &sawWindow);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
    ExpectRemoved(product);
}

TEST(SetupE2E, SilentSwitchAmongOtherCharactersWins)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    SetupProcess run;
    // "/R" and "/S" in one first argument: silent, so no question and no closing message.
    ASSERT_TRUE(run.Start("x/R/Sy " + product.Code()));
    ExpectExitZero(run);
    ExpectRemoved(product);
}

TEST(SetupE2E, ModifyRunAsksNothingAndSaysProductUninstalled)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/I " + product.Code()));
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    ExpectRemoved(product);
}

TEST(SetupE2E, UninstallWithoutLanguageFileAsksTheBuiltInQuestion)
{
    StagedProduct product("Scrivex 100%s Edition");
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    ExpectBoxAndPress(run, kQuestionBox, "",
                      "This will remove Scrivex 100%s Edition from your system, do you want to continue?",
                      IDYES);
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    ExpectRemoved(product);
}

TEST(SetupE2E, UninstallAsksTheLanguageQuestionWithAngleVariablesOnly)
{
    StagedProduct product("Scrivex Pro");
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    ASSERT_TRUE(product.WriteLanguage("[SetupProgress]\r\n"
                                      "14=Remove <ProductName> <ProductCode> [ProductName]?\r\n"
                                      "15=Scrivex removal\r\n"));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    ExpectBoxAndPress(run, kQuestionBox, "Scrivex removal",
                      "Remove Scrivex Pro " + product.Code() + " [ProductName]?", IDYES);
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    ExpectRemoved(product);
}

// The installer writes its texts in the ANSI code page (Windows-1252): they reach the question
// box byte for byte, from the language file as from the uninstall entry.
TEST(SetupE2E, UninstallQuestionShowsWindows1252TextsAsWritten)
{
    StagedProduct product("Scrivex Edici\xF3n");
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    ASSERT_TRUE(product.WriteLanguage("[SetupProgress]\r\n"
                                      "14=\xBF" "Desea quitar <ProductName> del equipo?\r\n"
                                      "15=Desinstalaci\xF3n\r\n"));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    ExpectBoxAndPress(run, kQuestionBox, "Desinstalaci\xF3n", "\xBF" "Desea quitar Scrivex Edici\xF3n del equipo?",
                      IDYES);
    ExpectBoxAndPress(run, kUninstalledBox, kAppTitle, kUninstalled, IDOK);
    ExpectExitZero(run);
    ExpectRemoved(product);
}

TEST(SetupE2E, UninstallAnsweredNoRemovesNothing)
{
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    // An empty language file asks the built-in question in a box without caption, as a missing
    // one does.
    ASSERT_TRUE(product.WriteLanguage(""));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/R " + product.Code()));
    ExpectBoxAndPress(run, kQuestionBox, "",
                      "This will remove Vantora Test Product from your system, do you want to continue?",
                      IDNO);
    ExpectExitZero(run);
    EXPECT_TRUE(FileExists(product.InstallFolder() + "a.txt"));
    EXPECT_TRUE(FileExists(product.InstallFolder() + "b.txt"));
    EXPECT_TRUE(product.UninstallKeyExists());
    EXPECT_TRUE(FileExists(product.LogPath()));
}

TEST(SetupE2E, RemoveAllDeletesTheInstallationFolderWithItsContents)
{
    StagedProduct product;
    product.AddInstalledFile("unlisted.txt");
    CreateDirectoryA((product.InstallFolder() + "sub").c_str(), nullptr);
    product.AddInstalledFile("sub\\deep.txt");
    ASSERT_TRUE(product.WriteLog("REMOVEALL=1\n"));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code()));
    ExpectExitZero(run);
    EXPECT_FALSE(FolderExists(product.InstallFolder()));
    EXPECT_FALSE(product.UninstallKeyExists());
}

} // namespace
