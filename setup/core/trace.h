#pragma once

#include <windows.h>

// One-way step trace to an outside viewer: the top-level window of class "OrvaneEvent" gets
// each line as WM_COPYDATA. Without a viewer a trace costs one window lookup. Safe to call from
// any thread; keeps no state between calls apart from the sender window below.
void Trace(const char* stepText);

// The window named as sender in every trace message (the main frame); 0 until it exists.
void SetTraceSender(HWND sender);

constexpr const char* kTraceViewerClass = "OrvaneEvent";
// A viewer that stops answering must not hold the removal: the send gives up after this long.
constexpr UINT kTraceSendTimeoutMs = 3000;
