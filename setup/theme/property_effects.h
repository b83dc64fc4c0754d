#pragma once

#include <string>

#include "setup/theme/control_descriptor.h"

// What a property does to a control of a given type: the one table of the property names each
// type knows. Names compare exactly and case-sensitively; a name the type does not know is only
// stored in its slot.
enum class PropertyEffect {
    StoreOnly,
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

PropertyEffect FindPropertyEffect(ControlType type, const std::string& name);

// The colour effects turn an empty value into the button-face colour before they apply it.
bool IsColourEffect(PropertyEffect effect);
