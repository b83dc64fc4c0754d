#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "setup/theme/control_descriptor.h"
#include "setup/theme/theme_text.h"

// The bookkeeping of one themed page, as plain data: which pool a control type uses, how it is
// named and sized, the record table and the pool counts. The window creates the child controls;
// everything it decides before and after that lives here, so it runs without a window.

// The pools of control objects a themed window keeps for its whole life; BITMAP and HOVER share
// the image pool.
enum class ControlPool {
    Button,
    Image,
    Text,
    Rect,
    Edit,
    Combo,
    Radio,
    CheckBox,
    HotSpot,
    Animation,
    Progress,
    List,
    GroupBox,
    Frame,
    Tree,
    RichText,
    Icon,
};
constexpr int kPoolCount = 17;
constexpr int kPoolSize = 15;           // control objects per pool
constexpr int kMaxControlRecords = 70;  // records per page
constexpr int kPropertySlots = 20;      // property slots per record (at most 15 are filled)
constexpr int kFirstControlId = 3000;
// Clicks are routed only from ids kFirstControlId..kLastClickableControlId.
constexpr int kLastClickableControlId = 3030;

// One row of the catalogue.
struct CatalogueEntry {
    ControlType type;
    ControlPool pool;
    const char* captionFormat; // nullptr: created without a caption; "": empty; else one "%i"
    int heightLimit;           // of the min-size rule; 0 when the type has none
    const char* idNameFormat;  // one "%i"
    bool idNameFromSlot0;      // BUTTON, TEXT, RADIO, CHECKBOX, TEXTBOX, RICHTEXT
};

// The row of a type; none for ControlType::None.
const CatalogueEntry* FindCatalogueEntry(ControlType type);

// The formats filled with pool slot + 1 ("Button 1", "IDC_BUTTON1"). A type created without a
// caption gives "".
std::string FormatCaption(const CatalogueEntry& entry, int poolSlot);
std::string FormatIdName(const CatalogueEntry& entry, int poolSlot);

// A control narrower than 30 and lower than its type's height limit becomes 90 x 25 from the
// same left and top; any other size, and a type without the rule, is kept.
ControlRect ApplySizeRule(const CatalogueEntry& entry, const ControlRect& rect);

// One control of the page. Texts are held by value; the control object itself is in its pool.
struct ControlRecord {
    ControlRect rect;
    ControlType type = ControlType::None;
    std::string imageFile;  // BITMAP and HOVER only
    std::string secondText; // always empty
    int controlId = 0;
    int poolSlot = 0;
    int creationOrdinal = 0;
    std::array<std::string, kPropertySlots> propertyNames;
    std::array<std::string, kPropertySlots> propertyValues;
    std::array<int, kPropertySlots> propertyNumbers{};
    std::string action = "[Do Nothing]";
    std::string actionArgument;
    int propertyCount = 0; // never above 15
    std::string idName;
};

// What a control about to be created gets.
struct ControlReservation {
    int controlId;
    int poolSlot;
    int creationOrdinal;
};

// The record table (newest first), the pool counts and the id counter of one page.
class ControlCatalogue {
public:
    // Counts to 0, next id 3000, ordinal 0.
    void Reset();

    // The id, pool slot and ordinal the next control of this type gets; none when the page has
    // no room for it (70 records, or 15 in its pool): such a control is not created, takes no
    // id and keeps no property lines. None for ControlType::None as well.
    std::optional<ControlReservation> Reserve(ControlType type) const;

    // Inserts a record at the front (record 0), with the id name formatted from the type's
    // format. Returns record count - 1. Does nothing and returns -1 when the table is full.
    int AddControlRecord(const ControlRect& rect, int controlId, const std::string& secondText,
                         const std::string& imageFile, ControlType type,
                         int poolSlot, int creationOrdinal);

    // After a control of `type` was created: next id + 1, ordinal + 1, its pool count + 1.
    void CommitCreation(ControlType type);

    // Stores property lines in slots 0.. of a record; more than 15 lines store none.
    void StoreProperties(int record, const std::vector<PropertyLine>& lines);

    // -1 when nothing matches. FindControlId compares exactly, from record 0 on.
    int FindControlId(const std::string& idName) const;
    int FindRecordIndex(int controlId) const;
    int FindPoolSlot(int controlId) const;

    int RecordCount() const { return recordCount_; }
    const ControlRecord& Record(int index) const { return records_[static_cast<std::size_t>(index)]; }
    ControlRecord& Record(int index) { return records_[static_cast<std::size_t>(index)]; }
    int PoolCount(ControlPool pool) const { return poolCounts_[static_cast<std::size_t>(pool)]; }
    int NextControlId() const { return nextControlId_; }
    int CreationOrdinal() const { return creationOrdinal_; }

private:
    std::array<ControlRecord, kMaxControlRecords> records_;
    std::array<int, kPoolCount> poolCounts_{};
    int recordCount_ = 0;
    int nextControlId_ = kFirstControlId;
    int creationOrdinal_ = 0;
};

// What property application does to a record's name: BUTTON, TEXT, RADIO, CHECKBOX, TEXTBOX and
// RICHTEXT take the value of property slot 0 as id name ("" when the control has no property
// lines); the other types keep their generated name.
void ApplyIdNameFromSlot0(ControlRecord& record);

// The click action of a record: the last "On Click" or "Mouse Click" slot among its property
// lines gives atoi of its value's text before the first "-" (no "-": 0); an empty value ends the
// search with -1; no such slot: -1.
int GetClickAction(const ControlRecord& record);
