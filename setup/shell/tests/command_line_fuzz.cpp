// Two checks on any input: splitting a raw command line never fails, and arguments quoted the
// way a careful caller quotes them come back from the splitter unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "setup/shell/command_line.h"

namespace {

std::string Quote(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < argument.size() && argument[i] == '\\') {
            ++i;
            ++backslashes;
        }
        if (i == argument.size()) {
            quoted.append(backslashes * 2, '\\');
            break;
        }
        if (argument[i] == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
            quoted += '"';
        } else {
            quoted.append(backslashes, '\\');
            quoted += argument[i];
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> raw = SplitCommandLine(input);
    (void)ParseStartupArguments(raw.empty() ? raw : std::vector<std::string>(raw.begin() + 1, raw.end()));

    std::vector<std::string> arguments = {"setup.exe"};
    std::string line = "setup.exe";
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos)
            end = input.size();
        arguments.push_back(input.substr(start, end - start));
        line += ' ' + Quote(arguments.back());
        start = end + 1;
    }
    if (SplitCommandLine(line) != arguments)
        std::abort();
    return 0;
}
