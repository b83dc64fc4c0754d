#include "setup/theme/property_effects.h"

namespace {

struct PropertyRule {
    ControlType type;
    const char* name;
    PropertyEffect effect;
};

constexpr PropertyRule kPropertyRules[] = {
    {ControlType::Button, "Caption", PropertyEffect::ButtonCaption},
    {ControlType::Text, "Caption", PropertyEffect::LabelCaption},
    {ControlType::Text, "Text Align", PropertyEffect::LabelAlign},
    {ControlType::Text, "URL Link", PropertyEffect::LabelLink},
    {ControlType::Text, "BackColor", PropertyEffect::BackColour},
    {ControlType::Text, "Text Color", PropertyEffect::TextColour},
    {ControlType::Rect, "BackColor", PropertyEffect::BackColour},
    {ControlType::GroupBox, "Caption", PropertyEffect::PlainText},
    {ControlType::GroupBox, "BackColor", PropertyEffect::BackColour},
    {ControlType::Radio, "Text", PropertyEffect::PlainText},
    {ControlType::Radio, "BackColor", PropertyEffect::BackColour},
    {ControlType::CheckBox, "Text", PropertyEffect::PlainText},
    {ControlType::CheckBox, "BackColor", PropertyEffect::BackColour},
    {ControlType::Bitmap, "BackColor", PropertyEffect::ImageBackColour},
    {ControlType::Icon, "BackColor:", PropertyEffect::ImageBackColour},
    {ControlType::Icon, "Icon File:", PropertyEffect::IconFile},
    {ControlType::ListView, "Style", PropertyEffect::BorderStyle},
    {ControlType::TextBox, "Read Only", PropertyEffect::ReadOnly},
};

} // namespace

PropertyEffect FindPropertyEffect(ControlType type, const std::string& name)
{
    for (const PropertyRule& rule : kPropertyRules) {
        if (rule.type == type && name == rule.name)
            return rule.effect;
    }
    return PropertyEffect::StoreOnly;
}

bool IsColourEffect(PropertyEffect effect)
{
    return effect == PropertyEffect::BackColour || effect == PropertyEffect::TextColour ||
           effect == PropertyEffect::ImageBackColour;
}
