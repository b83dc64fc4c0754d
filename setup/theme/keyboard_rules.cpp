#include "setup/theme/keyboard_rules.h"

#include <algorithm>
#include <numeric>

std::vector<int> ReadingOrder(const std::vector<ControlRect>& rects)
{
    std::vector<int> byTop(rects.size());
    std::iota(byTop.begin(), byTop.end(), 0);
    std::stable_sort(byTop.begin(), byTop.end(), [&](int a, int b) {
        const ControlRect& ra = rects[static_cast<std::size_t>(a)];
        const ControlRect& rb = rects[static_cast<std::size_t>(b)];
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    std::vector<int> order;
    order.reserve(rects.size());
    std::size_t rowStart = 0;
    while (rowStart < byTop.size()) {
        const ControlRect& first = rects[static_cast<std::size_t>(byTop[rowStart])];
        // Halved apart, so that extreme coordinates cannot overflow.
        const long long middle = (static_cast<long long>(first.top) + first.bottom) / 2;
        std::size_t rowEnd = rowStart + 1;
        while (rowEnd < byTop.size() && rects[static_cast<std::size_t>(byTop[rowEnd])].top < middle)
            ++rowEnd;
        std::stable_sort(byTop.begin() + static_cast<std::ptrdiff_t>(rowStart),
                         byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd), [&](int a, int b) {
                             return rects[static_cast<std::size_t>(a)].left < rects[static_cast<std::size_t>(b)].left;
                         });
        order.insert(order.end(), byTop.begin() + static_cast<std::ptrdiff_t>(rowStart),
                     byTop.begin() + static_cast<std::ptrdiff_t>(rowEnd));
        rowStart = rowEnd;
    }
    return order;
}

ClickRole ClickRoleOf(const ControlRecord& record)
{
    const bool hasAction = GetClickAction(record) != -1;
    if (record.type == ControlType::Text) {
        // "URL Link" is property slot 9 of a label.
        if (record.propertyCount > 9 && record.propertyValues[9] == "Yes")
            return ClickRole::Link;
        return hasAction ? ClickRole::PushButton : ClickRole::None;
    }
    if (record.type == ControlType::HotSpot || record.type == ControlType::Hover)
        return ClickRole::PushButton;
    if (record.type == ControlType::Bitmap || record.type == ControlType::Icon)
        return hasAction ? ClickRole::PushButton : ClickRole::None;
    return ClickRole::None;
}

std::string PictureCaption(const ControlRecord& record)
{
    std::string caption;
    if (record.type != ControlType::Bitmap && record.type != ControlType::Hover && record.type != ControlType::Icon)
        return caption;
    for (int j = 0; j < record.propertyCount && j < kPropertySlots; ++j) {
        if (record.propertyNames[static_cast<std::size_t>(j)] == "Caption")
            caption = record.propertyValues[static_cast<std::size_t>(j)];
    }
    return caption;
}
