#include "ui/controls.h"

#include "ui/binding.h"
#include "ui/qt/convert.h"
#include "ui/qt/native.h"
#include "ui/qt/readable_text.h"
#include "ui/qt/widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace ui {

namespace {

    template <typename T> T *widget(Native *native)
    {
        return static_cast<T *>(native->object);
    }

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
    return widget<QLabel>(m_native)->text().toStdU16String();
}

void binding::setCaption(Native *native, std::u16string_view caption)
{
    auto *label = widget<QLabel>(native);
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
    auto *edit = widget<QLineEdit>(m_native);
    edit->setText(toQString(text));
    // Qt leaves the cursor at the end, so a long value would show its end and never its start.
    edit->setCursorPosition(0);
    // QLineEdit scrolls once the text and one pixel for the cursor no longer fit.
    const bool wider
        = QFontMetricsF(edit->font()).horizontalAdvance(edit->text()) + 1 > textRoom(edit);
    edit->setToolTip(wider ? wholeValueTip(edit) : QString());
}

bool Button::isVisible() const
{
    return !widget<QAbstractButton>(m_native)->isHidden();
}

void Button::setVisible(bool visible)
{
    widget<QAbstractButton>(m_native)->setVisible(visible);
}

bool CheckBox::isTicked() const
{
    return widget<QCheckBox>(m_native)->isChecked();
}

void binding::onClick(Native *native, std::function<void()> handler)
{
    QObject *object = native->object;
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        QObject::connect(button, &QAbstractButton::clicked, button, std::move(handler));
    else if (auto *action = qobject_cast<QAction *>(object))
        QObject::connect(action, &QAction::triggered, action, std::move(handler));
    else if (auto *cell = qobject_cast<CellLabel *>(object))
        QObject::connect(cell, &CellLabel::clicked, cell, std::move(handler));
}

} // namespace ui
