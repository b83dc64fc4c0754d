// Root-name parsing and the string cuts over arbitrary text: no crash, and the results keep
// the invariants the registry calls rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/query_reg_core.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const ParsedKeyPath parsed = ParseRootName(text);
    if (parsed.root < kDefaultRoot || parsed.root >= kRootCount)
        std::abort();
    if (parsed.path.size() > text.size())
        std::abort();

    const std::string single = TrimRegString(text, false);
    if (single.find('\0') != std::string::npos || single.size() > text.size())
        std::abort();
    const std::string multi = TrimRegString(text, true);
    if (multi.find('\0') != std::string::npos || multi.size() > text.size())
        std::abort();

    const std::string trimmed = TrimSpaces(text);
    if (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.back() == ' '))
        std::abort();

    const std::vector<unsigned char> bytes(text.begin(), text.end());
    if (BytesText(bytes).size() != 3 * bytes.size())
        std::abort();
    ListedValueText(size % 8, bytes);
    return 0;
}
