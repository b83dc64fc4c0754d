#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "common/handles.h"
#include "finisher/iniciar.h"
#include "finisher/install_log.h"
#include "finisher/install_paths.h"
#include "finisher/tests/finisher_fixture.h"
#include "finisher/tests/machine_state_guard.h"
#include "tests/support/setup_process.h"
#include "tests/support/staging.h"

// The procedures of the sequence called directly, with the INI writer watched: what is handed to
// it is what the installation log holds on Windows, leading blanks included.

namespace {

// Installation folder with its "Instalacion" folder, and a .NET root holding the recorder as
// its registration tool; both removed at the end, the machine state restored.
class LotefinalSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = SetLogObserver([this](const std::string& file, const LogEntry& entry) {
            logFiles_.push_back(file);
            entries_.push_back(entry);
        });
        ASSERT_TRUE(CreateDirectoryA((folder_ + "Instalacion").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(netRoot_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((netRoot_ + "v2.0.50727").c_str(), nullptr));
        ASSERT_TRUE(InstallRecorder(tool_));
        ASSERT_TRUE(WriteTextFile(TypeLibraryPath(folder_), "tlb"));
        ASSERT_TRUE(WriteTextFile(folder_ + "GdPicture.NET.dll", "dll"));
        ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, "InstallRoot", netRoot_));
    }
    void TearDown() override
    {
        SetLogObserver(previous_);
        DeleteProgramWhenFree(tool_);
    }

    ScratchFolder scratch_;
    MachineStateGuard guard_;
    const std::string folder_ = scratch_.Path();
    const std::string netRoot_ = scratch_.Path() + "net\\";
    const std::string tool_ = netRoot_ + "v2.0.50727\\RegAsm.exe";
    const std::string log_ = InstallLogPath(folder_);
    std::vector<LogEntry> entries_;
    std::vector<std::string> logFiles_;
    LogObserver previous_;
};

TEST_F(LotefinalSequence, RegistrationRunsTheToolHiddenAndWaitsForIt)
{
    const std::string marker = scratch_.Path() + "done.marker";
    SetEnvironmentVariableA("VT_FINISHER_MARKER", marker.c_str());
    Iniciar::RegistrarTLBS(TypeLibraryPath(folder_), log_);
    SetEnvironmentVariableA("VT_FINISHER_MARKER", nullptr);

    const std::string commandLine = netRoot_ + "v2.0.50727/RegAsm.exe /tlb:\"" + folder_ +
                                    "GdPicture.NET.tlb\" /codebase \"" + folder_ + "GdPicture.NET.dll\"";
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0], (LogEntry{"NetFrameWork", "ShellEjecute", commandLine}));
    EXPECT_EQ(logFiles_[0], folder_ + "Instalacion\\LogInstsllLotes.ini");
    EXPECT_TRUE(FileExists(marker)) << "the tool had not ended when the registration returned";
    const auto runs = RecordedRuns(tool_);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, commandLine);
    EXPECT_EQ(runs[0].show, "0");
    char value[1024] = {};
    GetPrivateProfileStringA("NetFrameWork", "ShellEjecute", "", value, sizeof value, log_.c_str());
    EXPECT_EQ(std::string(value), commandLine);
}

TEST_F(LotefinalSequence, MissingPieceValueIsHandedOverWithItsLeadingBlank)
{
    // Which piece gives which entry is settled without a machine (registration_plan_test) and
    // in the end-to-end runs; here: the value reaches the INI writer as it is, blank included.
    RegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, 0, KEY_ALL_ACCESS, key.put()), 0);
    ASSERT_EQ(RegDeleteValueA(key, "InstallRoot"), 0);
    Iniciar::RegistrarTLBS(TypeLibraryPath(folder_), log_);
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0], (LogEntry{"NetFrameWork", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\.NetFrameWork", " SinInstalar"}));
    EXPECT_TRUE(RecordedRuns(tool_).empty());
}

TEST_F(LotefinalSequence, RegistrationErrorIsLoggedAsItsReport)
{
    // An InstallRoot that cannot be tested as a folder name ends the procedure in its handler.
    ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, "InstallRoot", scratch_.Path() + "bad|root\\"));
    Iniciar::RegistrarTLBS(TypeLibraryPath(folder_), log_);
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0],
              (LogEntry{"NetFrameWork", "ErrorRegistrarTLBS",
                        "Error 52 (Bad file name or number) en procedimiento RegistrarTLBS de M\xF3" "dulo Iniciar"}));
    char value[1024] = {};
    GetPrivateProfileStringA("NetFrameWork", "ErrorRegistrarTLBS", "", value, sizeof value, log_.c_str());
    EXPECT_EQ(std::string(value), entries_[0].value); // the byte F3 reaches the file as it is
}

TEST_F(LotefinalSequence, ToolThatCannotBeStartedIsLoggedAsAnErrorNotAsARun)
{
    DeleteProgramWhenFree(tool_);
    ASSERT_TRUE(WriteTextFile(tool_, "not a program"));
    Iniciar::RegistrarTLBS(TypeLibraryPath(folder_), log_);
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0], (LogEntry{"NetFrameWork", "ErrorRegistrarTLBS",
                                     "Error 5 (Invalid procedure call or argument) en procedimiento "
                                     "RegistrarTLBS de M\xF3" "dulo Iniciar"}));
}

TEST_F(LotefinalSequence, ToolInAFolderWithABlankGetsItsPathQuotedWhileTheLogKeepsItBare)
{
    const std::string root = scratch_.Path() + "net root\\";
    const std::string tool = root + "v2.0.50727\\RegAsm.exe";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "v2.0.50727").c_str(), nullptr));
    ASSERT_TRUE(InstallRecorder(tool));
    ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kNetFrameworkSubkey, "InstallRoot", root));
    Iniciar::RegistrarTLBS(TypeLibraryPath(folder_), log_);

    const std::string files = " /tlb:\"" + folder_ + "GdPicture.NET.tlb\" /codebase \"" + folder_ + "GdPicture.NET.dll\"";
    const std::string bare = root + "v2.0.50727/RegAsm.exe";
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0], (LogEntry{"NetFrameWork", "ShellEjecute", bare + files}));
    const auto runs = RecordedRuns(tool);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, "\"" + bare + "\"" + files);
    DeleteProgramWhenFree(tool);
}

TEST_F(LotefinalSequence, EmptySearchPathIsLoggedAndNothingIsAssociated)
{
    ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path", "", REG_EXPAND_SZ));
    const std::string tifBefore = ProgIdOf(".TIF");
    const std::string jpgBefore = ProgIdOf(".JPG");
    Iniciar::ConfigurarEntorno(folder_, log_);
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0],
              (LogEntry{"VariableEntornoPath",
                        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                        " No encontrada"}));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path"), "");
    EXPECT_EQ(ProgIdOf(".TIF"), tifBefore);
    EXPECT_EQ(ProgIdOf(".JPG"), jpgBefore);
}

TEST_F(LotefinalSequence, SearchPathWriteIsLoggedAsDone)
{
    ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path", "C:\\windows", REG_SZ));
    Iniciar::ConfigurarEntorno(folder_, log_);
    ASSERT_EQ(entries_.size(), 1u);
    EXPECT_EQ(entries_[0].value, "Escritura en el registro");
    DWORD type = 0;
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kEnvironmentSubkey, "Path", &type), folder_ + ";C:\\windows");
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
}

} // namespace

namespace {

// A message box of this process as another thread of it sees it: within one process the icon
// handle can be compared with the system's stop icon.
struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    bool stopIcon = false;
};


SeenBox WatchAndCloseBox(DWORD threadId, DWORD milliseconds)
{
    SeenBox seen;
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
        HWND box = FindVisibleBoxOfThread(threadId);
        if (box == nullptr) {
            Sleep(50);
            continue;
        }
        seen.found = true;
        char text[512] = {};
        GetWindowTextA(box, text, sizeof text);
        seen.caption = text;
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen.text = text;
        const HICON stop = LoadIconA(nullptr, IDI_HAND);
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            DWORD_PTR icon = 0;
            if (SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) && icon != 0)
                seen.stopIcon = reinterpret_cast<HICON>(icon) == stop;
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        break;
    }
    return seen;
}

TEST_F(LotefinalSequence, UntestableFolderShowsTheStopBoxAndReturnsFalse)
{
    ASSERT_TRUE(WriteTextFile(FinisherIniPath(), "[Scrivex]\r\nRutaInstalacionLotes=" + folder_ + "bad|name\r\n"));
    const DWORD self = GetCurrentThreadId();
    SeenBox seen;
    std::thread watcher([&] { seen = WatchAndCloseBox(self, 15000); });
    const bool result = Iniciar::ConcluirInstalacion();
    watcher.join();
    EXPECT_FALSE(result);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "lotefinal");
    EXPECT_EQ(seen.text, "Bad file name or number");
    EXPECT_TRUE(seen.stopIcon);
    EXPECT_TRUE(entries_.empty());
}

} // namespace
