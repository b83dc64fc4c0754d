#include "bench/bench_support.h"

#include <windows.h>

#include <algorithm>

#include "common/handles.h"

namespace bench {

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

bool ReadWholeFile(const std::string& path, std::string& content)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 64 * 1024 * 1024)
        return false;
    content.assign(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return content.empty() ||
           (ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr) && read == content.size());
}

bool WriteWholeFile(const std::string& path, const std::string& content)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string WindowsFolder()
{
    char buffer[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    std::string folder(buffer, n < MAX_PATH ? n : 0);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

}  // namespace bench
