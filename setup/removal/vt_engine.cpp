#include "setup/removal/vt_engine.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "setup/removal/registro.h"
#include "setup/removal/removal_logic.h"
#include "setup/removal/uninstall_log.h"
#include "setup/skin/language_file.h"

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

// The uninstall log, read in text mode (CR LF reads as one line feed). Its handle is not
// inheritable: a removal-time program started while the log is read would otherwise hold it
// open for its whole life and keep the product's Installer folder from being removed. The C
// runtime's fopen makes inheritable handles, so the file is opened by the system and handed
// to the runtime. Sharing as fopen shares.
LogFile OpenUninstallLog(const std::string& path)
{
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return LogFile();
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_TEXT);
    if (descriptor == -1) {
        CloseHandle(handle);
        return LogFile();
    }
    std::FILE* file = _fdopen(descriptor, "rt");
    if (file == nullptr)
        _close(descriptor); // closes the handle too
    return LogFile(file);
}

// A read-only file is reset to a plain one and then deleted; the result does not matter (a
// missing file is as good as a deleted one). This is the hot path of a removal, so the delete
// is tried first: only a delete that fails on an existing file costs the attribute read, the
// reset of a read-only file and a second try. Every file ends as a reset-then-delete would
// leave it.
void DeleteListedFile(const std::string& path)
{
    if (DeleteFileA(path.c_str()))
        return;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return;
    CVTEngine::ClearReadOnly(path);
    DeleteFileA(path.c_str());
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

    LogFile log = OpenUninstallLog(context_.uninstallLogPath);
    if (log) {
        std::setvbuf(log.get(), nullptr, _IOFBF, kLogReadBuffer);
        std::string line;
        while (ReadLogLine(log.get(), line))
            ProcessLogLine(line);
        log.reset();
    }

    // Closing steps, each whatever became of the one before. Listed folders go before the
    // installation folder so that a folder list and "REMOVEALL" work together.
    RemoveListedDirectories(directories_);
    RemoveInstallFolder(removeAll_, context_.installationPath, context_.runMode);
    DeleteUninstallKey(context_.uninstallKeyPath);
    ReportStatus(ReadLanguageText(context_.languageFile, kProgressSection, kFinalStatusKey));
    ReportPosition(totalFiles_);
    return 0;
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
        DeleteListedFile(entry.value);
        ReportPosition(filesDone_);
        if (filesDone_ < INT_MAX)
            ++filesDone_;
        break;
    case LogKey::Dir:
        AddDirectory(directories_, entry.value);
        break;
    case LogKey::NtService:
        DeleteNtService(entry.value);
        break;
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
    case LogKey::RegVal:
        DeleteRegistryValue(entry.value);
        break;
    case LogKey::Unknown:
        break;
    }
}
