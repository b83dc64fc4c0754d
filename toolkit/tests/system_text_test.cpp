#include "toolkit/system_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

// Behaves as GetWindowsDirectoryA does for `path`: copies it with its zero when it fits and
// returns its length, otherwise returns the size it needs (with the zero). Records the sizes
// it was offered and checks that each buffer it got was filled with spaces.
struct FakeDirectory {
    explicit FakeDirectory(std::string p) : path(std::move(p)) {}
    std::string path;
    std::vector<std::uint32_t> sizes;
    bool spacesOffered = true;

    DirectoryCall Call()
    {
        return [this](char* buffer, std::uint32_t size) -> std::uint32_t {
            sizes.push_back(size);
            if (std::string(buffer, size) != std::string(size, ' '))
                spacesOffered = false;
            const auto length = static_cast<std::uint32_t>(path.size());
            if (length + 1 > size)
                return length + 1;
            std::memcpy(buffer, path.c_str(), length + 1);
            return length;
        };
    }
};

TEST(ReadDirectoryText, ShortPathTakesOneCall)
{
    FakeDirectory fake("C:\\windows");
    EXPECT_EQ(ReadDirectoryText(fake.Call()), "C:\\windows");
    EXPECT_EQ(fake.sizes, std::vector<std::uint32_t>{260});
    EXPECT_TRUE(fake.spacesOffered);
}

TEST(ReadDirectoryText, PathsAroundTheLimit)
{
    // 259 characters and their zero fill the first buffer exactly; 260 need the second call.
    struct Case {
        std::size_t length;
        std::vector<std::uint32_t> sizes;
    } const cases[] = {{259, {260}}, {260, {260, 261}}, {261, {260, 262}}, {1000, {260, 1001}}};
    for (const Case& c : cases) {
        FakeDirectory fake("C:\\" + std::string(c.length - 3, 'd'));
        EXPECT_EQ(ReadDirectoryText(fake.Call()), fake.path) << c.length;
        EXPECT_EQ(fake.sizes, c.sizes) << c.length;
        EXPECT_TRUE(fake.spacesOffered) << c.length;
    }
}

TEST(ReadDirectoryText, FailureGivesEmptyText)
{
    EXPECT_EQ(ReadDirectoryText([](char*, std::uint32_t) -> std::uint32_t { return 0; }), "");
}

TEST(ReadDirectoryText, PathThatGrowsBetweenTheCallsGivesEmptyTextNotACutOne)
{
    std::uint32_t calls = 0;
    const DirectoryCall growing = [&calls](char*, std::uint32_t) -> std::uint32_t {
        ++calls;
        return calls == 1 ? 300u : 400u;
    };
    EXPECT_EQ(ReadDirectoryText(growing), "");
    EXPECT_EQ(calls, 2u);
}

TEST(ReadDirectoryText, LengthBeyondTheBufferIsNeverRead)
{
    // A call that claims exactly the buffer's size without asking for more: the result stops at
    // the buffer's end.
    EXPECT_EQ(ReadDirectoryText([](char*, std::uint32_t) -> std::uint32_t { return 260; }),
              std::string(260, ' '));
}

// Behaves as GetComputerNameA (countsZero false) or GetUserNameA (countsZero true).
SizedTextCall FakeName(const std::string& name, bool countsZero, std::vector<std::uint32_t>* offered = nullptr)
{
    return [=](char* buffer, std::uint32_t& size) {
        if (offered != nullptr)
            offered->push_back(size);
        const auto length = static_cast<std::uint32_t>(name.size());
        if (length + 1 > size) {
            size = length + 1;
            return false;
        }
        std::memcpy(buffer, name.c_str(), length + 1);
        size = countsZero ? length + 1 : length;
        return true;
    };
}

TEST(ReadSizedText, ComputerAndUserNameRules)
{
    struct Case {
        const char* what;
        std::uint32_t bufferSize, drop;
        std::string name;
        bool countsZero;
        std::string expected;
    } const cases[] = {
        {"computer", 16, 0, "WORKSTATION7", false, "WORKSTATION7"},
        {"computer longest", 16, 0, "ABCDEFGHIJKLMNO", false, "ABCDEFGHIJKLMNO"},
        {"computer too long", 16, 0, "ABCDEFGHIJKLMNOP", false, ""},
        {"user", 255, 1, "operador", true, "operador"},
        {"user longest", 255, 1, std::string(254, 'u'), true, std::string(254, 'u')},
        {"user too long", 255, 1, std::string(255, 'u'), true, ""},
        {"user with ANSI byte", 255, 1, "Mar\xEDn", true, "Mar\xEDn"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> offered;
        EXPECT_EQ(ReadSizedText(c.bufferSize, c.drop, FakeName(c.name, c.countsZero, &offered)), c.expected)
            << c.what;
        EXPECT_EQ(offered, std::vector<std::uint32_t>{c.bufferSize}) << c.what;
    }
}

TEST(ReadSizedText, ReportedSizeIsNeverTakenPastTheBuffer)
{
    const SizedTextCall lying = [](char*, std::uint32_t& size) {
        size = 5000;
        return true;
    };
    EXPECT_EQ(ReadSizedText(16, 0, lying), std::string(16, ' '));
    const SizedTextCall zero = [](char*, std::uint32_t& size) {
        size = 0;
        return true;
    };
    EXPECT_EQ(ReadSizedText(255, 1, zero), "");
    EXPECT_EQ(ReadSizedText(0, 0, lying), "");
}

} // namespace
