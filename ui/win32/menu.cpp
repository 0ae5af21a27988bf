// The form's menu bar and the accelerators of its shortcuts.

#include "ui/platform.h"
#include "ui/win32/native.h"

#include <cctype>

namespace ui {

namespace {

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

} // namespace

HMENU win32::createMenu(Window::Impl &window)
{
    if (window.table->menu.empty())
        return nullptr;
    HMENU menu = CreateMenu();
    std::vector<ACCEL> accelerators;
    for (const MenuRow &item : window.table->menu) {
        const int id = MenuIdBase + int(window.menu.size());
        AppendMenuW(menu, MF_STRING, UINT_PTR(id), wideString(item.caption).c_str());
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

} // namespace ui
