// The folder chooser under Wine: its checks against a scratch folder, and the dialog on the
// screen worked from a second thread as a user would, each box it shows read and answered.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "common/handles.h"
#include "setup/skin/folder_chooser/path_dialog.h"
#include "setup/skin/folder_chooser/path_dialog_layout.h"
#include "tests/support/remove_tree.h"
#include "tests/support/setup_process.h"
#include "tests/support/unique_name.h"

namespace {

constexpr char kCaption[] = "Chooser under test";
constexpr char kInvalid[] = "is invalid. Please reenter.", kCannot[] = "can not be created. Please double check.";
constexpr char kQuestion[] = "does not exist. Do you want the folder to be created?";

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What `find` finds within 10 seconds, or null.
HWND WaitFor(const std::function<HWND()>& find)
{
    for (const ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end; Sleep(20))
        if (HWND found = find())
            return found;
    return nullptr;
}

// The thread's visible dialog with this owner: a box of the chooser, or (no owner) the chooser.
HWND VisibleDialog(DWORD thread, HWND owner)
{
    std::pair<HWND, HWND> search{owner, nullptr};
    EnumThreadWindows(thread, [](HWND window, LPARAM param) -> BOOL {
        auto& [owner, found] = *reinterpret_cast<std::pair<HWND, HWND>*>(param);
        if (IsWindowVisible(window) && ClassName(window) == "#32770" && GetWindow(window, GW_OWNER) == owner)
            found = window;
        return found == nullptr;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

class FolderChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        temp_.assign(temp, GetTempPathA(MAX_PATH, temp));
        root_ = temp_ + UniqueName("chooser");
        work_ = root_ + "\\Work";
        file_ = root_ + "\\file.txt";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
        ASSERT_TRUE(FileHandle(CreateFileA(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(temp_.c_str());
        RemoveTree(root_);
    }

    // Runs the chooser here while `user` works it from another thread; whatever is left open
    // then is answered No or OK and cancelled, so DoModal returns.
    int Run(CPathDialog& chooser, const std::function<void(HWND)>& user)
    {
        std::thread driver([&] {
            HWND dialog = WaitFor([&] { return VisibleDialog(thread_, nullptr); });
            EXPECT_EQ(WindowText(dialog), kCaption);
            if (dialog != nullptr)
                user(dialog);
            const ULONGLONG end = GetTickCount64() + 10000;
            for (; IsWindow(dialog) && GetTickCount64() < end; Sleep(50)) {
                HWND box = VisibleDialog(thread_, dialog);
                PostMessageA(box != nullptr ? box : dialog, WM_COMMAND,
                             box == nullptr ? IDCANCEL : GetDlgItem(box, IDNO) != nullptr ? IDNO : IDOK, 0);
            }
        });
        const int result = chooser.DoModal();
        driver.join();
        return result;
    }

    // OK on the chooser; the box it shows for `path` is read and answered with `button`.
    void OkAndAnswer(HWND dialog, const std::string& path, const char* ending, int buttons, int button)
    {
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        HWND box = WaitFor([&] { return VisibleDialog(thread_, dialog); });
        ASSERT_NE(box, nullptr) << path;
        const MessageBoxView view = ReadMessageBox(box);
        EXPECT_EQ(view.text, "The folder:\n\n" + path + "\n\n" + ending);
        EXPECT_EQ(view.buttons, buttons) << path;
        EXPECT_TRUE(PressButton(view, button));
    }

    const DWORD thread_ = GetCurrentThreadId();
    std::string temp_, root_, work_, file_;
};

TEST_F(FolderChooserTest, CheckFolderPathJudgesFormAndFileSystemAndCreatesTheChain)
{
    std::string noDrive = "Y:\\";
    while (noDrive[0] > 'D' && (GetLogicalDrives() & (1u << (noDrive[0] - 'A'))) != 0)
        --noDrive[0];
    const std::string target = work_ + "\\New Project";
    const struct {
        std::string path;
        int checkOnly, create;
    } cases[] = {
        {"C:\\", 0, 0}, {noDrive, 0, 2}, {noDrive + "Work", 0, 2}, {work_ + "\\", 1, 1}, {work_ + "\\.git", 1, 1},
        {work_ + "\\name.", 1, 1}, {work_ + "\\ name", 1, 1}, {work_ + "\\Sub\\bad?", 1, 1},
        {"\\\\server\\share", 1, 1},
        {"Work\\Sub", 1, 1}, {root_ + "\\" + std::string(kMaxFolderPathLength - root_.size(), 'a'), 1, 1}, // 260 long
        {file_, 2, 2}, {file_ + "\\Sub", 2, 2}, {target, 0, 0}, // last: creates Work and Work\New Project
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckFolderPath(c.path, FolderCheckMode::CheckOnly), c.checkOnly) << c.path;
        EXPECT_FALSE(IsFolder(work_)) << "created in check-only mode: " << c.path;
        EXPECT_EQ(CheckFolderPath(c.path, FolderCheckMode::Create), c.create) << c.path;
        EXPECT_EQ(IsFolder(work_), c.path == target) << c.path;
    }
    EXPECT_TRUE(IsFolder(target));
}

TEST_F(FolderChooserTest, TypedFolderIsCheckedAndCreatedOnlyOnYesAndCancelGivesMinusOne)
{
    const std::string target = work_ + "\\New Project";
    // A start folder not made yet: the tree cannot select it, so only the test changes the text.
    CPathDialog chooser(kCaption, "Choose destination directory...", target.c_str(), nullptr);
    EXPECT_EQ(Run(chooser, [&](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kFolderEditId), ok = GetDlgItem(dialog, IDOK);
        EXPECT_EQ(WindowText(edit), target);
        RECT place{}, rect{}, overlap{};
        GetWindowRect(edit, &place);
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            EXPECT_TRUE(child == edit || !IsWindowVisible(child) || !GetWindowRect(child, &rect) ||
                        !IntersectRect(&overlap, &rect, &place))
                << "the edit box covers control " << GetDlgCtrlID(child);
        SetWindowTextA(edit, "");
        EXPECT_FALSE(IsWindowEnabled(ok));
        SetWindowTextA(edit, "C");
        EXPECT_TRUE(IsWindowEnabled(ok));
        // Too long is invalid as typed; cut to 259 characters it would pass and be offered.
        const std::string tooLong = root_ + "\\" + std::string(300, 'a');
        for (const auto& [typed, ending] : {std::pair{tooLong, kInvalid}, {file_, kCannot}}) {
            SetWindowTextA(edit, typed.c_str());
            OkAndAnswer(dialog, typed, ending, MB_OK, IDOK);
            GUITHREADINFO focus{};
            focus.cbSize = sizeof focus;
            const auto focused = [&] { return GetGUIThreadInfo(thread_, &focus) && focus.hwndFocus == edit; };
            EXPECT_TRUE(WaitFor([&] { return focused() ? edit : nullptr; })) << "focus elsewhere: " << typed;
        }
        SetWindowTextA(edit, target.c_str());
        OkAndAnswer(dialog, target, kQuestion, MB_YESNO, IDNO);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_FALSE(IsFolder(work_));
        OkAndAnswer(dialog, target, kQuestion, MB_YESNO, IDYES);
    }), 1);
    EXPECT_EQ(chooser.GetPathName(), target);
    EXPECT_TRUE(IsFolder(target));

    // No start folder shows the current one; Run cancels what the user leaves open.
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    CPathDialog cancelled(kCaption, nullptr, nullptr, nullptr);
    const auto shown = [&](HWND dialog) { EXPECT_EQ(WindowText(GetDlgItem(dialog, kFolderEditId)), root_); };
    EXPECT_EQ(Run(cancelled, shown), -1);
    EXPECT_EQ(cancelled.GetPathName(), root_);
}

} // namespace
