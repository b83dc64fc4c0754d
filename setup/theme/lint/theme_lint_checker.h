#pragma once

// The theme check's working state, shared by the files that hold its parts: theme_lint.cpp
// (the page as the window builds it, the file's structure, slots and values, names, the removal
// page) and theme_lint_layout.cpp (places, sizes, texts as drawn, pictures and contrast).

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "setup/core/text_variables.h"
#include "setup/theme/theme_file_text.h"
#include "setup/theme/control_catalogue.h"
#include "setup/theme/progress_controls.h"
#include "setup/theme/lint/theme_lint.h"
#include "setup/theme/lint/theme_lint_rules.h"

namespace theme_lint_detail {

inline std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// What the simulated page made of one descriptor line.
struct Outcome {
    int record = -1;
    ControlRect rect; // after the size rule
    bool clickable = false;
};

// A text a label or button will show, and where it comes from.
struct ShownText {
    std::string text;
    std::string source;
};

class Linter {
public:
    Linter(const ThemeFileText& file, const std::string& themePath, PageKind page, const LintSystem& system)
        : file_(file), theme_(LoadThemeData(file, themePath)), page_(page), system_(system)
    {
    }

    std::vector<LintFinding> Run();

private:
    // Builds the page as the window does, last line first, so that exactly the controls the
    // window would leave out are left out here, and ids and names come out the same.
    void BuildPage();

    void Add(int line, const char* kind, std::string text, bool warning = false)
    {
        findings_.push_back({line, kind, warning, std::move(text)});
    }

    int InfoLine(int line) const { return file_.LineOf("INFO", std::to_string(line)); }
    int SlotLine(const ThemeControl& c, int slot) const
    {
        return file_.LineOf("DADOS", std::to_string(c.descriptor.dataNumber) + "," + std::to_string(slot));
    }
    std::string SlotKey(const ThemeControl& c, int slot) const
    {
        return Quoted(std::to_string(c.descriptor.dataNumber) + "," + std::to_string(slot));
    }

    const ControlRecord* RecordOf(const ThemeControl& control) const
    {
        const auto it = outcomes_.find(control.line);
        return it == outcomes_.end() ? nullptr : &catalogue_->Record(it->second.record);
    }

    std::string Place(const ThemeControl& control) const
    {
        std::string place = "INFO " + std::to_string(control.line) + " (" + control.descriptor.keyword;
        if (const ControlRecord* record = RecordOf(control); record && !record->idName.empty())
            place += " " + Quoted(record->idName);
        return place + ")";
    }

    void Dropped(const ThemeControl& control);

    // ---- the window's own keys ----

    void CheckWindow();

    void ColourFinding(int line, const std::string& place, const std::string& value);

    void CheckFont(int line, const std::string& place, const std::string& face);

    void CheckVariables(int line, const std::string& place, const std::string& text, SlotValue form);

    // ---- INFO: the lines and TOTAL ----

    void CheckInfoLines();

    // ---- one control ----

    void CheckControl(const ThemeControl& control);

    // Each slot the type reads: the line's name against the slot, the value against its form.
    void CheckSlots(const ThemeControl& control, const std::string& place);

    void CheckSlotValue(const SlotRule& rule, const std::string& value, int line,
                        const std::string& at);

    void CheckIcon(const ThemeControl& control, const std::string& place);

    // ---- DADOS: the groups the descriptors point at ----

    void CheckGroups();

    // Controls are found by name from the top of the file down; a second control of the same
    // name is never found.
    void CheckNames();

    // ---- layout and readability ----

    LintFont LabelFont(const ControlRecord& r) const;

    LintFont ButtonFont(const ControlRecord& r) const;

    std::string Full(const std::string& text) const
    {
        return ApplyTextVariables(text, system_.productName, system_.productCode);
    }

    // Everything a label or button will show during a removal, its own caption first.
    std::vector<ShownText> TextsOf(const ControlRecord& r) const;

    void CheckLayout();

    void CheckButtonCaption(const ControlRecord& record, const ControlRect& rect, const std::string& place, int line);

    void CheckLabel(const ThemeControl& control, const ControlRecord& record, const ControlRect& rect,
                    const std::string& place, int line);

    struct PictureArea {
        long count = 0;
        long differing = 0;
        std::uint32_t average = 0;
        std::uint32_t common = 0;
    };

    std::optional<PictureArea> PictureUnder(const ControlRect& rect, std::uint32_t fill) const;

    // ---- the removal page ----

    void CheckRemovalPage();

    int NamedOfType(const char* idName, ControlType type) const
    {
        return FindNamedRecordOfType(*catalogue_, idName, type);
    }

    const ThemeFileText& file_;
    const ThemeData theme_;
    const PageKind page_;
    const LintSystem& system_;
    // A whole page's records are too big to want on the stack.
    std::unique_ptr<ControlCatalogue> catalogue_ = std::make_unique<ControlCatalogue>();
    std::map<int, Outcome> outcomes_; // by descriptor line, created controls only
    std::optional<LintPixels> picture_;
    std::set<std::string> checkedFaces_;
    std::vector<LintFinding> findings_;
};

} // namespace theme_lint_detail
