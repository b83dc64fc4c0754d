#pragma once

#include <functional>
#include <string>

#include "common/error_report.h"

// How a failed automation call reaches the user of loterun: as the error number and description
// that users of such programs have always been shown, not as a raw HRESULT where a familiar
// number exists. HRESULTs are carried as long (32 significant bits, sign included), so that this
// decision builds and is tested without <windows.h>.

// Where the failure arose: the step decides part of the meaning (any failure to create the
// object is "can't create object", whatever the system said).
enum class AutomationStep {
    CreateObject, // programmatic identifier to class, instance, dispatch interface
    FindMethod,   // name to dispatch id
    CallMethod,   // the call itself
};

// What the object reported with DISP_E_EXCEPTION (its EXCEPINFO), description already in the
// ANSI code page.
struct AutomationException {
    unsigned short code = 0; // wCode: an error number of the object's own, 0 when none
    long scode = 0;          // the HRESULT form, used when code is 0
    std::string description;
};

// The system's message text for an HRESULT, empty when it has none.
using SystemMessageLookup = std::function<std::string(long hresult)>;

// The HRESULT in its signed 32-bit form, whether it arrived sign-extended or not (long is 64
// bits on some platforms).
long NormalHResult(long value);

// The error to report for a failed step. exception is only looked at for DISP_E_EXCEPTION.
RunTimeError AutomationError(AutomationStep step, long hresult, const AutomationException* exception,
                             const SystemMessageLookup& systemMessage);

// A system message without the line break the system ends it with.
std::string TrimLineEnd(std::string text);

// HRESULT values this mapping knows, in their signed form.
constexpr long HResultFromBits(unsigned long bits)
{
    return (bits & 0xFFFFFFFFul) >= 0x80000000ul
               ? -static_cast<long>(0xFFFFFFFFul - (bits & 0xFFFFFFFFul)) - 1
               : static_cast<long>(bits & 0xFFFFFFFFul);
}
constexpr long kDispExceptionHResult = HResultFromBits(0x80020009ul); // DISP_E_EXCEPTION
