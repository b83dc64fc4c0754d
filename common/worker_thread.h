#pragma once

#include <windows.h>

#include "common/handles.h"

// A thread started at once with normal priority and the default stack. The object keeps the
// thread handle open for as long as it lives, so a waiter can never be left waiting on a
// handle that was closed underneath it when the thread ended.
class WorkerThread {
public:
    using Procedure = DWORD(WINAPI*)(void* parameter);

    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // False when the thread could not be created.
    bool Start(Procedure procedure, void* parameter);
    HANDLE handle() const { return thread_.get(); }

private:
    Handle thread_;
};
