#pragma once

// What each binding (ui/qt, ui/web, ui/win32) supplies to the rules of ui/: how to find the native
// control of a layout's row, and how to deliver to its toolkit. Only ui/ includes this.

#include "ui/window.h"

#include <functional>
#include <string_view>

namespace ui::binding {

// The native control of row `index` of the window's layout table, and of its menu item `index`.
Native *control(const Window::Impl &window, int index);
Native *menuItem(const Window::Impl &window, int index);

void setCaption(Native *label, std::u16string_view caption);

// Runs `handler` on a click, a shortcut or a press of assistive technology.
void onClick(Native *control, std::function<void()> handler);
// Runs `handler` when the window's close box is pressed.
void onClose(Window::Impl &window, std::function<void()> handler);

// Tells a screen reader `text`, politely, without moving the focus.
void announce(Window::Impl &window, std::u16string_view text);

} // namespace ui::binding
