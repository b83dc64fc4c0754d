#include "common/error_report.h"

#include <gtest/gtest.h>

TEST(ErrorReportText, SpellsModuleInTheAnsiCodePage)
{
    EXPECT_EQ(ErrorReportText(429, "ActiveX component can't create object", "Main", "VlmMain"),
              "Error 429 (ActiveX component can't create object) en procedimiento Main de "
              "M\xF3" "dulo VlmMain");
}

TEST(ErrorReportText, KeepsNegativeNumbersAndEmptyDescriptions)
{
    EXPECT_EQ(ErrorReportText(-2147221164, "", "RegistrarTLBS", "Iniciar"),
              "Error -2147221164 () en procedimiento RegistrarTLBS de M\xF3" "dulo Iniciar");
}
