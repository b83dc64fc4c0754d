#include <gtest/gtest.h>

#include "common/error_report.h"
#include "finisher/install_paths.h"
#include "finisher/log_entries.h"
#include "finisher/run_time_errors.h"

namespace {

TEST(LotefinalPaths, FolderGetsExactlyOneTrailingBackslash)
{
    EXPECT_EQ(WithTrailingBackslash("C:\\Lotes"), "C:\\Lotes\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Lotes\\"), "C:\\Lotes\\");
    // A forward slash is not the folder's separator: the log path must still get its "\".
    EXPECT_EQ(WithTrailingBackslash("C:/Lotes/"), "C:/Lotes/\\");
}

struct FrameworkCase {
    const char* installRoot;
    const char* framework;
};

class LotefinalFrameworkFolder : public ::testing::TestWithParam<FrameworkCase> {};

TEST_P(LotefinalFrameworkFolder, NeverDoublesTheSeparator)
{
    EXPECT_EQ(FrameworkFolder(GetParam().installRoot), GetParam().framework);
}

INSTANTIATE_TEST_SUITE_P(
    LotefinalPaths, LotefinalFrameworkFolder,
    ::testing::Values(FrameworkCase{"C:\\WINDOWS\\Microsoft.NET\\Framework\\", "C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727"},
                      FrameworkCase{"C:\\WINDOWS\\Microsoft.NET\\Framework", "C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727"},
                      FrameworkCase{"C:/NET/Framework/", "C:/NET/Framework/v2.0.50727"},
                      FrameworkCase{"x", "x\\v2.0.50727"}));

TEST(LotefinalPaths, RegistrationToolAndCommandLine)
{
    const std::string framework = FrameworkFolder("C:\\WINDOWS\\Microsoft.NET\\Framework\\");
    const std::string withSlash = FrameworkFolderWithSlash(framework);
    EXPECT_EQ(withSlash, "C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727/");
    const std::string tool = RegistrationToolPath(withSlash);
    EXPECT_EQ(tool, "C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727/RegAsm.exe");
    const std::string tlb = TypeLibraryPath("C:\\Program Files\\Lotes\\");
    const std::string dll = TypeLibraryDllPath(tlb);
    EXPECT_EQ(dll, "C:\\Program Files\\Lotes\\GdPicture.NET.dll");
    // The tool path unquoted, both files quoted.
    EXPECT_EQ(RegistrationCommandLine(tool, tlb, dll),
              "C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727/RegAsm.exe "
              "/tlb:\"C:\\Program Files\\Lotes\\GdPicture.NET.tlb\" /codebase "
              "\"C:\\Program Files\\Lotes\\GdPicture.NET.dll\"");
    // What the tool receives is the same text while its path has no blank, and quotes it else.
    EXPECT_EQ(ToolCommandLine(tool, tlb, dll), RegistrationCommandLine(tool, tlb, dll));
    const std::string spaced = "C:\\Net Root\\v2.0.50727/RegAsm.exe";
    EXPECT_EQ(ToolCommandLine(spaced, tlb, dll), RegistrationCommandLine("\"" + spaced + "\"", tlb, dll));
}

TEST(LotefinalPaths, LibraryPathReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(TypeLibraryDllPath("a.tlb"), "a.dll");
    EXPECT_EQ(TypeLibraryDllPath("a.TLB"), "a.dll");
    EXPECT_EQ(TypeLibraryDllPath("tlb"), "dll");
    try {
        TypeLibraryDllPath("ab");
        FAIL() << "a path shorter than its ending must raise";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.Number(), 5);
    }
}

TEST(LotefinalLog, SearchPathOutcomeByStatus)
{
    const char* const envKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    EXPECT_EQ(SearchPathWriteEntry(0), (LogEntry{"VariableEntornoPath", envKey, "Escritura en el registro"}));
    EXPECT_EQ(SearchPathWriteEntry(5),
              (LogEntry{"VariableEntornoPath", envKey, "Escritura en el registro no permitida"}));
    EXPECT_EQ(std::string(kSearchPathMissing), " No encontrada");
}

TEST(LotefinalLog, RegistrationErrorIsTheErrorReportOfRegistrarTLBS)
{
    const LogEntry entry = RegistrationErrorEntry(52, "Bad file name or number");
    EXPECT_EQ(entry.section, "NetFrameWork");
    EXPECT_EQ(entry.key, "ErrorRegistrarTLBS");
    // "Módulo" with the single Windows-1252 byte F3.
    EXPECT_EQ(entry.value,
              "Error 52 (Bad file name or number) en procedimiento RegistrarTLBS de M\xF3" "dulo Iniciar");
}

TEST(LotefinalLog, ErrorsAreDescribedByNumber)
{
    const ErrorInfo raised = DescribeError(RunTimeError(68, "Device unavailable"));
    EXPECT_EQ(raised.number, 68);
    EXPECT_EQ(raised.description, "Device unavailable");
    const ErrorInfo memory = DescribeError(std::bad_alloc());
    EXPECT_EQ(memory.number, 7);
    EXPECT_EQ(memory.description, "Out of memory");
    const ErrorInfo other = DescribeError(std::out_of_range("index"));
    EXPECT_EQ(other.number, 5);
    EXPECT_EQ(other.description, "index");
}

} // namespace
