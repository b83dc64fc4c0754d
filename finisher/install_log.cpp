#include "finisher/install_log.h"

#include <windows.h>

#include <utility>

namespace {

LogObserver& Observer()
{
    static LogObserver observer;
    return observer;
}

} // namespace

void WriteLogEntry(const std::string& logFile, const LogEntry& entry)
{
    if (Observer())
        Observer()(logFile, entry);
    WritePrivateProfileStringA(entry.section.c_str(), entry.key.c_str(), entry.value.c_str(),
                               logFile.c_str());
}

LogObserver SetLogObserver(LogObserver observer)
{
    return std::exchange(Observer(), std::move(observer));
}
