#include "toolkit/system_info.h"

#include <windows.h>

#include <gtest/gtest.h>

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
    EXPECT_GE(info.NumberOfProcessors(), 1u);
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

OsVersionRecord Win98Record()
{
    OsVersionRecord record;
    record.platform = 1;
    record.major = 4;
    record.minor = 10;
    record.build = 0x040A08AE;
    record.servicePack = std::string(" A \0rest", 8);
    record.servicePack.resize(kServicePackFieldSize, '\0');
    return record;
}

TEST(SystemInfoRecords, VersionRecordIsCapturedOnceAndGetSOInfoReadsAFreshOne)
{
    OsVersionRecord current = Win98Record();
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
    EXPECT_EQ(info.OSMajorVersion(), 0u);
    EXPECT_EQ(info.OSMinorVersion(), 0u);
    EXPECT_EQ(info.OSBuild(), 0u);
    EXPECT_EQ(info.OSExtraInfo(), "");
    EXPECT_FALSE(info.IsWin95());
    EXPECT_FALSE(info.IsWinNT());
    std::string text = "kept";
    EXPECT_EQ(info.GetSOInfo(text), 1);
    EXPECT_EQ(text, "kept");
}

TEST(SystemInfoRecords, GetSOInfoOnThisSystemAgreesWithTheRecord)
{
    const SystemInfo info;
    std::string text = "kept";
    const std::int32_t code = info.GetSOInfo(text);
    if (info.OSMajorVersion() >= 6) {
        EXPECT_EQ(code, 1);
        EXPECT_EQ(text, "kept");
    } else {
        EXPECT_NE(code, 1);
        EXPECT_NE(text, "kept");
    }
}

// ---- Properties asked at reading time ---------------------------------------------------

TEST(SystemInfoNow, NamesAreTheSystemsNames)
{
    const SystemInfo info;
    const std::string computer = Full([](char* b, DWORD n) { return GetComputerNameA(b, &n) ? n : 0; });
    const std::string user = Full([](char* b, DWORD n) { return GetUserNameA(b, &n) && n > 0 ? n - 1 : 0; });
    ASSERT_FALSE(computer.empty());
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(info.ComputerName(), computer);
    EXPECT_EQ(info.UserName(), user);
}

TEST(SystemInfoNow, DirectoriesAreTheSystemsFolders)
{
    const SystemInfo info;
    struct Folder {
        const char* name;
        std::string actual, expected;
    } const folders[] = {
        {"WindowsDirectory", info.WindowsDirectory(), Full([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); })},
        {"SystemDirectory", info.SystemDirectory(), Full([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); })},
        {"TempPath", info.TempPath(), Full([](char* b, DWORD n) { return GetTempPathA(n, b); })},
    };
    for (const Folder& f : folders) {
        EXPECT_FALSE(f.actual.empty()) << f.name;
        EXPECT_EQ(f.actual, f.expected) << f.name;
        EXPECT_TRUE(FolderExists(f.actual)) << f.name << ": " << f.actual;
    }
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

// The name Windows takes at its next start; the running name stays until then.
const char* const kPendingNameKey = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

// Puts the pending computer name back byte for byte (or removes it when there was none).
class PendingNameRestorer {
public:
    PendingNameRestorer()
    {
        RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPendingNameKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        if (RegQueryValueExA(key, "ComputerName", nullptr, &type_, nullptr, &size) != ERROR_SUCCESS)
            return;
        data_.resize(size);
        had_ = RegQueryValueExA(key, "ComputerName", nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
        data_.resize(size);
    }
    ~PendingNameRestorer()
    {
        RegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPendingNameKey, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
            return;
        if (had_)
            RegSetValueExA(key, "ComputerName", 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
        else
            RegDeleteValueA(key, "ComputerName");
    }
    PendingNameRestorer(const PendingNameRestorer&) = delete;
    PendingNameRestorer& operator=(const PendingNameRestorer&) = delete;
    bool Had() const { return had_; }

private:
    bool had_ = false;
    DWORD type_ = REG_SZ;
    std::vector<BYTE> data_;
};

std::string PendingName()
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPendingNameKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return "(no key)";
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key, "ComputerName", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return "(no value)";
    return buffer;
}

TEST(SystemInfoNow, ComputerNameIsWrittenForTheNextStart)
{
    PendingNameRestorer restore;
    ASSERT_TRUE(restore.Had()) << "this test expects a pending name to put back";
    SystemInfo info;
    const std::string running = info.ComputerName();
    const std::string name = "VT" + std::to_string(GetCurrentProcessId() % 100000);
    ASSERT_NE(name, running);
    ASSERT_TRUE(info.LetComputerName(name));
    EXPECT_EQ(PendingName(), name);
    EXPECT_EQ(info.ComputerName(), running);
}

// ---- Settings written through the class, restored afterwards ---------------------------

// Puts a user setting back as it was when the test began, whatever the test did to it.
class SettingRestorer {
public:
    SettingRestorer(UINT setAction, UINT previous) : setAction_(setAction), previous_(previous) {}
    ~SettingRestorer() { SystemParametersInfoA(setAction_, previous_, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); }
    SettingRestorer(const SettingRestorer&) = delete;
    SettingRestorer& operator=(const SettingRestorer&) = delete;

private:
    UINT setAction_;
    UINT previous_;
};

UINT SystemSetting(UINT getAction)
{
    UINT value = 0;
    EXPECT_TRUE(SystemParametersInfoA(getAction, 0, &value, 0));
    return value;
}

// What the user's profile holds for a setting (the settings are written there, to last).
std::string ProfileValue(const char* subKey, const char* name)
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return "(no key)";
    char buffer[256] = {};
    DWORD size = sizeof buffer - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return "(no value)";
    return buffer;
}

// A hidden top-level window of the test that notes which settings changes were announced to
// every window.
class SettingChangeWatcher {
public:
    SettingChangeWatcher()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VtSettingChangeWatcher";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        Announced().clear();
    }
    ~SettingChangeWatcher() { DestroyWindow(window_); }
    SettingChangeWatcher(const SettingChangeWatcher&) = delete;
    SettingChangeWatcher& operator=(const SettingChangeWatcher&) = delete;

    bool Valid() const { return window_ != nullptr; }
    // Announcements come as sent messages; a short bounded look lets any queued ones in.
    std::vector<WPARAM> Seen() const
    {
        PumpMessagesFor(50);
        return Announced();
    }

private:
    static std::vector<WPARAM>& Announced()
    {
        static std::vector<WPARAM> announced;
        return announced;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTINGCHANGE)
            Announced().push_back(wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST(SystemInfoSettings, EachWrittenSettingIsAnnouncedToEveryWindow)
{
    SystemInfo info;
    SettingChangeWatcher watcher;
    ASSERT_TRUE(watcher.Valid());
    // Each setting is written with the value it has, so nothing changes for good.
    ASSERT_TRUE(info.LetBeep(info.Beep()));
    const bool active = ProfileValue("Control Panel\\Desktop", "ScreenSaveActive") != "0";
    ASSERT_TRUE(info.LetScreenSaverActive(active));
    ASSERT_TRUE(info.LetScreenSaverTimeout(info.ScreenSaverTimeout()));
    EXPECT_EQ(watcher.Seen(), (std::vector<WPARAM>{2, 17, 15}));
}

TEST(SystemInfoSettings, BeepIsWrittenToTheProfileAndReadBack)
{
    SystemInfo info;
    const bool before = info.Beep();
    EXPECT_EQ(before, SystemSetting(1) != 0);
    SettingRestorer restore(2, before ? TRUE : FALSE);
    for (const bool value : {!before, before}) {
        ASSERT_TRUE(info.LetBeep(value));
        EXPECT_EQ(ProfileValue("Control Panel\\Sound", "Beep"), value ? "Yes" : "No");
        EXPECT_EQ(SystemSetting(1) != 0, value);
        EXPECT_EQ(info.Beep(), value);
    }
}

TEST(SystemInfoSettings, ScreenSaverActiveIsWrittenToTheProfile)
{
    SystemInfo info;
    // Wine reports the screen saver active whatever the profile says, so the reading is held to
    // the system's answer and the writing to the profile.
    EXPECT_EQ(info.ScreenSaverActive(), SystemSetting(16) != 0);
    const bool before = ProfileValue("Control Panel\\Desktop", "ScreenSaveActive") != "0";
    SettingRestorer restore(17, before ? TRUE : FALSE);
    for (const bool value : {!before, before}) {
        ASSERT_TRUE(info.LetScreenSaverActive(value));
        EXPECT_EQ(ProfileValue("Control Panel\\Desktop", "ScreenSaveActive"), value ? "1" : "0");
    }
}

TEST(SystemInfoSettings, ScreenSaverTimeoutIsWrittenToTheProfileAndReadBack)
{
    SystemInfo info;
    const std::int32_t before = info.ScreenSaverTimeout();
    EXPECT_EQ(static_cast<UINT>(before), SystemSetting(14));
    SettingRestorer restore(15, static_cast<UINT>(before));
    const std::int32_t other = before == 1234 ? 4321 : 1234;
    ASSERT_TRUE(info.LetScreenSaverTimeout(other));
    EXPECT_EQ(ProfileValue("Control Panel\\Desktop", "ScreenSaveTimeOut"), std::to_string(other));
    EXPECT_EQ(SystemSetting(14), static_cast<UINT>(other));
    EXPECT_EQ(info.ScreenSaverTimeout(), other);
}

// ---- A SystemInfo in a process of its own ------------------------------------------------

// Runs the probe program (a unique copy of it, so that a per-program setting names it alone)
// and returns what it wrote, by property name.
class ProbeRun {
public:
    ProbeRun() : name_(UniqueName("vtsip")) {}
    ~ProbeRun()
    {
        if (!versionKey_.empty())
            RegDeleteKeyA(HKEY_CURRENT_USER, versionKey_.c_str());
    }
    ProbeRun(const ProbeRun&) = delete;
    ProbeRun& operator=(const ProbeRun&) = delete;

    // Wine answers the version call of one program as the named Windows version would.
    bool PretendWindowsVersion(const std::string& version)
    {
        versionKey_ = "Software\\Wine\\AppDefaults\\" + name_ + ".exe";
        RegKey key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, versionKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            key.put(), nullptr) != ERROR_SUCCESS)
            return false;
        return RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                              static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
    }

    std::map<std::string, std::string> Run()
    {
        const std::string self = SetupExePath();
        const std::string probe = self.substr(0, self.find_last_of('\\') + 1) + "system_info_probe.exe";
        const std::string copy = folder_.Path() + name_ + ".exe";
        const std::string output = folder_.Path() + "probe.txt";
        std::map<std::string, std::string> values;
        if (!CopyFileA(probe.c_str(), copy.c_str(), FALSE)) {
            ADD_FAILURE() << "cannot copy " << probe;
            return values;
        }
        SetupProcess run;
        if (!run.Start(output, copy)) {
            ADD_FAILURE() << "cannot start " << copy;
            return values;
        }
        const auto code = run.WaitForExit(kRunTimeoutMs);
        EXPECT_EQ(code.value_or(999), 0u);
        FileHandle file(CreateFileA(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        std::string text(65536, '\0');
        DWORD read = 0;
        if (!file || !ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr)) {
            ADD_FAILURE() << "no output from the probe";
            return values;
        }
        text.resize(read);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                values[line.substr(0, equals)] = line.substr(equals + 1);
            start = end + 1;
        }
        return values;
    }

private:
    std::string name_;
    std::string versionKey_;
    ScratchFolder folder_;
};

// Sets an environment variable of this process (and so of the children it starts) for the
// length of a test.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name)
    {
        std::vector<char> buffer(kLargeBuffer);
        const DWORD n = GetEnvironmentVariableA(name, buffer.data(), kLargeBuffer);
        had_ = n > 0 && n < kLargeBuffer;
        if (had_)
            previous_.assign(buffer.data(), n);
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() { SetEnvironmentVariableA(name_, had_ ? previous_.c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string previous_;
};

TEST(SystemInfoProcess, TempPathIsTheSystemsWholeAnswer)
{
    // Up to 259 characters the system's answer fits the first buffer with its zero; Wine
    // refuses longer temporary paths, and then the property is empty, as for any failure.
    // (The second call for longer paths is covered by the portable tests.)
    struct Case {
        std::size_t length;
        bool answered;
    } const cases[] = {{200, true}, {258, true}, {259, false}, {300, false}};
    for (const Case& c : cases) {
        std::string temp = "C:\\" + std::string(100, 'a') + "\\" + std::string(80, 'b') + "\\";
        temp += std::string(c.length - temp.size(), 'c');
        ProbeRun probe; // its scratch folder is made before TMP changes
        ScopedEnvironment tmp("TMP", temp);
        const std::string direct = Full([](char* b, DWORD n) { return GetTempPathA(n, b); });
        const auto values = probe.Run();
        ASSERT_EQ(values.count("TempPath"), 1u);
        EXPECT_EQ(values.at("TempPath"), direct) << c.length;
        if (c.answered) {
            EXPECT_EQ(values.at("TempPath"), temp + "\\") << c.length;
        }
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
                         {{"OSMajorVersion", "5"},
                          {"OSMinorVersion", "2"},
                          {"GetSOInfo", "3|Windows .NET Server (Version 5.2) Build 3790 (Service Pack 2)"}}},
        PretendedVersion{"vista", {{"OSMajorVersion", "6"}, {"GetSOInfo", "1|unchanged"}}}),
    [](const ::testing::TestParamInfo<PretendedVersion>& info) { return std::string(info.param.wineVersion); });

} // namespace
