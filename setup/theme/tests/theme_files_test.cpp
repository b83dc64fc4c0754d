#include "setup/core/language_file.h"
#include "setup/theme/profile_ini_source.h"
#include "setup/theme/theme_data.h"

#include "common/handles.h"
#include "tests/support/unique_name.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A folder of its own under the temporary folder for each test, removed with its files.
class TempFolder {
public:
    TempFolder()
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + UniqueName("vt_theme_") + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder()
    {
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes the bytes as they stand: the installer writes ANSI (Windows-1252) text.
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string file = path_ + name;
        FileHandle h(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(h.valid()) << file;
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        EXPECT_EQ(written, bytes.size());
        files_.push_back(file);
        return file;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

// "Descripción" and "Désinstaller" as Windows-1252 bytes.
const std::string kDescripcion = "Descripci\xF3n";
const std::string kDesinstaller = "D\xE9sinstaller";

const char* const kTheme =
    "[MainWindow]\r\n"
    "  Caption  =  D\xE9sinstaller [ProductName]   \r\n"
    "BKCOLOR=0,0,255\r\n"
    "fontbold=No\r\n"
    "fontname=Tahoma\r\n"
    "startup=\r\n"
    "minwindow=yes\r\n"
    "closewindow=Yes\r\n"
    "[info]\r\n"
    "Total=3\r\n"
    "0=x,10,20,100,30,BUTTON,{b.bmp},y,7\r\n"
    "1=x,0,0,50,10,TEXT,-,-,8\r\n"
    "2=x,0,0,10,10,PROGRESS,-,-,9\r\n"
    "[DADOS]\r\n"
    "7,t=2\r\n"
    "7,0=IDC_NEXT|IDC_NEXT|0\r\n"
    "7,1=Caption|Descripci\xF3n|0\r\n"
    "8,T=1\r\n"
    "8,0=FileName|{pic.bmp}|0\r\n";

} // namespace

TEST(ThemeFiles, RealThemeFileReadsAsTheFormatSays)
{
    TempFolder folder;
    const std::string path = folder.Write("uninstall.lcd", kTheme);
    const ThemeData theme = LoadThemeData(ProfileIniSource(path), path);

    EXPECT_EQ(theme.folder, folder.path());
    // Names match without regard to case, blanks around a value are dropped, bytes unchanged.
    EXPECT_EQ(theme.window.caption, kDesinstaller + " [ProductName]");
    EXPECT_FALSE(theme.window.bkColor.buttonFace);
    EXPECT_EQ(theme.window.bkColor.blue, 255);
    EXPECT_FALSE(theme.window.fontBold);
    EXPECT_TRUE(theme.window.fontItalic);
    EXPECT_EQ(theme.window.fontName, "Tahoma");
    EXPECT_EQ(theme.window.startup, kStartupCentred);
    EXPECT_FALSE(theme.window.minimizeBox);
    EXPECT_TRUE(theme.window.closeBox);

    ASSERT_EQ(theme.controls.size(), 3u);
    const ControlDescriptor& button = theme.controls[0].descriptor;
    EXPECT_EQ(button.type, ControlType::Button);
    EXPECT_EQ(button.rect.left, 10);
    EXPECT_EQ(button.rect.top, 20);
    EXPECT_EQ(button.rect.right, 110);
    EXPECT_EQ(button.rect.bottom, 50);
    EXPECT_EQ(button.imageFile, folder.path() + "b.bmp");
    ASSERT_EQ(theme.controls[0].properties.size(), 2u);
    EXPECT_EQ(theme.controls[0].properties[0].name, "IDC_NEXT");
    EXPECT_EQ(theme.controls[0].properties[1].value, kDescripcion);
    ASSERT_EQ(theme.controls[1].properties.size(), 1u);
    EXPECT_EQ(theme.controls[1].properties[0].value, folder.path() + "pic.bmp");
    EXPECT_EQ(theme.controls[2].descriptor.type, ControlType::Progress);
}

TEST(ThemeFiles, ReadBuffersCutLongValuesOnPurpose)
{
    TempFolder folder;
    const std::string path = folder.Write(
        "long.lcd", "[MAINWINDOW]\r\ncaption=" + std::string(600, 'c') + "\r\n[INFO]\r\nTOTAL=" +
                        std::string(98, '0') + "25\r\n");
    const ProfileIniSource ini(path);
    EXPECT_EQ(ini.Read("MAINWINDOW", "caption", kThemeValueLength), std::string(554, 'c'));
    EXPECT_EQ(ini.Read("INFO", "TOTAL", kTotalValueLength), std::string(98, '0') + "2");
    EXPECT_EQ(ini.Read("INFO", "missing", kThemeValueLength), "");
    // Cut to 99 characters, "TOTAL" reads 2, not 25.
    EXPECT_EQ(LoadThemeData(ini, path).total, 2);
}

TEST(ThemeFiles, MissingThemeFileGivesDefaults)
{
    TempFolder folder;
    const std::string path = folder.path() + "absent.lcd";
    const ThemeData theme = LoadThemeData(ProfileIniSource(path), path);
    EXPECT_EQ(theme.window.caption, "");
    EXPECT_TRUE(theme.window.bkColor.buttonFace);
    EXPECT_TRUE(theme.window.fontBold);
    EXPECT_EQ(theme.total, 0);
    EXPECT_TRUE(theme.controls.empty());
}

TEST(ThemeFiles, LanguageTextsComeBackAsTheInstallerWroteThem)
{
    TempFolder folder;
    const std::string path = folder.Write(
        "language.lan", "[SetupProgress]\r\n10=" + kDescripcion + " \xBF [ProductName]?\r\n" +
                            "14=" + std::string(300, 'q') + "\r\n" + "[SetupCompleteSuccess]\r\n5 = Fin\r\n");
    EXPECT_EQ(ReadLanguageText(path, "setupprogress", "10"), kDescripcion + " \xBF [ProductName]?");
    EXPECT_EQ(ReadLanguageText(path, "SetupProgress", "14"), std::string(254, 'q'));
    EXPECT_EQ(ReadLanguageText(path, "SetupCompleteSuccess", "5"), "Fin");
    EXPECT_EQ(ReadLanguageText(path, "SetupProgress", "15"), "");
    EXPECT_EQ(ReadLanguageText(folder.path() + "none.lan", "SetupProgress", "10"), "");
}

TEST(ThemeFiles, FileNameWithNonAsciiLettersIsFoundThroughTheAnsiCalls)
{
    TempFolder folder;
    // "thème.lcd" in Windows-1252: the name reaches the A functions as the installer wrote it.
    const std::string path = folder.Write("th\xE8me.lcd", "[MAINWINDOW]\r\ncaption=" + kDescripcion + "\r\n");
    EXPECT_EQ(ProfileIniSource(path).Read("MAINWINDOW", "caption", kThemeValueLength), kDescripcion);
    EXPECT_NE(GetFileAttributesA((folder.path() + "th\xE8me.lcd").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The page loader reads a section at a time: every answer must be the single read's.
TEST(ThemeFiles, SectionReadsAnswerAsSingleReads)
{
    TempFolder folder;
    const std::string path = folder.Write(
        "tricky.lcd", "; comment\r\n[MainWindow]\r\n  Caption  =  Uninstall [ProductName]  \r\nwidth=1\r\nWIDTH=2\r\n"
                      "quoted=\"a b\"\r\nsingle='x'\r\nhalf=\"open\r\nlone=\"\r\nempty=\r\nnoequals\r\n; c=3\r\n"
                      "long=" + std::string(600, 'l') + "\r\nansi=D\xE9j\xE0\r\n[info]\r\nTOTAL=3\r\n[MAINWINDOW]\r\nlate=9\r\n");
    const ProfileIniSource single(path);
    const SectionIniSource sections(path);
    const SectionIniSource absent(folder.path() + "absent.lcd");
    for (const char* key : {"caption", "CAPTION", "width", "quoted", "single", "half", "lone", "empty", "noequals",
                            "; c", "c", "long", "ansi", "late", "missing"}) {
        for (std::size_t length : {kThemeValueLength, kTotalValueLength, std::size_t{3}}) {
            EXPECT_EQ(sections.Read("MAINWINDOW", key, length), single.Read("MAINWINDOW", key, length))
                << key << " " << length;
        }
        EXPECT_EQ(absent.Read("MAINWINDOW", key, kThemeValueLength), "") << key;
    }
    EXPECT_EQ(sections.Read("INFO", "total", kTotalValueLength), "3");
    EXPECT_EQ(sections.Read("DADOS", "0,0", kThemeValueLength), "");
}
