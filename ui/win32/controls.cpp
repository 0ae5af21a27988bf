#include "ui/controls.h"

#include "ui/binding.h"
#include "ui/win32/native.h"

namespace ui {

std::u16string win32::windowText(HWND hwnd)
{
    std::u16string text(std::size_t(GetWindowTextLengthW(hwnd)), u'\0');
    if (!text.empty()) {
        const int copied
            = GetWindowTextW(hwnd, reinterpret_cast<wchar_t *>(text.data()), int(text.size()) + 1);
        text.resize(std::size_t(copied));
    }
    return text;
}

std::u16string Label::caption() const
{
    return win32::windowText(m_native->hwnd);
}

void binding::setCaption(Native *label, std::u16string_view caption)
{
    SetWindowTextW(label->hwnd, win32::wideString(caption).c_str());
    win32::fitCaption(*label);
    win32::promptChanged(*label);
}

bool Label::isVisible() const
{
    // Its own state, kept while its window is hidden.
    return (GetWindowLongPtrW(m_native->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Label::setVisible(bool visible)
{
    ShowWindow(m_native->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

Color Label::background() const
{
    return m_native->background;
}

void Label::setBackground(Color color)
{
    m_native->background = color;
    InvalidateRect(m_native->hwnd, nullptr, TRUE);
}

std::u16string TextBox::text() const
{
    return win32::windowText(m_native->hwnd);
}

void TextBox::setText(std::u16string_view text)
{
    SetWindowTextW(m_native->hwnd, win32::wideString(text).c_str());
}

bool Button::isVisible() const
{
    return (GetWindowLongPtrW(m_native->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Button::setVisible(bool visible)
{
    ShowWindow(m_native->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool CheckBox::isTicked() const
{
    return SendMessageW(m_native->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void binding::onClick(Native *control, std::function<void()> handler)
{
    control->click = std::move(handler);
}

} // namespace ui
