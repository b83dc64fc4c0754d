// End-to-end runs of loterun.exe under Wine against a stand-in of the product's batch class,
// registered under the product's fixed programmatic identifier for the time of each test.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "common/handles.h"

#include "starters/tests/loterun_e2e_helpers.h"
#include "tests/fixtures/batch_component.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

namespace {

const char* const kTitle = "loterun";
// A method call (DISPATCH_METHOD) without arguments, made directly on the program's own thread
// in its single-threaded apartment.
const char* const kCallRecord = "start flags=1 args=0 apartment=sta thread=main\nend\n";

std::string Report(const std::string& numberAndDescription)
{
    return "Error " + numberAndDescription + ") en procedimiento Main de M\xF3" "dulo VlmMain";
}

class LoterunE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Another registration of the product's class would make the outcome depend on it.
        ASSERT_FALSE(ClassIdOfProgId(kBatchProgId).has_value())
            << kBatchProgId << " is registered on this machine already";
    }

    std::string RecordPath() const { return folder_.Path() + "record.txt"; }
    std::string Record() const { return ReadTextFile(RecordPath()); }

    bool StartLoterun() { return run_.Start("", BesideTest("loterun.exe")); }

    ScratchFolder folder_;
    EnvironmentVariable record_{kBatchRecordVariable, RecordPath()};
    SetupProcess run_; // after the folder: ended before the folder goes
};

TEST_F(LoterunE2E, CallsTheMethodOnceAndEndsWithoutAWindow)
{
    BatchClassRegistration registration;
    ASSERT_TRUE(registration.Ok());
    ASSERT_TRUE(StartLoterun());
    bool sawWindow = true;
    const auto code = run_.WaitForExit(kRunTimeoutMs, &sawWindow);
    ASSERT_TRUE(code.has_value()) << "loterun did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(Record(), std::string(kCallRecord) + "released\n");
}

// The product's component lies in the installation folder with libraries of its own beside it;
// the program takes system libraries from the system folder only, yet the component loads.
TEST_F(LoterunE2E, CreatesAComponentThatNeedsLibrariesBesideIt)
{
    const std::string component = folder_.Path() + "batch_component_dep.dll";
    ASSERT_TRUE(CopyFileA(BesideTest("batch_component_dep.dll").c_str(), component.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTest("removal_hook_helper.dll").c_str(),
                          (folder_.Path() + "removal_hook_helper.dll").c_str(), FALSE));
    BatchClassRegistration registration(component);
    ASSERT_TRUE(registration.Ok());
    ASSERT_TRUE(StartLoterun());
    const auto code = run_.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(code.has_value()) << "loterun did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(Record(), std::string(kCallRecord) + "released\n");
}

TEST_F(LoterunE2E, StaysRunningWithoutAWindowUntilTheMethodReturns)
{
    BatchClassRegistration registration;
    ASSERT_TRUE(registration.Ok());
    const std::string gate = folder_.Path() + "gate";
    EnvironmentVariable gated(kBatchGateVariable, gate);
    ASSERT_TRUE(StartLoterun());
    ASSERT_TRUE(WaitForFileText(RecordPath(), "start", kRunTimeoutMs)) << "the method was not called";

    // The method has started and cannot end before the gate exists.
    bool sawWindow = true;
    EXPECT_FALSE(run_.WaitForExit(500, &sawWindow).has_value()) << "loterun ended during the call";
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(Record().find("end"), std::string::npos);

    ASSERT_TRUE(WriteTextFile(gate, ""));
    const auto code = run_.WaitForExit(kRunTimeoutMs, &sawWindow);
    ASSERT_TRUE(code.has_value()) << "loterun did not end after the call";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(Record(), std::string(kCallRecord) + "released\n");
}

class LoterunCreationFailure : public LoterunE2E, public ::testing::WithParamInterface<bool> {};

// Not registered at all, or registered with its server library gone.
TEST_P(LoterunCreationFailure, IsReportedOnceAndTheProgramEndsAfterOk)
{
    std::optional<BatchClassRegistration> broken;
    if (GetParam()) {
        broken.emplace(folder_.Path() + "missing_component.dll");
        ASSERT_TRUE(broken->Ok());
    }
    ASSERT_TRUE(StartLoterun());
    const auto box = WaitForMessageBox(run_, kRunTimeoutMs);
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, Report("429 (ActiveX component can't create object"));
    EXPECT_EQ(box->buttons, MB_OK);
    EXPECT_FALSE(box->hasIcon);
    EXPECT_EQ(box->owner, nullptr);
    EXPECT_FALSE(run_.HasExited()) << "ended before the box was answered";

    ASSERT_TRUE(PressButton(*box, IDOK));
    const auto code = run_.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(code.has_value()) << "loterun did not end after OK";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(Record(), "");
}

INSTANTIATE_TEST_SUITE_P(LoterunE2E, LoterunCreationFailure, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ServerLibraryMissing" : "NotRegistered");
                         });

// A failing call: the settings of the stand-in, and the report the user must see.
struct CallFailure {
    const char* name;
    const char* failDescription; // VT_BATCH_FAIL, null for none
    const char* failCode;        // VT_BATCH_FAIL_CODE
    const char* failScode;       // VT_BATCH_FAIL_SCODE
    const char* plainResult;     // VT_BATCH_HRESULT
    bool noMethod;               // VT_BATCH_NO_METHOD
    const char* report;          // number and description; "%SYSTEM%" for the system's text
    bool called;                 // whether the method ran
};

void PrintTo(const CallFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

// The system's own text for an HRESULT, without its line break: which text it is depends on the
// system, that it is shown and how does not.
std::string SystemText(DWORD hresult)
{
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, hresult, 0,
                             text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n'))
        --n;
    return std::string(text, n);
}

std::string ExpectedReport(const char* report)
{
    std::string expected = report;
    const std::string::size_type at = expected.find("%SYSTEM%");
    if (at != std::string::npos) {
        const std::string system = SystemText(0x80004005);
        EXPECT_FALSE(system.empty()) << "the system has no text for E_FAIL";
        expected.replace(at, 8, system);
    }
    return Report(expected);
}

class LoterunCallFailure : public LoterunE2E, public ::testing::WithParamInterface<CallFailure> {};

TEST_P(LoterunCallFailure, IsReportedThenTheObjectIsReleased)
{
    const CallFailure& c = GetParam();
    BatchClassRegistration registration;
    ASSERT_TRUE(registration.Ok());
    std::optional<EnvironmentVariable> fail, code, scode, result, noMethod;
    if (c.failDescription != nullptr)
        fail.emplace(kBatchFailVariable, c.failDescription);
    if (c.failCode != nullptr)
        code.emplace(kBatchFailCodeVariable, c.failCode);
    if (c.failScode != nullptr)
        scode.emplace(kBatchFailScodeVariable, c.failScode);
    if (c.plainResult != nullptr)
        result.emplace(kBatchResultVariable, c.plainResult);
    if (c.noMethod)
        noMethod.emplace(kBatchNoMethodVariable, "1");

    ASSERT_TRUE(StartLoterun());
    const auto box = WaitForMessageBox(run_, kRunTimeoutMs);
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, ExpectedReport(c.report));
    EXPECT_EQ(box->buttons, MB_OK);
    EXPECT_FALSE(box->hasIcon);
    // The object is still held while the error is shown: releasing it is the last step.
    EXPECT_EQ(Record(), c.called ? kCallRecord : "");

    ASSERT_TRUE(PressButton(*box, IDOK));
    const auto exitCode = run_.WaitForExit(kRunTimeoutMs);
    ASSERT_TRUE(exitCode.has_value()) << "loterun did not end after OK";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_EQ(Record(), std::string(c.called ? kCallRecord : "") + "released\n");
}

INSTANTIATE_TEST_SUITE_P(
    LoterunE2E, LoterunCallFailure,
    ::testing::Values(
        CallFailure{"OwnNumber", "No hay lotes pendientes", "1001", nullptr, nullptr, false,
                    "1001 (No hay lotes pendientes", true},
        // Accented text reaches the box as the ANSI byte it is, not as UTF-8.
        CallFailure{"ObjectHResult", "Carpeta de lotes inaccesible: acci\xF3n cancelada", nullptr, "0x80040201",
                    nullptr, false, "-2147220991 (Carpeta de lotes inaccesible: acci\xF3n cancelada", true},
        CallFailure{"PlainNumberInControlFacility", "Permiso denegado", nullptr, "0x800A0046", nullptr, false,
                    "70 (Permiso denegado", true},
        CallFailure{"PlainHResult", nullptr, nullptr, nullptr, "0x80004005", false,
                    "-2147467259 (%SYSTEM%", true},
        CallFailure{"HResultWithoutSystemText", nullptr, nullptr, nullptr, "0x80041234", false,
                    "-2147216844 (Automation error", true},
        CallFailure{"NoSuchMethod", nullptr, nullptr, nullptr, nullptr, true,
                    "438 (Object doesn't support this property or method", false}),
    [](const ::testing::TestParamInfo<CallFailure>& info) { return std::string(info.param.name); });

// The registration the tests make is seen by the system's class lookup, and afterwards the
// machine is as it was, an earlier registration included.
TEST(LoterunRegistration, IsSeenAndUndoneRestoringAnEarlierOne)
{
    const std::string progIdKey = std::string("Software\\Classes\\") + kBatchProgId;
    const char* const earlierClass = "{0E3A4D2C-7B1F-4C59-A8D6-5F2E9B1C3A70}";
    {
        RegistryWrites earlier(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(earlier.SetString(progIdKey + "\\CLSID", "", earlierClass));
        {
            BatchClassRegistration registration;
            ASSERT_TRUE(registration.Ok());
            EXPECT_EQ(ClassIdOfProgId(kBatchProgId), std::string(kBatchComponentClassIdText));
        }
        EXPECT_EQ(ClassIdOfProgId(kBatchProgId), std::string(earlierClass));
        RegKey classKey;
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                                (std::string("Software\\Classes\\CLSID\\") + kBatchComponentClassIdText).c_str(),
                                0, KEY_READ, classKey.put()),
                  ERROR_SUCCESS);
    }
    EXPECT_FALSE(ClassIdOfProgId(kBatchProgId).has_value());
    RegKey progId;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, progIdKey.c_str(), 0, KEY_READ, progId.put()), ERROR_SUCCESS);
}

} // namespace
