// The form: its window procedure, its place at the monitor's dpi, and what ui/window.cpp asks of
// it.

#include "ui/window.h"

#include "ui/binding.h"
#include "ui/contrast.h"
#include "ui/platform.h"
#include "ui/win32/native.h"

#include <commctrl.h>
#include <objbase.h>

#include <stdexcept>

namespace ui {

namespace {

    COLORREF colorRef(Color c)
    {
        return RGB(c.red, c.green, c.blue);
    }

    // Sizes the window so that its client area is the layout's: by the frame the system reports,
    // then by what the client area turned out to be (a menu bar wraps, a frame is of another dpi).
    void fitClient(const Window::Impl &window, const RECT *place = nullptr)
    {
        RECT rect {0, 0, window.layout.clientWidth, window.layout.clientHeight};
        const auto style = DWORD(GetWindowLongPtrW(window.hwnd, GWL_STYLE));
        const auto exStyle = DWORD(GetWindowLongPtrW(window.hwnd, GWL_EXSTYLE));
        AdjustWindowRectExForDpi(
            &rect, style, GetMenu(window.hwnd) != nullptr, exStyle, window.dpi);
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (place ? 0 : SWP_NOMOVE);
        const POINT at = place ? POINT {place->left, place->top} : POINT {};
        SetWindowPos(window.hwnd, nullptr, at.x, at.y, rect.right - rect.left,
            rect.bottom - rect.top, flags);
        RECT client;
        GetClientRect(window.hwnd, &client);
        const int wider = window.layout.clientWidth - client.right;
        const int taller = window.layout.clientHeight - client.bottom;
        if (wider || taller)
            SetWindowPos(window.hwnd, nullptr, 0, 0, rect.right - rect.left + wider,
                rect.bottom - rect.top + taller, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }

    void changeDpi(Window::Impl &window, UINT dpi, const RECT &suggested)
    {
        window.layout = resolve(*window.table, dpi / double(USER_DEFAULT_SCREEN_DPI));
        window.dpi = dpi;
        auto oldFonts = std::move(window.fonts);
        window.fonts.clear();
        for (const auto &native : window.controls) {
            const Rect &r = window.layout.controls[std::size_t(native->control)].rect;
            SetWindowPos(native->hwnd, nullptr, r.left, r.top, r.width, r.height,
                SWP_NOZORDER | SWP_NOACTIVATE);
            win32::fitCaption(*native);
        }
        for (const auto &[key, font] : oldFonts)
            DeleteObject(font);
        fitClient(window, &suggested);
        InvalidateRect(window.hwnd, nullptr, TRUE);
    }

    LRESULT paintedColours(Window::Impl &window, HDC dc, HWND control)
    {
        const Native *native = window.fromId(GetDlgCtrlID(control));
        if (!native || native->control < 0
            || !window.layout.controls[std::size_t(native->control)].background)
            return 0;
        const auto text = GetSysColor(COLOR_WINDOWTEXT);
        const Color readable = readableTextColor(
            native->background, {GetRValue(text), GetGValue(text), GetBValue(text)});
        SetTextColor(dc, colorRef(readable));
        SetBkColor(dc, colorRef(native->background));
        return reinterpret_cast<LRESULT>(win32::brushFor(window, native->background));
    }

    // Clicks of buttons, cells (STN_CLICKED is BN_CLICKED) and menu items, and accelerators,
    // each of which asks ui::handlers() whether it may run (ui/controls.cpp).
    void command(const Window::Impl &window, int id, int code)
    {
        if (code != BN_CLICKED && !(id >= win32::MenuIdBase && code == 1))
            return;
        const Native *native = window.fromId(id);
        if (native && native->click) {
            const auto handler = native->click; // a handler may replace itself
            handler();
        }
    }

    void activate(Window::Impl &window, bool active)
    {
        if (!active) {
            if (HWND focus = GetFocus(); focus && IsChild(window.hwnd, focus))
                window.lastFocus = focus;
            return;
        }
        HWND focus = window.lastFocus && IsWindowVisible(window.lastFocus)
            ? window.lastFocus
            : GetNextDlgTabItem(window.hwnd, nullptr, FALSE);
        if (focus)
            SetFocus(focus);
    }

    LRESULT handle(Window::Impl &window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CREATE:
            window.dpi = GetDpiForWindow(window.hwnd);
            window.layout = resolve(*window.table, window.dpi / double(USER_DEFAULT_SCREEN_DPI));
            win32::createControls(window);
            window.liveRegion = win32::createLiveRegion(window.hwnd);
            return 0;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(window.hwnd, &client);
            FillRect(
                reinterpret_cast<HDC>(wParam), &client, win32::brushFor(window, desktopColor()));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const LRESULT brush = paintedColours(
                    window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return brush;
            break;
        case WM_COMMAND:
            command(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The form decides: the dictionary ends the program, the expression window goes back.
            if (window.closeHandler)
                window.closeHandler();
            else
                ShowWindow(window.hwnd, SW_HIDE);
            return 0;
        case WM_ACTIVATE:
            activate(window, LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED:
            changeDpi(window, LOWORD(wParam), *reinterpret_cast<RECT *>(lParam));
            return 0;
        case WM_DESTROY:
            win32::removeLiveRegion(window.liveRegion);
            break;
        default:
            break;
        }
        return DefWindowProcW(window.hwnd, message, wParam, lParam);
    }

    LRESULT CALLBACK formProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto *window = static_cast<Window::Impl *>(
                reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
            window->hwnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        }
        auto *window = reinterpret_cast<Window::Impl *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_NCDESTROY)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (!window)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        try {
            return handle(*window, message, wParam, lParam);
        } catch (...) {
            win32::keepFailure();
            return message == WM_CREATE ? -1 : 0; // -1: the window is not made
        }
    }

    void registerFormClass()
    {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
            InitCommonControlsEx(&controls);
            // For the objects the controls give screen readers.
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            WNDCLASSEXW form {};
            form.cbSize = sizeof form;
            form.lpfnWndProc = formProcedure;
            form.hInstance = GetModuleHandleW(nullptr);
            form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            form.hIcon = LoadIconW(form.hInstance, MAKEINTRESOURCEW(1));
            form.lpszClassName = win32::FormClass;
            return RegisterClassExW(&form) != 0;
        }();
        if (!registered)
            throw std::runtime_error("cannot register the form's window class");
    }

} // namespace

HBRUSH win32::brushFor(Window::Impl &window, Color color)
{
    HBRUSH &brush = window.brushes[colorRef(color)];
    if (!brush)
        brush = CreateSolidBrush(colorRef(color));
    return brush;
}

Window::Impl::~Impl()
{
    if (hwnd && IsWindow(hwnd))
        DestroyWindow(hwnd);
    for (const auto &[key, font] : fonts)
        DeleteObject(font);
    for (const auto &[key, brush] : brushes)
        DeleteObject(brush);
    if (accelerators)
        DestroyAcceleratorTable(accelerators);
}

Native *Window::Impl::fromId(int id) const
{
    if (id >= win32::MenuIdBase && id - win32::MenuIdBase < int(menu.size()))
        return menu[std::size_t(id - win32::MenuIdBase)].get();
    if (id >= win32::ControlIdBase && id - win32::ControlIdBase < int(controls.size()))
        return controls[std::size_t(id - win32::ControlIdBase)].get();
    return nullptr;
}

Window::Window(const WindowSpec &table)
    : m_table(&table)
    , m_impl(std::make_unique<Impl>())
{
    registerFormClass();
    m_impl->table = &table;
    HMENU menu = win32::createMenu(*m_impl);
    // Sized once the controls are made, at the dpi of the monitor the window opens on. Not
    // WS_CLIPCHILDREN: a frame paints no inside, which the form's background must fill.
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, win32::FormClass,
        win32::wideString(table.caption).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, GetModuleHandleW(nullptr), m_impl.get());
    if (!hwnd) {
        m_impl->hwnd = nullptr;
        win32::rethrowKept(); // what WM_CREATE failed by
        throw std::runtime_error("cannot create window " + std::string(table.name));
    }
    fitClient(*m_impl);
    startLiveFields(m_impl->layout);
}

Window::~Window() = default;

void Window::show()
{
    ShowWindow(m_impl->hwnd, SW_SHOW);
    SetForegroundWindow(m_impl->hwnd);
}

void Window::hide()
{
    ShowWindow(m_impl->hwnd, SW_HIDE);
}

bool Window::isVisible() const
{
    return IsWindowVisible(m_impl->hwnd) != FALSE;
}

Color Window::background() const
{
    return desktopColor();
}

Native *binding::control(const Window::Impl &window, int index)
{
    return window.controls.at(std::size_t(index)).get();
}

Native *binding::menuItem(const Window::Impl &window, int index)
{
    return window.menu.at(std::size_t(index)).get();
}

void binding::onClose(Window::Impl &window, std::function<void()> handler)
{
    window.closeHandler = std::move(handler);
}

HWND win32::handleOf(const Window &window)
{
    return window.impl().hwnd;
}

} // namespace ui
