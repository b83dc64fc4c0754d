// Removal benchmark: how much does setup.exe /S cost over the bare file deletes it performs?
// For each N it stages N files with their uninstall log and uninstall entry, then times
// setup.exe /S (process start and its 500 ms start-up timer included) against a plain
// DeleteFileA loop over the same files, restaging before every run and alternating the two.
// Prints medians, the ratio, and setup.exe's peak memory.
//
//   removal_bench.exe <setup.exe> [runs] [N ...]      (defaults: 5 runs; N = 1000 10000 50000)
//
// The plain loop runs in a child process of its own (this program started with --delete-loop),
// like setup.exe: a process that has just created tens of thousands of files deletes them
// several times slower under Wine than a fresh one, which would flatter setup.exe.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/handles.h"

namespace {

const char* const kUninstallRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string WindowsFolder()
{
    char buffer[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string folder(buffer, n);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

struct Stage {
    std::string productCode;
    std::string filesFolder;
    std::vector<std::string> files;
    std::string installerFolder;
};

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

constexpr int kFilesPerFolder = 1000;

std::string SubFolder(const Stage& stage, int index)
{
    char name[16];
    std::snprintf(name, sizeof name, "\\d%03d", index);
    return stage.filesFolder + name;
}

// Creates the files, the log that lists them and the uninstall entry.
bool StageProduct(Stage& stage, int count)
{
    CreateDirectoryA(stage.filesFolder.c_str(), nullptr);
    CreateDirectoryA(stage.installerFolder.c_str(), nullptr);
    std::string log = "TOTALFILE=" + std::to_string(count) + "\r\n";
    stage.files.clear();
    for (int i = 0; i < count; ++i) {
        // A thousand files a folder, as an installation spreads them: Wine looks a missing name
        // up by scanning its folder, so creating 50,000 files in one folder would be quadratic.
        if (i % kFilesPerFolder == 0)
            CreateDirectoryA(SubFolder(stage, i / kFilesPerFolder).c_str(), nullptr);
        char name[32];
        std::snprintf(name, sizeof name, "\\f%06d.dat", i);
        std::string path = SubFolder(stage, i / kFilesPerFolder) + name;
        if (!WriteWholeFile(path, "x"))
            return false;
        log += "FILE=" + path + "\r\n";
        stage.files.push_back(path);
    }
    if (!WriteWholeFile(stage.installerFolder + "\\uninstall.log", log))
        return false;
    RegKey key;
    const std::string keyPath = kUninstallRoot + stage.productCode;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    const char name[] = "Benchmark product";
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
    return true;
}

void Unstage(const Stage& stage)
{
    for (const std::string& f : stage.files)
        DeleteFileA(f.c_str());
    for (std::size_t i = 0; i * kFilesPerFolder < stage.files.size(); ++i)
        RemoveDirectoryA(SubFolder(stage, static_cast<int>(i)).c_str());
    RemoveDirectoryA(stage.filesFolder.c_str());
    DeleteFileA((stage.installerFolder + "\\uninstall.log").c_str());
    RemoveDirectoryA(stage.installerFolder.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kUninstallRoot + stage.productCode).c_str());
}

struct SetupRun {
    double seconds = -1;
    SIZE_T peakBytes = 0;
};

SetupRun TimeSetup(const std::string& setupExe, const Stage& stage)
{
    SetupRun run;
    std::string commandLine = "\"" + setupExe + "\" /S " + stage.productCode;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const double start = Now();
    if (!CreateProcessA(setupExe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return run;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    // Peak working set, sampled while it runs in case the system forgets it at exit.
    PROCESS_MEMORY_COUNTERS counters = {};
    while (WaitForSingleObject(process, 20) == WAIT_TIMEOUT) {
        if (GetProcessMemoryInfo(process, &counters, sizeof counters))
            run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
        if (Now() - start > 600)
            return run;
    }
    run.seconds = Now() - start;
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
        run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
    return run;
}

// Child side: reads the FILE lines of the log (not timed), deletes them one by one with
// DeleteFileA and writes the seconds the loop took to the result file.
int RunDeleteLoop(const char* logPath, const char* resultPath)
{
    std::vector<std::string> files;
    if (std::FILE* log = std::fopen(logPath, "rt")) {
        char line[1024];
        while (std::fgets(line, sizeof line, log)) {
            std::string text(line);
            if (text.compare(0, 5, "FILE=") != 0)
                continue;
            text.erase(0, 5);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                text.pop_back();
            files.push_back(text);
        }
        std::fclose(log);
    }
    const double start = Now();
    for (const std::string& f : files)
        DeleteFileA(f.c_str());
    const double seconds = Now() - start;
    std::FILE* result = std::fopen(resultPath, "w");
    if (result == nullptr)
        return 1;
    std::fprintf(result, "%.6f\n", seconds);
    std::fclose(result);
    return 0;
}

double TimeDeleteLoop(const Stage& stage)
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string resultPath = stage.installerFolder + "\\loop-seconds.txt";
    std::string commandLine = std::string("\"") + self + "\" --delete-loop \"" + stage.installerFolder +
                              "\\uninstall.log\" \"" + resultPath + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    if (WaitForSingleObject(process, 600000) != WAIT_OBJECT_0)
        return -1;
    double seconds = -1;
    if (std::FILE* result = std::fopen(resultPath.c_str(), "r")) {
        if (std::fscanf(result, "%lf", &seconds) != 1)
            seconds = -1;
        std::fclose(result);
    }
    DeleteFileA(resultPath.c_str());
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool AllGone(const Stage& stage)
{
    for (const std::string& f : stage.files)
        if (GetFileAttributesA(f.c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--delete-loop")
        return RunDeleteLoop(argv[2], argv[3]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: removal_bench <setup.exe> [runs] [N ...]\n");
        return 2;
    }
    const std::string setupExe = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 50000};

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Stage stage;
    stage.productCode = "{VT-BENCH-" + std::to_string(GetCurrentProcessId()) + "}";
    stage.filesFolder = std::string(temp) + "vt-bench-" + std::to_string(GetCurrentProcessId());
    stage.installerFolder = WindowsFolder() + "Installer\\" + stage.productCode;
    CreateDirectoryA((WindowsFolder() + "Installer").c_str(), nullptr);

    std::printf("%8s %6s %14s %14s %8s %14s\n", "files", "runs", "setup /S (s)", "DeleteFileA (s)",
                "ratio", "setup peak MiB");
    for (int n : sizes) {
        std::vector<double> setupTimes, loopTimes;
        SIZE_T peak = 0;
        bool complete = true;
        for (int r = 0; r < runs; ++r) {
            // Alternate which goes first so that drift on a shared machine hits both alike.
            for (int turn = 0; turn < 2; ++turn) {
                const bool setupTurn = (turn == 0) == (r % 2 == 0);
                if (!StageProduct(stage, n)) {
                    std::fprintf(stderr, "staging %d files failed\n", n);
                    Unstage(stage);
                    return 1;
                }
                if (setupTurn) {
                    SetupRun run = TimeSetup(setupExe, stage);
                    complete = complete && run.seconds >= 0 && AllGone(stage);
                    setupTimes.push_back(run.seconds);
                    peak = std::max(peak, run.peakBytes);
                } else {
                    loopTimes.push_back(TimeDeleteLoop(stage));
                }
                Unstage(stage);
            }
        }
        const double s = Median(setupTimes), d = Median(loopTimes);
        std::printf("%8d %6d %14.3f %14.3f %8.2f %14.1f%s\n", n, runs, s, d, s / d,
                    static_cast<double>(peak) / (1024.0 * 1024.0), complete ? "" : "  (setup left files!)");
        std::fflush(stdout);
    }
    return 0;
}
