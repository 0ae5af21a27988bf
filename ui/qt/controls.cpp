#include "ui/controls.h"

#include "ui/qt/convert.h"
#include "ui/qt/native.h"
#include "ui/qt/readable_text.h"
#include "ui/qt/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace ui {

namespace {

    template <typename T> T *widget(Native *native)
    {
        return static_cast<T *>(native->object);
    }

} // namespace

std::u16string Label::caption() const
{
    return widget<QLabel>(m_native)->text().toStdU16String();
}

void Label::setCaption(std::u16string_view caption)
{
    auto *label = widget<QLabel>(m_native);
    label->setText(toQString(caption));
    if (auto *link = PromptLink::find(label))
        link->update(label->text());
}

bool Label::isVisible() const
{
    return !widget<QLabel>(m_native)->isHidden();
}

void Label::setVisible(bool visible)
{
    widget<QLabel>(m_native)->setVisible(visible);
}

Color Label::background() const
{
    return toColor(widget<QLabel>(m_native)->palette().color(QPalette::Window));
}

void Label::setBackground(Color color)
{
    auto *label = widget<QLabel>(m_native);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    label->setPalette(palette);
    keepTextReadable(label);
}

std::u16string TextBox::text() const
{
    return widget<QLineEdit>(m_native)->text().toStdU16String();
}

void TextBox::setText(std::u16string_view text)
{
    widget<QLineEdit>(m_native)->setText(toQString(text));
}

bool Button::isVisible() const
{
    return !widget<QAbstractButton>(m_native)->isHidden();
}

void Button::setVisible(bool visible)
{
    widget<QAbstractButton>(m_native)->setVisible(visible);
}

void Button::onClick(std::function<void()> handler)
{
    auto *button = widget<QAbstractButton>(m_native);
    QObject::connect(
        button, &QAbstractButton::clicked, button, [handler = std::move(handler)] { handler(); });
}

bool CheckBox::isTicked() const
{
    return widget<QCheckBox>(m_native)->isChecked();
}

void MenuItem::onClick(std::function<void()> handler)
{
    auto *action = widget<QAction>(m_native);
    QObject::connect(
        action, &QAction::triggered, action, [handler = std::move(handler)] { handler(); });
}

Label LabelArray::at(int index) const
{
    return Label(m_cells.at(static_cast<std::size_t>(index)));
}

void LabelArray::onClick(std::function<void(int)> handler)
{
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    for (Native *native : m_cells) {
        auto *cell = widget<CellLabel>(native);
        QObject::connect(
            cell, &CellLabel::clicked, cell, [shared](int index) { (*shared)(index); });
    }
}

} // namespace ui
