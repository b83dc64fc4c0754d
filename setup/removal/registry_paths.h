#pragma once

#include <string>

// Registry value paths as the uninstall log writes them ("REGVAL" entries): a root name, the
// sub-key path and the value name in one text, e.g. HKEY_CURRENT_USER\Software\Maker\Option.

enum class RegistryRoot { None, ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };

// Whether a byte starts a double-byte character in the code page of the text. The Windows layer
// passes a wrapper of IsDBCSLeadByte; portable code and tests pass their own.
using LeadBytePredicate = bool (*)(unsigned char);

// For single-byte code pages: no byte leads a pair.
bool NoLeadBytes(unsigned char);

// The root a value path is deleted under: each root name found anywhere in the text (exact case)
// selects its key, tested in the order CLASSES_ROOT, CURRENT_CONFIG, CURRENT_USER, LOCAL_MACHINE,
// USERS, so the later one wins. None when no root name occurs: such a path deletes nothing.
RegistryRoot ChooseRegistryRoot(const std::string& valuePath, LeadBytePredicate isLeadByte);

struct ValuePathParts {
    std::string subKey;    // may be empty
    std::string valueName; // empty names the key's default value
};

// Removes every "ROOT\" prefix occurrence (each root name followed by one backslash), then
// splits at the last backslash that is a character of its own, never the trail byte of a
// double-byte character. Without a backslash the whole rest is the sub-key and the name is empty.
ValuePathParts SplitValuePath(const std::string& valuePath, LeadBytePredicate isLeadByte);
