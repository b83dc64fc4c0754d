#include <gtest/gtest.h>

#include "common/error_report.h"
#include "toolkit/folder_collection.h"
#include "toolkit/query_reg_core.h"

namespace {

constexpr int HKCR = 0, HKCU = 1, HKLM = 2, HKU = 3, HKPD = 4, HKCC = 5, HKDD = 6;
constexpr int DEF = kDefaultRoot;

struct RootCase {
    const char* input;
    int root;
    const char* path;
};

TEST(ParseRootName, RootsAndPaths)
{
    const RootCase cases[] = {
        // Long names.
        {"HKEY_LOCAL_MACHINE\\Software\\A", HKLM, "Software\\A"},
        {"HKEY_CLASSES_ROOT\\.txt", HKCR, ".txt"},
        {"HKEY_CURRENT_USER\\x", HKCU, "x"},
        {"HKEY_USERS\\.Default", HKU, ".Default"},
        {"HKEY_PERFORMANCE_DATA\\p", HKPD, "p"},
        {"HKEY_CURRENT_CONFIG\\c", HKCC, "c"},
        {"HKEY_DYN_DATA\\d", HKDD, "d"},
        // A root alone, with or without its trailing backslash.
        {"HKEY_LOCAL_MACHINE", HKLM, ""},
        {"HKEY_LOCAL_MACHINE\\", HKLM, ""},
        // Short prefixes.
        {"HKCR\\a", HKCR, "a"},
        {"HKCU\\a\\b", HKCU, "a\\b"},
        {"HKLM\\Software\\A", HKLM, "Software\\A"},
        {"HKU\\a", HKU, "a"},
        {"HKCC\\a", HKCC, "a"},
        {"HKDD\\a", HKDD, "a"},
        {"HKPD\\a", HKPD, "a"},
        // A short name needs its backslash: "HKUX" is a key under the default root.
        {"HKUX\\a", DEF, "HKUX\\a"},
        {"HKLM", DEF, "HKLM"},
        {"HKLM\\", DEF, "HKLM"}, // the trailing "\" goes before the prefix is looked for
        // Exactly one trailing backslash goes; spaces around the path go.
        {"HKLM\\Software\\A\\", HKLM, "Software\\A"},
        {"HKLM\\Software\\A\\\\", HKLM, "Software\\A\\"},
        {"  HKLM\\Software\\A\\  ", HKLM, "Software\\A"},
        {"  Software\\A ", DEF, "Software\\A"},
        // Only spaces are trimmed.
        {"\tHKLM\\a", DEF, "\tHKLM\\a"},
        // "HKEY_" anywhere decides the form; an unknown name gives HKEY_CLASSES_ROOT.
        {"HKEY_NOWHERE\\Software\\A", HKCR, "Software\\A"},
        {"Software\\HKEY_X\\A", HKCR, "HKEY_X\\A"},
        {"HKEY_BOGUS", HKCR, ""},
        {"HKLM\\HKEY_X", HKCR, "HKEY_X"},
        // Names compare exactly: case matters.
        {"hkey_local_machine\\a", DEF, "hkey_local_machine\\a"},
        {"HKEY_Local_Machine\\a", HKCR, "a"},
        {"hklm\\a", DEF, "hklm\\a"},
        {"HKEY_LOCAL_MACHINE \\a", HKCR, "a"},
        // No root.
        {"", DEF, ""},
        {"\\", DEF, ""},
        {".vt1", DEF, ".vt1"},
    };
    for (const RootCase& c : cases) {
        const ParsedKeyPath parsed = ParseRootName(c.input);
        EXPECT_EQ(parsed.root, c.root) << '"' << c.input << '"';
        EXPECT_EQ(parsed.path, c.path) << '"' << c.input << '"';
    }
}

TEST(IsSingleKeyName, BlankOrNestedNamesAreRefused)
{
    EXPECT_TRUE(IsSingleKeyName("{00020430-0000-0000-C000-000000000046}"));
    EXPECT_TRUE(IsSingleKeyName(" Vt.Server "));
    for (const char* refused : {"", " ", "   ", "\\", " \\ ", "a\\b", "{guid}\\"})
        EXPECT_FALSE(IsSingleKeyName(refused)) << '"' << refused << '"';
}

TEST(TrimRegString, BothModes)
{
    using std::string;
    const struct {
        string text;
        bool multi;
        string expected;
    } cases[] = {
        {string("a\0b", 3), false, "a"},
        {"abc", false, "abc"},
        {string("\0abc", 4), false, ""},
        {"", false, ""},
        {string("a\0b", 3), true, "a"},              // the last zero and all after it go
        {string("a\0b\0", 4), true, "a b"},
        {string("a\0b\0c\0", 6), true, "a b c"},
        {string("a\0\0b\0", 5), true, "a  b"},       // an empty string between keeps its place
        {"abc", true, "abc"},                         // no zero: nothing to cut or replace
        {string("\0", 1), true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimRegString(c.text, c.multi), c.expected) << c.multi;
}

TEST(TextForms, NumbersAndBytes)
{
    EXPECT_EQ(NumberText(26), "0x0000001A (26)");
    EXPECT_EQ(NumberText(0), "0x00000000 (0)");
    EXPECT_EQ(NumberText(0xFFFFFFFFu), "0xFFFFFFFF (4294967295)");
    EXPECT_EQ(NumberText(0xABCDEF12u), "0xABCDEF12 (2882400018)");

    EXPECT_EQ(BytesText({10, 255}), "0A FF ");
    EXPECT_EQ(BytesText({0, 1, 0x10}), "00 01 10 ");
    EXPECT_EQ(BytesText({}), "");
    EXPECT_EQ(BytesTextShort({10, 255}), "A FF ");
    EXPECT_EQ(BytesTextShort({0, 1, 0x10, 0xF}), "0 1 10 F ");
    EXPECT_EQ(BytesTextShort({}), "");
}

TEST(ListedValueText, ByType)
{
    using V = std::vector<unsigned char>;
    // Listings under Wine cover the usual forms; these are the ones the registry rarely gives.
    EXPECT_EQ(ListedValueText(2, V{'%', 'x', '%', 0, 'z'}), "%x%");
    EXPECT_EQ(ListedValueText(1, V{'a', 'b'}), "ab"); // stored without its zero
    EXPECT_EQ(ListedValueText(4, V{0xFF, 0xFF, 0xFF, 0xFF}), "4294967295");
    EXPECT_EQ(ListedValueText(4, V{1}), "1"); // short data does not read past its end
    EXPECT_EQ(ListedValueText(11, V{1, 2}), "01 02 ");
}

TEST(RegBytes, UpperBoundAndSpareZero)
{
    EXPECT_EQ(RegBytes().Elements(), std::vector<unsigned char>{0});
    const RegBytes two = RegBytes::FromData({10, 255});
    EXPECT_EQ(two.UpperBound(), 2u);
    EXPECT_EQ(two.Elements(), (std::vector<unsigned char>{10, 255, 0}));
    EXPECT_EQ(two.Data(), (std::vector<unsigned char>{10, 255}));

    // A caller's own array: the last element is whatever it put there, and is not data.
    const RegBytes own = RegBytes::FromElements({1, 2, 3});
    EXPECT_EQ(own.UpperBound(), 2u);
    EXPECT_EQ(own.Data(), (std::vector<unsigned char>{1, 2}));
    EXPECT_EQ(RegBytes::FromElements({}), RegBytes());
}

TEST(RegValueConversions, Text)
{
    EXPECT_EQ(RegValueText(RegValue()), "");
    EXPECT_EQ(RegValueText(RegValue(std::string("abc"))), "abc");
    EXPECT_EQ(RegValueText(RegValue(RegNumber(26))), "26");
    EXPECT_EQ(RegValueText(RegValue(RegNumber(0xFFFFFFFFul))), "4294967295");
    EXPECT_EQ(RegValueText(RegValue(RegBytes::FromData({'h', 'i'}))), "hi");
    // The empty variant is kept apart from the empty string.
    EXPECT_NE(RegValue(), RegValue(std::string()));
}

TEST(RegValueConversions, Number)
{
    const struct {
        const char* text;
        std::uint32_t number;
    } good[] = {
        {"26", 26}, {" 26 ", 26}, {"+7", 7}, {"-1", 0xFFFFFFFFu}, {"2147483647", 2147483647u},
        {"-2147483648", 0x80000000u}, {"&H1A", 26}, {"&hff", 255}, {"&HFFFFFFFF", 0xFFFFFFFFu},
        {"007", 7},
    };
    for (const auto& c : good)
        EXPECT_EQ(RegValueNumber(RegValue(std::string(c.text))), c.number) << c.text;
    EXPECT_EQ(RegValueNumber(RegValue()), 0u);
    EXPECT_EQ(RegValueNumber(RegValue(RegNumber(26))), 26u);

    const char* mismatches[] = {"", "  ", "abc", "12a", "1 2", "-", "&H", "&HXY", "0x1A", "1.5"};
    for (const char* text : mismatches) {
        try {
            RegValueNumber(RegValue(std::string(text)));
            ADD_FAILURE() << "no error for \"" << text << '"';
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), 13) << text;
            EXPECT_EQ(e.Description(), "Type mismatch");
        }
    }
    const char* overflows[] = {"2147483648", "-2147483649", "99999999999999999999", "&H100000000"};
    for (const char* text : overflows) {
        try {
            RegValueNumber(RegValue(std::string(text)));
            ADD_FAILURE() << "no error for \"" << text << '"';
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), 6) << text;
        }
    }
    try {
        RegValueNumber(RegValue(RegBytes::FromData({1})));
        ADD_FAILURE() << "bytes became a number";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 13);
    }
}

TEST(RegValueConversions, Bytes)
{
    EXPECT_EQ(RegValueBytes(RegValue(RegBytes::FromData({1, 2}))), RegBytes::FromData({1, 2}));
    EXPECT_EQ(RegValueBytes(RegValue(std::string("ab"))), RegBytes::FromData({'a', 'b'}));
    for (const RegValue& bad : {RegValue(), RegValue(RegNumber(1))}) {
        try {
            RegValueBytes(bad);
            ADD_FAILURE() << "converted";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), 13);
        }
    }
}

struct AssociationCase {
    const char* extension;
    const char* path;
    const char* verb;
    const char* progId;
    const char* description;
    bool appendSpace;
    AssociationArgs expected;
};

TEST(PrepareAssociation, Arguments)
{
    const AssociationCase cases[] = {
        {"TIF", "C:\\P\\Visor.exe", "open", "", "", true,
         {".TIF", "C:\\P\\Visor.exe ", "open", "open", "progID.TIF",
          "Descripci\xF3n de progID.TIF"}},
        {" .jpg ", " C:\\P\\Visor ", " &Abrir ", " My.Prog ", " Mine ", true,
         {".jpg", "C:\\P\\Visor.exe ", "Abrir", "&Abrir", "My.Prog", "Mine"}},
        // A "." anywhere in the path counts: no ".exe" is added.
        {"bmp", "C:\\a.b\\Visor", "Pr&int && go", "", "", true,
         {".bmp", "C:\\a.b\\Visor ", "Print && go", "Pr&int && go", "progID.bmp",
          "Descripci\xF3n de progID.bmp"}},
        {"x", "", "open", "", "", true,
         {".x", "", "open", "open", "progID.x", "Descripci\xF3n de progID.x"}},
        {"   ", "   ", "", "", "", true,
         {".", "", "", "", "progID.", "Descripci\xF3n de progID."}},
        {"tar.gz", "C:\\v.exe", "open", "", "", false,
         {"tar.gz", "C:\\v.exe", "open", "open", "progIDtar.gz",
          "Descripci\xF3n de progIDtar.gz"}},
    };
    for (const AssociationCase& c : cases) {
        const AssociationArgs a =
            PrepareAssociation(c.extension, c.path, c.verb, c.progId, c.description, c.appendSpace);
        EXPECT_EQ(a.extension, c.expected.extension) << c.extension;
        EXPECT_EQ(a.programPath, c.expected.programPath) << c.extension;
        EXPECT_EQ(a.verb, c.expected.verb) << c.extension;
        EXPECT_EQ(a.verbDisplay, c.expected.verbDisplay) << c.extension;
        EXPECT_EQ(a.progId, c.expected.progId) << c.extension;
        EXPECT_EQ(a.description, c.expected.description) << c.extension;
    }
    // The accented letter is the single Windows-1252 byte.
    EXPECT_EQ(PrepareAssociation("a", "", "", "", "", true).description[9], '\xF3');
}

TEST(FolderCollection, OrderLookupAndDuplicates)
{
    FolderCollection folders;
    EXPECT_TRUE(folders.Empty());
    folders.Add("WindowsDir", "C:\\windows");
    folders.Add("SystemDir", "C:\\windows\\system32");
    EXPECT_EQ(folders.Count(), 2u);
    EXPECT_EQ(folders.Entries()[0].first, "WindowsDir");
    EXPECT_EQ(folders.Entries()[1].second, "C:\\windows\\system32");
    ASSERT_NE(folders.Find("windowsdir"), nullptr);
    EXPECT_EQ(*folders.Find("WINDOWSDIR"), "C:\\windows");
    EXPECT_EQ(folders.Find("Windows"), nullptr);
    try {
        folders.Add("systemdir", "other");
        ADD_FAILURE() << "duplicate accepted";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number(), 457);
        EXPECT_EQ(e.Description(),
                  "This key is already associated with an element of this collection");
    }
    EXPECT_EQ(folders.Count(), 2u);
    EXPECT_EQ(*folders.Find("SystemDir"), "C:\\windows\\system32");
}

} // namespace
