#include "setup/core/run_log.h"

#include <cstdio>

namespace {

// Creates every folder on the way to `path`'s own folder that is not there yet.
void CreateFoldersOnTheWay(const std::string& path)
{
    for (std::string::size_type at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        const std::string folder = path.substr(0, at);
        // UNC paths begin with "\\server\share": those two parts cannot be created.
        if (folder.size() > 2 && folder[folder.size() - 1] != ':')
            CreateDirectoryA(folder.c_str(), nullptr);
    }
}

} // namespace

unsigned long RunLog::Open(const std::string& path)
{
    CreateFoldersOnTheWay(path);
    // Append-only access: the system puts each write at the end of the file, whoever else
    // appends to it at the same time.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    std::lock_guard<std::mutex> lock(mutex_);
    file_.reset(file);
    return 0;
}

void RunLog::WriteLine(const std::string& text)
{
    if (!file_.valid())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[40] = {};
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    const std::string line = stamp + text + "\r\n";
    std::lock_guard<std::mutex> lock(mutex_);
    DWORD written = 0;
    // One write per line, unbuffered here: what a killed run did is in the file.
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

RunLog& TheRunLog()
{
    static RunLog log;
    return log;
}
