#include "ui/live_fields.h"

#include "ui/layout.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace ui {

namespace {

    bool isSpace(char16_t c)
    {
        return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00A0' || c == u'\u3000';
    }

    std::u16string_view trimmed(std::u16string_view text)
    {
        while (!text.empty() && isSpace(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && isSpace(text.back()))
            text.remove_suffix(1);
        return text;
    }

} // namespace

std::u16string announcement(std::span<const LiveField> fields)
{
    std::u16string text;
    int lastPrompt = -1;
    for (const LiveField &field : fields) {
        const std::u16string_view value = trimmed(field.value);
        if (!field.written || !field.shown || value.empty())
            continue;
        if (field.promptId >= 0 && field.promptId == lastPrompt) {
            text += u' ';
        } else {
            if (!text.empty())
                text += u", ";
            if (field.promptId >= 0)
                (text += field.prompt) += u' ';
        }
        text += value;
        lastPrompt = field.promptId;
    }
    return text;
}

LiveFields::~LiveFields()
{
    if (m_handlers)
        m_handlers->unwatch(this);
}

void LiveFields::start(const ResolvedLayout &layout, Source source, Handlers &handlers)
{
    m_fields.clear();
    for (int i = 0; i < static_cast<int>(layout.controls.size()); ++i) {
        const ResolvedControl &control = layout.controls[std::size_t(i)];
        if (control.row->live == Live::Polite)
            m_fields.push_back({i, control.prompt});
    }
    // Ties in table order; std::sort, as std::stable_sort would add its own copy to the page.
    std::sort(m_fields.begin(), m_fields.end(), [&layout](const Field &a, const Field &b) {
        const Rect &first = layout.controls[std::size_t(a.control)].rect;
        const Rect &second = layout.controls[std::size_t(b.control)].rect;
        return std::tuple(first.top, first.left, a.control)
            < std::tuple(second.top, second.left, b.control);
    });
    m_source = std::move(source);
    if (m_handlers)
        m_handlers->unwatch(this);
    m_handlers = m_fields.empty() ? nullptr : &handlers;
    if (m_handlers)
        m_handlers->watch(this);
}

void LiveFields::written(int control)
{
    for (Field &field : m_fields) {
        if (field.control == control)
            field.written = true;
    }
}

std::u16string LiveFields::text() const
{
    std::vector<std::u16string> captions;
    std::vector<LiveField> fields;
    captions.reserve(2 * m_fields.size()); // the views below point into it
    for (const Field &field : m_fields) {
        if (!field.written)
            continue; // nothing of it is said
        captions.push_back(m_source.caption(field.control));
        captions.push_back(field.prompt < 0 ? std::u16string() : m_source.caption(field.prompt));
        fields.push_back({captions.back(), field.prompt, captions[captions.size() - 2],
            m_source.shown(field.control), field.written});
    }
    return announcement(fields);
}

void LiveFields::handlerBegins()
{
    for (Field &field : m_fields)
        field.written = false;
}

void LiveFields::handlerEnded()
{
    const std::u16string said = text();
    handlerBegins();
    if (!said.empty() && m_source.windowShown())
        m_source.deliver(said);
}

} // namespace ui
