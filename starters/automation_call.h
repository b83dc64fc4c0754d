#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "common/com_ptr.h"

// Creation of an automation object by programmatic identifier and a late-bound call of one of
// its methods. Failures throw RunTimeError with the number and description the user is shown
// (starters/automation_error.h).

// COM for the calling thread, in a single-threaded apartment, for the lifetime of the object.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_ = false;
};

// An object of the class registered under progId on this machine, through its dispatch
// interface.
ComPtr<IDispatch> CreateAutomationObject(const std::string& progId);

// Resolves the method by name and calls it without arguments; a result is discarded.
void CallMethod(IDispatch& object, const std::string& name);

// The system's message text for an HRESULT as the system gives it (line break included), empty
// when it has none.
std::string SystemMessageText(long hresult);
