// Control properties: each record's property slots applied by the control's type, and the
// window-level settings that share the same operation.
#include "setup/core/product_context.h"
#include "setup/theme/colour_value.h"
#include "setup/skin/controls/control_support.h"
#include "setup/core/lenient_number.h"
#include "setup/core/text_variables.h"
#include "setup/skin/window/image_window.h"
#include "setup/theme/page_rules.h"

namespace {

const std::string& Slot(const ControlRecord& record, int slot)
{
    return record.propertyValues[static_cast<std::size_t>(slot)];
}

int FlagArgument(const std::string& value)
{
    return IsFlagOn(value) ? 255 : 0;
}

bool IsColourProperty(const std::string& name)
{
    return name == "BackColor" || name == "BackColor:" || name == "Text Color";
}

} // namespace

void CImageWindow::ApplyPageProperties()
{
    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        catalogue_.selectedRecord = i;
        ControlRecord& record = catalogue_.Record(i);
        catalogue_.currentType = record.type;
        const CatalogueEntry* entry = FindCatalogueEntry(ControlTypeFromKeyword(record.type));
        if (entry == nullptr)
            continue;
        ApplyIdNameFromSlot0(record);

        // Each pair below: the property applied under that name with the value of that slot.
        switch (entry->type) {
        case ControlType::Button:
            ApplyButtonProperties(record);
            break;
        case ControlType::Text:
            ApplyTextProperties(record);
            break;
        case ControlType::Rect:
            ApplyControlProperty("BackColor", Slot(record, 1), "", 1);
            break;
        case ControlType::GroupBox:
            ApplyControlProperty("Caption", Slot(record, 1), "", 1);
            ApplyControlProperty("BackColor", Slot(record, 2), "", 2);
            break;
        case ControlType::Radio:
        case ControlType::CheckBox:
            ApplyControlProperty("Text", Slot(record, 1), "", 1);
            ApplyControlProperty("BackColor", Slot(record, 2), "", 2);
            break;
        case ControlType::ListView:
            ApplyControlProperty("Style", Slot(record, 2), "", 2);
            break;
        case ControlType::Icon:
            ApplyControlProperty("Icon File:", Slot(record, 1), "", 1);
            ApplyControlProperty("BackColor:", Slot(record, 2), "", 2);
            break;
        case ControlType::Bitmap:
            ApplyControlProperty("BackColor", Slot(record, 2), "", 2);
            break;
        case ControlType::TextBox:
            ApplyTextBoxProperties(record);
            break;
        default: // the other types take no properties at load
            break;
        }
    }
}

void CImageWindow::ApplyButtonProperties(const ControlRecord& record)
{
    ApplyControlProperty("Caption", Slot(record, 1), "", 1);
    ApplyControlProperty("Text Align", Slot(record, 2), "", 2);
    buttons_[static_cast<std::size_t>(record.poolSlot)].ApplyFont(
        Slot(record, 3), ReadLenientNumber(Slot(record, 4)), FlagArgument(Slot(record, 5)),
        FlagArgument(Slot(record, 6)));
    HWND button = GetDlgItem(hwnd(), record.controlId);
    if (record.idName == "IDC_NEXT") {
        // The page's default button.
        SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        SetWindowPos(button, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (pageIndex_ == 0 && record.idName == "IDC_BACK")
        EnableWindow(button, FALSE);
    if (pageIndex_ >= pageCount_ - 1 && (record.idName == "IDC_BACK" || record.idName == "IDCANCEL"))
        EnableWindow(button, FALSE);
}

void CImageWindow::ApplyTextProperties(const ControlRecord& record)
{
    texts_[static_cast<std::size_t>(record.poolSlot)].ApplyFont(
        Slot(record, 5), ReadLenientNumber(Slot(record, 6)), FlagArgument(Slot(record, 7)),
        FlagArgument(Slot(record, 8)));
    // "URL Link" comes after "Text Color": the blue it writes into slot 3 is recorded, not
    // applied again in this pass (the link look turns the text blue itself).
    ApplyControlProperty("Caption", Slot(record, 1), "", 1);
    ApplyControlProperty("Text Align", Slot(record, 2), "", 2);
    ApplyControlProperty("BackColor", Slot(record, 4), "", 4);
    ApplyControlProperty("Text Color", Slot(record, 3), "", 3);
    ApplyControlProperty("URL Link", Slot(record, 9), "", 9);
}

void CImageWindow::ApplyTextBoxProperties(const ControlRecord& record)
{
    ApplyControlProperty("Text", Slot(record, 1), "", 1);
    ApplyControlProperty("Password", Slot(record, 2), "", 2);
    ApplyControlProperty("Read Only", Slot(record, 4), "", 4);
    if (record.idName == "IDC_SETTINGS")
        ChangeExStyle(GetDlgItem(hwnd(), record.controlId), 0, WS_EX_RIGHT | WS_EX_NOPARENTNOTIFY);
}

HWND CImageWindow::SelectedControl() const
{
    return ControlWindow(catalogue_.selectedRecord);
}

void CImageWindow::ApplyControlProperty(const std::string& name, const std::string& value,
                                        const std::string& auxiliary, int slot)
{
    if (catalogue_.selectedRecord == -1) {
        catalogue_.currentType = kWindowType;
        ApplyWindowSetting(slot, value);
        return;
    }
    if (slot < 0 || slot >= kPropertySlots || catalogue_.selectedRecord >= catalogue_.RecordCount())
        return;
    ControlRecord& record = catalogue_.Record(catalogue_.selectedRecord);
    record.propertyValues[static_cast<std::size_t>(slot)] = value;
    ApplyTypedProperty(name, value, auxiliary, slot);
}

void CImageWindow::ApplyTypedProperty(const std::string& name, const std::string& value,
                                      const std::string& auxiliary, int slot)
{
    ControlRecord& record = catalogue_.Record(catalogue_.selectedRecord);
    const std::string& type = catalogue_.currentType;
    const auto poolSlot = static_cast<std::size_t>(record.poolSlot);
    const ProductContext& context = TheProductContext();
    HWND control = SelectedControl();

    if (IsColourProperty(name)) {
        std::string colour = value.empty() ? std::string(kButtonFaceColour) : value;
        if (type == "BITMAP" && name == "BackColor" && IsBitmapButtonFace(value))
            colour = kButtonFaceColour;
        const bool known = (type == "TEXT" && (name == "BackColor" || name == "Text Color")) ||
                           ((type == "RECT" || type == "GROUPBOX" || type == "RADIO" ||
                             type == "CHECKBOX" || type == "BITMAP") && name == "BackColor") ||
                           (type == "ICON" && name == "BackColor:");
        if (!known)
            return;
        // A text colour's default stays out of the slot; the other colours are written back.
        if (name != "Text Color")
            record.propertyValues[static_cast<std::size_t>(slot)] = colour;
        if (type == "ICON" || type == "BITMAP") {
            // The image control takes three numbers; the window remembers a bitmap's colour.
            const std::string numeric = colour == kButtonFaceColour ? ButtonFaceColourText() : colour;
            CMyStatic& image = type == "ICON" ? icons_[poolSlot] : images_[poolSlot];
            image.SetBackColor(numeric);
            if (type == "BITMAP")
                backColourText_ = colour;
            return;
        }
        SetControlColor(colour, name == "Text Color" ? 0 : 1);
        return;
    }

    if (type == "BUTTON" && name == "Caption") {
        SetWindowTextA(control, ApplyTextVariables(value, context.displayName, context.productCode).c_str());
    } else if (type == "TEXT" && name == "Caption") {
        SetWindowTextA(control, ApplyAngleTextVariables(value, context.displayName, context.productCode).c_str());
        RepaintAll();
    } else if (type == "TEXT" && name == "Text Align") {
        const TextAlign align = ReadTextAlign(value);
        if (align != TextAlign::Unchanged)
            texts_[poolSlot].SetAlignment(align == TextAlign::Centre ? "Center" : align == TextAlign::Left ? "Left" : "Right");
        RepaintAll();
    } else if (type == "TEXT" && name == "URL Link") {
        if (value == "Yes") {
            record.propertyValues[3] = "0,0,255";
            texts_[poolSlot].SetLinkLook(255);
        } else {
            texts_[poolSlot].SetLinkLook(0);
        }
    } else if ((type == "GROUPBOX" && name == "Caption") ||
               ((type == "RADIO" || type == "CHECKBOX") && name == "Text")) {
        SetWindowTextA(control, value.c_str());
    } else if (type == "LISTVIEW" && name == "Style") {
        if (!value.empty() && value[0] == '0')
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
        else if (!value.empty() && value[0] == '1')
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | WS_BORDER);
        SetWindowPos(control, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RepaintAll();
    } else if (type == "ICON" && name == "Icon File:") {
        const int number = BuiltInIconNumber(value);
        if (number >= 0) {
            icons_[poolSlot].SetStockIcon(number);
        } else if (number == kIconFromFile && !value.empty()) {
            icons_[poolSlot].LoadPicture(value);
            RepaintAll();
        }
    } else if (type == "TEXTBOX" && name == "Read Only") {
        // The value is recorded; the edit box keeps its own colours.
        if (value == "Yes" || value == "No") {
            const COLORREF menu = GetSysColor(COLOR_MENU);
            SetControlColor(value == "Yes" ? FormatColourValue(GetRValue(menu), GetGValue(menu), GetBValue(menu))
                                           : "255,255,255",
                            1);
        }
    }
    // "Text" and "Password" of a text box, a button's "Text Align" and every name a type does
    // not know are only recorded in the slot ("****" as the auxiliary text included).
    (void)auxiliary;
}

void CImageWindow::SetControlColor(const std::string& value, int which)
{
    std::string text = value.empty() ? std::string(kButtonFaceColour) : value;
    if (text == kButtonFaceColour)
        text = ButtonFaceColourText();
    const std::string& type = catalogue_.currentType;
    if (which == 0) {
        if (type == "TEXT" && catalogue_.selectedRecord >= 0) {
            const ColourValue c = ParseColourValue(text);
            texts_[static_cast<std::size_t>(catalogue_.Record(catalogue_.selectedRecord).poolSlot)]
                .SetTextColor(RGB(c.red & 0xFF, c.green & 0xFF, c.blue & 0xFF));
            RepaintAll();
        }
        return;
    }
    if (type == kWindowType) {
        // The window keeps the word: its brush follows the system's colour the same way.
        SetBackgroundColour(value.empty() ? std::string(kButtonFaceColour) : value);
        RepaintAll();
        return;
    }
    if (catalogue_.selectedRecord < 0)
        return;
    const auto slot = static_cast<std::size_t>(catalogue_.Record(catalogue_.selectedRecord).poolSlot);
    if (type == "TEXT")
        texts_[slot].SetBackColor(text);
    else if (type == "RECT")
        rectangles_[slot].SetBackColor(text);
    else if (type == "GROUPBOX")
        groupBoxes_[slot].SetBackColor(text);
    else if (type == "RADIO")
        radios_[slot].SetBackColor(text);
    else if (type == "CHECKBOX")
        checkBoxes_[slot].SetBackColor(text);
    RepaintAll();
}
