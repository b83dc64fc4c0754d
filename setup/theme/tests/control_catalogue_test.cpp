#include "setup/theme/control_catalogue.h"
#include "setup/theme/progress_controls.h"
#include "setup/theme/slot_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

// A page built the way the window builds one: reserve, record, store the lines, commit.
class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { page->Reset(); }

    std::optional<ControlReservation> Create(ControlType type, std::vector<PropertyLine> lines = {})
    {
        const auto slot = page->Reserve(type);
        if (slot) {
            const int before = page->RecordCount();
            EXPECT_EQ(page->AddControlRecord({10, 20, 30, 40}, slot->controlId, "", "", type,
                                             slot->poolSlot, slot->creationOrdinal),
                      before);
            page->StoreProperties(0, lines);
            ApplyIdNameFromSlot0(page->Record(0));
            page->CommitCreation(type);
        }
        return slot;
    }

    std::unique_ptr<ControlCatalogue> page = std::make_unique<ControlCatalogue>();
};

TEST(Catalogue, RowsNameAndSizeEachType)
{
    struct Row {
        ControlType type;
        int slot;
        const char* caption;
        const char* idName;
        bool slot0;
        int width, height, keptWidth, keptHeight;
    } const rows[] = {
        {ControlType::Button, 0, "Button 1", "IDC_BUTTON1", true, 20, 9, 90, 25},
        {ControlType::Button, 0, "Button 1", "IDC_BUTTON1", true, 25, 12, 25, 12},
        {ControlType::Button, 0, "Button 1", "IDC_BUTTON1", true, 40, 5, 40, 5},
        {ControlType::Text, 1, "Text 2", "IDC_STATIC2", true, 20, 9, 20, 9},
        {ControlType::Bitmap, 0, "", "IDB_BITMAP1", false, 5, 5, 5, 5},
        {ControlType::Hover, 2, "", "IDC_HOVER3", false, 5, 5, 5, 5},
        {ControlType::Rect, 0, "", "IDC_RECT1", false, 20, 9, 90, 25},
        {ControlType::TextBox, 0, "", "IDC_TEXT1", true, 20, 9, 90, 25},
        {ControlType::ComboBox, 0, "", "IDC_COMBO1", false, 20, 9, 90, 25},
        {ControlType::Radio, 0, "Radio 1", "IDC_RADIO1", true, 20, 9, 90, 25},
        {ControlType::CheckBox, 14, "CheckBox15", "IDC_CHECKBOX15", true, 20, 9, 90, 25},
        {ControlType::HotSpot, 0, "", "IDC_HOTSPOT1", false, 20, 9, 90, 25},
        {ControlType::Animation, 0, "Animation Box 1", "IDC_ANIMATION1", false, 20, 9, 20, 9},
        {ControlType::Progress, 0, "", "IDC_PROGRESS1", false, 20, 7, 90, 25},
        {ControlType::ListView, 0, "ListView1", "IDC_LISTVIEW1", false, 20, 9, 20, 9},
        {ControlType::GroupBox, 0, "GroupBox 1", "IDC_GROUPBOX1", false, 20, 9, 90, 25},
        {ControlType::Frame, 0, "", "IDC_FRAME1", false, 20, 9, 20, 9},
        {ControlType::TreeView, 0, "", "IDC_TREEVIEW1", false, 20, 7, 90, 25},
        {ControlType::RichText, 0, "", "IDC_RICHTEXT1", true, 20, 9, 90, 25},
        {ControlType::Icon, 0, "", "IDC_ICON1", false, 5, 5, 5, 5},
    };
    for (const Row& row : rows) {
        const CatalogueEntry* entry = FindCatalogueEntry(row.type);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(FormatCaption(*entry, row.slot), row.caption) << row.idName;
        EXPECT_EQ(FormatIdName(*entry, row.slot), row.idName);
        EXPECT_EQ(entry->idNameFromSlot0, row.slot0) << row.idName;
        const ControlRect sized = ApplySizeRule(*entry, {10, 20, 10 + row.width, 20 + row.height});
        EXPECT_EQ(std::make_tuple(sized.left, sized.top, sized.right, sized.bottom),
                  std::make_tuple(10, 20, 10 + row.keptWidth, 20 + row.keptHeight)) << row.idName;
    }
    EXPECT_EQ(FindCatalogueEntry(ControlType::None), nullptr);
    EXPECT_EQ(FindCatalogueEntry(ControlType::TextBox)->captionFormat, nullptr); // no caption at all
    EXPECT_EQ(FindCatalogueEntry(ControlType::Bitmap)->pool, FindCatalogueEntry(ControlType::Hover)->pool);
}

TEST_F(CatalogueTest, NewestRecordFirstAndPropertiesTravelWithTheirRecord)
{
    // TOTAL 3 with lines BUTTON, TEXT, PROGRESS: created from the last line up.
    Create(ControlType::Progress);
    Create(ControlType::Text, {{"IDC_INFO", "IDC_INFO", 0}, {"Caption", "Working", 3}});
    Create(ControlType::Button);
    ASSERT_EQ(page->RecordCount(), 3);
    EXPECT_EQ(ControlTypeKeyword(page->Record(0).type) + std::string(" ") + std::to_string(page->Record(0).controlId), "BUTTON 3002");
    EXPECT_EQ(page->Record(1).idName + " " + std::to_string(page->Record(1).controlId) + " " +
                  page->Record(1).propertyValues[1],
              "IDC_INFO 3001 Working");
    EXPECT_EQ(page->Record(2).idName + " " + std::to_string(page->Record(2).controlId), "IDC_PROGRESS1 3000");
    EXPECT_EQ(page->Record(0).action, "[Do Nothing]");

    // The next page numbers its controls afresh, hot spots included.
    Create(ControlType::HotSpot);
    page->Reset();
    EXPECT_EQ(page->RecordCount() + page->PoolCount(ControlPool::Text), 0);
    Create(ControlType::HotSpot);
    const auto slot = Create(ControlType::HotSpot);
    ASSERT_TRUE(slot);
    EXPECT_EQ(std::make_tuple(slot->controlId, slot->poolSlot, slot->creationOrdinal), std::make_tuple(3001, 1, 1));
    EXPECT_EQ(page->Record(0).idName, "IDC_HOTSPOT2");
}

TEST_F(CatalogueTest, FullPoolsAndFullTableTakeNothing)
{
    for (int i = 0; i < 15; ++i)
        ASSERT_TRUE(Create(ControlType::Text));
    EXPECT_FALSE(Create(ControlType::Text)); // the 16th: no id, no record
    for (int i = 0; i < 15; ++i)
        ASSERT_TRUE(Create(i < 8 ? ControlType::Bitmap : ControlType::Hover));
    EXPECT_FALSE(Create(ControlType::Hover)); // BITMAP and HOVER fill one pool
    EXPECT_EQ(page->NextControlId(), 3030);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(Create(i < 15 ? ControlType::Rect : i < 30 ? ControlType::Frame : ControlType::Icon));
    EXPECT_FALSE(Create(ControlType::Icon)); // the 71st control
    EXPECT_FALSE(page->Reserve(ControlType::None));
    EXPECT_EQ(page->AddControlRecord({}, 9999, "", "", ControlType::Text, 0, 0), -1);
    EXPECT_EQ(page->RecordCount(), 70);
}

TEST_F(CatalogueTest, LookUps)
{
    Create(ControlType::Text, {{"n", "IDC_INFO", 0}}); // lower in the file
    Create(ControlType::Button, {{"n", "IDC_NEXT", 0}});
    Create(ControlType::Text, {{"n", "IDC_INFO", 0}}); // first in the file: found
    EXPECT_EQ(page->FindControlId("IDC_INFO"), 3002);
    EXPECT_EQ(page->FindControlId("idc_next"), -1);
    EXPECT_EQ(page->FindRecordIndex(3000), 2);
    EXPECT_EQ(page->FindPoolSlot(3002), 1);
    EXPECT_EQ(page->FindRecordIndex(2999), -1);
    EXPECT_EQ(page->FindPoolSlot(3003), -1);
    page->StoreProperties(0, std::vector<PropertyLine>(16, {"n", "v", 1})); // keeps none
    EXPECT_EQ(page->Record(0).propertyCount, 0);
}

TEST(Catalogue, ClickAction)
{
    struct Case {
        std::vector<PropertyLine> lines;
        int action;
    } const cases[] = {
        {{{"On Click", "1 - Next", 0}}, 1},
        {{{"Mouse Click", "2 - Back", 0}}, 2},
        {{{"On Click", "Next", 0}}, 0},
        {{{"On Click", "1 - Next", 0}, {"Caption", "x", 0}, {"Mouse Click", "", 0}}, -1},
        {{{"Mouse Click", "", 0}, {"On Click", "1 - Next", 0}}, -1}, // an empty value ends the search
        {{{"Mouse Click", "2 - Back", 0}, {"On Click", "1 - Next", 0}}, 1}, // the last one wins
        {{{"on click", "1 - Next", 0}, {"Caption", "1 - Next", 0}}, -1},
        {{}, -1},
    };
    ControlCatalogue page;
    page.Reset();
    page.AddControlRecord({}, 3000, "", "", ControlType::Text, 0, 0);
    for (const Case& c : cases) {
        page.StoreProperties(0, c.lines);
        EXPECT_EQ(GetClickAction(page.Record(0)), c.action) << c.lines.size();
    }
}


// The removal reports to the first control of each name, and only when it is of the right type.
TEST_F(CatalogueTest, ProgressControlsAreTheFirstOfTheirNameAndType)
{
    Create(ControlType::Progress);                                      // IDC_PROGRESS1
    Create(ControlType::Button, {{"IDC_STATIC1", "IDC_STATIC1", 0}});  // a status name on a button
    Create(ControlType::Text, {{"IDC_INFO", "IDC_INFO", 0}});
    Create(ControlType::Text, {{"IDC_STATIC1", "IDC_STATIC1", 0}});    // record 0 of these two
    ProgressControls found = FindProgressControls(*page);
    EXPECT_EQ(found.progressBar, 3);
    EXPECT_EQ(found.statusLines[0], 1);
    EXPECT_EQ(found.statusLines[1], 0);

    page->Reset();
    Create(ControlType::Text);                                         // IDC_STATIC1 by its slot
    Create(ControlType::Button, {{"IDC_PROGRESS1", "IDC_PROGRESS1", 0}});
    Create(ControlType::Button, {{"IDC_INFO", "IDC_INFO", 0}});
    found = FindProgressControls(*page);
    EXPECT_EQ(found.progressBar, -1);
    EXPECT_EQ(found.statusLines[0], -1);
    EXPECT_EQ(found.statusLines[1], -1); // a TEXT without property lines gets an empty id name
}

// Names are exact and belong to a type: the same name on another type is only stored.
TEST(PropertyEffects, EachTypeKnowsItsOwnNames)
{
    const struct {
        ControlType type;
        const char* name;
        PropertyEffect effect;
    } rows[] = {
        {ControlType::Text, "BackColor", PropertyEffect::BackColour},
        {ControlType::Text, "Text Color", PropertyEffect::TextColour},
        {ControlType::Icon, "BackColor:", PropertyEffect::ImageBackColour},
        {ControlType::Icon, "BackColor", PropertyEffect::StoreOnly},
        {ControlType::Bitmap, "BackColor", PropertyEffect::ImageBackColour},
        {ControlType::Rect, "Text Color", PropertyEffect::StoreOnly},
        {ControlType::Button, "Caption", PropertyEffect::ButtonCaption},
        {ControlType::Text, "caption", PropertyEffect::StoreOnly},
        {ControlType::GroupBox, "Caption", PropertyEffect::PlainText},
        {ControlType::Radio, "Caption", PropertyEffect::StoreOnly},
        {ControlType::TextBox, "Text", PropertyEffect::StoreOnly},
        {ControlType::TextBox, "Read Only", PropertyEffect::ReadOnly},
        {ControlType::Progress, "BackColor", PropertyEffect::StoreOnly},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FindPropertyEffect(row.type, row.name), row.effect) << ControlTypeKeyword(row.type) << " " << row.name;
    EXPECT_TRUE(IsColourEffect(PropertyEffect::ImageBackColour));
    EXPECT_FALSE(IsColourEffect(PropertyEffect::ReadOnly));
}

} // namespace
