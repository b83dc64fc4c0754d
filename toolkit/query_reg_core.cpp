#include "toolkit/query_reg_core.h"

#include <cstdio>
#include <limits>
#include <utility>

#include "common/error_report.h"

const char* const kTypeMismatchText = "Type mismatch";
const char* const kOverflowText = "Overflow";
const char* const kDuplicateKeyText =
    "This key is already associated with an element of this collection";

const char* const kRootLongNames[kRootCount] = {
    "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
};

RegBytes RegBytes::FromData(const std::vector<unsigned char>& data)
{
    std::vector<unsigned char> elements(data);
    elements.push_back(0);
    return FromElements(std::move(elements));
}

RegBytes RegBytes::FromElements(std::vector<unsigned char> elements)
{
    RegBytes bytes;
    if (!elements.empty())
        bytes.elements_ = std::move(elements);
    return bytes;
}

namespace {

struct TextVisitor {
    std::string operator()(std::monostate) const { return std::string(); }
    std::string operator()(const std::string& text) const { return text; }
    std::string operator()(RegNumber number) const
    {
        return std::to_string(static_cast<std::uint32_t>(number));
    }
    std::string operator()(const RegBytes& bytes) const
    {
        const std::vector<unsigned char> data = bytes.Data();
        return std::string(data.begin(), data.end());
    }
};

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return c - 'a' + 10;
}

// Text to a 32-bit number: decimal in the signed 32-bit range (negative numbers keep their
// bit pattern), or "&H" followed by up to eight hex digits.
std::uint32_t TextNumber(const std::string& raw)
{
    const std::string text = TrimSpaces(raw);
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        if (text.size() - 2 > 8)
            throw RunTimeError(kErrorOverflow, kOverflowText);
        std::uint32_t number = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            if (!IsHexDigit(text[i]))
                throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
            number = number * 16u + static_cast<std::uint32_t>(HexValue(text[i]));
        }
        return number;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL)
            throw RunTimeError(kErrorOverflow, kOverflowText);
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > 2147483647LL)
        throw RunTimeError(kErrorOverflow, kOverflowText);
    return static_cast<std::uint32_t>(value);
}

struct NumberVisitor {
    std::uint32_t operator()(std::monostate) const { return 0; }
    std::uint32_t operator()(const std::string& text) const { return TextNumber(text); }
    std::uint32_t operator()(RegNumber number) const
    {
        if (number > std::numeric_limits<std::uint32_t>::max())
            throw RunTimeError(kErrorOverflow, kOverflowText);
        return static_cast<std::uint32_t>(number);
    }
    std::uint32_t operator()(const RegBytes&) const
    {
        throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
    }
};

struct BytesVisitor {
    RegBytes operator()(std::monostate) const
    {
        throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
    }
    RegBytes operator()(const std::string& text) const
    {
        return RegBytes::FromData(std::vector<unsigned char>(text.begin(), text.end()));
    }
    RegBytes operator()(RegNumber) const
    {
        throw RunTimeError(kErrorTypeMismatch, kTypeMismatchText);
    }
    RegBytes operator()(const RegBytes& bytes) const { return bytes; }
};

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

} // namespace

std::string RegValueText(const RegValue& value) { return std::visit(TextVisitor(), value); }
std::uint32_t RegValueNumber(const RegValue& value) { return std::visit(NumberVisitor(), value); }
RegBytes RegValueBytes(const RegValue& value) { return std::visit(BytesVisitor(), value); }

std::string TrimSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

ParsedKeyPath ParseRootName(const std::string& keyPath)
{
    std::string path = TrimSpaces(keyPath);
    if (!path.empty() && path.back() == '\\')
        path.pop_back();

    std::string rootName;
    if (path.find("HKEY_") != std::string::npos) {
        const std::size_t slash = path.find('\\');
        if (slash == std::string::npos) {
            rootName = path;
            path.clear();
        } else {
            rootName = path.substr(0, slash);
            path.erase(0, slash + 1);
        }
    } else {
        // Order matters only in that it is the order the names were always tried in.
        static const struct {
            const char* prefix;
            int root;
        } kShort[] = {{"HKCR\\", 0}, {"HKCU\\", 1}, {"HKLM\\", 2}, {"HKU\\", 3},
                      {"HKCC\\", 5}, {"HKDD\\", 6}, {"HKPD\\", 4}};
        for (const auto& entry : kShort) {
            if (StartsWith(path, entry.prefix)) {
                path.erase(0, std::char_traits<char>::length(entry.prefix));
                return ParsedKeyPath{entry.root, path};
            }
        }
        return ParsedKeyPath{kDefaultRoot, path};
    }

    for (int i = 0; i < kRootCount; ++i) {
        if (rootName == kRootLongNames[i])
            return ParsedKeyPath{i, path};
    }
    return ParsedKeyPath{0, path};
}

std::string TrimRegString(const std::string& text, bool multiString)
{
    if (!multiString) {
        const std::size_t zero = text.find('\0');
        return zero == std::string::npos ? text : text.substr(0, zero);
    }
    std::string result = text;
    const std::size_t last = result.rfind('\0');
    if (last != std::string::npos)
        result.erase(last);
    for (char& c : result) {
        if (c == '\0')
            c = ' ';
    }
    return result;
}

std::string NumberText(std::uint32_t number)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(number));
    return std::string("0x") + hex + " (" + std::to_string(number) + ")";
}

std::string BytesText(const std::vector<unsigned char>& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
        text += ' ';
    }
    return text;
}

std::string BytesTextShort(const std::vector<unsigned char>& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char b : bytes) {
        if (b >= 16)
            text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
        text += ' ';
    }
    return text;
}

std::string DottedExtension(const std::string& extension)
{
    return extension.find('.') == std::string::npos ? "." + extension : extension;
}

AssociationArgs PrepareAssociation(const std::string& extension, const std::string& programPath,
                                   const std::string& verb, const std::string& progId,
                                   const std::string& description, bool appendSpace)
{
    AssociationArgs args;
    args.extension = DottedExtension(TrimSpaces(extension));
    args.programPath = TrimSpaces(programPath);
    if (!args.programPath.empty()) {
        if (args.programPath.find('.') == std::string::npos)
            args.programPath += ".exe";
        if (appendSpace)
            args.programPath += ' ';
    }
    args.progId = TrimSpaces(progId);
    if (args.progId.empty())
        args.progId = "progID" + args.extension;
    args.description = TrimSpaces(description);
    if (args.description.empty())
        args.description = "Descripci\xF3n de " + args.progId;
    args.verbDisplay = TrimSpaces(verb);
    args.verb = args.verbDisplay;
    const std::size_t amp = args.verb.find('&');
    if (amp != std::string::npos)
        args.verb.erase(amp, 1);
    return args;
}

bool NamesWholeRoot(const std::string& path)
{
    return path.find_first_not_of('\\') == std::string::npos;
}

bool IsSingleKeyName(const std::string& name)
{
    return !TrimSpaces(name).empty() && name.find('\\') == std::string::npos;
}

std::string ListedValueText(unsigned long type, const std::vector<unsigned char>& data)
{
    const std::string text(data.begin(), data.end());
    switch (type) {
    case 1:
    case 2:
        return TrimRegString(text, false);
    case 7: {
        // The list's own final zero goes first, so that "a", "b" reads "a b" as a single
        // value read does.
        std::string strings = text;
        if (!strings.empty() && strings.back() == '\0')
            strings.pop_back();
        return TrimRegString(strings, true);
    }
    case 4: {
        std::uint32_t number = 0;
        for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
            number |= static_cast<std::uint32_t>(data[i]) << (8 * i);
        return std::to_string(number);
    }
    default:
        return BytesText(data);
    }
}

bool ListingKeepsType(unsigned long wantedType, unsigned long type)
{
    return type == wantedType || (wantedType == 1 && (type == 2 || type == 7));
}
