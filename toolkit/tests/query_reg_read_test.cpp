// Reading through cQueryReg against the real registry: root forms, default roots, value types
// and their text forms.
#include <gtest/gtest.h>

#include "toolkit/query_reg.h"
#include "toolkit/tests/registry_sandbox.h"

namespace {

const char kLong[] = "HKEY_CURRENT_USER\\";

TEST(QueryRegRead, EveryRootFormAddressesTheSameKey)
{
    SandboxKey box;
    ASSERT_TRUE(box.Created());
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "v", "same"), ERROR_SUCCESS);
    cQueryReg reg;
    const std::string forms[] = {
        kLong + box.Path(),
        "HKCU\\" + box.Path(),
        "HKCU\\" + box.Path() + "\\",
        "  " + std::string(kLong) + box.Path() + "\\ ",
    };
    for (const std::string& form : forms) {
        // A root given to the call does not count when the path names one.
        EXPECT_EQ(reg.GetReg(form, "v", HKEY_LOCAL_MACHINE), RegValue(std::string("same"))) << form;
        EXPECT_TRUE(reg.ExistKey(form)) << form;
    }
    // Without a root name the caller's root applies, and for GetReg that defaults to HKCU.
    EXPECT_EQ(reg.GetReg(box.Path(), "v"), RegValue(std::string("same")));
    EXPECT_EQ(reg.GetReg(box.Path(), "v", HKEY_LOCAL_MACHINE), RegValue());
    // ExistKey's own default root is HKEY_LOCAL_MACHINE.
    EXPECT_FALSE(reg.ExistKey(box.Path()));
    EXPECT_TRUE(reg.ExistKey("Software\\Microsoft"));
}

TEST(QueryRegRead, UnknownRootsFallToClassesRoot)
{
    SandboxExtension ext;
    ASSERT_EQ(WriteString(HKEY_CLASSES_ROOT, ext.Dotted(), "v", "classes"), ERROR_SUCCESS);
    cQueryReg reg;
    const RegValue expected(std::string("classes"));
    // An "HKEY_" name that is no root: the rest of the path under HKEY_CLASSES_ROOT.
    EXPECT_EQ(reg.GetReg("HKEY_NOWHERE\\" + ext.Dotted(), "v"), expected);
    EXPECT_EQ(reg.GetReg("hkey_current_user\\" + ext.Dotted(), "v"), RegValue());
    // A root handle that is not one of the predefined seven counts as HKEY_CLASSES_ROOT: here
    // a key the caller opened itself.
    RegKey opened;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, opened.put()),
              ERROR_SUCCESS);
    EXPECT_EQ(reg.GetReg(ext.Dotted(), "v", opened.get()), expected);
    EXPECT_EQ(reg.GetReg(ext.Dotted(), "v", nullptr), expected);
    EXPECT_EQ(ValidatedRoot(opened.get()), HKEY_CLASSES_ROOT);
    for (int i = 0; i < kRootCount; ++i)
        EXPECT_EQ(ValidatedRoot(RootHandle(i)), RootHandle(i));
    EXPECT_EQ(RootHandle(2), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootHandle(6), HKEY_DYN_DATA);
    // QueryRegBase takes no root name but validates its root.
    ASSERT_EQ(WriteString(HKEY_CLASSES_ROOT, ext.Dotted(), nullptr, "base"), ERROR_SUCCESS);
    EXPECT_EQ(reg.QueryRegBase(ext.Dotted(), opened.get()), "base");
    EXPECT_EQ(reg.QueryRegBase("HKCR\\" + ext.Dotted(), HKEY_CLASSES_ROOT), "");
}

TEST(QueryRegRead, ValuesByType)
{
    SandboxKey box;
    const std::string key = kLong + box.Path();
    const DWORD number = 26;
    const BYTE bytes[] = {10, 255};
    const char multi[] = "a\0b\0"; // with the string's own zero: a, b, end of list
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "num", REG_DWORD, &number, 4), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "bin", REG_BINARY, bytes, 2), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "multi", REG_MULTI_SZ, multi, 5), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "sz", "text"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "exp", "%WINDIR%\\x", REG_EXPAND_SZ), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "empty", ""), 0);
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "nobytes", REG_BINARY, bytes, 0), 0);
    const unsigned long long wide = 5;
    ASSERT_EQ(WriteValue(HKEY_CURRENT_USER, box.Path(), "qword", REG_QWORD, &wide, 8), 0);

    cQueryReg reg;
    EXPECT_EQ(reg.GetReg(key, "num"), RegValue(DWORD(26)));
    EXPECT_EQ(reg.GetReg(key, "num", HKEY_CURRENT_USER, true), RegValue(std::string("0x0000001A (26)")));
    EXPECT_EQ(reg.GetReg(key, "bin"), RegValue(RegBytes::FromData({10, 255})));
    const RegValue bin = reg.GetReg(key, "bin");
    ASSERT_TRUE(std::holds_alternative<RegBytes>(bin));
    EXPECT_EQ(std::get<RegBytes>(bin).UpperBound(), 2u);
    EXPECT_EQ(std::get<RegBytes>(bin).Elements().back(), 0);
    EXPECT_EQ(reg.GetReg(key, "bin", HKEY_CURRENT_USER, true), RegValue(std::string("0A FF ")));
    EXPECT_EQ(reg.GetReg(key, "nobytes"), RegValue(RegBytes()));
    EXPECT_EQ(reg.GetReg(key, "multi"), RegValue(std::string("a b")));
    EXPECT_EQ(reg.GetReg(key, "sz"), RegValue(std::string("text")));
    EXPECT_EQ(reg.GetReg(key, "exp"), RegValue(std::string("%WINDIR%\\x"))); // not expanded
    // An empty string is a string; a missing value or key is the empty variant.
    EXPECT_EQ(reg.GetReg(key, "empty"), RegValue(std::string()));
    EXPECT_EQ(reg.GetReg(key, "missing"), RegValue());
    EXPECT_EQ(RegValueText(reg.GetReg(key, "missing")), "");
    EXPECT_EQ(reg.GetReg(key + "\\nokey", "sz"), RegValue());
    EXPECT_EQ(reg.GetReg(key, "qword"), RegValue()); // a type the class does not read

    EXPECT_EQ(reg.GetRegType(key, "num", HKEY_CURRENT_USER), DWORD(REG_DWORD));
    EXPECT_EQ(reg.GetRegType(key, "multi", HKEY_CURRENT_USER), DWORD(REG_MULTI_SZ));
    EXPECT_EQ(reg.GetRegType(key, "missing", HKEY_CURRENT_USER), 0u);
    EXPECT_EQ(reg.GetRegType(key + "\\nokey", "num", HKEY_CURRENT_USER), 0u);

    // The narrow readers take only their own type.
    EXPECT_EQ(reg.GetRegDWord(key, "num"), RegValue(DWORD(26)));
    EXPECT_EQ(reg.GetRegDWord(key, "num", HKEY_CURRENT_USER, true), RegValue(std::string("0x0000001A (26)")));
    EXPECT_EQ(reg.GetRegDWord(key, "sz"), RegValue(DWORD(0)));
    EXPECT_EQ(reg.GetRegDWord(key, "missing", HKEY_CURRENT_USER, true), RegValue(std::string("0x00000000 (0)")));
    EXPECT_EQ(reg.GetRegBinary(key, "bin", HKEY_CURRENT_USER, false), RegValue(RegBytes::FromData({10, 255})));
    EXPECT_EQ(reg.GetRegBinary(key, "bin", HKEY_CURRENT_USER, true), RegValue(std::string("A FF ")));
    EXPECT_EQ(reg.GetRegBinary(key, "num", HKEY_CURRENT_USER, true), RegValue());
    EXPECT_EQ(reg.GetRegString(key, "sz"), "text");
    EXPECT_EQ(reg.GetRegString(key, "exp"), "%WINDIR%\\x");
    EXPECT_EQ(reg.GetRegString(key, "multi"), "");
    EXPECT_EQ(reg.GetRegString(key, "num"), "");
}

TEST(QueryRegRead, LongTextsComeBackWhole)
{
    // Strings longer than the buffers these reads once had (255, 300 characters).
    SandboxKey box;
    const std::string text(5000, 'x');
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), nullptr, text + "end"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "long", text), 0);
    cQueryReg reg;
    EXPECT_EQ(reg.QueryRegBase(box.Path(), HKEY_CURRENT_USER), text + "end");
    EXPECT_EQ(reg.GetReg(kLong + box.Path(), "long"), RegValue(text));
    EXPECT_EQ(reg.QueryRegBase(box.Path() + "\\missing", HKEY_CURRENT_USER), "");
    // A default value of one character is returned; an empty one is not there.
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("one"), nullptr, "1"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("none"), nullptr, ""), 0);
    EXPECT_EQ(reg.QueryRegBase(box.Sub("one"), HKEY_CURRENT_USER), "1");
    EXPECT_EQ(reg.QueryRegBase(box.Sub("none"), HKEY_CURRENT_USER), "");
}

TEST(QueryRegRead, ClassIdentifiersOfAProgId)
{
    SandboxExtension ext; // its name serves as a ProgID no one else has
    const std::string progId = ext.Own("VtQr" + ext.Bare());
    const std::string clsid = "{" + UniqueName("VTQR-CLSID-") + "}";
    const std::string classes = "Software\\Classes\\";
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, classes + progId + "\\clsid", nullptr, clsid), 0);
    cQueryReg reg;
    EXPECT_EQ(reg.ClassCLSID(progId), clsid);
    EXPECT_EQ(reg.ClassTypeLib(progId), ""); // the class has no type library yet
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, classes + "CLSID\\" + clsid + "\\TypeLib", nullptr,
                          "{TL}"),
              0);
    EXPECT_EQ(reg.ClassTypeLib(progId), "{TL}");
    EXPECT_EQ(reg.ClassCLSID(progId + "x"), "");
    EXPECT_EQ(reg.ClassTypeLib(progId + "x"), "");
    RemoveKeyTree(HKEY_LOCAL_MACHINE, classes + "CLSID\\" + clsid);
}

TEST(QueryRegRead, UserNameAsTheSystemGivesIt)
{
    char name[512] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetUserNameA(name, &size));
    cQueryReg reg;
    EXPECT_EQ(reg.UserName(), std::string(name));
    EXPECT_FALSE(reg.UserName().empty());
}

TEST(QueryRegRead, RawWrappersKeepToTheirBuffers)
{
    SandboxKey box;
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Path(), "a-long-value-name", "data"), 0);
    ASSERT_EQ(WriteString(HKEY_CURRENT_USER, box.Sub("child"), nullptr, ""), 0);
    cQueryReg reg;
    HKEY raw = nullptr;
    ASSERT_EQ(reg.OpenKeyQuery(HKEY_CURRENT_USER, box.Path(), 0, KEY_ALL_ACCESS, &raw), 0);
    RegKey key(raw);
    DWORD longest = 0;
    EXPECT_EQ(reg.QueryInfoKey(key, longest), 0);
    EXPECT_EQ(longest, 17u);

    // A name buffer too small: the call says so and writes nothing past it.
    std::string name = "untouched";
    DWORD nameSize = 4;
    DWORD type = 0;
    std::string data;
    DWORD dataSize = 64;
    EXPECT_EQ(reg.EnumValueString(key, 0, name, nameSize, nullptr, type, data, dataSize),
              ERROR_MORE_DATA);
    EXPECT_EQ(name, "untouched");

    nameSize = longest + 1;
    dataSize = 64;
    ASSERT_EQ(reg.EnumValueString(key, 0, name, nameSize, nullptr, type, data, dataSize), 0);
    EXPECT_EQ(name, "a-long-value-name");
    EXPECT_EQ(data, std::string("data\0", 5));

    // Without a data buffer only the type and size come back.
    std::vector<BYTE> rawData{1, 2, 3};
    nameSize = longest + 1;
    dataSize = 0;
    ASSERT_EQ(reg.EnumValue(key, 0, name, nameSize, nullptr, type, rawData, dataSize), 0);
    EXPECT_EQ(dataSize, 5u);
    EXPECT_TRUE(rawData.empty());
    EXPECT_EQ(reg.EnumValue(key, 1, name, nameSize, nullptr, type, rawData, dataSize),
              ERROR_NO_MORE_ITEMS);

    // Listing subkeys needs more than query access.
    std::string child;
    DWORD childSize = 64;
    EXPECT_EQ(reg.EnumKeyEx(key, 0, child, childSize), ERROR_ACCESS_DENIED);
    HKEY readable = nullptr;
    ASSERT_EQ(reg.OpenKeyEx(HKEY_CURRENT_USER, box.Path(), 0, KEY_READ, &readable), 0);
    key.reset(readable);
    childSize = 64;
    ASSERT_EQ(reg.EnumKeyEx(key, 0, child, childSize), 0);
    EXPECT_EQ(child, "child");
    childSize = 2;
    EXPECT_EQ(reg.EnumKeyEx(key, 0, child, childSize), ERROR_MORE_DATA);

    // OpenKeyQuery opens for reading values only, whatever mask it is given.
    ASSERT_EQ(reg.OpenKeyQuery(HKEY_CURRENT_USER, box.Path(), 0, KEY_ALL_ACCESS, &raw), 0);
    key.reset(raw);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2),
              ERROR_ACCESS_DENIED);
    HKEY writable = nullptr;
    ASSERT_EQ(reg.OpenKeyEx(HKEY_CURRENT_USER, box.Path(), 0, KEY_ALL_ACCESS, &writable), 0);
    EXPECT_EQ(RegSetValueExA(writable, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2), 0);
    EXPECT_EQ(reg.CloseKey(writable), 0);
    EXPECT_EQ(reg.OpenKeyEx(HKEY_CURRENT_USER, box.Sub("missing"), 0, KEY_READ, &writable),
              ERROR_FILE_NOT_FOUND);
}

} // namespace
