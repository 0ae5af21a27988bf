// Starts a window and, once its first frame is drawn, writes its peak working set in KiB to its
// standard output and ends the process at once; startup_bench times it from the outside.
//
// Built twice: as the program's own start-up path, and (STARTUP_PROBE_FLOOR) as a bare Win32
// window with the dictionary window's controls made directly by CreateWindowExW at the rectangles
// the layout resolves to, the least user32 needs for such a window.
//
// Usage: startup_probe_<program|floor> [stay]; "stay" leaves the window up after its first frame.

#include "dictionary/form1.h"
#include "ui/layout.h"

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <string_view>

#ifdef STARTUP_PROBE_FLOOR
#include <memory>
#include <vector>
#else
#include "app/program.h"
#include "ui/win32/application.h"
#endif

namespace {

std::wstring wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

void CALLBACK framed(HWND, UINT, UINT_PTR, DWORD)
{
    PROCESS_MEMORY_COUNTERS memory {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    char line[32];
    const int n = std::snprintf(line, sizeof line, "%zu\n", memory.PeakWorkingSetSize / 1024);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, DWORD(n), &written, nullptr);
    // Tearing the windows down would only add noise to the timing. "stay" keeps the window up,
    // to look at what was timed.
    if (std::wstring_view(GetCommandLineW()).find(L" stay") == std::wstring_view::npos)
        TerminateProcess(GetCurrentProcess(), 0);
}

// Sees each message as the loop takes it. On the dictionary window's first WM_PAINT, a timer of
// 0 ms: the queue hands out WM_TIMER only once no paint is pending, so it fires when the window
// and every control in it have drawn their first frame.
LRESULT CALLBACK watch(int code, WPARAM removed, LPARAM message)
{
    static bool armed = false;
    const MSG &msg = *reinterpret_cast<const MSG *>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && !armed && msg.message == WM_PAINT
        && GetAncestor(msg.hwnd, GA_ROOT) == msg.hwnd) {
        wchar_t title[256] {};
        GetWindowTextW(msg.hwnd, title, 256);
        if (wide(Form1::Layout.caption) == title) {
            armed = true;
            SetTimer(nullptr, 0, 0, framed);
        }
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

#ifdef STARTUP_PROBE_FLOOR
const wchar_t *FloorClass = L"VelmoraStartupFloor";

LRESULT CALLBACK floorProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

DWORD plainStyle(const ui::ResolvedControl &control)
{
    const DWORD style = WS_CHILD | WS_VISIBLE;
    switch (control.row->kind) {
    case ui::Kind::Label:
        return style | SS_LEFT;
    case ui::Kind::TextBox:
        return style | ES_AUTOHSCROLL;
    case ui::Kind::Button:
        return style | BS_PUSHBUTTON;
    case ui::Kind::CheckBox:
        return style | BS_AUTOCHECKBOX;
    case ui::Kind::Frame:
        return style | BS_GROUPBOX;
    }
    return style;
}

int floorWindow()
{
    INITCOMMONCONTROLSEX controls {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW form {};
    form.cbSize = sizeof form;
    form.lpfnWndProc = floorProcedure;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    form.lpszClassName = FloorClass;
    RegisterClassExW(&form);

    const ui::WindowSpec &table = Form1::Layout;
    HMENU menu = CreateMenu();
    int id = 1;
    for (const ui::MenuRow &item : table.menu)
        AppendMenuW(menu, MF_STRING, UINT_PTR(id++), wide(item.caption).c_str());
    HWND hwnd = CreateWindowExW(0, FloorClass, wide(table.caption).c_str(), WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance,
        nullptr);
    const UINT dpi = GetDpiForWindow(hwnd);
    const ui::ResolvedLayout layout = ui::resolve(table, dpi / double(USER_DEFAULT_SCREEN_DPI));
    RECT frame {0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);

    // One font for every control, the system's message font: without it a control draws in the
    // raster System font, which no window is shown with.
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    auto make = [&](const ui::ResolvedControl &control) {
        const wchar_t *windowClass = control.row->kind == ui::Kind::Label ? WC_STATICW
            : control.row->kind == ui::Kind::TextBox                      ? WC_EDITW
                                                                          : WC_BUTTONW;
        const ui::Rect &r = control.rect;
        HWND child = CreateWindowExW(control.row->kind == ui::Kind::TextBox ? WS_EX_CLIENTEDGE : 0,
            windowClass, wide(control.row->caption).c_str(), plainStyle(control), r.left, r.top,
            r.width, r.height, hwnd, nullptr, instance, nullptr);
        SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
    };
    // The frames last, beneath the controls that stand in them.
    for (const ui::ResolvedControl &control : layout.controls)
        if (control.row->kind != ui::Kind::Frame)
            make(control);
    for (const ui::ResolvedControl &control : layout.controls)
        if (control.row->kind == ui::Kind::Frame)
            make(control);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    SetWindowsHookExW(WH_GETMESSAGE, watch, nullptr, GetCurrentThreadId());
#ifdef STARTUP_PROBE_FLOOR
    return floorWindow();
#else
    Program program;
    program.start();
    return ui::win32::run();
#endif
}
