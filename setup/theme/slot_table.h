#pragma once

#include <string>
#include <vector>

#include "setup/theme/control_descriptor.h"

// The property slots each control type reads when a page loads: which slot holds what, under
// which name, and what that name does to the control. The window applies properties by it and
// the theme check checks property lines against it.

// What applying a property under its name does to a control of the rule's type.
enum class PropertyEffect {
    StoreOnly,       // the value is kept in its slot, nothing else
    ButtonCaption,   // BUTTON "Caption": the button's text, text variables applied
    LabelCaption,    // TEXT "Caption": the label's text, angle-bracket variables applied
    LabelAlign,      // TEXT "Text Align"
    LabelLink,       // TEXT "URL Link"
    PlainText,       // GROUPBOX "Caption", RADIO and CHECKBOX "Text": the text as given
    BackColour,      // TEXT, RECT, GROUPBOX, RADIO, CHECKBOX "BackColor"
    TextColour,      // TEXT "Text Color"
    ImageBackColour, // BITMAP "BackColor", ICON "BackColor:"
    BorderStyle,     // LISTVIEW "Style"
    IconFile,        // ICON "Icon File:"
    ReadOnly,        // TEXTBOX "Read Only"
};

// What a property slot's value is.
enum class SlotValue {
    IdName,     // slot 0 of the named types: any text
    FullText,   // text variables in both forms ("[ProductName]" and "<ProductName>")
    AngleText,  // only "<ProductName>" and "<ProductCode>" are replaced
    PlainText,  // shown unchanged: no text variables at all
    StoredText, // kept in the record, never shown
    Align,      // "0 - Center", "1 - Left", "2 - Right"
    Colour,     // "COLOR_BTNFACE", r,g,b or empty
    BitmapColour, // as Colour; a value holding "0 -" is the button face too
    Face,       // font face
    Size,       // font size in points
    Flag,       // "Yes" or "No"
    Style,      // LISTVIEW: "0" no border, "1" border
    Icon,       // built-in icon name or an icon file
};

struct SlotRule {
    ControlType type;
    int slot;
    const char* property; // the conventional name of the line, as the reference writes it
    const char* aliases;  // other accepted names, normalised and '|'-separated; "" none
    SlotValue value;
    PropertyEffect effect; // what the window does when the line is applied under its name
};

// The slots a type reads, in slot order; empty for the types that read none.
std::vector<SlotRule> SlotRulesOf(ControlType type);

// The effect of a property name on a type: names compare exactly and case-sensitively; a name
// the type does not know only stores its value.
PropertyEffect FindPropertyEffect(ControlType type, const std::string& name);

// The colour effects turn an empty value into the button-face colour before they apply it.
bool IsColourEffect(PropertyEffect effect);
