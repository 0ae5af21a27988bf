#pragma once

#include "ui/dialogs.h"

#include <string>

namespace ui {

// QMessageBox and QInputDialog, titled with the program's title and without an icon.
class QtDialogs final : public Dialogs
{
public:
    explicit QtDialogs(std::u16string_view title)
        : m_title(title)
    { }

protected:
    void showMessage(const Window &owner, std::u16string_view text) override;
    std::u16string askInput(const Window &owner, std::u16string_view prompt) override;

private:
    std::u16string m_title;
};

} // namespace ui
