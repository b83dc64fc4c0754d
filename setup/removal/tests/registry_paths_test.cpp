#include "setup/removal/registry_paths.h"

#include <gtest/gtest.h>

namespace {

// Stand-in for a double-byte code page (as Shift-JIS): 0x81-0x9F and 0xE0-0xFC lead a pair.
bool FakeLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

struct RootCase {
    const char* path;
    RegistryRoot root;
};

TEST(ChooseRegistryRoot, SubstringTestLaterNameWins)
{
    const RootCase cases[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product\\InstallDir", RegistryRoot::LocalMachine},
        {"HKEY_CURRENT_USER\\Software\\Maker", RegistryRoot::CurrentUser},
        {"HKEY_CLASSES_ROOT\\.scx\\", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_CONFIG\\Software\\x", RegistryRoot::CurrentConfig},
        {"HKEY_USERS\\.DEFAULT\\x", RegistryRoot::Users},
        {"HKEY_CLASSES_ROOT\\a\\HKEY_USERS\\b", RegistryRoot::Users},         // later in test order
        {"HKEY_USERS\\a\\HKEY_CLASSES_ROOT\\b", RegistryRoot::Users},         // order of test, not text
        {"HKEY_LOCAL_MACHINE\\a\\HKEY_CURRENT_USER\\b", RegistryRoot::LocalMachine},
        {"Software\\HKEY_CURRENT_USER", RegistryRoot::CurrentUser},           // anywhere, no backslash needed
        {"hkey_local_machine\\SOFTWARE\\x", RegistryRoot::None},
        {"HKLM\\SOFTWARE\\x", RegistryRoot::None},
        {"HKCU\\Software\\x", RegistryRoot::None},
        {"", RegistryRoot::None},
    };
    for (const RootCase& c : cases)
        EXPECT_EQ(ChooseRegistryRoot(c.path, NoLeadBytes), c.root) << c.path;
}

TEST(ChooseRegistryRoot, TrailByteDoesNotStartARootName)
{
    // 0x82 'H' is one double-byte character, so no root name starts at the 'H'... but the
    // plain one afterwards still counts.
    EXPECT_EQ(ChooseRegistryRoot("\x82HKEY_USERS\\x", FakeLeadByte), RegistryRoot::None);
    EXPECT_EQ(ChooseRegistryRoot("\x82HKEY_USERS\\x", NoLeadBytes), RegistryRoot::Users);
    EXPECT_EQ(ChooseRegistryRoot("\x82H HKEY_USERS\\x", FakeLeadByte), RegistryRoot::Users);
}

struct SplitCase {
    const char* path;
    const char* subKey;
    const char* valueName;
};

TEST(SplitValuePath, PrefixesRemovedThenSplitAtLastBackslash)
{
    const SplitCase cases[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Maker\\Product\\InstallDir", "SOFTWARE\\Maker\\Product", "InstallDir"},
        {"HKEY_CURRENT_USER\\Software\\Maker", "Software", "Maker"},
        {"HKEY_CURRENT_USER\\Option", "Option", ""},                 // default value of key Option
        {"HKEY_CURRENT_USER\\Software\\Maker\\", "Software\\Maker", ""}, // trailing backslash
        {"HKEY_CURRENT_USER\\", "", ""},
        {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER", ""},              // no backslash after it: stays
        {"HKEY_CURRENT_USERSoftware\\x", "HKEY_CURRENT_USERSoftware", "x"},
        // Every occurrence goes, wherever it stands.
        {"HKEY_CLASSES_ROOT\\a\\HKEY_USERS\\b\\c", "a\\b", "c"},
        {"HKEY_CURRENT_USER\\x\\HKEY_CURRENT_USER\\y", "x", "y"},
        {"HKEY_CURRENT_CONFIG\\System\\v", "System", "v"},
        // One pass: a name formed where a removed piece was does not go.
        {"HKEY_USHKEY_USERS\\ERS\\k\\v", "HKEY_USERS\\k", "v"},
        // Lower case or short roots stay part of the key path (and choose no root).
        {"hkey_current_user\\Software\\v", "hkey_current_user\\Software", "v"},
        {"HKLM\\SOFTWARE\\v", "HKLM\\SOFTWARE", "v"},
        {"", "", ""},
        {"\\", "", ""},
        {"a\\\\b", "a\\", "b"},
    };
    for (const SplitCase& c : cases) {
        const ValuePathParts parts = SplitValuePath(c.path, NoLeadBytes);
        EXPECT_EQ(parts.subKey, c.subKey) << c.path;
        EXPECT_EQ(parts.valueName, c.valueName) << c.path;
    }
}

TEST(SplitValuePath, TrailByteEqualToBackslashIsNotASeparator)
{
    // "\x95\x5C" is one double-byte character whose trail byte is the backslash code.
    const std::string path = "HKEY_CURRENT_USER\\Software\\Maker\\Opt\x95\x5C";
    ValuePathParts parts = SplitValuePath(path, FakeLeadByte);
    EXPECT_EQ(parts.subKey, "Software\\Maker");
    EXPECT_EQ(parts.valueName, "Opt\x95\x5C");

    // A single-byte page reads the same bytes as a trailing backslash.
    parts = SplitValuePath(path, NoLeadBytes);
    EXPECT_EQ(parts.subKey, "Software\\Maker\\Opt\x95");
    EXPECT_EQ(parts.valueName, "");

    // Pairs are counted from the start: "\x95\x95" is one character, so the next 0x5C is real.
    parts = SplitValuePath("K\x95\x95\\v", FakeLeadByte);
    EXPECT_EQ(parts.subKey, "K\x95\x95");
    EXPECT_EQ(parts.valueName, "v");

    // A lead byte at the very end has no partner and stands alone.
    parts = SplitValuePath("K\\v\x95", FakeLeadByte);
    EXPECT_EQ(parts.subKey, "K");
    EXPECT_EQ(parts.valueName, "v\x95");
}

TEST(SplitValuePath, PrefixMatchesOnlyAtCharacterStarts)
{
    // "\x95H" is one character; the root name after it is not a prefix occurrence.
    const ValuePathParts parts = SplitValuePath("\x95HKEY_USERS\\k\\v", FakeLeadByte);
    EXPECT_EQ(parts.subKey, "\x95HKEY_USERS\\k");
    EXPECT_EQ(parts.valueName, "v");
}

} // namespace
