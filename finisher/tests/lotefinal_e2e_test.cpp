#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <vector>

#include "common/handles.h"
#include "finisher/log_entries.h"
#include "finisher/tests/finisher_fixture.h"
#include "finisher/tests/machine_state_guard.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

// lotefinal.exe run under Wine against a staged batch installation: the INI file in the Windows
// folder, a .NET root whose registration tool is the recorder, the type library and its
// library, the recorder as "loterun.exe", a known machine search path and known associations.
// Everything machine-wide is put back by the guard.

// Found by the test framework beside LogEntry itself.
void PrintTo(const LogEntry& e, std::ostream* os)
{
    *os << "[" << e.section << "] " << e.key << "=" << e.value;
}

namespace {

const char* const kEnvironmentKey = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char* const kOriginalPath = "C:\\windows\\system32;C:\\windows";
constexpr DWORD kExitWaitMs = 30000;
constexpr unsigned long kLauncherWaitMs = 10000;
// How long a launcher that should not start is given to show itself anyway.
constexpr DWORD kNoLauncherGraceMs = 1000;

std::string TrimLeft(const std::string& text)
{
    const std::string::size_type first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The log as its file holds it. Wine's INI writer drops the leading blanks of values (the
// handed-over values are checked in lotefinal_machine_tests), so values are compared without them.
std::vector<LogEntry> ReadLog(const std::string& path)
{
    std::vector<LogEntry> entries;
    std::istringstream lines(ReadTextFile(path));
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (line.find('=') != std::string::npos) {
            const std::string::size_type eq = line.find('=');
            entries.push_back({section, line.substr(0, eq), TrimLeft(line.substr(eq + 1))});
        }
    }
    return entries;
}

LogEntry Stored(const std::string& section, const std::string& key, const std::string& value)
{
    return {section, key, TrimLeft(value)};
}

// A top-level window of the test that notes the environment-change broadcast. lotefinal's
// broadcast is answered while the test waits for it (the wait dispatches this thread's messages).
class SettingsListener {
public:
    SettingsListener()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LotefinalSettingsListener";
        RegisterClassA(&wc);
        window_ = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~SettingsListener() { DestroyWindow(window_); }
    SettingsListener(const SettingsListener&) = delete;
    SettingsListener& operator=(const SettingsListener&) = delete;
    int EnvironmentChanges() const { return environment_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTINGCHANGE && lParam != 0 &&
            std::string(reinterpret_cast<const char*>(lParam)) == "Environment") {
            auto* self = reinterpret_cast<SettingsListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (self != nullptr)
                ++self->environment_;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
    int environment_ = 0;
};

class LotefinalE2E : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((folder_ + "Instalacion").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(netRoot_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((netRoot_ + "v2.0.50727").c_str(), nullptr));
        ASSERT_TRUE(InstallRecorder(tool_));
        ASSERT_TRUE(InstallRecorder(launcher_));
        ASSERT_TRUE(WriteTextFile(folder_ + "GdPicture.NET.tlb", "tlb"));
        ASSERT_TRUE(WriteTextFile(folder_ + "GdPicture.NET.dll", "dll"));
        ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, "InstallRoot", netRoot_));
        ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path", kOriginalPath, REG_EXPAND_SZ));
        // .JPG and .BMP without a ProgID; .TIF with one of the test's own.
        for (const char* extension : {".TIF", ".JPG", ".BMP"}) {
            DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string("Software\\Classes\\") + extension);
            DeleteKeyTree(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + extension);
        }
        guard_.AlsoRestoreClass(tifProgId_);
        ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.TIF", "", tifProgId_));
        ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + tifProgId_, "", "Test image"));
        SetEnvironmentVariableA("VT_FINISHER_MARKER", marker_.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("VT_FINISHER_MARKER", nullptr);
        DeleteProgramWhenFree(tool_);
        DeleteProgramWhenFree(launcher_);
    }

    void WriteIni(const std::string& content) { ASSERT_TRUE(WriteTextFile(FinisherIniPath(), content)); }
    void ConfigureFolder(const std::string& folder)
    {
        WriteIni("[Scrivex]\r\nRutaInstalacionLotes=" + folder + "\r\n");
    }

    // Runs lotefinal.exe to its end; it must end by itself with exit code 0.
    void RunFinisher()
    {
        SetupProcess run;
        ASSERT_TRUE(run.Start("", BinFolder() + "lotefinal.exe"));
        const auto code = run.WaitForExit(kExitWaitMs);
        ASSERT_TRUE(code.has_value()) << "lotefinal did not end";
        EXPECT_EQ(*code, 0u);
    }

    // The launcher runs on after lotefinal: wait for its records, then let it end.
    void ExpectLauncherRuns(std::size_t count)
    {
        EXPECT_TRUE(WaitForRuns(launcher_, count, kLauncherWaitMs));
        Sleep(300); // a further, unexpected start would show by now
        EXPECT_EQ(RecordedRuns(launcher_).size(), count);
    }

    void ExpectNothingDone()
    {
        Sleep(kNoLauncherGraceMs);
        EXPECT_TRUE(RecordedRuns(launcher_).empty());
        EXPECT_TRUE(RecordedRuns(tool_).empty());
        EXPECT_FALSE(FileExists(logFile_));
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path"), kOriginalPath);
        EXPECT_EQ(ProgIdOf(".JPG"), "");
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + tifProgId_ + "\\shell"));
    }

    std::string RegistrationCommand() const
    {
        return netRoot_ + "v2.0.50727/RegAsm.exe /tlb:\"" + folder_ + "GdPicture.NET.tlb\" /codebase \"" + folder_ +
               "GdPicture.NET.dll\"";
    }
    std::string ViewerCommand() const { return folder_ + "VisorScrivexPro.exe \"%1\""; }

    std::string OpenCommandOf(const std::string& progId) const
    {
        return ReadString(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + progId + "\\shell\\open\\command", "");
    }

    void ExpectAssociated()
    {
        for (const std::string extension : {"JPG", "BMP"}) {
            const std::string progId = "progID." + extension;
            EXPECT_EQ(ProgIdOf("." + extension), progId);
            EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, progId, ""), "Descripci\xF3n de " + progId);
            EXPECT_EQ(OpenCommandOf(progId), ViewerCommand());
            DWORD type = 0;
            ReadString(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + progId + "\\shell", "", &type);
            EXPECT_EQ(type, 0u) << "no default verb is set";
        }
        // An extension with a ProgID keeps it; only that ProgID's open command is written.
        EXPECT_EQ(ProgIdOf(".TIF"), tifProgId_);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, tifProgId_, ""), "Test image");
        EXPECT_EQ(OpenCommandOf(tifProgId_), ViewerCommand());
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "progID.TIF"));
    }

    // Declared first: the machine is put back after the stage's folders are gone.
    MachineStateGuard guard_;
    ScratchFolder scratch_;
    const std::string folder_ = scratch_.Path() + "Lotes Batch\\";
    const std::string logFile_ = folder_ + "Instalacion\\LogInstsllLotes.ini";
    const std::string netRoot_ = scratch_.Path() + "net\\";
    const std::string tool_ = netRoot_ + "v2.0.50727\\RegAsm.exe";
    const std::string launcher_ = folder_ + "loterun.exe";
    const std::string marker_ = scratch_.Path() + "registered.marker";
    const std::string tifProgId_ = UniqueName("VtLotes.Tif");
};

TEST_F(LotefinalE2E, FullRunRegistersPrependsAssociatesAndLaunches)
{
    ConfigureFolder(folder_);
    SettingsListener listener;
    RunFinisher();

    const auto registrations = RecordedRuns(tool_);
    ASSERT_EQ(registrations.size(), 1u);
    EXPECT_EQ(registrations[0].commandLine, RegistrationCommand());
    EXPECT_EQ(registrations[0].show, "0"); // hidden

    EXPECT_EQ(ReadLog(logFile_),
              (std::vector<LogEntry>{Stored("NetFrameWork", "ShellEjecute", RegistrationCommand()),
                                     Stored("VariableEntornoPath", kEnvironmentKey, "Escritura en el registro")}));

    DWORD type = 0;
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path", &type), folder_ + ";" + kOriginalPath);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_GE(listener.EnvironmentChanges(), 1);
    ExpectAssociated();

    ExpectLauncherRuns(1);
    const auto launches = RecordedRuns(launcher_);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].commandLine, "\"" + launcher_ + "\"");
    EXPECT_EQ(launches[0].show, std::to_string(SW_SHOWNORMAL));
    EXPECT_TRUE(launches[0].marker) << "the launcher started before the registration tool had ended";
}

TEST_F(LotefinalE2E, RunTwiceWithoutTrailingBackslash)
{
    std::string bare = folder_;
    bare.pop_back();
    ConfigureFolder(bare);
    RunFinisher();
    RunFinisher();

    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path"), folder_ + ";" + folder_ + ";" + kOriginalPath);
    const auto registrations = RecordedRuns(tool_);
    ASSERT_EQ(registrations.size(), 2u);
    EXPECT_EQ(registrations[0].commandLine, RegistrationCommand());
    EXPECT_EQ(registrations[1].commandLine, RegistrationCommand());
    EXPECT_EQ(ReadLog(logFile_),
              (std::vector<LogEntry>{Stored("NetFrameWork", "ShellEjecute", RegistrationCommand()),
                                     Stored("VariableEntornoPath", kEnvironmentKey, "Escritura en el registro")}));
    ExpectAssociated();
    ExpectLauncherRuns(2);
}

struct NotConfiguredCase {
    const char* name;
    const char* ini; // nullptr: no INI file; "%s" stands for the staged folder
};

void PrintTo(const NotConfiguredCase& c, std::ostream* os)
{
    *os << c.name;
}

class LotefinalNotConfigured : public LotefinalE2E, public ::testing::WithParamInterface<NotConfiguredCase> {};

TEST_P(LotefinalNotConfigured, NothingIsWrittenOrStarted)
{
    if (GetParam().ini == nullptr) {
        DeleteFileA(FinisherIniPath().c_str());
    } else {
        std::string ini = GetParam().ini;
        const std::string::size_type at = ini.find("%s");
        if (at != std::string::npos)
            ini.replace(at, 2, folder_);
        WriteIni(ini);
    }
    RunFinisher();
    ExpectNothingDone();
}

INSTANTIATE_TEST_SUITE_P(
    LotefinalE2E, LotefinalNotConfigured,
    ::testing::Values(NotConfiguredCase{"NoIniFile", nullptr},
                      NotConfiguredCase{"NoKey", "[Scrivex]\r\nOtraRuta=%s\r\n[Otra]\r\nRutaInstalacionLotes=%s\r\n"},
                      NotConfiguredCase{"EmptyValue", "[Scrivex]\r\nRutaInstalacionLotes=\r\n"},
                      NotConfiguredCase{"MissingFolder", "[Scrivex]\r\nRutaInstalacionLotes=%sfaltante\\\r\n"}),
    [](const ::testing::TestParamInfo<NotConfiguredCase>& info) { return std::string(info.param.name); });

struct PieceCase {
    const char* name;
    const char* removed; // below the scratch folder; "InstallRoot" for the registry value
    const char* key;     // below the scratch folder unless it names a registry key
    const char* value;
};

void PrintTo(const PieceCase& c, std::ostream* os)
{
    *os << c.name;
}

class LotefinalMissingPieceE2E : public LotefinalE2E, public ::testing::WithParamInterface<PieceCase> {};

TEST_P(LotefinalMissingPieceE2E, WritesItsOneEntryAndTheRestStillRuns)
{
    const PieceCase& c = GetParam();
    const std::string removed = c.removed;
    if (removed == "InstallRoot") {
        RegKey key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, 0, KEY_ALL_ACCESS, key.put()), 0);
        RegDeleteValueA(key, "InstallRoot");
    } else if (removed == "net\\v2.0.50727") {
        ASSERT_TRUE(DeleteFileA(tool_.c_str()));
        ASSERT_TRUE(RemoveDirectoryA((scratch_.Path() + removed).c_str()));
    } else {
        ASSERT_TRUE(DeleteFileA((scratch_.Path() + removed).c_str()));
    }
    ConfigureFolder(folder_);
    RunFinisher();

    const std::string key = c.key;
    const std::string expectedKey = key.rfind("HKEY_", 0) == 0 ? key : scratch_.Path() + key;
    EXPECT_EQ(ReadLog(logFile_),
              (std::vector<LogEntry>{Stored("NetFrameWork", expectedKey, c.value),
                                     Stored("VariableEntornoPath", kEnvironmentKey, "Escritura en el registro")}));
    EXPECT_TRUE(RecordedRuns(tool_).empty());
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path"), folder_ + ";" + kOriginalPath);
    ExpectAssociated();
    ExpectLauncherRuns(1);
}

const char* const kMissingFile = " No se encuentra el archivo a registrar";

INSTANTIATE_TEST_SUITE_P(
    LotefinalE2E, LotefinalMissingPieceE2E,
    ::testing::Values(
        PieceCase{"NoInstallRoot", "InstallRoot", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\.NetFrameWork", " SinInstalar"},
        PieceCase{"NoFrameworkFolder", "net\\v2.0.50727", "net\\v2.0.50727", " SinEncontrar"},
        PieceCase{"NoTool", "net\\v2.0.50727\\RegAsm.exe", "net\\v2.0.50727/", " No tiene RegAsm.exe"},
        PieceCase{"NoTypeLibrary", "Lotes Batch\\GdPicture.NET.tlb", "Lotes Batch\\GdPicture.NET.tlb", kMissingFile},
        PieceCase{"NoLibrary", "Lotes Batch\\GdPicture.NET.dll", "Lotes Batch\\GdPicture.NET.dll", kMissingFile}),
    [](const ::testing::TestParamInfo<PieceCase>& info) { return std::string(info.param.name); });

TEST_F(LotefinalE2E, WithoutLogFolderEntriesAreLostAndTheRestIsDone)
{
    ASSERT_TRUE(RemoveDirectoryA((folder_ + "Instalacion").c_str()));
    ConfigureFolder(folder_);
    RunFinisher();
    EXPECT_FALSE(FolderExists(folder_ + "Instalacion"));
    EXPECT_EQ(RecordedRuns(tool_).size(), 1u);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path"), folder_ + ";" + kOriginalPath);
    ExpectAssociated();
    ExpectLauncherRuns(1);
}

TEST_F(LotefinalE2E, UntestableFolderNameIsShownAndNothingElseHappens)
{
    ConfigureFolder(scratch_.Path() + "bad|name\\Lotes");
    SetupProcess run;
    ASSERT_TRUE(run.Start("", BinFolder() + "lotefinal.exe"));
    const auto box = WaitForMessageBox(run, kExitWaitMs);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "lotefinal");
    EXPECT_EQ(box->text, "Bad file name or number");
    EXPECT_EQ(box->buttons, MB_OK);
    EXPECT_TRUE(box->hasIcon); // the critical-stop icon
    ASSERT_TRUE(PressButton(*box, IDOK));
    const auto code = run.WaitForExit(kExitWaitMs);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    ExpectNothingDone();
}

} // namespace
