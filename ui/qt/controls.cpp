#include "ui/controls.h"

#include "ui/qt/convert.h"
#include "ui/qt/live_region.h"
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

void Label::setCaption(std::u16string_view caption)
{
    auto *label = widget<QLabel>(m_native);
    label->setText(toQString(caption));
    if (auto *link = PromptLink::find(label))
        link->update(label->text());
    LiveRegion::written(label);
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

void Button::onClick(std::function<void()> handler)
{
    auto *button = widget<QAbstractButton>(m_native);
    QObject::connect(button, &QAbstractButton::clicked, button,
        [handler = std::move(handler)] { LiveRegion::runHandler(handler); });
}

bool CheckBox::isTicked() const
{
    return widget<QCheckBox>(m_native)->isChecked();
}

void MenuItem::onClick(std::function<void()> handler)
{
    auto *action = widget<QAction>(m_native);
    QObject::connect(action, &QAction::triggered, action,
        [handler = std::move(handler)] { LiveRegion::runHandler(handler); });
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
        QObject::connect(cell, &CellLabel::clicked, cell,
            [shared](int index) { LiveRegion::runHandler([&] { (*shared)(index); }); });
    }
}

} // namespace ui
