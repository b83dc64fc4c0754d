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

} // namespace

void CImageWindow::ApplyPageProperties()
{
    for (int i = 0; i < catalogue_.RecordCount(); ++i) {
        ControlRecord& record = catalogue_.Record(i);
        const CatalogueEntry* entry = FindCatalogueEntry(record.type);
        if (entry == nullptr)
            continue;
        ApplyIdNameFromSlot0(record);
        const PropertyTarget target{record, entry->type};
        const auto apply = [&](const char* name, int slot) {
            ApplyControlProperty(target, name, Slot(record, slot), "", slot);
        };

        // Each pair below: the property applied under that name with the value of that slot.
        switch (entry->type) {
        case ControlType::Button:
            ApplyButtonProperties(target);
            break;
        case ControlType::Text:
            ApplyTextProperties(target);
            break;
        case ControlType::Rect:
            apply("BackColor", 1);
            break;
        case ControlType::GroupBox:
            apply("Caption", 1);
            apply("BackColor", 2);
            break;
        case ControlType::Radio:
        case ControlType::CheckBox:
            apply("Text", 1);
            apply("BackColor", 2);
            break;
        case ControlType::ListView:
            apply("Style", 2);
            break;
        case ControlType::Icon:
            apply("Icon File:", 1);
            apply("BackColor:", 2);
            break;
        case ControlType::Bitmap:
            apply("BackColor", 2);
            break;
        case ControlType::TextBox:
            ApplyTextBoxProperties(target);
            break;
        default: // the other types take no properties at load
            break;
        }
    }
}

void CImageWindow::ApplyButtonProperties(const PropertyTarget& target)
{
    const ControlRecord& record = target.record;
    ApplyControlProperty(target, "Caption", Slot(record, 1), "", 1);
    ApplyControlProperty(target, "Text Align", Slot(record, 2), "", 2);
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

void CImageWindow::ApplyTextProperties(const PropertyTarget& target)
{
    const ControlRecord& record = target.record;
    texts_[static_cast<std::size_t>(record.poolSlot)].ApplyFont(
        Slot(record, 5), ReadLenientNumber(Slot(record, 6)), FlagArgument(Slot(record, 7)),
        FlagArgument(Slot(record, 8)));
    // "URL Link" comes after "Text Color": the blue it writes into slot 3 is recorded, not
    // applied again in this pass (the link look turns the text blue itself).
    ApplyControlProperty(target, "Caption", Slot(record, 1), "", 1);
    ApplyControlProperty(target, "Text Align", Slot(record, 2), "", 2);
    ApplyControlProperty(target, "BackColor", Slot(record, 4), "", 4);
    ApplyControlProperty(target, "Text Color", Slot(record, 3), "", 3);
    ApplyControlProperty(target, "URL Link", Slot(record, 9), "", 9);
}

void CImageWindow::ApplyTextBoxProperties(const PropertyTarget& target)
{
    const ControlRecord& record = target.record;
    ApplyControlProperty(target, "Text", Slot(record, 1), "", 1);
    ApplyControlProperty(target, "Password", Slot(record, 2), "", 2);
    ApplyControlProperty(target, "Read Only", Slot(record, 4), "", 4);
    if (record.idName == "IDC_SETTINGS")
        ChangeExStyle(GetDlgItem(hwnd(), record.controlId), 0, WS_EX_RIGHT | WS_EX_NOPARENTNOTIFY);
}

void CImageWindow::ApplyControlProperty(const PropertyTarget& target, const std::string& name,
                                        const std::string& value, const std::string& auxiliary,
                                        int slot)
{
    if (slot < 0 || slot >= kPropertySlots)
        return;
    ControlRecord& record = target.record;
    record.propertyValues[static_cast<std::size_t>(slot)] = value;
    // "Text" and "Password" of a text box, a button's "Text Align" and every name a type does
    // not know are only recorded in the slot ("****" as the auxiliary text included).
    (void)auxiliary;
    const PropertyEffect effect = FindPropertyEffect(target.type, name);
    if (IsColourEffect(effect)) {
        ApplyColourProperty(target, effect, value, slot);
        return;
    }
    const auto poolSlot = static_cast<std::size_t>(record.poolSlot);
    const ProductContext& context = TheProductContext();
    HWND control = GetDlgItem(hwnd(), record.controlId);
    switch (effect) {
    case PropertyEffect::ButtonCaption:
        SetWindowTextA(control, ApplyTextVariables(value, context.displayName, context.productCode).c_str());
        break;
    case PropertyEffect::LabelCaption:
        SetWindowTextA(control, ApplyAngleTextVariables(value, context.displayName, context.productCode).c_str());
        RepaintAll();
        break;
    case PropertyEffect::LabelAlign: {
        const TextAlign align = ReadTextAlign(value);
        if (align != TextAlign::Unchanged)
            texts_[poolSlot].SetAlignment(align == TextAlign::Centre ? "Center" : align == TextAlign::Left ? "Left" : "Right");
        RepaintAll();
        break;
    }
    case PropertyEffect::LabelLink:
        if (value == "Yes") {
            record.propertyValues[3] = "0,0,255";
            texts_[poolSlot].SetLinkLook(255);
        } else {
            texts_[poolSlot].SetLinkLook(0);
        }
        break;
    case PropertyEffect::PlainText:
        SetWindowTextA(control, value.c_str());
        break;
    case PropertyEffect::BorderStyle:
        if (!value.empty() && value[0] == '0')
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
        else if (!value.empty() && value[0] == '1')
            SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | WS_BORDER);
        SetWindowPos(control, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RepaintAll();
        break;
    case PropertyEffect::IconFile: {
        const int number = BuiltInIconNumber(value);
        if (number >= 0) {
            icons_[poolSlot].SetStockIcon(number);
        } else if (number == kIconFromFile && !value.empty()) {
            icons_[poolSlot].LoadPicture(value);
            RepaintAll();
        }
        break;
    }
    case PropertyEffect::ReadOnly:
        // The value is recorded; the edit box keeps its own colours.
        if (value == "Yes" || value == "No") {
            const COLORREF menu = GetSysColor(COLOR_MENU);
            SetControlColor(target,
                            value == "Yes" ? FormatColourValue(GetRValue(menu), GetGValue(menu), GetBValue(menu))
                                           : "255,255,255",
                            1);
        }
        break;
    default:
        break;
    }
}

void CImageWindow::ApplyColourProperty(const PropertyTarget& target, PropertyEffect effect,
                                       const std::string& value, int slot)
{
    std::string colour = value.empty() ? std::string(kButtonFaceColour) : value;
    if (target.type == ControlType::Bitmap && IsBitmapButtonFace(value))
        colour = kButtonFaceColour;
    // A text colour's default stays out of the slot; the other colours are written back.
    if (effect != PropertyEffect::TextColour)
        target.record.propertyValues[static_cast<std::size_t>(slot)] = colour;
    if (effect == PropertyEffect::ImageBackColour) {
        // The image control takes three numbers; the window remembers a bitmap's colour.
        const std::string numeric = colour == kButtonFaceColour ? ButtonFaceColourText() : colour;
        const auto poolSlot = static_cast<std::size_t>(target.record.poolSlot);
        CMyStatic& image = target.type == ControlType::Icon ? icons_[poolSlot] : images_[poolSlot];
        image.SetBackColor(numeric);
        if (target.type == ControlType::Bitmap)
            backColourText_ = colour;
        return;
    }
    SetControlColor(target, colour, effect == PropertyEffect::TextColour ? 0 : 1);
}

void CImageWindow::SetWindowBackColour(const std::string& value)
{
    // The window keeps the word: its brush follows the system's colour the same way.
    SetBackgroundColour(value.empty() ? std::string(kButtonFaceColour) : value);
    RepaintAll();
}

void CImageWindow::SetControlColor(const PropertyTarget& target, const std::string& value, int which)
{
    std::string text = value.empty() ? std::string(kButtonFaceColour) : value;
    if (text == kButtonFaceColour)
        text = ButtonFaceColourText();
    const auto slot = static_cast<std::size_t>(target.record.poolSlot);
    if (which == 0) {
        if (target.type == ControlType::Text) {
            const ColourValue c = ParseColourValue(text);
            texts_[slot].SetTextColor(RGB(c.red & 0xFF, c.green & 0xFF, c.blue & 0xFF));
            RepaintAll();
        }
        return;
    }
    switch (target.type) {
    case ControlType::Text: texts_[slot].SetBackColor(text); break;
    case ControlType::Rect: rectangles_[slot].SetBackColor(text); break;
    case ControlType::GroupBox: groupBoxes_[slot].SetBackColor(text); break;
    case ControlType::Radio: radios_[slot].SetBackColor(text); break;
    case ControlType::CheckBox: checkBoxes_[slot].SetBackColor(text); break;
    default: break;
    }
    RepaintAll();
}
