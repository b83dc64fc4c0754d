#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"

// A file held by another process (tests/fixtures/hold_file.exe, beside the test program) as a
// running program or a scanner holds it: "share-read", "exclusive" or "image". The holder is
// ended when the object goes.
class HeldFile {
public:
    HeldFile(const std::string& path, const std::string& how);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // Whether the holder has the file (it says so within ten seconds).
    bool Held() const { return held_; }
    void Release();

private:
    Handle process_;
    bool held_ = false;
};

// The system's pending-rename list (what the next restart carries out), as its source names
// without the "\??\" prefix. A test that queues saves the list first and puts it back after.
std::vector<std::string> PendingRestartDeletes();
class PendingRenamesSaved {
public:
    PendingRenamesSaved();
    ~PendingRenamesSaved();
    PendingRenamesSaved(const PendingRenamesSaved&) = delete;
    PendingRenamesSaved& operator=(const PendingRenamesSaved&) = delete;

private:
    bool existed_ = false;
    std::string data_;
};
