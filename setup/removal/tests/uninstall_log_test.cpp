#include "setup/removal/uninstall_log.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct SplitCase {
    const char* line;
    const char* key;
    const char* value;
};

TEST(SplitLogLine, FirstEqualsSplitsAndOnlyLineFeedsGo)
{
    const SplitCase cases[] = {
        {"FILE=C:\\a=b.txt\n", "FILE", "C:\\a=b.txt"},        // only the first '=' splits
        {"FILE=C:\\name \n", "FILE", "C:\\name "},            // trailing blank kept
        {"FILE =C:\\x.txt\n", "FILE ", "C:\\x.txt"},          // key not trimmed
        {" FILE=C:\\x.txt", " FILE", "C:\\x.txt"},
        {"no equals here\n", "", "no equals here"},          // whole line, line feed removed
        {"\n", "", ""},
        {"", "", ""},
        {"=value", "", "value"},
        {"REMOVEALL=", "REMOVEALL", ""},
        {"DIR=C:\\a\r\n", "DIR", "C:\\a\r"},                   // only LF goes; CR LF is the reader's job
        {"REGVAL=a\nb\n", "REGVAL", "ab"},                   // every line feed, not just the last
    };
    for (const SplitCase& c : cases) {
        const LogEntry entry = SplitLogLine(c.line);
        EXPECT_EQ(entry.key, c.key) << c.line;
        EXPECT_EQ(entry.value, c.value) << c.line;
    }
}

TEST(ClassifyLogKey, ExactCaseSensitiveTable)
{
    const std::pair<const char*, LogKey> cases[] = {
        {"TOTALFILE", LogKey::TotalFile}, {"FILE", LogKey::File},         {"SHORTCUT", LogKey::Shortcut},
        {"DIR", LogKey::Dir},             {"NTSERVICE", LogKey::NtService}, {"RUN3RD", LogKey::Run3rd},
        {"RUN3RDCMD", LogKey::Run3rdCmd}, {"REMOVEALL", LogKey::RemoveAll}, {"REGVAL", LogKey::RegVal},
        {"file", LogKey::Unknown},        {"FILE ", LogKey::Unknown},      {" FILE", LogKey::Unknown},
        {"", LogKey::Unknown},            {"FILES", LogKey::Unknown},      {"RUN3", LogKey::Unknown},
        {"TOTALFILES", LogKey::Unknown},  {"Dir", LogKey::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyLogKey(c.first), c.second) << '"' << c.first << '"';
}

TEST(ParseLogNumber, ReadsLikeAtoiWithoutOverflow)
{
    const std::pair<const char*, int> cases[] = {
        {"3", 3},
        {"  \t42abc", 42},
        {"+7", 7},
        {"-5", -5},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"12 34", 12},
        {"00017", 17},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLogNumber(c.first), c.second) << '"' << c.first << '"';
}

// Writes bytes to a temporary file opened for binary reading: the tests look at the piece logic,
// not at the runtime's CR LF translation.
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File FileWith(const std::string& bytes)
{
    File file(std::tmpfile());
    if (!file)
        return file;
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

std::vector<std::string> ReadAll(const std::string& bytes)
{
    std::vector<std::string> pieces;
    File file = FileWith(bytes);
    if (!file) {
        ADD_FAILURE() << "no temporary file";
        return pieces;
    }
    std::string line;
    while (ReadLogLine(file.get(), line))
        pieces.push_back(line);
    return pieces;
}

TEST(ReadLogLine, PiecesEndAtLineFeedOrAfter1023Characters)
{
    EXPECT_EQ(ReadAll(""), std::vector<std::string>{});
    EXPECT_EQ(ReadAll("A=1\nB=2\n"), (std::vector<std::string>{"A=1\n", "B=2\n"}));
    EXPECT_EQ(ReadAll("A=1\nB=2"), (std::vector<std::string>{"A=1\n", "B=2"})); // last line unended
    EXPECT_EQ(ReadAll("\n\n"), (std::vector<std::string>{"\n", "\n"}));

    // A 1500-character line: 1023 characters, then the remaining 477 with the line feed.
    const std::string longLine = "FILE=" + std::string(1494, 'x') + "\n";
    ASSERT_EQ(longLine.size(), 1500u);
    const std::vector<std::string> pieces = ReadAll(longLine + "DIR=C:\\d\n");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], longLine.substr(0, 1023));
    EXPECT_EQ(pieces[1], longLine.substr(1023));
    EXPECT_EQ(pieces[2], "DIR=C:\\d\n");

    // Exactly 1022 characters plus the line feed fit in one piece; one more character does not,
    // and the lone line feed then comes as an (ignored) empty entry of its own.
    EXPECT_EQ(ReadAll(std::string(1022, 'a') + "\n").size(), 1u);
    const std::vector<std::string> split = ReadAll(std::string(1023, 'a') + "\n");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0], std::string(1023, 'a'));
    EXPECT_EQ(split[1], "\n");
}

TEST(ReadLogLine, EmbeddedZeroEndsThePieceText)
{
    // The rest of the piece after a zero byte is consumed and dropped; the next line is intact.
    const std::string bytes = std::string("FILE=C:\\a") + '\0' + "junk\nDIR=C:\\b\n" + '\0' + "\nX=1";
    EXPECT_EQ(ReadAll(bytes), (std::vector<std::string>{"FILE=C:\\a", "DIR=C:\\b\n", "", "X=1"}));
}

#ifdef _WIN32
// The engine opens the log in text mode ("rt"); there the runtime hands over CR LF as LF, the
// piece limit counts what it hands over, and a Ctrl-Z ends the text.
TEST(ReadLogLine, TextModeOnWindowsFoldsCarriageReturnLineFeed)
{
    const std::string path = ::testing::TempDir() + "vantora-text-mode-test.log";
    const std::string bytes = "A=1\r\n" + std::string(1022, 'x') + "\r\nB=2\r\n\x1A" + "C=3\r\n";
    {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    std::vector<std::string> pieces;
    if (std::FILE* in = std::fopen(path.c_str(), "rt")) {
        std::string line;
        while (ReadLogLine(in, line))
            pieces.push_back(line);
        std::fclose(in);
    }
    std::remove(path.c_str());
    EXPECT_EQ(pieces, (std::vector<std::string>{"A=1\n", std::string(1022, 'x') + "\n", "B=2\n"}));
}
#endif

} // namespace
