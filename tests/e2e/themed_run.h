#pragma once

// Runs of setup.exe with a removal window: the sample product's theme and language file staged
// for a test product, and the window and its controls found and read from the test.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "common/message_pump.h"
#include "tests/e2e/e2e_helpers.h"

// Ids of the sample removal page's controls: ids go from 3000 in creation order, and the page
// is created from its last line to its first.
constexpr int kSampleCancel = 3002;
constexpr int kSampleStatus1 = 3004;
constexpr int kSampleProgress = 3005;
constexpr int kSampleInfo = 3006;

// The sample's texts for a product called `name`.
inline std::string SampleQuestion(const std::string& name)
{
    return "This will remove " + name + " from your system, do you want to continue?";
}
inline const char* const kSampleFinalStatus = "Scrivex has been removed.";
inline const char* const kSampleCloseCaption = "Close";

// Polls the condition, dispatching this thread's messages, until it holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = kRunTimeoutMs)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        PumpMessagesFor(20);
    }
    return true;
}

// The sample theme (its picture moved into this product's installation folder) and language
// file, copied beside the tests at build time, staged for the product. False when a file is
// missing.
bool StageSampleTheme(const StagedProduct& product);

// A log of the sample picture and `count` installed files in a few folders of the installation
// folder, all listed: TOTALFILE is count + 1.
std::string ManyFilesLog(const StagedProduct& product, int count);

// The visible removal window of the run (a top-level window of the process with control 3000),
// none when none shows within the time.
HWND WaitForThemedWindow(const SetupProcess& run, DWORD milliseconds = kRunTimeoutMs);

// Control `id` of the page, and its text.
inline HWND Control(HWND page, int id) { return GetDlgItem(page, id); }
inline std::string ControlText(HWND page, int id) { return WindowText(GetDlgItem(page, id)); }
inline int ProgressPosition(HWND page) { return static_cast<int>(SendMessageA(Control(page, kSampleProgress), PBM_GETPOS, 0, 0)); }
inline int ProgressUpper(HWND page)
{
    return static_cast<int>(SendMessageA(Control(page, kSampleProgress), PBM_GETRANGE, FALSE, 0));
}

// Whether the sample page shows its finish state: the close button enabled, and the finish text
// (set last) in its status line.
inline bool ShowsFinishPage(HWND page)
{
    return IsWindowEnabled(Control(page, kSampleCancel)) != FALSE && !ControlText(page, kSampleStatus1).empty();
}
