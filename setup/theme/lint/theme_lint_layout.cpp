// The theme check's layout and readability: controls outside the client area, overlaps, texts
// that do not fit as drawn, label fills over a picture of another colour, and contrast.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "setup/core/removal_status_text.h"
#include "setup/core/lenient_number.h"
#include "setup/theme/page_rules.h"
#include "setup/theme/lint/theme_lint_checker.h"

namespace {

// A theme's numbers are whatever it says: sizes are taken wide and brought back into range.
int Width(const ControlRect& r)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(r.right) - r.left, 0, INT_MAX));
}

int Height(const ControlRect& r)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(r.bottom) - r.top, 0, INT_MAX));
}

bool Intersect(const ControlRect& a, const ControlRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string RectText(const ControlRect& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Colours this close count as the same: a picture saved with a little loss stays "flat".
constexpr int kSameColour = 16;

int ChannelDistance(std::uint32_t a, std::uint32_t b)
{
    int most = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        most = std::max(most, d < 0 ? -d : d);
    }
    return most;
}

} // namespace

namespace theme_lint_detail {

LintFont Linter::LabelFont(const ControlRecord& r) const
{
    const auto v = [&r](int slot) { return r.propertyValues[static_cast<std::size_t>(slot)]; };
    LintFont font;
    font.face = v(5);
    font.points = ReadLenientNumber(v(6));
    font.bold = IsFlagOn(v(7));
    font.italic = IsFlagOn(v(8));
    font.underline = v(9) == "Yes";
    return font;
}

LintFont Linter::ButtonFont(const ControlRecord& r) const
{
    const auto v = [&r](int slot) { return r.propertyValues[static_cast<std::size_t>(slot)]; };
    LintFont font;
    font.face = v(3);
    font.points = ReadLenientNumber(v(4));
    font.bold = IsFlagOn(v(5));
    font.italic = IsFlagOn(v(6));
    return font;
}

// Everything a label or button will show during a removal, its own caption first.
std::vector<ShownText> Linter::TextsOf(const ControlRecord& r) const
{
    std::vector<ShownText> texts;
    const std::string& caption = r.propertyValues[1];
    if (r.type == ControlType::Text && !caption.empty())
        texts.push_back({ApplyAngleTextVariables(caption, system_.productName, system_.productCode), "its caption"});
    if (r.type == ControlType::Button && !caption.empty())
        texts.push_back({Full(caption), "its caption"});
    if (page_ != PageKind::Removal)
        return texts;
    const auto language = [this](const char* section, const char* key) {
        return system_.language ? system_.language(section, key) : std::string();
    };
    const ProgressControls reported = FindProgressControls(*catalogue_);
    const auto isStatusLine = [&](int line) {
        const int record = reported.statusLines[static_cast<std::size_t>(line)];
        return record >= 0 && catalogue_->Record(record).controlId == r.controlId;
    };
    if (isStatusLine(0)) {
        texts.push_back({Full(kRemovingFilesText), Quoted(kRemovingFilesText)});
        const std::string last = language("SetupProgress", "10");
        if (!last.empty())
            texts.push_back({Full(last), "the final status (language [SetupProgress] 10)"});
    }
    if (isStatusLine(1)) {
        const std::string finish = language("SetupCompleteSuccess", "5");
        if (!finish.empty())
            texts.push_back({Full(finish), "the finish text (language [SetupCompleteSuccess] 5)"});
    }
    if (r.type == ControlType::Button && r.idName == "IDCANCEL" && catalogue_->FindControlId("IDCANCEL") == r.controlId) {
        const std::string close = language("SetupCompleteSuccess", "1");
        if (!close.empty())
            texts.push_back({Full(close), "the finish caption (language [SetupCompleteSuccess] 1)"});
    }
    return texts;
}

void Linter::CheckLayout()
{
    const MainWindowSettings& w = theme_.window;
    std::optional<ClientSize> client;
    if (system_.clientSize && w.width > 0 && w.height > 0)
        client = system_.clientSize(w);
    if (system_.backgroundPixels && !w.bkImage.empty())
        picture_ = system_.backgroundPixels(w);

    std::vector<const ThemeControl*> placed;
    for (const ThemeControl& control : theme_.controls) {
        const auto it = outcomes_.find(control.line);
        if (it == outcomes_.end())
            continue;
        const ControlRecord& record = catalogue_->Record(it->second.record);
        const ControlRect& rect = it->second.rect;
        const std::string place = Place(control);
        const int line = InfoLine(control.line);
        if (client && (rect.left < 0 || rect.top < 0 || rect.right > client->width || rect.bottom > client->height)) {
            const bool none = rect.left >= client->width || rect.top >= client->height || rect.right <= 0 ||
                              rect.bottom <= 0;
            Add(line, "outside",
                place + ": its rectangle " + RectText(rect) + (none ? " lies outside" : " reaches past") +
                    " the window's client area (0,0)-(" + std::to_string(client->width) + "," +
                    std::to_string(client->height) +
                    "), which is the window's width and height less its title bar and borders, so " +
                    (none ? "it is not seen" : "part of it is cut off") +
                    ". Move it inside, or make the window larger.");
        }
        for (const ThemeControl* other : placed) {
            const Outcome& o = outcomes_.at(other->line);
            if (!Intersect(o.rect, rect))
                continue;
            const bool labels = record.type == ControlType::Text && catalogue_->Record(o.record).type == ControlType::Text;
            if (labels)
                Add(line, "overlap",
                    place + ": overlaps the label of " + Place(*other) +
                        "; a label fills its whole rectangle, so one covers the other's text. Move one of them.");
            else if (it->second.clickable && o.clickable)
                Add(line, "overlap",
                    place + ": overlaps " + Place(*other) +
                        ", which is clicked in the same place; only one of them gets the click. Move one of them.");
        }
        placed.push_back(&control);
        if (record.type == ControlType::Text)
            CheckLabel(control, record, rect, place, line);
        if (record.type == ControlType::Button)
            CheckButtonCaption(record, rect, place, line);
    }
}

void Linter::CheckButtonCaption(const ControlRecord& record, const ControlRect& rect, const std::string& place, int line)
{
    if (!system_.measure)
        return;
    const LintFont font = ButtonFont(record);
    for (const ShownText& shown : TextsOf(record)) {
        const TextSize size = system_.measure(shown.text, font, 0);
        // A push button draws its caption inside a 3-pixel edge on each side.
        if (size.width + 6 > Width(rect) || size.height + 4 > Height(rect))
            Add(line, "fit",
                place + ": " + shown.source + " " + Quoted(shown.text) + " needs " + std::to_string(size.width) +
                    " x " + std::to_string(size.height) + " pixels in its font, more than the button's " +
                    std::to_string(Width(rect)) + " x " + std::to_string(Height(rect)) + " less its edge. Widen the button or shorten the text.");
    }
}

void Linter::CheckLabel(const ThemeControl& control, const ControlRecord& record, const ControlRect& rect,
                const std::string& place, int line)
{
    const std::vector<ShownText> texts = TextsOf(record);
    const LintFont font = LabelFont(record);
    const int width = Width(rect);
    const int height = Height(rect);
    const TextAlign align = ReadTextAlign(record.propertyValues[2]);
    if (system_.measure) {
        for (const ShownText& shown : texts) {
            const TextSize size = system_.measure(shown.text, font, align == TextAlign::Unchanged ? 0 : width);
            if (size.width > width || size.height > height)
                Add(line, "fit",
                    place + ": " + shown.source + " " + Quoted(shown.text) + " needs " +
                        std::to_string(size.width) + " x " + std::to_string(size.height) +
                        " pixels as drawn in its font, more than the label's " + std::to_string(width) + " x " +
                        std::to_string(height) + ", so it is cut off. Make the label " +
                        (size.height > height ? "taller" : "wider") + ", the font smaller or the text shorter.");
        }
    }

    // What is behind the text: the label's own fill, else the picture, else the window.
    const std::string backText = record.propertyValues[4].empty() ? kButtonFaceColour : record.propertyValues[4];
    const bool fills = backText != ColourText(system_.buttonFace);
    const std::uint32_t back = ColourOf(backText, system_.buttonFace);
    const std::optional<PictureArea> under = PictureUnder(rect, back);
    if (fills && under && under->differing * 100 > under->count) {
        Add(line, "label-on-picture",
            place + ": the label fills its rectangle with " + ColourText(back) +
                (record.propertyValues[4].empty() ? " (an empty BackColor is the button face)" : "") +
                ", but the picture under it is not that colour (" + std::to_string(under->differing * 100 / under->count) +
                "% of it differs; mostly " + ColourText(under->common) +
                "), so a box covers the picture. Set BackColor (DADOS " + SlotKey(control, 4) + ") to " +
                ColourText(under->common) + " or move the label onto a flat area of that colour.");
    }
    if (texts.empty())
        return;
    std::uint32_t behind = back;
    std::string behindWhat = "its BackColor";
    if (!fills) {
        if (under) {
            behind = under->average;
            behindWhat = "the picture under it";
        } else {
            behind = ColourOf(theme_.window.bkColorText, system_.buttonFace);
            behindWhat = "the window's bkcolor";
        }
    }
    const std::string textColour = record.propertyValues[9] == "Yes" ? "0,0,255" : record.propertyValues[3];
    const std::uint32_t fore = ColourOf(textColour, system_.buttonFace);
    const bool large = font.points >= 18 || (font.points >= 14 && font.bold);
    const double needed = large ? 3.0 : 4.5;
    const double ratio = ContrastRatio(fore, behind);
    if (ratio < needed) {
        char figure[16];
        std::snprintf(figure, sizeof figure, "%.2f", ratio);
        Add(line, "contrast",
            place + ": its text colour " + ColourText(fore) +
                (textColour.empty() ? " (an empty Text Color is the button face)" : "") + " on " + behindWhat +
                " " + ColourText(behind) + " has a contrast ratio of " + figure + ":1, below the " +
                (large ? "3:1 that large text needs" : "4.5:1 that text needs") +
                ". Darken the text or lighten what is behind it.");
    }
}

std::optional<Linter::PictureArea> Linter::PictureUnder(const ControlRect& rect, std::uint32_t fill) const
{
    if (!picture_ || picture_->width <= 0 || picture_->height <= 0)
        return std::nullopt;
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, picture_->width);
    const int bottom = std::min(rect.bottom, picture_->height);
    if (left >= right || top >= bottom)
        return std::nullopt;
    PictureArea area;
    std::map<std::uint32_t, long> counts;
    unsigned long long sums[3] = {0, 0, 0};
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t p = picture_->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture_->width) +
                                                     static_cast<std::size_t>(x)];
            ++counts[p];
            if (ChannelDistance(p, fill) > kSameColour)
                ++area.differing;
            sums[0] += (p >> 16) & 0xFF;
            sums[1] += (p >> 8) & 0xFF;
            sums[2] += p & 0xFF;
            ++area.count;
        }
    }
    const auto n = static_cast<unsigned long long>(area.count);
    area.average = static_cast<std::uint32_t>(((sums[0] / n) << 16) | ((sums[1] / n) << 8) | (sums[2] / n));
    area.common = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                      return a.second < b.second;
                  })->first;
    return area;
}

} // namespace theme_lint_detail
