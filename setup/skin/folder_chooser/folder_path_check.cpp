#include "setup/skin/folder_chooser/folder_path_check.h"

#include "common/application.h"

namespace {

const char* const kInvalidText = "is invalid. Please reenter.";
const char* const kCannotCreateText = "can not be created. Please double check.";
const char* const kCreateQuestion = "does not exist. Do you want the folder to be created?";

enum class Found { Nothing, Folder, Other };

Found WhatIsAt(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Found::Nothing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Found::Folder : Found::Other;
}

int Ask(HWND owner, const std::string& path, const char* ending, UINT type)
{
    const std::string text = "The folder:\n\n" + path + "\n\n" + ending;
    return MessageBoxA(owner, text.c_str(), CurrentApplicationTitle().c_str(), type);
}

int Refuse(HWND owner, const std::string& path, int result)
{
    Ask(owner, path, result == kFolderInvalid ? kInvalidText : kCannotCreateText,
        MB_OK | MB_ICONEXCLAMATION);
    return result;
}

} // namespace

int CheckFolderPath(const std::string& path, FolderCheckMode mode)
{
    const std::vector<std::string> chain = FolderChain(path);
    if (chain.empty())
        return kFolderInvalid;
    if (mode == FolderCheckMode::CheckOnly) {
        // Below the first missing folder nothing exists yet.
        for (const std::string& folder : chain) {
            const Found found = WhatIsAt(folder);
            if (found == Found::Other)
                return kFolderCannotBeCreated;
            if (found == Found::Nothing)
                break;
        }
        return kFolderGood;
    }
    for (const std::string& folder : chain) {
        // A drive root is never created; an existing folder makes the creation fail harmlessly.
        if (folder.size() > 3)
            CreateDirectoryA(folder.c_str(), nullptr);
        if (WhatIsAt(folder) != Found::Folder)
            return kFolderCannotBeCreated;
    }
    return kFolderGood;
}

int ConfirmFolder(const std::string& path, HWND owner)
{
    const int checked = CheckFolderPath(path, FolderCheckMode::CheckOnly);
    if (checked != kFolderGood)
        return Refuse(owner, path, checked);
    if (WhatIsAt(path) == Found::Folder)
        return kFolderGood;
    if (Ask(owner, path, kCreateQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return -1;
    const int created = CheckFolderPath(path, FolderCheckMode::Create);
    return created == kFolderGood ? kFolderGood : Refuse(owner, path, created);
}
