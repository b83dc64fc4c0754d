#include "setup/skin/controls/my_progress.h"

#include <commctrl.h>

#include <vector>

#include "setup/skin/controls/accessible_object.h"
#include "setup/skin/controls/control_support.h"

bool CMyProgress::Create(const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                         HWND parent, int id)
{
    EnsureCommonControls();
    return CreateControlWindow(*this, PROGRESS_CLASSA, caption, style, exStyle, rect, parent, id);
}

LRESULT CMyProgress::OnGetObject(WPARAM flags, LPARAM objectId)
{
    if (nameSource_ != nullptr) {
        const HWND source = nameSource_;
        // Read when asked: the status line changes all through a removal.
        const AccessibleOverride override{0, [source] {
            if (!IsWindow(source))
                return std::string();
            std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(source)) + 1, '\0');
            const int n = GetWindowTextA(source, text.data(), static_cast<int>(text.size()));
            return std::string(text.data(), static_cast<std::size_t>(n > 0 ? n : 0));
        }};
        if (const LRESULT answer = AnswerAccessibleObject(hwnd(), flags, objectId, override))
            return answer;
    }
    return Window::OnGetObject(flags, objectId);
}
