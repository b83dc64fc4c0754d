// themeview: shows a theme page in the very window setup shows it in, lists its controls, checks
// it for its author, and saves a picture of it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/application.h"
#include "common/hardening.h"
#include "common/message_pump.h"
#include "common/ole_picture.h"
#include "common/screen_capture.h"
#include "setup/shell/product_context.h"
#include "setup/skin/profile_ini_source.h"
#include "setup/skin/theme_data.h"
#include "setup/skin/window/image_window.h"
#include "setup/skin/window/theme_lint.h"
#include "setup/skin/controls/high_contrast.h"
#include "tools/themeview/themeview_options.h"

namespace {

// A product code for the texts that show one; theme authors see where it would go.
const char* const kPreviewProductCode = "{00000000-0000-0000-0000-000000000000}";

// Time the page gets to paint itself before it is captured.
constexpr DWORD kPaintSettleMs = 700;

// Closing the previewed page ends the previewer.
class PreviewHost : public PageHost {
public:
    bool RequestEndRun() override
    {
        PostQuitMessage(0);
        return true;
    }
};

std::string FullPath(const std::string& path)
{
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::string full(needed, '\0');
    const DWORD written = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    full.resize(written < needed ? written : 0);
    return full.empty() ? path : full;
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// What the window would make of a picture or icon file: the same loaders it uses.
PictureState ProbePicture(const std::string& path, PictureKind kind)
{
    if (!IsFile(path))
        return PictureState::Missing;
    if (kind == PictureKind::Icon)
        return LoadPictureFromPath(path) ? PictureState::Ok : PictureState::Undecodable;
    ComPtr<IPicture> picture = LoadPictureFromFile(path);
    SHORT type = PICTYPE_UNINITIALIZED;
    if (!picture || FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP)
        return PictureState::Undecodable;
    return PictureState::Ok;
}

int Lint(const std::string& path, const std::string& fileName)
{
    const ThemeData theme = LoadThemeData(ProfileIniSource(path), path);
    const std::vector<std::string> problems = LintTheme(theme, fileName, &ProbePicture);
    for (const std::string& line : problems)
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return problems.empty() ? 0 : 1;
}

std::string RectText(const ControlRect& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

void List(const CImageWindow& window)
{
    const ControlCatalogue& catalogue = window.Catalogue();
    std::printf("index  id    id name              type       rectangle                pool slot  properties\n");
    for (int i = 0; i < catalogue.RecordCount(); ++i) {
        const ControlRecord& r = catalogue.Record(i);
        std::printf("%5d  %4d  %-20s %-10s %-24s %9d ", i, r.controlId, r.idName.c_str(),
                    r.type.c_str(), RectText(r.rect).c_str(), r.poolSlot);
        for (int j = 0; j < r.propertyCount; ++j) {
            const auto s = static_cast<std::size_t>(j);
            std::printf(" [%d] %s|%s|%d", j, r.propertyNames[s].c_str(), r.propertyValues[s].c_str(),
                        r.propertyNumbers[s]);
        }
        std::printf("\n");
    }
    // Written out now: a script reads it while the window may still be closing.
    std::fflush(stdout);
}

int Run(const ThemeviewOptions& options)
{
    const std::string path = FullPath(options.themeFile);
    if (!IsFile(path)) {
        std::fprintf(stderr, "themeview: no theme file at %s\n", path.c_str());
        return 2;
    }
    const std::string::size_type cut = path.find_last_of("\\/");
    const std::string folder = path.substr(0, cut + 1);
    const std::string fileName = path.substr(cut + 1);

    ProductContext& context = TheProductContext();
    context.displayName = options.productName;
    context.productCode = kPreviewProductCode;
    context.themeFolder = folder;
    context.languageFile = options.languageFile.empty() ? "" : FullPath(options.languageFile);
    context.windowless = kFlagOff;

    int status = 0;
    if (options.lint)
        status = Lint(path, fileName);
    const bool show = !options.captureFile.empty() || (!options.lint && !options.list);
    if (!options.list && !show)
        return status;

    // A missing picture is the checker's to report: a message box would stop a scripted run.
    CMyStatic::ShowMissingFileMessages(false);
    if (options.highContrast)
        SetHighContrastOverride(true);
    PreviewHost host;
    CImageWindow window(host);
    if (!window.Create(nullptr)) {
        std::fprintf(stderr, "themeview: the window cannot be created (is there a display?)\n");
        return 2;
    }
    window.LoadTheme(folder, fileName, 0, 0);
    if (options.list)
        List(window);
    if (!show)
        return status;

    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(window.hwnd());
    UpdateWindow(window.hwnd());
    if (options.captureFile.empty()) {
        RunMessageLoop();
        return status;
    }

    PumpMessagesFor(kPaintSettleMs);
    if (window.hwnd() == nullptr) {
        std::fprintf(stderr, "themeview: the window was closed before it was captured\n");
        return 2;
    }
    if (!SaveBmp(CaptureWindow(window.hwnd(), false), options.captureFile)) {
        std::fprintf(stderr, "themeview: cannot write %s\n", options.captureFile.c_str());
        return 2;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    HardenProcess();
    const std::vector<std::string> args(argv + 1, argv + argc);
    ThemeviewOptions options;
    std::string error;
    if (!ParseThemeviewOptions(args, options, error)) {
        std::fprintf(stderr, "themeview: %s\n%s", error.c_str(), ThemeviewUsage());
        return 2;
    }
    if (options.help) {
        std::printf("%s", ThemeviewUsage());
        return 0;
    }
    // Pictures are decoded by the OLE picture loader, which wants the apartment set up.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    const int status = Run(options);
    if (ole)
        OleUninitialize();
    return status;
}
