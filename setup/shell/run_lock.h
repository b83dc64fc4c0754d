#pragma once

#include <windows.h>

#include <string>

#include "common/handles.h"

// One removal of a product at a time, machine-wide: a named mutex in the global namespace, so
// that a removal run as SYSTEM by a deployment tool and one started at a user's desktop see
// each other. The lock goes with its owner's end, even an abnormal one.
class RunLock {
public:
    // Tries to take the lock of the product at once; Held() tells whether it did.
    explicit RunLock(const std::string& productCode);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    bool Held() const { return held_; }

private:
    Handle mutex_;
    bool held_ = false;
};

// Marks `frame` as the main frame of the removal of the product, for BringRunToFront.
void MarkRunWindow(HWND frame, const std::string& productCode);
void UnmarkRunWindow(HWND frame, const std::string& productCode);

// Brings the window of the running removal of the product to the front: its removal page or
// its message box. False when no such window is found.
bool BringRunToFront(const std::string& productCode);
