#include "toolkit/folder_collection.h"

#include "common/error_report.h"
#include "toolkit/query_reg_core.h"

namespace {

// Case is folded for ASCII letters only: the keys are folder names of the system, and the
// fold must not depend on the code page the program runs under.
bool SameKey(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

void FolderCollection::Add(const std::string& key, const std::string& item)
{
    if (Contains(key))
        throw RunTimeError(kErrorDuplicateKey, kDuplicateKeyText);
    entries_.emplace_back(key, item);
}

const std::string* FolderCollection::Find(const std::string& key) const
{
    for (const auto& entry : entries_) {
        if (SameKey(entry.first, key))
            return &entry.second;
    }
    return nullptr;
}
