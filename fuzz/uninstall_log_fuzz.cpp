// Feeds arbitrary bytes through the uninstall log reader and everything that interprets a log
// value (key table, number read, registry value paths, tree-delete guard), checking each against
// a plain model of what it must do.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>
#include <utility>
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

// The length of the piece a 1024-byte fgets buffer gives at `at`, and how much of the input it
// takes: up to and including a line feed, at most 1023 characters, then cut at its first zero.
struct ModelPiece {
    std::string::size_type length;
    std::string::size_type taken;
};

ModelPiece ModelPieceAt(const std::string& input, std::string::size_type at)
{
    std::string::size_type end = std::min(input.size(), at + 1023);
    const std::string::size_type lineFeed = input.find('\n', at);
    if (lineFeed < end)
        end = lineFeed + 1;
    const void* const zero = std::memchr(input.data() + at, '\0', end - at);
    const std::string::size_type length =
        zero == nullptr ? end - at : static_cast<const char*>(zero) - (input.data() + at);
    return {length, end - at};
}

LogEntry CheckEntry(const std::string& line)
{
    LogEntry entry = SplitLogLine(line);
    Check(entry.value.find('\n') == std::string::npos, "value holds a line feed");
    Check(entry.key.find('=') == std::string::npos, "key holds '='");
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos)
        Check(entry.key.empty(), "key without '='");
    else
        Check(entry.key.size() == equals && line.compare(0, equals, entry.key) == 0,
              "key is not the text before '='");
    // The value is the rest with its line feeds taken out: each run between them, in order.
    std::string::size_type from = equals == std::string::npos ? 0 : equals + 1;
    std::string::size_type at = 0;
    while (from <= line.size()) {
        const std::string::size_type lineFeed = std::min(line.find('\n', from), line.size());
        const std::string::size_type run = lineFeed - from;
        Check(at + run <= entry.value.size() && entry.value.compare(at, run, line, from, run) == 0,
              "value is not the rest without line feeds");
        at += run;
        from = lineFeed + 1;
    }
    Check(at == entry.value.size(), "value is not the rest without line feeds");

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
    return entry;
}

void CheckValuePath(const std::string& path)
{
    ValuePathParts plain;
    RegistryRoot plainRoot = RegistryRoot::None;
    for (LeadBytePredicate lead : {NoLeadBytes, FakeLeadByte}) {
        ValuePathParts parts = SplitValuePath(path, lead);
        Check(parts.subKey.size() + parts.valueName.size() <= path.size(), "split grew the text");
        // The value name never holds a backslash that is a character of its own.
        const char* const name = parts.valueName.data();
        const std::string::size_type size = parts.valueName.size();
        for (std::string::size_type i = 0; i < size; ++i) {
            if (lead(static_cast<unsigned char>(name[i])) && i + 1 < size)
                ++i;
            else
                Check(name[i] != '\\', "backslash in value name");
        }
        const RegistryRoot root = ChooseRegistryRoot(path, lead);
        if (lead == NoLeadBytes) {
            plain = std::move(parts);
            plainRoot = root;
        }
    }
    // Without any root name the split only cuts at the last backslash.
    if (path.find("HKEY_") == std::string::npos) {
        const std::string::size_type last = path.rfind('\\');
        if (last == std::string::npos)
            Check(plain.subKey == path && plain.valueName.empty(), "reassembly");
        else
            Check(plain.subKey.size() == last && path.compare(0, last, plain.subKey) == 0 &&
                      path.compare(last + 1, std::string::npos, plain.valueName) == 0,
                  "reassembly");
        Check(plainRoot == RegistryRoot::None, "root without a name");
    }
}

// The text with ASCII letters upper-cased (the classic locale's upper case, which leaves every
// other byte alone), written to `out`: kept by the caller across inputs, so that the copy does
// not allocate each time.
void Upper(const std::string& text, std::string& out)
{
    static const std::ctype<char>& classic = std::use_facet<std::ctype<char>>(std::locale::classic());
    out.assign(text);
    classic.toupper(&out[0], out.data() + out.size());
}

const std::vector<std::string>& Protected()
{
    static const std::vector<std::string> folders = {"C:\\Windows", "C:\\Program Files", "C:\\Users",
                                                     "C:\\Users\\me\\Documents", "D:\\Temp"};
    return folders;
}

void CheckGuard(const std::string& path)
{
    static const TreeDeleteGuard guard(Protected());
    static std::string upper, withBackslash;
    const bool safe = guard.Allows(path);
    // Upper-casing text without lower-case letters gives the same text: nothing to compare.
    Upper(path, upper);
    if (upper != path)
        Check(guard.Allows(upper) == safe, "ASCII case changes the answer");
    if (path.empty() || path.back() != '\\') {
        withBackslash.assign(path).push_back('\\');
        Check(guard.Allows(withBackslash) == safe, "a trailing backslash changes the answer");
    }
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
        const std::string::size_type length = end - start;
        Check(!(length == 1 && path[start] == '.') && !(length == 2 && path.compare(start, 2, "..") == 0),
              "dot component allowed");
        start = end + 1;
    }
    std::string body = upper;
    if (body.back() == '\\')
        body.pop_back();
    std::string guarded;
    for (const std::string& folder : Protected()) {
        Upper(folder, guarded);
        Check(guarded != body, "protected folder allowed");
        Check(guarded.compare(0, body.size() + 1, body + "\\") != 0, "ancestor of a protected folder allowed");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    // Each piece the reader gives is checked against the model's piece at the same place, then
    // interpreted as a log entry would be.
    std::string::size_type at = 0;
    if (size > 0) {
        // Opened for reading only: the stream never writes to the fuzzer's data.
        std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        Check(file != nullptr, "fmemopen");
        std::string line;
        while (ReadLogLine(file, line)) {
            Check(line.size() <= 1023, "piece longer than 1023 characters");
            Check(at < size, "a piece after the end of the input");
            const ModelPiece model = ModelPieceAt(input, at);
            Check(line.size() == model.length && input.compare(at, model.length, line) == 0,
                  "piece differs from the 1024-byte line read");
            at += model.taken;

            const LogEntry entry = CheckEntry(line);
            CheckValuePath(entry.value);
            CheckGuard(entry.value);
        }
        std::fclose(file);
    }
    Check(at == size, "pieces end before the input does");

    CheckEntry(input);
    CheckValuePath(input);
    CheckGuard(input);
    return 0;
}
