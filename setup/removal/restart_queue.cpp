#include "setup/removal/restart_queue.h"

#include <windows.h>

#include "setup/removal/removal_logic.h"
#include "setup/removal/vt_engine.h"

namespace {

// Names this process has already tried; a name taken by another file is skipped.
constexpr unsigned kMaxRenameTries = 64;

// The file renamed to a hidden name of its folder; the new name, or the old one when the system
// does not allow the rename (a program that opened it without delete sharing).
std::string HideInPlace(const std::string& path)
{
    static unsigned counter = 0; // only the removal worker renames
    for (unsigned tries = 0; tries < kMaxRenameTries; ++tries) {
        const std::string hidden = InUseHiddenName(path, GetCurrentProcessId(), ++counter);
        if (MoveFileExA(path.c_str(), hidden.c_str(), 0)) {
            SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
            return hidden;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            break;
    }
    return path;
}

} // namespace

FileRemoval RemoveFileOrQueue(const std::string& path)
{
    FileRemoval removal;
    // The hot path of a removal: the delete is tried first, and only a delete that fails on an
    // existing file costs the reset of a read-only file and a second try.
    if (DeleteFileA(path.c_str()))
        return removal;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) {
        removal.result = EntryResult::NotThere;
        return removal;
    }
    CVTEngine::ClearReadOnly(path);
    if (DeleteFileA(path.c_str()))
        return removal;
    error = GetLastError();
    if (!IsInUseError(error)) {
        removal.result = EntryResult::Failed;
        removal.error = error;
        return removal;
    }
    const std::string waiting = HideInPlace(path);
    if (!MoveFileExA(waiting.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
        removal.result = EntryResult::Failed;
        removal.error = GetLastError();
        // Not queued (a caller without the right to the restart list): the file goes back to its
        // own name, so what is left behind is the file the log named, not a hidden stranger.
        if (waiting != path)
            MoveFileExA(waiting.c_str(), path.c_str(), 0);
        return removal;
    }
    removal.result = EntryResult::Queued;
    removal.queuedAs = waiting;
    return removal;
}

unsigned long QueueFolderForRestart(const std::string& folder)
{
    return MoveFileExA(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 0 : GetLastError();
}

std::string SystemErrorText(unsigned long error)
{
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer != nullptr ? buffer : "", n);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}
