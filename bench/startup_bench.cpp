// Start-up benchmark: how long after its start does setup.exe show its removal window, against
// a minimal Win32 program that only registers a class and shows one window? Measured from
// outside: the process is started and the benchmark polls for its first visible top-level
// window. The two are alternated within one run (the order swapped every round) and the medians
// printed with every figure.
//
//   startup_bench.exe <setup.exe> <sample product folder> [rounds] [another setup.exe]
//                                                            (default: 15 rounds)
//
// With another setup.exe (an earlier build, say) it takes its turns too, so that a before and
// an after meet the same machine in the same run.
//
// setup.exe runs "/S" on a product staged afresh every round with the sample product's theme
// and language file and an empty uninstall log: the page shows, the removal has nothing to
// remove, and the run ends by itself. The minimal program is this one started with --minimal;
// it is closed as soon as its window was seen.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "common/handles.h"
#include "common/process_windows.h"

namespace {

using bench::Median;
using bench::Now;
using bench::ReadWholeFile;
using bench::WriteWholeFile;
using bench::kUninstallRoot;
using bench::WindowsFolder;

const char* const kProductCode = "{5A7B1C2D-0000-4000-8000-0000000B3C4D}";
constexpr double kGiveUpSeconds = 30;

std::string InstallerFolder()
{
    return WindowsFolder() + "Installer\\" + kProductCode + "\\";
}

// The sample page (its picture kept outside anything a removal touches), its language file, an
// empty log and the uninstall entry.
struct Product {
    std::string page;
    std::string language;

    bool Load(const std::string& sample)
    {
        std::string picture;
        if (!ReadWholeFile(sample + "\\theme\\uninstall.lcd", page) ||
            !ReadWholeFile(sample + "\\theme\\uninstall.bmp", picture) ||
            !ReadWholeFile(sample + "\\language.lan", language))
            return false;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        const std::string picturePath = std::string(temp) + "startup-bench.bmp";
        const std::size_t key = page.find("bkimage=");
        if (key == std::string::npos || !WriteWholeFile(picturePath, picture))
            return false;
        page.replace(key, page.find_first_of("\r\n", key) - key, "bkimage=" + picturePath);
        return true;
    }
    bool Stage() const
    {
        const std::string folder = InstallerFolder();
        CreateDirectoryA(folder.substr(0, folder.size() - 1 - std::string(kProductCode).size()).c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "theme").c_str(), nullptr);
        RegKey key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallRoot) + kProductCode).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
            return false;
        const char name[] = "Benchmark product";
        RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
        return WriteWholeFile(folder + "uninstall.log", "TOTALFILE=0\r\n") &&
               WriteWholeFile(folder + "theme\\uninstall.lcd", page) && WriteWholeFile(folder + "language.lan", language);
    }
};

// What one start took until its first window showed, in seconds; -1 when no window showed.
struct Start {
    double seconds = -1;
};

// Starts the program and polls for its first visible window. The process is then closed (the
// minimal one) or left to end by itself (setup), and waited for, bounded.
Start TimeFirstWindow(const std::string& program, std::string commandLine, bool closeIt)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const double start = Now();
    Start seen;
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return seen;
    Handle process(info.hProcess);
    CloseHandle(info.hThread);
    while (Now() - start < kGiveUpSeconds) {
        const HWND shown = FirstVisibleWindowOf(info.dwProcessId);
        if (shown != nullptr) {
            seen.seconds = Now() - start;
            if (closeIt)
                PostMessageA(shown, WM_CLOSE, 0, 0);
            break;
        }
        if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0)
            break;
    }
    if (WaitForSingleObject(process, static_cast<DWORD>(kGiveUpSeconds * 1000)) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
    return seen;
}

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The contender: one class, one shown window, a message loop.
int RunMinimal()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "StartupBenchMinimal";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 520, 380, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void PrintRuns(const char* name, const std::vector<Start>& starts)
{
    std::vector<double> seconds;
    for (const Start& s : starts)
        seconds.push_back(s.seconds);
    std::printf("%-8s median %7.1f ms; runs:", name, Median(seconds) * 1000);
    for (double s : seconds)
        std::printf(" %.0f", s * 1000);
    std::printf("\n");
}

double MedianSeconds(const std::vector<Start>& starts)
{
    std::vector<double> seconds;
    for (const Start& s : starts)
        seconds.push_back(s.seconds);
    return Median(seconds);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "--minimal")
        return RunMinimal();
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <setup.exe> <sample product folder> [rounds] [another setup.exe]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    Product product;
    if (!product.Load(argv[2])) {
        std::fprintf(stderr, "startup_bench: cannot read the sample product in %s\n", argv[2]);
        return 2;
    }
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string selfPath = self;

    // The minimal program first, then each setup.exe given.
    std::vector<std::string> programs = {selfPath, argv[1]};
    if (argc > 4)
        programs.push_back(argv[4]);
    const std::size_t count = programs.size();
    std::vector<std::vector<Start>> seconds(count);
    bool complete = true;
    // One round first, not counted: the first start of any program loads what the next ones
    // find cached. Each round starts with another contender.
    for (int round = -1; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            const std::size_t which = (turn + static_cast<std::size_t>(round + 1)) % count;
            const std::string& program = programs[which];
            Start taken;
            if (which == 0) {
                taken = TimeFirstWindow(program, "\"" + program + "\" --minimal", true);
            } else {
                if (!product.Stage()) {
                    std::fprintf(stderr, "startup_bench: cannot stage the product\n");
                    return 2;
                }
                taken = TimeFirstWindow(program, "\"" + program + "\" /S " + kProductCode, false);
            }
            complete = complete && taken.seconds >= 0;
            if (round >= 0)
                seconds[which].push_back(taken);
        }
    }
    std::printf("first visible window after the process start, %d rounds alternated:\n", rounds);
    PrintRuns("minimal", seconds[0]);
    PrintRuns("setup", seconds[1]);
    if (count > 2)
        PrintRuns("other", seconds[2]);
    std::printf("setup / minimal: %.2f\n", MedianSeconds(seconds[1]) / MedianSeconds(seconds[0]));
    if (count > 2)
        std::printf("other / minimal: %.2f\n", MedianSeconds(seconds[2]) / MedianSeconds(seconds[0]));
    if (count > 2) {
        // The two setups of one round met the same moment of a shared machine: the median of
        // their differences round by round shows a change the spread of the runs would hide.
        std::vector<double> differences;
        for (std::size_t i = 0; i < seconds[1].size() && i < seconds[2].size(); ++i)
            differences.push_back(seconds[1][i].seconds - seconds[2][i].seconds);
        std::printf("setup - other, round by round: median %+.1f ms\n", Median(differences) * 1000);
    }
    if (!complete)
        std::printf("(some run showed no window within %.0f s)\n", kGiveUpSeconds);
    return complete ? 0 : 1;
}
