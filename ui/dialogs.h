#pragma once

// Modal dialogs, behind an interface so that tests can answer them. Each box belongs to the
// window whose handler opens it: modal to, transient for and centred over that window.

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

// QMessageBox and QInputDialog, titled with the program's title and without an icon.
class QtDialogs final : public Dialogs
{
public:
    void message(const Window &owner, std::u16string_view text) override;
    std::u16string input(const Window &owner, std::u16string_view prompt) override;
};

} // namespace ui
