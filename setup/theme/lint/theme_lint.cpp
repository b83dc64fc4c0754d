#include "setup/theme/lint/theme_lint.h"

#include <algorithm>
#include <climits>

#include "setup/core/lenient_number.h"
#include "setup/theme/page_rules.h"
#include "setup/theme/progress_controls.h"
#include "setup/theme/lint/theme_lint_checker.h"

namespace {

using theme_lint_detail::Quoted;

const char* const kRemovalPage = "uninstall.lcd";

// Ids the window acts on when they are clicked, whatever their click action says.
const char* const kClickNames[] = {
    "IDC_NEXT",          "IDC_BACK",   "IDCANCEL",    "IDC_FINISH",    "IDC_BROWSE",
    "IDC_ACCEPTLICENSE", "IDC_NOTACCEPTLICENSE", "IDC_ANYONE", "IDC_ONLYFORME",
};

bool ReactsToClicks(const ControlRecord& record)
{
    for (const char* name : kClickNames) {
        if (record.idName == name)
            return true;
    }
    const int action = GetClickAction(record);
    return action == 1 || action == 2;
}

// Controls a person clicks or types into, whatever their name.
bool IsInteractive(ControlType type)
{
    switch (type) {
    case ControlType::Button:
    case ControlType::Radio:
    case ControlType::CheckBox:
    case ControlType::TextBox:
    case ControlType::ComboBox:
    case ControlType::HotSpot:
    case ControlType::TreeView:
    case ControlType::RichText:
        return true;
    default:
        return false;
    }
}

std::string PoolName(ControlPool pool)
{
    std::string names;
    for (int t = 0; t < static_cast<int>(ControlType::None); ++t) {
        const auto type = static_cast<ControlType>(t);
        if (FindCatalogueEntry(type)->pool != pool)
            continue;
        names += (names.empty() ? "" : " and ") + std::string(ControlTypeKeyword(type));
    }
    return names;
}

std::string PictureProblem(PictureState state, const std::string& path, const char* what)
{
    const std::string named = std::string(what) + " " + Quoted(path);
    switch (state) {
    case PictureState::Missing:
        return named + " does not exist";
    case PictureState::NotPortable:
        return named + " is not BMP, JPEG or GIF: Wine shows it, Windows' picture loader does not. Save it as BMP, "
                       "JPEG or GIF";
    default:
        return named + " cannot be read as a picture (use BMP, JPEG or GIF)";
    }
}

} // namespace

namespace theme_lint_detail {

std::vector<LintFinding> Linter::Run()
{
    BuildPage();
    CheckWindow();
    CheckInfoLines();
    for (const ThemeControl& control : theme_.controls)
        CheckControl(control);
    CheckGroups();
    CheckNames();
    CheckLayout();
    if (page_ == PageKind::Removal)
        CheckRemovalPage();
    std::stable_sort(findings_.begin(), findings_.end(), [](const LintFinding& a, const LintFinding& b) {
        return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
    });
    return std::move(findings_);
}

// Builds the page as the window does, last line first, so that exactly the controls the
// window would leave out are left out here, and ids and names come out the same.
void Linter::BuildPage()
{
    catalogue_->Reset();
    std::vector<int> createdLines; // in creation order
    for (auto it = theme_.controls.rbegin(); it != theme_.controls.rend(); ++it) {
        const ThemeControl& control = *it;
        const ControlType type = control.descriptor.type;
        const std::optional<ControlReservation> slot = catalogue_->Reserve(type);
        if (!slot) {
            Dropped(control);
            continue;
        }
        const CatalogueEntry& entry = *FindCatalogueEntry(type);
        catalogue_->AddControlRecord(ApplySizeRule(entry, control.descriptor.rect), slot->controlId, "",
                                     UsesImageFile(type) ? control.descriptor.imageFile : "",
                                     type, slot->poolSlot, slot->creationOrdinal);
        catalogue_->StoreProperties(0, control.properties);
        catalogue_->CommitCreation(type);
        createdLines.push_back(control.line);
    }
    const int count = catalogue_->RecordCount();
    for (int i = 0; i < count; ++i) {
        ControlRecord& record = catalogue_->Record(i);
        ApplyIdNameFromSlot0(record);
        Outcome& outcome = outcomes_[createdLines[static_cast<std::size_t>(count - 1 - i)]];
        outcome.record = i;
        outcome.rect = record.rect;
        outcome.clickable = ReactsToClicks(record) || IsInteractive(record.type);
    }
}

void Linter::Dropped(const ThemeControl& control)
{
    const ControlType type = control.descriptor.type;
    std::string full = "the page already has ";
    if (catalogue_->RecordCount() >= kMaxControlRecords) {
        full += std::to_string(kMaxControlRecords) + " controls";
    } else {
        const std::string pool = PoolName(FindCatalogueEntry(type)->pool);
        full += std::to_string(kPoolSize) + " " + pool + " controls";
        if (pool.find(' ') != std::string::npos)
            full += " (they count together)";
    }
    full += ", the most one page holds";
    Add(InfoLine(control.line), "page-full",
        Place(control) + ": is not created: " + full +
            ". Controls are created from the last INFO line up, so the lines nearest the top are the ones "
            "left out. Remove controls or move some to another page.");
}

void Linter::CheckWindow()
{
    const MainWindowSettings& w = theme_.window;
    const auto line = [this](const char* key) { return file_.LineOf("MAINWINDOW", key); };
    const auto raw = [this](const char* key) { return file_.Read("MAINWINDOW", key, kThemeValueLength); };
    if (!w.bkImage.empty() && system_.probe) {
        const PictureState state = system_.probe(w.bkImage, PictureKind::Picture);
        if (state != PictureState::Ok) {
            Add(line("bkimage"), "picture",
                "MAINWINDOW bkimage: " + PictureProblem(state, w.bkImage, "the picture") +
                    (state == PictureState::NotPortable
                         ? "."
                         : ", so the window has no background picture. The path is used as written, without "
                           "the theme's folder in front: give the full path."));
        }
    }
    if (!IsColourForm(raw("bkcolor")))
        ColourFinding(line("bkcolor"), "MAINWINDOW bkcolor", raw("bkcolor"));
    for (const char* key : {"minwindow", "maxwindow", "closewindow"}) {
        const std::string v = raw(key);
        if (!v.empty() && v != "Yes" && v != "No")
            Add(line(key), "flag",
                "MAINWINDOW " + std::string(key) + ": " + Quoted(v) +
                    " is not \"Yes\", so the box is left out (only \"Yes\", exactly, adds it). Write Yes or No.");
    }
    for (const char* key : {"fontbold", "fontitalic"}) {
        const std::string v = raw(key);
        if (!IsFlagForm(v))
            Add(line(key), "flag",
                "MAINWINDOW " + std::string(key) + ": " + Quoted(v) +
                    " is not \"No\", so it counts as on. Write Yes or No.");
    }
    if (!IsFontSizeForm(raw("fontsize")))
        Add(line("fontsize"), "size",
            "MAINWINDOW fontsize: " + Quoted(raw("fontsize")) +
                " is not a size in points from 0 to 72 (read as " + std::to_string(w.fontSize) +
                "). Write a plain number such as 8.");
    for (const char* key : {"width", "height"}) {
        const int v = ReadLenientNumber(raw(key));
        if (v <= 0 || v > 4096)
            Add(line(key), "size",
                "MAINWINDOW " + std::string(key) + ": " + Quoted(raw(key)) +
                    " is not a size in pixels from 1 to 4096, so the window cannot show the page. Give the "
                    "window's outer " + key + ".");
    }
    const std::string startup = raw("startup");
    if (!startup.empty() && (startup[0] == '1' || (w.startup != 0 && (w.startup < 2 || w.startup > 5))))
        Add(line("startup"), "size",
            "MAINWINDOW startup: " + Quoted(startup) +
                " leaves the window where the system first put it. Use 0 (centred), 2, 3, 4 or 5 (corners).");
    CheckFont(line("fontname"), "MAINWINDOW fontname", w.fontName);
    CheckVariables(line("caption"), "MAINWINDOW caption", w.caption, SlotValue::FullText);
}

void Linter::ColourFinding(int line, const std::string& place, const std::string& value)
{
    Add(line, "colour",
        place + ": " + Quoted(value) + " is not a colour: it reads as " +
            ColourText(ColourOf(value, system_.buttonFace)) +
            ". Write three numbers 0 to 255 for red, green and blue (e.g. 0,0,255 for blue), or COLOR_BTNFACE.");
}

void Linter::CheckFont(int line, const std::string& place, const std::string& face)
{
    if (face.empty() || !system_.fontExists || !checkedFaces_.insert(face).second)
        return;
    if (!system_.fontExists(face))
        Add(line, "font",
            place + ": the font " + Quoted(face) +
                " is not installed on this machine, so the system draws another face in its place. Use a face "
                "every target machine has, such as Tahoma or Arial.",
            true);
}

void Linter::CheckVariables(int line, const std::string& place, const std::string& text, SlotValue form)
{
    for (const VariableProblem& p : FindVariableProblems(text, form)) {
        if (!p.known) {
            Add(line, "variable",
                place + ": " + Quoted(p.found) +
                    " is not a text variable this program knows, so it is shown as written. Only <ProductName> "
                    "and <ProductCode> are replaced.");
        } else if (form == SlotValue::PlainText) {
            Add(line, "variable-form",
                place + ": this control shows its text unchanged, so " + Quoted(p.found) +
                    " is shown as written. Write the product's name itself.");
        } else {
            const std::string angle = "<" + p.found.substr(1, p.found.size() - 2) + ">";
            Add(line, "variable-form",
                place + ": this text replaces only the angle-bracket form, so " + Quoted(p.found) +
                    " is shown as written. Write " + angle + ".");
        }
    }
}

void Linter::CheckInfoLines()
{
    const int totalLine = file_.LineOf("INFO", "TOTAL");
    const int lines = std::min(theme_.total, kMaxDescriptorLines);
    std::string missing;
    int missingCount = 0;
    for (int n = 0; n < lines; ++n) {
        if (file_.Find("INFO", std::to_string(n)))
            continue;
        if (++missingCount <= 10)
            missing += (missing.empty() ? "" : ", ") + std::to_string(n);
    }
    if (missingCount > 0)
        Add(totalLine, "line-missing",
            "INFO TOTAL is " + std::to_string(theme_.total) + " but " + std::to_string(missingCount) +
                " line(s) below it are not written (" + missing + (missingCount > 10 ? ", ..." : "") +
                "), so they create nothing. Write them, or lower TOTAL.");
    if (const ThemeFileText::Section* info = file_.FindSection("INFO")) {
        for (const ThemeFileText::Entry& entry : info->entries) {
            if (entry.key.empty() || entry.key.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const int n = ReadLenientNumber(entry.key);
            if (n >= theme_.total)
                Add(entry.line, "past-total",
                    "INFO " + entry.key + ": the line is past TOTAL=" + std::to_string(theme_.total) +
                        " (lines 0 to TOTAL-1 are read), so its control is not created. Raise TOTAL to " +
                        std::to_string(static_cast<long long>(n) + 1) + " or more, or remove the line.");
        }
    }
    for (const UnknownDescriptor& unknown : theme_.unknownDescriptors) {
        const std::string place = "INFO " + std::to_string(unknown.line);
        if (!file_.Find("INFO", std::to_string(unknown.line)))
            continue; // told above
        if (unknown.keyword.empty()) {
            Add(InfoLine(unknown.line), "unknown-type",
                place + ": the line has no type keyword in field 6, so it creates nothing. Fields are "
                        "separated by commas: x,left,top,width,height,TYPE,image,x,data number.");
        } else if (unknown.keyword == "IMAGE") {
            Add(InfoLine(unknown.line), "unknown-type",
                place + ": type \"IMAGE\" creates no control; the line and its property lines are ignored. "
                        "Use BITMAP to show a picture.");
        } else {
            Add(InfoLine(unknown.line), "unknown-type",
                place + ": " + Quoted(unknown.keyword) +
                    " is not a control type, so the line creates nothing and its property lines are ignored. "
                    "Type keywords are upper case and exact, such as BUTTON, TEXT or BITMAP.");
        }
    }
}

void Linter::CheckControl(const ThemeControl& control)
{
    const std::string place = Place(control);
    const int line = InfoLine(control.line);
    const ControlType type = control.descriptor.type;
    const ControlRect& r = control.descriptor.rect;
    if (r.right < r.left || r.bottom < r.top)
        Add(line, "size",
            place + ": a negative width or height (fields 4 and 5) gives a control nobody sees. Give its size "
                    "in pixels.");

    if (UsesImageFile(type) && system_.probe) {
        const std::string& path = control.descriptor.imageFile;
        if (path.empty()) {
            Add(line, "picture",
                place + ": field 7 names no image file, so the control shows no image. Name the file in field "
                        "7, e.g. {logo.bmp} for a file beside the theme.");
        } else if (const PictureState state = system_.probe(path, PictureKind::Picture); state != PictureState::Ok) {
            Add(line, "picture",
                place + ": " + PictureProblem(state, path, "the image (field 7)") +
                    (state == PictureState::NotPortable ? "."
                                                        : ", so the control shows no image. Correct field 7 or "
                                                          "put the file there."));
        }
    }

    if (control.declaredPropertyCount > kMaxPropertyLines) {
        const std::string countKey = Quoted(std::to_string(control.descriptor.dataNumber) + ",t");
        Add(file_.LineOf("DADOS", std::to_string(control.descriptor.dataNumber) + ",t"), "too-many-lines",
            place + ": DADOS " + countKey + " declares " + std::to_string(control.declaredPropertyCount) +
                " property lines; a control keeps at most " + std::to_string(kMaxPropertyLines) +
                " and one with more keeps none, so its name, caption and colours are all lost. Leave at most " +
                std::to_string(kMaxPropertyLines) + " lines and set " + countKey + " to match.");
    } else {
        CheckSlots(control, place);
        if (type == ControlType::Icon)
            CheckIcon(control, place);
    }

    const auto it = outcomes_.find(control.line);
    if (it != outcomes_.end() && ReactsToClicks(catalogue_->Record(it->second.record))) {
        const int id = catalogue_->Record(it->second.record).controlId;
        if (id > kLastClickableControlId)
            Add(line, "unclickable",
                place + ": gets control id " + std::to_string(id) + ", but only ids " +
                    std::to_string(kFirstControlId) + " to " + std::to_string(kLastClickableControlId) +
                    " report clicks, so clicking it does nothing. Ids are given from the last INFO line up: "
                    "move this line among the last " +
                    std::to_string(kLastClickableControlId - kFirstControlId + 1) +
                    " lines, or put fewer controls below it.");
    }
}

// Each slot the type reads: the line's name against the slot, the value against its form.
void Linter::CheckSlots(const ThemeControl& control, const std::string& place)
{
    const ControlType type = control.descriptor.type;
    for (const SlotRule& rule : SlotRulesOf(type)) {
        if (rule.slot >= static_cast<int>(control.properties.size()))
            continue;
        // A line that is not written is the count's finding; its slot reads as empty.
        const std::string key = std::to_string(control.descriptor.dataNumber) + "," + std::to_string(rule.slot);
        if (!file_.Find("DADOS", key))
            continue;
        const PropertyLine& p = control.properties[static_cast<std::size_t>(rule.slot)];
        const int line = SlotLine(control, rule.slot);
        const std::string at = place + ": DADOS " + SlotKey(control, rule.slot);
        if (!SlotNameFits(rule, p.name)) {
            Add(line, "slot-name",
                at + " is named " + Quoted(p.name) + ", but slot " + std::to_string(rule.slot) + " of a " +
                    ControlTypeKeyword(type) + " is its " + Quoted(rule.property) + ": its value is used as that. " +
                    "Lines apply by position, not by name: put the " + Quoted(rule.property) +
                    " line here and keep the lines in the order of the reference.");
        }
        CheckSlotValue(rule, p.value, line, at);
    }
}

void Linter::CheckSlotValue(const SlotRule& rule, const std::string& value, int line,
                    const std::string& at)
{
    switch (rule.value) {
    case SlotValue::Colour:
    case SlotValue::BitmapColour:
        if (!IsColourForm(value) && !(rule.value == SlotValue::BitmapColour && IsBitmapButtonFace(value)))
            ColourFinding(line, at + " (" + rule.property + ")", value);
        break;
    case SlotValue::Flag:
        if (!IsFlagForm(value))
            Add(line, "flag",
                at + " (" + rule.property + "): " + Quoted(value) + " is neither Yes nor No; it counts as " +
                    (std::string(rule.property) == "URL Link" || std::string(rule.property) == "Read Only"
                         ? "no"
                         : "yes") +
                    ". Write Yes or No, exactly so.");
        break;
    case SlotValue::Align:
        if (!IsAlignForm(value))
            Add(line, "align",
                at + " (Text Align): " + Quoted(value) + " is read by its first character as a number: " +
                    (value[0] >= '3' && value[0] <= '9' ? "it changes nothing"
                                                        : "it reads as 0, centred") +
                    ". Write 0 - Center, 1 - Left or 2 - Right.");
        break;
    case SlotValue::Style:
        if (!IsStyleForm(value))
            Add(line, "align",
                at + " (Style): " + Quoted(value) + " changes nothing; write 0 (no border) or 1 (border).");
        break;
    case SlotValue::Size:
        if (!IsFontSizeForm(value))
            Add(line, "size",
                at + " (Font Size): " + Quoted(value) + " is not a size in points from 0 to 72 (read as " +
                    std::to_string(ReadLenientNumber(value)) + "). Write a plain number such as 8.");
        break;
    case SlotValue::Face:
        CheckFont(line, at + " (Font Name)", value);
        break;
    case SlotValue::FullText:
    case SlotValue::AngleText:
    case SlotValue::PlainText:
        CheckVariables(line, at + " (" + rule.property + ")", value, rule.value);
        break;
    default:
        break;
    }
}

void Linter::CheckIcon(const ThemeControl& control, const std::string& place)
{
    const std::string value = control.properties.size() > 1 ? control.properties[1].value : std::string();
    const int line = control.properties.size() > 1 ? SlotLine(control, 1) : InfoLine(control.line);
    const std::string key = SlotKey(control, 1);
    const int number = BuiltInIconNumber(value);
    if (number == kUnknownIconName) {
        Add(line, "picture",
            place + ": \"Icon File:\" " + Quoted(value) + " (DADOS " + key +
                ") starts with IDI but is none of the built-in icon names, so no icon is shown. Use a name such "
                "as IDI_INFO or IDI_FOLDER, or a file name.");
    } else if (number == kIconFromFile && value.empty()) {
        Add(line, "picture",
            place + ": there is no \"Icon File:\" value (DADOS " + key +
                "), so no icon is shown. Give an icon file or a built-in name such as IDI_INFO.");
    } else if (number == kIconFromFile && system_.probe) {
        const PictureState state = system_.probe(value, PictureKind::Icon);
        if (state == PictureState::Missing)
            Add(line, "picture",
                place + ": the icon file " + Quoted(value) + " (DADOS " + key +
                    ") does not exist, so no icon is shown. Correct the path or put the file there.");
        else if (state != PictureState::Ok)
            Add(line, "picture",
                place + ": the icon file " + Quoted(value) + " (DADOS " + key +
                    ") cannot be read as an icon, so no icon is shown. Use an .ico file.");
    }
}

void Linter::CheckGroups()
{
    std::set<int> seen;
    const ThemeFileText::Section* dados = file_.FindSection("DADOS");
    for (const ThemeControl& control : theme_.controls) {
        const int n = control.descriptor.dataNumber;
        if (!seen.insert(n).second)
            continue;
        const std::string prefix = std::to_string(n) + ",";
        std::set<int> written;
        if (dados) {
            for (const ThemeFileText::Entry& entry : dados->entries) {
                const std::string rest = entry.key.substr(0, prefix.size()) == prefix ? entry.key.substr(prefix.size())
                                                                                   : std::string();
                if (!rest.empty() && rest.find_first_not_of("0123456789") == std::string::npos)
                    written.insert(ReadLenientNumber(rest));
            }
        }
        const ThemeFileText::Entry* count = file_.Find("DADOS", prefix + "t");
        const bool readsSlots = !SlotRulesOf(control.descriptor.type).empty();
        if (!count && written.empty()) {
            if (readsSlots)
                Add(InfoLine(control.line), "no-group",
                    Place(control) + ": its data number (field 9) is " + std::to_string(n) + ", but DADOS has no " +
                        Quoted(prefix + "t") + " and no " + Quoted(prefix + "0") +
                        ", so the control gets no name, an empty caption and default colours. Point field 9 at "
                        "its group, or write the group.");
            continue;
        }
        const int declared = control.declaredPropertyCount;
        if (declared > kMaxPropertyLines)
            continue; // told with the control
        std::string missing;
        std::string extra;
        for (int i = 0; i < declared; ++i) {
            if (!written.count(i))
                missing += (missing.empty() ? "" : ", ") + Quoted(prefix + std::to_string(i));
        }
        for (int i : written) {
            if (i >= declared)
                extra += (extra.empty() ? "" : ", ") + Quoted(prefix + std::to_string(i));
        }
        if (missing.empty() && extra.empty())
            continue;
        std::string text = Place(control) + ": DADOS " + Quoted(prefix + "t") + " is " + std::to_string(declared) +
                           (count ? "" : " (missing)") + " but ";
        if (!missing.empty())
            text += missing + " not written, so those slots read as empty";
        if (!missing.empty() && !extra.empty())
            text += ", and ";
        if (!extra.empty())
            text += extra + " written past it, so those lines are never read";
        text += ". Set " + Quoted(prefix + "t") + " to the number of lines written (" +
                std::to_string(written.empty() ? 0LL : *written.rbegin() + 1LL) + ") and number them from 0.";
        Add(count ? count->line : SlotLine(control, *written.begin()), "count", text);
    }
}

// Controls are found by name from the top of the file down; a second control of the same
// name is never found.
void Linter::CheckNames()
{
    std::map<std::string, int> firstLine;
    for (const ThemeControl& control : theme_.controls) {
        const ControlRecord* record = RecordOf(control);
        if (!record || record->idName.empty())
            continue;
        const auto first = firstLine.emplace(record->idName, control.line);
        if (first.second)
            continue;
        Add(InfoLine(control.line), "duplicate-name",
            Place(control) + ": INFO " + std::to_string(first.first->second) + " already has the id name " +
                Quoted(record->idName) +
                "; the page looks controls up by name from the top of the file, so that name never reaches this "
                "one. Give it a name of its own.");
    }
}

void Linter::CheckRemovalPage()
{
    const int infoLine = file_.LineOf("INFO");
    const ProgressControls reported = FindProgressControls(*catalogue_);
    if (reported.progressBar < 0)
        Add(infoLine, "removal-page",
            "no control is named IDC_PROGRESS1, so the removal shows no progress. Add a PROGRESS line: the "
            "PROGRESS lowest in the file gets that name.");
    if (reported.statusLines[0] < 0)
        Add(infoLine, "removal-page",
            "no TEXT control is named IDC_INFO, so the removal's status texts are not shown. Give a TEXT control "
            "the id name IDC_INFO as the value of its first property line, e.g. IDC Name|IDC_INFO|0.");
    if (reported.statusLines[1] < 0)
        Add(infoLine, "removal-page",
            "no TEXT control is named IDC_STATIC1, so the finish text (language [SetupCompleteSuccess] 5) is "
            "not shown when the removal ends. Add a TEXT line named IDC_STATIC1.");
    const int cancel = NamedOfType("IDCANCEL", ControlType::Button);
    if (cancel < 0 && !theme_.window.closeBox)
        Add(file_.LineOf("MAINWINDOW", "closewindow"), "removal-page",
            "the window has no close box (closewindow is not Yes) and no BUTTON named IDCANCEL, so once the "
            "removal is over the page can be left only with Escape or Alt+F4. Set closewindow=Yes or add a "
            "BUTTON named IDCANCEL (it becomes Close).");
    if (!system_.language)
        return;
    struct Key {
        const char* section;
        const char* key;
        const char* control;
        const char* use;
    };
    const Key keys[] = {
        {"SetupProgress", "10", "IDC_INFO", "the final status text"},
        {"SetupCompleteSuccess", "1", "IDCANCEL", "the Close button's caption"},
        {"SetupCompleteSuccess", "5", "IDC_STATIC1", "the finish text"},
    };
    for (const Key& k : keys) {
        if (catalogue_->FindControlId(k.control) < 0)
            continue;
        const std::string text = system_.language(k.section, k.key);
        const std::string place = std::string("language [") + k.section + "] " + k.key;
        if (text.empty())
            Add(0, "language-key",
                place + ": missing or empty, so " + k.use + " (" + k.control +
                    ") is empty at the end of the removal. Add the key to the language file.");
        else
            CheckVariables(0, place, text, SlotValue::FullText);
    }
}

} // namespace theme_lint_detail


PictureFormat SniffPictureFormat(const std::string& b)
{
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M')
        return PictureFormat::Bmp;
    if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8 &&
        static_cast<unsigned char>(b[2]) == 0xFF)
        return PictureFormat::Jpeg;
    if (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0)
        return PictureFormat::Gif;
    if (b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
        return PictureFormat::Png;
    return PictureFormat::Other;
}

PageKind PageKindOfFile(const std::string& fileName)
{
    return fileName == kRemovalPage ? PageKind::Removal : PageKind::Other;
}

std::vector<LintFinding> LintTheme(const ThemeFileText& file, const std::string& themePath, PageKind page,
                                   const LintSystem& system)
{
    return theme_lint_detail::Linter(file, themePath, page, system).Run();
}

std::string FormatFinding(const std::string& fileName, const LintFinding& finding)
{
    return fileName + ":" + (finding.line > 0 ? std::to_string(finding.line) + ":" : std::string()) + " " +
           (finding.warning ? "warning: " : "") + finding.text + " [" + finding.kind + "]";
}
