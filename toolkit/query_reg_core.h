#pragma once

// The decisions of the registry class that need no system: root names, the text forms of
// numbers and bytes, the cut of registry strings, the conversions of values handed in by a
// caller, and the preparation of file-association arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A byte array as the class exchanges it: elements 0 .. n-1 are the data, element n is a spare
// zero, so the upper bound equals the number of data bytes. An array handed in by a caller may
// carry anything in its last element; only elements 0 .. upper bound - 1 are ever written.
class RegBytes {
public:
    RegBytes() : elements_(1, 0) {} // no data: upper bound 0, the spare zero alone
    // n data bytes followed by the spare zero.
    static RegBytes FromData(const std::vector<unsigned char>& data);
    // An array exactly as a caller built it (at least one element: the upper bound is
    // size - 1). An empty vector becomes the array without data.
    static RegBytes FromElements(std::vector<unsigned char> elements);

    std::size_t UpperBound() const { return elements_.size() - 1; }
    const std::vector<unsigned char>& Elements() const { return elements_; }
    std::vector<unsigned char> Data() const
    {
        return std::vector<unsigned char>(elements_.begin(), elements_.end() - 1);
    }
    bool operator==(const RegBytes& other) const { return elements_ == other.elements_; }
    bool operator!=(const RegBytes& other) const { return !(*this == other); }

private:
    std::vector<unsigned char> elements_;
};

// The values the class reads and writes. std::monostate is the empty variant: "nothing was
// read", which is not the same as an empty string. The number alternative is unsigned long so
// that on Windows it is exactly DWORD; it always holds a 32-bit quantity.
using RegNumber = unsigned long;
using RegValue = std::variant<std::monostate, std::string, RegNumber, RegBytes>;

// The value "as a string": empty variant -> "", a string as it is, a number in decimal, a byte
// array as its data bytes taken as characters.
std::string RegValueText(const RegValue& value);
// The value as a 32-bit number for type 4: empty -> 0, a number as it is, a string holding a
// decimal (optionally signed, surrounded by spaces) or "&H" hexadecimal number. Text that is
// no number and byte arrays throw RunTimeError 13 "Type mismatch"; a number outside the 32-bit
// range throws RunTimeError 6 "Overflow". Negative numbers keep their 32-bit pattern.
std::uint32_t RegValueNumber(const RegValue& value);
// The value as a byte array for type 3: an array as it is, a string as its characters with
// the spare zero. The empty variant and numbers throw RunTimeError 13 "Type mismatch".
RegBytes RegValueBytes(const RegValue& value);

constexpr long kErrorTypeMismatch = 13;
constexpr long kErrorOverflow = 6;
constexpr long kErrorDuplicateKey = 457;
extern const char* const kTypeMismatchText;        // "Type mismatch"
extern const char* const kOverflowText;            // "Overflow"
extern const char* const kDuplicateKeyText;        // "This key is already associated ..."

// Root names. Index 0..6 follows the predefined handles 0x80000000..0x80000006.
constexpr int kRootCount = 7;
constexpr int kDefaultRoot = -1; // the path names no root: the operation's default applies
extern const char* const kRootLongNames[kRootCount];

struct ParsedKeyPath {
    int root;         // 0..6, or kDefaultRoot
    std::string path; // the key path without its root part
};
// Splits a key path into its root and the rest. Spaces around the path and one trailing "\"
// go; a path holding "HKEY_" anywhere names its root before the first "\" (an unknown name
// gives HKEY_CLASSES_ROOT, index 0); otherwise a short prefix ("HKCR\", "HKCU\", "HKLM\",
// "HKU\", "HKCC\", "HKDD\", "HKPD\", in this order) names it. All comparisons are exact.
ParsedKeyPath ParseRootName(const std::string& keyPath);

// Spaces (only spaces) removed from both ends.
std::string TrimSpaces(const std::string& text);
// Multi-string mode: drop the last zero and all after it, then every remaining zero becomes a
// space. Otherwise: cut at the first zero.
std::string TrimRegString(const std::string& text, bool multiString);

// "0x" + eight upper-case hex digits + " (" + decimal + ")": 26 -> "0x0000001A (26)".
std::string NumberText(std::uint32_t number);
// Each byte as two upper-case hex digits and a space: {10, 255} -> "0A FF ".
std::string BytesText(const std::vector<unsigned char>& bytes);
// Each byte in upper-case hex without a leading zero and a space: {10, 255} -> "A FF ".
std::string BytesTextShort(const std::vector<unsigned char>& bytes);

// The arguments of a file association after preparation.
struct AssociationArgs {
    std::string extension;   // with its leading "."
    std::string programPath; // ".exe" added when it has no "."; one space appended if asked
    std::string verb;        // without its first "&"
    std::string verbDisplay; // the verb as given (trimmed)
    std::string progId;      // "progID" + extension when none was given
    std::string description; // "Descripci\xF3n de " + ProgID when none was given
};
AssociationArgs PrepareAssociation(const std::string& extension, const std::string& programPath,
                                   const std::string& verb, const std::string& progId,
                                   const std::string& description, bool appendSpace);
// "." in front of an extension that holds none.
std::string DottedExtension(const std::string& extension);

// True for a key path that, under its root, names the root itself ("", "\", "\\"...). A
// recursive delete of such a path would empty a whole hive.
bool NamesWholeRoot(const std::string& path);

// True for a name that, appended to a key path, names exactly one key below it: not blank and
// without a "\". A blank name would leave the parent itself once the path is trimmed.
bool IsSingleKeyName(const std::string& name);
// The value text of a listing: types 1 and 2 cut at the first zero, 7 joined by spaces, 4 in
// decimal, anything else as "0A FF " bytes. data is what the registry returned.
std::string ListedValueText(unsigned long type, const std::vector<unsigned char>& data);
// Whether a listing filtered by wantedType keeps a value of type: 1 also keeps 2 and 7.
bool ListingKeepsType(unsigned long wantedType, unsigned long type);
