#include "ui/controls.h"

#include "ui/web/native.h"
#include "ui/web/page.h"

#include <memory>

namespace ui {

using web::length;

std::u16string Label::caption() const
{
    char16_t *text = nullptr;
    const int size = velmora_caption(m_native->element, &text);
    return web::adopt(text, size);
}

void Label::setCaption(std::u16string_view caption)
{
    velmora_set_caption(m_native->element, caption.data(), length(caption));
    web::fitCaption(m_native->element, caption.empty());
}

bool Label::isVisible() const
{
    return velmora_is_visible(m_native->element) != 0;
}

void Label::setVisible(bool visible)
{
    velmora_set_visible(m_native->element, visible);
}

Color Label::background() const
{
    // page.js keeps the colour set last, which is all a label's background ever is.
    return web::colour(velmora_background(m_native->element));
}

void Label::setBackground(Color color)
{
    velmora_set_background(m_native->element, web::rgb(color));
}

std::u16string TextBox::text() const
{
    char16_t *text = nullptr;
    const int size = velmora_text(m_native->element, &text);
    return web::adopt(text, size);
}

void TextBox::setText(std::u16string_view text)
{
    velmora_set_text(m_native->element, text.data(), length(text));
}

bool Button::isVisible() const
{
    return velmora_is_visible(m_native->element) != 0;
}

void Button::setVisible(bool visible)
{
    velmora_set_visible(m_native->element, visible);
}

void Button::onClick(std::function<void()> handler)
{
    web::onElementClick(m_native->element, std::move(handler));
}

bool CheckBox::isTicked() const
{
    return velmora_is_ticked(m_native->element) != 0;
}

void MenuItem::onClick(std::function<void()> handler)
{
    web::onElementClick(m_native->element, std::move(handler));
}

Label LabelArray::at(int index) const
{
    return Label(m_cells.at(static_cast<std::size_t>(index)));
}

void LabelArray::onClick(std::function<void(int)> handler)
{
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        web::onElementClick(
            m_cells[index]->element, [shared, index] { (*shared)(static_cast<int>(index)); });
}

} // namespace ui
