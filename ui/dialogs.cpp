#include "ui/dialogs.h"

#include "ui/handlers.h"

namespace ui {

void Dialogs::message(const Window &owner, std::u16string_view text)
{
    const Handlers::Box box(handlers());
    showMessage(owner, text);
}

std::u16string Dialogs::input(const Window &owner, std::u16string_view prompt)
{
    const Handlers::Box box(handlers());
    return askInput(owner, prompt);
}

} // namespace ui
