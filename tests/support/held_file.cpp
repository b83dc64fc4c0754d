#include "tests/support/held_file.h"

#include "tests/support/setup_process.h"

namespace {

const char* const kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char* const kPending = "PendingFileRenameOperations";

bool ReadPending(std::string& data)
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(key, kPending, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.assign(size, '\0');
    if (RegQueryValueExA(key, kPending, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

} // namespace

HeldFile::HeldFile(const std::string& path, const std::string& how)
{
    const std::string ready = path + ".held";
    DeleteFileA(ready.c_str());
    std::string exe = SetupExePath();
    exe = exe.substr(0, exe.find_last_of('\\') + 1) + "hold_file.exe";
    std::string commandLine = "\"" + exe + "\" " + how + " \"" + path + "\" \"" + ready + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    const ULONGLONG end = GetTickCount64() + 10000;
    while (GetTickCount64() < end && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        if (GetFileAttributesA(ready.c_str()) != INVALID_FILE_ATTRIBUTES) {
            held_ = true;
            break;
        }
        Sleep(20);
    }
    DeleteFileA(ready.c_str());
}

void HeldFile::Release()
{
    if (process_) {
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, 5000);
        process_.reset();
    }
    held_ = false;
}

std::vector<std::string> PendingRestartDeletes()
{
    std::vector<std::string> sources;
    std::string data;
    if (!ReadPending(data))
        return sources;
    // Pairs of zero-ended names: source, then target (empty for a delete).
    std::vector<std::string> names;
    std::string::size_type at = 0;
    while (at < data.size()) {
        const std::string::size_type end = data.find('\0', at);
        names.push_back(data.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
        std::string source = names[i];
        if (source.compare(0, 4, "\\??\\") == 0)
            source.erase(0, 4);
        if (names[i + 1].empty() && !source.empty())
            sources.push_back(source);
    }
    return sources;
}

PendingRenamesSaved::PendingRenamesSaved()
{
    existed_ = ReadPending(data_);
}

PendingRenamesSaved::~PendingRenamesSaved()
{
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS)
        return;
    if (existed_)
        RegSetValueExA(key, kPending, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    else
        RegDeleteValueA(key, kPending);
}
