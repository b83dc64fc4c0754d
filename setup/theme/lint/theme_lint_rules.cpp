#include "setup/theme/lint/theme_lint_rules.h"

#include <cctype>
#include <cmath>

#include "setup/theme/colour_value.h"
#include "setup/core/lenient_number.h"

namespace {

std::string Normalised(const std::string& name)
{
    std::string result;
    for (char c : name) {
        if (c == ' ' || c == ':' || c == '_' || c == '-' || c == '\t')
            continue;
        result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return result;
}

bool IsDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::string Trim(const std::string& text)
{
    const std::string::size_type first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsVariableName(const std::string& name)
{
    if (name.empty() || name.size() > 40 || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool IsKnownVariable(const std::string& name)
{
    return name == "ProductName" || name == "ProductCode";
}

double Linear(unsigned channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

bool SlotNameFits(const SlotRule& rule, const std::string& name)
{
    if (std::string(rule.aliases) == "*")
        return true; // the id name's line is never looked at by name
    const std::string n = Normalised(name);
    if (n == Normalised(rule.property))
        return true;
    const std::string aliases = rule.aliases;
    std::string::size_type start = 0;
    while (start <= aliases.size() && !aliases.empty()) {
        const std::string::size_type bar = aliases.find('|', start);
        if (aliases.substr(start, bar == std::string::npos ? std::string::npos : bar - start) == n)
            return true;
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return false;
}

bool IsColourForm(const std::string& value)
{
    if (value.empty() || value == kButtonFaceColour)
        return true;
    int parts = 0;
    std::string::size_type start = 0;
    while (true) {
        const std::string::size_type comma = value.find(',', start);
        const std::string part = Trim(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!IsDigits(part) || part.size() > 3 || std::stoi(part) > 255)
            return false;
        ++parts;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts == 3;
}

bool IsFlagForm(const std::string& value)
{
    return value.empty() || value == "Yes" || value == "No";
}

bool IsAlignForm(const std::string& value)
{
    return value.empty() || (value[0] >= '0' && value[0] <= '2');
}

bool IsStyleForm(const std::string& value)
{
    return value.empty() || value[0] == '0' || value[0] == '1';
}

bool IsFontSizeForm(const std::string& value)
{
    const std::string v = Trim(value);
    return v.empty() || (IsDigits(v) && v.size() <= 2 && std::stoi(v) <= 72);
}

std::vector<VariableProblem> FindVariableProblems(const std::string& text, SlotValue form)
{
    std::vector<VariableProblem> problems;
    for (std::string::size_type at = 0; at < text.size(); ++at) {
        const char open = text[at];
        if (open != '<' && open != '[')
            continue;
        const char closer = open == '<' ? '>' : ']';
        const std::string::size_type close = text.find(closer, at + 1);
        if (close == std::string::npos)
            break;
        const std::string name = text.substr(at + 1, close - at - 1);
        if (!IsVariableName(name))
            continue;
        const bool known = IsKnownVariable(name);
        const bool replaced = known && (form == SlotValue::FullText || (form == SlotValue::AngleText && open == '<'));
        // A square-bracket word in a text that keeps square brackets is plain text.
        const bool literal = open == '[' && !known && form != SlotValue::FullText;
        if (!replaced && !literal)
            problems.push_back({text.substr(at, close - at + 1), known});
        at = close;
    }
    return problems;
}

double RelativeLuminance(std::uint32_t rgb)
{
    return 0.2126 * Linear((rgb >> 16) & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) + 0.0722 * Linear(rgb & 0xFF);
}

double ContrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

std::uint32_t ColourOf(const std::string& text, std::uint32_t buttonFace)
{
    const ColourValue c = ParseColourSetting(text);
    if (c.buttonFace)
        return buttonFace;
    return ((static_cast<std::uint32_t>(c.red) & 0xFF) << 16) | ((static_cast<std::uint32_t>(c.green) & 0xFF) << 8) |
           (static_cast<std::uint32_t>(c.blue) & 0xFF);
}

std::string ColourText(std::uint32_t rgb)
{
    return FormatColourValue((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
