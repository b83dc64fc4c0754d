#include "common/error_report.h"

std::string ErrorReportText(long number, const std::string& description,
                            const std::string& procedure, const std::string& module)
{
    return "Error " + std::to_string(number) + " (" + description + ") en procedimiento " +
           procedure + " de M\xF3" "dulo " + module;
}
