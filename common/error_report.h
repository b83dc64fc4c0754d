#pragma once

#include <stdexcept>
#include <string>

// The small programs end a failing procedure in one handler that reports the error by number
// and description, in the words their users have always seen. Code that fails in a way such a
// handler should report throws RunTimeError.

class RunTimeError : public std::runtime_error {
public:
    RunTimeError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    long Number() const { return number_; }
    std::string Description() const { return what(); }

private:
    long number_;
};

// Numbers and descriptions of the errors the small programs raise themselves.
constexpr long kErrorInvalidProcedureCall = 5;
constexpr long kErrorOutOfMemory = 7;
constexpr long kErrorBadFileName = 52;
constexpr long kErrorFileNotFound = 53;
constexpr long kErrorCannotCreateObject = 429;
constexpr long kErrorNoSuchMethod = 438;

// "Error " + number + " (" + description + ") en procedimiento " + procedure + " de Módulo " +
// module, with the "ó" as the single ANSI (Windows-1252) byte 0xF3: the text goes to the ANSI
// message box and INI functions as it stands.
std::string ErrorReportText(long number, const std::string& description,
                            const std::string& procedure, const std::string& module);
