#include "setup/removal/registry_paths.h"

namespace {

// Finds `what` in `text`, matching only at character starts: a double-byte character's trail
// byte never begins a root name. `start` must itself be a character start (0, or where an
// earlier match of an ASCII name began), so the scan need not walk the text from its beginning.
std::string::size_type FindAtCharacter(const std::string& text, const std::string& what,
                                       std::string::size_type start, LeadBytePredicate isLeadByte)
{
    // Most values name no root at all: a plain byte search says so without the character walk.
    if (text.find(what, start) == std::string::npos)
        return std::string::npos;
    std::string::size_type i = start;
    while (i < text.size()) {
        // The first character rules out most places without comparing the whole name.
        if ((what.empty() || text[i] == what[0]) && text.compare(i, what.size(), what) == 0)
            return i;
        const bool pair = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return std::string::npos;
}

bool Contains(const std::string& text, const std::string& what, LeadBytePredicate isLeadByte)
{
    return FindAtCharacter(text, what, 0, isLeadByte) != std::string::npos;
}

// One pass over the occurrences present before the removal, as the installer's runtime did: a
// root name that only forms where two removed pieces meet stays. The names are ASCII, so the
// place of a removed one is still a character start for the scan that goes on from it.
void RemoveAll(std::string& text, const std::string& what, LeadBytePredicate isLeadByte)
{
    std::string::size_type at = 0;
    while ((at = FindAtCharacter(text, what, at, isLeadByte)) != std::string::npos)
        text.erase(at, what.size());
}

// The text every root name begins with.
const char* const kRootStart = "HKEY_";

} // namespace

bool NoLeadBytes(unsigned char)
{
    return false;
}

RegistryRoot ChooseRegistryRoot(const std::string& valuePath, LeadBytePredicate isLeadByte)
{
    // Names held as strings: a look-up per name must not build (and free) a string each time.
    struct Root {
        std::string name;
        RegistryRoot root;
    };
    // The order matters: a later name overrides an earlier one.
    static const Root kRoots[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},
    };
    RegistryRoot chosen = RegistryRoot::None;
    // Every root name starts so: one search tells most values apart from those naming a root.
    if (valuePath.find(kRootStart) == std::string::npos)
        return chosen;
    for (const Root& root : kRoots) {
        if (Contains(valuePath, root.name, isLeadByte))
            chosen = root.root;
    }
    return chosen;
}

ValuePathParts SplitValuePath(const std::string& valuePath, LeadBytePredicate isLeadByte)
{
    // This order differs from the root choice; it is the order the installer's paths were
    // cleaned in, and only matters for paths that name several roots.
    static const std::string kPrefixes[] = {
        "HKEY_CLASSES_ROOT\\", "HKEY_CURRENT_USER\\", "HKEY_LOCAL_MACHINE\\",
        "HKEY_USERS\\",        "HKEY_CURRENT_CONFIG\\",
    };
    // A value without any root name is split as it is, without a cleaned copy.
    std::string cleaned;
    const bool namesRoot = valuePath.find(kRootStart) != std::string::npos;
    if (namesRoot) {
        cleaned = valuePath;
        for (const std::string& prefix : kPrefixes)
            RemoveAll(cleaned, prefix, isLeadByte);
    }
    const std::string& rest = namesRoot ? cleaned : valuePath;

    // Characters are told apart from the start, but only up to the last backslash byte: nothing
    // after it can be the cut, and a value without one is not walked at all.
    const std::string::size_type lastByte = rest.rfind('\\');
    const char* const text = rest.data();
    std::string::size_type last = std::string::npos;
    for (std::string::size_type i = 0; lastByte != std::string::npos && i <= lastByte;) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < rest.size()) {
            i += 2;
            continue;
        }
        if (text[i] == '\\')
            last = i;
        ++i;
    }
    ValuePathParts parts;
    if (last == std::string::npos) {
        parts.subKey = rest;
    } else {
        parts.subKey = rest.substr(0, last);
        parts.valueName = rest.substr(last + 1);
    }
    return parts;
}
