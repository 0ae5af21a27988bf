#include "ui/window.h"

#include "ui/binding.h"
#include "ui/contrast.h"
#include "ui/handlers.h"
#include "ui/platform.h"
#include "ui/win32/native.h"

#include <commctrl.h>
#include <objbase.h>

#include <stdexcept>

namespace ui {

namespace {

    constexpr wchar_t FormClass[] = L"VelmoraForm";

    COLORREF colorRef(Color c)
    {
        return RGB(c.red, c.green, c.blue);
    }

    HBRUSH brushFor(Window::Impl &window, Color color)
    {
        HBRUSH &brush = window.brushes[colorRef(color)];
        if (!brush)
            brush = CreateSolidBrush(colorRef(color));
        return brush;
    }

    Window::Impl *formOf(HWND hwnd)
    {
        wchar_t name[std::size(FormClass) + 1] = {};
        if (!hwnd || !GetClassNameW(hwnd, name, int(std::size(name)))
            || std::wstring_view(name) != FormClass)
            return nullptr;
        return reinterpret_cast<Window::Impl *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }

    DWORD styleOf(const ResolvedControl &control)
    {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        if (control.focusable)
            style |= WS_TABSTOP;
        switch (control.row->kind) {
        case Kind::Label:
            // Wrapped at spaces, as the other builds wrap; cells report their clicks.
            return style | SS_NOPREFIX | (control.row->align == Align::Centre ? SS_CENTER : SS_LEFT)
                | (control.inArray ? SS_NOTIFY : 0);
        case Kind::TextBox:
            return style | ES_AUTOHSCROLL;
        case Kind::Button:
            return style | BS_PUSHBUTTON | BS_MULTILINE;
        case Kind::CheckBox:
            return style | BS_AUTOCHECKBOX | BS_MULTILINE;
        case Kind::Frame:
            return style | BS_GROUPBOX;
        }
        return style;
    }

    // Focusable controls in the resolved tab order first, as the dialog manager tabs in z-order,
    // each text box right after its prompt, from which a screen reader takes its name; then the
    // labels, beneath every other control as in the other builds; the frames (and controls out of
    // the tab order) last, so that a frame clips none of the controls standing in it.
    std::vector<int> creationOrder(const ResolvedLayout &layout)
    {
        std::vector<int> order;
        std::vector<bool> placed(layout.controls.size());
        auto place = [&](int i) {
            if (i >= 0 && !placed[std::size_t(i)]) {
                placed[std::size_t(i)] = true;
                order.push_back(i);
            }
        };
        for (int i : layout.tabOrder) {
            const ResolvedControl &control = layout.controls[std::size_t(i)];
            if (!control.focusable)
                continue;
            if (control.row->kind == Kind::TextBox)
                place(control.prompt);
            place(i);
        }
        // A label later in the table stands above an earlier one it overlaps, as in the others.
        for (int i = int(layout.controls.size()) - 1; i >= 0; --i) {
            if (layout.controls[std::size_t(i)].row->kind == Kind::Label)
                place(i);
        }
        for (std::size_t i = 0; i < layout.controls.size(); ++i)
            place(int(i));
        return order;
    }

    void createControls(Window::Impl &window)
    {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        window.controls.resize(window.layout.controls.size());
        for (int i : creationOrder(window.layout)) {
            const ResolvedControl &control = window.layout.controls[std::size_t(i)];
            const ControlRow &row = *control.row;
            const wchar_t *windowClass = row.kind == Kind::Label ? WC_STATICW
                : row.kind == Kind::TextBox                      ? WC_EDITW
                                                                 : WC_BUTTONW;
            const Rect &r = control.rect;
            auto native = std::make_unique<Native>();
            native->window = &window;
            native->control = i;
            native->background = control.background.value_or(White);
            native->hwnd = CreateWindowExW(row.kind == Kind::TextBox ? WS_EX_CLIENTEDGE : 0,
                windowClass, win32::wideString(row.caption).c_str(), styleOf(control), r.left,
                r.top, r.width, r.height, window.hwnd,
                reinterpret_cast<HMENU>(INT_PTR(win32::ControlIdBase + i)), instance, nullptr);
            if (!native->hwnd)
                throw std::runtime_error("cannot create control " + control.name);
            if (row.kind == Kind::CheckBox)
                SendMessageW(native->hwnd, BM_SETCHECK, BST_CHECKED, 0);
            if (control.inArray)
                win32::makePressable(native->hwnd);
            window.controls[std::size_t(i)] = std::move(native);
        }
        for (const auto &native : window.controls)
            win32::fitCaption(*native);
    }

    // The key of a shortcut in Qt's portable text ("F1", "Ctrl+Q"), or no key.
    ACCEL acceleratorFor(std::string_view shortcut, WORD command)
    {
        ACCEL accel {FVIRTKEY, 0, command};
        for (auto [prefix, flag] : {std::pair {std::string_view("Ctrl+"), FCONTROL},
                 std::pair {std::string_view("Shift+"), FSHIFT},
                 std::pair {std::string_view("Alt+"), FALT}}) {
            if (shortcut.substr(0, prefix.size()) == prefix) {
                accel.fVirt |= flag;
                shortcut.remove_prefix(prefix.size());
            }
        }
        if (shortcut.size() > 1 && shortcut[0] == 'F') {
            const int n = std::stoi(std::string(shortcut.substr(1)));
            if (n >= 1 && n <= 24)
                accel.key = WORD(VK_F1 + n - 1);
        } else if (shortcut.size() == 1 && std::isalnum(static_cast<unsigned char>(shortcut[0]))) {
            accel.key = WORD(std::toupper(static_cast<unsigned char>(shortcut[0])));
        }
        return accel;
    }

    HMENU createMenu(Window::Impl &window)
    {
        if (window.table->menu.empty())
            return nullptr;
        HMENU menu = CreateMenu();
        std::vector<ACCEL> accelerators;
        for (const MenuRow &item : window.table->menu) {
            const int id = win32::MenuIdBase + int(window.menu.size());
            AppendMenuW(menu, MF_STRING, UINT_PTR(id), win32::wideString(item.caption).c_str());
            auto native = std::make_unique<Native>();
            native->window = &window;
            window.menu.push_back(std::move(native));
            if (const ACCEL accel = acceleratorFor(item.shortcut, WORD(id)); accel.key)
                accelerators.push_back(accel);
        }
        // The menu bar in the window's colour, as in the other builds.
        MENUINFO info {sizeof info, MIM_BACKGROUND, 0, 0, brushFor(window, desktopColor()), 0, 0};
        SetMenuInfo(menu, &info);
        if (!accelerators.empty())
            window.accelerators
                = CreateAcceleratorTableW(accelerators.data(), int(accelerators.size()));
        return menu;
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
        window.dpi = dpi;
        window.layout = resolve(*window.table, dpi / double(USER_DEFAULT_SCREEN_DPI));
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
        return reinterpret_cast<LRESULT>(brushFor(window, native->background));
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

    LRESULT CALLBACK formProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            auto *window = static_cast<Window::Impl *>(
                reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
            window->hwnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        }
        auto *window = reinterpret_cast<Window::Impl *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!window)
            return DefWindowProcW(hwnd, message, wParam, lParam);
        switch (message) {
        case WM_CREATE:
            window->dpi = GetDpiForWindow(hwnd);
            window->layout = resolve(*window->table, window->dpi / double(USER_DEFAULT_SCREEN_DPI));
            createControls(*window);
            window->liveRegion = win32::createLiveRegion(hwnd);
            return 0;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brushFor(*window, desktopColor()));
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const LRESULT brush = paintedColours(
                    *window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return brush;
            break;
        case WM_COMMAND:
            command(*window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            // The form decides: the dictionary ends the program, the expression window goes back.
            if (window->closeHandler)
                window->closeHandler();
            else
                ShowWindow(hwnd, SW_HIDE);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = GetFocus(); focus && IsChild(hwnd, focus))
                    window->lastFocus = focus;
            } else {
                HWND focus = window->lastFocus && IsWindowVisible(window->lastFocus)
                    ? window->lastFocus
                    : GetNextDlgTabItem(hwnd, nullptr, FALSE);
                if (focus)
                    SetFocus(focus);
            }
            return 0;
        case WM_DPICHANGED:
            changeDpi(*window, LOWORD(wParam), *reinterpret_cast<RECT *>(lParam));
            return 0;
        case WM_DESTROY:
            win32::removeLiveRegion(window->liveRegion);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    void registerFormClass()
    {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
            InitCommonControlsEx(&controls);
            // For the objects the cells give screen readers.
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            WNDCLASSEXW form {};
            form.cbSize = sizeof form;
            form.lpfnWndProc = formProcedure;
            form.hInstance = GetModuleHandleW(nullptr);
            form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            form.hIcon = LoadIconW(form.hInstance, MAKEINTRESOURCEW(1));
            form.lpszClassName = FormClass;
            return RegisterClassExW(&form) != 0;
        }();
        if (!registered)
            throw std::runtime_error("cannot register the form's window class");
    }

} // namespace

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
    HMENU menu = createMenu(*m_impl);
    // Sized once the controls are made, at the dpi of the monitor the window opens on. Not
    // WS_CLIPCHILDREN: a frame paints no inside, which the form's background must fill.
    HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, FormClass,
        win32::wideString(table.caption).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, GetModuleHandleW(nullptr), m_impl.get());
    if (!hwnd)
        throw std::runtime_error("cannot create window " + std::string(table.name));
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

namespace win32 {

    HWND handleOf(const Window &window)
    {
        return window.impl().hwnd;
    }

    void processMessage(MSG &msg)
    {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (Window::Impl *form = formOf(root)) {
            if (form->accelerators && TranslateAcceleratorW(root, form->accelerators, &msg))
                return;
            if (IsDialogMessageW(root, &msg))
                return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    int run()
    {
        MSG msg;
        while (!handlers().ended() && GetMessageW(&msg, nullptr, 0, 0) > 0)
            processMessage(msg);
        return 0;
    }

} // namespace win32

} // namespace ui
