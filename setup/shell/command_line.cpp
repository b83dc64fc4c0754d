#include "setup/shell/command_line.h"

#include "setup/core/product_context.h"

const char* const kUsageText =
    "Vantora Uninstaller\r\n\r\nUsage:\r\nvantexec.exe /R {productcode} to uninstall.\r\n"
    "vantexec.exe /I {productcode} to modify.\r\n\r\nvantexec.exe /S {productcode} to silent "
    "uninstall.";

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The program name: quotes toggle grouping, nothing is escaped. Returns the index after it.
std::size_t ReadProgramName(const std::string& line, std::string& name)
{
    std::size_t i = 0;
    bool quoted = false;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        else if (IsBlank(c) && !quoted)
            break;
        else
            name += c;
    }
    return i;
}

// ASCII letters only: the options are plain ASCII words.
bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> arguments;
    if (commandLine.empty())
        return arguments;

    std::string program;
    std::size_t i = ReadProgramName(commandLine, program);
    arguments.push_back(program);

    const std::size_t n = commandLine.size();
    for (;;) {
        while (i < n && IsBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;

        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(commandLine[i]))) {
            const char c = commandLine[i];
            if (c == '\\') {
                std::size_t backslashes = 0;
                while (i < n && commandLine[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && commandLine[i] == '"') {
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                    // An even count leaves the quote to the grouping rule below.
                } else {
                    argument.append(backslashes, '\\');
                }
            } else if (c == '"') {
                if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += c;
                ++i;
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

int RunModeFromSwitch(const std::string& firstArgument)
{
    int mode = 0;
    if (firstArgument.find("/R") != std::string::npos)
        mode = kRunUninstall;
    if (firstArgument.find("/I") != std::string::npos)
        mode = kRunModify;
    if (firstArgument.find("/S") != std::string::npos)
        mode = kRunSilent;
    return mode;
}

std::optional<StartupArguments> ParseStartupArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return std::nullopt;
    const int mode = RunModeFromSwitch(arguments[0]);
    if (mode == 0 || arguments.size() < 2 || arguments[1].empty())
        return std::nullopt;
    StartupArguments parsed;
    parsed.runMode = mode;
    parsed.productCode = arguments[1];
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (EqualsIgnoringCase(argument, "/EXITCODES")) {
            parsed.exitCodes = true;
        } else if (EqualsIgnoringCase(argument, "/LOG")) {
            parsed.writeLog = true;
            parsed.logFile.clear();
        } else if (argument.size() > 5 && EqualsIgnoringCase(argument.substr(0, 5), "/LOG=")) {
            parsed.writeLog = true;
            parsed.logFile = argument.substr(5);
        }
    }
    return parsed;
}

std::string DefaultRunLogPath(const std::string& tempFolder, const std::string& productCode)
{
    std::string name = productCode;
    for (char& c : name) {
        if (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|' || static_cast<unsigned char>(c) < 32)
            c = '_';
    }
    std::string folder = tempFolder;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder + name + ".log";
}
