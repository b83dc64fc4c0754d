#include <gtest/gtest.h>

#include <windows.h>
#include <softpub.h>
#include <wintrust.h>

#include "tests/e2e/e2e_helpers.h"

// The signed setup.exe of a release package, left beside the tests by the release signing test
// (tests/release_signing_test.sh, this test's fixture): the signature appended to the program
// must change nothing Windows loads and runs.

namespace {

std::string SignedSetupPath()
{
    const std::string beside = SetupExePath();
    return beside.substr(0, beside.find_last_of('\\') + 1) + "signed-release\\setup.exe";
}

TEST(SignedRelease, SignedSetupRemovesAStagedProductSilently)
{
    const std::string program = SignedSetupPath();
    ASSERT_TRUE(FileExists(program)) << program << " is missing: the release signing test makes it";
    StagedProduct product;
    ASSERT_TRUE(product.WriteLog(TwoFileLog(product)));
    SetupProcess run;
    ASSERT_TRUE(run.Start("/S " + product.Code(), program));
    bool sawWindow = true;
    const auto code = run.WaitForExit(kRunTimeoutMs, &sawWindow);
    ASSERT_TRUE(code.has_value()) << "the signed setup.exe did not end in time";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
    EXPECT_FALSE(FolderExists(product.InstallFolder()));
    EXPECT_FALSE(product.UninstallKeyExists());
}

// What Windows' own verifier says of a program's signature (no user interface, no revocation
// lookups: the test certificate names no revocation list, and tests reach no network).
LONG VerifyTrust(const std::string& program)
{
    const std::wstring path(program.begin(), program.end()); // the test's paths are ASCII
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data = {};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const HWND noWindow = static_cast<HWND>(INVALID_HANDLE_VALUE);
    const LONG result = WinVerifyTrust(noWindow, &action, &data);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(noWindow, &action, &data);
    return result;
}

TEST(SignedRelease, WindowsReadsTheSignatureAndSeesAChange)
{
    const std::string program = SignedSetupPath();
    ASSERT_TRUE(FileExists(program)) << program << " is missing: the release signing test makes it";
    // The signature checks out; its self-signed certificate is no trusted root on Windows itself
    // (Wine does not ask for one).
    const LONG signedResult = VerifyTrust(program);
    EXPECT_TRUE(signedResult == ERROR_SUCCESS || signedResult == CERT_E_UNTRUSTEDROOT) << std::hex << signedResult;
    const std::string changed = program.substr(0, program.find_last_of('\\') + 1) + "changed-setup.exe";
    EXPECT_EQ(VerifyTrust(changed), TRUST_E_BAD_DIGEST);          // one byte of code changed
    EXPECT_EQ(VerifyTrust(SetupExePath()), TRUST_E_NOSIGNATURE); // the build's own, unsigned
}

} // namespace
