#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/error_report.h"
#include "finisher/registration_plan.h"

namespace {

const std::string kRoot = "C:\\WINDOWS\\Microsoft.NET\\Framework\\";
const std::string kFramework = kRoot + "v2.0.50727";
const std::string kTool = kFramework + "/RegAsm.exe";
const std::string kTlb = "C:\\Lotes\\GdPicture.NET.tlb";
const std::string kDll = "C:\\Lotes\\GdPicture.NET.dll";

// A machine made of a set of folders and a set of files; every test asked is noted, so the
// cases can also show that nothing is looked at after the first missing piece.
struct Machine {
    std::set<std::string> folders{kFramework};
    std::set<std::string> files{kTool, kTlb, kDll};
    std::vector<std::string> asked;

    RegistrationPlan Plan(const std::string& installRoot)
    {
        return PlanRegistration(
            installRoot, kTlb,
            [this](const std::string& p) { asked.push_back(p); return folders.count(p) > 0; },
            [this](const std::string& p) { asked.push_back(p); return files.count(p) > 0; });
    }
};

struct MissingCase {
    const char* name;
    std::string installRoot;
    std::string removed; // the folder or file taken away
    std::string key;
    std::string value;
    std::size_t tests;   // existence tests made before stopping
};

void PrintTo(const MissingCase& c, std::ostream* os)
{
    *os << c.name;
}

class LotefinalRegistrationPlan : public ::testing::TestWithParam<MissingCase> {};

TEST_P(LotefinalRegistrationPlan, FirstMissingPieceIsTheOnlyEntry)
{
    const MissingCase& c = GetParam();
    Machine machine;
    machine.folders.erase(c.removed);
    machine.files.erase(c.removed);
    const RegistrationPlan plan = machine.Plan(c.installRoot);
    EXPECT_FALSE(plan.run);
    EXPECT_EQ(plan.entry, (LogEntry{"NetFrameWork", c.key, c.value}));
    EXPECT_EQ(machine.asked.size(), c.tests);
}

const char* const kMissingFile = " No se encuentra el archivo a registrar";

INSTANTIATE_TEST_SUITE_P(
    LotefinalPaths, LotefinalRegistrationPlan,
    ::testing::Values(
        MissingCase{"NoInstallRoot", "", "", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\.NetFrameWork", " SinInstalar", 0},
        MissingCase{"NoFrameworkFolder", kRoot, kFramework, kFramework, " SinEncontrar", 1},
        MissingCase{"NoTool", kRoot, kTool, kFramework + "/", " No tiene RegAsm.exe", 2},
        MissingCase{"NoTypeLibrary", kRoot, kTlb, kTlb, kMissingFile, 3},
        MissingCase{"NoLibrary", kRoot, kDll, kDll, kMissingFile, 4}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

TEST(LotefinalRegistrationPlan, EverythingPresentRunsTheToolAndLogsItsCommandLine)
{
    for (const std::string& root : {kRoot, std::string("C:\\WINDOWS\\Microsoft.NET\\Framework")}) {
        Machine machine;
        const RegistrationPlan plan = machine.Plan(root);
        ASSERT_TRUE(plan.run) << root;
        EXPECT_EQ(plan.toolPath, kTool);
        const std::string expected = kTool + " /tlb:\"" + kTlb + "\" /codebase \"" + kDll + "\"";
        EXPECT_EQ(plan.commandLine, expected);
        EXPECT_EQ(plan.entry, (LogEntry{"NetFrameWork", "ShellEjecute", expected}));
    }
}

TEST(LotefinalRegistrationPlan, UntestableNameRaisesToTheCaller)
{
    // The caller's handler turns this into the ErrorRegistrarTLBS entry.
    const auto refuse = [](const std::string&) -> bool { throw RunTimeError(52, "Bad file name or number"); };
    EXPECT_THROW(PlanRegistration("C:\\bad|root", kTlb, refuse, refuse), RunTimeError);
}

} // namespace
