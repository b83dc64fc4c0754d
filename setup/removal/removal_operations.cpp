// The removal operations of the engine: files, services, folders, the removal-time program,
// library or web page. None shows a message or stops the removal.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "common/handles.h"
#include "common/proc_address.h"
#include "setup/removal/protected_folders.h"
#include "setup/removal/removal_logic.h"
#include "setup/removal/vt_engine.h"
#include "setup/core/trace.h"

namespace {

static_assert(FOF_SILENT == 0x4 && FOF_NOCONFIRMATION == 0x10 && FOF_NOCONFIRMMKDIR == 0x200 &&
                  FOF_NOERRORUI == 0x400,
              "shell flag numbers");

// The export a removal-time library offers: one pointer to a 256-byte buffer holding the
// library's own full path, called with the Windows API convention.
using LibraryEntry = void(WINAPI*)(char*);

// Whether this system knows the LOAD_LIBRARY_SEARCH_* flags (Windows 7 with KB2533623 on).
bool HasSearchFlags()
{
    return GetProc<FARPROC>(GetModuleHandleA("kernel32.dll"), "AddDllDirectory") != nullptr;
}

// The process restricts library search to the system folder at start-up, so the removal-time
// library is loaded with its own folder searched too: its dependencies installed beside it are
// then found, and nothing from the current folder or the search path is.
HMODULE LoadRemovalLibrary(const std::string& path)
{
    if (HasSearchFlags()) {
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr,
                                        LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        // A path that is not fully qualified is refused with these flags: load it plainly.
        if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER)
            return module;
    }
    return LoadLibraryA(path.c_str());
}

// A zero-filled buffer of `size` bytes holding `text` (which must fit with its terminator).
std::vector<char> ZeroFilledBuffer(const std::string& text, std::size_t size)
{
    std::vector<char> buffer(size, '\0');
    text.copy(buffer.data(), text.size() < size - 1 ? text.size() : size - 1);
    return buffer;
}

// The one question asked before a folder is deleted with everything below it; a folder left
// alone for safety leaves a trace line, so that a removal that kept it can be explained.
bool MayDeleteTree(const std::string& folder)
{
    if (IsSafeTreeDeleteTarget(folder))
        return true;
    Trace(("DeleteTree refused " + folder).c_str());
    return false;
}

bool CurrentFolder(std::string& folder)
{
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    if (n == 0 || n >= MAX_PATH)
        return false;
    folder.assign(buffer, n);
    return true;
}

} // namespace

void CVTEngine::ClearReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    // Keeping only the normal bit of a read-only file leaves 0, a plain file: read-only,
    // hidden, system and archive all go, so that the delete that follows can succeed.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(path.c_str(), attributes & FILE_ATTRIBUTE_NORMAL);
}

bool CVTEngine::PathExists(const std::string& path)
{
    if (!PathMayExist(path))
        return false;
    char full[MAX_PATH] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH)
        return false;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(full, &found));
    return search.valid();
}

unsigned long CVTEngine::DeleteNtService(const std::string& serviceName)
{
    ServiceHandle manager(OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return GetLastError();
    ServiceHandle service(OpenServiceA(manager, serviceName.c_str(), DELETE));
    if (!service)
        return GetLastError();
    // Neither stopped nor queried: a running service stays until it stops or the machine
    // restarts, and the system removes it then.
    return DeleteService(service) ? 0 : GetLastError();
}

void CVTEngine::RunThirdParty(const std::string& languageFile, std::string& run3rdTarget,
                              const std::string& run3rdCommand)
{
    if (IsWebTarget(run3rdTarget)) {
        ShellExecuteA(nullptr, nullptr, run3rdTarget.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
        return;
    }
    std::string candidate = ThirdPartyCandidatePath(languageFile, run3rdTarget);
    if (!PathExists(candidate))
        return;
    // From here on the target is the full path; a second "RUN3RDCMD" joins it to the installer
    // folder again, which names nothing, so it runs nothing.
    run3rdTarget = std::move(candidate);
    if (IsLibraryPath(run3rdTarget))
        CallLibraryEntry(run3rdTarget, run3rdCommand);
    else
        StartProgram(run3rdTarget, run3rdCommand);
}

void CVTEngine::CallLibraryEntry(const std::string& run3rdTarget, const std::string& run3rdCommand)
{
    // The entry gets the path in a 256-byte buffer; a longer path cannot be handed over whole,
    // and a cut one would name another file, so such a library is not loaded at all.
    if (run3rdTarget.size() > kMaxCommandChars)
        return;
    Library library(LoadRemovalLibrary(run3rdTarget));
    if (!library)
        return;
    const auto entry = GetProc<LibraryEntry>(library, run3rdCommand.c_str());
    if (entry == nullptr)
        return;
    std::vector<char> path = ZeroFilledBuffer(run3rdTarget, kMaxCommandChars + 1);
    entry(path.data());
}

void CVTEngine::StartProgram(const std::string& programPath, const std::string& commandLine)
{
    // A program path longer than its 256-byte buffer is not cut (that would start another
    // file); the command line is cut at 255 characters as its buffer always did.
    if (programPath.size() > kMaxCommandChars)
        return;
    std::vector<char> program = ZeroFilledBuffer(programPath, kMaxCommandChars + 1);
    std::vector<char> command = ZeroFilledBuffer(commandLine, kMaxCommandChars + 1);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // The program receives exactly the command-line text, without its own name in front; an
    // empty text passes no command line at all. Not waited for.
    if (!CreateProcessA(program.data(), commandLine.empty() ? nullptr : command.data(), nullptr, nullptr,
                        TRUE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &started))
        return;
    // Nothing uses the handles of the started program; they are closed at once.
    const Handle thread(started.hThread);
    const Handle process(started.hProcess);
}

void CVTEngine::AddDirectory(std::vector<std::string>& directories, const std::string& path)
{
    if (directories.size() < kMaxListedDirectories)
        directories.push_back(path);
}

void CVTEngine::RemoveListedDirectories(const std::vector<std::string>& directories)
{
    // In the order of the "DIR" lines and never retried: a parent listed before its child is
    // still not empty when its turn comes.
    for (const std::string& listed : directories)
        RemoveListedDirectory(listed);
}

EntryResult CVTEngine::RemoveListedDirectory(const std::string& listed)
{
    const std::string folder = DropTrailingBackslash(listed);
    if (!PathExists(folder))
        return EntryResult::NotThere;
    return RemoveDirectoryA(folder.c_str()) ? EntryResult::Removed : EntryResult::Kept;
}

EntryResult CVTEngine::RemoveInstallFolder(bool removeAll, const std::string& installationPath, int runMode)
{
    if (!removeAll)
        return EntryResult::NotThere;
    const std::string folder = DropTrailingBackslash(installationPath);
    // Judged before the existence test: an installation path that names no single folder (empty,
    // a wildcard) or a protected one is traced as refused even when nothing of that name exists.
    if (!MayDeleteTree(folder))
        return EntryResult::Refused;
    if (!PathExists(folder))
        return EntryResult::NotThere;
    const TreeDeleteOutcome deleted = DeleteTree(folder, runMode);
    if (deleted == TreeDeleteOutcome::Refused)
        return EntryResult::Refused;
    // The shell may report success and still leave what a program holds.
    return deleted == TreeDeleteOutcome::Deleted && !PathExists(folder) ? EntryResult::Removed : EntryResult::Failed;
}

TreeDeleteOutcome CVTEngine::DeleteTree(const std::string& path, int runMode)
{
    const std::string sourceList = TreeDeleteSourceList(path);
    // The one place that deletes a tree, so the guard is asked here whoever the caller is. It
    // judges the very text the shell would get (the path as cut to its buffer), in its long form
    // and as the folder it resolves to, against this machine's protected folders.
    const std::string folder = sourceList.c_str();
    if (!MayDeleteTree(folder))
        return TreeDeleteOutcome::Refused;
    LeaveFolder(folder);

    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE; // no FOF_ALLOWUNDO: nothing goes to the recycle bin
    operation.pFrom = sourceList.c_str();
    operation.pTo = nullptr;
    operation.fFlags = static_cast<FILEOP_FLAGS>(TreeDeleteFlags(runMode));
    operation.lpszProgressTitle = nullptr;
    return SHFileOperationA(&operation) == 0 ? TreeDeleteOutcome::Deleted : TreeDeleteOutcome::ShellFailed;
}

void CVTEngine::LeaveFolder(const std::string& target)
{
    // Each step moves to a strictly shorter folder, so the walk ends; a folder the process
    // cannot enter ends it too.
    std::string current;
    while (CurrentFolder(current)) {
        const auto next = NextFolderOutOf(current, target);
        if (!next || !SetCurrentDirectoryA(next->c_str()))
            return;
    }
}
