#pragma once

// What a screen reader is told after a handler, the same in every binding: the fields a layout
// marks live that the handler wrote, once, the visible and non-empty ones in reading order, each
// after its prompt; fields that share a prompt follow it together. A binding only delivers the
// words (ui/binding.h).

#include "ui/handlers.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct ResolvedLayout;

// A live field as it stands after a handler.
struct LiveField
{
    std::u16string_view prompt; // its prompt's caption
    int promptId = -1; // which prompt, or -1 where it has none
    std::u16string_view value;
    bool shown = true;
    bool written = false;
};

// The words for `fields`, given in reading order; empty where nothing is to be said.
std::u16string announcement(std::span<const LiveField> fields);

// The live fields of one window, watching the program's handlers.
class LiveFields final : public Handlers::Watcher
{
public:
    struct Source
    {
        std::function<std::u16string(int control)> caption; // of a field or a prompt
        std::function<bool(int control)> shown;
        std::function<bool()> windowShown;
        std::function<void(std::u16string_view)> deliver;
    };

    LiveFields() = default;
    ~LiveFields();
    LiveFields(const LiveFields &) = delete;
    LiveFields &operator=(const LiveFields &) = delete;

    // Takes the live controls of `layout` in reading order, top to bottom, then left to right,
    // and starts watching `handlers`.
    void start(const ResolvedLayout &layout, Source source, Handlers &handlers = ui::handlers());
    // A handler set the caption of control `control`.
    void written(int control);
    // What would be said now.
    std::u16string text() const;

    void handlerBegins() override;
    void handlerEnded() override;

private:
    struct Field
    {
        int control;
        int prompt;
        bool written = false;
    };
    std::vector<Field> m_fields;
    Source m_source;
    Handlers *m_handlers = nullptr;
};

} // namespace ui
