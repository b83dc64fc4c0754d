#pragma once

#include <string>
#include <utility>

class Window;

// The application object of a window program: one per process. Run calls the start-up hook and,
// when that succeeds, the message loop.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application();

    // The one application object of this process, or none.
    static Application* Current();

    // The start-up hook, then the message loop. 0 when start-up fails, otherwise the exit code
    // that the quit message carries.
    int Run();

    // The window whose destruction ends the program; set before its window exists so that its
    // creation handlers already find it here.
    Window* MainWindow() const { return mainWindow_; }
    void SetMainWindow(Window* window) { mainWindow_ = window; }

    // Caption of the program's message boxes.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

protected:
    // False ends the program at once.
    virtual bool InitInstance() = 0;

private:
    Window* mainWindow_ = nullptr;
    std::string title_;
};

// The caption of this process's message boxes: the application object's title, empty when the
// process has none (a test program driving windows of its own).
std::string CurrentApplicationTitle();

// Gets and dispatches the calling thread's messages until the quit message and returns the exit
// code it carries. A failing GetMessage (-1) ends the loop with 0 instead of spinning on it.
int RunMessageLoop();
