#include "setup/theme/page_rules.h"
#include "setup/theme/keyboard_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

TEST(PageRules, CaptionHeightAndPlacement)
{
    EXPECT_EQ(AdjustedWindowHeight(400, 18), 393);
    EXPECT_EQ(AdjustedWindowHeight(400, 25), 400);
    EXPECT_EQ(AdjustedWindowHeight(400, 40), 400);
    EXPECT_EQ(AdjustedWindowHeight(INT_MIN, 0), INT_MIN); // saturates, no overflow

    struct Case {
        int startup, left, top;
    } const cases[] = {{0, 412, 234}, {2, 0, 0}, {3, 823, 0}, {4, 0, 433}, {5, 823, 433}};
    for (const Case& c : cases) {
        const auto placed = PlaceWindow(c.startup, 201, 300, 1024, 768); // 201/2 truncates to 100
        ASSERT_TRUE(placed) << c.startup;
        EXPECT_EQ(placed->left, c.left) << c.startup;
        EXPECT_EQ(placed->top, c.top) << c.startup;
        EXPECT_EQ(placed->width, 201);
        EXPECT_EQ(placed->height, 300);
    }
    for (int startup : {1, 6, 12, -1})
        EXPECT_FALSE(PlaceWindow(startup, 201, 300, 1024, 768)) << startup;
    EXPECT_EQ(PlaceWindow(5, INT_MIN, INT_MAX, INT_MAX, INT_MIN)->top, INT_MIN);
}

TEST(PageRules, PropertyValues)
{
    EXPECT_FALSE(IsFlagOn("No"));
    EXPECT_TRUE(IsFlagOn("") && IsFlagOn("no") && IsFlagOn("No "));

    struct Align {
        const char* value;
        TextAlign align;
    } const aligns[] = {{"2 - Right", TextAlign::Right}, {"3", TextAlign::Unchanged}, {"9", TextAlign::Unchanged},
                        {"", TextAlign::Centre},         {"L", TextAlign::Centre},    {"1 - Left", TextAlign::Left},
                        {"-1", TextAlign::Centre}};
    for (const Align& a : aligns)
        EXPECT_EQ(ReadTextAlign(a.value), a.align) << a.value;

    struct Icon {
        const char* value;
        int number, resource;
    } const icons[] = {{"IDI_FOLDER", 7, 136},   {"IDI_EXCLAMATION", 0, 141}, {"IDI_INFO", 1, 132},
                       {"IDI_SETUP", 6, 137},    {"IDIOT.ico", kUnknownIconName, 0},
                       {"C:\\x\\a.ico", kIconFromFile, 0}, {"ID", kIconFromFile, 0}, {"", kIconFromFile, 0}};
    for (const Icon& i : icons) {
        EXPECT_EQ(BuiltInIconNumber(i.value), i.number) << i.value;
        EXPECT_EQ(BuiltInIconResource(i.number), i.resource) << i.value;
    }
    EXPECT_EQ(BuiltInIconResource(8), 0);

    EXPECT_TRUE(IsBitmapButtonFace("10 - system colour") && IsBitmapButtonFace(""));
    EXPECT_FALSE(IsBitmapButtonFace("255,0,0"));

    EXPECT_EQ(HimetricToPixels(2540, 96), 96);
    EXPECT_EQ(HimetricToPixels(1270, 96), 48);
    EXPECT_EQ(HimetricToPixels(13, 96) + HimetricToPixels(14, 96), 1); // to the nearest pixel
    EXPECT_EQ(HimetricToPixels(INT_MAX, INT_MAX), INT_MAX);
}

TEST(KeyboardRules, ReadingOrderIsRowByRowLeftToRight)
{
    // Buttons at 305 with a link lower down beside them (its top above their middle), a
    // second row, and a control given first but lower.
    const std::vector<ControlRect> rects = {
        {420, 305, 500, 330}, {244, 305, 324, 330}, {24, 311, 214, 327}, {24, 158, 494, 188},
        {328, 305, 408, 330}, {24, 192, 494, 210}, {300, 158, 310, 168},
    };
    EXPECT_EQ(ReadingOrder(rects), (std::vector<int>{3, 6, 5, 2, 1, 4, 0}));
    EXPECT_TRUE(ReadingOrder({}).empty());
    // Extreme coordinates neither overflow nor lose a control.
    EXPECT_EQ(ReadingOrder({{0, INT_MAX, 0, INT_MAX}, {0, INT_MIN, 0, INT_MAX}}), (std::vector<int>{1, 0}));
}

TEST(KeyboardRules, WhatActsOnAClickAndWhatAPictureIsCalled)
{
    auto record = [](const char* type, std::vector<std::pair<std::string, std::string>> lines) {
        ControlRecord r;
        r.type = ControlTypeFromKeyword(type);
        r.propertyCount = static_cast<int>(lines.size());
        for (std::size_t j = 0; j < lines.size(); ++j) {
            r.propertyNames[j] = lines[j].first;
            r.propertyValues[j] = lines[j].second;
        }
        return r;
    };
    std::vector<std::pair<std::string, std::string>> link(10, {"x", ""});
    link[9] = {"URL Link", "Yes"};
    const struct {
        ControlRecord record;
        ClickRole role;
    } cases[] = {
        {record("TEXT", link), ClickRole::Link},
        {record("TEXT", {{"x", ""}, {"On Click", "1 - Next"}}), ClickRole::PushButton},
        {record("TEXT", {{"x", ""}, {"Caption", "Plain"}}), ClickRole::None},
        {record("HOTSPOT", {}), ClickRole::PushButton},
        {record("HOVER", {}), ClickRole::PushButton},
        {record("BITMAP", {}), ClickRole::None},
        {record("BITMAP", {{"Mouse Click", "2 - Back"}}), ClickRole::PushButton},
        {record("BUTTON", link), ClickRole::None}, // a real button has its own role
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClickRoleOf(c.record), c.role) << ControlTypeKeyword(c.record.type);

    EXPECT_EQ(PictureCaption(record("BITMAP", {{"x", "x"}, {"Caption", "Logo"}})), "Logo");
    EXPECT_EQ(PictureCaption(record("ICON", {{"Icon File:", "IDI_INFO"}})), "");
    EXPECT_EQ(PictureCaption(record("TEXT", {{"Caption", "Shown"}})), ""); // not a picture
}
