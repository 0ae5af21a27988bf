// The program's message loop.

#include "ui/handlers.h"
#include "ui/win32/native.h"

namespace ui {

namespace {

    Window::Impl *formOf(HWND hwnd)
    {
        wchar_t name[std::size(win32::FormClass) + 1] = {};
        if (!hwnd || !GetClassNameW(hwnd, name, int(std::size(name)))
            || std::wstring_view(name) != win32::FormClass)
            return nullptr;
        return reinterpret_cast<Window::Impl *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

} // namespace

void win32::processMessage(MSG &msg)
{
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const Window::Impl *form = formOf(root);
    const bool taken = form
        && ((form->accelerators && TranslateAcceleratorW(root, form->accelerators, &msg))
            || IsDialogMessageW(root, &msg));
    if (!taken) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int win32::run()
{
    MSG msg;
    while (!handlers().ended() && GetMessageW(&msg, nullptr, 0, 0) > 0)
        processMessage(msg);
    return 0;
}

} // namespace ui
