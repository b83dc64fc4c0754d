#include "finisher/iniciar.h"

#include <windows.h>

namespace Iniciar {

namespace {

// The read's buffer has always held 250 characters, terminator included.
constexpr DWORD kValueBufferSize = 250;

} // namespace

std::string LeerValorIni(const std::string& section, const std::string& key, const std::string& file)
{
    try {
        std::string buffer(kValueBufferSize, '\0');
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", &buffer[0],
                                                 kValueBufferSize, file.c_str());
        buffer.resize(n < kValueBufferSize ? n : 0);
        return buffer;
    } catch (const std::exception&) {
        return std::string();
    }
}

} // namespace Iniciar
