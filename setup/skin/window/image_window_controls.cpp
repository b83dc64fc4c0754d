// The control catalogue of the themed window: tearing a page down, and one creator per type.
#include "setup/skin/window/image_window.h"

#include <commctrl.h>

#include "setup/theme/theme_data.h"

namespace {

RECT ToRect(const ControlRect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

void CImageWindow::ResetControls()
{
    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        if (HWND child = GetDlgItem(hwnd(), catalogue_.Record(i).controlId))
            DestroyWindow(child);
    }
    catalogue_.Reset();
    backColourText_ = kButtonFaceColour;
    catalogue_.selectedRecord = -1;
    catalogue_.currentType = kWindowType;
    SetControlColor(kButtonFaceColour, 1);
    progressSlot_ = -1;
    RepaintAll();
}

void CImageWindow::CreateControls(const ThemeData& theme)
{
    // Last descriptor first: the first line of the file ends as record 0 with the highest id.
    for (auto it = theme.controls.rbegin(); it != theme.controls.rend(); ++it) {
        const int recordsBefore = catalogue_.RecordCount();
        CreateControl(it->descriptor);
        // A control past the page's limits made no record and keeps no property lines.
        if (catalogue_.RecordCount() > recordsBefore)
            catalogue_.StoreProperties(0, it->properties);
    }
}

int CImageWindow::CreateControl(const ControlDescriptor& descriptor)
{
    if (!catalogue_.Reserve(descriptor.type))
        return descriptor.dataNumber;
    const ControlRect& r = descriptor.rect;
    switch (descriptor.type) {
    case ControlType::Button: CreateButton(r); break;
    case ControlType::Bitmap: CreateBitmap(r, descriptor.imageFile); break;
    case ControlType::Text: CreateText(r); break;
    case ControlType::Rect: CreateRectangle(r); break;
    case ControlType::Hover: CreateHover(r, descriptor.imageFile); break;
    case ControlType::TextBox: CreateTextBox(r); break;
    case ControlType::ComboBox: CreateComboBox(r); break;
    case ControlType::Radio: CreateRadio(r); break;
    case ControlType::HotSpot: CreateHotSpot(r); break;
    case ControlType::Animation: CreateAnimation(r); break;
    case ControlType::Progress: CreateProgress(r); break;
    case ControlType::ListView: CreateListView(r); break;
    case ControlType::GroupBox: CreateGroupBox(r); break;
    case ControlType::Icon: CreateIcon(r); break;
    case ControlType::TreeView: CreateTreeView(r); break;
    case ControlType::Frame: CreateFrame(r); break;
    case ControlType::RichText: CreateRichText(r); break;
    case ControlType::CheckBox: CreateCheckBox(r); break;
    case ControlType::None: break;
    }
    return descriptor.dataNumber;
}

Window& CImageWindow::PoolObject(ControlPool pool, int slot)
{
    const auto i = static_cast<std::size_t>(slot);
    switch (pool) {
    case ControlPool::Button: return buttons_[i];
    case ControlPool::Image: return images_[i];
    case ControlPool::Text: return texts_[i];
    case ControlPool::Rect: return rectangles_[i];
    case ControlPool::Edit: return edits_[i];
    case ControlPool::Combo: return combos_[i];
    case ControlPool::Radio: return radios_[i];
    case ControlPool::CheckBox: return checkBoxes_[i];
    case ControlPool::HotSpot: return hotSpots_[i];
    case ControlPool::Animation: return animations_[i];
    case ControlPool::Progress: return progressBars_[i];
    case ControlPool::List: return lists_[i];
    case ControlPool::GroupBox: return groupBoxes_[i];
    case ControlPool::Frame: return frames_[i];
    case ControlPool::Tree: return trees_[i];
    case ControlPool::RichText: return richTexts_[i];
    case ControlPool::Icon: return icons_[i];
    }
    return texts_[i];
}

CNewLabel& CImageWindow::Label(ControlPool pool, int slot)
{
    return static_cast<CNewLabel&>(PoolObject(pool, slot));
}

CMyButton& CImageWindow::Button(ControlPool pool, int slot)
{
    return static_cast<CMyButton&>(PoolObject(pool, slot));
}

CMyStatic& CImageWindow::Image(ControlPool pool, int slot)
{
    return static_cast<CMyStatic&>(PoolObject(pool, slot));
}

CMyRadioButton& CImageWindow::Radio(ControlPool pool, int slot)
{
    return static_cast<CMyRadioButton&>(PoolObject(pool, slot));
}

HWND CImageWindow::ControlWindow(int record) const
{
    if (record < 0 || record >= catalogue_.RecordCount())
        return nullptr;
    return GetDlgItem(hwnd(), catalogue_.Record(record).controlId);
}

int CImageWindow::CreateCommon(ControlType type, ControlRect rect, const std::string& imageFile,
                               DWORD style, DWORD exStyle)
{
    const CatalogueEntry* entry = FindCatalogueEntry(type);
    const auto reservation = catalogue_.Reserve(type);
    if (entry == nullptr || !reservation)
        return -1;
    rect = ApplySizeRule(*entry, rect);
    const std::string caption = FormatCaption(*entry, reservation->poolSlot);
    catalogue_.AddControlRecord(rect, reservation->controlId, "", imageFile,
                                ControlTypeKeyword(type), reservation->poolSlot,
                                reservation->creationOrdinal);
    CreatePoolControl(entry->pool, reservation->poolSlot,
                      entry->captionFormat != nullptr ? caption.c_str() : nullptr, style, exStyle,
                      ToRect(rect), reservation->controlId);
    return reservation->poolSlot;
}

void CImageWindow::CreatePoolControl(ControlPool pool, int slot, const char* caption, DWORD style,
                                     DWORD exStyle, const RECT& rect, int id)
{
    const auto i = static_cast<std::size_t>(slot);
    HWND parent = hwnd();
    switch (pool) {
    case ControlPool::Button: buttons_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Image: images_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Text: texts_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Rect: rectangles_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Edit: edits_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Combo: combos_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Radio: radios_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::CheckBox: checkBoxes_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::HotSpot: hotSpots_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Animation: animations_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Progress: progressBars_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::List: lists_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::GroupBox: groupBoxes_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Frame: frames_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Tree: trees_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::RichText: richTexts_[i].Create(caption, style, exStyle, rect, parent, id); break;
    case ControlPool::Icon: icons_[i].Create(caption, style, exStyle, rect, parent, id); break;
    }
}

void CImageWindow::CreateButton(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Button, rect, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0);
    if (slot < 0)
        return;
    SendWindowFont(buttons_[static_cast<std::size_t>(slot)].hwnd());
    catalogue_.CommitCreation(ControlType::Button);
}

void CImageWindow::CreateImageControl(ControlType type, const ControlRect& rect, const std::string& imageFile)
{
    const auto reservation = catalogue_.Reserve(type);
    if (!reservation)
        return;
    CMyStatic& image = images_[static_cast<std::size_t>(reservation->poolSlot)];
    ControlRect sized = rect;
    // The size is the image's. A control whose image is missing or cannot be decoded has no
    // image of this page and keeps its descriptor's size.
    image.ClearPicture();
    if (FileExists(imageFile))
        image.LoadPicture(imageFile);
    if (image.Picture() != nullptr) {
        sized.right = sized.left + image.PictureWidth();
        sized.bottom = sized.top + image.PictureHeight();
    }
    const int slot = CreateCommon(type, sized, imageFile, WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 0);
    if (slot < 0)
        return;
    catalogue_.CommitCreation(type);
    RepaintAll();
}

void CImageWindow::CreateBitmap(const ControlRect& rect, const std::string& imageFile)
{
    CreateImageControl(ControlType::Bitmap, rect, imageFile);
}

void CImageWindow::CreateHover(const ControlRect& rect, const std::string& imageFile)
{
    CreateImageControl(ControlType::Hover, rect, imageFile);
}

void CImageWindow::CreateText(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Text, rect, "", WS_CHILD | WS_VISIBLE, 0);
    if (slot < 0)
        return;
    texts_[static_cast<std::size_t>(slot)].UseMainFrameFont();
    catalogue_.CommitCreation(ControlType::Text);
}

void CImageWindow::CreateRectangle(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Rect, rect, "", WS_CHILD | WS_VISIBLE, 0);
    if (slot < 0)
        return;
    rectangles_[static_cast<std::size_t>(slot)].SetBackColor("255,255,255");
    catalogue_.CommitCreation(ControlType::Rect);
}

void CImageWindow::CreateTextBox(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::TextBox, rect, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE, 0);
    if (slot < 0)
        return;
    HWND edit = edits_[static_cast<std::size_t>(slot)].hwnd();
    SendWindowFont(edit);
    ChangeExStyle(edit, 0, WS_EX_CLIENTEDGE);
    catalogue_.CommitCreation(ControlType::TextBox);
}

void CImageWindow::CreateComboBox(const ControlRect& rect)
{
    // The record's height is the selection field's, known only once the box exists.
    const int slot = CreateCommon(ControlType::ComboBox, rect, "",
                                  WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_DISABLENOSCROLL, 0);
    if (slot < 0)
        return;
    HWND combo = combos_[static_cast<std::size_t>(slot)].hwnd();
    SendWindowFont(combo);
    const LRESULT itemHeight = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    ControlRecord& record = catalogue_.Record(0);
    if (itemHeight != CB_ERR)
        record.rect.bottom = record.rect.top + static_cast<int>(itemHeight) + 9;
    catalogue_.CommitCreation(ControlType::ComboBox);
}

void CImageWindow::CreateRadio(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Radio, rect, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0);
    if (slot < 0)
        return;
    HWND radio = radios_[static_cast<std::size_t>(slot)].hwnd();
    SendMessageA(radio, BM_SETSTYLE, BS_RADIOBUTTON, TRUE);
    SendWindowFont(radio);
    catalogue_.CommitCreation(ControlType::Radio);
}

void CImageWindow::CreateCheckBox(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::CheckBox, rect, "", WS_CHILD | WS_VISIBLE, 0);
    if (slot < 0)
        return;
    HWND box = checkBoxes_[static_cast<std::size_t>(slot)].hwnd();
    SendMessageA(box, BM_SETSTYLE, BS_CHECKBOX, TRUE);
    SendWindowFont(box);
    catalogue_.CommitCreation(ControlType::CheckBox);
}

void CImageWindow::CreateHotSpot(const ControlRect& rect)
{
    if (CreateCommon(ControlType::HotSpot, rect, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0) >= 0)
        catalogue_.CommitCreation(ControlType::HotSpot);
}

void CImageWindow::CreateAnimation(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Animation, rect, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0);
    if (slot < 0)
        return;
    CNewLabel& label = animations_[static_cast<std::size_t>(slot)];
    SendWindowFont(label.hwnd());
    label.SetAlignment("Center");
    catalogue_.CommitCreation(ControlType::Animation);
}

void CImageWindow::CreateProgress(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::Progress, rect, "", WS_CHILD | WS_VISIBLE, 0);
    if (slot < 0)
        return;
    // The last progress bar created on a page is the one a removal reports to.
    progressSlot_ = slot;
    catalogue_.CommitCreation(ControlType::Progress);
}

void CImageWindow::CreateListView(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::ListView, rect, "", WS_CHILD | WS_VISIBLE, 0);
    if (slot < 0)
        return;
    CNewLabel& label = lists_[static_cast<std::size_t>(slot)];
    label.SetBackColor("255,255,255");
    ChangeExStyle(label.hwnd(), 0, WS_EX_CLIENTEDGE);
    catalogue_.CommitCreation(ControlType::ListView);
}

void CImageWindow::CreateGroupBox(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::GroupBox, rect, "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0);
    if (slot < 0)
        return;
    SendWindowFont(groupBoxes_[static_cast<std::size_t>(slot)].hwnd());
    catalogue_.CommitCreation(ControlType::GroupBox);
}

void CImageWindow::CreateFrame(const ControlRect& rect)
{
    if (CreateCommon(ControlType::Frame, rect, "", WS_CHILD | WS_VISIBLE, 0) >= 0)
        catalogue_.CommitCreation(ControlType::Frame);
}

void CImageWindow::CreateTreeView(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::TreeView, rect, "", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0);
    if (slot < 0)
        return;
    HWND tree = trees_[static_cast<std::size_t>(slot)].hwnd();
    SendWindowFont(tree);
    ChangeExStyle(tree, 0, WS_EX_CLIENTEDGE);
    catalogue_.CommitCreation(ControlType::TreeView);
}

void CImageWindow::CreateRichText(const ControlRect& rect)
{
    const int slot = CreateCommon(ControlType::RichText, rect, "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 0);
    if (slot < 0)
        return;
    ChangeExStyle(richTexts_[static_cast<std::size_t>(slot)].hwnd(), 0, WS_EX_CLIENTEDGE);
    catalogue_.CommitCreation(ControlType::RichText);
}

void CImageWindow::CreateIcon(const ControlRect& rect)
{
    if (CreateCommon(ControlType::Icon, rect, "", WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, 0) >= 0)
        catalogue_.CommitCreation(ControlType::Icon);
}
