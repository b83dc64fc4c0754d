// Writing and deleting through cQueryReg against the real registry, and the listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/error_report.h"
#include "toolkit/query_reg.h"
#include "toolkit/tests/registry_sandbox.h"

namespace {

const char kLong[] = "HKEY_CURRENT_USER\\";

TEST(QueryRegWrite, SetRegWritesEachTypeAsTheRegistryKeepsIt)
{
    SandboxKey box;
    const std::string key = kLong + box.Path();
    cQueryReg reg;

    EXPECT_EQ(reg.SetReg(key, "sz", std::string("abc"), HKEY_CURRENT_USER, REG_SZ, false), 0);
    RawRead read = ReadValue(HKEY_CURRENT_USER, box.Path(), "sz");
    EXPECT_EQ(read.type, DWORD(REG_SZ));
    EXPECT_EQ(read.Text(), std::string("abc\0", 4)); // with its terminating zero

    EXPECT_EQ(reg.SetReg(key, "exp", std::string("%TEMP%"), HKEY_CURRENT_USER, REG_EXPAND_SZ, false), 0);
    read = ReadValue(HKEY_CURRENT_USER, box.Path(), "exp");
    EXPECT_EQ(read.type, DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(read.Text(), std::string("%TEMP%\0", 7));

    // Numbers and the empty variant become text for the string types.
    EXPECT_EQ(reg.SetReg(key, "numtext", DWORD(26), HKEY_CURRENT_USER, REG_SZ, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "numtext").Text(), std::string("26\0", 3));
    EXPECT_EQ(reg.SetReg(key, "emptytext", RegValue(), HKEY_CURRENT_USER, REG_SZ, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "emptytext").Text(), std::string("\0", 1));

    EXPECT_EQ(reg.SetReg(key, "num", std::string(" 26 "), HKEY_CURRENT_USER, REG_DWORD, false), 0);
    read = ReadValue(HKEY_CURRENT_USER, box.Path(), "num");
    EXPECT_EQ(read.type, DWORD(REG_DWORD));
    EXPECT_EQ(read.data, (std::vector<BYTE>{26, 0, 0, 0}));
    EXPECT_EQ(reg.SetReg(key, "neg", std::string("-1"), HKEY_CURRENT_USER, REG_DWORD, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "neg").data,
              (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));

    // Elements 0 .. upper bound - 1: the caller's last element is not written.
    EXPECT_EQ(reg.SetReg(key, "bin", RegBytes::FromElements({10, 255, 7}), HKEY_CURRENT_USER,
                         REG_BINARY, false),
              0);
    read = ReadValue(HKEY_CURRENT_USER, box.Path(), "bin");
    EXPECT_EQ(read.type, DWORD(REG_BINARY));
    EXPECT_EQ(read.data, (std::vector<BYTE>{10, 255}));
    // And what GetReg gives back writes back the same.
    const RegValue back = reg.GetReg(key, "bin");
    EXPECT_EQ(reg.SetReg(key, "bin2", back, HKEY_CURRENT_USER, REG_BINARY, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "bin2").data, (std::vector<BYTE>{10, 255}));

    // Type 7 (and any other) writes nothing and still succeeds.
    EXPECT_EQ(reg.SetReg(key, "multi", std::string("a b"), HKEY_CURRENT_USER, REG_MULTI_SZ, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "multi").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.SetReg(key, "none", std::string("x"), HKEY_CURRENT_USER, REG_NONE, false), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "none").status, ERROR_FILE_NOT_FOUND);
}

TEST(QueryRegWrite, SetRegCreatesOnlyWhenAsked)
{
    SandboxKey box;
    cQueryReg reg;
    const std::string nested = box.Sub("a\\b");
    // The root argument is the default for a path without a root name.
    EXPECT_EQ(reg.SetReg(nested, "v", std::string("x"), HKEY_CURRENT_USER, REG_SZ, false),
              ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, nested));
    EXPECT_EQ(reg.SetReg(nested, "v", std::string("x"), HKEY_CURRENT_USER, REG_SZ, true), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, nested, "v").Text(), std::string("x\0", 2));
}

TEST(QueryRegWrite, ConversionFailuresAreRunTimeErrors)
{
    SandboxKey box;
    const std::string key = kLong + box.Path();
    cQueryReg reg;
    const struct {
        RegValue value;
        DWORD type;
        long number;
    } cases[] = {
        {std::string("abc"), REG_DWORD, 13},
        {std::string("99999999999"), REG_DWORD, 6},
        {RegBytes::FromData({1}), REG_DWORD, 13},
        {RegValue(), REG_BINARY, 13},
        {DWORD(5), REG_BINARY, 13},
    };
    for (const auto& c : cases) {
        try {
            reg.SetReg(key, "v", c.value, HKEY_CURRENT_USER, c.type, false);
            ADD_FAILURE() << "no error for type " << c.type;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), c.number);
        }
    }
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "v").status, ERROR_FILE_NOT_FOUND);
    // The key was closed on the way out: it can go at once.
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, box.Path().c_str()), 0);
}

TEST(QueryRegWrite, SetRegReportsAFailedWrite)
{
    // The key opens for writing, but the registry refuses the value: a name longer than any
    // value name may be. The caller must not be told 0.
    SandboxKey box;
    cQueryReg reg;
    const std::string tooLong(20000, 'n');
    const LONG status = reg.SetReg(kLong + box.Path(), tooLong, std::string("x"),
                                   HKEY_CURRENT_USER, REG_SZ, false);
    EXPECT_NE(status, 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), tooLong.c_str()).status,
              ERROR_FILE_NOT_FOUND);
}

TEST(QueryRegWrite, RegSetValue2WritesTheWholeTextAsType1)
{
    SandboxKey box;
    cQueryReg reg;
    RegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, box.Path().c_str(), 0, KEY_ALL_ACCESS, key.put()), 0);
    // Type and size are not looked at: always type 1, the text's own length (the registry
    // itself may add the zero the call leaves out).
    EXPECT_EQ(reg.RegSetValue2(key, "u", REG_DWORD, "abc", 1), 0);
    const RawRead read = ReadValue(HKEY_CURRENT_USER, box.Path(), "u");
    EXPECT_EQ(read.type, DWORD(REG_SZ));
    EXPECT_EQ(read.Text().substr(0, 3), "abc");
    EXPECT_EQ(RegValueText(reg.GetReg(box.Path(), "u", HKEY_CURRENT_USER)), "abc");
    EXPECT_EQ(reg.GetRegString(box.Path(), "u", HKEY_CURRENT_USER), "abc");
}

TEST(QueryRegWrite, CreateKeyUsesClassesRootByDefault)
{
    SandboxExtension ext;
    cQueryReg reg;
    EXPECT_EQ(reg.CreateKey(ext.Dotted() + "\\sub"), 0);
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ext.Dotted() + "\\sub"));
    SandboxKey box;
    EXPECT_EQ(reg.CreateKey("HKCU\\" + box.Sub("made")), 0);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, box.Sub("made")));
    EXPECT_EQ(reg.CreateKey("HKCU\\" + box.Sub("made")), 0); // already there: opened
}

TEST(QueryRegWrite, DeleteKeyRemovesNestedTrees)
{
    SandboxKey box;
    for (const char* sub : {"t\\a\\b\\c", "t\\a\\d", "t\\e", "t\\f\\g", "keep"})
        ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub(sub), "v", "1"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("t"), "v", "1"), 0);
    cQueryReg reg;
    EXPECT_EQ(reg.DeleteKey(box.Sub("t"), "", HKEY_CURRENT_USER), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, box.Sub("t")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, box.Sub("keep")));
    EXPECT_EQ(reg.DeleteKey(box.Sub("t"), "", HKEY_CURRENT_USER), ERROR_FILE_NOT_FOUND);
    // A root named in the path wins over the root argument.
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("u\\v"), "v", "1"), 0);
    EXPECT_EQ(reg.DeleteKey("HKCU\\" + box.Sub("u"), "", HKEY_LOCAL_MACHINE), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, box.Sub("u")));
    // The non-recursive delete refuses a key with subkeys.
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("w\\x"), "v", "1"), 0);
    EXPECT_NE(reg.DeleteKeyWin95(HKEY_CURRENT_USER, box.Sub("w")), 0);
    EXPECT_EQ(reg.DeleteKeyWin95(HKEY_CURRENT_USER, box.Sub("w\\x")), 0);
    EXPECT_EQ(reg.DeleteKeyWin95(HKEY_CURRENT_USER, box.Sub("w")), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, box.Sub("w")));
}

TEST(QueryRegWrite, DeleteKeyNeverEmptiesARoot)
{
    // A path that is only a root name leaves nothing to delete but the root's contents.
    SandboxKey canary(HKEY_CURRENT_CONFIG, "Software");
    ASSERT_TRUE(canary.Created());
    cQueryReg reg;
    EXPECT_EQ(reg.DeleteKey("HKEY_CURRENT_CONFIG\\", "", HKEY_CURRENT_USER), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg.DeleteKey("", "", HKEY_CURRENT_CONFIG), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg.DeleteKeyWin95(HKEY_CURRENT_CONFIG, ""), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_CONFIG, canary.Path()));
}

TEST(QueryRegWrite, DeleteValueAndDeleteKeyWithAName)
{
    SandboxKey box;
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "a", "1"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "b", "1"), 0);
    cQueryReg reg;
    EXPECT_EQ(reg.DeleteValue(kLong + box.Path(), "a", HKEY_LOCAL_MACHINE), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "a").status, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.DeleteValue(kLong + box.Path(), "a", HKEY_CURRENT_USER), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.DeleteValue(kLong + box.Path(), "", HKEY_CURRENT_USER), 0);
    EXPECT_EQ(reg.DeleteValue(kLong + box.Sub("nokey"), "b", HKEY_CURRENT_USER), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.DeleteKey(box.Path(), "b", HKEY_CURRENT_USER), 0);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, box.Path(), "b").status, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, box.Path())); // only the value went
}

TEST(QueryRegList, EnumKeysListsSubkeysFromIndexOne)
{
    SandboxKey box;
    for (const char* sub : {"one", "two", "three\\deeper"})
        ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub(sub), "v", "1"), 0);
    cQueryReg reg;
    std::vector<std::string> names{"stale"};
    ASSERT_TRUE(reg.EnumKeys(names, "HKCU\\" + box.Path()));
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], "");
    std::vector<std::string> found(names.begin() + 1, names.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"one", "three", "two"}));

    EXPECT_FALSE(reg.EnumKeys(names, "HKCU\\" + box.Sub("missing")));
    EXPECT_EQ(names, std::vector<std::string>{""});
    // Default root HKEY_CLASSES_ROOT.
    SandboxExtension ext;
    ASSERT_EQ(WriteString(HKEY_CLASSES_ROOT, ext.Dotted() + "\\inner", nullptr, "x"), 0);
    ASSERT_TRUE(reg.EnumKeys(names, ext.Dotted()));
    EXPECT_EQ(names, (std::vector<std::string>{"", "inner"}));
    std::vector<std::string> pairs;
    ASSERT_TRUE(reg.EnumValues(pairs, ext.Dotted() + "\\inner"));
    // A default value that is set is also one of the key's values: it comes again, unnamed.
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", "x", "", "x"}));
}

TEST(QueryRegList, EnumValuesGivesPairsAfterTheDefault)
{
    SandboxKey box;
    cQueryReg reg;
    std::vector<std::string> pairs;
    // A key without values: only the "(Default)" pair.
    ASSERT_TRUE(reg.EnumValues(pairs, "HKCU\\" + box.Path()));
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", ""}));

    const DWORD number = 26;
    const BYTE bytes[] = {10, 255};
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "s", "text"), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "n", REG_DWORD, &number, 4), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "b", REG_BINARY, bytes, 2), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "m", REG_MULTI_SZ, "a\0b\0", 5), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "e", "%x%", REG_EXPAND_SZ), 0);
    ASSERT_TRUE(reg.EnumValues(pairs, "HKCU\\" + box.Path()));
    ASSERT_EQ(pairs.size(), 13u);
    EXPECT_EQ(pairs[1], "(Default)");
    std::map<std::string, std::string> listed;
    for (std::size_t i = 3; i + 1 < pairs.size(); i += 2)
        listed[pairs[i]] = pairs[i + 1];
    EXPECT_EQ(listed, (std::map<std::string, std::string>{
                          {"s", "text"}, {"n", "26"}, {"b", "0A FF "}, {"m", "a b"}, {"e", "%x%"}}));

    // Type 1 keeps the other string types too; other types keep only themselves.
    ASSERT_TRUE(reg.EnumValuesByType(pairs, "HKCU\\" + box.Path(), REG_SZ));
    listed.clear();
    for (std::size_t i = 3; i + 1 < pairs.size(); i += 2)
        listed[pairs[i]] = pairs[i + 1];
    EXPECT_EQ(pairs[1], "(Default)");
    EXPECT_EQ(listed, (std::map<std::string, std::string>{{"s", "text"}, {"m", "a b"}, {"e", "%x%"}}));
    ASSERT_TRUE(reg.EnumValuesByType(pairs, "HKCU\\" + box.Path(), REG_DWORD));
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", "", "n", "26"}));
    ASSERT_TRUE(reg.EnumValuesByType(pairs, "HKCU\\" + box.Path(), REG_EXPAND_SZ));
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", "", "e", "%x%"}));

    // The default value is read for the first pair, even when the key cannot be listed.
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("d"), nullptr, "dflt"), 0);
    ASSERT_TRUE(reg.EnumValues(pairs, "HKCU\\" + box.Sub("d")));
    EXPECT_EQ(pairs[2], "dflt");
    EXPECT_FALSE(reg.EnumValues(pairs, "HKCU\\" + box.Sub("missing")));
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", ""}));
}

TEST(QueryRegList, ValuesWithoutDataAreSkippedWhenNoValueHasData)
{
    SandboxKey box;
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "nothing", REG_BINARY, "", 0), 0);
    cQueryReg reg;
    std::vector<std::string> pairs;
    ASSERT_TRUE(reg.EnumValues(pairs, "HKCU\\" + box.Path()));
    EXPECT_EQ(pairs, (std::vector<std::string>{"", "(Default)", ""}));
    // Once some value has data, an empty binary one is listed with empty text.
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "s", "x"), 0);
    ASSERT_TRUE(reg.EnumValues(pairs, "HKCU\\" + box.Path()));
    EXPECT_EQ(pairs.size(), 7u);
}

} // namespace
