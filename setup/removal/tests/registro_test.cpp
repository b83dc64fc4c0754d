#include "setup/removal/registro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/handles.h"
#include "tests/support/unique_name.h"

namespace {

// A key of this test alone, e.g. SOFTWARE\VantoraTest\1234-7 under the given root, removed with
// everything below it when the test ends.
class ScratchKey {
public:
    ScratchKey(HKEY root, const std::string& parent) : root_(root), parent_(parent)
    {
        path_ = parent + (parent.empty() ? "" : "\\") + UniqueName("VantoraTest-");
        RegKey key;
        created_ = RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                                   nullptr) == ERROR_SUCCESS;
    }
    ~ScratchKey()
    {
        RegDeleteTreeA(root_, path_.c_str());
        RegDeleteKeyA(root_, path_.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    bool created() const { return created_; }
    const std::string& path() const { return path_; }

    void SetString(const std::string& sub, const char* name, const std::string& text) const
    {
        SetValue(sub, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    void SetValue(const std::string& sub, const char* name, DWORD type, const void* data, DWORD size) const
    {
        RegKey key;
        ASSERT_EQ(RegCreateKeyExA(root_, Under(sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    bool HasValue(const std::string& sub, const char* name) const
    {
        RegKey key;
        if (RegOpenKeyExA(root_, Under(sub).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
            return false;
        return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    bool HasKey(const std::string& sub) const
    {
        RegKey key;
        return RegOpenKeyExA(root_, Under(sub).c_str(), 0, KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS;
    }
    std::string Under(const std::string& sub) const { return sub.empty() ? path_ : path_ + "\\" + sub; }

private:
    HKEY root_;
    std::string parent_;
    std::string path_;
    bool created_ = false;
};

// --- DeleteRegistryValue ------------------------------------------------------------------------

TEST(DeleteRegistryValue, DeletesTheNamedValueUnderLocalMachine)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("Maker\\Product", "InstallDir", "C:\\App");
    scratch.SetString("Maker\\Product", "Keep", "x");

    DeleteRegistryValue("HKEY_LOCAL_MACHINE\\" + scratch.Under("Maker\\Product") + "\\InstallDir");

    EXPECT_FALSE(scratch.HasValue("Maker\\Product", "InstallDir"));
    EXPECT_TRUE(scratch.HasValue("Maker\\Product", "Keep"));
    EXPECT_TRUE(scratch.HasKey("Maker\\Product"));
}

TEST(DeleteRegistryValue, TwoPartPathNamesAValueOfAFirstLevelKey)
{
    // As HKEY_CURRENT_USER\Software\Maker deletes value Maker of key Software: here the first-level
    // key is one of our own.
    ScratchKey scratch(HKEY_CURRENT_USER, "");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "Maker", "v");
    scratch.SetString("", "Other", "v");
    scratch.SetString("Maker", "", "sub-key of the same name is not what is meant");

    DeleteRegistryValue("HKEY_CURRENT_USER\\" + scratch.path() + "\\Maker");

    EXPECT_FALSE(scratch.HasValue("", "Maker"));
    EXPECT_TRUE(scratch.HasValue("", "Other"));
    EXPECT_TRUE(scratch.HasValue("Maker", ""));
}

TEST(DeleteRegistryValue, RootAndOneNameDeletesThatKeysDefaultValue)
{
    ScratchKey scratch(HKEY_CURRENT_USER, "");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "", "default");
    scratch.SetString("", "Named", "v");

    DeleteRegistryValue("HKEY_CURRENT_USER\\" + scratch.path());

    EXPECT_FALSE(scratch.HasValue("", ""));
    EXPECT_TRUE(scratch.HasValue("", "Named"));
    EXPECT_TRUE(scratch.HasKey(""));
}

TEST(DeleteRegistryValue, TrailingBackslashDeletesTheDefaultValue)
{
    ScratchKey scratch(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("Maker", "", "default");
    scratch.SetString("Maker", "Maker", "named");

    DeleteRegistryValue("HKEY_CURRENT_USER\\" + scratch.Under("Maker") + "\\");

    EXPECT_FALSE(scratch.HasValue("Maker", ""));
    EXPECT_TRUE(scratch.HasValue("Maker", "Maker"));
}

TEST(DeleteRegistryValue, UnknownRootSpellingsDeleteNothing)
{
    ScratchKey scratch(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "Option", "v");

    const std::string rest = "\\" + scratch.path() + "\\Option";
    for (const char* root : {"hkey_current_user", "HKCU", "HKEY_Current_User", "CURRENT_USER", ""})
        DeleteRegistryValue(root + rest);
    DeleteRegistryValue(scratch.path() + "\\Option");

    EXPECT_TRUE(scratch.HasValue("", "Option"));
}

TEST(DeleteRegistryValue, LaterRootNameInTestOrderWins)
{
    // CLASSES_ROOT first in the text, USERS deeper in: the value is looked for under HKEY_USERS.
    ScratchKey users(HKEY_USERS, ".DEFAULT\\Software");
    if (!users.created())
        GTEST_SKIP() << "HKEY_USERS\\.DEFAULT is not writable here";
    users.SetString("", "Option", "v");
    users.SetString("", "Keep", "v");

    DeleteRegistryValue("HKEY_CLASSES_ROOT\\HKEY_USERS\\" + users.path() + "\\Option");

    EXPECT_FALSE(users.HasValue("", "Option"));
    EXPECT_TRUE(users.HasValue("", "Keep"));
}

TEST(DeleteRegistryValue, MissingKeyOrValueIsPassedOver)
{
    ScratchKey scratch(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "Keep", "v");

    DeleteRegistryValue("HKEY_CURRENT_USER\\" + scratch.path() + "\\Missing");
    DeleteRegistryValue("HKEY_CURRENT_USER\\" + scratch.Under("NoSuchKey") + "\\Keep");

    EXPECT_TRUE(scratch.HasValue("", "Keep"));
    EXPECT_FALSE(scratch.HasKey("NoSuchKey")); // opening never creates
}

// --- CRegistro::ReadValue -----------------------------------------------------------------------

TEST(CRegistroReadValue, ReadsTextOfExistingValues)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "DisplayName", "Scrivex Pro");
    scratch.SetString("", "Empty", "");
    const char binary[] = {'a', 'b', '\0', 'c'};
    scratch.SetValue("", "Binary", REG_BINARY, binary, sizeof binary);
    const char noZero[] = {'x', 'y', 'z'};
    scratch.SetValue("", "NoZero", REG_BINARY, noZero, sizeof noZero);
    const DWORD number = 0x00313233; // bytes 33 32 31 00
    scratch.SetValue("", "Number", REG_DWORD, &number, sizeof number);
    scratch.SetValue("", "Nothing", REG_BINARY, nullptr, 0);

    const CRegistro reg;
    EXPECT_EQ(reg.ReadValue(scratch.path(), "DisplayName"), "Scrivex Pro");
    EXPECT_EQ(reg.ReadValue(scratch.path(), "Empty"), "");
    EXPECT_EQ(reg.ReadValue(scratch.path(), "Binary"), "ab");  // up to the first zero byte
    EXPECT_EQ(reg.ReadValue(scratch.path(), "NoZero"), "xyz");  // all bytes when there is none
    EXPECT_EQ(reg.ReadValue(scratch.path(), "Number"), "321");  // the type is not looked at
    EXPECT_EQ(reg.ReadValue(scratch.path(), "Nothing"), "");
}

TEST(CRegistroReadValue, MissingKeyOrValueGivesEmptyText)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "DisplayName", "Scrivex");

    const CRegistro reg;
    EXPECT_EQ(reg.ReadValue(scratch.path(), "LastInstallationPath"), "");
    EXPECT_EQ(reg.ReadValue(scratch.Under("Missing"), "DisplayName"), "");
    EXPECT_EQ(reg.ReadValue("", "no such value at the root"), "");
}

TEST(CRegistroReadValue, TextsOver255CharactersAreRefused)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    // A sub-key whose name makes the whole path exactly 255 characters, and one a character longer.
    const std::string::size_type room = 255 - scratch.path().size() - 1;
    const std::string fits(room, 'k');
    const std::string over(room + 1, 'k');
    scratch.SetString(fits, "V", "fits");
    scratch.SetString(over, "V", "over");
    const std::string longName(256, 'n');
    scratch.SetString("", longName.c_str(), "long name");
    scratch.SetString("", longName.substr(0, 255).c_str(), "name fits");

    const CRegistro reg;
    ASSERT_EQ(scratch.Under(fits).size(), 255u);
    EXPECT_EQ(reg.ReadValue(scratch.Under(fits), "V"), "fits");
    EXPECT_EQ(reg.ReadValue(scratch.Under(over), "V"), "");
    EXPECT_EQ(reg.ReadValue(scratch.path(), longName.substr(0, 255)), "name fits");
    EXPECT_EQ(reg.ReadValue(scratch.path(), longName), "");
}

// --- DeleteUninstallKey -------------------------------------------------------------------------

TEST(DeleteUninstallKey, KeyWithOnlyValuesIsDeleted)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("{P-1}", "DisplayName", "Scrivex");
    scratch.SetString("{P-1}", "LastInstallationPath", "C:\\App\\");

    DeleteUninstallKey(scratch.Under("{P-1}"));

    EXPECT_FALSE(scratch.HasKey("{P-1}"));
    EXPECT_TRUE(scratch.HasKey(""));
}

TEST(DeleteUninstallKey, KeyWithSubKeySurvives)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("{P-2}", "DisplayName", "Scrivex");
    scratch.SetString("{P-2}\\Extra", "v", "x");

    DeleteUninstallKey(scratch.Under("{P-2}"));

    EXPECT_TRUE(scratch.HasKey("{P-2}\\Extra"));
    EXPECT_TRUE(scratch.HasValue("{P-2}", "DisplayName"));
}

TEST(DeleteUninstallKey, PathsThatNameNoProductKeyDeleteNothing)
{
    ScratchKey scratch(HKEY_LOCAL_MACHINE, "SOFTWARE");
    ASSERT_TRUE(scratch.created());
    scratch.SetString("", "DisplayName", "Scrivex");
    // Over the 255-character limit: refused rather than cut to a different key.
    const std::string::size_type room = 255 - scratch.path().size() - 1;
    const std::string over(room + 1, 'k');
    scratch.SetString(over, "v", "x");

    DeleteUninstallKey(scratch.path() + "\\"); // an empty product code
    DeleteUninstallKey(scratch.Under(over));
    DeleteUninstallKey("");

    EXPECT_TRUE(scratch.HasValue("", "DisplayName"));
    EXPECT_TRUE(scratch.HasKey(over));
}

} // namespace
