#include "setup/shell/confirmation.h"

#include "setup/core/text_variables.h"

namespace {
const char* const kBuiltInQuestion = "This will remove %s from your system, do you want to continue?";
}

std::string ConfirmationQuestion(const std::string& languageQuestion,
                                 const std::string& displayName, const std::string& productCode)
{
    if (!languageQuestion.empty())
        return ApplyAngleTextVariables(languageQuestion, displayName, productCode);
    std::string question = kBuiltInQuestion;
    question.replace(question.find("%s"), 2, displayName);
    return question;
}
