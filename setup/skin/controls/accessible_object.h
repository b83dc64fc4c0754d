#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The IAccessible interface id, written out here: the one in MinGW-w64's uuid library is not
// the system's, and every request made with it is refused.
extern const IID kIidAccessible;

// What a control says to assistive technology where the system's standard object would say
// something else: a role (0 keeps the standard one) and a name (no function keeps the standard
// one, which is the window text; an empty answer is "no name").
struct AccessibleOverride {
    long role = 0;
    std::function<std::string()> name;
};

// The answer to WM_GETOBJECT for `control`'s client object: the system's standard object with
// the override laid over it. 0 (the caller then gives the default handling) for any other
// object, or when the accessibility library cannot be had. The library is loaded from the
// system folder on the first request, so that a run nobody reads pays nothing for it.
LRESULT AnswerAccessibleObject(HWND control, WPARAM flags, LPARAM objectId,
                               const AccessibleOverride& override);

// Tells assistive technology that `control`'s accessible name changed, where the system does
// not (a name taken from another control's text).
void AnnounceNameChange(HWND control);
