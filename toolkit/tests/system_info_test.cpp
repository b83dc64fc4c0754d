#include "toolkit/system_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

namespace {

// Read with buffers far larger than the class uses, so a cut or a stray character shows.
constexpr DWORD kLargeBuffer = 32768;

std::string Full(const std::function<DWORD(char*, DWORD)>& call)
{
    std::vector<char> buffer(kLargeBuffer);
    const DWORD n = call(buffer.data(), kLargeBuffer);
    return n < kLargeBuffer ? std::string(buffer.data(), n) : std::string();
}

std::string RegText(HKEY root, const char* subKey, const char* name)
{
    RegKey key;
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS ||
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return "(none)";
    return buffer;
}

bool SetRegText(HKEY root, const std::string& subKey, const char* name, const std::string& value)
{
    RegKey key;
    return RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) ==
               ERROR_SUCCESS &&
           RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// ---- Records captured at construction -------------------------------------------------

TEST(SystemInfoRecords, ProcessorPropertiesAreTheFieldsOfGetSystemInfo)
{
    SYSTEM_INFO expected = {};
    GetSystemInfo(&expected);
    const SystemInfo info;
    struct Field {
        const char* name;
        std::uintmax_t actual, expected;
    } const fields[] = {
        {"ProcessorArchitecture", info.ProcessorArchitecture(), expected.wProcessorArchitecture},
        {"PageSize", info.PageSize(), expected.dwPageSize},
        {"MinAppAddress", info.MinAppAddress(), reinterpret_cast<std::uintptr_t>(expected.lpMinimumApplicationAddress)},
        {"MaxAppAddress", info.MaxAppAddress(), reinterpret_cast<std::uintptr_t>(expected.lpMaximumApplicationAddress)},
        {"ActiveProcessorMask", info.ActiveProcessorMask(), expected.dwActiveProcessorMask},
        {"NumberOfProcessors", info.NumberOfProcessors(), expected.dwNumberOfProcessors},
        {"ProcessorType", info.ProcessorType(), expected.dwProcessorType},
        {"AllocationGranularity", info.AllocationGranularity(), expected.dwAllocationGranularity},
        {"ProcessorLevel", info.ProcessorLevel(), expected.wProcessorLevel},
        {"ProcessorRevision", info.ProcessorRevision(), expected.wProcessorRevision},
    };
    for (const Field& f : fields)
        EXPECT_EQ(f.actual, f.expected) << f.name;
    // Values that tell the fields apart on any machine.
    EXPECT_EQ(info.PageSize(), 4096u);
    EXPECT_EQ(info.AllocationGranularity(), 65536u);
    EXPECT_LT(info.MinAppAddress(), info.MaxAppAddress());
}

TEST(SystemInfoRecords, VersionPropertiesAreTheFieldsOfGetVersionExA)
{
    OSVERSIONINFOA expected = {};
    expected.dwOSVersionInfoSize = sizeof expected;
#ifdef _MSC_VER
#pragma warning(suppress : 4996) // the very call the class reports on
#endif
    ASSERT_TRUE(GetVersionExA(&expected));
    const SystemInfo info;
    EXPECT_EQ(info.OSMajorVersion(), expected.dwMajorVersion);
    EXPECT_EQ(info.OSMinorVersion(), expected.dwMinorVersion);
    EXPECT_EQ(info.OSBuild(), expected.dwBuildNumber); // the NT family: the whole field
    EXPECT_EQ(info.OSExtraInfo(), std::string(expected.szCSDVersion));
    EXPECT_TRUE(info.IsWinNT());
    EXPECT_FALSE(info.IsWin95());
}

TEST(SystemInfoRecords, VersionRecordIsCapturedOnceAndGetSOInfoReadsAFreshOne)
{
    OsVersionRecord current;
    current.platform = 1;
    current.major = 4;
    current.minor = 10;
    current.build = 0x040A08AE;
    current.servicePack = std::string(" A \0rest", 8) + std::string(120, '\0');
    int reads = 0;
    const SystemInfo info([&](OsVersionRecord& record) {
        ++reads;
        record = current;
        return true;
    });
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(info.IsWin95());
    EXPECT_FALSE(info.IsWinNT());
    EXPECT_EQ(info.OSBuild(), 2222u);
    EXPECT_EQ(info.OSExtraInfo(), " A ");

    // The system changes its answer: the properties keep the first record, GetSOInfo does not.
    current.platform = 2;
    current.major = 5;
    current.minor = 1;
    current.build = 2600;
    current.servicePack = std::string("Service Pack 2") + std::string(114, '\0');
    std::string text;
    EXPECT_EQ(info.GetSOInfo(text), 2);
    EXPECT_EQ(text, "Windows XP (Version 5.1) Build 2600 (Service Pack 2)");
    EXPECT_EQ(reads, 2);
    EXPECT_TRUE(info.IsWin95());
    EXPECT_EQ(info.OSMinorVersion(), 10u);
}

TEST(SystemInfoRecords, FailingVersionSourceLeavesDefaults)
{
    const SystemInfo info([](OsVersionRecord& record) {
        record.major = 9; // a source that fails half-way must not leave its partial record
        return false;
    });
    EXPECT_EQ(info.OSMajorVersion() + info.OSMinorVersion() + info.OSBuild(), 0u);
    EXPECT_EQ(info.OSExtraInfo(), "");
    EXPECT_FALSE(info.IsWin95() || info.IsWinNT());
    std::string text = "kept";
    EXPECT_EQ(info.GetSOInfo(text), 1);
    EXPECT_EQ(text, "kept");
}

// ---- Properties asked at reading time ---------------------------------------------------

TEST(SystemInfoNow, NamesAndFoldersAreTheSystemsOwn)
{
    const SystemInfo info;
    struct Text {
        const char* name;
        std::string actual, expected;
    } const texts[] = {
        {"ComputerName", info.ComputerName(), Full([](char* b, DWORD n) { return GetComputerNameA(b, &n) ? n : 0; })},
        {"UserName", info.UserName(), Full([](char* b, DWORD n) { return GetUserNameA(b, &n) && n > 0 ? n - 1 : 0; })},
        {"WindowsDirectory", info.WindowsDirectory(), Full([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); })},
        {"SystemDirectory", info.SystemDirectory(), Full([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); })},
        {"TempPath", info.TempPath(), Full([](char* b, DWORD n) { return GetTempPathA(n, b); })},
    };
    for (const Text& t : texts) {
        EXPECT_FALSE(t.actual.empty()) << t.name;
        EXPECT_EQ(t.actual, t.expected) << t.name;
    }
    EXPECT_TRUE(FolderExists(info.SystemDirectory()));
    EXPECT_TRUE(FolderExists(info.TempPath()));
}

TEST(SystemInfoNow, MetricsAndCodePageAreTheSystemsAnswers)
{
    const SystemInfo info;
    CPINFO cp = {};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &cp));
    // The metric indexes as the system numbers them.
    EXPECT_EQ(info.BootMethod(), GetSystemMetrics(67));
    EXPECT_EQ(info.MidEastEnabled(), GetSystemMetrics(74) != 0);
    EXPECT_EQ(info.NetworkPresent(), (GetSystemMetrics(63) & 1) != 0);
    EXPECT_EQ(info.Secure(), GetSystemMetrics(44) != 0);
    EXPECT_EQ(info.SlowMachine(), GetSystemMetrics(73) != 0);
    EXPECT_EQ(info.IsDBCS(), cp.MaxCharSize > 1);
    BOOL extension = FALSE;
    EXPECT_EQ(info.WindowsExtension(), SystemParametersInfoA(92, 1, &extension, 0) != FALSE);
}

TEST(SystemInfoNow, ComputerNameIsWrittenForTheNextStart)
{
    // The name Windows takes at its next start; the running name stays until then.
    const char* const pendingKey = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
    const std::string before = RegText(HKEY_LOCAL_MACHINE, pendingKey, "ComputerName");
    ASSERT_NE(before, "(none)") << "this test needs a pending name to put back";
    SystemInfo info;
    const std::string running = info.ComputerName();
    const std::string name = "VT" + std::to_string(GetCurrentProcessId() % 100000);
    ASSERT_NE(name, running);
    const bool written = info.LetComputerName(name);
    const std::string pending = RegText(HKEY_LOCAL_MACHINE, pendingKey, "ComputerName");
    EXPECT_TRUE(SetRegText(HKEY_LOCAL_MACHINE, pendingKey, "ComputerName", before));
    EXPECT_TRUE(written);
    EXPECT_EQ(pending, name);
    EXPECT_EQ(info.ComputerName(), running);
}

// ---- Settings written through the class, put back afterwards ---------------------------

class SettingRestorer {
public:
    SettingRestorer(UINT setAction, UINT previous) : setAction_(setAction), previous_(previous) {}
    ~SettingRestorer() { SystemParametersInfoA(setAction_, previous_, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); }
    SettingRestorer(const SettingRestorer&) = delete;
    SettingRestorer& operator=(const SettingRestorer&) = delete;

private:
    UINT setAction_, previous_;
};

UINT SystemSetting(UINT getAction)
{
    UINT value = 0;
    EXPECT_TRUE(SystemParametersInfoA(getAction, 0, &value, 0));
    return value;
}

// Which settings changes were announced to every window: a hidden top-level window of ours.
std::vector<WPARAM> g_announced;

LRESULT CALLBACK WatchSettings(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Another test's program may announce an environment change meanwhile (a named section in
    // lParam): only the system settings' own announcements count here.
    if (message == WM_SETTINGCHANGE && wParam != 0)
        g_announced.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SystemInfoSettings, WrittenToTheProfileReadBackAndAnnounced)
{
    const char* const desktop = "Control Panel\\Desktop";
    WNDCLASSA watcherClass = {};
    watcherClass.lpfnWndProc = WatchSettings;
    watcherClass.lpszClassName = "VtSettingsWatcher";
    RegisterClassA(&watcherClass);
    HWND watcher = CreateWindowExA(0, watcherClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(watcher, nullptr);

    SystemInfo info;
    const bool beep = info.Beep();
    const bool active = RegText(HKEY_CURRENT_USER, desktop, "ScreenSaveActive") != "0";
    const std::int32_t timeout = info.ScreenSaverTimeout();
    EXPECT_EQ(beep, SystemSetting(SPI_GETBEEP) != 0);
    EXPECT_EQ(info.ScreenSaverActive(), SystemSetting(SPI_GETSCREENSAVEACTIVE) != 0);
    EXPECT_EQ(static_cast<UINT>(timeout), SystemSetting(SPI_GETSCREENSAVETIMEOUT));
    SettingRestorer restoreBeep(SPI_SETBEEP, beep), restoreActive(SPI_SETSCREENSAVEACTIVE, active),
        restoreTimeout(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(timeout));

    // Each setting changed and then set back through the class, so both values are written.
    g_announced.clear();
    for (const bool changed : {true, false}) {
        const bool newBeep = changed != beep, newActive = changed != active;
        const std::int32_t newTimeout = changed ? timeout + 60 : timeout;
        ASSERT_TRUE(info.LetBeep(newBeep));
        ASSERT_TRUE(info.LetScreenSaverActive(newActive));
        ASSERT_TRUE(info.LetScreenSaverTimeout(newTimeout));
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Control Panel\\Sound", "Beep"), newBeep ? "Yes" : "No");
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, desktop, "ScreenSaveActive"), newActive ? "1" : "0");
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, desktop, "ScreenSaveTimeOut"), std::to_string(newTimeout));
        EXPECT_EQ(info.Beep(), newBeep);
        EXPECT_EQ(info.ScreenSaverTimeout(), newTimeout);
        // Wine reports the screen saver active whatever the profile says, so that reading is
        // held to the system's answer above and the writing to the profile.
    }
    PumpMessagesFor(50);
    EXPECT_EQ(g_announced, (std::vector<WPARAM>{SPI_SETBEEP, SPI_SETSCREENSAVEACTIVE, SPI_SETSCREENSAVETIMEOUT,
                                                SPI_SETBEEP, SPI_SETSCREENSAVEACTIVE, SPI_SETSCREENSAVETIMEOUT}));
    DestroyWindow(watcher);
}

// ---- A SystemInfo in a process of its own ------------------------------------------------

// Runs the probe program and returns what it wrote, by property name. The probe runs as a copy
// of its own name, so that a per-program setting names it alone.
class ProbeRun {
public:
    ~ProbeRun() { RegDeleteKeyA(HKEY_CURRENT_USER, VersionKey().c_str()); }

    // Wine answers the version call of one program as the named Windows version would.
    bool PretendWindowsVersion(const std::string& version)
    {
        return SetRegText(HKEY_CURRENT_USER, VersionKey(), "Version", version);
    }

    std::map<std::string, std::string> Run()
    {
        const std::string self = SetupExePath();
        const std::string copy = folder_.Path() + name_ + ".exe";
        const std::string output = folder_.Path() + "probe.txt";
        EXPECT_TRUE(CopyFileA((self.substr(0, self.find_last_of('\\') + 1) + "system_info_probe.exe").c_str(),
                              copy.c_str(), FALSE));
        SetupProcess run;
        EXPECT_TRUE(run.Start(output, copy));
        EXPECT_EQ(run.WaitForExit(kRunTimeoutMs).value_or(999), 0u);
        std::map<std::string, std::string> values;
        std::ifstream lines(output);
        std::string line;
        while (std::getline(lines, line)) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return values;
    }

private:
    std::string VersionKey() const { return "Software\\Wine\\AppDefaults\\" + name_ + ".exe"; }

    std::string name_ = UniqueName("vtsip");
    ScratchFolder folder_;
};

TEST(SystemInfoProcess, TempPathIsTheSystemsWholeAnswer)
{
    // Up to 259 characters the answer fits the first buffer with its zero. Wine refuses longer
    // temporary paths, and the property is then empty as for any failure (the second call for
    // longer paths is covered by the portable tests).
    std::vector<char> saved(kLargeBuffer);
    const DWORD savedLength = GetEnvironmentVariableA("TMP", saved.data(), kLargeBuffer);
    for (const std::size_t length : {200u, 258u, 259u, 300u}) {
        std::string temp = "C:\\" + std::string(100, 'a') + "\\" + std::string(80, 'b') + "\\";
        temp += std::string(length - temp.size(), 'c');
        ProbeRun probe; // its scratch folder is made before TMP changes
        SetEnvironmentVariableA("TMP", temp.c_str()); // for the probe, which inherits it
        const std::string direct = Full([](char* b, DWORD n) { return GetTempPathA(n, b); });
        const auto values = probe.Run();
        SetEnvironmentVariableA("TMP", savedLength > 0 && savedLength < kLargeBuffer ? saved.data() : nullptr);
        ASSERT_EQ(values.count("TempPath"), 1u);
        EXPECT_EQ(values.at("TempPath"), direct) << length;
        EXPECT_EQ(values.at("TempPath"), length < 259 ? temp + "\\" : "") << length;
    }
}

struct PretendedVersion {
    const char* wineVersion;
    std::map<std::string, std::string> expected;
};

void PrintTo(const PretendedVersion& v, std::ostream* os)
{
    *os << v.wineVersion;
}

class SystemInfoVersionTest : public ::testing::TestWithParam<PretendedVersion> {};

TEST_P(SystemInfoVersionTest, PropertiesAndNameOfAnOlderWindows)
{
    ProbeRun probe;
    ASSERT_TRUE(probe.PretendWindowsVersion(GetParam().wineVersion));
    const auto values = probe.Run();
    for (const auto& [name, value] : GetParam().expected) {
        ASSERT_EQ(values.count(name), 1u) << name;
        EXPECT_EQ(values.at(name), value) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Wine, SystemInfoVersionTest,
    ::testing::Values(
        PretendedVersion{"win2k",
                         {{"OSMajorVersion", "5"},
                          {"OSMinorVersion", "0"},
                          {"OSBuild", "2195"},
                          {"OSExtraInfo", "Service Pack 4"},
                          {"IsWinNT", "1"},
                          {"IsWin95", "0"},
                          {"GetSOInfo", "4|Windows 2000 (Version 5.0) Build 2195 (Service Pack 4)"}}},
        PretendedVersion{"winxp64",
                         {{"OSMinorVersion", "2"},
                          {"GetSOInfo", "3|Windows .NET Server (Version 5.2) Build 3790 (Service Pack 2)"}}},
        PretendedVersion{"vista", {{"OSMajorVersion", "6"}, {"GetSOInfo", "1|unchanged"}}}),
    [](const ::testing::TestParamInfo<PretendedVersion>& info) { return std::string(info.param.wineVersion); });

} // namespace
