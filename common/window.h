#pragma once

#include <windows.h>

// Base of every window the programs create, own classes, dialogs and attached standard controls
// alike. The window keeps `this` in its user data; each message goes to one member below; the
// switch in Dispatch is the message table, and the only place where wParam/lParam are cast.
// Each base handler gives the message the window's default handling (DefaultProc), so a derived
// class that wants the default as well calls the base handler.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys the window if it still exists.
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }
    // Destroys the window now, while the derived object still handles its messages.
    void Destroy();

    // Attaches this object to an existing window of another class (a standard control): its
    // messages come here first and go on to the class's own procedure by default. Undone by
    // itself when the window is destroyed, so the object can be attached again later.
    bool Attach(HWND window);

    // Creates a child window of a standard class (button, static, edit ...) and attaches this
    // object to it. `text` may be null: the control is then made without a caption.
    bool CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle,
                     const RECT& rect, HWND parent, int id);

    // The object attached to a window by this framework, or none.
    static Window* FromHandle(HWND window);

protected:
    // Creates the window with `this` as creation parameter; the class must use WindowProc.
    // False when the system refused (a handler may refuse the creation, see OnCreate).
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // What a message gets when no handler takes it: the class procedure of an attached control,
    // otherwise the system's default window procedure. Dialogs override it.
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Return 0 to accept the creation, -1 to refuse it (the window is then destroyed and
    // CreateEx fails).
    virtual int OnCreate(const CREATESTRUCTA& create);
    virtual void OnTimer(UINT_PTR timerId);
    virtual void OnPaint();
    virtual void OnCommand(UINT commandId, UINT notifyCode, HWND control);
    virtual void OnClose();
    virtual void OnDestroy();
    // WM_CTLCOLOR* (type is the message): the brush that paints `control`'s background.
    // By default the request goes back to the control that asked (OnReflectedCtlColor).
    virtual HBRUSH OnCtlColor(UINT type, HDC dc, HWND control);
    // A colour request reflected back by the parent: nullptr leaves it to the parent's default.
    virtual HBRUSH OnReflectedCtlColor(UINT type, HDC dc);
    // An owner-drawn item reflected back by the parent: true when drawn.
    virtual bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item);
    // WM_SETFOCUS (gained) and WM_KILLFOCUS.
    virtual void OnFocusChange(bool gained);
    // WM_GETOBJECT: what an accessibility client gets for `objectId` (OBJID_CLIENT ...).
    virtual LRESULT OnGetObject(WPARAM flags, LPARAM objectId);
    // WM_SYSCOLORCHANGE and WM_SETTINGCHANGE (`message`): the system's colours or settings
    // changed, high contrast among them.
    virtual void OnSystemChange(UINT message);
    // WM_SHOWWINDOW.
    virtual void OnShowWindow(bool shown);
    // A message of this program's own range (WM_APP and above), sent or posted to itself.
    virtual LRESULT OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The last message the window receives; hwnd() is already cleared.
    virtual void OnFinalMessage() {}

    // The message table; dialogs reach it through their dialog procedure.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds the object to its window (user data and hwnd()) and undoes it.
    void Bind(HWND window);
    void Unbind();

private:
    static LRESULT CALLBACK AttachedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC classProc_ = nullptr; // the procedure an attached control had before
    // The parameters of the message under way, so that a default handling gets them whole (a
    // WM_PAINT may carry the context to paint into).
    WPARAM messageWParam_ = 0;
    LPARAM messageLParam_ = 0;
};

// Reflected messages arrive at the child as the parent's message plus this offset, so a control
// can tell a request about itself from its own messages.
constexpr UINT kReflectedMessageBase = WM_USER + 0x1C00;
