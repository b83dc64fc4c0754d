#include "setup/skin/system_font.h"

#include <cstddef>
#include <cstring>

#include "common/gdi.h"

namespace {

// The metrics record without the padded border width that newer systems added: every system
// accepts this size, and the fields read here come before it.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, lfStatusFont) + sizeof(LOGFONTA) <= kNonClientMetricsSize,
              "the status font lies inside the short record");

NONCLIENTMETRICSA NonClientMetrics()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    return metrics;
}

} // namespace

LOGFONTA StatusBarFont()
{
    return NonClientMetrics().lfStatusFont;
}

int CaptionHeight()
{
    return NonClientMetrics().iCaptionHeight;
}

int PointsToFontHeight(HWND control, int points)
{
    ClientDC dc(control);
    return -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
}

LOGFONTA DescribeControlFont(const std::string& face, int height, int bold, int italic,
                             bool underline)
{
    LOGFONTA font = StatusBarFont();
    font.lfHeight = height;
    font.lfWeight = bold == 255 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic == 255 ? TRUE : FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    const std::string cut = face.substr(0, LF_FACESIZE - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, cut.data(), cut.size());
    return font;
}
