#pragma once

// When a handler may run, the same in every binding: one at a time, each to its end; none while a
// box is open; none once the program ends. A box opens inside a handler, and the toolkit's loop
// that waits for its answer still delivers clicks, shortcuts, queued messages and the presses of
// assistive technology: every one of them asks here and is refused.

#include <functional>
#include <vector>

namespace ui {

class Handlers
{
public:
    // Told when the outermost handler begins and after it has ended.
    class Watcher
    {
    public:
        virtual void handlerBegins() = 0;
        virtual void handlerEnded() = 0;

    protected:
        ~Watcher() = default;
    };

    // Open for as long as it lives.
    class Box
    {
    public:
        explicit Box(Handlers &handlers);
        ~Box();
        Box(const Box &) = delete;
        Box &operator=(const Box &) = delete;

    private:
        Handlers &m_handlers;
    };

    // Runs `handler` when one may run now; returns whether it ran.
    bool run(const std::function<void()> &handler);

    // Whether a click now may start a handler, at once or after the running one. A binding that
    // queues clicks itself (the page) asks before it queues one.
    bool accepting() const { return !m_ended && m_boxes == 0; }
    bool ended() const { return m_ended; }
    // From now on no handler runs.
    void end();
    // A handler that failed without unwinding (the page's, through a JavaScript error) leaves
    // nothing open or running behind it.
    void recover();

    void watch(Watcher *watcher);
    void unwatch(Watcher *watcher);
    // Called with accepting() whenever it changes.
    std::function<void(bool)> onAcceptingChanged;

private:
    void changed(bool wasAccepting);

    int m_depth = 0;
    int m_boxes = 0;
    bool m_ended = false;
    std::vector<Watcher *> m_watchers;
};

// The program's handlers, which every window's controls run through.
Handlers &handlers();

} // namespace ui
