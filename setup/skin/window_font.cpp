#include "setup/skin/window_font.h"

#include <cstring>

#include "common/application.h"
#include "common/window.h"

namespace {

// The metrics record without the padded border width that newer systems added: every system
// accepts this size, and the fields read here come before it.
constexpr UINT kNonClientMetricsSize = 340;
static_assert(offsetof(NONCLIENTMETRICSA, lfStatusFont) + sizeof(LOGFONTA) <= kNonClientMetricsSize,
              "the status font lies inside the short record");

} // namespace

LOGFONTA StatusBarFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    return metrics.lfStatusFont;
}

void WindowFontHolder::SetWindowFont(HWND screenOf, const std::string& face, int height, int bold,
                                     int italic, int size)
{
    LOGFONTA font = StatusBarFont();
    if (height == 0) {
        ClientDC dc(screenOf);
        height = -MulDiv(size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    }
    font.lfHeight = height;
    font.lfWeight = bold == 255 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic == 255 ? TRUE : FALSE;
    const std::string cut = face.substr(0, LF_FACESIZE - 1);
    std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
    std::memcpy(font.lfFaceName, cut.data(), cut.size());
    ::Font made(CreateFontIndirectA(&font));
    if (!made)
        return;
    // Windows that took the old font keep drawing with it until they are given the new one.
    font_ = std::move(made);
    size_ = size;
    bold_ = bold;
    italic_ = italic;
}

WindowFontHolder& TheWindowFont()
{
    const Application* app = Application::Current();
    if (app != nullptr) {
        if (auto* owner = dynamic_cast<WindowFontOwner*>(app->MainWindow()))
            return owner->WindowFont();
    }
    static WindowFontHolder own;
    return own;
}
