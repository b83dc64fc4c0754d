#pragma once

#include <windows.h>

// Base of every window the programs create. The static window procedure keeps `this` in the
// window's user data from WM_NCCREATE on and hands each message to one member below; the switch
// in Dispatch is the message table, and the only place where wParam/lParam are cast.
// Each base handler gives the message the system's default handling, so a derived class that
// wants the default as well calls the base handler.
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

protected:
    // Creates the window with `this` as creation parameter; the class must use WindowProc.
    // False when the system refused (a handler may refuse the creation, see OnCreate).
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu);

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Return 0 to accept the creation, -1 to refuse it (the window is then destroyed and
    // CreateEx fails).
    virtual int OnCreate(const CREATESTRUCTA& create);
    virtual void OnTimer(UINT_PTR timerId);
    virtual void OnPaint();
    virtual void OnCommand(UINT commandId, UINT notifyCode, HWND control);
    virtual void OnClose();
    virtual void OnDestroy();
    // The last message the window receives; hwnd() is already cleared.
    virtual void OnFinalMessage() {}

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
