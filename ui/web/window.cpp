#include "ui/window.h"

#include "ui/binding.h"
#include "ui/fit.h"
#include "ui/layout.h"
#include "ui/platform.h"
#include "ui/web/native.h"
#include "ui/web/page.h"

#include <cstdlib>
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
    void setFont(int element, const ResolvedControl &control)
    {
        std::u16string families;
        for (std::u16string_view family : control.families)
            families += u"\"" + std::u16string(family) + u"\", ";
        families += u"sans-serif";
        velmora_set_font(
            element, families.data(), length(families), control.face.points, control.face.bold);
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

    std::u16string toUtf16(std::string_view ascii)
    {
        return std::u16string(ascii.begin(), ascii.end());
    }

} // namespace

Window::Window(const WindowSpec &layout)
    : m_table(&layout)
    , m_impl(std::make_unique<Impl>())
{
    const ResolvedLayout resolved = resolve(layout);
    const std::u16string name = toUtf16(layout.name);
    m_impl->element = velmora_window(name.data(), length(name), layout.caption.data(),
        length(layout.caption), resolved.clientWidth, resolved.clientHeight);
    // The window's own text, the menu bar's, follows the contrast rule like the labels'.
    velmora_set_background(m_impl->element, web::rgb(desktopColor()));
    m_impl->menu.resize(layout.menu.size());
    m_impl->controls.resize(resolved.controls.size());
    for (std::size_t i = 0; i < layout.menu.size(); ++i) {
        const MenuRow &item = layout.menu[i];
        const std::u16string itemName = toUtf16(item.name);
        const std::u16string shortcut = toUtf16(item.shortcut);
        const int element = velmora_menu_item(m_impl->element, itemName.data(), length(itemName),
            item.caption.data(), length(item.caption), shortcut.data(), length(shortcut));
        m_impl->menu[i].element = element;
    }

    // The page's Tab order is the order of its elements, so controls are added in the layout's
    // tab order; the positions keep the layout's places.
    for (int i : resolved.tabOrder) {
        const ResolvedControl &control = resolved.controls[std::size_t(i)];
        const ControlRow &row = *control.row;
        const std::u16string elementName = toUtf16(control.name);
        const Rect &r = control.rect;
        const std::u16string kind = toUtf16(kindName(row.kind));
        const int element = velmora_control(m_impl->element, kind.data(), length(kind),
            elementName.data(), length(elementName), row.caption.data(), length(row.caption),
            r.left, r.top, r.width, r.height, control.focusable, row.align == Align::Centre);
        web::setFont(element, control);
        if (row.kind != Kind::TextBox)
            web::fitCaption(element, row.caption.empty());
        if (control.background)
            velmora_set_background(element, web::rgb(*control.background));
        if (control.line >= 0)
            velmora_set_line(element, control.line, control.place);
        m_impl->controls[std::size_t(i)].element = element;
    }
    // A value field is described by the prompt beside it; a text box is named by it.
    for (std::size_t i = 0; i < resolved.controls.size(); ++i) {
        const ResolvedControl &control = resolved.controls[i];
        if (control.prompt >= 0)
            velmora_describe(m_impl->controls[i].element,
                m_impl->controls[std::size_t(control.prompt)].element,
                control.row->kind == Kind::TextBox);
    }
    startLiveFields(resolved);
}

Window::~Window() = default;

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

Native *binding::control(const Window::Impl &window, int index)
{
    return &window.controls.at(std::size_t(index));
}

Native *binding::menuItem(const Window::Impl &window, int index)
{
    return &window.menu.at(std::size_t(index));
}

void binding::onClose(Window::Impl &, std::function<void()>)
{
    // A page's window has no close box: the browser tab's own closes the whole program.
}

void binding::announce(Window::Impl &window, std::u16string_view text)
{
    velmora_say(window.element, text.data(), length(text));
}

} // namespace ui
