#include "ui/controls.h"

#include "ui/binding.h"
#include "ui/handlers.h"
#include "ui/web/native.h"
#include "ui/web/page.h"

#include <emscripten/emscripten.h>

#include <map>

namespace ui {

using web::length;

std::u16string Label::caption() const
{
    char16_t *text = nullptr;
    const int size = velmora_caption(m_native->element, &text);
    return web::adopt(text, size);
}

void binding::setCaption(Native *label, std::u16string_view caption)
{
    velmora_set_caption(label->element, caption.data(), length(caption));
    web::fitCaption(label->element, caption.empty());
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

bool CheckBox::isTicked() const
{
    return velmora_is_ticked(m_native->element) != 0;
}

namespace {

    // The clicks page.js reports, by element.
    std::map<int, std::function<void()>> &clickHandlers()
    {
        static std::map<int, std::function<void()>> handlers;
        return handlers;
    }

} // namespace

void binding::onClick(Native *control, std::function<void()> handler)
{
    clickHandlers()[control->element] = std::move(handler);
}

} // namespace ui

extern "C" {

// page.js queues a click only while the program takes one (ui/handlers.h), and runs each after
// the one before it has ended.
EMSCRIPTEN_KEEPALIVE int velmora_accepting()
{
    return ui::handlers().accepting();
}

EMSCRIPTEN_KEEPALIVE void velmora_click(int element)
{
    const auto handler = ui::clickHandlers().find(element);
    if (handler != ui::clickHandlers().end())
        handler->second();
}

// A handler failed in JavaScript: its frames are gone without unwinding, and what it held open
// with them.
EMSCRIPTEN_KEEPALIVE void velmora_recover()
{
    ui::handlers().recover();
}

} // extern "C"
