#include "finisher/tests/finisher_fixture.h"

#include <windows.h>

#include <sstream>

#include "common/handles.h"

std::string BinFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, n <= MAX_PATH ? n : 0);
    return full.substr(0, full.find_last_of('\\') + 1);
}

std::string RecorderPath()
{
    return BinFolder() + "finisher_recorder.exe";
}

bool InstallRecorder(const std::string& target)
{
    return CopyFileA(RecorderPath().c_str(), target.c_str(), FALSE) != FALSE;
}

std::vector<RecordedRun> RecordedRuns(const std::string& programPath)
{
    std::vector<RecordedRun> runs;
    std::istringstream lines(ReadTextFile(programPath + ".record"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("cmd=", 0) == 0) {
            runs.emplace_back();
            runs.back().commandLine = line.substr(4);
        } else if (!runs.empty() && line.rfind("show=", 0) == 0) {
            runs.back().show = line.substr(5);
        } else if (!runs.empty() && line.rfind("marker=", 0) == 0) {
            runs.back().marker = line.substr(7) == "yes";
        }
    }
    return runs;
}

bool WaitForRuns(const std::string& programPath, std::size_t count, unsigned long milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        const std::vector<RecordedRun> runs = RecordedRuns(programPath);
        if (runs.size() >= count && !runs.back().show.empty() && runs.back().commandLine.size() > 0)
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(50);
    }
}

void DeleteProgramWhenFree(const std::string& path, unsigned long milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND && GetTickCount64() < end)
        Sleep(50);
}
