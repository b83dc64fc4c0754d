// Removal benchmark: how much does setup.exe /S cost over the bare file deletes it performs?
// For each N it stages N files with their uninstall log and uninstall entry, then times
// setup.exe /S (process start and its 500 ms start-up timer included) against a plain
// DeleteFileA loop over the same files, restaging before every run and alternating the two.
// Prints medians, the ratio, and setup.exe's peak memory.
//
//   removal_bench.exe <setup.exe> [runs] [N ...]      (defaults: 5 runs; N = 1000 10000 50000)
//
// Staging and the plain loop each run in a child process of their own (this program started
// with --stage or --delete-loop). Under Wine a process that is still alive after creating tens
// of thousands of files slows every later delete of them, its own and other processes' alike;
// with the stager gone before anything is timed, both contenders meet the same machine.

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
// A thousand files a folder, as an installation spreads them: Wine looks a missing name up by
// scanning its folder, so creating 50,000 files in one folder would be quadratic.
constexpr int kFilesPerFolder = 1000;
constexpr DWORD kChildTimeoutMs = 600000;

double Now()
{
    static const LARGE_INTEGER frequency = [] {
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
    const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string folder(buffer, n);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

struct Stage {
    std::string productCode;
    std::string filesFolder;
    std::string installerFolder;
    int count = 0;

    std::string SubFolder(int index) const
    {
        char name[16];
        std::snprintf(name, sizeof name, "\\d%03d", index);
        return filesFolder + name;
    }
    std::string FilePath(int i) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "\\f%06d.dat", i);
        return SubFolder(i / kFilesPerFolder) + name;
    }
    std::string LogPath() const { return installerFolder + "\\uninstall.log"; }
    std::string KeyPath() const { return kUninstallRoot + productCode; }
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

// Child side: creates the files, the log that lists them and the uninstall entry.
int RunStage(const Stage& stage)
{
    CreateDirectoryA(stage.filesFolder.c_str(), nullptr);
    CreateDirectoryA(stage.installerFolder.c_str(), nullptr);
    std::string log = "TOTALFILE=" + std::to_string(stage.count) + "\r\n";
    for (int i = 0; i < stage.count; ++i) {
        if (i % kFilesPerFolder == 0)
            CreateDirectoryA(stage.SubFolder(i / kFilesPerFolder).c_str(), nullptr);
        const std::string path = stage.FilePath(i);
        if (!WriteWholeFile(path, "x"))
            return 1;
        log += "FILE=" + path + "\r\n";
    }
    if (!WriteWholeFile(stage.LogPath(), log))
        return 1;
    RegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, stage.KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return 1;
    const char name[] = "Benchmark product";
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
    return 0;
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

struct ChildRun {
    bool ended = false;
    DWORD exitCode = 1;
    double seconds = -1;
    SIZE_T peakBytes = 0;
};

// Starts a program, waits for it (bounded) and samples its peak working set while it runs, in
// case the system no longer reports it once the process has ended.
ChildRun RunChild(const std::string& program, std::string commandLine)
{
    ChildRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const double start = Now();
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return run;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    PROCESS_MEMORY_COUNTERS counters = {};
    for (;;) {
        const DWORD wait = WaitForSingleObject(process, 20);
        if (wait == WAIT_OBJECT_0)
            break;
        if (wait != WAIT_TIMEOUT || Now() - start > kChildTimeoutMs / 1000.0) {
            TerminateProcess(process, 1);
            return run;
        }
        if (GetProcessMemoryInfo(process, &counters, sizeof counters))
            run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
    }
    run.seconds = Now() - start;
    run.ended = true;
    GetExitCodeProcess(process, &run.exitCode);
    if (GetProcessMemoryInfo(process, &counters, sizeof counters))
        run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
    return run;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string SelfPath()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return self;
}

bool StageProduct(const Stage& stage)
{
    const std::string self = SelfPath();
    const ChildRun run = RunChild(self, Quoted(self) + " --stage " + Quoted(stage.filesFolder) + " " +
                                            Quoted(stage.installerFolder) + " " + stage.productCode + " " +
                                            std::to_string(stage.count));
    return run.ended && run.exitCode == 0;
}

double TimeDeleteLoop(const Stage& stage)
{
    const std::string self = SelfPath();
    const std::string resultPath = stage.installerFolder + "\\loop-seconds.txt";
    const ChildRun run =
        RunChild(self, Quoted(self) + " --delete-loop " + Quoted(stage.LogPath()) + " " + Quoted(resultPath));
    double seconds = -1;
    if (run.ended) {
        if (std::FILE* result = std::fopen(resultPath.c_str(), "r")) {
            if (std::fscanf(result, "%lf", &seconds) != 1)
                seconds = -1;
            std::fclose(result);
        }
    }
    DeleteFileA(resultPath.c_str());
    return seconds;
}

bool AllGone(const Stage& stage)
{
    for (int i = 0; i < stage.count; ++i)
        if (GetFileAttributesA(stage.FilePath(i).c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
    return true;
}

// Removes whatever a run left, so the next one starts from nothing.
void Unstage(const Stage& stage)
{
    for (int i = 0; i < stage.count; ++i)
        DeleteFileA(stage.FilePath(i).c_str());
    for (int d = 0; d * kFilesPerFolder < stage.count; ++d)
        RemoveDirectoryA(stage.SubFolder(d).c_str());
    RemoveDirectoryA(stage.filesFolder.c_str());
    DeleteFileA(stage.LogPath().c_str());
    RemoveDirectoryA(stage.installerFolder.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, stage.KeyPath().c_str());
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int RunBenchmark(const std::string& setupExe, int runs, const std::vector<int>& sizes)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Stage stage;
    stage.productCode = "{VT-BENCH-" + std::to_string(GetCurrentProcessId()) + "}";
    stage.filesFolder = std::string(temp) + "vt-bench-" + std::to_string(GetCurrentProcessId());
    stage.installerFolder = WindowsFolder() + "Installer\\" + stage.productCode;
    CreateDirectoryA((WindowsFolder() + "Installer").c_str(), nullptr);

    std::printf("%8s %5s %13s %15s %7s %15s\n", "files", "runs", "setup /S (s)", "DeleteFileA (s)", "ratio",
                "setup peak MiB");
    for (const int n : sizes) {
        stage.count = n;
        std::vector<double> setupTimes, loopTimes;
        SIZE_T peak = 0;
        bool complete = true;
        for (int r = 0; r < runs; ++r) {
            // Alternate which goes first so that drift on a shared machine hits both alike.
            for (int turn = 0; turn < 2; ++turn) {
                if (!StageProduct(stage)) {
                    std::fprintf(stderr, "staging %d files failed\n", n);
                    Unstage(stage);
                    return 1;
                }
                if ((turn == 0) == (r % 2 == 0)) {
                    const ChildRun run = RunChild(setupExe, Quoted(setupExe) + " /S " + stage.productCode);
                    complete = complete && run.ended && AllGone(stage);
                    setupTimes.push_back(run.seconds);
                    peak = std::max(peak, run.peakBytes);
                } else {
                    loopTimes.push_back(TimeDeleteLoop(stage));
                }
                Unstage(stage);
            }
        }
        const double s = Median(setupTimes), d = Median(loopTimes);
        std::printf("%8d %5d %13.3f %15.3f %7.2f %15.1f%s\n", n, runs, s, d, s / d,
                    static_cast<double>(peak) / (1024.0 * 1024.0), complete ? "" : "  (setup left files!)");
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::string(argv[1]) == "--stage") {
        Stage stage;
        stage.filesFolder = argv[2];
        stage.installerFolder = argv[3];
        stage.productCode = argv[4];
        stage.count = std::atoi(argv[5]);
        return RunStage(stage);
    }
    if (argc == 4 && std::string(argv[1]) == "--delete-loop")
        return RunDeleteLoop(argv[2], argv[3]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: removal_bench <setup.exe> [runs] [N ...]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 50000};
    return RunBenchmark(argv[1], runs, sizes);
}
