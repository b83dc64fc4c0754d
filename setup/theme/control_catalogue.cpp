#include "setup/theme/control_catalogue.h"

#include <algorithm>
#include <climits>
#include <cstddef>

#include "setup/core/lenient_number.h"
#include "setup/theme/theme_data.h"

namespace {

// One row per ControlType, in the order of the enumeration (the order keywords are compared in).
constexpr CatalogueEntry kCatalogue[] = {
    {ControlType::Button, ControlPool::Button, "Button %i", 10, "IDC_BUTTON%i", true},
    {ControlType::Bitmap, ControlPool::Image, "", 0, "IDB_BITMAP%i", false},
    {ControlType::Text, ControlPool::Text, "Text %i", 8, "IDC_STATIC%i", true},
    {ControlType::Rect, ControlPool::Rect, "", 10, "IDC_RECT%i", false},
    {ControlType::Hover, ControlPool::Image, "", 0, "IDC_HOVER%i", false},
    {ControlType::TextBox, ControlPool::Edit, nullptr, 10, "IDC_TEXT%i", true},
    {ControlType::ComboBox, ControlPool::Combo, nullptr, 10, "IDC_COMBO%i", false},
    {ControlType::Radio, ControlPool::Radio, "Radio %i", 10, "IDC_RADIO%i", true},
    {ControlType::HotSpot, ControlPool::HotSpot, "", 10, "IDC_HOTSPOT%i", false},
    {ControlType::Animation, ControlPool::Animation, "Animation Box %i", 8, "IDC_ANIMATION%i", false},
    {ControlType::Progress, ControlPool::Progress, nullptr, 8, "IDC_PROGRESS%i", false},
    {ControlType::ListView, ControlPool::List, "ListView%i", 8, "IDC_LISTVIEW%i", false},
    {ControlType::GroupBox, ControlPool::GroupBox, "GroupBox %i", 10, "IDC_GROUPBOX%i", false},
    {ControlType::Icon, ControlPool::Icon, "", 0, "IDC_ICON%i", false},
    {ControlType::TreeView, ControlPool::Tree, nullptr, 8, "IDC_TREEVIEW%i", false},
    {ControlType::Frame, ControlPool::Frame, "", 8, "IDC_FRAME%i", false},
    {ControlType::RichText, ControlPool::RichText, nullptr, 10, "IDC_RICHTEXT%i", true},
    {ControlType::CheckBox, ControlPool::CheckBox, "CheckBox%i", 10, "IDC_CHECKBOX%i", true},
};
constexpr std::size_t kCatalogueRows = sizeof kCatalogue / sizeof kCatalogue[0];
static_assert(kCatalogueRows == static_cast<std::size_t>(ControlType::None), "one row per control type");

constexpr bool RowsInTypeOrder()
{
    for (std::size_t i = 0; i < kCatalogueRows; ++i) {
        if (static_cast<std::size_t>(kCatalogue[i].type) != i)
            return false;
    }
    return true;
}
static_assert(RowsInTypeOrder(), "row i is the row of ControlType i");

// The formats hold exactly one "%i" and are our own; the number is put in by hand so that no
// text ever goes through printf and a slot of INT_MAX cannot overflow.
std::string FillNumber(const char* format, int poolSlot)
{
    std::string text = format;
    const std::string::size_type at = text.find("%i");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(static_cast<long long>(poolSlot) + 1));
    return text;
}

int Saturate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::size_t PoolIndex(ControlType type)
{
    return static_cast<std::size_t>(FindCatalogueEntry(type)->pool);
}

} // namespace

const CatalogueEntry* FindCatalogueEntry(ControlType type)
{
    const auto index = static_cast<std::size_t>(type);
    return index < kCatalogueRows ? &kCatalogue[index] : nullptr;
}

std::string FormatCaption(const CatalogueEntry& entry, int poolSlot)
{
    return entry.captionFormat ? FillNumber(entry.captionFormat, poolSlot) : std::string();
}

std::string FormatIdName(const CatalogueEntry& entry, int poolSlot)
{
    return FillNumber(entry.idNameFormat, poolSlot);
}

ControlRect ApplySizeRule(const CatalogueEntry& entry, const ControlRect& rect)
{
    if (entry.heightLimit == 0)
        return rect;
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    if (width >= 30 || height >= entry.heightLimit)
        return rect;
    ControlRect sized = rect;
    sized.right = Saturate(static_cast<long long>(rect.left) + 90);
    sized.bottom = Saturate(static_cast<long long>(rect.top) + 25);
    return sized;
}

void ControlCatalogue::Reset()
{
    // The records themselves stay as they are: a record is only read below the record count,
    // and AddControlRecord fills every field of the one it makes.
    recordCount_ = 0;
    poolCounts_.fill(0);
    nextControlId_ = kFirstControlId;
    creationOrdinal_ = 0;
}

std::optional<ControlReservation> ControlCatalogue::Reserve(ControlType type) const
{
    if (!FindCatalogueEntry(type) || recordCount_ >= kMaxControlRecords)
        return std::nullopt;
    const int poolSlot = poolCounts_[PoolIndex(type)];
    if (poolSlot >= kPoolSize)
        return std::nullopt;
    return ControlReservation{nextControlId_, poolSlot, creationOrdinal_};
}

int ControlCatalogue::AddControlRecord(const ControlRect& rect, int controlId, const std::string& secondText,
                                       const std::string& imageFile, ControlType type,
                                       int poolSlot, int creationOrdinal)
{
    if (recordCount_ >= kMaxControlRecords)
        return -1;

    // Newest first: after a page has been built from its last line up, the table is in the
    // order of the lines in the file.
    const auto first = records_.begin();
    std::move_backward(first, first + recordCount_, first + recordCount_ + 1);
    ControlRecord& moved = records_[1];
    if (recordCount_ > 0 && (moved.propertyCount < 0 || moved.propertyCount > kMaxPropertyLines)) {
        // A count the table cannot stand behind arrives as no properties at all.
        moved.propertyCount = 0;
        moved.propertyNames.fill(std::string());
        moved.propertyValues.fill(std::string());
        moved.propertyNumbers.fill(0);
    }

    ControlRecord& record = records_[0];
    record = ControlRecord();
    record.rect = rect;
    record.type = type;
    record.imageFile = imageFile;
    record.secondText = secondText;
    record.controlId = controlId;
    record.poolSlot = poolSlot;
    record.creationOrdinal = creationOrdinal;
    // "IMAGE" and unknown keywords have no creator, so nothing adds a record for them; should
    // one arrive it simply has no generated name.
    if (const CatalogueEntry* entry = FindCatalogueEntry(type))
        record.idName = FormatIdName(*entry, poolSlot);

    ++recordCount_;
    return recordCount_ - 1;
}

void ControlCatalogue::CommitCreation(ControlType type)
{
    if (!FindCatalogueEntry(type))
        return;
    ++nextControlId_;
    ++creationOrdinal_;
    int& poolCount = poolCounts_[PoolIndex(type)];
    // A pool count indexes the pool: it never passes the pool's size, even if a caller creates
    // without a reservation.
    if (poolCount < kPoolSize)
        ++poolCount;
}

void ControlCatalogue::StoreProperties(int record, const std::vector<PropertyLine>& lines)
{
    if (record < 0 || record >= recordCount_)
        return;
    ControlRecord& target = records_[static_cast<std::size_t>(record)];
    target.propertyNames.fill(std::string());
    target.propertyValues.fill(std::string());
    target.propertyNumbers.fill(0);
    // More lines than a control can hold is a broken theme: it keeps none rather than a part.
    if (lines.size() > static_cast<std::size_t>(kMaxPropertyLines)) {
        target.propertyCount = 0;
        return;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        target.propertyNames[i] = lines[i].name;
        target.propertyValues[i] = lines[i].value;
        target.propertyNumbers[i] = lines[i].number;
    }
    target.propertyCount = static_cast<int>(lines.size());
}

int ControlCatalogue::FindControlId(const std::string& idName) const
{
    // From record 0: of two controls with one name, the one higher in the file wins.
    for (int i = 0; i < recordCount_; ++i) {
        if (Record(i).idName == idName)
            return Record(i).controlId;
    }
    return -1;
}

int ControlCatalogue::FindRecordIndex(int controlId) const
{
    for (int i = 0; i < recordCount_; ++i) {
        if (Record(i).controlId == controlId)
            return i;
    }
    return -1;
}

int ControlCatalogue::FindPoolSlot(int controlId) const
{
    const int index = FindRecordIndex(controlId);
    return index < 0 ? -1 : Record(index).poolSlot;
}

void ApplyIdNameFromSlot0(ControlRecord& record)
{
    const CatalogueEntry* entry = FindCatalogueEntry(record.type);
    if (entry && entry->idNameFromSlot0)
        record.idName = record.propertyCount > 0 ? record.propertyValues[0] : std::string();
}

int GetClickAction(const ControlRecord& record)
{
    const int slots = std::clamp(record.propertyCount, 0, kPropertySlots);
    int action = -1;
    for (int j = 0; j < slots; ++j) {
        const std::string& name = record.propertyNames[static_cast<std::size_t>(j)];
        if (name != "On Click" && name != "Mouse Click")
            continue;
        const std::string& value = record.propertyValues[static_cast<std::size_t>(j)];
        if (value.empty())
            return -1;
        // "1 - Next": the number is what stands before the dash; a value without one reads 0.
        const std::string::size_type dash = value.find('-');
        action = dash == std::string::npos ? 0 : ReadLenientNumber(value.substr(0, dash));
    }
    return action;
}
