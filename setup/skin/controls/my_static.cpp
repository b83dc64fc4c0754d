#include "setup/skin/controls/my_static.h"

#include <utility>

#include "common/application.h"
#include "common/gdi.h"
#include "common/handles.h"
#include "common/ole_picture.h"
#include "setup/skin/run_message_box.h"
#include "setup/skin/controls/accessible_object.h"
#include "setup/skin/controls/control_support.h"
#include "setup/skin/controls/high_contrast.h"
#include "setup/theme/page_rules.h"

namespace {

constexpr int kIconMode = 255;
constexpr int kPictureLoaded = 1;
constexpr int kIconSize = 32;

// A path the loader may be given: under 260 characters and found by a find-first search.
bool PictureFileExists(const std::string& path)
{
    if (path.size() >= MAX_PATH)
        return false;
    WIN32_FIND_DATAA found{};
    const FindHandle search(FindFirstFileA(path.c_str(), &found));
    return search.valid();
}

} // namespace

CMyStatic::CMyStatic() : colour_(GetSysColor(COLOR_BTNFACE)) {}

bool CMyStatic::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                       HWND parent, int id)
{
    return CreateControlWindow(*this, "STATIC", caption, style, exStyle, rect, parent, id);
}

void CMyStatic::SetBackColor(const std::string& colour)
{
    colour_ = ColourFromText(colour);
    InvalidateErasing(hwnd());
}

void CMyStatic::SetStockIcon(int number)
{
    iconFlag_ = kIconMode;
    const int resource = BuiltInIconResource(number);
    if (resource != 0)
        icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
    if (hwnd() == nullptr)
        return;
    SendMessageA(hwnd(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    InvalidateErasing(hwnd());
}

bool CMyStatic::missingFileMessages_ = true;

void CMyStatic::ShowMissingFileMessages(bool shown)
{
    missingFileMessages_ = shown;
}

void CMyStatic::ClearPicture()
{
    picture_.reset();
    pictureFlag_ = 0;
    pictureWidth_ = pictureHeight_ = 0;
    himetricWidth_ = himetricHeight_ = 0;
}

void CMyStatic::LoadPicture(const std::string& path)
{
    if (!PictureFileExists(path)) {
        if (!missingFileMessages_)
            return;
        const std::string text = "File not found: (" + path + ")";
        HWND owner = hwnd() != nullptr ? GetAncestor(hwnd(), GA_ROOT) : nullptr;
        // A silent run shows this box too; there it closes by itself rather than hold the run.
        ShowRunMessageBox(owner, text.c_str(), CurrentApplicationTitle().c_str(), MB_OK);
        return;
    }
    ComPtr<IPicture> loaded = LoadPictureFromPath(path);
    if (!loaded)
        return;
    const SIZE himetric = PictureHimetricSize(loaded.get());
    const ComPtr<IPicture> old = std::exchange(picture_, std::move(loaded));
    himetricWidth_ = himetric.cx;
    himetricHeight_ = himetric.cy;
    const ClientDC screen(nullptr);
    pictureWidth_ = HimetricToPixels(himetricWidth_, GetDeviceCaps(screen, LOGPIXELSX));
    pictureHeight_ = HimetricToPixels(himetricHeight_, GetDeviceCaps(screen, LOGPIXELSY));
    pictureFlag_ = kPictureLoaded;
}

void CMyStatic::OnFinalMessage()
{
    colour_ = GetSysColor(COLOR_BTNFACE);
    accessibleName_.clear();
    accessibleRole_ = 0;
    icon_ = nullptr;
    iconFlag_ = 0;
    ClearPicture();
}

void CMyStatic::OnPaint()
{
    PaintDC dc(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (iconFlag_ == kIconMode)
        PaintIcon(dc, client);
    else if (pictureFlag_ == kPictureLoaded && picture_)
        PaintPicture(dc, client);
    DrawFocusCue(hwnd(), dc, client);
}

COLORREF CMyStatic::PaintColour() const
{
    return HighContrastOn() ? HighContrastWindow() : colour_;
}

void CMyStatic::OnFocusChange(bool gained)
{
    Window::OnFocusChange(gained);
    InvalidateErasing(hwnd());
}

LRESULT CMyStatic::OnGetObject(WPARAM flags, LPARAM objectId)
{
    // A picture shows no text of its own: its name is the theme's caption or none at all.
    const std::string name = accessibleName_;
    const AccessibleOverride override{accessibleRole_, [name] { return name; }};
    if (const LRESULT answer = AnswerAccessibleObject(hwnd(), flags, objectId, override))
        return answer;
    return Window::OnGetObject(flags, objectId);
}

void CMyStatic::PaintIcon(HDC dc, const RECT& client) const
{
    const Brush background(CreateSolidBrush(PaintColour()));
    if (background)
        FillRect(dc, &client, background);
    if (icon_ != nullptr)
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_), 0, 0, 0, kIconSize,
                   kIconSize, DST_ICON);
}

void CMyStatic::PaintPicture(HDC dc, const RECT& client) const
{
    OLE_HANDLE paletteHandle = 0;
    picture_->get_hPal(&paletteHandle);
    // The palette belongs to the picture.
    const auto palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteHandle));
    const SelectedPalette selected(dc, palette, FALSE);
    if (palette != nullptr)
        RealizePalette(dc);

    // Rendered from the bottom HIMETRIC row with a negative extent: pictures are stored upright
    // in HIMETRIC space, which grows upwards.
    DWORD attributes = 0;
    const bool knownOpaque = SUCCEEDED(picture_->get_Attributes(&attributes)) &&
                             (attributes & PICTURE_TRANSPARENT) == 0;
    if (knownOpaque) {
        picture_->Render(dc, 0, 0, pictureWidth_, pictureHeight_, 0, himetricHeight_,
                         himetricWidth_, -himetricHeight_, &client);
        return;
    }

    // A transparent picture is composed on the background colour off screen first, so that
    // what shows through its holes is the control's colour and the screen is written once.
    const MemoryDC memory(CreateCompatibleDC(dc));
    const Bitmap bitmap(CreateCompatibleBitmap(dc, pictureWidth_, pictureHeight_));
    if (!memory || !bitmap)
        return;
    const SelectedObject selectedBitmap(memory, bitmap);
    const SelectedPalette memoryPalette(memory, palette, FALSE);
    if (palette != nullptr)
        RealizePalette(memory);
    const RECT area{0, 0, pictureWidth_, pictureHeight_};
    const Brush background(CreateSolidBrush(PaintColour()));
    if (background)
        FillRect(memory, &area, background);
    picture_->Render(memory, 0, 0, pictureWidth_, pictureHeight_, 0, himetricHeight_,
                     himetricWidth_, -himetricHeight_, &area);
    BitBlt(dc, 0, 0, pictureWidth_, pictureHeight_, memory, 0, 0, SRCCOPY);
}
