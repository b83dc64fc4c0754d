#include "setup/theme/control_descriptor.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
const std::string kFolder = "C:\\W\\theme\\";
}

TEST(ControlDescriptor, ButtonFromTheUsualLine)
{
    const ControlDescriptor d = ParseControlDescriptor("x,10,20,100,30,BUTTON,{b.bmp},y,7", kFolder);
    EXPECT_EQ(d.type, ControlType::Button);
    EXPECT_EQ(d.keyword, "BUTTON");
    EXPECT_EQ(d.rect.left, 10);
    EXPECT_EQ(d.rect.top, 20);
    EXPECT_EQ(d.rect.right, 110);
    EXPECT_EQ(d.rect.bottom, 50);
    EXPECT_EQ(d.imageFile, kFolder + "b.bmp");
    EXPECT_EQ(d.dataNumber, 7);
}

TEST(ControlDescriptor, KeywordsInOrderAndExact)
{
    const char* keywords[] = {"BUTTON",   "BITMAP",   "TEXT",      "RECT",     "HOVER",    "TEXTBOX",
                              "COMBOBOX", "RADIO",    "HOTSPOT",   "ANIMATION", "PROGRESS", "LISTVIEW",
                              "GROUPBOX", "ICON",     "TREEVIEW",  "FRAME",    "RICHTEXT", "CHECKBOX"};
    int index = 0;
    for (const char* keyword : keywords) {
        EXPECT_EQ(static_cast<int>(ControlTypeFromKeyword(keyword)), index) << keyword;
        EXPECT_STREQ(ControlTypeKeyword(static_cast<ControlType>(index)), keyword);
        ++index;
    }
    for (const char* other : {"IMAGE", "button", "Button", " BUTTON", "BUTTON ", "", "CHECK"})
        EXPECT_EQ(ControlTypeFromKeyword(other), ControlType::None) << other;
    EXPECT_STREQ(ControlTypeKeyword(ControlType::None), "");
    EXPECT_TRUE(UsesImageFile(ControlType::Bitmap));
    EXPECT_TRUE(UsesImageFile(ControlType::Hover));
    EXPECT_FALSE(UsesImageFile(ControlType::Icon));
}

TEST(ControlDescriptor, FieldQuirksAndMissingFields)
{
    // The doubled comma makes field 3 read ",2" (0): a plain split would have put the keyword
    // in field 7, the quirk keeps it in field 6.
    ControlDescriptor d = ParseControlDescriptor("x,1,,2,3,4,TEXT", kFolder);
    EXPECT_EQ(d.type, ControlType::Text);
    EXPECT_EQ(d.rect.left, 1);
    EXPECT_EQ(d.rect.top, 0);
    EXPECT_EQ(d.rect.right, 4);
    EXPECT_EQ(d.rect.bottom, 4);
    EXPECT_EQ(ParseControlDescriptor("x,1,,2,3,TEXT", kFolder).type, ControlType::None);

    d = ParseControlDescriptor("x,1,2", kFolder);
    EXPECT_EQ(d.type, ControlType::None);
    EXPECT_EQ(d.rect.right, 1);
    EXPECT_EQ(d.rect.bottom, 2);
    EXPECT_EQ(d.imageFile, "");
    EXPECT_EQ(d.dataNumber, 0);

    // Braces alone name no file: the folder is never taken for an image.
    EXPECT_EQ(ParseControlDescriptor("x,0,0,1,1,BITMAP,{},y,3", kFolder).imageFile, "");
    // Empty fields cannot be written: ",," makes field 7 "," and moves the data number out of
    // field 9, so such a control reads its properties from "0,t".
    d = ParseControlDescriptor("x,0,0,1,1,BITMAP,,y,3", kFolder);
    EXPECT_EQ(d.imageFile, kFolder + ",y");
    EXPECT_EQ(d.dataNumber, 0);
    EXPECT_EQ(ParseControlDescriptor("x,0,0,50,10,TEXT,,,8", kFolder).dataNumber, 0);
    EXPECT_EQ(ParseControlDescriptor("x,0,0,1,1,BITMAP,a.bmp,y,-3", kFolder).dataNumber, -3);
}

TEST(ControlDescriptor, RectangleSaturatesInsteadOfOverflowing)
{
    ControlDescriptor d = ParseControlDescriptor("x,2147483647,2147483000,10,99999,TEXT", kFolder);
    EXPECT_EQ(d.rect.right, INT_MAX);
    EXPECT_EQ(d.rect.bottom, INT_MAX);
    d = ParseControlDescriptor("x,-2147483648,-2147483000,-10,-99999,TEXT", kFolder);
    EXPECT_EQ(d.rect.right, INT_MIN);
    EXPECT_EQ(d.rect.bottom, INT_MIN);
    d = ParseControlDescriptor("x,-5,7,-10,3,TEXT", kFolder);
    EXPECT_EQ(d.rect.right, -15);
    EXPECT_EQ(d.rect.bottom, 10);
}
