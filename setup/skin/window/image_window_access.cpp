// The themed page for keyboard users and assistive technology: which controls take the focus
// and in what order, what they are called and what they are.
#include "setup/skin/window/image_window.h"

#include <oleacc.h>

#include "setup/theme/keyboard_rules.h"

namespace {

// Posted to the page itself: give the page its start focus once it is on screen.
constexpr UINT kApplyStartFocus = WM_APP + 1;

long RoleValue(ClickRole role)
{
    switch (role) {
    case ClickRole::Link: return ROLE_SYSTEM_LINK;
    case ClickRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case ClickRole::None: break;
    }
    return 0;
}

// Kinds the user acts on whose catalogue style has no tab stop.
bool TakesInput(ControlType type)
{
    return type == ControlType::ComboBox || type == ControlType::CheckBox || type == ControlType::TreeView || type == ControlType::RichText;
}

bool CanTakeFocus(HWND control)
{
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

} // namespace

CNewLabel* CImageWindow::LabelOfRecord(const ControlRecord& record)
{
    if (record.type == ControlType::Text)
        return &texts_[static_cast<std::size_t>(record.poolSlot)];
    if (record.type == ControlType::HotSpot)
        return &hotSpots_[static_cast<std::size_t>(record.poolSlot)];
    return nullptr;
}

CMyStatic* CImageWindow::PictureOfRecord(const ControlRecord& record)
{
    if (record.type == ControlType::Bitmap || record.type == ControlType::Hover)
        return &images_[static_cast<std::size_t>(record.poolSlot)];
    if (record.type == ControlType::Icon)
        return &icons_[static_cast<std::size_t>(record.poolSlot)];
    return nullptr;
}

void CImageWindow::PrepareAccessibility()
{
    // The status line says what the progress bar measures, so it names the bar.
    HWND statusLine = statusId_[0] != -1 ? GetDlgItem(hwnd(), statusId_[0]) : nullptr;

    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        const ControlRecord& record = catalogue_.Record(i);
        HWND control = ControlWindow(i);
        if (control == nullptr || record.poolSlot < 0 || record.poolSlot >= kPoolSize)
            continue;
        const ClickRole role = ClickRoleOf(record);
        // Every pool object on the page is set, so nothing of an earlier page's stays.
        if (CNewLabel* label = LabelOfRecord(record))
            label->SetAccessibleRole(RoleValue(role));
        if (CMyStatic* picture = PictureOfRecord(record)) {
            picture->SetAccessibleRole(RoleValue(role));
            picture->SetAccessibleName(PictureCaption(record));
        }
        if (record.type == ControlType::Progress)
            progressBars_[static_cast<std::size_t>(record.poolSlot)].SetNameSource(statusLine);
        // A static control reports a mouse click only with SS_NOTIFY; the tab stop lets the
        // keyboard reach it.
        if (role != ClickRole::None)
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | WS_TABSTOP | SS_NOTIFY);
        // Input controls that the catalogue makes without a tab stop get one.
        else if (TakesInput(record.type))
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | WS_TABSTOP);
    }
    startFocusPending_ = true;
    PostMessageA(hwnd(), kApplyStartFocus, 0, 0);
}

std::vector<HWND> CImageWindow::TabStops() const
{
    std::vector<ControlRect> rects;
    std::vector<HWND> windows;
    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        HWND control = ControlWindow(i);
        if (!CanTakeFocus(control))
            continue;
        rects.push_back(catalogue_.Record(i).rect);
        windows.push_back(control);
    }
    std::vector<HWND> stops;
    for (int index : ReadingOrder(rects))
        stops.push_back(windows[static_cast<std::size_t>(index)]);
    return stops;
}

void CImageWindow::MoveFocus(bool backwards)
{
    const std::vector<HWND> stops = TabStops();
    if (stops.empty())
        return;
    HWND focus = GetFocus();
    const int count = static_cast<int>(stops.size());
    int current = -1;
    for (int i = 0; i < count; ++i) {
        // The focus may be inside a control (the edit box of a combo box).
        if (stops[static_cast<std::size_t>(i)] == focus || IsChild(stops[static_cast<std::size_t>(i)], focus))
            current = i;
    }
    int next = 0;
    if (current == -1)
        next = backwards ? count - 1 : 0;
    else
        next = backwards ? (current + count - 1) % count : (current + 1) % count;
    FocusControl(stops[static_cast<std::size_t>(next)]);
    // The focus was moved with the keyboard: from now on it is shown.
    SendMessageA(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void CImageWindow::FocusControl(HWND control)
{
    if (control != nullptr)
        SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

HWND CImageWindow::StartFocusControl() const
{
    const int next = FindControlId("IDC_NEXT");
    const int record = next == -1 ? -1 : FindRecordIndex(next);
    if (record != -1 && catalogue_.Record(record).type == ControlType::Button && CanTakeFocus(ControlWindow(record)))
        return ControlWindow(record);
    const std::vector<HWND> stops = TabStops();
    return stops.empty() ? nullptr : stops.front();
}

void CImageWindow::ApplyStartFocus()
{
    if (!startFocusPending_ || !IsWindowVisible(hwnd()))
        return;
    startFocusPending_ = false;
    FocusControl(StartFocusControl());
}

void CImageWindow::OnShowWindow(bool shown)
{
    Dialog::OnShowWindow(shown);
    // Showing moves the focus to the dialog's first control once the window is active; the
    // page's own start focus comes after that.
    if (shown && startFocusPending_)
        PostMessageA(hwnd(), kApplyStartFocus, 0, 0);
}

LRESULT CImageWindow::OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kApplyStartFocus) {
        ApplyStartFocus();
        return 0;
    }
    return Dialog::OnAppMessage(message, wParam, lParam);
}

bool CImageWindow::ClickFocusedControl()
{
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != hwnd())
        return false;
    const int record = FindRecordIndex(GetDlgCtrlID(focus));
    if (record == -1 || ClickRoleOf(catalogue_.Record(record)) == ClickRole::None)
        return false;
    // The notification a click sends (STN_CLICKED has BN_CLICKED's code).
    SendMessageA(hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return true;
}
