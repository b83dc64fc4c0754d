// themeview: shows a theme page in the very window setup shows it in, lists its controls, checks
// it for its author, and saves a picture of it.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/application.h"
#include "common/hardening.h"
#include "common/message_pump.h"
#include "common/ole_picture.h"
#include "common/screen_capture.h"
#include "setup/core/removal_status_text.h"
#include "setup/core/product_context.h"
#include "setup/core/language_file.h"
#include "setup/theme/theme_file_text.h"
#include "setup/skin/window/image_window.h"
#include "setup/theme/lint/theme_lint.h"
#include "setup/skin/controls/high_contrast.h"
#include "tools/themeview/lint_system.h"
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

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

const char* PageKindText(PageKind kind)
{
    return kind == PageKind::Removal ? "the removal page" : "another page (not the removal page)";
}

// One line per finding, then what the page was checked as, so that an author whose file is not
// named uninstall.lcd learns why the removal page's rules were not applied.
int Lint(const std::string& path, const std::string& fileName, PageKind kind, const char* kindSource,
         const ThemeviewOptions& options)
{
    const ThemeFileText file(ReadWholeFile(path));
    const LintSystem system = MakeLintSystem(TheProductContext().languageFile, options.productName,
                                             kPreviewProductCode, options.pictureRoot);
    const std::vector<LintFinding> findings = LintTheme(file, path, kind, system);
    int warnings = 0;
    for (const LintFinding& finding : findings) {
        std::printf("%s\n", FormatFinding(fileName, finding).c_str());
        warnings += finding.warning ? 1 : 0;
    }
    std::printf("%s: checked as %s (%s): %d finding(s), %d of them warnings%s\n", fileName.c_str(),
                PageKindText(kind), kindSource, static_cast<int>(findings.size()), warnings,
                TheProductContext().languageFile.empty() ? "; no --language, so its keys were not checked" : "");
    std::fflush(stdout);
    return findings.empty() ? 0 : 1;
}

// Shows the moment of a removal that was asked for, through the calls the removal makes.
void ShowState(CImageWindow& window, const ThemeviewOptions& options)
{
    if (options.state == PreviewState::Start)
        return;
    window.SetProgressRange(100);
    if (options.state == PreviewState::Progress) {
        window.SetStatusText(kRemovingFilesText);
        window.SetProgressPosition(options.progressPercent);
        return;
    }
    if (TheProductContext().languageFile.empty())
        std::printf("themeview: no --language, so the final status, the finish text and the Close caption are "
                    "empty, as setup shows them without a language file\n");
    window.SetStatusText(ReadLanguageText(TheProductContext().languageFile, "SetupProgress", "10"));
    window.SetProgressPosition(100);
    window.ShowFinishPage();
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
                    ControlTypeKeyword(r.type), RectText(r.rect).c_str(), r.poolSlot);
        for (int j = 0; j < r.propertyCount; ++j) {
            const auto s = static_cast<std::size_t>(j);
            std::printf(" [%d] %s|%s|%d", j, r.propertyNames[s].c_str(), r.propertyValues[s].c_str(),
                        r.propertyNumbers[s]);
        }
        // What the control shows at this moment of the preview, and whether it can be used.
        HWND control = window.ControlWindow(i);
        char text[256] = {};
        if (control != nullptr)
            GetWindowTextA(control, text, sizeof text);
        std::printf("  shows \"%s\"%s\n", text, control != nullptr && !IsWindowEnabled(control) ? " (disabled)" : "");
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

    const PageKind kind = options.page == PageChoice::FromFileName ? PageKindOfFile(fileName)
                          : options.page == PageChoice::Removal    ? PageKind::Removal
                                                                   : PageKind::Other;
    const char* kindSource = options.page == PageChoice::FromFileName ? "by its file name" : "by --page";

    int status = 0;
    if (options.lint)
        status = Lint(path, fileName, kind, kindSource, options);
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
        std::fprintf(stderr, "themeview: the window cannot be created. Under Wine it needs an X display, and "
                             "the prefix's Wine server must have been started on that display: see the "
                             "README's \"Writing a theme\".\n");
        return 2;
    }
    // The window prepares the progress page for a file named uninstall.lcd and for no other.
    // Forced to another page, the same file is loaded under a name that reaches it by another
    // spelling (".\uninstall.lcd"); forced to the removal page, the preparation is called here.
    const bool removalByName = PageKindOfFile(fileName) == PageKind::Removal;
    window.LoadTheme(folder, kind == PageKind::Other && removalByName ? ".\\" + fileName : fileName, 0, 0);
    if (kind == PageKind::Removal && !removalByName)
        window.PrepareProgressPage();
    const std::string picture = ResolvePreviewPicture(window.Settings().bkImage, options.pictureRoot);
    if (picture != window.Settings().bkImage)
        window.SetBackgroundPicture(picture);
    ShowState(window, options);
    if (options.list)
        List(window);
    if (!show)
        return status;
    std::printf("themeview: %s shown as %s (%s)\n", fileName.c_str(), PageKindText(kind), kindSource);
    std::fflush(stdout);

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
    const ScreenPixels shot = CaptureWindow(window.hwnd(), false);
    const bool saved = CaptureFormatOf(options.captureFile) == CaptureFormat::Png ? SavePng(shot, options.captureFile)
                                                                                 : SaveBmp(shot, options.captureFile);
    if (!saved) {
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
