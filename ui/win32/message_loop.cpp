// The program's message loop, and the failures it carries out of window procedures.

#include "ui/handlers.h"
#include "ui/win32/native.h"

#include <exception>
#include <utility>

namespace ui {

namespace {

    std::exception_ptr kept;

    Window::Impl *formOf(HWND hwnd)
    {
        wchar_t name[std::size(win32::FormClass) + 1] = {};
        if (!hwnd || !GetClassNameW(hwnd, name, int(std::size(name)))
            || std::wstring_view(name) != win32::FormClass)
            return nullptr;
        return reinterpret_cast<Window::Impl *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

} // namespace

void win32::keepFailure()
{
    if (!kept) // the first says why; what followed it is its consequence
        kept = std::current_exception();
}

void win32::rethrowKept()
{
    if (kept)
        std::rethrow_exception(std::exchange(kept, nullptr));
}

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
    rethrowKept();
}

int win32::run()
{
    MSG msg;
    while (!handlers().ended() && GetMessageW(&msg, nullptr, 0, 0) > 0)
        processMessage(msg);
    return 0;
}

int win32::failed(std::u16string_view title)
{
    std::string what = "an unknown failure";
    try {
        throw;
    } catch (const std::exception &error) {
        what = error.what();
    } catch (...) { }
    std::wstring text(what.size(), L'\0');
    text.resize(std::size_t(MultiByteToWideChar(
        CP_UTF8, 0, what.data(), int(what.size()), text.data(), int(text.size()))));
    MessageBoxW(nullptr, text.c_str(), wideString(title).c_str(), MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace ui
