#include "setup/removal/vt_engine.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "common/handles.h"

#include "setup/removal/registro.h"
#include "setup/removal/removal_logic.h"
#include "setup/removal/restart_queue.h"
#include "setup/core/trace.h"
#include "setup/removal/uninstall_log.h"
#include "setup/core/language_file.h"

namespace {

// The first status of every run is fixed (kRemovingFilesText); the last one comes from the
// language file.
constexpr const char* kProgressSection = "SetupProgress";
constexpr const char* kFinalStatusKey = "10";

// A large stdio buffer: a log of tens of thousands of lines is then read in a few calls.
constexpr std::size_t kLogReadBuffer = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using LogFile = std::unique_ptr<std::FILE, FileCloser>;

// A log that a scanner or backup agent holds open without sharing is let go within moments:
// the open is tried again for this long before the removal gives up.
constexpr DWORD kLogRetryMs = 3000;
constexpr DWORD kLogRetryStepMs = 100;

bool IsPassingHold(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// The uninstall log, read in text mode (CR LF reads as one line feed). Its handle is not
// inheritable: a removal-time program started while the log is read would otherwise hold it
// open for its whole life and keep the product's Installer folder from being removed. The C
// runtime's fopen makes inheritable handles, so the file is opened by the system and handed
// to the runtime. Sharing as fopen shares. On failure `error` holds the system's reason.
LogFile OpenUninstallLog(const std::string& path, DWORD& error)
{
    const ULONGLONG giveUpAt = GetTickCount64() + kLogRetryMs;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (;;) {
        handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            break;
        error = GetLastError();
        if (!IsPassingHold(error) || GetTickCount64() >= giveUpAt)
            return LogFile();
        Sleep(kLogRetryStepMs);
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_TEXT);
    if (descriptor == -1) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        CloseHandle(handle);
        return LogFile();
    }
    std::FILE* file = _fdopen(descriptor, "rt");
    if (file == nullptr) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        _close(descriptor); // closes the handle too
    }
    return LogFile(file);
}

} // namespace

CVTEngine::CVTEngine(const ProductContext& context) : context_(context) {}

bool CVTEngine::ShowsProgress() const
{
    return window_ != nullptr && context_.windowless != kFlagOn;
}

void CVTEngine::ReportRange(int total)
{
    if (ShowsProgress())
        window_->SetProgressRange(ScaledProgressRange(total));
}

void CVTEngine::ReportPosition(int position)
{
    if (ShowsProgress())
        window_->SetProgressPosition(ScaledProgressPosition(position, totalFiles_));
}

void CVTEngine::ReportStatus(const std::string& text)
{
    if (ShowsProgress())
        window_->SetStatusText(text);
}

int CVTEngine::RunUninstallLog()
{
    filesDone_ = 0;
    directories_.clear();
    ReportStatus(kRemovingFilesText);

    DWORD error = 0;
    LogFile log = OpenUninstallLog(context_.uninstallLogPath, error);
    if (!log) {
        // Nothing listed can be known, so nothing may go: the closing steps would delete the
        // uninstall key and leave every file of the product behind for good.
        logRead_ = false;
        logError_ = error;
        return 0;
    }
    std::setvbuf(log.get(), nullptr, _IOFBF, kLogReadBuffer);
    std::string line;
    while (ReadLogLine(log.get(), line))
        ProcessLogLine(line);
    log.reset();
    logRead_ = true;

    // Closing steps, each whatever became of the one before. Listed folders go before the
    // installation folder so that a folder list and "REMOVEALL" work together; folders that
    // stay for files in use are queued after those files.
    CloseListedDirectories();
    CloseInstallFolder();
    DeleteUninstallKey(context_.uninstallKeyPath);
    ReportStatus(ReadLanguageText(context_.languageFile, kProgressSection, kFinalStatusKey));
    ReportPosition(totalFiles_);
    return 0;
}

void CVTEngine::Record(const char* key, EntryResult result, const std::string& path, const std::string& detail,
                       unsigned long error, bool listQueued)
{
    tally_.Add(result);
    if (result == EntryResult::Queued) {
        const std::string& waiting = detail.empty() ? path : detail;
        if (listQueued)
            queued_.push_back(waiting);
        Trace(("Queued for restart " + waiting).c_str());
    } else if (result == EntryResult::Failed) {
        Trace(("Left behind " + path + " (error " + std::to_string(error) + ")").c_str());
    }
    if (journal_ != nullptr)
        journal_->WriteEntry(FormatEntryLine(key, result, path,
                                             result == EntryResult::Failed ? SystemErrorText(error) : detail, error));
}

void CVTEngine::RemoveFile(const char* key, const std::string& path)
{
    const FileRemoval removal = RemoveFileOrQueue(path);
    // Counting is all a plain removal costs per file without a log file.
    if (removal.result == EntryResult::Removed && journal_ == nullptr) {
        ++tally_.removed;
        return;
    }
    Record(key, removal.result, path, removal.queuedAs, removal.error);
}

void CVTEngine::CloseListedDirectories()
{
    std::vector<std::string> staying;
    std::vector<EntryResult> results;
    for (const std::string& listed : directories_) {
        results.push_back(RemoveListedDirectory(listed));
        if (results.back() == EntryResult::Kept)
            staying.push_back(DropTrailingBackslash(listed));
    }
    // Queued deepest first, each after the files it holds; reported in the order of the lines.
    const std::vector<std::string> toQueue = FoldersToQueue(staying, queued_);
    std::vector<unsigned long> queueErrors;
    for (const std::string& folder : toQueue) {
        queueErrors.push_back(QueueFolderForRestart(folder));
        if (queueErrors.back() == 0)
            queued_.push_back(folder);
    }
    for (std::size_t i = 0; i < directories_.size(); ++i) {
        const std::string folder = DropTrailingBackslash(directories_[i]);
        EntryResult result = results[i];
        unsigned long error = 0;
        for (std::size_t q = 0; q < toQueue.size(); ++q) {
            if (toQueue[q] == folder) {
                error = queueErrors[q];
                result = error == 0 ? EntryResult::Queued : EntryResult::Failed;
            }
        }
        Record("DIR", result, folder, std::string(), error, false);
    }
}

void CVTEngine::CloseInstallFolder()
{
    if (!removeAll_)
        return;
    const std::string folder = DropTrailingBackslash(context_.installationPath);
    const EntryResult result = RemoveInstallFolder(removeAll_, context_.installationPath, context_.runMode);
    if (result != EntryResult::Failed || !PathExists(folder)) {
        Record("REMOVEALL", result, folder, std::string(), 0);
        return;
    }
    // The shell leaves the files that programs hold, and their folders: those go at the
    // restart. The walk writes a line for each of them.
    QueueTreeRemainder(folder);
}

void CVTEngine::QueueTreeRemainder(const std::string& folder)
{
    bool queuedBelow = false;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search.valid()) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            // The guard let this tree go only because nothing below it is a link: never follow one.
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                continue;
            const std::size_t before = queued_.size();
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                QueueTreeRemainder(path);
            } else {
                const FileRemoval removal = RemoveFileOrQueue(path);
                Record("REMOVEALL", removal.result, path, removal.queuedAs, removal.error);
            }
            queuedBelow = queuedBelow || queued_.size() > before;
        } while (FindNextFileA(search, &found));
    }
    search.reset();
    if (RemoveDirectoryA(folder.c_str())) {
        Record("REMOVEALL", EntryResult::Removed, folder, std::string(), 0);
        return;
    }
    const unsigned long error = queuedBelow ? QueueFolderForRestart(folder) : GetLastError();
    Record("REMOVEALL", error == 0 ? EntryResult::Queued : EntryResult::Failed, folder, std::string(), error);
}

void CVTEngine::ProcessLogLine(const std::string& line)
{
    const LogEntry entry = SplitLogLine(line);
    switch (ClassifyLogKey(entry.key)) {
    case LogKey::TotalFile:
        filesDone_ = 0;
        totalFiles_ = ParseLogNumber(entry.value);
        ReportRange(totalFiles_);
        break;
    case LogKey::File:
    case LogKey::Shortcut:
        RemoveFile(entry.key == "FILE" ? "FILE" : "SHORTCUT", entry.value);
        ReportPosition(filesDone_);
        if (filesDone_ < INT_MAX)
            ++filesDone_;
        break;
    case LogKey::Dir:
        AddDirectory(directories_, entry.value);
        break;
    case LogKey::NtService: {
        const unsigned long error = DeleteNtService(entry.value);
        Record("NTSERVICE", error == 0 ? EntryResult::Removed
                            : error == ERROR_SERVICE_DOES_NOT_EXIST ? EntryResult::NotThere
                                                                     : EntryResult::Failed,
               entry.value, std::string(), error);
        break;
    }
    case LogKey::Run3rd:
        run3rdTarget_ = entry.value;
        break;
    case LogKey::Run3rdCmd:
        run3rdCommand_ = entry.value;
        RunThirdParty(context_.languageFile, run3rdTarget_, run3rdCommand_);
        break;
    case LogKey::RemoveAll:
        removeAll_ = true;
        break;
    case LogKey::RegVal: {
        const long status = DeleteRegistryValue(entry.value);
        Record("REGVAL", status == ERROR_SUCCESS ? EntryResult::Removed
                         : status == ERROR_FILE_NOT_FOUND ? EntryResult::NotThere
                                                          : EntryResult::Failed,
               entry.value, std::string(), static_cast<unsigned long>(status));
        break;
    }
    case LogKey::Unknown:
        break;
    }
}
