#pragma once

#include <windows.h>

// Blocks until `handle` is signalled while dispatching the calling thread's window messages,
// so that messages another thread sends to this thread's windows are handled during the wait
// (a worker reporting progress to the window would otherwise deadlock against the waiter).
// Returns true when the handle is signalled, false when the wait itself fails.
// A quit message fetched during the wait is discarded: it must not end a removal half-way.
bool WaitWithMessagePump(HANDLE handle);

// Dispatches the calling thread's messages for the given time (windows paint, sent messages are
// answered), then returns.
void PumpMessagesFor(DWORD milliseconds);
