// Feeds arbitrary bytes through the uninstall log reader and everything that interprets a log
// value (key table, number read, registry value paths, tree-delete guard), checking each against
// a plain model of what it must do.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "setup/removal/registry_paths.h"
#include "setup/removal/tree_delete_guard.h"
#include "setup/removal/uninstall_log.h"

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool FakeLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The pieces a 1024-byte fgets buffer gives, each then cut at its first zero byte.
std::vector<std::string> ModelPieces(const std::string& input)
{
    std::vector<std::string> pieces;
    std::string::size_type at = 0;
    while (at < input.size()) {
        std::string::size_type end = at;
        while (end < input.size() && end - at < 1023) {
            if (input[end++] == '\n')
                break;
        }
        std::string piece = input.substr(at, end - at);
        piece.resize(std::strlen(piece.c_str()));
        pieces.push_back(piece);
        at = end;
    }
    return pieces;
}

void CheckEntry(const std::string& line)
{
    const LogEntry entry = SplitLogLine(line);
    Check(entry.value.find('\n') == std::string::npos, "value holds a line feed");
    Check(entry.key.find('=') == std::string::npos, "key holds '='");
    std::string withoutLineFeeds;
    const std::string::size_type equals = line.find('=');
    const std::string rest = equals == std::string::npos ? line : line.substr(equals + 1);
    for (char c : rest) {
        if (c != '\n')
            withoutLineFeeds += c;
    }
    Check(entry.value == withoutLineFeeds, "value is not the rest without line feeds");
    if (equals == std::string::npos)
        Check(entry.key.empty(), "key without '='");
    else
        Check(entry.key == line.substr(0, equals), "key is not the text before '='");

    static const char* const kNames[] = {"TOTALFILE", "FILE",      "SHORTCUT",  "DIR",   "NTSERVICE",
                                         "RUN3RD",    "RUN3RDCMD", "REMOVEALL", "REGVAL"};
    bool known = false;
    for (const char* name : kNames)
        known = known || entry.key == name;
    Check((ClassifyLogKey(entry.key) != LogKey::Unknown) == known, "key table");

    if (entry.value.find('\0') == std::string::npos) {
        long long model = std::strtoll(entry.value.c_str(), nullptr, 10);
        if (model > 2147483647LL)
            model = 2147483647LL;
        if (model < -2147483647LL - 1)
            model = -2147483647LL - 1;
        Check(ParseLogNumber(entry.value) == model, "number read");
    }
}

void CheckValuePath(const std::string& path)
{
    for (LeadBytePredicate lead : {NoLeadBytes, FakeLeadByte}) {
        const ValuePathParts parts = SplitValuePath(path, lead);
        Check(parts.subKey.size() + parts.valueName.size() <= path.size(), "split grew the text");
        // The value name never holds a backslash that is a character of its own.
        for (std::string::size_type i = 0; i < parts.valueName.size(); ++i) {
            if (lead(static_cast<unsigned char>(parts.valueName[i])) && i + 1 < parts.valueName.size())
                ++i;
            else
                Check(parts.valueName[i] != '\\', "backslash in value name");
        }
        (void)ChooseRegistryRoot(path, lead);
    }
    // Without any root name the split only cuts at the last backslash.
    if (path.find("HKEY_") == std::string::npos) {
        const ValuePathParts parts = SplitValuePath(path, NoLeadBytes);
        const bool hasBackslash = path.find('\\') != std::string::npos;
        Check((hasBackslash ? parts.subKey + "\\" + parts.valueName : parts.subKey) == path, "reassembly");
        Check(ChooseRegistryRoot(path, NoLeadBytes) == RegistryRoot::None, "root without a name");
    }
}

std::string Upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

void CheckGuard(const std::string& path)
{
    static const std::vector<std::string> kProtected = {"C:\\Windows", "C:\\Program Files", "C:\\Users",
                                                        "C:\\Users\\me\\Documents", "D:\\Temp"};
    const bool safe = IsSafeTreeDeletePath(path, kProtected);
    Check(IsSafeTreeDeletePath(Upper(path), kProtected) == safe, "ASCII case changes the answer");
    if (path.empty() || path.back() != '\\')
        Check(IsSafeTreeDeletePath(path + "\\", kProtected) == safe, "a trailing backslash changes the answer");
    if (!safe)
        return;
    Check(path.size() >= 4 && path[1] == ':' && path[2] == '\\', "unsafe shape allowed");
    for (const char* bad : {"*", "?", "/", "\\\\"})
        Check(path.find(bad) == std::string::npos, "unsafe character allowed");
    std::string::size_type start = 3;
    while (start <= path.size()) {
        std::string::size_type end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string component = path.substr(start, end - start);
        Check(component != "." && component != "..", "dot component allowed");
        start = end + 1;
    }
    std::string body = Upper(path);
    if (body.back() == '\\')
        body.pop_back();
    for (const std::string& folder : kProtected) {
        const std::string guarded = Upper(folder);
        Check(guarded != body, "protected folder allowed");
        Check(guarded.compare(0, body.size() + 1, body + "\\") != 0, "ancestor of a protected folder allowed");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> pieces;
    if (size > 0) {
        std::vector<char> buffer(input.begin(), input.end());
        std::FILE* file = fmemopen(buffer.data(), buffer.size(), "rb");
        Check(file != nullptr, "fmemopen");
        std::string line;
        while (ReadLogLine(file, line)) {
            Check(line.size() <= 1023, "piece longer than 1023 characters");
            pieces.push_back(line);
        }
        std::fclose(file);
    }
    Check(pieces == ModelPieces(input), "pieces differ from the 1024-byte line reads");

    for (const std::string& piece : pieces) {
        CheckEntry(piece);
        const LogEntry entry = SplitLogLine(piece);
        CheckValuePath(entry.value);
        CheckGuard(entry.value);
    }
    CheckEntry(input);
    CheckValuePath(input);
    CheckGuard(input);
    return 0;
}
