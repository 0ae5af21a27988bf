#include "ui/controls.h"

#include "ui/binding.h"
#include "ui/handlers.h"
#include "ui/live_fields.h"

#include <memory>

namespace ui {

void Label::setCaption(std::u16string_view caption)
{
    binding::setCaption(m_native, caption);
    if (m_live)
        m_live->written(m_control);
}

void Button::onClick(std::function<void()> handler)
{
    binding::onClick(m_native, [handler = std::move(handler)] { handlers().run(handler); });
}

void MenuItem::onClick(std::function<void()> handler)
{
    binding::onClick(m_native, [handler = std::move(handler)] { handlers().run(handler); });
}

Label LabelArray::at(int index) const
{
    return Label(m_cells.at(static_cast<std::size_t>(index)));
}

void LabelArray::onClick(std::function<void(int)> handler)
{
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        binding::onClick(m_cells[index],
            [shared, index] { handlers().run([&] { (*shared)(static_cast<int>(index)); }); });
}

} // namespace ui
