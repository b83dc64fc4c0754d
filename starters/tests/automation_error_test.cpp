#include "starters/automation_error.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace {

const char* const kCannotCreate = "ActiveX component can't create object";
const char* const kNoMethod = "Object doesn't support this property or method";

// Stands in for the system's message table: a few texts as FormatMessage hands them out.
std::string FakeSystemMessage(long hresult)
{
    static const std::map<long, std::string> texts = {
        {HResultFromBits(0x80004005ul), "Unspecified error\r\n"},
        {HResultFromBits(0x80070005ul), "Access denied.\r\n"},
        {HResultFromBits(0x80040154ul), "Class not registered\r\n"},
        {HResultFromBits(0x80020009ul), "Exception occurred.\r\n"},
    };
    const auto found = texts.find(hresult);
    return found == texts.end() ? std::string() : found->second;
}

struct Expected {
    long number;
    std::string description;
};

void ExpectError(const RunTimeError& error, const Expected& expected)
{
    EXPECT_EQ(error.Number(), expected.number);
    EXPECT_EQ(error.Description(), expected.description);
}

TEST(NormalHResult, GivesTheSigned32BitFormWhateverTheWidthOfLong)
{
    EXPECT_EQ(HResultFromBits(0x80040154ul), -2147221164L);
    EXPECT_EQ(HResultFromBits(0xFFFFFFFFul), -1L);
    EXPECT_EQ(HResultFromBits(0x80000000ul), -2147483647L - 1);
    EXPECT_EQ(HResultFromBits(0x7FFFFFFFul), 2147483647L);
    EXPECT_EQ(HResultFromBits(0ul), 0L);
    EXPECT_EQ(NormalHResult(-2147221164L), -2147221164L);
    // A value that arrived zero-extended on a platform with 64-bit long.
    if (sizeof(long) > 4) {
        EXPECT_EQ(NormalHResult(static_cast<long>(0x80040154ul)), -2147221164L);
    }
}

// A class that cannot be had at all is one error for the user, whatever the system said.
class CreationFailure : public ::testing::TestWithParam<unsigned long> {};

TEST_P(CreationFailure, CannotCreateObject)
{
    ExpectError(AutomationError(AutomationStep::CreateObject, HResultFromBits(GetParam()), nullptr,
                                FakeSystemMessage),
                {429, kCannotCreate});
}

INSTANTIATE_TEST_SUITE_P(AutomationError, CreationFailure,
                         ::testing::Values(0x80040154ul,   // class not registered
                                           0x800401F3ul,   // invalid class string (no such ProgID)
                                           0x800401F8ul,   // server library not found
                                           0x8007007Eul,   // module not found
                                           0x80080005ul,   // server failed to start
                                           0x80004002ul)); // no dispatch interface

TEST(AutomationError, OtherCreationFailuresKeepTheirOwnNumber)
{
    ExpectError(AutomationError(AutomationStep::CreateObject, HResultFromBits(0x8007000Eul), nullptr,
                                FakeSystemMessage),
                {7, "Out of memory"});
    ExpectError(AutomationError(AutomationStep::CreateObject, HResultFromBits(0x80070005ul), nullptr,
                                FakeSystemMessage),
                {-2147024891L, "Access denied."});
    // An error the component raised while starting, by its own number.
    ExpectError(AutomationError(AutomationStep::CreateObject, HResultFromBits(0x800A0035ul), nullptr,
                                FakeSystemMessage),
                {53, "Application-defined or object-defined error"});
}

struct HResultCase {
    AutomationStep step;
    unsigned long hresult;
    Expected expected;
};

void PrintTo(const HResultCase& c, std::ostream* out)
{
    *out << (c.step == AutomationStep::FindMethod ? "FindMethod" : "CallMethod") << "_0x" << std::hex << c.hresult;
}

class PlainFailure : public ::testing::TestWithParam<HResultCase> {};

TEST_P(PlainFailure, ShowsTheNumberUsersKnowOrTheHResultWithTheSystemText)
{
    const HResultCase& c = GetParam();
    ExpectError(AutomationError(c.step, HResultFromBits(c.hresult), nullptr, FakeSystemMessage), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    AutomationError, PlainFailure,
    ::testing::Values(
        HResultCase{AutomationStep::FindMethod, 0x80020006ul, {438, kNoMethod}}, // unknown name
        HResultCase{AutomationStep::FindMethod, 0x80020003ul, {438, kNoMethod}}, // member not found
        HResultCase{AutomationStep::CallMethod, 0x80020003ul, {438, kNoMethod}},
        HResultCase{AutomationStep::CallMethod, 0x8002000Eul,
                    {450, "Wrong number of arguments or invalid property assignment"}},
        HResultCase{AutomationStep::CallMethod, 0x8002000Ful, {449, "Argument not optional"}},
        HResultCase{AutomationStep::CallMethod, 0x80020005ul, {13, "Type mismatch"}},
        HResultCase{AutomationStep::CallMethod, 0x8002000Aul, {6, "Overflow"}},
        HResultCase{AutomationStep::CallMethod, 0x8007000Eul, {7, "Out of memory"}},
        // Plain error numbers travel in the control facility.
        HResultCase{AutomationStep::CallMethod, 0x800A01B6ul, {438, kNoMethod}},
        HResultCase{AutomationStep::CallMethod, 0x800A03E9ul, {1001, "Application-defined or object-defined error"}},
        // Anything else: the HRESULT, signed, with the system's text without its line break.
        HResultCase{AutomationStep::CallMethod, 0x80004005ul, {-2147467259L, "Unspecified error"}},
        HResultCase{AutomationStep::FindMethod, 0x80070005ul, {-2147024891L, "Access denied."}},
        // ... and a fixed text where the system has none.
        HResultCase{AutomationStep::CallMethod, 0x80041234ul, {-2147216844L, "Automation error"}},
        // DISP_E_EXCEPTION without the object's details is an HRESULT like any other.
        HResultCase{AutomationStep::CallMethod, 0x80020009ul, {-2147352567L, "Exception occurred."}}));

TEST(AutomationError, WithoutASystemLookupFallsBackToTheFixedText)
{
    ExpectError(AutomationError(AutomationStep::CallMethod, HResultFromBits(0x80004005ul), nullptr, nullptr),
                {-2147467259L, "Automation error"});
}

TEST(AutomationError, DetailsAreOnlyTakenFromAnException)
{
    AutomationException raised;
    raised.code = 1001;
    raised.description = "Lote inv\xE1lido";
    ExpectError(AutomationError(AutomationStep::CallMethod, HResultFromBits(0x80004005ul), &raised,
                                FakeSystemMessage),
                {-2147467259L, "Unspecified error"});
}

struct ExceptionCase {
    const char* name;
    AutomationException raised;
    Expected expected;
};

void PrintTo(const ExceptionCase& c, std::ostream* out)
{
    *out << c.name;
}

class RaisedException : public ::testing::TestWithParam<ExceptionCase> {};

TEST_P(RaisedException, ShowsTheObjectsOwnNumberAndDescription)
{
    const ExceptionCase& c = GetParam();
    ExpectError(AutomationError(AutomationStep::CallMethod, kDispExceptionHResult, &c.raised, FakeSystemMessage),
                c.expected);
}

AutomationException Raised(unsigned short code, unsigned long scode, const std::string& description)
{
    AutomationException raised;
    raised.code = code;
    raised.scode = HResultFromBits(scode);
    raised.description = description;
    return raised;
}

INSTANTIATE_TEST_SUITE_P(
    AutomationError, RaisedException,
    ::testing::Values(
        // The object's own number wins over its HRESULT form.
        ExceptionCase{"OwnCode", Raised(1001, 0x80040201ul, "No hay lotes pendientes"), {1001, "No hay lotes pendientes"}},
        ExceptionCase{"OwnCodeNoText", Raised(1001, 0, ""), {1001, "Application-defined or object-defined error"}},
        ExceptionCase{"OwnKnownCodeNoText", Raised(438, 0, ""), {438, kNoMethod}},
        // Without one, the HRESULT form: signed, or the plain number in the control facility.
        ExceptionCase{"ObjectError", Raised(0, 0x80040201ul, "Carpeta de lotes no encontrada"),
                      {-2147220991L, "Carpeta de lotes no encontrada"}},
        ExceptionCase{"ControlFacility", Raised(0, 0x800A0035ul, "File not found"), {53, "File not found"}},
        ExceptionCase{"KnownScode", Raised(0, 0x8007000Eul, "Sin memoria"), {7, "Sin memoria"}},
        // Without a description, the text that goes with the number.
        ExceptionCase{"ScodeNoText", Raised(0, 0x80070005ul, ""), {-2147024891L, "Access denied."}},
        ExceptionCase{"ScodeUnknownNoText", Raised(0, 0x80041234ul, ""), {-2147216844L, "Automation error"}},
        ExceptionCase{"NothingFilledIn", Raised(0, 0, ""), {-2147352567L, "Exception occurred."}},
        ExceptionCase{"NothingButText", Raised(0, 0, "Fallo"), {-2147352567L, "Fallo"}},
        // Descriptions pass through as they are: ANSI bytes, line breaks included.
        ExceptionCase{"AnsiBytes", Raised(5, 0, "Descripci\xF3n\r\n"), {5, "Descripci\xF3n\r\n"}}),
    [](const ::testing::TestParamInfo<ExceptionCase>& info) { return std::string(info.param.name); });

TEST(TrimLineEnd, RemovesOnlyTrailingLineBreaks)
{
    EXPECT_EQ(TrimLineEnd("Unspecified error\r\n"), "Unspecified error");
    EXPECT_EQ(TrimLineEnd("two\r\nlines\r\n\r\n"), "two\r\nlines");
    EXPECT_EQ(TrimLineEnd("ends in blank \n"), "ends in blank ");
    EXPECT_EQ(TrimLineEnd("\r\n"), "");
    EXPECT_EQ(TrimLineEnd(""), "");
}

} // namespace
