#include "setup/skin/window/image_window.h"

#include <commctrl.h>

#include "common/ole_picture.h"
#include "setup/core/product_context.h"
#include "setup/theme/colour_value.h"
#include "setup/skin/controls/high_contrast.h"
#include "setup/theme/profile_ini_source.h"
#include "setup/core/text_variables.h"
#include "setup/theme/theme_data.h"
#include "setup/theme/page_rules.h"
#include "setup/skin/window_font.h"

namespace {

// The icon the template's window carries in the title bar and the task switcher.
constexpr UINT kWindowIcon = 137;

} // namespace

bool PageHost::OnPageCommand(int, int, int, const std::string&, CImageWindow&, const std::string&)
{
    return false;
}

CImageWindow::CImageWindow(PageHost& host) : host_(host)
{
    BuildPoolTable();
    SetBackgroundColour(kButtonFaceColour);
}

CImageWindow::~CImageWindow()
{
    // The controls go first, while their objects still exist; then the window.
    Destroy();
}

bool CImageWindow::Create(HWND parent)
{
    return Dialog::Create(kImageWindowTemplate, parent);
}

BOOL CImageWindow::OnInitDialog()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kWindowIcon))) {
        SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    // No focus now: the window has no controls yet and is hidden, and taking the focus would
    // activate it unseen (a round of activation messages before the page can show). Showing it
    // activates it, and the page's start focus follows once it is on screen.
    return FALSE;
}

void CImageWindow::LoadTheme(const std::string& themeFolder, const std::string& fileName,
                             int pageIndex, int pageCount)
{
    KillTimer(hwnd(), kImageWindowTimer);
    // The counters are cleared by ResetControls below, after it has destroyed the previous
    // page's controls: cleared first, it would find no records and leave them all standing.
    fileName_ = fileName;
    pageIndex_ = pageIndex;
    pageCount_ = pageCount;
    SetBackgroundColour(kButtonFaceColour);
    pictureFlag_ = 0;

    LoadThemeFile(themeFolder + fileName);
    Place();
    if (fileName_ == kRemovalPageName)
        PrepareProgressPage();
    PrepareAccessibility();
}

void CImageWindow::LoadThemeFile(const std::string& path)
{
    themePath_ = path;
    ResetControls();
    const ThemeData theme = LoadThemeData(SectionIniSource(path), path);
    settings_ = theme.window;
    ApplyWindowSettings(theme);
    ApplyWindowFont();
    CreateControls(theme);
    ApplyPageProperties();
    ChooseProgressControls();
    RepaintAll();
}

void CImageWindow::ApplyWindowSettings(const ThemeData& theme)
{
    const MainWindowSettings& s = theme.window;
    const char* border = s.border == BorderSetting::None ? "0" : s.border == BorderSetting::Thin ? "1" : "";
    const std::string values[10] = {
        s.idcName,   s.caption,  s.bkColorText,
        border,      s.bkImage,  s.soundFile,
        std::to_string(s.startup),
        s.minimizeBox ? "Yes" : "No", s.maximizeBox ? "Yes" : "No", s.closeBox ? "Yes" : "No",
    };
    for (int slot = 0; slot < 10; ++slot)
        ApplyWindowSetting(slot, values[slot]);
}

// The window-level meaning of setting slots 0 to 9 (the [MAINWINDOW] keys).
void CImageWindow::ApplyWindowSetting(int slot, const std::string& value)
{
    const ProductContext& context = TheProductContext();
    switch (slot) {
    case 0: // idcname: kept, nothing uses it
        settings_.idcName = value;
        break;
    case 1:
        SetWindowTextA(hwnd(), ApplyTextVariables(value, context.displayName, context.productCode).c_str());
        break;
    case 2:
        SetWindowBackColour(value);
        break;
    case 3:
        if (value == "0")
            ChangeStyle(WS_BORDER, 0);
        else if (value == "1")
            ChangeStyle(0, WS_BORDER);
        break;
    case 4:
        SetBackgroundPicture(value);
        break;
    case 5: // soundfile: kept, never played
        settings_.soundFile = value;
        break;
    case 6: // startup: used when the window is placed
        break;
    case 7:
        ChangeStyle(value == "Yes" ? 0 : WS_MINIMIZEBOX, value == "Yes" ? WS_MINIMIZEBOX : 0);
        break;
    case 8:
        ChangeStyle(value == "Yes" ? 0 : WS_MAXIMIZEBOX, value == "Yes" ? WS_MAXIMIZEBOX : 0);
        break;
    case 9:
        ChangeStyle(value == "Yes" ? 0 : WS_SYSMENU, value == "Yes" ? WS_SYSMENU : 0);
        break;
    default:
        return;
    }
    // Every setting leaves the window with a taskbar button of its own.
    ChangeExStyle(hwnd(), 0, WS_EX_APPWINDOW);
}

void CImageWindow::ApplyWindowFont()
{
    WindowFontHolder& windowFont = TheWindowFont();
    windowFont.SetWindowFont(hwnd(), settings_.fontName, 0, settings_.fontBold ? 255 : 0,
                             settings_.fontItalic ? 255 : 0, settings_.fontSize);
    // Controls already on the page take the new font and record it in their font slots.
    const std::string size = std::to_string(settings_.fontSize);
    const char* bold = settings_.fontBold ? "Yes" : "No";
    const char* italic = settings_.fontItalic ? "Yes" : "No";
    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        ControlRecord& record = catalogue_.Record(i);
        int firstFontSlot = -1;
        if (record.type == ControlType::Text)
            firstFontSlot = 5;
        else if (record.type == ControlType::Button)
            firstFontSlot = 3;
        else if (record.type != ControlType::GroupBox && record.type != ControlType::Radio)
            continue;
        SendWindowFont(ControlWindow(i));
        if (firstFontSlot < 0)
            continue;
        auto& values = record.propertyValues;
        values[static_cast<std::size_t>(firstFontSlot)] = settings_.fontName;
        values[static_cast<std::size_t>(firstFontSlot + 1)] = size;
        values[static_cast<std::size_t>(firstFontSlot + 2)] = bold;
        values[static_cast<std::size_t>(firstFontSlot + 3)] = italic;
    }
    RepaintAll();
}

void CImageWindow::SendWindowFont(HWND control)
{
    HFONT font = TheWindowFont().Font();
    if (control != nullptr && font != nullptr)
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

namespace {

// Changes one of a window's style words and lets its frame follow.
void ChangeStyleWord(HWND window, int which, DWORD remove, DWORD add)
{
    const LONG_PTR style = GetWindowLongPtrA(window, which);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add);
    if (changed == style)
        return;
    SetWindowLongPtrA(window, which, changed);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void CImageWindow::ChangeStyle(DWORD remove, DWORD add)
{
    ChangeStyleWord(hwnd(), GWL_STYLE, remove, add);
}

void CImageWindow::ChangeExStyle(HWND window, DWORD remove, DWORD add)
{
    ChangeStyleWord(window, GWL_EXSTYLE, remove, add);
}

void CImageWindow::Place()
{
    const int height = AdjustedWindowHeight(settings_.height, CaptionHeight());
    const auto placement = PlaceWindow(settings_.startup, settings_.width, height,
                                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (placement)
        MoveWindow(hwnd(), placement->left, placement->top, placement->width, placement->height, TRUE);
}

void CImageWindow::SetBackgroundColour(const std::string& colourText)
{
    backColourText_ = colourText;
    backgroundColour_ = ToColourRef(ParseColourSetting(colourText), GetSysColor(COLOR_BTNFACE));
    // The new brush is in place before the old one goes.
    Brush made(CreateSolidBrush(backgroundColour_));
    if (made)
        backgroundBrush_ = std::move(made);
    RepaintAll();
}

void CImageWindow::SetBackgroundPicture(const std::string& path)
{
    ComPtr<IPicture> picture;
    Bitmap bmp;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (!path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        // A BMP file goes straight into a DIB section, the same pixels without OLE's stream and
        // device-bitmap copy (the costliest step before the page shows); other formats, and
        // BMPs the system loader refuses, go through OLE.
        bmp.reset(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        if (!bmp)
            picture = LoadPictureFromFile(path);
    }
    OLE_HANDLE handle = 0;
    SHORT type = PICTYPE_UNINITIALIZED;
    HBITMAP shown = bmp.get();
    // Only a bitmap can be stretched over the window; anything else leaves no visible picture.
    if (shown == nullptr && picture && SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture->get_Handle(&handle)))
        shown = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    if (shown != nullptr && GetObjectA(shown, sizeof info, &info) != 0) {
        picture_ = std::move(picture);
        pictureDib_ = std::move(bmp);
        pictureBitmap_ = shown;
        pictureSize_ = SIZE{info.bmWidth, info.bmHeight};
        pictureFlag_ = 255;
    } else {
        pictureFlag_ = 0;
        pictureBitmap_ = nullptr;
        picture_.reset();
        pictureDib_.reset();
        pictureSize_ = SIZE{0, 0};
    }
    RepaintAll();
}

void CImageWindow::OnPaint()
{
    PaintDC dc(hwnd());
    // High contrast keeps the layout but leaves the picture out: text must stand on the
    // system's plain window colour.
    if (pictureFlag_ != 255 || pictureBitmap_ == nullptr || HighContrastOn())
        return;
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    MemoryDC source(CreateCompatibleDC(dc));
    if (!source)
        return;
    SelectedObject selected(source, pictureBitmap_);
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, outer.right - outer.left, outer.bottom - outer.top, source, 0, 0,
               pictureSize_.cx, pictureSize_.cy, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

HBRUSH CImageWindow::OnCtlColor(UINT type, HDC dc, HWND control)
{
    if (type == WM_CTLCOLORDLG && control == hwnd())
        return HighContrastOn() ? GetSysColorBrush(COLOR_WINDOW) : backgroundBrush_.get();
    return Dialog::OnCtlColor(type, dc, control);
}

bool CImageWindow::PreTranslateMessage(MSG& msg)
{
    if (msg.message != WM_KEYDOWN)
        return false;
    switch (msg.wParam) {
    case VK_RETURN:
        // Enter never presses a default button nor closes the page.
        return true;
    case VK_TAB: {
        // The dialog manager would follow the order the controls were created in, which is the
        // theme file's backwards: the page is walked in reading order instead. Tab always
        // leaves a control, even one that would take it as text (the rich-text box would
        // otherwise keep the focus for good); Ctrl+Tab goes to the control, Alt+Tab is not ours.
        if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
            return false;
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    case VK_SPACE:
        return ClickFocusedControl();
    default:
        return false;
    }
}

void CImageWindow::OnSystemChange(UINT message)
{
    Dialog::OnSystemChange(message);
    // The common controls among the children follow the system's colours only when told.
    if (message == WM_SYSCOLORCHANGE) {
        for (int i = 0; i < catalogue_.RecordCount(); ++i) {
            if (HWND child = ControlWindow(i))
                SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
        }
    }
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CImageWindow::OnClose()
{
    if (host_.RequestEndRun())
        Destroy();
}

void CImageWindow::OnCommand(UINT commandId, UINT notifyCode, HWND control)
{
    // Escape would hide the page through the dialog's cancel and leave a run nobody can see or
    // finish: it ends the run as closing the window does.
    if (commandId == IDCANCEL && control == nullptr) {
        OnClose();
        return;
    }
    // Clicks of the page's first 31 controls are page commands; later ids and other
    // notifications get no command.
    if (control != nullptr && notifyCode == BN_CLICKED && commandId >= kFirstControlId &&
        commandId <= kLastClickableControlId) {
        OnControlClicked(static_cast<int>(commandId));
        return;
    }
    Dialog::OnCommand(commandId, notifyCode, control);
}

void CImageWindow::RepaintAll()
{
    if (hwnd() != nullptr)
        InvalidateRect(hwnd(), nullptr, TRUE);
}
