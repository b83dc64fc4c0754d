#pragma once

#include <string>

#include "setup/core/removal_status_text.h"

// What the removal engine tells whoever shows the removal: the removal window implements it by
// sending messages to its progress bar and status line; a windowless run passes none; tests
// pass a recorder. Called on the worker thread.
class RemovalProgress {
public:
    virtual ~RemovalProgress() = default;
    virtual void SetProgressRange(int upper) = 0;  // range 0..upper
    virtual void SetProgressPosition(int position) = 0;
    // The raw text; the receiver applies the text variables before showing it.
    virtual void SetStatusText(const std::string& text) = 0;
};

// Where the engine writes one line per entry carried out (the run's log file); none when no
// log file was asked for. Called on the worker thread.
class RemovalJournal {
public:
    virtual ~RemovalJournal() = default;
    virtual void WriteEntry(const std::string& line) = 0;
};
