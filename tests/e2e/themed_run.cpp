#include "tests/e2e/themed_run.h"

#include "common/process_windows.h"

namespace {

std::string BesideTheTests(const std::string& name)
{
    std::string path = SetupExePath();
    path.resize(path.find_last_of('\\') + 1);
    return path + "sample\\" + name;
}

// The removal page holds the sample's first control; a box the run shows does not.
bool IsSamplePage(HWND window)
{
    return GetDlgItem(window, 3000) != nullptr;
}

} // namespace

bool StageSampleTheme(const StagedProduct& product)
{
    std::string theme = ReadTextFile(BesideTheTests("uninstall.lcd"));
    const std::string picture = ReadTextFile(BesideTheTests("uninstall.bmp"));
    const std::string language = ReadTextFile(BesideTheTests("language.lan"));
    const std::size_t key = theme.find("bkimage=");
    if (theme.empty() || picture.empty() || language.empty() || key == std::string::npos)
        return false;
    const std::size_t end = theme.find_first_of("\r\n", key);
    const std::string picturePath = product.InstallFolder() + "uninstall.bmp";
    theme.replace(key, end - key, "bkimage=" + picturePath);
    CreateDirectoryA((product.InstallerFolder() + "theme").c_str(), nullptr);
    return WriteTextFile(picturePath, picture) && product.WriteLanguage(language) &&
           WriteTextFile(product.InstallerFolder() + "theme\\uninstall.lcd", theme);
}

std::string ManyFilesLog(const StagedProduct& product, int count)
{
    constexpr int kPerFolder = 500;
    // The picture is an installed file too: it counts and goes first.
    std::string log = "TOTALFILE=" + std::to_string(count + 1) + "\nFILE=" + product.InstallFolder() +
                      "uninstall.bmp\n";
    std::string folders;
    for (int i = 0; i < count; ++i) {
        const std::string folder = product.InstallFolder() + "part" + std::to_string(i / kPerFolder);
        if (i % kPerFolder == 0) {
            CreateDirectoryA(folder.c_str(), nullptr);
            folders += "DIR=" + folder + "\n";
        }
        const std::string file = folder + "\\file" + std::to_string(i) + ".dat";
        WriteTextFile(file, "x");
        log += "FILE=" + file + "\n";
    }
    std::string install = product.InstallFolder();
    install.pop_back();
    return log + folders + "DIR=" + install + "\n";
}

HWND WaitForThemedWindow(const SetupProcess& run, DWORD milliseconds)
{
    HWND page = nullptr;
    WaitUntil(
        [&] {
            if (run.HasExited())
                return true;
            page = FirstVisibleWindowOf(run.Id(), IsSamplePage);
            return page != nullptr;
        },
        milliseconds);
    return page;
}
