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
    virtual void message(const Window &owner, std::u16string_view text) = 0;
    // A prompt with an entry field that starts empty; the empty string on Cancel.
    virtual std::u16string input(const Window &owner, std::u16string_view prompt) = 0;
};

// The binding's own boxes, titled `title` where the toolkit gives boxes a title.
std::unique_ptr<Dialogs> toolkitDialogs(std::u16string_view title);

} // namespace ui
