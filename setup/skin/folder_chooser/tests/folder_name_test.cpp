#include <gtest/gtest.h>

#include "setup/skin/folder_chooser/folder_name.h"

TEST(IsValidFolderName, RefusesWhatTheSystemWouldTrimOrRefuse)
{
    for (const char* name : {"a", "My Files", "a..b", "\xC9t\xE9"})
        EXPECT_TRUE(IsValidFolderName(name)) << name;
    for (const char* name : {"", ".git", "name.", " name", "name ", "\tx", "x\t", "a\"b", "a*b",
                             "a/b", "a:b", "a<b", "a>b", "a?b", "a\\b", "a|b"})
        EXPECT_FALSE(IsValidFolderName(name)) << name;
    EXPECT_FALSE(IsValidFolderName(std::string("a\0b", 3)));
}

TEST(FolderChain, NamesEveryFolderFromTheRootOrNoneForABadForm)
{
    using Chain = std::vector<std::string>;
    EXPECT_EQ(FolderChain("C:\\Work\\New Project"), (Chain{"C:\\", "C:\\Work", "C:\\Work\\New Project"}));
    EXPECT_EQ(FolderChain("c:\\"), Chain{"c:\\"});
    const std::string longest = "C:\\" + std::string(kMaxFolderPathLength - 3, 'a');
    EXPECT_EQ(FolderChain(longest), (Chain{"C:\\", longest}));
    for (const std::string& bad : std::initializer_list<std::string>{
             longest + "a", "C:\\Work\\", "C:\\\\Work", "C:\\Work\\\\Sub", "C:\\Work\\ name", "\\\\server\\share",
             "Work\\Sub", "C:", "C:Work", "C:/Work", "1:\\Work", "", std::string("C:\\a\0b", 6)})
        EXPECT_TRUE(FolderChain(bad).empty()) << bad;
}
