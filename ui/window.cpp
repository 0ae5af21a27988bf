#include "ui/window.h"

#include "ui/binding.h"
#include "ui/layout.h"

#include <stdexcept>
#include <string>

namespace ui {

int Window::rowOf(std::string_view name, Kind kind) const
{
    const auto &rows = m_table->controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name != name || rows[i].index >= 0)
            continue;
        if (rows[i].kind != kind)
            throw std::logic_error(std::string(name) + " is a "
                + std::string(kindName(rows[i].kind)) + ", not a " + std::string(kindName(kind)));
        return static_cast<int>(i);
    }
    throw std::logic_error("no " + std::string(kindName(kind)) + " named " + std::string(name));
}

Label Window::label(std::string_view name) const
{
    const int row = rowOf(name, Kind::Label);
    return Label(binding::control(*m_impl, row), &m_live, row);
}

TextBox Window::textBox(std::string_view name) const
{
    return TextBox(binding::control(*m_impl, rowOf(name, Kind::TextBox)));
}

Button Window::button(std::string_view name) const
{
    return Button(binding::control(*m_impl, rowOf(name, Kind::Button)));
}

CheckBox Window::checkBox(std::string_view name) const
{
    return CheckBox(binding::control(*m_impl, rowOf(name, Kind::CheckBox)));
}

// The elements of a label array are rows of their own, index 0 first.
LabelArray Window::labelArray(std::string_view name) const
{
    std::vector<Native *> cells;
    const auto &rows = m_table->controls;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name && rows[i].index >= 0 && rows[i].kind == Kind::Label)
            cells.push_back(binding::control(*m_impl, static_cast<int>(i)));
    }
    if (cells.empty())
        throw std::logic_error("no label array named " + std::string(name));
    return LabelArray(std::move(cells));
}

MenuItem Window::menuItem(std::string_view name) const
{
    const auto &menu = m_table->menu;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (menu[i].name == name)
            return MenuItem(binding::menuItem(*m_impl, static_cast<int>(i)));
    }
    throw std::logic_error("no menu item named " + std::string(name));
}

void Window::onClose(std::function<void()> handler)
{
    binding::onClose(*m_impl, [handler = std::move(handler)] { handlers().run(handler); });
}

void Window::startLiveFields(const ResolvedLayout &layout)
{
    auto caption = [this](int control) -> std::u16string {
        const ControlRow &row = m_table->controls[std::size_t(control)];
        // A check box names the field beside it by a caption that never changes.
        if (row.kind != Kind::Label)
            return std::u16string(row.caption);
        return Label(binding::control(*m_impl, control)).caption();
    };
    m_live.start(layout,
        {
            .caption = caption,
            .shown
            = [this](int control) { return Label(binding::control(*m_impl, control)).isVisible(); },
            .windowShown = [this] { return isVisible(); },
            .deliver = [this](std::u16string_view text) { binding::announce(*m_impl, text); },
        });
}

} // namespace ui
