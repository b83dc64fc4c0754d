#include "setup/skin/folder_chooser/folder_name.h"

namespace {

bool IsTrimmedBySystem(char c)
{
    return c == '\t' || c == ' ' || c == '.';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool IsValidFolderName(const std::string& component)
{
    if (component.empty() || IsTrimmedBySystem(component.front()) ||
        IsTrimmedBySystem(component.back()))
        return false;
    static const char kForbidden[] = "\"*/:<>?\\|";
    // sizeof includes the terminating zero, so NUL counts as forbidden too.
    return component.find_first_of(kForbidden, 0, sizeof kForbidden) == std::string::npos;
}

std::vector<std::string> FolderChain(const std::string& path)
{
    if (path.size() < 3 || path.size() > kMaxFolderPathLength || !IsDriveLetter(path[0]) ||
        path[1] != ':' || path[2] != '\\')
        return {};
    std::vector<std::string> chain{path.substr(0, 3)};
    std::size_t start = 3;
    while (start < path.size()) {
        const std::size_t slash = path.find('\\', start);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        if (!IsValidFolderName(path.substr(start, end - start)))
            return {};
        chain.push_back(path.substr(0, end));
        // A backslash that ends the text names no folder: "C:\Work\" is refused.
        if (end + 1 == path.size())
            return {};
        start = end + 1;
    }
    return chain;
}
