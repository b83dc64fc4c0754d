#include "setup/core/text_variables.h"

#include <gtest/gtest.h>

TEST(TextVariables, FullSubstitutionTreatsSquareBracketsAsAngles)
{
    EXPECT_EQ(ApplyTextVariables("Remove [ProductName] ([ProductCode])?", "Scrivex", "{P-1}"),
              "Remove Scrivex ({P-1})?");
    EXPECT_EQ(ApplyTextVariables("<ProductName> [x]", "Scrivex", "P"), "Scrivex <x>");
}

TEST(TextVariables, AngleOnlyLeavesSquareBracketsAlone)
{
    EXPECT_EQ(ApplyAngleTextVariables("<ProductName> [ProductCode] <ProductCode>", "Scrivex", "P"),
              "Scrivex [ProductCode] P");
}

TEST(TextVariables, CaseSensitiveAndNoRescanOfReplacements)
{
    EXPECT_EQ(ApplyTextVariables("<productname>", "S", "P"), "<productname>");
    // A display name that itself holds a variable is shown as it stands.
    EXPECT_EQ(ApplyTextVariables("<ProductName>", "<ProductName>x", "P"), "<ProductName>x");
}
