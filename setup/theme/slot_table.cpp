#include "setup/theme/slot_table.h"

namespace {

constexpr const char* kFaceAliases = "font|fontface|face|fontname";
constexpr const char* kSizeAliases = "size|fontsize";

// One table for every type: the window applies slots by position, so this is the whole
// meaning of a property line. A name the window applies a line under and that is not here only
// stores its value.
const SlotRule kSlotRules[] = {
    {ControlType::Button, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
    {ControlType::Button, 1, "Caption", "text", SlotValue::FullText, PropertyEffect::ButtonCaption},
    {ControlType::Button, 2, "Text Align", "align", SlotValue::Align, PropertyEffect::StoreOnly},
    {ControlType::Button, 3, "Font Name", kFaceAliases, SlotValue::Face, PropertyEffect::StoreOnly},
    {ControlType::Button, 4, "Font Size", kSizeAliases, SlotValue::Size, PropertyEffect::StoreOnly},
    {ControlType::Button, 5, "Bold", "fontbold", SlotValue::Flag, PropertyEffect::StoreOnly},
    {ControlType::Button, 6, "Italic", "fontitalic", SlotValue::Flag, PropertyEffect::StoreOnly},
    {ControlType::Text, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
    {ControlType::Text, 1, "Caption", "text", SlotValue::AngleText, PropertyEffect::LabelCaption},
    {ControlType::Text, 2, "Text Align", "align", SlotValue::Align, PropertyEffect::LabelAlign},
    {ControlType::Text, 3, "Text Color", "textcolour|forecolor|forecolour|color|colour", SlotValue::Colour, PropertyEffect::TextColour},
    {ControlType::Text, 4, "BackColor", "backcolour|backgroundcolor|backgroundcolour", SlotValue::Colour, PropertyEffect::BackColour},
    {ControlType::Text, 5, "Font Name", kFaceAliases, SlotValue::Face, PropertyEffect::StoreOnly},
    {ControlType::Text, 6, "Font Size", kSizeAliases, SlotValue::Size, PropertyEffect::StoreOnly},
    {ControlType::Text, 7, "Bold", "fontbold", SlotValue::Flag, PropertyEffect::StoreOnly},
    {ControlType::Text, 8, "Italic", "fontitalic", SlotValue::Flag, PropertyEffect::StoreOnly},
    {ControlType::Text, 9, "URL Link", "link|url", SlotValue::Flag, PropertyEffect::LabelLink},
    {ControlType::Rect, 1, "BackColor", "backcolour", SlotValue::Colour, PropertyEffect::BackColour},
    {ControlType::GroupBox, 1, "Caption", "text", SlotValue::PlainText, PropertyEffect::PlainText},
    {ControlType::GroupBox, 2, "BackColor", "backcolour", SlotValue::Colour, PropertyEffect::BackColour},
    {ControlType::Radio, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
    {ControlType::Radio, 1, "Text", "caption", SlotValue::PlainText, PropertyEffect::PlainText},
    {ControlType::Radio, 2, "BackColor", "backcolour", SlotValue::Colour, PropertyEffect::BackColour},
    {ControlType::CheckBox, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
    {ControlType::CheckBox, 1, "Text", "caption", SlotValue::PlainText, PropertyEffect::PlainText},
    {ControlType::CheckBox, 2, "BackColor", "backcolour", SlotValue::Colour, PropertyEffect::BackColour},
    {ControlType::ListView, 2, "Style", "", SlotValue::Style, PropertyEffect::BorderStyle},
    {ControlType::TextBox, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
    {ControlType::TextBox, 1, "Text", "", SlotValue::StoredText, PropertyEffect::StoreOnly},
    {ControlType::TextBox, 2, "Password", "", SlotValue::StoredText, PropertyEffect::StoreOnly},
    {ControlType::TextBox, 4, "Read Only", "", SlotValue::Flag, PropertyEffect::ReadOnly},
    {ControlType::Icon, 1, "Icon File:", "icon", SlotValue::Icon, PropertyEffect::IconFile},
    {ControlType::Icon, 2, "BackColor:", "backcolour", SlotValue::Colour, PropertyEffect::ImageBackColour},
    {ControlType::Bitmap, 2, "BackColor", "backcolour", SlotValue::BitmapColour, PropertyEffect::ImageBackColour},
    {ControlType::RichText, 0, "IDC Name", "*", SlotValue::IdName, PropertyEffect::StoreOnly},
};

} // namespace

std::vector<SlotRule> SlotRulesOf(ControlType type)
{
    std::vector<SlotRule> rules;
    for (const SlotRule& rule : kSlotRules) {
        if (rule.type == type)
            rules.push_back(rule);
    }
    return rules;
}

PropertyEffect FindPropertyEffect(ControlType type, const std::string& name)
{
    for (const SlotRule& rule : kSlotRules) {
        if (rule.type == type && name == rule.property)
            return rule.effect;
    }
    return PropertyEffect::StoreOnly;
}

bool IsColourEffect(PropertyEffect effect)
{
    return effect == PropertyEffect::BackColour || effect == PropertyEffect::TextColour ||
           effect == PropertyEffect::ImageBackColour;
}
