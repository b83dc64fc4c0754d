#include "setup/core/text_variables.h"

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    std::string::size_type at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        // Never rescan a replacement within this pass: a name holding "<ProductName>" would
        // loop. (A later pass for another variable does see it.)
        at += to.size();
    }
}

} // namespace

std::string ApplyAngleTextVariables(const std::string& text, const std::string& displayName,
                                    const std::string& productCode)
{
    std::string result = text;
    ReplaceAll(result, "<ProductName>", displayName);
    ReplaceAll(result, "<ProductCode>", productCode);
    return result;
}

std::string ApplyTextVariables(const std::string& text, const std::string& displayName,
                               const std::string& productCode)
{
    std::string result = text;
    for (char& c : result) {
        if (c == '[')
            c = '<';
        else if (c == ']')
            c = '>';
    }
    return ApplyAngleTextVariables(result, displayName, productCode);
}
