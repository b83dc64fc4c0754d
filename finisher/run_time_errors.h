#pragma once

#include <exception>
#include <string>

// The number and description a procedure's error handler reports for an exception: a
// RunTimeError as raised, running out of memory as error 7, anything else as an invalid
// procedure call (error 5) described by the exception's own text.
struct ErrorInfo {
    long number;
    std::string description;
};

ErrorInfo DescribeError(const std::exception& error);
