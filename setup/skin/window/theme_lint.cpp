#include "setup/skin/window/theme_lint.h"

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <utility>

#include "setup/skin/window/control_catalogue.h"
#include "setup/skin/window/page_rules.h"

namespace {

// The page file a removal runs on; it alone needs a progress bar and a status line.
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

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// Problems are collected with the descriptor line they belong to and put in file order at the
// end; the window's own keys come before every line, the page's lacks after them.
constexpr int kWindowPlace = -1;
constexpr int kPagePlace = INT_MAX;

struct Finding {
    int line;
    std::string text;
};

// What the simulated page made of one descriptor line.
struct Outcome {
    bool created = false;
    std::string idName;
    int controlId = 0;
    bool clickable = false;
};

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
    if (state == PictureState::Missing)
        return std::string(what) + " " + Quoted(path) + " does not exist";
    return std::string(what) + " " + Quoted(path) +
           " cannot be read as a picture (use BMP, JPEG or GIF)";
}

class Linter {
public:
    Linter(const ThemeData& theme, const std::string& fileName, const PictureProbe& probe)
        : theme_(theme), fileName_(fileName), probe_(probe)
    {
    }

    std::vector<std::string> Run()
    {
        BuildPage();
        CheckBackground();
        for (const UnknownDescriptor& unknown : theme_.unknownDescriptors)
            CheckUnknown(unknown);
        for (const ThemeControl& control : theme_.controls)
            CheckControl(control);
        CheckNames();
        if (fileName_ == kRemovalPage)
            CheckRemovalPage();

        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        std::vector<std::string> lines;
        lines.reserve(findings_.size());
        for (Finding& finding : findings_)
            lines.push_back(fileName_ + ": " + std::move(finding.text));
        return lines;
    }

private:
    // Builds the page as the window does, last line first, so that exactly the controls the
    // window would leave out are left out here, and ids and names come out the same.
    void BuildPage()
    {
        page_->Reset();
        std::vector<int> createdLines; // in creation order
        for (auto it = theme_.controls.rbegin(); it != theme_.controls.rend(); ++it) {
            const ThemeControl& control = *it;
            const ControlType type = control.descriptor.type;
            const std::optional<ControlReservation> slot = page_->Reserve(type);
            if (!slot) {
                Dropped(control);
                continue;
            }
            const CatalogueEntry& entry = *FindCatalogueEntry(type);
            page_->AddControlRecord(ApplySizeRule(entry, control.descriptor.rect), slot->controlId, "",
                                    UsesImageFile(type) ? control.descriptor.imageFile : "",
                                    control.descriptor.keyword, slot->poolSlot, slot->creationOrdinal);
            page_->StoreProperties(0, control.properties);
            page_->CommitCreation(type);
            createdLines.push_back(control.line);
        }
        // Record 0 is the control created last, the one highest in the file.
        const int count = page_->RecordCount();
        for (int i = 0; i < count; ++i) {
            ControlRecord& record = page_->Record(i);
            ApplyIdNameFromSlot0(record);
            Outcome& outcome = outcomes_[createdLines[static_cast<std::size_t>(count - 1 - i)]];
            outcome.created = true;
            outcome.idName = record.idName;
            outcome.controlId = record.controlId;
            outcome.clickable = ReactsToClicks(record);
        }
    }

    void Add(int line, std::string text) { findings_.push_back({line, std::move(text)}); }

    std::string Place(const ThemeControl& control) const
    {
        std::string place = "INFO " + std::to_string(control.line) + " (" + control.descriptor.keyword;
        const auto it = outcomes_.find(control.line);
        if (it != outcomes_.end() && !it->second.idName.empty())
            place += " " + Quoted(it->second.idName);
        return place + ")";
    }

    void Dropped(const ThemeControl& control)
    {
        const ControlType type = control.descriptor.type;
        std::string full = "the page already has ";
        if (page_->RecordCount() >= kMaxControlRecords) {
            full += std::to_string(kMaxControlRecords) + " controls";
        } else {
            const std::string pool = PoolName(FindCatalogueEntry(type)->pool);
            full += std::to_string(kPoolSize) + " " + pool + " controls";
            if (pool.find(' ') != std::string::npos)
                full += " (they count together)";
        }
        full += ", the most one page holds";
        Add(control.line, Place(control) + ": is not created: " + full +
                              ". Controls are created from the last INFO line up, so the lines nearest the "
                              "top are the ones left out. Remove controls or move some to another page.");
    }

    void CheckBackground()
    {
        const std::string& path = theme_.window.bkImage;
        if (path.empty() || !probe_)
            return;
        const PictureState state = probe_(path, PictureKind::Picture);
        if (state == PictureState::Ok)
            return;
        Add(kWindowPlace, "MAINWINDOW bkimage: " + PictureProblem(state, path, "the picture") +
                              ", so the window has no background picture. The path is used as written, "
                              "without the theme's folder in front: give the full path.");
    }

    void CheckUnknown(const UnknownDescriptor& unknown)
    {
        const std::string place = "INFO " + std::to_string(unknown.line);
        if (unknown.keyword.empty()) {
            Add(unknown.line, place + ": the line is missing or has no type keyword in field 6, so it creates "
                                      "nothing. Write the line, or lower TOTAL in INFO.");
        } else if (unknown.keyword == "IMAGE") {
            Add(unknown.line, place + ": type \"IMAGE\" creates no control; the line and its property lines "
                                      "are ignored. Use BITMAP to show a picture.");
        } else {
            Add(unknown.line, place + ": " + Quoted(unknown.keyword) +
                                  " is not a control type, so the line creates nothing and its property lines "
                                  "are ignored. Type keywords are upper case and exact, such as BUTTON, TEXT or "
                                  "BITMAP.");
        }
    }

    void CheckControl(const ThemeControl& control)
    {
        const std::string place = Place(control);
        const std::string countKey = Quoted(std::to_string(control.descriptor.dataNumber) + ",t");
        const bool tooManyLines = control.declaredPropertyCount > kMaxPropertyLines;
        if (tooManyLines) {
            Add(control.line, place + ": DADOS " + countKey + " declares " +
                                  std::to_string(control.declaredPropertyCount) + " property lines; a control keeps "
                                  "at most " + std::to_string(kMaxPropertyLines) +
                                  " and one with more keeps none, so its name, caption and colours are all "
                                  "lost. Leave at most " + std::to_string(kMaxPropertyLines) +
                                  " lines and set " + countKey + " to match.");
        }

        const ControlType type = control.descriptor.type;
        if (UsesImageFile(type) && probe_) {
            const std::string& path = control.descriptor.imageFile;
            if (path.empty()) {
                Add(control.line, place + ": field 7 names no image file, so the control shows no image. Name "
                                          "the file in field 7, e.g. {logo.bmp} for a file beside the theme.");
            } else if (const PictureState state = probe_(path, PictureKind::Picture); state != PictureState::Ok) {
                Add(control.line, place + ": " + PictureProblem(state, path, "the image (field 7)") +
                                      ", so the control shows no image. Correct field 7 or put the file there.");
            }
        }
        // A control that keeps no lines has already been told about; its icon line is lost with them.
        if (type == ControlType::Icon && !tooManyLines)
            CheckIcon(control, place);

        const auto it = outcomes_.find(control.line);
        if (it != outcomes_.end() && it->second.clickable && it->second.controlId > kLastClickableControlId) {
            Add(control.line, place + ": gets control id " + std::to_string(it->second.controlId) +
                                  ", but only ids " + std::to_string(kFirstControlId) + " to " +
                                  std::to_string(kLastClickableControlId) +
                                  " report clicks, so clicking it does nothing. Ids are given from the last "
                                  "INFO line up: move this line among the last " +
                                  std::to_string(kLastClickableControlId - kFirstControlId + 1) +
                                  " lines, or put fewer controls below it.");
        }
    }

    void CheckIcon(const ThemeControl& control, const std::string& place)
    {
        const std::string key = Quoted(std::to_string(control.descriptor.dataNumber) + ",1");
        const std::string value = control.properties.size() > 1 ? control.properties[1].value : std::string();
        const int number = BuiltInIconNumber(value);
        if (number == kUnknownIconName) {
            Add(control.line, place + ": \"Icon File:\" " + Quoted(value) + " (DADOS " + key +
                                  ") starts with IDI but is none of the built-in icon names, so no icon is "
                                  "shown. Use a name such as IDI_INFO or IDI_FOLDER, or a file name.");
        } else if (number == kIconFromFile && value.empty()) {
            Add(control.line, place + ": there is no \"Icon File:\" value (DADOS " + key +
                                  "), so no icon is shown. Give an icon file or a built-in name such as IDI_INFO.");
        } else if (number == kIconFromFile && probe_) {
            const PictureState state = probe_(value, PictureKind::Icon);
            if (state == PictureState::Missing) {
                Add(control.line, place + ": the icon file " + Quoted(value) + " (DADOS " + key +
                                      ") does not exist, so no icon is shown. Correct the path or put the file there.");
            } else if (state == PictureState::Undecodable) {
                Add(control.line, place + ": the icon file " + Quoted(value) + " (DADOS " + key +
                                      ") cannot be read as an icon, so no icon is shown. Use an .ico file.");
            }
        }
    }

    // Controls are found by name from the top of the file down; a second control of the same
    // name is never found.
    void CheckNames()
    {
        std::map<std::string, int> firstLine;
        for (const ThemeControl& control : theme_.controls) {
            const auto it = outcomes_.find(control.line);
            if (it == outcomes_.end() || it->second.idName.empty())
                continue;
            const auto first = firstLine.emplace(it->second.idName, control.line);
            if (first.second)
                continue;
            Add(control.line, Place(control) + ": INFO " + std::to_string(first.first->second) +
                                  " already has the id name " + Quoted(it->second.idName) +
                                  "; the page looks controls up by name from the top of the file, so that "
                                  "name never reaches this one. Give it a name of its own.");
        }
    }

    void CheckRemovalPage()
    {
        if (page_->FindControlId("IDC_PROGRESS1") < 0) {
            Add(kPagePlace, "no control is named IDC_PROGRESS1, so the removal shows no progress. Add a "
                            "PROGRESS line: the PROGRESS lowest in the file gets that name.");
        }
        if (page_->FindControlId("IDC_INFO") < 0) {
            Add(kPagePlace, "no control is named IDC_INFO, so the removal's status texts are not shown. Give "
                            "a TEXT control the id name IDC_INFO as the value of its first property line, "
                            "e.g. IDC_INFO|IDC_INFO|0.");
        }
    }

    const ThemeData& theme_;
    const std::string& fileName_;
    const PictureProbe& probe_;
    // A whole page's records are too big to want on the stack.
    std::unique_ptr<ControlCatalogue> page_ = std::make_unique<ControlCatalogue>();
    std::map<int, Outcome> outcomes_; // by descriptor line, created controls only
    std::vector<Finding> findings_;
};

} // namespace

std::vector<std::string> LintTheme(const ThemeData& theme, const std::string& fileName, const PictureProbe& probe)
{
    return Linter(theme, fileName, probe).Run();
}
