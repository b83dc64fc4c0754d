// The control catalogue of the themed window: tearing a page down, and one creator per type.
#include "setup/skin/window/image_window.h"

#include <commctrl.h>

#include <type_traits>

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
    SetWindowBackColour(kButtonFaceColour);
    // An empty page reports to nothing until its own controls are chosen.
    ChooseProgressControls();
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

namespace {

template <class Control>
bool CreateAs(Window& control, const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
              HWND parent, int id)
{
    return static_cast<Control&>(control).Create(caption, style, exStyle, rect, parent, id);
}

} // namespace

void CImageWindow::BuildPoolTable()
{
    const auto add = [this](ControlPool pool, auto& objects) {
        using Control = typename std::remove_reference_t<decltype(objects)>::value_type;
        PoolEntry& entry = pools_[static_cast<std::size_t>(pool)];
        for (std::size_t i = 0; i < objects.size(); ++i)
            entry.objects[i] = &objects[i];
        entry.create = &CreateAs<Control>;
    };
    add(ControlPool::Button, buttons_);
    add(ControlPool::Image, images_);
    add(ControlPool::Text, texts_);
    add(ControlPool::Rect, rectangles_);
    add(ControlPool::Edit, edits_);
    add(ControlPool::Combo, combos_);
    add(ControlPool::Radio, radios_);
    add(ControlPool::CheckBox, checkBoxes_);
    add(ControlPool::HotSpot, hotSpots_);
    add(ControlPool::Animation, animations_);
    add(ControlPool::Progress, progressBars_);
    add(ControlPool::List, lists_);
    add(ControlPool::GroupBox, groupBoxes_);
    add(ControlPool::Frame, frames_);
    add(ControlPool::Tree, trees_);
    add(ControlPool::RichText, richTexts_);
    add(ControlPool::Icon, icons_);
}

Window& CImageWindow::PoolObject(ControlPool pool, int slot)
{
    return *pools_[static_cast<std::size_t>(pool)].objects[static_cast<std::size_t>(slot)];
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
                                type, reservation->poolSlot,
                                reservation->creationOrdinal);
    const PoolEntry& pool = pools_[static_cast<std::size_t>(entry->pool)];
    pool.create(*pool.objects[static_cast<std::size_t>(reservation->poolSlot)],
                entry->captionFormat != nullptr ? caption.c_str() : nullptr, style, exStyle,
                ToRect(rect), hwnd(), reservation->controlId);
    return reservation->poolSlot;
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
    if (CreateCommon(ControlType::Progress, rect, "", WS_CHILD | WS_VISIBLE, 0) >= 0)
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
