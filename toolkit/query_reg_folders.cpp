#include "toolkit/query_reg.h"

#include "common/error_report.h"

namespace {

const char kShellFoldersTail[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A folder of the system as the call reports it, read with the size it asks for.
template <class Getter>
std::string SystemFolder(Getter get)
{
    const UINT size = get(nullptr, 0);
    if (size == 0)
        return std::string();
    std::string buffer(size, '\0');
    const UINT length = get(&buffer[0], size);
    return length < size ? buffer.substr(0, length) : std::string();
}

} // namespace

FolderCollection cQueryReg::ShellFolders(bool keysOnly, bool perUser)
{
    folders_ = FolderCollection();
    FolderCollection names;

    struct Source {
        std::string path;
        bool pathsOnly; // only values that hold a drive path (":\")
    };
    const Source sources[] = {
        {(!userName_.empty() && perUser ? "HKEY_USERS\\" + userName_
                                        : std::string("HKEY_USERS\\.Default")) +
             kShellFoldersTail,
         false},
        {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", true},
    };
    for (const Source& source : sources) {
        std::vector<std::string> pairs;
        if (!EnumValues(pairs, source.path))
            continue;
        for (std::size_t i = 1; i + 1 < pairs.size(); i += 2) {
            if (source.pathsOnly && pairs[i + 1].find(":\\") == std::string::npos)
                continue;
            names.Add(pairs[i], pairs[i]);
            folders_.Add(pairs[i], pairs[i + 1]);
        }
    }
    const std::pair<const char*, std::string> machine[] = {
        {"WindowsDir", SystemFolder([](LPSTR b, UINT n) { return GetWindowsDirectoryA(b, n); })},
        {"SystemDir", SystemFolder([](LPSTR b, UINT n) { return GetSystemDirectoryA(b, n); })},
    };
    for (const auto& folder : machine) {
        names.Add(folder.first, folder.first);
        folders_.Add(folder.first, folder.second);
    }
    return keysOnly ? names : folders_;
}

std::string cQueryReg::GetFolder(const std::string& name)
{
    try {
        if (folders_.Empty())
            ShellFolders(false, true);
        const std::string* path = folders_.Find(name);
        return path ? *path : std::string();
    } catch (const RunTimeError&) {
        return std::string();
    }
}
