#include "starters/automation_error.h"

namespace {

const char* const kCannotCreateObject = "ActiveX component can't create object";
const char* const kNoSuchMethod = "Object doesn't support this property or method";
const char* const kObjectDefinedError = "Application-defined or object-defined error";
const char* const kAutomationError = "Automation error";

// Failures that have a number of their own for the user. Anything else is shown as the HRESULT
// with the system's text for it.
struct KnownFailure {
    long hresult;
    long number;
    const char* description;
};
const KnownFailure kKnownFailures[] = {
    {HResultFromBits(0x80020006ul), kErrorNoSuchMethod, kNoSuchMethod}, // DISP_E_UNKNOWNNAME
    {HResultFromBits(0x80020003ul), kErrorNoSuchMethod, kNoSuchMethod}, // DISP_E_MEMBERNOTFOUND
    {HResultFromBits(0x8002000Eul), 450, "Wrong number of arguments or invalid property assignment"}, // DISP_E_BADPARAMCOUNT
    {HResultFromBits(0x8002000Ful), 449, "Argument not optional"}, // DISP_E_PARAMNOTOPTIONAL
    {HResultFromBits(0x80020005ul), 13, "Type mismatch"},          // DISP_E_TYPEMISMATCH
    {HResultFromBits(0x8002000Aul), 6, "Overflow"},                // DISP_E_OVERFLOW
    {HResultFromBits(0x8007000Eul), kErrorOutOfMemory, "Out of memory"}, // E_OUTOFMEMORY
};

// Creation failures that mean the class cannot be had at all: not registered, its server or
// library missing, broken or not loadable, or no dispatch interface. Other creation failures
// (memory, permissions, an error the component raised while starting) keep their own number.
const unsigned long kCannotCreateFailures[] = {
    0x80040154ul, // REGDB_E_CLASSNOTREG
    0x800401F3ul, // CO_E_CLASSSTRING: no such ProgID
    0x800401F5ul, // CO_E_APPNOTFOUND
    0x800401F8ul, // CO_E_DLLNOTFOUND
    0x800401F9ul, // CO_E_ERRORINDLL
    0x80040111ul, // CLASS_E_CLASSNOTAVAILABLE
    0x80080004ul, // CO_E_BAD_PATH
    0x80080005ul, // CO_E_SERVER_EXEC_FAILURE
    0x8007007Eul, // module not found
    0x8007007Ful, // procedure not found
    0x800700C1ul, // not a valid program image
    0x80004002ul, // E_NOINTERFACE: no dispatch interface
};

bool MeansCannotCreate(long hresult)
{
    for (const unsigned long bits : kCannotCreateFailures) {
        if (HResultFromBits(bits) == hresult)
            return true;
    }
    return false;
}

const KnownFailure* FindKnownByHResult(long hresult)
{
    for (const KnownFailure& known : kKnownFailures) {
        if (known.hresult == hresult)
            return &known;
    }
    return nullptr;
}

const KnownFailure* FindKnownByNumber(long number)
{
    for (const KnownFailure& known : kKnownFailures) {
        if (known.number == number)
            return &known;
    }
    return nullptr;
}

// Errors that an automation object raises with a plain error number travel as HRESULTs of the
// control facility (0x800Annnn); the user knows them by that number.
bool IsControlFacilityError(long hresult)
{
    const unsigned long bits = static_cast<unsigned long>(hresult) & 0xFFFFFFFFul;
    return (bits & 0xFFFF0000ul) == 0x800A0000ul;
}

long ControlFacilityNumber(long hresult)
{
    return static_cast<long>(static_cast<unsigned long>(hresult) & 0xFFFFul);
}

// Number and description for an HRESULT without a description of the object's own.
RunTimeError FromHResult(long hresult, const SystemMessageLookup& systemMessage)
{
    if (const KnownFailure* known = FindKnownByHResult(hresult))
        return RunTimeError(known->number, known->description);
    if (IsControlFacilityError(hresult)) {
        const long number = ControlFacilityNumber(hresult);
        const KnownFailure* known = FindKnownByNumber(number);
        return RunTimeError(number, known != nullptr ? known->description : kObjectDefinedError);
    }
    std::string text = systemMessage ? TrimLineEnd(systemMessage(hresult)) : std::string();
    return RunTimeError(hresult, text.empty() ? kAutomationError : text);
}

RunTimeError FromException(const AutomationException& exception,
                           const SystemMessageLookup& systemMessage)
{
    if (exception.code != 0) {
        const long number = exception.code;
        if (!exception.description.empty())
            return RunTimeError(number, exception.description);
        const KnownFailure* known = FindKnownByNumber(number);
        return RunTimeError(number, known != nullptr ? known->description : kObjectDefinedError);
    }
    // An object that filled in neither still raised an exception.
    const long scode = exception.scode != 0 ? NormalHResult(exception.scode) : kDispExceptionHResult;
    RunTimeError byCode = FromHResult(scode, systemMessage);
    if (exception.description.empty())
        return byCode;
    return RunTimeError(byCode.Number(), exception.description);
}

} // namespace

long NormalHResult(long value)
{
    return HResultFromBits(static_cast<unsigned long>(value));
}

std::string TrimLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

RunTimeError AutomationError(AutomationStep step, long hresult, const AutomationException* exception,
                             const SystemMessageLookup& systemMessage)
{
    const long normal = NormalHResult(hresult);
    if (step == AutomationStep::CreateObject && MeansCannotCreate(normal))
        return RunTimeError(kErrorCannotCreateObject, kCannotCreateObject);
    if (normal == kDispExceptionHResult && exception != nullptr)
        return FromException(*exception, systemMessage);
    return FromHResult(normal, systemMessage);
}
