#include "ui/platform.h"

#include "ui/contrast.h"
#include "ui/dialogs.h"
#include "ui/handlers.h"
#include "ui/web/native.h"
#include "ui/web/page.h"

#include <emscripten/emscripten.h>

namespace ui {

namespace {

    // The page's own boxes, drawn over the owner window; not the browser's alert() and
    // prompt(), which bear the page's address for a title and which a browser may suppress.
    class PageDialogs final : public Dialogs
    {
    public:
        explicit PageDialogs(std::u16string_view title)
            : m_title(title)
        { }

    protected:
        void showMessage(const Window &owner, std::u16string_view text) override
        {
            velmora_message(owner.impl().element, m_title.data(), web::length(m_title), text.data(),
                web::length(text));
        }

        std::u16string askInput(const Window &owner, std::u16string_view prompt) override
        {
            char16_t *answer = nullptr;
            const int size = velmora_input(owner.impl().element, m_title.data(),
                web::length(m_title), prompt.data(), web::length(prompt), &answer);
            return web::adopt(answer, size);
        }

    private:
        std::u16string m_title;
    };

} // namespace

std::unique_ptr<Dialogs> toolkitDialogs(std::u16string_view title)
{
    return std::make_unique<PageDialogs>(title);
}

std::u16string clipboardText()
{
    char16_t *text = nullptr;
    const int size = velmora_clipboard_text(&text);
    return web::adopt(text, size);
}

bool isOrdinaryFile(std::u16string_view)
{
    // A page sees no directory of the user's, so no sound file is ever there.
    return false;
}

void endProgram()
{
    handlers().end();
    velmora_end_program();
}

} // namespace ui

extern "C" {

// page.js asks for the text colour of every element we paint, and again when the colour scheme
// changes, so the rule is the one the desktop follows.
EMSCRIPTEN_KEEPALIVE int velmora_readable_text_colour(int background, int text)
{
    return ui::web::rgb(ui::readableTextColor(ui::web::colour(background), ui::web::colour(text)));
}

} // extern "C"
