#include "tools/themeview/lint_system.h"

#include <windows.h>

#include <fstream>

#include "common/gdi.h"
#include "common/ole_picture.h"
#include "setup/skin/system_font.h"
#include "setup/core/language_file.h"
#include "setup/theme/page_rules.h"

namespace {

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FirstBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    char bytes[8] = {};
    file.read(bytes, sizeof bytes);
    return std::string(bytes, static_cast<std::size_t>(file.gcount()));
}

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
    const PictureFormat format = SniffPictureFormat(FirstBytes(path));
    return format == PictureFormat::Bmp || format == PictureFormat::Jpeg || format == PictureFormat::Gif
               ? PictureState::Ok
               : PictureState::NotPortable;
}

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontExists(const std::string& face)
{
    ClientDC screen(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(screen, &wanted, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// As a label or button builds its font (the status-bar font with the slots' face, size and
// weight) and as DrawText lays the text out.
TextSize MeasureText(const std::string& text, const LintFont& font, int wrapWidth)
{
    ClientDC screen(nullptr);
    const int height = PointsToFontHeight(nullptr, font.points);
    const LOGFONTA description =
        DescribeControlFont(font.face, height, font.bold ? 255 : 0, font.italic ? 255 : 0, font.underline);
    ::Font made(CreateFontIndirectA(&description));
    SelectedObject selected(screen, made.get());
    RECT r{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : 0) | DT_NOPREFIX);
    return TextSize{r.right - r.left, r.bottom - r.top};
}

// The window's styles as its settings leave them: the template's pop-up with a caption, the
// thin border removed or added, the system menu only with a close box.
ClientSize ClientOf(const MainWindowSettings& w)
{
    DWORD style = WS_POPUP | WS_CAPTION;
    if (w.border == BorderSetting::None)
        style &= ~static_cast<DWORD>(WS_BORDER);
    if (w.closeBox)
        style |= WS_SYSMENU;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW | WS_EX_DLGMODALFRAME);
    return ClientSize{w.width - (frame.right - frame.left),
                      AdjustedWindowHeight(w.height, CaptionHeight()) - (frame.bottom - frame.top)};
}

std::uint32_t ToRgb(COLORREF c)
{
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

// Stretched to the window's outer size from the client area's top-left, as the window paints.
std::optional<LintPixels> PaintedPicture(const std::string& path, const MainWindowSettings& w)
{
    if (!IsFile(path))
        return std::nullopt;
    ComPtr<IPicture> picture = LoadPictureFromFile(path);
    OLE_HANDLE handle = 0;
    if (!picture || FAILED(picture->get_Handle(&handle)) || handle == 0)
        return std::nullopt;
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != sizeof info)
        return std::nullopt;
    const int width = w.width;
    const int height = AdjustedWindowHeight(w.height, CaptionHeight());
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return std::nullopt;
    ClientDC screen(nullptr);
    MemoryDC source(CreateCompatibleDC(screen));
    MemoryDC target(CreateCompatibleDC(screen));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(screen, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!source || !target || !section || bits == nullptr)
        return std::nullopt;
    {
        SelectedObject from(source, bitmap);
        SelectedObject to(target, section.get());
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        GdiFlush();
    }
    LintPixels pixels{width, height, {}};
    const auto* p = static_cast<const std::uint32_t*>(bits);
    pixels.pixels.assign(p, p + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (auto& v : pixels.pixels)
        v &= 0x00FFFFFF;
    return pixels;
}

} // namespace

std::string ResolvePreviewPicture(const std::string& path, const std::string& pictureRoot)
{
    if (pictureRoot.empty() || path.empty() || IsFile(path))
        return path;
    std::string root = pictureRoot;
    if (root.back() != '\\' && root.back() != '/')
        root += '\\';
    // "C:\Program Files\x.bmp" -> root + "Program Files\x.bmp"; "\\server\share\x.bmp" likewise.
    std::string inside = path;
    if (inside.size() > 2 && inside[1] == ':')
        inside = inside.substr(2);
    inside = inside.substr(inside.find_first_not_of("\\/") == std::string::npos ? inside.size()
                                                                                 : inside.find_first_not_of("\\/"));
    if (IsFile(root + inside))
        return root + inside;
    const std::string::size_type slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return IsFile(root + name) ? root + name : path;
}

LintSystem MakeLintSystem(const std::string& languageFile, const std::string& productName,
                          const std::string& productCode, const std::string& pictureRoot)
{
    LintSystem system;
    system.probe = [pictureRoot](const std::string& path, PictureKind kind) {
        return ProbePicture(ResolvePreviewPicture(path, pictureRoot), kind);
    };
    system.fontExists = &FontExists;
    system.measure = &MeasureText;
    system.clientSize = &ClientOf;
    system.backgroundPixels = [pictureRoot](const MainWindowSettings& w) {
        return PaintedPicture(ResolvePreviewPicture(w.bkImage, pictureRoot), w);
    };
    system.buttonFace = ToRgb(GetSysColor(COLOR_BTNFACE));
    if (!languageFile.empty()) {
        system.language = [languageFile](const std::string& section, const std::string& key) {
            return ReadLanguageText(languageFile, section.c_str(), key.c_str());
        };
    }
    system.productName = productName;
    system.productCode = productCode;
    return system;
}
