#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <array>
#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/dialog.h"
#include "common/gdi.h"
#include "setup/skin/controls/edit_box.h"
#include "setup/skin/controls/my_button.h"
#include "setup/skin/controls/my_combo_item.h"
#include "setup/skin/controls/my_edge.h"
#include "setup/skin/controls/my_progress.h"
#include "setup/skin/controls/my_radio_button.h"
#include "setup/skin/controls/my_rich_text.h"
#include "setup/skin/controls/my_static.h"
#include "setup/skin/controls/my_tree_view.h"
#include "setup/skin/controls/new_label.h"
#include "setup/theme/main_window_settings.h"
#include "setup/theme/control_catalogue.h"
#include "setup/theme/slot_table.h"

struct ThemeData;
class CImageWindow;

// Who a themed window reports to: the main frame in setup, the previewer, a test.
class PageHost {
public:
    // The user closed the window (close box, Alt+F4, Escape). True when the run has ended and
    // the window may go; false when the end must wait (the removal still runs), and the window
    // then stays as it is.
    virtual bool RequestEndRun() = 0;

    // A control of the page asked for navigation or finishing; its id name and click action
    // decide what happens. True when another page was opened, so that the asking page may be
    // put away; false leaves it on screen. A host without pages (the previewer) ignores them.
    virtual bool OnPageCommand(int controlId, int record, int action, const std::string& idName,
                               CImageWindow& window, const std::string& pageFile);

protected:
    ~PageHost() = default;
};

// The skinned window: a modeless dialog from template 131 whose look and controls come from a
// theme file. Each load replaces the page: the controls of the previous theme are destroyed,
// the control objects stay in their pools for the next page, forgetting what the old one set.
//
// The progress and status calls may come from another thread (the removal worker's): they reach
// the controls only through sent messages and repaint requests, and read only the progress and
// status slots, which are fixed before the removal starts.
class CImageWindow : public Dialog {
public:
    explicit CImageWindow(PageHost& host);
    ~CImageWindow() override;

    // Creates the window from its template, hidden.
    bool Create(HWND parent);

    // The whole load sequence: reset, window settings, font, controls, properties, redraw,
    // placement, and the progress page's preparation for "uninstall.lcd".
    void LoadTheme(const std::string& themeFolder, const std::string& fileName, int pageIndex,
                   int pageCount);

    // Moves and sizes the window by "startup", "width" and "height".
    void Place();

    // The window's background: colour text ("COLOR_BTNFACE" or r,g,b) and picture file.
    void SetBackgroundColour(const std::string& colourText);
    void SetBackgroundPicture(const std::string& path);

    // The page's progress bar (the progress slot), by sent messages; nothing without one. A
    // position that would not change the bar's filled width is not sent.
    void SetProgressRange(int total);
    void SetProgressPosition(int position);
    // Status line 0 (the removal's status report).
    void SetStatusText(const std::string& text) { SetStatusText(text, 0); }
    // A status line (0 "IDC_INFO", 1 "IDC_STATIC1") of the progress page, text variables applied.
    void SetStatusText(const std::string& text, int line);

    // The progress page: Next and Back disabled, the bar measured, the status timer started.
    void PrepareProgressPage();
    // The end of a removal: the cancel button becomes the close button, the finish text shows.
    // `restartNote`, when given, follows the finish text on a line of its own.
    void ShowFinishPage(const std::string& restartNote = std::string());

    // Page commands of the page's controls.
    void OnControlClicked(int controlId);
    void BrowseInstallFolder();
    void SetLicenceChoice(int accepted);
    void SetAudienceChoice(int onlyMe);

    // The control catalogue.
    void ResetControls();
    // Creates the control one descriptor describes (nothing for an unknown type or when the
    // page is full) and returns its data number.
    int CreateControl(const ControlDescriptor& descriptor);
    int FindControlId(const std::string& idName) const { return catalogue_.FindControlId(idName); }
    int FindRecordIndex(int controlId) const { return catalogue_.FindRecordIndex(controlId); }
    int FindPoolSlot(int controlId) const { return catalogue_.FindPoolSlot(controlId); }

    // Properties of the page's controls, applied once the last control of a page exists.
    void ApplyPageProperties();

    // What the page holds, for the previewer and tests.
    const ControlCatalogue& Catalogue() const { return catalogue_; }
    const std::string& ThemePath() const { return themePath_; }
    const std::string& FileName() const { return fileName_; }
    const MainWindowSettings& Settings() const { return settings_; }
    bool HasPicture() const { return pictureFlag_ == 255; }
    SIZE PictureSize() const { return pictureSize_; }
    COLORREF BackgroundColour() const { return backgroundColour_; }
    const std::string& BackColourText() const { return backColourText_; }
    int ProgressSlot() const { return progressSlot_; }
    int StatusId(int line) const { return statusId_[line & 1]; }
    int PageIndex() const { return pageIndex_; }
    int PageCount() const { return pageCount_; }
    // The child window of a record, and the pool objects by kind.
    HWND ControlWindow(int record) const;
    CNewLabel& Label(ControlPool pool, int slot);
    CMyButton& Button(ControlPool pool, int slot);
    CMyStatic& Image(ControlPool pool, int slot);
    CMyRadioButton& Radio(ControlPool pool, int slot);

protected:
    BOOL OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnPaint() override;
    // High contrast turned on or off, or the system's colours changed: everything is drawn again.
    void OnSystemChange(UINT message) override;
    void OnShowWindow(bool shown) override;
    LRESULT OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(UINT type, HDC dc, HWND control) override;
    void OnClose() override;
    void OnCommand(UINT commandId, UINT notifyCode, HWND control) override;

private:
    void LoadThemeFile(const std::string& path);

    // Keyboard and assistive technology (image_window_access.cpp): tab stops and roles for the
    // controls that act on a click, names for pictures and the progress bar, the focus.
    void PrepareAccessibility();
    // The page's enabled, visible tab stops in reading order.
    std::vector<HWND> TabStops() const;
    // Tab and Shift+Tab: the next or previous tab stop in reading order takes the focus.
    void MoveFocus(bool backwards);
    // The control the page starts with: its default button when that can take the focus, else
    // its first tab stop; none when it has none.
    HWND StartFocusControl() const;
    void ApplyStartFocus();
    void FocusControl(HWND control);
    // Space on a focused control that acts on a click (a label or picture): the click. False
    // when the focus is on no such control.
    bool ClickFocusedControl();
    // The control objects of a record, when it is of their kind.
    CNewLabel* LabelOfRecord(const ControlRecord& record);
    CMyStatic* PictureOfRecord(const ControlRecord& record);
    void ApplyWindowSettings(const ThemeData& theme);
    void ApplyWindowSetting(int slot, const std::string& value);
    void ApplyWindowFont();
    void CreateControls(const ThemeData& theme);
    // The page's progress bar and status lines, by the one rule of progress_controls.h; chosen
    // once per page, after its controls have their names.
    void ChooseProgressControls();
    void ChangeStyle(DWORD remove, DWORD add);
    void ChangeExStyle(HWND window, DWORD remove, DWORD add);

    // One creator per type keyword; each makes the record and the child window.
    void CreateButton(const ControlRect& rect);
    void CreateBitmap(const ControlRect& rect, const std::string& imageFile);
    void CreateHover(const ControlRect& rect, const std::string& imageFile);
    void CreateText(const ControlRect& rect);
    void CreateRectangle(const ControlRect& rect);
    void CreateTextBox(const ControlRect& rect);
    void CreateComboBox(const ControlRect& rect);
    void CreateRadio(const ControlRect& rect);
    void CreateCheckBox(const ControlRect& rect);
    void CreateHotSpot(const ControlRect& rect);
    void CreateAnimation(const ControlRect& rect);
    void CreateProgress(const ControlRect& rect);
    void CreateListView(const ControlRect& rect);
    void CreateGroupBox(const ControlRect& rect);
    void CreateFrame(const ControlRect& rect);
    void CreateTreeView(const ControlRect& rect);
    void CreateRichText(const ControlRect& rect);
    void CreateIcon(const ControlRect& rect);
    // The common steps: size rule, caption, record, child window, counters. Returns the pool
    // slot of the new control, or -1 when it could not be made.
    int CreateCommon(ControlType type, ControlRect rect, const std::string& imageFile, DWORD style,
                     DWORD exStyle);
    void CreateImageControl(ControlType type, const ControlRect& rect, const std::string& imageFile);
    Window& PoolObject(ControlPool pool, int slot);
    // Fills the pool table from the typed pools; once, by the constructor.
    void BuildPoolTable();
    // Gives a control the window font as its holder has it now. The handle is never kept here:
    // another page that sets the window font deletes the one this page was given.
    void SendWindowFont(HWND control);

    // What a control property is applied to: one record of the page, of a known type. (The
    // window's own settings go through ApplyWindowSetting.)
    struct PropertyTarget {
        ControlRecord& record;
        ControlType type;
    };
    // Property application by type.
    void ApplyButtonProperties(const PropertyTarget& target);
    void ApplyTextProperties(const PropertyTarget& target);
    void ApplyTextBoxProperties(const PropertyTarget& target);
    // Stores the value in the slot and carries out what the name does to the target's type; a
    // name the type does not know is only stored. The auxiliary text changes nothing here.
    void ApplyControlProperty(const PropertyTarget& target, const std::string& name,
                              const std::string& value, const std::string& auxiliary, int slot);
    void ApplyColourProperty(const PropertyTarget& target, PropertyEffect effect,
                             const std::string& value, int slot);
    // A colour for the target's control: which 0 its text colour, 1 its back colour.
    void SetControlColor(const PropertyTarget& target, const std::string& value, int which);
    // The window's back colour text and brush ("" is the button face).
    void SetWindowBackColour(const std::string& value);
    void RepaintAll();
    // Marks or clears a named check or option button; nothing when the page has none.
    void CheckNamedButton(const char* idName, bool marked);
    void EnableNamedControl(const char* idName, bool enabled);

    PageHost& host_;

    std::string fileName_;
    std::string themePath_;
    int pageIndex_ = 0;
    int pageCount_ = 0;
    MainWindowSettings settings_;

    std::string backColourText_ = "COLOR_BTNFACE";
    COLORREF backgroundColour_ = 0;
    Brush backgroundBrush_;

    ComPtr<IPicture> picture_;
    Bitmap pictureDib_;                // a BMP file's picture
    HBITMAP pictureBitmap_ = nullptr; // owned by picture_ or pictureDib_
    SIZE pictureSize_{0, 0};
    int pictureFlag_ = 0;

    ControlCatalogue catalogue_;
    // The progress bar's pool slot, and the status lines' ids and label slots (-1: the page has
    // none), chosen when the page loads.
    int progressSlot_ = -1;
    // The bar's client width (read when the page is prepared), its upper bound and the filled
    // width last sent: positions that would not change the fill are not sent.
    int progressWidth_ = 0;
    int progressUpper_ = 0;
    int progressFill_ = -1;
    int statusId_[2] = {-1, -1};
    int statusSlot_[2] = {-1, -1};
    // The page's start focus is given once the page is on screen (a hidden window cannot take
    // it, and showing a dialog moves the focus to its first control).
    bool startFocusPending_ = false;

    // The pools, built with the window and reused from page to page.
    std::array<CMyButton, kPoolSize> buttons_;
    std::array<CMyStatic, kPoolSize> images_;
    std::array<CNewLabel, kPoolSize> texts_;
    std::array<CNewLabel, kPoolSize> rectangles_;
    std::array<CEditBox, kPoolSize> edits_;
    std::array<CMyComboItem, kPoolSize> combos_;
    std::array<CMyRadioButton, kPoolSize> radios_;
    std::array<CMyRadioButton, kPoolSize> checkBoxes_;
    std::array<CNewLabel, kPoolSize> hotSpots_;
    std::array<CNewLabel, kPoolSize> animations_;
    std::array<CMyProgress, kPoolSize> progressBars_;
    std::array<CNewLabel, kPoolSize> lists_;
    std::array<CMyButton, kPoolSize> groupBoxes_;
    std::array<CMyEdge, kPoolSize> frames_;
    std::array<CMyTreeView, kPoolSize> trees_;
    std::array<CMyRichText, kPoolSize> richTexts_;
    std::array<CMyStatic, kPoolSize> icons_;

    // One entry per pool, by ControlPool: its objects, and how one of them makes its window.
    using PoolCreate = bool (*)(Window& control, const char* caption, DWORD style, DWORD exStyle,
                                const RECT& rect, HWND parent, int id);
    struct PoolEntry {
        std::array<Window*, kPoolSize> objects{};
        PoolCreate create = nullptr;
    };
    std::array<PoolEntry, kPoolCount> pools_;
};

// Template and timer of the themed window.
constexpr UINT kImageWindowTemplate = 131;
constexpr UINT_PTR kImageWindowTimer = 1;
// The name of the removal page, which gets the progress preparation.
constexpr const char* kRemovalPageName = "uninstall.lcd";
