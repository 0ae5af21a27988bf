#include "ui/window.h"

#include "ui/fit.h"
#include "ui/platform.h"
#include "ui/web/native.h"
#include "ui/web/page.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace ui {

namespace web {

    std::u16string adopt(char16_t *text, int length)
    {
        std::u16string result(text, text + length);
        std::free(text);
        return result;
    }

    // A CSS font stack: the face the layout names, the faces that stand in for it, the generic
    // family, so that any machine shows it in the nearest face it has.
    std::u16string fontFamilies(std::u16string_view face)
    {
        auto quoted = [](std::u16string_view family) {
            return u"\"" + std::u16string(family) + u"\"";
        };
        std::u16string families = quoted(face);
        for (const Substitution &substitution : Substitutions) {
            if (substitution.face != face)
                continue;
            for (std::u16string_view installed : substitution.installed) {
                if (!installed.empty())
                    families += u", " + quoted(installed);
            }
        }
        return families + u", sans-serif";
    }

    void setFont(int element, Font font)
    {
        const FontFace face = faceOf(font);
        const std::u16string families = fontFamilies(face.family);
        velmora_set_font(element, families.data(), length(families), face.points, face.bold);
    }

    // Fits the element's caption as the Qt binding's labels do: narrower, then smaller. An empty
    // one fits as it is, unmeasured: most value fields start empty, and each measure lays a copy
    // of the element out.
    void fitCaption(int element, bool empty)
    {
        const int full = velmora_full_pixel_size(element);
        if (empty) {
            velmora_set_fit(element, full, 100, false);
            return;
        }
        const FitChoice choice = chooseFit(full, [element](int pixelSize, int stretch) {
            return velmora_fits(element, pixelSize, stretch) != 0;
        });
        velmora_set_fit(element, choice.pixelSize, choice.stretch,
            choice.pixelSize != full || choice.stretch != 100);
    }

} // namespace web

namespace {

    using web::length;

    // The clicks page.js reports, by element.
    std::map<int, std::function<void()>> &clickHandlers()
    {
        static std::map<int, std::function<void()>> handlers;
        return handlers;
    }

    std::u16string toUtf16(std::string_view ascii)
    {
        return std::u16string(ascii.begin(), ascii.end());
    }

    // The name of a control, or of element `index` of a control array ("Label2[13]"), as on the
    // desktop.
    std::string controlName(std::string_view name, int index = -1)
    {
        std::string result(name);
        if (index >= 0)
            result += "[" + std::to_string(index) + "]";
        return result;
    }

    const ControlRow *findRow(std::span<const ControlRow> rows, std::string_view name)
    {
        const auto row = std::find_if(
            rows.begin(), rows.end(), [name](const ControlRow &r) { return r.name == name; });
        return row == rows.end() ? nullptr : &*row;
    }

} // namespace

void web::onElementClick(int element, std::function<void()> handler)
{
    clickHandlers()[element] = std::move(handler);
}

Window::Window(const WindowSpec &layout)
    : m_impl(std::make_unique<Impl>())
{
    const std::u16string name = toUtf16(layout.name);
    m_impl->element
        = velmora_window(name.data(), length(name), layout.caption.data(), length(layout.caption),
            twipsToPixels(layout.clientWidth), twipsToPixels(layout.clientHeight));
    // The window's own text, the menu bar's, follows the contrast rule like the labels'.
    velmora_set_background(m_impl->element, web::rgb(desktopColor()));
    for (const MenuRow &item : layout.menu) {
        const std::u16string itemName = toUtf16(item.name);
        const std::u16string shortcut = toUtf16(item.shortcut);
        const int element = velmora_menu_item(m_impl->element, itemName.data(), length(itemName),
            item.caption.data(), length(item.caption), shortcut.data(), length(shortcut));
        m_impl->controls[std::string(item.name)] = std::make_unique<Native>(Native {element});
    }

    // The page's Tab order is the order of its elements, so controls are added in the layout's
    // tab order; the positions keep the layout's places.
    std::vector<const ControlRow *> rows;
    for (const ControlRow &row : layout.controls)
        rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
        [](const ControlRow *a, const ControlRow *b) { return a->tab < b->tab; });
    for (const ControlRow *row : rows) {
        int left = row->left;
        int top = row->top;
        if (!row->parent.empty()) {
            const ControlRow *frame = findRow(layout.controls, row->parent);
            if (!frame)
                throw std::logic_error("no frame named " + std::string(row->parent));
            left += frame->left;
            top += frame->top;
        }
        const std::string key = controlName(row->name, row->index);
        const std::u16string elementName = toUtf16(key);
        const bool focusable
            = row->tab != NoTab && row->kind != Kind::Label && row->kind != Kind::Frame;
        const int element = velmora_control(m_impl->element, static_cast<int>(row->kind),
            elementName.data(), length(elementName), row->caption.data(), length(row->caption),
            twipsToPixels(left), twipsToPixels(top), twipsToPixels(row->width),
            twipsToPixels(row->height), focusable, row->align == Align::Centre);
        web::setFont(element, row->font);
        if (row->kind != Kind::TextBox)
            web::fitCaption(element, row->caption.empty());
        if (row->kind == Kind::Label || row->kind == Kind::CheckBox || row->kind == Kind::Frame)
            velmora_set_background(element, web::rgb(desktopColor()));
        if (row->live == Live::Polite)
            velmora_announce(element);
        m_impl->controls[key] = std::make_unique<Native>(Native {element});
    }
    // A value field is described by the prompt beside it; a text box is named by it.
    for (const ControlRow &row : layout.controls) {
        if (!row.prompt.empty())
            velmora_describe(m_impl->controls.at(std::string(row.name))->element,
                m_impl->controls.at(std::string(row.prompt))->element, row.kind == Kind::TextBox);
    }
}

Window::~Window() = default;

namespace {

    Native *find(const Window::Impl &impl, std::string_view name)
    {
        const auto control = impl.controls.find(name);
        if (control == impl.controls.end())
            throw std::logic_error("no control named " + std::string(name));
        return control->second.get();
    }

} // namespace

Label Window::label(std::string_view name) const
{
    return Label(find(*m_impl, name));
}

TextBox Window::textBox(std::string_view name) const
{
    return TextBox(find(*m_impl, name));
}

Button Window::button(std::string_view name) const
{
    return Button(find(*m_impl, name));
}

CheckBox Window::checkBox(std::string_view name) const
{
    return CheckBox(find(*m_impl, name));
}

LabelArray Window::labelArray(std::string_view name) const
{
    std::vector<Native *> cells;
    for (int index = 0;; ++index) {
        const auto cell = m_impl->controls.find(controlName(name, index));
        if (cell == m_impl->controls.end())
            break;
        cells.push_back(cell->second.get());
    }
    if (cells.empty())
        throw std::logic_error("no label array named " + std::string(name));
    return LabelArray(std::move(cells));
}

MenuItem Window::menuItem(std::string_view name) const
{
    return MenuItem(find(*m_impl, name));
}

void Window::show()
{
    velmora_show_window(m_impl->element);
}

void Window::hide()
{
    velmora_hide_window(m_impl->element);
}

bool Window::isVisible() const
{
    return velmora_window_visible(m_impl->element) != 0;
}

Color Window::background() const
{
    return desktopColor();
}

void Window::onClose(std::function<void()>)
{
    // A page's window has no close box: the browser tab's own closes the whole program.
}

} // namespace ui

extern "C" {

EMSCRIPTEN_KEEPALIVE void velmora_click(int element)
{
    const auto handler = ui::clickHandlers().find(element);
    if (handler != ui::clickHandlers().end())
        handler->second();
}

} // extern "C"
