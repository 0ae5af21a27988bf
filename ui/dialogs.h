#pragma once

// Modal dialogs, behind an interface so that tests can answer them. Each box belongs to the
// window whose handler opens it: modal to, transient for and centred over that window.

#include <memory>
#include <string>
#include <string_view>

namespace ui {

class Window;

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with a single OK button; returns when it is closed.
    void message(const Window &owner, std::u16string_view text);
    // A prompt with an entry field that starts empty; the empty string on Cancel.
    std::u16string input(const Window &owner, std::u16string_view prompt);

protected:
    // The boxes themselves; while one is open, no handler runs (ui/handlers.h).
    virtual void showMessage(const Window &owner, std::u16string_view text) = 0;
    virtual std::u16string askInput(const Window &owner, std::u16string_view prompt) = 0;
};

// The binding's own boxes, titled `title` where the toolkit gives boxes a title.
std::unique_ptr<Dialogs> toolkitDialogs(std::u16string_view title);

} // namespace ui
