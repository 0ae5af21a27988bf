#include "ui/controls.h"

#include "ui/contrast.h"
#include "ui/convert.h"
#include "ui/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {

    // The width QLineEdit lays its text out in: its contents inside the frame and the text
    // margins, less the 2 pixels it keeps free on either side.
    qreal textRoom(const QLineEdit *edit)
    {
        constexpr int LineEditMargin = 2;
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.rect = edit->contentsRect();
        option.lineWidth = edit->hasFrame()
            ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
            : 0;
        option.state |= QStyle::State_Sunken;
        const QRect contents
            = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        return contents.marginsRemoved(edit->textMargins()).width() - 2 * LineEditMargin;
    }

    // The whole value in the box's own face, as plain text that still wraps.
    QString wholeValueTip(const QLineEdit *edit)
    {
        const QFont font = edit->font();
        return QStringLiteral("<p style=\"white-space:pre-wrap; font-family:'%1'; "
                              "font-size:%2px; font-weight:%3\">%4</p>")
            .arg(font.family().toHtmlEscaped())
            .arg(QFontInfo(font).pixelSize())
            .arg(font.weight())
            .arg(edit->text().toHtmlEscaped());
    }

} // namespace

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
    // Qt leaves the cursor at the end, so a long value would show its end and never its start.
    m_widget->setCursorPosition(0);
    // QLineEdit scrolls once the text and one pixel for the cursor no longer fit.
    const bool wider = QFontMetricsF(m_widget->font()).horizontalAdvance(m_widget->text()) + 1
        > textRoom(m_widget);
    m_widget->setToolTip(wider ? wholeValueTip(m_widget) : QString());
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
