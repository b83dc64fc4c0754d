// Any current folder and target: moving out of the target ends, every step goes to a strictly
// shorter folder that is a prefix of the one before, and the walk never reaches a drive root.
// The installer-folder candidate never keeps a "language.lan\" it was built from.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "setup/removal/removal_logic.h"

namespace {

bool IsDriveRoot(const std::string& folder)
{
    const bool letter = !folder.empty() && ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    return letter && ((folder.size() == 2 && folder[1] == ':') ||
                      (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string current = input.substr(0, split);
    const std::string target = split == std::string::npos ? std::string() : input.substr(split + 1);

    std::string folder = current;
    while (const auto next = NextFolderOutOf(folder, target)) {
        if (next->size() >= folder.size() || folder.compare(0, next->size(), *next) != 0 || IsDriveRoot(*next))
            std::abort();
        folder = *next;
    }

    ThirdPartyCandidatePath(current, target);
    // Positions and totals well above 16 bits, without overflowing an int for long inputs.
    const int scale = static_cast<int>(size % 50000);
    ScaledProgressPosition(scale * 40000, scale * 30000 + 1);
    return 0;
}
