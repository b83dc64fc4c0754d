#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "common/com_ptr.h"
#include "common/window.h"

// The image control of a themed page (BITMAP, HOVER, ICON): one of the program's built-in icons
// on a background colour, or a picture file at its natural size from the top-left corner.
class CMyStatic : public Window {
public:
    CMyStatic();

    // Creates a "STATIC" window; `caption` may be null. WS_CHILD and WS_VISIBLE are added.
    bool Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                int id);

    // A colour text ("COLOR_BTNFACE" or "r,g,b") becomes the background colour.
    void SetBackColor(const std::string& colour);
    // Icon mode with built-in icon 0..7 (resources 141, 132, 135, 133, 134, 138, 137, 136); any
    // other number keeps the icon the control had, still in icon mode.
    void SetStockIcon(int number);
    // Loads a picture file (BMP, JPEG, GIF, icon, metafile). A missing file is said in a message
    // box; one the system cannot decode leaves the control as it was. Works before the control's
    // window exists (the page sizes an image control by its picture).
    void LoadPicture(const std::string& path);
    // Forgets the picture: an image control of a new page shows no image of an earlier one.
    void ClearPicture();
    // The "File not found" box is shown unless a program that reports missing files its own
    // way (the theme previewer) turns it off for the process.
    static void ShowMissingFileMessages(bool shown);

    COLORREF BackColour() const { return colour_; }
    int IconFlag() const { return iconFlag_; }
    HICON Icon() const { return icon_; }
    int PictureFlag() const { return pictureFlag_; }
    IPicture* Picture() const { return picture_.get(); }
    int PictureWidth() const { return pictureWidth_; }
    int PictureHeight() const { return pictureHeight_; }
    long PictureHimetricWidth() const { return himetricWidth_; }
    long PictureHimetricHeight() const { return himetricHeight_; }

    // What assistive technology is told: the caption the theme gives the picture (none: no
    // name, the picture is decoration) and, for one that acts on a click, the push-button role.
    void SetAccessibleName(const std::string& name) { accessibleName_ = name; }
    void SetAccessibleRole(long role) { accessibleRole_ = role; }
    const std::string& AccessibleName() const { return accessibleName_; }

protected:
    // Replaces the static control's own painting: icon, else picture, else nothing.
    void OnPaint() override;
    void OnFocusChange(bool gained) override;
    LRESULT OnGetObject(WPARAM flags, LPARAM objectId) override;
    // The window is gone with its page: the object waits in its pool for a later page and must
    // show nothing of this one there (an icon flag left on would paint the icon over a picture).
    void OnFinalMessage() override;

private:
    void PaintIcon(HDC dc, const RECT& client) const;
    void PaintPicture(HDC dc, const RECT& client) const;

    // The background colour the control paints with: the system's window colour in high
    // contrast, else the theme's.
    COLORREF PaintColour() const;

    COLORREF colour_;
    std::string accessibleName_;
    long accessibleRole_ = 0;
    // Icons from the program's resources are shared by the system and never destroyed.
    HICON icon_ = nullptr;
    int iconFlag_ = 0;
    static bool missingFileMessages_;
    ComPtr<IPicture> picture_;
    int pictureFlag_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    long himetricWidth_ = 0;
    long himetricHeight_ = 0;
};
