#include "finisher/run_time_errors.h"

#include <new>

#include "common/error_report.h"

ErrorInfo DescribeError(const std::exception& error)
{
    if (const auto* raised = dynamic_cast<const RunTimeError*>(&error))
        return {raised->Number(), raised->Description()};
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return {kErrorOutOfMemory, "Out of memory"};
    const std::string text = error.what();
    return {5, text.empty() ? std::string("Invalid procedure call or argument") : text};
}
