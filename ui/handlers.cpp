#include "ui/handlers.h"

#include <algorithm>

namespace ui {

Handlers::Box::Box(Handlers &handlers)
    : m_handlers(handlers)
{
    const bool was = m_handlers.accepting();
    ++m_handlers.m_boxes;
    m_handlers.changed(was);
}

Handlers::Box::~Box()
{
    const bool was = m_handlers.accepting();
    m_handlers.m_boxes = std::max(0, m_handlers.m_boxes - 1);
    m_handlers.changed(was);
}

bool Handlers::run(const std::function<void()> &handler)
{
    if (m_depth > 0 || !accepting())
        return false;
    for (Watcher *watcher : m_watchers)
        watcher->handlerBegins();
    {
        // Taken back also when the handler throws.
        struct Running
        {
            int &depth;
            ~Running() { --depth; }
        } running {++m_depth};
        handler();
    }
    // The windows as they are now: a handler may have made one (the expression window, on first
    // use), which then says what it wrote too.
    for (Watcher *watcher : m_watchers)
        watcher->handlerEnded();
    return true;
}

void Handlers::end()
{
    const bool was = accepting();
    m_ended = true;
    changed(was);
}

void Handlers::recover()
{
    const bool was = accepting();
    m_depth = 0;
    m_boxes = 0;
    changed(was);
}

void Handlers::watch(Watcher *watcher)
{
    m_watchers.push_back(watcher);
}

void Handlers::unwatch(Watcher *watcher)
{
    m_watchers.erase(std::remove(m_watchers.begin(), m_watchers.end(), watcher), m_watchers.end());
}

void Handlers::changed(bool wasAccepting)
{
    if (onAcceptingChanged && accepting() != wasAccepting)
        onAcceptingChanged(accepting());
}

Handlers &handlers()
{
    static Handlers program;
    return program;
}

} // namespace ui
