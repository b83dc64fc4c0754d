#pragma once

#include <windows.h>

#include "common/window.h"

// A top-level frame whose menu and icon come from one resource id, as a framework frame loaded
// from a resource. Destroying the application's main frame ends the message loop.
class FrameWindow : public Window {
public:
    // Creates the window without showing it. False when it could not be created or a creation
    // handler refused.
    bool Create(UINT resourceId, DWORD style, const char* title);

protected:
    void OnDestroy() override;
};
