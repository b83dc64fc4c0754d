#include "setup/skin/folder_chooser/path_dialog_layout.h"

#include <algorithm>

namespace {

constexpr LONG kEditTopAboveTree = 27;
constexpr LONG kEditBottomAboveTree = 4;
constexpr LONG kMargin = 8;

RECT ChildRect(HWND dialog, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool HasVisibleStyle(HWND window)
{
    // The dialog itself is not shown yet while it initialises, so IsWindowVisible says no for
    // every control; the controls' own style tells which ones will show.
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

} // namespace

RECT MakeRoomForFolderEdit(HWND dialog)
{
    HWND tree = GetDlgItem(dialog, kBrowseTreeId);
    if (tree == nullptr) {
        RECT client{};
        GetClientRect(dialog, &client);
        return {kMargin, kEditBottomAboveTree, client.right - kMargin, kEditTopAboveTree};
    }
    RECT treeRect = ChildRect(dialog, tree);
    RECT edit{treeRect.left, treeRect.top - kEditTopAboveTree, treeRect.right,
              treeRect.top - kEditBottomAboveTree};
    LONG lowest = edit.top;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = ChildRect(dialog, child), overlap{};
        if (child != tree && HasVisibleStyle(child) && IntersectRect(&overlap, &rect, &edit))
            lowest = std::max(lowest, rect.bottom);
    }
    const LONG shift = lowest - edit.top;
    if (shift > 0) {
        OffsetRect(&edit, 0, shift);
        treeRect.top += shift;
        MoveWindow(tree, treeRect.left, treeRect.top, treeRect.right - treeRect.left,
                   std::max<LONG>(treeRect.bottom - treeRect.top, 0), FALSE);
    }
    return edit;
}
