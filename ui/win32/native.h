#pragma once

// What the Win32 binding keeps behind the handles of ui/controls.h and ui/window.h: each control a
// child window of its form, made from the resolved layout in the form's WM_CREATE.

#include "ui/layout.h"
#include "ui/win32/application.h"
#include "ui/window.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace ui {

struct Native
{
    HWND hwnd = nullptr;
    Window::Impl *window = nullptr;
    int control = -1; // its row of the layout table; -1 for a menu item
    std::function<void()> click;
    Color background; // what WM_CTLCOLORSTATIC paints, where the layout paints the control
};

struct Window::Impl
{
    const WindowSpec *table = nullptr;
    HWND hwnd = nullptr;
    HWND liveRegion = nullptr; // what a screen reader is told after a handler
    UINT dpi = USER_DEFAULT_SCREEN_DPI;
    ResolvedLayout layout; // at `dpi`
    std::vector<std::unique_ptr<Native>> controls; // by row of the layout table
    std::vector<std::unique_ptr<Native>> menu;
    HACCEL accelerators = nullptr;
    std::function<void()> closeHandler;
    HWND lastFocus = nullptr;
    // Fonts by face, pixel size, letter width and weight, and brushes by colour, for the current
    // dpi; the window deletes them.
    std::map<std::tuple<std::u16string, int, int, bool>, HFONT> fonts;
    std::map<COLORREF, HBRUSH> brushes;

    ~Impl();
    Native *fromId(int id) const;
};

namespace win32 {

    // Command ids: controls from ControlIdBase in table order, menu items from MenuIdBase. Both
    // lie above IDOK and IDCANCEL, which Enter and Escape send and which start nothing.
    inline constexpr int ControlIdBase = 100;
    inline constexpr int MenuIdBase = 1000;
    inline constexpr wchar_t FormClass[] = L"VelmoraForm";

    HWND handleOf(const Window &window);

    // Gives a message to the form's accelerators and dialog keys (Tab, Enter, Escape), or
    // dispatches it; then throws what a window procedure caught while it ran.
    void processMessage(MSG &msg);

    // No exception crosses a window procedure: each catches at its edge and keeps the exception
    // here, and the code that called into Windows throws it again once Windows has returned.
    void keepFailure();
    void rethrowKept();

    // The form's child windows, each at its place of `window.layout`, made in WM_CREATE.
    void createControls(Window::Impl &window);
    // The menu bar and its accelerators; null for a window without a menu.
    HMENU createMenu(Window::Impl &window);
    HBRUSH brushFor(Window::Impl &window, Color color);

    // Tells a screen reader what the system's own object for the control does not: a field's
    // prompt as its description, a cell's press action only where a character stands in it. (A
    // text box takes its name from its prompt, made just before it.)
    void makeAccessible(const Window::Impl &window, const Native &native);
    // The control that says the words of binding::announce(), as a polite live region.
    HWND createLiveRegion(HWND form);
    void removeLiveRegion(HWND region);
    // After the caption of `prompt` changed: the controls it names follow.
    void promptChanged(const Native &prompt);

    // Fits the control's caption to its rectangle by the rule of ui/fit.h and sets its font.
    void fitCaption(Native &native);

    inline const wchar_t *wide(std::u16string_view text)
    {
        static_assert(sizeof(wchar_t) == sizeof(char16_t));
        return reinterpret_cast<const wchar_t *>(text.data());
    }

    inline std::wstring wideString(std::u16string_view text)
    {
        return std::wstring(wide(text), text.size());
    }

    std::u16string windowText(HWND hwnd);

} // namespace win32

} // namespace ui
