#include "ui/controls.h"

#include "ui/contrast.h"
#include "ui/convert.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace ui {

std::u16string Label::caption() const
{
    return m_widget->text().toStdU16String();
}

void Label::setCaption(std::u16string_view caption)
{
    m_widget->setText(toQString(caption));
    if (auto *link = PromptLink::find(m_widget))
        link->update(m_widget->text());
}

bool Label::isVisible() const
{
    return !m_widget->isHidden();
}

void Label::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

Color Label::background() const
{
    return toColor(m_widget->palette().color(QPalette::Window));
}

void Label::setBackground(Color color)
{
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    m_widget->setPalette(palette);
    keepTextReadable(m_widget);
}

std::u16string TextBox::text() const
{
    return m_widget->text().toStdU16String();
}

void TextBox::setText(std::u16string_view text)
{
    m_widget->setText(toQString(text));
}

bool Button::isVisible() const
{
    return !m_widget->isHidden();
}

void Button::setVisible(bool visible)
{
    m_widget->setVisible(visible);
}

void Button::onClick(std::function<void()> handler)
{
    QObject::connect(m_widget, &QAbstractButton::clicked, m_widget,
        [handler = std::move(handler)] { handler(); });
}

bool CheckBox::isTicked() const
{
    return m_widget->isChecked();
}

void MenuItem::onClick(std::function<void()> handler)
{
    QObject::connect(
        m_action, &QAction::triggered, m_action, [handler = std::move(handler)] { handler(); });
}

Label LabelArray::at(int index) const
{
    return Label(m_cells.at(static_cast<std::size_t>(index)));
}

void LabelArray::onClick(std::function<void(int)> handler)
{
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    for (CellLabel *cell : m_cells)
        QObject::connect(
            cell, &CellLabel::clicked, cell, [shared](int index) { (*shared)(index); });
}

} // namespace ui
