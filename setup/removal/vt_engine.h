#pragma once

#include <string>
#include <vector>

#include "setup/removal/removal_progress.h"
#include "setup/removal/removal_tally.h"
#include "setup/core/product_context.h"

// What a tree delete came to. Refused means the shell was never asked.
enum class TreeDeleteOutcome { Refused, ShellFailed, Deleted };

// The removal engine: reads the uninstall log once, carries out each entry as it is read, then
// runs the closing steps. One engine per removal, not reused.
class CVTEngine {
public:
    // The engine works from its own copy of the product context, taken here on the
    // user-interface thread: a page's folder choice may replace the installation path there
    // while the worker reads it.
    explicit CVTEngine(const ProductContext& context);

    // Receiver of range, position and status; none (nullptr) for a windowless run. Progress is
    // also skipped whenever the context's windowless flag is on.
    void SetProgress(RemovalProgress* progress) { window_ = progress; }
    // Receiver of one line per entry carried out; none (nullptr) when no log file is written.
    void SetJournal(RemovalJournal* journal) { journal_ = journal; }

    // Runs the whole removal on a worker thread and waits for it while dispatching this
    // thread's messages. Returns 1 once the worker has ended; 0 at once, with nothing removed,
    // when the worker cannot be started.
    int StartCopyNow();
    // Why the worker could not be started, when StartCopyNow returned 0.
    unsigned long StartError() const { return startError_; }
    // The worker's procedure: the whole removal, then its trace. Returns 1.
    static int StartCopyNowTH(CVTEngine* engine);

    // The whole removal on the calling thread. Always returns 0. A log that exists but cannot
    // be read (after retries: a scanner lets go quickly) removes nothing and runs no closing
    // step, so the uninstall key stays and the product can be removed later; LogRead() then
    // says false and LogError() why.
    int RunUninstallLog();
    // One line as read from the log (line feed still present).
    void ProcessLogLine(const std::string& line);

    // Progress to the receiver; nothing for a windowless run.
    void ReportRange(int total);
    void ReportPosition(int position);
    void ReportStatus(const std::string& text);

    // The removal operations. Each takes the engine state it reads or writes, so that it can
    // be run on its own. None reports failure; PathExists answers its question.
    static void ClearReadOnly(const std::string& path);
    static bool PathExists(const std::string& path);
    // 0 when the service is marked for deletion, else the system's error number.
    static unsigned long DeleteNtService(const std::string& serviceName);
    // Runs the stored target: a web page through the shell, a library entry, or a program
    // from the installer folder (the folder of the language file). A target found there is
    // replaced by its full path.
    static void RunThirdParty(const std::string& languageFile, std::string& run3rdTarget,
                              const std::string& run3rdCommand);
    static void CallLibraryEntry(const std::string& run3rdTarget, const std::string& run3rdCommand);
    static void StartProgram(const std::string& programPath, const std::string& commandLine);
    static void AddDirectory(std::vector<std::string>& directories, const std::string& path);
    static void RemoveListedDirectories(const std::vector<std::string>& directories);
    // One listed folder: removed when it exists and is empty, Kept when it holds something.
    static EntryResult RemoveListedDirectory(const std::string& listed);
    static EntryResult RemoveInstallFolder(bool removeAll, const std::string& installationPath, int runMode);
    static TreeDeleteOutcome DeleteTree(const std::string& path, int runMode);
    static void LeaveFolder(const std::string& target);

    // The state a run leaves behind, for whoever wants to look.
    const std::string& run3rdTarget() const { return run3rdTarget_; }
    const std::string& run3rdCommand() const { return run3rdCommand_; }
    bool removeAll() const { return removeAll_; }
    const std::vector<std::string>& directories() const { return directories_; }
    int totalFiles() const { return totalFiles_; }
    int filesDone() const { return filesDone_; }
    // How the run went: whether the log was read to its end (or the system's reason why not),
    // the entries by result, the names queued for restart in the order they were queued.
    bool LogRead() const { return logRead_; }
    unsigned long LogError() const { return logError_; }
    const RemovalTally& Tally() const { return tally_; }
    const std::vector<std::string>& QueuedForRestart() const { return queued_; }

private:
    bool ShowsProgress() const;
    // Counts an entry's result, writes its journal line, and traces what waits for the restart
    // or is left behind.
    // `listQueued` false: the caller has listed the queued name itself.
    void Record(const char* key, EntryResult result, const std::string& path, const std::string& detail,
                unsigned long error, bool listQueued = true);
    void RemoveFile(const char* key, const std::string& path);
    void CloseListedDirectories();
    void CloseInstallFolder();
    // What stays of the installation folder after its tree delete (files in use): its files
    // removed or queued, then its folders queued, deepest first.
    void QueueTreeRemainder(const std::string& folder);

    const ProductContext context_;
    RemovalProgress* window_ = nullptr;
    RemovalJournal* journal_ = nullptr;
    unsigned long startError_ = 0;
    bool logRead_ = false;
    unsigned long logError_ = 0;
    RemovalTally tally_;
    std::vector<std::string> queued_;

    std::string run3rdTarget_;
    std::string run3rdCommand_;
    bool removeAll_ = false;
    std::vector<std::string> directories_; // at most 999, in the order of the "DIR" lines
    int totalFiles_ = 0;
    int filesDone_ = 0;
};
