#include "setup/skin/controls/high_contrast.h"

namespace {

std::optional<bool>& Override()
{
    static std::optional<bool> value;
    return value;
}

} // namespace

bool HighContrastOn()
{
    if (Override())
        return *Override();
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastOverride(std::optional<bool> on)
{
    Override() = on;
}
