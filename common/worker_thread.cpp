#include "common/worker_thread.h"

bool WorkerThread::Start(Procedure procedure, void* parameter)
{
    DWORD id = 0;
    thread_.reset(CreateThread(nullptr, 0, procedure, parameter, 0, &id));
    return thread_.valid();
}
