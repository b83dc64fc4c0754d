#pragma once

// An ordered collection of texts under string keys, as the registry class keeps its folder
// paths. Keys compare without regard to case (as the collections of the small programs always
// did); adding a key that is already there throws RunTimeError 457.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class FolderCollection {
public:
    void Add(const std::string& key, const std::string& item);
    // Null when the key is not there.
    const std::string* Find(const std::string& key) const;
    bool Contains(const std::string& key) const { return Find(key) != nullptr; }
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    // (key, item) in the order of addition.
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};
