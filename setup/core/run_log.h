#pragma once

#include <windows.h>

#include <mutex>
#include <string>

#include "common/handles.h"

// The log file a deployment asks for with "/LOG": every trace line, a line per log entry carried
// out, and the run's summary, each stamped with the local date and time. The file is opened for
// appending, so several runs can share it, and every line goes to the system as it is written,
// so a run that is killed leaves what it had done. Any thread may write.
class RunLog {
public:
    // Opens the file, creating missing folders on its path; 0, or the system's reason why not.
    unsigned long Open(const std::string& path);
    bool IsOpen() const { return file_.valid(); }
    // For a process that runs more than one removal (the tests): no more lines from here on.
    void Close()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        file_.reset();
    }

    // The file is opened at start-up, before any other thread exists, and never closed before
    // the process ends: whether it is open can be read without the lock.
    void WriteTrace(const std::string& traceLine)
    {
        if (IsOpen())
            WriteLine("TRACE " + traceLine);
    }
    void WriteEntry(const std::string& line) { WriteLine("ENTRY " + line); }
    // Any other line, stamped; nothing when no file is open.
    void WriteLine(const std::string& text);

private:
    std::mutex mutex_;
    FileHandle file_;
};

// The process's one log file, closed until start-up opens it.
RunLog& TheRunLog();
