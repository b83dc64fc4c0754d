#pragma once

#include <exception>

// Runs one statement of a stretch where errors are ignored: a statement that fails is skipped
// and the next one runs.
template <class Statement>
void IgnoreErrors(Statement&& statement)
{
    try {
        statement();
    } catch (const std::exception&) {
    }
}
