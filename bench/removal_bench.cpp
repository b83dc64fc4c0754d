// Removal benchmark: how much does setup.exe /S cost over the bare file deletes it performs?
// For each N it stages N files with their uninstall log and uninstall entry, then times four
// removals of them, restaging before every run and rotating their order:
//   - setup.exe /S without a theme: no window, no progress reports;
//   - setup.exe /S with the sample product's theme staged: the removal window shows and every
//     file is reported to its progress bar (process start and the 500 ms start-up timer are in
//     both setup figures);
//   - a plain DeleteFileA loop in a fresh process;
//   - the same loop on a worker thread while the main thread owns a hidden window and dispatches
//     its messages, as setup removes: under Wine a process with a window deletes files more
//     slowly, so this is the floor a windowed removal can reach.
// Prints medians, the ratios and setup.exe's peak memory. Then a responsiveness probe: while a
// windowed removal of 5,000 files runs, WM_NULL is sent to the removal window every 5 ms and
// the answer times are printed (median, 99th percentile, worst).
//
//   removal_bench.exe <setup.exe> <sample product folder> [runs] [N ...]
//                                       (defaults: 5 runs; N = 1000 10000 50000)
//   removal_bench.exe <setup.exe> --log [runs] [N ...]
//       the deployment log file's cost instead: /S /LOG=<file> against /S (default N = 50000)
//
// The sample product folder holds language.lan and theme\uninstall.lcd and theme\uninstall.bmp;
// the theme's picture is staged outside the removed files and the theme pointed at it.
//
// Staging and the plain loops each run in a child process of their own (this program started
// with --stage or --delete-loop). Under Wine a process that is still alive after creating tens
// of thousands of files slows every later delete of them, its own and other processes' alike;
// with the stager gone before anything is timed, all contenders meet the same machine.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "common/handles.h"
#include "common/process_windows.h"
#include "setup/core/run_log.h"

namespace {

using bench::Median;
using bench::Now;
using bench::kUninstallRoot;
using bench::WindowsFolder;
using bench::ReadWholeFile;
using bench::WriteWholeFile;

// A thousand files a folder, as an installation spreads them: Wine looks a missing name up by
// scanning its folder, so creating 50,000 files in one folder would be quadratic.
constexpr int kFilesPerFolder = 1000;
constexpr DWORD kChildTimeoutMs = 600000;
constexpr int kProbeFiles = 5000;
constexpr DWORD kProbePeriodMs = 5;
// An answer slower than this is not waited for; it is counted as this long.
constexpr UINT kProbeTimeoutMs = 5000;

// The sample product's removal page and language file, read once; the page's picture is put
// where no removal reaches it and the page is pointed there.
struct SampleTheme {
    std::string page;
    std::string language;
    std::string pictureFolder;

    bool Load(const std::string& sampleFolder, const std::string& stagingRoot)
    {
        const std::string theme = sampleFolder + "\\theme\\";
        std::string picture;
        if (!ReadWholeFile(theme + "uninstall.lcd", page) || !ReadWholeFile(theme + "uninstall.bmp", picture) ||
            !ReadWholeFile(sampleFolder + "\\language.lan", language))
            return false;
        pictureFolder = stagingRoot + "-picture";
        CreateDirectoryA(pictureFolder.c_str(), nullptr);
        const std::string picturePath = pictureFolder + "\\uninstall.bmp";
        const std::size_t key = page.find("bkimage=");
        if (key == std::string::npos || !WriteWholeFile(picturePath, picture))
            return false;
        page.replace(key, page.find_first_of("\r\n", key) - key, "bkimage=" + picturePath);
        return true;
    }
    void Remove() const
    {
        DeleteFileA((pictureFolder + "\\uninstall.bmp").c_str());
        RemoveDirectoryA(pictureFolder.c_str());
    }
};

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
    std::string ThemeFolder() const { return installerFolder + "\\theme"; }
    std::string PagePath() const { return ThemeFolder() + "\\uninstall.lcd"; }
    std::string LanguagePath() const { return installerFolder + "\\language.lan"; }
    std::string KeyPath() const { return kUninstallRoot + productCode; }
};

std::string TempFolder()
{
    char temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof temp, temp);
    return std::string(temp, n <= MAX_PATH ? n : 0);
}

// A stage of this process's own under the temporary and Installer folders; `kind` ("" or
// "log-") keeps the benchmarks' stages apart.
Stage NewStage(const std::string& kind)
{
    std::string upper;
    for (const char c : kind)
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    const std::string id = std::to_string(GetCurrentProcessId());
    Stage stage;
    stage.productCode = "{VT-BENCH-" + upper + id + "}";
    stage.filesFolder = TempFolder() + "vt-bench-" + kind + id;
    stage.installerFolder = WindowsFolder() + "Installer\\" + stage.productCode;
    CreateDirectoryA((WindowsFolder() + "Installer").c_str(), nullptr);
    return stage;
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

struct DeleteLoop {
    std::vector<std::string> files;
    double seconds = -1;

    void Run()
    {
        const double start = Now();
        for (const std::string& f : files)
            DeleteFileA(f.c_str());
        seconds = Now() - start;
    }
    static DWORD WINAPI RunOnThread(void* loop)
    {
        static_cast<DeleteLoop*>(loop)->Run();
        return 0;
    }
};

// Runs the loop on a worker thread while this thread owns a hidden top-level window and
// dispatches its messages until the worker has ended: how setup removes, less the reports.
bool RunLoopBesideWindow(DeleteLoop& loop)
{
    HWND window = CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr)
        return false;
    Handle worker(CreateThread(nullptr, 0, DeleteLoop::RunOnThread, &loop, 0, nullptr));
    bool ended = false;
    const double giveUp = Now() + kChildTimeoutMs / 1000.0;
    while (worker && !ended && Now() < giveUp) {
        HANDLE handle = worker.get();
        const DWORD wait = MsgWaitForMultipleObjects(1, &handle, FALSE, 1000, QS_ALLINPUT);
        ended = wait == WAIT_OBJECT_0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    DestroyWindow(window);
    return ended;
}

// Child side: reads the FILE lines of the log (not timed), deletes them one by one with
// DeleteFileA and writes the seconds the loop took to the result file. With `besideWindow`
// the loop runs on a worker thread of a process whose main thread owns a window.
int RunDeleteLoop(const char* logPath, const char* resultPath, bool besideWindow)
{
    DeleteLoop loop;
    if (std::FILE* log = std::fopen(logPath, "rt")) {
        char line[1024];
        while (std::fgets(line, sizeof line, log)) {
            std::string text(line);
            if (text.compare(0, 5, "FILE=") != 0)
                continue;
            text.erase(0, 5);
            while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                text.pop_back();
            loop.files.push_back(text);
        }
        std::fclose(log);
    }
    if (!besideWindow)
        loop.Run();
    else if (!RunLoopBesideWindow(loop))
        return 1;
    std::FILE* result = std::fopen(resultPath, "w");
    if (result == nullptr)
        return 1;
    std::fprintf(result, "%.6f\n", loop.seconds);
    std::fclose(result);
    return 0;
}

struct ChildRun {
    bool ended = false;
    DWORD exitCode = 1;
    double seconds = -1;
    SIZE_T peakBytes = 0;
};

class Child {
public:
    bool Start(const std::string& program, std::string commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        start_ = Now();
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info))
            return false;
        process_.reset(info.hProcess);
        CloseHandle(info.hThread);
        id_ = info.dwProcessId;
        return true;
    }
    DWORD Id() const { return id_; }
    bool Ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

    // Waits for the end (bounded) and samples the peak working set while the process runs, in
    // case the system no longer reports it once the process has ended. A process past the
    // time is ended and reported as not ended.
    ChildRun Wait()
    {
        ChildRun run;
        PROCESS_MEMORY_COUNTERS counters = {};
        for (;;) {
            const DWORD wait = WaitForSingleObject(process_, 20);
            if (wait == WAIT_OBJECT_0)
                break;
            if (wait != WAIT_TIMEOUT || Now() - start_ > kChildTimeoutMs / 1000.0) {
                TerminateProcess(process_, 1);
                WaitForSingleObject(process_, 5000);
                return run;
            }
            if (GetProcessMemoryInfo(process_, &counters, sizeof counters))
                run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
        }
        run.seconds = Now() - start_;
        run.ended = true;
        GetExitCodeProcess(process_, &run.exitCode);
        if (GetProcessMemoryInfo(process_, &counters, sizeof counters))
            run.peakBytes = std::max(run.peakBytes, counters.PeakWorkingSetSize);
        return run;
    }

private:
    Handle process_;
    DWORD id_ = 0;
    double start_ = 0;
};

ChildRun RunChild(const std::string& program, const std::string& commandLine)
{
    Child child;
    if (!child.Start(program, commandLine))
        return ChildRun();
    return child.Wait();
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

bool StageProduct(const Stage& stage, const SampleTheme* theme)
{
    const std::string self = SelfPath();
    const ChildRun run = RunChild(self, Quoted(self) + " --stage " + Quoted(stage.filesFolder) + " " +
                                            Quoted(stage.installerFolder) + " " + stage.productCode + " " +
                                            std::to_string(stage.count));
    if (!run.ended || run.exitCode != 0)
        return false;
    if (theme == nullptr)
        return true;
    CreateDirectoryA(stage.ThemeFolder().c_str(), nullptr);
    return WriteWholeFile(stage.PagePath(), theme->page) && WriteWholeFile(stage.LanguagePath(), theme->language);
}

double TimeDeleteLoop(const Stage& stage, bool ownWindow)
{
    const std::string self = SelfPath();
    const std::string resultPath = stage.installerFolder + "\\loop-seconds.txt";
    const ChildRun run = RunChild(self, Quoted(self) + " --delete-loop " + Quoted(stage.LogPath()) + " " +
                                            Quoted(resultPath) + (ownWindow ? " --window" : ""));
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
    DeleteFileA(stage.PagePath().c_str());
    RemoveDirectoryA(stage.ThemeFolder().c_str());
    DeleteFileA(stage.LanguagePath().c_str());
    RemoveDirectoryA(stage.installerFolder.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, stage.KeyPath().c_str());
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

enum Contender { kWindowless, kWindowed, kLoop, kLoopWithWindow, kContenders };

struct Timings {
    std::vector<double> seconds[kContenders];
    SIZE_T windowedPeak = 0;
    bool complete = true;
};

// One timed removal of the staged files by one contender.
void TimeOne(const Stage& stage, Contender contender, const std::string& setupExe, Timings& timings)
{
    if (contender == kLoop || contender == kLoopWithWindow) {
        timings.seconds[contender].push_back(TimeDeleteLoop(stage, contender == kLoopWithWindow));
        return;
    }
    const ChildRun run = RunChild(setupExe, Quoted(setupExe) + " /S " + stage.productCode);
    timings.complete = timings.complete && run.ended && AllGone(stage);
    timings.seconds[contender].push_back(run.seconds);
    if (contender == kWindowed)
        timings.windowedPeak = std::max(timings.windowedPeak, run.peakBytes);
}

// Milliseconds the window took to answer WM_NULL; the time-out when it did not answer in time,
// a negative value when the window is gone.
double ProbeAnswer(HWND window)
{
    DWORD_PTR result = 0;
    const double start = Now();
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result) != 0)
        return (Now() - start) * 1000.0;
    return IsWindow(window) ? kProbeTimeoutMs : -1;
}

// A windowed removal of the staged files with the removal window probed every few milliseconds
// while the bar moves (after the first file, before the last). Adds the answer times.
bool ProbeRemoval(const Stage& stage, const std::string& setupExe, std::vector<double>& answers)
{
    Child setup;
    if (!setup.Start(setupExe, Quoted(setupExe) + " /S " + stage.productCode))
        return false;
    HWND window = nullptr, bar = nullptr;
    const double giveUp = Now() + kChildTimeoutMs / 1000.0;
    while (bar == nullptr && !setup.Ended() && Now() < giveUp) {
        window = FirstVisibleWindowOf(setup.Id());
        bar = window != nullptr ? FindWindowExA(window, nullptr, PROGRESS_CLASSA, nullptr) : nullptr;
        Sleep(kProbePeriodMs);
    }
    while (bar != nullptr && !setup.Ended() && Now() < giveUp) {
        DWORD_PTR position = 0, upper = 0;
        if (!SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &position) ||
            !SendMessageTimeoutA(bar, PBM_GETRANGE, FALSE, 0, SMTO_NORMAL, kProbeTimeoutMs, &upper))
            break;
        if (position > 0 && position < upper) {
            const double answer = ProbeAnswer(window);
            if (answer < 0)
                break;
            answers.push_back(answer);
        }
        Sleep(kProbePeriodMs);
    }
    const ChildRun run = setup.Wait();
    return bar != nullptr && run.ended && AllGone(stage);
}

int RunBenchmark(const std::string& setupExe, const std::string& sampleFolder, int runs, const std::vector<int>& sizes)
{
    Stage stage = NewStage("");
    SampleTheme theme;
    if (!theme.Load(sampleFolder, stage.filesFolder)) {
        std::fprintf(stderr, "cannot read the sample theme in %s\n", sampleFolder.c_str());
        theme.Remove();
        return 1;
    }

    std::printf("Removal of N files, median seconds (process start and setup's 500 ms timer included)\n");
    std::printf("%8s %5s %10s %10s %10s %10s  %10s %9s %11s %9s\n", "files", "runs", "no window", "window",
                "loop", "loop+win", "nowin/loop", "win/loop", "win/loop+wn", "peak MiB");
    for (const int n : sizes) {
        stage.count = n;
        Timings timings;
        for (int r = 0; r < runs; ++r) {
            // Rotate which goes first so that drift on a shared machine hits all alike.
            for (int turn = 0; turn < kContenders; ++turn) {
                const auto contender = static_cast<Contender>((turn + r) % kContenders);
                if (!StageProduct(stage, contender == kWindowed ? &theme : nullptr)) {
                    std::fprintf(stderr, "staging %d files failed\n", n);
                    Unstage(stage);
                    theme.Remove();
                    return 1;
                }
                TimeOne(stage, contender, setupExe, timings);
                Unstage(stage);
            }
        }
        double m[kContenders];
        for (int c = 0; c < kContenders; ++c)
            m[c] = Median(timings.seconds[c]);
        std::printf("%8d %5d %10.3f %10.3f %10.3f %10.3f  %10.2f %9.2f %11.2f %9.1f%s\n", n, runs, m[kWindowless],
                    m[kWindowed], m[kLoop], m[kLoopWithWindow], m[kWindowless] / m[kLoop], m[kWindowed] / m[kLoop],
                    m[kWindowed] / m[kLoopWithWindow], static_cast<double>(timings.windowedPeak) / (1024.0 * 1024.0),
                    timings.complete ? "" : "  (setup left files!)");
        // Every run, in case the medians hide a shared machine's bad moment.
        static const char* const names[kContenders] = {"no window", "window", "loop", "loop+win"};
        for (int c = 0; c < kContenders; ++c) {
            std::printf("%26s:", names[c]);
            for (const double t : timings.seconds[c])
                std::printf(" %.3f", t);
            std::printf("\n");
        }
        std::fflush(stdout);
    }

    stage.count = kProbeFiles;
    std::vector<double> answers;
    bool complete = true;
    for (int r = 0; r < runs; ++r) {
        if (!StageProduct(stage, &theme)) {
            complete = false;
            break;
        }
        complete = ProbeRemoval(stage, setupExe, answers) && complete;
        Unstage(stage);
    }
    std::printf("\nRemoval window answering WM_NULL every %lu ms during a windowed removal of %d files, %d runs\n",
                static_cast<unsigned long>(kProbePeriodMs), kProbeFiles, runs);
    std::printf("%8s %10s %10s %10s\n", "answers", "median ms", "p99 ms", "worst ms");
    std::printf("%8zu %10.2f %10.2f %10.2f%s\n", answers.size(), Median(answers), Percentile(answers, 0.99),
                answers.empty() ? -1.0 : *std::max_element(answers.begin(), answers.end()),
                complete ? "" : "  (a probed run failed)");
    theme.Remove();
    return 0;
}

// Child side: the log file's writer alone, `count` entry lines as a removal writes them, timed
// in a fresh process; the seconds go to the result file.
int RunLogLines(const char* file, int count, const char* resultPath)
{
    DeleteFileA(file);
    RunLog log;
    if (log.Open(file) != 0)
        return 1;
    const double start = Now();
    for (int i = 0; i < count; ++i)
        log.WriteEntry("FILE removed C:\\Program Files\\Scrivex\\part" + std::to_string(i / 1000) + "\\file" +
                       std::to_string(i) + ".dat");
    char seconds[32] = {};
    std::snprintf(seconds, sizeof seconds, "%.3f", Now() - start);
    return WriteWholeFile(resultPath, seconds) ? 0 : 1;
}

// The cost of the deployment log file: "setup.exe /S /LOG=<file>" against "setup.exe /S", both
// windowless, alternated, restaged before every run; the log file is deleted after each run.
int RunLogBenchmark(const std::string& setupExe, int runs, const std::vector<int>& sizes)
{
    Stage stage = NewStage("log-");
    const std::string logFile = TempFolder() + "vt-bench-run.log";

    // On a shared machine the other loads only ever add time: the best run of each is printed
    // beside the medians.
    std::printf("setup.exe /S with and without /LOG=<file>, seconds: medians, then best runs\n");
    std::printf("%8s %5s %10s %10s %10s %10s %10s %10s %12s\n", "files", "runs", "/S", "/S /LOG", "log//S",
                "best /S", "best /LOG", "best ratio", "log KiB");
    for (const int n : sizes) {
        stage.count = n;
        std::vector<double> plain, logged;
        bool complete = true;
        LARGE_INTEGER logSize = {};
        for (int r = 0; r < runs; ++r) {
            for (int turn = 0; turn < 2; ++turn) {
                const bool withLog = (turn + r) % 2 == 1;
                if (!StageProduct(stage, nullptr)) {
                    std::fprintf(stderr, "staging %d files failed\n", n);
                    Unstage(stage);
                    return 1;
                }
                DeleteFileA(logFile.c_str());
                const std::string options = withLog ? " /LOG=" + Quoted(logFile) : std::string();
                const ChildRun run = RunChild(setupExe, Quoted(setupExe) + " /S " + stage.productCode + options);
                complete = complete && run.ended && AllGone(stage);
                (withLog ? logged : plain).push_back(run.seconds);
                if (withLog) {
                    WIN32_FILE_ATTRIBUTE_DATA data = {};
                    if (GetFileAttributesExA(logFile.c_str(), GetFileExInfoStandard, &data)) {
                        logSize.LowPart = data.nFileSizeLow;
                        logSize.HighPart = static_cast<LONG>(data.nFileSizeHigh);
                    }
                }
                Unstage(stage);
            }
        }
        DeleteFileA(logFile.c_str());
        // The writer alone, in a process of its own, for the same number of lines.
        std::vector<double> writer;
        for (int r = 0; r < runs; ++r) {
            const std::string out = logFile + ".seconds";
            RunChild(SelfPath(), Quoted(SelfPath()) + " --log-lines " + Quoted(logFile) + " " + std::to_string(n) +
                                     " " + Quoted(out));
            std::string text;
            if (ReadWholeFile(out, text))
                writer.push_back(std::atof(text.c_str()));
            DeleteFileA(out.c_str());
        }
        DeleteFileA(logFile.c_str());
        const double mp = Median(plain), ml = Median(logged);
        const double bp = *std::min_element(plain.begin(), plain.end());
        const double bl = *std::min_element(logged.begin(), logged.end());
        std::printf("%8d %5d %10.3f %10.3f %10.3f %10.3f %10.3f %10.3f %12.0f%s\n", n, runs, mp, ml, ml / mp, bp, bl,
                    bl / bp, static_cast<double>(logSize.QuadPart) / 1024.0, complete ? "" : "  (setup left files!)");
        std::printf("%26s:", "/S");
        for (const double t : plain)
            std::printf(" %.3f", t);
        std::printf("\n%26s:", "/S /LOG");
        for (const double t : logged)
            std::printf(" %.3f", t);
        std::printf("\n%26s:", "log writer alone");
        for (const double t : writer)
            std::printf(" %.3f", t);
        std::printf("  (median %.3f s, %.1f %% of the best /S)\n", Median(writer), 100.0 * Median(writer) / bp);
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
    if (argc == 5 && std::string(argv[1]) == "--log-lines")
        return RunLogLines(argv[2], std::atoi(argv[3]), argv[4]);
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--delete-loop")
        return RunDeleteLoop(argv[2], argv[3], argc == 5 && std::string(argv[4]) == "--window");
    if (argc >= 3 && std::string(argv[2]) == "--log") {
        const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
        std::vector<int> sizes;
        for (int i = 4; i < argc; ++i)
            sizes.push_back(std::atoi(argv[i]));
        if (sizes.empty())
            sizes = {50000};
        return RunLogBenchmark(argv[1], runs, sizes);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: removal_bench <setup.exe> <sample product folder> [runs] [N ...]\n"
                             "       removal_bench <setup.exe> --log [runs] [N ...]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    std::vector<int> sizes;
    for (int i = 4; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 50000};
    return RunBenchmark(argv[1], argv[2], runs, sizes);
}
