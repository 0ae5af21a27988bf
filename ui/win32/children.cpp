// The form's child windows, made from the resolved layout in its WM_CREATE.

#include "ui/win32/native.h"

#include <commctrl.h>

#include <stdexcept>

namespace ui {

namespace {

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

} // namespace

void win32::createControls(Window::Impl &window)
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
            windowClass, wideString(row.caption).c_str(), styleOf(control), r.left, r.top, r.width,
            r.height, window.hwnd, reinterpret_cast<HMENU>(INT_PTR(ControlIdBase + i)), instance,
            nullptr);
        if (!native->hwnd)
            throw std::runtime_error("cannot create control " + control.name);
        if (row.kind == Kind::CheckBox)
            SendMessageW(native->hwnd, BM_SETCHECK, BST_CHECKED, 0);
        if (row.kind == Kind::TextBox)
            SendMessageW(native->hwnd, EM_SETLIMITTEXT, 0, 0); // as much as it can hold
        window.controls[std::size_t(i)] = std::move(native);
    }
    for (const auto &native : window.controls) {
        fitCaption(*native);
        makeAccessible(window, *native);
    }
}

} // namespace ui
