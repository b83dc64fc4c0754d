#include "toolkit/system_text.h"

namespace {

// The first `length` characters of what the call left in `buffer`, never past its end.
std::string FirstCharacters(const std::string& buffer, std::uint32_t length)
{
    return buffer.substr(0, length < buffer.size() ? length : buffer.size());
}

} // namespace

std::string ReadDirectoryText(const DirectoryCall& call)
{
    std::string buffer(kDirectoryBufferSize, ' ');
    std::uint32_t length = call(&buffer[0], kDirectoryBufferSize);
    if (length > kDirectoryBufferSize) {
        const std::uint32_t needed = length;
        buffer.assign(needed, ' ');
        length = call(&buffer[0], needed);
        if (length >= needed)
            return std::string();
    }
    return FirstCharacters(buffer, length);
}

std::string ReadSizedText(std::uint32_t bufferSize, std::uint32_t drop, const SizedTextCall& call)
{
    if (bufferSize == 0)
        return std::string();
    std::string buffer(bufferSize, ' ');
    std::uint32_t size = bufferSize;
    if (!call(&buffer[0], size) || size < drop)
        return std::string();
    return FirstCharacters(buffer, size - drop);
}
